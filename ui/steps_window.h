// SPDX-License-Identifier: GPL-3.0-or-later
// The Steps window: the row operations behind the last main line's RREF,
// Inv, Det and left divisions, in the help's document viewer, with the
// reader's choices (arithmetic, pivot rule, grouping) and the two copy
// buttons. It follows the calculator: a new main line, another output format
// or Zero Out (announced through g_Results_Changed) refill it while it is
// shown, and at its next showing while it is hidden; so does a width that
// holds a different number of characters.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "command/steps_writer.h"

class Fl_Button;
class Fl_Choice;
class Fl_Double_Window;
class Fl_Help_View;

class ClStepsWindow {
 public:
  // Built beside the display area of the current layout, with the reader's
  // arithmetic, pivot rule and grouping from choices.
  explicit ClStepsWindow(const ClStepsView& choices = ClStepsView());
  ~ClStepsWindow();
  ClStepsWindow(const ClStepsWindow&) = delete;
  ClStepsWindow& operator=(const ClStepsWindow&) = delete;

  // Shows the window with the steps of the last main line.
  void show();
  // The reader's choices, with the output format, Zero Out and the
  // characters a line of the viewer holds now.
  ClStepsView view() const;
  // The document in a form for the current choices.
  std::string document(eTEXT_FORM eForm);
  // The shown document is not the one the calculator and the choices make
  // now: it is written again when the window is next visible.
  bool stale() const;
  // Writes the document again if it is stale and the window visible; not
  // while a repetition or a computation polls for Escape (the line's end
  // announces its results after).
  void follow();

  Fl_Double_Window* m_pWindow;
  Fl_Help_View* m_pView;
  Fl_Choice* m_pArithmetic;
  Fl_Choice* m_pPivot;
  Fl_Choice* m_pGrouping;
  Fl_Button* m_pCopy_LaTeX;
  Fl_Button* m_pCopy_Text;

 private:
  // The key of the steps kept in m_aSteps, what they were computed from:
  // only a change of these computes them again (exact steps may take
  // seconds), not the grouping, the width or a copy.
  struct ClStepsCacheKey {
    uint32_t m_uiGeneration;
    ClDisplayOptions m_Display;
    eSTEPS_ARITHMETIC m_eArithmetic;
    eSTEPS_PIVOT m_ePivot;
    bool operator==(const ClStepsCacheKey& other) const {
      return m_uiGeneration == other.m_uiGeneration && m_Display == other.m_Display &&
             m_eArithmetic == other.m_eArithmetic && m_ePivot == other.m_ePivot;
    }
  };
  // What the shown document was written from: the steps, the grouping and
  // the characters a line of the viewer holds (they change with the width).
  struct ClShownKey {
    ClStepsCacheKey m_Steps;
    eSTEPS_GROUPING m_eGrouping;
    int32_t m_iHtml_Line;
    bool operator==(const ClShownKey& other) const {
      return m_Steps == other.m_Steps && m_eGrouping == other.m_eGrouping &&
             m_iHtml_Line == other.m_iHtml_Line;
    }
  };
  static ClStepsCacheKey cacheKey(const ClStepsView& view);
  ClShownKey shownKey() const;
  // The steps of the kept operands for the current choices.
  const std::vector<ClSteps>& keptSteps(const ClStepsView& view);
  static void choice_cb(Fl_Widget* pWidget, void* pData);
  static void copy_cb(Fl_Widget* pWidget, void* pData);

  void buildControls(int iWidth, int& iBottom);
  // The controls set from m_Choices.
  void showChoices();
  // Writes the document again; the reader keeps the place unless the line
  // is a new one.
  void refill();

  // The arithmetic, the pivot rule and the grouping; the controls show
  // them and their callbacks set them.
  ClStepsView m_Choices;
  std::optional<ClShownKey> m_Shown;
  std::optional<ClStepsCacheKey> m_Steps_Key;
  std::vector<ClSteps> m_aSteps;
};
