// SPDX-License-Identifier: GPL-3.0-or-later
// The menu table shared by both layouts, its item pointers, and the
// output-format callback. Items without a callback are switches read through
// their pointer. The help items keep their places and flags; their behaviour
// is added with those windows.
#include <FL/Enumerations.H>
#include <FL/Fl.H>

#include <array>
#include <cstdlib>
#include <type_traits>

#include "command/callback.h"
#include "command/history.h"
#include "command/matrix_forms.h"
#include "engine/calculator.h"
#include "ui/editor.h"
#include "ui/keyboard.h"
#include "ui/layout.h"
#include "ui/table.h"

// After Eigen: the X11 headers define Success, a name Eigen uses.
#include <FL/fl_draw.H>

namespace {

// The labels of View > Zoom, "100 %" to "300 %", from the factors.
struct ClZoomLabel {
  char m_acText[6];
};
static_assert(gc_iZOOM_LEAST >= 100 && gc_iZOOM_MOST <= 999, "three digits");
constexpr std::array<ClZoomLabel, gc_aiZOOM_STEPS.size()> zoomLabels() {
  std::array<ClZoomLabel, gc_aiZOOM_STEPS.size()> aLabels{};
  for (size_t k = 0; k < aLabels.size(); ++k) {
    const int iPercent = gc_aiZOOM_STEPS[k];
    aLabels[k] = {{static_cast<char>('0' + iPercent / 100),
                   static_cast<char>('0' + iPercent / 10 % 10),
                   static_cast<char>('0' + iPercent % 10), ' ', '%', '\0'}};
  }
  return aLabels;
}
constexpr std::array<ClZoomLabel, gc_aiZOOM_STEPS.size()> gc_aZOOM_LABELS = zoomLabels();

constexpr int gc_iTOP = 18;
constexpr int gc_iITEM = 16;
constexpr int gc_iHISTORY = 14;

// The items' own label type: drawn as a plain label, measured with room to
// spare. The toolkit draws a toggle's box wider than it measures it, which
// would bring a long label up against its shortcut.
constexpr Fl_Labeltype gc_eITEM_LABEL = FL_FREE_LABELTYPE;

void drawItemLabel(const Fl_Label* pLabel, int iX, int iY, int iW, int iH, Fl_Align eAlign) {
  fl_font(pLabel->font, pLabel->size);
  fl_color(pLabel->color);
  fl_draw(pLabel->value, iX, iY, iW, iH, eAlign, pLabel->image);
}

void measureItemLabel(const Fl_Label* pLabel, int& iW, int& iH) {
  fl_font(pLabel->font, pLabel->size);
  fl_measure(pLabel->value, iW, iH);
  iW += pLabel->size / 2;
}

constexpr Fl_Menu_Item title(const char* acLabel) {
  return {acLabel, 0, nullptr, nullptr, FL_SUBMENU, FL_NORMAL_LABEL, FL_HELVETICA, gc_iTOP, 0};
}
constexpr Fl_Menu_Item submenu(const char* acLabel, int iFlags = 0) {
  return {acLabel,      0,        nullptr, nullptr, FL_SUBMENU | iFlags, gc_eITEM_LABEL,
          FL_HELVETICA, gc_iITEM, 0};
}
constexpr Fl_Menu_Item item(const char* acLabel, int iShortcut, Fl_Callback* pCallback,
                            void* pData = nullptr, int iFlags = 0, int iSize = gc_iITEM) {
  return {acLabel, iShortcut, pCallback, pData, iFlags, gc_eITEM_LABEL, FL_HELVETICA, iSize, 0};
}
// The k-th factor of the zoom table, its label and its value.
constexpr Fl_Menu_Item zoomItem(size_t k, int iFlags = FL_MENU_RADIO) {
  return item(gc_aZOOM_LABELS[k].m_acText, 0, ClCallback::zoom_cb,
              const_cast<int*>(&gc_aiZOOM_STEPS[k]), iFlags);
}
constexpr Fl_Menu_Item end() {
  return {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0};
}

constexpr int gc_iRADIO_ON = FL_MENU_RADIO | FL_MENU_VALUE;
constexpr int gc_iTOGGLE_ON = FL_MENU_TOGGLE | FL_MENU_VALUE;
constexpr int gc_iTOGGLE_INACTIVE = FL_MENU_TOGGLE | FL_MENU_INACTIVE;

Fl_Callback* const gc_pSave = ClCallback::saveVariable_cb;
Fl_Callback* const gc_pEdit = ClCallback::editSizes_cb;
Fl_Callback* const gc_pCopy = ClCallback::copyResult_cb;

}  // namespace

