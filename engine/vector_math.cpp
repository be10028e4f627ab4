// SPDX-License-Identifier: GPL-3.0-or-later
// The unit chosen at run time, and the chunks a kernel works through with
// the scalar function for the entries it leaves.
#include "engine/vector_math.h"

#include <algorithm>
#include <cmath>

namespace {

// Entries per kernel call: the list of scalar entries stays on the stack.
constexpr long gc_lCHUNK = 2048;

eVECTOR_UNIT detectUnit() {
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512f")) return eUNIT_AVX512;
  if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")) return eUNIT_AVX2;
  return eUNIT_SSE2;
}

const eVECTOR_UNIT gc_eWIDEST = detectUnit();
eVECTOR_UNIT lg_eUnit = gc_eWIDEST;

const ClVectorKernels& kernels() {
  if (lg_eUnit == eUNIT_AVX512) return gc_AVX512_KERNELS;
  if (lg_eUnit == eUNIT_AVX2) return gc_AVX2_KERNELS;
  return gc_SSE2_KERNELS;
}

inline bool isFinite(ClComplex cZ) {
  return cZ.real() * 0.0 + cZ.imag() * 0.0 == 0.0;
}

// The kernel over every chunk; pScalar(z, e) for the entries it lists.
template <class tScalar>
ClVectorOutcome runChunks(eVECTOR_FUNCTION eFunction, const ClComplex* pcIn, ClComplex* pcOut,
                          long lCount, double dTolerance, ClComplex cExponent, tScalar scalar) {
  const bool bUnsign = eFunction != eVECTOR_POWER;
  long alScalar[gc_lCHUNK];
  double adArgument[2 * gc_lCHUNK];
  const tVectorKernel pKernel = kernels().m_apKernel[eFunction];
  ClVectorOutcome outcome{true, 0};
  for (long lFirst = 0; lFirst < lCount; lFirst += gc_lCHUNK) {
    ClVectorPass pass;
    pass.m_pdIn = reinterpret_cast<const double*>(pcIn + lFirst);
    pass.m_pdOut = reinterpret_cast<double*>(pcOut + lFirst);
    pass.m_lCount = std::min(gc_lCHUNK, lCount - lFirst);
    pass.m_dTolerance = dTolerance;
    pass.m_dExponentRe = cExponent.real();
    pass.m_dExponentIm = cExponent.imag();
    pass.m_bUnsign = bUnsign;
    pass.m_plScalar = alScalar;
    pass.m_pdScalarArgument = adArgument;
    pKernel(pass);
    outcome.m_bFinite = outcome.m_bFinite && pass.m_bFinite;
    outcome.m_lScalar += pass.m_lScalar;
    for (long k = 0; k < pass.m_lScalar; ++k) {
      const ClComplex cZ = scalar(ClComplex(adArgument[2 * k], adArgument[2 * k + 1]));
      const ClComplex cResult = bUnsign ? ClComplex(cZ.real() + 0.0, cZ.imag() + 0.0) : cZ;
      pcOut[lFirst + alScalar[k]] = cResult;
      outcome.m_bFinite = outcome.m_bFinite && isFinite(cResult);
    }
  }
  return outcome;
}

}  // namespace

eVECTOR_UNIT widestVectorUnit() {
  return gc_eWIDEST;
}

void useVectorUnit(eVECTOR_UNIT eUnit) {
  lg_eUnit = eUnit <= gc_eWIDEST ? eUnit : gc_eWIDEST;
}

ClVectorOutcome vectorFunction(eVECTOR_FUNCTION eFunction, tScalarFunction pScalar,
                               const ClComplex* pcIn, ClComplex* pcOut, long lCount,
                               double dTolerance) {
  return runChunks(eFunction, pcIn, pcOut, lCount, dTolerance, ClComplex(),
                   [pScalar](ClComplex cZ) { return pScalar(cZ); });
}

// e = 2 is a plain product, and z^0 is 1 also for z = 0, where the formula
// would multiply 0 by an infinite log.
ClComplex principalPower(ClComplex cZ, ClComplex cE) {
  cZ = ClComplex(cZ.real() + 0.0, cZ.imag() + 0.0);
  cE = ClComplex(cE.real() + 0.0, cE.imag() + 0.0);
  if (cE == ClComplex(2.0, 0.0)) return cZ * cZ;
  if (cE == ClComplex(0.0, 0.0)) return ClComplex(1.0, 0.0);
  return std::exp(cE * std::log(cZ));
}

ClVectorOutcome vectorPower(ClComplex cExponent, const ClComplex* pcIn, ClComplex* pcOut,
                            long lCount) {
  return runChunks(eVECTOR_POWER, pcIn, pcOut, lCount, -1.0, cExponent,
                   [cExponent](ClComplex cZ) { return principalPower(cZ, cExponent); });
}
