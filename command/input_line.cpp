// SPDX-License-Identifier: GPL-3.0-or-later
// The input line: key presses become tokens at the cursor, the line is
// rendered from the tokens' display names, and the editing and browsing
// tokens move the cursor or recall history lines. Enter is in enter.cpp.
#include <FL/Fl_Text_Buffer.H>

#include <algorithm>
#include <cstring>
#include <string>

#include "command/callback.h"
#include "command/enter.h"
#include "command/history.h"
#include "command/seam.h"
#include "engine/calculator.h"
#include "engine/typing.h"

namespace {

// Rendered text of part of a line: 511 tokens of at most 8 characters.
char lg_acInput_Line[8192];

eTOKEN tokenFrom(const void* pData) {
  if (pData == nullptr) return eNULL;
  const int32_t iCode = *static_cast<const int32_t*>(pData);
  if (iCode <= eNULL || iCode >= gc_iTOKEN_COUNT) return eNULL;
  // a code with no key (the lexer's own tokens) would store a 0 byte in the
  // line, and a data file holding it cannot be read back
  return charOf(eTOKEN(iCode)) == 0 ? eNULL : eTOKEN(iCode);
}

void moveRight() {
  if (g_Current_State.m_uiCursor >= g_Current_State.m_uiLength) return;
  ++g_Current_State.m_uiCursor;
  displayCurrent();
}

void moveLeft() {
  if (g_Current_State.m_uiCursor == 0) return;
  --g_Current_State.m_uiCursor;
  displayCurrent();
}

void backSpace() {
  ClState& line = g_Current_State;
  if (line.m_uiCursor == 0) return;
  if (line.lastToken() == eASSIGN) lg_bAssignTrue = false;
  std::memmove(line.m_acLine + line.m_uiCursor - 1, line.m_acLine + line.m_uiCursor,
               line.m_uiLength - line.m_uiCursor);
  --line.m_uiCursor;
  --line.m_uiLength;
  line.m_acLine[line.m_uiLength] = '\0';
  displayCurrent();
}

void previousLine() {
  if (lg_eActive_Input != eMAIN_LINE || g_uiHistory_Index == 0) return;
  if (g_uiHistory_Index == g_uiHistory_Next) g_Current_State_Bkp = g_Current_State;
  --g_uiHistory_Index;
  recallLine(lg_State_History[g_uiHistory_Index]);
}

void nextLine() {
  if (lg_eActive_Input != eMAIN_LINE || g_uiHistory_Index >= g_uiHistory_Next) return;
  ++g_uiHistory_Index;
  // past the newest line the unfinished fresh line comes back
  recallLine(g_uiHistory_Index == g_uiHistory_Next ? g_Current_State_Bkp
                                                   : lg_State_History[g_uiHistory_Index]);
}

// What the key of a token does.
enum eKEY_ACTION {
  eKEY_TOKEN,  // inserts an ordinary token
  eKEY_DIGIT,  // inserts a number part, by the number-key rules
  eKEY_LINE,   // cursor, history, Clear and Enter
  eKEY_ALT,    // swaps the keypad's alternate buttons
};

eKEY_ACTION keyActionOf(eTOKEN eToken) {
  if (eToken == eALT) return eKEY_ALT;
  if (kindOf(eToken) == eKIND_COMMAND) return eKEY_LINE;
  return isNumberPart(eToken) ? eKEY_DIGIT : eKEY_TOKEN;
}

// What one key did to the line.
enum eTYPED { eTYPED_IN, eTYPED_REFUSED, eTYPED_NO_ROOM };

// An ordinary token's key without the rendering.
eTYPED typeToken(eTOKEN eToken) {
  if (g_pSeam->isOn(eSWITCH_ERROR_CHECK) && !tokenErrorCheck(eToken)) return eTYPED_REFUSED;
  const uint16_t uiLength = g_Current_State.m_uiLength;
  if (uiLength >= gc_iMAX_TYPED_LINE) return eTYPED_NO_ROOM;
  insertToken(eToken);
  return g_Current_State.m_uiLength > uiLength ? eTYPED_IN : eTYPED_NO_ROOM;
}

// A number part's key without the rendering; the number-key rules apply
// whatever the "Error Check" setting.
eTYPED typeDigit(eTOKEN eToken) {
  const uint16_t uiLength = g_Current_State.m_uiLength;
  if (uiLength >= gc_iMAX_LINE) return eTYPED_NO_ROOM;
  if (!digitKeyCheck(eToken)) return eTYPED_REFUSED;
  insertToken(eToken);
  return g_Current_State.m_uiLength > uiLength ? eTYPED_IN : eTYPED_NO_ROOM;
}

// The characters the keys of sKeys add, an automatic `(` included.
int charactersOf(const std::string& sKeys) {
  const bool bAuto = g_pSeam->isOn(eSWITCH_AUTO_PARENS);
  int iCount = 0;
  for (const char c : sKeys) iCount += bAuto && isPrefixFunction(tokenOf(c)) ? 2 : 1;
  return iCount;
}

// A token's display name without its blanks: "*", "Sin", ";".
std::string shownName(eTOKEN eToken) {
  std::string sName = tokenName(eToken);
  sName.erase(0, sName.find_first_not_of(' '));
  sName.erase(sName.find_last_not_of(' ') + 1);
  return sName;
}

// Key k of sKeys was refused where the cursor is now. The keys are told as
// typed, which for a matrix is not the pasted text.
std::string refusal(const std::string& sKeys, size_t k) {
  constexpr size_t gc_uiSHOWN_KEYS = 30;
  const ClState& line = g_Current_State;
  const std::string sWhere =
      line.m_uiCursor == 0
          ? "cannot start the line"
          : "cannot follow \"" + shownName(tokenOf(line.m_acLine[line.m_uiCursor - 1])) + "\"";
  const std::string sShown = sKeys.size() > gc_uiSHOWN_KEYS
                                 ? sKeys.substr(0, gc_uiSHOWN_KEYS) + "..."
                                 : sKeys;
  return "Pasted text refused: \"" + shownName(tokenOf(sKeys[k])) + "\" " + sWhere + " (key " +
         std::to_string(k + 1) + " of " + std::to_string(sKeys.size()) + " in \"" + sShown +
         "\").";
}

}  // namespace

