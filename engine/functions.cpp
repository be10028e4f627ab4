// SPDX-License-Identifier: GPL-3.0-or-later
// Prefix operators (the tokens flagged eFLAG_PREFIX_LEVEL): the elementwise
// functions, row reductions and random generators they compute. The matrix
// functions and decompositions are in decompositions.cpp; the complex gamma
// function (for nCr) is here because it is a scalar function.
#include <cmath>
#include <cstdlib>

#include "engine/calculator.h"
#include "engine/decompositions.h"
#include "engine/vector_math.h"

namespace {

// Halves go toward minus infinity (2.5 -> 2, -2.5 -> -3); from 2^52 on every
// double is an integer and x - 0.5 would round.
double roundHalfDown(double dX) {
  if (std::fabs(dX) >= 4503599627370496.0) return dX;
  return std::ceil(dX - 0.5);
}

struct ClElementwise {
  eTOKEN m_eToken;
  bool m_bCleans;  // the argument is cleaned before the function is applied
  tScalarFunction m_pFunction;
  eVECTOR_FUNCTION m_eVector;  // eVECTOR_COUNT: no vector kernel
};

// The library's complex functions give the principal values without the
// overflow and cancellation of the textbook formulas (aSinh of -1E8, Tanh of
// 800); Cis is e^(iz), which does not overflow where cos z and sin z do.
const ClElementwise gc_aELEMENTWISE[] = {
    {eEXP, true, [](ClComplex cZ) { return std::exp(cZ); }, eVECTOR_EXP},
    {eCIS, true, [](ClComplex cZ) { return std::exp(ClComplex(-cZ.imag(), cZ.real())); },
     eVECTOR_CIS},
    {eLN, true, [](ClComplex cZ) { return std::log(cZ); }, eVECTOR_LN},
    {eLOG, true, [](ClComplex cZ) { return std::log(cZ) * 0.43429448190325176; }, eVECTOR_COUNT},
    {eCOS, true, [](ClComplex cZ) { return std::cos(cZ); }, eVECTOR_COUNT},
    {eACOS, true, [](ClComplex cZ) { return std::acos(cZ); }, eVECTOR_COUNT},
    {eSIN, true, [](ClComplex cZ) { return std::sin(cZ); }, eVECTOR_COUNT},
    {eASIN, true, [](ClComplex cZ) { return std::asin(cZ); }, eVECTOR_COUNT},
    {eTAN, true, [](ClComplex cZ) { return std::tan(cZ); }, eVECTOR_COUNT},
    {eATAN, true, [](ClComplex cZ) { return std::atan(cZ); }, eVECTOR_COUNT},
    {eCOSH, true, [](ClComplex cZ) { return std::cosh(cZ); }, eVECTOR_COUNT},
    {eACOSH, true, [](ClComplex cZ) { return std::acosh(cZ); }, eVECTOR_COUNT},
    {eSINH, true, [](ClComplex cZ) { return std::sinh(cZ); }, eVECTOR_COUNT},
    {eASINH, true, [](ClComplex cZ) { return std::asinh(cZ); }, eVECTOR_COUNT},
    {eTANH, true, [](ClComplex cZ) { return std::tanh(cZ); }, eVECTOR_COUNT},
    {eATANH, true, [](ClComplex cZ) { return std::atanh(cZ); }, eVECTOR_COUNT},
    {eREAL, true, [](ClComplex cZ) { return ClComplex(cZ.real()); }, eVECTOR_COUNT},
    {eIMAG, true, [](ClComplex cZ) { return ClComplex(cZ.imag()); }, eVECTOR_COUNT},
    {eSQRT, true, [](ClComplex cZ) { return std::sqrt(cZ); }, eVECTOR_SQRT},
    {eMOD, true, [](ClComplex cZ) { return cZ * cZ; }, eVECTOR_COUNT},
    {eROUND, false,
     [](ClComplex cZ) { return ClComplex(roundHalfDown(cZ.real()), roundHalfDown(cZ.imag())); },
     eVECTOR_COUNT},
    {eTRUNC, false,
     [](ClComplex cZ) { return ClComplex(std::floor(cZ.real()), std::floor(cZ.imag())); },
     eVECTOR_COUNT},
    {eMINUS, false, [](ClComplex cZ) { return -cZ; }, eVECTOR_COUNT},
    {eCONJ, false, [](ClComplex cZ) { return std::conj(cZ); }, eVECTOR_COUNT},
};

const ClElementwise* findElementwise(eTOKEN eToken) {
  for (const ClElementwise& function : gc_aELEMENTWISE) {
    if (function.m_eToken == eToken) return &function;
  }
  return nullptr;
}

// One pass from the source (the operand's own storage, or V itself) into V:
// each entry is cleaned (when the function cleans first) as it is read, then
// the function applied. A matrix with a non-finite entry is cleaned entry by
// entry beforehand.
void applyElementwise(const ClElementwise& function, const ClMatrix& mSource, ClMatrix& mV) {
  double dTolerance = -1.0;  // no part is at most -1: nothing is cleaned
  const ClMatrix* pmSource = &mSource;
  if (function.m_bCleans && !ClCalculator::finiteTolerance(mSource, dTolerance)) {
    if (pmSource != &mV) mV = mSource;
    ClCalculator::cleanMatrix(mV);
    pmSource = &mV;
    dTolerance = -1.0;
  }
  if (pmSource != &mV) mV.resize(mSource.rows(), mSource.cols());
  if (function.m_eVector != eVECTOR_COUNT) {
    vectorFunction(function.m_eVector, function.m_pFunction, pmSource->data(), mV.data(), mV.size(),
                   dTolerance);
    return;
  }
  const tScalarFunction pFunction = function.m_pFunction;
  const ClComplex* pcSource = pmSource->data();
  ClComplex* pcEntry = mV.data();
  for (Eigen::Index i = 0; i < mV.size(); ++i) {
    const double dRe = pcSource[i].real(), dIm = pcSource[i].imag();
    const ClComplex cZ(std::fabs(dRe) <= dTolerance ? 0.0 : dRe,
                       std::fabs(dIm) <= dTolerance ? 0.0 : dIm);
    pcEntry[i] = pFunction(unsignZero(cZ));
  }
  // The results lose their signed zeros in a pass of their own: done per
  // entry, the returned pair went through the stack and stalled each one.
  double* pdPart = reinterpret_cast<double*>(mV.data());
  for (Eigen::Index k = 0; k < 2 * mV.size(); ++k) pdPart[k] += 0.0;
}

ClMatrix rowReductions(eTOKEN eToken, const ClMatrix& mRows) {
  if (eToken == eSUM) return mRows.rowwise().sum();
  if (eToken == eMAX) return mRows.real().rowwise().maxCoeff().cast<ClComplex>();
  return mRows.real().rowwise().minCoeff().cast<ClComplex>();
}

// Sum, Max, Min of S into V (which may be S): a column counts as a row; one
// value per row.
void reduceRows(eTOKEN eToken, const ClMatrix& mSource, ClMatrix& mV) {
  ClMatrix mResult = mSource.cols() == 1 ? rowReductions(eToken, mSource.transpose())
                                         : rowReductions(eToken, mSource);
  mV.swap(mResult);
}

// rand() is never seeded, so every run repeats the same numbers.
double uniform() {
  return std::rand() / 2147483647.0;
}

// Row-major order, one number per non-zero part, real part first.
void randomUniform(ClMatrix& mV) {
  for (Eigen::Index r = 0; r < mV.rows(); ++r) {
    for (Eigen::Index c = 0; c < mV.cols(); ++c) {
      const ClComplex cZ = mV(r, c);
      const double dRe = cZ.real() == 0.0 ? 0.0 : uniform();
      const double dIm = cZ.imag() == 0.0 ? 0.0 : uniform();
      mV(r, c) = ClComplex(dRe, dIm);
    }
  }
}

// Box-Muller, two numbers per entry whatever its parts.
void randomNormal(ClMatrix& mV) {
  const double dTWO_PI = 6.283185307179586;
  for (Eigen::Index r = 0; r < mV.rows(); ++r) {
    for (Eigen::Index c = 0; c < mV.cols(); ++c) {
      const double dU1 = uniform();
      const double dU2 = uniform();
      const double dR = std::sqrt(-2.0 * std::log(dU1));
      const ClComplex cZ = mV(r, c);
      const double dRe = cZ.real() != 0.0 ? dR * std::cos(dTWO_PI * dU2) : 0.0;
      const double dIm = cZ.imag() != 0.0 ? dR * std::sin(dTWO_PI * dU2) : 0.0;
      mV(r, c) = ClComplex(dRe, dIm);
    }
  }
}

// Lanczos sum s and the shifted argument for Re z >= 0.5 (g = 7, nine terms).
ClComplex lanczosSum(double dD, double dY) {
  static const double adCOEFFICIENT[8] = {
      676.5203681218851,  -1259.1392167224028,  771.3234287776531,    -176.6150291621406,
      12.507343278686905, -0.13857109526572012, 9.984369578019572e-6, 1.5056327351493116e-7};
  ClComplex cS = 0.9999999999998099;
  for (int k = 1; k <= 8; ++k) cS += adCOEFFICIENT[k - 1] / ClComplex(dD + k, dY);
  return cS;
}

// Gamma for Re z >= 0.5: exact products for positive integers, Lanczos
// otherwise. A real argument above 171.6243 overflows, and the reduction (one
// multiplication per unit of Re z) is skipped beyond 172, where only a large
// imaginary part keeps the value finite.
ClComplex gammaRight(double dX, double dY) {
  const bool bInteger = std::floor(dX) == dX;
  if (dY == 0.0 && dX > 171.6243) return HUGE_VAL;
  ClComplex cA = 1.0;
  double dD = dX;
  if (dX <= 172.0) {
    while (dD > 2.0) {
      dD -= 1.0;
      cA *= ClComplex(dD, dY);
    }
  }
  dD -= 1.0;
  if (bInteger && dY == 0.0) return cA;
  const ClComplex cT(dD + 7.5, dY);
  // sqrt(2 pi) t^(d + 0.5 + iy) e^(-t) as one exponential: no overflow of
  // the power before the exponential brings it back.
  const ClComplex cPower = std::exp(ClComplex(dD + 0.5, dY) * std::log(cT) - cT);
  return 2.5066282746310002 * cPower * lanczosSum(dD, dY) * cA;
}

}  // namespace

