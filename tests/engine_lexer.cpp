// SPDX-License-Identifier: GPL-3.0-or-later
// Lexer: token streams, placement errors, closing of brackets and the bounds
// of the line and the stream, all through runLine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/engine_driver.h"

namespace {

class LexerTest : public ::testing::Test {
 protected:
  void SetUp() override { resetEngineState(); }
};

std::vector<eTOKEN> streamKinds() {
  std::vector<eTOKEN> aeKinds;
  for (uint16_t k = 0; k < lg_uiToken_Stream_Length; ++k)
    aeKinds.push_back(lg_aToken_Stream[k].m_eToken);
  return aeKinds;
}

struct StreamCase {
  const char* acLine;
  std::vector<eTOKEN> aeKinds;
  double dFirstValue;  // value of the first token
  const char* acLineAfter;
};

TEST_F(LexerTest, BuildsTokenStreams) {
  const StreamCase aCases[] = {
      {"2.5E-3", {eREAL_NUMBER}, 0.0025, "2.5E-3"},
      {"1E+2", {eREAL_NUMBER}, 100.0, "1E+2"},
      {"2i", {eREAL_NUMBER, eTIMES, eIMAG_NUMBER}, 2.0, "2i"},
      {"i", {eIMAG_NUMBER}, 1.0, "i"},
      {"2.*3", {eREAL_NUMBER, eEL_TIMES, eREAL_NUMBER}, 2.0, "2.*3"},
      {"2./3", {eREAL_NUMBER, eEL_RIGHT_DIV, eREAL_NUMBER}, 2.0, "2./3"},
      {"2.\\3", {eREAL_NUMBER, eEL_LEFT_DIV, eREAL_NUMBER}, 2.0, "2.\\3"},
      {"2.5", {eREAL_NUMBER}, 2.5, "2.5"},
      {"1.2.3", {eREAL_NUMBER}, 1.2, "1.2.3"},
      {"1..5", {eREAL_NUMBER}, 1.0, "1..5"},
      {"p", {eREAL_NUMBER}, 3.141592653589793, "p"},
      {"(1+2", {eLPAREN, eREAL_NUMBER, ePLUS, eREAL_NUMBER, eRPAREN}, 0.0, "(1+2)"},
      {"([1", {eLPAREN, eLBRACKET, eREAL_NUMBER, eRBRACKET, eRPAREN}, 0.0, "([1])"},
      // i after any value multiplies it, as after a number
      {"Ai", {eVAR_A, eTIMES, eIMAG_NUMBER}, 0.0, "Ai"},
      {"ai", {eANS, eTIMES, eIMAG_NUMBER}, 0.0, "ai"},
      {"pi", {eREAL_NUMBER, eTIMES, eIMAG_NUMBER}, 3.141592653589793, "pi"},
      {"ii", {eIMAG_NUMBER, eTIMES, eIMAG_NUMBER}, 1.0, "ii"},
      {"(1)i", {eLPAREN, eREAL_NUMBER, eRPAREN, eTIMES, eIMAG_NUMBER}, 0.0, "(1)i"},
      {"[1]i", {eLBRACKET, eREAL_NUMBER, eRBRACKET, eTIMES, eIMAG_NUMBER}, 0.0, "[1]i"},
      // after an operator, an opening bracket or a separator it stands alone
      {"-i", {eMINUS, eIMAG_NUMBER}, 0.0, "-i"},
      {"(i", {eLPAREN, eIMAG_NUMBER, eRPAREN}, 0.0, "(i)"},
      {"[1,i", {eLBRACKET, eREAL_NUMBER, eCOMMA, eIMAG_NUMBER, eRBRACKET}, 0.0, "[1,i]"},
  };
  runLine("A=1");  // A and Ans hold values
  for (const StreamCase& c : aCases) {
    const ClRun run = runLine(c.acLine);
    SCOPED_TRACE(c.acLine);
    EXPECT_TRUE(run.bLexed);
    EXPECT_EQ(run.uiError, 0);
    EXPECT_EQ(streamKinds(), c.aeKinds);
    if (c.dFirstValue != 0.0) {
      EXPECT_EQ(lg_aToken_Stream[0].m_dValue, c.dFirstValue);
    }
    EXPECT_EQ(run.sLine, c.acLineAfter);
    EXPECT_EQ(g_Current_State.m_uiCursor, g_Current_State.m_uiLength);
    EXPECT_EQ(lg_aToken_Stream[lg_uiToken_Stream_Length].m_eToken, eNULL);
  }
}

TEST_F(LexerTest, ImaginaryUnitAfterAValueMultipliesItInTheResult) {
  runLine("A=[1,2]");
  expectTexts({
      {"Ai", "i, 2i"},
      {"(1+2)i", "0 + 3i"},
      {"[1,2]i+1", "1 + i, 1 + 2i"},
      {"pi", "0 + 3.14159i"},
      {"ai", "-3.14159"},  // Ans is Pi i
      {"ii", "-1"},
      {"Ai^2", "-1, -2"},  // ^ binds i before the product
  });
}

TEST_F(LexerTest, BindsNamesToTheirStorage) {
  runLine("w+a");
  EXPECT_EQ(lg_aToken_Stream[0].m_pmMatrix, &ClCalculator::mp_mVariable[15]);
  EXPECT_EQ(lg_aToken_Stream[2].m_pmMatrix, &ClCalculator::mp_mLast_Output);
}

TEST_F(LexerTest, EmptyLineGivesTheTerminatorAlone) {
  const ClRun run = runLine("");
  EXPECT_TRUE(run.bLexed);
  EXPECT_EQ(run.uiError, 0);
  EXPECT_EQ(lg_uiToken_Stream_Length, 0);
  EXPECT_EQ(lg_aToken_Stream[0].m_eToken, eNULL);
}

struct ErrorCase {
  const char* acLine;
  uint16_t uiError;
  bool bLexed;
  const char* acLineAfter;
};

// Runs each line: its error, whether it reached the parser, and the line as
// the lexer left it, with the cursor at its end.
template <size_t N>
void expectErrors(const ErrorCase (&aCases)[N]) {
  for (const ErrorCase& c : aCases) {
    const ClRun run = runLine(c.acLine);
    SCOPED_TRACE(c.acLine);
    EXPECT_EQ(run.uiError, c.uiError);
    EXPECT_EQ(run.bLexed, c.bLexed);
    EXPECT_EQ(run.sLine, c.acLineAfter);
    EXPECT_EQ(g_Current_State.m_uiCursor, g_Current_State.m_uiLength);
  }
}

TEST_F(LexerTest, ReportsMisplacedTokens) {
  const ErrorCase aCases[] = {
      {".", 1, true, "."},         {"E", 1, true, "E"},         {"1E", 1, true, "1E"},
      {"1E400", 1, true, "1E400"}, {"2A+1", 14, false, "2A"},   {"AU+1", 14, false, "AU"},
      {"A2", 14, false, "A2"},     {"A2+1", 14, false, "A2+1"}, {"(1)2", 14, false, "(1)2"},
      {"2D3", 15, false, "2D3"},   {"+1", 16, false, "+1"},     {"1+*2", 16, false, "1+*2"},
      {"(*2", 16, false, "(*2"},   {")", 18, false, ")"},       {"D)", 17, false, "D)"},
      {"1=)", 17, false, "1=)"},   {"[1)", 4, false, "[1)"},    {"1)", 4, false, "1)"},
  };
  expectErrors(aCases);
}

// A number that does not convert leaves the line to the parser with error 1;
// a refusal later in the line, the size error of Id and Ones and the
// emptying of a variable are reported instead.
TEST_F(LexerTest, SomeErrorsReplaceANumberError) {
  const ErrorCase aCases[] = {
      {"1E)", 18, false, "1E"},         {"2+1E*3", 16, false, "2+1E"},
      {"A1EB", 14, false, "A1EB"},      {"A1ED", 15, false, "A1E"},
      {"1E@", 2, false, "1E"},          {"d(0)+1E", 19, true, "d(0)+1E"},
      {"A=[]+1E", 24, true, "A=[]+1E"},
  };
  runLine("A=1");
  expectErrors(aCases);
  // no room to close the brackets after the number
  const std::string sLine = std::string(256, '(') + "1E";
  EXPECT_EQ(runLine(sLine).uiError, 18);
}

TEST_F(LexerTest, RefusesCommandKeys) {
  const ClRun run = runLine("1<2");
  EXPECT_EQ(run.uiError, 2);
  EXPECT_FALSE(run.bLexed);
}

TEST_F(LexerTest, BadNumberCutsTheLineAfterIt) {
  // "E-" does not convert: the line ends just after it
  const ClRun run = runLine("(E-+2");
  EXPECT_EQ(run.sLine, "(E-");
  EXPECT_EQ(g_Current_State.m_uiCursor, 3);
}

TEST_F(LexerTest, ClosesBracketsUpToAFullLine) {
  // 255 + 2 characters and 255 closing brackets: exactly 512
  const std::string sLine = std::string(255, '(') + "12";
  const ClRun run = runLine(sLine);
  EXPECT_TRUE(run.bLexed);
  EXPECT_EQ(run.uiError, 0);
  EXPECT_EQ(run.sLine, sLine + std::string(255, ')'));
  EXPECT_EQ(run.sText, "12");
}

TEST_F(LexerTest, RefusesLinesTooLongToClose) {
  const std::string sLine = std::string(256, '(') + "12";
  const ClRun run = runLine(sLine);
  EXPECT_FALSE(run.bLexed);
  EXPECT_EQ(run.uiError, 18);
  EXPECT_EQ(run.sLine, sLine);
  EXPECT_EQ(g_Current_State.m_acLine[sLine.size()], '\0');
}

TEST_F(LexerTest, RefusesStreamsBeyondTheirBound) {
  // every "1i+" or "Ai+" gives four tokens for three characters
  for (const std::string sPiece : {"1i+", "Ai+"}) {
    SCOPED_TRACE(sPiece);
    resetEngineState();
    std::string sLine;
    while (sLine.size() < 510) sLine += sPiece;
    sLine += "1";
    const ClRun run = runLine(sLine);
    EXPECT_FALSE(run.bLexed);
    EXPECT_EQ(run.uiError, 8);
    EXPECT_EQ(run.sLine, sLine);
    EXPECT_LE(lg_uiToken_Stream_Length, 512);
    EXPECT_EQ(lg_aToken_Stream[lg_uiToken_Stream_Length].m_eToken, eNULL);
  }
}

}  // namespace
