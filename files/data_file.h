// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator's data files (".orv"): the history file (the history and
// every small variable) and the variable file (one variable of any size).
// Both are plain words encoded byte by byte (files/codec.h).
// The files folder:
//   data_file.h         this interface: saving and loading data files
//   data_file.cpp       writing data files
//   data_load.cpp       reading data files; history lines enter through Enter
//   file_callbacks.cpp  the File and Edit > History items that save and load
//   codec.h/.cpp        the byte substitution of the data files
//   safe_file.h/.cpp    writing under a temporary name, then renaming
//   output_export.h/.cpp  the output pane's text ("Save Output", batch runner)
//   format.h/.cpp       printf-style text for the message boxes
#pragma once

#include <string>

#include "engine/tokens.h"

extern const char gc_acORVEL_SIGNATURE[];  // "ORVEL_3.141592653897932"

constexpr int gc_iHISTORY_FILE_KIND = 0;
constexpr long gc_lSAVED_WITH_HISTORY = 4096;  // larger variables need a variable file
constexpr size_t gc_uiMESSAGE_SIZE = 8191;     // characters of a message entry

enum eLOAD_MODE : unsigned short { eLOAD_OPEN = 0, eLOAD_APPEND = 1 };

// The first occurrence of ".orv" ends the name.
bool hasOrvelExtension(const std::string& sName);

// Write through a temporary file; false (errno set) when the file cannot be
// created or written. The history file leaves out a variable the reader could
// not take back (non-finite entries); the variable file refuses it (EDOM).
bool saveInFile(const char* acName);
bool saveVariableFile(const char* acName, eTOKEN eVariable);

// The save items' checks and alerts, shared with the batch runner.
// False, with the "Nothing to save" alert, when the variable is undefined.
bool isDefinedForSaving(eTOKEN eVariable);
// Saves a history file (eVariable eNULL) or a variable file; false, with the
// "Error saving file" alert, when the save failed.
bool saveDataFile(const char* acName, eTOKEN eVariable);

// Reads either kind; mode 0 Open, 1 Append. True when the file was read to
// its expected end (or to the end of its history lines).
bool loadInFile(const char* acName, unsigned short uiMode);