void ClCalculator::applyPrefix(eTOKEN eToken, ClMatrix& mV) {
  if (const ClElementwise* pFunction = findElementwise(eToken)) {
    applyElementwise(*pFunction, mV, mV);
    return;
  }
  if (eToken == eSUM || eToken == eMAX || eToken == eMIN) {
    reduceRows(eToken, mV, mV);
  } else if (eToken == eRNDU) {
    randomUniform(mV);
  } else if (eToken == eRNDN) {
    randomNormal(mV);
  } else if (eToken == eTRAN) {
    mV.transposeInPlace();
  } else if (!applyMatrixFunction(eToken, mV)) {
    mV.resize(0, 0);
    setError(eERROR_EXPRESSION);
  }
}

bool ClCalculator::applyPrefixTo(eTOKEN eToken, const ClMatrix& mSource, ClMatrix& mV) {
  if (const ClElementwise* pFunction = findElementwise(eToken)) {
    applyElementwise(*pFunction, mSource, mV);
  } else if (eToken == eSUM || eToken == eMAX || eToken == eMIN) {
    reduceRows(eToken, mSource, mV);
  } else if (eToken == eTRAN) {
    mV = mSource.transpose();
  } else {
    return false;
  }
  return true;
}

// The poles are the non-positive integers of the real axis only; every other
// argument left of 0.5 goes through the reflection formula.
ClComplex ClCalculator::gamma(ClComplex cZ) {
  const double dX = cZ.real();
  const double dY = cZ.imag();
  if (std::floor(dX) == dX && dX <= 0.0 && dY == 0.0) return HUGE_VAL;
  const double dPI = 3.141592653589793;
  ClComplex cG =
      dX < 0.5 ? dPI / (std::sin(dPI * cZ) * gamma(ClComplex(1.0 - dX, -dY))) : gammaRight(dX, dY);
  if (std::fabs(cG.imag()) < 1e-7) cG.imag(0.0);
  return cG;
}
