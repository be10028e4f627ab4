// SPDX-License-Identifier: GPL-3.0-or-later
// Argument functions (Id, Ones, El_Op, Diag, Norm, OpNm, nCr, Mod, QR, Plot,
// Rpt), driven through token lines.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tests/support/engine_driver.h"

namespace {

class ArgFunctions : public ::testing::Test {
 protected:
  void SetUp() override {
    resetEngineState();
    g_uiHistory_Next = 10;
  }
  void TearDown() override {
    g_eOutput = 0;
    g_uiHistory_Next = 0;
  }
};

ClMatrix fromRows(const std::vector<std::vector<double>>& aadRows) {
  ClMatrix mM(aadRows.size(), aadRows[0].size());
  for (size_t r = 0; r < aadRows.size(); ++r) {
    for (size_t c = 0; c < aadRows[r].size(); ++c) mM(r, c) = aadRows[r][c];
  }
  return mM;
}

struct ValueCase {
  const char* acLine;
  std::vector<std::vector<double>> aadExpected;
};

void expectValues(const ValueCase* pCases, size_t uiCount) {
  for (size_t k = 0; k < uiCount; ++k) {
    const ValueCase& c = pCases[k];
    SCOPED_TRACE(c.acLine);
    const ClRun run = runLine(c.acLine);
    ASSERT_EQ(run.uiError, 0);
    const ClMatrix mExpected = fromRows(c.aadExpected);
    ASSERT_EQ(run.mResult.rows(), mExpected.rows());
    ASSERT_EQ(run.mResult.cols(), mExpected.cols());
    EXPECT_LE((run.mResult - mExpected).norm(), 1e-13 * (1.0 + mExpected.norm()));
  }
}

struct ErrorCase {
  const char* acLine;
  uint16_t uiError;
};

void expectErrors(const ErrorCase* pCases, size_t uiCount) {
  for (size_t k = 0; k < uiCount; ++k) {
    SCOPED_TRACE(pCases[k].acLine);
    const ClRun run = runLine(pCases[k].acLine);
    EXPECT_EQ(run.uiError, pCases[k].uiError);
  }
}

TEST_F(ArgFunctions, ConstructorsBuildTheirMatrices) {
  runLine("u=[1,2,3]");
  runLine("A=[2,3]");
  const ValueCase aCases[] = {
      {"d(2,3)", {{1, 0, 0}, {0, 1, 0}}},
      {"d(2)", {{1, 0}, {0, 1}}},
      {"d(A)", {{1, 0, 0}, {0, 1, 0}}},  // a 1 x 2 argument gives the two sizes
      {"O(u())", {{1, 1, 1}}},
      {"O(2,1)", {{1}, {1}}},
      {"o(0,3,1,1)", {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
      {"o(0,3,1,3)", {{0, 0, 1}, {0, 1, 0}, {1, 0, 0}}},
      {"o(1,2,2,5)", {{1, 0}, {0, 5}}},
      {"o(2,2,2,2,7)", {{1, 0}, {0, 7}}},
      {"o(2,2,2,1,7)", {{1, 0}, {7, 1}}},
  };
  expectValues(aCases, std::size(aCases));
}

TEST_F(ArgFunctions, ConstructorsRefuseBadSizes) {
  const ErrorCase aCases[] = {
      {"d(0,3)", 19},     {"d(-2,-3)", 19},  // negative sizes multiply to a positive
      {"O(-2,3)", 19},    {"O(1E10,1E10)", 19}, {"d(1E300,2)", 19},  {"O(600,600)", 19},
      {"d(2,3,4)", 5},    {"o(0,23,1,1)", 21},  {"o(0,-3,1,1)", 21}, {"o(2,3,1,2)", 21},
      {"o(3,3,1,1)", 21}, {"o(0,3,4,1)", 21},   {"o(0,3)", 21},
  };
  expectErrors(aCases, std::size(aCases));
}

TEST_F(ArgFunctions, DiagBuildsAndExtracts) {
  const ValueCase aCases[] = {
      {"g([1,2])", {{1, 0}, {0, 2}}},
      {"g([1;2])", {{1, 0}, {0, 2}}},
      {"g(5,2)", {{0, 0, 5}, {0, 0, 0}, {0, 0, 0}}},
      {"g([1,2],-1)", {{0, 0, 0}, {1, 0, 0}, {0, 2, 0}}},
      {"g([1,2;3,4;5,6])", {{1}, {4}}},
  };
  expectValues(aCases, std::size(aCases));
  const ErrorCase aErrors[] = {
      {"g(1,600)", 19},      {"g(1,1E300)", 19}, {"g(1,-1E300)", 19},
      {"g([1,2;3,4],1)", 4}, {"g(1,[1,2])", 8},
  };
  expectErrors(aErrors, std::size(aErrors));
}

TEST_F(ArgFunctions, NormsAreScaledAgainstOverflow) {
  const ValueCase aCases[] = {
      {"n([3,-4])", {{4}}},
      {"n(2,[3,4])", {{5}}},
      {"n(1,[1,-2;3i,4])", {{10}}},
      {"n(400,[10,10])", {{10.01734370234696}}},
      {"n(2,[1E-200,1E-200])", {{1.4142135623730951e-200}}},
      {"N([1,2;3,-4])", {{7}}},
      {"N(1,[1,2;3,-4])", {{6}}},
      {"N(2,[3,0;0,-4i])", {{4}}},
  };
  expectValues(aCases, std::size(aCases));
  // The relative check above cannot see a wrong tiny value; this can.
  EXPECT_NEAR(runLine("n(2,[1E-200,1E-200])").mResult(0, 0).real() / 1e-200, std::sqrt(2.0), 1e-14);
  const ErrorCase aErrors[] = {
      {"n(0.5,[1])", 7},
      {"N(3,[1])", 7},
      {"n([1,2],[1])", 7},
      {"N(2,[1],3)", 4},
  };
  expectErrors(aErrors, std::size(aErrors));
}

TEST_F(ArgFunctions, CombinationsStayExactWithoutWrapping) {
  const ValueCase aCases[] = {
      {"q(4)", {{24}}},
      {"q(2.5)", {{3.323350970447842}}},
      {"q(5,2)", {{10}}},
      {"q(5,5)", {{1}}},
      {"q(67,33)", {{14226520737620288370.0}}},  // above 2^63, below 2^64
      {"q(68,34)", {{28453041475240576740.0}}},  // above 2^64: the floating value
      {"q(1000,500)", {{2.7028824094543655e+299}}},
      {"q(1E20,1)", {{1e20}}},  // n beyond 64 bits never meets an integer conversion
  };
  expectValues(aCases, std::size(aCases));
  const ErrorCase aErrors[] = {
      {"q(5,0)", 7},  {"q(2,5)", 7},    {"q(5,1.5)", 7},
      {"q(0,1)", 11}, {"q(2.5,1)", 11}, {"q(2i,1)", 11},
  };
  expectErrors(aErrors, std::size(aErrors));
  EXPECT_EQ(runLine("q(2000,1000)").uiError, 12);  // overflows a double
}

TEST_F(ArgFunctions, ModIsExactForLargeIntegers) {
  const ValueCase aCases[] = {
      {"W(-7,3)", {{2}}},
      {"W([7,-6,0],3)", {{1, 0, 0}}},
      {"W(9007199254740991,10)", {{1}}},  // 2^53 - 1
      {"W(-9007199254740991,1000)", {{9}}},
      {"W(4294967301,4294967296)", {{5}}},  // beyond 32 bits
  };
  expectValues(aCases, std::size(aCases));
  EXPECT_FALSE(std::signbit(runLine("W(-6,3)").mResult(0, 0).real()));
  const ErrorCase aErrors[] = {
      {"W(7,0)", 31}, {"W(2.5,2)", 31}, {"W(i,2)", 31}, {"W(7,-2)", 31}, {"W(7)", 8},
  };
  expectErrors(aErrors, std::size(aErrors));
}

ClMatrix seededMatrix(int iRows, int iCols) {
  std::mt19937 generator(21);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  ClMatrix mM(iRows, iCols);
  for (int i = 0; i < mM.size(); ++i) mM(i) = ClComplex(uniform(generator), uniform(generator));
  return mM;
}

TEST_F(ArgFunctions, QrFactorsRebuildTheMatrix) {
  const ClMatrix mA = seededMatrix(5, 3);
  ClCalculator::mp_mVariable[eVAR_A] = mA;
  for (const char* acLine : {"|(A)", "|(A,0)", "|(A,1)"}) {
    SCOPED_TRACE(acLine);
    ClCalculator::mp_mVariable[eVAR_P].resize(0, 0);
    const ClRun run = runLine(acLine);
    ASSERT_EQ(run.uiError, 0);
    const ClMatrix& mR = run.mResult;
    const ClMatrix& mQ = ClCalculator::mp_mVariable[eVAR_Q];
    ASSERT_EQ(mR.rows(), 5);
    ASSERT_EQ(mQ.rows(), 5);
    EXPECT_TRUE(mR.isUpperTriangular(0.0));
    EXPECT_LE((mQ.adjoint() * mQ - ClMatrix::Identity(5, 5)).norm(), 1e-13);
    const bool bPivoting = std::string(acLine) == "|(A,1)";
    ClMatrix mAP = mA;
    if (bPivoting) {
      const ClMatrix& mP = ClCalculator::mp_mVariable[eVAR_P];
      ASSERT_EQ(mP.rows(), 3);
      EXPECT_TRUE(mP.cwiseAbs().colwise().sum() == Eigen::RowVectorXd::Ones(3));
      mAP = mA * mP;
      for (int k = 1; k < 3; ++k) EXPECT_LE(std::abs(mR(k, k)), std::abs(mR(k - 1, k - 1)));
    }
    EXPECT_LE((mQ * mR - mAP).norm(), 1e-13);
  }
  const ErrorCase aErrors[] = {
      {"|(A,2)", 11},       {"|(A,[0,1])", 11}, {"|(A,1,2)", 4}, {"|A", 4},
      {"|('[1:513])", 19},   // Q would be 513 x 513
      {"|([1:513],1)", 19},  // and P
  };
  expectErrors(aErrors, std::size(aErrors));
}

TEST_F(ArgFunctions, PlotHandsOverItsPoints) {
  EXPECT_EQ(runLine("f([1,2],[3,4])").uiError, 27);
  g_eOutput = 1;
  const ClRun run = runLine("f([1;2],[3,4i])");
  ASSERT_EQ(run.uiError, 0);
  EXPECT_TRUE(g_bPlot);
  ASSERT_EQ(run.mResult.rows(), 2);
  EXPECT_EQ(run.mResult(1, 1), ClComplex(0, 4));
  EXPECT_EQ(run.mResult(0, 1), ClComplex(2, 0));
  const ErrorCase aErrors[] = {
      {"f([1,2;3,4],[1,2])", 11},
      {"f([1,2],[3,4,5])", 8},
      {"f([1,2],[3,4])+1", 8},
      {"f1", 8},
  };
  expectErrors(aErrors, std::size(aErrors));
  g_uiActive_Plots = 6;
  EXPECT_EQ(runLine("f([1,2],[3,4])").uiError, 23);
}

TEST_F(ArgFunctions, RptWritesTheRepeatRequest) {
  const struct {
    const char* acLine;
    uint16_t uiCount;
    int16_t iFirst;
    int16_t iLast;
    bool bRepeat;
  } aCases[] = {
      {"X(3)", 3, 9, 1, true},
      {"X(2,-3)", 2, -3, -3, true},
      {"X(2,5,2)", 2, 5, 2, true},
      {"X(2,5,2,0)", 2, 5, 2, true},
      {"X(2,5,2,0,1)", 2, 5, 2, false},  // a fifth argument makes the test strict
      {"X(65535,-32768)", 65535, -32768, -32768, true},
  };
  for (const auto& c : aCases) {
    SCOPED_TRACE(c.acLine);
    const ClRun run = runLine(c.acLine);
    ASSERT_EQ(run.uiError, 0);
    EXPECT_EQ(g_Current_State.m_uiRepeat_Count, c.uiCount);
    EXPECT_EQ(g_Current_State.m_iRepeat_First, c.iFirst);
    EXPECT_EQ(g_Current_State.m_iRepeat_Last, c.iLast);
    EXPECT_EQ(g_bRepeat, c.bRepeat);
    EXPECT_EQ(g_bFailTest, !c.bRepeat);
  }
  const ErrorCase aErrors[] = {
      {"X(65536)", 11}, {"X(1,-32769)", 11}, {"X(1,10)", 11}, {"X(1,0)", 11}, {"X(1,5,6)", 11},
      {"X(-1)", 11},    {"X([1,2])", 11},    {"X(1)+1", 8},   {"X1", 18},
  };
  expectErrors(aErrors, std::size(aErrors));
  EXPECT_FALSE(g_bRepeat);
}

}  // namespace
