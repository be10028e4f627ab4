// Keys that act as line commands (arrows, BackSpace), and Tab in a matrix
// editor cell.
#pragma once

#include "engine/tokens.h"

// The line command of a key symbol, eNULL for any other key.
eTOKEN lineCommandOf(int iKey);
// Tab (with or without Shift) while a matrix editor cell is edited.
bool isCellKey(int iKey);
