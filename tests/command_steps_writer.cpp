// SPDX-License-Identifier: GPL-3.0-or-later
// The Steps documents written from hand-made steps: the plain text exactly,
// the HTML's escaping and tags, the grouping per pivot column, the column
// strips of a wide matrix, LaTeX numbers, and LaTeX documents that pdflatex
// compiles.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "command/steps_writer.h"
#include "tests/support/command_driver.h"

namespace {

struct ClMarks {
  int32_t iPivot_Row = -1;
  int32_t iPivot_Column = -1;
  int32_t iChanged_Row = -1;
};

ClShownMatrix shown(int32_t iRows, std::vector<std::string> asEntry, int32_t iBar = -1,
                    ClMarks marks = {}) {
  ClShownMatrix m;
  m.m_iRows = iRows;
  m.m_iColumns = static_cast<int32_t>(asEntry.size()) / iRows;
  m.m_iBar = iBar;
  m.m_iPivot_Row = marks.iPivot_Row;
  m.m_iPivot_Column = marks.iPivot_Column;
  m.m_iChanged_Row = marks.iChanged_Row;
  m.m_asEntry = std::move(asEntry);
  return m;
}

ClStep step(ClRowOperation operation, int32_t iBlock, ClShownMatrix m, int32_t iSwaps = 0) {
  ClStep s;
  s.m_Operation = std::move(operation);
  s.m_iBlock = iBlock;
  s.m_Matrix = std::move(m);
  s.m_iSwaps = iSwaps;
  return s;
}

ClRowOperation swapRows(int32_t iTarget, int32_t iSource) {
  return {eOP_SWAP, iTarget, iSource, '-', ""};
}

ClRowOperation scaleRow(int32_t iTarget, const std::string& sFactor) {
  return {eOP_SCALE, iTarget, iTarget, '-', sFactor};
}

ClRowOperation addRow(int32_t iTarget, char cSign, const std::string& sFactor, int32_t iSource) {
  return {eOP_ADD, iTarget, iSource, cSign, sFactor};
}

ClStepsOperand operandOf(eSTEPS_KIND eKind, int32_t iRows, int32_t iColumns) {
  ClStepsOperand operand;
  operand.m_eKind = eKind;
  operand.m_mA = ClMatrix::Zero(iRows, iRows);
  if (eKind == eSTEPS_SOLVE) operand.m_mB = ClMatrix::Zero(iRows, iColumns - iRows);
  return operand;
}

// Inv [0, 2; 1, 3] in exact fractions: a swap, a scaling and an addition.
ClSteps inverseSteps() {
  ClSteps steps;
  steps.m_eKind = eSTEPS_INV;
  steps.m_bExact = true;
  steps.m_ePivot = ePIVOT_FIRST;
  steps.m_Start = shown(2, {"0", "2", "1", "0", "1", "3", "0", "1"}, 2);
  steps.m_aSteps.push_back(
      step(swapRows(0, 1), 0, shown(2, {"1", "3", "0", "1", "0", "2", "1", "0"}, 2, {0, 0, 0})));
  steps.m_aSteps.push_back(step(
      scaleRow(1, "1/2"), 1, shown(2, {"1", "3", "0", "1", "0", "1", "1/2", "0"}, 2, {1, 1, 1})));
  steps.m_aSteps.push_back(
      step(addRow(0, '-', "3", 1), 1,
           shown(2, {"1", "0", "-3/2", "1", "0", "1", "1/2", "0"}, 2, {1, 1, 0})));
  steps.m_Final = shown(2, {"1", "0", "-3/2", "1", "0", "1", "1/2", "0"}, 2);
  return steps;
}

// Det [0, 1, 2; 1, 1, 1; 2, 0, 1] as computed: a swap and two additions.
ClSteps determinantSteps() {
  ClSteps steps;
  steps.m_eKind = eSTEPS_DET;
  steps.m_Start = shown(3, {"0", "1", "2", "1", "1", "1", "2", "0", "1"});
  steps.m_aSteps.push_back(
      step(swapRows(0, 1), 0,
           shown(3, {"1", "1", "1", "0", "1", "2", "2", "0", "1"}, -1, {0, 0, 0}), 1));
  steps.m_aSteps.push_back(
      step(addRow(2, '-', "2", 0), 0,
           shown(3, {"1", "1", "1", "0", "1", "2", "0", "-2", "-1"}, -1, {0, 0, 2}), 1));
  steps.m_aSteps.push_back(
      step(addRow(2, '+', "2", 1), 1,
           shown(3, {"1", "1", "1", "0", "1", "2", "0", "0", "3"}, -1, {1, 1, 2}), 1));
  steps.m_Final = shown(3, {"1", "1", "1", "0", "1", "2", "0", "0", "3"});
  steps.m_asPivots = {"1", "1", "3"};
  steps.m_iSwaps = 1;
  steps.m_sValue = "-3";
  return steps;
}

// A\B with a 2 x 2 A and a 2 x 12 B: 14 columns, the bar after the second.
ClShownMatrix wideMatrix(ClMarks marks) {
  std::vector<std::string> asEntry;
  for (int32_t iRow = 0; iRow < 2; ++iRow)
    for (int32_t j = 1; j <= 14; ++j) asEntry.push_back(std::to_string(iRow == 0 ? j : -j));
  return shown(2, asEntry, 2, marks);
}

ClSteps wideSteps() {
  ClSteps steps;
  steps.m_eKind = eSTEPS_SOLVE;
  steps.m_Start = wideMatrix({});
  steps.m_aSteps.push_back(step(addRow(1, '+', "1", 0), 0, wideMatrix({0, 0, 1})));
  return steps;
}

TEST(StepsWriterTest, InverseAsPlainText) {
  const std::string sText =
      writeSteps(operandOf(eSTEPS_INV, 2, 4), inverseSteps(), eGROUP_EACH_OPERATION, eFORM_TEXT);
  EXPECT_EQ(sText,
            "Inv of a 2 x 2 matrix\n"
            "=====================\n"
            "Exact fractions, pivot: first non-zero entry.\n"
            "Marks: [p] is the pivot, < the row the operation changed.\n"
            "\n"
            "Start:\n"
            "   0   2  |  1   0\n"
            "   1   3  |  0   1\n"
            "\n"
            "1. R1 <-> R2\n"
            "  [1]  3  |  0   1  <\n"
            "   0   2  |  1   0\n"
            "\n"
            "2. R2 <- (1/2) R2\n"
            "   1   3  |    0   1\n"
            "   0  [1] |  1/2   0  <\n"
            "\n"
            "3. R1 <- R1 - 3 R2\n"
            "   1   0  |  -3/2   1  <\n"
            "   0  [1] |   1/2   0\n"
            "\n"
            "Final matrix:\n"
            "   1   0  |  -3/2   1\n"
            "   0   1  |   1/2   0\n");
}

TEST(StepsWriterTest, DeterminantAsPlainTextWithItsTally) {
  const std::string sText = writeSteps(operandOf(eSTEPS_DET, 3, 3), determinantSteps(),
                                       eGROUP_EACH_OPERATION, eFORM_TEXT);
  EXPECT_EQ(sText,
            "Det of a 3 x 3 matrix\n"
            "=====================\n"
            "As computed by the calculator.\n"
            "Marks: [p] is the pivot, < the row the operation changed.\n"
            "\n"
            "Start:\n"
            "   0   1   2\n"
            "   1   1   1\n"
            "   2   0   1\n"
            "\n"
            "1. R1 <-> R2\n"
            "  [1]  1   1  <\n"
            "   0   1   2\n"
            "   2   0   1\n"
            "det A = -det(current)\n"
            "\n"
            "2. R3 <- R3 - 2 R1\n"
            "  [1]   1    1\n"
            "   0    1    2\n"
            "   0   -2   -1  <\n"
            "det A = -det(current)\n"
            "\n"
            "3. R3 <- R3 + 2 R2\n"
            "   1   1   1\n"
            "   0  [1]  2\n"
            "   0   0   3  <\n"
            "det A = -det(current)\n"
            "\n"
            "Triangular form:\n"
            "   1   1   1\n"
            "   0   1   2\n"
            "   0   0   3\n"
            "\n"
            "det A = -(1)(1)(3) = -3\n");
}

TEST(StepsWriterTest, PerColumnListsEachColumnsOperationsThenOneMatrix) {
  const std::string sText =
      writeSteps(operandOf(eSTEPS_DET, 3, 3), determinantSteps(), eGROUP_PER_COLUMN, eFORM_TEXT);
  const std::string sColumns = sText.substr(sText.find("Pivot column 1:"));
  EXPECT_EQ(sColumns.substr(0, sColumns.find("Triangular form:")),
            "Pivot column 1:\n"
            "1. R1 <-> R2\n"
            "2. R3 <- R3 - 2 R1\n"
            "  [1]   1    1\n"
            "   0    1    2\n"
            "   0   -2   -1\n"
            "det A = -det(current)\n"
            "\n"
            "Pivot column 2:\n"
            "3. R3 <- R3 + 2 R2\n"
            "   1   1   1\n"
            "   0  [1]  2\n"
            "   0   0   3\n"
            "det A = -det(current)\n"
            "\n");
  EXPECT_NE(sText.find("Marks: [p] is the pivot.\n"), std::string::npos);
}

TEST(StepsWriterTest, StepsWithoutAMatrixRunOnAsAList) {
  ClSteps steps = determinantSteps();
  steps.m_aSteps[0].m_Matrix = ClShownMatrix();
  steps.m_aSteps[1].m_Matrix = ClShownMatrix();
  steps.m_asNotes.push_back("The matrix is shown once per pivot column, after its last operation.");
  const std::string sText =
      writeSteps(operandOf(eSTEPS_DET, 3, 3), steps, eGROUP_EACH_OPERATION, eFORM_TEXT);
  EXPECT_NE(sText.find("As computed by the calculator.\nThe matrix is shown once per pivot "
                       "column, after its last operation.\n"),
            std::string::npos);
  EXPECT_NE(sText.find("\n\n1. R1 <-> R2\n2. R3 <- R3 - 2 R1\n3. R3 <- R3 + 2 R2\n   1   1"),
            std::string::npos)
      << sText;
}

// A line of HTML as the viewer shows it: without its tags, "&lt;" as "<".
std::string shownLine(const std::string& sLine) {
  std::string sShown;
  for (size_t i = 0; i < sLine.size(); ++i) {
    if (sLine[i] == '<') {
      i = sLine.find('>', i);
      if (i == std::string::npos) break;
    } else if (sLine.compare(i, 4, "&lt;") == 0) {
      sShown += '<';
      i += 3;
    } else {
      sShown += sLine[i];
    }
  }
  return sShown;
}
TEST(StepsWriterTest, WideMatrixIsWrittenInColumnStrips) {
  const std::string sText =
      writeSteps(operandOf(eSTEPS_SOLVE, 2, 14), wideSteps(), eGROUP_EACH_OPERATION, eFORM_TEXT);
  EXPECT_NE(sText.find("1. R2 <- R2 + R1\n"
                       "Columns 1-12:\n"
                       "   [1]   2  |   3    4    5    6    7    8    9    10    11    12\n"
                       "   -1   -2  |  -3   -4   -5   -6   -7   -8   -9   -10   -11   -12  <\n"
                       "Columns 13-14:\n"
                       "    13    14\n"
                       "   -13   -14  <\n"),
            std::string::npos)
      << sText;
  // the help viewer's lines are narrower: more strips, none wider than it shows
  for (const int32_t iLine : {gc_iSTEPS_HTML_LINE, 36}) {
    const std::string sHtml = writeSteps(operandOf(eSTEPS_SOLVE, 2, 14), wideSteps(),
                                         eGROUP_EACH_OPERATION, eFORM_HTML, iLine);
    EXPECT_NE(sHtml.find("Columns 1-"), std::string::npos);
    std::istringstream lines(sHtml);
    for (std::string sLine; std::getline(lines, sLine);) {
      const std::string sShown = shownLine(sLine);
      if (sShown.find("   ") != 0) continue;
      EXPECT_LE(sShown.size(), static_cast<size_t>(iLine)) << sLine;
    }
  }
}

// Every '<' of the page opens one of the help viewer's tags.
void expectViewerTagsOnly(const std::string& sHtml) {
  static const std::set<std::string> asALLOWED = {
      "html", "head", "title",  "body", "b",  "i",  "u",  "tt", "code", "pre",   "font",
      "p",    "br",   "h1",     "h2",   "h3", "h4", "h5", "h6", "hr",   "table", "tr",
      "td",   "th",   "center", "ul",   "ol", "li", "dl", "dt", "dd",   "a"};
  for (size_t i = sHtml.find('<'); i != std::string::npos; i = sHtml.find('<', i + 1)) {
    const size_t iName = sHtml[i + 1] == '/' ? i + 2 : i + 1;
    const std::string sName = sHtml.substr(iName, sHtml.find_first_of(" >", iName) - iName);
    EXPECT_EQ(asALLOWED.count(sName), 1u) << sHtml.substr(i, 20);
  }
}

TEST(StepsWriterTest, HtmlEscapesTheTextAndUsesTheViewersTagsOnly) {
  ClSteps steps = inverseSteps();
  steps.m_asNotes.push_back("Entries < 1 & > 0 stay.");
  steps.m_sConclusion = "A\\B is not asked.";
  const std::string sHtml = wholeDocument(
      {writeSteps(operandOf(eSTEPS_INV, 2, 4), steps, eGROUP_EACH_OPERATION, eFORM_HTML)},
      eFORM_HTML);
  for (const char* acPiece :
       {"<title>Steps</title>", "<h2>Inv of a 2 x 2 matrix</h2>",
        "<p>Entries &lt; 1 &amp; &gt; 0 stay.</p>", "1. R1 &lt;-&gt; R2", "2. R2 &lt;- (1/2) R2",
        "<pre>   1   3  |    0   1\n   0  <b>[1]</b> |  1/2   0  &lt;\n</pre>",
        "<b>A\\B is not asked.</b>"})
    EXPECT_NE(sHtml.find(acPiece), std::string::npos) << acPiece << "\n" << sHtml;
  expectViewerTagsOnly(sHtml);
  expectViewerTagsOnly(
      writeSteps(operandOf(eSTEPS_DET, 3, 3), determinantSteps(), eGROUP_PER_COLUMN, eFORM_HTML));
}

TEST(StepsWriterTest, LatexNumbers) {
  const std::pair<const char*, const char*> aCASES[] = {
      {"3", "3"},
      {"-2/3", "-\\frac{2}{3}"},
      {"1.5E-03", "1.5 \\times 10^{-3}"},
      {"1E+20", "1 \\times 10^{20}"},
      {"-2.000000000E+00", "-2.000000000 \\times 10^{0}"},
      {" 0.5", "0.5"},
      {"1/2 - 3/4i", "\\frac{1}{2} - \\frac{3}{4}i"},
      {"-1/2 + 2.5E-05i", "-\\frac{1}{2} + 2.5 \\times 10^{-5}\\,i"},
      {"i", "i"},
      {"-i", "-i"},
      {"2 - i", "2 - i"},
      {"-7i", "-7i"},
      {"-INF", "-\\infty"},
      {"NAN", "\\mathrm{NaN}"},
  };
  for (const auto& c : aCASES) EXPECT_EQ(latexNumber(c.first), c.second) << c.first;
}

TEST(StepsWriterTest, LatexOperationsGoOverArrows) {
  const std::string sLatex =
      writeSteps(operandOf(eSTEPS_INV, 2, 4), inverseSteps(), eGROUP_PER_COLUMN, eFORM_LATEX);
  for (const char* acPiece :
       {"\\left(\\begin{array}{cc|cc}", "\\xrightarrow{R_{1} \\leftrightarrow R_{2}}",
        "\\xrightarrow{\\substack{R_{2} \\leftarrow \\frac{1}{2}\\,R_{2} \\\\ R_{1} \\leftarrow "
        "R_{1} - 3\\,R_{2}}}",
        "-\\frac{3}{2} & 1", "\\boxed{1}"})
    EXPECT_NE(sLatex.find(acPiece), std::string::npos) << acPiece << "\n" << sLatex;
}

TEST_F(ClCommandTest, NothingKeptSaysWhichFunctionsHaveSteps) {
  enter("1+1");
  const std::string sSentence =
      "Steps are shown for RREF, Inv, Det and left division A\\B with a square A. The last "
      "line had none.";
  EXPECT_EQ(stepsDocument(g_aSteps_Kept, ClStepsView(), eFORM_TEXT), sSentence + "\n");
  EXPECT_NE(stepsDocument(g_aSteps_Kept, ClStepsView(), eFORM_HTML).find("<p>" + sSentence),
            std::string::npos);
  EXPECT_NE(stepsDocument(g_aSteps_Kept, ClStepsView(), eFORM_LATEX)
                .find("left division A\\textbackslash{}B with"),
            std::string::npos);
}

// Writes each document to a temporary directory and runs pdflatex on it.
class LatexCompileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char acDirectory[] = "/tmp/orvel-steps-XXXXXX";
    ASSERT_NE(mkdtemp(acDirectory), nullptr);
    m_sDirectory = acDirectory;
  }
  void TearDown() override { std::filesystem::remove_all(m_sDirectory); }

  void expectCompiles(const std::string& sName, const std::string& sDocument) {
    std::ofstream(m_sDirectory + "/" + sName + ".tex") << sDocument;
    const std::string sCommand = "cd " + m_sDirectory +
                                 " && pdflatex -interaction=nonstopmode -halt-on-error " + sName +
                                 ".tex >" + sName + ".out 2>&1";
    EXPECT_EQ(std::system(sCommand.c_str()), 0)
        << sName << ":\n"
        << std::ifstream(m_sDirectory + "/" + sName + ".out").rdbuf();
    EXPECT_TRUE(std::filesystem::exists(m_sDirectory + "/" + sName + ".pdf")) << sName;
  }

  std::string m_sDirectory;
};

