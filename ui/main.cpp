// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator program: the window owner and the calculator object are
// built during static initialisation; main prepares the data file codes and
// the image readers, shows the window and runs the toolkit's event loop.
#include <FL/Fl.H>
#include <FL/Fl_Shared_Image.H>
#include <FL/Fl_Window.H>

#include "engine/calculator.h"
#include "files/codec.h"
#include "ui/window.h"

int main() {
  Set_Code_Arrays();
  fl_register_images();
  // The window class names the desktop entry, whose icon the desktop then shows.
  Fl_Window::default_xclass("orvel");
  g_Main_Window.initializeWindow();
  const int iResult = Fl::run();
  g_Main_Window.killAbout();
  g_Main_Window.killHelp();
  g_Main_Window.killGuide();
  ClCalculator::releaseAll();
  return iResult;
}
