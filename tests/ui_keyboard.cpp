// Keys and buttons: the keyboard map, the keys that differ from their
// buttons, Alt, the line-command keys acting once per press, the space bar,
// and Escape stopping a running repetition.
#include <FL/Fl.H>
#include <gtest/gtest.h>

#include "command/enter.h"
#include "command/history.h"
#include "engine/calculator.h"
#include "tests/ui_driver.h"
#include "ui/keypad.h"

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
      {"2E", "In>2E_"},
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
  for (eTOKEN ePrimary : lg_eALTS) {
    EXPECT_FALSE(g_epbDictionary[ePrimary]->visible()) << ePrimary;
    EXPECT_FALSE(g_epbDictionary[ePrimary]->active()) << ePrimary;
    EXPECT_TRUE(g_epbDictionary[ePrimary + 1]->visible()) << ePrimary;
  }
  typeText("7");
  click(g_epbDictionary[eBKSP]);
  click(g_epbDictionary[eVAR_U]);
  EXPECT_EQ(inputLine(), "In>U_");

  typeText("@");
  EXPECT_FALSE(lg_bAlt_On);
  EXPECT_FALSE(g_epbDictionary[eALT]->value());
  for (eTOKEN ePrimary : lg_eALTS) {
    EXPECT_TRUE(g_epbDictionary[ePrimary]->visible()) << ePrimary;
    EXPECT_FALSE(g_epbDictionary[ePrimary + 1]->visible()) << ePrimary;
  }
}

TEST_F(KeyboardTest, SpaceBarNeverPressesAButton) {
  click(g_epbDictionary[eDIGIT_7]);
  for (eTOKEN eCode : {eDIGIT_7, eALT, eENTER}) {
    SCOPED_TRACE(eCode);
    g_epbDictionary[eCode]->take_focus();
    typeKey(' ', " ");
  }
  EXPECT_EQ(inputLine(), "In>7_");
  EXPECT_FALSE(lg_bAlt_On);
  EXPECT_EQ(g_uiHistory_Next, 0);
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

}  // namespace
