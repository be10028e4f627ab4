// SPDX-License-Identifier: GPL-3.0-or-later
// The one writer of shown values (display.h) and the cleaning of negligible
// parts. Evaluation lives elsewhere.
#include "engine/display.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr double gc_dRATIONAL_LIMIT = 1073741823.5;         // beyond it the integer part is shown
constexpr double gc_dRATIONAL_EPS = 9.313225750491594e-10;  // 2^-30
constexpr int gc_iFRACTION_STEPS = 16;
constexpr int gc_iENTRY_ROOM = ClValueWriter::gc_iENTRY_ROOM;
constexpr int gc_iNUMBER_ROOM = 64;

inline bool isFinitePart(double dX) {
  return std::fabs(dX) <= DBL_MAX;
}

// The continued fraction of |x| (at most the limit, at least the smallest
// shown); the convergents are kept in 64 bits and the expansion stops at the
// last one whose terms still fit in 32 bits.
void continuedFraction(double dA, int64_t& llNumerator, int64_t& llDenominator) {
  double dQ = std::floor(dA);
  double dY = dA;
  int64_t llH = 1, llH1 = 0, llK = 0, llK1 = 1;
  llNumerator = 0;
  llDenominator = 1;
  for (int iStep = 0; iStep < gc_iFRACTION_STEPS; ++iStep) {
    const int64_t llQ = static_cast<int64_t>(dQ);
    const int64_t llH2 = llQ * llH + llH1;
    const int64_t llK2 = llQ * llK + llK1;
    if (llH2 > INT32_MAX || llK2 > INT32_MAX) break;
    llNumerator = llH2;
    llDenominator = llK2;
    const double dApprox = static_cast<double>(llH2) / static_cast<double>(llK2);
    if (std::fabs(dA - dApprox) <= dA * gc_dRATIONAL_EPS || dY - dQ < gc_dRATIONAL_EPS) break;
    dY = 1.0 / (dY - dQ);
    dQ = std::floor(dY);
    llH1 = llH;
    llH = llH2;
    llK1 = llK;
    llK = llK2;
  }
}

int writeRational(double dX, char* acText) {
  const double dA = std::fabs(dX);
  if (dA > gc_dRATIONAL_LIMIT) return std::snprintf(acText, gc_iNUMBER_ROOM, "%G", std::trunc(dX));
  if (dA < gc_dRATIONAL_EPS) return std::snprintf(acText, gc_iNUMBER_ROOM, "%d", 0);
  int64_t llNumerator = 0, llDenominator = 1;
  continuedFraction(dA, llNumerator, llDenominator);
  const int iNumerator = static_cast<int>(dX > 0 ? llNumerator : -llNumerator);
  if (llDenominator == 1) return std::snprintf(acText, gc_iNUMBER_ROOM, "%d", iNumerator);
  return std::snprintf(acText, gc_iNUMBER_ROOM, "%d/%d", iNumerator,
                       static_cast<int>(llDenominator));
}

// Writes one number; returns the characters written. Full precision gives
// the digits that give back every bit.
int writeNumber(double dX, const ClDisplayOptions& options, char* acText) {
  acText[0] = '\0';
  if (options.m_bFull_Precision) return std::snprintf(acText, gc_iNUMBER_ROOM, "%.17G", dX);
  if (!isFinitePart(dX)) return std::snprintf(acText, gc_iNUMBER_ROOM, "%G", dX);
  switch (options.m_eFormat) {
    case eDECIMAL:
      return std::snprintf(acText, gc_iNUMBER_ROOM, "%G", dX);
    case eFLOATING_POINT:
      return std::snprintf(acText, gc_iNUMBER_ROOM, "%15.9E", dX);
    case eRATIONAL:
      return writeRational(dX, acText);
    default:
      return 0;
  }
}

inline char* append(char* pcEnd, const char* acText, int iLength) {
  for (int k = 0; k < iLength; ++k) *pcEnd++ = acText[k];
  return pcEnd;
}

inline char* appendSign(char* pcEnd, bool bNegative) {
  return append(pcEnd, bNegative ? gc_acMINUS_IMAGINARY : gc_acPLUS_IMAGINARY,
                sizeof gc_acPLUS_IMAGINARY - 1);
}

inline char* appendUnit(char* pcEnd) {
  *pcEnd++ = gc_cIMAGINARY_UNIT;
  return pcEnd;
}

// A unit imaginary part is written as the unit alone.
inline bool isUnit(double dIm) {
  return std::fabs(dIm - 1.0) <= 1e-16;
}

