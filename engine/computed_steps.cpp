// SPDX-License-Identifier: GPL-3.0-or-later
// The steps as the calculator computed them. RREF is the engine's own
// reduction watched column by column; Det is the elimination behind the LU
// factor Det takes; Inv and A\B are Gauss-Jordan with the pivot rows of the
// engine's LU. A column's updates of different rows are independent, so the
// matrix after each single operation is exact: the rows already updated come
// from the matrix after the column, the others from the matrix before it.
#include "engine/computed_steps.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "engine/decompositions.h"

namespace {

// A matrix as the output pane writes it: Zero Out hides parts negligible
// beside this matrix.
ClShownMatrix shownMatrix(const ClMatrix& mM, int32_t iBar, const ClDisplayOptions& display) {
  ClShownMatrix shown;
  shown.m_iRows = static_cast<int32_t>(mM.rows());
  shown.m_iColumns = static_cast<int32_t>(mM.cols());
  shown.m_iBar = iBar;
  const ClValueWriter writer(mM, display);
  shown.m_asEntry.reserve(static_cast<size_t>(mM.size()));
  // Reduced matrices are mostly zeros and ones: an entry with the bits of
  // the one before it takes its text without formatting it again.
  ClComplex cLast(1.0, 1.0);
  std::string sLast = writer.entry(cLast);
  for (Eigen::Index i = 0; i < mM.rows(); ++i) {
    for (Eigen::Index j = 0; j < mM.cols(); ++j) {
      const ClComplex cZ = mM(i, j);
      if (std::memcmp(&cZ, &cLast, sizeof cZ) != 0) {
        cLast = cZ;
        sLast = writer.entry(cZ);
      }
      shown.m_asEntry.push_back(sLast);
    }
  }
  return shown;
}

// "1", "1 and 3", "1, 2 and 4".
std::string columnList(const std::vector<int32_t>& aiColumns) {
  std::string sList;
  for (size_t k = 0; k < aiColumns.size(); ++k) {
    if (k > 0) sList += k + 1 == aiColumns.size() ? " and " : ", ";
    sList += std::to_string(aiColumns[k] + 1);
  }
  return sList;
}

// One pivot column: the pivot row p moves to row r (a swap when they
// differ), row r is scaled (unless the pivot is 1 or the elimination does
// not scale), then every row i with a non-zero factor f becomes Ri - f Rr.
struct ClColumn {
  int32_t m_iColumn = 0;
  int32_t m_iPivot_Row = 0;
  int32_t m_iRow = 0;
  bool m_bScale = false;
  ClComplex m_cScale;
  std::vector<std::pair<int32_t, ClComplex>> m_aFactors;
};

// Ri <- Ri - f Rr; a real f's sign goes into the operation (f = -3: Ri + 3 Rr).
ClRowOperation subtraction(int32_t iTarget, int32_t iSource, ClComplex cF,
                           const ClDisplayOptions& display) {
  ClRowOperation operation;
  operation.m_eOp = eOP_ADD;
  operation.m_iTarget = iTarget;
  operation.m_iSource = iSource;
  const bool bNegative = cF.imag() == 0.0 && cF.real() < 0.0;
  operation.m_cSign = bNegative ? '+' : '-';
  operation.m_sFactor = numberText(bNegative ? -cF : cF, display);
  return operation;
}

// The column step of a pivot in column c found in row p and moved to row r,
// read from the matrix before it: the factors are the entries of column c
// once the pivot row is scaled and swapped, the other rows' as they are.
ClColumn columnBefore(const ClMatrix& mV, Eigen::Index c, Eigen::Index p, Eigen::Index r) {
  ClColumn column;
  column.m_iColumn = static_cast<int32_t>(c);
  column.m_iPivot_Row = static_cast<int32_t>(p);
  column.m_iRow = static_cast<int32_t>(r);
  column.m_bScale = true;
  column.m_cScale = 1.0 / mV(p, c);
  for (Eigen::Index i = 0; i < mV.rows(); ++i) {
    if (i == r) continue;
    const ClComplex cFactor = mV(i == p ? r : i, c);
    if (cFactor != 0.0) column.m_aFactors.emplace_back(static_cast<int32_t>(i), cFactor);
  }
  return column;
}

std::vector<ClRowOperation> operationsOf(const ClColumn& column, const ClDisplayOptions& display) {
  std::vector<ClRowOperation> aOperations;
  aOperations.reserve(column.m_aFactors.size() + 2);
  if (column.m_iPivot_Row != column.m_iRow) {
    ClRowOperation swap;
    swap.m_iTarget = column.m_iRow;
    swap.m_iSource = column.m_iPivot_Row;
    aOperations.push_back(swap);
  }
  if (column.m_bScale && column.m_cScale != 1.0) {
    ClRowOperation scale;
    scale.m_eOp = eOP_SCALE;
    scale.m_iTarget = scale.m_iSource = column.m_iRow;
    scale.m_sFactor = numberText(column.m_cScale, display);
    aOperations.push_back(scale);
  }
  for (const auto& factor : column.m_aFactors)
    aOperations.push_back(subtraction(factor.first, column.m_iRow, factor.second, display));
  return aOperations;
}

// Collects the steps column by column, with the matrices the folding shows
// (written as they come: no matrix is kept).
class ClRecorder {
 public:
  ClRecorder(ClSteps& steps, int32_t iRows, int32_t iColumns, int32_t iBar,
             const ClDisplayOptions& display)
      : m_Steps(steps), m_Folding(stepsFolding(iRows, iColumns)), m_iBar(iBar), m_Display(display) {
    // at most a swap, a scaling and an addition per other row for each
    // pivot: growing the list step by step cost a seventh of a large replay
    const long lPivots = std::min(iRows, iBar < 0 ? iColumns : iBar);
    steps.m_aSteps.reserve(static_cast<size_t>(lPivots * (long{iRows} + 1)));
  }

