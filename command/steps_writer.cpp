// SPDX-License-Identifier: GPL-3.0-or-later
// The Steps documents. One walk over the steps (writeInto) calls a form for
// each part: the title, sentences, a labelled matrix, a group of operations
// with the matrix after them, the determinant; the plain text, HTML and
// LaTeX forms write those parts in their own notation.
#include "command/steps_writer.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>

namespace {

const char gc_acNOTHING_KEPT[] =
    "Steps are shown for RREF, Inv, Det and left division A\\B with a square A. The last line "
    "had none.";

// The LaTeX page holds this many array columns of short entries.
constexpr int gc_iLATEX_COLUMNS = gc_iSTEPS_FOLD;
// Operations stacked over one arrow; a longer group is listed above it.
constexpr size_t gc_uiOVER_ARROW = 4;

// ----- the operations' words shared by the forms

std::string rowName(int32_t iRow) {
  return "R" + std::to_string(iRow + 1);
}

std::string latexRow(int32_t iRow) {
  return "R_{" + std::to_string(iRow + 1) + "}";
}

bool contains(const std::string& sText, char c) {
  return sText.find(c) != std::string::npos;
}

std::string factorText(const std::string& sFactor) {
  const bool bParentheses =
      contains(sFactor, '/') || contains(sFactor, ' ') || (!sFactor.empty() && sFactor[0] == '-');
  return bParentheses ? "(" + sFactor + ")" : sFactor;
}

std::string operationText(const ClRowOperation& op) {
  const std::string sTarget = rowName(op.m_iTarget);
  switch (op.m_eOp) {
    case eOP_SWAP:
      return sTarget + " <-> " + rowName(op.m_iSource);
    case eOP_SCALE:
      return sTarget + " <- " + factorText(op.m_sFactor) + " " + sTarget;
    case eOP_ADD:
      break;
  }
  const std::string sFactor = op.m_sFactor == "1" ? "" : factorText(op.m_sFactor) + " ";
  return sTarget + " <- " + sTarget + " " + op.m_cSign + " " + sFactor + rowName(op.m_iSource);
}

// Fractions need no parentheses in LaTeX; signs, sums and powers of ten do.
std::string latexFactor(const std::string& sFactor) {
  const bool bParentheses =
      contains(sFactor, ' ') || contains(sFactor, 'E') || (!sFactor.empty() && sFactor[0] == '-');
  const std::string sNumber = latexNumber(sFactor);
  return (bParentheses ? "(" + sNumber + ")" : sNumber) + "\\,";
}

std::string operationLatex(const ClRowOperation& op) {
  const std::string sTarget = latexRow(op.m_iTarget);
  switch (op.m_eOp) {
    case eOP_SWAP:
      return sTarget + " \\leftrightarrow " + latexRow(op.m_iSource);
    case eOP_SCALE:
      return sTarget + " \\leftarrow " + latexFactor(op.m_sFactor) + sTarget;
    case eOP_ADD:
      break;
  }
  const std::string sFactor = op.m_sFactor == "1" ? "" : latexFactor(op.m_sFactor);
  return sTarget + " \\leftarrow " + sTarget + " " + op.m_cSign + " " + sFactor +
         latexRow(op.m_iSource);
}

std::string arithmeticSentence(const ClSteps& steps) {
  if (!steps.m_bExact) return "As computed by the calculator.";
  return steps.m_ePivot == ePIVOT_FIRST ? "Exact fractions, pivot: first non-zero entry."
                                        : "Exact fractions, pivot: largest entry in modulus.";
}

const char* finalLabel(eSTEPS_KIND eKind) {
  return eKind == eSTEPS_DET ? "Triangular form:" : "Final matrix:";
}

// ----- the parts a form writes

// Operations in order, numbered from m_iFirst_Number, with the matrix after
// the last (null where folding leaves it out).
struct ClGroup {
  const ClStep* m_pFirst = nullptr;
  size_t m_uiCount = 0;
  size_t m_uiFirst_Number = 1;
  std::string m_sLabel;  // "Pivot column 2:" in the per-column grouping
  const ClShownMatrix* m_pMatrix = nullptr;
  bool m_bMark_Changed = false;
  int32_t m_iTally_Swaps = -1;  // Det: the swaps so far, shown after the matrix
};

class ClForm {
 public:
  virtual ~ClForm() = default;
  virtual void title(const std::string& sTitle) = 0;
  virtual void sentence(const std::string& sSentence) = 0;
  virtual void legend(bool bChanged_Rows) = 0;
  virtual void matrix(const std::string& sLabel, const ClShownMatrix& m) = 0;
  virtual void group(const ClGroup& group) = 0;
  virtual void determinant(const ClSteps& steps) = 0;
  virtual void conclusion(const std::string& sSentence) = 0;

