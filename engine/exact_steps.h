// SPDX-License-Identifier: GPL-3.0-or-later
// The steps in exact fractions: Gaussian rationals (GMP), for an operand
// whose every entry is a fraction the Rational format shows and that rounds
// back to the same double.
#pragma once

#include <string>

#include "engine/steps.h"

// False, with the sentence that says why, where the operand is not exact,
// is too large for exact arithmetic, or the computation was stopped.
bool exactSteps(const ClStepsOperand& operand, const ClStepsOptions& options, ClSteps& steps,
                std::string& sWhy_Not);
