// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer harness: a script of token-character lines, as orvel-batch reads
// it, entered line by line through the same Enter and repetition code. The
// first byte chooses the output format and the Zero Out setting.
#include <cstddef>
#include <cstdint>
#include <string>

#include "command/callback.h"
#include "command/enter.h"
#include "command/history.h"
#include "engine/calculator.h"
#include "fuzz/fuzz_support.h"

namespace {

// Lines past this many are not run: each may print 3.75 MB.
constexpr int gc_iMAX_LINES = 64;

// What orvel-batch takes: at most 511 token characters a line.
bool isScriptLine(const std::string& sLine) {
  if (sLine.size() > gc_iMAX_TYPED_LINE) return false;
  for (const char c : sLine)
    if (!isLineCharacter(c)) return false;
  return true;
}

void enterScriptLine(const std::string& sLine) {
  setCurrentLine(sLine.data(), static_cast<uint16_t>(sLine.size()));
  enterLine();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aucData, size_t uiSize) {
  if (uiSize == 0) return 0;
  std::string asLines[gc_iMAX_LINES];
  int iLines = 0;
  const std::string sScript(reinterpret_cast<const char*>(aucData) + 1, uiSize - 1);
  for (size_t uiStart = 0; uiStart < sScript.size() && iLines < gc_iMAX_LINES;) {
    size_t uiEnd = sScript.find('\n', uiStart);
    if (uiEnd == std::string::npos) uiEnd = sScript.size();
    std::string sLine = sScript.substr(uiStart, uiEnd - uiStart);
    if (!sLine.empty() && sLine.back() == '\r') sLine.pop_back();
    // orvel-batch refuses the whole script: such inputs teach nothing
    if (!isScriptLine(sLine)) return -1;
    asLines[iLines++] = sLine;
    uiStart = uiEnd + 1;
  }

  const ClCpuTimeout Timeout;
  ClBoundedSeam seam;
  resetCommandState(seam);
  seam.setOn(eSWITCH_ZERO_OUT, (aucData[0] & 4) == 0);
  ClCallback::zeroOut_cb(nullptr, nullptr);
  g_eView_State = (aucData[0] & 3) % 3;
  for (int k = 0; k < iLines && !seam.isSpent(); ++k) {
    enterScriptLine(asLines[k]);
    expectSound("a line");
  }
  g_pSeam = nullptr;
  return 0;
}
