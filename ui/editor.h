// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix editor: its callbacks are ClCallback members (editor.cpp); its
// own state; the menu items it makes inactive while it runs.
#pragma once

#include <cstdint>

#include "engine/state.h"

class ClTable;

// Everything the editor keeps between its callbacks. Which input the keys
// edit stays lg_eActive_Input (engine/typing.h): the typing checks and Enter
// read it too.
struct ClEditorState {
  // the Matrix menu item's variable code, kept for a restart of the size step
  int32_t* m_pEdit_Token = nullptr;
  ClMatrix* m_pEdit_Matrix = nullptr;
  char m_cEdit_Name = ' ';
  // 0 unless the fill-in line gave a 1 x 1 value
  ClComplex m_cFill_In = 0.0;
  // the current layout's table during the table step; null otherwise
  ClTable* m_pActive_Table = nullptr;
};

extern ClEditorState g_Editor;

// Makes the items that could disturb the editor inactive (a layout change, a
// zoom, a graph toggle, files, history, "Execute").
void editDisableItems();
// Undoes editDisableItems; the graph items only while the graph is open.
void editEnableItems();
