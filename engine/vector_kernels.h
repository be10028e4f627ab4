// SPDX-License-Identifier: GPL-3.0-or-later
// The elementwise kernels, written once over a unit's lanes T (the SSE2, AVX2
// and AVX-512 files each include this with their own T). Each function
// computes every lane with the scalar library's formula on SLEEF's 1-ULP
// functions, and marks as plain only the lanes whose arguments keep that
// formula within 2.5 ULP of the true value, as the library's complex function
// is: no overflow or underflow inside, no special value, no branch cut. The rest go to the
// library. Only plain data and T's operations: nothing here may become an
// inline function shared with files built for another unit.
#pragma once

#include "engine/vector_pass.h"

namespace {

constexpr double gc_dTINY = 1e-280;            // smaller non-zero parts go scalar
constexpr double gc_dEXP_LIMIT = 700.0;        // exp stays finite and normal
constexpr double gc_dTRIG_LIMIT = 67108864.0;  // 2^26: sin and cos of a plain reduction
constexpr double gc_dLOG_LOW = 1e-150;         // x^2 + y^2 neither underflows
constexpr double gc_dLOG_HIGH = 1e150;         // nor overflows
constexpr double gc_dSQRT_LIMIT = 1e300;       // the library rescales beyond
// Beyond |e log z| = 1 the library's own rounding of log z is amplified by
// the exponential more than 2 ULP: no other formula can follow it there.
constexpr double gc_dPOWER_LIMIT = 1.0;

template <class T>
using tV = typename T::tVector;
template <class T>
using tM = typename T::tMask;

// |x| <= d; false for NaN.
template <class T>
tM<T> within(tV<T> vX, double dLimit) {
  return T::lessEqual(T::abs(vX), T::splat(dLimit));
}

// Zero, or at least the smallest plain magnitude.
template <class T>
tM<T> notTiny(tV<T> vX) {
  return T::logicalOr(T::equal(vX, T::splat(0.0)), T::lessEqual(T::splat(gc_dTINY), T::abs(vX)));
}

template <class T>
tM<T> bounded(tV<T> vX, double dX_Limit, tV<T> vY, double dY_Limit) {
  const tM<T> mIn = T::logicalAnd(within<T>(vX, dX_Limit), within<T>(vY, dY_Limit));
  return T::logicalAnd(mIn, T::logicalAnd(notTiny<T>(vX), notTiny<T>(vY)));
}

// e^x (cos y, sin y)
template <class T>
tM<T> expLanes(tV<T> vX, tV<T> vY, tV<T>& vRe, tV<T>& vIm) {
  tV<T> vSin, vCos;
  T::sincos(vY, vSin, vCos);
  const tV<T> vE = T::exp(vX);
  vRe = vE * vCos;
  vIm = vE * vSin;
  return bounded<T>(vX, gc_dEXP_LIMIT, vY, gc_dTRIG_LIMIT);
}

// log z = (log(x^2 + y^2) / 2, atan2(y, x)); the sum of squares is kept in
// two doubles, so log |z| near |z| = 1 loses nothing to cancellation.
template <class T>
tM<T> lnLanes(tV<T> vX, tV<T> vY, tV<T>& vRe, tV<T>& vIm) {
  const tV<T> vP1 = vX * vX, vP2 = vY * vY;
  const tV<T> vE1 = T::productError(vX, vP1), vE2 = T::productError(vY, vP2);
  const tV<T> vS = vP1 + vP2;
  const tV<T> vB = vS - vP1;
  const tV<T> vLow = ((vP1 - (vS - vB)) + (vP2 - vB)) + vE1 + vE2;
  vRe = T::splat(0.5) * (T::log(vS) + vLow / vS);
  vIm = T::atan2(vY, vX);
  const tM<T> mLarge = T::logicalOr(T::lessEqual(T::splat(gc_dLOG_LOW), T::abs(vX)),
                                    T::lessEqual(T::splat(gc_dLOG_LOW), T::abs(vY)));
  return T::logicalAnd(mLarge, bounded<T>(vX, gc_dLOG_HIGH, vY, gc_dLOG_HIGH));
}

// The library's square root: exact on the axes, and 2 Re Im = y in place of
// the cancelling d - |x|.
template <class T>
tM<T> sqrtLanes(tV<T> vX, tV<T> vY, tV<T>& vRe, tV<T>& vIm) {
  const tV<T> vZero = T::splat(0.0), vHalf = T::splat(0.5);
  const tV<T> vD = T::hypot(vX, vY);
  const tM<T> mPositive = T::less(vZero, vX);
  const tV<T> vRight = T::sqrt(vHalf * (vD + vX));  // Re when x > 0
  const tV<T> vLeft = T::sqrt(vHalf * (vD - vX));   // |Im| when x <= 0
  vRe = T::select(mPositive, vRight, T::abs(vHalf * (vY / vLeft)));
  const tV<T> vImag = T::select(mPositive, vHalf * (vY / vRight), vLeft);
  vIm = T::select(T::less(vY, vZero), -T::abs(vImag), T::abs(vImag));
  // on the axes
  const tV<T> vAxis = T::sqrt(vHalf * T::abs(vY));
  const tM<T> mImaginary = T::equal(vX, vZero);
  vRe = T::select(mImaginary, vAxis, vRe);
  vIm = T::select(mImaginary, T::select(T::less(vY, vZero), -vAxis, vAxis), vIm);
  const tV<T> vRoot = T::sqrt(T::abs(vX));
  const tM<T> mReal = T::equal(vY, vZero), mNegative = T::less(vX, vZero);
  vRe = T::select(mReal, T::select(mNegative, vZero, vRoot), vRe);
  vIm = T::select(mReal, T::select(mNegative, vRoot, vZero), vIm);
  return bounded<T>(vX, gc_dSQRT_LIMIT, vY, gc_dSQRT_LIMIT);
}

// exp(e log z) for an exponent other than 0 and 2 (the caller's cases).
template <class T>
tM<T> powerLanes(tV<T> vX, tV<T> vY, double dA, double dB, tV<T>& vRe, tV<T>& vIm) {
  tV<T> vLr, vLi;
  const tM<T> mLog = lnLanes<T>(vX, vY, vLr, vLi);
  const tV<T> vA = T::splat(dA), vB = T::splat(dB);
  const tV<T> vWr = vA * vLr - vB * vLi, vWi = vA * vLi + vB * vLr;
  expLanes<T>(vWr, vWi, vRe, vIm);
  const tM<T> mSmall =
      T::logicalAnd(within<T>(vWr, gc_dPOWER_LIMIT), within<T>(vWi, gc_dPOWER_LIMIT));
  return T::logicalAnd(mLog, mSmall);
}

template <class T, eVECTOR_FUNCTION eFunction>
tM<T> functionLanes(tV<T> vX, tV<T> vY, const ClVectorPass& pass, tV<T>& vRe, tV<T>& vIm) {
  switch (eFunction) {
    case eVECTOR_EXP:
      return expLanes<T>(vX, vY, vRe, vIm);
    case eVECTOR_CIS:  // e^(iz), z = x + iy
      return expLanes<T>(-vY, vX, vRe, vIm);
    case eVECTOR_LN:
      return lnLanes<T>(vX, vY, vRe, vIm);
    case eVECTOR_SQRT:
      return sqrtLanes<T>(vX, vY, vRe, vIm);
    default:
      return powerLanes<T>(vX, vY, pass.m_dExponentRe, pass.m_dExponentIm, vRe, vIm);
  }
}

// |part| <= t becomes 0, and -0 becomes +0 (x + 0 is +0 for both zeros).
template <class T>
tV<T> cleanPart(tV<T> vX, tV<T> vTolerance) {
  return T::select(T::lessEqual(T::abs(vX), vTolerance), T::splat(0.0), vX) + T::splat(0.0);
}

// One block of T::gc_iWIDTH entries.
template <class T, eVECTOR_FUNCTION eFunction>
void block(ClVectorPass& pass, const double* pdIn, double* pdOut, long lFirst, tV<T>& vCheck) {
  tV<T> vX, vY;
  T::load(pdIn, vX, vY);
  const tV<T> vTolerance = T::splat(pass.m_dTolerance);
  vX = cleanPart<T>(vX, vTolerance);
  vY = cleanPart<T>(vY, vTolerance);
  tV<T> vRe, vIm;
  const tM<T> mPlain = functionLanes<T, eFunction>(vX, vY, pass, vRe, vIm);
  if (pass.m_bUnsign) {
    vRe = vRe + T::splat(0.0);
    vIm = vIm + T::splat(0.0);
  }
  T::store(pdOut, vRe, vIm);
  // x * 0 is 0 for a finite x and NaN otherwise
  vCheck = vCheck + T::select(mPlain, vRe * T::splat(0.0) + vIm * T::splat(0.0), T::splat(0.0));
  const unsigned uiPlain = T::bits(mPlain);
  if (uiPlain == (1u << T::gc_iWIDTH) - 1) return;
  double adX[T::gc_iWIDTH], adY[T::gc_iWIDTH];
  T::storeLanes(adX, vX);
  T::storeLanes(adY, vY);
  for (int k = 0; k < T::gc_iWIDTH; ++k) {
    // a padding lane of the last block may have been cleaned out of the range
    if (((uiPlain >> k) & 1u) || lFirst + k >= pass.m_lCount) continue;
    pass.m_plScalar[pass.m_lScalar] = lFirst + k;
    pass.m_pdScalarArgument[2 * pass.m_lScalar] = adX[k];
    pass.m_pdScalarArgument[2 * pass.m_lScalar + 1] = adY[k];
    ++pass.m_lScalar;
  }
}

template <class T, eVECTOR_FUNCTION eFunction>
void kernel(ClVectorPass& pass) {
  constexpr int iWIDTH = T::gc_iWIDTH;
  tV<T> vCheck = T::splat(0.0);
  pass.m_lScalar = 0;
  long i = 0;
  for (; i + iWIDTH <= pass.m_lCount; i += iWIDTH)
    block<T, eFunction>(pass, pass.m_pdIn + 2 * i, pass.m_pdOut + 2 * i, i, vCheck);
  if (i < pass.m_lCount) {
    // the last entries through a full block padded with ones (plain for all)
    double adBlock[2 * iWIDTH];
    for (int k = 0; k < iWIDTH; ++k) {
      const bool bEntry = i + k < pass.m_lCount;
      adBlock[2 * k] = bEntry ? pass.m_pdIn[2 * (i + k)] : 1.0;
      adBlock[2 * k + 1] = bEntry ? pass.m_pdIn[2 * (i + k) + 1] : 0.0;
    }
    block<T, eFunction>(pass, adBlock, adBlock, i, vCheck);
    for (long k = 0; i + k < pass.m_lCount; ++k) {
      pass.m_pdOut[2 * (i + k)] = adBlock[2 * k];
      pass.m_pdOut[2 * (i + k) + 1] = adBlock[2 * k + 1];
    }
  }
  double adCheck[iWIDTH];
  T::storeLanes(adCheck, vCheck);
  double dSum = 0.0;
  for (double dLane : adCheck) dSum += dLane;
  pass.m_bFinite = dSum == 0.0;
}

template <class T>
constexpr ClVectorKernels kernelTable() {
  return {{kernel<T, eVECTOR_EXP>, kernel<T, eVECTOR_CIS>, kernel<T, eVECTOR_LN>,
           kernel<T, eVECTOR_SQRT>, kernel<T, eVECTOR_POWER>}};
}

}  // namespace
