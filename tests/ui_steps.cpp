// SPDX-License-Identifier: GPL-3.0-or-later
// The Steps window: opened from View > Steps and by Space in the output
// pane, its choices, following the calculator, the copy buttons (read back
// from the X clipboard, the LaTeX compiled), Escape, and its place in every
// window mode.
// clang-format off
// The test framework and Eigen before the viewer's header, which brings in
// X11 macros (None, Success) that both use as names.
#include <gtest/gtest.h>
#include "tests/ui_driver.h"
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Help_View.H>
#include <FL/Fl_Scrollbar.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
// clang-format on

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "command/steps_writer.h"
#include "engine/calculator.h"
#include "engine/steps.h"
#include "tests/support/xclip.h"
#include "ui/steps_window.h"

namespace {

class StepsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetCalculator();
    closeSteps();
  }
  void TearDown() override {
    closeSteps();
    resetCalculator();
  }
  static void closeSteps() {
    delete g_Main_Window.m_pSteps;
    g_Main_Window.m_pSteps = nullptr;
    Fl::check();
  }
};

void enter(const std::string& sKeys) {
  typeText(sKeys);
  typeKey(FL_Enter, "\r");
  Fl::check();
}

// A = [2,1,1;1,3,2;1,0,0], then Inv (A).
void enterInverse() {
  enter("A=[2,1,1;1,3,2;1,0,0]");
  enter("IA");
  ASSERT_EQ(g_aSteps_Kept.size(), 1u);
}

ClStepsWindow& steps() {
  return *g_Main_Window.m_pSteps;
}

std::string shown() {
  const char* acValue = steps().m_pView->value();
  return acValue ? acValue : "";
}

// The window's HTML has the line width of its viewer.
std::string expected(ClStepsView view, eTEXT_FORM eForm = eFORM_HTML) {
  view.m_iHtml_Line = steps().view().m_iHtml_Line;
  view.m_Options.m_Display = currentDisplayOptions();
  return stepsDocument(g_aSteps_Kept, view, eForm);
}

size_t count(const std::string& sText, const std::string& sPart) {
  size_t uiCount = 0;
  for (size_t k = sText.find(sPart); k != std::string::npos; k = sText.find(sPart, k + 1))
    ++uiCount;
  return uiCount;
}

bool has(const std::string& sText, const std::string& sPart) {
  return sText.find(sPart) != std::string::npos;
}

void choose(Fl_Choice* pChoice, int iItem) {
  pChoice->value(iItem);
  pChoice->do_callback();
  Fl::check();
}

// A key pressed while a widget of the window has the focus.
void typeInto(Fl_Widget* pFocus, int iKeysym, const char* acText) {
  Fl::focus(pFocus);
  Fl::e_keysym = iKeysym;
  Fl::e_text = const_cast<char*>(acText);
  Fl::e_length = static_cast<int>(strlen(acText));
  Fl::e_state = 0;
  Fl_Window* pWindow = pFocus->as_window() ? pFocus->as_window() : pFocus->window();
  Fl::handle(FL_KEYDOWN, pWindow);
  Fl::handle(FL_KEYUP, pWindow);
}

TEST_F(StepsTest, OpensFromTheMenuAndTheOutputPaneAndFollowsTheLines) {
  enterInverse();
  pick(ClORVELUI::mp_miSteps);
  ASSERT_NE(g_Main_Window.m_pSteps, nullptr);
  EXPECT_TRUE(steps().m_pWindow->shown());
  EXPECT_STREQ(steps().m_pWindow->label(), "ORVEL Calculator Steps");
  EXPECT_EQ(shown(), expected(ClStepsView()));
  EXPECT_NE(shown().find("Inv"), std::string::npos);

  // a new line refills the open window
  enter("DA");
  EXPECT_EQ(g_aSteps_Kept[0].m_eKind, eSTEPS_DET);
  EXPECT_EQ(shown(), expected(ClStepsView()));

  // Escape closes it; Space in the output pane opens it again, typing
  // nothing; in the input pane Space does nothing at all
  typeInto(steps().m_pView, FL_Escape, "\033");
  EXPECT_FALSE(steps().m_pWindow->shown());
  enter("RA");
  const std::string sLine = inputLine();
  typeInto(ui().m_pInput, ' ', " ");
  EXPECT_FALSE(steps().m_pWindow->shown());
  EXPECT_EQ(inputLine(), sLine);
  typeInto(ui().m_pOutput, ' ', " ");
  EXPECT_TRUE(steps().m_pWindow->shown());
  EXPECT_EQ(inputLine(), sLine);
  EXPECT_EQ(g_aSteps_Kept[0].m_eKind, eSTEPS_RREF);
  EXPECT_EQ(shown(), expected(ClStepsView()));
}

