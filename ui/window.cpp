// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, rebuild and re-arrangement of the calculator window, and the
// window-mode and close callbacks.
#include "ui/window.h"

#include <FL/Fl.H>

#include <array>
#include <cstdio>

#include "command/callback.h"
#include "command/enter.h"
#include "command/history.h"
#include "command/text_buffer.h"
#include "engine/calculator.h"
#include "engine/typing.h"
#include "graph/graph_box.h"
#include "ui/documents.h"
#include "ui/keypad.h"
#include "ui/table.h"
#include "ui/window_seam.h"
#include "ui/zoom.h"

ClTextBuffer* lg_pBuff_In = nullptr;
ClTextBuffer* lg_pBuff_Out = nullptr;

// Built during static initialisation: building the layout fills the keyboard
// map before the calculator object builds its inverse.
ClORVELWindow g_Main_Window;

namespace {

Fl_Menu_Item* modeItem(int iMode) {
  switch (iMode) {
    case eONE_WINDOW:
      return ClORVELUI::mp_miOne_Window;
    case ePORTRAIT_MODE:
      return ClORVELUI::mp_miPortrait_Mode;
    default:
      return ClORVELUI::mp_miTwo_Windows;
  }
}

void place(ClTextDisplay* pPane, const ClRect& r) {
  pPane->resize(r.x, r.y, r.w, r.h);
}

// Wrapped at the pane's width in pixels, whatever the font measures: a
// column count would let long lines run under the scrollbar.
void wrapAtBounds(ClTextDisplay* pPane) {
  pPane->scrollbar_align(FL_ALIGN_RIGHT);
  pPane->wrap_mode(Fl_Text_Display::WRAP_AT_BOUNDS, 0);
}

const char gc_acSIZE_NOTE[] =
    "Note: If this matrix is already defined, its\ndimensions are displayed. If so, changing\n"
    "dimensions or fill-in value and pressing\nEdit will clear all matrix entries to the\n"
    "fill-in value.";

void setItemActive(Fl_Menu_Item* pItem, bool bActive) {
  bActive ? pItem->activate() : pItem->deactivate();
}

void setFormatItemsActive(bool bActive) {
  for (Fl_Menu_Item* pItem :
       {ClORVELUI::mp_miTwo_Windows, ClORVELUI::mp_miOne_Window, ClORVELUI::mp_miPortrait_Mode})
    setItemActive(pItem, bActive);
}

// What the panes do in one state.
enum ePANE_FLAG : unsigned {
  eSHOW_INPUT = 1,
  // takes clicks and the focus
  eINPUT_ACTIVE = 2,
  // over the output pane's place as well (landscape)
  eINPUT_STRETCHED = 4,
  eSHOW_OUTPUT = 8,
  eSHOW_GRAPH = 16,
};
constexpr unsigned gc_uiLINE = eSHOW_INPUT | eINPUT_ACTIVE;

// [window mode][g_eOutput: no graph, graph in front, text in front][editor
// closed, open]. A hidden pane keeps its text without drawing. The editor
// shows only its own panels and leaves the input pane's rectangle as it was.
// In Portrait Mode the graph covers the input pane, which takes no clicks.
constexpr unsigned gc_auiPANES[3][3][2] = {
    // Two Windows
    {{gc_uiLINE | eSHOW_OUTPUT, 0}, {gc_uiLINE | eSHOW_GRAPH, 0}, {gc_uiLINE | eSHOW_OUTPUT, 0}},
    // One Window
    {{gc_uiLINE | eINPUT_STRETCHED, eINPUT_STRETCHED},
     {gc_uiLINE | eSHOW_GRAPH, 0},
     {gc_uiLINE | eINPUT_STRETCHED, eINPUT_STRETCHED}},
    // Portrait Mode
    {{gc_uiLINE, 0}, {eSHOW_INPUT | eSHOW_GRAPH, 0}, {gc_uiLINE, 0}},
};

// The layout of one orientation at the zoom asked for, as far as the work
// area of the screen at (iX, iY) lets the window grow.
ClORVELUI* buildLayout(bool bPortrait, int iX, int iY) {
  const ClRect& window = (bPortrait ? gc_PORTRAIT : gc_LANDSCAPE).m_Window;
  int iArea_X, iArea_Y, iArea_W, iArea_H;
  Fl::screen_work_area(iArea_X, iArea_Y, iArea_W, iArea_H, iX, iY);
  applyZoom(fittedZoom(g_iZoom_Asked, window.w, window.h, iArea_W, iArea_H));
  ClORVELUI::selectZoomItem();
  return bPortrait ? new ClORVELUI(true) : new ClORVELUI();
}

// Said when the screen held the factor below the one asked for.
void noticeCap() {
  if (g_iZoom >= g_iZoom_Asked) return;
  char acNotice[96];
  std::snprintf(acNotice, sizeof acNotice, "\nZoom %d %% does not fit the screen: %d %%",
                g_iZoom_Asked, g_iZoom);
  showNotice(acNotice);
}

// The menu's flags: a new layout sets some to their start, a new zoom keeps
// them all.
std::array<int, gc_iMENU_ITEMS> menuFlags() {
  std::array<int, gc_iMENU_ITEMS> aiFlags{};
  for (int i = 0; i < gc_iMENU_ITEMS; ++i) aiFlags[i] = ClORVELUI::menu_mp_Menu_Bar[i].flags;
  return aiFlags;
}

void setMenuFlags(const std::array<int, gc_iMENU_ITEMS>& aiFlags) {
  for (int i = 0; i < gc_iMENU_ITEMS; ++i) ClORVELUI::menu_mp_Menu_Bar[i].flags = aiFlags[i];
}

// The row of the current window mode, graph and editor state.
unsigned currentPanes() {
  const bool bEditor = lg_eActive_Input != eMAIN_LINE;
  return gc_auiPANES[g_eWindow_Mode][g_eOutput][bEditor ? 1 : 0];
}

void setShown(Fl_Widget* pWidget, bool bShown) {
  bShown ? pWidget->show() : pWidget->hide();
}

// The window format stays fixed while the graph is open.
void setGraphItems(bool bOpen) {
  setFormatItemsActive(!bOpen);
  ClORVELUI::setGraphItems(bOpen);
}

}  // namespace

