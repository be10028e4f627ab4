// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix reader's shared scanning helpers and the cells cut so far (see
// reader_cells.h); no grammar of a form or of an entry is here.
#include "command/reader_cells.h"

#include <algorithm>

#include "engine/calculator.h"

using std::string_view;

namespace {

constexpr const char* gc_acNOT_A_MATRIX = "Clipboard text is not a matrix: ";

inline bool isNameCharacter(char c) {
  return isLetter(c) || isDigit(c) || c == '_' || c == '.';
}

std::string entriesText(int64_t llCount) {
  return std::to_string(llCount) + (llCount == 1 ? " entry" : " entries");
}

}  // namespace

string_view trimmed(string_view sv, bool (*pIsBlank)(char)) {
  while (!sv.empty() && pIsBlank(sv.front())) sv.remove_prefix(1);
  while (!sv.empty() && pIsBlank(sv.back())) sv.remove_suffix(1);
  return sv;
}

bool startsWith(string_view sv, string_view svStart) {
  return sv.substr(0, svStart.size()) == svStart;
}

string_view lineFrom(string_view sv, size_t& uiPos) {
  const size_t uiEnd = std::min(sv.find('\n', uiPos), sv.size());
  const string_view svLine = sv.substr(uiPos, uiEnd - uiPos);
  uiPos = uiEnd + 1;
  return svLine;
}

std::string quoted(string_view sv) {
  sv = trimmed(sv);
  if (sv.size() <= gc_uiQUOTE_LENGTH) return "\"" + std::string(sv) + "\"";
  size_t uiCut = gc_uiQUOTE_LENGTH;
  while (uiCut > 0 && (static_cast<unsigned char>(sv[uiCut]) & 0xC0) == 0x80) --uiCut;
  return "\"" + std::string(sv.substr(0, uiCut)) + "...\"";
}

size_t nameLength(string_view sv) {
  if (sv.empty() || !(isLetter(sv.front()) || sv.front() == '_')) return 0;
  size_t k = 1;
  while (k < sv.size() && isNameCharacter(sv[k])) ++k;
  return k;
}

bool ClReading::fail(const std::string& sReason) {
  m_sWhy = gc_acNOT_A_MATRIX + sReason;
  return false;
}

std::string ClReading::place() const {
  return "row " + std::to_string(m_llRows + 1) + ", column " + std::to_string(m_aRow.size() + 1);
}

bool ClReading::addCell(string_view svText, string_view svShown) {
  svText = trimmed(svText);
  if (svText.empty()) return fail(place() + " is empty.");
  m_aRow.push_back({svText, trimmed(svShown)});
  return true;
}

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
