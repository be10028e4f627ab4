// SPDX-License-Identifier: GPL-3.0-or-later
// Operands: references, ranges, tables of scalars and block lists, through
// runLine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/engine_driver.h"

namespace {

class OperandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetEngineState();
    runLine("A=[1,2;3,4]");
    runLine("B=[5,6,7]");
  }
};

struct ErrorCase {
  const char* acLine;
  uint16_t uiError;
};

void expectErrors(std::initializer_list<ErrorCase> cases) {
  for (const ErrorCase& c : cases) {
    const ClRun run = runLine(c.acLine);
    SCOPED_TRACE(c.acLine);
    EXPECT_EQ(run.uiError, c.uiError);
    EXPECT_EQ(run.mResult.size(), 0);
  }
}

TEST_F(OperandTest, ReadsReferences) {
  expectTexts({
      {"A(2,1)", "3"},
      {"A()", "2, 2"},
      {"u()", "0, 0"},
      {"A([1,2],[2,1])", "2, 1 ;\n4, 3"},
      {"A([2;1],1)", "3 ;\n1"},
      {"A(2,[1:2])", "3, 4"},
      {"B(3)", "7"},
      {"B([3,1,3])", "7, 5, 7"},
      {"a(1,2)", "5"},  // Ans is the row of the line before
  });
}

TEST_F(OperandTest, RefusesBadReferences) {
  expectErrors({
      {"A(2)", 21},
      {"A(0,1)", 21},
      {"A(1.5,1)", 21},
      {"A(i,1)", 21},
      {"A(3,1)", 21},
      {"A(1,3)", 21},
      {"A(1,1,1)", 21},
      {"A([1,2;1,2],1)", 21},
      {"B(4)", 21},
      {"u(1)", 21},
      {"u(1,1)", 21},
  });
}

TEST_F(OperandTest, NotANumberNeverBecomesAnIndexOrACount) {
  // the sanitizer build stops on a conversion of NaN to an integer
  expectErrors({{"A(0/0,1)", 12}, {"B(0/0)", 12}, {"[1:0/0]", 12}, {"[0/0:1]", 12}});
}

TEST_F(OperandTest, RefusesReferencesBeyondTheEntryLimit) {
  // 600 x 600 repeated indices would make 360,000 entries
  ClCalculator::mp_mVariable[eVAR_u] = ClMatrix::Ones(1, 600);
  EXPECT_EQ(runLine("A(u,u)").uiError, 19);
  EXPECT_EQ(runLine("A(u,1)").mResult.rows(), 600);
}

TEST_F(OperandTest, BuildsRanges) {
  expectTexts({
      {"[1:3]", "1, 2, 3"},
      {"[0.5:3]", "0.5, 1.5, 2.5, 3"},
      {"[3:0.5]", "3, 2, 1, 0.5"},
      {"[1:2,0.25]", "1, 1.25, 1.5, 1.75, 2"},
      {"[2:0,-0.75]", "2, 1.25, 0.5, 0"},
      {"[1:1]", "1"},
      {"[i:2]", "i, 1 + i, 2"},
  });
}

TEST_F(OperandTest, RefusesBadRanges) {
  expectErrors({
      {"[1:3,-1]", 25},
      {"[1:3,0]", 25},
      {"[1:3,[1,1]]", 25},
      {"[0:1,1E-6]", 25},
      {"[1:[2,3]]", 21},
      {"[1:300000]", 19},
  });
}

TEST_F(OperandTest, BuildsTablesAndBlocks) {
  expectTexts({
      {"[1,2;3,4]", "1, 2 ;\n3, 4"},
      {"[1;2]", "1 ;\n2"},
      {"[[2,3],1]", "2, 3, 1"},
      {"[[1,2];[3,4]]", "1, 2 ;\n3, 4"},
      {"[A,[5;6]]", "1, 2, 5 ;\n3, 4, 6"},
      {"[A;B(1,[1:2])]", "1, 2 ;\n3, 4 ;\n5, 6"},
      {"[A,A;[1,2,3,4]]", "1, 2, 1, 2 ;\n3, 4, 3, 4 ;\n1, 2, 3, 4"},
      {"[[1](2)]", "1, 2"},
      {"[[1],[1],[1],[1],[1],[1],[1],[1],[1],[1],[1],[1],[1],[1],[1],[1]]",
       "1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1"},
      {"(2+3)", "5"},
      {"[(1+1),2]", "2, 2"},
  });
}

TEST_F(OperandTest, RefusesMismatchedLists) {
  expectErrors({
      {"[1,2;3]", 3},
      {"[1;2,3]", 3},
      {"[1,[2,3]]", 3},
      {"[A,B]", 3},
      {"[A;B]", 3},
      {"[[1,2];[3]]", 3},
      {"[[1],[1],[1],[1],[1],[1],[1],[1],[1],[1],[1],[1],[1],[1],[1],[1],[1]]", 3},
      {"[]", 24},
      {"[1,]", 24},
  });
}

TEST_F(OperandTest, ScalarListKeepsTheSecondEvaluation) {
  std::srand(7);
  const ClRun run = runLine("[rA(1,1),rA(1,1)]");
  std::srand(7);
  for (int k = 0; k < 2; ++k) std::rand();  // the first reading of each element
  const double dThird = std::rand() / 2147483647.0;
  const double dFourth = std::rand() / 2147483647.0;
  ASSERT_EQ(run.uiError, 0);
  EXPECT_EQ(run.mResult(0, 0).real(), dThird);
  EXPECT_EQ(run.mResult(0, 1).real(), dFourth);
}

