// SPDX-License-Identifier: GPL-3.0-or-later
// The two layouts: one builder, two geometry tables, both at 100 %; the
// builder takes them at the zoom in effect, and so do the sizes it sets.
#include "ui/layout.h"

#include <cstddef>

#include "command/callback.h"
#include "graph/graph_box.h"
#include "ui/keypad.h"
#include "ui/table.h"

const ClLayoutData gc_LANDSCAPE = {
    "Quorvane Calculator",
    {0, 0, 619, 434},     // window
    {0, 0, 312, 30},      // menu bar
    {0, 0, 620, 211},     // display group
    {310, 30, 300, 176},  // output pane
    {5, 30, 300, 176},    // input pane
    {310, 0, 306, 210},   // size panel
    {310, 0, 305, 206},   // size panel box
    {420, 125, 70, 20},   // Rows counter
    {420, 155, 70, 20},   // Columns counter
    {490, 0, 75, 28},     // Edit button
    {350, 0, 75, 28},     // size panel's Cancel button
    {315, 50, 295, 65},   // note display
    {420, 175, 60, 20},   // Fill In display
    {0, 0, 617, 211},     // edit panel
    {525, 0, 70, 30},     // Done button
    {425, 0, 70, 30},     // edit panel's Cancel button
    {5, 30, 607, 178},    // table
    {325, 0, 70, 30},     // title button
    {0, 0, 620, 210},     // graph group
    {310, 0, 305, 210},   // graph pane
    {0, 32, 615, 396},    // keypad
    false,
};

const ClLayoutData gc_PORTRAIT = {
    "ORVEL Calculator",
    {0, 0, 375, 610},
    {0, 0, 375, 30},
    {0, 0, 375, 250},
    {5, 30, 365, 210},
    {5, 30, 365, 215},
    {0, 30, 375, 220},
    {5, 30, 365, 215},
    {150, 160, 70, 20},
    {150, 185, 70, 20},
    {220, 35, 75, 28},
    {70, 35, 75, 28},
    {10, 85, 360, 67},
    {150, 211, 60, 20},
    {0, 30, 375, 215},
    {265, 30, 70, 30},
    {145, 30, 70, 30},
    {5, 60, 365, 185},
    {35, 30, 70, 30},
    {5, 30, 365, 215},
    {5, 30, 365, 215},
    {0, 35, 370, 565},
    true,
};

namespace {

constexpr Fl_Color gc_BACKGROUND = Fl_Color(49);
constexpr int gc_iPANE_TEXT_SIZE = 16;
constexpr int gc_iGROUP_LABEL_SIZE = 14;
constexpr int gc_iPANEL_LABEL_SIZE = 16;
// the note's five lines fit its display without scrolling
constexpr int gc_iNOTE_TEXT_SIZE = 9;
constexpr int gc_iMENU_BAR_SIZE = 16;

// Every rectangle of the table, for the zoom.
constexpr ClRect ClLayoutData::*const gc_apRECTS[] = {
    &ClLayoutData::m_Window,      &ClLayoutData::m_Menu_Bar,    &ClLayoutData::m_Display,
    &ClLayoutData::m_Output,      &ClLayoutData::m_Input,       &ClLayoutData::m_Size_Panel,
    &ClLayoutData::m_Size_Box,    &ClLayoutData::m_Rows,        &ClLayoutData::m_Columns,
    &ClLayoutData::m_Edit,        &ClLayoutData::m_Size_Cancel, &ClLayoutData::m_Note,
    &ClLayoutData::m_Fill_In,     &ClLayoutData::m_Edit_Panel,  &ClLayoutData::m_Done,
    &ClLayoutData::m_Edit_Cancel, &ClLayoutData::m_Table,       &ClLayoutData::m_Title,
    &ClLayoutData::m_Graph_Group, &ClLayoutData::m_Graph,       &ClLayoutData::m_Keypad};
static_assert(sizeof(gc_apRECTS) / sizeof(gc_apRECTS[0]) * sizeof(ClRect) ==
                  offsetof(ClLayoutData, m_bPortrait) - offsetof(ClLayoutData, m_Window),
              "every rectangle of the table is zoomed");

ClLayoutData zoomedLayout(const ClLayoutData& table) {
  ClLayoutData data = table;
  for (ClRect ClLayoutData::*pRect : gc_apRECTS) data.*pRect = zoomed(table.*pRect);
  return data;
}

ClGroup* group(const ClRect& r) {
  ClGroup* pGroup = new ClGroup(r.x, r.y, r.w, r.h);
  pGroup->box(FL_NO_BOX);
  pGroup->color(gc_BACKGROUND);
  pGroup->labelsize(zoomed(gc_iGROUP_LABEL_SIZE));
  return pGroup;
}

ClTextDisplay* pane(const ClRect& r) {
  ClTextDisplay* pPane = new ClTextDisplay(r.x, r.y, r.w, r.h);
  pPane->box(FL_DOWN_FRAME);
  pPane->color(FL_WHITE);
  pPane->textsize(zoomed(gc_iPANE_TEXT_SIZE));
  return pPane;
}

ClButton* panelButton(const ClRect& r, const char* acLabel, Fl_Callback* pCallback, bool bBold) {
  ClButton* pButton = new ClButton(r.x, r.y, r.w, r.h, acLabel);
  pButton->box(FL_UP_BOX);
  pButton->labelsize(zoomed(gc_iPANEL_LABEL_SIZE));
  if (bBold) pButton->labelfont(FL_HELVETICA_BOLD);
  // with the focus a button would fire on the space bar
  pButton->clear_visible_focus();
  if (pCallback) pButton->callback(pCallback);
  return pButton;
}

ClCounter* counter(const ClRect& r, const char* acLabel, Fl_Callback* pCallback) {
  ClCounter* pCounter = new ClCounter(r.x, r.y, r.w, r.h, acLabel);
  pCounter->box(FL_UP_BOX);
  pCounter->selection_color(Fl_Color(8));
  pCounter->align(FL_ALIGN_LEFT);
  pCounter->step(1);
  pCounter->value(1);
  pCounter->callback(pCallback);
  pCounter->when(FL_WHEN_CHANGED);
  return pCounter;
}

}  // namespace

