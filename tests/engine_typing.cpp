// SPDX-License-Identifier: GPL-3.0-or-later
// The typing checks: each key of a sequence is offered to the check of its
// kind and appended only when accepted, as the callbacks do.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "engine/calculator.h"
#include "engine/typing.h"

namespace {

bool check(eTOKEN eToken) {
  return isNumberPart(eToken) ? digitKeyCheck(eToken) : tokenErrorCheck(eToken);
}

void appendAtCursor(char c) {
  ClState& line = g_Current_State;
  for (int k = line.m_uiLength; k > line.m_uiCursor; --k) line.m_acLine[k] = line.m_acLine[k - 1];
  line.m_acLine[line.m_uiCursor++] = c;
  line.m_acLine[++line.m_uiLength] = '\0';
}

// Types sKeys (token characters) at the cursor; returns the line.
std::string type(const std::string& sKeys) {
  for (const char c : sKeys)
    if (check(tokenOf(c))) appendAtCursor(c);
  return std::string(g_Current_State.m_acLine, g_Current_State.m_uiLength);
}

struct ClTypingCase {
  const char* acKeys;  // token characters: I Inv, g Diag, Y Sum, X Rpt, G Solve, p Pi, a Ans
  const char* acLine;  // what the line holds afterwards
};

class TypingTest : public ::testing::Test {
 protected:
  void SetUp() override { resetEngineState(); }
  void TearDown() override { lg_eActive_Input = 0; }
  // Types each case's keys on a fresh line.
  void expectLines(std::initializer_list<ClTypingCase> aCases) {
    for (const ClTypingCase& c : aCases) {
      SetUp();
      EXPECT_EQ(type(c.acKeys), c.acLine) << "keys " << c.acKeys;
    }
  }
};

TEST_F(TypingTest, KeysAgainstTheTokenBeforeTheCursor) {
  expectLines({
      {"AB", "A"},    {"A(", "A("},   {"2(", "2"},    {"=", ""},        {"A=B=", "A=B"},
      {"I+", "I"},    {"g+", "g+"},   {"Y*", "Y*"},   {"1..", "1."},    {"A.*", "A.*"},
      {"A.B", "A."},  {"A5", "A"},    {"a5", "a5"},   {"E1", "1"},      {"1E-3", "1E-3"},
      {"1E.E", "1E"}, {"1.E", "1."},  {"AX", "A"},    {"X(", "X("},     {"ii", "i"},
      {"pp", "p"},    {"p=", "p="},   {"2=", "2"},    {"A+B=", "A+B="}, {"A;;", "A;"},
      {"A,:", "A,"},  {"A=)", "A="},  {"(+", "("},    {"AG+", "AG"},    {"AG-", "AG-"},
      {"-+", "-+"},   {"[=", "["},    {"A)=", "A)="}, {"2A", "2"},      {"2g", "2"},
      {"Ag", "Ag"},   {"+", ""},      {"]", ""},      {";", ""},        {"G", ""},
      {"i(", "i"},    {"i.|", "i.|"}, {"i.i", "i."},  {"A.(", "A."},
  });
}

// The classes that look alike but are kept apart: QR is no heavy function,
// Diag and Sum may follow a value, Solve is no strict binary, a number may
// follow Ans but Ans may not follow a number.
TEST_F(TypingTest, LookAlikeClassesStayApart) {
  expectLines({
      {"2|", "2|"},   {"2}", "2"},    {"2z", "2"},   {"Az", "A"},  {"A|", "A|"},
      {"z+", "z"},    {"|+", "|+"},   {"o+", "o"},   {"aA", "a"},  {"5a", "5"},
      {"A.G", "A.G"}, {"A.-", "A.-"}, {"A.s", "A."}, {"[+", "["},  {"A,+", "A,"},
      {"(G", "(G"},   {"(*", "("},    {"AY", "AY"},  {"Y+", "Y+"}, {"5d", "5"},
  });
}

TEST_F(TypingTest, OnlyTheTokenLeftOfTheCursorCounts) {
  type("A+B");
  g_Current_State.m_uiCursor = 1;
  EXPECT_FALSE(tokenErrorCheck(eVAR_C));
  EXPECT_TRUE(tokenErrorCheck(eMINUS));
}

TEST_F(TypingTest, OneAssignmentPerLineUntilANewLineStarts) {
  type("A=B");
  g_Current_State = ClCalculator::mp_NULL_STATE;
  // the flag survives until a token is accepted at the start of a line
  EXPECT_EQ(type("B="), "B=");
}

TEST_F(TypingTest, MatrixEditorRefusesRptPlotAndAssignment) {
  lg_eActive_Input = 1;
  EXPECT_EQ(type("X"), "");
  EXPECT_EQ(type("f"), "");
  EXPECT_EQ(type("A="), "A");
}

}  // namespace
