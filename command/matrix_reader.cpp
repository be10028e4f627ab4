// SPDX-License-Identifier: GPL-3.0-or-later
// Pasted text read as a matrix. The text is made plain first (line ends,
// Unicode signs and spaces), its form is told by its first characters (a
// LaTeX environment anywhere, a bracket or a wrapper call, a Markdown pipe,
// else rows of a line each), the form cuts it into rows of cells, and one
// entry grammar reads every cell. Each step is linear in the text.
#include "command/matrix_reader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>
#include <locale>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/calculator.h"

namespace {

using std::string_view;

constexpr const char* gc_acNOT_A_MATRIX = "Clipboard text is not a matrix: ";
constexpr size_t gc_uiQUOTE_LENGTH = 20;
constexpr size_t gc_uiNONE = string_view::npos;

// ----- plain text

struct ClUnicode {
  const char* m_acBytes;
  const char* m_acPlain;
};

// Signs, spaces and the product dot as other programs write them; a byte
// order mark is dropped.
const ClUnicode gc_aUNICODE[] = {
    {"\xE2\x88\x92", "-"},   {"\xE2\x80\x93", "-"}, {"\xC2\xA0", " "},     {"\xE2\x80\x89", " "},
    {"\xE2\x80\xAF", " "},   {"\xC3\x97", "*"},     {"\xE2\x8B\x85", "*"}, {"\xC2\xB7", "*"},
    {"\xE2\x88\x9E", "inf"}, {"\xEF\xBB\xBF", ""},
};

const ClUnicode* unicodeAt(const std::string& sText, size_t uiPos) {
  for (const ClUnicode& unicode : gc_aUNICODE)
    if (sText.compare(uiPos, std::strlen(unicode.m_acBytes), unicode.m_acBytes) == 0)
      return &unicode;
  return nullptr;
}

// Line ends become '\n', the Unicode characters above their ASCII ones.
std::string plainText(const std::string& sText) {
  std::string sPlain;
  sPlain.reserve(sText.size());
  for (size_t k = 0; k < sText.size(); ++k) {
    const char c = sText[k];
    if (c == '\r') {
      sPlain += '\n';
      if (k + 1 < sText.size() && sText[k + 1] == '\n') ++k;
      continue;
    }
    const ClUnicode* pUnicode =
        static_cast<unsigned char>(c) < 0x80 ? nullptr : unicodeAt(sText, k);
    if (pUnicode == nullptr) {
      sPlain += c;
      continue;
    }
    sPlain += pUnicode->m_acPlain;
    k += std::strlen(pUnicode->m_acBytes) - 1;
  }
  return sPlain;
}

inline bool isSpace(char c) {
  return c == ' ' || c == '\f' || c == '\v';
}
inline bool isBlank(char c) {
  return isSpace(c) || c == '\t' || c == '\n';
}
inline bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
inline bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline bool isNameCharacter(char c) {
  return isLetter(c) || isDigit(c) || c == '_' || c == '.';
}
inline bool isSign(char c) {
  return c == '+' || c == '-';
}
inline bool isOneOf(char c, const char* acSet) {
  return c != '\0' && std::strchr(acSet, c) != nullptr;
}
inline bool holds(string_view sv, char c) {
  return sv.find(c) != gc_uiNONE;
}

string_view trimmed(string_view sv, bool (*pIsBlank)(char) = isBlank) {
  while (!sv.empty() && pIsBlank(sv.front())) sv.remove_prefix(1);
  while (!sv.empty() && pIsBlank(sv.back())) sv.remove_suffix(1);
  return sv;
}

bool startsWith(string_view sv, string_view svStart) {
  return sv.substr(0, svStart.size()) == svStart;
}

// The line from uiPos and the position after its end.
string_view lineAt(string_view sv, size_t& uiPos) {
  const size_t uiEnd = std::min(sv.find('\n', uiPos), sv.size());
  const string_view svLine = sv.substr(uiPos, uiEnd - uiPos);
  uiPos = uiEnd + 1;
  return svLine;
}

// "abc" in quotes, cut after gc_uiQUOTE_LENGTH bytes (never inside a UTF-8
// character).
std::string quoted(string_view sv) {
  sv = trimmed(sv);
  if (sv.size() <= gc_uiQUOTE_LENGTH) return "\"" + std::string(sv) + "\"";
  size_t uiCut = gc_uiQUOTE_LENGTH;
  while (uiCut > 0 && (static_cast<unsigned char>(sv[uiCut]) & 0xC0) == 0x80) --uiCut;
  return "\"" + std::string(sv.substr(0, uiCut)) + "...\"";
}

// ----- rows of cells

struct ClCell {
  string_view m_svText;   // what the entry grammar reads
  string_view m_svShown;  // what a message quotes
};

// The cells cut so far, row by row; past the entry limit rows are only
// counted, so that a huge text costs no more memory than the largest matrix.
struct ClReading {
  std::vector<ClCell> m_aCells;
  std::vector<ClCell> m_aRow;
  int64_t m_llRows = 0;
  int64_t m_llColumns = 0;
  std::deque<std::string> m_asConverted;  // LaTeX cells made plain
  std::string m_sWhy;

