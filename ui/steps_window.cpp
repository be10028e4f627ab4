// SPDX-License-Identifier: GPL-3.0-or-later
// The Steps window, its View menu item and its refilling.
// clang-format off
#include "ui/window.h"
// clang-format on

#include "ui/steps_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Help_View.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cstddef>
#include <initializer_list>

#include "command/callback.h"
#include "engine/steps.h"
#include "ui/window_seam.h"
#include "ui/zoom.h"

namespace {

constexpr int gc_iMARGIN = 8, gc_iGAP = 6, gc_iROW_H = 26;
constexpr int gc_iCONTROL_TEXT_SIZE = 14;
// The help's text sizes.
constexpr int gc_iLANDSCAPE_TEXT_SIZE = 18, gc_iPORTRAIT_TEXT_SIZE = 16;
// The viewer's blank left and right of a block, with a few pixels to spare.
constexpr int gc_iVIEW_MARGINS = 16;
constexpr int gc_iMIN_WIDTH = 260, gc_iMIN_HEIGHT = 150;
constexpr const char* gc_acTITLE = "ORVEL Calculator Steps";

// Escape closes the window; while steps are computed the stop poll takes it
// before it gets here. Shown again (after it was iconified) or given another
// width, the window looks whether its document must be written again.
class ClStepsFrame : public Fl_Double_Window {
 public:
  using Fl_Double_Window::Fl_Double_Window;
  int handle(int iEvent) override {
    if (iEvent == FL_KEYBOARD && Fl::event_key() == FL_Escape) {
      hide();
      return 1;
    }
    const int iHandled = Fl_Double_Window::handle(iEvent);
    if (iEvent == FL_SHOW) steps().follow();
    return iHandled;
  }
  void resize(int iX, int iY, int iW, int iH) override {
    Fl_Double_Window::resize(iX, iY, iW, iH);
    steps().follow();
  }

 private:
  ClStepsWindow& steps() { return *static_cast<ClStepsWindow*>(user_data()); }
};

// Announced by the seam: a new main line, another output format or Zero Out.
void followResults() {
  if (g_Main_Window.m_pSteps) g_Main_Window.m_pSteps->follow();
}

// Built again at a new zoom with the reader's choices, and shown again if it
// was.
void rezoomSteps() {
  ClStepsWindow*& pSteps = g_Main_Window.m_pSteps;
  if (!pSteps) return;
  const bool bShown = pSteps->m_pWindow->shown();
  const ClStepsView choices = pSteps->view();
  delete pSteps;
  pSteps = new ClStepsWindow(choices);
  if (bShown) pSteps->show();
}

// The repetition's stop poll: repaints, and takes only Escape.
bool stopOnEscape() {
  return g_Window_Seam.stopRequested();
}

// Beside the display area of the current layout, as the help windows are,
// and inside the screen; tall enough for the start and two steps.
ClRect placement() {
  const ClORVELUI& ui = *g_Main_Window.ui();
  const ClRect g = ui.m_Data.m_Display;
  const int iX = g_Main_Window.window()->x() + g.x;
  const int iY = g_Main_Window.window()->y() + g.y;
  const int iDY = zoomed(60), iW = g.w + zoomed(60);
  return insideWorkArea(ui.m_Data.m_bPortrait ? ClRect{iX + zoomed(30), iY + iDY, iW, 2 * g.h}
                                              : ClRect{iX + zoomed(150), iY + iDY, iW, 3 * g.h});
}

// The characters of a <pre> line the viewer shows without a horizontal
// scrollbar; wider matrices are written in column strips.
int htmlLine(const Fl_Help_View& view) {
  const int iScrollbar = view.scrollbar_size() ? view.scrollbar_size() : Fl::scrollbar_size();
  const int iWidth = view.w() - Fl::box_dw(view.box()) - iScrollbar - zoomed(gc_iVIEW_MARGINS);
  fl_font(FL_COURIER, view.textsize());
  return std::max(1, static_cast<int>(iWidth / fl_width("0")));
}

// A choice's items in the order shown, and the values they stand for.
template <class E>
struct ClChoiceItem {
  const char* m_acLabel;
  E m_eValue;
};
constexpr ClChoiceItem<eSTEPS_ARITHMETIC> gc_aARITHMETIC[] = {{"Exact", eSTEPS_EXACT},
                                                              {"As computed", eSTEPS_COMPUTED}};
constexpr ClChoiceItem<eSTEPS_PIVOT> gc_aPIVOT[] = {{"First non-zero", ePIVOT_FIRST},
                                                    {"Largest", ePIVOT_LARGEST}};
constexpr ClChoiceItem<eSTEPS_GROUPING> gc_aGROUPING[] = {{"Each operation", eGROUP_EACH_OPERATION},
                                                          {"Per pivot column", eGROUP_PER_COLUMN}};

template <class E, size_t N>
int itemOf(const ClChoiceItem<E> (&aItems)[N], E eValue) {
  for (size_t k = 0; k < N; ++k)
    if (aItems[k].m_eValue == eValue) return static_cast<int>(k);
  return 0;
}

template <class E, size_t N>
E valueOf(const ClChoiceItem<E> (&aItems)[N], const Fl_Choice& choice) {
  return aItems[choice.value()].m_eValue;
}

// Only the exact arithmetic has a pivot rule.
bool hasPivotRule(eSTEPS_ARITHMETIC eArithmetic) {
  return eArithmetic == eSTEPS_EXACT;
}

int textWidth(const char* acText) {
  fl_font(FL_HELVETICA, zoomed(gc_iCONTROL_TEXT_SIZE));
  return static_cast<int>(fl_width(acText));
}

// Places controls left to right, each with its label before it, starting a
// new row where the next does not fit; lengths at the zoom.
class ClControlRow {
 public:
  ClControlRow(int iWidth) : m_iRight(iWidth - m_iMargin) {}

