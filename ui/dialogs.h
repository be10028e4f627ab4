// SPDX-License-Identifier: GPL-3.0-or-later
// The modal boxes and the file chooser, behind one replaceable table so that
// tests can answer them.
#pragma once

#include <string>

struct ClDialogs {
  void (*m_pfAlert)(const char* acText);
  void (*m_pfMessage)(const char* acText);
  // 0 or 1: the index of the chosen button.
  int (*m_pfChoice)(const char* acQuestion, const char* acButton0, const char* acButton1);
  // 0 chosen (sName set), 1 cancelled, -1 chooser error.
  int (*m_pfChooseFile)(const char* acTitle, bool bSave, std::string& sName);
};

extern ClDialogs g_Dialogs;
