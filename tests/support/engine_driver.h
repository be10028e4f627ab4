// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the engine as the program does: a line of token characters becomes
// the current line, then the lexer and, only when it succeeds, the parser.
#pragma once

#include <initializer_list>
#include <string>

#include "engine/calculator.h"

struct ClRun {
  uint16_t uiError = 0;
  bool bLexed = false;
  std::string sText;  // g_acOutput_Line after the run
  ClMatrix mResult;   // ClCalculator::mp_mParser_Output
  std::string sLine;  // the line as the lexer left it
};

// Runs one line given as token characters, e.g. "A=[1,2;3,4]" or "IA".
ClRun runLine(const std::string& sTokens);

// A line and the exact display text it must give, without error.
struct TextCase {
  const char* acLine;
  const char* acText;
};

// Runs each line and checks its text; a failure names the line.
void expectTexts(std::initializer_list<TextCase> cases);
