// SPDX-License-Identifier: GPL-3.0-or-later
// The steps in exact fractions: the operand's entries become the fractions
// the Rational format shows, and the elimination runs in GMP's rationals
// (Gaussian rationals for a complex operand), bounded in size, digits and
// by the stop callback so that the window never freezes.
#include "engine/exact_steps.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "engine/gaussian_rational.h"

namespace {

// A 50 x 50 integer inverse ([A | I], 50 x 100) takes well under a second;
// these bounds keep the worst operand within seconds, and Escape stops it.
constexpr int32_t gc_iEXACT_MAX_ROWS = 60;
constexpr int32_t gc_iEXACT_MAX_COLUMNS = 120;  // the augmented width
// Numerators and denominators of at most 4096 bits (64 limbs of 64 bits).
constexpr size_t gc_uiEXACT_MAX_LIMBS = 64;
constexpr int32_t gc_iEXACT_MAX_BITS = static_cast<int32_t>(gc_uiEXACT_MAX_LIMBS) * GMP_NUMB_BITS;
// The work of one entry update, in units of about 10 ns: GMP's products and
// gcds grow with the square of the limbs, and each update has a fixed cost.
// The budget is 2 to 3 s of a busy 2-core machine; a 50 x 50 integer inverse
// takes a twentieth of it. It ends the operands that stay under the digit
// bound but take long, such as complex ones with 30-bit parts.
constexpr unsigned long long gc_ullEXACT_MAX_WORK = 250000000ULL;
// Entry updates between two calls of the stop callback.
constexpr long gc_lSTOP_POLL = 4096;

const char* const gc_acSTOPPED =
    "Exact steps were stopped (Escape); the steps below are as computed.";
const char* const gc_acDIFFERS =
    "The exact result differs from the printed one: the operand is ill-conditioned or nearly "
    "singular, and rounding changed the printed result. Both are shown.";

std::string tooLong() {
  const int iDigits = static_cast<int>(gc_iEXACT_MAX_BITS * std::log10(2.0));
  return "Exact steps keep every numerator and denominator within " +
         std::to_string(gc_iEXACT_MAX_BITS) + " bits (about " + std::to_string(iDigits) +
         " digits); this operand's fractions grow beyond that, so the steps below are as "
         "computed.";
}

std::string tooSlow() {
  return "Exact steps of this operand would take more than a few seconds (its fractions grow "
         "long), so the steps below are as computed.";
}

std::string tooLarge(Eigen::Index lRows, Eigen::Index lColumns) {
  return "Exact steps are shown for matrices of at most " + std::to_string(gc_iEXACT_MAX_ROWS) +
         " rows and " + std::to_string(gc_iEXACT_MAX_COLUMNS) +
         " columns (augmented); this one is " + std::to_string(lRows) + " x " +
         std::to_string(lColumns) + ", so the steps below are as computed.";
}

// The shortest decimal text that reads back as the same double.
std::string shortestText(double dX) {
  char acText[32];
  for (int iDigits = 1; iDigits <= 17; ++iDigits) {
    std::snprintf(acText, sizeof acText, "%.*G", iDigits, dX);
    if (std::strtod(acText, nullptr) == dX) break;
  }
  return acText;
}

// The entry as it was typed, in the fewest digits that give its bits back.
std::string shortestEntryText(ClComplex cZ) {
  if (cZ.imag() == 0.0) return shortestText(cZ.real());
  return complexText(shortestText(cZ.real()), cZ.imag() < 0, shortestText(std::fabs(cZ.imag())));
}

// A part the Rational format shows as p/q and that rounds back to the same
// double (p and q fit in 32 bits: the double quotient is correctly rounded),
// or an integer beyond the rational limit.
bool exactPart(double dX, mpq_class& qPart) {
  if (!std::isfinite(dX)) return false;
  int64_t llNumerator = 0, llDenominator = 1;
  if (!ClCalculator::shownFraction(dX, llNumerator, llDenominator)) {
    if (std::trunc(dX) != dX) return false;
    qPart = dX;
    return true;
  }
  if (static_cast<double>(llNumerator) / static_cast<double>(llDenominator) != dX) return false;
  qPart = mpq_class(mpz_class(static_cast<long>(llNumerator)),
                    mpz_class(static_cast<long>(llDenominator)));
  qPart.canonicalize();
  return true;
}

void makeExact(ClComplex cZ, mpq_class& qOut) {
  exactPart(cZ.real(), qOut);
}

void makeExact(ClComplex cZ, ClGaussianRational& zOut) {
  mpq_class qRe, qIm;
  exactPart(cZ.real(), qRe);
  exactPart(cZ.imag(), qIm);
  zOut = ClGaussianRational(qRe, qIm);
}

// Names the first entry (row by row) that is not exact; empty when all are.
std::string firstInexact(const ClMatrix& mM, const char* acWhich) {
  mpq_class qPart;
  for (Eigen::Index i = 0; i < mM.rows(); ++i)
    for (Eigen::Index k = 0; k < mM.cols(); ++k) {
      const ClComplex cZ = mM(i, k);
      if (exactPart(cZ.real(), qPart) && exactPart(cZ.imag(), qPart)) continue;
      return "Exact steps need every entry to be a fraction the Rational format shows; entry (" +
             std::to_string(i + 1) + ", " + std::to_string(k + 1) + ")" + acWhich +
             " is not one (" + shortestEntryText(cZ) + "), so the steps below are as computed.";
    }
  return "";
}

bool isReal(const ClMatrix& mM) {
  return mM.imag().isZero(0.0);
}

enum eOUTCOME : int32_t { eFINISHED, eTOO_LONG, eTOO_SLOW, eSTOPPED };

inline unsigned long long partCost(const mpq_class& q) {
  const size_t uiLimbs = mpz_size(q.get_num_mpz_t()) + mpz_size(q.get_den_mpz_t());
  return uiLimbs * uiLimbs + 64;
}

// An update's work, measured by its result.
inline unsigned long long exactCost(const mpq_class& q) {
  return partCost(q);
}

// Four products per update, each part with its own denominator.
inline unsigned long long exactCost(const ClGaussianRational& z) {
  return 4 * (partCost(z.real()) + partCost(z.imag()));
}

// One elimination on a row-major matrix of exact entries, recording each
// row operation (with the matrix after it where the folding shows it).
template <class T>
class ClElimination {
 public:
  ClElimination(const ClStepsOperand& operand, const ClStepsOptions& options, ClSteps& steps);

