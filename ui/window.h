// The owner of the calculator window: the current layout, the two pane
// buffers, start-up, the rebuild between landscape and portrait, and the
// re-arrangement of the landscape display area.
#pragma once

#include "command/seam.h"
#include "ui/layout.h"

class ClTextBuffer;

class ClORVELWindow {
 public:
  ClORVELWindow();
  ~ClORVELWindow();
  ClORVELWindow(const ClORVELWindow&) = delete;
  ClORVELWindow& operator=(const ClORVELWindow&) = delete;

  void initializeWindow();
  void reinitializeWindow();
  void resizeInWindow();
  // The graph pane and the graph menu items after the graph changed.
  void arrangeGraph(eGRAPH_CHANGE eChange);
  void redrawGraph();
  // The help, guide and About windows arrive later; nothing to release yet.
  void killAbout() {}
  void killHelp() {}
  void killGuide() {}
  void killGraph() {}

  ClORVELUI* ui() const { return m_pUI; }
  ClWindow* window() const { return m_pUI->m_pWindow; }
  // Shared by the matrix editor's Fill In display and cell editor.
  ClTextBuffer* cellBuffer() const { return m_pCell_Buffer; }

  ClRect m_Normal_Input{};
  ClRect m_Stretched_Input{};

 private:
  void startLayout();
  void openGraphPane();
  void closeGraphPane();
  void showText();
  void showGraph();

  ClORVELUI* m_pUI;
  ClTextBuffer* m_pNote_Buffer;
  ClTextBuffer* m_pCell_Buffer;
};

extern ClORVELWindow g_Main_Window;
extern ClTextBuffer* lg_pBuff_In;
extern ClTextBuffer* lg_pBuff_Out;
