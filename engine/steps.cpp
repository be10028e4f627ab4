// SPDX-License-Identifier: GPL-3.0-or-later
// The operands kept for the steps, and the choice between exact and computed
// steps.
#include "engine/steps.h"

#include <algorithm>

#include "engine/computed_steps.h"
#include "engine/decompositions.h"
#include "engine/exact_steps.h"

std::vector<ClStepsOperand> g_aSteps_Kept;
uint32_t g_uiSteps_Line = 0;

namespace {

bool lg_bKeep_Steps = false;

const char* const gc_aacSTEPS_NAME[] = {"RREF", "Inv", "Det", "A\\B"};

std::string sizeText(const ClMatrix& mM) {
  return std::to_string(mM.rows()) + " x " + std::to_string(mM.cols());
}

ClSteps nonFinite(const ClStepsOperand& operand) {
  ClSteps steps;
  steps.m_eKind = operand.m_eKind;
  steps.m_asNotes.push_back(
      "No steps: the operand has an infinite or undefined entry (Inf or NaN), which no row "
      "operation can reduce.");
  return steps;
}

}  // namespace

void startKeepingSteps() {
  g_aSteps_Kept.clear();
  ++g_uiSteps_Line;
  lg_bKeep_Steps = true;
}

void stopKeepingSteps() {
  lg_bKeep_Steps = false;
}

void keepStepsOperand(eSTEPS_KIND eKind, const ClMatrix& mA, const ClMatrix* pmB) {
  if (!lg_bKeep_Steps || g_aSteps_Kept.size() >= gc_iSTEPS_KEPT) return;
  ClStepsOperand operand;
  operand.m_eKind = eKind;
  operand.m_mA = mA;
  if (pmB != nullptr) operand.m_mB = *pmB;
  g_aSteps_Kept.push_back(std::move(operand));
}

bool stepsResult(const ClStepsOperand& operand, ClMatrix& mResult) {
  const uint16_t uiSaved = g_uiError_Number;
  g_uiError_Number = eERROR_NONE;
  mResult = operand.m_mA;
  switch (operand.m_eKind) {
    case eSTEPS_RREF:
      applyMatrixFunction(eRREF, mResult);
      break;
    case eSTEPS_INV:
      applyMatrixFunction(eINV, mResult);
      break;
    case eSTEPS_DET:
      applyMatrixFunction(eDET, mResult);
      break;
    case eSTEPS_SOLVE:
      // the parser's product: the same call gives the same rounding
      if (isNumber(mResult) && invertInPlace(mResult)) {
        ClMatrix mProduct(mResult.rows(), operand.m_mB.cols());
        mProduct.noalias() = mResult * operand.m_mB;
        mResult.swap(mProduct);
      } else {
        setError(eERROR_SINGULAR);
      }
      break;
  }
  const bool bOk = g_uiError_Number == eERROR_NONE && mResult.rows() > 0;
  g_uiError_Number = uiSaved;
  return bOk;
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

ClSteps computeSteps(const ClStepsOperand& operand, const ClStepsOptions& options) {
  if (!isNumber(operand.m_mA) || !isNumber(operand.m_mB)) return nonFinite(operand);
  if (options.m_eArithmetic == eSTEPS_EXACT) {
    ClSteps steps;
    std::string sWhy_Not;
    if (exactSteps(operand, options, steps, sWhy_Not)) return steps;
    steps = computedSteps(operand);
    if (!sWhy_Not.empty()) steps.m_asNotes.insert(steps.m_asNotes.begin(), sWhy_Not);
    return steps;
  }
  return computedSteps(operand);
}
