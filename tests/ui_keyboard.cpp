// SPDX-License-Identifier: GPL-3.0-or-later
// Keys and buttons: the keyboard map, the keys that differ from their
// buttons, Alt, the line-command keys acting once per press, the space bar,
// and Escape stopping a running repetition.
#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <set>
#include <string>
#include <utility>

#include "command/enter.h"
#include "command/history.h"
#include "engine/calculator.h"
#include "tests/ui_driver.h"
#include "ui/keyboard.h"
#include "ui/keypad.h"

// After Eigen: X.h defines Success, a name Eigen uses.
#include <FL/fl_draw.H>

namespace {

class KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override { resetCalculator(); }
};

struct ClTypedCase {
  const char* acKeys;
  const char* acLine;  // the input line afterwards
};

TEST_F(KeyboardTest, TypedCharactersInsertTheirTokensWhetherOrNotTheButtonIsShown) {
  const ClTypedCase aCases[] = {
      {"U", "In>U_"},                             // alternate, hidden while Alt is off
      {"A", "In>A_"},      {"?", "In>aCosh (_"},  // aCosh, not a question
      {"!", "In>Cosh (_"}, {"{", "In>A X _"},     // preceded by A below
      {"<>~`", "In>_"},                           // line commands come only from their keys
      {"12\b", "In>12_"},  {"2E", "In>2E_"},
  };
  for (const ClTypedCase& c : aCases) {
    SCOPED_TRACE(c.acKeys);
    typeKey(FL_Escape, "\033");
    if (c.acKeys[0] == '{') typeText("A");
    typeText(c.acKeys);
    EXPECT_EQ(inputLine(), c.acLine);
  }
  EXPECT_TRUE(ui().m_pWindow->shown());  // Escape cleared lines, closed nothing
}

TEST_F(KeyboardTest, ArrowsAndBackSpaceActOncePerPress) {
  typeText("12+3");
  typeKey(FL_Left, "");
  typeKey(FL_Left, "");
  EXPECT_EQ(inputLine(), "In>12_ + 3");
  typeKey(FL_BackSpace, "\b");
  EXPECT_EQ(inputLine(), "In>1_ + 3");
  typeKey(FL_Right, "");
  EXPECT_EQ(inputLine(), "In>1 + _3");
  typeKey(FL_Enter, "\r");
  typeText("5");
  typeKey(FL_Up, "");
  EXPECT_EQ(inputLine(), "In>1 + 3_");
  typeKey(FL_Down, "");
  EXPECT_EQ(inputLine(), "In>5_");
}

TEST_F(KeyboardTest, ButtonsInsertTheSameTokensAsTheirKeys) {
  click(g_epbDictionary[eDIGIT_4]);
  click(g_epbDictionary[eTIMES]);
  click(g_epbDictionary[eINV]);
  EXPECT_EQ(inputLine(), "In>4 * Inv (_");
  typeKey(FL_Escape, "\033");
  typeText("A");
  click(g_epbDictionary[eCLEAR]);  // hidden: a click there hits its primary
  EXPECT_EQ(inputLine(), "In>A X _");
  click(g_epbDictionary[eENTER]);
  EXPECT_EQ(g_uiHistory_Next, 1);
}

TEST_F(KeyboardTest, AltSwapsThePairsAndBackByButtonAndKey) {
  click(g_epbDictionary[eALT]);
  EXPECT_TRUE(lg_bAlt_On);
  EXPECT_TRUE(g_epbDictionary[eALT]->value());
  for (const ClAltPair& pair : lg_eALTS) {
    EXPECT_FALSE(g_epbDictionary[pair.m_ePrimary]->visible()) << pair.m_ePrimary;
    EXPECT_FALSE(g_epbDictionary[pair.m_ePrimary]->active()) << pair.m_ePrimary;
    EXPECT_TRUE(g_epbDictionary[pair.m_eAlternate]->visible()) << pair.m_ePrimary;
  }
  typeText("7");
  click(g_epbDictionary[eBKSP]);
  click(g_epbDictionary[eVAR_U]);
  EXPECT_EQ(inputLine(), "In>U_");

  typeText("@");
  EXPECT_FALSE(lg_bAlt_On);
  EXPECT_FALSE(g_epbDictionary[eALT]->value());
  for (const ClAltPair& pair : lg_eALTS) {
    EXPECT_TRUE(g_epbDictionary[pair.m_ePrimary]->visible()) << pair.m_ePrimary;
    EXPECT_FALSE(g_epbDictionary[pair.m_eAlternate]->visible()) << pair.m_ePrimary;
  }
}

