// The graph pane's drawing and event handling (the frame only, so far).
#include "graph/graph_box.h"

#include <FL/Fl.H>

void ClGraphBox::draw() {
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
