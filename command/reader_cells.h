// SPDX-License-Identifier: GPL-3.0-or-later
// What every grammar of the matrix reader shares: the character classes and
// scanning helpers over the plain text, and ClReading, the cells cut so far
// with the message of a refusal. No grammar is here: rows and Markdown tables
// are in reader_rows, bracket forms in reader_brackets, LaTeX in
// reader_latex, the entries in reader_entries, and matrix_reader chooses
// between them.
#pragma once

#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

// A message quotes at most this many bytes of the text.
constexpr size_t gc_uiQUOTE_LENGTH = 20;
constexpr size_t gc_uiNONE = std::string_view::npos;

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
inline bool isSign(char c) {
  return c == '+' || c == '-';
}
inline bool isOneOf(char c, const char* acSet) {
  return c != '\0' && std::strchr(acSet, c) != nullptr;
}
inline bool contains(std::string_view sv, char c) {
  return sv.find(c) != gc_uiNONE;
}

std::string_view trimmed(std::string_view sv, bool (*pIsBlank)(char) = isBlank);
bool startsWith(std::string_view sv, std::string_view svStart);
// The line from uiPos and the position after its end.
std::string_view lineFrom(std::string_view sv, size_t& uiPos);
// "abc" in quotes, cut after gc_uiQUOTE_LENGTH bytes (never inside a UTF-8
// character).
std::string quoted(std::string_view sv);
// The length of the name ("A", "np.array") that sv starts with.
size_t nameLength(std::string_view sv);

struct ClCell {
  std::string_view m_svText;   // what the entry grammar reads
  std::string_view m_svShown;  // what a message quotes
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

  // Always false, with sReason after "Clipboard text is not a matrix: ".
  bool fail(const std::string& sReason);
  // "row 2, column 3": where the next cell goes.
  std::string place() const;
  bool addCell(std::string_view svText, std::string_view svShown);
  bool addCell(std::string_view svText) { return addCell(svText, svText); }
  // A row without cells (a blank one) is not counted.
  bool endRow();
};
