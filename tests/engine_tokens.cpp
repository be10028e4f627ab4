// Token vocabulary and line records: the dictionaries that data files and the
// keyboard rely on, the one assignment through which lines move, and the
// rendering of a line's tokens.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/calculator.h"

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

}  // namespace
