// SPDX-License-Identifier: GPL-3.0-or-later
// LaTeX read as rows (see reader_latex.h): rows at \\, cells at &, and each
// cell's commands written as the plain text the entry grammar reads
// (\frac{1}{2} as 1/2, 1.5 \times 10^{-3} as 1.5E-3). The entry grammar
// itself is in reader_entries; no other form is read here.
#include "command/reader_latex.h"

#include <string>
#include <vector>

using std::string_view;

namespace {

// The starred forms ("pmatrix*", with an alignment option) are amsmath's
// environments extended.
bool isMatrixEnvironment(string_view svName) {
  if (svName == "array") return true;
  if (!svName.empty() && svName.back() == '*') svName.remove_suffix(1);
  for (const char* acName :
       {"pmatrix", "bmatrix", "Bmatrix", "vmatrix", "Vmatrix", "matrix", "smallmatrix"})
    if (svName == acName) return true;
  return false;
}

// Past an option "[2pt]", "[t]" or "[r]" at uiPos (blanks before it
// skipped); a '[' without a near ']' is no option.
size_t afterOption(string_view sv, size_t uiPos) {
  size_t k = uiPos;
  while (k < sv.size() && isBlank(sv[k])) ++k;
  if (k >= sv.size() || sv[k] != '[') return uiPos;
  const size_t uiClose = sv.substr(k, 32).find(']');
  return uiClose == gc_uiNONE ? uiPos : k + uiClose + 1;
}

// The group "{...}" at uiPos (blanks before it skipped), braces nested;
// uiPos moves past it. A single character stands for itself (\frac12).
string_view argumentAt(string_view sv, size_t& uiPos) {
  while (uiPos < sv.size() && isBlank(sv[uiPos])) ++uiPos;
  if (uiPos >= sv.size()) return {};
  if (sv[uiPos] != '{') return sv.substr(uiPos++, 1);
  const size_t uiBegin = ++uiPos;
  for (int iDepth = 1; uiPos < sv.size(); ++uiPos) {
    iDepth += sv[uiPos] == '{' ? 1 : (sv[uiPos] == '}' ? -1 : 0);
    if (iDepth == 0) return sv.substr(uiBegin, uiPos++ - uiBegin);
  }
  return sv.substr(uiBegin);
}

// The command name after the backslash at uiPos (letters, or one other
// character); uiPos moves past it.
string_view commandAt(string_view sv, size_t& uiPos) {
  const size_t uiBegin = ++uiPos;
  if (uiPos < sv.size() && !isLetter(sv[uiPos])) return sv.substr(uiPos++, 1);
  while (uiPos < sv.size() && isLetter(sv[uiPos])) ++uiPos;
  return sv.substr(uiBegin, uiPos - uiBegin);
}

bool isDigits(string_view sv) {
  return !sv.empty() && sv.find_first_not_of("0123456789") == gc_uiNONE;
}

// sOut ends with a decimal number that is no denominator: "1.5" may take
// an exponent, "1/2" may not (1/2E3 would be 1/2000).
bool endsWithDecimal(const std::string& sOut) {
  size_t k = sOut.size();
  while (k > 0 && (isDigit(sOut[k - 1]) || sOut[k - 1] == '.')) --k;
  return k < sOut.size() && (k == 0 || sOut[k - 1] != '/');
}

// \times or \cdot: before "10^{-3}" or "10^3" after a decimal number an
// exponent "E-3", else a product '*' (which no entry has: the cell is
// refused).
void appendTimes(string_view sv, size_t& uiPos, std::string& sOut) {
  size_t k = uiPos;
  while (k < sv.size() && isBlank(sv[k])) ++k;
  if (!startsWith(sv.substr(k), "10^")) {
    sOut += '*';
    return;
  }
  k += 3;
  const string_view svPower = trimmed(argumentAt(sv, k));
  uiPos = k;
  const bool bSigned = !svPower.empty() && isSign(svPower.front());
  while (!sOut.empty() && isBlank(sOut.back())) sOut.pop_back();
  if (isDigits(svPower.substr(bSigned ? 1 : 0)) && endsWithDecimal(sOut))
    sOut += "E" + std::string(svPower);
  else
    sOut += "*10^";
}

bool isUnsignedNumber(string_view sv) {
  return !sv.empty() && sv.find_first_not_of("0123456789.") == gc_uiNONE;
}

// \frac{a}{b} with numbers a (a sign allowed) and b as "a/b"; any other
// fraction stays a command, and the cell is refused.
void appendFraction(string_view sv, size_t& uiPos, std::string& sOut) {
  const string_view svNumerator = trimmed(argumentAt(sv, uiPos));
  const string_view svDenominator = trimmed(argumentAt(sv, uiPos));
  const bool bSigned = !svNumerator.empty() && isSign(svNumerator.front());
  if (isUnsignedNumber(svNumerator.substr(bSigned ? 1 : 0)) && isUnsignedNumber(svDenominator))
    sOut += std::string(svNumerator) + "/" + std::string(svDenominator);
  else
    sOut += "\\frac";
}

// One command of a cell written as plain text into sOut; a command the
// entry grammar has no use for stays, so that the cell is no number.
void appendCommand(string_view sv, size_t& uiPos, std::string& sOut) {
  const size_t uiBackslash = uiPos;
  const string_view svName = commandAt(sv, uiPos);
  if (svName == "," || svName == ";" || svName == "!" || svName == ":" || svName == " " ||
      svName == "quad" || svName == "qquad") {
    sOut += ' ';
  } else if (svName == "cline" || svName == "phantom") {
    argumentAt(sv, uiPos);
  } else if (svName == "cdot" || svName == "times") {
    appendTimes(sv, uiPos, sOut);
  } else if (svName == "frac" || svName == "dfrac" || svName == "tfrac") {
    appendFraction(sv, uiPos, sOut);
  } else if (svName == "infty") {
    sOut += "inf";
  } else if (svName != "hline" && svName != "mathrm" && svName != "text" && svName != "boxed") {
    sOut += sv.substr(uiBackslash, uiPos - uiBackslash);
  }
}

// A cell in LaTeX as the entry grammar reads it: groups' braces dropped,
// \mathrm{i} as i, \frac{1}{2} as 1/2, 1.5 \times 10^{-3} as 1.5E-3.
std::string latexCell(string_view sv) {
  std::string sOut;
  sOut.reserve(sv.size());
  for (size_t k = 0; k < sv.size();) {
    const char c = sv[k];
    if (c == '\\') {
      appendCommand(sv, k, sOut);
      continue;
    }
    if (c == '~') sOut += ' ';
    if (!isOneOf(c, "{}~$")) sOut += c;
    ++k;
  }
  return sOut;
}

bool addLatexRow(ClReading& reading, const std::vector<string_view>& aCells) {
  const size_t uiFirst = reading.m_asConverted.size();
  bool bBlank = true;
  for (const string_view svCell : aCells) {
    reading.m_asConverted.push_back(latexCell(svCell));
    bBlank = bBlank && trimmed(reading.m_asConverted.back()).empty();
  }
  // a blank row: the "\\" that ends the last row, a \hline
  if (bBlank && aCells.size() == 1) {
    reading.m_asConverted.pop_back();
    return true;
  }
  for (size_t k = 0; k < aCells.size(); ++k)
    if (!reading.addCell(reading.m_asConverted[uiFirst + k], aCells[k])) return false;
  return reading.endRow();
}

// Rows at \\ (a spacing "[2pt]" after it skipped), columns at &.
bool cutLatexRows(ClReading& reading, string_view svBody) {
  std::vector<string_view> aCells;
  size_t uiCell = 0;
  for (size_t k = 0; k <= svBody.size();) {
    const bool bEnd = k == svBody.size();
    const bool bRow_End = bEnd || svBody.compare(k, 2, "\\\\") == 0;
    if (!bRow_End && svBody[k] == '\\') {
      k += 2;  // "\&" is no column
      continue;
    }
    if (!bRow_End && svBody[k] != '&') {
      ++k;
      continue;
    }
    aCells.push_back(svBody.substr(uiCell, k - uiCell));
    if (bEnd) return addLatexRow(reading, aCells);
    if (!bRow_End) {
      uiCell = ++k;
      continue;
    }
    if (!addLatexRow(reading, aCells)) return false;
    aCells.clear();
    k += 2;
    if (k < svBody.size() && svBody[k] == '*') ++k;
    uiCell = k = afterOption(svBody, k);
  }
  return true;
}

// The name in "{pmatrix}" at uiPos (letters and '*'), empty when there is
// none; uiPos moves past it.
string_view environmentAt(string_view sv, size_t& uiPos) {
  if (uiPos >= sv.size() || sv[uiPos] != '{') return {};
  size_t k = uiPos + 1;
  while (k < sv.size() && (isLetter(sv[k]) || sv[k] == '*')) ++k;
  if (k >= sv.size() || sv[k] != '}') return {};
  const string_view svName = sv.substr(uiPos + 1, k - uiPos - 1);
  uiPos = k + 1;
  return svName;
}

bool isDressing(string_view svName) {
  for (const char* acName :
       {"left",      "right",  "big",   "Big", "bigl", "bigr", "Bigl",  "Bigr",  "displaystyle",
        "textstyle", "quad",   "qquad", ",",   ";",    "!",    ":",     " ",     "[",
        "]",         "(",      ")",     "{",   "}",    "|",    "lvert", "rvert", "lVert",
        "rVert",     "langle", "rangle"})
    if (svName == acName) return true;
  return false;
}

// Where the text around the environment stops being dressing ($, \[, \left(,
// delimiters, other environments' \begin and \end); none when it is all
// dressing.
size_t undressedAt(string_view sv) {
  for (size_t k = 0; k < sv.size();) {
    const size_t uiStart = k;
    if (isBlank(sv[k]) || isOneOf(sv[k], "$()[]|.,;")) {
      ++k;
      continue;
    }
    if (sv[k] != '\\') return uiStart;
    const string_view svName = commandAt(sv, k);
    if (svName == "begin" || svName == "end") {
      if (isMatrixEnvironment(environmentAt(sv, k))) return uiStart;
    } else if (!isDressing(svName)) {
      return uiStart;
    }
  }
  return gc_uiNONE;
}

// A label before the matrix ("A^{-1} =") is dropped; other text refused.
bool checkAround(ClReading& reading, string_view svBefore, string_view svAfter) {
  const size_t uiEquals = svBefore.rfind('=');
  if (uiEquals != gc_uiNONE) svBefore.remove_prefix(uiEquals + 1);
  for (const string_view sv : {svBefore, svAfter}) {
    const size_t uiAt = undressedAt(sv);
    if (uiAt != gc_uiNONE)
      return reading.fail(quoted(sv.substr(uiAt, gc_uiQUOTE_LENGTH + 1)) +
                          " stands outside the matrix.");
  }
  return true;
}

// The first matrix environment's \begin, or none; uiBody after it.
size_t matrixBegin(string_view sv, std::string& sName, size_t& uiBody) {
  for (size_t uiPos = sv.find("\\begin{"); uiPos != gc_uiNONE;
       uiPos = sv.find("\\begin{", uiPos + 1)) {
    uiBody = uiPos + 6;
    sName = environmentAt(sv, uiBody);
    if (isMatrixEnvironment(sName)) return uiPos;
  }
  return gc_uiNONE;
}

// After \begin{array}: an optional position [t] and the column format; after
// \begin{pmatrix*}: an optional alignment [r].
size_t bodyStart(string_view sv, const std::string& sName, size_t uiPos) {
  if (sName != "array" && sName.back() != '*') return uiPos;
  uiPos = afterOption(sv, uiPos);
  if (sName == "array") argumentAt(sv, uiPos);
  return uiPos;
}

// An \end of a matrix environment without its \begin.
bool refuseLoneEnd(ClReading& reading, string_view svText) {
  for (size_t k = svText.find("\\end{"); k != gc_uiNONE; k = svText.find("\\end{", k)) {
    k += 4;
    const std::string sEnd(environmentAt(svText, k));
    if (isMatrixEnvironment(sEnd))
      return reading.fail("\\end{" + sEnd + "} has no \\begin{" + sEnd + "}.");
  }
  return reading.fail("it has no matrix environment.");
}

}  // namespace