// An imaginary part: "i" or "-i" for a unit part, else the number and "i".
char* appendImaginary(char* pcEnd, double dIm, const ClDisplayOptions& options) {
  if (isUnit(-dIm)) *pcEnd++ = '-';
  if (isUnit(dIm) || isUnit(-dIm)) return appendUnit(pcEnd);
  pcEnd += writeNumber(dIm, options, pcEnd);
  return appendUnit(pcEnd);
}

// An entry with Zero Out: parts at or below the tolerance are not shown.
char* appendZeroedOut(char* pcEnd, ClComplex cZ, double dTolerance,
                      const ClDisplayOptions& options) {
  const double dRe = cZ.real(), dIm = cZ.imag();
  const bool bNegligible = std::fabs(dRe) + std::fabs(dIm) <= dTolerance;
  const bool bReal = !bNegligible && std::fabs(dRe) > dTolerance;
  const bool bImag = !bNegligible && std::fabs(dIm) > dTolerance;
  if (!bReal && !bImag) return pcEnd + writeNumber(0.0, options, pcEnd);
  if (!bImag) return pcEnd + writeNumber(dRe, options, pcEnd);
  if (!bReal) return appendImaginary(pcEnd, dIm, options);
  pcEnd += writeNumber(dRe, options, pcEnd);
  pcEnd = appendSign(pcEnd, dIm < 0);
  if (isUnit(std::fabs(dIm))) return appendUnit(pcEnd);
  pcEnd += writeNumber(std::fabs(dIm), options, pcEnd);
  return appendUnit(pcEnd);
}

// An entry shown whole: both parts, the imaginary one only when not 0.
char* appendWhole(char* pcEnd, ClComplex cZ, const ClDisplayOptions& options) {
  const double dIm = cZ.imag();
  pcEnd += writeNumber(cZ.real(), options, pcEnd);
  if (dIm == 0.0) return pcEnd;
  pcEnd = appendSign(pcEnd, dIm < 0);
  char acNumber[gc_iNUMBER_ROOM];
  const int iLength = writeNumber(dIm, options, acNumber);
  // the minus sign is already written; a tiny part shown as "0" has none to drop
  const int iSkip = acNumber[0] == '-' ? 1 : 0;
  pcEnd = append(pcEnd, acNumber + iSkip, iLength - iSkip);
  return appendUnit(pcEnd);
}

char* appendEntry(char* pcEnd, ClComplex cZ, bool bHide, double dTolerance,
                  const ClDisplayOptions& options) {
  const double dRe = cZ.real(), dIm = cZ.imag();
  if (!isFinitePart(dRe) || !isFinitePart(dIm))
    return pcEnd + writeNumber(isFinitePart(dIm) ? dRe : dIm, options, pcEnd);
  if (bHide) return appendZeroedOut(pcEnd, cZ, dTolerance, options);
  return appendWhole(pcEnd, cZ, options);
}

}  // namespace

double displayTolerance(const ClMatrix& mM) {
  const double dSize = static_cast<double>(std::max(mM.rows(), mM.cols()));
  if (!isNumber(mM)) return 5e-15 * dSize;
  // the stable norm does not overflow: entries near 1E200 must not get an
  // infinite tolerance that hides them all
  return mM.stableNorm() * 5e-15 * dSize;
}

ClDisplayOptions currentDisplayOptions(bool bFull_Precision) {
  ClDisplayOptions options;
  options.m_eFormat = g_eView_State;
  options.m_bZero_Out = g_bZero_Out;
  options.m_bFull_Precision = bFull_Precision;
  return options;
}

std::string complexText(const std::string& sReal, bool bNegative, const std::string& sMagnitude) {
  const std::string sImaginary = sMagnitude + gc_cIMAGINARY_UNIT;
  if (sReal.empty()) return bNegative ? "-" + sImaginary : sImaginary;
  return sReal + (bNegative ? gc_acMINUS_IMAGINARY : gc_acPLUS_IMAGINARY) + sImaginary;
}