  // Gauss-Jordan over the first m_iBar columns (all for RREF); iMissing is
  // the first column without a pivot (-1: none), where Inv and A\B stop.
  eOUTCOME reduce(int32_t& iRank, int32_t& iMissing);
  // Swaps and additions to an upper triangular matrix (Det).
  eOUTCOME triangulate(int32_t& iMissing);

  const T& at(int32_t iRow, int32_t iColumn) const {
    return m_aEntry[static_cast<size_t>(iRow) * static_cast<size_t>(m_iColumns) +
                    static_cast<size_t>(iColumn)];
  }
  ClShownMatrix shown(int32_t iPivot_Row, int32_t iPivot_Column, int32_t iChanged_Row) const;
  // The doubles nearest to columns iFirst onwards.
  ClMatrix nearest(int32_t iFirst) const;
  T determinant() const;
  int32_t swaps() const { return m_iSwaps; }

 private:
  T& cell(int32_t iRow, int32_t iColumn) {
    return m_aEntry[static_cast<size_t>(iRow) * static_cast<size_t>(m_iColumns) +
                    static_cast<size_t>(iColumn)];
  }
  int32_t findPivot(int32_t iRow, int32_t iColumn) const;
  void swapRows(int32_t iRow, int32_t iOther, int32_t iColumn);
  eOUTCOME scaleRow(int32_t iRow, int32_t iColumn);
  eOUTCOME clearEntry(int32_t iRow, int32_t iPivot_Row, int32_t iColumn, const T& tFactor);
  eOUTCOME clearColumn(int32_t iPivot_Row, int32_t iColumn, bool bAbove, const T& tFactor);
  void record(ClRowOperation operation, int32_t iPivot_Row, int32_t iColumn);
  void closeBlock(int32_t iPivot_Row, int32_t iColumn, size_t uiFirst_Step);
  size_t account(const T& tEntry);
  eOUTCOME rowDone(size_t uiLimbs, long lEntries);

