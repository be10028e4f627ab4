// Parser.
#include "engine/calculator.h"

bool ClCalculator::tParser() { return false; }
ClMatrix ClCalculator::statement() { return ClMatrix(); }
ClMatrix ClCalculator::assignment() { return ClMatrix(); }
ClMatrix ClCalculator::expression() { return ClMatrix(); }
ClMatrix ClCalculator::term() { return ClMatrix(); }
ClMatrix ClCalculator::binary() { return ClMatrix(); }
ClMatrix ClCalculator::unary() { return ClMatrix(); }
ClMatrix ClCalculator::operand() { return ClMatrix(); }
