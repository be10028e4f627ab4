// Start-up, rebuild and re-arrangement of the calculator window, and the
// window-mode and close callbacks.
#include "ui/window.h"

#include <FL/Fl.H>

#include <array>

#include "command/callback.h"
#include "command/history.h"
#include "command/text_buffer.h"
#include "engine/calculator.h"
#include "graph/graph_box.h"
#include "ui/documents.h"
#include "ui/keypad.h"
#include "ui/table.h"
#include "ui/window_seam.h"

ClTextBuffer* lg_pBuff_In = nullptr;
ClTextBuffer* lg_pBuff_Out = nullptr;

// Built during static initialisation: building the layout fills the keyboard
// map before the calculator object builds its inverse.
ClORVELWindow g_Main_Window;

namespace {

Fl_Menu_Item* modeItem(int iMode) {
  switch (iMode) {
    case 1:
      return ClORVELUI::mp_miOne_Window;
    case 2:
      return ClORVELUI::mp_miPortrait_Mode;
    default:
      return ClORVELUI::mp_miTwo_Windows;
  }
}

void place(ClTextDisplay* pPane, const ClRect& r) {
  pPane->resize(r.x, r.y, r.w, r.h);
}

const char gc_acSIZE_NOTE[] =
    "Note: If this matrix is already defined, its\ndimensions are displayed. If so, changing\n"
    "dimensions or fill-in value and pressing\nEdit will clear all matrix entries to the\n"
    "fill-in value.";

void setFormatItemsActive(bool bActive) {
  for (Fl_Menu_Item* pItem :
       {ClORVELUI::mp_miTwo_Windows, ClORVELUI::mp_miOne_Window, ClORVELUI::mp_miPortrait_Mode}) {
    if (bActive)
      pItem->activate();
    else
      pItem->deactivate();
  }
}

// The items that work only while the graph is open.
const std::array<Fl_Menu_Item*, 4>& graphItems() {
  static const std::array<Fl_Menu_Item*, 4> apItems = {
      ClORVELUI::mp_miClear_Graph, ClORVELUI::mp_miText, ClORVELUI::mp_miCorners,
      ClORVELUI::mp_miScales};
  return apItems;
}

}  // namespace

ClORVELWindow::ClORVELWindow()
    : m_pUI(g_eWindow_Mode == 2 ? new ClORVELUI(true) : new ClORVELUI()),
      m_pNote_Buffer(new ClTextBuffer()),
      m_pCell_Buffer(new ClTextBuffer()) {
  lg_pBuff_In = new ClTextBuffer();
  lg_pBuff_Out = new ClTextBuffer();
  g_eView_State = 0;
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
  startLayout();
}

// Steps shared by start-up and rebuild: attach the buffers, show the window,
// write the spacers and the first prompt, remember the input rectangles.
void ClORVELWindow::startLayout() {
  ClTextDisplay* pOutput = m_pUI->m_pOutput;
  ClTextDisplay* pInput = m_pUI->m_pInput;
  const int iWrap = m_pUI->m_Data.m_iWrap_Column;
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

  pOutput->scrollbar_align(FL_ALIGN_RIGHT);
  pOutput->wrap_mode(Fl_Text_Display::WRAP_AT_COLUMN, iWrap);
  pOutput->insert(gc_acOUT_SPACER);
  pOutput->m_iMark = pOutput->insert_position();

  pCell_Editor->wrap_mode(Fl_Text_Display::WRAP_AT_COLUMN, m_pUI->m_Data.m_bPortrait ? 88 : 72);
  pCell_Editor->scrollbar_width(0);
  pCell_Editor->scrollbar_align(FL_ALIGN_RIGHT);

  pInput->wrap_mode(Fl_Text_Display::WRAP_AT_COLUMN, iWrap);
  pInput->scrollbar_align(FL_ALIGN_RIGHT);
  pInput->cursor_style(Fl_Text_Display::HEAVY_CURSOR);
  pInput->insert(gc_acIN_SPACER);
  pInput->insert(gc_acIN_PROMPT);
  pInput->insert(gc_acCURSOR);
  pInput->show_insert_position();

  const ClTextDisplay& out = *pOutput;
  m_Normal_Input = {pInput->m_iX, pInput->m_iY, pInput->m_iW, pInput->m_iH};
  m_Stretched_Input = {pInput->m_iX, pInput->m_iY, out.m_iX - pInput->m_iX + out.m_iW,
                       pInput->m_iH};
}

void ClORVELWindow::reinitializeWindow() {
  const bool bToLandscape = g_eWindow_Mode == 2;
  lg_pBuff_In->text("");
  lg_pBuff_Out->text("");
  // The old window may be the one whose menu is calling us: hide it now,
  // let the toolkit delete it once the callback has returned.
  window()->hide();
  Fl::delete_widget(window());
  m_pUI->m_pWindow = nullptr;
  delete m_pUI;
  m_pUI = bToLandscape ? new ClORVELUI() : new ClORVELUI(true);
  g_eWindow_Mode = bToLandscape ? 0 : 2;
  ClORVELUI::selectRadio(modeItem(g_eWindow_Mode));
  startLayout();
}

