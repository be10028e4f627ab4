// SPDX-License-Identifier: GPL-3.0-or-later
// Enter and the repetition of history ranges (scripts), plus the "Zero Out"
// and exit callbacks. Everything reaches the panes and switches through the
// seam, so the window, the batch runner and the tests run this same code.
#include "command/enter.h"

#include <FL/Fl_Text_Buffer.H>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "command/callback.h"
#include "command/history.h"
#include "command/seam.h"
#include "command/text_buffer.h"
#include "engine/calculator.h"
#include "engine/steps.h"
#include "engine/typing.h"

const char gc_acSTOP_NOTICE[] = "Rpt stopped on request";

namespace {

char lg_acEcho[8192];
// A result in the form the seam prints, while it is appended.
std::string lg_sForm_Text;
// The line and history count saved by each running repetition, innermost
// last. Kept off the call stack so that deep nesting costs little stack.
std::vector<ClState> lg_aSaved_Lines;
// A stop was requested: every running repetition ends after its current line.
bool lg_bStopping = false;

const char* errorMessage() {
  return g_uiError_Number < gc_iERROR_COUNT ? gc_aacERROR_MESSAGE[g_uiError_Number] : "";
}

void appendOutput(const char* acText) {
  ClPane& output = g_pSeam->pane(ePANE_OUTPUT);
  output.setInsertPosition(g_pSeam->outputMark());
  output.insert(acText);
  g_pSeam->setOutputMark(output.insertPosition());
}

// One Window and Portrait Mode show the results in the input pane too.
void appendInput(const char* acText) {
  if (g_eWindow_Mode != eTWO_WINDOWS) g_pSeam->pane(ePANE_INPUT).insert(acText);
}

void appendBoth(const char* acText) {
  appendOutput(acText);
  appendInput(acText);
}

// In the input pane a notice goes before the new prompt: behind it, the next
// key press would erase it with the line being typed.
void insertBeforePrompt(const char* acNotice) {
  ClState& line = g_Current_State;
  const int iPrompt = static_cast<int>(line.m_uiDisplay_Start - std::strlen(gc_acIN_PROMPT));
  ClPane& input = g_pSeam->pane(ePANE_INPUT);
  static_cast<ClTextBuffer*>(input.buffer())->insertGrowing(iPrompt, acNotice);
  line.m_uiDisplay_Start += static_cast<uint32_t>(std::strlen(acNotice));
  input.showInsertPosition();
}

// The text of the line's result: the display's, or the form orvel-batch
// prints results in.
const char* resultText() {
  eTEXT_FORM eForm = eFORM_TEXT;
  const ClMatrix& mResult = ClCalculator::mp_mParser_Output;
  if (!g_pSeam->printsForm(eForm) || mResult.size() == 0) return g_acOutput_Line;
  lg_sForm_Text =
      matrixInForm(mResult, eForm, currentDisplayOptions(g_pSeam->isOn(eSWITCH_FULL_PRECISION)));
  return lg_sForm_Text.c_str();
}

const char* echoOfCurrentLine() {
  g_Current_State.inputToChar(lg_acEcho, 0, g_Current_State.m_uiLength);
  return lg_acEcho;
}

// The error message, then the result text when the engine left one.
void printError(bool bNew_Line) {
  if (bNew_Line) appendBoth("\n");
  appendBoth(errorMessage());
  if (g_acOutput_Line[0] == '\0' || ClCalculator::mp_mParser_Output.rows() < 1) return;
  appendBoth(":\n");
  appendBoth(g_acOutput_Line);
}

// False when the lexer refused the line and the parser did not run. A plot
// request belongs to the line that made it: an editor line's must not be
// stored with the next main line.
// A main line keeps the operands of its row reductions for the Steps window.
bool evaluateCurrentLine() {
  g_bPlot = false;
  const bool bMain = lg_eActive_Input == eMAIN_LINE;
  if (bMain) startKeepingSteps();
  const bool bLexed = ClCalculator::tLexer();
  if (bLexed) ClCalculator::tParser();
  stopKeepingSteps();
  return bLexed;
}

void storePlot() {
  if (g_uiActive_Plots < gc_iPLOT_SLOTS)
    ClCalculator::mp_mVariable[g_uiActive_Plots++] = ClCalculator::mp_mParser_Output;
  g_pSeam->redrawGraph();
  g_bPlot = false;
}

// The range must lie in the history; a range that reaches forward must end
// before the line that started the enclosing repetition, which is what ends
// every nesting.
bool rangeFits(int iSlot, int iFirst_Offset, int iLast_Offset, int iVisible_Count) {
  const bool bBackward = iLast_Offset > 0;
  if (bBackward ? iFirst_Offset > iSlot : iSlot - iLast_Offset + 1 >= iVisible_Count) return false;
  const int iFirst = iSlot - iFirst_Offset;
  const int iLast = iSlot - iLast_Offset;
  return iFirst >= 0 && iFirst <= iLast && iLast < gc_iHISTORY_SIZE;
}

void printRepeatedLine(const char* acResult) {
  appendBoth(gc_acOUT_PROMPT);
  appendBoth(echoOfCurrentLine());
  appendOutput(" :\n");
  appendOutput(acResult);
  appendInput(" \n");
  appendInput(acResult);
}

// Runs history slot iSlot as one line of a repetition; false ends the
// repetition (an error other than "Empty matrix").
bool runRepeatedLine(int iSlot, uint16_t uiVisible_Count, bool bQuiet) {
  g_Current_State = lg_State_History[iSlot];
  // during the line the history seems to end with it
  g_uiHistory_Next = static_cast<uint16_t>(iSlot + 1);
  const eTOKEN eLast = g_Current_State.lastToken();
  const bool bRpt_Line =
      g_Current_State.m_uiLength > 0 && tokenOf(g_Current_State.m_acLine[0]) == eRPT;
  // A line refused by the lexer writes no text; the Rpt line's own result
  // must not be printed as its result.
  g_acOutput_Line[0] = '\0';
  evaluateCurrentLine();
  if (g_uiError_Number != eERROR_NONE && g_uiError_Number != eERROR_EMPTY_MATRIX) return false;
  if (g_eOutput != eNO_GRAPH && g_bPlot) {
    storePlot();
    if (!g_bRepeat) return true;
  }
  if (g_bRepeat) {
    // the slot keeps the freshly evaluated repeat fields
    ClState& stored = lg_State_History[iSlot];
    stored = g_Current_State;
    stored.m_uiCursor = stored.m_uiLength;
    executeLines(static_cast<uint16_t>(iSlot), uiVisible_Count, bQuiet);
    g_bRepeat = false;
    return true;
  }
  if (eLast != eSEMICOLON) {
    const bool bEmpty = g_uiError_Number == eERROR_EMPTY_MATRIX;
    if (bEmpty) {
      // printed as the line's result; the repetition goes on
      std::strcpy(g_acOutput_Line, gc_aacERROR_MESSAGE[eERROR_EMPTY_MATRIX]);
      g_uiError_Number = eERROR_NONE;
    }
    if (!bQuiet && !bRpt_Line) printRepeatedLine(bEmpty ? g_acOutput_Line : resultText());
  }
  g_acOutput_Line[0] = '\0';
  g_pSeam->pane(ePANE_OUTPUT).showInsertPosition();
  g_pSeam->pane(ePANE_INPUT).showInsertPosition();
  return true;
}

void runPasses(uint16_t uiPasses, int iFirst, int iLast, uint16_t uiVisible_Count, bool bQuiet) {
  for (uint32_t uiPass = 0; uiPass < uiPasses; ++uiPass) {
    for (int iSlot = iFirst; iSlot <= iLast; ++iSlot) {
      if (lg_bStopping || g_pSeam->stopRequested()) {
        lg_bStopping = true;
        return;
      }
      if (!runRepeatedLine(iSlot, uiVisible_Count, bQuiet)) return;
    }
  }
}

// Plot, repetition and output of an executed line of the main input.
void runAndPrint(uint16_t uiSlot, bool bQuiet) {
  const ClState& line = g_Current_State;
  if (g_eOutput != eNO_GRAPH && g_bPlot &&
      (g_uiError_Number == eERROR_NONE || g_uiError_Number == eERROR_INVALID_NUMBERS))
    storePlot();
  if (g_bRepeat) {
    g_bRepeat = false;
    if (g_uiError_Number == eERROR_NONE) {
      ClState& stored = lg_State_History[uiSlot];
      stored.m_uiRepeat_Count = line.m_uiRepeat_Count;
      stored.m_iRepeat_First = line.m_iRepeat_First;
      stored.m_iRepeat_Last = line.m_iRepeat_Last;
      if (line.m_iRepeat_First > 0) executeLines(uiSlot, 0, false);
      // the repetition printed its own errors
      g_uiError_Number = eERROR_NONE;
      bQuiet = true;
    }
  }
  if (g_bFailTest) {
    g_bFailTest = false;
    bQuiet = true;
  }

  appendBoth(gc_acOUT_PROMPT);
  if (bQuiet) {
    appendOutput("\n");
  } else {
    appendOutput(echoOfCurrentLine());
    appendOutput(" :\n");
  }
  if (g_uiError_Number != eERROR_NONE) {
    printError(false);
    g_uiError_Number = eERROR_NONE;
  } else if (!bQuiet) {
    const char* acResult = resultText();
    appendOutput(acResult);
    if (ClCalculator::mp_mParser_Output.rows() > 1) appendInput(":\n");
    appendInput(acResult);
  }
}

// The cell after (or before) the edited one along the rows; the editor
// closes past the last cell and before the first.
void advance(ClCells& cells, eSTEP eStep) {
  int iRow = cells.editRow();
  int iColumn = cells.editColumn() + (eStep == eSTEP_NEXT ? 1 : -1);
  if (iColumn >= cells.columns()) {
    iColumn = 0;
    ++iRow;
  } else if (iColumn < 0) {
    iColumn = cells.columns() - 1;
    --iRow;
  }
  cells.stopEditing();
  if (iRow >= 0 && iRow < cells.rows()) cells.startEditing(iRow, iColumn);
  ClCallback::cleanUp(false);
  g_pSeam->redraw();
}

void enterCell(eSTEP eStep) {
  ClCells* pCells = g_pSeam->cells();
  if (pCells == nullptr || pCells->editRow() >= pCells->rows()) {
    ClCallback::cleanUp(false);
    return;
  }
  if (g_Current_State.m_uiLength == 0) {
    advance(*pCells, eStep);
    return;
  }
  if (g_uiError_Number != eERROR_NONE) {
    // the line stays, with its cursor, for correction
    g_pSeam->message(errorMessage());
    g_uiError_Number = eERROR_NONE;
    displayCurrent();
    return;
  }
  std::complex<double> cValue;
  if (!editorScalar(cValue)) {
    g_pSeam->message("Entry is not a scalar number");
    ClCallback::cleanUp(false);
    return;
  }
  pCells->setEntry(pCells->editRow(), pCells->editColumn(), cValue);
  advance(*pCells, eStep);
}

}  // namespace

