// SPDX-License-Identifier: GPL-3.0-or-later
// A matrix written for other tools: the calculator's own text, LaTeX,
// Markdown, NumPy, Octave and CSV. Copy Result As puts the last result on
// the clipboard in one of them; orvel-batch --result-format prints results
// in one.
#pragma once

#include <cstdint>
#include <string>

#include "engine/display.h"

enum eRESULT_FORM : int32_t {
  eRESULT_TEXT,
  eRESULT_LATEX,
  eRESULT_MARKDOWN,
  eRESULT_NUMPY,
  eRESULT_OCTAVE,
  eRESULT_CSV,
  eRESULT_FORM_COUNT,
};

// The menu's labels ("Text", "LaTeX", ...) and orvel-batch's words ("text",
// "latex", ...), by form.
extern const char* const gc_aacRESULT_FORM_LABEL[eRESULT_FORM_COUNT];
extern const char* const gc_aacRESULT_FORM_WORD[eRESULT_FORM_COUNT];

// mM in a form, its numbers written by the one writer with the display
// options (full precision: 17 significant digits, nothing hidden).
std::string matrixInForm(const ClMatrix& mM, eRESULT_FORM eForm, const ClDisplayOptions& display);
