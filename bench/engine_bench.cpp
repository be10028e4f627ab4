// SPDX-License-Identifier: GPL-3.0-or-later
// Engine benchmark: 512 x 512 complex operands with a fixed seed, evaluated
// by the engine's own operators (a line of token characters is lexed and its
// statement evaluated), and the display of a 512 x 512 complex result in the
// three number formats against a bare snprintf("%G") of the same numbers.
// Evaluation and display are timed apart: every line would otherwise also
// pay for displaying its result.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/calculator.h"
#include "engine/computed_steps.h"
#include "engine/decompositions.h"
#include "engine/exact_steps.h"

namespace {

constexpr int gc_iN = gc_iMAX_SQUARE;

// Entries (x + iy) / sqrt(n), x and y uniform in [-1, 1]: the determinant
// stays inside the range of a double.
ClMatrix seededMatrix(int iRows, int iCols, unsigned uiSeed) {
  std::mt19937 generator(uiSeed);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  const double dScale = 1.0 / std::sqrt(static_cast<double>(gc_iN));
  ClMatrix mM(iRows, iCols);
  for (Eigen::Index i = 0; i < mM.size(); ++i) {
    mM(i) = ClComplex(uniform(generator), uniform(generator)) * dScale;
  }
  return mM;
}

void setVariables() {
  ClCalculator::mp_mVariable[eVAR_A] = seededMatrix(gc_iN, gc_iN, 1);
  ClCalculator::mp_mVariable[eVAR_B] = seededMatrix(gc_iN, gc_iN, 2);
  ClCalculator::mp_mVariable[eVAR_C] = seededMatrix(gc_iN, gc_iN / 2, 3);
  ClCalculator::mp_mVariable[eVAR_u] = seededMatrix(gc_iN, 1, 4);
  ClCalculator::mp_mVariable[eVAR_v] = seededMatrix(1, gc_iN, 5);
}

// Lexes the line and evaluates its statement, as Enter does before display.
bool evaluate(const char* acLine) {
  ClState line;
  line.m_uiLength = static_cast<uint16_t>(std::strlen(acLine));
  std::memcpy(line.m_acLine, acLine, line.m_uiLength);
  line.m_uiCursor = line.m_uiLength;
  g_Current_State = line;
  if (!ClCalculator::tLexer()) return false;
  lg_uiNext_Token = 0;
  const ClMatrix mResult = ClCalculator::statement();
  benchmark::DoNotOptimize(mResult.data());
  return g_uiError_Number == 0 && mResult.size() > 0;
}

void BM_Line(benchmark::State& state, const char* acLine) {
  setVariables();
  for (auto _ : state) {
    if (!evaluate(acLine)) {
      state.SkipWithError(gc_aacERROR_MESSAGE[g_uiError_Number]);
      break;
    }
  }
}

BENCHMARK_CAPTURE(BM_Line, product, "A*B")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line, inv, "IA")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line, det, "DA")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line, evals, "HA")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line, schur, "hA")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line, svd, "kA")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line, qr_pivoting, "|(A,1)")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line, rref, "RA")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line, solve_512x256, "AGC")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line, tensor_262144, "u{v")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line, exp_262144, "eA")->Unit(benchmark::kMillisecond);
// The other functions on vector lanes, the power with a scalar exponent, and
// Sin, which stays with the scalar library (see bench/README.md).
BENCHMARK_CAPTURE(BM_Line, cis_262144, "FA")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line, ln_262144, "lA")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line, sqrt_262144, "}A")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line, power_262144, "A^1.5")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line, sin_262144, "sA")->Unit(benchmark::kMillisecond);

// A main line keeps the operands of RREF, Inv and Det for the Steps window:
// the same line with keeping on (as Enter runs it) and off.
void BM_Keeping(benchmark::State& state, const char* acLine, bool bKeep) {
  setVariables();
  for (auto _ : state) {
    if (bKeep) startKeepingSteps();
    const bool bOk = evaluate(acLine);
    stopKeepingSteps();
    if (!bOk) {
      state.SkipWithError(gc_aacERROR_MESSAGE[g_uiError_Number]);
      break;
    }
  }
}

BENCHMARK_CAPTURE(BM_Keeping, rref_off, "RA", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keeping, rref_on, "RA", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keeping, inv_off, "IA", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keeping, inv_on, "IA", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keeping, det_off, "DA", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keeping, det_on, "DA", true)->Unit(benchmark::kMillisecond);

// The steps as computed of a 512 x 512 RREF (every operation's factor, the
// last matrix; the folding shows no other matrix at this size) beside the
// reduction itself. range(0): 1 for a complex operand, 0 for a real one.
ClMatrix stepsOperand(bool bComplex) {
  ClMatrix mA = seededMatrix(gc_iN, gc_iN, 7);
  if (!bComplex) mA = mA.real().cast<ClComplex>();
  return mA;
}