TEST_F(LatexCompileTest, DocumentsCompile) {
  ASSERT_EQ(std::system("command -v pdflatex >/dev/null"), 0) << "pdflatex is not installed";
  ClSteps special = inverseSteps();
  special.m_asNotes.push_back("Costs 5% & more: a_b^c #1 $2 ~x {y} \\ <|> \"q\".");
  special.m_sConclusion = "A is singular: column 3 has no pivot, so it has no inverse.";
  const ClStepsOperand inverse = operandOf(eSTEPS_INV, 2, 4);
  const ClStepsOperand determinant = operandOf(eSTEPS_DET, 3, 3);
  const ClStepsOperand wide = operandOf(eSTEPS_SOLVE, 2, 14);
  for (const eSTEPS_GROUPING eGrouping : {eGROUP_EACH_OPERATION, eGROUP_PER_COLUMN}) {
    const std::string sSuffix = std::to_string(eGrouping);
    expectCompiles(
        "inverse" + sSuffix,
        wholeDocument({writeSteps(inverse, special, eGrouping, eFORM_LATEX)}, eFORM_LATEX));
    expectCompiles(
        "all" + sSuffix,
        wholeDocument({writeSteps(determinant, determinantSteps(), eGrouping, eFORM_LATEX),
                       writeSteps(wide, wideSteps(), eGrouping, eFORM_LATEX)},
                      eFORM_LATEX));
  }
  expectCompiles("nothing", stepsDocument({}, ClStepsView(), eFORM_LATEX));
}

}  // namespace
