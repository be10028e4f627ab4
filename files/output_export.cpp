// SPDX-License-Identifier: GPL-3.0-or-later
// "Save Output": the output pane's text, unencoded, for use in reports.
#include "files/output_export.h"

#include <FL/Fl_Text_Buffer.H>

#include <algorithm>
#include <cstdlib>

#include "files/safe_file.h"

constexpr int gc_iSPACER_SKIP = 9;        // eight newlines and the first prompt's "\n"
constexpr int gc_iEXPORT_PIECE = 131072;  // bytes copied out of the buffer at a time

bool writeOutputText(const Fl_Text_Buffer& Buffer, FILE* pFile) {
  const int iLength = Buffer.length();
  for (int iStart = gc_iSPACER_SKIP; iStart < iLength; iStart += gc_iEXPORT_PIECE) {
    const int iEnd = std::min(iLength, iStart + gc_iEXPORT_PIECE);
    char* acPiece = Buffer.text_range(iStart, iEnd);
    const size_t uiSize = iEnd - iStart;
    const bool bWritten = std::fwrite(acPiece, 1, uiSize, pFile) == uiSize;
    std::free(acPiece);
    if (!bWritten) return false;
  }
  return std::fflush(pFile) == 0;
}

bool outputTextEndsOpen(const Fl_Text_Buffer& Buffer) {
  const int iLength = Buffer.length();
  return iLength > gc_iSPACER_SKIP && Buffer.byte_at(iLength - 1) != '\n';
}

eEXPORT saveOutputFile(const char* acName, const Fl_Text_Buffer& Buffer) {
  ClSafeFile File(acName);
  if (!File.open()) return eEXPORT_UNOPENED;
  if (!writeOutputText(Buffer, File.stream()) || !File.commit()) return eEXPORT_UNWRITTEN;
  return eEXPORT_OK;
}
