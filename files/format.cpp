// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/format.h"

#include <cstdarg>
#include <cstdio>

std::string formatMessage(const char* acFormat, ...) {
  va_list Arguments;
  va_start(Arguments, acFormat);
  va_list Copy;
  va_copy(Copy, Arguments);
  const int iLength = std::vsnprintf(nullptr, 0, acFormat, Copy);
  va_end(Copy);
  std::string sText(iLength > 0 ? iLength : 0, '\0');
  if (iLength > 0) std::vsnprintf(sText.data(), sText.size() + 1, acFormat, Arguments);
  va_end(Arguments);
  return sText;
}
