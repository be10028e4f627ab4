// SPDX-License-Identifier: GPL-3.0-or-later
// Encodes a libFuzzer dictionary of plain file words (standard input) for
// fuzz_file, whose inputs are encoded data files: every value is written as
// the \xNN escapes of its encoded bytes. Comments and blank lines stay.
#include <cctype>
#include <cstdio>
#include <iostream>
#include <string>

#include "files/codec.h"

namespace {

// The value between the first and the last double quote, escapes resolved.
bool plainValue(const std::string& sEntry, std::string& sValue) {
  const size_t uiOpen = sEntry.find('"');
  const size_t uiClose = sEntry.rfind('"');
  if (uiOpen == std::string::npos || uiClose <= uiOpen) return false;
  for (size_t k = uiOpen + 1; k < uiClose; ++k) {
    if (sEntry[k] != '\\') {
      sValue += sEntry[k];
    } else if (sEntry[k + 1] == 'x' && k + 3 < uiClose) {
      sValue += static_cast<char>(std::stoi(sEntry.substr(k + 2, 2), nullptr, 16));
      k += 3;
    } else {
      sValue += sEntry[++k];
    }
  }
  return true;
}

}  // namespace

int main() {
  Set_Code_Arrays();
  std::string sEntry;
  while (std::getline(std::cin, sEntry)) {
    std::string sValue;
    if (sEntry.empty() || sEntry[0] == '#' || !plainValue(sEntry, sValue)) {
      std::cout << sEntry << '\n';
      continue;
    }
    CodeFile(sValue.data(), sValue.size());
    std::cout << sEntry.substr(0, sEntry.find('"')) << '"';
    for (const char c : sValue) {
      char acEscape[8];
      std::snprintf(acEscape, sizeof acEscape, "\\x%02X", static_cast<unsigned char>(c));
      std::cout << acEscape;
    }
    std::cout << "\"\n";
  }
  return 0;
}