void removeTrailingCursor(ClPane& pane) {
  Fl_Text_Buffer* pBuffer = pane.buffer();
  const int iLength = pBuffer->length();
  if (iLength > 0 && pBuffer->byte_at(iLength - 1) == gc_acCURSOR[0])
    pBuffer->remove(iLength - 1, iLength);
}

void insertToken(eTOKEN eToken) {
  ClState& line = g_Current_State;
  // room for the token and an automatic `(`
  if (line.m_uiLength > gc_iMAX_LINE_BEFORE_TOKEN) return;
  const int k = g_pSeam->isOn(eSWITCH_AUTO_PARENS) && isPrefixFunction(eToken) ? 2 : 1;
  std::memmove(line.m_acLine + line.m_uiCursor + k, line.m_acLine + line.m_uiCursor,
               line.m_uiLength - line.m_uiCursor);
  line.m_uiLength += k;
  line.m_acLine[line.m_uiCursor++] = charOf(eToken);
  if (k == 2) line.m_acLine[line.m_uiCursor++] = charOf(eLPAREN);
  line.m_acLine[line.m_uiLength] = '\0';
}

void displayCurrent() {
  // the input pane shows no cursor while another display takes input
  removeTrailingCursor(g_pSeam->pane(ePANE_INPUT));
  const ClState& line = g_Current_State;
  ClPane& active = g_pSeam->activePane();
  Fl_Text_Buffer* pBuffer = active.buffer();
  pBuffer->remove(static_cast<int>(line.m_uiDisplay_Start), pBuffer->length());
  line.inputToChar(lg_acInput_Line, 0, line.m_uiCursor);
  active.setInsertPosition(pBuffer->length());
  active.insert(lg_acInput_Line);
  active.insert(gc_acCURSOR);
  if (line.m_uiCursor < line.m_uiLength) {
    line.inputToChar(lg_acInput_Line, line.m_uiCursor, line.m_uiLength);
    active.insert(lg_acInput_Line);
  }
  active.showInsertPosition();
}

void recallLine(const ClState& line) {
  ClCallback::cleanUp(true);
  const uint32_t uiDisplay_Start = g_Current_State.m_uiDisplay_Start;
  g_Current_State = line;
  g_Current_State.m_uiDisplay_Start = uiDisplay_Start;
  displayCurrent();
}

void setCurrentLine(const char* acLine, uint16_t uiLength) {
  ClState& line = g_Current_State;
  if (uiLength > gc_iMAX_TYPED_LINE) uiLength = gc_iMAX_TYPED_LINE;
  std::memcpy(line.m_acLine, acLine, uiLength);
  std::memset(line.m_acLine + uiLength, 0, gc_iLINE_SIZE - uiLength);
  line.m_uiLength = uiLength;
  line.m_uiCursor = uiLength;
  line.m_uiRepeat_Count = 0;
  line.m_iRepeat_First = 0;
  line.m_iRepeat_Last = 0;
  displayCurrent();
}

