// SPDX-License-Identifier: GPL-3.0-or-later
// Exact steps: textbook operands with their row operations written out, the
// exact result against the printed one (shown as the pane shows the line's
// value), the folding, and the ways back to the computed steps (inexact
// entries, size, digits, Escape).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "engine/display.h"
#include "engine/exact_steps.h"
#include "engine/gaussian_rational.h"
#include "engine/steps.h"
#include "tests/support/engine_driver.h"

namespace {

const ClComplex gc_cI(0.0, 1.0);

class ExactStepsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetEngineState();
    g_eView_State = eRATIONAL;
  }
};

ClMatrix matrixOf(std::initializer_list<std::initializer_list<ClComplex>> aaRows) {
  ClMatrix mM(static_cast<Eigen::Index>(aaRows.size()),
              static_cast<Eigen::Index>(aaRows.begin()->size()));
  Eigen::Index i = 0;
  for (const auto& aRow : aaRows) {
    Eigen::Index k = 0;
    for (const ClComplex& cZ : aRow) mM(i, k++) = cZ;
    ++i;
  }
  return mM;
}

ClStepsOperand operandOf(eSTEPS_KIND eKind, ClMatrix mA, ClMatrix mB = ClMatrix()) {
  ClStepsOperand operand;
  operand.m_eKind = eKind;
  operand.m_mA = std::move(mA);
  operand.m_mB = std::move(mB);
  return operand;
}

// As students write them; a factor with a slash, a blank or a leading minus
// in parentheses.
std::string operationText(const ClRowOperation& operation) {
  const std::string sTarget = "R" + std::to_string(operation.m_iTarget + 1);
  const std::string sSource = "R" + std::to_string(operation.m_iSource + 1);
  std::string sFactor = operation.m_sFactor;
  if (sFactor.find_first_of("/ ") != std::string::npos || sFactor[0] == '-')
    sFactor = "(" + sFactor + ")";
  switch (operation.m_eOp) {
    case eOP_SWAP:
      return sTarget + " <-> " + sSource;
    case eOP_SCALE:
      return sTarget + " <- " + sFactor + " " + sTarget;
    case eOP_ADD:
      return sTarget + " <- " + sTarget + " " + operation.m_cSign + " " + sFactor + " " + sSource;
  }
  return "";
}

std::vector<std::string> operationTexts(const ClSteps& steps) {
  std::vector<std::string> asText;
  for (const ClStep& step : steps.m_aSteps) asText.push_back(operationText(step.m_Operation));
  return asText;
}

// "a, b; c, d"
std::string matrixText(const ClShownMatrix& matrix) {
  std::string sText;
  for (int32_t i = 0; i < matrix.m_iRows; ++i)
    for (int32_t k = 0; k < matrix.m_iColumns; ++k) {
      if (k > 0) sText += ", ";
      if (k == 0 && i > 0) sText += "; ";
      sText += matrix.entry(i, k);
    }
  return sText;
}

ClSteps exact(const ClStepsOperand& operand, eSTEPS_PIVOT ePivot = ePIVOT_FIRST) {
  ClStepsOptions options;
  options.m_ePivot = ePivot;
  options.m_Display = currentDisplayOptions();
  ClSteps steps;
  std::string sWhy_Not;
  EXPECT_TRUE(exactSteps(operand, options, steps, sWhy_Not)) << sWhy_Not;
  return steps;
}

const char* const gc_acDIFFERS =
    "The exact result differs from the printed one: the operand is ill-conditioned or nearly "
    "singular, and rounding changed the printed result. Both are shown.";

bool hasNote(const ClSteps& steps, const std::string& sNote) {
  for (const std::string& sEach : steps.m_asNotes)
    if (sEach == sNote) return true;
  return false;
}

struct TextbookCase {
  const char* acName;
  ClStepsOperand operand;
  std::vector<std::string> asOperations;  // pivot: first non-zero
  const char* acFinal;
  const char* acConclusion;
  const char* acValue;  // Det
};

