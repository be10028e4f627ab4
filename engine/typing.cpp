// Typing checks.
#include "engine/typing.h"

int32_t lg_eActive_Input = 0;
bool lg_bAssignTrue = false;

bool tokenErrorCheck(eTOKEN) { return true; }
bool digitKeyCheck(eTOKEN) { return true; }
bool digitErrorCheck(eTOKEN) { return true; }