TEST_F(KeyboardTest, SpaceBarNeverPressesAButton) {
  click(g_epbDictionary[eDIGIT_7]);
  for (eTOKEN eCode : {eDIGIT_7, eINV, eLEFT, eBKSP, eCLEAR, eALT, eENTER}) {
    SCOPED_TRACE(eCode);
    g_epbDictionary[eCode]->take_focus();
    typeKey(' ', " ");
  }
  EXPECT_EQ(inputLine(), "In>7_");
  EXPECT_FALSE(lg_bAlt_On);
  EXPECT_EQ(g_uiHistory_Next, 0);
}

// One press of a token's key, as the user's keyboard makes it: a key symbol
// with its text, or (key 0) a typed character.
struct ClPress {
  eTOKEN eToken;
  int iKey;
  const char* acText;
};

const ClPress gc_aPRESSES[] = {
    {eDIGIT_1, 0, "1"},
    {ePLUS, 0, "+"},
    {eINV, 0, "I"},
    {eDIGIT_2, 0, "2"},
    {eLEFT, FL_Left, ""},
    {eLEFT, FL_Left, ""},
    {eBKSP, FL_BackSpace, "\b"},
    {eRIGHT, FL_Right, ""},
    {ePOINT, 0, "."},
    {eENTER, FL_Enter, "\r"},
    {eALT, 0, "@"},
    {eVAR_U, 0, "U"},
    {eALT, 0, "@"},
    {eSEMICOLON, 0, ";"},
    {eENTER, FL_Enter, "\r"},
    {ePREV, FL_Up, ""},
    {ePREV, FL_Up, ""},
    {eNEXT, FL_Down, ""},
    {eDIGIT_3, 0, "3"},
    {eCLEAR, FL_Escape, "\033"},
    {eDIGIT_4, 0, "4"},
    {eALT, 0, "@"},
};

struct ClOutcome {
  std::string sInput, sOutput;
  uint16_t uiHistory_Count;
  bool bAlt_On;
  bool operator==(const ClOutcome& other) const {
    return sInput == other.sInput && sOutput == other.sOutput &&
           uiHistory_Count == other.uiHistory_Count && bAlt_On == other.bAlt_On;
  }
};

template <typename Press>
ClOutcome outcomeOf(Press press) {
  resetCalculator();
  for (const ClPress& p : gc_aPRESSES) press(p);
  Fl::check();
  return {paneText(ePANE_INPUT), paneText(ePANE_OUTPUT), g_uiHistory_Next, lg_bAlt_On};
}

TEST_F(KeyboardTest, KeysButtonsAndTheDispatchDoTheSame) {
  const ClOutcome keyboard = outcomeOf([](const ClPress& p) {
    if (p.iKey == 0)
      typeText(p.acText);
    else
      typeKey(p.iKey, p.acText);
  });
  const ClOutcome buttons = outcomeOf([](const ClPress& p) {
    // the button's own callback, shown or not
    g_epbDictionary[p.eToken]->do_callback();
  });
  const ClOutcome dispatch = outcomeOf([](const ClPress& p) { pressKey(p.eToken); });

  EXPECT_EQ(keyboard.sInput.substr(keyboard.sInput.rfind('\n') + 1), "In>4_");
  EXPECT_EQ(keyboard.uiHistory_Count, 2);
  EXPECT_TRUE(keyboard.bAlt_On);
  EXPECT_TRUE(buttons == keyboard) << buttons.sInput << "\n" << buttons.sOutput;
  EXPECT_TRUE(dispatch == keyboard) << dispatch.sInput << "\n" << dispatch.sOutput;
}