  const ClStepsOptions& m_Options;
  ClSteps& m_Steps;
  int32_t m_iRows = 0;
  int32_t m_iColumns = 0;
  int32_t m_iBar = -1;
  std::vector<T> m_aEntry;
  ClStepsFolding m_Folding;
  int32_t m_iSwaps = 0;
  long m_lSince_Poll = 0;
  unsigned long long m_ullWork = 0;
  mpq_class m_qScratch;
};

template <class T>
ClElimination<T>::ClElimination(const ClStepsOperand& operand, const ClStepsOptions& options,
                                ClSteps& steps)
    : m_Options(options), m_Steps(steps) {
  const ClMatrix& mA = operand.m_mA;
  m_iRows = static_cast<int32_t>(mA.rows());
  m_iColumns = stepsWidth(operand);
  if (operand.m_eKind == eSTEPS_INV || operand.m_eKind == eSTEPS_SOLVE)
    m_iBar = static_cast<int32_t>(mA.cols());
  m_aEntry.resize(static_cast<size_t>(m_iRows) * static_cast<size_t>(m_iColumns));
  for (int32_t i = 0; i < m_iRows; ++i)
    for (int32_t k = 0; k < m_iColumns; ++k) {
      if (k < mA.cols())
        makeExact(mA(i, k), cell(i, k));
      else if (operand.m_eKind == eSTEPS_SOLVE)
        makeExact(operand.m_mB(i, k - m_iBar), cell(i, k));
      else if (k - m_iBar == i)
        cell(i, k) = T(1);
    }
  m_Folding = stepsFolding(m_iRows, m_iColumns);
}

// Adds an updated entry's work; returns its limbs.
template <class T>
size_t ClElimination<T>::account(const T& tEntry) {
  m_ullWork += exactCost(tEntry);
  return exactLimbs(tEntry);
}

// After a row operation: the digit bound, the work budget, and the stop
// callback every gc_lSTOP_POLL entry updates.
template <class T>
eOUTCOME ClElimination<T>::rowDone(size_t uiLimbs, long lEntries) {
  if (uiLimbs > gc_uiEXACT_MAX_LIMBS) return eTOO_LONG;
  if (m_ullWork > gc_ullEXACT_MAX_WORK) return eTOO_SLOW;
  m_lSince_Poll += lEntries;
  if (m_lSince_Poll < gc_lSTOP_POLL) return eFINISHED;
  m_lSince_Poll = 0;
  return m_Options.m_pStop != nullptr && m_Options.m_pStop() ? eSTOPPED : eFINISHED;
}

template <class T>
int32_t ClElimination<T>::findPivot(int32_t iRow, int32_t iColumn) const {
  int32_t iBest = -1;
  mpq_class qBest;
  for (int32_t i = iRow; i < m_iRows; ++i) {
    if (exactIsZero(at(i, iColumn))) continue;
    if (m_Options.m_ePivot == ePIVOT_FIRST) return i;
    const mpq_class qNorm = exactNorm(at(i, iColumn));
    if (iBest < 0 || qNorm > qBest) {
      iBest = i;
      qBest = qNorm;
    }
  }
  return iBest;
}

template <class T>
void ClElimination<T>::record(ClRowOperation operation, int32_t iPivot_Row, int32_t iColumn) {
  ClStep step;
  step.m_Operation = std::move(operation);
  step.m_iBlock = iColumn;
  step.m_iSwaps = m_iSwaps;
  if (m_Folding.m_bEach_Operation)
    step.m_Matrix = shown(iPivot_Row, iColumn, step.m_Operation.m_iTarget);
  m_Steps.m_aSteps.push_back(std::move(step));
}

// Folded: the block's last operation alone shows the matrix, every k-th block.
template <class T>
void ClElimination<T>::closeBlock(int32_t iPivot_Row, int32_t iColumn, size_t uiFirst_Step) {
  if (m_Folding.m_bEach_Operation || m_Steps.m_aSteps.size() == uiFirst_Step) return;
  if (!m_Folding.shows(iColumn, true)) return;
  ClStep& last = m_Steps.m_aSteps.back();
  last.m_Matrix = shown(iPivot_Row, iColumn, last.m_Operation.m_iTarget);
}

template <class T>
void ClElimination<T>::swapRows(int32_t iRow, int32_t iOther, int32_t iColumn) {
  for (int32_t k = 0; k < m_iColumns; ++k) std::swap(cell(iRow, k), cell(iOther, k));
  ++m_iSwaps;
  ClRowOperation operation;
  operation.m_eOp = eOP_SWAP;
  operation.m_iTarget = iRow;
  operation.m_iSource = iOther;
  record(std::move(operation), iRow, iColumn);
}

// Ri <- (1/p) Ri; entries left of the pivot are zero already.
template <class T>
eOUTCOME ClElimination<T>::scaleRow(int32_t iRow, int32_t iColumn) {
  if (exactIsOne(at(iRow, iColumn))) return eFINISHED;
  const T tFactor = exactInverse(at(iRow, iColumn));
  size_t uiLimbs = 0;
  for (int32_t k = iColumn + 1; k < m_iColumns; ++k) {
    if (exactIsZero(at(iRow, k))) continue;
    multiplyBy(cell(iRow, k), tFactor, m_qScratch);
    uiLimbs = std::max(uiLimbs, account(at(iRow, k)));
  }
  cell(iRow, iColumn) = T(1);
  ClRowOperation operation;
  operation.m_eOp = eOP_SCALE;
  operation.m_iTarget = iRow;
  operation.m_sFactor = exactText(tFactor);
  record(std::move(operation), iRow, iColumn);
  return rowDone(uiLimbs, m_iColumns - iColumn);
}

// Ri <- Ri - f Rp with f = a(i, c) / p, which clears a(i, c).
template <class T>
eOUTCOME ClElimination<T>::clearEntry(int32_t iRow, int32_t iPivot_Row, int32_t iColumn,
                                      const T& tFactor) {
  size_t uiLimbs = 0;
  for (int32_t k = iColumn + 1; k < m_iColumns; ++k) {
    if (exactIsZero(at(iPivot_Row, k))) continue;
    T& tEntry = cell(iRow, k);
    subtractProduct(tEntry, tFactor, at(iPivot_Row, k), m_qScratch);
    uiLimbs = std::max(uiLimbs, account(tEntry));
  }
  cell(iRow, iColumn) = T(0);
  ClRowOperation operation;
  operation.m_eOp = eOP_ADD;
  operation.m_iTarget = iRow;
  operation.m_iSource = iPivot_Row;
  // Ri <- Ri - f Rp, written Ri <- Ri + |f| Rp for a negative real f
  const bool bPlus = exactIsReal(tFactor) && exactSign(tFactor) < 0;
  operation.m_cSign = bPlus ? '+' : '-';
  operation.m_sFactor = exactText(bPlus ? negated(tFactor) : tFactor);
  record(std::move(operation), iPivot_Row, iColumn);
  return rowDone(uiLimbs, m_iColumns - iColumn);
}

// Clears column c below the pivot row (and above it for Gauss-Jordan);
// tInverse is 1/p (1 once the pivot row is scaled).
template <class T>
eOUTCOME ClElimination<T>::clearColumn(int32_t iPivot_Row, int32_t iColumn, bool bAbove,
                                       const T& tInverse) {
  const bool bUnit = exactIsOne(tInverse);
  for (int32_t i = bAbove ? 0 : iPivot_Row + 1; i < m_iRows; ++i) {
    if (i == iPivot_Row || exactIsZero(at(i, iColumn))) continue;
    const T tFactor = bUnit ? at(i, iColumn) : exactProduct(at(i, iColumn), tInverse);
    const eOUTCOME eOutcome = clearEntry(i, iPivot_Row, iColumn, tFactor);
    if (eOutcome != eFINISHED) return eOutcome;
  }
  return eFINISHED;
}

template <class T>
eOUTCOME ClElimination<T>::reduce(int32_t& iRank, int32_t& iMissing) {
  const int32_t iPivot_Columns = m_iBar < 0 ? m_iColumns : m_iBar;
  iRank = 0;
  iMissing = -1;
  for (int32_t c = 0; c < iPivot_Columns && iRank < m_iRows; ++c) {
    const int32_t iPivot = findPivot(iRank, c);
    if (iPivot < 0) {
      if (iMissing < 0) iMissing = c;
      if (m_iBar >= 0) return eFINISHED;  // Inv and A\B stop here
      continue;
    }
    const size_t uiFirst_Step = m_Steps.m_aSteps.size();
    if (iPivot != iRank) swapRows(iRank, iPivot, c);
    eOUTCOME eOutcome = scaleRow(iRank, c);
    if (eOutcome == eFINISHED) eOutcome = clearColumn(iRank, c, true, T(1));
    if (eOutcome != eFINISHED) return eOutcome;
    closeBlock(iRank, c, uiFirst_Step);
    ++iRank;
  }
  return eFINISHED;
}

template <class T>
eOUTCOME ClElimination<T>::triangulate(int32_t& iMissing) {
  iMissing = -1;
  for (int32_t c = 0; c + 1 < m_iRows; ++c) {
    const int32_t iPivot = findPivot(c, c);
    if (iPivot < 0) {
      if (iMissing < 0) iMissing = c;
      continue;
    }
    const size_t uiFirst_Step = m_Steps.m_aSteps.size();
    if (iPivot != c) swapRows(c, iPivot, c);
    const eOUTCOME eOutcome = clearColumn(c, c, false, exactInverse(at(c, c)));
    if (eOutcome != eFINISHED) return eOutcome;
    closeBlock(c, c, uiFirst_Step);
  }
  if (iMissing < 0 && m_iRows > 0 && exactIsZero(at(m_iRows - 1, m_iRows - 1)))
    iMissing = m_iRows - 1;
  return eFINISHED;
}

template <class T>
ClShownMatrix ClElimination<T>::shown(int32_t iPivot_Row, int32_t iPivot_Column,
                                      int32_t iChanged_Row) const {
  ClShownMatrix matrix;
  matrix.m_iRows = m_iRows;
  matrix.m_iColumns = m_iColumns;
  matrix.m_iBar = m_iBar;
  matrix.m_iPivot_Row = iPivot_Row;
  matrix.m_iPivot_Column = iPivot_Column;
  matrix.m_iChanged_Row = iChanged_Row;
  matrix.m_asEntry.reserve(m_aEntry.size());
  for (const T& tEntry : m_aEntry) matrix.m_asEntry.push_back(exactText(tEntry));
  return matrix;
}

template <class T>
ClMatrix ClElimination<T>::nearest(int32_t iFirst) const {
  ClMatrix mM(m_iRows, m_iColumns - iFirst);
  for (int32_t i = 0; i < m_iRows; ++i)
    for (int32_t k = iFirst; k < m_iColumns; ++k) mM(i, k - iFirst) = nearestComplex(at(i, k));
  return mM;
}

template <class T>
T ClElimination<T>::determinant() const {
  T tValue = (m_iSwaps % 2 == 0) ? T(1) : T(-1);
  for (int32_t i = 0; i < m_iRows; ++i) tValue = exactProduct(tValue, at(i, i));
  return tValue;
}

// Both parts of every entry apart, as real numbers, with the matrix's
// hiding rule, so that an imaginary part one ulp below 1 ("1i") reads as the
// unit "i" does.
std::vector<std::string> partTexts(const ClMatrix& mM, const ClDisplayOptions& display) {
  const ClValueWriter writer(mM, display);
  std::vector<std::string> asText;
  for (Eigen::Index i = 0; i < mM.rows(); ++i)
    for (Eigen::Index k = 0; k < mM.cols(); ++k) {
      // a signed zero part (-0 from a product) reads as the exact 0
      const ClComplex cZ = unsignZero(mM(i, k));
      asText.push_back(writer.entry(cZ.real()));
      asText.push_back(writer.entry(cZ.imag()));
    }
  return asText;
}

// Compares the exact result (bExact false: none, A is singular) with the
// value the line printed; a difference puts a note first and the printed
// value beside the exact one.
void comparePrinted(const ClStepsOperand& operand, bool bExact, const ClMatrix& mExact,
                    const ClDisplayOptions& display, ClSteps& steps) {
  ClMatrix mPrinted;
  const bool bPrinted = stepsResult(operand, mPrinted);
  const bool bDiffers =
      bPrinted != bExact ||
      (bPrinted && (mPrinted.rows() != mExact.rows() || mPrinted.cols() != mExact.cols() ||
                    partTexts(mPrinted, display) != partTexts(mExact, display)));
  if (!bDiffers) return;
  steps.m_asNotes.insert(steps.m_asNotes.begin(), gc_acDIFFERS);
  if (!bPrinted) return;
  steps.m_Printed = printedMatrix(mPrinted, display);
}

std::string noPivot(int32_t iColumn, const char* acSequel) {
  return "Column " + std::to_string(iColumn + 1) + " has no pivot: A is singular" + acSequel;
}

template <class T>
eOUTCOME runKind(const ClStepsOperand& operand, const ClStepsOptions& options, ClSteps& steps) {
  ClElimination<T> elimination(operand, options, steps);
  steps.m_Start = elimination.shown(-1, -1, -1);
  int32_t iRank = 0, iMissing = -1;
  const bool bDet = operand.m_eKind == eSTEPS_DET;
  const eOUTCOME eOutcome =
      bDet ? elimination.triangulate(iMissing) : elimination.reduce(iRank, iMissing);
  if (eOutcome != eFINISHED) return eOutcome;
  steps.m_Final = elimination.shown(-1, -1, -1);
  switch (operand.m_eKind) {
    case eSTEPS_RREF:
      steps.m_sConclusion = "Rank " + std::to_string(iRank) + ".";
      comparePrinted(operand, true, elimination.nearest(0), options.m_Display, steps);
      break;
    case eSTEPS_INV:
    case eSTEPS_SOLVE: {
      const bool bInverse = operand.m_eKind == eSTEPS_INV;
      if (iMissing >= 0)
        steps.m_sConclusion = noPivot(
            iMissing, bInverse ? " and has no inverse." : ", so A\\B has no unique solution.");
      comparePrinted(operand, iMissing < 0,
                     elimination.nearest(static_cast<int32_t>(operand.m_mA.cols())),
                     options.m_Display, steps);
      break;
    }
    case eSTEPS_DET: {
      if (iMissing >= 0) steps.m_sConclusion = noPivot(iMissing, ", so det A = 0.");
      const int32_t n = static_cast<int32_t>(operand.m_mA.rows());
      for (int32_t i = 0; i < n; ++i) steps.m_asPivots.push_back(exactText(elimination.at(i, i)));
      const T tValue = elimination.determinant();
      steps.m_iSwaps = elimination.swaps();
      steps.m_sValue = exactText(tValue);
      comparePrinted(operand, true, ClMatrix::Constant(1, 1, nearestComplex(tValue)),
                     options.m_Display, steps);
      break;
    }
  }
  return eFINISHED;
}

}  // namespace

