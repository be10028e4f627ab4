// SPDX-License-Identifier: GPL-3.0-or-later
// Parser and evaluator from the statement down to the prefix level: one
// recursive-descent pass that evaluates as it reads. Operands proper are in
// operands.cpp, what each prefix operator computes in functions.cpp.
#include "engine/parser.h"

#include <cfloat>
#include <cmath>

#include "engine/calculator.h"
#include "engine/decompositions.h"
#include "engine/display.h"
#include "engine/steps_kept.h"
#include "engine/vector_math.h"

namespace {

constexpr double gc_dSOLVE_ZERO = 1e-36;

inline bool isScalar(const ClMatrix& mM) {
  return mM.rows() == 1 && mM.cols() == 1;
}
inline bool sameSize(const ClMatrix& mL, const ClMatrix& mR) {
  return mL.rows() == mR.rows() && mL.cols() == mR.cols();
}
inline bool fitsLimit(Eigen::Index lRows, Eigen::Index lCols) {
  return static_cast<double>(lRows) * static_cast<double>(lCols) <=
         static_cast<double>(gc_lMAX_ENTRIES);
}

// Divides every entry by s without forming |s|^2, which overflows or
// underflows for large or tiny s (scaled complex division).
void divideByScalar(ClMatrix& mM, ClComplex cS) {
  const double dA = cS.real(), dB = cS.imag();
  const bool bRealLarger = std::fabs(dA) >= std::fabs(dB);
  const double dRatio = bRealLarger ? dB / dA : dA / dB;
  const double dDenominator = bRealLarger ? dA + dB * dRatio : dA * dRatio + dB;
  ClComplex* pcZ = mM.data();
  for (Eigen::Index k = 0; k < mM.size(); ++k) {
    const double dX = pcZ[k].real(), dY = pcZ[k].imag();
    pcZ[k] = bRealLarger
                 ? ClComplex((dX + dY * dRatio) / dDenominator, (dY - dX * dRatio) / dDenominator)
                 : ClComplex((dX * dRatio + dY) / dDenominator, (dY * dRatio - dX) / dDenominator);
  }
}

// M becomes its inverse by LU with partial pivoting; a non-finite entry of the
// inverse means singular.
bool invert(ClMatrix& mM) {
  // LAPACK refuses a NaN entry and leaves its pivots unset: an abort or garbage
  if (!isNumber(mM)) {
    setError(eERROR_INVALID_NUMBERS);
    return false;
  }
  if (invertInPlace(mM)) return true;
  setError(eERROR_SINGULAR);
  return false;
}

// Sum or difference with a 1 x 1 side expanded to the other's size, into
// the result, which may be L itself.
bool combineSum(const ClMatrix& mLeft, const ClMatrix& mRight, bool bMinus, ClMatrix& mResult) {
  if (mRight.rows() == 0) return false;
  const double dSign = bMinus ? -1.0 : 1.0;
  const bool bInPlace = &mResult == &mLeft;
  if (isScalar(mLeft)) {
    const ClComplex cL = mLeft(0, 0);
    mResult = (dSign * mRight.array() + cL).matrix();
  } else if (isScalar(mRight)) {
    if (bInPlace)
      mResult.array() += dSign * mRight(0, 0);
    else
      mResult = (mLeft.array() + dSign * mRight(0, 0)).matrix();
  } else if (!sameSize(mLeft, mRight)) {
    return false;
  } else if (bInPlace) {
    if (bMinus)
      mResult -= mRight;
    else
      mResult += mRight;
  } else if (bMinus) {
    mResult = mLeft - mRight;
  } else {
    mResult = mLeft + mRight;
  }
  return true;
}

// L R into the result, which may be L itself.
bool multiply(const ClMatrix& mL, const ClMatrix& mR, ClMatrix& mResult) {
  if (mR.rows() == 0) {
    setError(eERROR_EXPRESSION);
    return false;
  }
  if (isScalar(mL)) {
    const ClComplex cL = mL(0, 0);
    mResult = cL * mR;
  } else if (isScalar(mR)) {
    if (&mResult == &mL)
      mResult *= mR(0, 0);
    else
      mResult = mL * mR(0, 0);
  } else if (mL.cols() != mR.rows()) {
    setError(eERROR_SIZE_MISMATCH);
    return false;
  } else if (!fitsLimit(mL.rows(), mR.cols())) {
    setError(eERROR_MATRIX_SIZE);  // refused before the product is allocated
    return false;
  } else {
    ClMatrix mProduct(mL.rows(), mR.cols());
    mProduct.noalias() = mL * mR;
    mResult.swap(mProduct);
  }
  return true;
}

bool rightDivide(ClMatrix& mL, ClMatrix mR) {
  if (mR.rows() == 0) {
    setError(eERROR_EXPRESSION);
    return false;
  }
  if (mR.rows() != mR.cols()) {
    setError(eERROR_NON_SQUARE);
    return false;
  }
  if (isScalar(mR)) {
    divideByScalar(mL, mR(0, 0));
    return true;
  }
  if (mR.rows() != mL.cols()) {
    setError(eERROR_SIZE_MISMATCH);
    return false;
  }
  if (!invert(mR)) return false;
  return multiply(mL, mR, mL);
}

// Left division: the square left side is tested before the right is read.
bool leftDivide(ClMatrix& mL) {
  if (mL.rows() != mL.cols()) {
    setError(eERROR_NON_SQUARE);
    return false;
  }
  ClMatrix mR = ClCalculator::binary();
  if (mR.rows() == 0) {
    setError(eERROR_EXPRESSION);
    return false;
  }
  if (isScalar(mL)) {
    const ClComplex cS = mL(0, 0);
    divideByScalar(mR, cS);
    mL = std::move(mR);
    return true;
  }
  if (mR.rows() != mL.rows()) {
    setError(eERROR_SIZE_MISMATCH);
    return false;
  }
  keepStepsOperand(eSTEPS_SOLVE, mL, &mR);
  const eERROR eError = leftDivision(mL, mR);
  setError(eError);
  return eError == eERROR_NONE;
}

// Entry by entry with the C++ library's complex operators: the vectorised
// division forms |r|^2 and so fails on 1E200 ./ 1E200 or 1 ./ 1E-200. The
// result may be L itself.
bool elementwise(const ClMatrix& mL, const ClMatrix& mR, eTOKEN eOperator, ClMatrix& mResult) {
  if (!sameSize(mL, mR)) {
    setError(eERROR_SIZE_MISMATCH);
    return false;
  }
  if (&mResult != &mL) mResult.resize(mL.rows(), mL.cols());
  const ClComplex* pcL = mL.data();
  const ClComplex* pcR = mR.data();
  ClComplex* pcOut = mResult.data();
  for (Eigen::Index k = 0; k < mL.size(); ++k) {
    if (eOperator == eEL_TIMES)
      pcOut[k] = pcL[k] * pcR[k];
    else if (eOperator == eEL_RIGHT_DIV)
      pcOut[k] = pcL[k] / pcR[k];
    else
      pcOut[k] = pcR[k] / pcL[k];
  }
  return true;
}

// The textbook complex product, as Eigen's vectorised scalar-times-matrix
// computes it; the library operator would rescue infinities in some entries.
inline ClComplex plainProduct(ClComplex cA, ClComplex cB) {
  return {cA.real() * cB.real() - cA.imag() * cB.imag(),
          cA.real() * cB.imag() + cA.imag() * cB.real()};
}

bool tensor(ClMatrix& mL, const ClMatrix& mR) {
  if (mR.rows() == 0 || !fitsLimit(mL.rows() * mL.cols(), mR.rows() * mR.cols())) {
    setError(eERROR_EXPRESSION);
    return false;
  }
  ClMatrix mResult(mL.rows() * mR.rows(), mL.cols() * mR.cols());
  // Each column of the result is written once, in storage order: column
  // (j, l) holds L(i, j) R(k, l) at row i * R-rows + k.
  ClComplex* pcOut = mResult.data();
  for (Eigen::Index j = 0; j < mL.cols(); ++j) {
    const ClComplex* pcL = &mL.coeffRef(0, j);
    for (Eigen::Index l = 0; l < mR.cols(); ++l) {
      const ClComplex* pcR = &mR.coeffRef(0, l);
      if (mR.rows() == 1) {
        for (Eigen::Index i = 0; i < mL.rows(); ++i) *pcOut++ = plainProduct(pcL[i], pcR[0]);
        continue;
      }
      for (Eigen::Index i = 0; i < mL.rows(); ++i)
        for (Eigen::Index k = 0; k < mR.rows(); ++k) *pcOut++ = plainProduct(pcL[i], pcR[k]);
    }
  }
  mL.swap(mResult);
  return true;
}

bool power(ClMatrix& mBase, ClMatrix& mExponent) {
  const bool bScalar = isScalar(mExponent);
  if (!bScalar && !sameSize(mBase, mExponent)) {
    setError(eERROR_EXPRESSION);
    return false;
  }
  ClCalculator::cleanMatrix(mBase);
  ClCalculator::cleanMatrix(mExponent);
  if (bScalar) {
    const ClComplex cE = unsignZero(mExponent(0, 0));
    if (cE != ClComplex(2.0, 0.0) && cE != ClComplex(0.0, 0.0)) {
      vectorPower(cE, mBase.data(), mBase.data(), mBase.size());
      return true;
    }
  }
  for (Eigen::Index j = 0; j < mBase.cols(); ++j)
    for (Eigen::Index i = 0; i < mBase.rows(); ++i)
      mBase(i, j) = principalPower(mBase(i, j), bScalar ? mExponent(0, 0) : mExponent(i, j));
  return true;
}

// Least squares with minimum norm through the singular value decomposition.
bool solve(ClMatrix& mM, const ClMatrix& mB) {
  if (mB.rows() == 0 || mB.rows() != mM.rows()) {
    setError(eERROR_EXPRESSION);
    return false;
  }
  if (!fitsLimit(mM.cols(), mB.cols())) {
    setError(eERROR_MATRIX_SIZE);  // refused before the solution is allocated
    return false;
  }
  // LAPACK refuses a NaN entry and leaves the singular values unset
  if (!isNumber(mM) || !isNumber(mB)) {
    setError(eERROR_INVALID_NUMBERS);
    return false;
  }
  const Eigen::Index lCols = mM.cols();
  const double dTolerance =
      mM.stableNorm() * 1e-16 * static_cast<double>(std::max(mM.rows(), lCols));
  ClSvd svd;
  if (!decomposeSvd(mM, false, svd)) {
    setError(eERROR_OPERATOR_CALCULATION);
    return false;
  }
  const Eigen::VectorXd& vdSigma = svd.m_vdSigma;
  if (vdSigma.size() == 0 || vdSigma(0) <= gc_dSOLVE_ZERO) {
    // every solution fits a zero M; the one of minimum norm is zero
    mM = ClMatrix::Zero(lCols, mB.cols());
    return true;
  }
  Eigen::VectorXcd vcInverse(vdSigma.size());
  for (Eigen::Index k = 0; k < vdSigma.size(); ++k)
    vcInverse(k) = vdSigma(k) > dTolerance ? 1.0 / vdSigma(k) : 0.0;
  // V S+ U* B, from the right: thin factors, no square temporary
  ClMatrix mProjected(svd.m_mU.cols(), mB.cols());
  mProjected.noalias() = svd.m_mU.adjoint() * mB;
  mProjected.array().colwise() *= vcInverse.array();
  mM.resize(lCols, mB.cols());
  mM.noalias() = svd.m_mVt.adjoint() * mProjected;
  return true;
}

// After a name, these make the operand more than the name's value.
bool continuesOperand(eTOKEN eToken) {
  return eToken == eLPAREN || eToken == ePOWER || eToken == eSOLVE;
}

bool isTermOperator(eTOKEN eToken) {
  return eToken == eTIMES || eToken == eRIGHT_DIV || eToken == eLEFT_DIV || eToken == eEL_TIMES ||
         eToken == eEL_RIGHT_DIV || eToken == eEL_LEFT_DIV || eToken == eTENSOR;
}

// A name uiAhead tokens on that forms the whole operand (bWholeTerm: the
// whole term) on its own.
bool bareNameAt(uint16_t uiAhead, bool bWholeTerm) {
  if (!isNamedValue(ClCalculator::peekToken(uiAhead))) return false;
  const eTOKEN eNext = ClCalculator::peekToken(uiAhead + 1);
  return !continuesOperand(eNext) && !(bWholeTerm && isTermOperator(eNext));
}

// The value of a bare name at the cursor, to be read in place rather than
// copied; the cursor moves past it. An undefined or non-finite value is left
// to the usual path, which reports it (nullptr, cursor unmoved).
const ClMatrix* readName(bool bWholeTerm) {
  if (!bareNameAt(0, bWholeTerm)) return nullptr;
  const ClMatrix* pmValue = lg_aToken_Stream[lg_uiNext_Token].m_pmMatrix;
  if (pmValue->rows() == 0 || !isNumber(*pmValue)) return nullptr;
  ClCalculator::nextToken();
  return pmValue;
}

// The right operand of a term operator (or of a sum operator: bSum): a
// name's value in place, else the operand evaluated into mHolder.
const ClMatrix& rightOperand(bool bSum, ClMatrix& mHolder) {
  if (const ClMatrix* pmValue = readName(bSum)) return *pmValue;
  mHolder = bSum ? ClCalculator::term() : ClCalculator::binary();
  return mHolder;
}

// "name op name" at the cursor, op a sum operator (bSum) or a product or
// elementwise one, both names bare: the result computed from the two values
// in place. Nothing else is evaluated between reading the left value and
// using it, so no function can rewrite it in between (Evals writes U). False,
// with the cursor unmoved, when the line does not start so.
bool namesCombined(bool bSum, ClMatrix& mResult) {
  const eTOKEN eOperator = ClCalculator::peekToken(1);
  const bool bOperator = bSum ? eOperator == ePLUS || eOperator == eMINUS
                              : eOperator == eTIMES || eOperator == eEL_TIMES ||
                                    eOperator == eEL_RIGHT_DIV || eOperator == eEL_LEFT_DIV;
  if (!bOperator || !bareNameAt(0, bSum) || !bareNameAt(2, bSum)) return false;
  const uint16_t uiStart = lg_uiNext_Token;
  const ClMatrix* pmLeft = readName(bSum);
  if (pmLeft == nullptr) return false;
  ClCalculator::nextToken();
  const ClMatrix* pmRight = readName(bSum);
  if (pmRight == nullptr) {
    lg_uiNext_Token = uiStart;
    return false;
  }
  bool bOk = false;
  if (bSum) {
    bOk = combineSum(*pmLeft, *pmRight, eOperator == eMINUS, mResult);
    if (!bOk) setError(eERROR_SIZE_MISMATCH);
  } else if (eOperator == eTIMES) {
    bOk = multiply(*pmLeft, *pmRight, mResult);
  } else {
    bOk = elementwise(*pmLeft, *pmRight, eOperator, mResult);
  }
  if (!bOk) mResult.resize(0, 0);
  return true;
}

bool isVariableAt(uint16_t uiIndex) {
  return isVariableToken(lg_aToken_Stream[uiIndex].m_eToken);
}

// The stored value of an indexed assignment: the reference's entries of the
// named variable receive v; the variable never grows.
bool storeIndexed(const Clmatrixref& ref, const ClMatrix& mV, ClMatrix& mVariable) {
  const Eigen::Index lRows = ref.m_mRow_Indices.cols(), lCols = ref.m_mColumn_Indices.cols();
  if (mV.rows() != lRows || mV.cols() != lCols) return false;
  const double dMaxRow = ref.m_mRow_Indices.real().maxCoeff();
  const double dMaxCol = ref.m_mColumn_Indices.real().maxCoeff();
  if (dMaxRow > static_cast<double>(mVariable.rows()) ||
      dMaxCol > static_cast<double>(mVariable.cols()))
    return false;
  for (Eigen::Index j = 0; j < lCols; ++j) {
    const auto lCol = static_cast<Eigen::Index>(ref.m_mColumn_Indices(0, j).real()) - 1;
    for (Eigen::Index i = 0; i < lRows; ++i) {
      const auto lRow = static_cast<Eigen::Index>(ref.m_mRow_Indices(0, i).real()) - 1;
      mVariable(lRow, lCol) = mV(i, j);
    }
  }
  return true;
}

// A value left behind by a failure (a failed reference before a "-") is not
// the one asked for and must not replace the variable; a value that is merely
// not finite (eERROR_INVALID_NUMBERS) is what was computed, and is stored.
bool storable(const ClMatrix& mValue) {
  return mValue.rows() > 0 &&
         (g_uiError_Number == eERROR_NONE || g_uiError_Number == eERROR_INVALID_NUMBERS);
}

ClMatrix assignPlain() {
  lg_uiNext_Token = 2;
  ClMatrix mValue = ClCalculator::expression();
  if (storable(mValue)) ClCalculator::mp_mVariable[lg_aToken_Stream[0].m_eToken] = mValue;
  return mValue;
}

ClMatrix assignIndexed() {
  lg_uiNext_Token = 0;
  const Clmatrixref ref = ClCalculator::matrixref();
  if (ref.m_mValue.rows() == 0) return ClMatrix();
  const bool bAssign = ClCalculator::peekToken() == eASSIGN;
  ClCalculator::nextToken();
  if (!bAssign) return ClMatrix();
  const ClMatrix mValue = ClCalculator::expression();
  ClMatrix& mVariable = ClCalculator::mp_mVariable[lg_aToken_Stream[0].m_eToken];
  if (!storable(mValue) || !storeIndexed(ref, mValue, mVariable)) return ClMatrix();
  return mVariable;
}

}  // namespace

