// SPDX-License-Identifier: GPL-3.0-or-later
// The documents and the About picture, embedded at build time from
// docs/help.html, docs/guide.html and ui/linalg.png.
#pragma once

#include <cstddef>
#include <cstdint>

extern const char gc_acHELP_TEXT[];
extern const char gc_acGUIDE_TEXT[];
// One byte of the PNG file in each unit.
extern const uint16_t gc_acLINALG[];
extern const std::size_t gc_uiLINALG_SIZE;