void ClCallback::cleanUp(bool bErase) {
  ClState& line = g_Current_State;
  g_uiError_Number = eERROR_NONE;
  lg_bAssignTrue = false;
  line.m_uiLength = 0;
  line.m_uiCursor = 0;
  line.m_acLine[0] = '\0';
  // the store is a C string: its first byte empties it
  g_acOutput_Line[0] = '\0';

  ClPane& active = g_pSeam->activePane();
  Fl_Text_Buffer* pActive_Buffer = active.buffer();
  if (bErase) {
    pActive_Buffer->remove(static_cast<int>(line.m_uiDisplay_Start), pActive_Buffer->length());
  } else if (lg_eActive_Input == eMAIN_LINE) {
    ClPane& input = g_pSeam->pane(ePANE_INPUT);
    input.insert(gc_acIN_PROMPT);
    line.m_uiDisplay_Start = static_cast<uint32_t>(input.buffer()->length());
    input.setInsertPosition(static_cast<int>(line.m_uiDisplay_Start));
    ClPane& output = g_pSeam->pane(ePANE_OUTPUT);
    const int iEnd = output.buffer()->length();
    g_pSeam->setOutputMark(iEnd);
    output.setInsertPosition(iEnd);
    output.showInsertPosition();
  } else {
    line.m_uiDisplay_Start = 0;
    pActive_Buffer->text("");
  }
  active.setInsertPosition(pActive_Buffer->length());
  active.insert(gc_acCURSOR);
  active.showInsertPosition();
}

void ClCallback::token_cb(Fl_Widget*, void* pData) {
  const eTOKEN eToken = tokenFrom(pData);
  if (eToken == eNULL || typeToken(eToken) != eTYPED_IN) return;
  displayCurrent();
  g_pSeam->redraw();
}

void ClCallback::digit_cb(Fl_Widget*, void* pData) {
  const eTOKEN eToken = tokenFrom(pData);
  if (!isNumberPart(eToken) || typeDigit(eToken) != eTYPED_IN) return;
  displayCurrent();
  g_pSeam->redraw();
}

void ClCallback::state_cb(Fl_Widget*, void* pData) {
  switch (tokenFrom(pData)) {
    case eRIGHT:
      moveRight();
      break;
    case eLEFT:
      moveLeft();
      break;
    case eBKSP:
      backSpace();
      break;
    case eCLEAR:
      if (g_Current_State.m_uiLength > 0) cleanUp(true);
      break;
    case ePREV:
      previousLine();
      break;
    case eNEXT:
      nextLine();
      break;
    case eENTER:
      enterLine();
      return;
    default:
      break;
  }
  g_pSeam->redraw();
}

void pressToken(eTOKEN eToken, void (*pAlt)()) {
  switch (keyActionOf(eToken)) {
    case eKEY_TOKEN:
      ClCallback::token_cb(nullptr, &eToken);
      return;
    case eKEY_DIGIT:
      ClCallback::digit_cb(nullptr, &eToken);
      return;
    case eKEY_LINE:
      ClCallback::state_cb(nullptr, &eToken);
      return;
    case eKEY_ALT:
      if (pAlt) pAlt();
      return;
  }
}

bool typeKeysAtCursor(const std::string& sKeys, std::string& sWhy) {
  const ClState saved = g_Current_State;
  const bool bAssign = lg_bAssignTrue;
  for (size_t k = 0; k < sKeys.size(); ++k) {
    const eTOKEN eToken = tokenOf(sKeys[k]);
    const eTYPED eTyped = !isLineToken(eToken)   ? eTYPED_REFUSED
                          : isNumberPart(eToken) ? typeDigit(eToken)
                                                 : typeToken(eToken);
    if (eTyped == eTYPED_IN) continue;
    // a refused key is told as it stands in the line: before the restore
    sWhy = refusal(sKeys, k);
    g_Current_State = saved;
    lg_bAssignTrue = bAssign;
    // a token key adds to a line of at most gc_iMAX_LINE_BEFORE_TOKEN
    const int iRoom = std::max(0, gc_iMAX_LINE_BEFORE_TOKEN + 1 - saved.m_uiLength);
    const int iNeeded = charactersOf(sKeys);
    if (iNeeded > iRoom)
      sWhy = "Pasted text needs " + std::to_string(iNeeded) +
             " characters; the line has room for " + std::to_string(iRoom) + ".";
    return false;
  }
  displayCurrent();
  g_pSeam->redraw();
  return true;
}
