// SPDX-License-Identifier: GPL-3.0-or-later
// The seam over the window's widgets, the default dialogs and the event
// dispatch that polls for the repetition stop.
#include "ui/window_seam.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <chrono>
#include <cstring>

#include "command/text_buffer.h"
#include "engine/typing.h"
#include "ui/dialogs.h"
#include "ui/editor.h"
#include "ui/keyboard.h"
#include "ui/table.h"
#include "ui/window.h"
#include "ui/zoom.h"

namespace {

void alertBox(const char* acText) {
  fl_alert("%s", acText);
}
void messageBox(const char* acText) {
  fl_message("%s", acText);
}
int chooseFileBox(const char* acTitle, bool bSave, std::string& sName) {
  Fl_Native_File_Chooser chooser;
  chooser.title(acTitle);
  chooser.type(bSave ? Fl_Native_File_Chooser::BROWSE_SAVE_FILE
                     : Fl_Native_File_Chooser::BROWSE_FILE);
  if (bSave) chooser.options(Fl_Native_File_Chooser::SAVEAS_CONFIRM);
  const int iResult = chooser.show();
  if (iResult == 0) sName = chooser.filename();
  return iResult;
}

// The question box's measures: the icon, the margins and the buttons.
constexpr int gc_iICON = 50, gc_iGAP = 10, gc_iBUTTON_W = 90, gc_iBUTTON_H = 23;
constexpr int gc_iICON_LABEL = 34;

// The question box's buttons: any answer closes the box; only button 1
// changes it from 0.
void safe_cb(Fl_Widget* pButton, void*) {
  pButton->window()->hide();
}
void other_cb(Fl_Widget* pButton, void* pAnswer) {
  *static_cast<int*>(pAnswer) = 1;
  pButton->window()->hide();
}

void paintIcon(Fl_Box& icon) {
  icon.box(FL_THIN_UP_BOX);
  icon.color(FL_WHITE);
  icon.labelfont(FL_TIMES_BOLD);
  icon.labelsize(zoomed(gc_iICON_LABEL));
  icon.labelcolor(FL_BLUE);
}

// Button 0 sits at the right as the Return button and also answers Escape
// and the close button; button 1, at its left, is only ever clicked. The
// measures follow the zoom, the text the toolkit's normal size.
int choiceBox(const char* acQuestion, const char* acButton0, const char* acButton1) {
  const int iIcon = zoomed(gc_iICON), iGap = zoomed(gc_iGAP);
  const int iButton_W = zoomed(gc_iBUTTON_W), iButton_H = zoomed(gc_iBUTTON_H);
  fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
  int iText_W = 0, iText_H = 0;
  fl_measure(acQuestion, iText_W, iText_H);
  iText_W = std::max(iText_W, 2 * iButton_W);
  const int iW = iIcon + iText_W + 3 * iGap;
  const int iTop_H = std::max(iIcon, iText_H);
  Fl_Window window(iW, iTop_H + iButton_H + 3 * iGap, "");
  Fl_Box icon(iGap, iGap, iIcon, iIcon, "?");
  paintIcon(icon);
  Fl_Box text(iIcon + 2 * iGap, iGap, iText_W, iTop_H, acQuestion);
  text.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  const int iButton_Y = iTop_H + 2 * iGap;
  Fl_Return_Button safe(iW - iGap - iButton_W, iButton_Y, iButton_W, iButton_H, acButton0);
  Fl_Button other(safe.x() - iGap - iButton_W, iButton_Y, iButton_W, iButton_H, acButton1);
  window.end();
  // Escape and the close button hide the box, leaving the answer at 0.
  int iAnswer = 0;
  safe.callback(safe_cb);
  other.callback(other_cb, &iAnswer);
  window.set_modal();
  window.hotspot(&safe);
  window.show();
  while (window.shown()) Fl::wait();
  return iAnswer;
}

// A repetition looks for Escape at most this often, so that polling and
// repainting stay a small part of its time.
constexpr auto gc_POLL_INTERVAL = std::chrono::milliseconds(40);
auto lg_tLast_Poll = std::chrono::steady_clock::time_point();
bool lg_bPolling = false;
bool lg_bStop_Requested = false;

bool isUserInput(int iEvent) {
  switch (iEvent) {
    case FL_PUSH:
    case FL_RELEASE:
    case FL_DRAG:
    case FL_MOUSEWHEEL:
    case FL_KEYDOWN:
    case FL_KEYUP:
    case FL_SHORTCUT:
    case FL_CLOSE:
    case FL_PASTE:
    case FL_DND_ENTER:
    case FL_DND_DRAG:
    case FL_DND_RELEASE:
      return true;
    default:
      return false;
  }
}

Fl_Menu_Item* switchItem(eSWITCH eSwitch) {
  switch (eSwitch) {
    case eSWITCH_ZERO_OUT:
      return ClORVELUI::mp_miZero_Out;
    case eSWITCH_ERROR_CHECK:
      return ClORVELUI::mp_miError_Item;
    case eSWITCH_AUTO_PARENS:
      return ClORVELUI::mp_miParentheses;
    case eSWITCH_SCALES:
      return ClORVELUI::mp_miScales;
    case eSWITCH_CORNERS:
      return ClORVELUI::mp_miCorners;
    case eSWITCH_FULL_PRECISION:
      return ClORVELUI::mp_miFull_Precision;
    default:
      return ClORVELUI::mp_miExecute;
  }
}

}  // namespace

