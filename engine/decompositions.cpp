// Matrix functions and decompositions: Inv, Det, CharP, Evals, Schur, SVD,
// RREF, Roots and QR, with the characteristic polynomial and the product of
// polynomials. Elementwise operators are in functions.cpp.
#include "engine/decompositions.h"

#include <algorithm>
#include <cmath>

namespace {

// Every failure here empties the value and records one error.
void fail(ClMatrix& mV, uint16_t uiError) {
  mV.resize(0, 0);
  setError(uiError);
}

// LAPACK refuses a NaN entry and leaves its outputs unset; an infinite one only
// gives NaN. A prefix before (Exp of 1E300) or a list entry may leave either.
bool requireFinite(ClMatrix& mV) {
  if (isNumber(mV)) return true;
  fail(mV, 12);
  return false;
}

bool requireSquare(ClMatrix& mV) {
  if (mV.rows() == mV.cols()) return true;
  fail(mV, 9);
  return false;
}

// A square factor (U, V, Q, P) of order n is a value like any other and keeps
// to the entry limit: a 1 x 262144 row would otherwise ask for a 262144 x
// 262144 V.
bool factorFits(ClMatrix& mV, Eigen::Index iOrder) {
  if (iOrder * iOrder <= gc_lMAX_ENTRIES) return true;
  fail(mV, 19);
  return false;
}

void inverse(ClMatrix& mV) {
  ClMatrix mInverse = mV.inverse();
  if (!mInverse.allFinite()) {
    fail(mV, 10);
    return;
  }
  mV.swap(mInverse);
}

// A singular matrix leaves a rounding residue as its smallest LU pivot. The
// test compares pivots with each other, not the degree-n determinant with a
// norm, so scaling the matrix does not change the verdict. Only a finite
// determinant can be a residue: an infinite one must reach the caller.
void determinant(ClMatrix& mV) {
  const Eigen::PartialPivLU<ClMatrix> lu(mV);
  const Eigen::VectorXd adPivot = lu.matrixLU().diagonal().cwiseAbs();
  const double dTolerance = adPivot.maxCoeff() * 1e-16 * static_cast<double>(mV.rows());
  ClComplex cDet = lu.determinant();
  if (std::isfinite(std::abs(cDet)) && adPivot.minCoeff() <= dTolerance) cDet = 0.0;
  mV.resize(1, 1);
  mV(0, 0) = cDet;
}

void eigen(ClMatrix& mV) {
  const Eigen::ComplexEigenSolver<ClMatrix> solver(mV, true);
  ClCalculator::mp_mVariable[eVAR_U] = solver.eigenvectors();
  mV = solver.eigenvalues();
}

void schur(ClMatrix& mV) {
  const Eigen::ComplexSchur<ClMatrix> schur(mV, true);
  ClCalculator::mp_mVariable[eVAR_U] = schur.matrixU();
  mV = schur.matrixT().triangularView<Eigen::Upper>();
}

void singularValues(ClMatrix& mV) {
  const Eigen::JacobiSVD<ClMatrix, Eigen::ColPivHouseholderQRPreconditioner> svd(
      mV, Eigen::ComputeFullU | Eigen::ComputeFullV);
  ClCalculator::mp_mVariable[eVAR_U] = svd.matrixU();
  ClCalculator::mp_mVariable[eVAR_V] = svd.matrixV();
  mV = svd.singularValues().cast<ClComplex>();
}

// Gauss-Jordan with partial pivoting on the largest modulus. Each elimination
// is one rank-one update of the columns right of the pivot, which walks the
// column-major storage in order.
void reducedRowEchelon(ClMatrix& mV) {
  const Eigen::Index iRows = mV.rows();
  const Eigen::Index iCols = mV.cols();
  const double dTolerance = mV.stableNorm() * 1e-16 * static_cast<double>(std::max(iRows, iCols));
  Eigen::Index r = 0;
  for (Eigen::Index c = 0; c < iCols && r < iRows; ++c) {
    Eigen::Index p = -1;
    double dLargest = dTolerance;
    for (Eigen::Index i = r; i < iRows; ++i) {
      const double dModulus = std::abs(mV(i, c));
      if (dModulus > dLargest) {
        dLargest = dModulus;
        p = i;
      }
    }
    if (p < 0) continue;
    mV.row(p) /= ClComplex(mV(p, c));
    mV(p, c) = 1.0;  // x / x may miss 1 by an ulp in complex division
    if (p > r) mV.row(p).swap(mV.row(r));
    Eigen::VectorXcd vcFactor = mV.col(c);
    vcFactor(r) = 0.0;
    const Eigen::RowVectorXcd vcPivotRow = mV.row(r).tail(iCols - c);
    mV.rightCols(iCols - c).noalias() -= vcFactor * vcPivotRow;
    mV.col(c).setZero();
    mV(r, c) = 1.0;
    ++r;
  }
}

// Eigenvalues of the companion matrix of the row p (highest degree first).
void polynomialRoots(ClMatrix& mV) {
  if (mV.rows() != 1 || mV.cols() < 2 || mV.cols() > 512 || std::abs(mV(0, 0)) == 0.0) {
    fail(mV, 22);
    return;
  }
  ClCalculator::cleanMatrix(mV);
  // A leading coefficient negligible beside the others is cleaned to 0.
  if (std::abs(mV(0, 0)) == 0.0) {
    fail(mV, 22);
    return;
  }
  const Eigen::Index n = mV.cols() - 1;
  const ClMatrix mQ = mV * (-1.0 / mV(0, 0));
  ClMatrix mCompanion = ClMatrix::Zero(n, n);
  for (Eigen::Index i = 1; i < n; ++i) mCompanion(i, i - 1) = 1.0;
  for (Eigen::Index k = 0; k < n; ++k) mCompanion(k, n - 1) = mQ(0, n - k);
  mV = Eigen::ComplexEigenSolver<ClMatrix>(mCompanion, false).eigenvalues();
}

}  // namespace

