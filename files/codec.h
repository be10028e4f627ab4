// SPDX-License-Identifier: GPL-3.0-or-later
// The byte substitution that keeps data files from reading as text: a fixed
// affine permutation of 0..255 and its inverse. No header, no length, no
// checksum: an encoded block has exactly as many bytes as its plain text.
#pragma once

#include <cstdint>

extern uint16_t lg_uiCode[256];
extern uint16_t lg_uiDCode[256];

// Fills both tables; called once at start, before any file is read or written.
void Set_Code_Arrays();
// Encode or decode a block in place, every byte by its unsigned value.
void CodeFile(char* acBlock, unsigned long ulLength);
void DCodeFile(char* acBlock, unsigned long ulLength);
