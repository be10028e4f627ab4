// SPDX-License-Identifier: GPL-3.0-or-later
// Token vocabulary and line records: the dictionaries that data files and the
// keyboard rely on, the one assignment through which lines move, and the
// rendering of a line's tokens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "engine/calculator.h"
#include "tests/support/engine_driver.h"

namespace {

ClState lineOf(const char* acTokens) {
  ClState line;
  const size_t uiLength = std::strlen(acTokens);
  std::memcpy(line.m_acLine, acTokens, uiLength);
  line.m_uiLength = static_cast<uint16_t>(uiLength);
  line.m_uiCursor = line.m_uiLength;
  return line;
}

TEST(TokensTest, DictionariesMapCodesAndCharactersBothWays) {
  EXPECT_EQ(g_aeDictionary['D'], eDET);
  EXPECT_EQ(g_aeDictionary['?'], eACOSH);
  EXPECT_EQ(g_aeDictionary[13], eENTER);
  EXPECT_EQ(g_aeDictionary['x'], eREAL);
  EXPECT_EQ(g_eiDictionary[eDET], 'D');
  EXPECT_EQ(g_eiDictionary[eACOSH], '?');
  EXPECT_EQ(g_eiDictionary[eREAL_NUMBER], 0);
  EXPECT_EQ(g_eiDictionary[eIMAG_NUMBER], 0);
  EXPECT_EQ(g_eiDictionary[eEL_TIMES], 0);
  // every character without a token gives Null; the highest one wins
  EXPECT_EQ(g_eiDictionary[eNULL], 127);
}

// The table is indexed by code: a row out of place would rename a token.
TEST(TokensTest, TableRowsStandAtTheirCodes) {
  for (int k = 0; k < gc_iTOKEN_COUNT; ++k) EXPECT_EQ(gc_aTOKEN_TABLE[k].m_eCode, k) << k;
}

TEST(TokensTest, LinesMoveByAssignmentOnly) {
  const ClState fresh;
  EXPECT_EQ(fresh.m_acLine[0], '!');
  EXPECT_EQ(fresh.m_uiLength, 0);
  EXPECT_EQ(fresh.m_uiDisplay_Start, 12u);

  ClState line = lineOf("A=[1,2;3]");
  line.m_uiRepeat_Count = 3;
  line = lineOf("2+3");
  EXPECT_EQ(line.m_uiLength, 3);
  EXPECT_EQ(line.m_uiRepeat_Count, 0);
  for (int k = 3; k < gc_iLINE_SIZE; ++k) ASSERT_EQ(line.m_acLine[k], '\0') << k;

  line = fresh;
  EXPECT_EQ(line.m_acLine[0], '\0');
}

TEST(TokensTest, RendersTokensByTheirDisplayNames) {
  char acText[512 * 8];
  const ClState line = lineOf("2+3Gk");
  line.inputToChar(acText, 0, 3);
  EXPECT_STREQ(acText, "2 + 3");
  line.inputToChar(acText, 3, 5);
  EXPECT_STREQ(acText, " Solve SVD ");
  line.inputToChar(acText, 2, 2);
  EXPECT_STREQ(acText, "");
}

// Codes first..last and the single codes after them.
std::set<int> codes(std::initializer_list<std::pair<int, int>> aRanges,
                    std::initializer_list<int> aSingles = {}) {
  std::set<int> aCodes(aSingles);
  for (const auto& range : aRanges)
    for (int t = range.first; t <= range.second; ++t) aCodes.insert(t);
  return aCodes;
}

struct ClClassCase {
  const char* acName;
  bool (*pPredicate)(int);
  std::set<int> aMembers;
};

// Every class against every code (and one code either side of the table): a
// row whose kind or flags change moves a token in or out of a class here.
TEST(TokensTest, EachClassHasExactlyItsMembers) {
  const ClClassCase aCases[] = {
      {"isVariableToken", isVariableToken, codes({{eVAR_A, eVAR_w}})},
      {"listed variable",
       [](int t) { return std::count(gc_aeVARIABLES.begin(), gc_aeVARIABLES.end(), t) == 1; },
       codes({{eVAR_A, eVAR_w}})},
      {"isNamedValue", isNamedValue, codes({{eVAR_A, eVAR_w}}, {eANS})},
      {"isNumberPart", isNumberPart, codes({{eDIGIT_0, eEXPONENT}})},
      {"isDigitToken", isDigitToken, codes({{eDIGIT_0, eDIGIT_9}})},
      {"isPrefixFunction", isPrefixFunction,
       codes({{eDIAG, eEL_OP}}, {eROOTS, eQR, eRPT, ePLOT, eSQRT})},
      {"isBinaryOperator", isBinaryOperator, codes({{ePLUS, eSOLVE}}, {ePOWER, eTENSOR})},
      {"isSeparator", isSeparator, codes({{eSEMICOLON, eCOMMA}})},
      {"isClosing", isClosing, codes({}, {eRBRACKET, eRPAREN})},
      {"isOpening", isOpening, codes({}, {eLBRACKET, eLPAREN})},
      {"endsList", endsList, codes({}, {eNULL, eRBRACKET, eRPAREN})},
      {"endsValue", endsValue, codes({{eREAL_NUMBER, eVAR_w}}, {eRBRACKET, eRPAREN})},
      {"endsTypedValue", endsTypedValue,
       codes({{eREAL_NUMBER, eVAR_w}, {eDIGIT_0, eEXPONENT}}, {eANS, eRBRACKET, eRPAREN})},
      {"isLineToken", isLineToken,
       codes({{eBLANK, eRBRACKET}, {eRPAREN, eLBRACKET}, {eLPAREN, eRPT}},
             {ePLOT, eSQRT, eTENSOR})},
      {"isPrefixLevel", isPrefixLevel,
       codes({{eSUM, eMIN}, {eINV, eRNDN}, {eMOD, eRREF}}, {eMINUS, eROOTS, eSQRT})},
      {"waitsForOperand", waitsForOperand,
       codes({{eDIAG, eASSIGN}, {eLPAREN, eQR}}, {eRPT, ePLOT, eSQRT, eTENSOR})},
      {"refusesCloseAfter", refusesCloseAfter, codes({{eDIAG, eASSIGN}})},
      {"refusedAfterNumber", refusedAfterNumber, codes({{eDIAG, eASSIGN}}, {eLBRACKET, eLPAREN})},
      {"isStrictBinary", isStrictBinary, codes({{ePLUS, eEL_TIMES}}, {ePOWER, eTENSOR})},
      {"isHeavyFunction", isHeavyFunction, codes({{eID, eRREF}}, {eROOTS, eSQRT})},
      {"refusesStrictBinaryTyped", refusesStrictBinaryTyped,
       codes({{eID, eASSIGN}, {eSEMICOLON, eLBRACKET}, {ePLUS, ePOWER}},
             {eLPAREN, eSQRT, eTENSOR})},
  };
  for (const ClClassCase& c : aCases) {
    for (int t = -1; t <= gc_iTOKEN_COUNT; ++t)
      EXPECT_EQ(c.pPredicate(t), c.aMembers.count(t) == 1)
          << c.acName << " of " << t << " " << tokenName(t);
  }
}

// A history file keeps the variables' values in code order.
TEST(TokensTest, VariablesAreListedInCodeOrder) {
  for (size_t k = 0; k < gc_aeVARIABLES.size(); ++k)
    EXPECT_EQ(gc_aeVARIABLES[k], eVAR_A + static_cast<int>(k)) << k;
}

struct ClLexCase {
  const char* acLine;
  uint16_t uiError;  // the lexer's, 0 when the line reaches the parser
};

// Where classes that look alike differ, the lexer tells them apart.
TEST(TokensTest, LexerKeepsTheClassesApart) {
  const ClLexCase aCases[] = {
      // `)` may follow Roots and Sqrt, not Sin or `=`
      {"(z)", 0},
      {"(})", 0},
      {"(s)", eERROR_MISPLACED_CLOSE},
      {"(A=)", eERROR_MISPLACED_CLOSE},
      // a value may follow Ans, not a variable, i or `)`
      {"a5", 0},
      {"aA", 0},
      {"A5", eERROR_MISPLACED_VALUE},
      {"i5", eERROR_MISPLACED_VALUE},
      {"(1)A", eERROR_MISPLACED_VALUE},
      // every prefix key waits for its operand, as do `(` and `-`
      {"|+1", eERROR_MISPLACED_BINARY},
      {"z+1", eERROR_MISPLACED_BINARY},
      {"(+1", eERROR_MISPLACED_BINARY},
      {"-+1", eERROR_MISPLACED_BINARY},
      {"1G+1", eERROR_MISPLACED_BINARY},
      // a list's `[` and separators do not
      {"[+1]", 0},
      {"[1,+1]", 0},
      // a prefix key after a value is misplaced, whichever it is
      {"2z", eERROR_MISPLACED_OPERATOR},
      {"2g", eERROR_MISPLACED_OPERATOR},
  };
  for (const ClLexCase& c : aCases) {
    resetEngineState();
    const ClRun run = runLine(c.acLine);
    SCOPED_TRACE(c.acLine);
    EXPECT_EQ(run.bLexed, c.uiError == 0);
    if (c.uiError != 0) {
      EXPECT_EQ(run.uiError, c.uiError);
    }
  }
}

struct ClErrorCase {
  eERROR eError;
  const char* acMessage;
};

// Each name says its message.
TEST(TokensTest, ErrorNamesMatchTheirMessages) {
  const ClErrorCase aCases[] = {
      {eERROR_NONE, ""},
      {eERROR_NUMBER_INPUT, "Number input error"},
      {eERROR_KEY_INPUT, "Key input error"},
      {eERROR_ASSIGNMENT, "Assignment error"},
      {eERROR_MISSING_PARENTHESES, "Missing parentheses or bracket"},
      {eERROR_BAD_PARAMETER_LIST, "Bad parameter list"},
      {eERROR_SIZE_MISMATCH, "Matrix size mismatch"},
      {eERROR_SCALAR_EXPRESSION, "Incorrect scalar expression"},
      {eERROR_EXPRESSION, "Expression error"},
      {eERROR_NON_SQUARE, "Non-square matrix"},
      {eERROR_SINGULAR, "Singular matrix"},
      {eERROR_SCALAR_RANGE, "Scalar value not in correct range"},
      {eERROR_INVALID_NUMBERS, "Invalid numbers"},
      {eERROR_OPERATOR_CALCULATION, "Operator calculation error"},
      {eERROR_MISPLACED_VALUE, "Misplaced value"},
      {eERROR_MISPLACED_OPERATOR, "Misplaced operator"},
      {eERROR_MISPLACED_BINARY, "Misplaced binary operator"},
      {eERROR_MISPLACED_CLOSE, "Misplaced right parenthesis or bracket"},
      {eERROR_MISSING_CLOSE, "Missing right parenthesis or bracket"},
      {eERROR_MATRIX_SIZE, "Matrix size error"},
      {eERROR_DIMENSIONS_TOO_LARGE, "Matrix dimensions too large"},
      {eERROR_INVALID_COORDINATES, "Invalid coordinates"},
      {eERROR_INVALID_POLYNOMIAL, "Invalid polynomial"},
      {eERROR_GRAPH_LIMIT, "Graph limit exceeded"},
      {eERROR_EMPTY_MATRIX, "Empty matrix"},
      {eERROR_STEP_SIZE, "Incorrect step size"},
      {eERROR_CONDITIONAL, "Incorrect conditional"},
      {eERROR_PLOT_NOT_OPEN, "Plot window is not open"},
      {eERROR_RPT_LIMIT, "Limit on Rpts exceeded"},
      {eERROR_GRAPH_PARAMETERS,
       "\nGraph parameters incorrect, using defaults [-3, 3, 1, -2, 2, 1]"},
      {eERROR_RPT_NOT_EXECUTED, "Rpt command not executed"},
      {eERROR_BAD_INTEGERS, "Bad integer values"},
  };
  ASSERT_EQ(std::size(aCases), static_cast<size_t>(gc_iERROR_COUNT));
  for (const ClErrorCase& c : aCases)
    EXPECT_STREQ(gc_aacERROR_MESSAGE[c.eError], c.acMessage) << c.eError;
}

}  // namespace
