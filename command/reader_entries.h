// SPDX-License-Identifier: GPL-3.0-or-later
// The entries of a read matrix: every cell by one entry grammar (numbers
// such as 1.5e-3, fractions -2/3, complex numbers 3+4j, i alone), whatever
// form the text had. Cutting the text into cells is the forms' business
// (reader_rows, reader_brackets, reader_latex).
#pragma once

#include "command/matrix_reader.h"
#include "command/reader_cells.h"

// Every cell of reading into matrix, row by row; false at the first cell
// that is no number or not finite, with the reason in reading.
bool readEntries(ClReading& reading, ClReadMatrix& matrix);
