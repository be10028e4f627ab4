// SPDX-License-Identifier: GPL-3.0-or-later
// Paste into the current line or the matrix editor's table, and the copies
// of the last result and of the table. The seam carries the text to and from
// the toolkit's clipboard.
#include "command/clipboard.h"

#include <string>

#include "command/callback.h"
#include "command/enter.h"
#include "command/matrix_reader.h"
#include "command/seam.h"
#include "engine/calculator.h"
#include "engine/typing.h"

namespace {

const char gc_acNO_RESULT[] = "No result to copy yet: Copy Result As copies the last result (Ans).";

// The keys of text made only of key characters, one trailing line end
// dropped; empty when any other character is in it. A blank is no key: prose
// and the panes' echo lines ("Inv (A)") would type other keys than they read.
std::string keysOf(std::string sText) {
  if (!sText.empty() && sText.back() == '\n') sText.pop_back();
  if (!sText.empty() && sText.back() == '\r') sText.pop_back();
  for (const char c : sText)
    if (!isLineCharacter(c)) return std::string();
  return sText;
}

// The block's top-left goes to the edited cell, or the first cell when none
// is edited; an edited cell's line starts again, empty.
void pasteBlock(ClCells& cells, const ClReadMatrix& block) {
  const bool bEditing = cells.editRow() < cells.rows();
  const int iTop = bEditing ? cells.editRow() : 0;
  const int iLeft = bEditing ? cells.editColumn() : 0;
  const int iRows = cells.rows() - iTop;
  const int iColumns = cells.columns() - iLeft;
  if (block.m_iRows > iRows || block.m_iColumns > iColumns) {
    g_pSeam->message("The pasted block of " + std::to_string(block.m_iRows) + " x " +
                     std::to_string(block.m_iColumns) + " does not fit: from Row " +
                     std::to_string(iTop + 1) + ", Col " + std::to_string(iLeft + 1) +
                     " the table has " + std::to_string(iRows) + " x " + std::to_string(iColumns) +
                     " cells.");
    return;
  }
  for (int iRow = 0; iRow < block.m_iRows; ++iRow)
    for (int iColumn = 0; iColumn < block.m_iColumns; ++iColumn)
      cells.setEntry(iTop + iRow, iLeft + iColumn,
                     block.m_aEntries[iRow * block.m_iColumns + iColumn].m_cValue);
  if (bEditing) cells.startEditing(iTop, iLeft);
  cells.refresh();
  g_pSeam->redraw();
}

}  // namespace

void pasteText(const std::string& sText) {
  ClReadMatrix matrix;
  std::string sWhy;
  const bool bMatrix = readMatrixText(sText, matrix, sWhy);
  ClCells* pCells = lg_eActive_Input == eEDITOR_CELL ? g_pSeam->cells() : nullptr;
  if (pCells != nullptr && bMatrix) {
    pasteBlock(*pCells, matrix);
    return;
  }
  // keys need a line: in the table only an edited cell has one
  const bool bLine = pCells == nullptr || pCells->editRow() < pCells->rows();
  const std::string sKeys = bMatrix ? matrixTokens(matrix) : bLine ? keysOf(sText) : "";
  if (sKeys.empty() || !typeKeysAtCursor(sKeys, sWhy)) g_pSeam->message(sWhy);
}

std::string resultText(eTEXT_FORM eForm, bool bFull_Precision) {
  const ClMatrix& mAns = ClCalculator::mp_mLast_Output;
  return mAns.size() == 0 ? std::string()
                          : matrixInForm(mAns, eForm, currentDisplayOptions(bFull_Precision));
}

std::string tableText(bool bFull_Precision) {
  ClCells* pCells = g_pSeam->cells();
  if (pCells == nullptr) return std::string();
  std::string sText;
  const ClDisplayOptions display = currentDisplayOptions(bFull_Precision);
  ClMatrix mEntry(1, 1);
  for (int iRow = 0; iRow < pCells->rows(); ++iRow) {
    for (int iColumn = 0; iColumn < pCells->columns(); ++iColumn) {
      mEntry(0, 0) = pCells->entry(iRow, iColumn);
      sText += matrixInForm(mEntry, eFORM_TEXT, display);
      sText += iColumn + 1 < pCells->columns() ? '\t' : '\n';
    }
  }
  return sText;
}

void ClCallback::paste_cb(Fl_Widget*, void*) {
  g_pSeam->requestPaste();
}

void ClCallback::copyResult_cb(Fl_Widget*, void* pData) {
  if (pData == nullptr) return;
  const int32_t iForm = *static_cast<const int32_t*>(pData);
  if (iForm < 0 || iForm >= gc_iRESULT_FORMS) return;
  const std::string sText = resultText(eTEXT_FORM(iForm), g_pSeam->isOn(eSWITCH_FULL_PRECISION));
  if (sText.empty()) {
    g_pSeam->message(gc_acNO_RESULT);
    return;
  }
  g_pSeam->copyText(sText);
}
