// Operands.
#include "engine/calculator.h"

ClMatrix ClCalculator::primary() { return ClMatrix(); }
ClMatrix ClCalculator::scalar() { return ClMatrix(); }
ClMatrix ClCalculator::matrix() { return ClMatrix(); }
ClMatrix ClCalculator::variable() { return ClMatrix(); }
Clmatrixref ClCalculator::matrixref() { return Clmatrixref(); }
ClMatrix ClCalculator::mvlist() { return ClMatrix(); }
ClMatrix ClCalculator::rowlist() { return ClMatrix(); }
ClMatrix ClCalculator::list() { return ClMatrix(); }
