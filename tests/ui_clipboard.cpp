// SPDX-License-Identifier: GPL-3.0-or-later
// The real clipboard and primary selection under Xvfb: text another program
// holds (xclip) is pasted by Ctrl+V, Edit > Paste and a middle click on the
// input pane; Copy Result As and the matrix editor's Ctrl+C are read back
// with xclip from both selections; the table pastes a block with Ctrl+V.
#include <FL/Fl.H>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "command/clipboard.h"
#include "engine/calculator.h"
#include "engine/typing.h"
#include "tests/support/xclip.h"
#include "tests/ui_driver.h"
#include "ui/table.h"

namespace {

// Runs the toolkit until bDone holds, at most iMilliseconds; whether it held.
bool pumpUntil(const std::function<bool()>& bDone, int iMilliseconds = 5000) {
  const auto tEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(iMilliseconds);
  while (!bDone() && std::chrono::steady_clock::now() < tEnd) Fl::wait(0.05);
  return bDone();
}

// Another program holding a selection: xclip in the foreground, serving sText
// until it loses the selection or the owner ends.
class ClSelectionOwner {
 public:
  ClSelectionOwner(const char* acSelection, const std::string& sText) {
    int aiPipe[2];
    if (pipe(aiPipe) != 0) return;
    m_iPid = fork();
    if (m_iPid == 0) {
      dup2(aiPipe[0], 0);
      std::freopen("/dev/null", "w", stdout);
      std::freopen("/dev/null", "w", stderr);
      close(aiPipe[0]);
      close(aiPipe[1]);
      execlp("xclip", "xclip", "-quiet", "-selection", acSelection, "-i", nullptr);
      _exit(127);
    }
    close(aiPipe[0]);
    const bool bWritten =
        write(aiPipe[1], sText.data(), sText.size()) == static_cast<ssize_t>(sText.size());
    close(aiPipe[1]);
    // xclip owns the selection once it serves the text; the window has
    // meanwhile learnt that it lost the selection
    m_bServing = bWritten && pumpUntil([&] { return selectionText(acSelection) == sText; });
  }
  ~ClSelectionOwner() {
    if (m_iPid <= 0) return;
    kill(m_iPid, SIGTERM);
    waitpid(m_iPid, nullptr, 0);
  }
  ClSelectionOwner(const ClSelectionOwner&) = delete;
  ClSelectionOwner& operator=(const ClSelectionOwner&) = delete;

  bool serving() const { return m_bServing; }

 private:
  pid_t m_iPid = -1;
  bool m_bServing = false;
};

class ClipboardWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetCalculator();
    ClORVELUI::mp_miFull_Precision->clear();
  }

  static void enterKeys(const std::string& sKeys) {
    typeText(sKeys);
    typeKey(FL_Enter, "\r");
  }
  // The line changes from sBefore once the requested text has arrived.
  static std::string pastedLine(const std::string& sBefore) {
    pumpUntil([&] { return inputLine() != sBefore; });
    return inputLine();
  }
  static void pressAt(Fl_Widget* pWidget, int iButton) {
    Fl_Window* pWindow = g_Main_Window.window();
    Fl::e_x = pWidget->x() + pWidget->w() / 2;
    Fl::e_y = pWidget->y() + pWidget->h() / 2;
    Fl::e_x_root = pWindow->x() + Fl::e_x;
    Fl::e_y_root = pWindow->y() + Fl::e_y;
    Fl::e_keysym = FL_Button + iButton;
    Fl::e_state = iButton == FL_MIDDLE_MOUSE ? FL_BUTTON2 : FL_BUTTON1;
    Fl::handle(FL_PUSH, pWindow);
    Fl::e_state = 0;
    Fl::handle(FL_RELEASE, pWindow);
  }
};

TEST_F(ClipboardWindowTest, CtrlVAndEditPastePasteTheClipboard) {
  typeText("2*");
  {
    ClSelectionOwner owner("clipboard", "1\t2\r\n3\t4\r\n");
    ASSERT_TRUE(owner.serving());
    typeKey('v', "\x16", FL_CTRL);
    EXPECT_EQ(pastedLine("In>2 * _"), "In>2 * [1, 2; 3, 4]_");
  }
  typeKey(FL_Escape, "\x1b");
  ClSelectionOwner owner("clipboard", "$\\begin{bmatrix} \\frac{2}{3} \\end{bmatrix}$");
  ASSERT_TRUE(owner.serving());
  pick(ClORVELUI::mp_miPaste);
  EXPECT_EQ(pastedLine("In>_"), "In>2 / 3_");
  // refused: a message box, the line as it was
  typeText("*A");
  pick(ClORVELUI::mp_miPaste);
  pumpUntil([] { return !g_Answers.m_asMessages.empty(); });
  ASSERT_EQ(g_Answers.m_asMessages.size(), 1u);
  EXPECT_EQ(g_Answers.m_asMessages[0],
            "Pasted text refused: \"2\" cannot follow \"A\" (key 1 of 3 in \"2/3\").");
  EXPECT_EQ(inputLine(), "In>2 / 3 * A_");
}

