// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix editor's table: drawing of headers and entries, and the cell
// editor's moves.
#include "ui/table.h"

#include <FL/fl_draw.H>

#include <cstdio>

#include "command/callback.h"
#include "command/clipboard.h"
#include "command/enter.h"
#include "engine/calculator.h"
#include "engine/display.h"
#include "ui/zoom.h"

namespace {

constexpr int gc_iSIZE = gc_iMAX_SQUARE;  // any square value fits
constexpr int gc_iROW_HEIGHT = 20;
constexpr int gc_iCOL_WIDTH = 80;
constexpr int gc_iROW_HEADER_WIDTH = 52;
constexpr int gc_iTEXT_SIZE = 14;

// The entry being drawn, formatted as a result is; one entry in any format
// fits its text with room to spare.
ClMatrix lg_mCell = ClMatrix::Zero(1, 1);
char lg_acCell[128];
char lg_acHeader[16];

}  // namespace

ClTable::ClTable(int iX, int iY, int iW, int iH, const char* acLabel)
    : Fl_Table(iX, iY, iW, iH, acLabel),
      m_mMatrix(ClMatrix::Zero(gc_iSIZE, gc_iSIZE)),
      m_iText_Size(zoomed(gc_iTEXT_SIZE)) {
  rows(gc_iSIZE);
  cols(gc_iSIZE);
  row_header(1);
  row_header_width(zoomed(gc_iROW_HEADER_WIDTH));
  col_header(1);
  col_header_height(zoomed(col_header_height()));  // the toolkit's default
  row_height_all(zoomed(gc_iROW_HEIGHT));
  col_width_all(zoomed(gc_iCOL_WIDTH));
  row_resize(0);
  col_resize(1);
  when(FL_WHEN_CHANGED | FL_WHEN_RELEASE | FL_WHEN_NOT_CHANGED);
  m_pCell_Editor = new ClTextDisplay(iX, iY, zoomed(gc_iCOL_WIDTH), zoomed(gc_iROW_HEIGHT));
  m_pCell_Editor->box(FL_FLAT_BOX);
  m_pCell_Editor->color(FL_WHITE);
  m_pCell_Editor->textsize(m_iText_Size);
  m_pCell_Editor->hide();
  end();
}

void ClTable::startEditing(int iRow, int iCol) {
  m_iEdit_Row = iRow;
  m_iEdit_Col = iCol;
  placeEditor();
  ClCallback::cleanUp(false);
  m_pCell_Editor->show();
  m_pCell_Editor->take_focus();
  redraw();
}

bool ClTable::endEditing() {
  if (m_iEdit_Row == gc_iNO_CELL) return true;
  const int iRow = m_iEdit_Row, iCol = m_iEdit_Col;
  enterLine();
  // a committed cell has moved the editor on
  if (m_iEdit_Row == iRow && m_iEdit_Col == iCol) return false;
  stopEditing();
  return true;
}

void ClTable::stopEditing() {
  m_iEdit_Row = m_iEdit_Col = gc_iNO_CELL;
  m_pCell_Editor->hide();
  redraw();
}

int ClTable::handle(int iEvent) {
  if (iEvent == FL_KEYBOARD) return 0;
  return Fl_Table::handle(iEvent);
}

int ClTable::clipboardKey(int iKey) {
  if (iKey == 'v')
    g_pSeam->requestPaste();
  else
    g_pSeam->copyText(tableText(g_pSeam->isOn(eSWITCH_FULL_PRECISION)));
  return 1;
}

const char* ClTable::text(TableContext eContext, int iRow, int iCol) {
  switch (eContext) {
    case CONTEXT_ROW_HEADER:
      std::snprintf(lg_acHeader, sizeof lg_acHeader, "Row %d", iRow + 1);
      return lg_acHeader;
    case CONTEXT_COL_HEADER:
      std::snprintf(lg_acHeader, sizeof lg_acHeader, "Col %d", iCol + 1);
      return lg_acHeader;
    default:
      lg_mCell(0, 0) = m_mMatrix(iRow, iCol);
      writeMatrix(lg_mCell, currentDisplayOptions(), lg_acCell, sizeof lg_acCell);
      return lg_acCell;
  }
}

void ClTable::cellRect(int iRow, int iCol, int& iX, int& iY, int& iW, int& iH) {
  find_cell(CONTEXT_TABLE, iRow, iCol, iX, iY, iW, iH);
}

void ClTable::placeEditor() {
  if (m_iEdit_Row == gc_iNO_CELL) return;
  int iX = 0, iY = 0, iW = 0, iH = 0;
  cellRect(m_iEdit_Row, m_iEdit_Col, iX, iY, iW, iH);
  if (iX != m_pCell_Editor->x() || iY != m_pCell_Editor->y() || iW != m_pCell_Editor->w())
    m_pCell_Editor->resize(iX, iY, iW, iH);
}

void ClTable::draw_cell(TableContext eContext, int iRow, int iCol, int iX, int iY, int iW, int iH) {
  switch (eContext) {
    case CONTEXT_STARTPAGE:
      fl_font(FL_HELVETICA, m_iText_Size);
      placeEditor();
      return;
    case CONTEXT_RC_RESIZE:
      placeEditor();
      return;
    case CONTEXT_ROW_HEADER:
    case CONTEXT_COL_HEADER:
      drawHeader(text(eContext, iRow, iCol), iX, iY, iW, iH);
      return;
    case CONTEXT_CELL:
      if (iRow == m_iEdit_Row && iCol == m_iEdit_Col) return;
      if (iRow >= m_mMatrix.rows() || iCol >= m_mMatrix.cols()) return;
      drawData(text(eContext, iRow, iCol), iX, iY, iW, iH);
      return;
    default:
      return;
  }
}

void ClTable::drawHeader(const char* acText, int iX, int iY, int iW, int iH) {
  fl_push_clip(iX, iY, iW, iH);
  fl_draw_box(FL_THIN_UP_BOX, iX, iY, iW, iH, row_header_color());
  fl_color(FL_BLACK);
  fl_draw(acText, iX, iY, iW, iH, FL_ALIGN_CENTER);
  fl_pop_clip();
}

void ClTable::drawData(const char* acText, int iX, int iY, int iW, int iH) {
  fl_push_clip(iX, iY, iW, iH);
  fl_color(FL_WHITE);
  fl_rectf(iX, iY, iW, iH);
  fl_color(FL_GRAY0);
  fl_draw(acText, iX, iY, iW, iH, FL_ALIGN_CENTER);
  fl_color(color());
  fl_rect(iX, iY, iW, iH);
  fl_pop_clip();
}
