// SPDX-License-Identifier: GPL-3.0-or-later
// The zoom: every rectangle and size of both layouts scaled by its edges,
// the keypad even and its labels inside their buttons, pane lines clear of
// the scrollbar, the factor's sources and its cap at the screen, and a
// switch that keeps everything the calculator holds.
// clang-format off
// The test framework and Eigen before the viewer's header, which brings in
// X11 macros (None, Success) that both use as names.
#include <gtest/gtest.h>
#include "tests/ui_driver.h"
#include <FL/Fl.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Help_View.H>
#include <FL/fl_draw.H>
// clang-format on

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "command/callback.h"
#include "command/enter.h"
#include "command/history.h"
#include "engine/calculator.h"
#include "engine/typing.h"
#include "graph/graph_box.h"
#include "graph/graph_export.h"
#include "ui/display_window.h"
#include "ui/keypad.h"
#include "ui/steps_window.h"
#include "ui/table.h"
#include "ui/zoom.h"

namespace {

// Each test starts without document windows, so that each builds them in
// its own layout.
class ZoomTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetCalculator();
    ClORVELWindow& w = g_Main_Window;
    delete w.m_pHelp;
    delete w.m_pSteps;
    delete w.m_pAbout;
    w.m_pHelp = nullptr;
    w.m_pSteps = nullptr;
    w.m_pAbout = nullptr;
    Fl::check();
  }
  void TearDown() override { resetCalculator(); }
};

Fl_Menu_Item* zoomItem(int iPercent) {
  for (Fl_Menu_Item* pItem = ClORVELUI::mp_smZoom + 1; pItem->text; pItem = pItem->next())
    if (*static_cast<const int32_t*>(pItem->user_data()) == iPercent) return pItem;
  ADD_FAILURE() << "no item for " << iPercent;
  return ClORVELUI::mp_smZoom + 1;
}

// An edge at iPercent, rounded half up.
int edge(int iV, int iPercent) {
  return (iV * iPercent + 50) / 100;
}

ClRect scaled(const ClRect& r, int iPercent) {
  const int iX = edge(r.x, iPercent), iY = edge(r.y, iPercent);
  return {iX, iY, edge(r.x + r.w, iPercent) - iX, edge(r.y + r.h, iPercent) - iY};
}

ClRect rectOf(const Fl_Widget* pWidget) {
  return {pWidget->x(), pWidget->y(), pWidget->w(), pWidget->h()};
}

void enter(const std::string& sLine) {
  setCurrentLine(sLine.data(), static_cast<uint16_t>(sLine.size()));
  enterLine();
}

void ctrlKey(int iKey, const char* acText) {
  typeKey(iKey, acText, FL_CTRL);
  Fl::check();
}

// The widgets whose rectangles come from the geometry table and the keypad
// grid, and the sizes set with them (the window by its size only: the screen
// places it).
struct ClWidgetProbe {
  const char* acName;
  std::function<const Fl_Widget*()> pfWidget;
};
struct ClSizeProbe {
  const char* acName;
  std::function<int()> pfSize;
};

const ClWidgetProbe gc_aWIDGETS[] = {
    {"menu bar", [] { return ui().m_pMenu_Bar; }},
    {"input pane", [] { return ui().m_pInput; }},
    {"output pane", [] { return ui().m_pOutput; }},
    {"graph pane", [] { return ui().m_pGraph; }},
    {"keypad", [] { return ui().m_pKeypad; }},
    {"Rows counter", [] { return ui().m_pRows; }},
    {"editor table", [] { return ui().m_pTable; }},
    {"Done", [] { return ui().m_pDone; }},
    {"key i", [] { return g_epbDictionary[eI]; }},
    {"key 7", [] { return g_epbDictionary[eDIGIT_7]; }},
    {"key 8", [] { return g_epbDictionary[eDIGIT_8]; }},
    {"key A", [] { return g_epbDictionary[eVAR_A]; }},
    {"key Enter", [] { return g_epbDictionary[eENTER]; }},
    {"key Alt", [] { return g_epbDictionary[eALT]; }},
};