ClEntryParts entryParts(const std::string& sEntry) {
  ClEntryParts parts;
  size_t uiSign = sEntry.find(gc_acPLUS_IMAGINARY);
  if (uiSign == std::string::npos) uiSign = sEntry.find(gc_acMINUS_IMAGINARY);
  std::string sImaginary = sEntry;
  if (uiSign != std::string::npos) {
    parts.m_sReal = sEntry.substr(0, uiSign);
    sImaginary = sEntry.substr(uiSign + 1);
    sImaginary.erase(1, 1);  // "- 4i" -> "-4i"
  } else if (sEntry.empty() || sEntry.back() != gc_cIMAGINARY_UNIT) {
    parts.m_sReal = sEntry;
    return parts;
  }
  parts.m_bImaginary = true;
  parts.m_bNegative = sImaginary[0] == '-';
  const size_t uiBegin = sImaginary[0] == '-' || sImaginary[0] == '+' ? 1 : 0;
  parts.m_sMagnitude = sImaginary.substr(uiBegin, sImaginary.size() - 1 - uiBegin);
  return parts;
}

ClValueWriter::ClValueWriter(const ClMatrix& mM, const ClDisplayOptions& options)
    : m_Options(options),
      m_bHide(!options.m_bFull_Precision && options.m_bZero_Out && mM.size() != 1) {
  if (m_bHide) m_dTolerance = displayTolerance(mM);
}

char* ClValueWriter::append(char* pcEnd, ClComplex cZ) const {
  return appendEntry(pcEnd, cZ, m_bHide, m_dTolerance, m_Options);
}

std::string ClValueWriter::entry(ClComplex cZ) const {
  char acText[gc_iENTRY_ROOM];
  *append(acText, cZ) = '\0';
  return acText;
}

std::string numberText(ClComplex cZ, const ClDisplayOptions& options) {
  char acText[gc_iENTRY_ROOM];
  *appendEntry(acText, cZ, false, 0.0, options) = '\0';
  return acText;
}

bool ClCalculator::shownFraction(double dX, int64_t& llNumerator, int64_t& llDenominator) {
  const double dA = std::fabs(dX);
  if (!(dA <= gc_dRATIONAL_LIMIT)) return false;
  llNumerator = 0;
  llDenominator = 1;
  if (dA < gc_dRATIONAL_EPS) return true;
  continuedFraction(dA, llNumerator, llDenominator);
  if (dX < 0) llNumerator = -llNumerator;
  return true;
}

namespace {

// Both parts of every entry as one array of doubles (std::complex is laid out
// as two doubles), for vectorised passes.
Eigen::Map<const Eigen::ArrayXd> partsOf(const ClMatrix& mM) {
  return {reinterpret_cast<const double*>(mM.data()), 2 * mM.size()};
}

// The largest absolute part; NaN when some part is NaN.
double largestPart(const ClMatrix& mM) {
  return partsOf(mM).abs().maxCoeff<Eigen::PropagateNaN>();
}

}  // namespace

// x * 0 is 0 for every finite part and NaN for an infinite or NaN one: one
// vectorised sum, without a branch per part.
bool isNumber(const ClMatrix& mM) {
  return (partsOf(mM) * 0.0).sum() == 0.0;
}

namespace {

// The norm of the finite entries: an infinity or a NaN elsewhere must not
// change which parts of a finite entry are negligible (an infinite norm would
// zero them all, a NaN one would clean none, so -1 - 0i would cross the cut).
double finiteNorm(const ClMatrix& mM) {
  if (isNumber(mM)) return mM.stableNorm();
  ClMatrix mFinite = mM;
  for (ClComplex& cZ : mFinite.reshaped())
    if (!isFinitePart(cZ.real()) || !isFinitePart(cZ.imag())) cZ = 0.0;
  return mFinite.stableNorm();
}

// Entry by entry: parts at most t become +0; entries with a non-finite part
// stay as they are.
void cleanEntries(ClMatrix& mM, double dTolerance) {
  ClComplex* pcZ = mM.data();
  for (Eigen::Index k = 0; k < mM.size(); ++k) {
    double dRe = pcZ[k].real(), dIm = pcZ[k].imag();
    if (!isFinitePart(dRe) || !isFinitePart(dIm)) continue;
    if (std::fabs(dRe) <= dTolerance) dRe = 0.0;
    if (std::fabs(dIm) <= dTolerance) dIm = 0.0;
    pcZ[k] = ClComplex(dRe, dIm);
  }
}

// True when no part of M lies in (dLow, dHigh], where only the exact
// tolerance can decide whether it is negligible.
bool decided(const ClMatrix& mM, double dLow, double dHigh) {
  const auto adAbs = partsOf(mM).abs();
  return ((adAbs > dLow) && (adAbs <= dHigh)).count() == 0;
}

// One branch-free pass over the parts of a finite matrix.
void cleanFiniteParts(ClMatrix& mM, double dTolerance) {
  double* pdPart = reinterpret_cast<double*>(mM.data());
  const Eigen::Index lCount = 2 * mM.size();
  for (Eigen::Index k = 0; k < lCount; ++k)
    pdPart[k] = std::fabs(pdPart[k]) <= dTolerance ? 0.0 : pdPart[k];
}

// Eigen's stableNorm takes a modulus (hypot) of every entry. Scaling the
// parts by a power of two (exact) keeps their squares from overflowing or
// vanishing; the sum then differs from the stable norm by rounding alone
// (below 1e-11 relative for 524,288 parts), far inside the margin.
constexpr double gc_dQUICK_NORM_MARGIN = 1e-9;

double quickNorm(const ClMatrix& mM, double dLargest) {
  const double dScale = std::ldexp(1.0, -std::ilogb(dLargest));
  return std::sqrt((partsOf(mM) * dScale).square().sum()) / dScale;
}

}  // namespace

