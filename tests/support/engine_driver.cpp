// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/engine_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

ClRun runLine(const std::string& sTokens) {
  ClState line;
  const size_t uiLength = std::min<size_t>(sTokens.size(), gc_iMAX_LINE);
  std::memcpy(line.m_acLine, sTokens.data(), uiLength);
  line.m_acLine[uiLength] = '\0';
  line.m_uiLength = static_cast<uint16_t>(uiLength);
  line.m_uiCursor = line.m_uiLength;
  g_Current_State = line;
  g_acOutput_Line[0] = '\0';

  ClRun run;
  run.bLexed = ClCalculator::tLexer();
  if (run.bLexed) ClCalculator::tParser();
  run.uiError = g_uiError_Number;
  run.sText = g_acOutput_Line;
  run.mResult = ClCalculator::mp_mParser_Output;
  run.sLine.assign(g_Current_State.m_acLine, g_Current_State.m_uiLength);
  return run;
}

void expectTexts(std::initializer_list<TextCase> cases) {
  for (const TextCase& c : cases) {
    const ClRun run = runLine(c.acLine);
    SCOPED_TRACE(c.acLine);
    EXPECT_EQ(run.uiError, 0);
    EXPECT_EQ(run.sText, c.acText);
  }
}
