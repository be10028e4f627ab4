// SPDX-License-Identifier: GPL-3.0-or-later
// The steps as computed, against the line run through the engine: the last
// matrix is what the pane prints, Inv and A\B's elimination ends in the
// printed digits (or says it does not, on an ill-conditioned operand) and
// the printed value's residual is small; a singular inverse stops where the
// pivot is missing; the folding, worked out by hand, decides which steps
// carry a matrix; and a small case's operations and matrices in the
// Rational format.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine/computed_steps.h"
#include "engine/display.h"
#include "tests/support/engine_driver.h"

namespace {

class ComputedStepsTest : public ::testing::Test {
 protected:
  void SetUp() override { resetEngineState(); }
};

enum eSHAPE { eFULL, eLOW_RANK, eZERO_COLUMNS };

ClMatrix seededMatrix(int iRows, int iColumns, bool bComplex, unsigned uiSeed) {
  std::mt19937 generator(uiSeed);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  ClMatrix mM(iRows, iColumns);
  for (Eigen::Index k = 0; k < mM.size(); ++k) {
    const double dRe = uniform(generator);
    mM(k) = ClComplex(dRe, bComplex ? uniform(generator) : 0.0);
  }
  return mM;
}

ClMatrix shapedMatrix(int iRows, int iColumns, bool bComplex, eSHAPE eShape, unsigned uiSeed) {
  if (eShape == eLOW_RANK) {
    const int iRank = std::max(1, std::min(iRows, iColumns) / 2);
    return seededMatrix(iRows, iRank, bComplex, uiSeed) *
           seededMatrix(iRank, iColumns, bComplex, uiSeed + 1);
  }
  ClMatrix mM = seededMatrix(iRows, iColumns, bComplex, uiSeed);
  if (eShape == eZERO_COLUMNS)
    for (int j = 0; j < iColumns; j += 3) mM.col(j).setZero();
  return mM;
}

// A note that holds sPart.
bool hasNote(const ClSteps& steps, const std::string& sPart) {
  for (const std::string& sNote : steps.m_asNotes)
    if (sNote.find(sPart) != std::string::npos) return true;
  return false;
}

// The line that applies each kind to the variables A and B.
const char* const gc_aacLINE[] = {"R(A)", "I(A)", "D(A)", "A\\B"};

ClRun runKind(const ClStepsOperand& operand) {
  ClCalculator::mp_mVariable[eVAR_A] = operand.m_mA;
  ClCalculator::mp_mVariable[eVAR_B] = operand.m_mB;
  return runLine(gc_aacLINE[operand.m_eKind]);
}

// The entries of a pane's text, row by row.
std::vector<std::string> paneEntries(const std::string& sText) {
  std::vector<std::string> asEntry;
  for (size_t uiBegin = 0;;) {
    const size_t uiComma = sText.find(", ", uiBegin), uiRow = sText.find(" ;\n", uiBegin);
    const size_t uiEnd = std::min(uiComma, uiRow);
    asEntry.push_back(sText.substr(uiBegin, uiEnd - uiBegin));
    if (uiEnd == std::string::npos) return asEntry;
    uiBegin = uiEnd + (uiEnd == uiComma ? 2 : 3);
  }
}

// The columns from iFirst on of a shown matrix, row by row.
std::vector<std::string> rightBlock(const ClShownMatrix& shown, int32_t iFirst) {
  std::vector<std::string> asEntry;
  for (int32_t i = 0; i < shown.m_iRows; ++i)
    for (int32_t j = iFirst; j < shown.m_iColumns; ++j) asEntry.push_back(shown.entry(i, j));
  return asEntry;
}

// RREF and Det: the last matrix and the value are the line's. The last
// matrix's numbers are compared with stepsResult, which runs the same
// reduction and the same LU: that pins the replay's path, not the value.
void expectEndsInResult(const ClStepsOperand& operand, const std::string& sCase) {
  ClMatrix mLast;
  const ClSteps steps = computedSteps(operand, currentDisplayOptions(), &mLast);
  ClMatrix mResult;
  ASSERT_TRUE(stepsResult(operand, mResult)) << sCase;
  const ClRun run = runKind(operand);
  ASSERT_EQ(run.uiError, 0) << sCase;
  if (operand.m_eKind == eSTEPS_DET) {
    // U's diagonal with the swaps' sign gives the printed value, bit for bit
    const ClComplex cSign(steps.m_iSwaps % 2 == 0 ? 1.0 : -1.0);
    EXPECT_EQ(cSign * mLast.diagonal().prod(), mResult(0, 0)) << sCase;
    EXPECT_TRUE(mLast.triangularView<Eigen::StrictlyLower>().toDenseMatrix().isZero(0.0)) << sCase;
    EXPECT_EQ(steps.m_sValue, run.sText) << sCase;
    EXPECT_EQ(steps.m_asPivots.size(), static_cast<size_t>(mLast.rows())) << sCase;
  } else {
    EXPECT_TRUE(mLast == mResult) << sCase;
    EXPECT_EQ(steps.m_Final.m_asEntry, paneEntries(run.sText)) << sCase;
  }
  ASSERT_EQ(steps.m_Final.m_iRows, mLast.rows()) << sCase;
  EXPECT_EQ(steps.m_Final.m_iColumns, mLast.cols()) << sCase;
  // the last step's matrix, where shown, is the last matrix
  if (!steps.m_aSteps.empty() && !steps.m_aSteps.back().m_Matrix.empty()) {
    EXPECT_EQ(steps.m_aSteps.back().m_Matrix.m_asEntry, steps.m_Final.m_asEntry) << sCase;
  }
}

// An entry's text read back as a number; "i" alone is 1i.
ClComplex shownValue(const std::string& sEntry) {
  const ClEntryParts parts = entryParts(sEntry);
  const double dRe = parts.m_sReal.empty() ? 0.0 : std::strtod(parts.m_sReal.c_str(), nullptr);
  if (!parts.m_bImaginary) return dRe;
  const double dIm =
      parts.m_sMagnitude.empty() ? 1.0 : std::strtod(parts.m_sMagnitude.c_str(), nullptr);
  return {dRe, parts.m_bNegative ? -dIm : dIm};
}

// Two Decimal texts (six significant digits, each the rounding of its
// number) of numbers at most dSlack apart: each is within half a unit of its
// last digit of its number, and that unit is at most the larger text's.
bool agreeShown(double dA, double dB, double dSlack) {
  const double dLarger = std::max(std::fabs(dA), std::fabs(dB));
  const double dUnit = dLarger == 0.0 ? 0.0 : std::pow(10.0, std::floor(std::log10(dLarger)) - 5);
  return std::fabs(dA - dB) <= dUnit + dSlack;
}

// ||A X - B|| <= c n eps ||A|| ||X|| (Frobenius norms) for the LU inverse
// and for Inv(A) B on these random operands, whose pivots barely grow: the
// largest ratio to n eps ||A|| ||X|| they give is 1 (a complex 1 x 1).
constexpr double gc_dRESIDUAL_C = 4.0;

// Inv and A\B: the line's value X solves A X = B (I for Inv); the last
// matrix is [I | X as the pane shows it]; the elimination a student reads
// ends, entry by entry, in the pane's digits (a Decimal unit of the last
// shown digit, plus what the two computations may differ by); and the note
// says whether its digits are the pane's.
void expectEliminationEndsInLine(const ClStepsOperand& operand, const std::string& sCase) {
  const ClMatrix& mA = operand.m_mA;
  const Eigen::Index n = mA.rows();
  const bool bInverse = operand.m_eKind == eSTEPS_INV;
  const ClMatrix mB = bInverse ? ClMatrix(ClMatrix::Identity(n, n)) : operand.m_mB;
  const Eigen::Index m = mB.cols();
  ClCalculator::mp_mVariable[eVAR_A] = mA;
  g_bZero_Out = false;
  const ClMatrix mInverse = runLine("I(A)").mResult;
  ASSERT_EQ(mInverse.rows(), n) << sCase;
  const double dEps = std::numeric_limits<double>::epsilon();
  for (const bool bZero_Out : {false, true}) {
    g_bZero_Out = bZero_Out;
    const std::string sEach = sCase + (bZero_Out ? ", Zero Out" : "");
    const ClRun run = runKind(operand);
    ASSERT_EQ(run.uiError, 0) << sEach;
    const ClMatrix& mX = run.mResult;
    ASSERT_EQ(mX.rows(), n) << sEach;
    ASSERT_EQ(mX.cols(), m) << sEach;
    EXPECT_LE((mA * mX - mB).norm(),
              gc_dRESIDUAL_C * static_cast<double>(n) * dEps * mA.norm() * mX.norm())
        << sEach;

    const ClSteps steps = computedSteps(operand, currentDisplayOptions());
    const std::vector<std::string> asPane = paneEntries(run.sText);
    ASSERT_EQ(steps.m_Final.m_iRows, n) << sEach;
    EXPECT_EQ(rightBlock(steps.m_Final, static_cast<int32_t>(n)), asPane) << sEach;
    if (steps.m_aSteps.empty() || steps.m_aSteps.back().m_Matrix.empty()) continue;
    const ClShownMatrix& last = steps.m_aSteps.back().m_Matrix;
    ASSERT_EQ(last.m_iBar, n) << sEach;
    for (int32_t i = 0; i < n; ++i)
      for (int32_t j = 0; j < n; ++j) EXPECT_EQ(last.entry(i, j), i == j ? "1" : "0") << sEach;
    // both results are within a few (n + m) eps cond(A) ||X|| of the exact
    // one, cond(A) <= ||A|| ||Inv(A)||; Zero Out hides parts below 5E-15 x
    // the larger size x the norm of [I | X] in the steps, and of X in the pane
    const double dSize = static_cast<double>(n + m);
    const double dSlack =
        4.0 * dSize * dEps * mA.norm() * mInverse.norm() * mX.norm() +
        (bZero_Out ? 1e-14 * dSize * std::sqrt(static_cast<double>(n) + mX.squaredNorm()) : 0.0);
    const std::vector<std::string> asShown = rightBlock(last, static_cast<int32_t>(n));
    ASSERT_EQ(asShown.size(), asPane.size()) << sEach;
    for (size_t k = 0; k < asShown.size(); ++k) {
      const ClComplex cShown = shownValue(asShown[k]), cPane = shownValue(asPane[k]);
      EXPECT_TRUE(agreeShown(cShown.real(), cPane.real(), dSlack) &&
                  agreeShown(cShown.imag(), cPane.imag(), dSlack))
          << sEach << ": " << asShown[k] << " shown, " << asPane[k] << " printed";
    }
    // without Zero Out both are written whole, so the same digits are the
    // same text
    if (!bZero_Out) {
      const std::string sAgrees = " and agrees with it within display precision.";
      EXPECT_EQ(hasNote(steps, sAgrees), asShown == asPane) << sEach;
    }
  }
}

struct EndCase {
  eSTEPS_KIND eKind;
  int iRows, iColumns;
  eSHAPE eShape;
};

TEST_F(ComputedStepsTest, StepsEndInWhatTheLinePrints) {
  // RREF of singular, zero-column, wide and tall operands
  std::vector<EndCase> aCases = {
      {eSTEPS_RREF, 3, 3, eLOW_RANK},       {eSTEPS_RREF, 12, 12, eLOW_RANK},
      {eSTEPS_RREF, 40, 40, eLOW_RANK},     {eSTEPS_RREF, 7, 7, eZERO_COLUMNS},
      {eSTEPS_RREF, 20, 20, eZERO_COLUMNS}, {eSTEPS_RREF, 5, 9, eFULL},
      {eSTEPS_RREF, 12, 30, eLOW_RANK},     {eSTEPS_RREF, 9, 5, eFULL},
      {eSTEPS_RREF, 40, 12, eZERO_COLUMNS}, {eSTEPS_RREF, 1, 6, eFULL},
      {eSTEPS_RREF, 6, 1, eFULL},
  };
  // every kind on square operands of each size
  for (const eSTEPS_KIND eKind : {eSTEPS_RREF, eSTEPS_INV, eSTEPS_DET, eSTEPS_SOLVE})
    for (const int n : {1, 2, 3, 5, 8, 13, 21, 40}) aCases.push_back({eKind, n, n, eFULL});
  unsigned uiSeed = 1;
  for (const EndCase& c : aCases) {
    for (const bool bComplex : {false, true}) {
      ClStepsOperand operand;
      operand.m_eKind = c.eKind;
      operand.m_mA = shapedMatrix(c.iRows, c.iColumns, bComplex, c.eShape, uiSeed);
      if (c.eKind == eSTEPS_SOLVE) operand.m_mB = seededMatrix(c.iRows, 3, bComplex, uiSeed + 7);
      uiSeed += 10;
      const std::string sCase = stepsTitle(operand) + (bComplex ? ", complex" : ", real") +
                                ", shape " + std::to_string(c.eShape);
      if (c.eKind == eSTEPS_INV || c.eKind == eSTEPS_SOLVE)
        expectEliminationEndsInLine(operand, sCase);
      else
        expectEndsInResult(operand, sCase);
    }
  }
}

ClMatrix matrixOf(std::initializer_list<std::initializer_list<double>> aadRows) {
  ClMatrix mM(static_cast<Eigen::Index>(aadRows.size()),
              static_cast<Eigen::Index>(aadRows.begin()->size()));
  Eigen::Index i = 0;
  for (const auto& adRow : aadRows) {
    Eigen::Index j = 0;
    for (const double d : adRow) mM(i, j++) = d;
    ++i;
  }
  return mM;
}

TEST_F(ComputedStepsTest, SingularInverseStopsWhereThePivotIsMissing) {
  struct {
    eSTEPS_KIND eKind;
    ClMatrix mA;
    int iLast_Block;  // the last column with operations
    const char* acConclusion;
  } const aCases[] = {
      // the LU meets an exact zero in column 3
      {eSTEPS_INV, matrixOf({{1, 2, 3}, {2, 4, 6}, {1, 1, 1}}), 1,
       "Column 3 has no pivot: A is singular and has no inverse."},
      {eSTEPS_SOLVE, matrixOf({{1, 2, 3}, {2, 4, 6}, {1, 1, 1}}), 1,
       "Column 3 has no pivot: A is singular, so A\\B has no unique solution."},
      {eSTEPS_INV, matrixOf({{0, 0}, {0, 1}}), -1,
       "Column 1 has no pivot: A is singular and has no inverse."},
      // every pivot is non-zero, but the inverse overflows
      {eSTEPS_INV, matrixOf({{1e-310, 0}, {0, 1}}), -1,
       "The inverse has an entry too large for a number of the calculator (beyond 1.8E308), so "
       "it takes A as singular."},
  };
  for (const auto& c : aCases) {
    ClStepsOperand operand;
    operand.m_eKind = c.eKind;
    operand.m_mA = c.mA;
    if (c.eKind == eSTEPS_SOLVE) operand.m_mB = ClMatrix::Ones(c.mA.rows(), 1);
    ClMatrix mLast = ClMatrix::Ones(1, 1);
    const ClSteps steps = computedSteps(operand, currentDisplayOptions(), &mLast);
    EXPECT_EQ(steps.m_sConclusion, c.acConclusion);
    EXPECT_TRUE(steps.m_Final.empty()) << c.acConclusion;
    EXPECT_EQ(mLast.size(), 0) << c.acConclusion;
    const int iLast = steps.m_aSteps.empty() ? -1 : steps.m_aSteps.back().m_iBlock;
    EXPECT_EQ(iLast, c.iLast_Block) << c.acConclusion;
    EXPECT_TRUE(hasNote(steps, "The calculator computes ")) << c.acConclusion;
  }
}

// Gauss-Jordan on [A | R] as taught, in real numbers: partial pivoting, the
// pivot row divided by the pivot, then subtracted from every other row.
// aiPivot receives the row each column's pivot came from.
Eigen::MatrixXd gaussJordan(const Eigen::MatrixXd& mA, const Eigen::MatrixXd& mRight,
                            std::vector<Eigen::Index>& aiPivot) {
  const Eigen::Index n = mA.rows();
  Eigen::MatrixXd mW(n, n + mRight.cols());
  mW << mA, mRight;
  for (Eigen::Index k = 0; k < n; ++k) {
    Eigen::Index p = k;
    for (Eigen::Index i = k + 1; i < n; ++i)
      if (std::fabs(mW(i, k)) > std::fabs(mW(p, k))) p = i;
    aiPivot.push_back(p);
    mW.row(p).swap(mW.row(k));
    mW.row(k) /= mW(k, k);
    for (Eigen::Index i = 0; i < n; ++i) {
      const double dFactor = mW(i, k);
      if (i != k) mW.row(i) -= dFactor * mW.row(k);
    }
  }
  return mW.rightCols(mRight.cols());
}

// The Decimal format's text of each entry, row by row.
std::vector<std::string> decimalTexts(const Eigen::MatrixXd& mM) {
  std::vector<std::string> asText;
  char acText[32];
  for (Eigen::Index i = 0; i < mM.rows(); ++i)
    for (Eigen::Index j = 0; j < mM.cols(); ++j) {
      std::snprintf(acText, sizeof acText, "%G", mM(i, j));
      asText.push_back(acText);
    }
  return asText;
}

// The Hilbert matrix of order 8 (condition about 1.5E10): Gauss-Jordan and
// the LU inverse differ from the sixth digit on, so the elimination's last
// matrix is not the printed one and the note says so.
TEST_F(ComputedStepsTest, IllConditionedEliminationDiffersFromThePrintedResult) {
  const int n = 10;
  Eigen::MatrixXd mHilbert(n, n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) mHilbert(i, j) = 1.0 / (i + j + 1);
  for (const eSTEPS_KIND eKind : {eSTEPS_INV, eSTEPS_SOLVE}) {
    ClStepsOperand operand;
    operand.m_eKind = eKind;
    operand.m_mA = mHilbert.cast<ClComplex>();
    const Eigen::MatrixXd mRight = eKind == eSTEPS_INV
                                       ? Eigen::MatrixXd(Eigen::MatrixXd::Identity(n, n))
                                       : Eigen::MatrixXd(Eigen::MatrixXd::Ones(n, 1));
    if (eKind == eSTEPS_SOLVE) operand.m_mB = mRight.cast<ClComplex>();
    std::vector<Eigen::Index> aiPivot;
    const std::vector<std::string> asElimination =
        decimalTexts(gaussJordan(mHilbert, mRight, aiPivot));
    for (const bool bZero_Out : {false, true}) {
      g_bZero_Out = bZero_Out;
      const std::string sCase = stepsTitle(operand) + (bZero_Out ? ", Zero Out" : "");
      const ClRun run = runKind(operand);
      ASSERT_EQ(run.uiError, 0) << sCase;
      const std::vector<std::string> asPane = paneEntries(run.sText);
      ASSERT_EQ(asPane.size(), asElimination.size()) << sCase;
      EXPECT_NE(asElimination, asPane) << sCase;
      const ClSteps steps = computedSteps(operand, currentDisplayOptions());
      EXPECT_TRUE(hasNote(steps,
                          "; the elimination shown uses the same pivot rows, but its last matrix "
                          "differs from the printed result in the digits shown; the last matrix "
                          "below is the printed one."))
          << sCase;
      EXPECT_FALSE(hasNote(steps, "agrees")) << sCase;
      // the same pivot rows as the hand elimination: a swap where it moved one
      std::vector<Eigen::Index> aiSwapped(aiPivot.size());
      for (size_t k = 0; k < aiSwapped.size(); ++k) aiSwapped[k] = static_cast<Eigen::Index>(k);
      for (const ClStep& step : steps.m_aSteps)
        if (step.m_Operation.m_eOp == eOP_SWAP)
          aiSwapped[static_cast<size_t>(step.m_Operation.m_iTarget)] = step.m_Operation.m_iSource;
      EXPECT_EQ(aiSwapped, aiPivot) << sCase;
      ASSERT_FALSE(steps.m_aSteps.back().m_Matrix.empty()) << sCase;
      EXPECT_NE(rightBlock(steps.m_aSteps.back().m_Matrix, n), asPane) << sCase;
      EXPECT_EQ(rightBlock(steps.m_Final, n), asPane) << sCase;
    }
  }
}

TEST_F(ComputedStepsTest, DetOfASingularMatrixIsZeroWithTheResidueSaid) {
  ClStepsOperand operand;
  operand.m_eKind = eSTEPS_DET;
  // the last pivot is 1.1E-16 beside 0.7
  operand.m_mA = matrixOf({{0.1, 0.2, 0.3}, {0.4, 0.5, 0.6}, {0.7, 0.8, 0.9}});
  const ClSteps steps = computedSteps(operand, currentDisplayOptions());
  EXPECT_EQ(steps.m_sValue, "0");
  EXPECT_TRUE(hasNote(steps, "The smallest pivot is a rounding residue beside the largest"));
  EXPECT_NE(steps.m_asPivots[2], "0");
}

const char* const gc_acONCE_PER_COLUMN =
    "The matrix is shown once per pivot column, after its last operation.";
const char* const gc_acNO_MATRICES =
    "The matrix is too large to show after each step: only the operations and the last matrix "
    "are listed.";

// Which steps carry a matrix, worked out by hand: with E entries (A's, with
// I's or B's beside it), P = min(rows, columns) pivot columns and
// P x (rows + 1) operations, every operation's matrix while E x operations
// <= 60,000; else, while E <= 60,000, the last matrix of every k-th pivot
// column, k = ceil(E x P / 60,000); else none. The comments give
// E x operations, then E x P. The operations are all listed.
struct FoldingCase {
  eSTEPS_KIND eKind;
  int iRows, iColumns, iB_Columns;
  int iEvery;  // 0: none; -1: after each operation
  const char* acNote;
};

TEST_F(ComputedStepsTest, FoldingDecidesWhichStepsCarryAMatrix) {
  const char* const acEVERY_2 =
      "The matrix is shown only after every 2 pivot columns; every operation is listed.";
  const FoldingCase aCases[] = {
      {eSTEPS_RREF, 4, 4, 0, -1, ""},                     // 16 x 20 = 320
      {eSTEPS_RREF, 15, 15, 0, -1, ""},                   // 225 x 240 = 54,000: the largest square
      {eSTEPS_RREF, 16, 16, 0, 1, gc_acONCE_PER_COLUMN},  // 256 x 272 = 69,632; 256 x 16 = 4,096
      {eSTEPS_RREF, 60, 4, 0, -1, ""},                    // 240 x 244 = 58,560
      {eSTEPS_RREF, 61, 4, 0, 1, gc_acONCE_PER_COLUMN},   // 244 x 248 = 60,512; 244 x 4 = 976
      {eSTEPS_RREF, 39, 39, 0, 1, gc_acONCE_PER_COLUMN},  // 1,521 x 39 = 59,319
      {eSTEPS_RREF, 40, 40, 0, 2, acEVERY_2},             // 1,600 x 40 = 64,000
      {eSTEPS_RREF, 50, 50, 0, 3,                         // 2,500 x 50 = 125,000
       "The matrix is shown only after every 3 pivot columns; every operation is listed."},
      {eSTEPS_RREF, 60, 60, 0, 4,  // 3,600 x 60 = 216,000
       "The matrix is shown only after every 4 pivot columns; every operation is listed."},
      {eSTEPS_RREF, 2, 30000, 0, 2, acEVERY_2},             // 60,000 x 2 = 120,000
      {eSTEPS_RREF, 2, 30001, 0, 0, gc_acNO_MATRICES},      // 60,002 entries
      {eSTEPS_RREF, 245, 245, 0, 0, gc_acNO_MATRICES},      // 60,025 entries: the first square
      {eSTEPS_INV, 12, 12, 0, -1, ""},                      // 12 x 24: 288 x 156 = 44,928
      {eSTEPS_INV, 13, 13, 0, 1, gc_acONCE_PER_COLUMN},     // 338 x 182 = 61,516; 338 x 13 = 4,394
      {eSTEPS_SOLVE, 10, 10, 30, -1, ""},                   // 10 x 40: 400 x 110 = 44,000
      {eSTEPS_SOLVE, 10, 10, 50, 1, gc_acONCE_PER_COLUMN},  // 600 x 110 = 66,000; 600 x 10 = 6,000
  };
  unsigned uiSeed = 3;
  for (const FoldingCase& c : aCases) {
    ClStepsOperand operand;
    operand.m_eKind = c.eKind;
    operand.m_mA = seededMatrix(c.iRows, c.iColumns, false, ++uiSeed);
    if (c.eKind == eSTEPS_SOLVE)
      operand.m_mB = seededMatrix(c.iRows, c.iB_Columns, false, ++uiSeed);
    const std::string sCase = stepsTitle(operand);
    const ClSteps steps = computedSteps(operand, currentDisplayOptions());
    if (*c.acNote == '\0') {
      EXPECT_FALSE(hasNote(steps, "The matrix is ")) << sCase;
    } else {
      ASSERT_FALSE(steps.m_asNotes.empty()) << sCase;
      EXPECT_EQ(steps.m_asNotes.back(), c.acNote) << sCase;
    }
    int iShown = 0;
    for (size_t k = 0; k < steps.m_aSteps.size(); ++k) {
      const ClStep& step = steps.m_aSteps[k];
      const bool bLast =
          k + 1 == steps.m_aSteps.size() || steps.m_aSteps[k + 1].m_iBlock != step.m_iBlock;
      const bool bShown =
          c.iEvery < 0 || (c.iEvery > 0 && bLast && (step.m_iBlock + 1) % c.iEvery == 0);
      EXPECT_EQ(!step.m_Matrix.empty(), bShown) << sCase << " step " << k;
      iShown += step.m_Matrix.empty() ? 0 : 1;
    }
    EXPECT_EQ(steps.m_Start.empty(), c.iEvery == 0) << sCase;
    EXPECT_EQ(iShown > 0, c.iEvery != 0) << sCase;
    // full rank: a scaling and an addition per other row for almost every
    // pivot column
    const int iPivots = std::min(c.iRows, c.iColumns);
    EXPECT_GT(steps.m_aSteps.size(), static_cast<size_t>(iPivots * (c.iRows - 1))) << sCase;
    EXPECT_EQ(steps.m_Final.m_iRows, c.iRows) << sCase;
  }
}

std::string operationText(const ClRowOperation& operation) {
  const std::string sTarget = "R" + std::to_string(operation.m_iTarget + 1);
  const std::string sSource = "R" + std::to_string(operation.m_iSource + 1);
  switch (operation.m_eOp) {
    case eOP_SWAP:
      return sTarget + " <-> " + sSource;
    case eOP_SCALE:
      return sTarget + " <- (" + operation.m_sFactor + ") " + sTarget;
    case eOP_ADD:
      return sTarget + " <- " + sTarget + " " + operation.m_cSign + " " + operation.m_sFactor +
             " " + sSource;
  }
  return "";
}

// "2 2 4; 1 2 1; 0 1 2", with the changed row and the pivot.
std::string matrixText(const ClShownMatrix& shown) {
  std::string sText;
  for (int32_t i = 0; i < shown.m_iRows; ++i) {
    for (int32_t j = 0; j < shown.m_iColumns; ++j) sText += (j == 0 ? "" : " ") + shown.entry(i, j);
    if (i + 1 < shown.m_iRows) sText += "; ";
  }
  return sText + " [changed R" + std::to_string(shown.m_iChanged_Row + 1) + ", pivot " +
         std::to_string(shown.m_iPivot_Row + 1) + "," + std::to_string(shown.m_iPivot_Column + 1) +
         "]";
}

struct StepCase {
  const char* acOperation;
  const char* acMatrix;
};

void expectSteps(const ClSteps& steps, std::initializer_list<StepCase> aExpected) {
  ASSERT_EQ(steps.m_aSteps.size(), aExpected.size());
  size_t k = 0;
  for (const StepCase& c : aExpected) {
    const ClStep& step = steps.m_aSteps[k++];
    EXPECT_EQ(operationText(step.m_Operation), c.acOperation);
    EXPECT_EQ(matrixText(step.m_Matrix), c.acMatrix) << c.acOperation;
  }
}

// The pivot of column 1 is in row 3 (a swap); column 2's pivot is 1 (no
// scaling); a zero factor gives no operation; a negative one shows as "+".
TEST_F(ComputedStepsTest, SmallCaseStepsInTheRationalFormat) {
  g_eView_State = eRATIONAL;
  ClStepsOperand operand;
  operand.m_mA = matrixOf({{0, 1, 2}, {1, 2, 1}, {2, 2, 4}});
  const ClSteps rref = computedSteps(operand, currentDisplayOptions());
  expectSteps(rref, {
                        {"R1 <-> R3", "2 2 4; 1 2 1; 0 1 2 [changed R1, pivot 1,1]"},
                        {"R1 <- (1/2) R1", "1 1 2; 1 2 1; 0 1 2 [changed R1, pivot 1,1]"},
                        {"R2 <- R2 - 1 R1", "1 1 2; 0 1 -1; 0 1 2 [changed R2, pivot 1,1]"},
                        {"R1 <- R1 - 1 R2", "1 0 3; 0 1 -1; 0 1 2 [changed R1, pivot 2,2]"},
                        {"R3 <- R3 - 1 R2", "1 0 3; 0 1 -1; 0 0 3 [changed R3, pivot 2,2]"},
                        {"R3 <- (1/3) R3", "1 0 3; 0 1 -1; 0 0 1 [changed R3, pivot 3,3]"},
                        {"R1 <- R1 - 3 R3", "1 0 0; 0 1 -1; 0 0 1 [changed R1, pivot 3,3]"},
                        {"R2 <- R2 + 1 R3", "1 0 0; 0 1 0; 0 0 1 [changed R2, pivot 3,3]"},
                    });
  EXPECT_EQ(rref.m_sConclusion, "Rank 3: columns 1, 2 and 3 are the pivot columns.");

  operand.m_eKind = eSTEPS_DET;
  const ClSteps det = computedSteps(operand, currentDisplayOptions());
  expectSteps(det, {
                       {"R1 <-> R3", "2 2 4; 1 2 1; 0 1 2 [changed R1, pivot 1,1]"},
                       {"R2 <- R2 - 1/2 R1", "2 2 4; 0 1 -1; 0 1 2 [changed R2, pivot 1,1]"},
                       {"R3 <- R3 - 1 R2", "2 2 4; 0 1 -1; 0 0 3 [changed R3, pivot 2,2]"},
                   });
  EXPECT_EQ(det.m_asPivots, (std::vector<std::string>{"2", "1", "3"}));
  EXPECT_EQ(det.m_iSwaps, 1);
  EXPECT_EQ(det.m_sValue, "-6");
  EXPECT_EQ(det.m_aSteps[2].m_iSwaps, 1);

  operand.m_eKind = eSTEPS_INV;
  const ClSteps inv = computedSteps(operand, currentDisplayOptions());
  ASSERT_FALSE(inv.m_aSteps.empty());
  EXPECT_EQ(operationText(inv.m_aSteps[0].m_Operation), "R1 <-> R3");
  EXPECT_EQ(inv.m_Start.m_iBar, 3);
  EXPECT_EQ(matrixText(inv.m_Final), "1 0 0 -1 0 1/2; 0 1 0 1/3 2/3 -1/3; 0 0 1 1/3 -1/3 1/6" +
                                         std::string(" [changed R0, pivot 0,0]"));
  EXPECT_TRUE(hasNote(inv,
                      "The calculator computes Inv from the LU factorization of A (LAPACK); "
                      "the elimination shown uses the same pivot rows and agrees with it "
                      "within display precision."));
}

}  // namespace
