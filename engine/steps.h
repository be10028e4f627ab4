// SPDX-License-Identifier: GPL-3.0-or-later
// The row operations behind RREF, Inv, Det and left division. A main line
// keeps the operands it gave them (steps_kept.h); the Steps window and
// orvel-batch --steps replay them later, as the calculator computed
// (computed_steps.cpp) or in exact fractions (exact_steps.cpp), and choose
// between the two here. The documents are written from a ClSteps by
// command/steps_writer.
#pragma once

#include "engine/steps_kept.h"
#include "engine/steps_record.h"

// The steps of a kept application with the options: exact where asked and
// the operand allows, else as computed, with a sentence saying why.
ClSteps computeSteps(const ClStepsOperand& operand, const ClStepsOptions& options);