  template <class E, size_t N>
  Fl_Choice* choice(const char* acLabel, const ClChoiceItem<E> (&aItems)[N]) {
    int iItems_W = 0;
    for (const ClChoiceItem<E>& item : aItems)
      iItems_W = std::max(iItems_W, textWidth(item.m_acLabel));
    const int iLabel_W = textWidth(acLabel) + m_iGap;
    const int iX = place(iLabel_W + iItems_W + 2 * m_iRow_H);
    Fl_Choice* pChoice =
        new Fl_Choice(iX + iLabel_W, m_iY, iItems_W + 2 * m_iRow_H, m_iRow_H, acLabel);
    pChoice->labelsize(zoomed(gc_iCONTROL_TEXT_SIZE));
    pChoice->textsize(zoomed(gc_iCONTROL_TEXT_SIZE));
    for (const ClChoiceItem<E>& item : aItems) pChoice->add(item.m_acLabel);
    return pChoice;
  }

  Fl_Button* button(const char* acLabel) {
    const int iW = textWidth(acLabel) + 2 * m_iGap + zoomed(8);
    const int iX = place(iW);
    Fl_Button* pButton = new Fl_Button(iX, m_iY, iW, m_iRow_H, acLabel);
    pButton->labelsize(zoomed(gc_iCONTROL_TEXT_SIZE));
    return pButton;
  }

  int bottom() const { return m_iY + m_iRow_H; }

 private:
  // The left edge of a control iW wide.
  int place(int iW) {
    if (m_iX > m_iMargin && m_iX + iW > m_iRight) {
      m_iX = m_iMargin;
      m_iY += m_iRow_H + m_iGap;
    }
    const int iX = m_iX;
    m_iX += iW + 2 * m_iGap;
    return iX;
  }

  const int m_iMargin = zoomed(gc_iMARGIN), m_iGap = zoomed(gc_iGAP), m_iRow_H = zoomed(gc_iROW_H);
  int m_iX = m_iMargin, m_iY = m_iMargin;
  const int m_iRight;
};

}  // namespace

ClStepsWindow::ClStepsWindow(const ClStepsView& choices) : m_Choices(choices) {
  const ClRect r = placement();
  m_pWindow = new ClStepsFrame(r.x, r.y, r.w, r.h, gc_acTITLE);
  m_pWindow->user_data(this);
  int iTop = 0;
  buildControls(r.w, iTop);
  showChoices();
  const int iMargin = zoomed(gc_iMARGIN);
  m_pView = new Fl_Help_View(iMargin, iTop, r.w - 2 * iMargin, r.h - iTop - iMargin);
  m_pView->box(FL_DOWN_BOX);
  m_pView->textsize(zoomed(g_Main_Window.ui()->m_Data.m_bPortrait ? gc_iPORTRAIT_TEXT_SIZE
                                                                  : gc_iLANDSCAPE_TEXT_SIZE));
  m_pWindow->resizable(m_pView);
  m_pWindow->size_range(zoomed(gc_iMIN_WIDTH), zoomed(gc_iMIN_HEIGHT), 0, 0);
  m_pWindow->end();
  g_Results_Changed.listen(followResults);
  g_Zoom_Changed.listen(rezoomSteps);
}

ClStepsWindow::~ClStepsWindow() {
  delete m_pWindow;
}

// The controls keep their size and place when the window is resized; the
// viewer takes the rest.
void ClStepsWindow::buildControls(int iWidth, int& iBottom) {
  Fl_Group* pControls = new Fl_Group(0, 0, iWidth, 0);
  ClControlRow row(iWidth);
  m_pArithmetic = row.choice("Arithmetic", gc_aARITHMETIC);
  m_pPivot = row.choice("Pivot", gc_aPIVOT);
  m_pGrouping = row.choice("Show", gc_aGROUPING);
  m_pCopy_LaTeX = row.button("Copy Steps as LaTeX");
  m_pCopy_Text = row.button("Copy Steps as Text");
  for (Fl_Choice* pChoice : {m_pArithmetic, m_pPivot, m_pGrouping})
    pChoice->callback(choice_cb, this);
  for (Fl_Button* pButton : {m_pCopy_LaTeX, m_pCopy_Text}) pButton->callback(copy_cb, this);
  m_pArithmetic->tooltip(
      "Exact fractions where the entries allow, or the calculator's own arithmetic");
  m_pPivot->tooltip("Exact arithmetic: the first non-zero entry or the largest one as pivot");
  m_pGrouping->tooltip("Every row operation with its matrix, or one block per pivot column");
  iBottom = row.bottom() + zoomed(gc_iGAP);
  pControls->resizable(nullptr);
  pControls->resize(0, 0, iWidth, iBottom);
  pControls->end();
}

