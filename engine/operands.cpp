// SPDX-License-Identifier: GPL-3.0-or-later
// Operands proper: numbers, variables and Ans, references M(I, J), bracketed
// expressions and the lists inside [ ] and ( ): tables of scalars, blocks and
// ranges. The argument functions built on the lists are in argfunctions.cpp.
#include <cmath>
#include <vector>

#include "engine/calculator.h"

namespace {

constexpr double gc_dRANGE_ZERO = 1e-36;
constexpr double gc_dRANGE_EPS = 1e-16;
constexpr double gc_dRANGE_SHRINK = 0.9999999999999999;
constexpr int gc_iMAX_BLOCKS = 16;

inline bool isScalar(const ClMatrix& mM) {
  return mM.rows() == 1 && mM.cols() == 1;
}
inline bool fitsLimit(double dRows, double dCols) {
  return dRows * dCols <= static_cast<double>(gc_lMAX_ENTRIES);
}

// Flags a list leaves for rowlist and the argument functions; written once the
// list is done, since its elements may hold lists of their own.
struct ClListFlags {
  bool bArgList = false;
  bool bSingle = true;
};

// An element of a table of scalars as the counting pass read it: its tokens
// and its value.
struct ClElement {
  uint16_t uiStart, uiEnd;
  ClComplex cValue;
};

// Tables of scalars being evaluated inside a counting pass or inside a second
// evaluation: they evaluate their elements once. Every pass evaluated the
// tables nested in it in full again, which doubled the work with every level
// of brackets (2^depth evaluations for a line of nested tables).
int lg_iSingle_Pass_Depth = 0;

// Marks the passes whose nested tables evaluate their elements once.
struct ClSinglePass {
  ClSinglePass() { ++lg_iSingle_Pass_Depth; }
  ~ClSinglePass() { --lg_iSingle_Pass_Depth; }
};

// An element whose second evaluation gives the value of its first: no random
// operator.
bool isRepeatable(const ClElement& element) {
  for (uint16_t k = element.uiStart; k < element.uiEnd; ++k) {
    const eTOKEN eToken = lg_aToken_Stream[k].m_eToken;
    if (eToken == eRNDU || eToken == eRNDN) return false;
  }
  return true;
}

// The element the filling pass reaches at the next token: from the counting
// pass when bAll or when it is repeatable, else evaluated again.
ClMatrix elementAt(std::vector<ClElement>& aElements, size_t uiIndex, bool bAll) {
  if (uiIndex < aElements.size() && aElements[uiIndex].uiStart == lg_uiNext_Token &&
      (bAll || isRepeatable(aElements[uiIndex]))) {
    lg_uiNext_Token = aElements[uiIndex].uiEnd;
    return ClMatrix::Constant(1, 1, aElements[uiIndex].cValue);
  }
  return ClCalculator::expression();
}

ClMatrix finishList(ClMatrix mValue, const ClListFlags& flags) {
  lg_bIs_Arg_List = flags.bArgList;
  lg_bIs_Arg_List_1 = flags.bSingle;
  return mValue;
}

// An index vector becomes a row of real integers from 1 up to dBound (0: no
// bound). NaN, infinities and fractions never reach an integer conversion.
bool indexRow(ClMatrix& mIndex, double dBound) {
  if (mIndex.rows() != 1 && mIndex.cols() != 1) return false;
  if (mIndex.cols() == 1) mIndex.transposeInPlace();
  for (Eigen::Index k = 0; k < mIndex.cols(); ++k) {
    const double dX = mIndex(0, k).real();
    if (mIndex(0, k).imag() != 0.0 || !(dX >= 1.0) || dX != std::floor(dX)) return false;
    if (dBound > 0 && dX > dBound) return false;
  }
  return true;
}

bool withinBound(const ClMatrix& mIndex, double dBound) {
  return mIndex.cols() == 0 || mIndex.real().maxCoeff() <= dBound;
}

// The referenced entries, checked again against the variable as it is now
// (an index expression may have rewritten it, as Evals does with U).
bool extract(Clmatrixref& ref, const ClMatrix& mV) {
  const Eigen::Index lRows = ref.m_mRow_Indices.cols(), lCols = ref.m_mColumn_Indices.cols();
  if (!fitsLimit(static_cast<double>(lRows), static_cast<double>(lCols))) {
    setError(eERROR_MATRIX_SIZE);
    return false;
  }
  if (!withinBound(ref.m_mRow_Indices, static_cast<double>(mV.rows())) ||
      !withinBound(ref.m_mColumn_Indices, static_cast<double>(mV.cols()))) {
    setError(eERROR_INVALID_COORDINATES);
    return false;
  }
  ref.m_mValue.resize(lRows, lCols);
  for (Eigen::Index j = 0; j < lCols; ++j) {
    const auto lCol = static_cast<Eigen::Index>(ref.m_mColumn_Indices(0, j).real()) - 1;
    for (Eigen::Index i = 0; i < lRows; ++i)
      ref.m_mValue(i, j) = mV(static_cast<Eigen::Index>(ref.m_mRow_Indices(0, i).real()) - 1, lCol);
  }
  return true;
}

// The index rows of a reference, read after "name (".
bool readIndices(Clmatrixref& ref, const ClMatrix& mV) {
  const double dRows = static_cast<double>(mV.rows()), dCols = static_cast<double>(mV.cols());
  ClMatrix mI = ClCalculator::expression();
  const double dBound = mV.cols() == 1 ? dRows : (mV.rows() == 1 ? dCols : 0.0);
  bool bOk = indexRow(mI, dBound);
  if (ClCalculator::peekToken() == eCOMMA) {
    ClCalculator::nextToken();
    bOk = bOk && withinBound(mI, dRows);
    if (!bOk) setError(eERROR_INVALID_COORDINATES);
    ClMatrix mJ = ClCalculator::expression();
    bOk = bOk && indexRow(mJ, 0.0) && withinBound(mJ, dCols);
    ref.m_mRow_Indices = mI;
    ref.m_mColumn_Indices = mJ;
  } else {
    bOk = bOk && (mV.rows() == 1 || mV.cols() == 1);
    const ClMatrix mOne = ClMatrix::Ones(1, 1);
    ref.m_mRow_Indices = mV.rows() == 1 ? mOne : mI;
    ref.m_mColumn_Indices = mV.rows() == 1 ? mI : mOne;
  }
  if (!bOk) setError(eERROR_INVALID_COORDINATES);
  return bOk;
}

// range: a ":" b [ "," h ]
ClMatrix range(const ClMatrix& mA, ClListFlags& flags) {
  ClCalculator::nextToken();
  const ClMatrix mB = ClCalculator::expression();
  if (!isScalar(mB)) {
    setError(eERROR_INVALID_COORDINATES);
    return ClMatrix();
  }
  flags.bArgList = true;
  const ClComplex cA = mA(0, 0);
  const double dB = mB(0, 0).real();
  const double dD = dB - cA.real();
  if (std::fabs(dD) <= gc_dRANGE_ZERO) return ClMatrix::Constant(1, 1, ClComplex(cA.real(), 0.0));
  double dStep = 1.0;
  if (ClCalculator::peekToken() == eCOMMA) {
    ClCalculator::nextToken();
    const ClMatrix mH = ClCalculator::expression();
    const double dH = isScalar(mH) ? mH(0, 0).real() : 0.0;
    if (!(dH != 0.0 && dD * dH > 0.0 && dD / dH < static_cast<double>(gc_lMAX_ENTRIES))) {
      flags.bArgList = false;
      setError(eERROR_STEP_SIZE);
      return ClMatrix();
    }
    dStep = std::fabs(dH);
  }
  const double dSteps = std::fabs(dD) / dStep;
  // NaN counts as too many steps, so it never reaches the conversion
  const long lN = dSteps <= static_cast<double>(gc_lMAX_ENTRIES)
                      ? static_cast<long>(std::floor(dSteps + gc_dRANGE_EPS))
                      : gc_lMAX_ENTRIES;
  // b always ends the row, also when b - a is not a whole number of steps
  const long lK = std::fabs(dD) * gc_dRANGE_SHRINK <= static_cast<double>(lN) * dStep ? lN : lN + 1;
  if (lK + 1 > gc_lMAX_ENTRIES) {
    flags.bArgList = false;
    setError(eERROR_MATRIX_SIZE);
    return ClMatrix();
  }
  const double dSigned = dD > 0 ? dStep : -dStep;
  ClMatrix mRow(1, lK + 1);
  for (long k = 0; k < lK; ++k)
    mRow(0, k) = ClComplex(cA.real() + static_cast<double>(k) * dSigned, cA.imag());
  mRow(0, lK) = ClComplex(dB, 0.0);
  return mRow;
}

// One pass over a table of scalars; counts its shape and records the
// elements, or fills pmFill when given (taking every recorded element when
// bTake_All). The counting pass starts behind the first element, which list
// has read and recorded. Returns false with the error recorded.
bool scanScalars(ClMatrix* pmFill, std::vector<ClElement>& aElements, bool bTake_All, long& lRows,
                 long& lWidth, ClListFlags& flags) {
  long lRow = 0, lCol = 0;
  lWidth = -1;
  bool bRead = pmFill == nullptr;
  for (size_t uiIndex = 0;; ++uiIndex) {
    if (!bRead) {
      const uint16_t uiStart = lg_uiNext_Token;
      const ClMatrix mElement =
          pmFill != nullptr ? elementAt(aElements, uiIndex, bTake_All) : ClCalculator::expression();
      if (!isScalar(mElement)) {
        // a surplus element of a later row is left to the operand level (24)
        if (lWidth < 0 || lCol != lWidth) setError(eERROR_ASSIGNMENT);
        return false;
      }
      if (pmFill != nullptr) {
        if (lRow >= pmFill->rows() || lCol >= pmFill->cols()) {
          setError(eERROR_ASSIGNMENT);
          return false;
        }
        (*pmFill)(lRow, lCol) = mElement(0, 0);
      } else {
        aElements.push_back({uiStart, lg_uiNext_Token, mElement(0, 0)});
      }
    }
    bRead = false;
    ++lCol;
    const eTOKEN eNext = ClCalculator::peekToken();
    if (endsList(eNext)) break;
    if (eNext == eCOMMA) {
      ClCalculator::nextToken();
      flags.bSingle = false;
    } else if (eNext == eSEMICOLON) {
      ClCalculator::nextToken();
      flags.bArgList = false;
      if (lWidth < 0) lWidth = lCol;
      if (lCol != lWidth) {
        setError(eERROR_ASSIGNMENT);
        return false;
      }
      ++lRow;
      lCol = 0;
    }
  }
  if (lWidth < 0) lWidth = lCol;
  if (lCol != lWidth) {
    setError(eERROR_ASSIGNMENT);
    return false;
  }
  lRows = lRow + 1;
  return true;
}

// scalars: element { [ "," | ";" ] element }, every element 1 x 1; first is
// the first element, read from uiStart
ClMatrix scalarList(uint16_t uiStart, const ClMatrix& mFirst, ClListFlags& flags) {
  flags.bArgList = true;
  long lRows = 0, lCols = 0;
  std::vector<ClElement> aElements{{uiStart, lg_uiNext_Token, mFirst(0, 0)}};
  bool bCounted;
  {
    const ClSinglePass Counting;
    bCounted = scanScalars(nullptr, aElements, false, lRows, lCols, flags);
  }
  if (!bCounted) {
    flags.bArgList = false;
    return ClMatrix();
  }
  if (!fitsLimit(static_cast<double>(lRows), static_cast<double>(lCols))) {
    flags.bArgList = false;
    setError(eERROR_MATRIX_SIZE);
    return ClMatrix();
  }
  // The elements with a random operator are evaluated again for their
  // values (they show the values of this second pass); inside a single pass
  // every element keeps its first value.
  ClMatrix mTable(lRows, lCols);
  lg_uiNext_Token = uiStart;
  const bool bTake_All = lg_iSingle_Pass_Depth > 0;
  const ClSinglePass Filling;
  if (!scanScalars(&mTable, aElements, bTake_All, lRows, lCols, flags)) {
    flags.bArgList = false;
    return ClMatrix();
  }
  return mTable;
}

// Blocks of a list in reading order, each with its place in the result.
struct ClBlocks {
  ClMatrix amBlock[gc_iMAX_BLOCKS];
  Eigen::Index alRow[gc_iMAX_BLOCKS], alCol[gc_iMAX_BLOCKS];
  Eigen::Index alBandRows[gc_iMAX_BLOCKS], alBandCols[gc_iMAX_BLOCKS];
  int iBlocks = 0, iBands = 0;
  Eigen::Index lTop = 0;  // first row of the current band

