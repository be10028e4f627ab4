// SPDX-License-Identifier: GPL-3.0-or-later
// The data file encoding: code(b) = (k + m b) mod 256 and its inverse table.
#include "files/codec.h"

// The multiplier is odd, so the code is a permutation; the offset is odd too,
// so (m - 1) b = -k has no solution mod 256 and no byte encodes to itself.
constexpr unsigned gc_uiCODE_OFFSET = 181;
constexpr unsigned gc_uiCODE_MULTIPLIER = 77;

uint16_t lg_uiCode[256];
uint16_t lg_uiDCode[256];

void Set_Code_Arrays() {
  for (unsigned b = 0; b < 256; ++b) {
    lg_uiCode[b] = (gc_uiCODE_OFFSET + gc_uiCODE_MULTIPLIER * b) % 256;
    lg_uiDCode[lg_uiCode[b]] = b;
  }
}

static void mapBlock(const uint16_t* auiTable, char* acBlock, unsigned long ulLength) {
  for (unsigned long k = 0; k < ulLength; ++k)
    acBlock[k] = static_cast<char>(auiTable[static_cast<unsigned char>(acBlock[k])]);
}

void CodeFile(char* acBlock, unsigned long ulLength) {
  mapBlock(lg_uiCode, acBlock, ulLength);
}

void DCodeFile(char* acBlock, unsigned long ulLength) {
  mapBlock(lg_uiDCode, acBlock, ulLength);
}
