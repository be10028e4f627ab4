// SPDX-License-Identifier: GPL-3.0-or-later
// The in-process driver of the window tests.
// clang-format off
// The test framework before the toolkit's headers, which bring in X11
// macros (None, Success) that it uses as names.
#include <gtest/gtest.h>
#include "tests/ui_driver.h"
// clang-format on

#include <FL/Fl.H>
#include <FL/Fl_Text_Buffer.H>

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "command/callback.h"
#include "command/history.h"
#include "command/text_buffer.h"
#include "engine/calculator.h"
#include "engine/typing.h"
#include "files/codec.h"
#include "ui/dialogs.h"
#include "ui/keypad.h"
#include "ui/window_seam.h"
#include "ui/zoom.h"

// After Eigen: the X11 headers define Success, a name Eigen uses.
#include <FL/fl_draw.H>

ClAnswers g_Answers;

namespace {

void answerAlert(const char* acText) {
  g_Answers.m_asAlerts.push_back(acText);
}
void answerMessage(const char* acText) {
  g_Answers.m_asMessages.push_back(acText);
}
int answerChoice(const char* acQuestion, const char*, const char*) {
  g_Answers.m_asQuestions.push_back(acQuestion);
  return g_Answers.m_iChoice;
}
int answerFile(const char* acTitle, bool, std::string& sName) {
  g_Answers.m_asQuestions.push_back(acTitle);
  if (g_Answers.m_iFile_Result != 0) return g_Answers.m_iFile_Result;
  if (g_Answers.m_asFiles.empty()) return 1;
  sName = g_Answers.m_asFiles.front();
  g_Answers.m_asFiles.pop_front();
  return 0;
}

void startOnce() {
  static bool bStarted = false;
  if (bStarted) return;
  bStarted = true;
  Set_Code_Arrays();
  g_Dialogs = {answerAlert, answerMessage, answerChoice, answerFile};
  g_Main_Window.initializeWindow();
  Fl::check();
}

}  // namespace

ClORVELUI& ui() {
  return *g_Main_Window.ui();
}

void resetCalculator() {
  startOnce();
  // a failed test may have left the matrix editor open
  if (lg_eActive_Input == 2) ClCallback::sizeCancel_cb(nullptr, nullptr);
  if (lg_eActive_Input == 1) ClCallback::editCancel_cb(nullptr, nullptr);
  if (g_eOutput != 0) ClCallback::graph_cb(nullptr, nullptr);
  if (g_iZoom_Asked != 100 || g_iZoom != 100) g_Main_Window.rezoom(100);
  if (g_eWindow_Mode != 0) pick(ClORVELUI::mp_miTwo_Windows);
  if (lg_bAlt_On) ClCallback::alt_cb(nullptr, nullptr);
  for (Fl_Menu_Item* pItem : {ClORVELUI::mp_miZero_Out, ClORVELUI::mp_miError_Item,
                              ClORVELUI::mp_miParentheses, ClORVELUI::mp_miExecute})
    pItem->set();
  pick(ClORVELUI::mp_miDecimal);
  resetCommandState(g_Window_Seam);
  if (!g_Main_Window.window()->shown()) g_Main_Window.window()->show();
  g_Answers = ClAnswers();
  Fl::check();
}

void typeKey(int iKeysym, const char* acText, int iState) {
  Fl_Window* pWindow = g_Main_Window.window();
  Fl::e_keysym = iKeysym;
  Fl::e_text = const_cast<char*>(acText);
  Fl::e_length = static_cast<int>(strlen(acText));
  Fl::e_state = iState;
  Fl::handle(FL_KEYDOWN, pWindow);
  Fl::handle(FL_KEYUP, g_Main_Window.window());
  Fl::e_state = 0;
}

void typeText(const std::string& sText) {
  for (char c : sText) {
    const char acText[2] = {c, 0};
    const bool bUpper = isupper(static_cast<unsigned char>(c));
    typeKey(tolower(static_cast<unsigned char>(c)), acText, bUpper ? FL_SHIFT : 0);
  }
}

void click(Fl_Widget* pWidget) {
  clickAt(pWidget->x() + pWidget->w() / 2, pWidget->y() + pWidget->h() / 2);
}

void clickAt(int iX, int iY) {
  Fl_Window* pWindow = g_Main_Window.window();
  Fl::e_x = iX;
  Fl::e_y = iY;
  Fl::e_x_root = pWindow->x() + Fl::e_x;
  Fl::e_y_root = pWindow->y() + Fl::e_y;
  Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
  Fl::e_text = const_cast<char*>("");
  Fl::e_length = 0;
  Fl::handle(FL_PUSH, pWindow);
  Fl::handle(FL_RELEASE, pWindow);
}

void pick(Fl_Menu_Item* pItem) {
  ui().m_pMenu_Bar->picked(pItem);
}

std::string paneText(ePANE ePane) {
  Fl_Text_Buffer* pBuffer = g_pSeam->pane(ePane).buffer();
  char* acText = pBuffer->text();
  std::string sText(acText);
  free(acText);
  return sText;
}

std::string inputLine() {
  const std::string sText = paneText(ePANE_INPUT);
  return sText.substr(sText.rfind('\n') + 1);
}

namespace {

// Where a displayed line's text must end: the scrollbar's left edge, or the
// frame's inside when no scrollbar shows.
int textRight(const ClTextDisplay* pPane) {
  const Fl_Widget* pScrollbar = pPane->child(0);  // the vertical one
  if (pScrollbar->visible()) return pScrollbar->x();
  return pPane->x() + pPane->w() - Fl::box_dx(pPane->box());
}

}  // namespace

int expectLinesClearTheScrollbar(ClTextDisplay* pPane) {
  Fl_Text_Buffer* pBuffer = pPane->buffer();
  const int iLength = pBuffer->length();
  const int iRight = textRight(pPane);
  fl_font(pPane->textfont(), pPane->textsize());
  int iWrapped = 0;
  for (int iStart = 0; iStart < iLength;) {
    const int iEnd = pPane->line_end(iStart, true);
    int iLast = iEnd;
    while (iLast > iStart && std::isspace(static_cast<unsigned char>(pBuffer->byte_at(iLast - 1))))
      --iLast;
    int iX = 0, iY = 0;
    if (iLast > iStart && pPane->position_to_xy(iLast - 1, &iX, &iY)) {
      char* acLine = pBuffer->text_range(iStart, iLast);
      const char acChar[2] = {pBuffer->byte_at(iLast - 1), 0};
      EXPECT_LE(iX + fl_width(acChar), iRight) << "\"" << acLine << "\"";
      free(acLine);
      if (iEnd < iLength && pBuffer->byte_at(iEnd) != '\n') ++iWrapped;
    }
    const int iNext = pPane->skip_lines(iStart, 1, true);
    if (iNext <= iStart) break;
    iStart = iNext;
  }
  return iWrapped;
}

void expectLongLinesFit(const char* acStep) {
  SCOPED_TRACE(std::string(acStep) + ", mode " + std::to_string(g_eWindow_Mode));
  typeText("O1,12/3");
  typeKey(FL_Enter, "\r");
  typeText("123456789*987654321+123456789*987654321+123456789*987654321+123456789*987654321+AB");
  typeKey(FL_Enter, "\r");
  Fl::check();
  int iWrapped = 0;
  for (ClTextDisplay* pPane : {ui().m_pInput, ui().m_pOutput})
    if (pPane->visible()) iWrapped += expectLinesClearTheScrollbar(pPane);
  EXPECT_GT(iWrapped, 0) << "no long line shown";
}

// Fontconfig keeps its caches until exit; they are the toolkit's, not ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
