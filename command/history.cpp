// SPDX-License-Identifier: GPL-3.0-or-later
// The history of entered lines: the store, its block move, the append of
// Enter and the four items of Edit > History. Browsing with Prev and Next is
// in input_line.cpp, Enter and repetition in enter.cpp.
#include "command/history.h"

#include <FL/Fl_Text_Buffer.H>

#include <algorithm>

#include "command/callback.h"
#include "command/enter.h"
#include "command/seam.h"
#include "engine/calculator.h"
#include "engine/typing.h"

ClState lg_State_History[gc_iHISTORY_SIZE];
uint16_t g_uiHistory_Index = 0;
int32_t g_eWindow_Mode = eTWO_WINDOWS;
ClSeam* g_pSeam = nullptr;

const char gc_acIN_PROMPT[] = "\nIn>";
const char gc_acOUT_PROMPT[] = "\nOut>";
const char gc_acCURSOR[] = "_";
const char gc_acIN_SPACER[] = "\n\n\n\n\n\n\n\n";
const char gc_acOUT_SPACER[] = "\n\n\n\n\n\n\n\n";

void copyHistory(int16_t iFirst, int16_t iLast, int16_t iShift) {
  const int iTop = gc_iHISTORY_SIZE - 1;
  if (iFirst < 0 || iFirst > iLast || iLast > iTop) return;
  if (iShift == 0 || iShift < -iTop || iShift > iTop) return;
  // Slots whose target falls outside the history are not copied; the order
  // never overwrites a source before it is read.
  if (iShift > 0) {
    for (int k = std::min<int>(iLast, iTop - iShift); k >= iFirst; --k)
      lg_State_History[k + iShift] = lg_State_History[k];
  } else {
    for (int k = std::max<int>(iFirst, -iShift); k <= iLast; ++k)
      lg_State_History[k + iShift] = lg_State_History[k];
  }
}

uint16_t appendHistory() {
  // A full history is a window over the last 1024 lines.
  if (g_uiHistory_Next == gc_iHISTORY_SIZE) {
    g_uiHistory_Next = gc_iHISTORY_SIZE - 1;
    copyHistory(0, gc_iHISTORY_SIZE - 1, -1);
  }
  const uint16_t uiSlot = g_uiHistory_Next;
  lg_State_History[uiSlot] = g_Current_State;
  g_uiHistory_Next = uiSlot + 1;
  g_uiHistory_Index = g_uiHistory_Next;
  return uiSlot;
}

void resetOutputPane(ClSeam& seam) {
  ClPane& output = seam.pane(ePANE_OUTPUT);
  output.buffer()->text("");
  output.setInsertPosition(0);
  output.insert(gc_acOUT_SPACER);
  seam.setOutputMark(output.insertPosition());
}

void resetPanes(ClSeam& seam) {
  resetOutputPane(seam);
  ClPane& input = seam.pane(ePANE_INPUT);
  input.buffer()->text("");
  input.setInsertPosition(0);
  input.insert(gc_acIN_SPACER);
  input.insert(gc_acIN_PROMPT);
  input.insert(gc_acCURSOR);
  input.showInsertPosition();
}

// "Insert  Item": the newest line moves in front of the browsed one.
void ClCallback::insert_cb(Fl_Widget*, void*) {
  if (g_uiHistory_Index >= g_uiHistory_Next) return;
  const ClState newest = lg_State_History[g_uiHistory_Next - 1];
  copyHistory(g_uiHistory_Index, g_uiHistory_Next - 1, 1);
  lg_State_History[g_uiHistory_Index] = newest;
  ++g_uiHistory_Index;
}

// "Clear Item": deletes the browsed line, or on the fresh line empties the
// one variable the line names.
void ClCallback::clear_cb(Fl_Widget*, void*) {
  if (g_uiHistory_Index < g_uiHistory_Next) {
    copyHistory(g_uiHistory_Index + 1, g_uiHistory_Next - 1, -1);
    --g_uiHistory_Next;
    lg_State_History[g_uiHistory_Next] = ClCalculator::mp_NULL_STATE;
    recallLine(lg_State_History[g_uiHistory_Index]);
  } else {
    const eTOKEN eToken = tokenOf(g_Current_State.m_acLine[0]);
    if (g_Current_State.m_uiLength != 1 || !isVariableToken(eToken)) return;
    ClCalculator::mp_mVariable[eToken].resize(0, 0);
    cleanUp(true);
  }
  g_pSeam->redraw();
}

// "Clear History": empty panes and history; the variables stay.
void ClCallback::clearAll_cb(Fl_Widget*, void*) {
  ClCalculator::mp_mParser_Output.resize(0, 0);
  ClCalculator::mp_mLast_Output.resize(0, 0);
  ClCalculator::mp_mLinear.resize(0, 0);
  g_pSeam->activateInputPane();
  resetPanes(*g_pSeam);
  g_Current_State = ClCalculator::mp_NULL_STATE;
  for (ClState& slot : lg_State_History) slot = ClCalculator::mp_NULL_STATE;
  lg_bAssignTrue = false;
  g_uiHistory_Next = 0;
  g_uiHistory_Index = 0;
  g_pSeam->redraw();
}

void resetCommandState(ClSeam& seam) {
  resetEngineState();
  resetRepetitions();
  g_pSeam = &seam;
  g_eWindow_Mode = eTWO_WINDOWS;
  ClCallback::clearAll_cb(nullptr, nullptr);
}

// "Clear All": "Clear History", the plots and every variable.
void ClCallback::clearEverything_cb(Fl_Widget* pWidget, void* pData) {
  clearAll_cb(pWidget, pData);
  if (g_eOutput != eNO_GRAPH) {
    g_uiActive_Plots = 0;
    g_pSeam->redrawGraph();
  }
  ClCalculator::releaseAll();
}
