// SPDX-License-Identifier: GPL-3.0-or-later
// Elementwise complex functions over whole arrays on SIMD lanes (SLEEF's
// 1-ULP functions), on the widest unit the processor has: the arguments in
// each function's plain range on the vector path, every other entry through
// the library's scalar function, so special values keep its exact results.
#pragma once

#include "engine/state.h"
#include "engine/vector_pass.h"

enum eVECTOR_UNIT { eUNIT_SSE2, eUNIT_AVX2, eUNIT_AVX512 };

// The widest unit this processor runs.
eVECTOR_UNIT widestVectorUnit();
// The unit the functions use: the widest unless a test chose a narrower one.
void useVectorUnit(eVECTOR_UNIT eUnit);

typedef ClComplex (*tScalarFunction)(ClComplex);

struct ClVectorOutcome {
  bool m_bFinite;  // every result is finite
  long m_lScalar;  // entries the scalar function computed
};

// out[k] = f(clean(in[k])) for lCount entries, where clean sets each part at
// most dTolerance (-1: none) to +0 and drops the signs of zeros; the results
// lose their signed zeros too. pcOut may be pcIn. pScalar computes f for the
// entries outside the vector range.
ClVectorOutcome vectorFunction(eVECTOR_FUNCTION eFunction, tScalarFunction pScalar,
                               const ClComplex* pcIn, ClComplex* pcOut, long lCount,
                               double dTolerance);

// The principal power exp(e log z) of one entry, the scalar path.
ClComplex principalPower(ClComplex cZ, ClComplex cE);

// out[k] = z^e for every entry z (already clean; signs of zeros dropped),
// e neither 0 nor 2; principalPower computes the entries outside the vector
// range. The results keep their signs of zero, as principalPower leaves them.
ClVectorOutcome vectorPower(ClComplex cExponent, const ClComplex* pcIn, ClComplex* pcOut,
                            long lCount);
