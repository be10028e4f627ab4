// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix editor in the window: the size step from the Edit > Matrix
// items, the table step with mouse presses on cells and typed keys, Done and
// both Cancels, the menu items meanwhile, and the three window modes.
#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <cstring>

#include "command/history.h"
#include "command/text_buffer.h"
#include "engine/calculator.h"
#include "engine/typing.h"
#include "graph/graph_box.h"
#include "tests/ui_driver.h"
#include "ui/table.h"

namespace {

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override { resetCalculator(); }

  static ClTable& table() { return *ui().m_pTable; }
  static ClMatrix& variable(eTOKEN eVariable) { return ClCalculator::mp_mVariable[eVariable]; }

  // A line typed and entered in the main input line.
  static void enterLine(const std::string& sKeys) {
    typeText(sKeys);
    typeKey(FL_Enter, "\r");
  }
  static void setCounters(int iRows, int iCols) {
    ui().m_pRows->value(iRows);
    ui().m_pRows->do_callback();
    ui().m_pColumns->value(iCols);
    ui().m_pColumns->do_callback();
  }
  // Matrix > A, the sizes, the fill-in keys, then Edit.
  static void openTable(int iRows, int iCols, const std::string& sFill_In = "") {
    pick(ClORVELUI::mp_miA);
    setCounters(iRows, iCols);
    typeText(sFill_In);
    click(ui().m_pEdit);
  }
  static void clickCell(int iRow, int iCol) {
    int iX = 0, iY = 0, iW = 0, iH = 0;
    table().cellRect(iRow, iCol, iX, iY, iW, iH);
    clickAt(iX + iW / 2, iY + iH / 2);
  }
  static void expectEditCell(int iRow, int iCol) {
    EXPECT_EQ(table().m_iEdit_Row, iRow);
    EXPECT_EQ(table().m_iEdit_Col, iCol);
  }
  static std::string cellText(int iRow, int iCol) {
    return table().text(Fl_Table::CONTEXT_CELL, iRow, iCol);
  }
  static std::string editorText() {
    char* acText = g_Main_Window.cellBuffer()->text();
    std::string sText(acText);
    free(acText);
    return sText;
  }
  // The main window is back as it was: the line typed before, the panes.
  static void expectMainLineBack(const std::string& sLine) {
    EXPECT_EQ(lg_eActive_Input, 0);
    EXPECT_EQ(inputLine(), sLine);
    EXPECT_TRUE(ui().m_pInput->visible());
    EXPECT_TRUE(ui().m_pInput->active());
    EXPECT_FALSE(ui().m_pSize_Panel->visible());
    EXPECT_FALSE(ui().m_pEdit_Panel->visible());
    EXPECT_EQ(ui().m_pOutput->visible() != 0, g_eWindow_Mode == 0);
  }
};

ClMatrix matrix(std::initializer_list<std::initializer_list<double>> aRows) {
  ClMatrix mM(aRows.size(), aRows.begin()->size());
  int iRow = 0;
  for (const auto& aRow : aRows) {
    int iCol = 0;
    for (double dX : aRow) mM(iRow, iCol++) = dX;
    ++iRow;
  }
  return mM;
}

TEST_F(EditorTest, UndefinedVariableAsksToClearBothWays) {
  typeText("1+2");
  pick(ClORVELUI::mp_miA);
  EXPECT_EQ(lg_eActive_Input, 2);
  EXPECT_STREQ(ui().m_pNote->label(), "Size Specs for Matrix A ");
  EXPECT_TRUE(ui().m_pSize_Panel->visible());
  EXPECT_FALSE(ui().m_pInput->visible());
  EXPECT_FALSE(ui().m_pOutput->visible());
  EXPECT_EQ(ui().m_pRows->value(), 0);
  EXPECT_EQ(ui().m_pColumns->value(), 0);
  EXPECT_EQ(editorText(), "_");

  g_Answers.m_iChoice = 0;  // "Cancel": back to the size step
  click(ui().m_pEdit);
  ASSERT_EQ(g_Answers.m_asQuestions.size(), 1u);
  EXPECT_EQ(g_Answers.m_asQuestions[0], "Clear this matrix and exit editing?");
  EXPECT_EQ(lg_eActive_Input, 2);
  EXPECT_TRUE(ui().m_pSize_Panel->visible());

  g_Answers.m_iChoice = 1;  // "Clear"
  click(ui().m_pEdit);
  EXPECT_EQ(variable(eVAR_A).rows(), 0);
  expectMainLineBack("In>1 + 2_");
  typeKey(FL_Enter, "\r");
  EXPECT_NE(paneText(ePANE_OUTPUT).find("Out>1 + 2 :\n3"), std::string::npos);
}