static_assert(gc_aiZOOM_STEPS.size() == 7, "View > Zoom has a row for every factor");

constexpr std::array<Fl_Menu_Item, gc_iMENU_ITEMS> gc_aMENU = {{
    title("File"),
    item("Open", 0, ClCallback::open_cb),
    item("Save Input", 0, ClCallback::saveIn_cb),
    item("Save Output", 0, ClCallback::saveOut_cb),
    submenu("Save Variable"),
    item("  A  ", FL_ALT + 'a', gc_pSave, menuData<eVAR_A>()),
    item("  B  ", FL_ALT + 'b', gc_pSave, menuData<eVAR_B>()),
    item("  C  ", FL_ALT + 'c', gc_pSave, menuData<eVAR_C>()),
    item("  P  ", FL_CTRL + 'p', gc_pSave, menuData<eVAR_P>()),
    item("  Q  ", FL_CTRL + 'q', gc_pSave, menuData<eVAR_Q>()),
    item("  U  ", FL_ALT + 'u', gc_pSave, menuData<eVAR_U>()),
    item("  V  ", FL_ALT + 'v', gc_pSave, menuData<eVAR_V>()),
    item("  u  ", FL_ALT + 'x', gc_pSave, menuData<eVAR_u>()),
    item("  v  ", FL_ALT + 'y', gc_pSave, menuData<eVAR_v>()),
    item("  w  ", FL_ALT + 'w', gc_pSave, menuData<eVAR_w>()),
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
    submenu("Matrix", FL_MENU_DIVIDER),
    item("  A  ", FL_ALT + FL_SHIFT + 'a', gc_pEdit, menuData<eVAR_A>()),
    item("  B  ", FL_CTRL + FL_ALT + 'b', gc_pEdit, menuData<eVAR_B>()),
    item("  C  ", FL_ALT + FL_SHIFT + 'c', gc_pEdit, menuData<eVAR_C>()),
    item("  P  ", FL_CTRL + FL_ALT + 'p', gc_pEdit, menuData<eVAR_P>()),
    item("  Q  ", FL_CTRL + FL_ALT + 'q', gc_pEdit, menuData<eVAR_Q>()),
    item("  U  ", FL_CTRL + FL_ALT + 'u', gc_pEdit, menuData<eVAR_U>()),
    item("  V  ", FL_CTRL + FL_ALT + 'v', gc_pEdit, menuData<eVAR_V>()),
    item("  u  ", FL_CTRL + FL_ALT + 'x', gc_pEdit, menuData<eVAR_u>()),
    item("  v  ", FL_CTRL + FL_ALT + 'y', gc_pEdit, menuData<eVAR_v>()),
    item("  w  ", FL_CTRL + FL_ALT + 'w', gc_pEdit, menuData<eVAR_w>()),
    end(),
    submenu("Copy Result As"),
    item("Text", FL_CTRL + FL_SHIFT + 'c', gc_pCopy, menuData<eFORM_TEXT>()),
    item("LaTeX", FL_CTRL + FL_SHIFT + 'l', gc_pCopy, menuData<eFORM_LATEX>()),
    item("Markdown", 0, gc_pCopy, menuData<eFORM_MARKDOWN>()),
    item("NumPy", 0, gc_pCopy, menuData<eFORM_NUMPY>()),
    item("Octave", 0, gc_pCopy, menuData<eFORM_OCTAVE>()),
    item("CSV", 0, gc_pCopy, menuData<eFORM_CSV>(), FL_MENU_DIVIDER),
    item("Full Precision", 0, nullptr, nullptr, FL_MENU_TOGGLE),
    end(),
    item("Paste", FL_CTRL + 'v', ClCallback::paste_cb),
    end(),
    title("View"),
    submenu("Output Format"),
    item("Decimal", FL_CTRL + 'd', ClCallback::view_cb, menuData<eDECIMAL>(), gc_iRADIO_ON),
    item("Floating Point ", FL_ALT + 'f', ClCallback::view_cb, menuData<eFLOATING_POINT>(),
         FL_MENU_RADIO),
    item("Rational", FL_CTRL + 'r', ClCallback::view_cb, menuData<eRATIONAL>(), FL_MENU_RADIO),
    end(),
    submenu("Window Format"),
    item("Two Windows", FL_CTRL + FL_ALT + 'd', ClCallback::mode_cb, menuData<eTWO_WINDOWS>(),
         gc_iRADIO_ON),
    item("One Window", FL_CTRL + FL_ALT + 'f', ClCallback::mode_cb, menuData<eONE_WINDOW>(),
         FL_MENU_RADIO),
    item("Portrait Mode", FL_CTRL + FL_ALT + 'r', ClCallback::mode_cb, menuData<ePORTRAIT_MODE>(),
         FL_MENU_RADIO),
    end(),
    submenu("Zoom"),
    // one row per factor of the zoom table (ui/zoom.h)
    zoomItem(0, gc_iRADIO_ON),
    zoomItem(1),
    zoomItem(2),
    zoomItem(3),
    zoomItem(4),
    zoomItem(5),
    zoomItem(6),
    // Keys without a row users see: the next, the previous and the first
    // factor; keyboard.cpp has more keys for them.
    item("Zoom In", FL_CTRL + '+', zoomKey_cb, menuData<eZOOM_IN>(), FL_MENU_INVISIBLE),
    item("Zoom Out", FL_CTRL + '-', zoomKey_cb, menuData<eZOOM_OUT>(), FL_MENU_INVISIBLE),
    item("First Zoom", FL_CTRL + '0', zoomKey_cb, menuData<eZOOM_FIRST>(), FL_MENU_INVISIBLE),
    end(),
    submenu("Graph"),
    item("Graph Window", FL_CTRL + FL_ALT + 'g', ClCallback::graph_cb, nullptr, FL_MENU_TOGGLE),
    item("Clear Graph", FL_CTRL + FL_ALT + 'f', ClCallback::clearGraph_cb, nullptr,
         gc_iTOGGLE_INACTIVE),
    item("Scales", FL_ALT + 'j', ClCallback::scales_cb, nullptr, gc_iTOGGLE_INACTIVE),
    item("Corners", FL_ALT + 'k', ClCallback::corners_cb, nullptr, gc_iTOGGLE_INACTIVE),
    item("Output Window", FL_CTRL + 't', ClCallback::text_cb, nullptr, gc_iTOGGLE_INACTIVE),
    end(),
    item("Steps", FL_CTRL + FL_ALT + 's', ClCallback::steps_cb),
    // Space in the output pane, without a row users see
    item("Steps", ' ', stepsKey_cb, nullptr, FL_MENU_INVISIBLE),
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
}};

