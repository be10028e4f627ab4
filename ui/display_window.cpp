// SPDX-License-Identifier: GPL-3.0-or-later
// The document window: a resizable HTML viewer in a double-buffered window
// that Escape closes.
#include "ui/display_window.h"

#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Help_View.H>
#include <FL/Fl_Shared_Image.H>

#include "ui/keyboard.h"
#include "ui/zoom.h"

namespace {

constexpr int gc_iWIDTH = 530, gc_iHEIGHT = 385;
constexpr int gc_iMIN_WIDTH = 260, gc_iMIN_HEIGHT = 150;

class ClDocumentWindow : public Fl_Double_Window {
 public:
  ClDocumentWindow(int iW, int iH) : Fl_Double_Window(iW, iH, "") {}
  int handle(int iEvent) override {
    if (!isEscapeEvent(iEvent)) return Fl_Double_Window::handle(iEvent);
    hide();
    return 1;
  }
};

}  // namespace

ClDisplayWindow::ClDisplayWindow() {
  fl_register_images();
  m_pWindow = new ClDocumentWindow(zoomed(gc_iWIDTH), zoomed(gc_iHEIGHT));
  m_pWindow->user_data(this);
  const ClRect view = zoomed(ClRect{8, 28, 515, 340});
  m_pView = new Fl_Help_View(view.x, view.y, view.w, view.h);
  m_pView->box(FL_DOWN_BOX);
  m_pWindow->resizable(m_pView);
  m_pWindow->size_range(zoomed(gc_iMIN_WIDTH), zoomed(gc_iMIN_HEIGHT), 0, 0);
  m_pWindow->end();
}

ClDisplayWindow::~ClDisplayWindow() {
  delete m_pWindow;
}

void ClDisplayWindow::show() {
  m_pWindow->show();
}

void ClDisplayWindow::show(int iArgc, char** aacArgv) {
  m_pWindow->show(iArgc, aacArgv);
}

void ClDisplayWindow::textsize(int iSize) {
  m_pView->textsize(iSize);
}

void ClDisplayWindow::value(const char* acHtml) {
  m_pView->set_changed();
  m_pView->value(acHtml);
  m_pWindow->copy_label(m_pView->title());
}

const char* ClDisplayWindow::value() const {
  return m_pView->value();
}
