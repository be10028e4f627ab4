// SPDX-License-Identifier: GPL-3.0-or-later
// The zoom factor: its sources, its cap and the scaling of lengths.
#include "ui/zoom.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xresource.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "graph/graph_draw.h"

int g_iZoom_Asked = gc_iZOOM_LEAST;
int g_iZoom = gc_iZOOM_LEAST;
ClNotifier g_Zoom_Changed;

namespace {

// The desktop's factor of reference: 96 dots per inch is 100 %.
constexpr double gc_dREFERENCE_DPI = 96.0;

// A positive number, the whole text of acText.
bool parseNumber(const char* acText, double& dValue) {
  if (acText == nullptr || *acText == '\0') return false;
  char* acEnd = nullptr;
  dValue = std::strtod(acText, &acEnd);
  return *acEnd == '\0' && std::isfinite(dValue) && dValue > 0;
}

int heldToRange(double dPercent) {
  return static_cast<int>(
      std::lround(std::clamp(dPercent, double(gc_iZOOM_LEAST), double(gc_iZOOM_MOST))));
}

bool dpiZoom(const char* acDpi, int& iPercent) {
  double dDpi = 0;
  if (!parseNumber(acDpi, dDpi)) return false;
  iPercent = heldToRange(100.0 * dDpi / gc_dREFERENCE_DPI);
  return true;
}

bool scaleZoom(const char* acScale, int& iPercent) {
  double dScale = 0;
  if (!parseNumber(acScale, dScale) || dScale != std::floor(dScale)) return false;
  iPercent = heldToRange(100.0 * dScale);
  return true;
}

}  // namespace

bool parseZoom(const char* acText, int& iPercent) {
  if (acText == nullptr) return false;
  std::string sText = acText;
  if (!sText.empty() && sText.back() == '%') sText.pop_back();
  if (sText.empty() || sText.size() > 3 ||
      sText.find_first_not_of("0123456789") != std::string::npos)
    return false;
  const int iValue = std::stoi(sText);
  if (iValue < gc_iZOOM_LEAST || iValue > gc_iZOOM_MOST) return false;
  iPercent = iValue;
  return true;
}

int resolveZoom(const ClZoomSources& sources) {
  int iPercent = gc_iZOOM_LEAST;
  if (parseZoom(sources.m_acOption, iPercent)) return iPercent;
  if (parseZoom(sources.m_acVariable, iPercent)) return iPercent;
  if (dpiZoom(sources.m_acXft_Dpi, iPercent)) return iPercent;
  if (scaleZoom(sources.m_acGdk_Scale, iPercent)) return iPercent;
  return gc_iZOOM_LEAST;
}

const char* desktopDpi() {
  static std::string sDpi;
  sDpi.clear();
  fl_open_display();
  const char* acResources = fl_display ? XResourceManagerString(fl_display) : nullptr;
  if (acResources == nullptr) return sDpi.c_str();
  XrmInitialize();
  XrmDatabase database = XrmGetStringDatabase(acResources);
  char* acType = nullptr;
  XrmValue value{};
  if (database && XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &acType, &value) && value.addr)
    sDpi.assign(value.addr, strnlen(value.addr, value.size));
  if (database) XrmDestroyDatabase(database);
  return sDpi.c_str();
}

int fittedZoom(int iPercent, int iW, int iH, int iArea_W, int iArea_H) {
  for (; iPercent > gc_iZOOM_LEAST; --iPercent)
    if (zoomedAt(iW, iPercent) <= iArea_W && zoomedAt(iH, iPercent) <= iArea_H) break;
  return iPercent;
}

int zoomStep(int iPercent, int iDirection) {
  if (iDirection > 0) {
    for (int iStep : gc_aiZOOM_STEPS)
      if (iStep > iPercent) return iStep;
    return gc_aiZOOM_STEPS.back();
  }
  for (auto it = gc_aiZOOM_STEPS.rbegin(); it != gc_aiZOOM_STEPS.rend(); ++it)
    if (*it < iPercent) return *it;
  return gc_aiZOOM_STEPS.front();
}

void applyZoom(int iPercent) {
  // the toolkit's own sizes, as they were before any zoom
  static const int iNormal_Size = FL_NORMAL_SIZE;
  static const int iScrollbar_Size = Fl::scrollbar_size();
  g_iZoom = iPercent;
  FL_NORMAL_SIZE = zoomed(iNormal_Size);
  Fl::scrollbar_size(zoomed(iScrollbar_Size));
  setGraphZoom(iPercent);
}

int zoomed(int iLength) {
  return zoomedAt(iLength, g_iZoom);
}

ClRect zoomed(const ClRect& r) {
  const int iX = zoomed(r.x), iY = zoomed(r.y);
  return {iX, iY, zoomed(r.x + r.w) - iX, zoomed(r.y + r.h) - iY};
}

ClRect insideWorkArea(ClRect r) {
  int iArea_X, iArea_Y, iArea_W, iArea_H;
  Fl::screen_work_area(iArea_X, iArea_Y, iArea_W, iArea_H, r.x, r.y);
  r.w = std::min(r.w, iArea_W);
  r.h = std::min(r.h, iArea_H);
  r.x = std::clamp(r.x, iArea_X, iArea_X + iArea_W - r.w);
  r.y = std::clamp(r.y, iArea_Y, iArea_Y + iArea_H - r.h);
  return r;
}