  std::string m_sOut;
};

std::string tallyText(int32_t iSwaps) {
  return iSwaps % 2 == 0 ? "det A = det(current)" : "det A = -det(current)";
}

// "det A = -(2)(3)(1/2) = -3": the pivots' product with the swaps' sign.
std::string determinantText(const ClSteps& steps) {
  std::string sText = "det A = ";
  if (!steps.m_asPivots.empty()) {
    if (steps.m_iSwaps % 2 != 0) sText += "-";
    for (const std::string& sPivot : steps.m_asPivots) sText += "(" + sPivot + ")";
    if (steps.m_sValue.empty()) return sText;
    sText += " = ";
  }
  return sText + steps.m_sValue;
}

std::vector<ClGroup> eachOperation(const ClSteps& steps) {
  std::vector<ClGroup> aGroups;
  const bool bDet = steps.m_eKind == eSTEPS_DET;
  for (size_t k = 0; k < steps.m_aSteps.size(); ++k) {
    const ClStep& step = steps.m_aSteps[k];
    ClGroup group;
    group.m_pFirst = &step;
    group.m_uiCount = 1;
    group.m_uiFirst_Number = k + 1;
    group.m_bMark_Changed = true;
    if (!step.m_Matrix.empty()) {
      group.m_pMatrix = &step.m_Matrix;
      if (bDet) group.m_iTally_Swaps = step.m_iSwaps;
    }
    aGroups.push_back(group);
  }
  return aGroups;
}

std::vector<ClGroup> perColumn(const ClSteps& steps) {
  std::vector<ClGroup> aGroups;
  const bool bDet = steps.m_eKind == eSTEPS_DET;
  const std::vector<ClStep>& aSteps = steps.m_aSteps;
  for (size_t k = 0; k < aSteps.size();) {
    size_t uiEnd = k + 1;
    while (uiEnd < aSteps.size() && aSteps[uiEnd].m_iBlock == aSteps[k].m_iBlock) ++uiEnd;
    const ClStep& last = aSteps[uiEnd - 1];
    ClGroup group;
    group.m_pFirst = &aSteps[k];
    group.m_uiCount = uiEnd - k;
    group.m_uiFirst_Number = k + 1;
    group.m_sLabel = "Pivot column " + std::to_string(aSteps[k].m_iBlock + 1) + ":";
    if (!last.m_Matrix.empty()) {
      group.m_pMatrix = &last.m_Matrix;
      if (bDet) group.m_iTally_Swaps = last.m_iSwaps;
    }
    aGroups.push_back(group);
    k = uiEnd;
  }
  return aGroups;
}

void writeInto(ClForm& form, const ClStepsOperand& operand, const ClSteps& steps,
               eSTEPS_GROUPING eGrouping) {
  form.title(stepsTitle(operand));
  if (!steps.m_Start.empty()) form.sentence(arithmeticSentence(steps));
  for (const std::string& sNote : steps.m_asNotes) form.sentence(sNote);
  const bool bEach = eGrouping == eGROUP_EACH_OPERATION;
  if (!steps.m_aSteps.empty()) form.legend(bEach);
  if (!steps.m_Start.empty()) form.matrix("Start:", steps.m_Start);
  for (const ClGroup& group : bEach ? eachOperation(steps) : perColumn(steps)) form.group(group);
  if (!steps.m_Final.empty()) form.matrix(finalLabel(steps.m_eKind), steps.m_Final);
  if (!steps.m_Printed.empty()) form.matrix("Printed result:", steps.m_Printed);
  const bool bValue = !steps.m_asPivots.empty() || !steps.m_sValue.empty();
  if (steps.m_eKind == eSTEPS_DET && bValue) form.determinant(steps);
  if (!steps.m_sConclusion.empty()) form.conclusion(steps.m_sConclusion);
}

// ----- matrices as lines of aligned columns (plain text and HTML)

std::vector<size_t> columnWidths(const ClShownMatrix& m) {
  std::vector<size_t> auiWidth(static_cast<size_t>(m.m_iColumns), 1);
  for (int32_t i = 0; i < m.m_iRows; ++i)
    for (int32_t j = 0; j < m.m_iColumns; ++j)
      auiWidth[j] = std::max(auiWidth[j], m.entry(i, j).size());
  return auiWidth;
}

// The column strips [first, end): at most gc_iSTEPS_FOLD columns each and,
// past a strip's first column, lines at most iMax_Characters wide.
std::vector<std::pair<int32_t, int32_t>> columnStrips(const ClShownMatrix& m,
                                                      const std::vector<size_t>& auiWidth,
                                                      size_t uiMax_Characters) {
  std::vector<std::pair<int32_t, int32_t>> aStrips;
  // the indent and the changed row's mark
  const size_t uiMargin = 4;
  int32_t iFirst = 0;
  size_t uiCharacters = uiMargin;
  for (int32_t j = 0; j < m.m_iColumns; ++j) {
    const size_t uiCell = auiWidth[j] + 3 + (j == m.m_iBar ? 2 : 0);
    const bool bFull = j - iFirst == gc_iSTEPS_FOLD || uiCharacters + uiCell > uiMax_Characters;
    if (j > iFirst && bFull) {
      aStrips.emplace_back(iFirst, j);
      iFirst = j;
      uiCharacters = uiMargin;
    }
    uiCharacters += uiCell;
  }
  aStrips.emplace_back(iFirst, m.m_iColumns);
  return aStrips;
}

std::string columnsLabel(int32_t iFirst, int32_t iEnd, const char* acDash) {
  if (iEnd - iFirst == 1) return "Column " + std::to_string(iFirst + 1) + ":";
  return "Columns " + std::to_string(iFirst + 1) + acDash + std::to_string(iEnd) + ":";
}

// How a line-based form writes text and the marks.
struct ClMarkup {
  std::string (*m_pEscape)(const std::string&);
  const char* m_acPivot_Open;
  const char* m_acPivot_Close;
  const char* m_acChanged;
};

std::string asIs(const std::string& sText) {
  return sText;
}

std::string escapeHtml(const std::string& sText) {
  std::string sOut;
  for (const char c : sText) {
    switch (c) {
      case '&':
        sOut += "&amp;";
        break;
      case '<':
        sOut += "&lt;";
        break;
      case '>':
        sOut += "&gt;";
        break;
      default:
        sOut += c;
    }
  }
  return sOut;
}

const ClMarkup gc_TEXT_MARKUP = {asIs, "[", "]", "  <"};
const ClMarkup gc_HTML_MARKUP = {escapeHtml, "<b>[", "]</b>", "  &lt;"};

// One entry right-justified in its column: the pivot in brackets, the others
// with a blank where the brackets would be, so that the digits line up.
std::string cell(const ClShownMatrix& m, int32_t i, int32_t j, size_t uiWidth,
                 const ClMarkup& markup) {
  const std::string& sEntry = m.entry(i, j);
  const std::string sPad(uiWidth - sEntry.size(), ' ');
  if (i == m.m_iPivot_Row && j == m.m_iPivot_Column)
    return sPad + markup.m_acPivot_Open + markup.m_pEscape(sEntry) + markup.m_acPivot_Close;
  return sPad + " " + markup.m_pEscape(sEntry) + " ";
}

std::string rowLine(const ClShownMatrix& m, int32_t i, std::pair<int32_t, int32_t> strip,
                    const std::vector<size_t>& auiWidth, bool bMark_Changed,
                    const ClMarkup& markup) {
  std::string sLine = " ";
  for (int32_t j = strip.first; j < strip.second; ++j) {
    if (j == m.m_iBar && j > strip.first) sLine += " |";
    sLine += " " + cell(m, i, j, auiWidth[j], markup);
  }
  if (m.m_iBar == strip.second && strip.second < m.m_iColumns) sLine += " |";
  while (!sLine.empty() && sLine.back() == ' ') sLine.pop_back();
  if (bMark_Changed && i == m.m_iChanged_Row) sLine += markup.m_acChanged;
  return sLine + "\n";
}

// Lines of at most uiMax_Characters where the columns allow.
std::string matrixLines(const ClShownMatrix& m, bool bMark_Changed, const ClMarkup& markup,
                        size_t uiMax_Characters = static_cast<size_t>(-1)) {
  const std::vector<size_t> auiWidth = columnWidths(m);
  const auto aStrips = columnStrips(m, auiWidth, uiMax_Characters);
  std::string sLines;
  for (const auto& strip : aStrips) {
    if (aStrips.size() > 1) sLines += columnsLabel(strip.first, strip.second, "-") + "\n";
    for (int32_t i = 0; i < m.m_iRows; ++i)
      sLines += rowLine(m, i, strip, auiWidth, bMark_Changed, markup);
  }
  return sLines;
}

const char gc_acLEGEND_PIVOT[] = "Marks: [p] is the pivot";
const char gc_acLEGEND_CHANGED[] = ", < the row the operation changed";

// ----- plain text

class ClTextForm : public ClForm {
 public:
  void title(const std::string& sTitle) override {
    m_sOut += sTitle + "\n" + std::string(sTitle.size(), '=') + "\n";
  }
  void sentence(const std::string& sSentence) override { m_sOut += sSentence + "\n"; }
  void legend(bool bChanged_Rows) override {
    m_sOut += std::string(gc_acLEGEND_PIVOT) + (bChanged_Rows ? gc_acLEGEND_CHANGED : "") + ".\n";
  }
  void matrix(const std::string& sLabel, const ClShownMatrix& m) override {
    paragraph(false);
    m_sOut += sLabel + "\n" + matrixLines(m, false, gc_TEXT_MARKUP);
  }
  void group(const ClGroup& group) override {
    paragraph(group.m_sLabel.empty());
    if (!group.m_sLabel.empty()) m_sOut += group.m_sLabel + "\n";
    for (size_t k = 0; k < group.m_uiCount; ++k)
      m_sOut += std::to_string(group.m_uiFirst_Number + k) + ". " +
                operationText(group.m_pFirst[k].m_Operation) + "\n";
    m_bList_Open = group.m_pMatrix == nullptr;
    if (m_bList_Open) return;
    m_sOut += matrixLines(*group.m_pMatrix, group.m_bMark_Changed, gc_TEXT_MARKUP);
    if (group.m_iTally_Swaps >= 0) m_sOut += tallyText(group.m_iTally_Swaps) + "\n";
  }
  void determinant(const ClSteps& steps) override {
    paragraph(false);
    m_sOut += determinantText(steps) + "\n";
    m_bClosing = true;
  }
  void conclusion(const std::string& sSentence) override {
    if (!m_bClosing) paragraph(false);
    m_sOut += sSentence + "\n";
  }

