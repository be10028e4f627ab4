// Matrix functions and decompositions behind the prefix operators (the
// prefix level reaches them through applyMatrixFunction), and the inverse
// and singular value decomposition that division and Solve share with them.
#pragma once

#include "engine/calculator.h"

// M = U S V*, with V given as V* (what LAPACK returns).
struct ClSvd {
  Eigen::VectorXd m_vdSigma;  // decreasing
  ClMatrix m_mU;
  ClMatrix m_mVt;
};

// Applies Inv, Det, CharP, Evals, Schur, SVD, RREF or Roots to V in place;
// on failure V is emptied and the error set. False for any other token.
bool applyMatrixFunction(eTOKEN eToken, ClMatrix& mV);
// Inverts a finite square V in place by LU with partial pivoting; false,
// with V destroyed, when it is singular (a non-finite entry in the inverse).
bool invertInPlace(ClMatrix& mV);
// Full (rows x rows U, columns x columns V) or thin factors of a finite M,
// which is destroyed; false when LAPACK does not converge.
bool decomposeSvd(ClMatrix& mM, bool bFull, ClSvd& svd);
