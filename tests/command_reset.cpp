// SPDX-License-Identifier: GPL-3.0-or-later
// The reset to the start state: after any session, a script runs exactly as
// it does from the start.
#include <string>

#include "tests/support/command_driver.h"

namespace {

using ResetTest = ClCommandTest;

// Reads an undefined variable, draws random numbers, uses Ans, counts
// through the history with Rpt, and prints in the current format and mode.
const char* const gc_aacSCRIPT[] = {"A",   "r(O(1,3))", "A=[1,2;3,4]", "a*A/3",
                                    "u=1", "u=u+1",     "X(3,1)",      "_(1)"};

// Both panes after the script.
std::string runScript(ClHeadlessSeam& seam) {
  for (const char* acLine : gc_aacSCRIPT) enter(acLine);
  return seam.output().text() + "|" + seam.input().text();
}

TEST_F(ResetTest, AScriptRunsAfterTheResetAsFromTheStart) {
  const std::string sFrom_Start = runScript(m_Seam);

  // a session that leaves every kind of state behind
  g_eWindow_Mode = 1;
  g_eView_State = 2;
  g_bZero_Out = false;
  enter("B=[1;2]");
  enter("(");  // an error
  typeKeys("3+");
  press(ePREV);
  resetCommandState(m_Seam);

  EXPECT_EQ(input(), "\nIn>_");
  EXPECT_EQ(output(), "");
  EXPECT_EQ(g_uiHistory_Next, 0);
  EXPECT_EQ(ClCalculator::mp_mVariable[eVAR_B].size(), 0);
  EXPECT_EQ(runScript(m_Seam), sFrom_Start);
}

// Its Rpt stopped on request after one of its three passes, a case leaves no
// stop behind for the next one.
TEST_F(ResetTest, AStoppedRepetitionEndsWithItsCase) {
  const std::string sFrom_Start = runScript(m_Seam);
  resetCommandState(m_Seam);
  m_Seam.stopAfterChecks(1);
  EXPECT_NE(runScript(m_Seam).find(gc_acSTOP_NOTICE), std::string::npos);

  m_Seam.stopAfterChecks(-1);
  resetCommandState(m_Seam);
  EXPECT_EQ(runScript(m_Seam), sFrom_Start);
}

}  // namespace