TEST_F(EditorTest, SizeStepLoadsOrFillsTheTable) {
  const ClMatrix mDefined = matrix({{1, 2, 3}, {4, 5, 6}});
  struct {
    int iRows, iCols;
    const char* acFill_In;
    ClMatrix mExpected;
  } const aCases[] = {
      {2, 3, "", mDefined},
      {2, 3, "5", ClMatrix::Constant(2, 3, 5.0)},
      // a fill-in that is not a scalar counts as none
      {2, 3, "[1,2]", mDefined},
      {3, 2, "[1,2]", ClMatrix::Zero(3, 2)},
      {3, 3, "", ClMatrix::Zero(3, 3)},
      {1, 2, "2i", ClMatrix::Constant(1, 2, ClComplex(0, 2))},
  };
  for (const auto& c : aCases) {
    variable(eVAR_A) = mDefined;
    pick(ClORVELUI::mp_miA);
    EXPECT_EQ(ui().m_pRows->value(), 2);
    EXPECT_EQ(ui().m_pColumns->value(), 3);
    openTable(c.iRows, c.iCols, c.acFill_In);
    EXPECT_EQ(lg_eActive_Input, 1);
    EXPECT_TRUE(ui().m_pEdit_Panel->visible());
    EXPECT_FALSE(ui().m_pSize_Panel->visible());
    EXPECT_EQ(table().rows(), c.iRows);
    EXPECT_EQ(table().cols(), c.iCols);
    EXPECT_EQ(table().m_mMatrix, c.mExpected) << c.acFill_In;
    EXPECT_STREQ(ui().m_pTitle->label(), "Matrix A ");
    click(ui().m_pEdit_Cancel);
    EXPECT_EQ(variable(eVAR_A), mDefined);
  }
}

TEST_F(EditorTest, CountersStayWithinTheEntryLimit) {
  pick(ClORVELUI::mp_miA);
  ClCounter* pRows = ui().m_pRows;
  setCounters(512, 512);
  // the counter's right end steps up, its left end down
  clickAt(pRows->x() + pRows->w() - 2, pRows->y() + pRows->h() / 2);
  EXPECT_EQ(pRows->value(), 512);
  setCounters(0, 512);
  clickAt(pRows->x() + 2, pRows->y() + pRows->h() / 2);
  EXPECT_EQ(pRows->value(), 0);
  setCounters(2, 2);
  clickAt(pRows->x() + pRows->w() - 2, pRows->y() + pRows->h() / 2);
  EXPECT_EQ(pRows->value(), 3);
}

TEST_F(EditorTest, CellsTakeTypedValuesByClickEnterAndDone) {
  typeText("A+");
  openTable(2, 2);
  EXPECT_FALSE(table().m_pCell_Editor->visible());
  clickCell(0, 0);
  expectEditCell(0, 0);
  EXPECT_TRUE(table().m_pCell_Editor->visible());
  EXPECT_EQ(editorText(), "_");
  int iX = 0, iY = 0, iW = 0, iH = 0;
  table().cellRect(0, 0, iX, iY, iW, iH);
  EXPECT_EQ(table().m_pCell_Editor->x(), iX);
  EXPECT_EQ(table().m_pCell_Editor->y(), iY);

  typeText("3");
  EXPECT_EQ(editorText(), "3_");
  typeKey(FL_Enter, "\r");
  EXPECT_EQ(table().m_mMatrix(0, 0), ClComplex(3, 0));
  expectEditCell(0, 1);
  typeText("4");
  typeKey(FL_Enter, "\r");
  expectEditCell(1, 0);
  // a press on another cell commits the typed value first
  typeText("7");
  clickCell(0, 0);
  EXPECT_EQ(table().m_mMatrix(1, 0), ClComplex(7, 0));
  expectEditCell(0, 0);
  // Done commits the cell that was not entered
  typeText("9");
  click(ui().m_pDone);
  EXPECT_EQ(variable(eVAR_A), matrix({{9, 4}, {7, 0}}));
  expectMainLineBack("In>A + _");
  EXPECT_EQ(g_uiHistory_Next, 0);
}

