// SPDX-License-Identifier: GPL-3.0-or-later
// The graph pane: draws the graph into its rectangle and declines key
// events so that typing always reaches the keyboard handler. The graph is
// rendered once into an offscreen image of the pane and copied to the
// screen on every expose; only replot() or a new size renders it again.
#pragma once

#include <FL/Fl_Box.H>

class ClGraphBox : public Fl_Box {
 public:
  ClGraphBox(int iX, int iY, int iW, int iH) : Fl_Box(FL_BORDER_FRAME, iX, iY, iW, iH, nullptr) {}
  ~ClGraphBox() override;
  ClGraphBox(const ClGraphBox&) = delete;
  ClGraphBox& operator=(const ClGraphBox&) = delete;

  void draw() override;
  int handle(int iEvent) override;
  void resize(int iX, int iY, int iW, int iH) override;
  // The plots, the parameters or a switch changed: render at the next draw.
  void replot();
  // How often the graph was rendered, as against copied from the image.
  unsigned renders() const { return m_uiRenders; }

 private:
  void render();
  void dropImage();

  unsigned long m_ulImage = 0;  // the offscreen image, none yet while 0
  bool m_bStale = true;
  unsigned m_uiRenders = 0;
};
