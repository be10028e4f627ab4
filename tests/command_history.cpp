// SPDX-License-Identifier: GPL-3.0-or-later
// The history: browsing, the 1024-line window, the Edit > History items and
// the block move.
#include <string>

#include "tests/support/command_driver.h"

namespace {

using HistoryTest = ClCommandTest;

std::string slots() {
  std::string sSlots;
  for (int k = 0; k < g_uiHistory_Next; ++k) sSlots += historyLine(k) + " ";
  return sSlots;
}

TEST_F(HistoryTest, PrevAndNextBrowseAndKeepTheFreshLine) {
  enter("1");
  enter("2");
  typeKeys("3+");
  press(ePREV);
  EXPECT_EQ(currentLine(), "2");
  EXPECT_EQ(input(), "\nIn>1\nIn>2\nIn>2_");
  press(ePREV);
  press(ePREV);  // at the oldest line: ignored
  EXPECT_EQ(currentLine(), "1");
  typeKeys("0");  // edits the copy, not the slot
  press(eNEXT);
  press(eNEXT);
  EXPECT_EQ(currentLine(), "3+");
  EXPECT_EQ(input(), "\nIn>1\nIn>2\nIn>3 + _");
  press(eNEXT);  // on the fresh line: ignored
  EXPECT_EQ(currentLine(), "3+");
  EXPECT_EQ(slots(), "1 2 ");
}

TEST_F(HistoryTest, TheLine1025DropsTheOldest) {
  m_Seam.setOn(eSWITCH_EXECUTE, false);
  for (int k = 1; k <= 1025; ++k) enter(std::to_string(k));
  EXPECT_EQ(g_uiHistory_Next, 1024);
  EXPECT_EQ(g_uiHistory_Index, 1024);
  EXPECT_EQ(historyLine(0), "2");
  EXPECT_EQ(historyLine(1023), "1025");
}

TEST_F(HistoryTest, InsertItemMovesTheNewestBeforeTheBrowsedLine) {
  store({"0", "1", "2", "3", "4"});
  for (int k = 0; k < 3; ++k) press(ePREV);
  ClCallback::insert_cb(nullptr, nullptr);
  EXPECT_EQ(slots(), "0 1 4 2 3 ");
  EXPECT_EQ(g_uiHistory_Index, 3);
  EXPECT_EQ(currentLine(), "2");
}

TEST_F(HistoryTest, ClearItemDeletesTheBrowsedLine) {
  store({"0", "1", "2", "3", "4"});
  for (int k = 0; k < 3; ++k) press(ePREV);
  ClCallback::clear_cb(nullptr, nullptr);
  EXPECT_EQ(slots(), "0 1 3 4 ");
  EXPECT_EQ(currentLine(), "3");
  EXPECT_EQ(input().substr(input().size() - 5), "In>3_");

  press(eNEXT);
  ClCallback::clear_cb(nullptr, nullptr);  // the newest: an empty fresh line
  EXPECT_EQ(slots(), "0 1 3 ");
  EXPECT_EQ(currentLine(), "");
  EXPECT_EQ(g_uiHistory_Index, g_uiHistory_Next);
}

TEST_F(HistoryTest, ClearItemOnTheFreshLineEmptiesOneVariable) {
  enter("B=2");
  typeKeys("B+");
  ClCallback::clear_cb(nullptr, nullptr);
  EXPECT_EQ(ClCalculator::mp_mVariable[eVAR_B].size(), 1);
  EXPECT_EQ(currentLine(), "B+");
  press(eBKSP);
  ClCallback::clear_cb(nullptr, nullptr);
  EXPECT_EQ(ClCalculator::mp_mVariable[eVAR_B].size(), 0);
  EXPECT_EQ(currentLine(), "");
}

TEST_F(HistoryTest, ClearHistoryKeepsVariablesAndClearAllDoesNot) {
  enter("B=2");
  enter("B+1");
  ClCallback::clearAll_cb(nullptr, nullptr);
  EXPECT_EQ(g_uiHistory_Next, 0);
  EXPECT_EQ(ClCalculator::mp_mLast_Output.size(), 0);
  EXPECT_EQ(ClCalculator::mp_mVariable[eVAR_B].size(), 1);
  EXPECT_EQ(m_Seam.output().text(), "\n\n\n\n\n\n\n\n");
  EXPECT_EQ(input(), "\nIn>_");
  enter("1");
  EXPECT_EQ(output(), "Out>1 :\n1");

  ClCallback::clearEverything_cb(nullptr, nullptr);
  EXPECT_EQ(ClCalculator::mp_mVariable[eVAR_B].size(), 0);
  EXPECT_EQ(input(), "\nIn>_");
}

TEST_F(HistoryTest, BlockMoveStaysInsideTheHistory) {
  store({"0", "1", "2"});
  copyHistory(0, 1, 1023);  // slot 0 lands in 1023; slot 1 would fall outside
  EXPECT_EQ(historyLine(1023), "0");
  copyHistory(2, 1, 1);  // first after last
  copyHistory(-1, 2, 1);
  copyHistory(0, 2, 1024);
  copyHistory(0, 2, 0);
  EXPECT_EQ(slots(), "0 1 2 ");
  copyHistory(0, 2, -1);  // slot 0 has no target
  EXPECT_EQ(slots(), "1 2 2 ");
}

}  // namespace
