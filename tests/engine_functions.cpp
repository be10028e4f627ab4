// SPDX-License-Identifier: GPL-3.0-or-later
// Prefix operators, decompositions and the gamma function, driven through
// token lines. Expected numbers are worked by hand or from the functions'
// defining identities, never from the same library call.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

#include "tests/support/engine_driver.h"

namespace {

const double kPi = 3.141592653589793;

class Functions : public ::testing::Test {
 protected:
  void SetUp() override { resetEngineState(); }
};

ClMatrix seededMatrix(int iRows, int iCols, unsigned uiSeed) {
  std::mt19937 generator(uiSeed);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  ClMatrix mM(iRows, iCols);
  for (int i = 0; i < mM.size(); ++i) mM(i) = ClComplex(uniform(generator), uniform(generator));
  return mM;
}

void expectClose(const ClMatrix& mActual, const ClMatrix& mExpected, double dTolerance) {
  ASSERT_EQ(mActual.rows(), mExpected.rows());
  ASSERT_EQ(mActual.cols(), mExpected.cols());
  EXPECT_LE((mActual - mExpected).norm(), dTolerance * (1.0 + mExpected.norm()));
}

void expectUnitary(const ClMatrix& mU) {
  expectClose(mU.adjoint() * mU, ClMatrix::Identity(mU.cols(), mU.cols()), 1e-12);
}

struct ScalarCase {
  const char* acLine;
  double dRe;
  double dIm;
};

TEST_F(Functions, ElementwiseFunctionsGiveThePrincipalValue) {
  const ScalarCase aCases[] = {
      {"}-4", 0.0, 2.0},   // the minus leaves no -0 to cross the cut
      {"}K-4", 0.0, 2.0},  // nor does Conj
      {"l-1", 0.0, kPi},
      {"&.5", 0.5493061443340548, 0.0},  // aTanh, not the inverse cotangent
      {"&3", 0.34657359027997264, kPi / 2},
      {"$-1E8", -19.11382792451231, 0.0},  // aSinh without cancellation
      {"?-2", 1.3169578969248166, kPi},    // principal aCosh
      {"%800", 1.0, 0.0},                  // Tanh without inf / inf
      {"#1", 1.1752011936438014, 0.0},
      {"!0", 1.0, 0.0},
      {"T1", kPi / 4, 0.0},
      {"e1", 2.718281828459045, 0.0},
      {"el2", 2.0, 0.0},
      {"Fp", -1.0, 0.0},
      {"L100", 2.0, 0.0},
      {"x(3+4i)", 3.0, 0.0},
      {"y(3+4i)", 4.0, 0.0},
      {"-W3", -9.0, 0.0},
      {"--5", 5.0, 0.0},
      {"J4503599627370497", 4503599627370497.0, 0.0},  // 2^52 + 1 is already whole
  };
  for (const ScalarCase& c : aCases) {
    SCOPED_TRACE(c.acLine);
    const ClRun run = runLine(c.acLine);
    ASSERT_EQ(run.uiError, 0);
    ASSERT_EQ(run.mResult.size(), 1);
    const double dScale = std::max(1.0, std::abs(ClComplex(c.dRe, c.dIm)));
    EXPECT_NEAR(run.mResult(0, 0).real(), c.dRe, 1e-12 * dScale);
    EXPECT_NEAR(run.mResult(0, 0).imag(), c.dIm, 1e-12 * dScale);
  }
}

TEST_F(Functions, UnaryMinusLeavesNoNegativeZero) {
  const ClRun run = runLine("-[0,i]");
  ASSERT_EQ(run.uiError, 0);
  EXPECT_FALSE(std::signbit(run.mResult(0, 0).real()));
  EXPECT_FALSE(std::signbit(run.mResult(0, 0).imag()));
  EXPECT_FALSE(std::signbit(run.mResult(0, 1).real()));
}

struct MatrixCase {
  const char* acLine;
  std::vector<std::vector<double>> aadExpected;
};

ClMatrix fromRows(const std::vector<std::vector<double>>& aadRows) {
  ClMatrix mM(aadRows.size(), aadRows[0].size());
  for (size_t r = 0; r < aadRows.size(); ++r) {
    for (size_t c = 0; c < aadRows[r].size(); ++c) mM(r, c) = aadRows[r][c];
  }
  return mM;
}

TEST_F(Functions, MatrixOperatorsComputeWorkedValues) {
  const MatrixCase aCases[] = {
      {"Y[1;2;3]", {{6}}},
      {"Y[1,2,3;4,5,6]", {{6}, {15}}},
      {"M[1+5i,2]", {{2}}},
      {"m[1+5i,2]", {{1}}},
      {"'[1,2]", {{1}, {2}}},
      {"J[2.5,-2.5]", {{2, -3}}},
      {"j[-2.5,2.5]", {{-3, 2}}},
      {"I[2,0;0,4]", {{0.5, 0}, {0, 0.25}}},
      {"D[1,2;3,4]", {{-2}}},
      {"Z[1,2;3,4]", {{1, -5, -2}}},
      {"Zd(2)", {{1, -2, 1}}},
      {"z[1,-3,2]", {{1}, {2}}},
      {"R[1,2;3,4]", {{1, 0}, {0, 1}}},
      {"R[1,2,3;4,5,6]", {{1, 0, -1}, {0, 1, 2}}},
      {"R[0,1;0,2]", {{0, 1}, {0, 0}}},  // no pivot in the zero column
  };
  for (const MatrixCase& c : aCases) {
    SCOPED_TRACE(c.acLine);
    const ClRun run = runLine(c.acLine);
    ASSERT_EQ(run.uiError, 0);
    expectClose(run.mResult, fromRows(c.aadExpected), 1e-12);
  }
}

TEST_F(Functions, DeterminantZeroTestIgnoresScale) {
  EXPECT_EQ(runLine("D[1,2,3;4,5,6;7,8,9]").mResult(0, 0), ClComplex(0.0, 0.0));
  const ClRun run = runLine("D(1E-8*d(3))");
  ASSERT_EQ(run.uiError, 0);
  EXPECT_NEAR(run.mResult(0, 0).real(), 1e-24, 1e-36);
  // An infinite determinant is no rounding residue: it is reported, not 0.
  EXPECT_EQ(runLine("De[1000,0;0,1]").uiError, 12);
}

TEST_F(Functions, OperatorErrors) {
  const struct {
    const char* acLine;
    uint16_t uiError;
  } aCases[] = {
      {"I[1,2;2,4]", 10}, {"I[1,2]", 9},        {"D[1,2]", 9},    {"Z[1,2]", 9},
      {"H[1,2]", 9},      {"h[1,2]", 9},        {"z[0,1,2]", 22}, {"z5", 22},
      {"z[1;2]", 22},     {"z[1E-20,1,1]", 22},  // the leading coefficient is cleaned away
      {"k[1:513]", 19},                          // V would be 513 x 513
      {"k'[1:513]", 19},                         // and here U
  };
  for (const auto& c : aCases) {
    SCOPED_TRACE(c.acLine);
    const ClRun run = runLine(c.acLine);
    EXPECT_EQ(run.uiError, c.uiError);
    EXPECT_EQ(run.mResult.size(), 0);
  }
}

TEST_F(Functions, RandomMatricesKeepZeroParts) {
  const ClRun uniform = runLine("r[1,i,0]");
  ASSERT_EQ(uniform.uiError, 0);
  EXPECT_EQ(uniform.mResult(0, 0).imag(), 0.0);
  EXPECT_GE(uniform.mResult(0, 0).real(), 0.0);
  EXPECT_LE(uniform.mResult(0, 0).real(), 1.0);
  EXPECT_EQ(uniform.mResult(0, 1).real(), 0.0);
  EXPECT_GE(uniform.mResult(0, 1).imag(), 0.0);
  EXPECT_EQ(uniform.mResult(0, 2), ClComplex(0.0, 0.0));
  const ClRun normal = runLine("_[1,i]");
  ASSERT_EQ(normal.uiError, 0);
  EXPECT_EQ(normal.mResult(0, 0).imag(), 0.0);
  EXPECT_EQ(normal.mResult(0, 1).real(), 0.0);
}

// srand(1) is the state of a program that never seeds: RndU takes one number
// per non-zero part, row by row, real part first; RndN two per entry.
TEST_F(Functions, RandomNumbersFollowTheLibrarySequence) {
  std::srand(1);
  double adU[4];
  for (double& dU : adU) dU = std::rand() / 2147483647.0;
  std::srand(1);
  const ClRun uniform = runLine("r[0,1;1,1+i]");
  ASSERT_EQ(uniform.uiError, 0);
  EXPECT_EQ(uniform.mResult(0, 0), ClComplex(0.0, 0.0));
  EXPECT_EQ(uniform.mResult(0, 1), ClComplex(adU[0], 0.0));
  EXPECT_EQ(uniform.mResult(1, 0), ClComplex(adU[1], 0.0));
  EXPECT_EQ(uniform.mResult(1, 1), ClComplex(adU[2], adU[3]));
  std::srand(1);
  const ClRun normal = runLine("_[0,1+i]");
  ASSERT_EQ(normal.uiError, 0);
  const double dR = std::sqrt(-2.0 * std::log(adU[2]));
  EXPECT_EQ(normal.mResult(0, 0), ClComplex(0.0, 0.0));
  EXPECT_NEAR(normal.mResult(0, 1).real(), dR * std::cos(2.0 * kPi * adU[3]), 1e-15);
  EXPECT_NEAR(normal.mResult(0, 1).imag(), dR * std::sin(2.0 * kPi * adU[3]), 1e-15);
}

TEST_F(Functions, EvalsSatisfyEigenEquationInModulusOrder) {
  const ClMatrix mA = seededMatrix(5, 5, 11);
  ClCalculator::mp_mVariable[eVAR_A] = mA;
  const ClRun run = runLine("HA");
  ASSERT_EQ(run.uiError, 0);
  const ClMatrix& mU = ClCalculator::mp_mVariable[eVAR_U];
  ASSERT_EQ(mU.rows(), 5);
  expectClose(mA * mU, mU * run.mResult.col(0).asDiagonal(), 1e-12);
  for (int k = 1; k < 5; ++k) EXPECT_LE(std::abs(run.mResult(k - 1)), std::abs(run.mResult(k)));
}

TEST_F(Functions, SchurIsUnitarySimilarityToTriangle) {
  const ClMatrix mA = seededMatrix(5, 5, 12);
  ClCalculator::mp_mVariable[eVAR_A] = mA;
  const ClRun run = runLine("hA");
  ASSERT_EQ(run.uiError, 0);
  const ClMatrix& mU = ClCalculator::mp_mVariable[eVAR_U];
  const ClMatrix& mT = run.mResult;
  EXPECT_TRUE(mT.isUpperTriangular(0.0));
  expectUnitary(mU);
  expectClose(mU * mT * mU.adjoint(), mA, 1e-12);
}

TEST_F(Functions, SvdFactorsRebuildTheMatrix) {
  const ClMatrix mA = seededMatrix(3, 5, 13);
  ClCalculator::mp_mVariable[eVAR_A] = mA;
  const ClRun run = runLine("kA");
  ASSERT_EQ(run.uiError, 0);
  ASSERT_EQ(run.mResult.rows(), 3);
  ASSERT_EQ(run.mResult.cols(), 1);
  const ClMatrix& mU = ClCalculator::mp_mVariable[eVAR_U];
  const ClMatrix& mV = ClCalculator::mp_mVariable[eVAR_V];
  ASSERT_EQ(mV.rows(), 5);
  expectUnitary(mU);
  expectUnitary(mV);
  ClMatrix mS = ClMatrix::Zero(3, 5);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(run.mResult(k).imag(), 0.0);
    if (k > 0) {
      EXPECT_LE(run.mResult(k).real(), run.mResult(k - 1).real());
    }
    mS(k, k) = run.mResult(k);
  }
  expectClose(mU * mS * mV.adjoint(), mA, 1e-12);
}

