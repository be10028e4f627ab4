// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator program: the window owner and the calculator object are
// built during static initialisation; main reads the options and the zoom,
// prepares the data file codes and the image readers, shows the window and
// runs the toolkit's event loop.
#include <FL/Fl.H>
#include <FL/Fl_Shared_Image.H>
#include <FL/Fl_Window.H>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/calculator.h"
#include "files/codec.h"
#include "ui/window.h"
#include "ui/zoom.h"
#include "version.h"

namespace {

const char gc_acUSAGE[] =
    "Usage: orvel [--zoom PERCENT]\n"
    "       orvel --help | --version\n"
    "\n"
    "Opens the ORVEL Calculator window.\n"
    "\n"
    "  --zoom PERCENT  zooms the whole window: every size, text and picture, from\n"
    "                  100 to 300 (View > Zoom changes it while the program runs)\n"
    "  --help          shows this text\n"
    "  --version       shows the version and the licence\n"
    "\n"
    "Where the zoom comes from, the first that gives one: --zoom, the environment\n"
    "variable ORVEL_ZOOM (a percentage as --zoom takes it), the desktop's Xft.dpi\n"
    "resource (96 is 100 %, 144 is 150 %, 192 is 200 %), GDK_SCALE (2 is 200 %);\n"
    "else 100 %. The window never grows larger than the screen's work area: a\n"
    "zoom that would make it is lowered until it fits, and a notice says so.\n";

int badUsage(const char* acText) {
  std::fprintf(stderr, "orvel: %s\nTry 'orvel --help'.\n", acText);
  return 2;
}

const char gc_acBAD_ZOOM[] = "--zoom takes a whole percentage from 100 to 300";

// Returns -1 to go on, else the exit status; acZoom gets --zoom's value.
int parseOptions(int argc, char** argv, const char*& acZoom) {
  for (int k = 1; k < argc; ++k) {
    const char* acOption = argv[k];
    if (std::strcmp(acOption, "--help") == 0 || std::strcmp(acOption, "-h") == 0) {
      std::fputs(gc_acUSAGE, stdout);
      return 0;
    }
    if (std::strcmp(acOption, "--version") == 0) {
      std::printf("orvel (ORVEL Calculator) %s\n%s", gc_acORVEL_VERSION, gc_acORVEL_LICENCE);
      return 0;
    }
    int iPercent = 0;
    if (std::strncmp(acOption, "--zoom=", 7) == 0) {
      acZoom = acOption + 7;
    } else if (std::strcmp(acOption, "--zoom") == 0) {
      if (k + 1 == argc) return badUsage(gc_acBAD_ZOOM);
      acZoom = argv[++k];
    } else {
      const std::string sText = std::string("unknown option ") + acOption;
      return badUsage(sText.c_str());
    }
    if (!parseZoom(acZoom, iPercent)) return badUsage(gc_acBAD_ZOOM);
  }
  return -1;
}

// A value of ORVEL_ZOOM that cannot be taken is said and passed over.
int zoomAsked(const char* acOption) {
  const char* acVariable = std::getenv("ORVEL_ZOOM");
  int iPercent = 0;
  if (!acOption && acVariable && !parseZoom(acVariable, iPercent))
    std::fprintf(stderr, "orvel: ORVEL_ZOOM=%s passed over: a whole percentage from 100 to 300\n",
                 acVariable);
  return resolveZoom({acOption, acVariable, desktopDpi(), std::getenv("GDK_SCALE")});
}

}  // namespace

int main(int argc, char** argv) {
  const char* acZoom = nullptr;
  const int iStatus = parseOptions(argc, argv, acZoom);
  if (iStatus >= 0) return iStatus;
  g_iZoom_Asked = zoomAsked(acZoom);
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
