// SPDX-License-Identifier: GPL-3.0-or-later
// The graph's costs under Xvfb (needs DISPLAY, no window manager), with six
// plots of 131,072 points each (the most Plot allows), until the X server
// has drawn: the pane's first draw (rendered into its image), a redraw with
// unchanged plots (the image copied), and Save Graph of that graph
// (offscreen render, read back, file written) in each format.
#include <FL/Fl.H>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "command/callback.h"
#include "command/enter.h"
#include "engine/calculator.h"
#include "graph/graph_box.h"
#include "graph/graph_export.h"
#include "ui/dialogs.h"
#include "ui/window.h"

// After Eigen: X.h defines Success, a name Eigen uses.
#include <FL/x.H>

namespace {

std::string lg_sImage_Name;

int answerFile(const char*, bool, std::string& sName) {
  sName = lg_sImage_Name;
  return 0;
}
void ignoreBox(const char*) {}
int answerChoice(const char*, const char*, const char*) {
  return 0;
}

void enter(const std::string& sLine) {
  setCurrentLine(sLine.data(), static_cast<uint16_t>(sLine.size()));
  enterLine();
}

enum eSHAPE { eSINES, eRANDOM, eNOISY_SINES };

// Six full plots: sine curves of rising frequency (short segments), random
// points all over the box (every segment long), or the sine curves with
// noise of a few pixels (hundreds of short segments up and down each column).
std::string plotLine(int iShape, int k) {
  const std::string sSine = "2*s(" + std::to_string(k) + "*u)";
  switch (iShape) {
    case eRANDOM:
      return "f(6*r(O(1,131072))-3,4*r(O(1,131072))-2);";
    case eNOISY_SINES:
      return "f(u," + sSine + "+0.2*r(O(1,131072))-0.1);";
    default:
      return "f(u," + sSine + ");";
  }
}

void startGraph(int iShape) {
  static bool bStarted = false;
  if (!bStarted) {
    bStarted = true;
    g_Dialogs = {ignoreBox, ignoreBox, answerChoice, answerFile};
    g_Main_Window.initializeWindow();
    while (!g_Main_Window.window()->shown()) Fl::wait();
  }
  if (g_eOutput != 0) ClCallback::graph_cb(nullptr, nullptr);
  ClCallback::clearAll_cb(nullptr, nullptr);
  ClCallback::graph_cb(nullptr, nullptr);
  enter("u=[-3:3,6/131071];");
  for (int k = 1; k <= 6; ++k) enter(plotLine(iShape, k));
  for (int k = 0; k < 20; ++k) Fl::check();
  XSync(fl_display, False);
}

// The pane drawn with the plots rendered anew (bReplot, as after a change)
// or copied from its image (as after an expose).
void drawPane(benchmark::State& state, bool bReplot) {
  startGraph(static_cast<int>(state.range(0)));
  if (g_uiActive_Plots != 6 || !g_Main_Window.ui()->m_pGraph->visible_r()) {
    state.SkipWithError("six plots are not shown");
    return;
  }
  ClGraphBox* pGraph = g_Main_Window.ui()->m_pGraph;
  const unsigned uiRenders = pGraph->renders();
  for (auto _ : state) {
    bReplot ? pGraph->replot() : pGraph->redraw();
    Fl::flush();
    XSync(fl_display, False);
  }
  state.counters["points"] = 6.0 * ClCalculator::mp_mVariable[0].cols();
  state.counters["renders"] = pGraph->renders() - uiRenders;
}

void BM_PaneFirstDraw(benchmark::State& state) {
  drawPane(state, true);
}
BENCHMARK(BM_PaneFirstDraw)->ArgName("shape")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_PaneRedraw(benchmark::State& state) {
  drawPane(state, false);
}
BENCHMARK(BM_PaneRedraw)->ArgName("shape")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The offscreen render and the read back alone, without a file.
void BM_RenderGraph(benchmark::State& state) {
  startGraph(static_cast<int>(state.range(0)));
  for (auto _ : state)
    if (!renderGraphImage()) state.SkipWithError("no offscreen surface");
}
BENCHMARK(BM_RenderGraph)->ArgName("shape")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_SaveGraph(benchmark::State& state) {
  startGraph(static_cast<int>(state.range(1)));
  const char* const aacEXTENSIONS[] = {"ppm", "bmp", "png"};
  lg_sImage_Name = std::string("/tmp/orvel-graph-bench.") + aacEXTENSIONS[state.range(0)];
  for (auto _ : state)
    if (!saveGraph()) state.SkipWithError("the graph was not saved");
  std::remove(lg_sImage_Name.c_str());
}
BENCHMARK(BM_SaveGraph)
    ->ArgNames({"format", "shape"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
