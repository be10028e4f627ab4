// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing of the graph: background, scale labels, frame, grid, plots with
// their segments clipped in floating point, corner labels.
#include "graph/graph_draw.h"

// Eigen before the X11 headers: X.h defines Success, a name Eigen uses.
// clang-format off
#include "engine/calculator.h"
// clang-format on

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "command/seam.h"
#include "graph/graph_window.h"
#include "ui/zoom.h"

const ClGraphStyle gc_PANE_STYLE = {3, 4, false, false, true};
const ClGraphStyle gc_IMAGE_STYLE = {4, 5, true, false, false};

namespace {

constexpr int gc_iMARGIN = 24;  // left and bottom label margins
constexpr Fl_Color gc_BACKGROUND = 255;
constexpr Fl_Color gc_LABEL = 56;
constexpr Fl_Color gc_GRID = 49;
// The labels' base font is fixed, so the pane and the image do not depend
// on whatever font was drawn last.
constexpr Fl_Font gc_FACE = FL_HELVETICA;
constexpr int gc_iBASE_SIZE = 14;  // the toolkit's default size

int lg_iZoom = 100;

// Everything the steps share; the lengths at the style's zoom.
struct ClArea {
  int iX, iY, iW, iH;
  const double* adP;
  int iZoom;
  int iLabel_Size;
  int px(int iLength) const { return zoomedAt(iLength, iZoom); }
};

int ceilInt(double dV) {
  return static_cast<int>(std::ceil(dV));
}

// Negligible against the reference magnitude: zero, as the result display
// cleans it.
double cleanLabel(double dV, double dReference) {
  ClMatrix mPair(1, 2);
  mPair << ClComplex(dV, 0.0), ClComplex(dReference, 0.0);
  ClCalculator::cleanMatrix(mPair);
  return mPair(0, 0).real();
}

// A negative zero (a rounded parameter, a cleaned label) reads as 0.
std::string formatLabel(const char* acFormat, double dV) {
  char acText[64];
  std::snprintf(acText, sizeof acText, acFormat, dV == 0.0 ? 0.0 : dV);
  return acText;
}

// More grid lines than pixels cannot be told apart (and could be far too
// many to draw): such a direction is filled with grid and has no labels.
bool isDense(double dScale, int iPixels) {
  return dScale + 1 > iPixels;
}

void drawVerticalLabels(const ClArea& a, int iFont_Height) {
  const double* P = a.adP;
  if (isDense(P[ePLOT_YSCALE], a.iH)) return;
  const double dStep = (P[ePLOT_YMAX] - P[ePLOT_YMIN]) / (P[ePLOT_YSCALE] + 1);
  const double dPixels = static_cast<double>(a.iH) / (P[ePLOT_YSCALE] + 1);
  const double dReference = (std::fabs(P[ePLOT_YMIN]) + std::fabs(P[ePLOT_YMAX])) / 2;
  double dV = P[ePLOT_YMAX];
  for (int k = 1; k <= P[ePLOT_YSCALE]; ++k) {
    dV = cleanLabel(dV - dStep, dReference);
    const std::string sText = formatLabel("%-4.4G", dV);
    const int iWidth = static_cast<int>(fl_width(sText.c_str()) + a.px(2));
    const int iMargin = a.px(gc_iMARGIN);
    const int iX = iWidth < iMargin + 1 ? a.iX - iWidth + iMargin : a.iX;
    fl_draw(sText.c_str(), iX, a.iY + ceilInt(k * dPixels) + a.px(2) - iFont_Height / 6);
  }
}

void drawHorizontalLabels(const ClArea& a) {
  const double* P = a.adP;
  if (isDense(P[ePLOT_XSCALE], a.iW)) return;
  const double dStep = (P[ePLOT_XMAX] - P[ePLOT_XMIN]) / (P[ePLOT_XSCALE] + 1);
  const double dPixels = static_cast<double>(a.iW) / (P[ePLOT_XSCALE] + 1);
  const double dReference = (std::fabs(P[ePLOT_XMIN]) + std::fabs(P[ePLOT_XMAX])) / 2;
  double dV = P[ePLOT_XMIN];
  for (int k = 1; k <= P[ePLOT_XSCALE]; ++k) {
    dV = cleanLabel(dV + dStep, dReference);
    const std::string sText = formatLabel("%-4.4G", dV);
    const int iWidth = static_cast<int>(fl_width(sText.c_str()));
    fl_draw(sText.c_str(), a.iX + a.px(gc_iMARGIN) + ceilInt(k * dPixels) - iWidth / 2,
            a.iY + a.iH + a.px(10));
  }
}

// Shrinks the area by the margins and draws the labels into them.
void drawScales(ClArea& a) {
  const int iFont_Height = fl_height();
  fl_font(gc_FACE, a.iLabel_Size);
  fl_color(gc_LABEL);
  a.iH -= a.px(gc_iMARGIN);
  a.iW -= a.px(gc_iMARGIN);
  drawVerticalLabels(a, iFont_Height);
  drawHorizontalLabels(a);
  fl_font(gc_FACE, a.px(gc_iBASE_SIZE));
  a.iX += a.px(gc_iMARGIN);
  fl_pop_clip();
  fl_push_clip(a.iX, a.iY, a.iW, a.iH);
}

void drawGrid(const ClArea& a) {
  const double* P = a.adP;
  fl_color(gc_GRID);
  if (isDense(P[ePLOT_YSCALE], a.iH)) {
    for (int p = 1; p <= a.iH; ++p) fl_line(a.iX, a.iY + p, a.iX + a.iW, a.iY + p);
  } else {
    for (int k = 1; k <= P[ePLOT_YSCALE]; ++k) {
      const int iY = a.iY + ceilInt(k * a.iH / (P[ePLOT_YSCALE] + 1));
      fl_line(a.iX, iY, a.iX + a.iW, iY);
    }
  }
  if (isDense(P[ePLOT_XSCALE], a.iW)) {
    for (int p = 1; p <= a.iW; ++p) fl_line(a.iX + p, a.iY, a.iX + p, a.iY + a.iH);
  } else {
    for (int k = 1; k <= P[ePLOT_XSCALE]; ++k) {
      const int iX = a.iX + ceilInt(k * a.iW / (P[ePLOT_XSCALE] + 1));
      fl_line(iX, a.iY, iX, a.iY + a.iH);
    }
  }
}

bool isUsable(double dV) {
  return std::fabs(dV) <= DBL_MAX;
}

// A point in pixels from the area's origin. Offsets are doubles, as for any
// point near the box; a usable coordinate far away can overflow them, and
// such a segment is clipped in the wider long double, whose range holds every
// usable coordinate times any scale factor.
template <typename T>
struct ClPoint {
  T x, y;
};

enum eOUTSIDE { eLEFT = 1, eRIGHT = 2, eABOVE = 4, eBELOW = 8 };

template <typename T>
int outside(const ClPoint<T>& p, int iW, int iH) {
  return (p.x < 0 ? eLEFT : p.x > iW ? eRIGHT : 0) | (p.y < 0 ? eABOVE : p.y > iH ? eBELOW : 0);
}

// Moves the end onto the edge it lies beyond, along the segment from the
// other end. The edge coordinate is set exactly, so each edge is crossed once.
template <typename T>
void moveToEdge(ClPoint<T>& end, const ClPoint<T>& other, int iCode, int iW, int iH) {
  const T dx = end.x - other.x, dy = end.y - other.y;
  if (iCode & (eABOVE | eBELOW)) {
    const T y = iCode & eABOVE ? 0 : iH;
    end = {other.x + dx * ((y - other.y) / dy), y};
  } else {
    const T x = iCode & eLEFT ? 0 : iW;
    end = {x, other.y + dy * ((x - other.x) / dx)};
  }
}

// Cohen-Sutherland: keeps the part of the segment inside [0, W] x [0, H];
// false when none of it is. Each new end coordinate comes from one edge and
// the segment's slope, so a segment between two far points keeps its line.
template <typename T>
bool clipSegment(ClPoint<T>& a, ClPoint<T>& b, int iW, int iH) {
  int iA = outside(a, iW, iH), iB = outside(b, iW, iH);
  // at most two edges per end
  for (int iStep = 0; iStep < 4; ++iStep) {
    if ((iA | iB) == 0) return true;
    if (iA & iB) return false;
    if (iA != 0) {
      moveToEdge(a, b, iA, iW, iH);
      iA = outside(a, iW, iH);
    } else {
      moveToEdge(b, a, iB, iW, iH);
      iB = outside(b, iW, iH);
    }
  }
  return (iA | iB) == 0;
}

struct ClPixel {
  int x, y;
};

template <typename T>
ClPixel pixelOf(const ClArea& a, const ClPoint<T>& p) {
  return {static_cast<int>(std::clamp<T>(p.x, 0, a.iW)),
          static_cast<int>(std::clamp<T>(p.y, 0, a.iH))};
}

// The pixels one plot has set so far, as far as they are known: per column
// one run of rows. A line's pixels lie within the box of its two ends and
// include both ends, so a segment whose box lies inside the runs of all its
// columns adds nothing and is not sent. Dense plots have hundreds of points
// per column and, where x rises, touch each column in one run; skipping
// them keeps a redraw short. The runs only ever hold pixels set, so the
// picture is the same in any order of the points.
class ClCoverage {
 public:
  explicit ClCoverage(int iColumns) : m_aRun(static_cast<size_t>(iColumns) + 1) {}
  void clear() { std::fill(m_aRun.begin(), m_aRun.end(), ClRun{}); }
  bool covers(const ClPixel& from, const ClPixel& to) const {
    const auto [iLeft, iRight] = std::minmax(from.x, to.x);
    const auto [iTop, iBottom] = std::minmax(from.y, to.y);
    for (int x = iLeft; x <= iRight; ++x)
      if (!m_aRun[x].holds(iTop, iBottom)) return false;
    return true;
  }
  // Only a vertical line's pixels between its ends are known.
  void add(const ClPixel& from, const ClPixel& to) {
    if (from.x == to.x) {
      const auto [iTop, iBottom] = std::minmax(from.y, to.y);
      m_aRun[from.x].add(iTop, iBottom);
      return;
    }
    m_aRun[from.x].add(from.y, from.y);
    m_aRun[to.x].add(to.y, to.y);
  }

