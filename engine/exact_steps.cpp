// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/exact_steps.h"

bool exactSteps(const ClStepsOperand&, const ClStepsOptions&, ClSteps&, std::string&) {
  return false;
}