 private:
  // A blank line between parts; operations without a matrix after them run
  // on as one list where bJoin allows.
  void paragraph(bool bJoin) {
    if (m_bList_Open && bJoin) return;
    m_bList_Open = false;
    m_sOut += "\n";
  }

  bool m_bList_Open = false;
  bool m_bClosing = false;
};

// ----- HTML for the help viewer

class ClHtmlForm : public ClForm {
 public:
  explicit ClHtmlForm(int32_t iLine) : m_uiLine(static_cast<size_t>(std::max(iLine, 1))) {}
  void title(const std::string& sTitle) override {
    m_sOut += "<h2>" + escapeHtml(sTitle) + "</h2>\n";
  }
  void sentence(const std::string& sSentence) override {
    m_sOut += "<p>" + escapeHtml(sSentence) + "</p>\n";
  }
  void legend(bool bChanged_Rows) override {
    sentence(std::string(gc_acLEGEND_PIVOT) + (bChanged_Rows ? gc_acLEGEND_CHANGED : "") + ".");
  }
  void matrix(const std::string& sLabel, const ClShownMatrix& m) override {
    m_sOut += "<p><b>" + escapeHtml(sLabel) + "</b></p>\n" + pre(m, false);
  }
  void group(const ClGroup& group) override {
    if (!group.m_sLabel.empty()) m_sOut += "<h3>" + escapeHtml(group.m_sLabel) + "</h3>\n";
    m_sOut += "<p>";
    for (size_t k = 0; k < group.m_uiCount; ++k)
      m_sOut += std::string(k > 0 ? "<br>\n" : "") + std::to_string(group.m_uiFirst_Number + k) +
                ". " + escapeHtml(operationText(group.m_pFirst[k].m_Operation));
    m_sOut += "</p>\n";
    if (group.m_pMatrix == nullptr) return;
    m_sOut += pre(*group.m_pMatrix, group.m_bMark_Changed);
    if (group.m_iTally_Swaps >= 0) sentence(tallyText(group.m_iTally_Swaps));
  }
  void determinant(const ClSteps& steps) override {
    m_sOut += "<p><b>" + escapeHtml(determinantText(steps)) + "</b></p>\n";
  }
  void conclusion(const std::string& sSentence) override {
    m_sOut += "<p><b>" + escapeHtml(sSentence) + "</b></p>\n";
  }

