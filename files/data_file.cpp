// SPDX-License-Identifier: GPL-3.0-or-later
// Writing data files: the plain text is built in memory, encoded and written
// at once. Reading is in data_load.cpp.
#include "files/data_file.h"

#include <cerrno>
#include <cmath>
#include <iomanip>
#include <sstream>

#include "command/history.h"
#include "engine/calculator.h"
#include "files/codec.h"
#include "files/safe_file.h"

const char gc_acORVEL_SIGNATURE[] = "ORVEL_3.141592653897932";

// Entries are restored to 15 significant digits.
constexpr int gc_iSAVE_PRECISION = 15;

bool hasOrvelExtension(const std::string& sName) {
  const size_t uiAt = sName.find(".orv");
  return uiAt != std::string::npos && uiAt + 4 == sName.size();
}

// The reader takes finite numbers only: a "nan" or "inf" entry would make
// the file unreadable from that variable on.
static bool isReadable(const ClMatrix& mM) {
  return mM.size() == 0 || mM.allFinite();
}

// Above this, 15 digits round up past the largest double and the reader
// refuses the entry (and every variable after it); 17 digits read back.
constexpr double gc_dLARGEST_15_DIGITS = 1.79769313486231e308;

static void writePart(std::ostream& Out, double dPart) {
  if (std::abs(dPart) <= gc_dLARGEST_15_DIGITS) {
    Out << dPart;
    return;
  }
  Out << std::setprecision(17) << dPart << std::setprecision(gc_iSAVE_PRECISION);
}

// An entry with no imaginary part is written as a plain number, any other
// as the stream's complex form (re,im).
static void writeEntry(std::ostream& Out, const ClComplex& cEntry) {
  if (cEntry.imag() == 0.0) {
    writePart(Out, cEntry.real());
  } else {
    Out << '(';
    writePart(Out, cEntry.real());
    Out << ',';
    writePart(Out, cEntry.imag());
    Out << ')';
  }
  Out << ' ';
}

// A matrix without entries (r x 0 too) is written as 0 x 0, which the
// reader takes as empty.
static void writeMatrix(std::ostream& Out, const ClMatrix& mM) {
  if (mM.size() == 0) {
    Out << "0\n0\n";
    return;
  }
  Out << mM.rows() << '\n' << mM.cols() << '\n';
  for (Eigen::Index r = 0; r < mM.rows(); ++r) {
    for (Eigen::Index c = 0; c < mM.cols(); ++c) writeEntry(Out, mM(r, c));
    Out << '\n';
  }
}

static bool writeEncoded(const char* acName, std::ostringstream& Plain) {
  std::string sText = Plain.str();
  CodeFile(sText.data(), sText.size());
  return writeFileSafely(acName, sText);
}

bool saveInFile(const char* acName) {
  std::ostringstream Plain;
  Plain.precision(gc_iSAVE_PRECISION);
  Plain << gc_acORVEL_SIGNATURE << '\n'
        << gc_iHISTORY_FILE_KIND << '\n'
        << g_uiHistory_Next << '\n';
  for (uint16_t k = 0; k < g_uiHistory_Next; ++k) {
    const ClState& Line = lg_State_History[k];
    Plain.write(Line.m_acLine, Line.m_uiLength) << '\n';
  }
  for (const eTOKEN eVariable : gc_aeVARIABLES) {
    const ClMatrix& mVariable = ClCalculator::mp_mVariable[eVariable];
    const bool bSaved = mVariable.size() <= gc_lSAVED_WITH_HISTORY && isReadable(mVariable);
    writeMatrix(Plain, bSaved ? mVariable : ClMatrix());
  }
  return writeEncoded(acName, Plain);
}

bool saveVariableFile(const char* acName, eTOKEN eVariable) {
  if (!isVariableToken(eVariable)) {
    errno = EINVAL;
    return false;
  }
  if (!isReadable(ClCalculator::mp_mVariable[eVariable])) {
    errno = EDOM;
    return false;
  }
  std::ostringstream Plain;
  Plain.precision(gc_iSAVE_PRECISION);
  Plain << gc_acORVEL_SIGNATURE << '\n' << static_cast<int>(eVariable) << '\n';
  writeMatrix(Plain, ClCalculator::mp_mVariable[eVariable]);
  return writeEncoded(acName, Plain);
}
