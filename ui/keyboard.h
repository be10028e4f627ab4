// Keys that act as line commands (arrows, BackSpace).
#pragma once

#include "engine/tokens.h"

// The line command of a key symbol, eNULL for any other key.
eTOKEN lineCommandOf(int iKey);
