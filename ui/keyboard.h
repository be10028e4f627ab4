// SPDX-License-Identifier: GPL-3.0-or-later
// The keys without a character of their own (arrows, BackSpace, Escape,
// Enter, Tab in a matrix editor cell) and the tokens they press, and the
// keys that are menu rows users do not see: the zoom keys and Space.
#pragma once

#include <cstdint>

#include "engine/tokens.h"

class Fl_Widget;

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

// A zoom key: the View > Zoom factor after or before the one in effect, or
// the first. Ctrl with plus, minus or 0 are menu rows; their other keys
// (Ctrl with "=" and the numeric keypad's) are rows of keyboard.cpp's table.
enum eZOOM_KEY : int32_t { eZOOM_OUT = -1, eZOOM_FIRST = 0, eZOOM_IN = 1 };
// User data pointing at an eZOOM_KEY.
void zoomKey_cb(Fl_Widget* pWidget, void* pData);
// Space: shows the steps while the output pane has the focus; elsewhere it
// types nothing.
void stepsKey_cb(Fl_Widget* pWidget, void* pData);