TEST_F(StepsTest, ALineWithoutStepsSaysSo) {
  enter("1+2");
  pick(ClORVELUI::mp_miSteps);
  EXPECT_TRUE(g_aSteps_Kept.empty());
  EXPECT_EQ(shown(), expected(ClStepsView()));
  EXPECT_TRUE(has(shown(), "The last line had none.")) << shown();
}

// Each choice writes the document its view asks for, and what it changes
// shows; the pivot rule is offered only with exact arithmetic.
TEST_F(StepsTest, EachChoiceRewritesTheDocument) {
  enterInverse();
  pick(ClORVELUI::mp_miSteps);
  const std::string sDefault = shown();
  constexpr const char* acEXACT = "Exact fractions, pivot: first non-zero entry.";
  ASSERT_TRUE(has(sDefault, acEXACT));
  struct ClCase {
    const char* acName;
    Fl_Choice* ClStepsWindow::*pChoice;
    void (*pfChange)(ClStepsView&);
    bool (*pfChanged)(const std::string& sDefault, const std::string& sShown);
  };
  const ClCase aCASES[] = {
      {"As computed", &ClStepsWindow::m_pArithmetic,
       [](ClStepsView& v) { v.m_Options.m_eArithmetic = eSTEPS_COMPUTED; },
       [](const std::string&, const std::string& sShown) {
         return has(sShown, "As computed by the calculator.") && !has(sShown, acEXACT);
       }},
      {"Largest", &ClStepsWindow::m_pPivot,
       [](ClStepsView& v) { v.m_Options.m_ePivot = ePIVOT_LARGEST; },
       [](const std::string&, const std::string& sShown) {
         return has(sShown, "Exact fractions, pivot: largest entry in modulus.") &&
                !has(sShown, acEXACT);
       }},
      {"Per pivot column", &ClStepsWindow::m_pGrouping,
       [](ClStepsView& v) { v.m_eGrouping = eGROUP_PER_COLUMN; },
       [](const std::string& sDefault, const std::string& sShown) {
         return count(sShown, "<pre>") < count(sDefault, "<pre>");
       }},
  };
  for (const ClCase& c : aCASES) {
    SCOPED_TRACE(c.acName);
    Fl_Choice* pChoice = steps().*c.pChoice;
    choose(pChoice, 1);
    EXPECT_STREQ(pChoice->text(), c.acName);
    ClStepsView view;
    c.pfChange(view);
    EXPECT_EQ(shown(), expected(view));
    EXPECT_TRUE(c.pfChanged(sDefault, shown())) << shown();
    choose(pChoice, 0);
    EXPECT_EQ(shown(), sDefault);
  }
  choose(steps().m_pArithmetic, 1);
  EXPECT_FALSE(steps().m_pPivot->active());
  choose(steps().m_pArithmetic, 0);
  EXPECT_TRUE(steps().m_pPivot->active());
}

// The inverse's steps in the calculator's arithmetic, whose entries the
// output format writes, shown; the view they are written with.
ClStepsView showComputedInverse() {
  enterInverse();
  pick(ClORVELUI::mp_miSteps);
  choose(steps().m_pArithmetic, 1);
  ClStepsView view;
  view.m_Options.m_eArithmetic = eSTEPS_COMPUTED;
  return view;
}

