// SPDX-License-Identifier: GPL-3.0-or-later
// The special keys and the keyboard handler of the main window: keys press
// tokens through the same dispatch as the keypad buttons, whether or not a
// button is shown; the menu's rows and a small table of more keys for them
// come first. Pasted text arrives here too.
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

// More keys for the zoom rows of the menu, which take one shortcut each.
// Shift is free: the main keys' plus needs it on many layouts.
struct ClShortcut {
  int m_iState;  // Ctrl, Alt and Meta as they must be
  int m_iKey;
  Fl_Callback* m_pCallback;
  void* m_pData;
};
const ClShortcut gc_aSHORTCUTS[] = {
    // "=" shares its key with plus on many layouts
    {FL_CTRL, '=', zoomKey_cb, menuData<eZOOM_IN>()},
    // the menu's minus and 0 with Shift held as well, as for plus
    {FL_CTRL, '-', zoomKey_cb, menuData<eZOOM_OUT>()},
    {FL_CTRL, '0', zoomKey_cb, menuData<eZOOM_FIRST>()},
    {FL_CTRL, FL_KP + '+', zoomKey_cb, menuData<eZOOM_IN>()},
    {FL_CTRL, FL_KP + '-', zoomKey_cb, menuData<eZOOM_OUT>()},
    {FL_CTRL, FL_KP + '0', zoomKey_cb, menuData<eZOOM_FIRST>()},
};

// Runs the key's row of the shortcut table or of the menu; false when it has
// none.
bool runShortcut() {
  const int iState = Fl::event_state() & (FL_CTRL | FL_ALT | FL_META);
  for (const ClShortcut& shortcut : gc_aSHORTCUTS) {
    if (shortcut.m_iState != iState || shortcut.m_iKey != Fl::event_key()) continue;
    shortcut.m_pCallback(nullptr, shortcut.m_pData);
    return true;
  }
  return g_Main_Window.ui()->m_pMenu_Bar->handle(FL_SHORTCUT) != 0;
}

// The keys the window takes before the focused widget (dispatchEvent sends
// their key-down here): the table's Ctrl+V and Ctrl+C, the line commands and
// Tab in a cell.
enum eOWN_KEY { eNOT_OWN, eTABLE_CLIPBOARD, eLINE_COMMAND, eCELL_KEY };

eOWN_KEY ownKey(int iEvent) {
  if (iEvent != FL_KEYBOARD && iEvent != FL_KEYUP) return eNOT_OWN;
  if (isTableClipboardKey()) return eTABLE_CLIPBOARD;
  if (lineCommandOf(Fl::event_key()) != eNULL) return eLINE_COMMAND;
  return isCellKey(Fl::event_key()) ? eCELL_KEY : eNOT_OWN;
}

int runOwnKey(eOWN_KEY eKey) {
  switch (eKey) {
    case eTABLE_CLIPBOARD:
      return g_Main_Window.ui()->m_pTable->clipboardKey(Fl::event_key());
    case eLINE_COMMAND:
      return runLineCommand(lineCommandOf(Fl::event_key()));
    default:
      return runCellKey();
  }
}

int runCharacter(eTOKEN eCode) {
  // Line commands come only from their own keys and buttons.
  const ClSpecialKey* pKey = shortcutOfToken(eCode);
  if (pKey == nullptr || pKey->m_eArrival == eARRIVES_AS_CHARACTER) pressKey(eCode);
  return 1;
}

}  // namespace

int ClWindow::handle(int iEvent) {
  if (iEvent == FL_PASTE) return runPaste();
  if (pastePrimary(iEvent, *this)) return 1;
  // Acting on the key-down only makes one press act once.
  const eOWN_KEY eOwn = ownKey(iEvent);
  if (eOwn != eNOT_OWN) return iEvent == FL_KEYUP || runOwnKey(eOwn);
  if (iEvent != FL_SHORTCUT) return Fl_Double_Window::handle(iEvent);
  if (runShortcut()) return 1;
  // Ctrl and Alt combinations are the menu's shortcuts, never tokens.
  const int iCharacter = static_cast<signed char>(Fl::event_text()[0]);
  if ((Fl::event_state() & (FL_CTRL | FL_ALT | FL_META)) || iCharacter < 1 || iCharacter > 126)
    return Fl_Double_Window::handle(iEvent);
  return runCharacter(g_aeDictionary[iCharacter]);
}

void zoomKey_cb(Fl_Widget*, void* pData) {
  const int32_t eKey = *static_cast<const int32_t*>(pData);
  int32_t iPercent = eKey == eZOOM_FIRST ? gc_iZOOM_LEAST : zoomStep(g_iZoom, eKey);
  if (iPercent != g_iZoom || g_iZoom != g_iZoom_Asked) ClCallback::zoom_cb(nullptr, &iPercent);
}

void stepsKey_cb(Fl_Widget*, void*) {
  if (Fl::focus() == g_Main_Window.ui()->m_pOutput) ClCallback::steps_cb(nullptr, nullptr);
}
