// SPDX-License-Identifier: GPL-3.0-or-later
// A matrix in the forms other tools read. Every entry starts as the text the
// display writes ("-2/3", "3 - 4i", "i", "1.5E-03"); the forms split it into
// its parts and write them as the target reads them.
#include "command/matrix_forms.h"

#include <algorithm>
#include <string>

#include "command/steps_writer.h"

const char* const gc_aacRESULT_FORM_LABEL[eRESULT_FORM_COUNT] = {"Text",  "LaTeX",  "Markdown",
                                                                 "NumPy", "Octave", "CSV"};
const char* const gc_aacRESULT_FORM_WORD[eRESULT_FORM_COUNT] = {"text",  "latex",  "markdown",
                                                                "numpy", "octave", "csv"};

namespace {

// An entry's text in parts: the real part (empty for an imaginary entry) and
// the imaginary part's sign and magnitude ("" for the unit i). An entry with
// a non-finite part is its one number, in sReal.
struct ClEntryParts {
  std::string sReal;
  bool bImaginary = false;
  bool bNegative = false;
  std::string sMagnitude;
};

ClEntryParts partsOf(const std::string& sEntry) {
  ClEntryParts parts;
  size_t uiSign = sEntry.find(" + ");
  if (uiSign == std::string::npos) uiSign = sEntry.find(" - ");
  std::string sImaginary = sEntry;
  if (uiSign != std::string::npos) {
    parts.sReal = sEntry.substr(0, uiSign);
    sImaginary = sEntry.substr(uiSign + 1);
    sImaginary.erase(1, 1);  // "- 4i" -> "-4i"
  } else if (sEntry.empty() || sEntry.back() != 'i') {
    parts.sReal = sEntry;
    return parts;
  }
  parts.bImaginary = true;
  parts.bNegative = sImaginary[0] == '-';
  const size_t uiBegin = sImaginary[0] == '-' || sImaginary[0] == '+' ? 1 : 0;
  parts.sMagnitude = sImaginary.substr(uiBegin, sImaginary.size() - 1 - uiBegin);
  return parts;
}

// "INF", "-INF", "NAN" as the target names them; else empty.
std::string nonFinite(const std::string& sNumber, const char* acInfinity, const char* acNan) {
  if (sNumber.find("NAN") != std::string::npos) return acNan;
  if (sNumber == "INF") return acInfinity;
  if (sNumber == "-INF") return std::string("-") + acInfinity;
  return "";
}

// An imaginary magnitude with the unit: "4j", "1j", "1/2*1j" (a fraction
// before the unit would divide by it: Python reads 1/2j as 1/(2j)).
std::string imaginaryCode(const std::string& sMagnitude, const char* acUnit) {
  if (sMagnitude.empty()) return "1" + std::string(acUnit);
  if (sMagnitude.find('/') != std::string::npos) return sMagnitude + "*1" + acUnit;
  return sMagnitude + acUnit;
}

// An entry for a programming language, without blanks: "3+4j", "-2j".
std::string codeEntry(const std::string& sEntry, const char* acUnit, const char* acInfinity,
                      const char* acNan) {
  const ClEntryParts parts = partsOf(sEntry);
  const std::string sNon_Finite = nonFinite(parts.sReal, acInfinity, acNan);
  if (!sNon_Finite.empty()) return sNon_Finite;
  if (!parts.bImaginary) return parts.sReal;
  const char* acSign = parts.bNegative ? "-" : (parts.sReal.empty() ? "" : "+");
  return parts.sReal + acSign + imaginaryCode(parts.sMagnitude, acUnit);
}

std::string withoutBlanks(std::string sText) {
  sText.erase(std::remove(sText.begin(), sText.end(), ' '), sText.end());
  return sText;
}

std::string entryInForm(const std::string& sEntry, eRESULT_FORM eForm) {
  switch (eForm) {
    case eRESULT_LATEX:
      return latexNumber(sEntry);
    case eRESULT_NUMPY:
      return codeEntry(sEntry, "j", "np.inf", "np.nan");
    case eRESULT_OCTAVE:
      return codeEntry(sEntry, "i", "Inf", "NaN");
    case eRESULT_CSV:
      return withoutBlanks(sEntry);
    default:
      return sEntry;
  }
}

// The separators of a form: before the first row, between entries, between
// rows and after the last row.
struct ClLayout {
  const char* acBegin;
  const char* acBetween_Entries;
  const char* acBetween_Rows;
  const char* acEnd;
};

ClLayout layoutOf(eRESULT_FORM eForm) {
  switch (eForm) {
    case eRESULT_LATEX:
      return {"\\begin{pmatrix}\n", " & ", " \\\\\n", "\n\\end{pmatrix}"};
    case eRESULT_MARKDOWN:
      return {"| ", " | ", " |\n| ", " |"};
    case eRESULT_NUMPY:
      return {"np.array([[", ", ", "], [", "]])"};
    case eRESULT_OCTAVE:
      return {"[", ", ", "; ", "]"};
    case eRESULT_CSV:
      return {"", ",", "\n", ""};
    default:
      return {"", ", ", " ;\n", ""};
  }
}

// Markdown's header and delimiter rows: a table needs them.
std::string markdownHeader(Eigen::Index lColumns) {
  std::string sNames = "|", sDelimiter = "|";
  for (Eigen::Index lCol = 0; lCol < lColumns; ++lCol) {
    sNames += " Col " + std::to_string(lCol + 1) + " |";
    sDelimiter += "---:|";
  }
  return sNames + "\n" + sDelimiter + "\n";
}

// The entries' texts as the display writes them (its output format and
// Zero Out), or at full precision with nothing hidden.
class ClEntryWriter {
 public:
  ClEntryWriter(const ClMatrix& mM, bool bFull_Precision)
      : m_bFull(bFull_Precision), m_bHide(!bFull_Precision && g_bZero_Out && mM.size() != 1) {
    if (m_bHide) m_dTolerance = ClCalculator::displayTolerance(mM);
  }

  std::string text(ClComplex cZ) const {
    return m_bFull ? ClCalculator::fullEntryText(cZ)
                   : ClCalculator::entryText(cZ, m_bHide, m_dTolerance);
  }

 private:
  bool m_bFull;
  bool m_bHide;
  double m_dTolerance = 0.0;
};

}  // namespace

std::string matrixInForm(const ClMatrix& mM, eRESULT_FORM eForm, bool bFull_Precision) {
  if (mM.size() == 0) return "";
  const ClEntryWriter writer(mM, bFull_Precision);
  const bool bTable = eForm == eRESULT_MARKDOWN || eForm == eRESULT_CSV;
  if (mM.size() == 1 && !bTable) return entryInForm(writer.text(mM(0, 0)), eForm);
  const ClLayout layout = layoutOf(eForm);
  std::string sText = eForm == eRESULT_MARKDOWN ? markdownHeader(mM.cols()) : "";
  sText += layout.acBegin;
  for (Eigen::Index lRow = 0; lRow < mM.rows(); ++lRow) {
    if (lRow > 0) sText += layout.acBetween_Rows;
    for (Eigen::Index lCol = 0; lCol < mM.cols(); ++lCol) {
      if (lCol > 0) sText += layout.acBetween_Entries;
      sText += entryInForm(writer.text(mM(lRow, lCol)), eForm);
    }
  }
  return sText + layout.acEnd;
}