// Both passes over a table of scalars evaluated every element, and the
// tables nested in it with both their passes: a line of unclosed brackets
// took 2^depth evaluations, so 23 levels ran for seconds and a full line
// never ended (found by fuzz_line, with and without a random operator).
TEST_F(OperandTest, NestedTablesNoLongerDoubleTheWorkPerLevel) {
  expectTexts({
      {"[[[1", "1"},
      {"[[2,[3", "2, 3"},
  });
  const std::string sNested(250, '[');
  const ClRun run = runLine("2-" + sNested + "1");
  EXPECT_EQ(run.uiError, 0);
  EXPECT_EQ(run.sText, "1");
  // with a random operator inside, each table still evaluates it twice
  const ClRun random = runLine("X(1,,X2-" + sNested + "r1)");
  EXPECT_TRUE(random.bLexed);
  EXPECT_EQ(random.uiError, 24);  // the empty element
}

// Names as operands are read where they are stored, not copied: the results
// are those of the values, the variables stay as they were, and a name left
// of an operator keeps its value while the right side is evaluated.
class NamesInPlace : public ::testing::Test {
 protected:
  void SetUp() override {
    resetEngineState();
    runLine("A=[1+2i,-3;0.5,4-i]");
    runLine("B=[2,1i;-1,3+0.5i]");
    runLine("u=[1;-2;3]");
    runLine("v=7");
    mA = ClCalculator::mp_mVariable[eVAR_A];
    mB = ClCalculator::mp_mVariable[eVAR_B];
  }
  ClMatrix mA, mB;
};

TEST_F(NamesInPlace, OperatorsOnNamesGiveTheValuesResults) {
  auto entrywise = [](const ClMatrix& mM, ClComplex (*pF)(ClComplex)) {
    ClMatrix mR = mM;
    for (Eigen::Index k = 0; k < mR.size(); ++k) mR(k) = pF(mM(k));
    return mR;
  };
  const struct {
    const char* acLine;
    ClMatrix mExpected;
  } aCases[] = {
      {"A*B", mA * mB},
      {"A+B", mA + mB},
      {"A-B", mA - mB},
      {"A.*B", mA.cwiseProduct(mB)},
      {"A./B", mA.cwiseQuotient(mB)},
      {"A.\\B", mB.cwiseQuotient(mA)},
      {"A*B+A", mA * mB + mA},
      {"A+A*B", mA + mA * mB},
      {"A*B*A", mA * mB * mA},
      {"eA", entrywise(mA, [](ClComplex z) { return std::exp(z); })},
      {"-eA", -entrywise(mA, [](ClComplex z) { return std::exp(z); })},
      {"'A", mA.transpose()},
      {"}B*A", entrywise(mB, [](ClComplex z) { return std::sqrt(z); }) * mA},
      {"YA", mA.rowwise().sum()},
      {"Yu", ClMatrix::Constant(1, 1, 2.0)},  // a column counts as a row
      {"Mu", ClMatrix::Constant(1, 1, 3.0)},
      {"mv", ClMatrix::Constant(1, 1, 7.0)},
  };
  for (const auto& c : aCases) {
    SCOPED_TRACE(c.acLine);
    const ClRun run = runLine(c.acLine);
    ASSERT_EQ(run.uiError, 0);
    ASSERT_EQ(run.mResult.rows(), c.mExpected.rows());
    ASSERT_EQ(run.mResult.cols(), c.mExpected.cols());
    EXPECT_LE((run.mResult - c.mExpected).norm(), 1e-14 * c.mExpected.norm());
    EXPECT_EQ(ClCalculator::mp_mVariable[eVAR_A], mA);
    EXPECT_EQ(ClCalculator::mp_mVariable[eVAR_B], mB);
  }
}

TEST_F(NamesInPlace, LeftNameKeepsItsValueWhileTheRightRewritesIt) {
  runLine("U=[1,2;3,4]");
  const ClMatrix mU = ClCalculator::mp_mVariable[eVAR_U];
  const ClMatrix mEvals = runLine("HA").mResult;  // Evals writes U
  runLine("U=[1,2;3,4]");
  const ClRun run = runLine("U*HA");
  ASSERT_EQ(run.uiError, 0);
  EXPECT_LE((run.mResult - mU * mEvals).norm(), 1e-12 * (mU * mEvals).norm());
  runLine("U=[1,2;3,4]");
  const ClRun sum = runLine("U+HA*[1,1]");
  ASSERT_EQ(sum.uiError, 0);
  EXPECT_LE((sum.mResult - (mU + mEvals * ClMatrix::Ones(1, 2))).norm(), 1e-12);
}

TEST_F(NamesInPlace, UndefinedAndNonFiniteNamesStillFail) {
  ClCalculator::mp_mVariable[eVAR_C] = ClMatrix::Constant(2, 2, ClComplex(HUGE_VAL, 0.0));
  const struct {
    const char* acLine;
    uint16_t uiError;
  } aCases[] = {
      {"A*C", eERROR_INVALID_NUMBERS},   {"C*A", eERROR_INVALID_NUMBERS},
      {"A+C", eERROR_INVALID_NUMBERS},   {"eC", eERROR_INVALID_NUMBERS},
      {"A*Q", eERROR_EMPTY_MATRIX},      {"Q+A", eERROR_EMPTY_MATRIX},
      {"eQ", eERROR_EMPTY_MATRIX},       {"A+[1,2]", eERROR_SIZE_MISMATCH},
      {"A*[1,2]", eERROR_SIZE_MISMATCH},
  };
  for (const auto& c : aCases) {
    SCOPED_TRACE(c.acLine);
    EXPECT_EQ(runLine(c.acLine).uiError, c.uiError);
  }
}

}  // namespace
