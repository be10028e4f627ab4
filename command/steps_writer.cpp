// SPDX-License-Identifier: GPL-3.0-or-later
#include "command/steps_writer.h"

std::string stepsDocument(const std::vector<ClStepsOperand>& aKept, const ClStepsView& view,
                          eSTEPS_FORM eForm) {
  std::string sDocument;
  for (const ClStepsOperand& operand : aKept)
    sDocument +=
        writeSteps(operand, computeSteps(operand, view.m_Options), view.m_eGrouping, eForm);
  return sDocument;
}

std::string writeSteps(const ClStepsOperand& operand, const ClSteps&, eSTEPS_GROUPING,
                       eSTEPS_FORM) {
  return stepsTitle(operand) + "\n";
}
