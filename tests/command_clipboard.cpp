// SPDX-License-Identifier: GPL-3.0-or-later
// Paste and copy through the in-memory seam's clipboard: Edit > Paste into
// the line at the cursor (all or nothing, with the typing checks), into the
// matrix editor's table, Copy Result As, the table's copy, and the round trip
// of results through every form.
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "command/clipboard.h"
#include "engine/display.h"
#include "tests/support/command_driver.h"

namespace {

class ClipboardTest : public ClCommandTest {
 protected:
  // Edit > Paste with sText on the clipboard; the message boxes it showed.
  std::vector<std::string> paste(const std::string& sText) {
    const size_t uiBefore = m_Seam.messages().size();
    m_Seam.copyText(sText);
    ClCallback::paste_cb(nullptr, nullptr);
    return {m_Seam.messages().begin() + static_cast<long>(uiBefore), m_Seam.messages().end()};
  }
  // Edit > Copy Result As in a form; the clipboard's text.
  std::string copy(eTEXT_FORM eForm) {
    int32_t iForm = eForm;
    ClCallback::copyResult_cb(nullptr, &iForm);
    return m_Seam.clipboard();
  }
  static void moveLeft(int iTimes) {
    for (int k = 0; k < iTimes; ++k) press(eLEFT);
  }
};

TEST_F(ClipboardTest, PastesAtTheCursorInTheMiddleOfTheLine) {
  struct {
    const char* acKeys;
    int iLeft;  // cursor moves before the paste
    const char* acText;
    const char* acLine;
    const char* acShown;
  } const aCases[] = {
      // a matrix, in the calculator's own output rows
      {"I)", 1, "1, 2 ;\n3, 4", "I([1,2;3,4])", "\nIn>Inv ([1, 2; 3, 4]_)"},
      // a number alone
      {"2*()", 1, "-2/3\n", "2*(-2/3)", "\nIn>2 * ( - 2 / 3_)"},
      // key characters, the line end dropped
      {"A+B", 2, "*2\r\n", "A*2+B", "\nIn>A * 2_ + B"},
  };
  for (const auto& c : aCases) {
    SetUp();
    typeKeys(c.acKeys);
    moveLeft(c.iLeft);
    EXPECT_EQ(paste(c.acText), std::vector<std::string>()) << c.acText;
    EXPECT_EQ(currentLine(), c.acLine) << c.acText;
    EXPECT_EQ(input(), c.acShown) << c.acText;
  }
}

TEST_F(ClipboardTest, KeyTextIsTypedThroughTheKeysChecksAndSettings) {
  struct {
    const char* acText;
    bool bAuto_Parens, bError_Check;
    const char* acLine;  // empty: refused
  } const aCases[] = {
      {"s1+2", true, true, "s(1+2"},
      {"s1+2", false, true, "s1+2"},
      {"A*B\n", true, true, "A*B"},
      // the operator check follows "Error Check"; the number-key rules do not
      {"*2", true, true, ""},
      {"*2", true, false, "*2"},
      {"1..2", true, false, ""},
      {"A2", true, false, ""},
  };
  for (const auto& c : aCases) {
    SetUp();
    m_Seam.setOn(eSWITCH_AUTO_PARENS, c.bAuto_Parens);
    m_Seam.setOn(eSWITCH_ERROR_CHECK, c.bError_Check);
    EXPECT_EQ(paste(c.acText).size(), *c.acLine == '\0' ? 1u : 0u) << c.acText;
    EXPECT_EQ(currentLine(), c.acLine) << c.acText;
  }
}

TEST_F(ClipboardTest, RefusedTextLeavesTheLineAsItWasAndSaysWhy) {
  struct {
    const char* acKeys;
    const char* acText;
    const char* acMessage;
  } const aCases[] = {
      {"3", "1 2", "Pasted text refused: \"[\" cannot follow \"3\" (key 1 of 5 in \"[1,2]\")."},
      {"", "*2", "Pasted text refused: \"*\" cannot start the line (key 1 of 2 in \"*2\")."},
      {"1+", "2**3", "Pasted text refused: \"*\" cannot follow \"*\" (key 3 of 4 in \"2**3\")."},
      {"A", "=2-I*", "Pasted text refused: \"*\" cannot follow \"(\" (key 5 of 5 in \"=2-I*\")."},
      {"", "1+2+3+4+5+6+7+8+9+10+11+12+13+14+15+16A",
       "Pasted text refused: \"A\" cannot follow \"6\" (key 39 of 39 in "
       "\"1+2+3+4+5+6+7+8+9+10+11+12+13+...\")."},
      // blanks are no keys: prose is refused, not typed
      {"", "hello world",
       "Clipboard text is not a matrix: row 1, column 1 is not a number (\"hello\")."},
      {"A", "", "Clipboard text is empty."},
      {"A", "1 2\n3", "Clipboard text is not a matrix: row 2 has 1 entry, row 1 has 2."},
  };
  for (const auto& c : aCases) {
    SetUp();
    typeKeys(c.acKeys);
    const std::string sShown = input();
    EXPECT_EQ(paste(c.acText), std::vector<std::string>{c.acMessage});
    EXPECT_EQ(currentLine(), c.acKeys) << c.acText;
    EXPECT_EQ(input(), sShown) << c.acText;
  }
  // the refused `=` above is forgotten: the key is taken
  press(eASSIGN);
  EXPECT_EQ(currentLine(), "A=");
}

TEST_F(ClipboardTest, TextThatDoesNotFitTheLineIsRefused) {
  struct {
    int iLength;  // odd: the line before, "1+1+...1"
    const char* acText;
    bool bAuto_Parens;
    const char* acTyped;    // what the line gains
    const char* acMessage;  // empty: typed
  } const aCases[] = {
      {479, "+2+3", true, "+2+3", ""},
      {507, "+2+3", true, "", "Pasted text needs 4 characters; the line has room for 3."},
      {505, "+s1", true, "+s(1", ""},
      {507, "+s1", true, "", "Pasted text needs 4 characters; the line has room for 3."},
      {507, "+s1", false, "+s1", ""},
      {509, "*2", true, "", "Pasted text needs 2 characters; the line has room for 1."},
  };
  for (const auto& c : aCases) {
    SetUp();
    m_Seam.setOn(eSWITCH_AUTO_PARENS, c.bAuto_Parens);
    std::string sLine;
    while (sLine.size() < static_cast<size_t>(c.iLength)) sLine += sLine.empty() ? "1" : "+1";
    setCurrentLine(sLine.data(), static_cast<uint16_t>(sLine.size()));
    const std::vector<std::string> asMessages = paste(c.acText);
    EXPECT_EQ(currentLine(), sLine + c.acTyped) << c.iLength << c.acText;
    if (*c.acMessage == '\0') {
      EXPECT_EQ(asMessages, std::vector<std::string>()) << c.iLength << c.acText;
    } else {
      EXPECT_EQ(asMessages, std::vector<std::string>{c.acMessage}) << c.iLength << c.acText;
    }
  }
  SetUp();
  std::string sLong;
  while (sLong.size() < 600) sLong += "A+";
  EXPECT_EQ(paste(sLong), std::vector<std::string>{
                              "Pasted text needs 600 characters; the line has room for 510."});
  EXPECT_EQ(currentLine(), "");
}

TEST_F(ClipboardTest, CopyResultAsPutsTheLastResultInItsFormOnTheClipboard) {
  EXPECT_EQ(copy(eFORM_TEXT), "");
  EXPECT_EQ(m_Seam.messages(),
            std::vector<std::string>{"No result to copy yet: Copy Result As copies the last result "
                                     "(Ans)."});
  enter("[1,2;3,4]");
  // the output pane's result text, as the line printed it
  EXPECT_EQ(copy(eFORM_TEXT), "1, 2 ;\n3, 4");
  EXPECT_EQ(ending(output(), "1, 2 ;\n3, 4"), "1, 2 ;\n3, 4");
  EXPECT_EQ(copy(eFORM_OCTAVE), "[1, 2; 3, 4]");
  // a number alone in LaTeX, then 17 digits with Full Precision
  g_eView_State = eRATIONAL;
  enter("D[1,2;3,4]/3");
  EXPECT_EQ(copy(eFORM_LATEX), "-\\frac{2}{3}");
  m_Seam.setOn(eSWITCH_FULL_PRECISION, true);
  EXPECT_EQ(copy(eFORM_TEXT), "-0.66666666666666663");
  EXPECT_EQ(m_Seam.messages().size(), 1u);
}

class TablePasteTest : public ClipboardTest {
 protected:
  void SetUp() override {
    ClipboardTest::SetUp();
    cells().m_mEntries = ClMatrix::Zero(3, 3);
    lg_eActive_Input = eEDITOR_CELL;
  }
  void TearDown() override {
    lg_eActive_Input = eMAIN_LINE;
    ClipboardTest::TearDown();
  }
  ClHeadlessCells& cells() { return m_Seam.table(); }
  void expectCell(int iRow, int iColumn) {
    EXPECT_EQ(cells().editRow(), iRow);
    EXPECT_EQ(cells().editColumn(), iColumn);
  }
};

TEST_F(TablePasteTest, ABlockFillsCellsFromTheEditedCellOrTheFirst) {
  paste("1\t-2/3\n0.1\t3+4i\n");
  ClMatrix mExpected = ClMatrix::Zero(3, 3);
  mExpected.topLeftCorner(2, 2) << 1.0, -2.0 / 3, 0.1, ClComplex(3, 4);
  EXPECT_EQ(cells().m_mEntries, mExpected);
  expectCell(ClCells::gc_iNO_CELL, ClCells::gc_iNO_CELL);

  // an edited cell's typed line gives way: it starts again, empty
  cells().startEditing(1, 1);
  typeKeys("7");
  EXPECT_EQ(paste("5 6\n7 8"), std::vector<std::string>());
  mExpected.bottomRightCorner(2, 2) << 5.0, 6.0, 7.0, 8.0;
  EXPECT_EQ(cells().m_mEntries, mExpected);
  expectCell(1, 1);
  EXPECT_EQ(currentLine(), "");
  EXPECT_EQ(m_Seam.editor().text(), "_");
}

TEST_F(TablePasteTest, ABlockThatDoesNotFitChangesNothing) {
  struct {
    int iRow, iColumn;
    const char* acText;
    const char* acMessage;
  } const aCases[] = {
      {ClCells::gc_iNO_CELL, 0, "1 2 3 4",
       "The pasted block of 1 x 4 does not fit: from Row 1, Col 1 the table has 3 x 3 cells."},
      {1, 0, "1 2 3\n4 5 6\n7 8 9",
       "The pasted block of 3 x 3 does not fit: from Row 2, Col 1 the table has 2 x 3 cells."},
      {2, 2, "1 2",
       "The pasted block of 1 x 2 does not fit: from Row 3, Col 3 the table has 1 x 1 cells."},
  };
  for (const auto& c : aCases) {
    if (c.iRow == ClCells::gc_iNO_CELL) {
      cells().stopEditing();
    } else {
      cells().startEditing(c.iRow, c.iColumn);
      typeKeys("4");
    }
    EXPECT_EQ(paste(c.acText), std::vector<std::string>{c.acMessage});
    EXPECT_EQ(cells().m_mEntries, ClMatrix::Zero(3, 3));
    EXPECT_EQ(currentLine(), c.iRow == ClCells::gc_iNO_CELL ? "" : "4");
  }
}

TEST_F(TablePasteTest, KeyTextGoesIntoTheEditedCellsLineOnly) {
  EXPECT_EQ(paste("A+1").size(), 1u);
  EXPECT_EQ(currentLine(), "");
  cells().startEditing(0, 2);
  EXPECT_EQ(paste("A+1"), std::vector<std::string>());
  EXPECT_EQ(currentLine(), "A+1");
  EXPECT_EQ(cells().m_mEntries, ClMatrix::Zero(3, 3));
}

TEST_F(TablePasteTest, TableTextIsTabSeparatedAndFullPrecisionPastesBackExactly) {
  ClMatrix mEntries(2, 2);
  mEntries << 1.0, 0.5, 1.0 / 3, ClComplex(-1e-20, 2);
  cells().m_mEntries = ClMatrix::Zero(3, 3);
  cells().m_mEntries.topLeftCorner(2, 2) = mEntries;
  cells().m_mEntries.conservativeResize(2, 2);
  EXPECT_EQ(tableText(false), "1\t0.5\n0.333333\t-1E-20 + 2i\n");
  const std::string sFull = tableText(true);
  EXPECT_EQ(sFull, "1\t0.5\n0.33333333333333331\t-9.9999999999999995E-21 + 2i\n");
  cells().m_mEntries = ClMatrix::Zero(2, 2);
  paste(sFull);
  EXPECT_EQ(cells().m_mEntries, mEntries);
}

// Results in every output format, copied in every form and pasted back into
// the line: with Full Precision the same matrix, bit for bit; without it a
// matrix the output pane shows as it showed the result. Rational results are
// fractions: a shown fraction of any other number is only within 2^-30 of it,
// and read back it may show as a simpler one.
TEST_F(ClipboardTest, ResultsTravelThroughEveryFormAndBack) {
  std::mt19937_64 generator(19);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-4, 4);
  std::uniform_int_distribution<int> numerator(-99999, 99999), denominator(1, 999);
  const auto random = [&] {
    if (g_eView_State == eRATIONAL) return numerator(generator) / double(denominator(generator));
    return mantissa(generator) * std::pow(10.0, exponent(generator));
  };
  const auto shown = [](const ClMatrix& mM) {
    static char acText[8192];
    writeMatrix(mM, currentDisplayOptions(), acText, sizeof acText);
    return std::string(acText);
  };
  for (const int32_t eFormat : {eDECIMAL, eFLOATING_POINT, eRATIONAL}) {
    g_eView_State = eFormat;
    for (const bool bComplex : {false, true}) {
      // a 1 x 1 result is copied as its number alone
      for (const auto& [iRows, iColumns] : {std::pair{1, 1}, {2, 2}, {2, 3}}) {
        ClMatrix& mA = ClCalculator::mp_mVariable[eVAR_A];
        mA.resize(iRows, iColumns);
        for (ClComplex& cZ : mA.reshaped()) cZ = {random(), bComplex ? random() : 0.0};
        enter("A");
        const ClMatrix mResult = ClCalculator::mp_mLast_Output;
        ASSERT_EQ(mResult, mA);
        for (int iForm = 0; iForm < gc_iRESULT_FORMS; ++iForm) {
          for (const bool bFull : {true, false}) {
            SCOPED_TRACE(std::string(gc_aacRESULT_FORM_LABEL[iForm]) + (bFull ? " full " : " ") +
                         std::to_string(eFormat) + (bComplex ? " complex" : " real"));
            m_Seam.setOn(eSWITCH_FULL_PRECISION, bFull);
            const std::string sText = copy(eTEXT_FORM(iForm));
            ASSERT_EQ(paste(sText), std::vector<std::string>()) << sText;
            press(eENTER);
            const ClMatrix& mBack = ClCalculator::mp_mLast_Output;
            if (bFull) {
              ASSERT_EQ(mBack.size(), mResult.size()) << sText;
              EXPECT_EQ(std::memcmp(mBack.data(), mResult.data(),
                                    sizeof(ClComplex) * static_cast<size_t>(mResult.size())),
                        0)
                  << sText;
            } else {
              EXPECT_EQ(shown(mBack), shown(mResult)) << sText;
            }
            // Ans is the original again for the next form
            enter("A");
          }
        }
      }
    }
  }
}

}  // namespace
