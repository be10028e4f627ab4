// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real calculator window in-process under Xvfb: key events go
// through the toolkit's dispatch to the keyboard handler, clicks to the
// buttons under the pointer, menu picks through the menu bar; dialogs are
// answered from queues.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "command/seam.h"
#include "ui/window.h"

struct ClAnswers {
  std::vector<std::string> m_asAlerts, m_asMessages, m_asQuestions;
  std::deque<std::string> m_asFiles;  // chosen names; none left = cancel
  int m_iChoice = 0;
  int m_iFile_Result = 0;  // -1 makes the chooser fail
};
extern ClAnswers g_Answers;

// Shows the window once and brings everything back to the start state:
// Two Windows at 100 %, Alt off, switches on, Decimal, empty history and
// variables.
void resetCalculator();

// One key press: key-down and key-up with the given key symbol and text.
void typeKey(int iKeysym, const char* acText, int iState = 0);
// Printable characters, each typed as its key (upper case with Shift).
void typeText(const std::string& sText);
void click(Fl_Widget* pWidget);
// A left-button press and release at a point of the main window.
void clickAt(int iX, int iY);
void pick(Fl_Menu_Item* pItem);

std::string paneText(ePANE ePane);
// The last line of the input pane, e.g. "In>1 + 2_".
std::string inputLine();
ClORVELUI& ui();

// Checks the right edge of every displayed line's last character, measured
// in the pane's font, against the scrollbar (or the frame when none shows),
// and returns how many of those lines were wrapped.
int expectLinesClearTheScrollbar(ClTextDisplay* pPane);
// Enters a 1 x 12 result of long entries and a long line echoed before its
// error message, then checks every shown pane's lines; acStep names the
// moment in a failure.
void expectLongLinesFit(const char* acStep);
