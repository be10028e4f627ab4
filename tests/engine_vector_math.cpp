// SPDX-License-Identifier: GPL-3.0-or-later
// The SIMD elementwise functions and the library's scalar functions, each
// against the true value computed in long double: special arguments give the
// library's result bit for bit on every unit this processor has (through
// token lines where the value can be typed, through the function where it
// cannot); plain arguments give, on either path, a result within the path's
// bound of the true value. ULP measure: the distance of each part from the
// true part, in units of the last place of the true value's modulus rounded
// to double (a part that cancels to almost nothing is measured against the
// size of the whole value).
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <complex>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine/vector_math.h"
#include "tests/support/engine_driver.h"

namespace {

// The reference: long double carries 11 bits more than double, so its
// functions' errors of a few of its own units stay below 0.01 ULP of a
// double; the power's grows with |e log z| as the bound below does, and
// stays below 0.02 ULP for the exponents here (checked against __float128).
typedef std::complex<long double> tWide;
typedef tWide (*tWideFunction)(tWide);

// The accuracy of each path: the vector path computes each part with the
// library's formula from SLEEF's real functions of 1 ULP, the scalar path
// from the C library's, at most two of them and a rounding: 2.5 ULP of the
// true value on either path.
constexpr double gc_dFUNCTION_ULP = 2.5;
// exp(w), w = e log z, also carries the error of w: log z's 2.5 ULP and the
// product's rounding, about 3 units of 2^-53 relative to |w|, which the
// exponential turns into 3 |w| ULP of the result. The vector path takes
// |Re w|, |Im w| <= 1 only; the scalar path every w.
constexpr double gc_dPOWER_ULP_PER_W = 3.0;

struct FunctionCase {
  const char* acName;
  char cToken;
  eVECTOR_FUNCTION eFunction;
  tScalarFunction pScalar;
  tWideFunction pReference;
};

const FunctionCase gc_aFUNCTIONS[] = {
    {"Exp", 'e', eVECTOR_EXP, [](ClComplex z) { return std::exp(z); },
     [](tWide z) { return std::exp(z); }},
    {"Cis", 'F', eVECTOR_CIS, [](ClComplex z) { return std::exp(ClComplex(-z.imag(), z.real())); },
     [](tWide z) { return std::exp(tWide(-z.imag(), z.real())); }},
    {"Ln", 'l', eVECTOR_LN, [](ClComplex z) { return std::log(z); },
     [](tWide z) { return std::log(z); }},
    {"Sqrt", '}', eVECTOR_SQRT, [](ClComplex z) { return std::sqrt(z); },
     [](tWide z) { return std::sqrt(z); }},
};

// Both paths see the argument's zeros unsigned, as the engine cleans it.
ClComplex withoutSignedZeros(ClComplex cZ) {
  return {cZ.real() + 0.0, cZ.imag() + 0.0};
}

tWide wide(ClComplex cZ) {
  return {cZ.real(), cZ.imag()};
}

ClComplex rounded(tWide cZ) {
  return {static_cast<double>(cZ.real()), static_cast<double>(cZ.imag())};
}

// The scalar path as the engine takes it: the result's zeros unsigned too.
ClComplex scalarResult(tScalarFunction pScalar, ClComplex cZ) {
  return withoutSignedZeros(pScalar(withoutSignedZeros(cZ)));
}

// The true value of f(z) or z^e, and how far from it either path may be.
struct TrueValue {
  tWide cValue;
  double dBound;  // ULP
};

TrueValue trueValue(const FunctionCase& f, ClComplex cZ) {
  return {f.pReference(wide(withoutSignedZeros(cZ))), gc_dFUNCTION_ULP};
}

TrueValue truePower(ClComplex cZ, ClComplex cE) {
  const tWide cW = wide(withoutSignedZeros(cE)) * std::log(wide(withoutSignedZeros(cZ)));
  return {std::exp(cW), gc_dFUNCTION_ULP + gc_dPOWER_ULP_PER_W * static_cast<double>(std::abs(cW))};
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

// The distance of each part from the true value in units of the last place
// of |f(z)| as a double (beyond the largest double: of its binade).
double ulpDistance(ClComplex cActual, tWide cTrue) {
  const double dModulus =
      static_cast<double>(std::min(std::abs(cTrue), static_cast<long double>(DBL_MAX)));
  const long double dUlp = dModulus == 0.0 ? DBL_TRUE_MIN
                                           : std::max(std::ldexp(1.0L, std::ilogb(dModulus) - 52),
                                                      static_cast<long double>(DBL_TRUE_MIN));
  return static_cast<double>(
      std::max(std::fabs(cActual.real() - cTrue.real()), std::fabs(cActual.imag() - cTrue.imag())) /
      dUlp);
}

// A part that is exactly zero in the true value is zero, one beyond the
// doubles the same infinity; when both true parts are doubles, the result is
// within the bound.
bool isWithin(const ClComplex& cActual, const TrueValue& truth) {
  const double adActual[] = {cActual.real(), cActual.imag()};
  const long double adTrue[] = {truth.cValue.real(), truth.cValue.imag()};
  bool bWithin = true, bFinite = true;
  for (int k = 0; k < 2; ++k) {
    const double dTrue = static_cast<double>(adTrue[k]);
    if (adTrue[k] == 0.0L) bWithin = bWithin && adActual[k] == 0.0;
    if (!std::isfinite(dTrue)) bWithin = bWithin && samePart(adActual[k], dTrue);
    bFinite = bFinite && std::isfinite(dTrue);
  }
  return bWithin && (!bFinite || ulpDistance(cActual, truth.cValue) <= truth.dBound);
}

void expectWithin(const ClComplex& cActual, const TrueValue& truth, const std::string& sWhat) {
  EXPECT_TRUE(isWithin(cActual, truth))
      << sWhat << ": " << text(cActual) << ", true value " << text(rounded(truth.cValue)) << ", "
      << ulpDistance(cActual, truth.cValue) << " ULP, bound " << truth.dBound;
}

// Every result of one path within its bound.
void expectAllWithin(const std::vector<ClComplex>& acResult, const std::vector<TrueValue>& aTrue,
                     const std::vector<ClComplex>& acZ, const std::string& sWhat) {
  for (size_t k = 0; k < acZ.size(); ++k)
    if (!isWithin(acResult[k], aTrue[k])) expectWithin(acResult[k], aTrue[k], sWhat + text(acZ[k]));
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
        const ClComplex cScalar = scalarResult(f.pScalar, acZ[k]);
        if (isSpecialArgument(acZ[k])) {
          expectBits(acOut[k], cScalar, sWhat);
          continue;
        }
        const TrueValue truth = trueValue(f, acZ[k]);
        expectWithin(acOut[k], truth, sWhat);
        expectWithin(cScalar, truth, sWhat + " scalar");
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
      if (isSpecialArgument(cArgument)) {
        // the result as shown: Zero Out cleans it
        ClMatrix mExpected = ClMatrix::Constant(1, 1, scalarResult(f.pScalar, cArgument));
        if (g_bZero_Out) ClCalculator::cleanMatrix(mExpected);
        expectBits(run.mResult(0, 0), mExpected(0, 0), sWhat);
        continue;
      }
      // Zero Out clears no part of a single value above 1E-36 of it
      expectWithin(run.mResult(0, 0), trueValue(f, cArgument), sWhat);
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

// The scalar path once, the vector path on every unit, against the true
// values; how many arguments each unit took on the vector path.
std::vector<long> expectBothPathsWithin(const FunctionCase& f, const std::vector<ClComplex>& acZ) {
  std::vector<TrueValue> aTrue;
  std::vector<ClComplex> acOut;
  for (ClComplex cZ : acZ) {
    aTrue.push_back(trueValue(f, cZ));
    acOut.push_back(scalarResult(f.pScalar, cZ));
  }
  expectAllWithin(acOut, aTrue, acZ, std::string(f.acName) + " scalar ");
  std::vector<long> alVector;
  for (eVECTOR_UNIT eUnit : units()) {
    useVectorUnit(eUnit);
    const ClVectorOutcome outcome = vectorFunction(f.eFunction, f.pScalar, acZ.data(), acOut.data(),
                                                   static_cast<long>(acZ.size()), -1.0);
    expectAllWithin(acOut, aTrue, acZ, std::string(f.acName) + " unit " + std::to_string(eUnit));
    alVector.push_back(static_cast<long>(acZ.size()) - outcome.m_lScalar);
  }
  return alVector;
}

TEST_F(VectorMath, RandomArgumentsAreWithinTheBound) {
  // parts from 1e-8 to 1e8 (most beyond 700 go scalar for exp), and the
  // values near 1 where cancellation would show
  struct Range {
    double dLow, dHigh;
  };
  const Range aRanges[] = {{-8.0, 8.0}, {-3.0, 0.5}, {-0.3, 0.3}};
  std::vector<ClComplex> acZ;
  for (const Range& range : aRanges) {
    const std::vector<ClComplex> acRange = randomArguments(range.dLow, range.dHigh, 17);
    acZ.insert(acZ.end(), acRange.begin(), acRange.end());
  }
  for (const FunctionCase& f : gc_aFUNCTIONS) {
    // most arguments of the narrower ranges are plain
    for (long lVector : expectBothPathsWithin(f, acZ)) EXPECT_GT(lVector, 20000) << f.acName;
  }
}

TEST_F(VectorMath, LogNearTheUnitCircleIsWithinTheBound) {
  // |z| = 1 + d, d from 1e-16 to 1e-2: log |z| is tiny beside a large arg z,
  // or both parts are tiny near z = 1
  std::mt19937 generator(5);
  std::uniform_real_distribution<double> angle(-0.01, 3.2), exponent(-16.0, -2.0);
  std::vector<ClComplex> acZ(20000);
  for (ClComplex& cZ : acZ) {
    const double dR = 1.0 + (generator() % 2 ? -1.0 : 1.0) * std::pow(10.0, exponent(generator));
    cZ = std::polar(dR, angle(generator) * (generator() % 2 ? 1.0 : 1e-6));
  }
  for (long lVector : expectBothPathsWithin(gc_aFUNCTIONS[2], acZ)) EXPECT_EQ(lVector, 20000);
}

TEST_F(VectorMath, PowerWithScalarExponentIsWithinTheBound) {
  const ClComplex acExponent[] = {0.5, -1.5, 3.0, ClComplex(0.3, 0.7), ClComplex(0.0, -1.0), 1e-3};
  const std::vector<ClComplex> acZ = randomArguments(-2.0, 2.0, 23);
  std::vector<long> alVector(units().size());
  for (ClComplex cE : acExponent) {
    const std::string sWhat = " ^ " + text(cE) + " ";
    std::vector<TrueValue> aTrue;
    std::vector<ClComplex> acOut;
    for (ClComplex cZ : acZ) {
      aTrue.push_back(truePower(cZ, cE));
      acOut.push_back(principalPower(cZ, cE));
    }
    expectAllWithin(acOut, aTrue, acZ, "scalar" + sWhat);
    for (eVECTOR_UNIT eUnit : units()) {
      useVectorUnit(eUnit);
      const ClVectorOutcome outcome =
          vectorPower(cE, acZ.data(), acOut.data(), static_cast<long>(acZ.size()));
      alVector[eUnit] += static_cast<long>(acZ.size()) - outcome.m_lScalar;
      expectAllWithin(acOut, aTrue, acZ, "unit " + std::to_string(eUnit) + sWhat);
    }
  }
  for (long lVector : alVector) EXPECT_GT(lVector, 20000);
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
      // the result as shown: Zero Out cleans a finite one; the parts it
      // clears among the plain entries here are rounding noise around a true
      // zero, as close to the true value as the noise
      if (g_bZero_Out && isNumber(mExpected)) ClCalculator::cleanMatrix(mExpected);
      for (Eigen::Index k = 0; k < mA.size(); ++k) {
        const std::string sWhat =
            std::string(acBase) + ", " + c.acLine + " entry " + std::to_string(k);
        if (isSpecialArgument(mA(k)))
          expectBits(run.mResult(k), mExpected(k), sWhat);
        else
          expectWithin(run.mResult(k), truePower(mA(k), c.cExponent), sWhat);
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
