// SPDX-License-Identifier: GPL-3.0-or-later
// Matrix functions and decompositions: Inv, Det, CharP, Evals, Schur, SVD,
// RREF, Roots and QR, with the characteristic polynomial and the product of
// polynomials. Elementwise operators are in functions.cpp.
#include "engine/decompositions.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "engine/steps_kept.h"

namespace {

// Every failure here empties the value and records one error.
void fail(ClMatrix& mV, eERROR eError) {
  mV.resize(0, 0);
  setError(eError);
}

// LAPACK refuses a NaN entry and leaves its outputs unset; an infinite one only
// gives NaN. A prefix before (Exp of 1E300) or a list entry may leave either.
bool requireFinite(ClMatrix& mV) {
  if (isNumber(mV)) return true;
  fail(mV, eERROR_INVALID_NUMBERS);
  return false;
}

bool requireSquare(ClMatrix& mV) {
  if (mV.rows() == mV.cols()) return true;
  fail(mV, eERROR_NON_SQUARE);
  return false;
}

// A square factor (U, V, Q, P) of order n is a value like any other and keeps
// to the entry limit: a 1 x 262144 row would otherwise ask for a 262144 x
// 262144 V.
bool factorFits(ClMatrix& mV, Eigen::Index iOrder) {
  if (iOrder * iOrder <= gc_lMAX_ENTRIES) return true;
  fail(mV, eERROR_MATRIX_SIZE);
  return false;
}

lapack_complex_double* lapackData(ClMatrix& mM) {
  return reinterpret_cast<lapack_complex_double*>(mM.data());
}

void inverse(ClMatrix& mV) {
  if (!invertInPlace(mV)) fail(mV, eERROR_SINGULAR);
}

// Eigen's ComplexEigenSolver step by step, with the same arithmetic in the
// same order, but the back-substitution reads T's rows from a transposed
// copy: walking T across its columns cost a cache miss per product.
// T = X D X^-1 with X unit upper triangular; the eigenvectors are U X.
ClMatrix unitTriangularEigenvectors(const ClMatrix& mT) {
  const Eigen::Index n = mT.rows();
  const double dNorm = std::max(mT.norm(), std::numeric_limits<double>::min());
  const ClMatrix mRows = mT.transpose();
  ClMatrix mX = ClMatrix::Zero(n, n);
  for (Eigen::Index k = n - 1; k >= 0; --k) {
    mX(k, k) = 1.0;
    const ClComplex* pcX = &mX.coeffRef(0, k);
    for (Eigen::Index i = k - 1; i >= 0; --i) {
      ClComplex cX = -mT(i, k);
      if (k - i - 1 > 0) {
        const ClComplex* pcT = &mRows.coeffRef(0, i);
        ClComplex cDot = pcT[i + 1] * pcX[i + 1];
        for (Eigen::Index j = i + 2; j < k; ++j) cDot = cDot + pcT[j] * pcX[j];
        cX -= cDot;
      }
      ClComplex cZ = mT(i, i) - mT(k, k);
      // equal eigenvalues: a small value instead of a division by zero
      if (cZ == ClComplex(0.0)) cZ.real(std::numeric_limits<double>::epsilon() * dNorm);
      mX(i, k) = cX / cZ;
    }
  }
  return mX;
}

void eigen(ClMatrix& mV) {
  const Eigen::ComplexSchur<ClMatrix> schur(mV, true);
  if (schur.info() != Eigen::Success) {
    fail(mV, eERROR_OPERATOR_CALCULATION);
    return;
  }
  Eigen::VectorXcd vcValues = schur.matrixT().diagonal();
  ClMatrix mVectors(mV.rows(), mV.cols());
  mVectors.noalias() = schur.matrixU() * unitTriangularEigenvectors(schur.matrixT());
  for (Eigen::Index k = 0; k < mVectors.cols(); ++k) mVectors.col(k).normalize();
  // increasing modulus: repeatedly the first smallest among the rest (each
  // modulus taken once, not once per pass)
  const Eigen::Index n = vcValues.size();
  Eigen::VectorXd vdModulus = vcValues.cwiseAbs();
  for (Eigen::Index i = 0; i < n; ++i) {
    Eigen::Index k;
    vdModulus.tail(n - i).minCoeff(&k);
    if (k == 0) continue;
    k += i;
    std::swap(vcValues[k], vcValues[i]);
    std::swap(vdModulus[k], vdModulus[i]);
    mVectors.col(i).swap(mVectors.col(k));
  }
  ClCalculator::mp_mVariable[eVAR_U].swap(mVectors);
  mV = vcValues;
}

void schur(ClMatrix& mV) {
  const Eigen::ComplexSchur<ClMatrix> schur(mV, true);
  ClCalculator::mp_mVariable[eVAR_U] = schur.matrixU();
  mV = schur.matrixT().triangularView<Eigen::Upper>();
}

void singularValues(ClMatrix& mV) {
  ClSvd svd;
  if (!decomposeSvd(mV, true, svd)) {
    fail(mV, eERROR_OPERATOR_CALCULATION);
    return;
  }
  ClCalculator::mp_mVariable[eVAR_U].swap(svd.m_mU);
  ClCalculator::mp_mVariable[eVAR_V] = svd.m_mVt.adjoint();
  mV = svd.m_vdSigma.cast<ClComplex>();
}

// Eigenvalues of the companion matrix of the row p (highest degree first).
void polynomialRoots(ClMatrix& mV) {
  if (mV.rows() != 1 || mV.cols() < 2 || mV.cols() > 512 || std::abs(mV(0, 0)) == 0.0) {
    fail(mV, eERROR_INVALID_POLYNOMIAL);
    return;
  }
  ClCalculator::cleanMatrix(mV);
  // A leading coefficient negligible beside the others is cleaned to 0.
  if (std::abs(mV(0, 0)) == 0.0) {
    fail(mV, eERROR_INVALID_POLYNOMIAL);
    return;
  }
  const Eigen::Index n = mV.cols() - 1;
  const ClMatrix mQ = mV * (-1.0 / mV(0, 0));
  ClMatrix mCompanion = ClMatrix::Zero(n, n);
  for (Eigen::Index i = 1; i < n; ++i) mCompanion(i, i - 1) = 1.0;
  for (Eigen::Index k = 0; k < n; ++k) mCompanion(k, n - 1) = mQ(0, n - k);
  mV = Eigen::ComplexEigenSolver<ClMatrix>(mCompanion, false).eigenvalues();
}

// The operands whose row operations the Steps window shows.
void keepForSteps(eTOKEN eToken, const ClMatrix& mV) {
  const bool bSquare = mV.rows() == mV.cols();
  if (eToken == eRREF) keepStepsOperand(eSTEPS_RREF, mV);
  if (eToken == eINV && bSquare) keepStepsOperand(eSTEPS_INV, mV);
  if (eToken == eDET && bSquare) keepStepsOperand(eSTEPS_DET, mV);
}

}  // namespace