  // A new band must be no wider than the one it ends; a block in a band has
  // the height of the band's first block.
  bool add(ClMatrix mBlock, bool bNewBand) {
    if (mBlock.rows() == 0 || iBlocks == gc_iMAX_BLOCKS) return false;
    if (bNewBand) {
      if (iBands > 0 && mBlock.cols() > alBandCols[iBands - 1]) return false;
      if (iBands > 0) lTop += alBandRows[iBands - 1];
      alBandRows[iBands] = mBlock.rows();
      alBandCols[iBands++] = 0;
    } else if (mBlock.rows() != alBandRows[iBands - 1]) {
      return false;
    }
    alRow[iBlocks] = lTop;
    alCol[iBlocks] = alBandCols[iBands - 1];
    alBandCols[iBands - 1] += mBlock.cols();
    amBlock[iBlocks++] = std::move(mBlock);
    return true;
  }

  bool sameWidths() const {
    for (int k = 1; k < iBands; ++k)
      if (alBandCols[k] != alBandCols[0]) return false;
    return true;
  }

  Eigen::Index rows() const { return lTop + alBandRows[iBands - 1]; }

  ClMatrix assemble() const {
    ClMatrix mResult(rows(), alBandCols[0]);
    for (int k = 0; k < iBlocks; ++k)
      mResult.block(alRow[k], alCol[k], amBlock[k].rows(), amBlock[k].cols()) = amBlock[k];
    return mResult;
  }
};

// blocks: block { [ "," | ";" ] block }, at most 16, bands of equal width
ClMatrix blockList(ClMatrix mFirst, ClListFlags& flags) {
  if (endsList(ClCalculator::peekToken())) {
    flags.bArgList = true;
    return mFirst;
  }
  ClBlocks blocks;
  blocks.add(std::move(mFirst), true);
  while (!endsList(ClCalculator::peekToken())) {
    const eTOKEN eSeparator = ClCalculator::peekToken();
    const bool bNewBand = eSeparator == eSEMICOLON;
    if (eSeparator == eCOMMA) flags.bSingle = false;
    if (bNewBand || eSeparator == eCOMMA) ClCalculator::nextToken();
    if (!blocks.add(ClCalculator::expression(), bNewBand)) {
      setError(eERROR_ASSIGNMENT);
      return ClMatrix();
    }
  }
  if (!blocks.sameWidths()) {
    setError(eERROR_ASSIGNMENT);
    return ClMatrix();
  }
  if (!fitsLimit(static_cast<double>(blocks.rows()), static_cast<double>(blocks.alBandCols[0]))) {
    setError(eERROR_MATRIX_SIZE);
    return ClMatrix();
  }
  return blocks.assemble();
}

}  // namespace

