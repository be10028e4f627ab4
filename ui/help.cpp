// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu: the help and guide documents, each in its own window, and
// the About window. Each is created once, placed from the display area of
// the layout current at that moment, and only shown again afterwards, until
// a change of zoom builds it again.
// clang-format off
#include "ui/window.h"
// clang-format on

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_PNG_Image.H>

#include <string>

#include "command/callback.h"
#include "ui/display_window.h"
#include "ui/documents.h"
#include "ui/keyboard.h"
#include "ui/zoom.h"
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

// Listens to g_Zoom_Changed from the first window's building on.
void rezoomDocuments();

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
  g_Zoom_Changed.listen(rezoomDocuments);
  const ClRect r =
      insideWorkArea({g.x + zoomed(p.iX), g.y + zoomed(p.iY), g.w + zoomed(p.iW_Extra), iH});
  pWindow->m_pWindow->resize(r.x, r.y, r.w, r.h);
  pWindow->textsize(zoomed(bPortrait ? gc_iPORTRAIT_TEXT_SIZE : gc_iLANDSCAPE_TEXT_SIZE));
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

// The picture at the zoom, scaled smoothly.
Fl_Image* aboutPicture() {
  const std::vector<unsigned char>& aucPng = g_Main_Window.m_aucLinalg;
  Fl_Image* pPng = new Fl_PNG_Image("linalg", aucPng.data(), static_cast<int>(aucPng.size()));
  if (g_iZoom == gc_iZOOM_LEAST) return pPng;
  Fl_RGB_Image::RGB_scaling(FL_RGB_SCALING_BILINEAR);
  Fl_Image* pScaled = pPng->copy(zoomed(pPng->w()), zoomed(pPng->h()));
  delete pPng;
  return pScaled;
}

ClWindow* buildAbout() {
  g_Zoom_Changed.listen(rezoomDocuments);
  const ClRect g = displayArea();
  const bool bPortrait = isPortrait();
  const int iX = bPortrait ? g.x + g.w / 6 : g.x + g.w / 3;
  const int iY = bPortrait ? g.y + g.h / 5 : g.y + g.h / 4;
  const int iW = bPortrait ? g.w + 12 : 2 * g.w / 3;
  const int iH = bPortrait ? 4 * g.h / 5 : g.h;

  ClWindow* pAbout = new ClAboutWindow(11 * iW / 10, 12 * iH / 10 + zoomed(60));
  const ClRect r = insideWorkArea({iX, iY, pAbout->w(), pAbout->h()});
  pAbout->position(r.x, r.y);
  g_Main_Window.m_pAbout_Image = aboutPicture();
  Fl_Box* pPicture = new Fl_Box(zoomed(12), iH / 6, iW + zoomed(6), iH);
  pPicture->image(g_Main_Window.m_pAbout_Image);

  Fl_Box* pVersion = new Fl_Box(iW / 5 + zoomed(6), zoomed(6), 2 * iW / 3, iH / 5, aboutLabel());
  pVersion->labelfont(FL_HELVETICA_BOLD);
  pVersion->labelsize(zoomed(gc_iABOUT_LABEL_SIZE));

  Fl_Box* pCredits = new Fl_Box(iW / 5 + zoomed(6), iH, 2 * iW / 3, iH / 4, gc_acABOUT_CREDITS);
  pCredits->labelsize(zoomed(gc_iABOUT_LABEL_SIZE));
  pAbout->end();
  return pAbout;
}

// Built again on their next showing, at once if they are shown. The About
// window may be the one whose keys asked for the zoom: the toolkit deletes it
// once the event has been handled.
void rezoomDocuments() {
  ClORVELWindow& w = g_Main_Window;
  const auto shown = [](Fl_Window* pWindow) { return pWindow && pWindow->shown(); };
  const bool bHelp = w.m_pHelp && shown(w.m_pHelp->m_pWindow);
  const bool bGuide = w.m_pGuide && shown(w.m_pGuide->m_pWindow);
  const bool bAbout = shown(w.m_pAbout);
  delete w.m_pHelp;
  delete w.m_pGuide;
  w.m_pHelp = w.m_pGuide = nullptr;
  if (w.m_pAbout) {
    w.m_pAbout->hide();
    Fl::delete_widget(w.m_pAbout);
    w.m_pAbout = nullptr;
    delete w.m_pAbout_Image;
    w.m_pAbout_Image = nullptr;
  }
  if (bHelp) ClCallback::helpHelp_cb(nullptr, nullptr);
  if (bGuide) ClCallback::helpGuide_cb(nullptr, nullptr);
  if (bAbout) ClCallback::helpAbout_cb(nullptr, nullptr);
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
