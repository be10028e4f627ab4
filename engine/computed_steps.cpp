// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/computed_steps.h"

ClSteps computedSteps(const ClStepsOperand& operand) {
  ClSteps steps;
  steps.m_eKind = operand.m_eKind;
  return steps;
}
