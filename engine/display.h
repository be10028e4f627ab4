// SPDX-License-Identifier: GPL-3.0-or-later
// How a value is shown: the one writer of numbers, entries and matrices that
// the output pane, the editor's cells, the steps and the result forms call,
// with the display options passed to it (never read inside), and the reader
// that splits an entry's text back into its parts. Cleaning of negligible
// parts is in display.cpp too (ClCalculator::cleanMatrix).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/calculator.h"

// What the View and Settings menus choose for shown values.
struct ClDisplayOptions {
  int32_t m_eFormat = eDECIMAL;  // an eVIEW_STATE
  bool m_bZero_Out = true;
  // 17 significant digits and nothing hidden, whatever the format: reading
  // the text back gives every bit.
  bool m_bFull_Precision = false;

  bool operator==(const ClDisplayOptions& other) const {
    return m_eFormat == other.m_eFormat && m_bZero_Out == other.m_bZero_Out &&
           m_bFull_Precision == other.m_bFull_Precision;
  }
  bool operator!=(const ClDisplayOptions& other) const { return !(*this == other); }
};

// The output format and Zero Out as the menus have them now.
ClDisplayOptions currentDisplayOptions(bool bFull_Precision = false);

// The written form of a matrix and of a complex entry.
constexpr char gc_acENTRY_SEPARATOR[] = ", ";
constexpr char gc_acROW_SEPARATOR[] = " ;\n";
constexpr char gc_acPLUS_IMAGINARY[] = " + ";
constexpr char gc_acMINUS_IMAGINARY[] = " - ";
constexpr char gc_cIMAGINARY_UNIT = 'i';

// "re", "re + mi", "re - mi", "mi", "-mi", with "i" alone for a magnitude
// of one (sMagnitude empty); sReal empty for an imaginary entry.
std::string complexText(const std::string& sReal, bool bNegative, const std::string& sMagnitude);

// An entry's text read back: the real part (empty for an imaginary entry),
// and the imaginary part's sign and magnitude (empty for the unit i). An
// entry with a non-finite part is one number, in m_sReal.
struct ClEntryParts {
  std::string m_sReal;
  bool m_bImaginary = false;
  bool m_bNegative = false;
  std::string m_sMagnitude;
};
ClEntryParts entryParts(const std::string& sEntry);

// The entries of one matrix as shown. Zero Out hides the parts at or below
// the matrix's display tolerance, except in a 1 x 1 value, which is always
// shown whole.
class ClValueWriter {
 public:
  ClValueWriter(const ClMatrix& mM, const ClDisplayOptions& options);
  std::string entry(ClComplex cZ) const;
  // Writes the entry at pcEnd (at most gc_iENTRY_ROOM characters); returns
  // its end.
  char* append(char* pcEnd, ClComplex cZ) const;

  static constexpr int gc_iENTRY_ROOM = 80;  // one entry with its separators

 private:
  ClDisplayOptions m_Options;
  bool m_bHide = false;
  double m_dTolerance = 0.0;
};

// The tolerance at or below which Zero Out hides a part of an entry of M
// (larger than 1 x 1).
double displayTolerance(const ClMatrix& mM);

// A number shown whole in the format (no part hidden): a factor, a pivot.
std::string numberText(ClComplex cZ, const ClDisplayOptions& options);

// The matrix as the pane shows it, rows joined by gc_acROW_SEPARATOR, into acText of uiSize bytes;
// the text ends before an entry that might not fit.
void writeMatrix(const ClMatrix& mM, const ClDisplayOptions& options, char* acText, size_t uiSize);

// The entries' texts, row by row, as a line printed the value: under Zero
// Out the line cleans its result before it shows it.
std::vector<std::string> printedEntries(const ClMatrix& mM, const ClDisplayOptions& options);
