// SPDX-License-Identifier: GPL-3.0-or-later
// Enter in a matrix editor cell and in the fill-in value, through the
// in-memory seam's table: the value stored, the move to the next or previous
// cell, the message boxes, and "Execute" off.
#include <string>

#include "tests/support/command_driver.h"

namespace {

constexpr int gc_iNO_CELL = ClCells::gc_iNO_CELL;

class CellTest : public ClCommandTest {
 protected:
  void SetUp() override {
    ClCommandTest::SetUp();
    m_Seam.table().m_mEntries = ClMatrix::Zero(2, 3);
    lg_eActive_Input = 1;
  }
  void TearDown() override {
    lg_eActive_Input = 0;
    ClCommandTest::TearDown();
  }
  ClHeadlessCells& cells() { return m_Seam.table(); }
  void expectCell(int iRow, int iColumn) {
    EXPECT_EQ(cells().editRow(), iRow);
    EXPECT_EQ(cells().editColumn(), iColumn);
  }
  // Types the keys of a cell line and presses Enter (or moves by eStep).
  void enterCell(const std::string& sKeys, eSTEP eStep = eSTEP_NEXT) {
    typeKeys(sKeys);
    enterLine(eStep);
  }
};

TEST_F(CellTest, EnterStoresTheValueAndMovesAlongTheRowThenToTheNextRow) {
  cells().startEditing(0, 1);
  enterCell("3");
  EXPECT_EQ(cells().m_mEntries(0, 1), ClComplex(3, 0));
  expectCell(0, 2);
  enterCell("2i");
  EXPECT_EQ(cells().m_mEntries(0, 2), ClComplex(0, 2));
  expectCell(1, 0);
  EXPECT_EQ(m_Seam.editor().text(), "_");
  // past the last cell no cell is edited
  cells().startEditing(1, 2);
  enterCell("1/4");
  EXPECT_EQ(cells().m_mEntries(1, 2), ClComplex(0.25, 0));
  expectCell(gc_iNO_CELL, gc_iNO_CELL);
  // nothing reached the history or the panes
  EXPECT_EQ(g_uiHistory_Next, 0);
  EXPECT_EQ(output(), "");
  EXPECT_TRUE(m_Seam.messages().empty());
}

TEST_F(CellTest, EmptyLineMovesOnAndKeepsTheEntry) {
  cells().m_mEntries(0, 0) = 7.0;
  cells().startEditing(0, 0);
  enterCell("");
  EXPECT_EQ(cells().m_mEntries(0, 0), ClComplex(7, 0));
  expectCell(0, 1);
}

TEST_F(CellTest, ShiftTabMovesToThePreviousCell) {
  struct {
    int iRow, iColumn, iNext_Row, iNext_Column;
  } const aCases[] = {
      {1, 2, 1, 1},
      {1, 0, 0, 2},                      // the last column of the previous row
      {0, 0, gc_iNO_CELL, gc_iNO_CELL},  // nothing before the first cell
  };
  for (const auto& c : aCases) {
    cells().startEditing(c.iRow, c.iColumn);
    enterCell("5", eSTEP_PREVIOUS);
    EXPECT_EQ(cells().m_mEntries(c.iRow, c.iColumn), ClComplex(5, 0));
    expectCell(c.iNext_Row, c.iNext_Column);
  }
}

TEST_F(CellTest, RefusedLinesShowTheirMessageAndKeepTheCell) {
  struct {
    const char* acLine;
    const char* acMessage;
    const char* acLeft;  // the cell's line afterwards
  } const aCases[] = {
      {"[1,2]", "Entry is not a scalar number", ""},
      {"U", "Empty matrix", "U"},
      {"1/0*[1,2", "Invalid numbers", "1/0*[1,2]"},
  };
  for (const auto& c : aCases) {
    cells().startEditing(1, 1);
    const size_t uiBefore = m_Seam.messages().size();
    setCurrentLine(c.acLine, static_cast<uint16_t>(std::string(c.acLine).size()));
    enterLine();
    ASSERT_EQ(m_Seam.messages().size(), uiBefore + 1) << c.acLine;
    EXPECT_EQ(m_Seam.messages().back(), c.acMessage);
    expectCell(1, 1);
    EXPECT_EQ(cells().m_mEntries(1, 1), ClComplex(0, 0));
    EXPECT_EQ(currentLine(), c.acLeft);
    EXPECT_EQ(g_uiError_Number, 0);
  }
}

TEST_F(CellTest, ExecuteOffStillEvaluatesEditorLines) {
  lg_eActive_Input = 0;
  enter("4+5");  // a result that must not be taken for the cell's
  m_Seam.setOn(eSWITCH_EXECUTE, false);
  lg_eActive_Input = 1;
  cells().startEditing(0, 0);
  enterCell("2*3");
  EXPECT_EQ(cells().m_mEntries(0, 0), ClComplex(6, 0));
  lg_eActive_Input = 2;
  ClCallback::cleanUp(false);
  enterCell("7-1");
  std::complex<double> cFill_In;
  ASSERT_TRUE(editorScalar(cFill_In));
  EXPECT_EQ(cFill_In, ClComplex(6, 0));
  // the fill-in display keeps its text
  EXPECT_EQ(m_Seam.editor().text(), "7 - 1");
}

}  // namespace