const ClSizeProbe gc_aSIZES[] = {
    {"window width", [] { return ui().m_pWindow->w(); }},
    {"window height", [] { return ui().m_pWindow->h(); }},
    {"pane text", [] { return ui().m_pInput->textsize(); }},
    {"menu bar text", [] { return ui().m_pMenu_Bar->textsize(); }},
    {"menu title", [] { return ClORVELUI::mp_smFile->labelsize(); }},
    {"menu item", [] { return ClORVELUI::mp_miDecimal->labelsize(); }},
    {"normal size", [] { return int(FL_NORMAL_SIZE); }},
    {"scrollbar", [] { return Fl::scrollbar_size(); }},
    {"table row", [] { return ui().m_pTable->row_height(0); }},
    {"table column", [] { return ui().m_pTable->col_width(0); }},
    {"table row header", [] { return ui().m_pTable->row_header_width(); }},
    {"table column header", [] { return ui().m_pTable->col_header_height(); }},
    {"cell text", [] { return ui().m_pTable->m_iText_Size; }},
    {"digit label", [] { return int(g_epbDictionary[eDIGIT_7]->labelsize()); }},
};

struct ClReading {
  std::vector<ClRect> aRects;
  std::vector<int> aiSizes;
};

ClReading read() {
  ClReading reading;
  for (const ClWidgetProbe& probe : gc_aWIDGETS) reading.aRects.push_back(rectOf(probe.pfWidget()));
  for (const ClSizeProbe& probe : gc_aSIZES) reading.aiSizes.push_back(probe.pfSize());
  return reading;
}

void expectScaled(const ClReading& at_100, int iPercent) {
  const ClReading now = read();
  const std::string sAt = " at " + std::to_string(iPercent) + " %";
  for (size_t i = 0; i < now.aRects.size(); ++i) {
    SCOPED_TRACE(gc_aWIDGETS[i].acName + sAt);
    const ClRect want = scaled(at_100.aRects[i], iPercent), got = now.aRects[i];
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
    EXPECT_EQ(got.w, want.w);
    EXPECT_EQ(got.h, want.h);
  }
  for (size_t i = 0; i < now.aiSizes.size(); ++i)
    EXPECT_EQ(now.aiSizes[i], edge(at_100.aiSizes[i], iPercent)) << gc_aSIZES[i].acName << sAt;
}

TEST_F(ZoomTest, EveryRectangleAndSizeScalesByItsEdgesInBothLayouts) {
  for (Fl_Menu_Item* pMode : {ClORVELUI::mp_miTwo_Windows, ClORVELUI::mp_miPortrait_Mode}) {
    pick(pMode);
    const ClReading at_100 = read();
    // 200 % is more than a portrait window's height fits: it is capped
    for (int iPercent : {150, 200}) {
      pick(zoomItem(iPercent));
      Fl::check();
      expectScaled(at_100, g_iZoom);
    }
    pick(zoomItem(100));
    expectScaled(at_100, 100);
  }
}

// The help window is placed and sized from the display area: within a
// pixel of its scaled self, its text at the scaled size.
TEST_F(ZoomTest, HelpWindowScalesWithTheDisplayArea) {
  const auto helpWindow = [] {
    pick(ClORVELUI::mp_miCalculator_Help);
    Fl::check();
    return g_Main_Window.m_pHelp;
  };
  ClDisplayWindow* pHelp = helpWindow();
  const ClRect at_100 = rectOf(pHelp->m_pWindow);
  const int iText_100 = pHelp->m_pView->textsize();
  pHelp->m_pWindow->hide();
  pick(zoomItem(150));
  pHelp = helpWindow();
  const ClRect want = scaled(at_100, 150), got = rectOf(pHelp->m_pWindow);
  EXPECT_NEAR(got.x, want.x, 1);
  EXPECT_NEAR(got.y, want.y, 1);
  EXPECT_NEAR(got.w, want.w, 1);
  EXPECT_NEAR(got.h, want.h, 1);
  EXPECT_EQ(pHelp->m_pView->textsize(), edge(iText_100, 150));
  pHelp->m_pWindow->hide();
}