std::vector<TextbookCase> textbookCases() {
  const ClMatrix mSingular = matrixOf({{1, 2, 3}, {2, 4, 6}, {1, 0, 1}});
  return {
      {"3 x 3 system with a swap",
       operandOf(eSTEPS_SOLVE, matrixOf({{0, 2, 4}, {1, 1, 1}, {3, 1, 2}}),
                 matrixOf({{2}, {3}, {5}})),
       {"R1 <-> R2", "R3 <- R3 - 3 R1", "R2 <- (1/2) R2", "R1 <- R1 - 1 R2", "R3 <- R3 + 2 R2",
        "R3 <- (1/3) R3", "R1 <- R1 + 1 R3", "R2 <- R2 - 2 R3"},
       "1, 0, 0, 4/3; 0, 1, 0, 7/3; 0, 0, 1, -2/3",
       "",
       ""},
      {"singular RREF",
       operandOf(eSTEPS_RREF, mSingular),
       {"R2 <- R2 - 2 R1", "R3 <- R3 - 1 R1", "R2 <-> R3", "R2 <- (-1/2) R2", "R1 <- R1 - 2 R2"},
       "1, 0, 1; 0, 1, 1; 0, 0, 0",
       "Rank 2.",
       ""},
      {"singular Inv",
       operandOf(eSTEPS_INV, mSingular),
       {"R2 <- R2 - 2 R1", "R3 <- R3 - 1 R1", "R2 <-> R3", "R2 <- (-1/2) R2", "R1 <- R1 - 2 R2"},
       "1, 0, 1, 0, 0, 1; 0, 1, 1, 1/2, 0, -1/2; 0, 0, 0, -2, 1, 0",
       "Column 3 has no pivot: A is singular and has no inverse.",
       ""},
      {"4 x 4 determinant",
       operandOf(eSTEPS_DET, matrixOf({{0, 1, 2, 3}, {1, 0, 1, 2}, {2, 1, 0, 1}, {3, 2, 1, 0}})),
       {"R1 <-> R2", "R3 <- R3 - 2 R1", "R4 <- R4 - 3 R1", "R3 <- R3 - 1 R2", "R4 <- R4 - 2 R2",
        "R4 <- R4 - (3/2) R3"},
       "1, 0, 1, 2; 0, 1, 2, 3; 0, 0, -4, -6; 0, 0, 0, -3",
       "",
       "-12"},
      {"a fraction and a decimal",
       operandOf(eSTEPS_INV, matrixOf({{0.1, 1.0 / 3.0}, {0.5, 2}})),
       {"R1 <- 10 R1", "R2 <- R2 - (1/2) R1", "R2 <- 3 R2", "R1 <- R1 - (10/3) R2"},
       "1, 0, 60, -10; 0, 1, -15, 3",
       "",
       ""},
      {"Gaussian inverse",
       operandOf(eSTEPS_INV, matrixOf({{1, gc_cI}, {gc_cI, 2}})),
       {"R2 <- R2 - i R1", "R2 <- (1/3) R2", "R1 <- R1 - i R2"},
       "1, 0, 2/3, -1/3i; 0, 1, -1/3i, 1/3",
       "",
       ""},
      {"Gaussian RREF",
       operandOf(eSTEPS_RREF, matrixOf({{ClComplex(1, 1), 2}, {1, ClComplex(1, -1)}})),
       {"R1 <- (1/2 - 1/2i) R1", "R2 <- R2 - 1 R1"},
       "1, 1 - i; 0, 0",
       "Rank 1.",
       ""},
  };
}

TEST_F(ExactStepsTest, TextbookCasesStepByStep) {
  for (const TextbookCase& c : textbookCases()) {
    SCOPED_TRACE(c.acName);
    const ClSteps steps = exact(c.operand);
    EXPECT_TRUE(steps.m_bExact);
    EXPECT_EQ(steps.m_ePivot, ePIVOT_FIRST);
    EXPECT_EQ(operationTexts(steps), c.asOperations);
    EXPECT_EQ(matrixText(steps.m_Final), c.acFinal);
    EXPECT_EQ(steps.m_sConclusion, c.acConclusion);
    EXPECT_EQ(steps.m_sValue, c.acValue);
    EXPECT_TRUE(steps.m_asNotes.empty()) << steps.m_asNotes[0];
    // small operands: the matrix after every operation, the changed row marked
    for (const ClStep& step : steps.m_aSteps) {
      EXPECT_EQ(step.m_Matrix.m_iChanged_Row, step.m_Operation.m_iTarget);
      EXPECT_EQ(step.m_Matrix.m_iPivot_Column, step.m_iBlock);
    }
    if (!steps.m_aSteps.empty()) {
      EXPECT_EQ(matrixText(steps.m_aSteps.back().m_Matrix), c.acFinal);
    }
  }
}