bool applyMatrixFunction(eTOKEN eToken, ClMatrix& mV) {
  switch (eToken) {
    case eINV:
      if (requireFinite(mV) && requireSquare(mV)) inverse(mV);
      return true;
    case eDET:
      if (requireFinite(mV) && requireSquare(mV)) determinant(mV);
      return true;
    case eCHARP:
      if (requireFinite(mV) && requireSquare(mV)) mV = ClCalculator::charPoly(mV);
      return true;
    case eEVALS:
      if (requireFinite(mV) && requireSquare(mV)) eigen(mV);
      return true;
    case eSCHUR:
      if (requireFinite(mV) && requireSquare(mV)) schur(mV);
      return true;
    case eSVD:
      if (requireFinite(mV) && factorFits(mV, mV.rows()) && factorFits(mV, mV.cols()))
        singularValues(mV);
      return true;
    case eRREF:
      reducedRowEchelon(mV);
      return true;
    case eROOTS:
      if (requireFinite(mV)) polynomialRoots(mV);
      return true;
    default:
      return false;
  }
}

ClMatrix ClCalculator::charPoly(const ClMatrix& mM) {
  const Eigen::VectorXcd vcLambda = Eigen::ComplexEigenSolver<ClMatrix>(mM, false).eigenvalues();
  ClMatrix mP = ClMatrix::Ones(1, 1);
  for (Eigen::Index k = 0; k < vcLambda.size(); ++k) {
    mp_mLinear.resize(1, 2);
    mp_mLinear << 1.0, -vcLambda(k);
    mP = polyMultiply(mP, mp_mLinear);
  }
  return mP;
}

ClMatrix ClCalculator::polyMultiply(const ClMatrix& mP, const ClMatrix& mQ) {
  if (mP.rows() != 1 || mQ.rows() != 1 || mP.cols() == 0 || mQ.cols() == 0) return ClMatrix();
  if (mP.cols() + mQ.cols() > gc_lMAX_ENTRIES - 1) return ClMatrix();
  ClMatrix mProduct = ClMatrix::Zero(1, mP.cols() + mQ.cols() - 1);
  for (Eigen::Index j = 0; j < mP.cols(); ++j) {
    mProduct.middleCols(j, mQ.cols()) += mQ * mP(0, j);
  }
  return mProduct;
}

void ClCalculator::qrCompute(ClMatrix& mA, bool bPivoting) {
  if (!requireFinite(mA) || !factorFits(mA, mA.rows())) return;
  if (bPivoting && !factorFits(mA, mA.cols())) return;
  if (bPivoting) {
    const Eigen::ColPivHouseholderQR<ClMatrix> qr(mA);
    mp_mVariable[eVAR_Q] = qr.householderQ();
    mp_mVariable[eVAR_P] = qr.colsPermutation().toDenseMatrix().cast<double>().cast<ClComplex>();
    mA = qr.matrixQR().triangularView<Eigen::Upper>();
    return;
  }
  const Eigen::HouseholderQR<ClMatrix> qr(mA);
  mp_mVariable[eVAR_Q] = qr.householderQ();
  mA = qr.matrixQR().triangularView<Eigen::Upper>();
}