 private:
  std::string pre(const ClShownMatrix& m, bool bMark_Changed) const {
    return "<pre>" + matrixLines(m, bMark_Changed, gc_HTML_MARKUP, m_uiLine) + "</pre>\n";
  }

  size_t m_uiLine;
};

// ----- LaTeX

std::string escapeLatex(const std::string& sText) {
  std::string sOut;
  for (const char c : sText) {
    switch (c) {
      case '\\':
        sOut += "\\textbackslash{}";
        break;
      case '^':
        sOut += "\\textasciicircum{}";
        break;
      case '~':
        sOut += "\\textasciitilde{}";
        break;
      case '{':
      case '}':
      case '%':
      case '&':
      case '_':
      case '#':
      case '$':
        sOut += std::string("\\") + c;
        break;
      case '<':
      case '>':
      case '|':
        // the text font has no such glyphs
        sOut += std::string("$") + c + "$";
        break;
      default:
        sOut += c;
    }
  }
  return sOut;
}

std::string latexEntry(const ClShownMatrix& m, int32_t i, int32_t j) {
  const std::string sNumber = latexNumber(m.entry(i, j));
  return i == m.m_iPivot_Row && j == m.m_iPivot_Column ? "\\boxed{" + sNumber + "}" : sNumber;
}

std::string latexArray(const ClShownMatrix& m, int32_t iFirst, int32_t iEnd) {
  std::string sColumns;
  for (int32_t j = iFirst; j < iEnd; ++j) {
    if (j == m.m_iBar && j > iFirst) sColumns += "|";
    sColumns += "c";
  }
  std::string sArray = "\\left(\\begin{array}{" + sColumns + "}\n";
  for (int32_t i = 0; i < m.m_iRows; ++i) {
    for (int32_t j = iFirst; j < iEnd; ++j)
      sArray += (j > iFirst ? " & " : "") + latexEntry(m, i, j);
    sArray += i + 1 < m.m_iRows ? " \\\\\n" : "\n";
  }
  return sArray + "\\end{array}\\right)";
}

class ClLatexForm : public ClForm {
 public:
  void title(const std::string& sTitle) override {
    m_sOut += "\\section*{" + escapeLatex(sTitle) + "}\n\n";
  }
  void sentence(const std::string& sSentence) override {
    m_sOut += escapeLatex(sSentence) + "\n\n";
  }
  // The arrows name the changed row; only the pivot is marked.
  void legend(bool) override { m_sOut += "Boxed entries are the pivots.\n\n"; }
  void matrix(const std::string& sLabel, const ClShownMatrix& m) override {
    sentence(sLabel);
    display(m, "");
  }
  void group(const ClGroup& group) override {
    if (!group.m_sLabel.empty()) m_sOut += "\\subsection*{" + escapeLatex(group.m_sLabel) + "}\n\n";
    const bool bOver_Arrow = group.m_pMatrix != nullptr && group.m_uiCount <= gc_uiOVER_ARROW;
    if (!bOver_Arrow)
      for (size_t k = 0; k < group.m_uiCount; ++k)
        m_sOut += "$" + operationLatex(group.m_pFirst[k].m_Operation) + "$\n\n";
    if (group.m_pMatrix == nullptr) return;
    display(*group.m_pMatrix, bOver_Arrow ? arrow(group) : "\\longrightarrow ");
    if (group.m_iTally_Swaps >= 0)
      m_sOut += std::string("$\\det A = ") + (group.m_iTally_Swaps % 2 == 0 ? "" : "-") +
                "\\det(\\text{current})$\n\n";
  }
  void determinant(const ClSteps& steps) override {
    std::string sMath = "\\det A = ";
    if (!steps.m_asPivots.empty()) {
      if (steps.m_iSwaps % 2 != 0) sMath += "-";
      for (const std::string& sPivot : steps.m_asPivots)
        sMath += "(" + latexNumber(sPivot) + ")\\allowbreak ";
      if (!steps.m_sValue.empty()) sMath += " = ";
    }
    m_sOut += "$" + sMath + latexNumber(steps.m_sValue) + "$\n\n";
  }
  void conclusion(const std::string& sSentence) override {
    m_sOut += "\\textbf{" + escapeLatex(sSentence) + "}\n\n";
  }

