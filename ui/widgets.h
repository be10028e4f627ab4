// SPDX-License-Identifier: GPL-3.0-or-later
// The small widget subclasses of the calculator window. ClWindow's handle()
// is the keyboard handler (keyboard.cpp); ClTextDisplay's leaves the menu's
// Ctrl+Shift+C alone.
// The matrix editor's table is in table.h.
#pragma once

// Eigen before the X11 headers that the text display pulls in: X.h defines
// Success, a name Eigen uses.
// clang-format off
#include "engine/state.h"
// clang-format on

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Simple_Counter.H>
#include <FL/Fl_Text_Display.H>

class ClWindow : public Fl_Double_Window {
 public:
  ClWindow(int iW, int iH, const char* acTitle) : Fl_Double_Window(iW, iH, acTitle) {}
  int handle(int iEvent) override;
};

class ClButton : public Fl_Button {
 public:
  ClButton(int iX, int iY, int iW, int iH, const char* acLabel = nullptr)
      : Fl_Button(iX, iY, iW, iH, acLabel) {}
  // A keypad button (one with a token) refuses the keyboard focus: keys and
  // clicks act through it, the focus stays in the pane that had it.
  int handle(int iEvent) override;
  eTOKEN m_eToken = eNULL;  // the callback's user data points here
  char m_cToken = 0;
};

class ClTextDisplay : public Fl_Text_Display {
 public:
  ClTextDisplay(int iX, int iY, int iW, int iH, const char* acLabel = nullptr)
      : Fl_Text_Display(iX, iY, iW, iH, acLabel), m_iX(iX), m_iY(iY), m_iW(iW), m_iH(iH) {}
  // Scrolls so that the last line is at the bottom. At the end of a large
  // wrapped buffer this counts lines back from the end only, where
  // show_insert_position() would measure every inserted character again.
  void showEnd();
  void showInsertPositionFast();
  // The toolkit's display copies its selection at Ctrl+C, Shift or not;
  // Ctrl+Shift+C is Edit > Copy Result As > Text.
  int handle(int iEvent) override;

  int m_iMark = 0;  // where the next output is appended (output pane)
  const int m_iX, m_iY, m_iW, m_iH;
};

class ClGroup : public Fl_Group {
 public:
  ClGroup(int iX, int iY, int iW, int iH, const char* acLabel = nullptr)
      : Fl_Group(iX, iY, iW, iH, acLabel) {}
};

class ClBox : public Fl_Box {
 public:
  ClBox(int iX, int iY, int iW, int iH, const char* acLabel = nullptr)
      : Fl_Box(iX, iY, iW, iH, acLabel) {}
};

class ClCounter : public Fl_Simple_Counter {
 public:
  ClCounter(int iX, int iY, int iW, int iH, const char* acLabel = nullptr)
      : Fl_Simple_Counter(iX, iY, iW, iH, acLabel) {}
};
