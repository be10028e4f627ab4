// SPDX-License-Identifier: GPL-3.0-or-later
// Checks made while typing: a candidate token against the token before the
// cursor of g_Current_State. A refused key is ignored by the caller.
#pragma once

#include <cstdint>

#include "engine/tokens.h"

// Which input the keys edit: the main input line, a matrix editor cell, or
// the editor's fill-in value.
enum eACTIVE_INPUT : int32_t { eMAIN_LINE, eEDITOR_CELL, eEDITOR_FILL_IN };
extern int32_t lg_eActive_Input;  // an eACTIVE_INPUT
// set once an `=` has been accepted on the current line
extern bool lg_bAssignTrue;
// Both as at program start: the main line, no `=` accepted.
void resetTyping();

// The ordinary-token check, run only while "Error Check" is on.
bool tokenErrorCheck(eTOKEN eToken);
// The number-key rules, run whatever the setting; eToken is 0..9, '.', 'E'.
bool digitKeyCheck(eTOKEN eToken);
// Part of the number-key rules, the same for every number key: refused
// after i, Pi, a variable, ] or ).
bool digitErrorCheck();