TEST_F(Functions, RrefOfSeededMatrixMatchesItsInverse) {
  // [A | Id] reduces to [Id | A^-1]: checked by multiplying back.
  const ClMatrix mA = seededMatrix(6, 6, 14);
  ClCalculator::mp_mVariable[eVAR_A] = mA;
  const ClRun run = runLine("R[A,d(6)]");
  ASSERT_EQ(run.uiError, 0);
  expectClose(run.mResult.leftCols(6), ClMatrix::Identity(6, 6), 1e-12);
  expectClose(mA * run.mResult.rightCols(6), ClMatrix::Identity(6, 6), 1e-12);
}

TEST_F(Functions, GammaFunction) {
  EXPECT_EQ(ClCalculator::gamma(5.0), ClComplex(24.0, 0.0));
  EXPECT_NEAR(ClCalculator::gamma(0.5).real(), std::sqrt(kPi), 1e-14);
  EXPECT_TRUE(std::isinf(ClCalculator::gamma(-1.0).real()));
  EXPECT_TRUE(std::isinf(ClCalculator::gamma(1e18).real()));  // no reduction loop of 1e18 steps
  // Gamma(1 + i), then the recurrence Gamma(z + 1) = z Gamma(z) gives the
  // values at 2 + i and -1 + i, whose real parts are integers.
  const ClComplex cOne(0.498015668118356, -0.154949828301811);
  const ClComplex aCases[][2] = {
      {{1, 1}, cOne},
      {{2, 1}, ClComplex(1, 1) * cOne},
      {{-1, 1}, cOne / ClComplex(0, 1) / ClComplex(-1, 1)},
  };
  for (const auto& c : aCases) {
    const ClComplex cG = ClCalculator::gamma(c[0]);
    EXPECT_NEAR(cG.real(), c[1].real(), 1e-12) << c[0];
    EXPECT_NEAR(cG.imag(), c[1].imag(), 1e-12) << c[0];
  }
}

TEST_F(Functions, PolyMultiplyNeedsTwoRows) {
  ClMatrix mP(1, 2);
  mP << 1.0, 1.0;
  ClMatrix mQ(1, 2);
  mQ << 1.0, -1.0;
  expectClose(ClCalculator::polyMultiply(mP, mQ), fromRows({{1, 0, -1}}), 0.0);
  EXPECT_EQ(ClCalculator::polyMultiply(mP, mQ.transpose()).size(), 0);
  EXPECT_EQ(ClCalculator::polyMultiply(mP, ClMatrix(1, 0)).size(), 0);
}

}  // namespace