 private:
  struct ClRun {
    int iTop = 1, iBottom = 0;  // empty
    bool holds(int iFrom, int iTo) const { return iTop <= iFrom && iTo <= iBottom; }
    // Rows apart from the run replace it: the curve has moved on.
    void add(int iFrom, int iTo) {
      const bool bApart = iTop > iBottom || iTo + 1 < iTop || iFrom > iBottom + 1;
      iTop = bApart ? iFrom : std::min(iTop, iFrom);
      iBottom = bApart ? iTo : std::max(iBottom, iTo);
    }
  };
  std::vector<ClRun> m_aRun;
};

// A plot point: its coordinates, and its offsets as far as doubles hold them.
struct ClPlotPoint {
  double dX, dY;
  ClPoint<double> offset;
  bool bFinite;
};

class ClPlotter {
 public:
  ClPlotter(const ClArea& a, bool bEvery_Segment)
      : m_a(a),
        m_dSx(a.iW / (a.adP[ePLOT_XMAX] - a.adP[ePLOT_XMIN])),
        m_dSy(a.iH / (a.adP[ePLOT_YMAX] - a.adP[ePLOT_YMIN])),
        m_bEvery_Segment(bEvery_Segment),
        m_Coverage(a.iW) {}

  void draw(const ClMatrix& mPoints) {
    if (mPoints.rows() != 2) return;
    m_Coverage.clear();
    bool bHave_Previous = false;
    ClPlotPoint previous{};
    for (Eigen::Index c = 0; c < mPoints.cols(); ++c) {
      const double dX = mPoints(0, c).real(), dY = mPoints(1, c).real();
      if (!isUsable(dX) || !isUsable(dY)) continue;
      const ClPlotPoint point = plotPoint(dX, dY);
      if (bHave_Previous) join(previous, point);
      previous = point;
      bHave_Previous = true;
    }
  }