 private:
  static std::string arrow(const ClGroup& group) {
    if (group.m_uiCount == 1)
      return "\\xrightarrow{" + operationLatex(group.m_pFirst->m_Operation) + "} ";
    std::string sStack;
    for (size_t k = 0; k < group.m_uiCount; ++k)
      sStack += (k > 0 ? " \\\\ " : "") + operationLatex(group.m_pFirst[k].m_Operation);
    return "\\xrightarrow{\\substack{" + sStack + "}} ";
  }

  // The matrix in strips of columns that fit the page; the arrow before the
  // first.
  void display(const ClShownMatrix& m, const std::string& sArrow) {
    const bool bStrips = m.m_iColumns > gc_iLATEX_COLUMNS;
    for (int32_t iFirst = 0; iFirst < m.m_iColumns; iFirst += gc_iLATEX_COLUMNS) {
      const int32_t iEnd = std::min(iFirst + gc_iLATEX_COLUMNS, m.m_iColumns);
      if (bStrips) m_sOut += columnsLabel(iFirst, iEnd, "--") + "\n";
      m_sOut += "\\[ " + (iFirst == 0 ? sArrow : "") + latexArray(m, iFirst, iEnd) + " \\]\n\n";
    }
  }
};

std::unique_ptr<ClForm> formOf(eTEXT_FORM eForm, int32_t iHtml_Line = gc_iSTEPS_HTML_LINE) {
  switch (eForm) {
    case eFORM_HTML:
      return std::make_unique<ClHtmlForm>(iHtml_Line);
    case eFORM_LATEX:
      return std::make_unique<ClLatexForm>();
    default:
      // the steps have no other form than plain text, HTML and LaTeX
      return std::make_unique<ClTextForm>();
  }
}

std::string nothingKept(eTEXT_FORM eForm) {
  std::unique_ptr<ClForm> pForm = formOf(eForm);
  pForm->sentence(gc_acNOTHING_KEPT);
  return pForm->m_sOut;
}

// ----- numbers in LaTeX

// "1.5E-03" as 1.5 \times 10^{-3}, "2/3" as \frac{2}{3}; no sign.
std::string latexMagnitude(const std::string& sNumber) {
  if (sNumber == "INF" || sNumber == "inf") return "\\infty";
  if (sNumber == "NAN" || sNumber == "nan") return "\\mathrm{NaN}";
  const size_t uiSlash = sNumber.find('/');
  if (uiSlash != std::string::npos)
    return "\\frac{" + sNumber.substr(0, uiSlash) + "}{" + sNumber.substr(uiSlash + 1) + "}";
  const size_t uiE = sNumber.find_first_of("Ee");
  if (uiE == std::string::npos) return sNumber;
  std::string sExponent = sNumber.substr(uiE + 1);
  const bool bNegative = !sExponent.empty() && sExponent[0] == '-';
  if (!sExponent.empty() && (sExponent[0] == '-' || sExponent[0] == '+')) sExponent.erase(0, 1);
  const size_t uiDigit = sExponent.find_first_not_of('0');
  sExponent = uiDigit == std::string::npos ? "0" : sExponent.substr(uiDigit);
  return sNumber.substr(0, uiE) + " \\times 10^{" + (bNegative ? "-" : "") + sExponent + "}";
}

// A real part with its sign.
std::string latexReal(const std::string& sPart) {
  if (!sPart.empty() && sPart[0] == '-') return "-" + latexMagnitude(sPart.substr(1));
  return latexMagnitude(sPart);
}

// An imaginary magnitude with the unit: "i" alone for one.
std::string latexImaginary(const std::string& sMagnitude) {
  if (sMagnitude.empty()) return "i";
  return latexMagnitude(sMagnitude) + (contains(sMagnitude, 'E') ? "\\,i" : "i");
}

}  // namespace