TEST_F(EditorTest, HeaderPressEndsEditingAndCancelChangesNothing) {
  variable(eVAR_A) = matrix({{1, 2}});
  openTable(1, 2);
  clickCell(0, 1);
  typeText("8");
  typeKey(FL_Enter, "\r");
  // past the last cell no cell is edited
  expectEditCell(ClTable::gc_iNO_CELL, ClTable::gc_iNO_CELL);
  EXPECT_FALSE(table().m_pCell_Editor->visible());
  clickCell(0, 0);
  typeText("6");
  int iX = 0, iY = 0, iW = 0, iH = 0;
  table().cellRect(0, 0, iX, iY, iW, iH);
  clickAt(iX + iW / 2, iY - 5);  // the column header above
  expectEditCell(ClTable::gc_iNO_CELL, ClTable::gc_iNO_CELL);
  EXPECT_FALSE(table().m_pCell_Editor->visible());
  EXPECT_EQ(table().m_mMatrix, matrix({{6, 8}}));
  click(ui().m_pEdit_Cancel);
  EXPECT_EQ(variable(eVAR_A), matrix({{1, 2}}));
  expectMainLineBack("In>_");
}

TEST_F(EditorTest, RefusedCellLineShowsItsMessageAndStaysInEditing) {
  openTable(2, 2);
  clickCell(0, 0);
  struct {
    const char* acKeys;
    const char* acMessage;
  } const aCases[] = {
      {"[1,2]", "Entry is not a scalar number"},
      {"U", "Empty matrix"},
  };
  for (const auto& c : aCases) {
    g_Answers.m_asMessages.clear();
    typeText(c.acKeys);
    typeKey(FL_Enter, "\r");
    ASSERT_EQ(g_Answers.m_asMessages.size(), 1u) << c.acKeys;
    EXPECT_EQ(g_Answers.m_asMessages[0], c.acMessage);
    expectEditCell(0, 0);
    EXPECT_TRUE(table().m_pCell_Editor->visible());
    typeKey(FL_Escape, "\x1b");
  }
  // neither a press elsewhere nor Done drops a refused line
  typeText("U");
  clickCell(1, 1);
  expectEditCell(0, 0);
  click(ui().m_pDone);
  EXPECT_EQ(lg_eActive_Input, 1);
  EXPECT_EQ(g_Answers.m_asMessages.back(), "Empty matrix");
  typeKey(FL_Escape, "\x1b");
  typeText("5");
  click(ui().m_pDone);
  EXPECT_EQ(variable(eVAR_A), matrix({{5, 0}, {0, 0}}));
}

TEST_F(EditorTest, TabMovesOnAndShiftTabMovesBack) {
  openTable(2, 2);
  clickCell(0, 1);
  typeText("1");
  typeKey(FL_Tab, "\t");
  expectEditCell(1, 0);
  typeText("2");
  typeKey(FL_Tab, "\t", FL_SHIFT);
  expectEditCell(0, 1);
  typeText("3");
  typeKey(FL_Tab, "\t", FL_SHIFT);
  expectEditCell(0, 0);
  EXPECT_EQ(editorText(), "_");
  typeKey(FL_Tab, "\t", FL_SHIFT);
  expectEditCell(ClTable::gc_iNO_CELL, ClTable::gc_iNO_CELL);
  EXPECT_EQ(table().m_mMatrix, matrix({{0, 3}, {2, 0}}));
  EXPECT_EQ(g_Current_State.m_uiLength, 0);
}

TEST_F(EditorTest, HeadersAndEntriesFollowFormatAndZeroOut) {
  variable(eVAR_A) = ClMatrix::Constant(1, 2, 0.5);
  variable(eVAR_A)(0, 1) = ClComplex(0, 1);
  openTable(1, 2);
  EXPECT_STREQ(table().text(Fl_Table::CONTEXT_ROW_HEADER, 0, 0), "Row 1");
  EXPECT_STREQ(table().text(Fl_Table::CONTEXT_COL_HEADER, 0, 1), "Col 2");
  struct {
    Fl_Menu_Item* pFormat;
    const char* acHalf;
  } const aFormats[] = {
      {ClORVELUI::mp_miDecimal, "0.5"},
      {ClORVELUI::mp_miFloating_Point, "5.000000000E-01"},
      {ClORVELUI::mp_miRational, "1/2"},
  };
  for (const auto& f : aFormats) {
    pick(f.pFormat);
    EXPECT_EQ(cellText(0, 0), f.acHalf);
  }
  // an entry reads as the output pane shows that number as a result, with
  // Zero Out on or off
  pick(ClORVELUI::mp_miDecimal);
  clickCell(0, 0);
  ui().m_pDone->hide();
  for (bool bZero_Out : {false, true}) {
    pick(ClORVELUI::mp_miZero_Out);  // picking a toggle item switches it
    EXPECT_EQ(g_bZero_Out, bZero_Out);
    EXPECT_TRUE(ui().m_pDone->visible());
    EXPECT_EQ(cellText(0, 1), "0 + 1i");
  }
}

