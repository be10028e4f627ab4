// SPDX-License-Identifier: GPL-3.0-or-later
// LaTeX read as rows: a matrix environment (pmatrix, bmatrix, array, the
// starred forms and the rest of amsmath's) with only dressing around it ($,
// \[, \left(, a label "A ="), or an environment's body alone. Plain rows,
// Markdown and bracket forms are elsewhere (reader_rows, reader_brackets);
// what a cell holds is read by reader_entries.
#pragma once

#include <string_view>

#include "command/reader_cells.h"

// svText holds "\begin{" or "\end{": the first matrix environment's rows.
bool readLatex(ClReading& reading, std::string_view svText);
// LaTeX without an environment: a number as a 1 x 1 result is copied
// ("-\frac{2}{3}", "$1.5 \times 10^{-3}$"), or the rows of one's body.
bool readLatexBody(ClReading& reading, std::string_view svText);
