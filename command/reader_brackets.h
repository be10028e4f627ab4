// SPDX-License-Identifier: GPL-3.0-or-later
// Bracket forms: [1 2; 3 4] (Octave), [[1, 2], [3, 4]] (NumPy, and its
// np.array(...) call), {{1,2},{3,4}}, matrix([1,2],[3,4]), each perhaps
// after "A =". Their rows are cut by reader_rows; LaTeX is in reader_latex,
// what a cell holds in reader_entries.
#pragma once

#include <string_view>

#include "command/reader_cells.h"

// The lists in a bracket form: the text itself, or the arguments of
// np.array(...), array(...), Matrix(...), matrix(...) without a trailing
// ", dtype=...".
struct ClBracketForm {
  std::string_view m_svLists;
  bool m_bClosed = true;  // a call has its ')'
};

// sv (trimmed) starts with a bracket or a wrapper call, after an assignment
// "A =" if any; form then holds its lists.
bool isBracketForm(std::string_view sv, ClBracketForm& form);
bool readBrackets(ClReading& reading, const ClBracketForm& form);