std::string latexNumber(const std::string& sEntry) {
  const size_t uiBegin = sEntry.find_first_not_of(' ');
  if (uiBegin == std::string::npos) return "";
  const ClEntryParts parts =
      entryParts(sEntry.substr(uiBegin, sEntry.find_last_not_of(' ') + 1 - uiBegin));
  if (!parts.m_bImaginary) return latexReal(parts.m_sReal);
  const std::string sImaginary = latexImaginary(parts.m_sMagnitude);
  if (parts.m_sReal.empty()) return (parts.m_bNegative ? "-" : "") + sImaginary;
  return latexReal(parts.m_sReal) + (parts.m_bNegative ? " - " : " + ") + sImaginary;
}

std::string writeSteps(const ClStepsOperand& operand, const ClSteps& steps,
                       eSTEPS_GROUPING eGrouping, eTEXT_FORM eForm, int32_t iHtml_Line) {
  std::unique_ptr<ClForm> pForm = formOf(eForm, iHtml_Line);
  writeInto(*pForm, operand, steps, eGrouping);
  return pForm->m_sOut;
}

std::string wholeDocument(const std::vector<std::string>& asParts, eTEXT_FORM eForm) {
  std::string sBody;
  for (size_t k = 0; k < asParts.size(); ++k)
    sBody += (k > 0 && eForm == eFORM_TEXT ? "\n" : "") + asParts[k];
  switch (eForm) {
    case eFORM_HTML:
      return "<html>\n<head><title>Steps</title></head>\n<body>\n" + sBody + "</body>\n</html>\n";
    case eFORM_LATEX:
      // a wider text block holds twelve columns of fractions
      return "\\documentclass{article}\n\\usepackage{amsmath}\n"
             "\\setlength{\\textwidth}{6.5in}\n\\setlength{\\oddsidemargin}{0in}\n"
             "\\setlength{\\parindent}{0pt}\n\\begin{document}\n\n" +
             sBody + "\\end{document}\n";
    default:
      return sBody;
  }
}

std::string stepsDocument(const std::vector<ClStepsOperand>& aKept, const ClStepsView& view,
                          eTEXT_FORM eForm) {
  std::vector<ClSteps> aSteps;
  for (const ClStepsOperand& operand : aKept)
    aSteps.push_back(computeSteps(operand, view.m_Options));
  return stepsDocument(aKept, aSteps, view, eForm);
}

std::string stepsDocument(const std::vector<ClStepsOperand>& aKept,
                          const std::vector<ClSteps>& aSteps, const ClStepsView& view,
                          eTEXT_FORM eForm) {
  std::vector<std::string> asParts;
  for (size_t k = 0; k < aKept.size() && k < aSteps.size(); ++k)
    asParts.push_back(writeSteps(aKept[k], aSteps[k], view.m_eGrouping, eForm, view.m_iHtml_Line));
  if (asParts.empty()) asParts.push_back(nothingKept(eForm));
  return wholeDocument(asParts, eForm);
}
