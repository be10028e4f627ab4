// Argument functions.
#include "engine/calculator.h"

ClMatrix ClCalculator::exceptionalUnary() { return ClMatrix(); }
ClMatrix ClCalculator::constructor() { return ClMatrix(); }
