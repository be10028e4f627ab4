// SPDX-License-Identifier: GPL-3.0-or-later
// The window as built: layouts, keypad, menu flags, and the three window
// modes with the rebuild to and from Portrait Mode.
#include <FL/Fl.H>
#include <gtest/gtest.h>

#include "command/history.h"
#include "engine/calculator.h"
#include "graph/graph_box.h"
#include "tests/ui_driver.h"
#include "ui/keypad.h"

// After Eigen: the X11 headers define Success, a name Eigen uses.
#include <FL/fl_draw.H>

namespace {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { resetCalculator(); }
};

void expectRect(const Fl_Widget* pWidget, int iX, int iY, int iW, int iH) {
  EXPECT_EQ(pWidget->x(), iX);
  EXPECT_EQ(pWidget->y(), iY);
  EXPECT_EQ(pWidget->w(), iW);
  EXPECT_EQ(pWidget->h(), iH);
}

int shownButtons() {
  int iShown = 0;
  for (ClButton* pButton : g_epbDictionary)
    if (pButton && pButton->visible()) ++iShown;
  return iShown;
}

struct ClButtonCase {
  eTOKEN eCode;
  int iX, iY, iW, iH;  // landscape
  int iPX, iPY, iPH;   // portrait (width 54)
  const char* acLabel;
  Fl_Color iBox, iLabel;
  int iShortcut;
};

// Cells worked out from the keypad grids; alternates share their primary's.
const ClButtonCase gc_aBUTTONS[] = {
    {eENTER, 250, 392, 54, 30, 250, 565, 35, "Enter", 93, FL_BLACK, FL_Enter},
    {eALT, 250, 357, 54, 30, 310, 565, 35, "Alt", 93, FL_BLACK, '@'},
    {eVAR_A, 310, 392, 54, 30, 10, 355, 30, "A", 31, FL_BLACK, FL_SHIFT + 'a'},
    {eVAR_U, 310, 392, 54, 30, 10, 355, 30, "U", 31, FL_BLACK, FL_SHIFT + 'u'},
    {ePREV, 190, 217, 54, 30, 190, 390, 30, "Prev", FL_BLACK, FL_WHITE, FL_Up},
    {eBKSP, 130, 252, 54, 30, 130, 425, 30, "BkSp", FL_BLACK, FL_WHITE, FL_BackSpace},
    {eACOSH, 430, 252, 54, 30, 130, 285, 30, "aCosh", FL_BLACK, FL_WHITE, '?'},
    {eDIGIT_7, 10, 287, 54, 30, 10, 460, 30, "7", FL_WHITE, FL_BLACK, '7'},
    {eQR, 310, 322, 54, 30, 250, 530, 30, " QR", FL_BLACK, FL_WHITE, '|'},
    {eTENSOR, 130, 217, 54, 30, 130, 390, 30, " X ", FL_BLACK, FL_WHITE, '{'},
};

TEST_F(WindowTest, LandscapeStartsInTwoWindowsWithDecimalAndSettingsOn) {
  ClORVELUI& u = ui();
  EXPECT_STREQ(u.m_pWindow->label(), "Quorvane Calculator");
  EXPECT_EQ(u.m_pWindow->w(), 619);
  EXPECT_EQ(u.m_pWindow->h(), 434);
  expectRect(u.m_pMenu_Bar, 0, 0, 312, 30);
  expectRect(u.m_pOutput, 310, 30, 300, 176);
  expectRect(u.m_pInput, 5, 30, 300, 176);
  EXPECT_TRUE(u.m_pOutput->visible());
  EXPECT_FALSE(u.m_pGraph->visible());
  EXPECT_EQ(g_eWindow_Mode, 0);
  EXPECT_EQ(paneText(ePANE_OUTPUT), std::string(8, '\n'));
  EXPECT_EQ(paneText(ePANE_INPUT), std::string(8, '\n') + "\nIn>_");
  EXPECT_TRUE(ClORVELUI::mp_miTwo_Windows->value());
  EXPECT_TRUE(ClORVELUI::mp_miDecimal->value());
  for (Fl_Menu_Item* pItem : {ClORVELUI::mp_miZero_Out, ClORVELUI::mp_miError_Item,
                              ClORVELUI::mp_miParentheses, ClORVELUI::mp_miExecute})
    EXPECT_TRUE(pItem->value()) << pItem->label();
  for (Fl_Menu_Item* pItem :
       {ClORVELUI::mp_miClear_Graph, ClORVELUI::mp_miScales, ClORVELUI::mp_miCorners,
        ClORVELUI::mp_miText, ClORVELUI::mp_miSave_Graph})
    EXPECT_FALSE(pItem->active()) << pItem->label();
  EXPECT_TRUE(ClORVELUI::mp_miGraph->active());
  EXPECT_EQ(u.m_pMenu_Bar->menu()->size(), gc_iMENU_ITEMS);
  EXPECT_EQ(shownButtons(), 60);
}

