// SPDX-License-Identifier: GPL-3.0-or-later
// The forms the calculator writes text in for other tools and viewers: a
// result (Copy Result As, orvel-batch --result-format) in the first six, the
// steps in plain text, LaTeX and the help viewer's HTML.
#pragma once

#include <cstdint>

enum eTEXT_FORM : int32_t {
  eFORM_TEXT,
  eFORM_LATEX,
  eFORM_MARKDOWN,
  eFORM_NUMPY,
  eFORM_OCTAVE,
  eFORM_CSV,
  eFORM_HTML,
};

// The forms a result is written in: eFORM_TEXT to eFORM_CSV.
constexpr int32_t gc_iRESULT_FORMS = eFORM_CSV + 1;