// Within each row of buttons and between rows: no overlap, no touching,
// gaps and sizes within a pixel of each other; every label of both Alt sets
// inside its button.
void expectEvenKeypad() {
  std::map<int, std::vector<const ClButton*>> aRows;
  for (const ClButton* pButton : g_epbDictionary)
    if (pButton && pButton->visible()) aRows[pButton->y()].push_back(pButton);
  std::vector<int> aiGaps, aiWidths, aiRow_Gaps;
  const ClButton* pAbove = nullptr;
  for (auto& [iY, apRow] : aRows) {
    std::sort(apRow.begin(), apRow.end(), [](auto* p, auto* q) { return p->x() < q->x(); });
    for (size_t k = 0; k < apRow.size(); ++k) {
      aiWidths.push_back(apRow[k]->w());
      EXPECT_EQ(apRow[k]->h(), apRow[0]->h()) << apRow[k]->label();
      if (k > 0) aiGaps.push_back(apRow[k]->x() - apRow[k - 1]->x() - apRow[k - 1]->w());
    }
    if (pAbove) aiRow_Gaps.push_back(iY - pAbove->y() - pAbove->h());
    pAbove = apRow[0];
  }
  for (const std::vector<int>* paiV : {&aiGaps, &aiWidths, &aiRow_Gaps}) {
    const auto [itLeast, itMost] = std::minmax_element(paiV->begin(), paiV->end());
    EXPECT_GE(*itLeast, 1);
    EXPECT_LE(*itMost - *itLeast, 1);
  }
  for (const ClButton* pButton : g_epbDictionary) {
    if (!pButton) continue;
    fl_font(pButton->labelfont(), pButton->labelsize());
    int iW = 0, iH = 0;
    fl_measure(pButton->label(), iW, iH, 0);
    EXPECT_LE(iW, pButton->w() - Fl::box_dw(pButton->box())) << pButton->label();
  }
}

TEST_F(ZoomTest, KeypadStaysEvenAndItsLabelsFitAtEveryFactor) {
  for (Fl_Menu_Item* pMode : {ClORVELUI::mp_miTwo_Windows, ClORVELUI::mp_miPortrait_Mode}) {
    pick(pMode);
    for (int iPercent : gc_aiZOOM_STEPS) {
      pick(zoomItem(iPercent));
      SCOPED_TRACE(std::string(pMode->label()) + " at " + std::to_string(g_iZoom) + " %");
      expectEvenKeypad();
      EXPECT_EQ(g_epbDictionary[eDET]->labelsize(), edge(18, g_iZoom));
    }
    pick(zoomItem(100));
  }
}

TEST_F(ZoomTest, PaneLinesClearTheScrollbarAt150And200) {
  for (Fl_Menu_Item* pMode :
       {ClORVELUI::mp_miTwo_Windows, ClORVELUI::mp_miOne_Window, ClORVELUI::mp_miPortrait_Mode}) {
    pick(pMode);
    for (int iPercent : {150, 200}) {
      pick(zoomItem(iPercent));
      expectLongLinesFit((std::to_string(g_iZoom) + " %").c_str());
    }
    pick(zoomItem(100));
  }
}

TEST(ZoomSourceTest, FirstSourceThatGivesAFactorWins) {
  struct ClCase {
    const char *acOption, *acVariable, *acXft_Dpi, *acGdk_Scale;
    int iPercent;
  };
  const ClCase aCASES[] = {
      {"150", "200", "192", "3", 150},
      {"125%", nullptr, nullptr, nullptr, 125},
      {nullptr, "200", "144", "3", 200},
      {nullptr, nullptr, "144", "3", 150},
      {nullptr, nullptr, "192", nullptr, 200},
      {nullptr, nullptr, "96", "2", 100},
      {nullptr, nullptr, nullptr, "2", 200},
      {nullptr, nullptr, nullptr, nullptr, 100},
      // values that cannot be taken pass on to the next source
      {nullptr, "99", "192", nullptr, 200},
      {nullptr, "301", nullptr, nullptr, 100},
      {nullptr, "1e2", nullptr, "3", 300},
      {nullptr, "", "abc", "1.5", 100},
      // the desktop's factors are held to 100..300
      {nullptr, nullptr, "72", nullptr, 100},
      {nullptr, nullptr, "120.5", nullptr, 126},
      {nullptr, nullptr, "480", nullptr, 300},
      {nullptr, nullptr, nullptr, "4", 300},
  };
  for (const ClCase& c : aCASES) {
    const auto text = [](const char* ac) { return ac ? "\"" + std::string(ac) + "\"" : "-"; };
    EXPECT_EQ(resolveZoom({c.acOption, c.acVariable, c.acXft_Dpi, c.acGdk_Scale}), c.iPercent)
        << text(c.acOption) << " " << text(c.acVariable) << " " << text(c.acXft_Dpi) << " "
        << text(c.acGdk_Scale);
  }
  int iPercent = 0;
  for (const char* acBad : {"50", "100.0", "+150", " 150", "150 %", "3000", "%"})
    EXPECT_FALSE(parseZoom(acBad, iPercent)) << acBad;
}

