// SPDX-License-Identifier: GPL-3.0-or-later
// The input line's editing and rendering, and the history of entered lines.
#pragma once

#include <cstdint>

#include "engine/state.h"

class ClSeam;

constexpr int gc_iHISTORY_SIZE = 1024;

extern ClState lg_State_History[gc_iHISTORY_SIZE];
extern uint16_t g_uiHistory_Next;  // number of stored lines, next free slot (defined in the engine)
extern uint16_t g_uiHistory_Index;  // slot shown while browsing; = count on the fresh line
// The window format chosen in the View menu.
enum eWINDOW_MODE : int32_t { eTWO_WINDOWS, eONE_WINDOW, ePORTRAIT_MODE };
extern int32_t g_eWindow_Mode;  // an eWINDOW_MODE

extern const char gc_acIN_PROMPT[];   // "\nIn>"
extern const char gc_acOUT_PROMPT[];  // "\nOut>"
extern const char gc_acCURSOR[];      // "_"
extern const char gc_acIN_SPACER[];   // eight newlines
extern const char gc_acOUT_SPACER[];  // eight newlines

void insertToken(eTOKEN eToken);
// History browsing: replaces the current line by a copy of line at the same
// display start and renders it.
void recallLine(const ClState& line);
void displayCurrent();
void copyHistory(int16_t iFirst, int16_t iLast, int16_t iShift);
// Stores the current line at the end of the history; returns its slot.
uint16_t appendHistory();

// The calculator as at program start, working through seam: the engine's
// start state, no repetition running, Two Windows, an empty history and the
// panes' start text.
void resetCommandState(ClSeam& seam);
