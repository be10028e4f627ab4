// The Help menu's callbacks. The help, guide and About windows are added
// with their documents; until then the items do nothing.
#include "command/callback.h"

void ClCallback::helpHelp_cb(Fl_Widget*, void*) {}
void ClCallback::helpGuide_cb(Fl_Widget*, void*) {}
void ClCallback::helpAbout_cb(Fl_Widget*, void*) {}
