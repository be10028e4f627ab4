// SPDX-License-Identifier: GPL-3.0-or-later
// The SIMD elementwise functions against the library's scalar functions:
// special values bit for bit on every unit this processor has (through token
// lines where the value can be typed, through the function where it cannot),
// random arguments within 2 ULP. ULP measure: the distance of each part from
// the scalar result's part, in units of the last place of the scalar result's
// larger part (a part that cancels to almost nothing is measured against the
// size of the whole value).
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine/vector_math.h"
#include "tests/support/engine_driver.h"

namespace {

struct FunctionCase {
  const char* acName;
  char cToken;
  eVECTOR_FUNCTION eFunction;
  tScalarFunction pScalar;
};

const FunctionCase gc_aFUNCTIONS[] = {
    {"Exp", 'e', eVECTOR_EXP, [](ClComplex z) { return std::exp(z); }},
    {"Cis", 'F', eVECTOR_CIS, [](ClComplex z) { return std::exp(ClComplex(-z.imag(), z.real())); }},
    {"Ln", 'l', eVECTOR_LN, [](ClComplex z) { return std::log(z); }},
    {"Sqrt", '}', eVECTOR_SQRT, [](ClComplex z) { return std::sqrt(z); }},
};

// The scalar path as the engine takes it: the argument's zeros unsigned, the
// result's too.
ClComplex scalarResult(tScalarFunction pScalar, ClComplex cZ) {
  const ClComplex cR = pScalar(ClComplex(cZ.real() + 0.0, cZ.imag() + 0.0));
  return {cR.real() + 0.0, cR.imag() + 0.0};
}

bool sameBits(double dA, double dB) {
  return std::memcmp(&dA, &dB, sizeof dA) == 0;
}

std::string text(ClComplex cZ) {
  char acText[80];
  std::snprintf(acText, sizeof acText, "(%.17g, %.17g)", cZ.real(), cZ.imag());
  return acText;
}

std::vector<eVECTOR_UNIT> units() {
  std::vector<eVECTOR_UNIT> aUnits;
  for (int i = eUNIT_SSE2; i <= widestVectorUnit(); ++i)
    aUnits.push_back(static_cast<eVECTOR_UNIT>(i));
  return aUnits;
}

class VectorMath : public ::testing::Test {
 protected:
  void SetUp() override { resetEngineState(); }
  void TearDown() override { useVectorUnit(widestVectorUnit()); }
};

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Arguments where the library's answer is special: infinities, NaN, signed
// zeros, the axes and branch cuts, overflow and underflow, huge and tiny
// parts, the borders of the vector ranges. Each is placed among plain
// arguments so that it shares a vector with lanes the kernel computes.
std::vector<ClComplex> specialArguments() {
  const double adPart[] = {0.0,
                           -0.0,
                           1.0,
                           -1.0,
                           0.5,
                           2.0,
                           -4.0,
                           1e-310,
                           -1e-310,
                           1e-300,
                           1e-200,
                           1e-150,
                           1e150,
                           1e200,
                           1e300,
                           DBL_MAX,
                           700.0,
                           -700.0,
                           700.5,
                           709.9,
                           710.0,
                           -745.2,
                           800.0,
                           300.0,
                           300.5,
                           355.0,
                           67108864.0,
                           67108865.0,
                           1e15,
                           1e22,
                           3.141592653589793,
                           1.5707963267948966,
                           kInf,
                           -kInf,
                           kNaN};
  std::vector<ClComplex> acZ;
  for (double dRe : adPart) {
    for (double dIm : adPart) {
      acZ.emplace_back(dRe, dIm);
      acZ.emplace_back(0.25, -0.75);  // a plain neighbour
    }
  }
  return acZ;
}

bool samePart(double dActual, double dExpected) {
  return sameBits(dActual, dExpected) || (std::isnan(dActual) && std::isnan(dExpected));
}

void expectBits(const ClComplex& cActual, const ClComplex& cExpected, const std::string& sWhat) {
  EXPECT_TRUE(samePart(cActual.real(), cExpected.real()) &&
              samePart(cActual.imag(), cExpected.imag()))
      << sWhat << ": " << text(cActual) << " against " << text(cExpected);
}

// The distance of each part in units of the last place of |f(z)|, the
// modulus of the scalar result.
double ulpDistance(ClComplex cActual, ClComplex cExpected) {
  // in long double: |f(z)| may lie beyond the largest double
  const long double dModulus = std::hypot(static_cast<long double>(cExpected.real()),
                                          static_cast<long double>(cExpected.imag()));
  if (dModulus == 0.0L)
    return std::max(std::fabs(cActual.real()), std::fabs(cActual.imag())) / DBL_TRUE_MIN;
  const double dUlp =
      std::max(static_cast<double>(std::ldexp(1.0L, std::ilogb(dModulus) - 52)), DBL_TRUE_MIN);
  return std::max(std::fabs(cActual.real() - cExpected.real()),
                  std::fabs(cActual.imag() - cExpected.imag())) /
         dUlp;
}

bool isSpecialPart(double dX) {
  return !std::isfinite(dX) || dX == 0.0;
}

// Parts that are zero, infinite or NaN in the scalar result are the same
// bits; the others are within 2 ULP.
void expectAgreement(const ClComplex& cActual, const ClComplex& cExpected,
                     const std::string& sWhat) {
  const double adActual[] = {cActual.real(), cActual.imag()};
  const double adExpected[] = {cExpected.real(), cExpected.imag()};
  bool bAgree = true;
  for (int k = 0; k < 2; ++k)
    if (isSpecialPart(adExpected[k])) bAgree = bAgree && samePart(adActual[k], adExpected[k]);
  if (std::isfinite(cExpected.real()) && std::isfinite(cExpected.imag()))
    bAgree = bAgree && ulpDistance(cActual, cExpected) <= 2.0;
  EXPECT_TRUE(bAgree) << sWhat << ": " << text(cActual) << " against " << text(cExpected);
}

// An argument no vector formula may touch: a part infinite, NaN, beyond
// 1E15 or below 1E-290 without being zero.
bool isSpecialArgument(ClComplex cZ) {
  for (double dX : {cZ.real(), cZ.imag()})
    if (!(std::fabs(dX) <= 1e15) || (dX != 0.0 && std::fabs(dX) < 1e-290)) return true;
  return false;
}

TEST_F(VectorMath, SpecialValuesGiveTheScalarResult) {
  const std::vector<ClComplex> acZ = specialArguments();
  for (eVECTOR_UNIT eUnit : units()) {
    useVectorUnit(eUnit);
    for (const FunctionCase& f : gc_aFUNCTIONS) {
      std::vector<ClComplex> acOut(acZ.size());
      vectorFunction(f.eFunction, f.pScalar, acZ.data(), acOut.data(),
                     static_cast<long>(acZ.size()), -1.0);
      for (size_t k = 0; k < acZ.size(); k += 2) {
        const std::string sWhat =
            std::string(f.acName) + text(acZ[k]) + " unit " + std::to_string(eUnit);
        const ClComplex cExpected = scalarResult(f.pScalar, acZ[k]);
        if (isSpecialArgument(acZ[k]))
          expectBits(acOut[k], cExpected, sWhat);
        else
          expectAgreement(acOut[k], cExpected, sWhat);
      }
    }
  }
}

TEST_F(VectorMath, TypedSpecialValuesShowTheScalarResult) {
  const char* aacArgument[] = {"-1",       "0",        "1",      "-4",          "(-1+0i)",
                               "(0-1i)",   "800",      "-800",   "710",         "1E300",
                               "1E-300",   "(1E8+1i)", "(3+4i)", "(-2-1E-20i)", "(700+1E6i)",
                               "(0-300i)", "(355+1i)"};
  for (const FunctionCase& f : gc_aFUNCTIONS) {
    for (const char* acArgument : aacArgument) {
      const std::string sArgument = acArgument;
      const ClRun argument = runLine(sArgument);
      ASSERT_EQ(argument.mResult.size(), 1) << acArgument;
      const ClRun run = runLine(std::string(1, f.cToken) + sArgument);
      ASSERT_EQ(run.mResult.size(), 1) << f.acName << acArgument;
      const ClComplex cArgument = argument.mResult(0, 0);
      const std::string sWhat = std::string(f.acName) + " " + acArgument;
      // the result as shown: Zero Out cleans it
      ClMatrix mExpected = ClMatrix::Constant(1, 1, scalarResult(f.pScalar, cArgument));
      if (g_bZero_Out) ClCalculator::cleanMatrix(mExpected);
      if (isSpecialArgument(cArgument))
        expectBits(run.mResult(0, 0), mExpected(0, 0), sWhat);
      else
        expectAgreement(run.mResult(0, 0), mExpected(0, 0), sWhat);
    }
  }
}

// Parts of magnitude 10^u, u uniform in [low, high], either sign.
std::vector<ClComplex> randomArguments(double dLow, double dHigh, unsigned uiSeed) {
  std::mt19937 generator(uiSeed);
  std::uniform_real_distribution<double> exponent(dLow, dHigh);
  std::bernoulli_distribution sign(0.5);
  auto part = [&]() {
    return (sign(generator) ? -1.0 : 1.0) * std::pow(10.0, exponent(generator));
  };
  std::vector<ClComplex> acZ(20000);
  for (ClComplex& cZ : acZ) cZ = ClComplex(part(), part());
  return acZ;
}

// The worst distance over the arguments; also how many went to the vector path.
double worstUlp(const FunctionCase& f, const std::vector<ClComplex>& acZ, long& lVector) {
  std::vector<ClComplex> acOut(acZ.size());
  const ClVectorOutcome outcome = vectorFunction(f.eFunction, f.pScalar, acZ.data(), acOut.data(),
                                                 static_cast<long>(acZ.size()), -1.0);
  lVector = static_cast<long>(acZ.size()) - outcome.m_lScalar;
  double dWorst = 0.0;
  for (size_t k = 0; k < acZ.size(); ++k) {
    const ClComplex cExpected = scalarResult(f.pScalar, acZ[k]);
    expectAgreement(acOut[k], cExpected, f.acName + text(acZ[k]));
    if (std::isfinite(cExpected.real()) && std::isfinite(cExpected.imag()))
      dWorst = std::max(dWorst, ulpDistance(acOut[k], cExpected));
  }
  return dWorst;
}

TEST_F(VectorMath, RandomArgumentsAgreeWithinTwoUlp) {
  struct Range {
    double dLow, dHigh;
  };
  // parts from 1e-8 to 1e8 (most beyond 700 go scalar for exp), and the
  // values near 1 where cancellation would show
  const Range aRanges[] = {{-8.0, 8.0}, {-3.0, 0.5}, {-0.3, 0.3}};
  for (eVECTOR_UNIT eUnit : units()) {
    useVectorUnit(eUnit);
    for (const FunctionCase& f : gc_aFUNCTIONS) {
      long lVectorTotal = 0;
      for (const Range& range : aRanges) {
        long lVector = 0;
        worstUlp(f, randomArguments(range.dLow, range.dHigh, 17), lVector);
        lVectorTotal += lVector;
      }
      // most arguments of the narrower ranges are plain
      EXPECT_GT(lVectorTotal, 20000) << f.acName << " unit " << eUnit;
    }
  }
}

TEST_F(VectorMath, LogNearTheUnitCircleAgrees) {
  // |z| = 1 + d, d from 1e-16 to 1e-2: log |z| is tiny beside a large arg z,
  // or both parts are tiny near z = 1
  std::mt19937 generator(5);
  std::uniform_real_distribution<double> angle(-0.01, 3.2), exponent(-16.0, -2.0);
  std::vector<ClComplex> acZ(20000);
  for (ClComplex& cZ : acZ) {
    const double dR = 1.0 + (generator() % 2 ? -1.0 : 1.0) * std::pow(10.0, exponent(generator));
    cZ = std::polar(dR, angle(generator) * (generator() % 2 ? 1.0 : 1e-6));
  }
  for (eVECTOR_UNIT eUnit : units()) {
    useVectorUnit(eUnit);
    long lVector = 0;
    worstUlp(gc_aFUNCTIONS[2], acZ, lVector);
    EXPECT_EQ(lVector, 20000);
  }
}

TEST_F(VectorMath, PowerWithScalarExponentAgrees) {
  const ClComplex acExponent[] = {0.5, -1.5, 3.0, ClComplex(0.3, 0.7), ClComplex(0.0, -1.0), 1e-3};
  const std::vector<ClComplex> acZ = randomArguments(-2.0, 2.0, 23);
  for (eVECTOR_UNIT eUnit : units()) {
    useVectorUnit(eUnit);
    long lVector = 0;
    for (ClComplex cE : acExponent) {
      std::vector<ClComplex> acOut(acZ.size());
      const ClVectorOutcome outcome =
          vectorPower(cE, acZ.data(), acOut.data(), static_cast<long>(acZ.size()));
      lVector += static_cast<long>(acZ.size()) - outcome.m_lScalar;
      for (size_t k = 0; k < acZ.size(); ++k)
        expectAgreement(acOut[k], principalPower(acZ[k], cE), text(acZ[k]) + " ^ " + text(cE));
    }
    EXPECT_GT(lVector, 20000);
  }
}

TEST_F(VectorMath, PowerLinesKeepTheScalarResults) {
  // the special bases the power line meets; the base is cleaned first
  const char* aacBase[] = {"A=[0,-1,2;4,-8,(0+1i);0.5,-.25,3]",
                           "A=[1E300,-1E-300;(1E200+1E200i),1]"};
  const struct {
    const char* acLine;
    ClComplex cExponent;
  } aCases[] = {{"A^.5", 0.5}, {"A^-1", -1.0}, {"A^(0+1i)", ClComplex(0.0, 1.0)}, {"A^3", 3.0}};
  for (const char* acBase : aacBase) {
    runLine(acBase);
    ClMatrix mA = ClCalculator::mp_mVariable[eVAR_A];
    ClCalculator::cleanMatrix(mA);
    for (const auto& c : aCases) {
      const ClRun run = runLine(c.acLine);
      ASSERT_EQ(run.mResult.size(), mA.size()) << c.acLine;
      ClMatrix mExpected(mA.rows(), mA.cols());
      for (Eigen::Index k = 0; k < mA.size(); ++k)
        mExpected(k) = principalPower(mA(k), c.cExponent);
      // the result as shown: Zero Out cleans a finite one
      if (g_bZero_Out && isNumber(mExpected)) ClCalculator::cleanMatrix(mExpected);
      for (Eigen::Index k = 0; k < mA.size(); ++k) {
        const std::string sWhat =
            std::string(acBase) + ", " + c.acLine + " entry " + std::to_string(k);
        if (isSpecialArgument(mA(k)))
          expectBits(run.mResult(k), mExpected(k), sWhat);
        else
          expectAgreement(run.mResult(k), mExpected(k), sWhat);
      }
    }
  }
}

TEST_F(VectorMath, EveryUnitGivesTheSameFiniteFlag) {
  const ClComplex acZ[] = {1.0, 2.0, 3.0, 800.0, 4.0};  // Exp 800 overflows
  for (eVECTOR_UNIT eUnit : units()) {
    useVectorUnit(eUnit);
    ClComplex acOut[5];
    EXPECT_FALSE(
        vectorFunction(eVECTOR_EXP, gc_aFUNCTIONS[0].pScalar, acZ, acOut, 5, -1.0).m_bFinite);
    EXPECT_TRUE(
        vectorFunction(eVECTOR_EXP, gc_aFUNCTIONS[0].pScalar, acZ, acOut, 3, -1.0).m_bFinite);
  }
}

}  // namespace
