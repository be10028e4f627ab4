// SPDX-License-Identifier: GPL-3.0-or-later
// Command processing benchmark: scripts run by repetition through Enter and
// the headless seam, printing or silent; Enter of a 512 x 512 result; and the
// cost of one printed line as the output pane grows, which must stay flat.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "command/callback.h"
#include "command/enter.h"
#include "command/headless_seam.h"
#include "command/history.h"
#include "engine/calculator.h"

namespace {

constexpr int gc_iLINES = 10000;

void enter(const char* acLine) {
  setCurrentLine(acLine, static_cast<uint16_t>(std::strlen(acLine)));
  enterLine();
}

// A fresh calculator whose history holds u=0 and the stored line acBody.
void prepareScript(ClHeadlessSeam& seam, const char* acBody) {
  ClCallback::clearEverything_cb(nullptr, nullptr);
  enter("u=0");
  seam.setOn(eSWITCH_EXECUTE, false);
  enter(acBody);
  seam.setOn(eSWITCH_EXECUTE, true);
}

// (a) and (b): Rpt(10000, 1) over one line; lines per second as items.
void BM_Script(benchmark::State& state, const char* acBody) {
  ClHeadlessSeam seam;
  resetCommandState(seam);
  for (auto _ : state) {
    state.PauseTiming();
    prepareScript(seam, acBody);
    state.ResumeTiming();
    enter("X(10000,1)");
  }
  state.SetItemsProcessed(state.iterations() * gc_iLINES);
  g_pSeam = nullptr;
}
BENCHMARK_CAPTURE(BM_Script, printing, "u=u+1")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Script, silent, "u=u+1;")->Unit(benchmark::kMillisecond);

// (c) Enter of a line whose result is a 512 x 512 complex matrix.
void BM_EnterLargeResult(benchmark::State& state) {
  ClHeadlessSeam seam;
  resetCommandState(seam);
  std::mt19937 generator(1);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  ClMatrix mA(gc_iMAX_SQUARE, gc_iMAX_SQUARE);
  for (Eigen::Index k = 0; k < mA.size(); ++k)
    mA(k) = ClComplex(uniform(generator), uniform(generator));
  for (auto _ : state) {
    state.PauseTiming();
    ClCallback::clearAll_cb(nullptr, nullptr);
    ClCalculator::mp_mVariable[eVAR_A] = mA;
    state.ResumeTiming();
    enter("A");
  }
  state.counters["output_bytes"] = seam.output().buffer()->length();
  g_pSeam = nullptr;
}
BENCHMARK(BM_EnterLargeResult)->Unit(benchmark::kMillisecond);

// One printed line of a script when the output pane already holds Arg(0)
// printed lines: the cost must not grow with the pane.
void BM_LineAfterPrintedLines(benchmark::State& state) {
  ClHeadlessSeam seam;
  resetCommandState(seam);
  prepareScript(seam, "u=u+1");
  enter("X(1,1)");  // slot 2 repeats slot 1 once
  ClHeadlessPane& output = seam.output();
  for (long k = 0; k < state.range(0); ++k) output.insert("\nOut>u = u + 1 :\n12345");
  seam.setOutputMark(output.buffer()->length());
  for (auto _ : state) executeLines(2, 0, false);
  state.counters["output_bytes"] = output.buffer()->length();
  g_pSeam = nullptr;
}
BENCHMARK(BM_LineAfterPrintedLines)->Arg(0)->Arg(10000)->Arg(100000)->Arg(1000000);

}  // namespace

BENCHMARK_MAIN();
