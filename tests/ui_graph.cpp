// SPDX-License-Identifier: GPL-3.0-or-later
// The graph pane in the window: opening, swapping with the text and closing
// in the three window modes, the menu flags, plots drawn into the pane, the
// pane's image rendered once per change, and typing while the graph is
// shown.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "command/callback.h"
#include "command/enter.h"
#include "command/history.h"
#include "engine/calculator.h"
#include "engine/typing.h"
#include "graph/graph_box.h"
#include "graph/graph_draw.h"
#include "graph/graph_window.h"
#include "tests/ui_driver.h"

// After Eigen and the test framework: X.h defines Success and None.
// clang-format off
#include <FL/Fl.H>
#include <FL/fl_draw.H>
// clang-format on

namespace {

class GraphPaneTest : public ::testing::Test {
 protected:
  void SetUp() override { resetCalculator(); }
  void TearDown() override { resetCalculator(); }
};

Fl_Menu_Item* modeItem(int iMode) {
  Fl_Menu_Item* const apITEMS[] = {ClORVELUI::mp_miTwo_Windows, ClORVELUI::mp_miOne_Window,
                                   ClORVELUI::mp_miPortrait_Mode};
  return apITEMS[iMode];
}

void expectGraphItems(bool bOpen, int iMode) {
  for (int m = 0; m < 3; ++m) EXPECT_EQ(modeItem(m)->active() != 0, !bOpen) << "mode item " << m;
  for (Fl_Menu_Item* pItem : {ClORVELUI::mp_miClear_Graph, ClORVELUI::mp_miScales,
                              ClORVELUI::mp_miCorners, ClORVELUI::mp_miText}) {
    EXPECT_EQ(pItem->active() != 0, bOpen) << pItem->label() << " in mode " << iMode;
    EXPECT_FALSE(pItem->value()) << pItem->label() << " in mode " << iMode;
  }
  EXPECT_EQ(ClORVELUI::mp_miSave_Graph->active() != 0, bOpen) << "mode " << iMode;
  EXPECT_EQ(ClORVELUI::mp_miGraph->value() != 0, bOpen) << "mode " << iMode;
}

void enterLine(const std::string& sLine) {
  setCurrentLine(sLine.data(), static_cast<uint16_t>(sLine.size()));
  ::enterLine();
}

// The pane's pixels as the screen shows them, after every pending redraw.
struct ClPanePixels {
  explicit ClPanePixels(Fl_Widget* pPane) : m_iW(pPane->w()), m_iH(pPane->h()) {
    Fl::flush();
    ui().m_pWindow->make_current();
    m_pucRgb.reset(fl_read_image(nullptr, pPane->x(), pPane->y(), pPane->w(), pPane->h()));
  }
  bool isBlack(int iX, int iY) const {
    const unsigned char* p = m_pucRgb.get() + (iY * m_iW + iX) * 3;
    return p[0] == 0 && p[1] == 0 && p[2] == 0;
  }
  bool operator==(const ClPanePixels& o) const {
    return m_iW == o.m_iW && std::memcmp(m_pucRgb.get(), o.m_pucRgb.get(), m_iW * m_iH * 3) == 0;
  }
  int m_iW, m_iH;
  std::unique_ptr<unsigned char[]> m_pucRgb;
};

// Everything pending drawn, then the whole window drawn again: a change must
// render the graph once, the second drawing copies the image.
unsigned rendersFor(const std::function<void()>& change) {
  ClGraphBox* pGraph = ui().m_pGraph;
  Fl::flush();
  const unsigned uiBefore = pGraph->renders();
  change();
  Fl::flush();
  ui().m_pWindow->redraw();
  Fl::flush();
  return pGraph->renders() - uiBefore;
}

TEST_F(GraphPaneTest, OpenSwapAndCloseInEachMode) {
  for (int iMode = 0; iMode < 3; ++iMode) {
    resetCalculator();
    pick(modeItem(iMode));
    ASSERT_EQ(g_eWindow_Mode, iMode);
    ClORVELUI& u = ui();
    const int iInput_W = u.m_pInput->w();

    pick(ClORVELUI::mp_miGraph);
    EXPECT_EQ(g_eOutput, 1);
    EXPECT_TRUE(u.m_pGraph->visible()) << iMode;
    EXPECT_FALSE(u.m_pOutput->visible()) << iMode;
    EXPECT_EQ(u.m_pInput->active() != 0, iMode != 2) << iMode;
    if (iMode != 2) {
      EXPECT_EQ(u.m_pInput->w(), 300) << iMode;
    }
    expectGraphItems(true, iMode);
    pick(modeItem((iMode + 1) % 3));
    EXPECT_EQ(g_eWindow_Mode, iMode) << "no mode change while the graph is open";

    pick(ClORVELUI::mp_miText);
    EXPECT_EQ(g_eOutput, 2);
    EXPECT_FALSE(u.m_pGraph->visible()) << iMode;
    EXPECT_EQ(u.m_pOutput->visible() != 0, iMode == 0) << iMode;
    EXPECT_TRUE(u.m_pInput->visible()) << iMode;
    EXPECT_TRUE(u.m_pInput->active()) << iMode;
    EXPECT_EQ(u.m_pInput->w(), iInput_W) << iMode;

    pick(ClORVELUI::mp_miText);
    EXPECT_EQ(g_eOutput, 1);
    EXPECT_TRUE(u.m_pGraph->visible()) << iMode;
    if (iMode == 1) {
      EXPECT_FALSE(u.m_pOutput->visible());
    }
    if (iMode != 2) {
      EXPECT_EQ(u.m_pInput->w(), 300) << iMode;
    }

    pick(ClORVELUI::mp_miGraph);
    EXPECT_EQ(g_eOutput, 0);
    EXPECT_FALSE(u.m_pGraph->visible()) << iMode;
    EXPECT_EQ(u.m_pOutput->visible() != 0, iMode == 0) << iMode;
    EXPECT_TRUE(u.m_pInput->visible() && u.m_pInput->active()) << iMode;
    EXPECT_EQ(u.m_pInput->w(), iInput_W) << iMode;
    expectGraphItems(false, iMode);
  }
}

TEST_F(GraphPaneTest, PlotsMadeWhileTheTextIsShownAppearWithTheGraph) {
  ClORVELUI& u = ui();
  pick(ClORVELUI::mp_miGraph);
  pick(ClORVELUI::mp_miText);
  enterLine("f([-3,3],[1,1])");
  EXPECT_EQ(g_uiActive_Plots, 1);
  EXPECT_FALSE(u.m_pGraph->visible());
  EXPECT_TRUE(u.m_pOutput->visible());
  pick(ClORVELUI::mp_miText);
  // y = 1 in -2..2 over the pane's 210 rows
  const int iRow = static_cast<int>((2 - 1) * u.m_pGraph->h() / 4.0);
  EXPECT_TRUE(ClPanePixels(u.m_pGraph).isBlack(100, iRow));

  // with the graph shown, a plot keeps the output pane hidden
  enterLine("f([-3,3],[-1,-1])");
  EXPECT_EQ(g_uiActive_Plots, 2);
  EXPECT_TRUE(u.m_pGraph->visible());
  EXPECT_FALSE(u.m_pOutput->visible());

  pick(ClORVELUI::mp_miClear_Graph);
  EXPECT_EQ(g_uiActive_Plots, 0);
  EXPECT_FALSE(ClORVELUI::mp_miClear_Graph->value());
  EXPECT_FALSE(ClPanePixels(u.m_pGraph).isBlack(100, iRow));
}

TEST_F(GraphPaneTest, EachChangeRendersTheGraphOnceAndRedrawsCopyIt) {
  pick(ClORVELUI::mp_miGraph);
  enterLine("f([-3,3],[1,-1])");
  ClGraphBox* pGraph = ui().m_pGraph;
  const int iX = pGraph->x(), iY = pGraph->y(), iW = pGraph->w(), iH = pGraph->h();
  const struct {
    const char* acChange;
    std::function<void()> change;
    unsigned uiRenders;
  } aCASES[] = {
      {"pane redrawn", [pGraph] { pGraph->redraw(); }, 0},
      {"text shown and back",
       [] {
         pick(ClORVELUI::mp_miText);
         Fl::flush();
         pick(ClORVELUI::mp_miText);
       },
       0},
      {"line without a plot", [] { enterLine("1+2"); }, 0},
      {"new plot", [] { enterLine("f([-3,3],[0,0])"); }, 1},
      {"plot made behind the text",
       [] {
         pick(ClORVELUI::mp_miText);
         enterLine("f([-3,3],[0.5,0.5])");
         Fl::flush();
         pick(ClORVELUI::mp_miText);
       },
       1},
      {"Scales on", [] { pick(ClORVELUI::mp_miScales); }, 1},
      {"Corners on", [] { pick(ClORVELUI::mp_miCorners); }, 1},
      {"Scales off", [] { pick(ClORVELUI::mp_miScales); }, 1},
      {"Clear Graph", [] { pick(ClORVELUI::mp_miClear_Graph); }, 1},
      {"narrower", [=] { pGraph->resize(iX, iY, iW - 40, iH); }, 1},
      {"moved", [=] { pGraph->resize(iX + 10, iY, iW - 40, iH); }, 0},
      {"size back", [=] { pGraph->resize(iX, iY, iW, iH); }, 1},
      {"reopened with parameters",
       [] {
         pick(ClORVELUI::mp_miGraph);
         typeText("[-1,1,3,0,10,4]");
         pick(ClORVELUI::mp_miGraph);
       },
       1},
  };
  for (const auto& c : aCASES) EXPECT_EQ(rendersFor(c.change), c.uiRenders) << c.acChange;
  EXPECT_EQ(g_adPlot_Parms[ePLOT_YMAX], 10);
}

TEST_F(GraphPaneTest, CopiedImageShowsWhatDrawingOnTheScreenShows) {
  pick(ClORVELUI::mp_miGraph);
  for (const char* acLine : {"u=[-3:3,6/5000];", "f(u,2*s(3*u))", "f(u,c(7*u))"}) enterLine(acLine);
  pick(ClORVELUI::mp_miScales);
  pick(ClORVELUI::mp_miCorners);
  ClGraphBox* pGraph = ui().m_pGraph;
  Fl::flush();
  const unsigned uiRenders = pGraph->renders();
  pGraph->redraw();
  const ClPanePixels copied(pGraph);
  EXPECT_EQ(pGraph->renders(), uiRenders);

  ui().m_pWindow->make_current();
  fl_color(FL_RED);
  fl_rectf(pGraph->x(), pGraph->y(), pGraph->w(), pGraph->h());
  drawGraph(pGraph->x(), pGraph->y(), pGraph->w(), pGraph->h(), gc_PANE_STYLE);
  fl_draw_box(pGraph->box(), pGraph->x(), pGraph->y(), pGraph->w(), pGraph->h(), pGraph->color());
  EXPECT_TRUE(ClPanePixels(pGraph) == copied);
}

TEST_F(GraphPaneTest, WindowFormatStaysInactiveAfterTheMatrixEditor) {
  pick(ClORVELUI::mp_miGraph);
  pick(ClORVELUI::mp_miA);
  ASSERT_EQ(lg_eActive_Input, 2);
  ClCallback::sizeCancel_cb(nullptr, nullptr);
  expectGraphItems(true, 0);
  EXPECT_TRUE(ui().m_pGraph->visible());
  pick(ClORVELUI::mp_miGraph);
  expectGraphItems(false, 0);
}

TEST_F(GraphPaneTest, KeysReachTheKeyboardHandlerWhileTheGraphIsShown) {
  pick(ClORVELUI::mp_miGraph);
  click(ui().m_pGraph);
  typeText("1+2");
  typeKey(FL_Enter, "\r");
  const std::string sOutput = paneText(ePANE_OUTPUT);
  EXPECT_EQ(sOutput.substr(sOutput.size() - 9), "1 + 2 :\n3") << sOutput;
  EXPECT_TRUE(ui().m_pGraph->visible());
}

TEST_F(GraphPaneTest, CurrentLineGivesTheParametersWhenTheGraphOpens) {
  typeText("[-1,1,3,0,10,4]");
  pick(ClORVELUI::mp_miGraph);
  EXPECT_EQ(g_adPlot_Parms[4], 10);
  pick(ClORVELUI::mp_miGraph);
  typeText("[1,1,1,0,1,1]");
  pick(ClORVELUI::mp_miGraph);
  EXPECT_EQ(g_adPlot_Parms[4], 2);
  const std::string sNotice = "\nGraph parameters incorrect, using defaults [-3, 3, 1, -2, 2, 1]";
  const std::string sOutput = paneText(ePANE_OUTPUT);
  EXPECT_EQ(sOutput.substr(sOutput.size() - sNotice.size()), sNotice);
}

}  // namespace
