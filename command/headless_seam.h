// SPDX-License-Identifier: GPL-3.0-or-later
// The seam without a window: panes over plain text buffers, switches as
// flags, message boxes collected (and optionally written to a stream), file
// choosers and choice boxes answered from queues, and a stop request from a
// flag or a countdown. The batch runner and the tests use it.
#pragma once

#include <csignal>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "command/seam.h"
#include "command/text_buffer.h"
#include "engine/state.h"

class ClHeadlessPane : public ClPane {
 public:
  ClHeadlessPane();
  ~ClHeadlessPane() override;

  Fl_Text_Buffer* buffer() override { return &m_Buffer; }
  int insertPosition() const override { return m_iInsert_Position; }
  void setInsertPosition(int iPosition) override;
  void insert(const char* acText) override;
  void showInsertPosition() override {}
  void show() override { m_bVisible = true; }
  void hide() override { m_bVisible = false; }

  bool isVisible() const { return m_bVisible; }
  std::string text();

 private:
  // Keeps the insert position on its text when text before it changes, as a
  // text display does.
  static void modified(int iPosition, int iInserted, int iDeleted, int, const char*, void* pPane);

  ClTextBuffer m_Buffer;
  int m_iInsert_Position = 0;
  bool m_bVisible = true;
};

// The matrix editor's table as a matrix and an edit cell.
class ClHeadlessCells : public ClCells {
 public:
  int rows() const override { return static_cast<int>(m_mEntries.rows()); }
  int columns() const override { return static_cast<int>(m_mEntries.cols()); }
  int editRow() const override { return m_iEdit_Row; }
  int editColumn() const override { return m_iEdit_Column; }
  std::complex<double> entry(int iRow, int iColumn) const override {
    return m_mEntries(iRow, iColumn);
  }
  void setEntry(int iRow, int iColumn, std::complex<double> cValue) override {
    m_mEntries(iRow, iColumn) = cValue;
  }
  // As the window's table: the cell's line starts empty.
  void startEditing(int iRow, int iColumn) override;
  void stopEditing() override { m_iEdit_Row = m_iEdit_Column = gc_iNO_CELL; }

  ClMatrix m_mEntries;

 private:
  int m_iEdit_Row = gc_iNO_CELL;
  int m_iEdit_Column = gc_iNO_CELL;
};

class ClHeadlessSeam : public ClSeam {
 public:
  // Switches as at program start; the panes hold their start text.
  ClHeadlessSeam();

  ClPane& pane(ePANE ePane) override { return ePane == ePANE_INPUT ? m_Input : m_Output; }
  // The editor's displays share one pane.
  ClPane& activePane() override;
  int outputMark() const override { return m_iOutput_Mark; }
  void setOutputMark(int iMark) override { m_iOutput_Mark = iMark; }

  bool isOn(eSWITCH eSwitch) const override { return m_abSwitch[eSwitch]; }
  void setOn(eSWITCH eSwitch, bool bOn) override { m_abSwitch[eSwitch] = bOn; }

  void alert(const std::string& sText) override { report(sText); }
  void message(const std::string& sText) override { report(sText); }
  int choice(const std::string& sQuestion, const char* acButton0, const char* acButton1) override;
  bool chooseFile(const char* acTitle, bool bSave, std::string& sName, bool& bError) override;

  bool stopRequested() override;
  void hideAll() override { m_bHidden = true; }
  ClCells* cells() override { return &m_Cells; }
  bool printsForm(eTEXT_FORM& eForm) const override {
    eForm = m_ePrinted_Form;
    return m_bPrints_Form;
  }
  // The clipboard is a string: a paste types it at once.
  void copyText(const std::string& sText) override { m_sClipboard = sText; }
  void requestPaste() override;

  // Answers: the next choice boxes (button index; "No"-like 0 when none is
  // queued) and file choosers (a cancel when none is queued).
  void queueChoice(int iButton) { m_aiChoices.push_back(iButton); }
  void queueFileName(const std::string& sName) { m_asFile_Names.push_back(sName); }
  // Stop after this many more checks (0: at the next one); negative never.
  void stopAfterChecks(long lChecks) { m_lStop_Countdown = lChecks; }
  // A flag set elsewhere (a signal handler) that requests the stop.
  void setStopFlag(const volatile std::sig_atomic_t* piFlag) { m_piStop_Flag = piFlag; }
  // Messages are also written to this stream as they come (null: kept only).
  void setMessageStream(std::FILE* pStream) { m_pMessage_Stream = pStream; }
  // Results are printed in eForm from now on (orvel-batch --result-format).
  void setPrintedForm(eTEXT_FORM eForm) {
    m_ePrinted_Form = eForm;
    m_bPrints_Form = true;
  }

  const std::vector<std::string>& messages() const { return m_asMessages; }
  const std::vector<std::string>& questions() const { return m_asQuestions; }
  bool isHidden() const { return m_bHidden; }
  const std::string& clipboard() const { return m_sClipboard; }
  ClHeadlessPane& input() { return m_Input; }
  ClHeadlessPane& output() { return m_Output; }
  ClHeadlessPane& editor() { return m_Editor; }
  ClHeadlessCells& table() { return m_Cells; }

 private:
  void report(const std::string& sText);

  ClHeadlessPane m_Input;
  ClHeadlessPane m_Output;
  ClHeadlessPane m_Editor;
  ClHeadlessCells m_Cells;
  int m_iOutput_Mark = 0;
  bool m_abSwitch[eSWITCH_COUNT] = {};
  std::vector<std::string> m_asMessages;
  std::vector<std::string> m_asQuestions;
  std::deque<int> m_aiChoices;
  std::deque<std::string> m_asFile_Names;
  long m_lStop_Countdown = -1;
  const volatile std::sig_atomic_t* m_piStop_Flag = nullptr;
  std::FILE* m_pMessage_Stream = nullptr;
  bool m_bHidden = false;
  eTEXT_FORM m_ePrinted_Form = eFORM_TEXT;
  bool m_bPrints_Form = false;
  std::string m_sClipboard;
};
