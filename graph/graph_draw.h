// SPDX-License-Identifier: GPL-3.0-or-later
// The graph drawn into the current drawing target: the pane on screen and
// the offscreen image of the export share this one function and differ only
// in the rectangle and the style.
#pragma once

struct ClGraphStyle {
  // Labels use the base font size times this fraction (integer division).
  int m_iLabel_Numerator;
  int m_iLabel_Denominator;
  // The corner labels keep the padding blanks of their number format.
  bool m_bCorner_Blanks;
  // Every segment is sent, also one that sets no new pixel: the picture
  // the skipping must keep.
  bool m_bEvery_Segment;
  // Margins and labels follow the window's zoom (the pane, not the image).
  bool m_bZoomed;
};

extern const ClGraphStyle gc_PANE_STYLE;
extern const ClGraphStyle gc_IMAGE_STYLE;

// The window's zoom in percent, for the styles that follow it.
void setGraphZoom(int iPercent);
// Draws the parameters' box, the grid, the stored plots and, when their
// switches are on, the scale and corner labels into X, Y, W, H.
void drawGraph(int iX, int iY, int iW, int iH, const ClGraphStyle& style);