TEST(ZoomSourceTest, CapIsTheLargestFactorThatFitsAndNeverBelow100) {
  struct ClCase {
    int iAsked, iW, iH, iArea_W, iArea_H, iFitted;
  };
  const ClCase aCASES[] = {
      {200, 619, 434, 1280, 1024, 200},  // 1238 x 868
      {250, 619, 434, 1280, 1024, 206},  // 1275 wide; 207 % would be 1281
      {300, 375, 610, 1280, 1024, 167},  // 1019 high; 168 % would be 1025
      {300, 619, 434, 1920, 1080, 248},  // 1076 high
      {150, 619, 434, 600, 400, 100},
  };
  for (const ClCase& c : aCASES)
    EXPECT_EQ(fittedZoom(c.iAsked, c.iW, c.iH, c.iArea_W, c.iArea_H), c.iFitted) << c.iAsked;
}

// Everything the calculator holds, as text.
struct ClHeld {
  std::string sInput, sOutput, sLine;
  int iHistory;
  int32_t eOutput;
  bool bAlt, bScales;
  ClMatrix mA;
  bool operator==(const ClHeld& o) const {
    return sInput == o.sInput && sOutput == o.sOutput && sLine == o.sLine &&
           iHistory == o.iHistory && eOutput == o.eOutput && bAlt == o.bAlt &&
           bScales == o.bScales && mA == o.mA;
  }
};

ClHeld held() {
  return {paneText(ePANE_INPUT),
          paneText(ePANE_OUTPUT),
          inputLine(),
          g_uiHistory_Next,
          g_eOutput,
          lg_bAlt_On,
          ClORVELUI::mp_miScales->value() != 0,
          ClCalculator::mp_mVariable[eVAR_A]};
}

TEST_F(ZoomTest, SwitchingKeepsHistoryVariablesTheLineAndTheGraphInEveryMode) {
  for (Fl_Menu_Item* pMode :
       {ClORVELUI::mp_miTwo_Windows, ClORVELUI::mp_miOne_Window, ClORVELUI::mp_miPortrait_Mode}) {
    SCOPED_TRACE(pMode->label());
    resetCalculator();
    pick(pMode);
    enter("A=[1,2;3,4]");
    enter("1+1");
    pick(ClORVELUI::mp_miGraph);
    enter("f([-3,3],[1,1])");
    pick(ClORVELUI::mp_miScales);
    typeText("2*A");
    click(g_epbDictionary[eALT]);
    const ClHeld before = held();
    ASSERT_NE(before.sLine.find("2 * A"), std::string::npos) << before.sLine;

    pick(zoomItem(150));
    EXPECT_EQ(g_iZoom, 150);
    EXPECT_TRUE(zoomItem(150)->value());
    EXPECT_FALSE(zoomItem(100)->value());
    EXPECT_TRUE(held() == before);
    EXPECT_TRUE(ui().m_pGraph->visible());
    EXPECT_EQ(g_eWindow_Mode, pMode == ClORVELUI::mp_miOne_Window      ? eONE_WINDOW
                              : pMode == ClORVELUI::mp_miPortrait_Mode ? ePORTRAIT_MODE
                                                                       : eTWO_WINDOWS);
    EXPECT_TRUE(pMode->value());

    // every step fits a portrait window on the test's screen
    ctrlKey('-', "-");
    EXPECT_EQ(g_iZoom, 125);
    ctrlKey('=', "=");  // Ctrl+plus
    EXPECT_EQ(g_iZoom, 150);
    ctrlKey(FL_KP + '-', "-");
    EXPECT_EQ(g_iZoom, 125);
    ctrlKey('0', "0");
    EXPECT_EQ(g_iZoom, 100);
    EXPECT_TRUE(held() == before);

    // the line goes on where it was
    typeText("+1");
    typeKey(FL_Enter, "\r");
    EXPECT_NE(paneText(ePANE_OUTPUT).find("Out>2 * A + 1 :"), std::string::npos)
        << paneText(ePANE_OUTPUT);
  }
}

