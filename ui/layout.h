// SPDX-License-Identifier: GPL-3.0-or-later
// One layout of the calculator window: every widget, built from a geometry
// table, and the one static menu table shared by both layouts.
#pragma once

#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Menu_Item.H>

#include <array>
#include <cstdint>

#include "ui/widgets.h"
#include "ui/zoom.h"

class ClGraphBox;
class ClTable;

// Everything the two layouts differ in.
struct ClLayoutData {
  const char* m_acTitle;
  ClRect m_Window, m_Menu_Bar, m_Display, m_Output, m_Input;
  // the matrix editor's size panel and edit panel
  ClRect m_Size_Panel, m_Size_Box, m_Rows, m_Columns, m_Edit, m_Size_Cancel, m_Note, m_Fill_In;
  ClRect m_Edit_Panel, m_Done, m_Edit_Cancel, m_Table, m_Title;
  ClRect m_Graph_Group, m_Graph, m_Keypad;
  bool m_bPortrait;
};

extern const ClLayoutData gc_LANDSCAPE;
extern const ClLayoutData gc_PORTRAIT;

constexpr int gc_iMENU_ITEMS = 95;

// A menu row's user data: a pointer at the integer it stands for, named where
// the row is written, so that no index into an array can pick another.
template <int32_t iValue>
inline constexpr int32_t gc_iMENU_DATUM = iValue;
template <int32_t iValue>
constexpr void* menuData() {
  return const_cast<int32_t*>(&gc_iMENU_DATUM<iValue>);
}

// Both built at the zoom in effect.
class ClORVELUI {
 public:
  ClORVELUI();                      // landscape
  explicit ClORVELUI(bool bDummy);  // portrait
  ~ClORVELUI();
  ClORVELUI(const ClORVELUI&) = delete;
  ClORVELUI& operator=(const ClORVELUI&) = delete;

  // The layout's geometry table at the zoom it was built at.
  const ClLayoutData m_Data;
  ClWindow* m_pWindow = nullptr;
  Fl_Menu_Bar* m_pMenu_Bar = nullptr;
  ClGroup* m_pDisplay_Group = nullptr;
  ClTextDisplay* m_pOutput = nullptr;
  ClTextDisplay* m_pInput = nullptr;
  ClGroup* m_pSize_Panel = nullptr;
  ClCounter* m_pRows = nullptr;
  ClCounter* m_pColumns = nullptr;
  ClButton* m_pEdit = nullptr;
  ClButton* m_pSize_Cancel = nullptr;
  ClTextDisplay* m_pNote = nullptr;
  ClTextDisplay* m_pFill_In = nullptr;
  ClGroup* m_pEdit_Panel = nullptr;
  ClButton* m_pDone = nullptr;
  ClButton* m_pEdit_Cancel = nullptr;
  ClTable* m_pTable = nullptr;
  ClButton* m_pTitle = nullptr;
  ClGroup* m_pGraph_Group = nullptr;
  ClGraphBox* m_pGraph = nullptr;
  ClGroup* m_pKeypad = nullptr;

  static std::array<Fl_Menu_Item, gc_iMENU_ITEMS> menu_mp_Menu_Bar;
  static Fl_Menu_Item *const mp_smFile,
      *const mp_miOpen, *const mp_miSave_Input,
                            *const mp_miSave_Output,
                                *const mp_smSave_Variable,
                                    *const mp_miAs,
                                        *const mp_miBs,
                                            *const mp_miCs,
                                                *const mp_miPs,
                                                    *const mp_miQs,
                                                        *const mp_miUs,
                                                            *const mp_miVs,
                                                                *const mp_mius,
                                                                    *const mp_mivs,
                                                                        *const mp_miws,
                                                                            *const mp_miSave_Graph,
                                                                                *const mp_miExit;
  static Fl_Menu_Item *const mp_smCopy_Result,
      *const mp_miCopy_Text, *const mp_miCopy_LaTeX, *const mp_miCopy_Markdown,
                                                         *const mp_miCopy_NumPy,
                                                             *const mp_miCopy_Octave,
                                                                 *const mp_miCopy_CSV,
                                                                     *const mp_miFull_Precision,
                                                                         *const mp_miPaste;
  static Fl_Menu_Item *const mp_smEdit,
      *const mp_smHistory,
          *const mp_miInsert, *const mp_miClear,
                                  *const mp_Append_History,
                                      *const mp_miClear_All,
                                          *const mp_miClear_Everything,
                                              *const mp_smMatrix_Edit,
                                                  *const mp_miA,
                                                      *const mp_miB,
                                                          *const mp_miC,
                                                              *const mp_miP,
                                                                  *const mp_miQ,
                                                                      *const mp_miU,
                                                                          *const mp_miV,
                                                                              *const mp_miu,
                                                                                  *const mp_miv,
                                                                                      *const mp_miw;
  static Fl_Menu_Item *const mp_smView,
      *const mp_smOutPut, *const mp_miDecimal,
                              *const mp_miFloating_Point,
                                  *const mp_miRational,
                                      *const mp_smWinFormat,
                                          *const mp_miTwo_Windows,
                                              *const mp_miOne_Window,
                                                  *const mp_miPortrait_Mode,
                                                      *const mp_smZoom,
                                                          *const mp_smGraph,
                                                              *const mp_miGraph,
                                                                  *const mp_miClear_Graph,
                                                                      *const mp_miScales,
                                                                          *const mp_miCorners,
                                                                              *const mp_miText,
                                                                                  *const mp_miSteps;
  static Fl_Menu_Item *const mp_smSettings,
      *const mp_miZero_Out, *const mp_miError_Item, *const mp_miParentheses,
                                                        *const mp_miExecute,
                                                            *const mp_smHelp,
                                                                *const mp_miCalculator_Help,
                                                                    *const mp_miUser_Guide,
                                                                        *const mp_miAbout;

  // The graph's items as the graph is open or closed: Graph Window checked
  // while it is open; Clear Graph, Scales, Corners, Output Window and Save
  // Graph work only then, each starting off.
  static void setGraphItems(bool bOpen);
  // Registers the menu items' label type; needed before a menu is drawn.
  static void setItemLabelType();
  // Makes one item of a radio group the only one selected.
  static void selectRadio(Fl_Menu_Item* pItem);
  // Selects the View > Zoom item of the factor in effect, none when it is
  // not one of them (the screen capped it).
  static void selectZoomItem();
  // Sets the items' label sizes for the zoom in effect.
  static void zoomMenu();

 private:
  void build();
  void buildSizePanel();
  void buildEditPanel();
};
