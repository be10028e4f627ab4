// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer harness: key presses through the callbacks, as orvel-batch --keys
// presses them (each byte the button of its token character: Alt, Prev,
// Next, Left, Right, BkSp and Clear included; newline or CR Enter). Bytes
// from 128 up are the menu items: the switches, the output format, the
// window mode, the graph pane and the history items.
#include <cstddef>
#include <cstdint>

#include "command/callback.h"
#include "command/enter.h"
#include "command/history.h"
#include "engine/calculator.h"
#include "fuzz/fuzz_support.h"

namespace {

void toggle(ClBoundedSeam& seam, eSWITCH eSwitch) {
  seam.setOn(eSwitch, !seam.isOn(eSwitch));
}

void chooseMenuItem(ClBoundedSeam& seam, uint8_t ucItem) {
  switch (ucItem % 11) {
    case 0:
      toggle(seam, eSWITCH_ZERO_OUT);
      ClCallback::zeroOut_cb(nullptr, nullptr);
      break;
    case 1:
      toggle(seam, eSWITCH_ERROR_CHECK);
      break;
    case 2:
      toggle(seam, eSWITCH_AUTO_PARENS);
      break;
    case 3:
      toggle(seam, eSWITCH_EXECUTE);
      break;
    case 4:
      g_eView_State = (g_eView_State + 1) % 3;
      break;
    case 5:
      // Two Windows, One Window, Portrait Mode
      g_eWindow_Mode = (g_eWindow_Mode + 1) % 3;
      break;
    case 6:
      // the graph pane closed, shown, or open with the text shown
      g_eOutput = (g_eOutput + 1) % 3;
      break;
    case 7:
      ClCallback::insert_cb(nullptr, nullptr);
      break;
    case 8:
      ClCallback::clear_cb(nullptr, nullptr);
      break;
    case 9:
      ClCallback::clearAll_cb(nullptr, nullptr);
      break;
    default:
      ClCallback::clearEverything_cb(nullptr, nullptr);
      break;
  }
}

void pressKey(uint8_t ucKey) {
  if (ucKey == '\n' || ucKey == '\r')
    pressToken(eENTER);
  else if (ucKey > 0 && ucKey < 127)
    pressToken(g_aeDictionary[ucKey]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aucData, size_t uiSize) {
  const ClCpuTimeout Timeout;
  ClBoundedSeam seam;
  resetCommandState(seam);
  ClCallback::zeroOut_cb(nullptr, nullptr);
  for (size_t k = 0; k < uiSize && !seam.isSpent(); ++k) {
    if (aucData[k] >= 128)
      chooseMenuItem(seam, aucData[k] - 128);
    else
      pressKey(aucData[k]);
    expectSound("a key press or menu item");
  }
  g_pSeam = nullptr;
  return 0;
}
