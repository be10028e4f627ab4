// SPDX-License-Identifier: GPL-3.0-or-later
// A matrix written for other tools: the calculator's own text, LaTeX,
// Markdown, NumPy, Octave and CSV. Copy Result As puts the last result on
// the clipboard in one of them; orvel-batch --result-format prints results
// in one.
#pragma once

#include <cstdint>
#include <string>

#include "command/text_forms.h"
#include "engine/display.h"

// The menu's labels ("Text", "LaTeX", ...) and orvel-batch's words ("text",
// "latex", ...), by form.
extern const char* const gc_aacRESULT_FORM_LABEL[gc_iRESULT_FORMS];
extern const char* const gc_aacRESULT_FORM_WORD[gc_iRESULT_FORMS];

// mM in a form, its numbers written by the one writer with the display
// options (full precision: 17 significant digits, nothing hidden).
std::string matrixInForm(const ClMatrix& mM, eTEXT_FORM eForm, const ClDisplayOptions& display);