TEST_F(EditorTest, MenuItemsInactiveWhileEditing) {
  Fl_Menu_Item* const apItems[] = {ClORVELUI::mp_miTwo_Windows,   ClORVELUI::mp_miOne_Window,
                                   ClORVELUI::mp_miPortrait_Mode, ClORVELUI::mp_smFile,
                                   ClORVELUI::mp_smEdit,          ClORVELUI::mp_miGraph,
                                   ClORVELUI::mp_miExecute};
  pick(ClORVELUI::mp_miA);
  for (Fl_Menu_Item* pItem : apItems) EXPECT_FALSE(pItem->active()) << pItem->label();
  click(ui().m_pSize_Cancel);
  for (Fl_Menu_Item* pItem : apItems) EXPECT_TRUE(pItem->active()) << pItem->label();
  openTable(1, 1);
  for (Fl_Menu_Item* pItem : apItems) EXPECT_FALSE(pItem->active()) << pItem->label();
  // the inactive Edit menu keeps its shortcuts from restarting the editor
  typeKey('b', "\x02", FL_CTRL | FL_ALT);
  EXPECT_EQ(lg_eActive_Input, 1);
  click(ui().m_pDone);
  for (Fl_Menu_Item* pItem : apItems) EXPECT_TRUE(pItem->active()) << pItem->label();
  // the graph's own items only while the graph is open
  for (Fl_Menu_Item* pItem :
       {ClORVELUI::mp_miScales, ClORVELUI::mp_miCorners, ClORVELUI::mp_miText})
    EXPECT_FALSE(pItem->active()) << pItem->label();
}

TEST_F(EditorTest, WorksInAllThreeWindowModes) {
  struct {
    Fl_Menu_Item* pMode;
    int iInput_Width;
    int iTable_X, iTable_Y, iTable_W, iTable_H;
  } const aModes[] = {
      {ClORVELUI::mp_miOne_Window, 605, 5, 30, 607, 178},
      {ClORVELUI::mp_miPortrait_Mode, 365, 5, 60, 365, 185},
      {ClORVELUI::mp_miTwo_Windows, 300, 5, 30, 607, 178},
  };
  for (const auto& m : aModes) {
    pick(m.pMode);
    typeText("2*");
    pick(ClORVELUI::mp_miA);
    EXPECT_FALSE(ui().m_pInput->visible());
    openTable(1, 2);
    const ClTable& t = table();
    EXPECT_EQ(t.x(), m.iTable_X);
    EXPECT_EQ(t.y(), m.iTable_Y);
    EXPECT_EQ(t.w(), m.iTable_W);
    EXPECT_EQ(t.h(), m.iTable_H);
    clickCell(0, 1);
    typeText("4");
    click(ui().m_pDone);
    EXPECT_EQ(variable(eVAR_A), matrix({{0, 4}})) << m.pMode->label();
    expectMainLineBack("In>2 * _");
    EXPECT_EQ(ui().m_pInput->w(), m.iInput_Width);
    typeText("A");
    typeKey(FL_Enter, "\r");
    EXPECT_NE(paneText(ePANE_OUTPUT).find("Out>2 * A :\n0, 8"), std::string::npos);
    // the note text survives the rebuilds
    EXPECT_EQ(ui().m_pNote->buffer()->byte_at(0), 'N');
  }
}

// The cells are formatted into the table's own text, so drawing them leaves
// the result text of the main line alone.
TEST_F(EditorTest, DrawingTheTableLeavesTheOutputStoreAlone) {
  openTable(2, 3, "7");
  std::strcpy(g_acOutput_Line, "kept");
  table().redraw();
  Fl::flush();
  EXPECT_STREQ(g_acOutput_Line, "kept");
  EXPECT_EQ(cellText(1, 2), "7");
  EXPECT_STREQ(g_acOutput_Line, "kept");
}

}  // namespace
