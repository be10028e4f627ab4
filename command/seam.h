// SPDX-License-Identifier: GPL-3.0-or-later
// The one interface through which command processing and the data files
// reach their surroundings: the two text panes, the menu switches, the
// message boxes, the file choosers, the stop request and the news that the
// shown results changed. The window
// implements it with widgets (ui/), the batch runner and the tests in memory
// (command/headless_seam). The logic never asks which one it has.
// The command folder:
//   seam.h              this interface
//   callback.h          every user action, and which folder defines each
//   input_line.cpp      key presses into the current line (pressToken,
//                       setCurrentLine), its rendering, history browsing
//   history.h/.cpp      the history store, Edit > History, the panes' start
//                       text, g_pSeam, resetCommandState
//   enter.h/.cpp        Enter, repetition, Zero Out and Exit; enter.h declares
//                       what other folders call in input_line.cpp and history.cpp
//   headless_seam.h/.cpp  the seam in memory (batch runner, tests)
//   steps_writer.h/.cpp the Steps documents: text, HTML and LaTeX
//   matrix_reader.h/.cpp  pasted text read as a matrix: the plain-text step
//                       and the choice between forms
//   reader_*.h/.cpp     its grammars: cells, rows and Markdown, brackets,
//                       LaTeX, entries
//   matrix_forms.h/.cpp   a matrix written as LaTeX, Markdown, NumPy, Octave, CSV
//   clipboard.h/.cpp    paste into the line or the editor's table, copy out
//   text_buffer.h       the panes' text buffer with a growing gap
#pragma once

#include <complex>
#include <string>

#include "command/matrix_forms.h"
#include "engine/calculator.h"

class Fl_Text_Buffer;

enum eSWITCH {
  eSWITCH_ZERO_OUT,
  eSWITCH_ERROR_CHECK,
  eSWITCH_AUTO_PARENS,
  eSWITCH_EXECUTE,
  eSWITCH_SCALES,
  eSWITCH_CORNERS,
  // Copy Result As (and orvel-batch's printed results) with 17 digits
  eSWITCH_FULL_PRECISION,
  eSWITCH_COUNT,
};

enum ePANE { ePANE_INPUT, ePANE_OUTPUT };

// How the graph changed; g_eOutput already holds the new state.
enum eGRAPH_CHANGE {
  eGRAPH_OPENED,
  eGRAPH_CLOSED,
  eGRAPH_CLEARED,
  eGRAPH_TEXT_SHOWN,
  eGRAPH_SHOWN
};

// A text pane: a toolkit text buffer (a plain data structure that needs no
// display) with an insert position and scrolling.
class ClPane {
 public:
  virtual ~ClPane() = default;
  virtual Fl_Text_Buffer* buffer() = 0;
  virtual int insertPosition() const = 0;
  virtual void setInsertPosition(int iPosition) = 0;
  // Inserts at the insert position and moves it behind the text.
  virtual void insert(const char* acText) = 0;
  virtual void showInsertPosition() = 0;
  virtual void show() {}
  virtual void hide() {}
};

// The matrix editor's table as Enter in one of its cells sees it.
class ClCells {
 public:
  // The edit row and column while no cell is edited.
  static constexpr int gc_iNO_CELL = gc_iMAX_SQUARE;

  virtual ~ClCells() = default;
  virtual int rows() const = 0;
  virtual int columns() const = 0;
  virtual int editRow() const = 0;
  virtual int editColumn() const = 0;
  virtual std::complex<double> entry(int iRow, int iColumn) const = 0;
  virtual void setEntry(int iRow, int iColumn, std::complex<double> cValue) = 0;
  // Opens the cell editor, empty, over the cell.
  virtual void startEditing(int iRow, int iColumn) = 0;
  // Hides the cell editor: no cell is edited.
  virtual void stopEditing() = 0;
  // A setting the entries show has changed: shows the edit panel's buttons
  // and redraws the entries.
  virtual void refresh() {}
};

class ClSeam {
 public:
  virtual ~ClSeam() = default;

  virtual ClPane& pane(ePANE ePane) = 0;
  // The pane the current line is rendered into (input pane, or an editor cell).
  virtual ClPane& activePane() = 0;
  // Makes the input pane the active one again and forgets the editor's table.
  virtual void activateInputPane() {}
  // The output pane's mark: where the next output is appended.
  virtual int outputMark() const = 0;
  virtual void setOutputMark(int iMark) = 0;

  virtual bool isOn(eSWITCH eSwitch) const = 0;
  virtual void setOn(eSWITCH eSwitch, bool bOn) = 0;

  virtual void alert(const std::string& sText) = 0;
  virtual void message(const std::string& sText) = 0;
  // Returns the index of the chosen button (0 or 1).
  virtual int choice(const std::string& sQuestion, const char* acButton0,
                     const char* acButton1) = 0;
  // Native file chooser; returns false on cancel or chooser error (bError).
  virtual bool chooseFile(const char* acTitle, bool bSave, std::string& sName, bool& bError) = 0;

  // Asked between the lines of a repetition; true ends it.
  virtual bool stopRequested() = 0;
  virtual void redraw() {}
  // The plots or a switch changed: the graph pane is rendered anew.
  virtual void redrawGraph() {}
  // Arranges the panes and the graph menu items after the graph changed.
  virtual void arrangeGraph(eGRAPH_CHANGE) {}
  // Exit: is the main window the frontmost one, and hide every window.
  virtual bool isFrontmost() const { return true; }
  virtual void hideAll() {}

  // The matrix editor's table; null while there is none.
  virtual ClCells* cells() { return nullptr; }

  // What results are shown from has changed: a main line kept new operands
  // for the steps, or the output format or Zero Out changed. The views made
  // from them (the Steps window) follow; nothing polls for it.
  virtual void resultsChanged() {}

  // Puts text on the clipboard and the primary selection.
  virtual void copyText(const std::string&) {}
  // Asks for the clipboard's text; it arrives, maybe later, in pasteText
  // (command/clipboard.h).
  virtual void requestPaste() {}
  // orvel-batch prints results in a form that other tools read
  // (--result-format); false in the window, which prints the display text.
  virtual bool printsForm(eTEXT_FORM&) const { return false; }
};

extern ClSeam* g_pSeam;
