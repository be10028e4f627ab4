// Matrix functions and decompositions behind the prefix operators: the
// prefix level reaches them through this one call.
#pragma once

#include "engine/calculator.h"

// Applies Inv, Det, CharP, Evals, Schur, SVD, RREF or Roots to V in place;
// on failure V is emptied and the error set. False for any other token.
bool applyMatrixFunction(eTOKEN eToken, ClMatrix& mV);