const ClDialogs gc_WINDOW_DIALOGS = {alertBox, messageBox, choiceBox, chooseFileBox};
ClDialogs g_Dialogs = gc_WINDOW_DIALOGS;
ClWindowSeam g_Window_Seam;
ClNotifier g_Results_Changed;

int dispatchEvent(int iEvent, Fl_Window* pWindow) {
  if (lg_bPolling && isUserInput(iEvent)) {
    if (iEvent == FL_KEYDOWN && Fl::event_key() == FL_Escape) lg_bStop_Requested = true;
    return 1;
  }
  // A request left over from a finished repetition must not stop the next.
  if (iEvent == FL_KEYDOWN || iEvent == FL_PUSH) lg_bStop_Requested = false;
  // An open menu or a modal box keeps its keys.
  if (iEvent == FL_KEYDOWN && pWindow == g_Main_Window.window() && !Fl::grab() && !Fl::modal() &&
      (lineCommandOf(Fl::event_key()) != eNULL || isCellKey(Fl::event_key()) ||
       isTableClipboardKey()))
    return pWindow->handle(FL_KEYBOARD);
  return Fl::handle_(iEvent, pWindow);
}

bool pollingForStop() {
  return lg_bPolling;
}

void startStopPolls() {
  lg_tLast_Poll = std::chrono::steady_clock::time_point();
}

ClTextDisplay* ClWindowPane::display() const {
  ClORVELUI* pUI = g_Main_Window.ui();
  switch (m_ePane) {
    case eWINDOW_INPUT:
      return pUI->m_pInput;
    case eWINDOW_OUTPUT:
      return pUI->m_pOutput;
    default:
      return lg_eActive_Input == eEDITOR_CELL ? pUI->m_pTable->m_pCell_Editor : pUI->m_pFill_In;
  }
}

Fl_Text_Buffer* ClWindowPane::buffer() {
  switch (m_ePane) {
    case eWINDOW_INPUT:
      return lg_pBuff_In;
    case eWINDOW_OUTPUT:
      return lg_pBuff_Out;
    default:
      return g_Main_Window.cellBuffer();
  }
}
int ClWindowPane::insertPosition() const {
  return display()->insert_position();
}
void ClWindowPane::setInsertPosition(int iPosition) {
  display()->insert_position(iPosition);
}
// Through the growing buffer, then the display's insert position behind the
// text, as Fl_Text_Display::insert would leave it.
void ClWindowPane::insert(const char* acText) {
  ClTextDisplay* pDisplay = display();
  const int iPosition = pDisplay->insert_position();
  static_cast<ClTextBuffer*>(buffer())->insertGrowing(iPosition, acText);
  pDisplay->insert_position(iPosition + static_cast<int>(strlen(acText)));
}
void ClWindowPane::showInsertPosition() {
  display()->showInsertPositionFast();
}
void ClWindowPane::show() {
  display()->show();
}
void ClWindowPane::hide() {
  display()->hide();
}

ClPane& ClWindowSeam::pane(ePANE ePane) {
  return ePane == ePANE_INPUT ? m_Input : m_Output;
}
ClPane& ClWindowSeam::activePane() {
  return lg_eActive_Input == eMAIN_LINE ? m_Input : m_Editor;
}
void ClWindowSeam::activateInputPane() {
  g_Editor.m_pActive_Table = nullptr;
}
int ClWindowSeam::outputMark() const {
  return g_Main_Window.ui()->m_pOutput->m_iMark;
}
void ClWindowSeam::setOutputMark(int iMark) {
  g_Main_Window.ui()->m_pOutput->m_iMark = iMark;
}