TEST_F(ExactStepsTest, PivotMarksAndDeterminantTally) {
  const ClSteps steps = exact(textbookCases()[3].operand);
  const ClShownMatrix& swapped = steps.m_aSteps[0].m_Matrix;
  EXPECT_EQ(matrixText(swapped), "1, 0, 1, 2; 0, 1, 2, 3; 2, 1, 0, 1; 3, 2, 1, 0");
  EXPECT_EQ(swapped.m_iPivot_Row, 0);
  EXPECT_EQ(swapped.m_iPivot_Column, 0);
  EXPECT_EQ(steps.m_aSteps.back().m_Matrix.m_iPivot_Row, 2);
  EXPECT_EQ(steps.m_aSteps.back().m_iSwaps, 1);
  EXPECT_EQ(steps.m_asPivots, (std::vector<std::string>{"1", "1", "-4", "-3"}));
  EXPECT_EQ(steps.m_iSwaps, 1);
  EXPECT_EQ(matrixText(steps.m_Start), "0, 1, 2, 3; 1, 0, 1, 2; 2, 1, 0, 1; 3, 2, 1, 0");

  const ClSteps inverse = exact(textbookCases()[0].operand);
  EXPECT_EQ(inverse.m_Start.m_iBar, 3);
  EXPECT_EQ(inverse.m_Final.m_iBar, 3);
}

TEST_F(ExactStepsTest, BothPivotRulesEndAlike) {
  for (const TextbookCase& c : textbookCases()) {
    SCOPED_TRACE(c.acName);
    const ClSteps first = exact(c.operand, ePIVOT_FIRST);
    const ClSteps largest = exact(c.operand, ePIVOT_LARGEST);
    EXPECT_EQ(largest.m_ePivot, ePIVOT_LARGEST);
    EXPECT_EQ(largest.m_sValue, first.m_sValue);
    EXPECT_EQ(largest.m_sConclusion, first.m_sConclusion);
    // Det ends in a triangular factor that depends on the pivots
    if (c.operand.m_eKind != eSTEPS_DET && first.m_sConclusion.rfind("Column", 0) != 0) {
      EXPECT_EQ(matrixText(largest.m_Final), c.acFinal);
    }
  }
  // the largest modulus goes first: row 3 of the system
  EXPECT_EQ(operationTexts(exact(textbookCases()[0].operand, ePIVOT_LARGEST))[0], "R1 <-> R3");
}

// A = L U with small integer (Gaussian integer) unit triangular factors and a
// determinant of 2: well conditioned, and its inverse, A\B and RREF have
// denominators the Rational format shows as they are.
ClMatrix smallIntegers(int iRows, int iColumns, std::mt19937& generator, bool bComplex) {
  std::uniform_int_distribution<int> digit(-1, 1);
  ClMatrix mM(iRows, iColumns);
  for (Eigen::Index k = 0; k < mM.size(); ++k)
    mM(k) = ClComplex(digit(generator), bComplex ? digit(generator) : 0);
  return mM;
}

ClMatrix wellConditioned(int n, std::mt19937& generator, bool bComplex) {
  ClMatrix mL = smallIntegers(n, n, generator, bComplex);
  ClMatrix mU = smallIntegers(n, n, generator, bComplex);
  mL = mL.triangularView<Eigen::StrictlyLower>();
  mU = mU.triangularView<Eigen::StrictlyUpper>();
  mL.diagonal().setOnes();
  mU.diagonal().setOnes();
  mU(n - 1, n - 1) = -2.0;
  return mL * mU;
}

// A printed entry in the shape of the exact texts, each part as the current
// format shows it.
std::string partsText(ClComplex cZ, const ClValueWriter& writer) {
  const std::string sRe = writer.entry(cZ.real());
  const std::string sIm = writer.entry(std::fabs(cZ.imag()));
  if (sIm == "0") return sRe;
  const std::string sUnit = sIm == "1" ? "i" : sIm + "i";
  if (sRe == "0") return cZ.imag() < 0 ? "-" + sUnit : sUnit;
  return sRe + (cZ.imag() < 0 ? " - " : " + ") + sUnit;
}