TEST_F(ClipboardWindowTest, MiddleClickOnTheInputPanePastesThePrimarySelection) {
  ClSelectionOwner owner("primary", "[1 2; 3 4]");
  ASSERT_TRUE(owner.serving());
  // the output pane does not paste
  pressAt(ui().m_pOutput, FL_MIDDLE_MOUSE);
  EXPECT_FALSE(pumpUntil([] { return inputLine() != "In>_"; }, 500));
  pressAt(ui().m_pInput, FL_MIDDLE_MOUSE);
  EXPECT_EQ(pastedLine("In>_"), "In>[1, 2; 3, 4]_");
}

TEST_F(ClipboardWindowTest, CopyResultAsPutsTheResultOnBothSelections) {
  pick(ClORVELUI::mp_miCopy_Text);
  EXPECT_EQ(g_Answers.m_asMessages.size(), 1u);
  enterKeys("[1,2;3,4]/2");
  // the shortcuts work from the focused input pane
  ASSERT_EQ(Fl::focus(), ui().m_pInput);
  typeKey('l', "\x0c", FL_CTRL | FL_SHIFT);
  const std::string sLaTeX = "\\begin{pmatrix}\n0.5 & 1 \\\\\n1.5 & 2\n\\end{pmatrix}";
  EXPECT_EQ(selectionText("clipboard"), sLaTeX);
  EXPECT_EQ(selectionText("primary"), sLaTeX);
  typeKey('c', "\x03", FL_CTRL | FL_SHIFT);
  EXPECT_EQ(selectionText("clipboard"), "0.5, 1 ;\n1.5, 2");
  EXPECT_EQ(selectionText("primary"), "0.5, 1 ;\n1.5, 2");
  pick(ClORVELUI::mp_miFull_Precision);
  pick(ClORVELUI::mp_miCopy_NumPy);
  EXPECT_EQ(selectionText("clipboard"), "np.array([[0.5, 1], [1.5, 2]])");
}

TEST_F(ClipboardWindowTest, TablePastesABlockWithCtrlVAndCopiesWithCtrlC) {
  pick(ClORVELUI::mp_miA);
  ui().m_pRows->value(2);
  ui().m_pColumns->value(3);
  click(ui().m_pEdit);
  ClTable& table = *ui().m_pTable;
  int iX = 0, iY = 0, iW = 0, iH = 0;
  table.cellRect(0, 1, iX, iY, iW, iH);
  clickAt(iX + iW / 2, iY + iH / 2);
  typeText("9");
  {
    ClSelectionOwner owner("clipboard", "5\t6\n7\t8\n");
    ASSERT_TRUE(owner.serving());
    typeKey('v', "\x16", FL_CTRL);
    EXPECT_TRUE(pumpUntil([&] { return table.m_mMatrix(1, 2) == 8.0; }));
  }
  ClMatrix mExpected(2, 3);
  mExpected << 0.0, 5.0, 6.0, 0.0, 7.0, 8.0;
  EXPECT_EQ(table.m_mMatrix, mExpected);
  EXPECT_EQ(table.m_iEdit_Row, 0);
  EXPECT_EQ(table.m_iEdit_Col, 1);
  EXPECT_EQ(g_Current_State.m_uiLength, 0);
  // the cell editor, which has the focus, leaves Ctrl+C to the table
  ASSERT_EQ(Fl::focus(), table.m_pCell_Editor);
  typeKey('c', "\x03", FL_CTRL);
  EXPECT_EQ(selectionText("clipboard"), "0\t5\t6\n0\t7\t8\n");
  EXPECT_EQ(selectionText("primary"), "0\t5\t6\n0\t7\t8\n");
  click(ui().m_pDone);
  EXPECT_EQ(ClCalculator::mp_mVariable[eVAR_A], mExpected);
}

}  // namespace
