// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix editor's callbacks: the size step (counters and fill-in value),
// the table step (cells, Done, Cancel), the return to the main input line,
// and the menu items made inactive meanwhile.
#include "ui/editor.h"

#include <FL/Fl.H>

#include "command/callback.h"
#include "command/enter.h"
#include "command/history.h"
#include "command/seam.h"
#include "engine/calculator.h"
#include "engine/typing.h"
#include "graph/graph_box.h"
#include "ui/table.h"
#include "ui/window.h"

ClEditorState g_Editor;

namespace {

// The name goes at position 22 and 7.
char lg_acSize_Title[] = "Size Specs for Matrix   ";
char lg_acTitle[] = "Matrix   ";
constexpr int gc_iSIZE_NAME = 22;
constexpr int gc_iTITLE_NAME = 7;

ClORVELUI& ui() {
  return *g_Main_Window.ui();
}

// Back to the main input line as it was when the editor started.
void leaveEditor() {
  lg_eActive_Input = eMAIN_LINE;
  g_Editor.m_pActive_Table = nullptr;
  editEnableItems();
  g_Current_State = g_Current_State_Bkp;
  // an editor line refused or taken as the fill-in value left its text there
  g_acOutput_Line[0] = '\0';
  g_Main_Window.arrangePanes();
  displayCurrent();
  ui().m_pInput->take_focus();
  ui().m_pDisplay_Group->activate();
}

// A counter's value pulled back into range against the other counter.
void keepValid(ClCounter* pCounter, const ClCounter* pOther) {
  double dValue = pCounter->value();
  if (dValue < 0) dValue = 0;
  if (dValue * pOther->value() > static_cast<double>(gc_lMAX_ENTRIES)) dValue -= 1;
  pCounter->value(dValue);
}

// The fill-in value: 0 unless the line gives a 1 x 1 value.
ClComplex fillInValue() {
  if (g_Current_State.m_uiLength == 0) return 0.0;
  enterLine();
  ClComplex cValue = 0.0;
  return editorScalar(cValue) ? cValue : 0.0;
}

void loadTable(ClTable* pTable, int iRows, int iCols) {
  const ClMatrix& mVariable = *g_Editor.m_pEdit_Matrix;
  const ClComplex cFill_In = g_Editor.m_cFill_In;
  if (mVariable.rows() == iRows && mVariable.cols() == iCols && cFill_In == 0.0)
    pTable->m_mMatrix = mVariable;
  else
    pTable->m_mMatrix = ClMatrix::Constant(iRows, iCols, cFill_In);
  pTable->rows(iRows);
  pTable->cols(iCols);
  pTable->row_position(0);
  pTable->col_position(0);
}

}  // namespace

void editDisableItems() {
  for (Fl_Menu_Item* pItem :
       {ClORVELUI::mp_miTwo_Windows, ClORVELUI::mp_miOne_Window, ClORVELUI::mp_miPortrait_Mode,
        ClORVELUI::mp_smZoom, ClORVELUI::mp_smFile, ClORVELUI::mp_smEdit, ClORVELUI::mp_miGraph,
        ClORVELUI::mp_miCorners, ClORVELUI::mp_miScales, ClORVELUI::mp_miText,
        ClORVELUI::mp_miExecute})
    pItem->deactivate();
}

void editEnableItems() {
  for (Fl_Menu_Item* pItem : {ClORVELUI::mp_smFile, ClORVELUI::mp_smEdit, ClORVELUI::mp_smZoom,
                              ClORVELUI::mp_miGraph, ClORVELUI::mp_miExecute})
    pItem->activate();
  // the window format stays fixed while the graph is open
  if (g_eOutput == eNO_GRAPH) {
    for (Fl_Menu_Item* pItem :
         {ClORVELUI::mp_miTwo_Windows, ClORVELUI::mp_miOne_Window, ClORVELUI::mp_miPortrait_Mode})
      pItem->activate();
  } else {
    for (Fl_Menu_Item* pItem :
         {ClORVELUI::mp_miCorners, ClORVELUI::mp_miScales, ClORVELUI::mp_miText})
      pItem->activate();
  }
}

