// SPDX-License-Identifier: GPL-3.0-or-later
// The token record produced by the lexer and the input line as typed.
#pragma once

#include <Eigen/Dense>
#include <complex>
#include <cstdint>
#include <memory>

#include "engine/tokens.h"

typedef Eigen::MatrixXcd ClMatrix;
typedef std::complex<double> ClComplex;

constexpr int gc_iLINE_SIZE = 513;  // characters of a line, terminator room included
// The longest line: what the lexer reads and the number keys fill.
constexpr int gc_iMAX_LINE = gc_iLINE_SIZE - 1;
// The longest line the token keys type, a data file holds or a script gives.
constexpr int gc_iMAX_TYPED_LINE = gc_iMAX_LINE - 1;
// A token key adds to a line of at most this length: the token and an
// automatic `(` keep it within gc_iMAX_TYPED_LINE.
constexpr int gc_iMAX_LINE_BEFORE_TOKEN = gc_iMAX_TYPED_LINE - 2;

class ClToken {
 public:
  eTOKEN m_eToken = eNULL;
  double m_dValue = 0.0;
  ClMatrix* m_pmMatrix = nullptr;  // not owned: a variable slot or Ans

  ClToken() = default;
  ClToken(eTOKEN eToken, ClMatrix* pmMatrix, double dValue)
      : m_eToken(eToken), m_dValue(dValue), m_pmMatrix(pmMatrix) {}
};

class ClState {
 public:
  char m_acLine[gc_iLINE_SIZE];
  uint16_t m_uiLength = 0;
  uint16_t m_uiCursor = 0;
  // 32 bits: the input pane grows past 65,535 characters in a long session
  uint32_t m_uiDisplay_Start = 12;
  uint16_t m_uiRepeat_Count = 0;
  int16_t m_iRepeat_First = 0;
  int16_t m_iRepeat_Last = 0;

  ClState();
  ClState(const ClState& other) = default;
  ClState& operator=(const ClState& other);

  // Writes the display names of the tokens at positions from..to-1 into
  // acText, which must hold 512 names (8 characters each).
  void inputToChar(char* acText, uint16_t uiFrom, uint16_t uiTo) const;
  // The token of the last character, eNULL for an empty line.
  eTOKEN lastToken() const;
};

extern ClState g_Current_State;
extern ClState g_Current_State_Bkp;
