// SPDX-License-Identifier: GPL-3.0-or-later
// Pasted text as rows: one row cut into cells (at tabs, ';', ',' or blanks;
// bracket forms cut their rows with it too), plain text read as one row a
// line, and Markdown tables. Bracket forms are in reader_brackets, LaTeX in
// reader_latex, what a cell holds in reader_entries.
#pragma once

#include <string_view>

#include "command/reader_cells.h"

// One row: at tabs when bTabs and it has one (spreadsheets), else at ';',
// else at ',', else at blanks. One trailing separator is dropped ("1, 2 ;").
// A row with both ';' and ',' is cut at ';' alone: "1,5;2,5" (decimal
// commas) is then refused, not read as four entries.
bool cutRow(ClReading& reading, std::string_view svRow, bool bTabs);
// Rows of a line each; blank lines and a head before the first row (Octave's
// "A =", the calculator's echo line) are skipped.
bool readRows(ClReading& reading, std::string_view svText);
// svText (trimmed, not empty) is a Markdown table.
bool isMarkdown(std::string_view svText);
bool readMarkdown(ClReading& reading, std::string_view svText);
