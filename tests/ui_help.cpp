// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu's windows: placement in both layouts, titles from the
// documents, contents links, the About window and its keys, and the help's
// button list checked against the token table.
// clang-format off
// The test framework and Eigen before the viewer's header, which brings in
// X11 macros (None, Success) that both use as names.
#include <gtest/gtest.h>
#include "tests/ui_driver.h"
#include <FL/Fl.H>
#include <FL/Fl_Help_View.H>
// clang-format on

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "command/callback.h"
#include "engine/tokens.h"
#include "tests/support/html_text.h"
#include "ui/display_window.h"
#include "ui/documents.h"
#include "ui/keypad.h"

namespace {

// Each test starts without help windows, so each can create them in its
// own layout.
class HelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetCalculator();
    for (ClDisplayWindow** ppWindow : {&g_Main_Window.m_pHelp, &g_Main_Window.m_pGuide}) {
      delete *ppWindow;
      *ppWindow = nullptr;
    }
    delete g_Main_Window.m_pAbout;
    g_Main_Window.m_pAbout = nullptr;
    Fl::check();
  }
  void TearDown() override {
    for (ClDisplayWindow* pWindow : {g_Main_Window.m_pHelp, g_Main_Window.m_pGuide})
      if (pWindow) pWindow->m_pWindow->hide();
    if (g_Main_Window.m_pAbout) g_Main_Window.m_pAbout->hide();
    Fl::check();
  }
};

void expectRect(const Fl_Widget* pWidget, int iX, int iY, int iW, int iH) {
  EXPECT_EQ(pWidget->x(), iX);
  EXPECT_EQ(pWidget->y(), iY);
  EXPECT_EQ(pWidget->w(), iW);
  EXPECT_EQ(pWidget->h(), iH);
}

TEST_F(HelpTest, DocumentWindowsSitWhereTheLayoutPutsThemWithTheirTitles) {
  struct ClCase {
    Fl_Menu_Item* pItem;
    ClDisplayWindow* ClORVELWindow::*pWindow;
    const char* acTitle;
    int iX, iY, iW, iH, iText;
  };
  const ClCase aLANDSCAPE[] = {{ClORVELUI::mp_miCalculator_Help, &ClORVELWindow::m_pHelp,
                                "ORVEL Calculator Help", 90, 120, 620, 351, 18},
                               {ClORVELUI::mp_miUser_Guide, &ClORVELWindow::m_pGuide,
                                "ORVEL User Guide", 120, 180, 620, 351, 18}};
  const ClCase aPORTRAIT[] = {{ClORVELUI::mp_miCalculator_Help, &ClORVELWindow::m_pHelp,
                               "ORVEL Calculator Help", 60, 90, 393, 333, 16},
                              {ClORVELUI::mp_miUser_Guide, &ClORVELWindow::m_pGuide,
                               "ORVEL User Guide", 60, 120, 435, 333, 16}};
  for (const ClCase& c : aLANDSCAPE) {
    SCOPED_TRACE(c.acTitle);
    pick(c.pItem);
    const ClDisplayWindow* pWindow = g_Main_Window.*c.pWindow;
    ASSERT_NE(pWindow, nullptr);
    expectRect(pWindow->m_pWindow, c.iX, c.iY, c.iW, c.iH);
    EXPECT_EQ(pWindow->m_pView->textsize(), c.iText);
    EXPECT_STREQ(pWindow->m_pWindow->label(), c.acTitle);
    EXPECT_TRUE(pWindow->m_pWindow->shown());
  }
  SetUp();
  pick(ClORVELUI::mp_miPortrait_Mode);
  for (const ClCase& c : aPORTRAIT) {
    SCOPED_TRACE(c.acTitle);
    pick(c.pItem);
    const ClDisplayWindow* pWindow = g_Main_Window.*c.pWindow;
    ASSERT_NE(pWindow, nullptr);
    expectRect(pWindow->m_pWindow, c.iX, c.iY, c.iW, c.iH);
    EXPECT_EQ(pWindow->m_pView->textsize(), c.iText);
    // Created once: going back to landscape keeps the portrait size.
  }
  pick(ClORVELUI::mp_miTwo_Windows);
  pick(ClORVELUI::mp_miCalculator_Help);
  EXPECT_EQ(g_Main_Window.m_pHelp->m_pWindow->w(), 393);
}

TEST_F(HelpTest, ASecondChoiceRaisesTheSameWindow) {
  pick(ClORVELUI::mp_miCalculator_Help);
  ClDisplayWindow* pHelp = g_Main_Window.m_pHelp;
  // the help's mapping and focus events come first, as before a user's next pick
  for (int k = 0; k < 20; ++k) Fl::wait(0.01);
  pick(ClORVELUI::mp_miUser_Guide);
  Fl::check();
  EXPECT_EQ(Fl::first_window(), g_Main_Window.m_pGuide->m_pWindow);

  pHelp->m_pWindow->hide();
  pick(ClORVELUI::mp_miCalculator_Help);
  Fl::check();
  EXPECT_EQ(g_Main_Window.m_pHelp, pHelp);
  EXPECT_TRUE(pHelp->m_pWindow->shown());
  EXPECT_EQ(Fl::first_window(), pHelp->m_pWindow);
  EXPECT_STREQ(pHelp->value(), gc_acHELP_TEXT);
}

