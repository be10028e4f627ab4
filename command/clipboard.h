// SPDX-License-Identifier: GPL-3.0-or-later
// Matrices in and out through the clipboard: pasted text goes into the
// current line or the matrix editor's table; the last result and the table
// are copied as text other tools read. The toolkit's clipboard is the
// window's side of the seam (copyText, requestPaste).
#pragma once

#include <string>

#include "command/matrix_forms.h"

// Text from the clipboard or the primary selection. In the editor's table it
// fills a block of cells from the edited cell (the first cell when none is
// edited); elsewhere a matrix is typed at the cursor of the current line as
// "[a,b;c,d]" through the typing checks of the keys, and text of key
// characters is typed as keys. A refusal changes nothing and says why in a
// message box.
void pasteText(const std::string& sText);
// The last result (Ans) in a form; empty while there is none.
std::string resultText(eTEXT_FORM eForm, bool bFull_Precision);
// The editor's table as tab-separated rows, numbers as the table shows them
// or at full precision.
std::string tableText(bool bFull_Precision);