void ClORVELWindow::resizeInWindow() {
  if (g_eWindow_Mode == 2) return;
  ClTextDisplay* pInput = m_pUI->m_pInput;
  ClTextDisplay* pOutput = m_pUI->m_pOutput;
  const bool bGraph_Closed = g_eOutput == 0;
  if (g_eWindow_Mode == 1 && bGraph_Closed) {
    place(pInput, m_Stretched_Input);
    // Hidden rather than merely covered: it keeps its text without drawing.
    pOutput->hide();
  } else {
    place(pInput, m_Normal_Input);
    if (bGraph_Closed) pOutput->show();
  }
  pInput->wrap_mode(Fl_Text_Display::WRAP_AT_BOUNDS, 0);
  pInput->scrollbar_align(FL_ALIGN_RIGHT);
  pInput->show();
  pInput->show_insert_position();
  if (g_eOutput == 1) {
    m_pUI->m_pGraph->redraw();
    pOutput->hide();
    m_pUI->m_pGraph->show();
  }
  window()->redraw();
}

void ClORVELWindow::redrawGraph() {
  m_pUI->m_pGraph->redraw();
  if (g_eOutput != 1) return;
  m_pUI->m_pOutput->hide();
  m_pUI->m_pGraph->show();
}

void ClORVELWindow::arrangeGraph(eGRAPH_CHANGE eChange) {
  switch (eChange) {
    case eGRAPH_OPENED:
      openGraphPane();
      break;
    case eGRAPH_CLOSED:
      closeGraphPane();
      break;
    case eGRAPH_CLEARED:
      ClORVELUI::mp_miClear_Graph->clear();
      m_pUI->m_pGraph->redraw();
      break;
    case eGRAPH_TEXT_SHOWN:
      showText();
      break;
    case eGRAPH_SHOWN:
      showGraph();
      break;
  }
  window()->redraw();
}

void ClORVELWindow::openGraphPane() {
  if (g_eWindow_Mode == 2) m_pUI->m_pInput->deactivate();
  setFormatItemsActive(false);
  m_pUI->m_pOutput->hide();
  m_pUI->m_pGraph->redraw();
  m_pUI->m_pGraph->show();
  ClORVELUI::mp_miGraph->set();
  for (Fl_Menu_Item* pItem : graphItems()) {
    pItem->activate();
    pItem->clear();
  }
  ClORVELUI::mp_miSave_Graph->activate();
  resizeInWindow();
}

void ClORVELWindow::closeGraphPane() {
  if (g_eWindow_Mode == 1) {
    m_pUI->m_pOutput->show();
  } else {
    m_pUI->m_pInput->activate();
    m_pUI->m_pInput->show();
  }
  setFormatItemsActive(true);
  m_pUI->m_pGraph->hide();
  ClORVELUI::mp_miGraph->clear();
  for (Fl_Menu_Item* pItem : graphItems()) {
    pItem->clear();
    pItem->deactivate();
  }
  ClORVELUI::mp_miSave_Graph->deactivate();
  if (g_eWindow_Mode != 2) resizeInWindow();
}

void ClORVELWindow::showText() {
  m_pUI->m_pGraph->hide();
  if (g_eWindow_Mode == 1) {
    // the input pane takes the stretched rectangle, as with the graph closed
    g_eOutput = 0;
    resizeInWindow();
    g_eOutput = 2;
    m_pUI->m_pInput->show();
  } else if (g_eWindow_Mode == 0) {
    m_pUI->m_pOutput->show();
  } else {
    m_pUI->m_pInput->activate();
    m_pUI->m_pInput->show();
  }
}

void ClORVELWindow::showGraph() {
  if (g_eWindow_Mode == 1) {
    resizeInWindow();
    m_pUI->m_pOutput->hide();
    m_pUI->m_pInput->show();
  } else if (g_eWindow_Mode == 0) {
    m_pUI->m_pOutput->show();
  } else {
    m_pUI->m_pInput->show();
  }
  m_pUI->m_pGraph->redraw();
  m_pUI->m_pGraph->show();
}

void ClCallback::mode_cb(Fl_Widget*, void* pData) {
  const int32_t iNew = *static_cast<int32_t*>(pData);
  const int32_t iCurrent = g_eWindow_Mode;
  if (g_eOutput != 0) {
    ClORVELUI::selectRadio(modeItem(iCurrent));
    return;
  }
  if (iNew == iCurrent) return;
  if (iNew != 2 && iCurrent != 2) {
    g_eWindow_Mode = iNew;
    g_Main_Window.resizeInWindow();
    return;
  }
  if (lg_bAlt_On) alt_cb(nullptr, nullptr);
  g_Current_State = ClState();
  g_Main_Window.reinitializeWindow();
  if (iNew == 1) {
    g_eWindow_Mode = 1;
    g_Main_Window.resizeInWindow();
    ClORVELUI::selectRadio(ClORVELUI::mp_miOne_Window);
  }
  g_Main_Window.window()->redraw();
}

// Only the window manager's close button asks to exit; Escape never closes.
void ClCallback::window_cb(Fl_Widget*, void*) {
  if (Fl::event() == FL_CLOSE) exit_cb(nullptr, nullptr);
}
