// SPDX-License-Identifier: GPL-3.0-or-later
// Routines of the evaluator (parser.cpp) that others call directly: the
// steps replay a kept left division through the same arithmetic, without
// the evaluator's entry point.
#pragma once

#include "engine/calculator.h"

// A\B for a square A larger than 1 x 1 and a B with as many rows: A becomes
// Inv(A) B. Returns the error instead of setting it: eERROR_INVALID_NUMBERS
// for a non-finite A, eERROR_SINGULAR, or eERROR_NONE.
eERROR leftDivision(ClMatrix& mA, const ClMatrix& mB);