eERROR leftDivision(ClMatrix& mA, const ClMatrix& mB) {
  // LAPACK refuses a NaN entry and leaves its pivots unset
  if (!isNumber(mA)) return eERROR_INVALID_NUMBERS;
  if (!invertInPlace(mA)) return eERROR_SINGULAR;
  ClMatrix mProduct(mA.rows(), mB.cols());
  mProduct.noalias() = mA * mB;
  mA.swap(mProduct);
  return eERROR_NONE;
}

eTOKEN ClCalculator::peekToken(uint16_t uiAhead) {
  const unsigned uiIndex = static_cast<unsigned>(lg_uiNext_Token) + uiAhead;
  return uiIndex < lg_uiToken_Stream_Length ? lg_aToken_Stream[uiIndex].m_eToken : eNULL;
}

void ClCalculator::nextToken() {
  if (lg_uiNext_Token < lg_uiToken_Stream_Length) ++lg_uiNext_Token;
}

bool ClCalculator::tParser() {
  g_bRepeat = false;
  lg_uiNext_Token = 0;
  if (lg_aToken_Stream[0].m_eToken == eNULL) {
    lg_uiToken_Stream_Length = 0;
    mp_mParser_Output.resize(0, 0);
    return true;
  }
  mp_mParser_Output = statement();
  if (mp_mParser_Output.rows() == 0) {
    setError(eERROR_EXPRESSION);
    lg_uiNext_Token = 0;
  } else if (lg_uiNext_Token < lg_uiToken_Stream_Length && g_uiError_Number != eERROR_NONE) {
    // an error stopped the statement early: the value stands as it is
  } else if (mp_mParser_Output.size() > gc_lMAX_ENTRIES) {
    mp_mParser_Output.resize(0, 0);
    setError(eERROR_MATRIX_SIZE);
    lg_uiNext_Token = 0;
  }
  ClDisplayOptions display = currentDisplayOptions();
  if (g_uiError_Number == eERROR_INVALID_NUMBERS) {
    // an error's value shows every part
    display.m_bZero_Out = false;
    matrixDisplay(mp_mParser_Output, display);
    lg_uiNext_Token = 0;
    return false;
  }
  if (isNumber(mp_mParser_Output)) {
    g_acOutput_Line[0] = '\0';
    if (display.m_bZero_Out && mp_mParser_Output.rows() > 0) cleanMatrix(mp_mParser_Output);
    matrixDisplay(mp_mParser_Output, display);
    mp_mLast_Output = mp_mParser_Output;
    return g_uiError_Number == eERROR_NONE;
  }
  matrixDisplay(mp_mParser_Output, display);
  lg_uiNext_Token = 0;
  setError(eERROR_INVALID_NUMBERS);
  return false;
}

