// SPDX-License-Identifier: GPL-3.0-or-later
// A matrix in the forms other tools read. Every entry starts as the text the
// display writes ("-2/3", "3 - 4i", "i", "1.5E-03"); the forms split it into
// its parts and write them as the target reads them.
#include "command/matrix_forms.h"

#include <algorithm>
#include <string>

#include "command/steps_writer.h"

const char* const gc_aacRESULT_FORM_LABEL[gc_iRESULT_FORMS] = {"Text",  "LaTeX",  "Markdown",
                                                               "NumPy", "Octave", "CSV"};
const char* const gc_aacRESULT_FORM_WORD[gc_iRESULT_FORMS] = {"text",  "latex",  "markdown",
                                                              "numpy", "octave", "csv"};

namespace {

// "INF", "-INF", "NAN" as the target names them; else empty.
std::string nonFiniteCode(const std::string& sNumber, const char* acInfinity, const char* acNan) {
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
  const ClEntryParts parts = entryParts(sEntry);
  const std::string sNon_Finite = nonFiniteCode(parts.m_sReal, acInfinity, acNan);
  if (!sNon_Finite.empty()) return sNon_Finite;
  if (!parts.m_bImaginary) return parts.m_sReal;
  const char* acSign = parts.m_bNegative ? "-" : (parts.m_sReal.empty() ? "" : "+");
  return parts.m_sReal + acSign + imaginaryCode(parts.m_sMagnitude, acUnit);
}

std::string withoutBlanks(std::string sText) {
  sText.erase(std::remove(sText.begin(), sText.end(), ' '), sText.end());
  return sText;
}

std::string entryInForm(const std::string& sEntry, eTEXT_FORM eForm) {
  switch (eForm) {
    case eFORM_LATEX:
      return latexNumber(sEntry);
    case eFORM_NUMPY:
      return codeEntry(sEntry, "j", "np.inf", "np.nan");
    case eFORM_OCTAVE:
      return codeEntry(sEntry, "i", "Inf", "NaN");
    case eFORM_CSV:
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

ClLayout layoutOf(eTEXT_FORM eForm) {
  switch (eForm) {
    case eFORM_LATEX:
      return {"\\begin{pmatrix}\n", " & ", " \\\\\n", "\n\\end{pmatrix}"};
    case eFORM_MARKDOWN:
      return {"| ", " | ", " |\n| ", " |"};
    case eFORM_NUMPY:
      return {"np.array([[", ", ", "], [", "]])"};
    case eFORM_OCTAVE:
      return {"[", ", ", "; ", "]"};
    case eFORM_CSV:
      return {"", ",", "\n", ""};
    default:
      return {"", gc_acENTRY_SEPARATOR, gc_acROW_SEPARATOR, ""};
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

}  // namespace

std::string matrixInForm(const ClMatrix& mM, eTEXT_FORM eForm, const ClDisplayOptions& display) {
  if (mM.size() == 0) return "";
  const ClValueWriter writer(mM, display);
  const bool bTable = eForm == eFORM_MARKDOWN || eForm == eFORM_CSV;
  if (mM.size() == 1 && !bTable) return entryInForm(writer.entry(mM(0, 0)), eForm);
  const ClLayout layout = layoutOf(eForm);
  std::string sText = eForm == eFORM_MARKDOWN ? markdownHeader(mM.cols()) : "";
  sText += layout.acBegin;
  for (Eigen::Index lRow = 0; lRow < mM.rows(); ++lRow) {
    if (lRow > 0) sText += layout.acBetween_Rows;
    for (Eigen::Index lCol = 0; lCol < mM.cols(); ++lCol) {
      if (lCol > 0) sText += layout.acBetween_Entries;
      sText += entryInForm(writer.entry(mM(lRow, lCol)), eForm);
    }
  }
  return sText + layout.acEnd;
}
