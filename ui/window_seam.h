// SPDX-License-Identifier: GPL-3.0-or-later
// The window's side of the seam: the panes are the current layout's text
// displays, the switches its menu items, the boxes go through g_Dialogs.
#pragma once

#include "command/seam.h"
#include "ui/notifier.h"

class ClTextDisplay;
class Fl_Window;

// The input pane, the output pane, or the matrix editor's display that takes
// input (the Fill In display or the cell editor, one shared buffer).
enum eWINDOW_PANE { eWINDOW_INPUT, eWINDOW_OUTPUT, eWINDOW_EDITOR };

class ClWindowPane : public ClPane {
 public:
  explicit ClWindowPane(eWINDOW_PANE ePane) : m_ePane(ePane) {}
  Fl_Text_Buffer* buffer() override;
  int insertPosition() const override;
  void setInsertPosition(int iPosition) override;
  void insert(const char* acText) override;
  void showInsertPosition() override;
  void show() override;
  void hide() override;

 private:
  ClTextDisplay* display() const;
  const eWINDOW_PANE m_ePane;
};

// The current layout's table, while the editor has one.
class ClWindowCells : public ClCells {
 public:
  int rows() const override;
  int columns() const override;
  int editRow() const override;
  int editColumn() const override;
  std::complex<double> entry(int iRow, int iColumn) const override;
  void setEntry(int iRow, int iColumn, std::complex<double> cValue) override;
  void startEditing(int iRow, int iColumn) override;
  void stopEditing() override;
  void refresh() override;
};

class ClWindowSeam : public ClSeam {
 public:
  ClPane& pane(ePANE ePane) override;
  ClPane& activePane() override;
  void activateInputPane() override;
  int outputMark() const override;
  void setOutputMark(int iMark) override;
  bool isOn(eSWITCH eSwitch) const override;
  void setOn(eSWITCH eSwitch, bool bOn) override;
  void alert(const std::string& sText) override;
  void message(const std::string& sText) override;
  int choice(const std::string& sQuestion, const char* acButton0, const char* acButton1) override;
  bool chooseFile(const char* acTitle, bool bSave, std::string& sName, bool& bError) override;
  bool stopRequested() override;
  void redraw() override;
  void redrawGraph() override;
  void arrangeGraph(eGRAPH_CHANGE eChange) override;
  bool isFrontmost() const override;
  void hideAll() override;
  ClCells* cells() override;
  // Tells g_Results_Changed.
  void resultsChanged() override;
  void copyText(const std::string& sText) override;
  // The text arrives as FL_PASTE at the main window (keyboard.cpp).
  void requestPaste() override;

 private:
  ClWindowPane m_Input{eWINDOW_INPUT};
  ClWindowPane m_Output{eWINDOW_OUTPUT};
  ClWindowPane m_Editor{eWINDOW_EDITOR};
  ClWindowCells m_Cells;
};

extern ClWindowSeam g_Window_Seam;
// The windows made from the shown results listen here (the Steps window).
extern ClNotifier g_Results_Changed;

// True while a long computation lets the toolkit run to look for Escape:
// work started by the event loop waits until it has returned.
bool pollingForStop();
// A long computation starts: its first look for Escape comes at once, however
// recently the last one was.
void startStopPolls();

// Routes every event: while a repetition polls for Escape, input is dropped;
// the line-command keys (and Tab, Ctrl+V and Ctrl+C in the table step) reach the keyboard handler
// before the focused widget.
int dispatchEvent(int iEvent, Fl_Window* pWindow);