// Every key of a zoom step, from 150 %: the steps next to it are 125 % and
// 175 %. Shift is free (plus is Shift+"=" on many layouts); Alt is not.
TEST_F(ZoomTest, EveryZoomKeyStepsFromTheFactorInEffect) {
  const struct {
    const char* acName;
    int iKey;
    const char* acText;
    int iState;
    int iPercent;  // afterwards
  } aCASES[] = {
      {"Ctrl+plus", '+', "+", FL_CTRL, 175},
      {"Ctrl+Shift+=", '=', "+", FL_CTRL | FL_SHIFT, 175},
      {"Ctrl+=", '=', "=", FL_CTRL, 175},
      {"Ctrl+keypad plus", FL_KP + '+', "+", FL_CTRL, 175},
      {"Ctrl+minus", '-', "-", FL_CTRL, 125},
      {"Ctrl+Shift+minus", '-', "_", FL_CTRL | FL_SHIFT, 125},
      {"Ctrl+keypad minus", FL_KP + '-', "-", FL_CTRL, 125},
      {"Ctrl+0", '0', "0", FL_CTRL, 100},
      {"Ctrl+Shift+0", '0', ")", FL_CTRL | FL_SHIFT, 100},
      {"Ctrl+keypad 0", FL_KP + '0', "0", FL_CTRL, 100},
      {"Ctrl+Alt+minus", '-', "-", FL_CTRL | FL_ALT, 150},
  };
  for (const auto& c : aCASES) {
    SCOPED_TRACE(c.acName);
    pick(zoomItem(150));
    typeKey(c.iKey, c.acText, c.iState);
    Fl::check();
    EXPECT_EQ(g_iZoom, c.iPercent);
    EXPECT_TRUE(zoomItem(c.iPercent)->value());
    EXPECT_EQ(inputLine(), "In>_");
  }
}

TEST_F(ZoomTest, TooLargeAFactorIsCappedToTheScreenWithANotice) {
  int iArea_X, iArea_Y, iArea_W, iArea_H;
  Fl::screen_work_area(iArea_X, iArea_Y, iArea_W, iArea_H);
  ASSERT_TRUE(edge(619, 300) > iArea_W || edge(434, 300) > iArea_H) << "the screen holds 300 %";
  pick(zoomItem(300));
  Fl::check();
  const int iZoom = g_iZoom;
  EXPECT_LT(iZoom, 300);
  EXPECT_EQ(g_iZoom_Asked, 300);
  EXPECT_LE(ui().m_pWindow->w(), iArea_W);
  EXPECT_LE(ui().m_pWindow->h(), iArea_H);
  EXPECT_TRUE(edge(619, iZoom + 1) > iArea_W || edge(434, iZoom + 1) > iArea_H);
  const std::string sNotice = "Zoom 300 % does not fit the screen: " + std::to_string(iZoom) + " %";
  EXPECT_NE(paneText(ePANE_OUTPUT).find(sNotice), std::string::npos) << paneText(ePANE_OUTPUT);
  for (int iPercent : gc_aiZOOM_STEPS) EXPECT_FALSE(zoomItem(iPercent)->value()) << iPercent;
  expectEvenKeypad();

  // Portrait Mode shows the notice in its one pane, before the prompt.
  pick(ClORVELUI::mp_miPortrait_Mode);
  const std::string sInput = paneText(ePANE_INPUT);
  EXPECT_NE(sInput.find("does not fit the screen"), std::string::npos) << sInput;
  EXPECT_EQ(inputLine(), "In>_");
  EXPECT_LE(ui().m_pWindow->h(), iArea_H);
}