// The settings' callbacks announce the change: the shown window is written
// again at once, with no pass of the event loop in between.
TEST_F(StepsTest, FollowsTheOutputFormatAndZeroOut) {
  const ClStepsView view = showComputedInverse();
  const std::string sDecimal = shown();
  pick(ClORVELUI::mp_miRational);
  EXPECT_EQ(shown(), expected(view));
  EXPECT_NE(shown(), sDecimal);
  pick(ClORVELUI::mp_miZero_Out);
  EXPECT_FALSE(g_bZero_Out);
  EXPECT_EQ(shown(), expected(view));
  EXPECT_FALSE(steps().stale());
}

// A hidden window is not written while the settings change: it is stale,
// and written when it is shown again, with no pass of the event loop in
// between.
TEST_F(StepsTest, AHiddenWindowIsStaleAfterASettingAndRefilledWhenShown) {
  const ClStepsView view = showComputedInverse();
  for (Fl_Menu_Item* pSetting : {ClORVELUI::mp_miRational, ClORVELUI::mp_miZero_Out}) {
    SCOPED_TRACE(pSetting->label());
    steps().m_pWindow->hide();
    const std::string sBefore = shown();
    EXPECT_FALSE(steps().stale());
    pick(pSetting);
    EXPECT_TRUE(steps().stale());
    EXPECT_EQ(shown(), sBefore);
    pick(ClORVELUI::mp_miSteps);
    EXPECT_FALSE(steps().stale());
    EXPECT_EQ(shown(), expected(view));
  }
  EXPECT_FALSE(g_bZero_Out);
}

// An Escape press queued at the X server for the window, read at the next
// event check.
void queueEscape(Fl_Window* pWindow) {
  XEvent event = {};
  XKeyEvent& key = event.xkey;
  key.display = fl_display;
  key.window = fl_xid(pWindow);
  key.root = RootWindow(fl_display, fl_screen);
  key.same_screen = True;
  key.keycode = XKeysymToKeycode(fl_display, XK_Escape);
  for (const int iType : {KeyPress, KeyRelease}) {
    key.type = iType;
    XSendEvent(fl_display, key.window, True, KeyPressMask | KeyReleaseMask, &event);
  }
  XSync(fl_display, False);
}

// Escape while exact steps are computed stops them (the steps are the
// computed ones, after the sentence that says why) and leaves the window open.
// The Escape waits at the X server; the computation's first look for it
// reads it, however recently the last computation looked.
TEST_F(StepsTest, EscapeStopsExactStepsAndKeepsTheWindow) {
  enter("A=d20)+O20");
  enter("IA");
  ASSERT_EQ(g_aSteps_Kept.size(), 1u);
  pick(ClORVELUI::mp_miSteps);
  constexpr const char* acSTOPPED =
      "Exact steps were stopped (Escape); the steps below are as computed.";
  ASSERT_TRUE(has(shown(), "Exact fractions, pivot: first non-zero entry.")) << shown();
  queueEscape(steps().m_pWindow);
  choose(steps().m_pPivot, 1);
  EXPECT_TRUE(has(shown(), acSTOPPED)) << shown();
  EXPECT_TRUE(has(shown(), "As computed by the calculator.")) << shown();
  EXPECT_TRUE(steps().m_pWindow->shown());
}

// pdflatex in a fresh directory; true when it wrote the PDF.
bool compiles(const std::string& sLaTeX) {
  char acDirectory[] = "/tmp/orvel-steps-XXXXXX";
  if (mkdtemp(acDirectory) == nullptr) return false;
  const std::string sDirectory = acDirectory;
  std::ofstream(sDirectory + "/steps.tex") << sLaTeX;
  const std::string sCommand = "cd " + sDirectory +
                               " && pdflatex -interaction=nonstopmode -halt-on-error steps.tex"
                               " > /dev/null 2>&1";
  const bool bCompiled =
      std::system(sCommand.c_str()) == 0 && std::ifstream(sDirectory + "/steps.pdf").good();
  std::system(("rm -rf " + sDirectory).c_str());
  return bCompiled;
}