ClORVELWindow::ClORVELWindow()
    : m_pUI(g_eWindow_Mode == ePORTRAIT_MODE ? new ClORVELUI(true) : new ClORVELUI()),
      m_pNote_Buffer(new ClTextBuffer()),
      m_pCell_Buffer(new ClTextBuffer()) {
  lg_pBuff_In = new ClTextBuffer();
  lg_pBuff_Out = new ClTextBuffer();
  g_eView_State = eDECIMAL;
}

ClORVELWindow::~ClORVELWindow() {
  delete m_pUI;
  delete m_pNote_Buffer;
  delete m_pCell_Buffer;
  delete lg_pBuff_In;
  delete lg_pBuff_Out;
  lg_pBuff_In = lg_pBuff_Out = nullptr;
}

void ClORVELWindow::initializeWindow() {
  m_aucLinalg.assign(gc_acLINALG, gc_acLINALG + gc_uiLINALG_SIZE);
  g_pSeam = &g_Window_Seam;
  Fl::event_dispatch(dispatchEvent);
  // the note buffer keeps its text through every rebuild
  m_pNote_Buffer->text(gc_acSIZE_NOTE);
  // built at 100 % during static initialisation, before any display
  if (g_iZoom_Asked != g_iZoom) {
    int iMouse_X = 0, iMouse_Y = 0;
    Fl::get_mouse(iMouse_X, iMouse_Y);
    delete m_pUI;
    m_pUI = buildLayout(false, iMouse_X, iMouse_Y);
  }
  startLayout();
  noticeCap();
}

