// SPDX-License-Identifier: GPL-3.0-or-later
// The special keys and the keyboard handler of the main window: keys press
// tokens through the same dispatch as the keypad buttons, whether or not a
// button is shown. Pasted text arrives here too.
#include "ui/keyboard.h"

#include <FL/Fl.H>

#include <string>

#include "command/callback.h"
#include "command/clipboard.h"
#include "command/enter.h"
#include "engine/tokens.h"
#include "engine/typing.h"
#include "ui/table.h"
#include "ui/window.h"
#include "ui/window_seam.h"
#include "ui/zoom.h"

namespace {

// How the keyboard handler takes a special key.
enum eKEY_ARRIVAL {
  eARRIVES_AS_KEY,        // at its key-down, once per press
  eARRIVES_AS_CHARACTER,  // as its token character, like any typed key
  eARRIVES_IN_A_CELL,     // at its key-down while a matrix editor cell is edited
};

struct ClSpecialKey {
  int m_iKey;
  eTOKEN m_eToken;
  eKEY_ARRIVAL m_eArrival;
};

// Escape and Enter have token characters, the others none. Each key but Tab
// is also the shortcut of its token's button; Tab is Enter in a cell only
// (Shift+Tab moves back).
const ClSpecialKey gc_aSPECIAL_KEYS[] = {
    {FL_Up, ePREV, eARRIVES_AS_KEY},           {FL_Down, eNEXT, eARRIVES_AS_KEY},
    {FL_Left, eLEFT, eARRIVES_AS_KEY},         {FL_Right, eRIGHT, eARRIVES_AS_KEY},
    {FL_BackSpace, eBKSP, eARRIVES_AS_KEY},    {FL_Escape, eCLEAR, eARRIVES_AS_CHARACTER},
    {FL_Enter, eENTER, eARRIVES_AS_CHARACTER}, {FL_Tab, eENTER, eARRIVES_IN_A_CELL},
};

const ClSpecialKey* shortcutOfToken(eTOKEN eToken) {
  for (const ClSpecialKey& key : gc_aSPECIAL_KEYS)
    if (key.m_eToken == eToken && key.m_eArrival != eARRIVES_IN_A_CELL) return &key;
  return nullptr;
}

bool arrives(int iKey, eKEY_ARRIVAL eArrival) {
  for (const ClSpecialKey& key : gc_aSPECIAL_KEYS)
    if (key.m_iKey == iKey && key.m_eArrival == eArrival) return true;
  return false;
}

}  // namespace

eTOKEN lineCommandOf(int iKey) {
  for (const ClSpecialKey& key : gc_aSPECIAL_KEYS)
    if (key.m_iKey == iKey && key.m_eArrival == eARRIVES_AS_KEY) return key.m_eToken;
  return eNULL;
}

bool isCellKey(int iKey) {
  return lg_eActive_Input == eEDITOR_CELL && arrives(iKey, eARRIVES_IN_A_CELL);
}

bool isTableClipboardKey() {
  const int iKey = Fl::event_key();
  return lg_eActive_Input == eEDITOR_CELL &&
         (Fl::event_state() & (FL_CTRL | FL_SHIFT | FL_ALT | FL_META)) == FL_CTRL &&
         (iKey == 'v' || iKey == 'c');
}

int specialKeyOf(eTOKEN eToken) {
  const ClSpecialKey* pKey = shortcutOfToken(eToken);
  return pKey ? pKey->m_iKey : 0;
}

bool isEscapeEvent(int iEvent) {
  return (iEvent == FL_KEYBOARD || iEvent == FL_SHORTCUT) && Fl::event_key() == FL_Escape;
}

void pressKey(eTOKEN eToken) {
  pressToken(eToken, [] { ClCallback::alt_cb(nullptr, nullptr); });
}