bool readLatex(ClReading& reading, string_view svText) {
  std::string sName;
  size_t uiBody = 0;
  const size_t uiBegin = matrixBegin(svText, sName, uiBody);
  if (uiBegin == gc_uiNONE) return refuseLoneEnd(reading, svText);
  uiBody = bodyStart(svText, sName, uiBody);
  const size_t uiEnd = svText.find("\\end{", uiBody);
  if (svText.find("\\begin{", uiBody) < uiEnd)
    return reading.fail("\\begin{" + sName + "} holds another environment.");
  size_t uiAfter = uiEnd == gc_uiNONE ? svText.size() : uiEnd + 4;
  if (uiEnd == gc_uiNONE || environmentAt(svText, uiAfter) != sName)
    return reading.fail("\\begin{" + sName + "} has no \\end{" + sName + "}.");
  return checkAround(reading, svText.substr(0, uiBegin), svText.substr(uiAfter)) &&
         cutLatexRows(reading, svText.substr(uiBody, uiEnd - uiBody));
}

bool readLatexBody(ClReading& reading, string_view svText) {
  while (!svText.empty() && svText.front() == '$') svText.remove_prefix(1);
  while (!svText.empty() && svText.back() == '$') svText.remove_suffix(1);
  return cutLatexRows(reading, svText);
}
