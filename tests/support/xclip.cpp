// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/xclip.h"

#include <FL/Fl.H>

#include <chrono>
#include <cstdio>
#include <future>

std::string selectionText(const char* acSelection) {
  // no owner yet is an answer, not an error worth printing
  const std::string sCommand = std::string("xclip -selection ") + acSelection + " -o 2>/dev/null";
  std::future<std::string> text = std::async(std::launch::async, [sCommand] {
    std::string sText;
    FILE* pPipe = popen(sCommand.c_str(), "r");
    if (pPipe == nullptr) return sText;
    char acBuffer[4096];
    for (size_t n; (n = fread(acBuffer, 1, sizeof acBuffer, pPipe)) > 0;) sText.append(acBuffer, n);
    pclose(pPipe);
    return sText;
  });
  while (text.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) Fl::wait(0.05);
  return text.get();
}
