// SPDX-License-Identifier: GPL-3.0-or-later
// The 96 keypad buttons: one table of rows built by one loop, the Alt
// alternates and the button map.
#pragma once

#include "engine/tokens.h"

class ClButton;
class ClGroup;

// Button of each token code in the current layout; null for codes without one.
extern ClButton* g_epbDictionary[gc_iTOKEN_COUNT];
// A primary button and the alternate that Alt shows on its cell instead.
struct ClAltPair {
  eTOKEN m_ePrimary;
  eTOKEN m_eAlternate;
};
constexpr int gc_iALT_PAIRS = 36;
extern const ClAltPair lg_eALTS[gc_iALT_PAIRS];
extern bool lg_bAlt_On;

// Creates the keypad buttons inside the current group (the keypad group),
// alternates hidden; fills g_epbDictionary and the keyboard map.
void buildKeypad(bool bPortrait);
// Shrinks every label (both Alt sets) that does not fit its button with a
// few pixels to spare to the largest size that does, measured with the font
// the display resolved. Needs the display open.
void fitKeypadLabels();
