// Lexer.
#include "engine/calculator.h"

bool ClCalculator::tLexer() { return false; }
bool ClCalculator::charToDouble(const char*, double&) { return false; }
bool ClCalculator::valueCheck(uint16_t) { return true; }
bool ClCalculator::unaryCheck(uint16_t) { return true; }
bool ClCalculator::binaryCheck(uint16_t) { return true; }
bool ClCalculator::closeCheck(uint16_t) { return true; }