 private:
  ClPlotPoint plotPoint(double dX, double dY) const {
    const ClPoint<double> offset{(dX - m_a.adP[ePLOT_XMIN]) * m_dSx,
                                 (m_a.adP[ePLOT_YMAX] - dY) * m_dSy};
    return {dX, dY, offset, std::isfinite(offset.x) && std::isfinite(offset.y)};
  }
  ClPoint<long double> wideOffset(const ClPlotPoint& p) const {
    return {(static_cast<long double>(p.dX) - m_a.adP[ePLOT_XMIN]) * m_dSx,
            (m_a.adP[ePLOT_YMAX] - static_cast<long double>(p.dY)) * m_dSy};
  }
  void join(const ClPlotPoint& p, const ClPlotPoint& q) {
    if (p.bFinite && q.bFinite)
      drawSegment(p.offset, q.offset);
    else
      drawSegment(wideOffset(p), wideOffset(q));
  }
  template <typename T>
  void drawSegment(ClPoint<T> p, ClPoint<T> q) {
    if (!clipSegment(p, q, m_a.iW, m_a.iH)) return;
    const ClPixel from = pixelOf(m_a, p), to = pixelOf(m_a, q);
    if (!m_bEvery_Segment && m_Coverage.covers(from, to)) return;
    fl_line(m_a.iX + from.x, m_a.iY + from.y, m_a.iX + to.x, m_a.iY + to.y);
    m_Coverage.add(from, to);
  }