  bool fail(const std::string& sReason) {
    m_sWhy = gc_acNOT_A_MATRIX + sReason;
    return false;
  }
  std::string place() const {
    return "row " + std::to_string(m_llRows + 1) + ", column " + std::to_string(m_aRow.size() + 1);
  }
  bool addCell(string_view svText, string_view svShown) {
    svText = trimmed(svText);
    if (svText.empty()) return fail(place() + " is empty.");
    m_aRow.push_back({svText, trimmed(svShown)});
    return true;
  }
  bool addCell(string_view svText) { return addCell(svText, svText); }
  bool endRow();
};

std::string entriesText(int64_t llCount) {
  return std::to_string(llCount) + (llCount == 1 ? " entry" : " entries");
}

// A row without cells (a blank one) is not counted.
bool ClReading::endRow() {
  const auto llWidth = static_cast<int64_t>(m_aRow.size());
  if (llWidth == 0) return true;
  if (m_llRows == 0) m_llColumns = llWidth;
  if (llWidth != m_llColumns)
    return fail("row " + std::to_string(m_llRows + 1) + " has " + entriesText(llWidth) +
                ", row 1 has " + std::to_string(m_llColumns) + ".");
  ++m_llRows;
  if (m_llRows * m_llColumns <= gc_lMAX_ENTRIES)
    m_aCells.insert(m_aCells.end(), m_aRow.begin(), m_aRow.end());
  m_aRow.clear();
  return true;
}

// Cells at every character of acSeparators.
bool cutAt(ClReading& reading, string_view svRow, const char* acSeparators) {
  size_t uiStart = 0;
  for (size_t k = 0; k <= svRow.size(); ++k) {
    if (k < svRow.size() && !isOneOf(svRow[k], acSeparators)) continue;
    if (!reading.addCell(svRow.substr(uiStart, k - uiStart))) return false;
    uiStart = k + 1;
  }
  return true;
}

// Cells at blanks, where a sign followed by a blank joins its neighbours:
// "3 + 4i" and "1 - 2i" are one entry each, "1 -2" two.
bool cutAtBlanks(ClReading& reading, string_view svRow) {
  size_t uiEntry = gc_uiNONE, uiEntry_End = 0;
  bool bJoin = false;
  for (size_t k = 0; k < svRow.size();) {
    if (isBlank(svRow[k])) {
      ++k;
      continue;
    }
    size_t uiEnd = k;
    while (uiEnd < svRow.size() && !isBlank(svRow[uiEnd])) ++uiEnd;
    const bool bLone_Sign = uiEnd == k + 1 && isSign(svRow[k]);
    if (uiEntry == gc_uiNONE || !(bJoin || bLone_Sign)) {
      if (uiEntry != gc_uiNONE && !reading.addCell(svRow.substr(uiEntry, uiEntry_End - uiEntry)))
        return false;
      uiEntry = k;
    }
    uiEntry_End = uiEnd;
    bJoin = isSign(svRow[uiEnd - 1]);
    k = uiEnd;
  }
  return uiEntry == gc_uiNONE || reading.addCell(svRow.substr(uiEntry, uiEntry_End - uiEntry));
}

// One row: at tabs when bTabs and it has one (spreadsheets), else at ';',
// else at ',', else at blanks. One trailing separator is dropped ("1, 2 ;").
// A row with both ';' and ',' is cut at ';' alone: "1,5;2,5" (decimal
// commas) is then refused, not read as four entries.
bool cutRow(ClReading& reading, string_view svRow, bool bTabs) {
  if (bTabs && holds(svRow, '\t')) {
    svRow = trimmed(svRow, isSpace);
    if (!svRow.empty() && svRow.back() == '\t') svRow.remove_suffix(1);
    return cutAt(reading, svRow, "\t") && reading.endRow();
  }
  svRow = trimmed(svRow);
  if (!svRow.empty() && (svRow.back() == ',' || svRow.back() == ';'))
    svRow = trimmed(svRow.substr(0, svRow.size() - 1));
  bool bCut = false;
  if (holds(svRow, ';'))
    bCut = cutAt(reading, svRow, ";");
  else if (holds(svRow, ','))
    bCut = cutAt(reading, svRow, ",");
  else
    bCut = cutAtBlanks(reading, svRow);
  return bCut && reading.endRow();
}

// ----- plain rows, one a line

// The length of the name ("A", "np.array") that sv starts with.
size_t nameLength(string_view sv) {
  if (sv.empty() || !(isLetter(sv.front()) || sv.front() == '_')) return 0;
  size_t k = 1;
  while (k < sv.size() && isNameCharacter(sv[k])) ++k;
  return k;
}

// "A =" alone, as Octave heads a result.
bool isNameLine(string_view svLine) {
  const size_t k = nameLength(svLine);
  return k > 0 && trimmed(svLine.substr(k)) == "=";
}

// The calculator's echo line "Out>line :" is skipped; "Out>2" (one-window
// mode) is its result.
bool headOfRows(string_view& svLine) {
  const string_view svHead = trimmed(svLine);
  if (isNameLine(svHead)) return false;
  if (!startsWith(svHead, "Out>")) return true;
  svLine = trimmed(svHead.substr(4));
  return svLine.empty() || svLine.back() != ':';
}

bool readRows(ClReading& reading, string_view svText) {
  bool bStarted = false;
  for (size_t uiPos = 0; uiPos <= svText.size();) {
    string_view svLine = lineAt(svText, uiPos);
    if (trimmed(svLine).empty()) continue;
    if (!bStarted && !headOfRows(svLine)) continue;
    bStarted = true;
    if (!cutRow(reading, svLine, true)) return false;
  }
  return true;
}

// ----- Markdown tables

// "|---|:---:|" under the header row.
bool isDelimiterRow(string_view svLine) {
  return holds(svLine, '-') && svLine.find_first_not_of("|-: \t") == gc_uiNONE;
}

// The next line from uiPos that is not blank, trimmed; empty at the end.
string_view nextLine(string_view sv, size_t& uiPos) {
  string_view svLine;
  while (uiPos <= sv.size() && svLine.empty()) svLine = trimmed(lineAt(sv, uiPos));
  return svLine;
}

// The second line that is not blank.
string_view secondLine(string_view sv, size_t& uiPos) {
  uiPos = 0;
  nextLine(sv, uiPos);
  size_t uiSecond = uiPos;
  return nextLine(sv, uiSecond);
}

// A table starts with '|', or its delimiter row has one ("a | b", "--|--").
bool isMarkdown(string_view svText) {
  size_t uiPos = 0;
  const string_view svSecond = secondLine(svText, uiPos);
  return svText.front() == '|' || (isDelimiterRow(svSecond) && holds(svSecond, '|'));
}

bool readMarkdown(ClReading& reading, string_view svText) {
  // the first line is the header when the delimiter row follows it
  size_t uiPos = 0;
  if (!isDelimiterRow(secondLine(svText, uiPos))) uiPos = 0;
  for (string_view svLine = nextLine(svText, uiPos); !svLine.empty();
       svLine = nextLine(svText, uiPos)) {
    if (isDelimiterRow(svLine)) continue;
    if (svLine.front() == '|') svLine.remove_prefix(1);
    if (!svLine.empty() && svLine.back() == '|') svLine.remove_suffix(1);
    if (!cutAt(reading, svLine, "|") || !reading.endRow()) return false;
  }
  return true;
}

// ----- bracket forms

// A bracketed list: sub-lists, or the text of its entries.
struct ClList {
  size_t m_uiBegin = 0, m_uiEnd = 0;  // the text between the brackets
  std::vector<ClList> m_aLists;
};

class ClBracketParser {
 public:
  ClBracketParser(string_view svText, ClReading& reading) : m_svText(svText), m_Reading(reading) {}

