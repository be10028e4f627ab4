// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's static store and globals, and the calculator object's life.
#include "engine/calculator.h"

#include <malloc.h>

#include <cstdlib>

#include "engine/steps_kept.h"
#include "engine/typing.h"

namespace {

// The engine's scalar globals as at program start: their definitions below
// and resetEngineState take the values from here.
struct ClEngineStart {
  uint16_t m_uiToken_Stream_Length = 0;
  uint16_t m_uiNext_Token = 0;
  bool m_bIs_Arg_List = false;
  bool m_bIs_Arg_List_1 = false;
  uint16_t m_uiError_Number = eERROR_NONE;
  bool m_bRepeat = false;
  bool m_bFailTest = false;
  bool m_bPlot = false;
  bool m_bZero_Out = true;
  int32_t m_eView_State = eDECIMAL;
  uint16_t m_uiActive_Plots = 0;
  int32_t m_eOutput = eNO_GRAPH;
  uint16_t m_uiHistory_Next = 0;
};
constexpr ClEngineStart gc_START;

}  // namespace

ClMatrix ClCalculator::mp_mVariable[gc_iVARIABLE_SLOTS];
ClMatrix ClCalculator::mp_mParser_Output;
ClMatrix ClCalculator::mp_mLast_Output;
ClMatrix ClCalculator::mp_mLinear;
const ClToken ClCalculator::mp_NULL_TOKEN;
const ClState ClCalculator::mp_NULL_STATE;

ClToken lg_aToken_Stream[gc_iSTREAM_SIZE];
uint16_t lg_uiToken_Stream_Length = gc_START.m_uiToken_Stream_Length;
uint16_t lg_uiNext_Token = gc_START.m_uiNext_Token;
bool lg_bIs_Arg_List = gc_START.m_bIs_Arg_List;
bool lg_bIs_Arg_List_1 = gc_START.m_bIs_Arg_List_1;

uint16_t g_uiError_Number = gc_START.m_uiError_Number;
bool g_bRepeat = gc_START.m_bRepeat;
bool g_bFailTest = gc_START.m_bFailTest;
bool g_bPlot = gc_START.m_bPlot;
bool g_bZero_Out = gc_START.m_bZero_Out;
int32_t g_eView_State = gc_START.m_eView_State;
char g_acOutput_Line[gc_lOUTPUT_SIZE];

uint16_t g_uiActive_Plots = gc_START.m_uiActive_Plots;
int32_t g_eOutput = gc_START.m_eOutput;

ClCalculator::ClCalculator() {
  // The keypad stores the same characters when it is built; filling the map
  // here lets the engine run without a window.
  fillKeyboardMap();
  buildInverseMap();
  // OpenBLAS's AVX zgemv kernels read up to 48 bytes past their input vector.
  // A matrix in a block of its own (mmap) can end at the edge of mapped memory
  // and fault there; from the heap the bytes after it are always readable.
  // Every matrix (at most 4 MB) and LAPACK's work space stay below this.
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
  // Fixing that threshold also fixes the trim threshold at 128 kB: every
  // freed 4 MB result went back to the system and the next one faulted its
  // pages in anew, which cost more than computing it. Free memory up to this
  // much stays for the next value instead.
  mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
}

ClCalculator::~ClCalculator() {
  releaseAll();
}

void ClCalculator::releaseAll() {
  for (ClMatrix& mSlot : mp_mVariable) mSlot.resize(0, 0);
  mp_mParser_Output.resize(0, 0);
  mp_mLast_Output.resize(0, 0);
  mp_mLinear.resize(0, 0);
}

void setError(eERROR eError) {
  if (g_uiError_Number == eERROR_NONE) g_uiError_Number = eError;
}

void overrideError(eERROR eError) {
  g_uiError_Number = eError;
}

ClCalculator g_Calculator;
uint16_t g_uiHistory_Next = gc_START.m_uiHistory_Next;

void resetEngineState() {
  ClCalculator::releaseAll();
  for (ClToken& token : lg_aToken_Stream) token = ClCalculator::mp_NULL_TOKEN;
  lg_uiToken_Stream_Length = gc_START.m_uiToken_Stream_Length;
  lg_uiNext_Token = gc_START.m_uiNext_Token;
  lg_bIs_Arg_List = gc_START.m_bIs_Arg_List;
  lg_bIs_Arg_List_1 = gc_START.m_bIs_Arg_List_1;
  g_uiError_Number = gc_START.m_uiError_Number;
  g_bRepeat = gc_START.m_bRepeat;
  g_bFailTest = gc_START.m_bFailTest;
  g_bPlot = gc_START.m_bPlot;
  g_bZero_Out = gc_START.m_bZero_Out;
  g_eView_State = gc_START.m_eView_State;
  g_acOutput_Line[0] = '\0';
  g_uiActive_Plots = gc_START.m_uiActive_Plots;
  g_eOutput = gc_START.m_eOutput;
  g_uiHistory_Next = gc_START.m_uiHistory_Next;
  g_Current_State = ClCalculator::mp_NULL_STATE;
  g_Current_State_Bkp = ClCalculator::mp_NULL_STATE;
  resetTyping();
  resetStepsKept();
  // rand() is never seeded by the program, which is seed 1
  std::srand(1);
}
