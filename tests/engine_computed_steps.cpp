// SPDX-License-Identifier: GPL-3.0-or-later
// The steps as computed: the last matrix is the engine's own result bit for
// bit, a singular inverse stops where the pivot is missing, the folding
// decides which steps carry a matrix, and a small case's operations and
// matrices in the Rational format.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/display.h"
#include "engine/computed_steps.h"
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

// The identity beside the result, as Inv and A\B end.
ClMatrix besideIdentity(const ClMatrix& mX) {
  ClMatrix mM(mX.rows(), mX.rows() + mX.cols());
  mM << ClMatrix::Identity(mX.rows(), mX.rows()), mX;
  return mM;
}

void expectEndsInResult(const ClStepsOperand& operand, const std::string& sCase) {
  ClMatrix mLast;
  const ClSteps steps = computedSteps(operand, currentDisplayOptions(), &mLast);
  ClMatrix mResult;
  ASSERT_TRUE(stepsResult(operand, mResult)) << sCase;
  if (operand.m_eKind == eSTEPS_DET) {
    // U's diagonal with the swaps' sign gives the printed value, bit for bit
    const ClComplex cSign(steps.m_iSwaps % 2 == 0 ? 1.0 : -1.0);
    EXPECT_EQ(cSign * mLast.diagonal().prod(), mResult(0, 0)) << sCase;
    EXPECT_TRUE(mLast.triangularView<Eigen::StrictlyLower>().toDenseMatrix().isZero(0.0)) << sCase;
    EXPECT_EQ(steps.m_sValue, numberText(mResult(0, 0), currentDisplayOptions())) << sCase;
    EXPECT_EQ(steps.m_asPivots.size(), static_cast<size_t>(mLast.rows())) << sCase;
  } else if (operand.m_eKind == eSTEPS_RREF) {
    EXPECT_TRUE(mLast == mResult) << sCase;
  } else {
    EXPECT_TRUE(mLast == besideIdentity(mResult)) << sCase;
  }
  ASSERT_EQ(steps.m_Final.m_iRows, mLast.rows()) << sCase;
  EXPECT_EQ(steps.m_Final.m_iColumns, mLast.cols()) << sCase;
  // the last step's matrix, where shown, is the last matrix (Inv and A\B
  // show their own elimination there)
  const bool bOwnEnd = operand.m_eKind == eSTEPS_RREF || operand.m_eKind == eSTEPS_DET;
  if (bOwnEnd && !steps.m_aSteps.empty() && !steps.m_aSteps.back().m_Matrix.empty()) {
    EXPECT_EQ(steps.m_aSteps.back().m_Matrix.m_asEntry, steps.m_Final.m_asEntry) << sCase;
  }
}

struct EndCase {
  eSTEPS_KIND eKind;
  int iRows, iColumns;
  eSHAPE eShape;
};

TEST_F(ComputedStepsTest, LastMatrixIsTheEnginesResultBitForBit) {
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
      expectEndsInResult(operand, stepsTitle(operand) + (bComplex ? ", complex" : ", real") +
                                      ", shape " + std::to_string(c.eShape));
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

bool hasNote(const ClSteps& steps, const std::string& sStart) {
  for (const std::string& sNote : steps.m_asNotes)
    if (sNote.rfind(sStart, 0) == 0) return true;
  return false;
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

// Which steps carry a matrix: every one for a small operand, the last of
// every k-th pivot column for a larger one, none (only the last matrix) for
// one too large; the operation list is complete either way.
TEST_F(ComputedStepsTest, FoldingDecidesWhichStepsCarryAMatrix) {
  for (const int n : {4, 60, 250}) {
    ClStepsOperand operand;
    operand.m_mA = seededMatrix(n, n, false, static_cast<unsigned>(n));
    const ClSteps steps = computedSteps(operand, currentDisplayOptions());
    const ClStepsFolding folding = stepsFolding(n, n);
    const std::string sNote = foldingNote(folding);
    EXPECT_EQ(!sNote.empty() && hasNote(steps, sNote), !folding.m_bEach_Operation) << n;
    int iShown = 0;
    for (size_t k = 0; k < steps.m_aSteps.size(); ++k) {
      const ClStep& step = steps.m_aSteps[k];
      const bool bLast =
          k + 1 == steps.m_aSteps.size() || steps.m_aSteps[k + 1].m_iBlock != step.m_iBlock;
      EXPECT_EQ(!step.m_Matrix.empty(), folding.shows(step.m_iBlock, bLast)) << n << " step " << k;
      iShown += step.m_Matrix.empty() ? 0 : 1;
    }
    EXPECT_EQ(steps.m_Start.empty(), folding.m_iEvery == 0) << n;
    EXPECT_EQ(iShown > 0, folding.m_iEvery != 0) << n;
    // a full-rank square operand: a scaling and an addition per other row
    // for almost every column
    EXPECT_GT(steps.m_aSteps.size(), static_cast<size_t>(n * (n - 1))) << n;
    EXPECT_EQ(steps.m_Final.m_iRows, n) << n;
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
