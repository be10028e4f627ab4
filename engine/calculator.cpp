// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's static store and globals, and the calculator object's life.
#include "engine/calculator.h"

#include <malloc.h>

#include <cstdlib>

#include "engine/steps_kept.h"
#include "engine/typing.h"

ClMatrix ClCalculator::mp_mVariable[gc_iVARIABLE_SLOTS];
ClMatrix ClCalculator::mp_mParser_Output;
ClMatrix ClCalculator::mp_mLast_Output;
ClMatrix ClCalculator::mp_mLinear;
const ClToken ClCalculator::mp_NULL_TOKEN;
const ClState ClCalculator::mp_NULL_STATE;

ClToken lg_aToken_Stream[gc_iSTREAM_SIZE];
uint16_t lg_uiToken_Stream_Length = 0;
uint16_t lg_uiNext_Token = 0;
bool lg_bIs_Arg_List = false;
bool lg_bIs_Arg_List_1 = false;

uint16_t g_uiError_Number = eERROR_NONE;
bool g_bRepeat = false;
bool g_bFailTest = false;
bool g_bPlot = false;
bool g_bZero_Out = true;
int32_t g_eView_State = eDECIMAL;
char g_acOutput_Line[gc_lOUTPUT_SIZE];

uint16_t g_uiActive_Plots = 0;
int32_t g_eOutput = eNO_GRAPH;

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
uint16_t g_uiHistory_Next = 0;

// The values are the initialisers above (and of the current line and the
// typing state); keep the two in step.
void resetEngineState() {
  ClCalculator::releaseAll();
  for (ClToken& token : lg_aToken_Stream) token = ClCalculator::mp_NULL_TOKEN;
  lg_uiToken_Stream_Length = 0;
  lg_uiNext_Token = 0;
  lg_bIs_Arg_List = lg_bIs_Arg_List_1 = false;
  g_uiError_Number = eERROR_NONE;
  g_bRepeat = g_bFailTest = g_bPlot = false;
  g_bZero_Out = true;
  g_eView_State = eDECIMAL;
  g_acOutput_Line[0] = '\0';
  g_uiActive_Plots = 0;
  g_eOutput = eNO_GRAPH;
  g_uiHistory_Next = 0;
  g_Current_State = ClCalculator::mp_NULL_STATE;
  g_Current_State_Bkp = ClCalculator::mp_NULL_STATE;
  lg_eActive_Input = eMAIN_LINE;
  lg_bAssignTrue = false;
  resetStepsKept();
  // rand() is never seeded by the program, which is seed 1
  std::srand(1);
}