// primary: argument-function | constructor | "[" list "]" | number | variable
//        | "(" expression ")" | "-" expression
ClMatrix ClCalculator::primary() {
  ClMatrix mValue = exceptionalUnary();
  if (mValue.rows() > 0) return mValue;
  const eTOKEN eToken = peekToken();
  if (eToken == eID || eToken == eONES || eToken == eEL_OP) return constructor();
  if (eToken == eLBRACKET) return mvlist();
  mValue = scalar();
  if (mValue.rows() > 0) return mValue;
  mValue = variable();
  if (mValue.rows() > 0) return mValue;
  if (peekToken() == eLPAREN) {
    nextToken();
    mValue = expression();
    if (mValue.rows() == 0) {
      setError(eERROR_EXPRESSION);
    } else if (peekToken() == eRPAREN) {
      nextToken();
    } else {
      mValue.resize(0, 0);
      setError(eERROR_MISSING_PARENTHESES);
    }
    return mValue;
  }
  if (peekToken() == eMINUS && lg_uiNext_Token > 0) {
    const ClToken& before = lg_aToken_Stream[lg_uiNext_Token - 1];
    if (isNamedValue(before.m_eToken)) {
      // the name just read is undefined
      if (before.m_pmMatrix->rows() == 0) setError(eERROR_EMPTY_MATRIX);
      return ClMatrix();
    }
    nextToken();
    mValue = expression();
    if (mValue.rows() > 0) applyPrefix(eMINUS, mValue);
  }
  return mValue;
}

