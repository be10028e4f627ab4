// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix reader: every form of pasted text with the token line it
// becomes, the refusals with their messages, entry values equal to the
// calculator's own for the same tokens, and a spreadsheet-sized paste.
#include <cstdint>
#include <cstring>
#include <string>

#include "command/matrix_reader.h"
#include "tests/support/command_driver.h"

namespace {

struct ClReadCase {
  const char* acText;
  const char* acTokens;  // the matrix as a token line: its shape and entries
};

const ClReadCase gc_aREAD_CASES[] = {
    // spreadsheet rows: tabs, a trailing tab, CRLF, blanks inside a cell
    {"1\t2\n3\t4", "[1,2;3,4]"},
    {"1\t-2/3\t\r\n3 + 4i\t1.5E-3\t\r\n", "[1,-2/3;3+4i,1.5E-3]"},
    // CSV and semicolons, CR line ends, blank lines, a trailing separator
    {"1,2,3\r\n4,5,6\r\n", "[1,2,3;4,5,6]"},
    {"1;2\r3;4", "[1,2;3,4]"},
    {"\n\n 1 2 \n\n\n3 4\n\n", "[1,2;3,4]"},
    {"1, 2,\n3, 4,", "[1,2;3,4]"},
    // the calculator's own output, with and without its echo line
    {"1, -2/3 ;\n3 + 4i, 1.5E-03", "[1,-2/3;3+4i,1.5E-3]"},
    {"Out>[1, -2/3; 3 + 4i, 1.5E-3] :\n1, -2/3 ;\n3 + 4i, 0.0015\n", "[1,-2/3;3+4i,0.0015]"},
    {"Out>[1; 2] :\n1 ;\n2", "[1;2]"},
    {" 1.000000000E+00, -2.500000000E-01 ;\n-i, 1/2 - 3/4i",
     "[1.000000000E0,-2.500000000E-1;-i,1/2-3/4i]"},
    {"Out>2", "2"},
    // Octave's display
    {"A =\n\n   1   2\n   3   4\n\n", "[1,2;3,4]"},
    {"   1 + 2i   3 - 4i\n", "[1+2i,3-4i]"},
    // blanks: a sign with a blank after it joins, a sign stuck to a number
    // starts an entry
    {"1 -2 3 - 4i 5+ 6i -7", "[1,-2,3-4i,5+6i,-7]"},
    {"- 2 +3", "[-2,3]"},
    // number forms
    {"1.5e-3 -1.5E+03 2.50e+0 5. .5 1.e5 -0.5e-007 007",
     "[1.5E-3,-1.5E3,2.50E0,5,.5,1E5,-0.5E-7,007]"},
    {"-2/3, 1/2+3/4i, 4i+3, 3/4i, 1E-2/4E3i", "[-2/3,1/2+3/4i,4i+3,3/4i,1E-2/4E3i]"},
    {"3+4i, 3+4j, 3 + 4*I, 3-4J, 4 * i", "[3+4i,3+4i,3+4i,3-4i,4i]"},
    {"i, -i, +j, 1i, -1j, 1.0I, 0i, 2i", "[i,-i,i,i,-i,i,0i,2i]"},
    {"(3+4j), (-0-1j), 1/2*1j, -1/2*1.j, 1.5-2.5e-3j", "[3+4i,-0-i,1/2i,-1/2i,1.5-2.5E-3i]"},
    {"1E-400, -1E-300/1E300i, -2i, -2/3i, 1-0i", "[1E-400,-1E-300/1E300i,-2i,-2/3i,1-0i]"},
    // Unicode minus and en dash, no-break and thin spaces, times and dots
    {"\xE2\x88\x92"
     "2\xC2\xA0\xE2\x80\x93"
     "3\xE2\x80\x89"
     "4\xE2\x80\xAF"
     "5",
     "[-2,-3,4,5]"},
    {"4\xC3\x97i, 3\xE2\x8B\x85I, 2\xC2\xB7j, 1 \xE2\x88\x92 i", "[4i,3i,2i,1-i]"},
    {"\xEF\xBB\xBF"
     "7",
     "7"},
    // Markdown, with and without its header
    {"| Col 1 | Col 2 |\n|---:|---:|\n| 1 | 3 + 4i |\n| -2/3 | 1.5E-3 |", "[1,3+4i;-2/3,1.5E-3]"},
    {"|   | a |\n| :-- | --- |\n| 1 | 2 |", "[1,2]"},
    {"| 1 | 2 |\n| 3 | 4 |\n", "[1,2;3,4]"},
    {"a | b\n--|--\n1 | 2\n3 | 4", "[1,2;3,4]"},
    // Octave and other brackets
    {"[1 2; 3 4]", "[1,2;3,4]"},
    {"[1,2;3,4]", "[1,2;3,4]"},
    {"[1, 2\n 3, 4]", "[1,2;3,4]"},
    {"[1 -2i 3 + 4i;\n]", "[1,-2i,3+4i]"},
    {"A = [1 2; 3 4];", "[1,2;3,4]"},
    {"{{1,2},{3,4}}", "[1,2;3,4]"},
    {"{{1, 3 + 4 I}}", "[1,3+4i]"},
    {"matrix([1,2],[3,4])", "[1,2;3,4]"},
    {"[1, 2, 3]", "[1,2,3]"},
    {"[1]\n[2]", "[1;2]"},
    // NumPy and Python
    {"[[1, 2], [3, 4]]", "[1,2;3,4]"},
    {"[[1 2]\n [3 4]]", "[1,2;3,4]"},
    {"[[ 1.  -2.5]\n [ 3.   4. ]]", "[1,-2.5;3,4]"},
    {"[[1 2 3\n  4 5 6]]", "[1,2,3,4,5,6]"},
    {"np.array([[1, 2], [3, 4]])", "[1,2;3,4]"},
    {"numpy.array([[1.5, -2]], dtype=float64)", "[1.5,-2]"},
    {"array([[1.+2.j, 3.-4.j],\n       [0.-1.j, 2.+0.j]])", "[1+2i,3-4i;0-i,2+0i]"},
    {"array([1, 2, 3,\n       4])", "[1,2,3,4]"},
    {"x = np.matrix([[1, 2], [3, 4]], dtype=int32)", "[1,2;3,4]"},
    {"Matrix([[1, 2], [3, 4]])", "[1,2;3,4]"},
    {"[(1+2j), (3-4j), 1/2*1j]", "[1+2i,3-4i,1/2i]"},
    {"[[1, 2],\n [3, 4],]", "[1,2;3,4]"},
    // LaTeX
    {"\\begin{pmatrix}\n1 & -\\frac{2}{3} \\\\\n3 + 4i & 1.5 \\times 10^{-3}\n\\end{pmatrix}",
     "[1,-2/3;3+4i,1.5E-3]"},
    {"$$\\begin{bmatrix} \\dfrac{-1}{2} & 2\\cdot 10^{5} \\\\ \\tfrac12 & \\mathrm{i} "
     "\\end{bmatrix}$$",
     "[-1/2,2E5;1/2,i]"},
    {"\\[ \\left( \\begin{array}{cc|c} 1 & 2 & 3 \\\\ \\hline 4 & 5 & 6 \\\\ \\hline "
     "\\end{array} \\right) \\]",
     "[1,2,3;4,5,6]"},
    {"A^{-1} = \\begin{vmatrix} 1 & 2 \\\\[2pt] 3 & 4 \\end{vmatrix}.", "[1,2;3,4]"},
    // a number copied as a 1 x 1 result is, and an environment's body alone
    {"-\\frac{2}{3}", "-2/3"},
    {"$1.5 \\times 10^{-3}$", "1.5E-3"},
    {"1 & -\\frac{1}{2} \\\\\n3 & 4", "[1,-1/2;3,4]"},
    // the Steps window's LaTeX, a pivot boxed
    {"\\left(\\begin{array}{cc|c}\n\\boxed{1} & -\\frac{1}{2} & 3 \\\\\n0 & 1 & 1.5 \\times "
     "10^{-3}\\,i\n\\end{array}\\right)",
     "[1,-1/2,3;0,1,1.5E-3i]"},
    {"\\begin{Vmatrix}1\\\\2\\end{Vmatrix}", "[1;2]"},
    {"\\begin{Bmatrix} 1 & 2 \\end{Bmatrix}", "[1,2]"},
    {"\\begin{bmatrix*}[r] -1 & 2 \\\\* 3 & -4 \\end{bmatrix*}", "[-1,2;3,-4]"},
    {"$\\begin{smallmatrix} -1 & 0 \\end{smallmatrix}$", "[-1,0]"},
    {"\\begin{matrix} 1.5 \\times 10^{-3}\\,i & -\\frac{1}{2} - \\frac{3}{4}i & "
     "\\mathrm{j} \\\\ 7\\times10^3 & \\frac{1}{2}i & {-}\\!2 \\end{matrix}",
     "[1.5E-3i,-1/2-3/4i,i;7E3,1/2i,-2]"},
    {"\\begin{equation}\n\\begin{array}[t]{@{}rr} 1 & \\phantom{-}2 \\end{array}\n"
     "\\end{equation}",
     "[1,2]"},
};

struct ClRefusalCase {
  std::string sText;
  const char* acWhy;
};

// iRows rows of iColumns copies of sEntry, tab-separated.
std::string tableOf(int iRows, int iColumns, const std::string& sEntry) {
  std::string sText;
  for (int r = 0; r < iRows; ++r) {
    for (int c = 0; c < iColumns; ++c) sText += (c > 0 ? "\t" : "") + sEntry;
    sText += "\n";
  }
  return sText;
}

const ClRefusalCase gc_aREFUSAL_CASES[] = {
    {"", "Clipboard text is empty."},
    {" \r\n\t\n ", "Clipboard text is empty."},
    {"[]", "Clipboard text is not a matrix: it has no entries."},
    {"| Col 1 |\n|---|", "Clipboard text is not a matrix: it has no entries."},
    {"1 2\n3 4 5", "Clipboard text is not a matrix: row 2 has 3 entries, row 1 has 2."},
    {"1\n2, 3", "Clipboard text is not a matrix: row 2 has 2 entries, row 1 has 1."},
    {"[[1, 2], [3]]", "Clipboard text is not a matrix: row 2 has 1 entry, row 1 has 2."},
    {"1, abc", "Clipboard text is not a matrix: row 1, column 2 is not a number (\"abc\")."},
    {"1, this cell holds a sentence",
     "Clipboard text is not a matrix: row 1, column 2 is not a number (\"this cell holds a "
     "se...\")."},
    {"1 + 2", "Clipboard text is not a matrix: row 1, column 1 is not a number (\"1 + 2\")."},
    {"3+4i+5", "Clipboard text is not a matrix: row 1, column 1 is not a number (\"3+4i+5\")."},
    {"2i+3i", "Clipboard text is not a matrix: row 1, column 1 is not a number (\"2i+3i\")."},
    {"1/2*3j", "Clipboard text is not a matrix: row 1, column 1 is not a number (\"1/2*3j\")."},
    {"(1+2j", "Clipboard text is not a matrix: row 1, column 1 is not a number (\"(1+2j\")."},
    {"1 2\n3 1e", "Clipboard text is not a matrix: row 2, column 2 is not a number (\"1e\")."},
    {"\\begin{pmatrix} 2 \\cdot 3 \\end{pmatrix}",
     "Clipboard text is not a matrix: row 1, column 1 is not a number (\"2 \\cdot 3\")."},
    {"\\begin{pmatrix} \\frac{1}{2} \\times 10^{3} \\end{pmatrix}",
     "Clipboard text is not a matrix: row 1, column 1 is not a number (\"\\frac{1}{2} \\times "
     "1...\")."},
    {"\\begin{pmatrix} \\frac{1}{2+3i} \\end{pmatrix}",
     "Clipboard text is not a matrix: row 1, column 1 is not a number (\"\\frac{1}{2+3i}\")."},
    {"1 inf", "Clipboard text is not a matrix: row 1, column 2 is not finite (\"inf\")."},
    {"[1, -np.inf]",
     "Clipboard text is not a matrix: row 1, column 2 is not finite (\"-np.inf\")."},
    {"NaN", "Clipboard text is not a matrix: row 1, column 1 is not finite (\"NaN\")."},
    {"1\t1E999", "Clipboard text is not a matrix: row 1, column 2 is not finite (\"1E999\")."},
    {"1/0", "Clipboard text is not a matrix: row 1, column 1 is not finite (\"1/0\")."},
    {"1E300/1E-300i",
     "Clipboard text is not a matrix: row 1, column 1 is not finite (\"1E300/1E-300i\")."},
    {"\\begin{pmatrix} 1 & -\\infty \\end{pmatrix}",
     "Clipboard text is not a matrix: row 1, column 2 is not finite (\"-\\infty\")."},
    {"\xE2\x88\x9E", "Clipboard text is not a matrix: row 1, column 1 is not finite (\"inf\")."},
    {"1\t\t2", "Clipboard text is not a matrix: row 1, column 2 is empty."},
    {"\t1\t2", "Clipboard text is not a matrix: row 1, column 1 is empty."},
    {"1, 2\n3,,4", "Clipboard text is not a matrix: row 2, column 2 is empty."},
    {"1,5;2,5", "Clipboard text is not a matrix: row 1, column 1 is not a number (\"1,5\")."},
    {"| 1 |  |", "Clipboard text is not a matrix: row 1, column 2 is empty."},
    {"\\begin{pmatrix} 1 & \\\\ 3 & 4 \\end{pmatrix}",
     "Clipboard text is not a matrix: row 1, column 2 is empty."},
    {tableOf(600, 500, "1"), "Clipboard text has 300000 entries; a matrix holds at most 262144."},
    {tableOf(1, 262145, "1"), "Clipboard text has 262145 entries; a matrix holds at most 262144."},
    {"[1, 2", "Clipboard text is not a matrix: its brackets are not balanced."},
    {"[1, 2]]", "Clipboard text is not a matrix: its brackets are not balanced."},
    {"[[1, 2], [3, 4}]", "Clipboard text is not a matrix: its brackets are not balanced."},
    {"np.array([[1, 2]]", "Clipboard text is not a matrix: its brackets are not balanced."},
    {"[[[1]]]", "Clipboard text is not a matrix: it has more than two levels of brackets."},
    {"[[1]] [[2]]", "Clipboard text is not a matrix: it has more than two levels of brackets."},
    {"[[1, 2], 3]", "Clipboard text is not a matrix: it mixes bracketed rows and single entries."},
    {"[1 [2]]", "Clipboard text is not a matrix: it mixes bracketed rows and single entries."},
    {"[1, 2] * 3", "Clipboard text is not a matrix: \"* 3\" stands outside the matrix."},
    {"2\\begin{pmatrix} 1 \\end{pmatrix}",
     "Clipboard text is not a matrix: \"2\" stands outside the matrix."},
    {"\\begin{pmatrix} 1 \\end{pmatrix}^{-1}",
     "Clipboard text is not a matrix: \"^{-1}\" stands outside the matrix."},
    {"\\begin{pmatrix} 1 \\end{pmatrix} \\begin{pmatrix} 2 \\end{pmatrix}",
     "Clipboard text is not a matrix: \"\\begin{pmatrix} 2 \\e...\" stands outside the matrix."},
    {"\\begin{pmatrix} 1 & 2",
     "Clipboard text is not a matrix: \\begin{pmatrix} has no \\end{pmatrix}."},
    {"\\begin{pmatrix} 1 \\end{bmatrix}",
     "Clipboard text is not a matrix: \\begin{pmatrix} has no \\end{pmatrix}."},
    {"1 & 2 \\\\ 3 & 4 \\end{bmatrix}",
     "Clipboard text is not a matrix: \\end{bmatrix} has no \\begin{bmatrix}."},
    {"\\begin{pmatrix} 1 \\begin{matrix} 2 \\end{matrix} \\end{pmatrix}",
     "Clipboard text is not a matrix: \\begin{pmatrix} holds another environment."},
    {"\\begin{equation} x = 1 \\end{equation}",
     "Clipboard text is not a matrix: it has no matrix environment."},
};

TEST(MatrixReaderTest, FormsBecomeTokenLines) {
  for (const ClReadCase& c : gc_aREAD_CASES) {
    ClReadMatrix matrix;
    std::string sWhy;
    EXPECT_TRUE(readMatrixText(c.acText, matrix, sWhy)) << c.acText << "\n" << sWhy;
    EXPECT_EQ(matrixTokens(matrix), c.acTokens) << c.acText;
    EXPECT_EQ(matrix.m_aEntries.size(),
              static_cast<size_t>(matrix.m_iRows) * static_cast<size_t>(matrix.m_iColumns));
  }
}

TEST(MatrixReaderTest, RefusalsSayWhy) {
  for (const ClRefusalCase& c : gc_aREFUSAL_CASES) {
    ClReadMatrix matrix;
    std::string sWhy;
    EXPECT_FALSE(readMatrixText(c.sText, matrix, sWhy)) << c.sText.substr(0, 80);
    EXPECT_EQ(sWhy, c.acWhy) << c.sText.substr(0, 80);
    EXPECT_TRUE(matrix.m_aEntries.empty());
  }
}

uint64_t bitsOf(double dX) {
  uint64_t uiBits = 0;
  std::memcpy(&uiBits, &dX, sizeof dX);
  return uiBits;
}

using MatrixReaderLineTest = ClCommandTest;

// The values go straight into the editor's cells while the token line,
// typed key by key, goes through the typing checks, the lexer and the
// parser: both must give the same bits, signed zeros included (Zero Out off
// keeps the parser's result as computed).
TEST_F(MatrixReaderLineTest, ValuesAreTheCalculatorsOwn) {
  for (const ClReadCase& c : gc_aREAD_CASES) {
    ClReadMatrix matrix;
    std::string sWhy;
    ASSERT_TRUE(readMatrixText(c.acText, matrix, sWhy)) << c.acText;
    SetUp();
    m_Seam.setOn(eSWITCH_ZERO_OUT, false);
    ClCallback::zeroOut_cb(nullptr, nullptr);
    typeKeys(matrixTokens(matrix));
    ASSERT_EQ(currentLine(), matrixTokens(matrix));
    press(eENTER);
    ASSERT_EQ(g_uiError_Number, eERROR_NONE) << c.acTokens;
    const ClMatrix& mResult = ClCalculator::mp_mLast_Output;
    ASSERT_EQ(mResult.rows(), matrix.m_iRows) << c.acTokens;
    ASSERT_EQ(mResult.cols(), matrix.m_iColumns) << c.acTokens;
    for (int r = 0; r < matrix.m_iRows; ++r) {
      for (int k = 0; k < matrix.m_iColumns; ++k) {
        const ClReadEntry& entry = matrix.m_aEntries[r * matrix.m_iColumns + k];
        EXPECT_EQ(bitsOf(mResult(r, k).real()), bitsOf(entry.m_cValue.real())) << entry.m_sTokens;
        EXPECT_EQ(bitsOf(mResult(r, k).imag()), bitsOf(entry.m_cValue.imag())) << entry.m_sTokens;
      }
    }
  }
}

TEST(MatrixReaderTest, LargestSpreadsheetBlock) {
  const std::string sText = tableOf(512, 512, "-1.2345678901234E-05");
  ClReadMatrix matrix;
  std::string sWhy;
  ASSERT_TRUE(readMatrixText(sText, matrix, sWhy)) << sWhy;
  EXPECT_EQ(matrix.m_iRows, 512);
  EXPECT_EQ(matrix.m_iColumns, 512);
  ASSERT_EQ(matrix.m_aEntries.size(), 262144u);
  EXPECT_EQ(matrix.m_aEntries.back().m_sTokens, "-1.2345678901234E-5");
  EXPECT_EQ(matrix.m_aEntries.back().m_cValue, ClComplex(-1.2345678901234E-05, 0.0));
}

}  // namespace