void showNotice(const char* acNotice) {
  ClPane& output = g_pSeam->pane(ePANE_OUTPUT);
  output.insert(acNotice);
  output.showInsertPosition();
  g_pSeam->setOutputMark(output.insertPosition());
  if (g_eWindow_Mode != eTWO_WINDOWS) insertBeforePrompt(acNotice);
}

bool editorScalar(std::complex<double>& cValue) {
  const ClMatrix& mResult = ClCalculator::mp_mParser_Output;
  if (g_uiError_Number != eERROR_NONE || mResult.rows() != 1 || mResult.cols() != 1) return false;
  cValue = mResult(0, 0);
  return true;
}

void enterLine(eSTEP eStep) {
  ClState& line = g_Current_State;
  lg_bAssignTrue = false;
  line.m_uiCursor = line.m_uiLength;
  displayCurrent();
  removeTrailingCursor(g_pSeam->activePane());
  line.m_acLine[line.m_uiLength] = '\0';

  bool bQuiet = false;
  uint16_t uiSlot = 0;
  if (lg_eActive_Input == eMAIN_LINE && line.m_uiLength > 0) {
    uiSlot = appendHistory();
    if (line.lastToken() == eSEMICOLON) {
      // the history keeps the `;`, the line runs without it and prints nothing
      line.m_acLine[--line.m_uiLength] = '\0';
      line.m_uiCursor = line.m_uiLength;
      bQuiet = true;
    }
  }
  const bool bExecute = g_pSeam->isOn(eSWITCH_EXECUTE);
  // An editor line is evaluated whatever "Execute" says: the cell or the
  // fill-in needs its value, and "Execute" is about the main line's scripts.
  const bool bEditor = lg_eActive_Input != eMAIN_LINE;
  if ((bExecute || bEditor) && !evaluateCurrentLine() && bEditor)
    ClCalculator::mp_mParser_Output.resize(0, 0);
  if (lg_eActive_Input == eEDITOR_CELL) {
    enterCell(eStep);
    return;
  }
  // the fill-in value is read by the editor from the result
  if (bEditor) return;
  if (bExecute) runAndPrint(uiSlot, bQuiet);

  ClPane& output = g_pSeam->pane(ePANE_OUTPUT);
  if (g_eWindow_Mode == eTWO_WINDOWS) {
    output.setInsertPosition(g_pSeam->outputMark());
    output.showInsertPosition();
  }
  g_acOutput_Line[0] = '\0';
  g_pSeam->pane(ePANE_INPUT).showInsertPosition();
  ClCallback::cleanUp(false);
  g_pSeam->redraw();
  // a main line replaces the operands kept for the steps, with none if it
  // has no RREF, Inv, Det or left division
  if (bExecute) g_pSeam->resultsChanged();
}

