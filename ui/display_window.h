// SPDX-License-Identifier: GPL-3.0-or-later
// A top-level window showing one built-in HTML document: the help and the
// guide each have one, created on first use.
#pragma once

class Fl_Double_Window;
class Fl_Help_View;

class ClDisplayWindow {
 public:
  ClDisplayWindow();
  ~ClDisplayWindow();
  ClDisplayWindow(const ClDisplayWindow&) = delete;
  ClDisplayWindow& operator=(const ClDisplayWindow&) = delete;

  void show();
  void show(int iArgc, char** aacArgv);
  // Sets the base text size and lays the document out again.
  void textsize(int iSize);
  // Loads the HTML text and titles the window with the document's TITLE.
  void value(const char* acHtml);
  const char* value() const;

  Fl_Double_Window* m_pWindow;
  Fl_Help_View* m_pView;
};
