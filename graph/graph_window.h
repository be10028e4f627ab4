// SPDX-License-Identifier: GPL-3.0-or-later
// The graph's own state (the plot parameters and the line colours) and the
// operations of the Graph menu. The plots themselves live in variable slots
// 0..5 (g_uiActive_Plots of them); Enter and Rpt store them, this unit only
// empties them. Panes and menu items change through the seam.
// The graph folder:
//   graph_window.h/.cpp  this state and the Graph menu's callbacks
//   graph_draw.h/.cpp   the drawing shared by the pane and the image
//   graph_box.h/.cpp    the graph pane widget
//   graph_export.h/.cpp  "Save Graph": the offscreen image and its file formats
#pragma once

#include <FL/Enumerations.H>

#include "engine/calculator.h"

// The plot parameters' positions; the scales count interior grid lines.
enum ePLOT_PARM {
  ePLOT_XMIN,
  ePLOT_XMAX,
  ePLOT_XSCALE,
  ePLOT_YMIN,
  ePLOT_YMAX,
  ePLOT_YSCALE,
  ePLOT_PARM_COUNT
};
constexpr int gc_iPLOT_PARMS = ePLOT_PARM_COUNT;

extern double g_adPlot_Parms[gc_iPLOT_PARMS];
extern const double gc_adGRAPH_DEFAULT[gc_iPLOT_PARMS];
// The line colour of each plot, in the order the plots were made.
extern const Fl_Color acGRAPH_COLOR[gc_iPLOT_SLOTS];

// Opens the closed graph: the current line, when not empty, is entered and a
// valid 1 x 6 result gives the parameters; otherwise the defaults (with a
// notice when the line gave none).
void openGraph();
void closeGraph();