void executeLines(uint16_t uiSlot, uint16_t uiVisible_Count, bool bQuiet) {
  if (uiSlot >= gc_iHISTORY_SIZE) return;
  const ClState& repeat = lg_State_History[uiSlot];
  if (g_uiError_Number != eERROR_NONE || repeat.m_uiRepeat_Count == 0) return;
  const int iFirst_Offset = repeat.m_iRepeat_First;
  const int iLast_Offset = repeat.m_iRepeat_Last;
  if (!rangeFits(uiSlot, iFirst_Offset, iLast_Offset, uiVisible_Count)) {
    setError(eERROR_SCALAR_RANGE);
    return;
  }
  if (repeat.lastToken() == eSEMICOLON) bQuiet = true;
  const uint16_t uiPasses = repeat.m_uiRepeat_Count;

  lg_aSaved_Lines.push_back(g_Current_State);
  const uint16_t uiSaved_Count = g_uiHistory_Next;
  runPasses(uiPasses, uiSlot - iFirst_Offset, uiSlot - iLast_Offset, uiSaved_Count, bQuiet);
  if (g_uiError_Number != eERROR_NONE) printError(true);
  if (lg_bStopping && lg_aSaved_Lines.size() == 1) {
    // the outermost repetition reports the stop once
    appendBoth("\n");
    appendBoth(gc_acSTOP_NOTICE);
    lg_bStopping = false;
  }
  g_Current_State = lg_aSaved_Lines.back();
  lg_aSaved_Lines.pop_back();
  g_uiHistory_Next = uiSaved_Count;
  g_acOutput_Line[0] = '\0';
}

void resetRepetitions() {
  lg_aSaved_Lines.clear();
  lg_bStopping = false;
}

void ClCallback::zeroOut_cb(Fl_Widget*, void*) {
  g_bZero_Out = g_pSeam->isOn(eSWITCH_ZERO_OUT);
  ClCells* pCells = g_pSeam->cells();
  if (lg_eActive_Input == eEDITOR_CELL && pCells != nullptr) pCells->refresh();
  g_pSeam->resultsChanged();
}

void ClCallback::exit_cb(Fl_Widget*, void*) {
  // only the frontmost main window asks; help, guide and About ignore it
  if (!g_pSeam->isFrontmost()) return;
  char acQuestion[64];
  std::snprintf(acQuestion, sizeof acQuestion, "Exit %s?", "ORVEL Calculator");
  if (g_pSeam->choice(acQuestion, "No", "Yes") == 1) g_pSeam->hideAll();
}