  bool showsMatrices() const { return m_Folding.m_iEvery != 0; }
  // The matrix before each column is needed, not only the one after it.
  bool eachOperation() const { return showsMatrices() && m_Folding.m_bEach_Operation; }
  int32_t swaps() const { return m_iSwaps; }

  void start(const ClMatrix& mStart) {
    if (showsMatrices()) m_Steps.m_Start = shownMatrix(mStart, m_iBar, m_Display);
  }
  // pmBefore may be null unless eachOperation().
  void column(const ClColumn& column, const ClMatrix* pmBefore, const ClMatrix& mAfter);
  // The folding's sentence goes after the others.
  void finish() {
    const std::string sNote = foldingNote(m_Folding);
    if (!sNote.empty()) m_Steps.m_asNotes.push_back(sNote);
  }

 private:
  ClShownMatrix marked(const ClMatrix& mM, const ClColumn& column, int32_t iChanged) const {
    ClShownMatrix shown = shownMatrix(mM, m_iBar, m_Display);
    shown.m_iPivot_Row = column.m_iRow;
    shown.m_iPivot_Column = column.m_iColumn;
    shown.m_iChanged_Row = iChanged;
    return shown;
  }

  ClSteps& m_Steps;
  const ClStepsFolding m_Folding;
  const int32_t m_iBar;
  const ClDisplayOptions m_Display;
  int32_t m_iSwaps = 0;
};

void ClRecorder::column(const ClColumn& column, const ClMatrix* pmBefore, const ClMatrix& mAfter) {
  std::vector<ClRowOperation> aOperations = operationsOf(column, m_Display);
  ClMatrix mShown;
  if (eachOperation()) mShown = *pmBefore;
  for (size_t k = 0; k < aOperations.size(); ++k) {
    ClStep step;
    step.m_Operation = std::move(aOperations[k]);
    step.m_iBlock = column.m_iColumn;
    const ClRowOperation& operation = step.m_Operation;
    if (operation.m_eOp == eOP_SWAP) ++m_iSwaps;
    step.m_iSwaps = m_iSwaps;
    const bool bLast = k + 1 == aOperations.size();
    if (bLast && m_Folding.shows(column.m_iColumn, true)) {
      // the whole matrix after the column, bit for bit
      step.m_Matrix = marked(mAfter, column, operation.m_iTarget);
    } else if (eachOperation()) {
      if (operation.m_eOp == eOP_SWAP)
        mShown.row(operation.m_iTarget).swap(mShown.row(operation.m_iSource));
      else
        mShown.row(operation.m_iTarget) = mAfter.row(operation.m_iTarget);
      step.m_Matrix = marked(mShown, column, operation.m_iTarget);
    }
    m_Steps.m_aSteps.push_back(std::move(step));
  }
}

// --- RREF: the engine's reduction, watched

class ClRrefReplay final : public ClRrefObserver {
 public:
  explicit ClRrefReplay(ClRecorder& recorder) : m_Recorder(recorder) {}

