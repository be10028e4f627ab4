// SPDX-License-Identifier: GPL-3.0-or-later
// The bounded seam and the soundness check.
#include "fuzz/fuzz_support.h"

#include <FL/Fl_Text_Buffer.H>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "command/history.h"
#include "engine/calculator.h"

namespace {

double cpuSeconds() {
  timespec Now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &Now);
  return Now.tv_sec + Now.tv_nsec * 1e-9;
}

}  // namespace

ClBoundedSeam::ClBoundedSeam() : m_dCpu_Start(cpuSeconds()) {}

bool ClBoundedSeam::stopRequested() {
  ++m_lRepeated_Lines;
  return isSpent() || ClHeadlessSeam::stopRequested();
}

bool ClBoundedSeam::isSpent() {
  return m_lRepeated_Lines > gc_lMAX_REPEATED_LINES ||
         input().buffer()->length() + output().buffer()->length() > gc_iMAX_PANE_TEXT ||
         cpuSeconds() - m_dCpu_Start > gc_dCPU_SECONDS;
}

namespace {

void expect(bool bHolds, const char* acWhat, const char* acWhere) {
  if (bHolds) return;
  std::fprintf(stderr, "unsound after %s: %s\n", acWhere, acWhat);
  std::abort();
}

}  // namespace

void expectSound(const char* acWhere) {
  const ClState& line = g_Current_State;
  expect(line.m_uiCursor <= line.m_uiLength, "cursor behind the line", acWhere);
  expect(line.m_uiLength <= gc_iMAX_TYPED_LINE, "line longer than 511", acWhere);
  expect(std::memchr(line.m_acLine, '\0', line.m_uiLength) == nullptr, "0 byte in the line",
         acWhere);
  expect(g_uiHistory_Next <= gc_iHISTORY_SIZE, "history count", acWhere);
  expect(g_uiHistory_Index <= g_uiHistory_Next, "history index", acWhere);
  expect(g_uiError_Number < gc_iERROR_COUNT, "error number", acWhere);
  expect(std::memchr(g_acOutput_Line, '\0', gc_lOUTPUT_SIZE) != nullptr, "unended result text",
         acWhere);
  for (const ClMatrix& mVariable : ClCalculator::mp_mVariable)
    expect(mVariable.size() <= gc_lMAX_ENTRIES, "variable over the size limit", acWhere);
}

namespace {

timer_t lg_CPU_Timer;

void onCpuTimeout(int) {
  const char acText[] = "timeout: an input ran past its CPU seconds\n";
  (void)!write(STDERR_FILENO, acText, sizeof acText - 1);
  std::abort();
}

// One timer on this thread's CPU clock, made at the first input.
void makeTimer() {
  static bool bMade = false;
  if (bMade) return;
  std::signal(SIGXCPU, onCpuTimeout);
  sigevent Event = {};
  // to this thread, so the report shows the input's own stack
  Event.sigev_notify = SIGEV_THREAD_ID;
  Event._sigev_un._tid = gettid();
  Event.sigev_signo = SIGXCPU;
  if (timer_create(CLOCK_THREAD_CPUTIME_ID, &Event, &lg_CPU_Timer) != 0) std::abort();
  bMade = true;
}

}  // namespace

ClCpuTimeout::ClCpuTimeout() {
  makeTimer();
  itimerspec Span = {};
  Span.it_value.tv_sec = gc_iCPU_SECONDS;
  timer_settime(lg_CPU_Timer, 0, &Span, nullptr);
}

ClCpuTimeout::~ClCpuTimeout() {
  const itimerspec Off = {};
  timer_settime(lg_CPU_Timer, 0, &Off, nullptr);
}