// number: real-number | imaginary-number
ClMatrix ClCalculator::scalar() {
  const ClToken& token = lg_aToken_Stream[lg_uiNext_Token];
  const eTOKEN eToken = peekToken();
  if (eToken != eREAL_NUMBER && eToken != eIMAG_NUMBER) return ClMatrix();
  nextToken();
  const ClComplex cValue =
      eToken == eREAL_NUMBER ? ClComplex(token.m_dValue, 0.0) : ClComplex(0.0, token.m_dValue);
  return ClMatrix::Constant(1, 1, cValue);
}

// name: variable | "Ans"
ClMatrix ClCalculator::matrix() {
  if (!isNamedValue(peekToken())) return ClMatrix();
  const ClMatrix* pmValue = lg_aToken_Stream[lg_uiNext_Token].m_pmMatrix;
  nextToken();
  return *pmValue;
}

// variable: reference | name
ClMatrix ClCalculator::variable() {
  Clmatrixref ref = matrixref();
  if (ref.m_mValue.rows() > 0) return std::move(ref.m_mValue);
  return matrix();
}

// reference: name "(" [ index [ "," index ] ] ")"
Clmatrixref ClCalculator::matrixref() {
  Clmatrixref ref;
  if (!isNamedValue(peekToken()) || peekToken(1) != eLPAREN) return ref;
  const ClMatrix& mV = *lg_aToken_Stream[lg_uiNext_Token].m_pmMatrix;
  if (peekToken(2) == eRPAREN) {
    for (int k = 0; k < 3; ++k) nextToken();
    ref.m_mValue.resize(1, 2);
    ref.m_mValue << static_cast<double>(mV.rows()), static_cast<double>(mV.cols());
    return ref;
  }
  nextToken();
  nextToken();
  bool bOk = readIndices(ref, mV);
  if (peekToken() != eRPAREN) {
    setError(eERROR_INVALID_COORDINATES);
    bOk = false;
  }
  nextToken();
  if (!bOk || !extract(ref, mV)) return Clmatrixref();
  return ref;
}