  const ClArea& m_a;
  const double m_dSx, m_dSy;
  const bool m_bEvery_Segment;
  ClCoverage m_Coverage;
};

void drawPlots(const ClArea& a, bool bEvery_Segment) {
  ClPlotter plotter(a, bEvery_Segment);
  fl_color(FL_BLACK);
  const int iPlots = std::min<int>(g_uiActive_Plots, gc_iPLOT_SLOTS);
  for (int j = 0; j < iPlots; ++j) {
    fl_color(acGRAPH_COLOR[j]);
    plotter.draw(ClCalculator::mp_mVariable[j]);
  }
}

std::string cornerNumber(double dV, bool bBlanks) {
  std::string sText = formatLabel("%4.4G", dV);
  if (!bBlanks) sText.erase(std::remove(sText.begin(), sText.end(), ' '), sText.end());
  return sText;
}

std::string cornerText(double dX, double dY, bool bBlanks) {
  return "(" + cornerNumber(dX, bBlanks) + ", " + cornerNumber(dY, bBlanks) + ")";
}

void drawCorners(const ClArea& a, bool bBlanks) {
  const double* P = a.adP;
  fl_font(gc_FACE, a.iLabel_Size);
  fl_color(gc_LABEL);
  const int iDescent = fl_descent();
  fl_draw(cornerText(P[ePLOT_XMIN], P[ePLOT_YMIN], bBlanks).c_str(), a.iX + a.px(2),
          a.iY + a.iH - iDescent);
  const std::string sTop = cornerText(P[ePLOT_XMAX], P[ePLOT_YMAX], bBlanks);
  const int iX = static_cast<int>(a.iX + a.iW - fl_width(sTop.c_str()) - a.px(2));
  fl_draw(sTop.c_str(), iX, a.iY + fl_height() - iDescent);
  fl_font(gc_FACE, a.px(gc_iBASE_SIZE));
}

}  // namespace

void setGraphZoom(int iPercent) {
  lg_iZoom = iPercent;
}

void drawGraph(int iX, int iY, int iW, int iH, const ClGraphStyle& style) {
  ClArea a{iX, iY, iW, iH, g_adPlot_Parms, style.m_bZoomed ? lg_iZoom : 100, 0};
  a.iLabel_Size = a.px(gc_iBASE_SIZE) * style.m_iLabel_Numerator / style.m_iLabel_Denominator;
  fl_push_clip(iX, iY, iW, iH);
  fl_color(gc_BACKGROUND);
  fl_rectf(iX, iY, iW, iH);
  fl_font(gc_FACE, a.px(gc_iBASE_SIZE));
  if (g_pSeam->isOn(eSWITCH_SCALES)) drawScales(a);
  fl_color(FL_GRAY_RAMP);
  fl_rect(a.iX, a.iY, a.iW, a.iH);
  drawGrid(a);
  drawPlots(a, style.m_bEvery_Segment);
  if (g_pSeam->isOn(eSWITCH_CORNERS)) drawCorners(a, style.m_bCorner_Blanks);
  fl_pop_clip();
}