bool ClCalculator::finiteTolerance(const ClMatrix& mM, double& dTolerance) {
  if (mM.size() == 0) return false;
  const double dLargest = largestPart(mM);
  if (!(dLargest <= DBL_MAX)) return false;
  if (mM.size() == 1) {
    dTolerance = std::abs(mM(0, 0)) * 1e-36;
    return true;
  }
  const double dScale = 1e-16 * static_cast<double>(std::max(mM.rows(), mM.cols()));
  dTolerance = 0.0;
  if (dLargest <= 1e300 && dLargest >= 1e-300) {
    const double dQuick = quickNorm(mM, dLargest) * dScale;
    if (decided(mM, dQuick * (1.0 - gc_dQUICK_NORM_MARGIN), dQuick * (1.0 + gc_dQUICK_NORM_MARGIN)))
      dTolerance = dQuick;
  }
  if (dTolerance == 0.0) dTolerance = mM.stableNorm() * dScale;
  return true;
}

void ClCalculator::cleanMatrix(ClMatrix& mM) {
  if (mM.size() == 0) return;
  double dTolerance = 0.0;
  if (finiteTolerance(mM, dTolerance)) {
    cleanFiniteParts(mM, dTolerance);
    return;
  }
  // non-finite entries stay as they are; the others are cleaned one by one
  const double dSize = static_cast<double>(std::max(mM.rows(), mM.cols()));
  cleanEntries(mM, mM.size() == 1 ? 0.0 : finiteNorm(mM) * 1e-16 * dSize);
}

void ClCalculator::matrixDisplay(const ClMatrix& mM, const ClDisplayOptions& options) {
  writeMatrix(mM, options, g_acOutput_Line, gc_lOUTPUT_SIZE);
}

void writeMatrix(const ClMatrix& mM, const ClDisplayOptions& options, char* acText, size_t uiSize) {
  char* pcEnd = acText;
  *pcEnd = '\0';
  if (mM.rows() == 0 || uiSize < gc_iENTRY_ROOM) return;
  const ClValueWriter writer(mM, options);
  const char* pcLimit = acText + uiSize - gc_iENTRY_ROOM;
  for (Eigen::Index lRow = 0; lRow < mM.rows(); ++lRow) {
    for (Eigen::Index lCol = 0; lCol < mM.cols(); ++lCol) {
      if (pcEnd > pcLimit) {
        *pcEnd = '\0';
        return;
      }
      pcEnd = writer.append(pcEnd, mM(lRow, lCol));
      if (lCol + 1 < mM.cols())
        pcEnd = append(pcEnd, gc_acENTRY_SEPARATOR, sizeof gc_acENTRY_SEPARATOR - 1);
    }
    if (lRow + 1 < mM.rows())
      pcEnd = append(pcEnd, gc_acROW_SEPARATOR, sizeof gc_acROW_SEPARATOR - 1);
  }
  *pcEnd = '\0';
}

std::vector<std::string> printedEntries(const ClMatrix& mM, const ClDisplayOptions& options) {
  ClMatrix mClean;
  const ClMatrix* pmShown = &mM;
  if (options.m_bZero_Out) {
    mClean = mM;
    ClCalculator::cleanMatrix(mClean);
    pmShown = &mClean;
  }
  const ClValueWriter writer(*pmShown, options);
  std::vector<std::string> asEntry;
  asEntry.reserve(static_cast<size_t>(mM.size()));
  for (Eigen::Index lRow = 0; lRow < pmShown->rows(); ++lRow)
    for (Eigen::Index lCol = 0; lCol < pmShown->cols(); ++lCol)
      asEntry.push_back(writer.entry((*pmShown)(lRow, lCol)));
  return asEntry;
}
