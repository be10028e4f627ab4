// SPDX-License-Identifier: GPL-3.0-or-later
// The in-memory seam of the batch runner and the tests.
#include "command/headless_seam.h"

#include <cstdlib>
#include <cstring>

#include "command/callback.h"
#include "command/clipboard.h"
#include "command/enter.h"
#include "engine/typing.h"

ClHeadlessPane::ClHeadlessPane() {
  m_Buffer.canUndo(0);
  m_Buffer.add_modify_callback(modified, this);
}

ClHeadlessPane::~ClHeadlessPane() {
  m_Buffer.remove_modify_callback(modified, this);
}

void ClHeadlessPane::setInsertPosition(int iPosition) {
  const int iLength = m_Buffer.length();
  m_iInsert_Position = iPosition < 0 ? 0 : (iPosition > iLength ? iLength : iPosition);
}

void ClHeadlessPane::insert(const char* acText) {
  const int iPosition = m_iInsert_Position;
  m_Buffer.insertGrowing(iPosition, acText);
  m_iInsert_Position = iPosition + static_cast<int>(std::strlen(acText));
}

std::string ClHeadlessPane::text() {
  char* acText = m_Buffer.text();
  std::string sText(acText);
  std::free(acText);
  return sText;
}

void ClHeadlessPane::modified(int iPosition, int iInserted, int iDeleted, int, const char*,
                              void* pPane) {
  int& iInsert = static_cast<ClHeadlessPane*>(pPane)->m_iInsert_Position;
  if (iInsert <= iPosition) return;
  iInsert = iInsert < iPosition + iDeleted ? iPosition : iInsert + iInserted - iDeleted;
}

ClHeadlessSeam::ClHeadlessSeam() {
  m_abSwitch[eSWITCH_ZERO_OUT] = true;
  m_abSwitch[eSWITCH_ERROR_CHECK] = true;
  m_abSwitch[eSWITCH_AUTO_PARENS] = true;
  m_abSwitch[eSWITCH_EXECUTE] = true;
  resetPanes(*this);
}

void ClHeadlessCells::startEditing(int iRow, int iColumn) {
  m_iEdit_Row = iRow;
  m_iEdit_Column = iColumn;
  ClCallback::cleanUp(false);
}

ClPane& ClHeadlessSeam::activePane() {
  return lg_eActive_Input == eMAIN_LINE ? static_cast<ClPane&>(m_Input) : m_Editor;
}

int ClHeadlessSeam::choice(const std::string& sQuestion, const char*, const char*) {
  m_asQuestions.push_back(sQuestion);
  if (m_aiChoices.empty()) return 0;
  const int iButton = m_aiChoices.front();
  m_aiChoices.pop_front();
  return iButton;
}

bool ClHeadlessSeam::chooseFile(const char*, bool, std::string& sName, bool& bError) {
  bError = false;
  if (m_asFile_Names.empty()) return false;
  sName = m_asFile_Names.front();
  m_asFile_Names.pop_front();
  return true;
}

bool ClHeadlessSeam::stopRequested() {
  if (m_piStop_Flag != nullptr && *m_piStop_Flag != 0) return true;
  if (m_lStop_Countdown < 0) return false;
  if (m_lStop_Countdown == 0) return true;
  --m_lStop_Countdown;
  return false;
}

void ClHeadlessSeam::requestPaste() {
  pasteText(m_sClipboard);
}

void ClHeadlessSeam::report(const std::string& sText) {
  m_asMessages.push_back(sText);
  if (m_pMessage_Stream != nullptr) std::fprintf(m_pMessage_Stream, "%s\n", sText.c_str());
}
