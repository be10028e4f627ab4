// SPDX-License-Identifier: GPL-3.0-or-later
// The plain text of the output pane, as "Save Output" writes it to a file
// and the batch runner to its standard output.
#pragma once

#include <cstdio>

class Fl_Text_Buffer;

enum eEXPORT { eEXPORT_OK, eEXPORT_UNOPENED, eEXPORT_UNWRITTEN };

// Writes the pane's text from its tenth character on (past the eight-newline
// spacer and the newline that opens the first "\nOut>"); false on a write error.
bool writeOutputText(const Fl_Text_Buffer& Buffer, FILE* pFile);

// True when the text writeOutputText writes is not empty and its last line
// has no closing newline.
bool outputTextEndsOpen(const Fl_Text_Buffer& Buffer);
// Writes the text to a file through a temporary file beside it; errno is
// set when the result is not eEXPORT_OK.
eEXPORT saveOutputFile(const char* acName, const Fl_Text_Buffer& Buffer);
