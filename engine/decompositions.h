// SPDX-License-Identifier: GPL-3.0-or-later
// Matrix functions and decompositions behind the prefix operators (the
// prefix level reaches them through applyMatrixFunction), the inverse and
// singular value decomposition that division and Solve share with them, and
// the LU factor and reduction the Steps window replays.
#pragma once

#include <vector>

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
// Det of a finite square V: V becomes the 1 x 1 value (luDeterminant).
void determinantInPlace(ClMatrix& mV);
// Full (rows x rows U, columns x columns V) or thin factors of a finite M,
// which is destroyed; false when LAPACK does not converge.
bool decomposeSvd(ClMatrix& mM, bool bFull, ClSvd& svd);

// LU with partial pivoting in place (LAPACK's getrf, as Eigen's PartialPivLU
// runs it, without its copy and 1-norm): L below the unit diagonal, U on and
// above it; row k was swapped with row aiPivot[k] - 1 (from 1). Returns
// getrf's info: k + 1 when U(k, k) is an exact zero (the factors are still
// complete), else 0.
lapack_int factorLu(ClMatrix& mV, std::vector<lapack_int>& aiPivot);
// The sign of the row permutation of factorLu's pivots.
int permutationSign(const std::vector<lapack_int>& aiPivot);
// Det from factorLu's output: the sign times U's diagonal, or 0 for an exact
// zero pivot or a smallest pivot that is a rounding residue beside the
// largest. *pbResidue (when given) tells whether the residue made it 0.
ClComplex luDeterminant(const ClMatrix& mLu, lapack_int iInfo, int iSign,
                        bool* pbResidue = nullptr);

// Watches reducedRowEchelon pivot column by pivot column (the Steps window
// replays the reduction through it): pivotFound sees the matrix before the
// column's pivot row p is scaled and moved to row r, columnCleared sees it
// after the column is cleared.
class ClRrefObserver {
 public:
  virtual void pivotFound(Eigen::Index c, Eigen::Index p, Eigen::Index r, const ClMatrix& mV) = 0;
  virtual void columnCleared(Eigen::Index c, const ClMatrix& mV) = 0;

 protected:
  ~ClRrefObserver() = default;
};
// A column of RREF has no pivot where every candidate's modulus is at most
// this times the matrix's norm and its larger size.
constexpr double gc_dRREF_TOLERANCE = 1e-16;
// Gauss-Jordan in place with partial pivoting on the largest modulus; a
// column whose candidates all lie at or below that tolerance has no pivot.
// Evaluation passes no observer.
void reducedRowEchelon(ClMatrix& mV, ClRrefObserver* pObserver = nullptr);
// One column of it: row p divided by its pivot V(p, c) from column iFrom on
// (the entries left of iFrom are known zeros), moved to row r, and column c
// cleared in every other row. The steps' Gauss-Jordan on [A | I] and
// [A | B] runs the same step.
void pivotColumn(ClMatrix& mV, Eigen::Index c, Eigen::Index p, Eigen::Index r, Eigen::Index iFrom);
