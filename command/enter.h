// Enter, the repetition of history ranges, key presses and the start text of
// the panes. Shared by the window, the batch runner and the tests.
#pragma once

#include <cstdint>

#include "engine/tokens.h"

class ClPane;
class ClSeam;

// The notice printed when a repetition ends on a stop request.
extern const char gc_acSTOP_NOTICE[];

// Makes acLine (token characters) the current line with the cursor at its
// end, keeping the display start, and renders it. At most 511 characters are
// taken.
void setCurrentLine(const char* acLine, uint16_t uiLength);
// One press of the keypad button of eToken: the callback the button calls.
void pressToken(eTOKEN eToken);
// Removes the cursor character "_" when it ends the pane's text.
void removeTrailingCursor(ClPane& pane);
// Enter on the current line: history, evaluation, output, a new prompt.
void enterLine();
// Runs the repetition recorded in history slot uiSlot; forward ranges must end
// before uiVisible_Count - 1. bQuiet prints nothing but errors.
void executeLines(uint16_t uiSlot, uint16_t uiVisible_Count, bool bQuiet);
// Empties both panes and writes their start text: the spacers, the first
// prompt and the cursor; the output mark follows the spacer.
void resetPanes(ClSeam& seam);
// The output pane's part of resetPanes.
void resetOutputPane(ClSeam& seam);