void BM_Rref(benchmark::State& state) {
  const ClMatrix mA = stepsOperand(state.range(0) != 0);
  for (auto _ : state) {
    ClMatrix mV = mA;
    reducedRowEchelon(mV);
    benchmark::DoNotOptimize(mV.data());
  }
}
BENCHMARK(BM_Rref)->ArgName("complex")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ComputedSteps(benchmark::State& state, eSTEPS_KIND eKind) {
  g_eView_State = eDECIMAL;
  g_bZero_Out = true;
  ClStepsOperand operand;
  operand.m_eKind = eKind;
  operand.m_mA = stepsOperand(state.range(0) != 0);
  size_t uiSteps = 0;
  for (auto _ : state) {
    const ClSteps steps = computedSteps(operand, currentDisplayOptions());
    uiSteps = steps.m_aSteps.size();
    benchmark::DoNotOptimize(steps.m_aSteps.data());
  }
  state.SetLabel(std::to_string(uiSteps) + " operations");
}
BENCHMARK_CAPTURE(BM_ComputedSteps, rref, eSTEPS_RREF)
    ->ArgName("complex")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
// Gauss-Jordan on [A | I] and the elimination below U's rows: no target.
BENCHMARK_CAPTURE(BM_ComputedSteps, inv, eSTEPS_INV)
    ->ArgName("complex")
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ComputedSteps, det, eSTEPS_DET)
    ->ArgName("complex")
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

void BM_Display(benchmark::State& state) {
  const ClMatrix mM = seededMatrix(gc_iN, gc_iN, 6);
  g_bZero_Out = true;
  g_eView_State = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    ClCalculator::matrixDisplay(mM, currentDisplayOptions());
    benchmark::DoNotOptimize(g_acOutput_Line[0]);
  }
  // The display stops before the text store would overflow: say how far it got.
  const long lRows =
      std::count(g_acOutput_Line, g_acOutput_Line + std::strlen(g_acOutput_Line), '\n');
  state.SetLabel(std::to_string(std::strlen(g_acOutput_Line)) + " characters, " +
                 std::to_string(lRows) + " full rows");
}
BENCHMARK(BM_Display)->ArgName("format")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The floor for the display: both parts of every entry through "%G".
void BM_SnprintfBaseline(benchmark::State& state) {
  const ClMatrix mM = seededMatrix(gc_iN, gc_iN, 6);
  std::vector<char> acText(static_cast<size_t>(mM.size()) * 2 * 16);
  for (auto _ : state) {
    char* pcOut = acText.data();
    for (Eigen::Index i = 0; i < mM.size(); ++i) {
      pcOut += std::snprintf(pcOut, 64, "%G", mM(i).real());
      pcOut += std::snprintf(pcOut, 64, "%G", mM(i).imag());
    }
    benchmark::DoNotOptimize(acText[0]);
  }
}
BENCHMARK(BM_SnprintfBaseline)->Unit(benchmark::kMillisecond);

// Exact steps of a 50 x 50 integer matrix (entries -9..9, fixed seed): the
// whole document's data, folding and the comparison with the printed result
// included; Inv works on [A | I], 50 x 100.
void BM_ExactSteps(benchmark::State& state) {
  std::mt19937 generator(11);
  std::uniform_int_distribution<int> digit(-9, 9);
  ClStepsOperand operand;
  operand.m_eKind = static_cast<eSTEPS_KIND>(state.range(0));
  operand.m_mA.resize(50, 50);
  for (Eigen::Index i = 0; i < operand.m_mA.size(); ++i) operand.m_mA(i) = digit(generator);
  ClStepsOptions options;
  options.m_ePivot = static_cast<eSTEPS_PIVOT>(state.range(1));
  options.m_Display.m_eFormat = eRATIONAL;
  for (auto _ : state) {
    ClSteps steps;
    std::string sWhy_Not;
    if (!exactSteps(operand, options, steps, sWhy_Not)) {
      state.SkipWithError(sWhy_Not.c_str());
      break;
    }
    benchmark::DoNotOptimize(steps.m_aSteps.data());
  }
}
BENCHMARK(BM_ExactSteps)
    ->ArgNames({"kind", "pivot"})
    ->Args({eSTEPS_RREF, ePIVOT_FIRST})
    ->Args({eSTEPS_INV, ePIVOT_FIRST})
    ->Args({eSTEPS_DET, ePIVOT_FIRST})
    ->Args({eSTEPS_INV, ePIVOT_LARGEST})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
