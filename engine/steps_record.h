// SPDX-License-Identifier: GPL-3.0-or-later
// What the steps of a kept operand are made of: the options, the row
// operations and the matrices as shown, the folding of large documents, and
// the engine's own value of the operand. Both replays (exact_steps,
// computed_steps) record into a ClSteps; command/steps_writer writes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/display.h"
#include "engine/steps_kept.h"

// How the steps are computed: exact fractions where the operand allows
// (else as computed, with a sentence saying why), or the calculator's own
// arithmetic.
enum eSTEPS_ARITHMETIC : int32_t { eSTEPS_EXACT, eSTEPS_COMPUTED };
// The exact pivot: the first non-zero entry (textbook) or the largest modulus.
enum eSTEPS_PIVOT : int32_t { ePIVOT_FIRST, ePIVOT_LARGEST };

struct ClStepsOptions {
  eSTEPS_ARITHMETIC m_eArithmetic = eSTEPS_EXACT;
  eSTEPS_PIVOT m_ePivot = ePIVOT_FIRST;
  // How the entries are written: the output format and Zero Out.
  ClDisplayOptions m_Display;
  // Polled now and then by a long computation; true stops it (Escape in the
  // window). Null: never stops.
  bool (*m_pStop)() = nullptr;
};

// Ri <-> Rj; Ri <- f Ri; Ri <- Ri + f Rj or Ri <- Ri - f Rj.
enum eROW_OP : int32_t { eOP_SWAP, eOP_SCALE, eOP_ADD };

struct ClRowOperation {
  eROW_OP m_eOp = eOP_SWAP;
  int32_t m_iTarget = 0;  // the row changed, from 0
  int32_t m_iSource = 0;  // the other row of a swap or an addition
  char m_cSign = '-';     // eOP_ADD: Ri <- Ri m_cSign f Rj
  // f as shown in the chosen format ("3", "1/5", "2 - i"); the writers add
  // parentheses where the notation needs them.
  std::string m_sFactor;
};

// A matrix as shown: its entries' text, row by row.
struct ClShownMatrix {
  int32_t m_iRows = 0;
  int32_t m_iColumns = 0;
  int32_t m_iBar = -1;        // the columns left of the augmentation bar; -1: none
  int32_t m_iPivot_Row = -1;  // the entry marked as pivot; -1: none
  int32_t m_iPivot_Column = -1;
  int32_t m_iChanged_Row = -1;         // the row the operation changed; -1: none
  std::vector<std::string> m_asEntry;  // m_iRows * m_iColumns, row-major

  bool empty() const { return m_iRows == 0; }
  const std::string& entry(int32_t iRow, int32_t iColumn) const {
    return m_asEntry[static_cast<size_t>(iRow) * static_cast<size_t>(m_iColumns) +
                     static_cast<size_t>(iColumn)];
  }
};

struct ClStep {
  ClRowOperation m_Operation;
  int32_t m_iBlock = 0;  // the pivot column the operation works on
  // The matrix after the operation; empty where folding leaves it out.
  ClShownMatrix m_Matrix;
  // Det: the row swaps so far (det A = (-1)^swaps det of the current matrix).
  int32_t m_iSwaps = 0;
};

// The steps of one kept application, ready to be written.
struct ClSteps {
  eSTEPS_KIND m_eKind = eSTEPS_RREF;
  bool m_bExact = false;  // exact fractions, else the calculator's arithmetic
  eSTEPS_PIVOT m_ePivot = ePIVOT_LARGEST;
  // Sentences before the steps: why exact fell back, the engine's own path,
  // a different exact result, the folding, no steps for non-finite entries.
  std::vector<std::string> m_asNotes;
  ClShownMatrix m_Start;  // the operand, augmented for Inv and A\B
  std::vector<ClStep> m_aSteps;
  // The last matrix: for RREF the printed value itself; for Inv and A\B the
  // printed inverse or solution beside I; for Det the triangular factor.
  ClShownMatrix m_Final;
  // The result as the line printed it, where the exact one differs.
  ClShownMatrix m_Printed;
  // Det: the pivots of the triangular factor as shown, the row swaps, and the
  // value as the line printed it (exact: the exact value).
  std::vector<std::string> m_asPivots;
  int32_t m_iSwaps = 0;
  std::string m_sValue;
  // A closing sentence: "A is singular: column 3 has no pivot, so it has no
  // inverse.", "Rank 2."; empty when there is none.
  std::string m_sConclusion;
};

// The value the application gave, by the engine's own routines on a copy
// (the error number is not touched); false where it gave an error.
bool stepsResult(const ClStepsOperand& operand, ClMatrix& mResult);
// A result as its line printed it (printedEntries).
ClShownMatrix printedMatrix(const ClMatrix& mM, const ClDisplayOptions& display);
// The columns of the matrix the steps reduce: A's, with I's for Inv and B's
// for A\B beside it.
int32_t stepsWidth(const ClStepsOperand& operand);
// The title of a kept application: "RREF of a 3 x 4 matrix", "A\B with a
// 3 x 3 A and a 3 x 1 B".
std::string stepsTitle(const ClStepsOperand& operand);

// Matrices are shown after every operation while that keeps the document
// small; past gc_lSTEPS_SHOWN_ENTRIES entries in all, only every k-th pivot
// column's last matrix is shown (a note says so), and a matrix alone above
// it is not shown at all. The operation list is always complete.
constexpr long gc_lSTEPS_SHOWN_ENTRIES = 60000;
// The columns and rows that read well side by side; wider matrices are
// written in column strips of this many.
constexpr int gc_iSTEPS_FOLD = 12;

// Which matrices a replay keeps for an operand of iRows x iColumns (the
// augmented width for Inv and A\B): after every operation, after the last
// operation of every m_iEvery-th pivot column, or none (m_iEvery 0).
struct ClStepsFolding {
  bool m_bEach_Operation = true;
  int32_t m_iEvery = 1;
  bool shows(int32_t iBlock, bool bLast_In_Block) const {
    if (m_iEvery == 0) return false;
    if (m_bEach_Operation) return true;
    return bLast_In_Block && (iBlock + 1) % m_iEvery == 0;
  }
};
ClStepsFolding stepsFolding(int32_t iRows, int32_t iColumns);
// The note that says what the folding leaves out; empty when nothing.
std::string foldingNote(const ClStepsFolding& folding);