TEST_F(WindowTest, KeypadButtonsSitOnTheirCellsInBothLayouts) {
  for (const ClButtonCase& c : gc_aBUTTONS) {
    SCOPED_TRACE(c.acLabel);
    ClButton* pButton = g_epbDictionary[c.eCode];
    expectRect(pButton, c.iX, c.iY, c.iW, c.iH);
    EXPECT_STREQ(pButton->label(), c.acLabel);
    EXPECT_EQ(pButton->color(), c.iBox);
    EXPECT_EQ(pButton->labelcolor(), c.iLabel);
    EXPECT_EQ(pButton->shortcut(), c.iShortcut);
    EXPECT_EQ(pButton->user_data(), &pButton->m_eToken);
  }
  EXPECT_STREQ(g_epbDictionary[eSQRT]->tooltip(),
               "Sqrt M returns square root of entries of matrix M (key } )");
  EXPECT_EQ(g_epbDictionary[eTENSOR]->labelsize(), 18);

  pick(ClORVELUI::mp_miPortrait_Mode);
  for (const ClButtonCase& c : gc_aBUTTONS) {
    SCOPED_TRACE(c.acLabel);
    expectRect(g_epbDictionary[c.eCode], c.iPX, c.iPY, 54, c.iPH);
  }
  EXPECT_STREQ(g_epbDictionary[eQR]->label(), "QR");
  EXPECT_STREQ(g_epbDictionary[eSQRT]->tooltip(),
               "Sqrt M returns square root of entries of matrix M (key })");
  EXPECT_EQ(g_epbDictionary[eTENSOR]->labelsize(), 24);
  EXPECT_EQ(shownButtons(), 60);
}

// Every label of both Alt sets fits inside its button's inner width, where
// the toolkit centres it.
void expectLabelsFit() {
  for (ClButton* pButton : g_epbDictionary) {
    if (!pButton) continue;
    SCOPED_TRACE(pButton->label());
    fl_font(pButton->labelfont(), pButton->labelsize());
    int iW = 0, iH = 0;
    fl_measure(pButton->label(), iW, iH, 0);
    EXPECT_LE(iW, pButton->w() - Fl::box_dw(pButton->box()));
  }
}

TEST_F(WindowTest, EveryKeypadLabelFitsItsButtonInBothLayouts) {
  expectLabelsFit();
  // too wide at the table's size in the default fonts; a short one keeps it
  EXPECT_LT(g_epbDictionary[eSCHUR]->labelsize(), 18);
  EXPECT_EQ(g_epbDictionary[eDET]->labelsize(), 18);
  EXPECT_EQ(g_epbDictionary[eDIGIT_7]->labelsize(), 24);
  pick(ClORVELUI::mp_miPortrait_Mode);
  expectLabelsFit();
  EXPECT_LT(g_epbDictionary[eENTER]->labelsize(), 18);
  EXPECT_EQ(g_epbDictionary[eTENSOR]->labelsize(), 24);
}

TEST_F(WindowTest, OneWindowStretchesTheInputPaneAndTwoWindowsRestoresIt) {
  typeText("1+1");
  typeKey(FL_Enter, "\r");
  const std::string sOutput = paneText(ePANE_OUTPUT);
  pick(ClORVELUI::mp_miOne_Window);
  EXPECT_EQ(g_eWindow_Mode, 1);
  expectRect(ui().m_pInput, 5, 30, 605, 176);
  EXPECT_FALSE(ui().m_pOutput->visible());
  typeText("2");
  typeKey(FL_Enter, "\r");
  EXPECT_NE(paneText(ePANE_INPUT).find("In>2\nOut>2"), std::string::npos);

  pick(ClORVELUI::mp_miTwo_Windows);
  EXPECT_EQ(g_eWindow_Mode, 0);
  expectRect(ui().m_pInput, 5, 30, 300, 176);
  EXPECT_TRUE(ui().m_pOutput->visible());
  EXPECT_EQ(paneText(ePANE_OUTPUT).find(sOutput), 0u);
}