// The _work entry point skips LAPACKE's NaN scan: every caller has refused
// non-finite entries already.
lapack_int factorLu(ClMatrix& mV, std::vector<lapack_int>& aiPivot) {
  const auto n = static_cast<lapack_int>(mV.rows());
  aiPivot.resize(static_cast<size_t>(n));
  return LAPACKE_zgetrf_work(LAPACK_COL_MAJOR, n, n, lapackData(mV), n, aiPivot.data());
}

int permutationSign(const std::vector<lapack_int>& aiPivot) {
  int iSign = 1;
  for (size_t k = 0; k < aiPivot.size(); ++k)
    if (aiPivot[k] != static_cast<lapack_int>(k) + 1) iSign = -iSign;
  return iSign;
}

// A singular matrix leaves a rounding residue as its smallest LU pivot. The
// test compares pivots with each other, not the degree-n determinant with a
// norm, so scaling the matrix does not change the verdict. Only a finite
// determinant can be a residue: an infinite one must reach the caller.
ClComplex luDeterminant(const ClMatrix& mLu, lapack_int iInfo, int iSign, bool* pbResidue) {
  if (pbResidue != nullptr) *pbResidue = false;
  // an exact zero pivot: the product would be 0 anyway
  if (iInfo != 0) return 0.0;
  const ClComplex cDet = ClComplex(iSign) * mLu.diagonal().prod();
  const Eigen::VectorXd adPivot = mLu.diagonal().cwiseAbs();
  const double dTolerance = adPivot.maxCoeff() * 1e-16 * static_cast<double>(mLu.rows());
  if (!std::isfinite(std::abs(cDet)) || adPivot.minCoeff() > dTolerance) return cDet;
  if (pbResidue != nullptr) *pbResidue = cDet != 0.0;
  return 0.0;
}

