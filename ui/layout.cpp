// The two layouts: one builder, two geometry tables.
#include "ui/layout.h"

#include "command/callback.h"
#include "graph/graph_box.h"
#include "ui/keypad.h"

const ClLayoutData gc_LANDSCAPE = {
    "Quorvane Calculator",
    {0, 0, 619, 434},     // window
    {0, 0, 312, 30},      // menu bar
    {0, 0, 620, 211},     // display group
    {310, 30, 300, 176},  // output pane
    {5, 30, 300, 176},    // input pane
    {0, 0, 620, 210},     // graph group
    {310, 0, 305, 210},   // graph pane
    {0, 32, 615, 396},    // keypad
    36,
    false,
};

const ClLayoutData gc_PORTRAIT = {
    "ORVEL Calculator",
    {0, 0, 375, 610},
    {0, 0, 375, 30},
    {0, 0, 375, 250},
    {5, 30, 365, 210},
    {5, 30, 365, 215},
    {5, 30, 365, 215},
    {5, 30, 365, 215},
    {0, 35, 370, 565},
    44,
    true,
};

namespace {

constexpr Fl_Color gc_BACKGROUND = Fl_Color(49);
constexpr int gc_iPANE_TEXT_SIZE = 16;
constexpr int gc_iGROUP_LABEL_SIZE = 14;

ClGroup* group(const ClRect& r) {
  ClGroup* pGroup = new ClGroup(r.x, r.y, r.w, r.h);
  pGroup->box(FL_NO_BOX);
  pGroup->color(gc_BACKGROUND);
  pGroup->labelsize(gc_iGROUP_LABEL_SIZE);
  return pGroup;
}

ClTextDisplay* pane(const ClRect& r) {
  ClTextDisplay* pPane = new ClTextDisplay(r.x, r.y, r.w, r.h);
  pPane->box(FL_DOWN_FRAME);
  pPane->color(FL_WHITE);
  pPane->textsize(gc_iPANE_TEXT_SIZE);
  return pPane;
}

}  // namespace

ClORVELUI::ClORVELUI() : m_Data(gc_LANDSCAPE) {
  build();
}

ClORVELUI::ClORVELUI(bool) : m_Data(gc_PORTRAIT) {
  build();
}

// Deleting the window deletes every widget in it.
ClORVELUI::~ClORVELUI() {
  delete m_pWindow;
}

void ClORVELUI::build() {
  const ClLayoutData& d = m_Data;
  m_pWindow = new ClWindow(d.m_Window.w, d.m_Window.h, d.m_acTitle);
  m_pWindow->box(FL_FLAT_BOX);
  m_pWindow->color(gc_BACKGROUND);
  m_pWindow->labeltype(FL_NO_LABEL);
  m_pWindow->callback(ClCallback::window_cb, this);

  m_pMenu_Bar = new Fl_Menu_Bar(d.m_Menu_Bar.x, d.m_Menu_Bar.y, d.m_Menu_Bar.w, d.m_Menu_Bar.h);
  m_pMenu_Bar->labelsize(16);
  m_pMenu_Bar->textsize(16);
  m_pMenu_Bar->menu(menu_mp_Menu_Bar);

  m_pDisplay_Group = group(d.m_Display);
  m_pOutput = pane(d.m_Output);
  m_pInput = pane(d.m_Input);
  m_pDisplay_Group->end();

  m_pGraph_Group = group(d.m_Graph_Group);
  m_pGraph = new ClGraphBox(d.m_Graph.x, d.m_Graph.y, d.m_Graph.w, d.m_Graph.h);
  m_pGraph->hide();
  m_pGraph_Group->end();

  m_pKeypad = group(d.m_Keypad);
  buildKeypad(d.m_bPortrait);
  m_pKeypad->end();

  m_pWindow->end();
  resetGraphItems();
}
