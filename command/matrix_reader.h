// SPDX-License-Identifier: GPL-3.0-or-later
// Text from elsewhere read as a matrix: spreadsheet, CSV and plain-text rows
// (this calculator's own output included), bracket forms ([1 2; 3 4],
// [[1, 2], [3, 4]], np.array(...), {{1,2},{3,4}}, matrix([1,2],[3,4])),
// LaTeX matrix environments and Markdown tables. Each entry keeps the token
// characters that type it and the value the calculator gives them.
#pragma once

#include <complex>
#include <cstdint>
#include <string>
#include <vector>

struct ClReadEntry {
  std::string m_sTokens;  // "-2/3", "3+4i", "1.5E-3", "-i"
  std::complex<double> m_cValue;
};

struct ClReadMatrix {
  int32_t m_iRows = 0;
  int32_t m_iColumns = 0;
  std::vector<ClReadEntry> m_aEntries;  // row by row
};

// Reads sText as a matrix. False when it is none, with sWhy the whole
// message for a box: "Clipboard text is not a matrix: row 2 has 3 entries,
// row 1 has 2."
bool readMatrixText(const std::string& sText, ClReadMatrix& matrix, std::string& sWhy);
// The token characters that type the matrix: "[a,b;c,d]", a single entry
// alone.
std::string matrixTokens(const ClReadMatrix& matrix);
