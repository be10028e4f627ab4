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
  // Built beside the display area of the current layout.
  ClStepsWindow();
  ~ClStepsWindow();
  ClStepsWindow(const ClStepsWindow&) = delete;
  ClStepsWindow& operator=(const ClStepsWindow&) = delete;

  // Shows the window with the steps of the last main line.
  void show();
  // The choices as the controls show them.
  ClStepsView view() const;
  // The document in a form for the current choices.
  std::string document(eSTEPS_FORM eForm);
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
  // What the shown document was written from, besides the choices: the
  // line, the output format, Zero Out and the characters a line of the
  // viewer holds (it changes with the window's width).
  struct ClSource {
    uint32_t m_uiLine;
    int32_t m_iFormat;
    bool m_bZero_Out;
    int32_t m_iHtml_Line;
    bool operator==(const ClSource& other) const {
      return m_uiLine == other.m_uiLine && m_iFormat == other.m_iFormat &&
             m_bZero_Out == other.m_bZero_Out && m_iHtml_Line == other.m_iHtml_Line;
    }
  };
  ClSource source() const;
  // The key of the steps kept in m_aSteps, what they were computed from:
  // only a change of these computes them again (exact steps may take
  // seconds), not the grouping, the width or a copy.
  struct ClStepsCacheKey {
    uint32_t m_uiLine;
    int32_t m_iFormat;
    bool m_bZero_Out;
    int32_t m_iArithmetic;
    int32_t m_iPivot;
    bool operator==(const ClStepsCacheKey& other) const {
      return m_uiLine == other.m_uiLine && m_iFormat == other.m_iFormat &&
             m_bZero_Out == other.m_bZero_Out && m_iArithmetic == other.m_iArithmetic &&
             m_iPivot == other.m_iPivot;
    }
  };
  // The steps of the kept operands for the current choices.
  const std::vector<ClSteps>& keptSteps(const ClStepsView& view);
  static void choice_cb(Fl_Widget* pWidget, void* pData);
  static void copy_cb(Fl_Widget* pWidget, void* pData);

  void buildControls(int iWidth, int& iBottom);
  // Writes the document again; the reader keeps the place unless the line
  // is a new one.
  void refill();

  std::optional<ClSource> m_Shown;
  std::optional<ClStepsCacheKey> m_Steps_Key;
  std::vector<ClSteps> m_aSteps;
};
