// SPDX-License-Identifier: GPL-3.0-or-later
// The operands a main line gave RREF, Inv, Det and left division, kept for
// the steps. A leaf: the parser and the decompositions call it as they
// evaluate, and it calls nothing of theirs. The steps are computed from the
// kept operands later (steps.h), never while a line runs.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/calculator.h"

enum eSTEPS_KIND : int32_t { eSTEPS_RREF, eSTEPS_INV, eSTEPS_DET, eSTEPS_SOLVE };

// One kept application: RREF(A), Inv(A), Det(A) or A\B.
struct ClStepsOperand {
  eSTEPS_KIND m_eKind = eSTEPS_RREF;
  ClMatrix m_mA;
  ClMatrix m_mB;  // the right side of A\B; empty for the others
};

constexpr int gc_iSTEPS_KEPT = 8;

// The operands kept by the last main line, in the order they were applied.
extern std::vector<ClStepsOperand> g_aSteps_Kept;
// The generation of g_aSteps_Kept: one more for every main line, so that a
// reader sees whether the kept operands are new.
extern uint32_t g_uiSteps_Generation;

// A main line starts: the last line's operands go, the new line's are kept
// until stopKeepingSteps. Nothing else (editor lines, files) keeps any.
void startKeepingSteps();
void stopKeepingSteps();
// Called by RREF, Inv and Det with their operand, and by left division with
// a square A (larger than 1 x 1) and its B, before they compute.
void keepStepsOperand(eSTEPS_KIND eKind, const ClMatrix& mA, const ClMatrix* pmB = nullptr);
// Nothing kept and not keeping, as at program start; a new generation, so
// that steps a reader computed before are seen to be stale.
void resetStepsKept();
