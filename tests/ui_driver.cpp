// SPDX-License-Identifier: GPL-3.0-or-later
// The in-process driver of the window tests.
#include "tests/ui_driver.h"

#include <FL/Fl.H>
#include <FL/Fl_Text_Buffer.H>

#include <cctype>
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

// Fontconfig keeps its caches until exit; they are the toolkit's, not ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
