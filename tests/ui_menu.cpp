// SPDX-License-Identifier: GPL-3.0-or-later
// The menu item pointers: each is bound to the item its code expects, told
// apart by label, shortcut, callback and user data (the two "  A  " items
// differ only in the last two). Every open menu leaves room between a label
// and its shortcut.
#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Menu_Window.H>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "command/callback.h"
#include "command/matrix_forms.h"
#include "engine/tokens.h"
#include "tests/ui_driver.h"
#include "ui/layout.h"

// After Eigen: the X11 headers define Success, a name Eigen uses.
#include <FL/fl_draw.H>

namespace {

constexpr int gc_iNO_DATA = -1;

struct ClBinding {
  const char* acName;
  Fl_Menu_Item* pItem;
  const char* acLabel;
  int iShortcut;
  Fl_Callback* pCallback;
  int iData;  // the integer the user data points at
};

using C = ClCallback;
using UI = ClORVELUI;
constexpr int A = FL_ALT, S = FL_SHIFT, K = FL_CTRL;

const ClBinding gc_aBINDINGS[] = {
    {"smFile", UI::mp_smFile, "File", 0, nullptr, gc_iNO_DATA},
    {"miOpen", UI::mp_miOpen, "Open", 0, C::open_cb, gc_iNO_DATA},
    {"miSave_Input", UI::mp_miSave_Input, "Save Input", 0, C::saveIn_cb, gc_iNO_DATA},
    {"miSave_Output", UI::mp_miSave_Output, "Save Output", 0, C::saveOut_cb, gc_iNO_DATA},
    {"smSave_Variable", UI::mp_smSave_Variable, "Save Variable", 0, nullptr, gc_iNO_DATA},
    {"miAs", UI::mp_miAs, "  A  ", A + 'a', C::saveVariable_cb, eVAR_A},
    {"miBs", UI::mp_miBs, "  B  ", A + 'b', C::saveVariable_cb, eVAR_B},
    {"miCs", UI::mp_miCs, "  C  ", A + 'c', C::saveVariable_cb, eVAR_C},
    {"miPs", UI::mp_miPs, "  P  ", K + 'p', C::saveVariable_cb, eVAR_P},
    {"miQs", UI::mp_miQs, "  Q  ", K + 'q', C::saveVariable_cb, eVAR_Q},
    {"miUs", UI::mp_miUs, "  U  ", A + 'u', C::saveVariable_cb, eVAR_U},
    {"miVs", UI::mp_miVs, "  V  ", A + 'v', C::saveVariable_cb, eVAR_V},
    {"mius", UI::mp_mius, "  u  ", A + 'x', C::saveVariable_cb, eVAR_u},
    {"mivs", UI::mp_mivs, "  v  ", A + 'y', C::saveVariable_cb, eVAR_v},
    {"miws", UI::mp_miws, "  w  ", A + 'w', C::saveVariable_cb, eVAR_w},
    {"miSave_Graph", UI::mp_miSave_Graph, "Save Graph", 0, C::saveGraph_cb, gc_iNO_DATA},
    {"miExit", UI::mp_miExit, "Quit", 0, C::exit_cb, gc_iNO_DATA},
    {"smEdit", UI::mp_smEdit, "Edit", 0, nullptr, gc_iNO_DATA},
    {"smCopy_Result", UI::mp_smCopy_Result, "Copy Result As", 0, nullptr, gc_iNO_DATA},
    {"miCopy_Text", UI::mp_miCopy_Text, "Text", K + S + 'c', C::copyResult_cb, eFORM_TEXT},
    {"miCopy_LaTeX", UI::mp_miCopy_LaTeX, "LaTeX", K + S + 'l', C::copyResult_cb, eFORM_LATEX},
    {"miCopy_Markdown", UI::mp_miCopy_Markdown, "Markdown", 0, C::copyResult_cb, eFORM_MARKDOWN},
    {"miCopy_NumPy", UI::mp_miCopy_NumPy, "NumPy", 0, C::copyResult_cb, eFORM_NUMPY},
    {"miCopy_Octave", UI::mp_miCopy_Octave, "Octave", 0, C::copyResult_cb, eFORM_OCTAVE},
    {"miCopy_CSV", UI::mp_miCopy_CSV, "CSV", 0, C::copyResult_cb, eFORM_CSV},
    {"miFull_Precision", UI::mp_miFull_Precision, "Full Precision", 0, nullptr, gc_iNO_DATA},
    {"miPaste", UI::mp_miPaste, "Paste", K + 'v', C::paste_cb, gc_iNO_DATA},
    {"smHistory", UI::mp_smHistory, "History", 0, nullptr, gc_iNO_DATA},
    {"miInsert", UI::mp_miInsert, "Insert  Item", 0, C::insert_cb, gc_iNO_DATA},
    {"miClear", UI::mp_miClear, "Clear Item", 0, C::clear_cb, gc_iNO_DATA},
    {"Append_History", UI::mp_Append_History, "Append", 0, C::appendHistory_cb, gc_iNO_DATA},
    {"miClear_All", UI::mp_miClear_All, "Clear History", 0, C::clearAll_cb, gc_iNO_DATA},
    {"miClear_Everything", UI::mp_miClear_Everything, "Clear All", 0, C::clearEverything_cb,
     gc_iNO_DATA},
    {"smMatrix_Edit", UI::mp_smMatrix_Edit, "Matrix", 0, nullptr, gc_iNO_DATA},
    {"miA", UI::mp_miA, "  A  ", A + S + 'a', C::editSizes_cb, eVAR_A},
    {"miB", UI::mp_miB, "  B  ", K + A + 'b', C::editSizes_cb, eVAR_B},
    {"miC", UI::mp_miC, "  C  ", A + S + 'c', C::editSizes_cb, eVAR_C},
    {"miP", UI::mp_miP, "  P  ", K + A + 'p', C::editSizes_cb, eVAR_P},
    {"miQ", UI::mp_miQ, "  Q  ", K + A + 'q', C::editSizes_cb, eVAR_Q},
    {"miU", UI::mp_miU, "  U  ", K + A + 'u', C::editSizes_cb, eVAR_U},
    {"miV", UI::mp_miV, "  V  ", K + A + 'v', C::editSizes_cb, eVAR_V},
    {"miu", UI::mp_miu, "  u  ", K + A + 'x', C::editSizes_cb, eVAR_u},
    {"miv", UI::mp_miv, "  v  ", K + A + 'y', C::editSizes_cb, eVAR_v},
    {"miw", UI::mp_miw, "  w  ", K + A + 'w', C::editSizes_cb, eVAR_w},
    {"smView", UI::mp_smView, "View", 0, nullptr, gc_iNO_DATA},
    {"smOutPut", UI::mp_smOutPut, "Output Format", 0, nullptr, gc_iNO_DATA},
    {"miDecimal", UI::mp_miDecimal, "Decimal", K + 'd', C::view_cb, 0},
    {"miFloating_Point", UI::mp_miFloating_Point, "Floating Point ", A + 'f', C::view_cb, 1},
    {"miRational", UI::mp_miRational, "Rational", K + 'r', C::view_cb, 2},
    {"smWinFormat", UI::mp_smWinFormat, "Window Format", 0, nullptr, gc_iNO_DATA},
    {"miTwo_Windows", UI::mp_miTwo_Windows, "Two Windows", K + A + 'd', C::mode_cb, 0},
    {"miOne_Window", UI::mp_miOne_Window, "One Window", K + A + 'f', C::mode_cb, 1},
    {"miPortrait_Mode", UI::mp_miPortrait_Mode, "Portrait Mode", K + A + 'r', C::mode_cb, 2},
    {"smGraph", UI::mp_smGraph, "Graph", 0, nullptr, gc_iNO_DATA},
    {"miGraph", UI::mp_miGraph, "Graph Window", K + A + 'g', C::graph_cb, gc_iNO_DATA},
    {"miClear_Graph", UI::mp_miClear_Graph, "Clear Graph", K + A + 'f', C::clearGraph_cb,
     gc_iNO_DATA},
    {"miScales", UI::mp_miScales, "Scales", A + 'j', C::scales_cb, gc_iNO_DATA},
    {"miCorners", UI::mp_miCorners, "Corners", A + 'k', C::corners_cb, gc_iNO_DATA},
    {"miText", UI::mp_miText, "Output Window", K + 't', C::text_cb, gc_iNO_DATA},
    {"miSteps", UI::mp_miSteps, "Steps", K + A + 's', C::steps_cb, gc_iNO_DATA},
    {"smSettings", UI::mp_smSettings, "Settings", 0, nullptr, gc_iNO_DATA},
    {"miZero_Out", UI::mp_miZero_Out, "Zero Out", 0, C::zeroOut_cb, gc_iNO_DATA},
    {"miError_Item", UI::mp_miError_Item, "Error Check", 0, nullptr, gc_iNO_DATA},
    {"miParentheses", UI::mp_miParentheses, "Auto Parentheses", 0, nullptr, gc_iNO_DATA},
    {"miExecute", UI::mp_miExecute, "Execute", 0, nullptr, gc_iNO_DATA},
    {"smHelp", UI::mp_smHelp, "Help", 0, nullptr, gc_iNO_DATA},
    {"miCalculator_Help", UI::mp_miCalculator_Help, "Calculator Help", 0, C::helpHelp_cb,
     gc_iNO_DATA},
    {"miUser_Guide", UI::mp_miUser_Guide, "Calculator User Guide", 0, C::helpGuide_cb, gc_iNO_DATA},
    {"miAbout", UI::mp_miAbout, "About", 0, C::helpAbout_cb, gc_iNO_DATA},
};

int dataOf(const Fl_Menu_Item* pItem) {
  const void* pData = pItem->user_data();
  return pData ? *static_cast<const int32_t*>(pData) : gc_iNO_DATA;
}

TEST(MenuTest, EveryPointerIsBoundToItsItem) {
  std::set<const Fl_Menu_Item*> aBound;
  for (const ClBinding& binding : gc_aBINDINGS) {
    SCOPED_TRACE(binding.acName);
    const Fl_Menu_Item* pItem = binding.pItem;
    ASSERT_NE(pItem, nullptr);
    EXPECT_STREQ(pItem->label(), binding.acLabel);
    EXPECT_EQ(pItem->shortcut(), binding.iShortcut);
    EXPECT_EQ(pItem->callback(), binding.pCallback);
    EXPECT_EQ(dataOf(pItem), binding.iData);
    EXPECT_EQ(pItem->submenu() != 0, std::strncmp(binding.acName, "sm", 2) == 0);
    EXPECT_TRUE(aBound.insert(pItem).second) << "bound twice";
  }
}

// What an open menu shows: its items from pFirst, the invisible rows (keys
// without an item of their own) left out.
std::vector<std::string> shownLabels(const Fl_Menu_Item* pFirst) {
  std::vector<std::string> asLabels;
  for (const Fl_Menu_Item* pItem = pFirst; pItem->text; pItem = pItem->next()) {
    asLabels.push_back(pItem->label());
    if (pItem->shortcut()) asLabels.back() += " (shortcut)";
  }
  return asLabels;
}

// The zoom keys and Space are rows of the table that no menu shows.
TEST(MenuTest, TheZoomAndViewMenusShowTheirItemsOnly) {
  const std::vector<std::string> asZOOM = {"100 %", "125 %", "150 %", "175 %",
                                           "200 %", "250 %", "300 %"};
  EXPECT_EQ(shownLabels(UI::mp_smZoom + 1), asZOOM);
  const std::vector<std::string> asVIEW = {"Output Format", "Window Format", "Zoom", "Graph",
                                           "Steps (shortcut)"};
  EXPECT_EQ(shownLabels(UI::mp_smView + 1), asVIEW);
}

struct ClOpenMenu {
  int iW = 0;
  Fl_Boxtype eBox = FL_NO_BOX;
};
ClOpenMenu lg_Open_Menu;

// Runs in the menu's own event loop: reads the menu window, then closes it.
void readAndClose(void*) {
  for (Fl_Window* pWindow = Fl::first_window(); pWindow; pWindow = Fl::next_window(pWindow)) {
    if (!dynamic_cast<Fl_Menu_Window*>(pWindow)) continue;
    lg_Open_Menu = {pWindow->w(), pWindow->box()};
    break;
  }
  Fl::e_keysym = FL_Escape;
  Fl::handle(FL_KEYBOARD, Fl::first_window());
}

// Opens the menu whose first item is pFirst below the menu bar, as the bar
// opens it, and returns its window's width and frame.
ClOpenMenu openMenu(const Fl_Menu_Item* pFirst) {
  lg_Open_Menu = ClOpenMenu();
  const Fl_Menu_Bar* pBar = ui().m_pMenu_Bar;
  Fl::add_timeout(0.05, readAndClose);
  pFirst->pulldown(pBar->x(), pBar->y() + pBar->h(), 0, 0, nullptr, pBar);
  return lg_Open_Menu;
}

std::string visibleLabel(const Fl_Menu_Item* pItem) {
  std::string sLabel = pItem->label();
  sLabel.erase(sLabel.find_last_not_of(' ') + 1);
  return sLabel;
}

// Where the toolkit draws an item: its label 3 pixels in, after a toggle's
// box (the row's height less twice the box's centring offset, and 3); its
// shortcut's modifiers right-aligned against a key column as wide as the
// widest key and 4, the frame and 1 pixel from the right.
void expectShortcutsClearTheirLabels(const Fl_Menu_Item* pFirst) {
  const ClOpenMenu menu = openMenu(pFirst);
  ASSERT_GT(menu.iW, 0) << "no menu window";
  const Fl_Menu_Bar* pBar = ui().m_pMenu_Bar;
  int iRow = 0, iKeys = 0;
  for (const Fl_Menu_Item* pItem = pFirst; pItem->text; pItem = pItem->next()) {
    int iH = 0;
    pItem->measure(&iH, pBar);
    iRow = std::max(iRow, iH);
    if (!pItem->shortcut()) continue;
    const char* acKey = nullptr;
    fl_shortcut_label(pItem->shortcut(), &acKey);
    iKeys = std::max(iKeys, static_cast<int>(fl_width(acKey)) + 4);
  }
  const int iBW = Fl::box_dx(menu.eBox);
  for (const Fl_Menu_Item* pItem = pFirst; pItem->text; pItem = pItem->next()) {
    if (!pItem->shortcut()) continue;
    SCOPED_TRACE(pItem->label());
    fl_font(pItem->labelfont(), pItem->labelsize());
    const bool bToggle = pItem->flags & (FL_MENU_TOGGLE | FL_MENU_RADIO);
    const int iBox = bToggle ? iRow - 2 * ((iRow - FL_NORMAL_SIZE + 1) / 2) + 3 : 0;
    const double dLabel_End = iBW + 3 + iBox + fl_width(visibleLabel(pItem).c_str());
    const char* acKey = nullptr;
    const char* acShortcut = fl_shortcut_label(pItem->shortcut(), &acKey);
    const double dShortcut =
        menu.iW - iBW - 1 - iKeys - fl_width(acShortcut, static_cast<int>(acKey - acShortcut));
    EXPECT_GE(dShortcut - dLabel_End, fl_width(" "));
  }
}

TEST(MenuTest, EveryShortcutClearsItsLabelInEveryMenu) {
  resetCalculator();
  int iMenus = 0;
  for (const Fl_Menu_Item& item : ClORVELUI::menu_mp_Menu_Bar) {
    if (!item.text || !item.submenu()) continue;
    SCOPED_TRACE(item.label());
    bool bShortcuts = false;
    for (const Fl_Menu_Item* pItem = &item + 1; pItem->text; pItem = pItem->next())
      bShortcuts = bShortcuts || pItem->shortcut();
    if (!bShortcuts) continue;
    expectShortcutsClearTheirLabels(&item + 1);
    ++iMenus;
  }
  EXPECT_EQ(iMenus, 8);  // Save Variable, Edit, Matrix, Copy Result As, View and three under it
}

}  // namespace