TEST_F(ExactStepsTest, ExactResultIsThePrintedOneWhenWellConditioned) {
  std::mt19937 generator(7);
  for (const bool bComplex : {false, true})
    for (const eSTEPS_KIND eKind : {eSTEPS_RREF, eSTEPS_INV, eSTEPS_DET, eSTEPS_SOLVE}) {
      SCOPED_TRACE(std::to_string(eKind) + (bComplex ? " complex" : " real"));
      const ClMatrix mA = wellConditioned(5, generator, bComplex);
      const ClMatrix mB = mA * smallIntegers(5, 2, generator, bComplex);
      ClStepsOperand operand = operandOf(eKind, mA);
      if (eKind == eSTEPS_SOLVE) operand.m_mB = mB;
      if (eKind == eSTEPS_RREF) operand.m_mA = (ClMatrix(5, 7) << mA, mB).finished();
      const ClSteps steps = exact(operand);
      EXPECT_FALSE(hasNote(steps, gc_acDIFFERS));
      EXPECT_TRUE(steps.m_Printed.empty());
      // the printed value, entry by entry, as the Rational format shows it
      ClMatrix mPrinted;
      ASSERT_TRUE(stepsResult(operand, mPrinted));
      const ClValueWriter writer(mPrinted, currentDisplayOptions());
      const int32_t iFirst = std::max(steps.m_Final.m_iBar, 0);
      for (Eigen::Index i = 0; i < mPrinted.rows(); ++i)
        for (Eigen::Index k = 0; k < mPrinted.cols(); ++k) {
          const std::string sExact =
              eKind == eSTEPS_DET
                  ? steps.m_sValue
                  : steps.m_Final.entry(static_cast<int32_t>(i), iFirst + static_cast<int32_t>(k));
          EXPECT_EQ(sExact, partsText(mPrinted(i, k), writer));
        }
    }
}

TEST_F(ExactStepsTest, IllConditionedInverseShowsBoth) {
  ClMatrix mHilbert(12, 12);
  for (int i = 0; i < 12; ++i)
    for (int k = 0; k < 12; ++k) mHilbert(i, k) = 1.0 / (i + k + 1);
  const ClSteps steps = exact(operandOf(eSTEPS_INV, mHilbert));
  ASSERT_FALSE(steps.m_asNotes.empty());
  EXPECT_EQ(steps.m_asNotes[0], gc_acDIFFERS);
  EXPECT_EQ(steps.m_Printed.m_iRows, 12);
  EXPECT_EQ(steps.m_Printed.m_iColumns, 12);
  EXPECT_EQ(steps.m_Printed.m_iBar, -1);
  // the exact inverse of the Hilbert matrix is integral: its corner is 144
  EXPECT_EQ(steps.m_Final.entry(0, 12), "144");
  EXPECT_EQ(steps.m_Final.entry(11, 23), "11445589052352");
}

TEST_F(ExactStepsTest, SingularOnlyWhenExactGetsTheNote) {
  // row 3 is row 1 + row 2, but the computed LU finds a last pivot of
  // rounding size and the line prints an inverse
  const ClStepsOperand operand =
      operandOf(eSTEPS_INV, matrixOf({{0.1, 0.1, 0.2}, {0.2, 0.1, 0.1}, {0.3, 0.2, 0.3}}));
  ClMatrix mPrinted;
  ASSERT_TRUE(stepsResult(operand, mPrinted));
  const ClSteps steps = exact(operand);
  EXPECT_EQ(steps.m_sConclusion, "Column 3 has no pivot: A is singular and has no inverse.");
  ASSERT_FALSE(steps.m_asNotes.empty());
  EXPECT_EQ(steps.m_asNotes[0], gc_acDIFFERS);
  EXPECT_EQ(steps.m_Printed.m_iRows, 3);
}