std::array<Fl_Menu_Item, gc_iMENU_ITEMS> ClORVELUI::menu_mp_Menu_Bar = gc_aMENU;

namespace {

constexpr int labelLength(const char* acPath) {
  int iLength = 0;
  while (acPath[iLength] != '\0' && acPath[iLength] != '/') ++iLength;
  return iLength;
}

constexpr bool isLabel(const char* acText, const char* acPath, int iLength) {
  for (int k = 0; k < iLength; ++k)
    if (acText[k] != acPath[k]) return false;
  return acText[iLength] == '\0';
}

// The position after the item at iAt, past its items when it is a submenu.
constexpr int skipItem(int iAt) {
  int iDepth = 0;
  do {
    if (gc_aMENU[iAt].text == nullptr)
      --iDepth;
    else if (gc_aMENU[iAt].flags & FL_SUBMENU)
      ++iDepth;
    ++iAt;
  } while (iDepth > 0);
  return iAt;
}

// Reached only by a path that names no item; not constexpr, so such a path
// does not compile.
void noSuchMenuItem() {
  std::abort();
}

// The position of the item at acPath, its labels from the menu bar down
// joined by '/'.
constexpr int positionOf(const char* acPath) {
  int iAt = 0;
  for (;;) {
    const int iLength = labelLength(acPath);
    while (gc_aMENU[iAt].text == nullptr || !isLabel(gc_aMENU[iAt].text, acPath, iLength)) {
      if (gc_aMENU[iAt].text == nullptr) noSuchMenuItem();
      iAt = skipItem(iAt);
    }
    if (acPath[iLength] == '\0') return iAt;
    acPath += iLength + 1;
    ++iAt;  // the submenu's first item
  }
}

}  // namespace