// Each alternate follows its primary in the token codes and takes its
// primary's cell when Alt is on; the 60 cells hold every other button.
TEST_F(KeyboardTest, EveryAlternateIsItsPrimarysPartnerInBothLayouts) {
  std::set<eTOKEN> paired;
  for (const ClAltPair& pair : lg_eALTS) {
    EXPECT_EQ(pair.m_eAlternate, pair.m_ePrimary + 1) << pair.m_ePrimary;
    EXPECT_TRUE(paired.insert(pair.m_ePrimary).second) << pair.m_ePrimary;
    EXPECT_TRUE(paired.insert(pair.m_eAlternate).second) << pair.m_eAlternate;
  }
  for (Fl_Menu_Item* pMode : {ClORVELUI::mp_miTwo_Windows, ClORVELUI::mp_miPortrait_Mode}) {
    SCOPED_TRACE(pMode->label());
    pick(pMode);
    for (const ClAltPair& pair : lg_eALTS) {
      const ClButton* pPrimary = g_epbDictionary[pair.m_ePrimary];
      const ClButton* pAlternate = g_epbDictionary[pair.m_eAlternate];
      ASSERT_TRUE(pPrimary && pAlternate) << pair.m_ePrimary;
      EXPECT_EQ(std::make_pair(pAlternate->x(), pAlternate->y()),
                std::make_pair(pPrimary->x(), pPrimary->y()))
          << pair.m_ePrimary;
      EXPECT_TRUE(pPrimary->visible() && !pAlternate->visible()) << pair.m_ePrimary;
    }
    for (bool bAlt_On : {false, true}) {
      if (bAlt_On) click(g_epbDictionary[eALT]);
      std::set<std::pair<int, int>> cells;
      int iButtons = 0, iShown = 0;
      for (const ClButton* pButton : g_epbDictionary) {
        if (pButton == nullptr) continue;
        ++iButtons;
        if (!pButton->visible()) continue;
        ++iShown;
        cells.insert({pButton->x(), pButton->y()});
      }
      EXPECT_EQ(iButtons, 96);
      EXPECT_EQ(iShown, 60) << "Alt " << bAlt_On;
      EXPECT_EQ(cells.size(), 60u) << "Alt " << bAlt_On;
    }
    click(g_epbDictionary[eALT]);
  }
}

TEST_F(KeyboardTest, CtrlAndAltKeysGoToTheMenuNotTheLine) {
  typeKey('r', "\022", FL_CTRL);
  EXPECT_EQ(g_eView_State, 2);
  EXPECT_TRUE(ClORVELUI::mp_miRational->value());
  typeKey('f', "f", FL_ALT);
  EXPECT_EQ(g_eView_State, 1);
  EXPECT_EQ(inputLine(), "In>_");
}

// The Escape arrives while the repetition runs, from a timer that the
// repetition's own event polling fires; the Enter key sent with it is ignored.
void pressDuringRepetition(void*) {
  typeKey(FL_Enter, "\r");
  click(g_epbDictionary[eDIGIT_9]);
  typeKey(FL_Escape, "\033");
}

TEST_F(KeyboardTest, EscapeStopsARunningRepetitionAndOtherInputIsIgnored) {
  typeText("u=0");
  typeKey(FL_Enter, "\r");
  typeText("u=u+1");
  typeKey(FL_Enter, "\r");
  typeText("X60000,1);");  // Rpt(60000,1);
  Fl::add_timeout(0.15, pressDuringRepetition);
  typeKey(FL_Enter, "\r");
  Fl::remove_timeout(pressDuringRepetition);

  const double dCount = ClCalculator::mp_mVariable[eVAR_u](0, 0).real();
  EXPECT_GT(dCount, 1);
  EXPECT_LT(dCount, 60001);
  EXPECT_NE(paneText(ePANE_OUTPUT).find(gc_acSTOP_NOTICE), std::string::npos);
  EXPECT_EQ(g_uiHistory_Next, 3);
  EXPECT_EQ(inputLine(), "In>_");
}