void ClCallback::editSizes_cb(Fl_Widget*, void* pData) {
  ClORVELUI& u = ui();
  g_Editor.m_pEdit_Token = static_cast<int32_t*>(pData);
  const int32_t iCode = g_Editor.m_pEdit_Token ? *g_Editor.m_pEdit_Token : eNULL;
  if (!isVariableToken(iCode)) {
    g_Main_Window.arrangePanes();
    return;
  }
  ClMatrix& mVariable = ClCalculator::mp_mVariable[iCode];
  g_Editor.m_pEdit_Matrix = &mVariable;
  const bool bDefined = mVariable.rows() > 0;
  u.m_pRows->value(bDefined ? static_cast<double>(mVariable.rows()) : 0.0);
  u.m_pColumns->value(bDefined ? static_cast<double>(mVariable.cols()) : 0.0);
  // a restart after the clear question keeps the line saved at the start
  if (lg_eActive_Input == eMAIN_LINE) g_Current_State_Bkp = g_Current_State;
  lg_eActive_Input = eEDITOR_FILL_IN;
  editDisableItems();
  g_Main_Window.arrangePanes();

  g_Editor.m_cEdit_Name = tokenName(iCode)[0];
  lg_acSize_Title[gc_iSIZE_NAME] = g_Editor.m_cEdit_Name;
  u.m_pNote->label(lg_acSize_Title);
  u.m_pSize_Panel->activate();
  u.m_pSize_Panel->show();
  u.m_pFill_In->show();
  u.m_pFill_In->activate();
  // the fill-in expression starts empty, not with the main line's tokens
  ClCallback::cleanUp(false);
  u.m_pFill_In->take_focus();
  g_Main_Window.window()->redraw();
}

void ClCallback::editRows_cb(Fl_Widget*, void*) {
  keepValid(ui().m_pRows, ui().m_pColumns);
}

void ClCallback::editCols_cb(Fl_Widget*, void*) {
  keepValid(ui().m_pColumns, ui().m_pRows);
}

void ClCallback::editMatrixTable_cb(Fl_Widget* pWidget, void*) {
  ClORVELUI& u = ui();
  g_Editor.m_pActive_Table = u.m_pTable;
  const int iRows = static_cast<int>(u.m_pRows->value());
  const int iCols = static_cast<int>(u.m_pColumns->value());
  if (iRows == 0 || iCols == 0) {
    if (g_pSeam->choice("Clear this matrix and exit editing?", "Cancel", "Clear") == 1) {
      g_Editor.m_pEdit_Matrix->resize(0, 0);
      u.m_pSize_Panel->hide();
      u.m_pSize_Panel->deactivate();
      editCancel_cb(pWidget, nullptr);
    } else {
      editSizes_cb(pWidget, g_Editor.m_pEdit_Token);
    }
    return;
  }
  g_Editor.m_cFill_In = fillInValue();
  ClTable* pTable = g_Editor.m_pActive_Table;
  loadTable(pTable, iRows, iCols);

  lg_eActive_Input = eEDITOR_CELL;
  ClCallback::cleanUp(false);
  lg_acTitle[gc_iTITLE_NAME] = g_Editor.m_cEdit_Name;
  u.m_pTitle->label(lg_acTitle);
  u.m_pSize_Panel->hide();
  u.m_pSize_Panel->deactivate();
  g_Main_Window.arrangePanes();
  u.m_pEdit_Panel->activate();
  u.m_pEdit_Panel->show();
  pTable->stopEditing();
  g_Main_Window.window()->redraw();
}

void ClCallback::editView_cb(Fl_Widget* pWidget, void*) {
  ClTable* pTable = static_cast<ClTable*>(pWidget);
  const int iRow = pTable->callback_row();
  const int iCol = pTable->callback_col();
  switch (pTable->callback_context()) {
    case Fl_Table::CONTEXT_CELL:
      if (Fl::event() != FL_PUSH) return;
      // a refused line keeps its cell in editing
      if (pTable->endEditing()) pTable->startEditing(iRow, iCol);
      return;
    case Fl_Table::CONTEXT_ROW_HEADER:
    case Fl_Table::CONTEXT_COL_HEADER:
    case Fl_Table::CONTEXT_TABLE:
      pTable->endEditing();
      return;
    default:
      return;
  }
}

void ClCallback::editDone_cb(Fl_Widget*, void*) {
  ClTable* pTable = ui().m_pTable;
  // a pending cell whose line is refused stays open for correction
  if (!pTable->endEditing()) return;
  *g_Editor.m_pEdit_Matrix = pTable->m_mMatrix;
  ui().m_pEdit_Panel->hide();
  ui().m_pEdit_Panel->deactivate();
  leaveEditor();
}

void ClCallback::editCancel_cb(Fl_Widget*, void*) {
  ClORVELUI& u = ui();
  if (g_Editor.m_pEdit_Matrix->rows() == 0) {
    u.m_pRows->value(0);
    u.m_pColumns->value(0);
  }
  u.m_pTable->stopEditing();
  u.m_pEdit_Panel->hide();
  leaveEditor();
}

void ClCallback::sizeCancel_cb(Fl_Widget*, void*) {
  ClORVELUI& u = ui();
  u.m_pSize_Panel->hide();
  u.m_pSize_Panel->deactivate();
  leaveEditor();
}
