// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the graph: parameters from the current line, the notice and the
// defaults, and the plot store that Enter and Rpt fill.
#include <string>

#include "tests/support/graph_driver.h"

namespace {

using GraphParametersTest = ClGraphTest;

const char gc_acNOTICE[] = "\nGraph parameters incorrect, using defaults [-3, 3, 1, -2, 2, 1]";

void expectParameters(const double (&adExpected)[gc_iPLOT_PARMS], const std::string& sLine) {
  for (int i = 0; i < gc_iPLOT_PARMS; ++i)
    EXPECT_DOUBLE_EQ(g_adPlot_Parms[i], adExpected[i]) << sLine << " parameter " << i;
}

TEST_F(GraphParametersTest, ValidLineGivesParametersRoundedUpToTenThousandths) {
  struct {
    const char* acLine;
    double adParms[gc_iPLOT_PARMS];
  } const aCases[] = {
      {"", {-3, 3, 1, -2, 2, 1}},
      {"[-1,1,3,0,10,4]", {-1, 1, 3, 0, 10, 4}},
      {"[-0.12345,1.00005,0,0.12345,2.00000001,1]", {-0.1234, 1.0001, 0, 0.1235, 2, 1}},
  };
  for (const auto& c : aCases) {
    SetUp();
    openWith(c.acLine);
    EXPECT_EQ(g_eOutput, 1);
    expectParameters(c.adParms, c.acLine);
    EXPECT_EQ(output().find(gc_acNOTICE), std::string::npos) << c.acLine;
    EXPECT_EQ(g_uiHistory_Next, c.acLine[0] == '\0' ? 0 : 1) << "the line is entered";
  }
}

TEST_F(GraphParametersTest, InvalidLineGivesNoticeAndDefaults) {
  const char* const aacLINES[] = {
      "[1,1,1,0,1,1]",           // xmax not above xmin
      "[-3,3,1,2,2,1]",          // ymax not above ymin
      "[-3,3,-1,-2,2,1]",        // negative xscale
      "[-3,3,1,-2,2,-1]",        // negative yscale
      "[1,2,3]",                 // not 1 x 6
      "1+",                      // no value at all
      "[0,1E308,1,0,1,1]",       // rounding would leave the largest double behind
      "[-1E308,1E308,1,0,1,1]",  // a range wider than the largest double
  };
  for (const char* acLine : aacLINES) {
    SetUp();
    openWith(acLine);
    EXPECT_EQ(g_eOutput, 1) << acLine;
    expectParameters({-3, 3, 1, -2, 2, 1}, acLine);
    EXPECT_EQ(ending(output(), gc_acNOTICE), gc_acNOTICE) << acLine;
  }
  // the next output follows the notice
  enter("1+1");
  EXPECT_EQ(ending(output(), std::string(gc_acNOTICE) + "\nOut>1 + 1 :\n2"),
            std::string(gc_acNOTICE) + "\nOut>1 + 1 :\n2");
}

TEST_F(GraphParametersTest, NoticeStaysInTheInputPaneWhereResultsShowThere) {
  g_eWindow_Mode = 1;
  openWith("[1,2,3]");
  const std::string sNotice = std::string(gc_acNOTICE) + "\nIn>_";
  EXPECT_EQ(ending(input(), sNotice), sNotice);
  typeKeys("1");
  const std::string sTyped = std::string(gc_acNOTICE) + "\nIn>1_";
  EXPECT_EQ(ending(input(), sTyped), sTyped);
}

TEST_F(GraphParametersTest, SixPlotsAreStoredAndASeventhIsRefused) {
  enter("f([0,1],[0,1])");
  EXPECT_EQ(ending(output(), "Plot window is not open"), "Plot window is not open");
  openWith("");
  for (int k = 0; k < gc_iPLOT_SLOTS; ++k) enter("f([0,1],[" + std::to_string(k) + ",1])");
  EXPECT_EQ(g_uiActive_Plots, gc_iPLOT_SLOTS);
  EXPECT_EQ(ClCalculator::mp_mVariable[5](1, 0).real(), 5);
  enter("f([0,1],[9,9])");
  EXPECT_EQ(ending(output(), "Graph limit exceeded"), "Graph limit exceeded");
  EXPECT_EQ(g_uiActive_Plots, gc_iPLOT_SLOTS);
  EXPECT_EQ(ClCalculator::mp_mVariable[5](1, 0).real(), 5);

  ClCallback::clearGraph_cb(nullptr, nullptr);
  EXPECT_EQ(g_uiActive_Plots, 0);
  EXPECT_EQ(ClCalculator::mp_mVariable[0].size(), 0);
  // a repetition stores plots too
  enter("u=0");
  enter("u=u+1;");
  enter("f([0,u],[0,u]);");
  enter("X(2,2)");
  EXPECT_EQ(g_uiActive_Plots, 3);
  EXPECT_EQ(ClCalculator::mp_mVariable[2](0, 1).real(), 3);

  ClCallback::graph_cb(nullptr, nullptr);
  EXPECT_EQ(g_eOutput, 0);
  EXPECT_EQ(g_uiActive_Plots, 0);
  EXPECT_EQ(ClCalculator::mp_mVariable[0].size(), 0);
}

TEST_F(GraphParametersTest, PlotInAnEditorLineIsNotStoredWithTheNextLine) {
  openWith("");
  lg_eActive_Input = 2;  // the matrix editor's fill-in value
  enter("f([0,1],[0,1])");
  lg_eActive_Input = 0;
  enter("[1,2;3,4]");
  EXPECT_EQ(g_uiActive_Plots, 0);
}

TEST_F(GraphParametersTest, OpeningClearsTheLabelSwitches) {
  m_Seam.setOn(eSWITCH_SCALES, true);
  m_Seam.setOn(eSWITCH_CORNERS, true);
  openWith("");
  EXPECT_FALSE(m_Seam.isOn(eSWITCH_SCALES));
  EXPECT_FALSE(m_Seam.isOn(eSWITCH_CORNERS));
}

}  // namespace
