// SPDX-License-Identifier: GPL-3.0-or-later
// The input line through key presses: rendering, cursor editing, automatic
// parentheses, the length limits and the "Error Check" switch.
#include <string>

#include "tests/support/command_driver.h"

namespace {

using InputLineTest = ClCommandTest;

TEST_F(InputLineTest, AutomaticParenthesesAfterFunctions) {
  struct {
    const char* acKeys;
    bool bAuto;
    const char* acShown;
  } const aCases[] = {
      {"I", true, "\nIn>Inv (_"},
      {"g", true, "\nIn>Diag(_"},
      {"X", true, "\nIn>Rpt(_"},
      {"I", false, "\nIn>Inv _"},
      {"g", false, "\nIn>Diag_"},
      // with the automatic `(` the operator after Diag is refused
      {"g+", true, "\nIn>Diag(_"},
      {"g+", false, "\nIn>Diag + _"},
  };
  for (const auto& c : aCases) {
    SetUp();
    m_Seam.setOn(eSWITCH_AUTO_PARENS, c.bAuto);
    typeKeys(c.acKeys);
    EXPECT_EQ(input(), c.acShown) << c.acKeys << (c.bAuto ? " auto" : "");
  }
}

TEST_F(InputLineTest, CursorMovesAndDeletesWholeTokens) {
  typeKeys("1+3");
  press(eLEFT);
  press(eLEFT);
  typeKeys("2");
  EXPECT_EQ(currentLine(), "12+3");
  EXPECT_EQ(input(), "\nIn>12_ + 3");

  press(eBKSP);
  EXPECT_EQ(input(), "\nIn>1_ + 3");
  press(eRIGHT);
  press(eRIGHT);
  press(eRIGHT);  // at the end: ignored
  EXPECT_EQ(input(), "\nIn>1 + 3_");
  for (int k = 0; k < 4; ++k) press(eLEFT);
  press(eBKSP);  // at the start: ignored
  EXPECT_EQ(currentLine(), "1+3");
  EXPECT_EQ(input(), "\nIn>_1 + 3");
}

TEST_F(InputLineTest, ClearEmptiesTheLineAndKeepsThePrompt) {
  enter("1");
  typeKeys("A+B");
  press(eCLEAR);
  EXPECT_EQ(currentLine(), "");
  EXPECT_EQ(input(), "\nIn>1\nIn>_");
}

TEST_F(InputLineTest, BackSpaceOverAssignmentAllowsAnotherOne) {
  typeKeys("A=");
  press(eBKSP);
  typeKeys("=B");
  EXPECT_EQ(currentLine(), "A=B");
}

TEST_F(InputLineTest, LengthLimits) {
  m_Seam.setOn(eSWITCH_ERROR_CHECK, false);
  struct {
    int iLength;
    const char* acKeys;
    int iExpected;
  } const aCases[] = {
      {509, "2", 510}, {509, "+", 510}, {509, "I", 511},  // Inv takes its `(` too
      {510, "2", 510}, {510, "+", 510}, {510, "I", 510}, {511, "2", 511},
  };
  for (const auto& c : aCases) {
    const std::string sLine(c.iLength, '1');
    setCurrentLine(sLine.data(), static_cast<uint16_t>(sLine.size()));
    typeKeys(c.acKeys);
    EXPECT_EQ(g_Current_State.m_uiLength, c.iExpected) << c.iLength << " then " << c.acKeys;
  }
}

TEST_F(InputLineTest, ErrorCheckOffLetsTokensThroughButNotNumberRules) {
  m_Seam.setOn(eSWITCH_ERROR_CHECK, false);
  typeKeys("A5B");
  EXPECT_EQ(currentLine(), "AB");
  press(eENTER);
  EXPECT_EQ(output(), "Out>AB :\nMisplaced value");
}

}  // namespace
