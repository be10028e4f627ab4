// SPDX-License-Identifier: GPL-3.0-or-later
// The steps as the calculator computed them: RREF replayed by the engine's
// own reduction, Det as the elimination on the engine's LU pivots, Inv and
// A\B as Gauss-Jordan on [A | I] and [A | B], ending in the printed value.
#pragma once

#include "engine/steps.h"

// The entries are written with the display options. pmLast, when given,
// receives the last matrix (m_Final) as numbers: empty where m_Final is.
ClSteps computedSteps(const ClStepsOperand& operand, const ClDisplayOptions& display,
                      ClMatrix* pmLast = nullptr);
