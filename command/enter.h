// SPDX-License-Identifier: GPL-3.0-or-later
// Enter, the repetition of history ranges, key presses and the start text of
// the panes. Shared by the window, the batch runner and the tests.
#pragma once

#include <complex>
#include <cstdint>
#include <string>

#include "engine/tokens.h"

class ClPane;
class ClSeam;

// The notice printed when a repetition ends on a stop request.
extern const char gc_acSTOP_NOTICE[];

// Makes acLine (token characters) the current line with the cursor at its
// end, keeping the display start, and renders it. At most 511 characters are
// taken.
void setCurrentLine(const char* acLine, uint16_t uiLength);
// One press of the key of eToken: the one dispatch of the keypad, the
// keyboard, the batch runner and the tests. Alt only swaps the keypad's
// buttons: pAlt does that, and where there is no keypad (batch runner, tests)
// it is null and Alt does nothing.
void pressToken(eTOKEN eToken, void (*pAlt)() = nullptr);
// Types the token characters of sKeys at the cursor as their keys would,
// through the same checks (Error Check, the number-key rules, the line's
// length, Auto Parentheses), then renders the line once. All or nothing: when
// a key is refused the line stays as it was, sWhy says which key where, or
// that the keys do not fit, and the result is false.
bool typeKeysAtCursor(const std::string& sKeys, std::string& sWhy);
// Removes the cursor character "_" when it ends the pane's text.
void removeTrailingCursor(ClPane& pane);
// Where Enter in a matrix editor cell moves on to: the next cell (Enter, Tab)
// or the previous one (Shift+Tab).
enum eSTEP { eSTEP_NEXT, eSTEP_PREVIOUS };

// Enter on the current line: history, evaluation, output, a new prompt. In a
// matrix editor cell: the cell's value, then the move by eStep. The one way to
// press Enter from code.
void enterLine(eSTEP eStep = eSTEP_NEXT);
// The value of the editor line just entered: true for a 1 x 1 result without
// error.
bool editorScalar(std::complex<double>& cValue);
// Runs the repetition recorded in history slot uiSlot; forward ranges must end
// before uiVisible_Count - 1. bQuiet prints nothing but errors.
void executeLines(uint16_t uiSlot, uint16_t uiVisible_Count, bool bQuiet);
// No repetition running and no stop pending, as at program start.
void resetRepetitions();
// A notice between two lines: in the output pane at its mark and, where the
// input pane shows results too, before the prompt of the current line.
void showNotice(const char* acNotice);
// Empties both panes and writes their start text: the spacers, the first
// prompt and the cursor; the output mark follows the spacer.
void resetPanes(ClSeam& seam);
// The output pane's part of resetPanes.
void resetOutputPane(ClSeam& seam);