// Steps shared by start-up, rebuild and zoom: remember the input
// rectangles, attach the buffers, show the window, set the panes' wrapping.
// The input pane wraps at its place in the arrangement, so that text kept
// through a rebuild is measured there only.
void ClORVELWindow::showLayout() {
  ClTextDisplay* pOutput = m_pUI->m_pOutput;
  ClTextDisplay* pInput = m_pUI->m_pInput;
  const ClTextDisplay& out = *pOutput;
  m_Normal_Input = {pInput->m_iX, pInput->m_iY, pInput->m_iW, pInput->m_iH};
  m_Stretched_Input = {pInput->m_iX, pInput->m_iY, out.m_iX - pInput->m_iX + out.m_iW,
                       pInput->m_iH};
  if (!m_pUI->m_Data.m_bPortrait)
    place(pInput, (currentPanes() & eINPUT_STRETCHED) ? m_Stretched_Input : m_Normal_Input);
  pOutput->buffer(lg_pBuff_Out);
  pInput->buffer(lg_pBuff_In);
  m_pUI->m_pNote->buffer(m_pNote_Buffer);
  m_pUI->m_pFill_In->buffer(m_pCell_Buffer);
  ClTextDisplay* pCell_Editor = m_pUI->m_pTable->m_pCell_Editor;
  pCell_Editor->buffer(m_pCell_Buffer);

  Fl::visual(FL_DOUBLE | FL_INDEX);
  window()->show();
  fitKeypadLabels();
  pInput->take_focus();

  wrapAtBounds(pOutput);
  pCell_Editor->wrap_mode(Fl_Text_Display::WRAP_AT_COLUMN, m_pUI->m_Data.m_bPortrait ? 88 : 72);
  pCell_Editor->scrollbar_width(0);
  pCell_Editor->scrollbar_align(FL_ALIGN_RIGHT);
  wrapAtBounds(pInput);
  pInput->cursor_style(Fl_Text_Display::HEAVY_CURSOR);
}

// A new layout: the panes start with their spacers and the first prompt.
void ClORVELWindow::startLayout() {
  showLayout();
  ClTextDisplay* pOutput = m_pUI->m_pOutput;
  ClTextDisplay* pInput = m_pUI->m_pInput;
  pOutput->insert(gc_acOUT_SPACER);
  pOutput->m_iMark = pOutput->insert_position();
  pInput->insert(gc_acIN_SPACER);
  pInput->insert(gc_acIN_PROMPT);
  pInput->insert(gc_acCURSOR);
  pInput->show_insert_position();
}

// The old window may be the one whose menu or keys are calling us: hide it
// now, let the toolkit delete it once the callback has returned.
void ClORVELWindow::dropLayout() {
  window()->hide();
  Fl::delete_widget(window());
  m_pUI->m_pWindow = nullptr;
  delete m_pUI;
  m_pUI = nullptr;
}

void ClORVELWindow::reinitializeWindow() {
  const bool bToLandscape = g_eWindow_Mode == ePORTRAIT_MODE;
  const int iX = window()->x(), iY = window()->y();
  lg_pBuff_In->text("");
  lg_pBuff_Out->text("");
  dropLayout();
  m_pUI = buildLayout(!bToLandscape, iX, iY);
  g_eWindow_Mode = bToLandscape ? eTWO_WINDOWS : ePORTRAIT_MODE;
  ClORVELUI::selectRadio(modeItem(g_eWindow_Mode));
  startLayout();
}

void ClORVELWindow::rezoom(int iPercent) {
  g_iZoom_Asked = iPercent;
  const bool bPortrait = m_pUI->m_Data.m_bPortrait, bAlt = lg_bAlt_On;
  const std::array<int, gc_iMENU_ITEMS> aiFlags = menuFlags();
  const int iInput = m_pUI->m_pInput->insert_position();
  const int iOutput = m_pUI->m_pOutput->insert_position();
  const int iMark = m_pUI->m_pOutput->m_iMark;
  const int iX = window()->x(), iY = window()->y();
  dropLayout();
  m_pUI = buildLayout(bPortrait, iX, iY);
  setMenuFlags(aiFlags);
  ClORVELUI::selectZoomItem();
  const ClRect place = insideWorkArea({iX, iY, window()->w(), window()->h()});
  window()->position(place.x, place.y);
  showLayout();
  m_pUI->m_pOutput->insert_position(iOutput);
  m_pUI->m_pOutput->m_iMark = iMark;
  m_pUI->m_pOutput->showInsertPositionFast();
  m_pUI->m_pInput->insert_position(iInput);
  if (bAlt) ClCallback::alt_cb(nullptr, nullptr);
  arrangePanes();
  m_pUI->m_pInput->showInsertPositionFast();
  g_Zoom_Changed.notify();
  noticeCap();
}

