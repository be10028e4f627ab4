// SPDX-License-Identifier: GPL-3.0-or-later
// What the SIMD kernels and their caller share: plain data only, so that the
// kernel files (each built for its own instruction set) define no inline
// function another file could pick up.
#pragma once

// The functions with a vector kernel, in the order of each unit's table.
enum eVECTOR_FUNCTION {
  eVECTOR_EXP,
  eVECTOR_CIS,
  eVECTOR_LN,
  eVECTOR_SQRT,
  eVECTOR_POWER,
  eVECTOR_COUNT
};

// One chunk of entries (parts interleaved, real first). The kernel cleans
// each part (|part| <= tolerance becomes +0), removes signed zeros, writes
// the results of the lanes inside the function's plain range (without signed
// zeros when m_bUnsign) and lists the others, with their cleaned arguments,
// for the scalar function.
struct ClVectorPass {
  const double* m_pdIn;
  double* m_pdOut;  // may be m_pdIn
  long m_lCount;
  double m_dTolerance;
  double m_dExponentRe, m_dExponentIm;  // the power's exponent
  bool m_bUnsign;                       // -0 becomes +0 in the results
  long* m_plScalar;                     // room for m_lCount indices
  double* m_pdScalarArgument;           // room for 2 m_lCount parts
  long m_lScalar;                       // out: entries listed
  bool m_bFinite;                       // out: every vector result finite
};

typedef void (*tVectorKernel)(ClVectorPass& pass);

struct ClVectorKernels {
  tVectorKernel m_apKernel[eVECTOR_COUNT];
};

extern const ClVectorKernels gc_SSE2_KERNELS;
extern const ClVectorKernels gc_AVX2_KERNELS;
extern const ClVectorKernels gc_AVX512_KERNELS;
