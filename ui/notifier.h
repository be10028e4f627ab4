// SPDX-License-Identifier: GPL-3.0-or-later
// A change announced to the windows that show something made from it: each
// registers once, and the one who makes the change calls them all, so that
// nothing compares cached copies on every pass of the event loop.
#pragma once

#include <algorithm>
#include <vector>

class ClNotifier {
 public:
  using Listener = void (*)();

  // Registers pfListener, once however often it is asked.
  void listen(Listener pfListener) {
    if (std::find(m_apfListeners.begin(), m_apfListeners.end(), pfListener) == m_apfListeners.end())
      m_apfListeners.push_back(pfListener);
  }
  // Calls every listener in the order they registered; one that registers
  // another while it runs is not called for this change.
  void notify() const {
    const std::vector<Listener> apfListeners = m_apfListeners;
    for (Listener pfListener : apfListeners) pfListener();
  }

 private:
  std::vector<Listener> m_apfListeners;
};