bool exactSteps(const ClStepsOperand& operand, const ClStepsOptions& options, ClSteps& steps,
                std::string& sWhy_Not) {
  const ClMatrix& mA = operand.m_mA;
  const int32_t iColumns = stepsWidth(operand);
  if (mA.rows() > gc_iEXACT_MAX_ROWS || iColumns > gc_iEXACT_MAX_COLUMNS) {
    sWhy_Not = tooLarge(mA.rows(), iColumns);
    return false;
  }
  sWhy_Not = firstInexact(mA, operand.m_eKind == eSTEPS_SOLVE ? " of A" : "");
  if (sWhy_Not.empty()) sWhy_Not = firstInexact(operand.m_mB, " of B");
  if (!sWhy_Not.empty()) return false;
  steps = ClSteps();
  steps.m_eKind = operand.m_eKind;
  steps.m_bExact = true;
  steps.m_ePivot = options.m_ePivot;
  const bool bReal = isReal(mA) && isReal(operand.m_mB);
  const eOUTCOME eOutcome = bReal ? runKind<mpq_class>(operand, options, steps)
                                  : runKind<ClGaussianRational>(operand, options, steps);
  if (eOutcome == eSTOPPED) sWhy_Not = gc_acSTOPPED;
  if (eOutcome == eTOO_LONG) sWhy_Not = tooLong();
  if (eOutcome == eTOO_SLOW) sWhy_Not = tooSlow();
  if (eOutcome != eFINISHED) return false;
  const std::string sFolding =
      foldingNote(stepsFolding(steps.m_Start.m_iRows, steps.m_Start.m_iColumns));
  if (!sFolding.empty()) steps.m_asNotes.push_back(sFolding);
  return true;
}
