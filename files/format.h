// SPDX-License-Identifier: GPL-3.0-or-later
// printf-style text for the alert and message boxes.
#pragma once

#include <string>

std::string formatMessage(const char* acFormat, ...) __attribute__((format(printf, 1, 2)));