// The exact result reaches the printed one through the nearest double:
// rounded once, ties to even, into the subnormals and past the largest.
TEST_F(ExactStepsTest, NearestDoubleRoundsOnce) {
  const mpz_class zTwo53 = mpz_class(1) << 53;
  const mpz_class zTwo1074 = mpz_class(1) << 1074;
  const struct {
    mpq_class qValue;
    double dNearest;
  } aCases[] = {
      {mpq_class(1, 3), 1.0 / 3.0},
      {mpq_class(-1, 10), -0.1},
      {mpq_class(zTwo53 + 1), 9007199254740992.0},  // a tie: to the even 2^53
      {mpq_class(zTwo53 + 3), 9007199254740996.0},  // a tie: to the even 2^53 + 4
      {mpq_class(zTwo53 * 3 + 1, 3), 9007199254740992.0},
      {mpq_class(1, zTwo1074), std::ldexp(1.0, -1074)},
      {mpq_class(1, zTwo1074 * 2), 0.0},  // half the least subnormal: a tie to 0
      {mpq_class(3, zTwo1074 * 4), std::ldexp(1.0, -1074)},
      {mpq_class(mpz_class(1) << 1024), HUGE_VAL},
  };
  for (const auto& c : aCases) EXPECT_EQ(nearestDouble(c.qValue), c.dNearest) << c.qValue;
}

struct FallbackCase {
  const char* acName;
  ClStepsOperand operand;
  const char* acReason;
};

TEST_F(ExactStepsTest, InexactOperandsFallBackWithTheReason) {
  ClMatrix mLarge = ClMatrix::Ones(61, 61);
  // unit fractions with large unrelated denominators: the minors' grow fast
  std::mt19937 generator(3);
  std::uniform_int_distribution<int> denominator(100000000, 1000000000);
  ClMatrix mWide(14, 14);
  for (Eigen::Index k = 0; k < mWide.size(); ++k) mWide(k) = 1.0 / denominator(generator);
  // Gaussian integers with 30-bit parts: within the digit bound, but slow
  std::uniform_int_distribution<int> part(-1000000000, 1000000000);
  ClMatrix mSlow(30, 30);
  for (Eigen::Index k = 0; k < mSlow.size(); ++k)
    mSlow(k) = ClComplex(part(generator), part(generator));
  const FallbackCase aCases[] = {
      {"a decimal the Rational format does not show",
       operandOf(eSTEPS_RREF, matrixOf({{1, 2, 3}, {4, 5, 0.123456789}})),
       "Exact steps need every entry to be a fraction the Rational format shows; entry (2, 3) is "
       "not one (0.123456789), so the steps below are as computed."},
      {"pi in B", operandOf(eSTEPS_SOLVE, matrixOf({{1, 2}, {3, 4}}), matrixOf({{1}, {M_PI}})),
       "Exact steps need every entry to be a fraction the Rational format shows; entry (2, 1) of B "
       "is not one (3.141592653589793), so the steps below are as computed."},
      {"a complex entry", operandOf(eSTEPS_DET, matrixOf({{1, ClComplex(0.5, 1e-12)}, {3, 4}})),
       "Exact steps need every entry to be a fraction the Rational format shows; entry (1, 2) is "
       "not one (0.5 + 1E-12i), so the steps below are as computed."},
      {"too large", operandOf(eSTEPS_DET, mLarge),
       "Exact steps are shown for matrices of at most 60 rows and 120 columns (augmented); this "
       "one is 61 x 61, so the steps below are as computed."},
      {"too many digits", operandOf(eSTEPS_INV, mWide),
       "Exact steps keep every numerator and denominator within 4096 bits (about 1233 digits); "
       "this operand's fractions grow beyond that, so the steps below are as computed."},
      {"too long", operandOf(eSTEPS_INV, mSlow),
       "Exact steps of this operand would take more than a few seconds (its fractions grow "
       "long), so the steps below are as computed."},
  };
  for (const FallbackCase& c : aCases) {
    SCOPED_TRACE(c.acName);
    const ClSteps steps = computeSteps(c.operand, ClStepsOptions());
    EXPECT_FALSE(steps.m_bExact);
    ASSERT_FALSE(steps.m_asNotes.empty());
    EXPECT_EQ(steps.m_asNotes[0], c.acReason);
  }
}

