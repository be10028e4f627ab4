// SPDX-License-Identifier: GPL-3.0-or-later
// The elementwise kernels on AVX2 with FMA (four lanes). This file alone is
// built with -mavx2 -mfma; the engine calls it only when the processor has both.
#include <immintrin.h>
#include <sleef.h>

#include "engine/vector_kernels.h"

namespace {

struct ClAvx2 {
  typedef __m256d tVector;
  typedef __m256d tMask;  // all bits set in a true lane
  static constexpr int gc_iWIDTH = 4;

  static tVector splat(double d) { return _mm256_set1_pd(d); }
  static tVector abs(tVector v) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), v); }
  static tMask lessEqual(tVector a, tVector b) { return _mm256_cmp_pd(a, b, _CMP_LE_OQ); }
  static tMask less(tVector a, tVector b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
  static tMask equal(tVector a, tVector b) { return _mm256_cmp_pd(a, b, _CMP_EQ_OQ); }
  static tMask logicalAnd(tMask a, tMask b) { return _mm256_and_pd(a, b); }
  static tMask logicalOr(tMask a, tMask b) { return _mm256_or_pd(a, b); }
  static tVector select(tMask m, tVector a, tVector b) { return _mm256_blendv_pd(b, a, m); }
  static unsigned bits(tMask m) { return static_cast<unsigned>(_mm256_movemask_pd(m)); }
  static tVector sqrt(tVector v) { return _mm256_sqrt_pd(v); }
  static tVector productError(tVector a, tVector p) { return _mm256_fmsub_pd(a, a, p); }

  // [r0 i0 r1 i1] [r2 i2 r3 i3] <-> [r0 r1 r2 r3] [i0 i1 i2 i3]
  static void load(const double* pd, tVector& vRe, tVector& vIm) {
    const tVector vLow = _mm256_loadu_pd(pd), vHigh = _mm256_loadu_pd(pd + 4);
    vRe = _mm256_permute4x64_pd(_mm256_unpacklo_pd(vLow, vHigh), 0xD8);
    vIm = _mm256_permute4x64_pd(_mm256_unpackhi_pd(vLow, vHigh), 0xD8);
  }
  static void store(double* pd, tVector vRe, tVector vIm) {
    const tVector vR = _mm256_permute4x64_pd(vRe, 0xD8), vI = _mm256_permute4x64_pd(vIm, 0xD8);
    _mm256_storeu_pd(pd, _mm256_unpacklo_pd(vR, vI));
    _mm256_storeu_pd(pd + 4, _mm256_unpackhi_pd(vR, vI));
  }
  static void storeLanes(double* pd, tVector v) { _mm256_storeu_pd(pd, v); }

  static void sincos(tVector v, tVector& vSin, tVector& vCos) {
    const Sleef___m256d_2 both = Sleef_sincosd4_u10avx2(v);
    vSin = both.x;
    vCos = both.y;
  }
  static tVector exp(tVector v) { return Sleef_expd4_u10avx2(v); }
  static tVector log(tVector v) { return Sleef_logd4_u10avx2(v); }
  static tVector atan2(tVector y, tVector x) { return Sleef_atan2d4_u10avx2(y, x); }
  static tVector hypot(tVector x, tVector y) { return Sleef_hypotd4_u05avx2(x, y); }
};

}  // namespace

const ClVectorKernels gc_AVX2_KERNELS = kernelTable<ClAvx2>();
