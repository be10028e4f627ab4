// SPDX-License-Identifier: GPL-3.0-or-later
// Enter: history append, echo, results and messages in the panes, and the
// scripts run by repetition.
#include <string>

#include "tests/support/command_driver.h"

namespace {

using EnterTest = ClCommandTest;

double realOf(eTOKEN eVariable) {
  return ClCalculator::mp_mVariable[eVariable](0, 0).real();
}

TEST_F(EnterTest, OutputOfOneLine) {
  struct {
    const char* acLine;
    const char* acOutput;
  } const aCases[] = {
      {"1+1", "Out>1 + 1 :\n2"},
      {"1+1;", "Out>\n"},
      {"", "Out> :\n"},
      {"AB", "Out>AB :\nMisplaced value"},
      {"U", "Out>U :\nEmpty matrix"},
      // the echo shows the line as the lexer completed it
      {"[1,2", "Out>[1, 2] :\n1, 2"},
      {"[1;2]", "Out>[1; 2] :\n1 ;\n2"},
      // the first line has nothing before it to repeat
      {"X(3)", "Out>\n"},
  };
  for (const auto& c : aCases) {
    SetUp();
    enter(c.acLine);
    EXPECT_EQ(output(), c.acOutput) << "line " << c.acLine;
    EXPECT_EQ(g_uiError_Number, 0);
  }
}

TEST_F(EnterTest, HistoryKeepsTheLineAsTyped) {
  enter("[1,2;");
  enter("");
  EXPECT_EQ(g_uiHistory_Next, 1);
  EXPECT_EQ(historyLine(0), "[1,2;");
  EXPECT_EQ(input(), "\nIn>[1, 2; \nIn>\nIn>_");
}

TEST_F(EnterTest, ExecuteOffStoresWithoutPrinting) {
  store({"u=7"});
  EXPECT_EQ(output(), "");
  EXPECT_EQ(ClCalculator::mp_mVariable[eVAR_u].size(), 0);
  enter("X(1,1)");
  EXPECT_EQ(output(), "Out>u = 7 :\n7\nOut>\n");
}

TEST_F(EnterTest, OneWindowModeShowsResultsInTheInputPane) {
  g_eWindow_Mode = 1;
  enter("1+1");
  enter("[1;2]");
  enter("AB");
  EXPECT_EQ(input(),
            "\nIn>1 + 1\nOut>2\nIn>[1; 2]\nOut>:\n1 ;\n2\nIn>AB\nOut>Misplaced value\nIn>_");
  EXPECT_EQ(output(), "Out>1 + 1 :\n2\nOut>[1; 2] :\n1 ;\n2\nOut>AB :\nMisplaced value");
}

TEST_F(EnterTest, OneWindowModeShowsRepeatedLinesInTheInputPane) {
  g_eWindow_Mode = 1;
  store({"u=1"});
  enter("X(1,1)");
  EXPECT_EQ(input(), "\nIn>u = 1\nIn>Rpt(1, 1)\nOut>u = 1 \n1\nOut>\nIn>_");
  EXPECT_EQ(output(), "Out>u = 1 :\n1\nOut>\n");
}

TEST_F(EnterTest, HilbertMatrixScript) {
  for (const char* acLine : {"w=4", "Q=O(w)", "u=0", "u=u+1", "v=0", "v=v+1", "Q(u,v)=1/(u+v-1)",
                             "X(w-1,2);", "X(w-1,5);"})
    enter(acLine);
  const ClMatrix& mQ = ClCalculator::mp_mVariable[eVAR_Q];
  ASSERT_EQ(mQ.rows(), 4);
  ASSERT_EQ(mQ.cols(), 4);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_DOUBLE_EQ(mQ(r, c).real(), 1.0 / (r + c + 1)) << r << c;
  // the `;` after each Rpt silences every line it runs
  EXPECT_EQ(ending(output(), "\nOut>\n\nOut>\n"), "\nOut>\n\nOut>\n");
}

TEST_F(EnterTest, RepetitionPrintsEachLineAndEmptyMatrixGoesOn) {
  store({"U", "u=1"});
  enter("X(2,2)");
  EXPECT_EQ(output(),
            "Out>U :\nEmpty matrix\nOut>u = 1 :\n1"
            "\nOut>U :\nEmpty matrix\nOut>u = 1 :\n1\nOut>\n");
}

TEST_F(EnterTest, AnErrorEndsTheRepetitionAndIsPrintedOnce) {
  store({"u=1", "AB", "u=2"});
  enter("X(5,3)");
  EXPECT_EQ(output(), "Out>u = 1 :\n1\nMisplaced value\nOut>\n");
  EXPECT_EQ(realOf(eVAR_u), 1);
}

// The lexer refuses the first line of the range and writes no text: the
// Rpt line's own value 1 must not show as its result.
TEST_F(EnterTest, ALineRefusedByTheLexerShowsNoEarlierResult) {
  store({"AB"});
  enter("X(1,1)");
  EXPECT_EQ(output(), "Misplaced value\nOut>\n");
}

TEST_F(EnterTest, ForwardRangeAtTheTopIsRefusedSilently) {
  enter("u=1");
  enter("X(1,1,-1)");
  EXPECT_EQ(output(), "Out>u = 1 :\n1\nOut>\n");
}

TEST_F(EnterTest, NestedForwardReachingRepetition) {
  enter("u=0");
  // repeats the two lines after it three times; at the top it runs nothing
  enter("X(3,-1,-2)");
  enter("u=u+1");
  enter("v=u*2");
  enter("X(1,3,3)");
  EXPECT_EQ(realOf(eVAR_u), 4);
  EXPECT_EQ(realOf(eVAR_v), 8);
  EXPECT_EQ(output().substr(output().find("\nOut>u = u + 1 :\n2")),
            "\nOut>u = u + 1 :\n2\nOut>v = u * 2 :\n4"
            "\nOut>u = u + 1 :\n3\nOut>v = u * 2 :\n6"
            "\nOut>u = u + 1 :\n4\nOut>v = u * 2 :\n8\nOut>\n");
}

TEST_F(EnterTest, ConditionalRepetition) {
  enter("u=0");
  store({"u=u+1;"});
  struct {
    const char* acRpt;
    double dU;  // u after the line
  } const aCases[] = {
      {"X(2,1,1,3-u)", 2},  // condition 3 >= 0: runs
      {"X(2,2,2,2-u)", 4},  // 0 >= 0: runs
      {"X(2,3,3,3-u)", 4},  // -1: does not run
      {"X(2,4,4,0,1)", 4},  // a fifth argument makes the test strict: 0 > 0 fails
      {"X(2,5,5,1,1)", 6},
  };
  for (const auto& c : aCases) {
    const size_t uiBefore = output().size();
    enter(c.acRpt);
    EXPECT_EQ(realOf(eVAR_u), c.dU) << c.acRpt;
    EXPECT_EQ(output().substr(uiBefore), "\nOut>\n") << c.acRpt;
  }
}

TEST_F(EnterTest, FullHistoryRepeatsFromTheShiftedSlot) {
  enter("u=0");
  m_Seam.setOn(eSWITCH_EXECUTE, false);
  for (int k = 0; k < 1100; ++k) enter("v=1");
  enter("u=u+1");
  enter("u=u*10");
  m_Seam.setOn(eSWITCH_EXECUTE, true);
  enter("X(1,2);");
  EXPECT_EQ(g_uiHistory_Next, 1024);
  EXPECT_EQ(historyLine(1023), "X(1,2);");
  EXPECT_EQ(historyLine(1021), "u=u+1");
  EXPECT_EQ(realOf(eVAR_u), 10);
}

// Each line repeats the one before it, 1022 levels deep: the deepest nesting
// a full history allows must not exhaust the stack.
TEST_F(EnterTest, DeepestNestingOfAFullHistory) {
  enter("u=0");
  m_Seam.setOn(eSWITCH_EXECUTE, false);
  enter("u=u+1");
  for (int k = 2; k < 1023; ++k) enter("X(1,1)");
  m_Seam.setOn(eSWITCH_EXECUTE, true);
  enter("X(1,1)");
  EXPECT_EQ(g_uiHistory_Next, 1024);
  EXPECT_EQ(realOf(eVAR_u), 1);
  EXPECT_EQ(ending(output(), "\nOut>u = u + 1 :\n1\nOut>\n"), "\nOut>u = u + 1 :\n1\nOut>\n");
}

TEST_F(EnterTest, StopRequestEndsEveryLevelAndKeepsWhatRan) {
  enter("u=0");
  store({"u=u+1;", "X(60000,1)"});
  // the outer line check, then six lines of the inner repetition
  m_Seam.stopAfterChecks(7);
  enter("X(60000,1)");
  EXPECT_EQ(realOf(eVAR_u), 6);
  EXPECT_EQ(output(), std::string("Out>u = 0 :\n0\n") + gc_acSTOP_NOTICE + "\nOut>\n");
  EXPECT_EQ(g_uiHistory_Next, 4);
  EXPECT_EQ(historyLine(3), "X(60000,1)");
  EXPECT_EQ(currentLine(), "");
  enter("u");
  EXPECT_EQ(ending(output(), "\nOut>u :\n6"), "\nOut>u :\n6");
}

TEST_F(EnterTest, ExitAsksAndHidesOnYes) {
  m_Seam.queueChoice(0);
  ClCallback::exit_cb(nullptr, nullptr);
  EXPECT_FALSE(m_Seam.isHidden());
  m_Seam.queueChoice(1);
  ClCallback::exit_cb(nullptr, nullptr);
  EXPECT_TRUE(m_Seam.isHidden());
  ASSERT_EQ(m_Seam.questions().size(), 2u);
  EXPECT_EQ(m_Seam.questions()[0], "Exit ORVEL Calculator?");
}

TEST_F(EnterTest, ZeroOutFollowsItsSwitch) {
  m_Seam.setOn(eSWITCH_ZERO_OUT, false);
  ClCallback::zeroOut_cb(nullptr, nullptr);
  EXPECT_FALSE(g_bZero_Out);
  m_Seam.setOn(eSWITCH_ZERO_OUT, true);
  ClCallback::zeroOut_cb(nullptr, nullptr);
  EXPECT_TRUE(g_bZero_Out);
}

}  // namespace
