// SPDX-License-Identifier: GPL-3.0-or-later
// A toolkit text buffer whose gap grows with its text. The toolkit keeps a
// fixed gap of 1 KB and copies the whole text each time the gap fills, so a
// pane that grows at its end would cost time proportional to its length for
// every kilobyte appended; a gap as large as the text keeps appends O(1)
// amortised.
#pragma once

#include <FL/Fl_Text_Buffer.H>

class ClTextBuffer : public Fl_Text_Buffer {
 public:
  ClTextBuffer() : Fl_Text_Buffer(0, gc_iMIN_GAP) {}

  // Fl_Text_Buffer::insert with the gap sized for the text's growth.
  void insertGrowing(int iPosition, const char* acText) {
    mPreferredGapSize = length() > gc_iMIN_GAP ? length() : gc_iMIN_GAP;
    insert(iPosition, acText);
  }

 private:
  static constexpr int gc_iMIN_GAP = 1024;
};