// Bound by path at compile time, so that no pointer can name the wrong item.
#define ITEM(name, path)                \
  Fl_Menu_Item* const ClORVELUI::name = \
      &menu_mp_Menu_Bar[std::integral_constant<int, positionOf(path)>::value]
ITEM(mp_smFile, "File");
ITEM(mp_miOpen, "File/Open");
ITEM(mp_miSave_Input, "File/Save Input");
ITEM(mp_miSave_Output, "File/Save Output");
ITEM(mp_smSave_Variable, "File/Save Variable");
ITEM(mp_miAs, "File/Save Variable/  A  ");
ITEM(mp_miBs, "File/Save Variable/  B  ");
ITEM(mp_miCs, "File/Save Variable/  C  ");
ITEM(mp_miPs, "File/Save Variable/  P  ");
ITEM(mp_miQs, "File/Save Variable/  Q  ");
ITEM(mp_miUs, "File/Save Variable/  U  ");
ITEM(mp_miVs, "File/Save Variable/  V  ");
ITEM(mp_mius, "File/Save Variable/  u  ");
ITEM(mp_mivs, "File/Save Variable/  v  ");
ITEM(mp_miws, "File/Save Variable/  w  ");
ITEM(mp_miSave_Graph, "File/Save Graph");
ITEM(mp_miExit, "File/Quit");
ITEM(mp_smEdit, "Edit");
ITEM(mp_smCopy_Result, "Edit/Copy Result As");
ITEM(mp_miCopy_Text, "Edit/Copy Result As/Text");
ITEM(mp_miCopy_LaTeX, "Edit/Copy Result As/LaTeX");
ITEM(mp_miCopy_Markdown, "Edit/Copy Result As/Markdown");
ITEM(mp_miCopy_NumPy, "Edit/Copy Result As/NumPy");
ITEM(mp_miCopy_Octave, "Edit/Copy Result As/Octave");
ITEM(mp_miCopy_CSV, "Edit/Copy Result As/CSV");
ITEM(mp_miFull_Precision, "Edit/Copy Result As/Full Precision");
ITEM(mp_miPaste, "Edit/Paste");
ITEM(mp_smHistory, "Edit/History");
ITEM(mp_miInsert, "Edit/History/Insert  Item");
ITEM(mp_miClear, "Edit/History/Clear Item");
ITEM(mp_Append_History, "Edit/History/Append");
ITEM(mp_miClear_All, "Edit/History/Clear History");
ITEM(mp_miClear_Everything, "Edit/History/Clear All");
ITEM(mp_smMatrix_Edit, "Edit/Matrix");
ITEM(mp_miA, "Edit/Matrix/  A  ");
ITEM(mp_miB, "Edit/Matrix/  B  ");
ITEM(mp_miC, "Edit/Matrix/  C  ");
ITEM(mp_miP, "Edit/Matrix/  P  ");
ITEM(mp_miQ, "Edit/Matrix/  Q  ");
ITEM(mp_miU, "Edit/Matrix/  U  ");
ITEM(mp_miV, "Edit/Matrix/  V  ");
ITEM(mp_miu, "Edit/Matrix/  u  ");
ITEM(mp_miv, "Edit/Matrix/  v  ");
ITEM(mp_miw, "Edit/Matrix/  w  ");
ITEM(mp_smView, "View");
ITEM(mp_smOutPut, "View/Output Format");
ITEM(mp_miDecimal, "View/Output Format/Decimal");
ITEM(mp_miFloating_Point, "View/Output Format/Floating Point ");
ITEM(mp_miRational, "View/Output Format/Rational");
ITEM(mp_smWinFormat, "View/Window Format");
ITEM(mp_miTwo_Windows, "View/Window Format/Two Windows");
ITEM(mp_miOne_Window, "View/Window Format/One Window");
ITEM(mp_miPortrait_Mode, "View/Window Format/Portrait Mode");
ITEM(mp_smZoom, "View/Zoom");
ITEM(mp_smGraph, "View/Graph");
ITEM(mp_miGraph, "View/Graph/Graph Window");
ITEM(mp_miClear_Graph, "View/Graph/Clear Graph");
ITEM(mp_miScales, "View/Graph/Scales");
ITEM(mp_miCorners, "View/Graph/Corners");
ITEM(mp_miText, "View/Graph/Output Window");
ITEM(mp_miSteps, "View/Steps");
ITEM(mp_smSettings, "Settings");
ITEM(mp_miZero_Out, "Settings/Zero Out");
ITEM(mp_miError_Item, "Settings/Error Check");
ITEM(mp_miParentheses, "Settings/Auto Parentheses");
ITEM(mp_miExecute, "Settings/Execute");
ITEM(mp_smHelp, "Help");
ITEM(mp_miCalculator_Help, "Help/Calculator Help");
ITEM(mp_miUser_Guide, "Help/Calculator User Guide");
ITEM(mp_miAbout, "Help/About");
#undef ITEM

