// SPDX-License-Identifier: GPL-3.0-or-later
// The keys without a character of their own (arrows, BackSpace, Escape,
// Enter, Tab in a matrix editor cell) and the tokens they press.
#pragma once

#include "engine/tokens.h"

// The line command that the keyboard handler runs at the key-down of a key
// symbol, eNULL for any other key.
eTOKEN lineCommandOf(int iKey);
// Tab (with or without Shift) while a matrix editor cell is edited.
bool isCellKey(int iKey);
// Ctrl+V or Ctrl+C in the matrix editor's table step: the table's paste and
// copy, which reach it before the focused cell editor.
bool isTableClipboardKey();
// The key symbol bound to the button of eToken, 0 when its token character is.
int specialKeyOf(eTOKEN eToken);
// One press of the key of eToken from the window: Alt swaps the keypad.
void pressKey(eTOKEN eToken);
// Escape reaching a window as a key or as a shortcut: it closes the help,
// guide and About windows.
bool isEscapeEvent(int iEvent);
