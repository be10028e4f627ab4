// SPDX-License-Identifier: GPL-3.0-or-later
// What the harnesses share: the in-memory seam with a bound on the work of
// one fuzzer input, and the state that must be sound after every step. Each
// input starts from a new seam and resetCommandState. The bound goes through the stop
// request that Escape and Ctrl-C use: the calculator's own rules (repeat
// counts, nesting, sizes) stay as they are, yet every repetition ends, so a
// fuzzer timeout means a real hang.
#pragma once

#include "command/headless_seam.h"

class ClBoundedSeam : public ClHeadlessSeam {
 public:
  // A repetition asks before each line it runs; after this many lines in
  // one input every running repetition stops.
  static constexpr long gc_lMAX_REPEATED_LINES = 2000;
  // Characters the panes may hold before repetitions stop: a line's result
  // text reaches 3.75 MB, and a repetition prints one per line.
  static constexpr int gc_iMAX_PANE_TEXT = 64 << 20;
  // CPU seconds of one input after which repetitions stop and the harness
  // enters no further line: one line (at most a few seconds) still fits the
  // timeout.
  static constexpr double gc_dCPU_SECONDS = 3.0;

  ClBoundedSeam();
  bool stopRequested() override;
  // The input has used its budget: the harness stops, as Ctrl-C stops
  // orvel-batch.
  bool isSpent();

 private:
  long m_lRepeated_Lines = 0;
  double m_dCpu_Start;
};

// Aborts (a fuzzer crash, with acWhere printed) unless the current line, the
// history, the error number, the result text and the variables are within
// their bounds.
void expectSound(const char* acWhere);

// A fuzzer timeout in CPU time: the harnesses run at the lowest priority on a
// shared machine, where a wall-clock timeout would measure the other loads.
// An input that runs longer than gc_iCPU_SECONDS of this thread's CPU time
// aborts with its input saved as a crash.
class ClCpuTimeout {
 public:
  static constexpr int gc_iCPU_SECONDS = 10;
  ClCpuTimeout();
  ~ClCpuTimeout();
};