TEST_F(ZoomTest, ImageExportIsTheSameAtEveryZoom) {
  pick(ClORVELUI::mp_miGraph);
  enter("f([-3,2,3],[-2,1,2])");
  pick(ClORVELUI::mp_miScales);
  pick(ClORVELUI::mp_miCorners);
  ASSERT_TRUE(renderGraphImage());
  const std::vector<unsigned char> aucAt_100(g_aucLarge_Graph_Image,
                                             g_aucLarge_Graph_Image + gc_iIMAGE_BYTES);
  pick(zoomItem(200));
  EXPECT_EQ(ui().m_pGraph->w(), edge(305, 200));
  ASSERT_TRUE(renderGraphImage());
  EXPECT_TRUE(std::equal(aucAt_100.begin(), aucAt_100.end(), g_aucLarge_Graph_Image));
}

TEST_F(ZoomTest, TheEditorWorksZoomedAndRefusesAZoomWhileOpen) {
  pick(zoomItem(200));
  pick(ClORVELUI::mp_miA);
  EXPECT_FALSE(ClORVELUI::mp_smZoom->active());
  pick(zoomItem(100));
  ctrlKey('0', "0");
  EXPECT_EQ(g_iZoom, 200);
  EXPECT_TRUE(zoomItem(200)->value());

  ui().m_pRows->value(2);
  ui().m_pColumns->value(2);
  click(ui().m_pEdit);
  ClTable* pTable = ui().m_pTable;
  int iX = 0, iY = 0, iW = 0, iH = 0;
  pTable->cellRect(1, 1, iX, iY, iW, iH);
  clickAt(iX + iW / 2, iY + iH / 2);
  EXPECT_EQ(rectOf(pTable->m_pCell_Editor).w, edge(80, 200));
  EXPECT_EQ(rectOf(pTable->m_pCell_Editor).x, iX);
  typeText("7");
  click(ui().m_pDone);
  EXPECT_EQ(ClCalculator::mp_mVariable[eVAR_A](1, 1), ClComplex(7, 0));
  EXPECT_TRUE(ClORVELUI::mp_smZoom->active());
}

TEST_F(ZoomTest, HelpAboutAndStepsWindowsFollowTheZoom) {
  enter("A=[2,1;1,1]");
  enter("IA");
  pick(ClORVELUI::mp_miCalculator_Help);
  pick(ClORVELUI::mp_miAbout);
  pick(ClORVELUI::mp_miSteps);
  ClStepsWindow* pSteps = g_Main_Window.m_pSteps;
  for (Fl_Choice* pChoice : {pSteps->m_pArithmetic, pSteps->m_pGrouping}) {
    pChoice->value(1);
    pChoice->do_callback();
  }
  const int iAbout_W = g_Main_Window.m_pAbout_Image->w();
  const int iRow_H = pSteps->m_pArithmetic->h();
  const int iHelp_Text = g_Main_Window.m_pHelp->m_pView->textsize();

  pick(zoomItem(150));
  Fl::check();
  ASSERT_NE(g_Main_Window.m_pAbout, nullptr);
  EXPECT_TRUE(g_Main_Window.m_pAbout->shown());
  EXPECT_EQ(g_Main_Window.m_pAbout_Image->w(), edge(iAbout_W, 150));
  ASSERT_NE(g_Main_Window.m_pHelp, nullptr);
  EXPECT_TRUE(g_Main_Window.m_pHelp->m_pWindow->shown());
  EXPECT_EQ(g_Main_Window.m_pHelp->m_pView->textsize(), edge(iHelp_Text, 150));
  pSteps = g_Main_Window.m_pSteps;
  EXPECT_TRUE(pSteps->m_pWindow->shown());
  EXPECT_EQ(pSteps->m_pArithmetic->value(), 1);
  EXPECT_FALSE(pSteps->m_pPivot->active());
  EXPECT_EQ(pSteps->m_pGrouping->value(), 1);
  EXPECT_EQ(pSteps->view().m_Options.m_eArithmetic, eSTEPS_COMPUTED);
  EXPECT_EQ(pSteps->view().m_eGrouping, eGROUP_PER_COLUMN);
  EXPECT_EQ(pSteps->m_pArithmetic->h(), edge(iRow_H, 150));

  g_Main_Window.m_pAbout->hide();
  g_Main_Window.m_pHelp->m_pWindow->hide();
  pSteps->m_pWindow->hide();
  Fl::check();
}

}  // namespace
