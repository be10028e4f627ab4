// SPDX-License-Identifier: GPL-3.0-or-later
// The graph pane's drawing and event handling.
#include "graph/graph_box.h"

#include <FL/Fl.H>

#include "graph/graph_draw.h"

void ClGraphBox::draw() {
  drawGraph(x(), y(), w(), h(), gc_PANE_STYLE);
  draw_box();
}

int ClGraphBox::handle(int iEvent) {
  switch (iEvent) {
    case FL_KEYDOWN:
    case FL_KEYUP:
    case FL_SHORTCUT:
      return 0;
    default:
      return 1;
  }
}