  // The whole text as the top level's content (iDepth 0); a list opened
  // deeper than 2 is refused.
  bool parse(ClList& list, char cClose, int iDepth) {
    list.m_uiBegin = m_uiPos;
    size_t uiEntry = gc_uiNONE;  // the first character that is no separator
    while (m_uiPos < m_svText.size()) {
      const char c = m_svText[m_uiPos];
      if (c == '[' || c == '{') {
        if (uiEntry != gc_uiNONE) return stray(iDepth, uiEntry);
        if (iDepth == 2) return m_Reading.fail("it has more than two levels of brackets.");
        ++m_uiPos;
        list.m_aLists.emplace_back();
        if (!parse(list.m_aLists.back(), c == '[' ? ']' : '}', iDepth + 1)) return false;
        continue;
      }
      if (c == ']' || c == '}') {
        if (c != cClose) return unbalanced();
        list.m_uiEnd = m_uiPos++;
        return true;
      }
      if (uiEntry == gc_uiNONE && !isBlank(c) && c != ',' && c != ';') {
        uiEntry = m_uiPos;
        if (!list.m_aLists.empty()) return stray(iDepth, uiEntry);
      }
      ++m_uiPos;
    }
    if (cClose != '\0') return unbalanced();
    list.m_uiEnd = m_uiPos;
    return uiEntry == gc_uiNONE || stray(iDepth, uiEntry);
  }

