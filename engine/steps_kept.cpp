// SPDX-License-Identifier: GPL-3.0-or-later
// The operands kept for the steps.
#include "engine/steps_kept.h"

#include <utility>

std::vector<ClStepsOperand> g_aSteps_Kept;
uint32_t g_uiSteps_Generation = 0;

namespace {

bool lg_bKeep_Steps = false;

}  // namespace

void startKeepingSteps() {
  g_aSteps_Kept.clear();
  ++g_uiSteps_Generation;
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

void resetStepsKept() {
  g_aSteps_Kept.clear();
  ++g_uiSteps_Generation;
  lg_bKeep_Steps = false;
}