// statement: assignment | expression
ClMatrix ClCalculator::statement() {
  if (lg_uiToken_Stream_Length == 0) return expression();
  if (lg_aToken_Stream[0].m_eToken == eASSIGN) return assignment();
  bool bAssignment = false;
  for (uint16_t k = 1; k < lg_uiToken_Stream_Length && !bAssignment; ++k)
    bAssignment = lg_aToken_Stream[k].m_eToken == eASSIGN;
  if (!bAssignment) return expression();
  if (isVariableAt(0) && lg_aToken_Stream[2].m_eToken == eLBRACKET &&
      lg_aToken_Stream[3].m_eToken == eRBRACKET) {
    // assigning "[]" makes the variable undefined
    mp_mVariable[lg_aToken_Stream[0].m_eToken].resize(0, 0);
    // the line's whole effect, reported over a number error in the rest of
    // the line, which is never read
    overrideError(eERROR_EMPTY_MATRIX);
    return ClMatrix();
  }
  return assignment();
}

// assignment: variable "=" expression | variable "(" index [ "," index ] ")" "=" expression
ClMatrix ClCalculator::assignment() {
  ClMatrix mResult;
  if (isVariableAt(0))
    mResult = lg_aToken_Stream[1].m_eToken == eASSIGN ? assignPlain() : assignIndexed();
  if (mResult.rows() == 0) setError(eERROR_ASSIGNMENT);
  return mResult;
}

