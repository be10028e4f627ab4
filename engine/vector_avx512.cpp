// SPDX-License-Identifier: GPL-3.0-or-later
// The elementwise kernels on AVX-512 (eight lanes). This file alone is built
// with -mavx512f; the engine calls it only when the processor has AVX-512.
#include <immintrin.h>
#include <sleef.h>

#include "engine/vector_kernels.h"

namespace {

struct ClAvx512 {
  typedef __m512d tVector;
  typedef __mmask8 tMask;
  static constexpr int gc_iWIDTH = 8;

  static tVector splat(double d) { return _mm512_set1_pd(d); }
  static tVector abs(tVector v) { return _mm512_abs_pd(v); }
  static tMask lessEqual(tVector a, tVector b) { return _mm512_cmp_pd_mask(a, b, _CMP_LE_OQ); }
  static tMask less(tVector a, tVector b) { return _mm512_cmp_pd_mask(a, b, _CMP_LT_OQ); }
  static tMask equal(tVector a, tVector b) { return _mm512_cmp_pd_mask(a, b, _CMP_EQ_OQ); }
  static tMask logicalAnd(tMask a, tMask b) { return static_cast<tMask>(a & b); }
  static tMask logicalOr(tMask a, tMask b) { return static_cast<tMask>(a | b); }
  static tVector select(tMask m, tVector a, tVector b) { return _mm512_mask_blend_pd(m, b, a); }
  static unsigned bits(tMask m) { return m; }
  // the masked form: the plain one trips a header warning on uninitialised lanes
  static tVector sqrt(tVector v) { return _mm512_maskz_sqrt_pd(0xFF, v); }
  // a a - p exactly, for p the rounded a a
  static tVector productError(tVector a, tVector p) { return _mm512_fmsub_pd(a, a, p); }

  static void load(const double* pd, tVector& vRe, tVector& vIm) {
    const tVector vLow = _mm512_loadu_pd(pd), vHigh = _mm512_loadu_pd(pd + 8);
    vRe = _mm512_permutex2var_pd(vLow, _mm512_setr_epi64(0, 2, 4, 6, 8, 10, 12, 14), vHigh);
    vIm = _mm512_permutex2var_pd(vLow, _mm512_setr_epi64(1, 3, 5, 7, 9, 11, 13, 15), vHigh);
  }
  static void store(double* pd, tVector vRe, tVector vIm) {
    _mm512_storeu_pd(pd,
                     _mm512_permutex2var_pd(vRe, _mm512_setr_epi64(0, 8, 1, 9, 2, 10, 3, 11), vIm));
    _mm512_storeu_pd(
        pd + 8, _mm512_permutex2var_pd(vRe, _mm512_setr_epi64(4, 12, 5, 13, 6, 14, 7, 15), vIm));
  }
  static void storeLanes(double* pd, tVector v) { _mm512_storeu_pd(pd, v); }

  static void sincos(tVector v, tVector& vSin, tVector& vCos) {
    const Sleef___m512d_2 both = Sleef_sincosd8_u10avx512f(v);
    vSin = both.x;
    vCos = both.y;
  }
  static tVector exp(tVector v) { return Sleef_expd8_u10avx512f(v); }
  static tVector log(tVector v) { return Sleef_logd8_u10avx512f(v); }
  static tVector atan2(tVector y, tVector x) { return Sleef_atan2d8_u10avx512f(y, x); }
  static tVector hypot(tVector x, tVector y) { return Sleef_hypotd8_u05avx512f(x, y); }
};

}  // namespace

const ClVectorKernels gc_AVX512_KERNELS = kernelTable<ClAvx512>();
