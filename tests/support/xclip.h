// SPDX-License-Identifier: GPL-3.0-or-later
// Reads an X selection the way another program would: through xclip, while
// the toolkit keeps answering the request for the window that owns it.
#pragma once

#include <string>

// The text of acSelection ("clipboard" or "primary"); empty when no owner
// serves text.
std::string selectionText(const char* acSelection);
