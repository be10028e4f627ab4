// SPDX-License-Identifier: GPL-3.0-or-later
// Every user action, with the toolkit's callback signature: the widget (null
// when the keyboard handler calls) and user data pointing at an integer (a
// token code, a window mode, an output format or a variable code).
// Members are defined by the subsystem that owns them:
//   command/  token_cb, digit_cb, state_cb, cleanUp, the history menu items,
//             zeroOut_cb, exit_cb, paste_cb, copyResult_cb
//   files/    open_cb, saveIn_cb, saveVariable_cb, appendHistory_cb, saveOut_cb
//   ui/       alt_cb, mode_cb, zoom_cb, window_cb, view_cb, steps_cb, the
//             help and matrix editor callbacks
//   graph/    graph_cb, clearGraph_cb, scales_cb, corners_cb, text_cb, saveGraph_cb
// The key callbacks token_cb, digit_cb, state_cb and alt_cb are reached
// through pressToken (command/enter.h); the keypad's own callback keeps a
// focused button from firing on the space bar.
#pragma once

class Fl_Widget;

class ClCallback {
 public:
  static void token_cb(Fl_Widget* pWidget, void* pData);
  static void digit_cb(Fl_Widget* pWidget, void* pData);
  static void state_cb(Fl_Widget* pWidget, void* pData);
  static void cleanUp(bool bErase);
  static void insert_cb(Fl_Widget* pWidget, void* pData);
  static void clear_cb(Fl_Widget* pWidget, void* pData);
  static void clearAll_cb(Fl_Widget* pWidget, void* pData);
  static void clearEverything_cb(Fl_Widget* pWidget, void* pData);
  static void zeroOut_cb(Fl_Widget* pWidget, void* pData);
  static void exit_cb(Fl_Widget* pWidget, void* pData);
  // Edit > Paste; Edit > Copy Result As, data pointing at an eTEXT_FORM.
  static void paste_cb(Fl_Widget* pWidget, void* pData);
  static void copyResult_cb(Fl_Widget* pWidget, void* pData);

  static void open_cb(Fl_Widget* pWidget, void* pData);
  static void saveIn_cb(Fl_Widget* pWidget, void* pData);
  static void saveVariable_cb(Fl_Widget* pWidget, void* pData);
  static void appendHistory_cb(Fl_Widget* pWidget, void* pData);
  static void saveOut_cb(Fl_Widget* pWidget, void* pData);

  static void alt_cb(Fl_Widget* pWidget, void* pData);
  static void mode_cb(Fl_Widget* pWidget, void* pData);
  // View > Zoom, data pointing at the factor in percent.
  static void zoom_cb(Fl_Widget* pWidget, void* pData);
  static void window_cb(Fl_Widget* pWidget, void* pData);
  static void view_cb(Fl_Widget* pWidget, void* pData);
  static void steps_cb(Fl_Widget* pWidget, void* pData);
  static void helpHelp_cb(Fl_Widget* pWidget, void* pData);
  static void helpGuide_cb(Fl_Widget* pWidget, void* pData);
  static void helpAbout_cb(Fl_Widget* pWidget, void* pData);

  static void editSizes_cb(Fl_Widget* pWidget, void* pData);
  static void editRows_cb(Fl_Widget* pWidget, void* pData);
  static void editCols_cb(Fl_Widget* pWidget, void* pData);
  static void editMatrixTable_cb(Fl_Widget* pWidget, void* pData);
  static void sizeCancel_cb(Fl_Widget* pWidget, void* pData);
  static void editDone_cb(Fl_Widget* pWidget, void* pData);
  static void editCancel_cb(Fl_Widget* pWidget, void* pData);
  static void editView_cb(Fl_Widget* pWidget, void* pData);

  static void graph_cb(Fl_Widget* pWidget, void* pData);
  static void clearGraph_cb(Fl_Widget* pWidget, void* pData);
  static void scales_cb(Fl_Widget* pWidget, void* pData);
  static void corners_cb(Fl_Widget* pWidget, void* pData);
  static void text_cb(Fl_Widget* pWidget, void* pData);
  static void saveGraph_cb(Fl_Widget* pWidget, void* pData);
};
