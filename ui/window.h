// SPDX-License-Identifier: GPL-3.0-or-later
// The owner of the calculator window: the current layout, the two pane
// buffers, start-up, the rebuild between landscape and portrait, and the
// arrangement of the panes for the current window mode, graph and editor.
// The ui folder:
//   main.cpp            the program's main and its options
//   zoom.h/.cpp         the zoom factor: its sources, its cap, scaled lengths
//   notifier.h          a change announced to the windows made from it
//   window.h/.cpp       this owner, the window-mode and close callbacks
//   layout.h/.cpp       the widgets of one layout and the two geometry tables
//   menu.cpp            the menu table, its item pointers, the output format
//   keypad.h/.cpp       the keypad buttons and the Alt switch
//   keyboard.h/.cpp     the main window's keyboard handler
//   widgets.h/.cpp      the small widget subclasses
//   window_seam.h/.cpp  the seam over the widgets, the default dialogs, the stop poll
//   dialogs.h           the replaceable message boxes and file chooser
//   editor.h/.cpp       the matrix editor's callbacks
//   table.h/.cpp        the matrix editor's table and cell editor
//   help.cpp            the Help menu: help, guide and About windows
//   display_window.h/.cpp  the window of one HTML document
//   steps_window.h/.cpp the Steps window and its View menu item
//   documents.h         the documents and the About picture, built in
//   linalg.png          the About picture
#pragma once

#include <vector>

#include "command/seam.h"
#include "ui/layout.h"

class ClDisplayWindow;
class ClStepsWindow;
class ClTextBuffer;
class Fl_Image;

class ClORVELWindow {
 public:
  ClORVELWindow();
  ~ClORVELWindow();
  ClORVELWindow(const ClORVELWindow&) = delete;
  ClORVELWindow& operator=(const ClORVELWindow&) = delete;

  void initializeWindow();
  void reinitializeWindow();
  // Builds the same layout again at iPercent (as far as the screen lets it),
  // keeping the panes' text, the current line, the menu's state, the graph
  // and the Alt set, then tells g_Zoom_Changed: the help, guide, About and
  // Steps windows follow.
  void rezoom(int iPercent);
  // Shows, places and activates the input, output and graph panes as the
  // current g_eWindow_Mode, g_eOutput and lg_eActive_Input say; callers set
  // those, then call this. bRefit rewraps the landscape input pane even when
  // its rectangle stays, as opening or closing the graph does.
  void arrangePanes(bool bRefit = false);
  // The graph pane and the graph menu items after the graph changed.
  void arrangeGraph(eGRAPH_CHANGE eChange);
  void redrawGraph();
  // The help, guide and About windows live until the program ends; the
  // toolkit closes them with the display.
  void killAbout() {}
  void killHelp() {}
  void killGuide() {}

  ClORVELUI* ui() const { return m_pUI; }
  ClWindow* window() const { return m_pUI->m_pWindow; }
  // Shared by the matrix editor's Fill In display and cell editor.
  ClTextBuffer* cellBuffer() const { return m_pCell_Buffer; }

  ClRect m_Normal_Input{};
  ClRect m_Stretched_Input{};

  // Created on first use by the Help menu, shown again afterwards; built
  // again by help.cpp at a new zoom.
  ClDisplayWindow* m_pHelp = nullptr;
  ClDisplayWindow* m_pGuide = nullptr;
  ClWindow* m_pAbout = nullptr;
  // Created on first use by View > Steps, shown again afterwards; built
  // again by steps_window.cpp at a new zoom.
  ClStepsWindow* m_pSteps = nullptr;
  Fl_Image* m_pAbout_Image = nullptr;
  // The About picture's PNG bytes, copied from the embedded array.
  std::vector<unsigned char> m_aucLinalg;

 private:
  void showLayout();
  void startLayout();
  void dropLayout();
  void refitInput(const ClRect& r);

  ClORVELUI* m_pUI;
  ClTextBuffer* m_pNote_Buffer;
  ClTextBuffer* m_pCell_Buffer;
};

extern ClORVELWindow g_Main_Window;
extern ClTextBuffer* lg_pBuff_In;
extern ClTextBuffer* lg_pBuff_Out;
