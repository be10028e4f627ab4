// SPDX-License-Identifier: GPL-3.0-or-later
// Cleaning of negligible parts and the text of a result in the three number
// formats (decimal, floating point, rational). Evaluation lives elsewhere.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/calculator.h"

namespace {

constexpr double gc_dRATIONAL_LIMIT = 1073741823.5;         // beyond it the integer part is shown
constexpr double gc_dRATIONAL_EPS = 9.313225750491594e-10;  // 2^-30
constexpr int gc_iFRACTION_STEPS = 16;
constexpr int gc_iENTRY_ROOM = 80;  // one entry with its separators never needs more
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

// Writes one number in the current format; returns the characters written.
int writeNumber(double dX, char* acText) {
  acText[0] = '\0';
  if (!isFinitePart(dX)) return std::snprintf(acText, gc_iNUMBER_ROOM, "%G", dX);
  switch (g_eView_State) {
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

// Writes one number with the digits that give back every bit.
int writeFullNumber(double dX, char* acText) {
  return std::snprintf(acText, gc_iNUMBER_ROOM, "%.17G", dX);
}

// A writer of one number: the current format's or the full one.
typedef int (*tNumberWriter)(double, char*);

inline char* append(char* pcEnd, const char* acText, int iLength) {
  for (int k = 0; k < iLength; ++k) *pcEnd++ = acText[k];
  return pcEnd;
}

// An imaginary part: "i" or "-i" for a unit part, else the number and "i".
char* appendImaginary(char* pcEnd, double dIm) {
  if (std::fabs(dIm - 1.0) <= 1e-16) return append(pcEnd, "i", 1);
  if (std::fabs(dIm + 1.0) <= 1e-16) return append(pcEnd, "-i", 2);
  pcEnd += writeNumber(dIm, pcEnd);
  return append(pcEnd, "i", 1);
}

// An entry with Zero Out: parts at or below the tolerance are not shown.
char* appendZeroedOut(char* pcEnd, ClComplex cZ, double dTolerance) {
  const double dRe = cZ.real(), dIm = cZ.imag();
  const bool bNegligible = std::fabs(dRe) + std::fabs(dIm) <= dTolerance;
  const bool bReal = !bNegligible && std::fabs(dRe) > dTolerance;
  const bool bImag = !bNegligible && std::fabs(dIm) > dTolerance;
  if (!bReal && !bImag) return pcEnd + writeNumber(0.0, pcEnd);
  if (!bImag) return pcEnd + writeNumber(dRe, pcEnd);
  if (!bReal) return appendImaginary(pcEnd, dIm);
  pcEnd += writeNumber(dRe, pcEnd);
  pcEnd = append(pcEnd, dIm > 0 ? " + " : " - ", 3);
  if (std::fabs(std::fabs(dIm) - 1.0) <= 1e-16) return append(pcEnd, "i", 1);
  pcEnd += writeNumber(std::fabs(dIm), pcEnd);
  return append(pcEnd, "i", 1);
}

// An entry shown in full: both parts, the imaginary one only when not 0.
char* appendFull(char* pcEnd, ClComplex cZ, tNumberWriter pWrite) {
  const double dIm = cZ.imag();
  pcEnd += pWrite(cZ.real(), pcEnd);
  if (dIm == 0.0) return pcEnd;
  pcEnd = append(pcEnd, dIm > 0 ? " + " : " - ", 3);
  char acNumber[gc_iNUMBER_ROOM];
  const int iLength = pWrite(dIm, acNumber);
  // the minus sign is already written; a tiny part shown as "0" has none to drop
  const int iSkip = acNumber[0] == '-' ? 1 : 0;
  pcEnd = append(pcEnd, acNumber + iSkip, iLength - iSkip);
  return append(pcEnd, "i", 1);
}

char* appendEntry(char* pcEnd, ClComplex cZ, bool bZeroOut, double dTolerance,
                  tNumberWriter pWrite = writeNumber) {
  const double dRe = cZ.real(), dIm = cZ.imag();
  if (!isFinitePart(dRe) || !isFinitePart(dIm))
    return pcEnd + pWrite(isFinitePart(dIm) ? dRe : dIm, pcEnd);
  if (bZeroOut) return appendZeroedOut(pcEnd, cZ, dTolerance);
  return appendFull(pcEnd, cZ, pWrite);
}

}  // namespace

double ClCalculator::displayTolerance(const ClMatrix& mM) {
  const double dSize = static_cast<double>(std::max(mM.rows(), mM.cols()));
  if (!isNumber(mM)) return 5e-15 * dSize;
  // the stable norm does not overflow: entries near 1E200 must not get an
  // infinite tolerance that hides them all
  return mM.stableNorm() * 5e-15 * dSize;
}

std::string ClCalculator::entryText(ClComplex cZ, bool bHide, double dTolerance) {
  char acText[gc_iENTRY_ROOM];
  *appendEntry(acText, cZ, bHide, dTolerance) = '\0';
  return acText;
}

std::string ClCalculator::fullEntryText(ClComplex cZ) {
  char acText[gc_iENTRY_ROOM];
  *appendEntry(acText, cZ, false, 0.0, writeFullNumber) = '\0';
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

void ClCalculator::formatNumber(double dX, char* acText) {
  writeNumber(dX, acText);
}

void ClCalculator::matrixDisplay(const ClMatrix& mM) {
  displayMatrix(mM, g_bZero_Out);
}

void ClCalculator::displayMatrix(const ClMatrix& mM, bool bZeroOut) {
  formatMatrix(mM, bZeroOut, g_acOutput_Line, gc_lOUTPUT_SIZE);
}

void ClCalculator::formatMatrix(const ClMatrix& mM, bool bZeroOut, char* acText, size_t uiSize) {
  char* pcEnd = acText;
  *pcEnd = '\0';
  if (mM.rows() == 0 || uiSize < gc_iENTRY_ROOM) return;
  const bool bHide = bZeroOut && mM.size() != 1;
  const double dTolerance = bHide ? displayTolerance(mM) : 0.0;
  const char* pcLimit = acText + uiSize - gc_iENTRY_ROOM;
  for (Eigen::Index lRow = 0; lRow < mM.rows(); ++lRow) {
    for (Eigen::Index lCol = 0; lCol < mM.cols(); ++lCol) {
      if (pcEnd > pcLimit) {
        *pcEnd = '\0';
        return;
      }
      pcEnd = appendEntry(pcEnd, mM(lRow, lCol), bHide, dTolerance);
      if (lCol + 1 < mM.cols()) pcEnd = append(pcEnd, ", ", 2);
    }
    if (lRow + 1 < mM.rows()) pcEnd = append(pcEnd, " ;\n", 3);
  }
  *pcEnd = '\0';
}
