// SPDX-License-Identifier: GPL-3.0-or-later
// Typing checks: a candidate token against the one token before the cursor
// of g_Current_State. Nothing here counts brackets or looks past the cursor;
// whatever passes is left to the lexer and the evaluator.
#include "engine/typing.h"

#include "engine/state.h"

namespace {

// The typing state as at program start, for the definitions and resetTyping.
constexpr int32_t gc_eSTART_INPUT = eMAIN_LINE;
constexpr bool gc_bSTART_ASSIGN = false;

}  // namespace

int32_t lg_eActive_Input = gc_eSTART_INPUT;
bool lg_bAssignTrue = gc_bSTART_ASSIGN;

void resetTyping() {
  lg_eActive_Input = gc_eSTART_INPUT;
  lg_bAssignTrue = gc_bSTART_ASSIGN;
}

namespace {

// The token of the character just before the cursor; the cursor is above 0.
eTOKEN tokenBeforeCursor() {
  return tokenOf(g_Current_State.m_acLine[g_Current_State.m_uiCursor - 1]);
}

bool acceptAtLineStart(eTOKEN t) {
  if (t == eASSIGN || isClosing(t) || isSeparator(t) || isBinaryOperator(t)) return false;
  lg_bAssignTrue = false;
  return true;
}

bool acceptAssignment(eTOKEN p) {
  if (lg_eActive_Input != eMAIN_LINE) return false;
  if (p != ePI && !isVariableToken(p) && p != eRPAREN) return false;
  if (lg_bAssignTrue) return false;
  lg_bAssignTrue = true;
  return true;
}

}  // namespace

bool tokenErrorCheck(eTOKEN t) {
  if (t == eRPT || t == ePLOT) {
    // they can only begin a line of the main input
    if (lg_eActive_Input != eMAIN_LINE || g_Current_State.m_uiCursor != 0) return false;
  }
  if (g_Current_State.m_uiCursor == 0) return acceptAtLineStart(t);

  const eTOKEN p = tokenBeforeCursor();
  if ((isNamedValue(t) || isHeavyFunction(t)) && endsTypedValue(p)) return false;
  if ((p == eI || isNumberPart(p)) && refusedAfterNumber(t)) return false;
  if (isStrictBinary(t) && refusesStrictBinaryTyped(p)) return false;
  if (isSeparator(t) && isSeparator(p)) return false;
  // `.` before an operator is the first half of `.*`, `./` or `.\`
  if (p == ePOINT) return t == eMINUS || t == eQR || isBinaryOperator(t);
  if (t == eASSIGN) return acceptAssignment(p);
  if (p == eASSIGN) return !isClosing(t) && !isSeparator(t);
  if (t == p) return t != eI && t != ePI;
  return true;
}

bool digitKeyCheck(eTOKEN t) {
  if (g_Current_State.m_uiCursor == 0) return t != eEXPONENT;
  const eTOKEN p = tokenBeforeCursor();
  const bool bPoint_Or_Exponent = t == ePOINT || t == eEXPONENT;
  if (p == ePOINT || p == eEXPONENT) {
    if (bPoint_Or_Exponent) return false;
  } else if (t == ePOINT) {
    // a `.` after a value may start `.*`, `./` or `.\`
    return true;
  }
  return digitErrorCheck();
}

bool digitErrorCheck() {
  return !endsValue(tokenBeforeCursor());
}
