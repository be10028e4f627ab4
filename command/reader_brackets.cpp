// SPDX-License-Identifier: GPL-3.0-or-later
// Bracket forms read as rows (see reader_brackets.h): the lists nested at
// most two deep, then each inner list a row, or Octave's rows inside one
// pair of brackets. How a row is cut is reader_rows'; no LaTeX or entry
// grammar is here.
#include "command/reader_brackets.h"

#include <vector>

#include "command/reader_rows.h"

using std::string_view;

namespace {

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

// The lists of a wrapper call ("np.array([[1, 2]], dtype=float)" gives
// "[[1, 2]]"); false when sv is no such call.
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

}  // namespace

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
