// SPDX-License-Identifier: GPL-3.0-or-later
// Opening, closing, clearing and swapping the graph, and its parameters.
#include "graph/graph_window.h"

#include <cmath>
#include <cstring>

#include "command/callback.h"
#include "command/enter.h"
#include "command/seam.h"
#include "engine/calculator.h"

double g_adPlot_Parms[gc_iPLOT_PARMS] = {-3, 3, 1, -2, 2, 1};
const double gc_adGRAPH_DEFAULT[gc_iPLOT_PARMS] = {-3, 3, 1, -2, 2, 1};
// black, red, green, blue, olive, cyan
const Fl_Color acGRAPH_COLOR[gc_iPLOT_SLOTS] = {56, 88, 63, 216, 76, 223};

namespace {

constexpr double gc_dGRID = 10000.0;  // parameters are multiples of 0.0001

void emptyPlots() {
  g_uiActive_Plots = 0;
  for (int k = 0; k < gc_iPLOT_SLOTS; ++k) ClCalculator::mp_mVariable[k].resize(0, 0);
}

void useDefaults() {
  std::memcpy(g_adPlot_Parms, gc_adGRAPH_DEFAULT, sizeof g_adPlot_Parms);
}

bool isOrdered(const ClMatrix& mM) {
  const auto re = [&mM](int i) { return mM(0, i).real(); };
  return re(ePLOT_XMAX) - 0.0001 > re(ePLOT_XMIN) && re(ePLOT_XSCALE) >= 0 &&
         re(ePLOT_YMAX) - 0.0001 > re(ePLOT_YMIN) && re(ePLOT_YSCALE) >= 0;
}

// Rounded up to the parameter grid. A value or a range beyond the largest
// double would make the drawing's scale factors meaningless, so it is refused.
bool roundParameters(const ClMatrix& mM, double* adParms) {
  for (int i = 0; i < gc_iPLOT_PARMS; ++i) {
    adParms[i] = std::ceil(gc_dGRID * mM(0, i).real() - 0.0001) / gc_dGRID;
    if (!std::isfinite(adParms[i])) return false;
  }
  return std::isfinite(adParms[ePLOT_XMAX] - adParms[ePLOT_XMIN]) &&
         std::isfinite(adParms[ePLOT_YMAX] - adParms[ePLOT_YMIN]);
}

bool takeParameters() {
  ClMatrix& mLast = ClCalculator::mp_mLast_Output;
  if (mLast.rows() != 1 || mLast.cols() != gc_iPLOT_PARMS || !isOrdered(mLast)) return false;
  ClCalculator::cleanMatrix(mLast);
  double adParms[gc_iPLOT_PARMS];
  if (!roundParameters(mLast, adParms)) return false;
  std::memcpy(g_adPlot_Parms, adParms, sizeof g_adPlot_Parms);
  return true;
}

}  // namespace

void openGraph() {
  emptyPlots();
  useDefaults();
  if (g_Current_State.m_uiLength > 0) {
    enterLine();
    if (!takeParameters()) showNotice(gc_aacERROR_MESSAGE[eERROR_GRAPH_PARAMETERS]);
  }
  g_pSeam->setOn(eSWITCH_SCALES, false);
  g_pSeam->setOn(eSWITCH_CORNERS, false);
  g_eOutput = eGRAPH_IN_FRONT;
  g_pSeam->arrangeGraph(eGRAPH_OPENED);
}

void closeGraph() {
  emptyPlots();
  g_pSeam->setOn(eSWITCH_SCALES, false);
  g_pSeam->setOn(eSWITCH_CORNERS, false);
  g_eOutput = eNO_GRAPH;
  g_pSeam->arrangeGraph(eGRAPH_CLOSED);
}

void ClCallback::graph_cb(Fl_Widget*, void*) {
  if (g_eOutput == eNO_GRAPH)
    openGraph();
  else
    closeGraph();
}

void ClCallback::clearGraph_cb(Fl_Widget*, void*) {
  if (g_eOutput == eNO_GRAPH) return;
  emptyPlots();
  g_pSeam->arrangeGraph(eGRAPH_CLEARED);
}

void ClCallback::scales_cb(Fl_Widget*, void*) {
  g_pSeam->redrawGraph();
}

void ClCallback::corners_cb(Fl_Widget*, void*) {
  g_pSeam->redrawGraph();
}

void ClCallback::text_cb(Fl_Widget*, void*) {
  if (g_eOutput == eNO_GRAPH) return;
  g_eOutput = g_eOutput == eGRAPH_IN_FRONT ? eTEXT_IN_FRONT : eGRAPH_IN_FRONT;
  g_pSeam->arrangeGraph(g_eOutput == eTEXT_IN_FRONT ? eGRAPH_TEXT_SHOWN : eGRAPH_SHOWN);
}
