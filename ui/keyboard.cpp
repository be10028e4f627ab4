// The keyboard handler of the main window: keys become the same callbacks
// as the keypad buttons, whether or not a button is shown.
#include "ui/keyboard.h"

#include <FL/Fl.H>

#include "command/callback.h"
#include "command/enter.h"
#include "engine/tokens.h"
#include "engine/typing.h"
#include "ui/window.h"

eTOKEN lineCommandOf(int iKey) {
  switch (iKey) {
    case FL_Up:
      return ePREV;
    case FL_Down:
      return eNEXT;
    case FL_Left:
      return eLEFT;
    case FL_Right:
      return eRIGHT;
    case FL_BackSpace:
      return eBKSP;
    default:
      return eNULL;
  }
}

bool isCellKey(int iKey) {
  return iKey == FL_Tab && lg_eActive_Input == eEDITOR_CELL;
}

namespace {

int runLineCommand(eTOKEN eCode) {
  // the matrix editor's displays keep the focus while they take input
  if (lg_eActive_Input == eMAIN_LINE) {
    ClTextDisplay* pInput = g_Main_Window.ui()->m_pInput;
    pInput->take_focus();
    pInput->showInsertPositionFast();
  }
  ClCallback::state_cb(nullptr, &eCode);
  return 1;
}

// Tab commits the cell like Enter; Shift+Tab commits it and moves back.
int runCellKey() {
  enterLine(Fl::event_state() & FL_SHIFT ? eSTEP_PREVIOUS : eSTEP_NEXT);
  return 1;
}

int runToken(eTOKEN eCode) {
  switch (eCode) {
    // Line commands come only from their own keys and buttons.
    case eNEXT:
    case ePREV:
    case eRIGHT:
    case eLEFT:
    case eBKSP:
      return 1;
    case eCLEAR:
    case eENTER:
      ClCallback::state_cb(nullptr, &eCode);
      return 1;
    case eALT:
      ClCallback::alt_cb(nullptr, &eCode);
      return 1;
    default:
      if (isNumberPart(eCode))
        ClCallback::digit_cb(nullptr, &eCode);
      else
        ClCallback::token_cb(nullptr, &eCode);
      return 1;
  }
}

}  // namespace

int ClWindow::handle(int iEvent) {
  if (iEvent == FL_MOVE) return Fl_Double_Window::handle(iEvent);
  const eTOKEN eLine = lineCommandOf(Fl::event_key());
  // Acting on the key-down only makes one press act once.
  if (eLine != eNULL && iEvent == FL_KEYBOARD) return runLineCommand(eLine);
  if (eLine != eNULL && iEvent == FL_KEYUP) return 1;
  if (isCellKey(Fl::event_key()) && iEvent == FL_KEYBOARD) return runCellKey();
  if (isCellKey(Fl::event_key()) && iEvent == FL_KEYUP) return 1;
  if (iEvent != FL_SHORTCUT) return Fl_Double_Window::handle(iEvent);
  // Ctrl and Alt combinations are the menu's shortcuts, never tokens.
  if (Fl::event_state() & (FL_CTRL | FL_ALT | FL_META)) return Fl_Double_Window::handle(iEvent);
  const int iCharacter = static_cast<signed char>(Fl::event_text()[0]);
  if (iCharacter < 1 || iCharacter > 126) return Fl_Double_Window::handle(iEvent);
  return runToken(g_aeDictionary[iCharacter]);
}