void ClORVELUI::setGraphItems(bool bOpen) {
  bOpen ? mp_miGraph->set() : mp_miGraph->clear();
  for (Fl_Menu_Item* pItem :
       {mp_miClear_Graph, mp_miScales, mp_miCorners, mp_miText, mp_miSave_Graph}) {
    pItem->clear();
    bOpen ? pItem->activate() : pItem->deactivate();
  }
}

void ClORVELUI::setItemLabelType() {
  Fl::set_labeltype(gc_eITEM_LABEL, drawItemLabel, measureItemLabel);
}

void ClORVELUI::selectRadio(Fl_Menu_Item* pItem) {
  pItem->setonly();
}

void ClORVELUI::selectZoomItem() {
  for (size_t k = 0; k < gc_aiZOOM_STEPS.size(); ++k) {
    Fl_Menu_Item& item = mp_smZoom[1 + k];
    if (gc_aiZOOM_STEPS[k] == g_iZoom)
      item.setonly();
    else
      item.clear();
  }
}

void ClORVELUI::zoomMenu() {
  for (int i = 0; i < gc_iMENU_ITEMS; ++i)
    menu_mp_Menu_Bar[i].labelsize(zoomed(gc_aMENU[i].labelsize()));
}

void ClCallback::view_cb(Fl_Widget*, void* pData) {
  const int32_t eFormat = *static_cast<int32_t*>(pData);
  const bool bChanged = eFormat != g_eView_State;
  g_eView_State = eFormat;
  // the matrix editor's entries follow the format at once
  if (g_Editor.m_pActive_Table) g_Editor.m_pActive_Table->redraw();
  if (bChanged) g_pSeam->resultsChanged();
}