// Lets a pressed button's timed spring-back (a key press shows a button
// pressed for a moment) run, as the event loop would.
void letTimersRun() {
  const auto tEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
  while (std::chrono::steady_clock::now() < tEnd) Fl::wait(0.05);
}

// A key goes to the keypad's own shortcuts when the pointer rests on a
// button, and to the window's handler otherwise; a click goes to the button.
struct ClKeypadPress {
  const char* acHow;
  eTOKEN eBelow_Mouse;  // eNULL: the pointer is not over the keypad
  int iKey;             // 0: a click on the button of eToken
  const char* acText;
  eTOKEN eToken;
};

const ClKeypadPress gc_aKEYPAD_PRESSES[] = {
    {"Return, pointer away", eNULL, FL_Enter, "\r", eENTER},
    {"Return, pointer on Enter", eENTER, FL_Enter, "\r", eENTER},
    {"digit, pointer on another", eDIGIT_4, '7', "7", eDIGIT_7},
    {"@, pointer on a digit", eDIGIT_4, '@', "@", eALT},
    {"@, pointer on Alt", eALT, '@', "@", eALT},
    {"@, pointer away", eNULL, '@', "@", eALT},
    {"click on a digit", eNULL, 0, "", eDIGIT_7},
    {"click on Alt", eNULL, 0, "", eALT},
    {"click on Enter", eNULL, 0, "", eENTER},
};

void pressOnKeypad(const ClKeypadPress& p) {
  Fl::belowmouse(p.eBelow_Mouse == eNULL ? nullptr : g_epbDictionary[p.eBelow_Mouse]);
  if (p.iKey == 0)
    click(g_epbDictionary[p.eToken]);
  else
    typeKey(p.iKey, p.acText);
  letTimersRun();
}

TEST_F(KeyboardTest, KeypadButtonsNeverKeepTheFocus) {
  for (const ClKeypadPress& p : gc_aKEYPAD_PRESSES) {
    SCOPED_TRACE(p.acHow);
    ui().m_pInput->take_focus();
    pressOnKeypad(p);
    EXPECT_EQ(Fl::focus(), ui().m_pInput);
  }
  Fl::belowmouse(nullptr);
}

// The Alt button's colour on screen at a point of its box clear of the label.
std::array<int, 3> altColour() {
  const ClButton* pAlt = g_epbDictionary[eALT];
  Fl::flush();
  ui().m_pWindow->make_current();
  unsigned char aucRgb[3] = {};
  fl_read_image(aucRgb, pAlt->x() + pAlt->w() / 5, pAlt->y() + pAlt->h() / 2, 1, 1);
  return {aucRgb[0], aucRgb[1], aucRgb[2]};
}

TEST_F(KeyboardTest, AltButtonShowsItsStateHoweverAltWasSwitched) {
  const std::array<int, 3> aUP{0xFF, 0xB6, 0x00}, aPRESSED{0xFF, 0xDA, 0x00};
  for (const ClKeypadPress& p : gc_aKEYPAD_PRESSES) {
    if (p.eToken != eALT) continue;
    SCOPED_TRACE(p.acHow);
    for (bool bOn : {true, false}) {
      pressOnKeypad(p);
      ASSERT_EQ(lg_bAlt_On, bOn);
      EXPECT_EQ(g_epbDictionary[eALT]->value() != 0, bOn);
      EXPECT_EQ(altColour(), bOn ? aPRESSED : aUP) << "Alt " << bOn;
    }
  }
  Fl::belowmouse(nullptr);
  // a new layout starts with Alt off, and shows it
  typeText("@");
  pick(ClORVELUI::mp_miPortrait_Mode);
  EXPECT_FALSE(lg_bAlt_On);
  EXPECT_FALSE(g_epbDictionary[eALT]->value());
  pick(ClORVELUI::mp_miTwo_Windows);
}

}  // namespace
