// SPDX-License-Identifier: GPL-3.0-or-later
// The entry grammar (see reader_entries.h): each cell as a number, a
// fraction, a complex number or i alone, with the token characters that
// type it and the value the calculator gives those tokens. How the text was
// cut into cells is the forms' business (reader_rows, reader_brackets,
// reader_latex).
#include "command/reader_entries.h"

#include <cmath>
#include <locale>
#include <sstream>
#include <string>

#include "engine/calculator.h"

using std::string_view;

namespace {

// Numbers converted as ClCalculator::charToDouble converts the lexer's
// (stream extraction in the classic locale), through one stream: a stream
// made for each of 262,144 numbers would take most of the reading's time.
class ClNumbers {
 public:
  ClNumbers() { m_Stream.imbue(std::locale::classic()); }

  // sNumber as the lexer assembles it ('E' as 'e'); false when it overflows.
  bool value(const std::string& sNumber, double& dValue) {
    m_sLexed = sNumber;
    for (char& c : m_sLexed)
      if (c == 'E') c = 'e';
    m_Stream.clear();
    m_Stream.str(m_sLexed);
    double dRead = 0.0;
    m_Stream >> dRead;
    if (m_Stream.fail() || m_Stream.bad()) return false;
    dValue = dRead;
    return true;
  }

 private:
  std::istringstream m_Stream;
  std::string m_sLexed;
};

// A part: a number, a fraction of numbers, either times the imaginary unit,
// or the unit alone (m_sNumber empty).
struct ClPart {
  std::string m_sNumber;
  std::string m_sDenominator;
  bool m_bImaginary = false;
};

// One cell by the entry grammar:
//   entry  = [ "(" ] [ sign ] part [ sign part ] [ ")" ]   (one real, one imaginary)
//   part   = unit | real [ [ "*" ] [ one ] unit ]
//   real   = number [ "/" number ]
//   number = digits [ "." [ digits ] ] | "." digits, then [ (e|E) [ sign ] digits ]
//   unit   = i | j | I | J
// with blanks between the elements.
class ClEntryScanner {
 public:
  ClEntryScanner(string_view sv, ClNumbers& numbers) : m_sv(sv), m_Numbers(numbers) {}

  bool entry(bool& bNegative, ClPart& first, char& cOperator, ClPart& second) {
    skipBlanks();
    const bool bParenthesis = take('(');
    skipBlanks();
    bNegative = take('-');
    if (!bNegative) take('+');
    if (!part(first)) return false;
    skipBlanks();
    cOperator = isSign(peek()) ? m_sv[m_uiPos++] : '\0';
    if (cOperator != '\0' && (!part(second) || first.m_bImaginary == second.m_bImaginary))
      return false;
    skipBlanks();
    if (bParenthesis && !take(')')) return false;
    skipBlanks();
    return m_uiPos == m_sv.size();
  }

 private:
  char peek(size_t uiAhead = 0) const {
    return m_uiPos + uiAhead < m_sv.size() ? m_sv[m_uiPos + uiAhead] : '\0';
  }
  void skipBlanks() {
    while (isBlank(peek())) ++m_uiPos;
  }
  bool take(char c) {
    if (peek() != c) return false;
    ++m_uiPos;
    return true;
  }
  size_t digitsFrom(size_t k) const {
    while (k < m_sv.size() && isDigit(m_sv[k])) ++k;
    return k;
  }
  bool unit() {
    const char c = peek();
    if (!isOneOf(c, "ijIJ") || isLetter(peek(1)) || isDigit(peek(1))) return false;
    ++m_uiPos;
    return true;
  }

  // Normalised: "E" exponents without '+' or leading zeros, no point without
  // digits after it ("5." is "5", "1.e5" is "1E5").
  bool number(std::string& sNumber) {
    const size_t uiInteger_End = digitsFrom(m_uiPos);
    size_t uiEnd = uiInteger_End;
    size_t uiFraction_End = uiEnd;
    if (uiEnd < m_sv.size() && m_sv[uiEnd] == '.') uiEnd = uiFraction_End = digitsFrom(uiEnd + 1);
    const size_t uiFraction = uiInteger_End + 1;
    const bool bFraction = uiFraction_End > uiFraction;
    if (uiInteger_End == m_uiPos && !bFraction) return false;
    sNumber.assign(m_sv.substr(m_uiPos, uiInteger_End - m_uiPos));
    if (bFraction) sNumber += m_sv.substr(uiInteger_End, uiFraction_End - uiInteger_End);
    m_uiPos = uiEnd;
    if (peek() != 'e' && peek() != 'E') return true;
    const bool bSigned = isSign(peek(1));
    const size_t uiDigits = m_uiPos + (bSigned ? 2 : 1);
    const size_t uiExponent_End = digitsFrom(uiDigits);
    if (uiExponent_End == uiDigits) return true;
    size_t uiFirst = uiDigits;
    while (uiFirst + 1 < uiExponent_End && m_sv[uiFirst] == '0') ++uiFirst;
    sNumber += peek(1) == '-' ? "E-" : "E";
    sNumber += m_sv.substr(uiFirst, uiExponent_End - uiFirst);
    m_uiPos = uiExponent_End;
    return true;
  }

  // The factor 1 before a unit ("1/2*1j") changes no value and is dropped.
  bool product() {
    skipBlanks();
    std::string sOne;
    double dOne = 0.0;
    if (number(sOne) && !(m_Numbers.value(sOne, dOne) && dOne == 1.0)) return false;
    skipBlanks();
    return unit();
  }

