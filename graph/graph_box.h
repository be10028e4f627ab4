// SPDX-License-Identifier: GPL-3.0-or-later
// The graph pane: draws the graph into its rectangle and declines key
// events so that typing always reaches the keyboard handler.
#pragma once

#include <FL/Fl_Box.H>

class ClGraphBox : public Fl_Box {
 public:
  ClGraphBox(int iX, int iY, int iW, int iH) : Fl_Box(FL_BORDER_FRAME, iX, iY, iW, iH, nullptr) {}
  void draw() override;
  int handle(int iEvent) override;
};
