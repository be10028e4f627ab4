// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix editor's table: the entries of one matrix in a scrolling grid
// that draws only the cells in view, and the one-line cell editor placed
// over the cell being edited.
#pragma once

#include <FL/Fl_Table.H>

#include "command/seam.h"
#include "engine/calculator.h"
#include "ui/widgets.h"

class ClTable : public Fl_Table {
 public:
  ClTable(int iX, int iY, int iW, int iH, const char* acLabel = nullptr);

  // Opens the cell editor, empty and focused, over the cell.
  void startEditing(int iRow, int iCol);
  // Commits the edited cell as Enter does. False when its line was refused
  // (a message box said why): the cell then stays in editing.
  bool endEditing();
  // Hides the cell editor: no cell is edited.
  void stopEditing();
  // The text drawn for a header ("Row %d", "Col %d") or an entry, formatted
  // as a result is (output format, Zero Out). Valid until the next call.
  const char* text(TableContext eContext, int iRow, int iCol);
  // Ctrl+V with iKey 'v' pastes a block of cells from the clipboard at the
  // edited cell (the first cell when none is); Ctrl+C with 'c' copies the
  // table as tab-separated rows. Returns 1.
  int clipboardKey(int iKey);
  // Where the cell is in the window now (scrolled), clipped to the table.
  void cellRect(int iRow, int iCol, int& iX, int& iY, int& iW, int& iH);

  int32_t m_iEdit_Row = gc_iNO_CELL;
  int32_t m_iEdit_Col = gc_iNO_CELL;
  ClTextDisplay* m_pCell_Editor;
  ClMatrix m_mMatrix;
  // Headers and entries, at the zoom the table was built at.
  const int m_iText_Size;

  static constexpr int gc_iNO_CELL = ClCells::gc_iNO_CELL;

 protected:
  // Keys pass on to the keyboard handler: the table's own cell navigation
  // would take the keys that type a cell's line.
  int handle(int iEvent) override;
  void draw_cell(TableContext eContext, int iRow, int iCol, int iX, int iY, int iW,
                 int iH) override;

 private:
  void drawHeader(const char* acText, int iX, int iY, int iW, int iH);
  void drawData(const char* acText, int iX, int iY, int iW, int iH);
  // Keeps the cell editor over its cell as the table scrolls or resizes.
  void placeEditor();
};