 private:
  bool unbalanced() { return m_Reading.fail("its brackets are not balanced."); }
  bool stray(int iDepth, size_t uiPos) {
    if (iDepth > 0) return m_Reading.fail("it mixes bracketed rows and single entries.");
    return m_Reading.fail(quoted(m_svText.substr(uiPos, gc_uiQUOTE_LENGTH + 1)) +
                          " stands outside the matrix.");
  }

  string_view m_svText;
  ClReading& m_Reading;
  size_t m_uiPos = 0;
};

// Octave's rows inside one pair of brackets: at ';' and at line ends, but
// not at a line end after ',' (a long row continued).
bool cutListRows(ClReading& reading, string_view svList) {
  size_t uiStart = 0;
  char cLast = '\0';
  for (size_t k = 0; k <= svList.size(); ++k) {
    const char c = k < svList.size() ? svList[k] : '\n';
    if (c == ';' || (c == '\n' && cLast != ',')) {
      if (!cutRow(reading, svList.substr(uiStart, k - uiStart), false)) return false;
      uiStart = k + 1;
      cLast = '\0';
    } else if (!isBlank(c)) {
      cLast = c;
    }
  }
  return true;
}

string_view contentOf(string_view svText, const ClList& list) {
  return svText.substr(list.m_uiBegin, list.m_uiEnd - list.m_uiBegin);
}

// Each list a row ([1,2],[3,4] or the inner lists of [[1,2],[3,4]]); a row's
// line ends are blanks (printed NumPy wraps long rows).
bool cutListOfRows(ClReading& reading, string_view svText, const std::vector<ClList>& aRows) {
  for (const ClList& row : aRows) {
    if (!row.m_aLists.empty()) return reading.fail("it has more than two levels of brackets.");
    if (!cutRow(reading, contentOf(svText, row), false)) return false;
  }
  return true;
}

bool isWrapperName(string_view svName) {
  const size_t uiDot = svName.rfind('.');
  const string_view svLast = uiDot == gc_uiNONE ? svName : svName.substr(uiDot + 1);
  return svLast == "array" || svLast == "matrix" || svLast == "Matrix";
}

// The lists in a bracket form: the text itself, or the arguments of
// np.array(...), array(...), Matrix(...), matrix(...) without a trailing
// ", dtype=...".
struct ClBracketForm {
  string_view m_svLists;
  bool m_bClosed = true;  // a call has its ')'
};

bool wrapperArguments(string_view sv, ClBracketForm& form) {
  const size_t k = nameLength(sv);
  const string_view svRest = trimmed(sv.substr(k));
  if (!isWrapperName(sv.substr(0, k)) || svRest.empty() || svRest.front() != '(') return false;
  string_view svArguments = svRest.substr(1);
  while (!svArguments.empty() && (isBlank(svArguments.back()) || svArguments.back() == ';'))
    svArguments.remove_suffix(1);
  form.m_bClosed = !svArguments.empty() && svArguments.back() == ')';
  if (form.m_bClosed) svArguments.remove_suffix(1);
  form.m_svLists = svArguments;
  const size_t uiLast = svArguments.find_last_of("]}");
  if (uiLast == gc_uiNONE) return true;
  string_view svTail = trimmed(svArguments.substr(uiLast + 1));
  if (!svTail.empty() && svTail.front() == ',') svTail = trimmed(svTail.substr(1));
  if (svTail.empty() || startsWith(svTail, "dtype"))
    form.m_svLists = svArguments.substr(0, uiLast + 1);
  return true;
}

// "A = [...]" or "A = np.array(...)": the text after the name.
string_view withoutAssignment(string_view sv) {
  const size_t k = nameLength(sv);
  const string_view svRest = trimmed(sv.substr(k));
  if (k == 0 || svRest.empty() || svRest.front() != '=' || startsWith(svRest, "==")) return sv;
  return trimmed(svRest.substr(1));
}

bool isBracketForm(string_view sv, ClBracketForm& form) {
  sv = withoutAssignment(sv);
  if (!sv.empty() && (sv.front() == '[' || sv.front() == '{')) {
    form.m_svLists = sv;
    return true;
  }
  return wrapperArguments(sv, form);
}

bool readBrackets(ClReading& reading, const ClBracketForm& form) {
  if (!form.m_bClosed) return reading.fail("its brackets are not balanced.");
  const string_view svLists = form.m_svLists;
  ClList top;
  ClBracketParser parser(svLists, reading);
  if (!parser.parse(top, '\0', 0)) return false;
  if (top.m_aLists.size() != 1) return cutListOfRows(reading, svLists, top.m_aLists);
  const ClList& list = top.m_aLists.front();
  if (list.m_aLists.empty()) return cutListRows(reading, contentOf(svLists, list));
  return cutListOfRows(reading, svLists, list.m_aLists);
}

// ----- LaTeX

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

// ----- entries

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
ClComplex negated(ClComplex cZ) {
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
    if (bNegative) cValue = negated(cValue);
    return true;
  }
  if (!numbers.value(part.m_sNumber, dNumber)) return false;
  cValue = ClComplex(dNumber, 0.0);
  if (bNegative) cValue = negated(cValue);
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

// LaTeX without an environment: a number as a 1 x 1 result is copied
// ("-\frac{2}{3}", "$1.5 \times 10^{-3}$"), or the rows of one's body.
bool readLatexBody(ClReading& reading, string_view svText) {
  while (!svText.empty() && svText.front() == '$') svText.remove_prefix(1);
  while (!svText.empty() && svText.back() == '$') svText.remove_suffix(1);
  return cutLatexRows(reading, svText);
}

// svText is trimmed; rows are read from the whole text, where a tab at
// either end is a cell's edge.
bool cutIntoCells(ClReading& reading, string_view svText, string_view svWhole) {
  ClBracketForm form;
  if (svText.find("\\begin{") != gc_uiNONE || svText.find("\\end{") != gc_uiNONE)
    return readLatex(reading, svText);
  if (holds(svText, '\\')) return readLatexBody(reading, svText);
  if (isBracketForm(svText, form)) return readBrackets(reading, form);
  if (isMarkdown(svText)) return readMarkdown(reading, svText);
  return readRows(reading, svWhole);
}

}  // namespace