  bool part(ClPart& part) {
    skipBlanks();
    if (unit()) {
      part.m_bImaginary = true;
      return true;
    }
    if (!number(part.m_sNumber)) return false;
    skipBlanks();
    if (take('/')) {
      skipBlanks();
      if (!number(part.m_sDenominator)) return false;
      skipBlanks();
    }
    if (take('*')) {
      if (!product()) return false;
    } else if (!unit()) {
      return true;
    }
    part.m_bImaginary = true;
    // "1j" is "i"
    double dValue = 0.0;
    if (part.m_sDenominator.empty() && m_Numbers.value(part.m_sNumber, dValue) && dValue == 1.0)
      part.m_sNumber.clear();
    return true;
  }

  string_view m_sv;
  ClNumbers& m_Numbers;
  size_t m_uiPos = 0;
};

std::string partTokens(const ClPart& part) {
  if (part.m_sNumber.empty()) return "i";
  std::string sTokens = part.m_sNumber;
  if (!part.m_sDenominator.empty()) sTokens += "/" + part.m_sDenominator;
  if (part.m_bImaginary) sTokens += 'i';
  return sTokens;
}

// The values below are computed step by step as the parser evaluates the
// tokens: prefix minus on the first number (or i), the division by the
// denominator, the product with i the lexer inserts, the sum or difference.

// The prefix minus: -(z + 0) with its signed zeros then removed.
ClComplex prefixMinus(ClComplex cZ) {
  return {-(cZ.real() + 0.0) + 0.0, -(cZ.imag() + 0.0) + 0.0};
}

// Division by a real scalar d, as the parser divides by any scalar (d, 0).
ClComplex dividedBy(ClComplex cZ, double dD) {
  const double dRatio = 0.0 / dD;
  const double dDenominator = dD + 0.0 * dRatio;
  return {(cZ.real() + cZ.imag() * dRatio) / dDenominator,
          (cZ.imag() - cZ.real() * dRatio) / dDenominator};
}

// The textbook product with i = (0, 1).
ClComplex timesI(ClComplex cZ) {
  return {cZ.real() * 0.0 - cZ.imag() * 1.0, cZ.real() * 1.0 + cZ.imag() * 0.0};
}

bool partValue(ClNumbers& numbers, const ClPart& part, bool bNegative, ClComplex& cValue) {
  double dNumber = 0.0, dDenominator = 0.0;
  if (part.m_sNumber.empty()) {
    cValue = ClComplex(0.0, 1.0);
    if (bNegative) cValue = prefixMinus(cValue);
    return true;
  }
  if (!numbers.value(part.m_sNumber, dNumber)) return false;
  cValue = ClComplex(dNumber, 0.0);
  if (bNegative) cValue = prefixMinus(cValue);
  if (!part.m_sDenominator.empty()) {
    if (!numbers.value(part.m_sDenominator, dDenominator)) return false;
    cValue = dividedBy(cValue, dDenominator);
  }
  if (part.m_bImaginary) cValue = timesI(cValue);
  return true;
}

bool mentionsNonFinite(string_view sv) {
  std::string sLower(sv);
  for (char& c : sLower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return sLower.find("inf") != gc_uiNONE || sLower.find("nan") != gc_uiNONE;
}

enum eENTRY { eENTRY_READ, eENTRY_NOT_A_NUMBER, eENTRY_NOT_FINITE };

eENTRY readEntry(ClNumbers& numbers, string_view svText, ClReadEntry& entry) {
  bool bNegative = false;
  char cOperator = '\0';
  ClPart first, second;
  if (!ClEntryScanner(svText, numbers).entry(bNegative, first, cOperator, second))
    return mentionsNonFinite(svText) ? eENTRY_NOT_FINITE : eENTRY_NOT_A_NUMBER;
  entry.m_sTokens = (bNegative ? "-" : "") + partTokens(first);
  ClComplex cFirst, cSecond;
  if (!partValue(numbers, first, bNegative, cFirst)) return eENTRY_NOT_FINITE;
  entry.m_cValue = cFirst;
  if (cOperator != '\0') {
    entry.m_sTokens += cOperator + partTokens(second);
    if (!partValue(numbers, second, false, cSecond)) return eENTRY_NOT_FINITE;
    const double dSign = cOperator == '-' ? -1.0 : 1.0;
    entry.m_cValue = {dSign * cSecond.real() + cFirst.real(),
                      dSign * cSecond.imag() + cFirst.imag()};
  }
  const bool bFinite = std::isfinite(entry.m_cValue.real()) && std::isfinite(entry.m_cValue.imag());
  return bFinite ? eENTRY_READ : eENTRY_NOT_FINITE;
}

}  // namespace

bool readEntries(ClReading& reading, ClReadMatrix& matrix) {
  ClNumbers numbers;
  matrix.m_aEntries.resize(reading.m_aCells.size());
  for (size_t k = 0; k < reading.m_aCells.size(); ++k) {
    const eENTRY eRead = readEntry(numbers, reading.m_aCells[k].m_svText, matrix.m_aEntries[k]);
    if (eRead == eENTRY_READ) continue;
    const auto llColumns = static_cast<size_t>(reading.m_llColumns);
    return reading.fail("row " + std::to_string(k / llColumns + 1) + ", column " +
                        std::to_string(k % llColumns + 1) + " is " +
                        (eRead == eENTRY_NOT_FINITE ? "not finite (" : "not a number (") +
                        quoted(reading.m_aCells[k].m_svShown) + ").");
  }
  matrix.m_iRows = static_cast<int32_t>(reading.m_llRows);
  matrix.m_iColumns = static_cast<int32_t>(reading.m_llColumns);
  return true;
}
