// SPDX-License-Identifier: GPL-3.0-or-later
// The scrolling shortcut of the text panes and their keys, and the keypad
// buttons' focus.
#include "ui/widgets.h"

#include <FL/Fl.H>
#include <FL/Fl_Text_Buffer.H>

void ClTextDisplay::showInsertPositionFast() {
  if (!buffer() || !mContinuousWrap || insert_position() < buffer()->length()) {
    show_insert_position();
    return;
  }
  showEnd();
}

// Puts the last line where show_insert_position() puts an insert position at
// the end: on the second-to-last visible row, the last one may be cut off.
void ClTextDisplay::showEnd() {
  const int iTop = mNBufferLines - mNVisibleLines + 3;
  scroll(iTop < 1 ? 1 : iTop, 0);
}

int ClTextDisplay::handle(int iEvent) {
  const bool bCopy_Result =
      (Fl::event_state() & (FL_CTRL | FL_SHIFT)) == (FL_CTRL | FL_SHIFT) && Fl::event_key() == 'c';
  if (iEvent == FL_KEYBOARD && bCopy_Result) return 0;
  return Fl_Text_Display::handle(iEvent);
}

int ClButton::handle(int iEvent) {
  if (iEvent == FL_FOCUS && m_eToken != eNULL) return 0;
  return Fl_Button::handle(iEvent);
}