// bracket: "[" list [ "]" ]
ClMatrix ClCalculator::mvlist() {
  if (peekToken() != eLBRACKET) {
    setError(eERROR_MISSING_PARENTHESES);
    return ClMatrix();
  }
  nextToken();
  ClMatrix mValue = list();
  if (mValue.rows() > 0 && peekToken() == eRBRACKET) nextToken();
  return mValue;
}

// arguments: "(" list ")"
ClMatrix ClCalculator::rowlist() {
  if (peekToken() != eLPAREN) {
    setError(eERROR_MISSING_PARENTHESES);
    return ClMatrix();
  }
  nextToken();
  ClMatrix mValue = list();
  if (!lg_bIs_Arg_List) {
    mValue.resize(0, 0);
    setError(eERROR_BAD_PARAMETER_LIST);
  }
  if (peekToken() == eRPAREN) {
    nextToken();
  } else {
    mValue.resize(0, 0);
    setError(eERROR_MISSING_PARENTHESES);
  }
  return mValue;
}

// list: range | scalars | blocks
ClMatrix ClCalculator::list() {
  const uint16_t uiStart = lg_uiNext_Token;
  ClMatrix mFirst = expression();
  ClListFlags flags;
  if (mFirst.rows() == 0) return finishList(ClMatrix(), flags);
  const bool bBracketed = lg_aToken_Stream[lg_uiNext_Token - 1].m_eToken == eRBRACKET;
  const bool bScalar = isScalar(mFirst) && !bBracketed;
  if (bScalar && peekToken() == eCOLON) return finishList(range(mFirst, flags), flags);
  if (bScalar) return finishList(scalarList(uiStart, mFirst, flags), flags);
  return finishList(blockList(std::move(mFirst), flags), flags);
}