ClORVELUI::ClORVELUI() : m_Data(zoomedLayout(gc_LANDSCAPE)) {
  build();
}

ClORVELUI::ClORVELUI(bool) : m_Data(zoomedLayout(gc_PORTRAIT)) {
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
  m_pMenu_Bar->labelsize(zoomed(gc_iMENU_BAR_SIZE));
  m_pMenu_Bar->textsize(zoomed(gc_iMENU_BAR_SIZE));
  setItemLabelType();
  zoomMenu();
  m_pMenu_Bar->menu(menu_mp_Menu_Bar.data());

  m_pDisplay_Group = group(d.m_Display);
  m_pOutput = pane(d.m_Output);
  m_pInput = pane(d.m_Input);
  buildSizePanel();
  buildEditPanel();
  m_pDisplay_Group->end();

  m_pGraph_Group = group(d.m_Graph_Group);
  m_pGraph = new ClGraphBox(d.m_Graph.x, d.m_Graph.y, d.m_Graph.w, d.m_Graph.h);
  m_pGraph->hide();
  m_pGraph_Group->end();

  m_pKeypad = group(d.m_Keypad);
  buildKeypad(d.m_bPortrait);
  m_pKeypad->end();

  m_pWindow->end();
  // the graph starts closed; the window format stays until a rebuild selects it
  setGraphItems(false);
}

void ClORVELUI::buildSizePanel() {
  const ClLayoutData& d = m_Data;
  m_pSize_Panel = group(d.m_Size_Panel);
  m_pSize_Panel->hide();
  ClBox* pBox = new ClBox(d.m_Size_Box.x, d.m_Size_Box.y, d.m_Size_Box.w, d.m_Size_Box.h);
  pBox->box(FL_NO_BOX);
  pBox->labeltype(FL_NO_LABEL);
  m_pRows = counter(d.m_Rows, "Rows:", ClCallback::editRows_cb);
  m_pColumns = counter(d.m_Columns, "Columns: ", ClCallback::editCols_cb);
  m_pEdit = panelButton(d.m_Edit, "Edit", ClCallback::editMatrixTable_cb, true);
  m_pSize_Cancel = panelButton(d.m_Size_Cancel, "Cancel", ClCallback::sizeCancel_cb, true);
  m_pNote = new ClTextDisplay(d.m_Note.x, d.m_Note.y, d.m_Note.w, d.m_Note.h);
  m_pNote->color(Fl_Color(51));
  m_pNote->box(FL_DOWN_FRAME);
  m_pNote->textsize(zoomed(gc_iNOTE_TEXT_SIZE));
  m_pNote->scrollbar_width(0);
  m_pNote->align(FL_ALIGN_TOP);
  m_pFill_In =
      new ClTextDisplay(d.m_Fill_In.x, d.m_Fill_In.y, d.m_Fill_In.w, d.m_Fill_In.h, "Fill In:");
  m_pFill_In->color(Fl_Color(55));
  m_pFill_In->box(FL_ENGRAVED_FRAME);
  m_pFill_In->align(FL_ALIGN_LEFT);
  m_pFill_In->scrollbar_width(0);
  m_pSize_Panel->end();
}

void ClORVELUI::buildEditPanel() {
  const ClLayoutData& d = m_Data;
  m_pEdit_Panel = group(d.m_Edit_Panel);
  m_pEdit_Panel->labelsize(zoomed(gc_iPANEL_LABEL_SIZE));
  m_pEdit_Panel->hide();
  m_pEdit_Panel->deactivate();
  m_pDone = panelButton(d.m_Done, "Done", ClCallback::editDone_cb, false);
  m_pEdit_Cancel = panelButton(d.m_Edit_Cancel, "Cancel", ClCallback::editCancel_cb, false);
  m_pTable = new ClTable(d.m_Table.x, d.m_Table.y, d.m_Table.w, d.m_Table.h);
  m_pTable->box(FL_THIN_DOWN_FRAME);
  m_pTable->labelsize(zoomed(gc_iPANEL_LABEL_SIZE));
  m_pTable->callback(ClCallback::editView_cb);
  m_pTitle = panelButton(d.m_Title, "Matrix     ", nullptr, false);
  m_pTitle->box(FL_FLAT_BOX);
  m_pEdit_Panel->end();
}