TEST_F(StepsTest, CopyPutsLaTeXThatCompilesAndTextOnTheClipboards) {
  enterInverse();
  pick(ClORVELUI::mp_miSteps);
  steps().m_pCopy_LaTeX->do_callback();
  const std::string sLaTeX = selectionText("clipboard");
  EXPECT_EQ(sLaTeX, expected(ClStepsView(), eFORM_LATEX));
  EXPECT_EQ(selectionText("primary"), sLaTeX);
  EXPECT_TRUE(compiles(sLaTeX)) << sLaTeX;

  steps().m_pCopy_Text->do_callback();
  EXPECT_EQ(selectionText("clipboard"), expected(ClStepsView(), eFORM_TEXT));
}

std::vector<const Fl_Widget*> controls() {
  return {steps().m_pArithmetic, steps().m_pPivot, steps().m_pGrouping, steps().m_pCopy_LaTeX,
          steps().m_pCopy_Text};
}

// A choice's label is written left of it.
int leftEdge(const Fl_Widget* pControl) {
  if (dynamic_cast<const Fl_Choice*>(pControl) == nullptr) return pControl->x();
  fl_font(pControl->labelfont(), pControl->labelsize());
  return pControl->x() - static_cast<int>(fl_width(pControl->label()));
}

bool scrollsSideways(const Fl_Help_View* pView) {
  for (int k = 0; k < pView->children(); ++k) {
    const Fl_Scrollbar* pBar = dynamic_cast<const Fl_Scrollbar*>(pView->child(k));
    if (pBar != nullptr && pBar->type() == FL_HORIZONTAL && pBar->visible()) return true;
  }
  return false;
}

// Its place, its controls, and [A | I] of a 6 x 6 inverse in fractions
// written in strips that the viewer shows without scrolling sideways, also
// after the window is made narrower.
TEST_F(StepsTest, OpensInsideTheScreenInEveryWindowMode) {
  for (Fl_Menu_Item* pMode :
       {ClORVELUI::mp_miTwo_Windows, ClORVELUI::mp_miOne_Window, ClORVELUI::mp_miPortrait_Mode}) {
    SCOPED_TRACE(pMode->label());
    closeSteps();
    pick(pMode);
    pick(ClORVELUI::mp_miRational);
    enter("A=[2,1,0,0,0,0;1,3,1,0,0,0;0,1,4,1,0,0;0,0,1,5,1,0;0,0,0,1,6,1;0,0,0,0,1,7]");
    enter("IA");
    pick(ClORVELUI::mp_miSteps);
    const Fl_Window* pWindow = steps().m_pWindow;
    int iX, iY, iW, iH;
    Fl::screen_work_area(iX, iY, iW, iH, pWindow->x(), pWindow->y());
    EXPECT_GE(pWindow->x(), iX);
    EXPECT_GE(pWindow->y(), iY);
    EXPECT_LE(pWindow->x() + pWindow->w(), iX + iW);
    EXPECT_LE(pWindow->y() + pWindow->h(), iY + iH);
    // the controls in reading order, none over another, all above the viewer
    const Fl_Help_View* pView = steps().m_pView;
    int iRight = 0, iRow_Y = -1;
    for (const Fl_Widget* pControl : controls()) {
      SCOPED_TRACE(pControl->label());
      if (pControl->y() != iRow_Y) iRight = 0;
      iRow_Y = pControl->y();
      EXPECT_GE(leftEdge(pControl), iRight);
      iRight = pControl->x() + pControl->w();
      EXPECT_LE(iRight, pWindow->w());
      EXPECT_LE(pControl->y() + pControl->h(), pView->y());
    }
    EXPECT_GE(pView->h(), pWindow->h() / 2);
    EXPECT_EQ(shown(), expected(ClStepsView()));
    EXPECT_TRUE(has(shown(), "Columns")) << "no strips: " << shown();
    EXPECT_FALSE(scrollsSideways(pView));

    steps().m_pWindow->size(2 * pWindow->w() / 3, pWindow->h());
    Fl::check();
    EXPECT_EQ(shown(), expected(ClStepsView()));
    EXPECT_FALSE(scrollsSideways(pView));
  }
}

}  // namespace
