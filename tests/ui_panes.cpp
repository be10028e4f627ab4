// SPDX-License-Identifier: GPL-3.0-or-later
// Which panes show, where the input pane sits and whether it takes input, in
// every window mode x graph state x editor state, reached through the menus
// and the editor's buttons by more than one route.
#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <string>

#include "command/history.h"
#include "engine/calculator.h"
#include "engine/typing.h"
#include "graph/graph_box.h"
#include "tests/ui_driver.h"

namespace {

class PaneTest : public ::testing::Test {
 protected:
  void SetUp() override { resetCalculator(); }
  void TearDown() override { resetCalculator(); }
};

struct ClPaneCase {
  int32_t eMode, eGraph;
  bool bEditor;
  bool bInput_Shown, bInput_Active;
  int iInput_W;  // 605 stretched over the output's place in landscape
  bool bOutput_Shown, bGraph_Shown;
};

// With the editor open only its panels show; the input pane keeps its place.
const ClPaneCase gc_aPANES[] = {
    {eTWO_WINDOWS, eNO_GRAPH, false, true, true, 300, true, false},
    {eTWO_WINDOWS, eGRAPH_IN_FRONT, false, true, true, 300, false, true},
    {eTWO_WINDOWS, eTEXT_IN_FRONT, false, true, true, 300, true, false},
    {eONE_WINDOW, eNO_GRAPH, false, true, true, 605, false, false},
    {eONE_WINDOW, eGRAPH_IN_FRONT, false, true, true, 300, false, true},
    {eONE_WINDOW, eTEXT_IN_FRONT, false, true, true, 605, false, false},
    {ePORTRAIT_MODE, eNO_GRAPH, false, true, true, 365, false, false},
    // the graph covers the input pane, which takes no clicks meanwhile
    {ePORTRAIT_MODE, eGRAPH_IN_FRONT, false, true, false, 365, false, true},
    {ePORTRAIT_MODE, eTEXT_IN_FRONT, false, true, true, 365, false, false},
    {eTWO_WINDOWS, eNO_GRAPH, true, false, false, 300, false, false},
    {eTWO_WINDOWS, eGRAPH_IN_FRONT, true, false, false, 300, false, false},
    {eTWO_WINDOWS, eTEXT_IN_FRONT, true, false, false, 300, false, false},
    {eONE_WINDOW, eNO_GRAPH, true, false, false, 605, false, false},
    {eONE_WINDOW, eGRAPH_IN_FRONT, true, false, false, 300, false, false},
    {eONE_WINDOW, eTEXT_IN_FRONT, true, false, false, 605, false, false},
    {ePORTRAIT_MODE, eNO_GRAPH, true, false, false, 365, false, false},
    {ePORTRAIT_MODE, eGRAPH_IN_FRONT, true, false, false, 365, false, false},
    {ePORTRAIT_MODE, eTEXT_IN_FRONT, true, false, false, 365, false, false},
};

const ClPaneCase& paneCase(int32_t eMode, int32_t eGraph, bool bEditor) {
  for (const ClPaneCase& c : gc_aPANES)
    if (c.eMode == eMode && c.eGraph == eGraph && c.bEditor == bEditor) return c;
  ADD_FAILURE() << "no row";
  return gc_aPANES[0];
}

void expectPanes(int32_t eMode, int32_t eGraph, bool bEditor, const char* acRoute) {
  SCOPED_TRACE(std::string(acRoute) + ", mode " + std::to_string(eMode) + ", graph " +
               std::to_string(eGraph) + (bEditor ? ", editor" : ""));
  ASSERT_EQ(g_eWindow_Mode, eMode);
  ASSERT_EQ(g_eOutput, eGraph);
  ASSERT_EQ(lg_eActive_Input != eMAIN_LINE, bEditor);
  const ClPaneCase& c = paneCase(eMode, eGraph, bEditor);
  ClORVELUI& u = ui();
  EXPECT_EQ(u.m_pInput->visible() != 0, c.bInput_Shown);
  EXPECT_EQ(u.m_pInput->active() != 0, c.bInput_Active);
  EXPECT_EQ(u.m_pInput->w(), c.iInput_W);
  EXPECT_EQ(u.m_pInput->x(), 5);
  EXPECT_EQ(u.m_pOutput->visible() != 0, c.bOutput_Shown);
  EXPECT_EQ(u.m_pGraph->visible() != 0, c.bGraph_Shown);
}

Fl_Menu_Item* modeItem(int32_t eMode) {
  Fl_Menu_Item* const apITEMS[] = {ClORVELUI::mp_miTwo_Windows, ClORVELUI::mp_miOne_Window,
                                   ClORVELUI::mp_miPortrait_Mode};
  return apITEMS[eMode];
}

// Graph Window, then Output Window for the text in front.
void openGraph(int32_t eGraph) {
  if (eGraph != eNO_GRAPH) pick(ClORVELUI::mp_miGraph);
  if (eGraph == eTEXT_IN_FRONT) pick(ClORVELUI::mp_miText);
}

// Through the other graph states and back to the same one.
void goAround(int32_t eGraph) {
  Fl_Menu_Item* pItem = eGraph == eNO_GRAPH ? ClORVELUI::mp_miGraph : ClORVELUI::mp_miText;
  pick(pItem);
  pick(pItem);
}

void editMatrix() {
  pick(ClORVELUI::mp_miA);
  ui().m_pRows->value(1);
  ui().m_pColumns->value(1);
}

TEST_F(PaneTest, EveryStateShowsItsRowWhicheverRouteReachedIt) {
  for (int32_t eMode : {eTWO_WINDOWS, eONE_WINDOW, ePORTRAIT_MODE}) {
    for (int32_t eGraph : {eNO_GRAPH, eGRAPH_IN_FRONT, eTEXT_IN_FRONT}) {
      resetCalculator();
      pick(modeItem(eMode));
      openGraph(eGraph);
      expectPanes(eMode, eGraph, false, "direct");

      editMatrix();
      expectPanes(eMode, eGraph, true, "size step");
      click(ui().m_pEdit);
      ASSERT_EQ(lg_eActive_Input, eEDITOR_CELL);
      expectPanes(eMode, eGraph, true, "table step");
      click(ui().m_pEdit_Cancel);
      expectPanes(eMode, eGraph, false, "after the table");

      editMatrix();
      click(ui().m_pSize_Cancel);
      expectPanes(eMode, eGraph, false, "after the size step");

      goAround(eGraph);
      expectPanes(eMode, eGraph, false, "round trip");
    }
  }
}

// The rebuild between landscape and portrait starts from the row of the new
// mode, whichever mode it left.
TEST_F(PaneTest, RebuildsStartFromTheNewModesRow) {
  const int32_t aeROUTE[] = {ePORTRAIT_MODE, eONE_WINDOW, ePORTRAIT_MODE,
                             eTWO_WINDOWS,   eONE_WINDOW, eTWO_WINDOWS};
  for (int32_t eMode : aeROUTE) {
    pick(modeItem(eMode));
    expectPanes(eMode, eNO_GRAPH, false, "mode change");
  }
}

TEST_F(PaneTest, LongLinesWrapClearOfTheScrollbarInEveryModeAndAfterEveryChange) {
  expectLongLinesFit("start");
  for (int32_t eMode : {eONE_WINDOW, eTWO_WINDOWS, ePORTRAIT_MODE, eONE_WINDOW, eTWO_WINDOWS}) {
    pick(modeItem(eMode));
    expectLongLinesFit("after the mode change");
  }
  pick(modeItem(eONE_WINDOW));
  openGraph(eTEXT_IN_FRONT);
  expectLongLinesFit("graph open");
  pick(ClORVELUI::mp_miGraph);
  expectLongLinesFit("graph closed");
}

}  // namespace
