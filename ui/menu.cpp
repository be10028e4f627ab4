// The menu table shared by both layouts, its item pointers, and the
// output-format callback. Items without a callback are switches read through
// their pointer. The help items keep their places and flags; their behaviour
// is added with those windows.
#include <FL/Enumerations.H>

#include "command/callback.h"
#include "command/history.h"
#include "engine/calculator.h"
#include "ui/editor.h"
#include "ui/layout.h"
#include "ui/table.h"

namespace {

int32_t lg_aeToken_Matrix[10] = {eVAR_A, eVAR_B, eVAR_C, eVAR_P, eVAR_Q,
                                 eVAR_U, eVAR_V, eVAR_u, eVAR_v, eVAR_w};
int32_t lg_aeView_State[3] = {eDECIMAL, eFLOATING_POINT, eRATIONAL};
int32_t lg_aeWindow_Mode[3] = {eTWO_WINDOWS, eONE_WINDOW, ePORTRAIT_MODE};

constexpr int gc_iTOP = 18;
constexpr int gc_iITEM = 16;
constexpr int gc_iHISTORY = 14;

constexpr Fl_Menu_Item title(const char* acLabel) {
  return {acLabel, 0, nullptr, nullptr, FL_SUBMENU, FL_NORMAL_LABEL, FL_HELVETICA, gc_iTOP, 0};
}
constexpr Fl_Menu_Item submenu(const char* acLabel) {
  return {acLabel, 0, nullptr, nullptr, FL_SUBMENU, FL_NORMAL_LABEL, FL_HELVETICA, gc_iITEM, 0};
}
constexpr Fl_Menu_Item item(const char* acLabel, int iShortcut, Fl_Callback* pCallback,
                            void* pData = nullptr, int iFlags = 0, int iSize = gc_iITEM) {
  return {acLabel, iShortcut, pCallback, pData, iFlags, FL_NORMAL_LABEL, FL_HELVETICA, iSize, 0};
}
constexpr Fl_Menu_Item end() {
  return {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0};
}

constexpr int gc_iRADIO_ON = FL_MENU_RADIO | FL_MENU_VALUE;
constexpr int gc_iTOGGLE_ON = FL_MENU_TOGGLE | FL_MENU_VALUE;
constexpr int gc_iTOGGLE_INACTIVE = FL_MENU_TOGGLE | FL_MENU_INACTIVE;

Fl_Callback* const gc_pSave = ClCallback::saveVariable_cb;
Fl_Callback* const gc_pEdit = ClCallback::editSizes_cb;

}  // namespace

