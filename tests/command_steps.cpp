// SPDX-License-Identifier: GPL-3.0-or-later
// Steps through entered lines: which lines keep the operands of RREF, Inv,
// Det and left division, the computed steps of a kept operand ending in
// exactly what the line printed, and the exact steps' printed result as the
// pane shows it.
#include <string>
#include <vector>

#include "engine/computed_steps.h"
#include "engine/display.h"
#include "engine/steps.h"
#include "tests/support/command_driver.h"

namespace {

using StepsTest = ClCommandTest;

// A shown matrix as the output pane writes one; iFirst skips the columns
// left of the bar.
std::string paneText(const ClShownMatrix& shown, int32_t iFirst) {
  std::string sText;
  for (int32_t i = 0; i < shown.m_iRows; ++i) {
    for (int32_t j = iFirst; j < shown.m_iColumns; ++j)
      sText += (j == iFirst ? "" : ", ") + shown.entry(i, j);
    if (i + 1 < shown.m_iRows) sText += " ;\n";
  }
  return sText;
}

TEST_F(StepsTest, KeptOperandsStepsEndInWhatTheLinePrinted) {
  struct {
    const char* acLine;
    eSTEPS_KIND eKind;
  } const aCases[] = {
      {"R(A)", eSTEPS_RREF}, {"R([1,2,3;4,5,6])", eSTEPS_RREF},
      {"I(A)", eSTEPS_INV},  {"I([1+2i,2;3,4-i])", eSTEPS_INV},
      {"D(A)", eSTEPS_DET},  {"A\\[1;2;3]", eSTEPS_SOLVE},
  };
  for (const bool bZero_Out : {false, true}) {
    for (const auto& c : aCases) {
      SetUp();
      m_Seam.setOn(eSWITCH_ZERO_OUT, bZero_Out);
      ClCallback::zeroOut_cb(nullptr, nullptr);
      enter("A=[2,1,1;1,3,2;1,0,0]");
      enter(c.acLine);
      const std::string sCase = std::string(c.acLine) + (bZero_Out ? ", Zero Out" : "");
      ASSERT_EQ(g_aSteps_Kept.size(), 1u) << sCase;
      ASSERT_EQ(g_aSteps_Kept[0].m_eKind, c.eKind) << sCase;
      ClMatrix mLast;
      const ClSteps steps = computedSteps(g_aSteps_Kept[0], currentDisplayOptions(), &mLast);
      const ClMatrix& mAns = ClCalculator::mp_mLast_Output;
      std::string sPrinted;
      if (c.eKind == eSTEPS_DET) {
        sPrinted = steps.m_sValue;
      } else {
        const Eigen::Index iBar = c.eKind == eSTEPS_RREF ? 0 : mLast.rows();
        sPrinted = paneText(steps.m_Final, static_cast<int32_t>(iBar));
        // Zero Out cleans Ans; without it Ans is the engine's value itself
        if (!bZero_Out) {
          EXPECT_TRUE(mLast.rightCols(mAns.cols()) == mAns) << sCase;
        }
      }
      EXPECT_EQ(ending(output(), "\n" + sPrinted), "\n" + sPrinted) << sCase;
    }
  }
}

// Where the exact result differs from the printed one (the rows are
// dependent, the computed LU is not singular), the exact steps show the
// printed result as the output pane shows the line's value.
TEST_F(StepsTest, ExactStepsShowThePrintedResultAsThePaneDoes) {
  for (const int32_t eFormat : {eDECIMAL, eRATIONAL})
    for (const bool bZero_Out : {false, true}) {
      SetUp();
      m_Seam.setOn(eSWITCH_ZERO_OUT, bZero_Out);
      ClCallback::zeroOut_cb(nullptr, nullptr);
      g_eView_State = eFormat;
      enter("A=[0.1,0.1,0.2;0.2,0.1,0.1;0.3,0.2,0.3]");
      enter("I(A)");
      const std::string sCase =
          "format " + std::to_string(eFormat) + (bZero_Out ? ", Zero Out" : "");
      ASSERT_EQ(g_aSteps_Kept.size(), 1u) << sCase;
      ClStepsOptions options;
      options.m_Display = currentDisplayOptions();
      const ClSteps steps = computeSteps(g_aSteps_Kept[0], options);
      ASSERT_TRUE(steps.m_bExact) << sCase;
      EXPECT_EQ(steps.m_sConclusion, "Column 3 has no pivot: A is singular and has no inverse.");
      ASSERT_FALSE(steps.m_Printed.empty()) << sCase;
      const std::string sPrinted = "\n" + paneText(steps.m_Printed, 0);
      EXPECT_EQ(ending(output(), sPrinted), sPrinted) << sCase;
    }
}

std::vector<eSTEPS_KIND> keptKinds() {
  std::vector<eSTEPS_KIND> aeKinds;
  for (const ClStepsOperand& operand : g_aSteps_Kept) aeKinds.push_back(operand.m_eKind);
  return aeKinds;
}

TEST_F(StepsTest, MainLinesKeepTheirFirstEightApplications) {
  using Kinds = std::vector<eSTEPS_KIND>;
  enter("A=[2,1;1,3]");
  enter("R(A)+D(A)+D(A)+D(A)+D(A)+D(A)+D(A)+D(A)+I(A)");
  EXPECT_EQ(keptKinds(), (Kinds{eSTEPS_RREF, eSTEPS_DET, eSTEPS_DET, eSTEPS_DET, eSTEPS_DET,
                                eSTEPS_DET, eSTEPS_DET, eSTEPS_DET}));
  // a later line replaces them; one without any keeps none
  enter("I(A)");
  EXPECT_EQ(keptKinds(), Kinds{eSTEPS_INV});
  enter("1+1");
  EXPECT_TRUE(g_aSteps_Kept.empty());
  // a non-square Inv fails and is not kept, nor is a division by a 1 x 1 A
  enter("I([1,2,3])");
  enter("2\\[1,2,3]");
  EXPECT_TRUE(g_aSteps_Kept.empty());
  enter("A\\[1;2]");
  EXPECT_EQ(keptKinds(), Kinds{eSTEPS_SOLVE});
  EXPECT_EQ(g_aSteps_Kept[0].m_mB.rows(), 2);
  // a line run by Rpt is a main line
  store({"D(A)"});
  enter("X(1,1)");
  EXPECT_EQ(keptKinds(), Kinds{eSTEPS_DET});
}

TEST_F(StepsTest, EditorLinesKeepNone) {
  enter("A=[2,1;1,3]");
  enter("I(A)");
  const uint32_t uiLine = g_uiSteps_Generation;
  m_Seam.table().m_mEntries = ClMatrix::Zero(1, 2);
  lg_eActive_Input = 1;
  m_Seam.table().startEditing(0, 0);
  setCurrentLine("D(A)", 4);
  enterLine();
  lg_eActive_Input = 0;
  EXPECT_EQ(m_Seam.table().m_mEntries(0, 0), ClComplex(5, 0));
  EXPECT_EQ(keptKinds(), std::vector<eSTEPS_KIND>{eSTEPS_INV});
  EXPECT_EQ(g_uiSteps_Generation, uiLine);
}

}  // namespace