bool ClWindowSeam::isOn(eSWITCH eSwitch) const {
  return switchItem(eSwitch)->value() != 0;
}
void ClWindowSeam::setOn(eSWITCH eSwitch, bool bOn) {
  if (bOn)
    switchItem(eSwitch)->set();
  else
    switchItem(eSwitch)->clear();
}

void ClWindowSeam::alert(const std::string& sText) {
  g_Dialogs.m_pfAlert(sText.c_str());
}
void ClWindowSeam::message(const std::string& sText) {
  g_Dialogs.m_pfMessage(sText.c_str());
}
int ClWindowSeam::choice(const std::string& sQuestion, const char* acButton0,
                         const char* acButton1) {
  return g_Dialogs.m_pfChoice(sQuestion.c_str(), acButton0, acButton1);
}
bool ClWindowSeam::chooseFile(const char* acTitle, bool bSave, std::string& sName, bool& bError) {
  const int iResult = g_Dialogs.m_pfChooseFile(acTitle, bSave, sName);
  bError = iResult < 0;
  return iResult == 0;
}

// Between the lines of a repetition: repaint, and take only Escape.
bool ClWindowSeam::stopRequested() {
  if (std::chrono::steady_clock::now() - lg_tLast_Poll >= gc_POLL_INTERVAL) {
    lg_bPolling = true;
    Fl::check();
    lg_bPolling = false;
    lg_tLast_Poll = std::chrono::steady_clock::now();
  }
  const bool bStop = lg_bStop_Requested;
  lg_bStop_Requested = false;
  return bStop;
}

void ClWindowSeam::redraw() {
  g_Main_Window.window()->redraw();
}
void ClWindowSeam::redrawGraph() {
  g_Main_Window.redrawGraph();
}
void ClWindowSeam::arrangeGraph(eGRAPH_CHANGE eChange) {
  g_Main_Window.arrangeGraph(eChange);
}

bool ClWindowSeam::isFrontmost() const {
  return Fl::first_window() == g_Main_Window.window();
}

void ClWindowSeam::hideAll() {
  while (Fl_Window* pWindow = Fl::first_window()) pWindow->hide();
}

ClCells* ClWindowSeam::cells() {
  return g_Editor.m_pActive_Table ? &m_Cells : nullptr;
}

void ClWindowSeam::resultsChanged() {
  g_Results_Changed.notify();
}

// The clipboard and the primary selection, as other programs expect both.
void ClWindowSeam::copyText(const std::string& sText) {
  Fl::copy(sText.c_str(), static_cast<int>(sText.size()), 1);
  Fl::copy(sText.c_str(), static_cast<int>(sText.size()), 0);
}
void ClWindowSeam::requestPaste() {
  Fl::paste(*g_Main_Window.window(), 1);
}

int ClWindowCells::rows() const {
  return static_cast<int>(g_Editor.m_pActive_Table->m_mMatrix.rows());
}
int ClWindowCells::columns() const {
  return static_cast<int>(g_Editor.m_pActive_Table->m_mMatrix.cols());
}
int ClWindowCells::editRow() const {
  return g_Editor.m_pActive_Table->m_iEdit_Row;
}
int ClWindowCells::editColumn() const {
  return g_Editor.m_pActive_Table->m_iEdit_Col;
}
std::complex<double> ClWindowCells::entry(int iRow, int iColumn) const {
  return g_Editor.m_pActive_Table->m_mMatrix(iRow, iColumn);
}
void ClWindowCells::setEntry(int iRow, int iColumn, std::complex<double> cValue) {
  g_Editor.m_pActive_Table->m_mMatrix(iRow, iColumn) = cValue;
}
void ClWindowCells::startEditing(int iRow, int iColumn) {
  g_Editor.m_pActive_Table->startEditing(iRow, iColumn);
}
void ClWindowCells::stopEditing() {
  g_Editor.m_pActive_Table->stopEditing();
}
void ClWindowCells::refresh() {
  ClORVELUI* pUI = g_Main_Window.ui();
  pUI->m_pTitle->show();
  pUI->m_pDone->show();
  pUI->m_pEdit_Cancel->show();
  g_Editor.m_pActive_Table->redraw();
}