// expression: term { ("+" | "-") term }
ClMatrix ClCalculator::expression() {
  ClMatrix mLeft;
  if (!namesCombined(true, mLeft)) mLeft = term();
  if (mLeft.rows() == 0) return mLeft;
  if (mLeft.size() > gc_lMAX_ENTRIES) {
    setError(eERROR_MATRIX_SIZE);
    return ClMatrix();
  }
  while (peekToken() == ePLUS || peekToken() == eMINUS) {
    const bool bMinus = peekToken() == eMINUS;
    nextToken();
    ClMatrix mHolder;
    if (!combineSum(mLeft, rightOperand(true, mHolder), bMinus, mLeft)) {
      setError(eERROR_SIZE_MISMATCH);
      return ClMatrix();
    }
  }
  if (!isNumber(mLeft)) setError(eERROR_INVALID_NUMBERS);
  return mLeft;
}

// term: power { ("*" | "/" | "\" | ".*" | "./" | ".\" | "X") power }
ClMatrix ClCalculator::term() {
  ClMatrix mLeft;
  if (!namesCombined(false, mLeft)) mLeft = binary();
  if (mLeft.rows() == 0) return mLeft;
  for (;;) {
    const eTOKEN eOperator = peekToken();
    bool bOk = true;
    ClMatrix mHolder;
    switch (eOperator) {
      case eTIMES:
        nextToken();
        bOk = multiply(mLeft, rightOperand(false, mHolder), mLeft);
        break;
      case eRIGHT_DIV:
        nextToken();
        bOk = rightDivide(mLeft, binary());
        break;
      case eLEFT_DIV:
        nextToken();
        bOk = leftDivide(mLeft);
        break;
      case eEL_TIMES:
      case eEL_RIGHT_DIV:
      case eEL_LEFT_DIV:
        nextToken();
        bOk = elementwise(mLeft, rightOperand(false, mHolder), eOperator, mLeft);
        break;
      case eTENSOR:
        nextToken();
        bOk = tensor(mLeft, rightOperand(false, mHolder));
        break;
      default:
        return mLeft;
    }
    if (!bOk) return ClMatrix();
  }
}

