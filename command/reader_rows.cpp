// SPDX-License-Identifier: GPL-3.0-or-later
// Rows of cells: how one row is cut, plain rows of a line each, and Markdown
// tables (see reader_rows.h). No bracket, LaTeX or entry grammar is here.
#include "command/reader_rows.h"

using std::string_view;

// ----- one row cut into cells

namespace {

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

}  // namespace

bool cutRow(ClReading& reading, string_view svRow, bool bTabs) {
  if (bTabs && contains(svRow, '\t')) {
    svRow = trimmed(svRow, isSpace);
    if (!svRow.empty() && svRow.back() == '\t') svRow.remove_suffix(1);
    return cutAt(reading, svRow, "\t") && reading.endRow();
  }
  svRow = trimmed(svRow);
  if (!svRow.empty() && (svRow.back() == ',' || svRow.back() == ';'))
    svRow = trimmed(svRow.substr(0, svRow.size() - 1));
  bool bCut = false;
  if (contains(svRow, ';'))
    bCut = cutAt(reading, svRow, ";");
  else if (contains(svRow, ','))
    bCut = cutAt(reading, svRow, ",");
  else
    bCut = cutAtBlanks(reading, svRow);
  return bCut && reading.endRow();
}

// ----- plain rows, one a line

namespace {

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

}  // namespace

bool readRows(ClReading& reading, string_view svText) {
  bool bStarted = false;
  for (size_t uiPos = 0; uiPos <= svText.size();) {
    string_view svLine = lineFrom(svText, uiPos);
    if (trimmed(svLine).empty()) continue;
    if (!bStarted && !headOfRows(svLine)) continue;
    bStarted = true;
    if (!cutRow(reading, svLine, true)) return false;
  }
  return true;
}

// ----- Markdown tables

namespace {

// "|---|:---:|" under the header row.
bool isDelimiterRow(string_view svLine) {
  return contains(svLine, '-') && svLine.find_first_not_of("|-: \t") == gc_uiNONE;
}

// The next line from uiPos that is not blank, trimmed; empty at the end.
string_view nextNonBlankLine(string_view sv, size_t& uiPos) {
  string_view svLine;
  while (uiPos <= sv.size() && svLine.empty()) svLine = trimmed(lineFrom(sv, uiPos));
  return svLine;
}

// The second line that is not blank.
string_view secondLine(string_view sv, size_t& uiPos) {
  uiPos = 0;
  nextNonBlankLine(sv, uiPos);
  size_t uiSecond = uiPos;
  return nextNonBlankLine(sv, uiSecond);
}

}  // namespace

// A table starts with '|', or its delimiter row has one ("a | b", "--|--").
bool isMarkdown(string_view svText) {
  size_t uiPos = 0;
  const string_view svSecond = secondLine(svText, uiPos);
  return svText.front() == '|' || (isDelimiterRow(svSecond) && contains(svSecond, '|'));
}

bool readMarkdown(ClReading& reading, string_view svText) {
  // the first line is the header when the delimiter row follows it
  size_t uiPos = 0;
  if (!isDelimiterRow(secondLine(svText, uiPos))) uiPos = 0;
  for (string_view svLine = nextNonBlankLine(svText, uiPos); !svLine.empty();
       svLine = nextNonBlankLine(svText, uiPos)) {
    if (isDelimiterRow(svLine)) continue;
    if (svLine.front() == '|') svLine.remove_prefix(1);
    if (!svLine.empty() && svLine.back() == '|') svLine.remove_suffix(1);
    if (!cutAt(reading, svLine, "|") || !reading.endRow()) return false;
  }
  return true;
}