bool readMatrixText(const std::string& sText, ClReadMatrix& matrix, std::string& sWhy) {
  matrix = ClReadMatrix();
  const std::string sPlain = plainText(sText);
  const string_view svText = trimmed(sPlain);
  if (svText.empty()) {
    sWhy = "Clipboard text is empty.";
    return false;
  }
  ClReading reading;
  bool bRead = cutIntoCells(reading, svText, sPlain);
  const int64_t llEntries = reading.m_llRows * reading.m_llColumns;
  if (bRead && llEntries == 0) bRead = reading.fail("it has no entries.");
  if (bRead && llEntries > gc_lMAX_ENTRIES) {
    reading.m_sWhy = "Clipboard text has " + std::to_string(llEntries) +
                     " entries; a matrix holds at most " + std::to_string(gc_lMAX_ENTRIES) + ".";
    bRead = false;
  }
  if (bRead) bRead = readEntries(reading, matrix);
  if (!bRead) {
    matrix = ClReadMatrix();
    sWhy = reading.m_sWhy;
  }
  return bRead;
}

std::string matrixTokens(const ClReadMatrix& matrix) {
  if (matrix.m_aEntries.size() == 1) return matrix.m_aEntries.front().m_sTokens;
  if (matrix.m_aEntries.empty()) return "";
  std::string sTokens = "[";
  for (size_t k = 0; k < matrix.m_aEntries.size(); ++k) {
    if (k > 0) sTokens += k % static_cast<size_t>(matrix.m_iColumns) == 0 ? ';' : ',';
    sTokens += matrix.m_aEntries[k].m_sTokens;
  }
  return sTokens + "]";
}