namespace {

int runLineCommand(eTOKEN eCode) {
  // the matrix editor's displays keep the focus while they take input
  if (lg_eActive_Input == eMAIN_LINE) {
    ClTextDisplay* pInput = g_Main_Window.ui()->m_pInput;
    pInput->take_focus();
    pInput->showInsertPositionFast();
  }
  pressKey(eCode);
  return 1;
}

// Tab commits the cell like Enter; Shift+Tab commits it and moves back.
int runCellKey() {
  enterLine(Fl::event_state() & FL_SHIFT ? eSTEP_PREVIOUS : eSTEP_NEXT);
  return 1;
}

// A paste requested by Edit > Paste, a middle click or the table's Ctrl+V.
// One arriving while a repetition polls for Escape would change its line.
int runPaste() {
  if (!pollingForStop()) pasteText(std::string(Fl::event_text(), Fl::event_length()));
  return 1;
}

// A middle click on the input pane asks for the primary selection; true when
// the event was one.
bool pastePrimary(int iEvent, ClWindow& window) {
  ClTextDisplay* pInput = g_Main_Window.ui()->m_pInput;
  if (iEvent != FL_PUSH || Fl::event_button() != FL_MIDDLE_MOUSE) return false;
  if (lg_eActive_Input != eMAIN_LINE || !pInput->visible() || !Fl::event_inside(pInput))
    return false;
  pInput->take_focus();
  Fl::paste(window, 0);
  return true;
}

// Ctrl with plus (or "=", which shares its key on many layouts), minus or 0,
// from the main keys or the numeric keypad: the next, the previous or the
// first View > Zoom step. False for any other key.
bool runZoomKey() {
  if ((Fl::event_state() & (FL_CTRL | FL_ALT | FL_META)) != FL_CTRL) return false;
  const int iKey = Fl::event_key();
  int32_t iPercent = 0;
  if (iKey == '+' || iKey == '=' || iKey == FL_KP + '+')
    iPercent = zoomStep(g_iZoom, 1);
  else if (iKey == '-' || iKey == FL_KP + '-')
    iPercent = zoomStep(g_iZoom, -1);
  else if (iKey == '0' || iKey == FL_KP + '0')
    iPercent = gc_iZOOM_LEAST;
  else
    return false;
  if (iPercent != g_iZoom || g_iZoom != g_iZoom_Asked) ClCallback::zoom_cb(nullptr, &iPercent);
  return true;
}

int runCharacter(eTOKEN eCode) {
  // Line commands come only from their own keys and buttons.
  const ClSpecialKey* pKey = shortcutOfToken(eCode);
  if (pKey == nullptr || pKey->m_eArrival == eARRIVES_AS_CHARACTER) pressKey(eCode);
  return 1;
}

}  // namespace

int ClWindow::handle(int iEvent) {
  if (iEvent == FL_MOVE) return Fl_Double_Window::handle(iEvent);
  if (iEvent == FL_PASTE) return runPaste();
  if (pastePrimary(iEvent, *this)) return 1;
  if (isTableClipboardKey() && (iEvent == FL_KEYBOARD || iEvent == FL_KEYUP))
    return iEvent == FL_KEYUP || g_Main_Window.ui()->m_pTable->clipboardKey(Fl::event_key());
  const eTOKEN eLine = lineCommandOf(Fl::event_key());
  // Acting on the key-down only makes one press act once.
  if (eLine != eNULL && iEvent == FL_KEYBOARD) return runLineCommand(eLine);
  if (eLine != eNULL && iEvent == FL_KEYUP) return 1;
  if (isCellKey(Fl::event_key()) && iEvent == FL_KEYBOARD) return runCellKey();
  if (isCellKey(Fl::event_key()) && iEvent == FL_KEYUP) return 1;
  if (iEvent != FL_SHORTCUT) return Fl_Double_Window::handle(iEvent);
  if (runZoomKey()) return 1;
  // Ctrl and Alt combinations are the menu's shortcuts, never tokens.
  if (Fl::event_state() & (FL_CTRL | FL_ALT | FL_META)) return Fl_Double_Window::handle(iEvent);
  // Space types nothing; in the output pane it shows the steps of the results.
  if (Fl::event_key() == ' ' && Fl::focus() == g_Main_Window.ui()->m_pOutput) {
    ClCallback::steps_cb(nullptr, nullptr);
    return 1;
  }
  const int iCharacter = static_cast<signed char>(Fl::event_text()[0]);
  if (iCharacter < 1 || iCharacter > 126) return Fl_Double_Window::handle(iEvent);
  return runCharacter(g_aeDictionary[iCharacter]);
}