  void pivotFound(Eigen::Index c, Eigen::Index p, Eigen::Index r, const ClMatrix& mV) override {
    m_Column = columnBefore(mV, c, p, r);
    if (m_Recorder.eachOperation()) m_mBefore = mV;
    m_aiPivot_Columns.push_back(m_Column.m_iColumn);
  }
  void columnCleared(Eigen::Index, const ClMatrix& mV) override {
    m_Recorder.column(m_Column, &m_mBefore, mV);
  }
  const std::vector<int32_t>& pivotColumns() const { return m_aiPivot_Columns; }

 private:
  ClRecorder& m_Recorder;
  ClColumn m_Column;
  ClMatrix m_mBefore;
  std::vector<int32_t> m_aiPivot_Columns;
};

std::string rankSentence(const std::vector<int32_t>& aiPivot_Columns) {
  const std::string sRank = "Rank " + std::to_string(aiPivot_Columns.size());
  if (aiPivot_Columns.empty()) return sRank + ": no column has a pivot.";
  if (aiPivot_Columns.size() == 1)
    return sRank + ": column " + columnList(aiPivot_Columns) + " is the pivot column.";
  return sRank + ": columns " + columnList(aiPivot_Columns) + " are the pivot columns.";
}

// The sentence names the tolerance reducedRowEchelon applies.
std::string rrefNote() {
  char acTolerance[16];
  std::snprintf(acTolerance, sizeof acTolerance, "%G", gc_dRREF_TOLERANCE);
  return std::string(
             "These are the calculator's own operations: in each column the pivot is the entry "
             "of largest modulus at or below the current row, and a column whose entries there "
             "are all negligible beside the matrix (below ") +
         acTolerance + " times its norm and its larger size) has none.";
}

void rrefSteps(const ClMatrix& mA, ClSteps& steps, ClMatrix* pmLast,
               const ClDisplayOptions& display) {
  steps.m_asNotes.push_back(rrefNote());
  ClRecorder recorder(steps, static_cast<int32_t>(mA.rows()), static_cast<int32_t>(mA.cols()), -1,
                      display);
  recorder.start(mA);
  ClRrefReplay replay(recorder);
  ClMatrix mV = mA;
  reducedRowEchelon(mV, &replay);
  recorder.finish();
  steps.m_Final = printedMatrix(mV, display);
  steps.m_sConclusion = rankSentence(replay.pivotColumns());
  if (pmLast != nullptr) pmLast->swap(mV);
}

// --- Det: the elimination behind the LU factor

// aiPosition[i]: the row of the final factor that the row now at i becomes
// once all of getrf's swaps are made (its multipliers are stored there).
std::vector<Eigen::Index> finalPositions(const std::vector<lapack_int>& aiPivot) {
  const auto n = static_cast<Eigen::Index>(aiPivot.size());
  std::vector<Eigen::Index> aiRow(static_cast<size_t>(n));
  for (Eigen::Index i = 0; i < n; ++i) aiRow[static_cast<size_t>(i)] = i;
  for (Eigen::Index k = 0; k < n; ++k)
    std::swap(aiRow[static_cast<size_t>(k)], aiRow[static_cast<size_t>(aiPivot[k] - 1)]);
  std::vector<Eigen::Index> aiPosition(static_cast<size_t>(n));
  for (Eigen::Index i = 0; i < n; ++i) aiPosition[static_cast<size_t>(aiRow[i])] = i;
  return aiPosition;
}

// The rows 0..k of the matrix shown after column k are U's exactly; the rows
// below are eliminated here with the factor's multipliers.
void determinantSteps(const ClMatrix& mA, ClSteps& steps, ClMatrix* pmLast,
                      const ClDisplayOptions& display) {
  const Eigen::Index n = mA.rows();
  ClMatrix mLu = mA;
  std::vector<lapack_int> aiPivot;
  const lapack_int iInfo = factorLu(mLu, aiPivot);
  bool bResidue = false;
  const ClComplex cDet = luDeterminant(mLu, iInfo, permutationSign(aiPivot), &bResidue);
  ClMatrix mU = mLu.triangularView<Eigen::Upper>();
  steps.m_asNotes.push_back(
      "The calculator factors A as LU with partial pivoting (LAPACK): the pivot rows shown are "
      "the rows of its U exactly, and the rows below them are eliminated with its multipliers, "
      "to display precision.");
  ClRecorder recorder(steps, static_cast<int32_t>(n), static_cast<int32_t>(n), -1, display);
  recorder.start(mA);
  std::vector<Eigen::Index> aiPosition = finalPositions(aiPivot);
  ClMatrix mW = recorder.showsMatrices() ? mA : ClMatrix();
  ClMatrix mBefore;
  Eigen::VectorXcd vcMultiplier;
  for (Eigen::Index k = 0; k < n; ++k) {
    const Eigen::Index p = aiPivot[static_cast<size_t>(k)] - 1;
    std::swap(aiPosition[static_cast<size_t>(k)], aiPosition[static_cast<size_t>(p)]);
    ClColumn column;
    column.m_iColumn = column.m_iRow = static_cast<int32_t>(k);
    column.m_iPivot_Row = static_cast<int32_t>(p);
    vcMultiplier.resize(n - k - 1);
    for (Eigen::Index i = k + 1; i < n; ++i) {
      const ClComplex cL = mLu(aiPosition[static_cast<size_t>(i)], k);
      vcMultiplier(i - k - 1) = cL;
      if (cL != 0.0) column.m_aFactors.emplace_back(static_cast<int32_t>(i), cL);
    }
    if (recorder.showsMatrices()) {
      // the pivot row as the factor finished it
      mW.row(p) = mU.row(k);
      if (recorder.eachOperation()) mBefore = mW;
      mW.row(p).swap(mW.row(k));
      mW.bottomRightCorner(n - k - 1, n - k - 1).noalias() -=
          vcMultiplier * mU.row(k).tail(n - k - 1);
      mW.col(k).tail(n - k - 1).setZero();
    }
    recorder.column(column, &mBefore, mW);
  }
  steps.m_Final = shownMatrix(mU, -1, display);
  for (Eigen::Index k = 0; k < n; ++k) steps.m_asPivots.push_back(numberText(mU(k, k), display));
  steps.m_iSwaps = recorder.swaps();
  steps.m_sValue = printedEntries(ClMatrix::Constant(1, 1, cDet), display)[0];
  if (bResidue)
    steps.m_asNotes.push_back(
        "The smallest pivot is a rounding residue beside the largest, so the calculator takes "
        "det A as 0.");
  recorder.finish();
  if (pmLast != nullptr) pmLast->swap(mU);
}

// --- Inv and A\B: Gauss-Jordan on [A | I] and [A | B]

// The engine's path, said plainly; bAgrees: the elimination's last matrix
// shows as the printed result does.
std::string eliminationNote(eSTEPS_KIND eKind, bool bFinished, bool bAgrees) {
  std::string sNote = eKind == eSTEPS_INV
                          ? "The calculator computes Inv from the LU factorization of A (LAPACK)"
                          : "The calculator computes A\\B as Inv(A) B, with Inv(A) from the LU "
                            "factorization of A (LAPACK)";
  sNote += "; the elimination shown uses the same pivot rows";
  if (!bFinished) return sNote + ".";
  if (bAgrees) return sNote + " and agrees with it within display precision.";
  return sNote +
         ", but its last matrix differs from the printed result in the digits shown; "
         "the last matrix below is the printed one.";
}

// [I | X] as the line printed X.
ClShownMatrix besideIdentity(const ClShownMatrix& printed, const ClDisplayOptions& display) {
  const int32_t n = printed.m_iRows;
  ClShownMatrix shown;
  shown.m_iRows = n;
  shown.m_iColumns = n + printed.m_iColumns;
  shown.m_iBar = n;
  shown.m_asEntry.reserve(static_cast<size_t>(shown.m_iRows) * shown.m_iColumns);
  const std::string sOne = numberText(1.0, display), sZero = numberText(0.0, display);
  for (int32_t i = 0; i < n; ++i) {
    for (int32_t j = 0; j < n; ++j) shown.m_asEntry.push_back(i == j ? sOne : sZero);
    for (int32_t j = 0; j < printed.m_iColumns; ++j) shown.m_asEntry.push_back(printed.entry(i, j));
  }
  return shown;
}

std::string singularSentence(eSTEPS_KIND eKind, lapack_int iInfo) {
  const std::string sWhat = eKind == eSTEPS_INV ? "A is singular and has no inverse."
                                                : "A is singular, so A\\B has no unique solution.";
  if (iInfo > 0) return "Column " + std::to_string(iInfo) + " has no pivot: " + sWhat;
  return "The inverse has an entry too large for a number of the calculator (beyond 1.8E308), "
         "so it takes A as singular.";
}

// Column k of the elimination with the pivot from row p, by RREF's own
// column step; the columns left of k are zero in the rows from k down.
// False where the pivot is 0 or an entry overflows.
bool eliminateColumn(ClMatrix& mW, Eigen::Index k, Eigen::Index p, ClColumn& column) {
  if (mW(p, k) == 0.0) return false;
  column = columnBefore(mW, k, p, k);
  pivotColumn(mW, k, p, k, k);
  return mW.rightCols(mW.cols() - k).allFinite();
}

void eliminationSteps(const ClStepsOperand& operand, ClSteps& steps, ClMatrix* pmLast,
                      const ClDisplayOptions& display) {
  const ClMatrix& mA = operand.m_mA;
  const Eigen::Index n = mA.rows();
  const bool bInverse = operand.m_eKind == eSTEPS_INV;
  const ClMatrix mRight = bInverse ? ClMatrix(ClMatrix::Identity(n, n)) : operand.m_mB;
  ClMatrix mW(n, n + mRight.cols());
  mW << mA, mRight;
  ClMatrix mLu = mA;
  std::vector<lapack_int> aiPivot;
  const lapack_int iInfo = factorLu(mLu, aiPivot);
  ClMatrix mResult;
  const bool bSolved = stepsResult(operand, mResult);
  const Eigen::Index iColumns = bSolved || iInfo == 0 ? n : iInfo - 1;
  ClRecorder recorder(steps, static_cast<int32_t>(n), stepsWidth(operand), static_cast<int32_t>(n),
                      display);
  recorder.start(mW);
  ClMatrix mBefore;
  Eigen::Index k = 0;
  for (; k < iColumns; ++k) {
    if (recorder.eachOperation()) mBefore = mW;
    ClColumn column;
    if (!eliminateColumn(mW, k, aiPivot[static_cast<size_t>(k)] - 1, column)) break;
    recorder.column(column, &mBefore, mW);
  }
  const bool bFinished = k == n;
  if (!bSolved) {
    steps.m_asNotes.push_back(eliminationNote(operand.m_eKind, false, false));
    steps.m_sConclusion = singularSentence(operand.m_eKind, iInfo);
    recorder.finish();
    if (pmLast != nullptr) pmLast->resize(0, 0);
    return;
  }
  const ClShownMatrix printed = printedMatrix(mResult, display);
  const bool bAgrees =
      bFinished && printedEntries(mW.rightCols(mRight.cols()), display) == printed.m_asEntry;
  steps.m_asNotes.push_back(eliminationNote(operand.m_eKind, bFinished, bAgrees));
  recorder.finish();
  steps.m_Final = besideIdentity(printed, display);
  if (pmLast == nullptr) return;
  pmLast->resize(n, n + mResult.cols());
  *pmLast << ClMatrix::Identity(n, n), mResult;
}

}  // namespace

ClSteps computedSteps(const ClStepsOperand& operand, const ClDisplayOptions& display,
                      ClMatrix* pmLast) {
  ClSteps steps;
  steps.m_eKind = operand.m_eKind;
  switch (operand.m_eKind) {
    case eSTEPS_RREF:
      rrefSteps(operand.m_mA, steps, pmLast, display);
      break;
    case eSTEPS_DET:
      determinantSteps(operand.m_mA, steps, pmLast, display);
      break;
    case eSTEPS_INV:
    case eSTEPS_SOLVE:
      eliminationSteps(operand, steps, pmLast, display);
      break;
  }
  return steps;
}
