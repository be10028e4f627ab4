// SPDX-License-Identifier: GPL-3.0-or-later
// The Steps documents written from the operands the last main line kept:
// plain text (orvel-batch --steps, Copy Steps as Text), the help viewer's
// HTML (the Steps window) and LaTeX (Copy Steps as LaTeX: a whole document
// that pdflatex compiles).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "command/text_forms.h"
#include "engine/steps.h"

// Every operation with the matrix after it, or one block per pivot column:
// its operations, then the matrix after the last.
enum eSTEPS_GROUPING : int32_t { eGROUP_EACH_OPERATION, eGROUP_PER_COLUMN };

// The characters of a monospaced line that the Steps window shows without
// scrolling at the landscape window's text size (18); wider matrices are
// written in narrower column strips in HTML. The portrait window (text size
// 16, 375 pixels wide) holds about 36.
constexpr int32_t gc_iSTEPS_HTML_LINE = 48;

// What the reader asked for: the Steps window's choices, or orvel-batch's.
struct ClStepsView {
  ClStepsOptions m_Options;
  eSTEPS_GROUPING m_eGrouping = eGROUP_EACH_OPERATION;
  int32_t m_iHtml_Line = gc_iSTEPS_HTML_LINE;
};

// The steps of every kept operand in one document; where none was kept, the
// document says which functions have steps and that the last line had none.
std::string stepsDocument(const std::vector<ClStepsOperand>& aKept, const ClStepsView& view,
                          eTEXT_FORM eForm);
// The same from steps computed already, one per kept operand in order: a
// reader that writes several forms or groupings computes them once.
std::string stepsDocument(const std::vector<ClStepsOperand>& aKept,
                          const std::vector<ClSteps>& aSteps, const ClStepsView& view,
                          eTEXT_FORM eForm);
// One kept application's steps, its title first: a part of a document.
std::string writeSteps(const ClStepsOperand& operand, const ClSteps& steps,
                       eSTEPS_GROUPING eGrouping, eTEXT_FORM eForm,
                       int32_t iHtml_Line = gc_iSTEPS_HTML_LINE);
// Parts from writeSteps made one whole document: the HTML page around them,
// or the LaTeX preamble and end; plain text is joined as it is.
std::string wholeDocument(const std::vector<std::string>& asParts, eTEXT_FORM eForm);

// An entry as the calculator writes it ("-2/3", "1.5E-03", "1/2 - 3/4i", "i")
// in LaTeX math: \frac for fractions, \times 10^{n} for exponents.
std::string latexNumber(const std::string& sEntry);
