// SPDX-License-Identifier: GPL-3.0-or-later
// The graph pane's drawing and event handling.
#include "graph/graph_box.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <type_traits>

#include "graph/graph_draw.h"

static_assert(std::is_same_v<Fl_Offscreen, unsigned long>, "the image is an X pixmap");

ClGraphBox::~ClGraphBox() {
  dropImage();
}

// Without an offscreen image the graph is drawn straight to the screen.
void ClGraphBox::draw() {
  if (m_bStale || m_ulImage == 0) render();
  if (m_ulImage != 0) fl_copy_offscreen(x(), y(), w(), h(), m_ulImage, 0, 0);
  draw_box();
}

void ClGraphBox::render() {
  ++m_uiRenders;
  m_bStale = false;
  if (m_ulImage == 0 && w() > 0 && h() > 0) m_ulImage = fl_create_offscreen(w(), h());
  if (m_ulImage == 0) {
    drawGraph(x(), y(), w(), h(), gc_PANE_STYLE);
    return;
  }
  fl_begin_offscreen(m_ulImage);
  drawGraph(0, 0, w(), h(), gc_PANE_STYLE);
  fl_end_offscreen();
}

void ClGraphBox::replot() {
  m_bStale = true;
  redraw();
}

// A move keeps the image; a new size needs a new one.
void ClGraphBox::resize(int iX, int iY, int iW, int iH) {
  if (iW != w() || iH != h()) {
    dropImage();
    m_bStale = true;
  }
  Fl_Box::resize(iX, iY, iW, iH);
}

void ClGraphBox::dropImage() {
  if (m_ulImage != 0 && fl_display != nullptr) fl_delete_offscreen(m_ulImage);
  m_ulImage = 0;
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
