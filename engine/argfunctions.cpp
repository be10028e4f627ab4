// SPDX-License-Identifier: GPL-3.0-or-later
// Argument functions: the constructors Id, Ones and El_Op, and the functions
// with a mandatory parenthesised argument list that exceptionalUnary
// dispatches (Diag, Norm, OpNm, QR, Plot, Rpt, nCr, Mod). QR's computation
// is in decompositions.cpp; running repetitions and drawing plots are not
// done here, only the requests are handed over.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "engine/calculator.h"

namespace {

eTOKEN currentToken() {
  return lg_aToken_Stream[lg_uiNext_Token].m_eToken;
}

// Never steps past the terminator: what lies behind it is a stale stream.
void skipToken() {
  if (currentToken() != eNULL) ++lg_uiNext_Token;
}

bool acceptToken(eTOKEN eToken) {
  if (currentToken() != eToken) return false;
  skipToken();
  return true;
}

// The end of the stream, or a final ";" (consumed).
bool acceptLineEnd() {
  if (currentToken() == eNULL) return true;
  if (currentToken() != eSEMICOLON) return false;
  if (lg_aToken_Stream[lg_uiNext_Token + 1].m_eToken != eNULL) return false;
  skipToken();
  return true;
}

ClMatrix failed(eERROR eError) {
  setError(eError);
  return ClMatrix();
}

ClMatrix realScalar(double dValue) {
  return ClMatrix::Constant(1, 1, ClComplex(dValue, 0.0));
}

bool isScalar(const ClMatrix& mM) {
  return mM.rows() == 1 && mM.cols() == 1;
}

bool isInteger(double dX) {
  return std::isfinite(dX) && std::floor(dX) == dX;
}

// Integer argument: truncated toward zero. NaN, infinities and values beyond
// 32 bits are refused here so that no conversion is ever undefined.
bool integerValue(double dX, int64_t& iValue) {
  if (!std::isfinite(dX) || std::fabs(dX) >= 2147483648.0) return false;
  iValue = static_cast<int64_t>(std::trunc(dX));
  return true;
}

// The function token and its "(": false, with the error recorded, without it.
// Rpt and Plot also swallow the token that stands where "(" belongs.
bool openArguments(eERROR eError, bool bSkipNext) {
  skipToken();
  if (acceptToken(eLPAREN)) return true;
  if (bSkipNext) skipToken();
  setError(eError);
  return false;
}

// A row of n entries on the k-th super- (k > 0) or sub-diagonal (k < 0).
ClMatrix diagonalMatrix(const ClMatrix& mRow, double dK) {
  int64_t iK = 0;
  if (!integerValue(dK, iK) || std::llabs(iK) > gc_lMAX_ENTRIES) return failed(eERROR_MATRIX_SIZE);
  const int64_t iSize = mRow.cols() + std::llabs(iK);
  if (iSize * iSize > gc_lMAX_ENTRIES) return failed(eERROR_MATRIX_SIZE);
  ClMatrix mResult = ClMatrix::Zero(iSize, iSize);
  const int64_t iRowShift = iK < 0 ? -iK : 0;
  const int64_t iColShift = iK > 0 ? iK : 0;
  for (Eigen::Index j = 0; j < mRow.cols(); ++j) mResult(j + iRowShift, j + iColShift) = mRow(0, j);
  return mResult;
}

// Diag "(" expression [ "," expression ] ")"
ClMatrix diag() {
  if (!openArguments(eERROR_MISSING_PARENTHESES, false)) return ClMatrix();
  ClMatrix mM = ClCalculator::expression();
  if (mM.size() == 0) return failed(eERROR_EXPRESSION);
  if (mM.cols() == 1) mM.transposeInPlace();
  ClMatrix mResult;
  if (mM.rows() > 1) {
    mResult = mM.diagonal();
  } else if (currentToken() == eRPAREN) {
    mResult = diagonalMatrix(mM, 0.0);
  } else if (acceptToken(eCOMMA)) {
    const ClMatrix mK = ClCalculator::expression();
    mResult = isScalar(mK) ? diagonalMatrix(mM, mK(0, 0).real()) : failed(eERROR_EXPRESSION);
  } else {
    setError(eERROR_EXPRESSION);
  }
  const bool bClosed = currentToken() == eRPAREN;
  skipToken();
  if (!bClosed) return failed(eERROR_MISSING_PARENTHESES);
  return mResult;
}

// A NaN entry makes every norm NaN, wherever it stands.
double largestOf(const Eigen::ArrayXd& adValue) {
  return adValue.maxCoeff<Eigen::PropagateNaN>();
}

// (sum |m|^p)^(1/p) scaled by the largest modulus, so that neither large
// nor small entries overflow or vanish in the powers. An infinite modulus
// makes the sum infinite; scaling by it would give inf / inf = NaN.
double powerNorm(double dP, const ClMatrix& mM) {
  const double dLargest = largestOf(mM.cwiseAbs().reshaped().array());
  if (dLargest == 0.0 || std::isinf(dLargest)) return dLargest;
  double dSum = 0.0;
  for (Eigen::Index i = 0; i < mM.size(); ++i) {
    dSum += std::pow(std::abs(mM(i)) / dLargest, dP);
  }
  return dLargest * std::pow(dSum, 1.0 / dP);
}

double largestSingularValue(const ClMatrix& mM) {
  const Eigen::JacobiSVD<ClMatrix, Eigen::ColPivHouseholderQRPreconditioner> svd(mM);
  return svd.singularValues()(0);
}

// Norm|OpNm "(" expression ")" | Norm|OpNm "(" expression "," expression ")"
ClMatrix norm(eTOKEN eFunction) {
  if (!openArguments(eERROR_MISSING_PARENTHESES, false)) return ClMatrix();
  const ClMatrix mX = ClCalculator::expression();
  if (mX.size() == 0) return failed(eERROR_EXPRESSION);
  if (acceptToken(eRPAREN)) {
    if (eFunction == eNORM) return realScalar(largestOf(mX.cwiseAbs().reshaped().array()));
    return realScalar(largestOf(mX.cwiseAbs().rowwise().sum().array()));
  }
  if (!isScalar(mX) || !(mX(0, 0).real() >= 1.0) || !acceptToken(eCOMMA))
    return failed(eERROR_SCALAR_EXPRESSION);
  const double dP = mX(0, 0).real();
  const ClMatrix mM = ClCalculator::expression();
  if (mM.size() == 0) return failed(eERROR_EXPRESSION);
  double dValue = 0.0;
  if (eFunction == eNORM) {
    dValue = powerNorm(dP, mM);
  } else if (dP == 1.0) {
    dValue = largestOf(mM.cwiseAbs().colwise().sum().transpose().array());
  } else if (dP == 2.0) {
    // LAPACK refuses a NaN entry and leaves the singular values unset
    if (!isNumber(mM)) return failed(eERROR_INVALID_NUMBERS);
    dValue = largestSingularValue(mM);
  } else {
    return failed(eERROR_SCALAR_EXPRESSION);
  }
  if (!acceptToken(eRPAREN)) return failed(eERROR_MISSING_PARENTHESES);
  return realScalar(dValue);
}

// C(n, r) for integers 1 <= r <= n. Exact while it fits in 64 bits (each
// step's product is held in 128 bits, each division is exact); beyond that
// the floating value, which overflows to infinity from r = 1100 on.
double binomial(double dN, double dR) {
  const double dK = std::fmin(dR, dN - dR);  // n - r is exact when r >= n / 2
  if (dN < 18446744073709551616.0) {
    const uint64_t uiN = static_cast<uint64_t>(dN);
    const uint64_t uiK = static_cast<uint64_t>(dK);
    unsigned __int128 uiC = 1;
    bool bFits = true;
    // uiC is C(n - K + k, k), which passes 2^64 before k reaches 35.
    for (uint64_t k = 1; k <= uiK && bFits; ++k) {
      uiC = uiC * (uiN - uiK + k) / k;
      bFits = uiC <= UINT64_MAX;
    }
    if (bFits) return static_cast<double>(static_cast<uint64_t>(uiC));
  }
  if (dK > 1100.0) return HUGE_VAL;
  double dC = 1.0;
  for (double k = 1.0; k <= dK; k += 1.0) dC *= (dN - dK + k) / k;
  return dC;
}

ClMatrix gammaOfEach(ClMatrix mM) {
  for (Eigen::Index i = 0; i < mM.size(); ++i) {
    mM(i) = ClCalculator::gamma(ClComplex(mM(i).real() + 1.0, mM(i).imag()));
  }
  return mM;
}

// nCr "(" expression ")" | nCr "(" expression "," expression ")"
ClMatrix combinations() {
  if (!openArguments(eERROR_MISSING_PARENTHESES, false)) return ClMatrix();
  const ClMatrix mN = ClCalculator::expression();
  if (mN.size() == 0) return failed(eERROR_EXPRESSION);
  if (acceptToken(eRPAREN)) return gammaOfEach(mN);
  const double dN = mN(0, 0).real();
  if (!isScalar(mN) || mN(0, 0).imag() != 0.0 || !acceptToken(eCOMMA) || !isInteger(dN) ||
      dN < 1.0) {
    return failed(eERROR_SCALAR_RANGE);
  }
  const ClMatrix mR = ClCalculator::expression();
  if (mR.size() == 0) return failed(eERROR_SCALAR_EXPRESSION);
  const double dR = mR(0, 0).real();
  if (mR(0, 0).imag() != 0.0 || !isInteger(dR) || dR < 1.0 || dR > dN)
    return failed(eERROR_SCALAR_EXPRESSION);
  if (!acceptToken(eRPAREN)) return failed(eERROR_MISSING_PARENTHESES);
  return realScalar(binomial(dN, dR));
}

bool allIntegers(const ClMatrix& mM) {
  for (Eigen::Index i = 0; i < mM.size(); ++i) {
    if (mM(i).imag() != 0.0 || !isInteger(mM(i).real())) return false;
  }
  return true;
}

// Mod "(" expression "," expression ")"
ClMatrix modulo() {
  if (!openArguments(eERROR_MISSING_PARENTHESES, false)) return ClMatrix();
  ClMatrix mM = ClCalculator::expression();
  if (!allIntegers(mM)) return failed(eERROR_BAD_INTEGERS);
  if (!acceptToken(eCOMMA)) return failed(eERROR_EXPRESSION);
  const ClMatrix mN = ClCalculator::expression();
  if (!acceptToken(eRPAREN)) return failed(eERROR_MISSING_PARENTHESES);
  if (!isScalar(mN) || !isInteger(mN(0, 0).real()) || mN(0, 0).real() <= 0.0)
    return failed(eERROR_BAD_INTEGERS);
  const double dN = mN(0, 0).real();
  // fmod is exact for every pair of doubles; the result lies in [0, n).
  for (Eigen::Index i = 0; i < mM.size(); ++i) {
    double dQ = std::fmod(mM(i).real(), dN);
    if (dQ < 0.0) dQ += dN;
    mM(i) = ClComplex(dQ + 0.0, 0.0);
  }
  return mM;
}

bool isVector(const ClMatrix& mM) {
  return mM.size() > 0 && (mM.rows() == 1 || mM.cols() == 1);
}

// Plot "(" expression "," expression ")" [ ";" ] end of line
ClMatrix plot() {
  if (g_eOutput != eGRAPH_IN_FRONT && g_eOutput != eTEXT_IN_FRONT) {
    skipToken();
    return failed(eERROR_PLOT_NOT_OPEN);
  }
  if (!openArguments(eERROR_EXPRESSION, true)) return ClMatrix();
  ClMatrix mX = ClCalculator::expression();
  if (!isVector(mX) || !acceptToken(eCOMMA)) return failed(eERROR_SCALAR_RANGE);
  if (mX.cols() == 1) mX.transposeInPlace();
  ClMatrix mY = ClCalculator::expression();
  if (!isVector(mY) || mY.size() != mX.cols()) return failed(eERROR_EXPRESSION);
  if (mY.cols() == 1) mY.transposeInPlace();
  const bool bClosed = currentToken() == eRPAREN;
  skipToken();
  if (!bClosed || !acceptLineEnd()) return failed(eERROR_EXPRESSION);
  if (g_uiActive_Plots >= gc_iPLOT_SLOTS) return failed(eERROR_GRAPH_LIMIT);
  ClMatrix mPoints(2, mX.cols());
  mPoints << mX, mY;
  g_bPlot = true;
  return mPoints;
}

// The line offsets are 16-bit fields of the line: anything beyond is refused,
// never wrapped.
bool validFirst(double dM) {
  return (dM >= 1.0 && dM < static_cast<double>(g_uiHistory_Next)) || (dM < 0.0 && dM >= -32768.0);
}

bool validLast(double dN, int64_t iFirst) {
  return dN <= static_cast<double>(iFirst) && (dN >= 1.0 || (dN < 0.0 && dN >= -32768.0));
}

// The optional arguments of Rpt in order: m (first line back), n (last line
// back), c (condition), e (makes the test strict; its value is not used).
bool takeRepeatArgument(int iIndex, const ClMatrix& mArg, int64_t& iFirst, int64_t& iLast,
                        double& dCondition) {
  if (!isScalar(mArg)) return false;
  const double dValue = mArg(0, 0).real();
  switch (iIndex) {
    case 0:
      if (!validFirst(dValue)) return false;
      iFirst = static_cast<int64_t>(std::floor(dValue));
      iLast = iFirst >= 0 ? 1 : iFirst;
      return true;
    case 1:
      if (!validLast(dValue, iFirst)) return false;
      iLast = static_cast<int64_t>(std::floor(dValue));
      return true;
    case 2:
      dCondition = dValue;
      return true;
    default:
      return true;
  }
}

// Rpt "(" expression [ "," expression [ "," expression [ "," expression
//     [ "," expression ] ] ] ] ")" [ ";" ] end of line
ClMatrix repeat() {
  g_Current_State.m_uiRepeat_Count = 0;
  g_Current_State.m_iRepeat_First = 0;
  g_Current_State.m_iRepeat_Last = 0;
  g_bRepeat = false;
  if (!openArguments(eERROR_MISSING_CLOSE, true)) return ClMatrix();
  const ClMatrix mP = ClCalculator::expression();
  const bool bCountValid = isScalar(mP) && mP(0, 0).real() >= 0.0 && mP(0, 0).real() < 65536.0;
  if (!bCountValid) setError(eERROR_SCALAR_RANGE);
  int64_t iFirst = static_cast<int64_t>(g_uiHistory_Next) - 1;
  int64_t iLast = 1;
  double dCondition = 1.0;
  int iCount = 0;
  while (iCount < 4 && acceptToken(eCOMMA)) {
    const ClMatrix mArg = ClCalculator::expression();
    if (!takeRepeatArgument(iCount++, mArg, iFirst, iLast, dCondition))
      setError(eERROR_SCALAR_RANGE);
  }
  const bool bClosed = currentToken() == eRPAREN;
  skipToken();
  if (!bClosed) setError(eERROR_MISSING_CLOSE);
  if (g_uiError_Number != eERROR_NONE) return ClMatrix();
  if (!acceptLineEnd()) {
    overrideError(eERROR_EXPRESSION);  // Rpt must end its line
    return ClMatrix();
  }
  g_Current_State.m_uiRepeat_Count = static_cast<uint16_t>(std::floor(mP(0, 0).real()));
  g_Current_State.m_iRepeat_First = static_cast<int16_t>(iFirst);
  g_Current_State.m_iRepeat_Last = static_cast<int16_t>(iLast);
  g_bRepeat = iCount == 4 ? dCondition > 0.0 : dCondition >= 0.0;
  g_bFailTest = !g_bRepeat;
  return realScalar(dCondition);
}

// QR "(" expression ")" | QR "(" expression "," expression ")"
ClMatrix qr() {
  if (!openArguments(eERROR_MISSING_PARENTHESES, false)) return ClMatrix();
  ClMatrix mA = ClCalculator::expression();
  if (mA.size() == 0) return failed(eERROR_EXPRESSION);
  bool bPivoting = false;
  if (acceptToken(eCOMMA)) {
    const ClMatrix mP = ClCalculator::expression();
    if (!isScalar(mP) || (mP(0, 0).real() != 0.0 && mP(0, 0).real() != 1.0))
      return failed(eERROR_SCALAR_RANGE);
    bPivoting = mP(0, 0).real() == 1.0;
    if (!acceptToken(eRPAREN)) return failed(eERROR_MISSING_PARENTHESES);
  } else if (!acceptToken(eRPAREN)) {
    return failed(eERROR_EXPRESSION);
  }
  ClCalculator::qrCompute(mA, bPivoting);
  return mA;
}

// A single argument gives both sizes: x -> [x, x], a 1 x 2 row as it is,
// any other matrix its own size.
ClMatrix sizeArguments(const ClMatrix& mA) {
  if (!lg_bIs_Arg_List_1 || mA.size() == 0) return mA;
  if (isScalar(mA)) return ClMatrix::Constant(1, 2, mA(0, 0));
  if (mA.rows() == 1 && mA.cols() == 2) return mA;
  ClMatrix mSize(1, 2);
  mSize << static_cast<double>(mA.rows()), static_cast<double>(mA.cols());
  return mSize;
}

// Id and Ones: both sizes at least 1 (a negative size is as bad as a zero
// one) and at most 262,144 entries. The size error replaces any other.
ClMatrix filledMatrix(eTOKEN eFunction, const ClMatrix& mA) {
  int64_t iRows = 0;
  int64_t iCols = 0;
  if (!integerValue(mA(0, 0).real(), iRows) || !integerValue(mA(0, 1).real(), iCols) || iRows < 1 ||
      iCols < 1 || iRows * iCols > gc_lMAX_ENTRIES) {
    // a size no matrix can have is the one error to report
    overrideError(eERROR_MATRIX_SIZE);
    return ClMatrix();
  }
  if (mA.size() > 2) return failed(eERROR_BAD_PARAMETER_LIST);
  if (eFunction == eONES) return ClMatrix::Ones(iRows, iCols);
  return ClMatrix::Identity(iRows, iCols);
}

bool validIndex(double dX, int64_t iSize, int64_t& iIndex) {
  return integerValue(dX, iIndex) && iIndex >= 1 && iIndex <= iSize;
}

// El_Op(t, n, i, j), El_Op(1, n, i, r), El_Op(2, n, i, j, r): an elementary
// row operation applied to the n x n identity (1 <= n <= 22).
ClMatrix elementaryMatrix(const ClMatrix& mA) {
  int64_t iType = 0;
  int64_t iSize = 0;
  int64_t i = 0;
  int64_t j = 0;
  if (mA.size() != 4 && mA.size() != 5) return failed(eERROR_INVALID_COORDINATES);
  if (!integerValue(mA(0, 0).real(), iType) || !integerValue(mA(0, 1).real(), iSize) || iSize < 1 ||
      iSize * iSize > 512 || !validIndex(mA(0, 2).real(), iSize, i)) {
    return failed(eERROR_INVALID_COORDINATES);
  }
  ClMatrix mE = ClMatrix::Identity(iSize, iSize);
  if (iType == 0 && validIndex(mA(0, 3).real(), iSize, j)) {
    mE.row(i - 1).swap(mE.row(j - 1));
  } else if (iType == 1) {
    mE(i - 1, i - 1) = mA(0, 3);
  } else if (iType == 2 && mA.cols() == 5 && validIndex(mA(0, 3).real(), iSize, j)) {
    mE(i - 1, j - 1) = mA(0, 4);
  } else {
    return failed(eERROR_INVALID_COORDINATES);
  }
  return mE;
}

}  // namespace

// exceptionalUnary: Diag | Norm | OpNm | QR | Plot | Rpt | nCr | Mod, each with "(" arguments ")"
ClMatrix ClCalculator::exceptionalUnary() {
  switch (currentToken()) {
    case eDIAG:
      return diag();
    case eNORM:
      return norm(eNORM);
    case eOPNM:
      return norm(eOPNM);
    case eQR:
      return qr();
    case ePLOT:
      return plot();
    case eRPT:
      return repeat();
    case eNCR:
      return combinations();
    case eMOD:
      return modulo();
    default:
      return ClMatrix();
  }
}

// constructor: ( Id | Ones | El_Op ) rowlist
ClMatrix ClCalculator::constructor() {
  const eTOKEN eFunction = currentToken();
  if (eFunction != eID && eFunction != eONES && eFunction != eEL_OP) return ClMatrix();
  skipToken();
  const ClMatrix mA = sizeArguments(rowlist());
  if (eFunction == eEL_OP) return elementaryMatrix(mA);
  if (mA.size() < 2) return failed(eERROR_INVALID_COORDINATES);
  return filledMatrix(eFunction, mA);
}
