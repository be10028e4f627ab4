// SPDX-License-Identifier: GPL-3.0-or-later
// The zoom of the whole calculator: one factor, in percent, by which every
// rectangle and font size of its windows is multiplied. It comes from
// --zoom, ORVEL_ZOOM or the desktop, View > Zoom changes it, and the screen
// caps it so that the main window fits.
#pragma once

#include <array>

#include "ui/notifier.h"

struct ClRect {
  int x, y, w, h;
};

// The factors of View > Zoom, in its order: its items, the zoom keys' steps
// and the range every factor is held to come from here.
inline constexpr std::array<int, 7> gc_aiZOOM_STEPS = {100, 125, 150, 175, 200, 250, 300};
constexpr int gc_iZOOM_LEAST = gc_aiZOOM_STEPS.front(), gc_iZOOM_MOST = gc_aiZOOM_STEPS.back();

// The factor asked for (command line, environment, desktop, View > Zoom) and
// the one in effect, which the screen may have capped.
extern int g_iZoom_Asked;
extern int g_iZoom;

// What each source of the factor says; null where it says nothing.
struct ClZoomSources {
  const char* m_acOption;     // --zoom PERCENT
  const char* m_acVariable;   // ORVEL_ZOOM
  const char* m_acXft_Dpi;    // the desktop's Xft.dpi resource
  const char* m_acGdk_Scale;  // GDK_SCALE
};

// A whole percentage from 100 to 300, with or without a trailing "%".
bool parseZoom(const char* acText, int& iPercent);
// The first source that gives a factor, in the order of ClZoomSources;
// unreadable values pass on to the next. Xft.dpi 96 is 100 %, GDK_SCALE 2 is
// 200 %; the desktop's factors are held to 100..300. Else 100.
int resolveZoom(const ClZoomSources& sources);
// Xft.dpi from the X resource database of the toolkit's display (opened
// here); empty when unset.
const char* desktopDpi();
// The largest factor up to iPercent, and not below 100, at which a window
// of iW x iH at 100 % fits an area of iArea_W x iArea_H.
int fittedZoom(int iPercent, int iW, int iH, int iArea_W, int iArea_H);
// The factor after (iDirection 1) or before (-1) iPercent among the steps.
int zoomStep(int iPercent, int iDirection);

// Makes iPercent the factor in effect: the toolkit's normal size (menus,
// tooltips, message boxes, default widget text), its scrollbars and the
// graph pane's labels follow it.
void applyZoom(int iPercent);
// The windows built at the factor in effect that are built again at a new
// one (the help, guide, About and Steps windows) listen here; the main
// window tells them once its own new layout is shown.
extern ClNotifier g_Zoom_Changed;

// A length at iPercent, rounded half away from zero: the one rounding of
// every zoomed length, the graph pane's margins and labels too.
constexpr int zoomedAt(int iLength, int iPercent) {
  const long lProduct = static_cast<long>(iLength) * iPercent;
  const long lMagnitude = ((lProduct < 0 ? -lProduct : lProduct) + 50) / 100;
  return static_cast<int>(lProduct < 0 ? -lMagnitude : lMagnitude);
}
// A length at the factor in effect.
int zoomed(int iLength);
// A rectangle by its edges, each rounded as zoomed() rounds: rectangles that
// share an edge at 100 % share it at every factor.
ClRect zoomed(const ClRect& r);
// The rectangle moved, then shrunk where it must be, into the screen's work
// area around its top-left corner.
ClRect insideWorkArea(ClRect r);
