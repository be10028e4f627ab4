// Prefix operators and decompositions.
#include "engine/calculator.h"

bool ClCalculator::isPrefixOperator(eTOKEN) { return false; }
void ClCalculator::applyPrefix(eTOKEN, ClMatrix& mV) { mV.resize(0, 0); setError(8); }
ClComplex ClCalculator::gamma(ClComplex) { return 0.0; }
ClMatrix ClCalculator::charPoly(const ClMatrix&) { return ClMatrix(); }
ClMatrix ClCalculator::polyMultiply(const ClMatrix&, const ClMatrix&) { return ClMatrix(); }
