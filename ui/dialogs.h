// SPDX-License-Identifier: GPL-3.0-or-later
// The modal boxes and the file chooser, behind one replaceable table so that
// tests can answer them.
#pragma once

#include <string>

struct ClDialogs {
  void (*m_pfAlert)(const char* acText);
  void (*m_pfMessage)(const char* acText);
  // 0 or 1: the index of the chosen button. Button 0 is the safe answer:
  // Return, Escape and closing the box choose it.
  int (*m_pfChoice)(const char* acQuestion, const char* acButton0, const char* acButton1);
  // 0 chosen (sName set), 1 cancelled, -1 chooser error.
  int (*m_pfChooseFile)(const char* acTitle, bool bSave, std::string& sName);
};

// The window's own boxes, and the table in use (the window's unless a test
// answers them).
extern const ClDialogs gc_WINDOW_DIALOGS;
extern ClDialogs g_Dialogs;
