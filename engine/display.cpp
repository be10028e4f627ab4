// Display.
#include "engine/calculator.h"

bool isNumber(const ClMatrix&) { return true; }
void ClCalculator::cleanMatrix(ClMatrix&) {}
void ClCalculator::formatNumber(double, char* acText) { acText[0] = '\0'; }
void ClCalculator::matrixDisplay(const ClMatrix&) { g_acOutput_Line[0] = '\0'; }