void ClStepsWindow::showChoices() {
  const ClStepsOptions& options = m_Choices.m_Options;
  m_pArithmetic->value(itemOf(gc_aARITHMETIC, options.m_eArithmetic));
  m_pPivot->value(itemOf(gc_aPIVOT, options.m_ePivot));
  m_pGrouping->value(itemOf(gc_aGROUPING, m_Choices.m_eGrouping));
  if (hasPivotRule(options.m_eArithmetic))
    m_pPivot->activate();
  else
    m_pPivot->deactivate();
}

void ClStepsWindow::show() {
  m_pWindow->show();
  if (stale()) refill();
}

bool ClStepsWindow::stale() const {
  return !m_Shown || !(*m_Shown == shownKey());
}

void ClStepsWindow::follow() {
  if (m_pWindow->visible() && !pollingForStop() && stale()) refill();
}

ClStepsView ClStepsWindow::view() const {
  ClStepsView view = m_Choices;
  view.m_Options.m_pStop = stopOnEscape;
  view.m_Options.m_Display = currentDisplayOptions();
  view.m_iHtml_Line = htmlLine(*m_pView);
  return view;
}

ClStepsWindow::ClStepsCacheKey ClStepsWindow::cacheKey(const ClStepsView& view) {
  const ClStepsOptions& options = view.m_Options;
  return {g_uiSteps_Generation, options.m_Display, options.m_eArithmetic, options.m_ePivot};
}

ClStepsWindow::ClShownKey ClStepsWindow::shownKey() const {
  const ClStepsView current = view();
  return {cacheKey(current), current.m_eGrouping, current.m_iHtml_Line};
}

const std::vector<ClSteps>& ClStepsWindow::keptSteps(const ClStepsView& view) {
  const ClStepsCacheKey key = cacheKey(view);
  if (m_Steps_Key && *m_Steps_Key == key) return m_aSteps;
  m_aSteps.clear();
  startStopPolls();
  for (const ClStepsOperand& operand : g_aSteps_Kept)
    m_aSteps.push_back(computeSteps(operand, view.m_Options));
  m_Steps_Key = key;
  return m_aSteps;
}

std::string ClStepsWindow::document(eTEXT_FORM eForm) {
  const ClStepsView current = view();
  return stepsDocument(g_aSteps_Kept, keptSteps(current), current, eForm);
}

// Written again if the window was resized while the steps were computed.
void ClStepsWindow::refill() {
  do {
    const ClShownKey current = shownKey();
    const bool bSame_Line =
        m_Shown && m_Shown->m_Steps.m_uiGeneration == current.m_Steps.m_uiGeneration;
    m_Shown = current;
    const int iTop = m_pView->topline();
    m_pView->value(document(eFORM_HTML).c_str());
    if (bSame_Line) m_pView->topline(iTop);
  } while (stale());
}

// The choice sets its part of the reader's choices.
void ClStepsWindow::choice_cb(Fl_Widget* pWidget, void* pData) {
  ClStepsWindow& steps = *static_cast<ClStepsWindow*>(pData);
  const Fl_Choice& choice = *static_cast<Fl_Choice*>(pWidget);
  ClStepsView& choices = steps.m_Choices;
  if (pWidget == steps.m_pArithmetic)
    choices.m_Options.m_eArithmetic = valueOf(gc_aARITHMETIC, choice);
  else if (pWidget == steps.m_pPivot)
    choices.m_Options.m_ePivot = valueOf(gc_aPIVOT, choice);
  else
    choices.m_eGrouping = valueOf(gc_aGROUPING, choice);
  steps.showChoices();
  if (steps.stale()) steps.refill();
}

// Through the seam, as Copy Result As copies.
void ClStepsWindow::copy_cb(Fl_Widget* pWidget, void* pData) {
  ClStepsWindow* pSteps = static_cast<ClStepsWindow*>(pData);
  g_pSeam->copyText(pSteps->document(pWidget == pSteps->m_pCopy_LaTeX ? eFORM_LATEX : eFORM_TEXT));
}

void ClCallback::steps_cb(Fl_Widget*, void*) {
  if (!g_Main_Window.m_pSteps) g_Main_Window.m_pSteps = new ClStepsWindow();
  g_Main_Window.m_pSteps->show();
}