// Clicks over the top of the viewer and collects where each click scrolled
// it: a click on a contents link scrolls to the link's section.
std::set<int> linkTargets(Fl_Help_View* pView) {
  std::set<int> aiTops;
  Fl_Window* pWindow = pView->window();
  for (int iY = pView->y() + 4; iY < pView->y() + pView->h() - 4; iY += 4) {
    for (int iX = pView->x() + 10; iX < pView->x() + 160; iX += 10) {
      pView->topline(0);
      Fl::e_x = iX;
      Fl::e_y = iY;
      Fl::e_x_root = pWindow->x() + iX;
      Fl::e_y_root = pWindow->y() + iY;
      Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
      Fl::handle(FL_PUSH, pWindow);
      Fl::event_is_click(1);
      Fl::handle(FL_RELEASE, pWindow);
      if (pView->topline() != 0) aiTops.insert(pView->topline());
    }
  }
  pView->topline(0);
  return aiTops;
}

TEST_F(HelpTest, ContentsLinksJumpToTheirSections) {
  pick(ClORVELUI::mp_miCalculator_Help);
  g_Main_Window.m_pHelp->m_pWindow->size(620, 700);  // the whole contents list in view
  Fl::check();
  Fl_Help_View* pView = g_Main_Window.m_pHelp->m_pView;
  const std::set<int> aiTops = linkTargets(pView);
  for (const char* acSection : {"basics", "menus", "buttons", "miscellany"}) {
    pView->topline(acSection);
    const int iTop = pView->topline();
    EXPECT_GT(iTop, 0) << acSection;
    EXPECT_TRUE(aiTops.count(iTop)) << "no contents link leads to " << acSection;
  }
}

TEST_F(HelpTest, AboutWindowShowsTheVersionAndTheDecodedPicture) {
  pick(ClORVELUI::mp_miAbout);
  ClWindow* pAbout = g_Main_Window.m_pAbout;
  ASSERT_NE(pAbout, nullptr);
  expectRect(pAbout, 206, 52, 454, 313);
  EXPECT_STREQ(pAbout->label(), "About ORVEL Calculator");
  ASSERT_EQ(pAbout->children(), 3);
  const Fl_Image* pPicture = pAbout->child(0)->image();
  ASSERT_NE(pPicture, nullptr);
  EXPECT_EQ(pPicture->w(), 356);
  EXPECT_EQ(pPicture->h(), 141);
  EXPECT_EQ(pPicture->d(), 3);
  EXPECT_STREQ(pAbout->child(1)->label(), "Quorvane\n Calculator Version 1.1.2");
  EXPECT_EQ(pAbout->child(1)->labelfont(), FL_HELVETICA_BOLD);

  pick(ClORVELUI::mp_miAbout);
  EXPECT_EQ(g_Main_Window.m_pAbout, pAbout);
}

// A key pressed while the About window has the focus.
void typeInto(Fl_Window* pWindow, int iKeysym, const char* acText) {
  Fl::e_keysym = iKeysym;
  Fl::e_text = const_cast<char*>(acText);
  Fl::e_length = static_cast<int>(strlen(acText));
  Fl::e_state = 0;
  Fl::handle(FL_KEYDOWN, pWindow);
  Fl::handle(FL_KEYUP, pWindow);
}

TEST_F(HelpTest, KeysTypedIntoTheAboutWindowReachTheCalculatorsLine) {
  pick(ClORVELUI::mp_miAbout);
  ClWindow* pAbout = g_Main_Window.m_pAbout;
  Fl::check();
  typeInto(pAbout, '7', "7");
  typeInto(pAbout, '+', "+");
  typeInto(pAbout, '1', "1");
  EXPECT_EQ(inputLine(), "In>7 + 1_");
  typeInto(pAbout, FL_BackSpace, "\b");
  typeInto(pAbout, '2', "2");
  typeInto(pAbout, FL_Enter, "\r");
  EXPECT_NE(paneText(ePANE_OUTPUT).find("Out>7 + 2 :\n9"), std::string::npos);
}