// power: prefix { "^" operand | "Solve" power }
ClMatrix ClCalculator::binary() {
  ClMatrix mLeft = unary();
  if (mLeft.rows() == 0) return mLeft;
  while (peekToken() == ePOWER || peekToken() == eSOLVE) {
    const bool bPower = peekToken() == ePOWER;
    nextToken();
    bool bOk = false;
    if (bPower) {
      ClMatrix mExponent = operand();
      bOk = power(mLeft, mExponent);
    } else {
      bOk = solve(mLeft, binary());
    }
    if (!bOk) return ClMatrix();
  }
  return mLeft;
}

// prefix: argument-function | operand
ClMatrix ClCalculator::unary() {
  ClMatrix mValue = exceptionalUnary();
  if (mValue.rows() > 0) return mValue;
  return operand();
}

// operand: { prefix-operator } primary
ClMatrix ClCalculator::operand() {
  const uint16_t uiFirst = lg_uiNext_Token;
  // an operand that starts with Mod is the argument function, not a square
  if (peekToken() != eMOD)
    while (isPrefixLevel(peekToken())) nextToken();
  uint16_t uiEnd = lg_uiNext_Token;
  // The innermost operator reads a bare name's value in place into a fresh
  // result (the name's value is defined and finite); the others then work on
  // that result.
  const ClMatrix* pmName = uiEnd > uiFirst ? readName(false) : nullptr;
  ClMatrix mValue;
  if (pmName != nullptr && applyPrefixTo(lg_aToken_Stream[uiEnd - 1].m_eToken, *pmName, mValue)) {
    --uiEnd;
  } else if (pmName != nullptr) {
    mValue = *pmName;
  } else {
    mValue = primary();
    if (!isNumber(mValue)) {
      setError(eERROR_INVALID_NUMBERS);
      return mValue;
    }
    if (mValue.rows() == 0) {
      setError(eERROR_EMPTY_MATRIX);
      return mValue;
    }
  }
  for (uint16_t k = uiEnd; k > uiFirst && mValue.rows() > 0; --k) {
    if (mValue.size() > gc_lMAX_ENTRIES) {
      mValue.resize(0, 0);
      setError(eERROR_MATRIX_SIZE);
      break;
    }
    applyPrefix(lg_aToken_Stream[k - 1].m_eToken, mValue);
  }
  return mValue;
}