Fl_Menu_Item ClORVELUI::menu_mp_Menu_Bar[gc_iMENU_ITEMS] = {
    title("File"),
    item("Open", 0, ClCallback::open_cb),
    item("Save Input", 0, ClCallback::saveIn_cb),
    item("Save Output", 0, ClCallback::saveOut_cb),
    submenu("Save Variable"),
    item("  A  ", FL_ALT + 'a', gc_pSave, &lg_aeToken_Matrix[0]),
    item("  B  ", FL_ALT + 'b', gc_pSave, &lg_aeToken_Matrix[1]),
    item("  C  ", FL_ALT + 'c', gc_pSave, &lg_aeToken_Matrix[2]),
    item("  P  ", FL_CTRL + 'p', gc_pSave, &lg_aeToken_Matrix[3]),
    item("  Q  ", FL_CTRL + 'q', gc_pSave, &lg_aeToken_Matrix[4]),
    item("  U  ", FL_ALT + 'u', gc_pSave, &lg_aeToken_Matrix[5]),
    item("  V  ", FL_ALT + 'v', gc_pSave, &lg_aeToken_Matrix[6]),
    item("  u  ", FL_ALT + 'x', gc_pSave, &lg_aeToken_Matrix[7]),
    item("  v  ", FL_ALT + 'y', gc_pSave, &lg_aeToken_Matrix[8]),
    item("  w  ", FL_ALT + 'w', gc_pSave, &lg_aeToken_Matrix[9]),
    end(),
    item("Save Graph", 0, ClCallback::saveGraph_cb, nullptr, FL_MENU_INACTIVE),
    item("Quit", 0, ClCallback::exit_cb),
    end(),
    title("Edit"),
    submenu("History"),
    item("Insert  Item", 0, ClCallback::insert_cb, nullptr, 0, gc_iHISTORY),
    item("Clear Item", 0, ClCallback::clear_cb, nullptr, 0, gc_iHISTORY),
    item("Append", 0, ClCallback::appendHistory_cb, nullptr, 0, gc_iHISTORY),
    item("Clear History", 0, ClCallback::clearAll_cb, nullptr, 0, gc_iHISTORY),
    item("Clear All", 0, ClCallback::clearEverything_cb, nullptr, 0, gc_iHISTORY),
    end(),
    submenu("Matrix"),
    item("  A  ", FL_ALT + FL_SHIFT + 'a', gc_pEdit, &lg_aeToken_Matrix[0]),
    item("  B  ", FL_CTRL + FL_ALT + 'b', gc_pEdit, &lg_aeToken_Matrix[1]),
    item("  C  ", FL_ALT + FL_SHIFT + 'c', gc_pEdit, &lg_aeToken_Matrix[2]),
    item("  P  ", FL_CTRL + FL_ALT + 'p', gc_pEdit, &lg_aeToken_Matrix[3]),
    item("  Q  ", FL_CTRL + FL_ALT + 'q', gc_pEdit, &lg_aeToken_Matrix[4]),
    item("  U  ", FL_CTRL + FL_ALT + 'u', gc_pEdit, &lg_aeToken_Matrix[5]),
    item("  V  ", FL_CTRL + FL_ALT + 'v', gc_pEdit, &lg_aeToken_Matrix[6]),
    item("  u  ", FL_CTRL + FL_ALT + 'x', gc_pEdit, &lg_aeToken_Matrix[7]),
    item("  v  ", FL_CTRL + FL_ALT + 'y', gc_pEdit, &lg_aeToken_Matrix[8]),
    item("  w  ", FL_CTRL + FL_ALT + 'w', gc_pEdit, &lg_aeToken_Matrix[9]),
    end(),
    end(),
    title("View"),
    submenu("Output Format"),
    item("Decimal", FL_CTRL + 'd', ClCallback::view_cb, &lg_aeView_State[eDECIMAL], gc_iRADIO_ON),
    item("Floating Point ", FL_ALT + 'f', ClCallback::view_cb, &lg_aeView_State[eFLOATING_POINT],
         FL_MENU_RADIO),
    item("Rational", FL_CTRL + 'r', ClCallback::view_cb, &lg_aeView_State[eRATIONAL],
         FL_MENU_RADIO),
    end(),
    submenu("Window Format"),
    item("Two Windows", FL_CTRL + FL_ALT + 'd', ClCallback::mode_cb,
         &lg_aeWindow_Mode[eTWO_WINDOWS], gc_iRADIO_ON),
    item("One Window", FL_CTRL + FL_ALT + 'f', ClCallback::mode_cb, &lg_aeWindow_Mode[eONE_WINDOW],
         FL_MENU_RADIO),
    item("Portrait Mode", FL_CTRL + FL_ALT + 'r', ClCallback::mode_cb,
         &lg_aeWindow_Mode[ePORTRAIT_MODE], FL_MENU_RADIO),
    end(),
    submenu("Graph"),
    item("Graph Window", FL_CTRL + FL_ALT + 'g', ClCallback::graph_cb, nullptr, FL_MENU_TOGGLE),
    item("Clear Graph", FL_CTRL + FL_ALT + 'f', ClCallback::clearGraph_cb, nullptr,
         gc_iTOGGLE_INACTIVE),
    item("Scales", FL_ALT + 'j', ClCallback::scales_cb, nullptr, gc_iTOGGLE_INACTIVE),
    item("Corners", FL_ALT + 'k', ClCallback::corners_cb, nullptr, gc_iTOGGLE_INACTIVE),
    item("Output Window", FL_CTRL + 't', ClCallback::text_cb, nullptr, gc_iTOGGLE_INACTIVE),
    end(),
    end(),
    title("Settings"),
    item("Zero Out", 0, ClCallback::zeroOut_cb, nullptr, gc_iTOGGLE_ON),
    item("Error Check", 0, nullptr, nullptr, gc_iTOGGLE_ON),
    item("Auto Parentheses", 0, nullptr, nullptr, gc_iTOGGLE_ON),
    item("Execute", 0, nullptr, nullptr, gc_iTOGGLE_ON),
    end(),
    title("Help"),
    item("Calculator Help", 0, ClCallback::helpHelp_cb),
    item("Calculator User Guide", 0, ClCallback::helpGuide_cb),
    item("About", 0, ClCallback::helpAbout_cb),
    end(),
    end(),
};