TEST_F(ExactStepsTest, EscapeStopsALongComputation) {
  std::mt19937 generator(5);
  std::uniform_int_distribution<int> digit(-9, 9);
  ClMatrix mA(50, 50);
  for (Eigen::Index k = 0; k < mA.size(); ++k) mA(k) = digit(generator);
  ClStepsOptions options;
  static int lg_iPolls = 0;
  lg_iPolls = 0;
  options.m_pStop = [] { return ++lg_iPolls > 2; };
  ClSteps steps;
  std::string sWhy_Not;
  EXPECT_FALSE(exactSteps(operandOf(eSTEPS_INV, mA), options, steps, sWhy_Not));
  EXPECT_EQ(sWhy_Not, "Exact steps were stopped (Escape); the steps below are as computed.");
  EXPECT_EQ(lg_iPolls, 3);
}

// 900 entries, 30 pivot columns and 30 x 31 operations: 837,000 beyond
// 60,000, while 900 x 30 = 27,000 is within it, so the last matrix of every
// pivot column is shown.
TEST_F(ExactStepsTest, LargeOperandsAreFolded) {
  std::mt19937 generator(9);
  std::uniform_int_distribution<int> digit(-9, 9);
  ClMatrix mA(30, 30);
  for (Eigen::Index k = 0; k < mA.size(); ++k) mA(k) = digit(generator);
  const ClSteps steps = exact(operandOf(eSTEPS_RREF, mA));
  EXPECT_EQ(steps.m_asNotes.back(),
            "The matrix is shown once per pivot column, after its last operation.");
  for (size_t k = 0; k < steps.m_aSteps.size(); ++k) {
    const ClStep& step = steps.m_aSteps[k];
    const bool bLast =
        k + 1 == steps.m_aSteps.size() || steps.m_aSteps[k + 1].m_iBlock != step.m_iBlock;
    EXPECT_EQ(!step.m_Matrix.empty(), bLast) << k;
  }
  EXPECT_FALSE(steps.m_Start.empty());
  EXPECT_EQ(steps.m_sConclusion, "Rank 30.");
}

// The pane's text of a shown matrix: entries joined as the output pane
// joins them.
std::string paneText(const ClShownMatrix& shown) {
  std::string sText;
  for (size_t k = 0; k < shown.m_asEntry.size(); ++k)
    sText += (k == 0                                           ? ""
              : k % static_cast<size_t>(shown.m_iColumns) == 0 ? " ;\n"
                                                               : ", ") +
             shown.m_asEntry[k];
  return sText;
}

// Where the exact result differs, the printed one beside it is the output
// pane's text of the same line, in each format, with Zero Out on and off.
TEST_F(ExactStepsTest, PrintedResultIsThePanesText) {
  ClMatrix mHilbert(12, 12);
  for (int i = 0; i < 12; ++i)
    for (int k = 0; k < 12; ++k) mHilbert(i, k) = 1.0 / (i + k + 1);
  const ClMatrix mDependent = matrixOf({{0.1, 0.1, 0.2}, {0.2, 0.1, 0.1}, {0.3, 0.2, 0.3}});
  const struct {
    const char* acLine;
    ClStepsOperand operand;
  } aCases[] = {
      {"I(A)", operandOf(eSTEPS_INV, mHilbert)},
      {"A\\B", operandOf(eSTEPS_SOLVE, mHilbert, ClMatrix::Ones(12, 2))},
      {"I(A)", operandOf(eSTEPS_INV, mDependent)},
  };
  for (const auto& c : aCases)
    for (const int32_t eFormat : {eDECIMAL, eRATIONAL})
      for (const bool bZero_Out : {false, true}) {
        g_eView_State = eFormat;
        g_bZero_Out = bZero_Out;
        SCOPED_TRACE(stepsTitle(c.operand) + ", format " + std::to_string(eFormat) +
                     (bZero_Out ? ", Zero Out" : ""));
        ClCalculator::mp_mVariable[eVAR_A] = c.operand.m_mA;
        ClCalculator::mp_mVariable[eVAR_B] = c.operand.m_mB;
        const ClRun run = runLine(c.acLine);
        ASSERT_EQ(run.uiError, 0);
        const ClSteps steps = exact(c.operand);
        ASSERT_TRUE(hasNote(steps, gc_acDIFFERS));
        EXPECT_EQ(paneText(steps.m_Printed), run.sText);
      }
}

}  // namespace
