// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu: the help and guide documents, each in its own window, and
// the About window. Each is created once, placed from the display area of
// the layout current at that moment, and only shown again afterwards.
// clang-format off
#include "ui/window.h"
// clang-format on

#include <FL/Fl_Box.H>
#include <FL/Fl_PNG_Image.H>

#include <string>

#include "command/callback.h"
#include "ui/display_window.h"
#include "ui/documents.h"
#include "ui/keyboard.h"
#include "version.h"

namespace {

constexpr int gc_iLANDSCAPE_TEXT_SIZE = 18, gc_iPORTRAIT_TEXT_SIZE = 16;
constexpr int gc_iABOUT_LABEL_SIZE = 16;
constexpr const char* gc_acABOUT_CREDITS =
    "Matrices by Eigen on LAPACK and OpenBLAS,\nwindows by FLTK.";

// Where a document window goes beside the display area, and how much wider
// than it the window is.
struct ClPlacement {
  int iX, iY, iW_Extra;
};

bool isPortrait() {
  return g_Main_Window.ui()->m_Data.m_bPortrait;
}

ClRect displayArea() {
  return g_Main_Window.ui()->m_Data.m_Display;
}

// Shows the window again, or creates it at its place with its document.
void showDocument(ClDisplayWindow*& pWindow, const char* acText, const ClPlacement& landscape,
                  const ClPlacement& portrait) {
  if (pWindow) {
    pWindow->show();
    return;
  }
  const ClRect g = displayArea();
  const bool bPortrait = isPortrait();
  const ClPlacement& p = bPortrait ? portrait : landscape;
  const int iH = bPortrait ? 4 * g.h / 3 : 5 * g.h / 3;
  pWindow = new ClDisplayWindow();
  pWindow->m_pWindow->resize(g.x + p.iX, g.y + p.iY, g.w + p.iW_Extra, iH);
  pWindow->textsize(bPortrait ? gc_iPORTRAIT_TEXT_SIZE : gc_iLANDSCAPE_TEXT_SIZE);
  pWindow->value(acText);
  pWindow->show();
}

const char* aboutLabel() {
  static const std::string sLabel =
      std::string("Quorvane\n Calculator Version ") + gc_acORVEL_VERSION;
  return sLabel.c_str();
}

// Keys typed into the About window reach the calculator's line, as in the
// main window, except Escape, which closes it.
class ClAboutWindow : public ClWindow {
 public:
  ClAboutWindow(int iW, int iH) : ClWindow(iW, iH, "About ORVEL Calculator") {}
  int handle(int iEvent) override {
    if (!isEscapeEvent(iEvent)) return ClWindow::handle(iEvent);
    hide();
    return 1;
  }
};

ClWindow* buildAbout() {
  const ClRect g = displayArea();
  const bool bPortrait = isPortrait();
  const int iX = bPortrait ? g.x + g.w / 6 : g.x + g.w / 3;
  const int iY = bPortrait ? g.y + g.h / 5 : g.y + g.h / 4;
  const int iW = bPortrait ? g.w + 12 : 2 * g.w / 3;
  const int iH = bPortrait ? 4 * g.h / 5 : g.h;

  ClWindow* pAbout = new ClAboutWindow(11 * iW / 10, 12 * iH / 10 + 60);
  pAbout->position(iX, iY);
  const std::vector<unsigned char>& aucPng = g_Main_Window.m_aucLinalg;
  g_Main_Window.m_pAbout_Image =
      new Fl_PNG_Image("linalg", aucPng.data(), static_cast<int>(aucPng.size()));
  Fl_Box* pPicture = new Fl_Box(12, iH / 6, iW + 6, iH);
  pPicture->image(g_Main_Window.m_pAbout_Image);

  Fl_Box* pVersion = new Fl_Box(iW / 5 + 6, 6, 2 * iW / 3, iH / 5, aboutLabel());
  pVersion->labelfont(FL_HELVETICA_BOLD);
  pVersion->labelsize(gc_iABOUT_LABEL_SIZE);

  Fl_Box* pCredits = new Fl_Box(iW / 5 + 6, iH, 2 * iW / 3, iH / 4, gc_acABOUT_CREDITS);
  pCredits->labelsize(gc_iABOUT_LABEL_SIZE);
  pAbout->end();
  return pAbout;
}

}  // namespace

void ClCallback::helpHelp_cb(Fl_Widget*, void*) {
  showDocument(g_Main_Window.m_pHelp, gc_acHELP_TEXT, {90, 120, 0}, {60, 90, 18});
}

void ClCallback::helpGuide_cb(Fl_Widget*, void*) {
  showDocument(g_Main_Window.m_pGuide, gc_acGUIDE_TEXT, {120, 180, 0}, {60, 120, 60});
}

void ClCallback::helpAbout_cb(Fl_Widget*, void*) {
  if (!g_Main_Window.m_pAbout) g_Main_Window.m_pAbout = buildAbout();
  g_Main_Window.m_pAbout->show();
}