void ClORVELWindow::arrangePanes(bool bRefit) {
  const unsigned uiPanes = currentPanes();
  ClORVELUI& u = *m_pUI;
  setShown(u.m_pOutput, uiPanes & eSHOW_OUTPUT);
  setShown(u.m_pGraph, uiPanes & eSHOW_GRAPH);
  setShown(u.m_pInput, uiPanes & eSHOW_INPUT);
  (uiPanes & eINPUT_ACTIVE) ? u.m_pInput->activate() : u.m_pInput->deactivate();
  const ClRect& input = (uiPanes & eINPUT_STRETCHED) ? m_Stretched_Input : m_Normal_Input;
  if (bRefit || u.m_pInput->w() != input.w) refitInput(input);
  if (uiPanes & eSHOW_GRAPH) u.m_pGraph->redraw();
  window()->redraw();
}

// Portrait Mode has one input rectangle and keeps its first wrapping.
void ClORVELWindow::refitInput(const ClRect& r) {
  if (m_pUI->m_Data.m_bPortrait) return;
  ClTextDisplay* pInput = m_pUI->m_pInput;
  place(pInput, r);
  wrapAtBounds(pInput);
  pInput->show_insert_position();
}

// The arrangement keeps the graph in front of the output while it is shown.
void ClORVELWindow::redrawGraph() {
  m_pUI->m_pGraph->replot();
}

void ClORVELWindow::arrangeGraph(eGRAPH_CHANGE eChange) {
  switch (eChange) {
    case eGRAPH_OPENED:
    case eGRAPH_CLOSED:
      setGraphItems(eChange == eGRAPH_OPENED);
      m_pUI->m_pGraph->replot();
      arrangePanes(true);
      break;
    case eGRAPH_CLEARED:
      ClORVELUI::mp_miClear_Graph->clear();
      m_pUI->m_pGraph->replot();
      break;
    case eGRAPH_TEXT_SHOWN:
    case eGRAPH_SHOWN:
      arrangePanes();
      break;
  }
  window()->redraw();
}

// Refused while the matrix editor is open, as the window format is.
void ClCallback::zoom_cb(Fl_Widget*, void* pData) {
  if (lg_eActive_Input != eMAIN_LINE) {
    ClORVELUI::selectZoomItem();
    return;
  }
  g_Main_Window.rezoom(*static_cast<int32_t*>(pData));
}

void ClCallback::mode_cb(Fl_Widget*, void* pData) {
  const int32_t iNew = *static_cast<int32_t*>(pData);
  const int32_t iCurrent = g_eWindow_Mode;
  if (g_eOutput != eNO_GRAPH) {
    ClORVELUI::selectRadio(modeItem(iCurrent));
    return;
  }
  if (iNew == iCurrent) return;
  if (iNew != ePORTRAIT_MODE && iCurrent != ePORTRAIT_MODE) {
    g_eWindow_Mode = iNew;
    g_Main_Window.arrangePanes();
    return;
  }
  if (lg_bAlt_On) alt_cb(nullptr, nullptr);
  g_Current_State = ClState();
  g_Main_Window.reinitializeWindow();
  if (iNew == eONE_WINDOW) {
    g_eWindow_Mode = eONE_WINDOW;
    ClORVELUI::selectRadio(ClORVELUI::mp_miOne_Window);
  }
  g_Main_Window.arrangePanes();
  noticeCap();
}

// Only the window manager's close button asks to exit; Escape never closes.
void ClCallback::window_cb(Fl_Widget*, void*) {
  if (Fl::event() == FL_CLOSE) exit_cb(nullptr, nullptr);
}
