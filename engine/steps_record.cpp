// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's value of a kept operand, the steps' titles, widths and
// folding.
#include "engine/steps_record.h"

#include <algorithm>

#include "engine/decompositions.h"
#include "engine/parser.h"

namespace {

const char* const gc_aacSTEPS_NAME[] = {"RREF", "Inv", "Det", "A\\B"};

std::string sizeText(const ClMatrix& mM) {
  return std::to_string(mM.rows()) + " x " + std::to_string(mM.cols());
}

}  // namespace

// The routines the evaluator calls, not the evaluator: nothing is kept again
// and the line's error stays as it is.
bool stepsResult(const ClStepsOperand& operand, ClMatrix& mResult) {
  mResult = operand.m_mA;
  switch (operand.m_eKind) {
    case eSTEPS_RREF:
      reducedRowEchelon(mResult);
      return mResult.rows() > 0;
    case eSTEPS_INV:
      return isNumber(mResult) && invertInPlace(mResult);
    case eSTEPS_DET:
      if (!isNumber(mResult)) return false;
      determinantInPlace(mResult);
      return true;
    case eSTEPS_SOLVE:
      return leftDivision(mResult, operand.m_mB) == eERROR_NONE;
  }
  return false;
}

ClShownMatrix printedMatrix(const ClMatrix& mM, const ClDisplayOptions& display) {
  ClShownMatrix shown;
  shown.m_iRows = static_cast<int32_t>(mM.rows());
  shown.m_iColumns = static_cast<int32_t>(mM.cols());
  shown.m_asEntry = printedEntries(mM, display);
  return shown;
}

int32_t stepsWidth(const ClStepsOperand& operand) {
  const Eigen::Index lColumns = operand.m_mA.cols();
  switch (operand.m_eKind) {
    case eSTEPS_INV:
      return static_cast<int32_t>(lColumns + operand.m_mA.rows());
    case eSTEPS_SOLVE:
      return static_cast<int32_t>(lColumns + operand.m_mB.cols());
    default:
      return static_cast<int32_t>(lColumns);
  }
}

std::string stepsTitle(const ClStepsOperand& operand) {
  const std::string sName = gc_aacSTEPS_NAME[operand.m_eKind];
  if (operand.m_eKind == eSTEPS_SOLVE)
    return "A\\B with a " + sizeText(operand.m_mA) + " A and a " + sizeText(operand.m_mB) + " B";
  return sName + " of a " + sizeText(operand.m_mA) + " matrix";
}

ClStepsFolding stepsFolding(int32_t iRows, int32_t iColumns) {
  const long lEntries = long{iRows} * iColumns;
  const long lBlocks = std::max(1, std::min(iRows, iColumns));
  // a swap, a scaling and an addition to every other row per pivot column
  const long lOperations = lBlocks * (iRows + 1);
  ClStepsFolding folding;
  if (lEntries * lOperations <= gc_lSTEPS_SHOWN_ENTRIES) return folding;
  folding.m_bEach_Operation = false;
  if (lEntries > gc_lSTEPS_SHOWN_ENTRIES) {
    folding.m_iEvery = 0;
    return folding;
  }
  folding.m_iEvery = static_cast<int32_t>((lEntries * lBlocks + gc_lSTEPS_SHOWN_ENTRIES - 1) /
                                          gc_lSTEPS_SHOWN_ENTRIES);
  return folding;
}

std::string foldingNote(const ClStepsFolding& folding) {
  if (folding.m_bEach_Operation) return "";
  if (folding.m_iEvery == 0)
    return "The matrix is too large to show after each step: only the operations and the last "
           "matrix are listed.";
  if (folding.m_iEvery == 1)
    return "The matrix is shown once per pivot column, after its last operation.";
  return "The matrix is shown only after every " + std::to_string(folding.m_iEvery) +
         " pivot columns; every operation is listed.";
}
