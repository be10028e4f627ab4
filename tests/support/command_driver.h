// SPDX-License-Identifier: GPL-3.0-or-later
// Drives command processing as the program does: key presses go to the
// callbacks the keyboard handler would call, lines are entered as the batch
// runner enters them, and the panes are read from the headless seam.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "command/callback.h"
#include "command/enter.h"
#include "command/headless_seam.h"
#include "command/history.h"
#include "engine/calculator.h"
#include "engine/typing.h"
#include "tests/support/engine_driver.h"

// One key press of a token, as the batch runner's keys mode presses it.
inline void press(eTOKEN eToken) {
  pressToken(eToken);
}

// Presses the keys of the token characters in sKeys, in order.
inline void typeKeys(const std::string& sKeys) {
  for (const char c : sKeys) press(tokenOf(c));
}

// Enters a line of token characters as the batch runner does.
inline void enter(const std::string& sTokens) {
  setCurrentLine(sTokens.data(), static_cast<uint16_t>(sTokens.size()));
  press(eENTER);
}

// The current line's token characters.
inline std::string currentLine() {
  return std::string(g_Current_State.m_acLine, g_Current_State.m_uiLength);
}

inline std::string historyLine(int iSlot) {
  const ClState& line = lg_State_History[iSlot];
  return std::string(line.m_acLine, line.m_uiLength);
}

// The last characters of sText, as many as sSuffix has.
inline std::string ending(const std::string& sText, const std::string& sSuffix) {
  return sText.size() < sSuffix.size() ? sText : sText.substr(sText.size() - sSuffix.size());
}

// A fresh calculator as at program start, with a headless seam.
class ClCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { resetCommandState(m_Seam); }
  void TearDown() override { g_pSeam = nullptr; }

  // The output pane from its tenth character, as File > Save Output writes it.
  std::string output() {
    const std::string sText = m_Seam.output().text();
    return sText.size() > 9 ? sText.substr(9) : std::string();
  }
  // The input pane without its eight-newline spacer.
  std::string input() { return m_Seam.input().text().substr(8); }
  // Enters each line with "Execute" off: a script stored for later.
  void store(std::initializer_list<const char*> aacLines) {
    m_Seam.setOn(eSWITCH_EXECUTE, false);
    for (const char* acLine : aacLines) enter(acLine);
    m_Seam.setOn(eSWITCH_EXECUTE, true);
  }

  ClHeadlessSeam m_Seam;
};
