// SPDX-License-Identifier: GPL-3.0-or-later
// The choice between exact and computed steps.
#include "engine/steps.h"

#include "engine/computed_steps.h"
#include "engine/exact_steps.h"

namespace {

ClSteps noStepsForNonFinite(const ClStepsOperand& operand) {
  ClSteps steps;
  steps.m_eKind = operand.m_eKind;
  steps.m_asNotes.push_back(
      "No steps: the operand has an infinite or undefined entry (Inf or NaN), which no row "
      "operation can reduce.");
  return steps;
}

}  // namespace

ClSteps computeSteps(const ClStepsOperand& operand, const ClStepsOptions& options) {
  if (!isNumber(operand.m_mA) || !isNumber(operand.m_mB)) return noStepsForNonFinite(operand);
  if (options.m_eArithmetic == eSTEPS_EXACT) {
    ClSteps steps;
    std::string sWhy_Not;
    if (exactSteps(operand, options, steps, sWhy_Not)) return steps;
    steps = computedSteps(operand, options.m_Display);
    if (!sWhy_Not.empty()) steps.m_asNotes.insert(steps.m_asNotes.begin(), sWhy_Not);
    return steps;
  }
  return computedSteps(operand, options.m_Display);
}
