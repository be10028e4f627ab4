// SPDX-License-Identifier: GPL-3.0-or-later
// Pasted text read as a matrix: the entry point. The text is made plain
// first (line ends, Unicode signs and spaces), its form is told by its first
// characters (a LaTeX environment anywhere, a bracket or a wrapper call, a
// Markdown pipe, else rows of a line each), the form cuts it into rows of
// cells, and one entry grammar reads every cell. Each step is linear in the
// text. The forms' grammars are in reader_rows (rows, Markdown),
// reader_brackets and reader_latex, the entry grammar in reader_entries, the
// helpers they share in reader_cells.
#include "command/matrix_reader.h"

#include <cstring>
#include <string>
#include <string_view>

#include "command/reader_brackets.h"
#include "command/reader_cells.h"
#include "command/reader_entries.h"
#include "command/reader_latex.h"
#include "command/reader_rows.h"
#include "engine/calculator.h"

namespace {

using std::string_view;

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
std::string inAsciiForms(const std::string& sText) {
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

// svText is trimmed; rows are read from the whole text, where a tab at
// either end is a cell's edge.
bool cutIntoCells(ClReading& reading, string_view svText, string_view svWhole) {
  ClBracketForm form;
  if (svText.find("\\begin{") != gc_uiNONE || svText.find("\\end{") != gc_uiNONE)
    return readLatex(reading, svText);
  if (contains(svText, '\\')) return readLatexBody(reading, svText);
  if (isBracketForm(svText, form)) return readBrackets(reading, form);
  if (isMarkdown(svText)) return readMarkdown(reading, svText);
  return readRows(reading, svWhole);
}

}  // namespace

bool readMatrixText(const std::string& sText, ClReadMatrix& matrix, std::string& sWhy) {
  matrix = ClReadMatrix();
  const std::string sPlain = inAsciiForms(sText);
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
