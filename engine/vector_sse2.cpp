// SPDX-License-Identifier: GPL-3.0-or-later
// The elementwise kernels on SSE2 (two lanes), which every x86-64 processor
// has: the fallback below AVX2.
#include <emmintrin.h>
#include <sleef.h>

#include "engine/vector_kernels.h"

namespace {

struct ClSse2 {
  typedef __m128d tVector;
  typedef __m128d tMask;  // all bits set in a true lane
  static constexpr int gc_iWIDTH = 2;

  static tVector splat(double d) { return _mm_set1_pd(d); }
  static tVector abs(tVector v) { return _mm_andnot_pd(_mm_set1_pd(-0.0), v); }
  static tMask lessEqual(tVector a, tVector b) { return _mm_cmple_pd(a, b); }
  static tMask less(tVector a, tVector b) { return _mm_cmplt_pd(a, b); }
  static tMask equal(tVector a, tVector b) { return _mm_cmpeq_pd(a, b); }
  static tMask logicalAnd(tMask a, tMask b) { return _mm_and_pd(a, b); }
  static tMask logicalOr(tMask a, tMask b) { return _mm_or_pd(a, b); }
  static tVector select(tMask m, tVector a, tVector b) {
    return _mm_or_pd(_mm_and_pd(m, a), _mm_andnot_pd(m, b));
  }
  static unsigned bits(tMask m) { return static_cast<unsigned>(_mm_movemask_pd(m)); }
  static tVector sqrt(tVector v) { return _mm_sqrt_pd(v); }
  // Without FMA: Dekker's split of a into halves whose products are exact.
  static tVector productError(tVector a, tVector p) {
    const tVector vC = _mm_set1_pd(134217729.0) * a;
    const tVector vHigh = vC - (vC - a), vLow = a - vHigh;
    return ((vHigh * vHigh - p) + _mm_set1_pd(2.0) * vHigh * vLow) + vLow * vLow;
  }

  static void load(const double* pd, tVector& vRe, tVector& vIm) {
    const tVector vFirst = _mm_loadu_pd(pd), vSecond = _mm_loadu_pd(pd + 2);
    vRe = _mm_unpacklo_pd(vFirst, vSecond);
    vIm = _mm_unpackhi_pd(vFirst, vSecond);
  }
  static void store(double* pd, tVector vRe, tVector vIm) {
    _mm_storeu_pd(pd, _mm_unpacklo_pd(vRe, vIm));
    _mm_storeu_pd(pd + 2, _mm_unpackhi_pd(vRe, vIm));
  }
  static void storeLanes(double* pd, tVector v) { _mm_storeu_pd(pd, v); }

  static void sincos(tVector v, tVector& vSin, tVector& vCos) {
    const Sleef___m128d_2 both = Sleef_sincosd2_u10sse2(v);
    vSin = both.x;
    vCos = both.y;
  }
  static tVector exp(tVector v) { return Sleef_expd2_u10sse2(v); }
  static tVector log(tVector v) { return Sleef_logd2_u10sse2(v); }
  static tVector atan2(tVector y, tVector x) { return Sleef_atan2d2_u10sse2(y, x); }
  static tVector hypot(tVector x, tVector y) { return Sleef_hypotd2_u05sse2(x, y); }
};

}  // namespace

const ClVectorKernels gc_SSE2_KERNELS = kernelTable<ClSse2>();