#define ITEM(name, index) Fl_Menu_Item* const ClORVELUI::name = &menu_mp_Menu_Bar[index]
ITEM(mp_smFile, 0);
ITEM(mp_miOpen, 1);
ITEM(mp_miSave_Input, 2);
ITEM(mp_miSave_Output, 3);
ITEM(mp_smSave_Variable, 4);
ITEM(mp_miAs, 5);
ITEM(mp_miBs, 6);
ITEM(mp_miCs, 7);
ITEM(mp_miPs, 8);
ITEM(mp_miQs, 9);
ITEM(mp_miUs, 10);
ITEM(mp_miVs, 11);
ITEM(mp_mius, 12);
ITEM(mp_mivs, 13);
ITEM(mp_miws, 14);
ITEM(mp_miSave_Graph, 16);
ITEM(mp_miExit, 17);
ITEM(mp_smEdit, 19);
ITEM(mp_smHistory, 20);
ITEM(mp_miInsert, 21);
ITEM(mp_miClear, 22);
ITEM(mp_Append_History, 23);
ITEM(mp_miClear_All, 24);
ITEM(mp_miClear_Everything, 25);
ITEM(mp_smMatrix_Edit, 27);
ITEM(mp_miA, 28);
ITEM(mp_miB, 29);
ITEM(mp_miC, 30);
ITEM(mp_miP, 31);
ITEM(mp_miQ, 32);
ITEM(mp_miU, 33);
ITEM(mp_miV, 34);
ITEM(mp_miu, 35);
ITEM(mp_miv, 36);
ITEM(mp_miw, 37);
ITEM(mp_smView, 40);
ITEM(mp_smOutPut, 41);
ITEM(mp_miDecimal, 42);
ITEM(mp_miFloating_Point, 43);
ITEM(mp_miRational, 44);
ITEM(mp_smWinFormat, 46);
ITEM(mp_miTwo_Windows, 47);
ITEM(mp_miOne_Window, 48);
ITEM(mp_miPortrait_Mode, 49);
ITEM(mp_smGraph, 51);
ITEM(mp_miGraph, 52);
ITEM(mp_miClear_Graph, 53);
ITEM(mp_miScales, 54);
ITEM(mp_miCorners, 55);
ITEM(mp_miText, 56);
ITEM(mp_smSettings, 59);
ITEM(mp_miZero_Out, 60);
ITEM(mp_miError_Item, 61);
ITEM(mp_miParentheses, 62);
ITEM(mp_miExecute, 63);
ITEM(mp_smHelp, 65);
ITEM(mp_miCalculator_Help, 66);
ITEM(mp_miUser_Guide, 67);
ITEM(mp_miAbout, 68);
#undef ITEM

void ClORVELUI::resetGraphItems() {
  mp_miGraph->clear();
  mp_miGraph->activate();
  for (Fl_Menu_Item* pItem : {mp_miClear_Graph, mp_miScales, mp_miCorners, mp_miText}) {
    pItem->clear();
    pItem->deactivate();
  }
  mp_miSave_Graph->deactivate();
}

void ClORVELUI::selectRadio(Fl_Menu_Item* pItem) {
  pItem->setonly();
}

void ClCallback::view_cb(Fl_Widget*, void* pData) {
  g_eView_State = *static_cast<int32_t*>(pData);
  // the matrix editor's entries follow the format at once
  if (g_Editor.m_pActive_Table) g_Editor.m_pActive_Table->redraw();
}