// Escape closes the window it is typed into, whichever widget of it has the
// focus, and leaves the calculator's line alone.
TEST_F(HelpTest, EscapeClosesTheHelpGuideAndAboutWindows) {
  const auto helpWindow = []() -> Fl_Window* { return g_Main_Window.m_pHelp->m_pWindow; };
  const auto guideWindow = []() -> Fl_Window* { return g_Main_Window.m_pGuide->m_pWindow; };
  const auto aboutWindow = []() -> Fl_Window* { return g_Main_Window.m_pAbout; };
  const struct {
    Fl_Menu_Item* pItem;
    Fl_Window* (*pfWindow)();
  } aCases[] = {{ClORVELUI::mp_miCalculator_Help, helpWindow},
                {ClORVELUI::mp_miUser_Guide, guideWindow},
                {ClORVELUI::mp_miAbout, aboutWindow}};
  typeText("1+");
  for (const auto& c : aCases) {
    SCOPED_TRACE(c.pItem->label());
    for (bool bFocus_Inside : {false, true}) {
      pick(c.pItem);
      Fl::check();
      Fl_Window* pWindow = c.pfWindow();
      ASSERT_TRUE(pWindow->shown());
      if (bFocus_Inside) Fl::focus(pWindow->children() ? pWindow->child(0) : pWindow);
      typeInto(pWindow, FL_Escape, "\033");
      EXPECT_FALSE(pWindow->shown()) << "focus inside: " << bFocus_Inside;
      EXPECT_EQ(inputLine(), "In>1 + _");
    }
  }
  EXPECT_TRUE(g_Main_Window.window()->shown());
}

TEST_F(HelpTest, ExitIsNotAskedWhileAHelpWindowIsInFront) {
  pick(ClORVELUI::mp_miCalculator_Help);
  Fl::check();
  ASSERT_EQ(Fl::first_window(), g_Main_Window.m_pHelp->m_pWindow);
  g_Answers.m_iChoice = 1;
  ClCallback::exit_cb(nullptr, nullptr);
  EXPECT_TRUE(g_Answers.m_asQuestions.empty());
  EXPECT_TRUE(g_Main_Window.window()->shown());
}

// The key a button's entry in the help names: the token character, or the
// named key of a line command.
std::string keyName(eTOKEN eCode) {
  static const std::map<int, std::string> gc_aNAMED = {
      {FL_Up, "Up Arrow"},       {FL_Down, "Down Arrow"},     {FL_Left, "Left Arrow"},
      {FL_Right, "Right Arrow"}, {FL_BackSpace, "BackSpace"}, {FL_Escape, "Escape"},
      {FL_Enter, "Enter"}};
  const auto it = gc_aNAMED.find(g_epbDictionary[eCode]->shortcut());
  if (it != gc_aNAMED.end()) return it->second;
  return std::string(1, static_cast<char>(gc_aTOKEN_TABLE[eCode].m_iCharacter));
}

std::string trimmed(const std::string& s) {
  const size_t iFirst = s.find_first_not_of(' ');
  return iFirst == std::string::npos ? "" : s.substr(iFirst, s.find_last_not_of(' ') - iFirst + 1);
}

// Every "<B>name</B> (key <TT>key</TT>" of the help's Buttons section.
std::multimap<std::string, std::string> buttonEntries() {
  const std::string sHelp = gc_acHELP_TEXT;
  const size_t iStart = sHelp.find("<A NAME=\"buttons\">");
  const size_t iEnd = sHelp.find("<A NAME=\"miscellany\">");
  std::string sList = sHelp.substr(iStart, iEnd - iStart);
  std::replace(sList.begin(), sList.end(), '\n', ' ');
  std::multimap<std::string, std::string> aEntries;
  const std::string sKey = "</B> (key <TT>";
  for (size_t i = sList.find(sKey); i != std::string::npos; i = sList.find(sKey, i + 1)) {
    const size_t iName = sList.rfind("<B>", i) + 3;
    const size_t iKey = i + sKey.size();
    aEntries.emplace(unescapeHtml(sList.substr(iName, i - iName)),
                     unescapeHtml(sList.substr(iKey, sList.find("</TT>", iKey) - iKey)));
  }
  return aEntries;
}

TEST_F(HelpTest, EveryButtonIsInTheHelpWithItsKeyFromTheTokenTable) {
  const std::multimap<std::string, std::string> aEntries = buttonEntries();
  int iButtons = 0;
  for (int iCode = 0; iCode < gc_iTOKEN_COUNT; ++iCode) {
    const ClButton* pButton = g_epbDictionary[iCode];
    if (!pButton) continue;
    ++iButtons;
    const eTOKEN eCode = static_cast<eTOKEN>(iCode);
    // Listed under its label, or under its display name where the label is
    // a drawn arrow.
    std::string sName = trimmed(pButton->label());
    if (!aEntries.count(sName)) sName = trimmed(tokenName(eCode));
    SCOPED_TRACE(sName);
    ASSERT_EQ(aEntries.count(sName), 1u) << "button missing from the help, or listed twice";
    EXPECT_EQ(aEntries.find(sName)->second, keyName(eCode));
  }
  EXPECT_EQ(static_cast<int>(aEntries.size()), iButtons) << "an entry names no button";
}

}  // namespace