void determinantInPlace(ClMatrix& mV) {
  std::vector<lapack_int> aiPivot;
  const lapack_int iInfo = factorLu(mV, aiPivot);
  const ClComplex cDet = luDeterminant(mV, iInfo, permutationSign(aiPivot));
  mV.resize(1, 1);
  mV(0, 0) = cDet;
}

// Each elimination is one rank-one update of the columns right of the pivot,
// which walks the column-major storage in order.
void pivotColumn(ClMatrix& mV, Eigen::Index c, Eigen::Index p, Eigen::Index r, Eigen::Index iFrom) {
  const Eigen::Index iCols = mV.cols();
  mV.row(p).tail(iCols - iFrom) /= ClComplex(mV(p, c));
  mV(p, c) = 1.0;  // x / x may miss 1 by an ulp in complex division
  if (p != r) mV.row(p).swap(mV.row(r));
  Eigen::VectorXcd vcFactor = mV.col(c);
  vcFactor(r) = 0.0;
  const Eigen::RowVectorXcd vcPivotRow = mV.row(r).tail(iCols - c);
  mV.rightCols(iCols - c).noalias() -= vcFactor * vcPivotRow;
  mV.col(c).setZero();
  mV(r, c) = 1.0;
}

void reducedRowEchelon(ClMatrix& mV, ClRrefObserver* pObserver) {
  const Eigen::Index iRows = mV.rows();
  const Eigen::Index iCols = mV.cols();
  const double dTolerance =
      mV.stableNorm() * gc_dRREF_TOLERANCE * static_cast<double>(std::max(iRows, iCols));
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
    if (pObserver != nullptr) pObserver->pivotFound(c, p, r, mV);
    pivotColumn(mV, c, p, r, 0);
    if (pObserver != nullptr) pObserver->columnCleared(c, mV);
    ++r;
  }
}

bool invertInPlace(ClMatrix& mV) {
  std::vector<lapack_int> aiPivot;
  if (factorLu(mV, aiPivot) != 0) return false;
  // The identity through the LU factors: getrs is the row swaps and the two
  // triangular solves that Eigen's PartialPivLU::inverse() runs.
  const auto n = static_cast<lapack_int>(mV.rows());
  ClMatrix mInverse = ClMatrix::Identity(n, n);
  LAPACKE_zgetrs_work(LAPACK_COL_MAJOR, 'N', n, n, lapackData(mV), n, aiPivot.data(),
                      lapackData(mInverse), n);
  if (!isNumber(mInverse)) return false;
  mV.swap(mInverse);
  return true;
}

// LAPACK's divide-and-conquer driver (gesdd): the bidiagonal QR iteration of
// gesvd gives the same factors to rounding, six times slower at 512 x 512.
bool decomposeSvd(ClMatrix& mM, bool bFull, ClSvd& svd) {
  const auto m = static_cast<lapack_int>(mM.rows());
  const auto n = static_cast<lapack_int>(mM.cols());
  const lapack_int k = std::min(m, n);
  const char cJob = bFull ? 'A' : 'S';
  svd.m_vdSigma.resize(k);
  svd.m_mU.resize(m, bFull ? m : k);
  svd.m_mVt.resize(bFull ? n : k, n);
  // workspace sizes as LAPACKE computes them
  std::vector<double> adReal(
      static_cast<size_t>(k) *
      static_cast<size_t>(std::max(5 * k + 7, 2 * std::max(m, n) + 2 * k + 1)));
  std::vector<lapack_int> aiWork(8 * static_cast<size_t>(k));
  lapack_complex_double cQuery;
  auto run = [&](lapack_complex_double* pcWork, lapack_int iLength) {
    return LAPACKE_zgesdd_work(LAPACK_COL_MAJOR, cJob, m, n, lapackData(mM), m,
                               svd.m_vdSigma.data(), lapackData(svd.m_mU), m, lapackData(svd.m_mVt),
                               static_cast<lapack_int>(svd.m_mVt.rows()), pcWork, iLength,
                               adReal.data(), aiWork.data());
  };
  if (run(&cQuery, -1) != 0) return false;
  std::vector<lapack_complex_double> acWork(static_cast<size_t>(cQuery.real()));
  return run(acWork.data(), static_cast<lapack_int>(acWork.size())) == 0;
}

bool applyMatrixFunction(eTOKEN eToken, ClMatrix& mV) {
  keepForSteps(eToken, mV);
  switch (eToken) {
    case eINV:
      if (requireFinite(mV) && requireSquare(mV)) inverse(mV);
      return true;
    case eDET:
      if (requireFinite(mV) && requireSquare(mV)) determinantInPlace(mV);
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
