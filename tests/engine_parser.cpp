// SPDX-License-Identifier: GPL-3.0-or-later
// Parser: statements, assignment, binary operators and their errors, the
// prefix level and what happens to Ans, through runLine.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/engine_driver.h"

namespace {

class ParserTest : public ::testing::Test {
 protected:
  void SetUp() override { resetEngineState(); }
};

TEST_F(ParserTest, EvaluatesBinaryOperators) {
  expectTexts({
      {"2+[1,2]", "3, 4"},
      {"[1,2]-1", "0, 1"},
      {"2+3*4", "14"},
      {"2*3^2", "18"},
      {"[1,2]*2", "2, 4"},
      {"[1,2;3,4]*[1;1]", "3 ;\n7"},
      {"[1,2;3,4]/[1,0;0,2]", "1, 1 ;\n3, 2"},
      {"[2,0;0,4]\\[2;4]", "1 ;\n1"},
      {"2\\[4,6]", "2, 3"},
      {"[4,6]/2", "2, 3"},
      {"[1,2].*[3,4]", "3, 8"},
      {"[1,2]./[2,8]", "0.5, 0.25"},
      {"[1,2].\\[2,8]", "2, 4"},
      {"[1,2]{[1;10]", "1, 2 ;\n10, 20"},
      {"2^3^2", "64"},
      {"4^0.5", "2"},
      {"[0,2]^0", "1, 1"},
      {"[0,4]^[3,0.5]", "0, 2"},
      {"i^2", "-1"},
      {"(1+i)^2", "0 + 2i"},
      {"2-3i", "2 - 3i"},
      {"2(3)", "2"},  // tokens no level accepts are left unread
  });
}

TEST_F(ParserTest, DividesExtremeValuesWithoutOverflow) {
  expectTexts({
      {"1E200/1E200", "1"},
      {"1/1E-200", "1E+200"},
      {"(1E200+1E200i)/(1E200+1E200i)", "1"},
      {"(2E-200i)/(1E-200i)", "2"},
      {"1E200\\[2E200,4E200]", "2, 4"},
      {"[1E200,2E200i]./[1E200,1E200]", "1, 2i"},
      {"[1E-200].\\[1]", "1E+200"},
  });
}

TEST_F(ParserTest, SolvesLeastSquaresWithMinimumNorm) {
  expectTexts({
      {"[1,0;0,1;1,1]G[1;1;0]", "0.333333 ;\n0.333333"},
      {"[1,1]G[2]", "1 ;\n1"},
      {"[1,0;0,2]G[1,0;0,1;1,1]G[1;1;0]", "0.333333 ;\n0.166667"},
  });
}

TEST_F(ParserTest, SolveWithZeroMatrixGivesZeroOfTheSolutionSize) {
  const ClRun run = runLine("[0,0;0,0;0,0]G[1,2;3,4;5,6]");
  EXPECT_EQ(run.uiError, 0);
  EXPECT_EQ(run.mResult.rows(), 2);
  EXPECT_EQ(run.mResult.cols(), 2);
  EXPECT_TRUE(run.mResult.isZero(0.0));
}

struct ErrorCase {
  const char* acLine;
  uint16_t uiError;
};

TEST_F(ParserTest, ReportsOperatorErrors) {
  const ErrorCase aCases[] = {
      {"[1,2]+[1,2,3]", 6},
      {"[1,2].*2", 6},
      {"[1,2;3,4]*[1,2]", 6},
      {"[1,2]/[1,2;2,4]", 10},
      {"[1,2;2,4]\\[1;2]", 10},
      {"[1,2]/[1,2]", 9},
      {"[1,2]\\[1]", 9},
      {"[1,2]/[1,2;3,4;5,6]", 9},
      {"[1,2;3,4]/[1,2,3;4,5,6;7,8,9]", 6},
      {"2^[1,2]", 8},
      {"[1;2]G[1]", 8},
      {"[1:300]{[1:1000]", 8},
      {"1E308*10", 12},
      {"1/0", 12},
      {"(2", 0},
      {"()", 24},
      {"u", 24},
      {"u+1", 24},
      {"2+", 24},
  };
  for (const ErrorCase& c : aCases) {
    SCOPED_TRACE(c.acLine);
    EXPECT_EQ(runLine(c.acLine).uiError, c.uiError);
  }
}

TEST_F(ParserTest, RefusesResultsBeyondTheEntryLimitBeforeBuildingThem) {
  ClCalculator::mp_mVariable[eVAR_A] = ClMatrix::Ones(600, 1);
  ClCalculator::mp_mVariable[eVAR_B] = ClMatrix::Ones(1, 600);
  EXPECT_EQ(runLine("A*B").uiError, 19);
  EXPECT_EQ(runLine("BGB").uiError, 19);
  EXPECT_EQ(runLine("B*A").sText, "600");
}

TEST_F(ParserTest, AnsFollowsDisplayedResults) {
  runLine("2+3");
  EXPECT_EQ(runLine("a*2").sText, "10");
  EXPECT_EQ(runLine("1E308*10").uiError, 12);
  EXPECT_EQ(runLine("a").sText, "10");
  runLine("");
  EXPECT_EQ(runLine("a").sText, "10");
  EXPECT_EQ(runLine("[1,2]+[1,2,3]").uiError, 6);
  EXPECT_EQ(ClCalculator::mp_mLast_Output.size(), 0);
}

// Lines whose result holds an infinity or a NaN, run in order: each shows
// all parts of its value with error 12.
TEST_F(ParserTest, InvalidResultShowsAllItsParts) {
  const TextCase aCases[] = {
      {"[1E308*10,1E-300]", "INF, 1E-300"},
      // an infinite modulus made the overflow-safe scaling divide inf by inf
      {"u=n(2,e[1000,1])", "INF"},
      {"1/u", "0"},
      // a NaN entry makes every norm NaN, wherever it stands
      {"n([1,0/0,2])", "-NAN"},
      {"N([1,2;0/0,0])", "-NAN"},
      {"N(1,[1,0/0,2])", "-NAN"},
      // a NaN beside -1/4 - 0i kept its signed zero from being cleaned
      {"(O(1,2)./[-4,0])^.5", "3.06162E-17 + 0.5i, -NAN"},
      // an infinity beside it made every finite entry negligible
      {"[-4,e1000]^.5", "1.22465E-16 + 2i, -NAN"},
  };
  for (const TextCase& c : aCases) {
    const ClRun run = runLine(c.acLine);
    EXPECT_EQ(run.uiError, 12) << c.acLine;
    EXPECT_EQ(run.sText, c.acText) << c.acLine;
  }
}

TEST_F(ParserTest, AssignsVariables) {
  EXPECT_EQ(runLine("A=[1,2;3,4]").sText, "1, 2 ;\n3, 4");
  EXPECT_EQ(runLine("A(1,2)=9").sText, "1, 9 ;\n3, 4");
  EXPECT_EQ(runLine("A([2,1],1)=[7;8]").sText, "8, 9 ;\n7, 4");
  EXPECT_EQ(runLine("B=A*2").sText, "16, 18 ;\n14, 8");
  EXPECT_EQ(runLine("A").sText, "8, 9 ;\n7, 4");
}

TEST_F(ParserTest, FailedAssignmentLeavesTheVariable) {
  runLine("A=[1,2;3,4]");
  const ErrorCase aCases[] = {
      {"A(3,1)=1", 21},
      {"A(1,1)=[1,2]", 3},
      {"A(1,1)+1", 0},
      {"A(1,1)1=2", 14},
      {"A(1,1)(1)=2", 3},
      {"A=u", 24},
      {"1=2", 3},
      {"=2", 3},
      {"a=2", 3},
      // a failed reference followed by "-" still leaves a value behind
      {"A=A(3,3)-1", 21},
      {"A(1,1)=A(3,3)-1", 21},
  };
  for (const ErrorCase& c : aCases) {
    SCOPED_TRACE(c.acLine);
    EXPECT_EQ(runLine(c.acLine).uiError, c.uiError);
    EXPECT_EQ(runLine("A").sText, "1, 2 ;\n3, 4");
  }
}

TEST_F(ParserTest, AssigningEmptyBracketsClearsTheVariable) {
  runLine("A=2");
  const ClRun run = runLine("A=[]");
  EXPECT_EQ(run.uiError, 24);
  EXPECT_EQ(ClCalculator::mp_mVariable[eVAR_A].size(), 0);
  EXPECT_EQ(ClCalculator::mp_mLast_Output.size(), 0);
}

TEST_F(ParserTest, PrefixOperatorsBindTighterThanBinaryOnes) {
  expectTexts({
      {"--2", "2"},
      {"2^-1", "0.5"},
      {"3--2", "5"},
      {"}-4", "0 + 2i"},
      {"}(0-4)", "0 + 2i"},
      {"I[2,0;0,4]*[2;4]", "1 ;\n1"},
  });
}

}  // namespace