TEST_F(WindowTest, PortraitModeRebuildsKeepingHistoryAndTheUsersMenuChoices) {
  typeText("1+1");
  typeKey(FL_Enter, "\r");
  typeText("7");
  click(g_epbDictionary[eALT]);
  pick(ClORVELUI::mp_miRational);
  pick(ClORVELUI::mp_miExecute);  // toggles it off

  pick(ClORVELUI::mp_miPortrait_Mode);
  Fl::check();
  ClORVELUI& u = ui();
  EXPECT_EQ(g_eWindow_Mode, 2);
  EXPECT_STREQ(u.m_pWindow->label(), "ORVEL Calculator");
  EXPECT_EQ(u.m_pWindow->w(), 375);
  EXPECT_EQ(u.m_pWindow->h(), 610);
  EXPECT_TRUE(u.m_pWindow->shown());
  expectRect(u.m_pInput, 5, 30, 365, 215);
  EXPECT_EQ(paneText(ePANE_INPUT), std::string(8, '\n') + "\nIn>_");
  EXPECT_EQ(paneText(ePANE_OUTPUT), std::string(8, '\n'));
  EXPECT_EQ(g_Current_State.m_uiLength, 0);
  EXPECT_EQ(g_uiHistory_Next, 1);
  EXPECT_FALSE(lg_bAlt_On);
  EXPECT_FALSE(g_epbDictionary[eALT]->value());
  EXPECT_TRUE(ClORVELUI::mp_miPortrait_Mode->value());
  EXPECT_FALSE(ClORVELUI::mp_miTwo_Windows->value());
  EXPECT_TRUE(ClORVELUI::mp_miRational->value());
  EXPECT_EQ(g_eView_State, 2);
  EXPECT_FALSE(ClORVELUI::mp_miExecute->value());

  // Portrait shows results in its one pane.
  pick(ClORVELUI::mp_miExecute);
  typeText("2+3");
  typeKey(FL_Enter, "\r");
  EXPECT_NE(paneText(ePANE_INPUT).find("In>2 + 3\nOut>5"), std::string::npos);

  pick(ClORVELUI::mp_miOne_Window);
  Fl::check();
  EXPECT_EQ(g_eWindow_Mode, 1);
  EXPECT_STREQ(ui().m_pWindow->label(), "Quorvane Calculator");
  EXPECT_TRUE(ClORVELUI::mp_miOne_Window->value());
  EXPECT_FALSE(ClORVELUI::mp_miTwo_Windows->value());
  expectRect(ui().m_pInput, 5, 30, 605, 176);
  EXPECT_EQ(g_uiHistory_Next, 2);
}

TEST_F(WindowTest, WindowModeIsRefusedWhileTheGraphIsOpen) {
  g_eOutput = 1;
  pick(ClORVELUI::mp_miOne_Window);
  EXPECT_EQ(g_eWindow_Mode, 0);
  EXPECT_TRUE(ClORVELUI::mp_miTwo_Windows->value());
  EXPECT_FALSE(ClORVELUI::mp_miOne_Window->value());
  pick(ClORVELUI::mp_miPortrait_Mode);
  EXPECT_EQ(g_eWindow_Mode, 0);
  EXPECT_EQ(ui().m_pWindow->w(), 619);
  g_eOutput = 0;
}

TEST_F(WindowTest, OutputFormatAppliesToLaterResultsOnly) {
  typeText("1/4");
  typeKey(FL_Enter, "\r");
  pick(ClORVELUI::mp_miRational);
  EXPECT_EQ(g_eView_State, 2);
  typeText("1/4");
  typeKey(FL_Enter, "\r");
  const std::string sOutput = paneText(ePANE_OUTPUT);
  EXPECT_NE(sOutput.find("Out>1 / 4 :\n0.25"), std::string::npos) << sOutput;
  EXPECT_NE(sOutput.find("Out>1 / 4 :\n1/4"), std::string::npos) << sOutput;
}

}  // namespace
