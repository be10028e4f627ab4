// SPDX-License-Identifier: GPL-3.0-or-later
// The exit question and the File menu with its choosers answered, the
// window's own question box answered by keys and clicks, and a result too
// large for one drawn line.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "command/callback.h"
#include "command/history.h"
#include "engine/calculator.h"
#include "engine/typing.h"
#include "tests/ui_driver.h"
#include "ui/dialogs.h"

namespace {

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override { resetCalculator(); }
  void TearDown() override {
    for (const std::string& sName : m_asFiles) std::remove(sName.c_str());
  }
  std::string tempName(const char* acSuffix) {
    m_asFiles.push_back(testing::TempDir() + "ui_dialog_" +
                        testing::UnitTest::GetInstance()->current_test_info()->name() + acSuffix);
    return m_asFiles.back();
  }
  std::vector<std::string> m_asFiles;
};

std::string fileText(const std::string& sName) {
  std::ifstream file(sName, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The window manager's close button, as the toolkit delivers it.
void closeWindow() {
  Fl::handle(FL_CLOSE, g_Main_Window.window());
}

TEST_F(DialogTest, CloseAsksTheExitQuestionAndOnlyYesHidesTheWindow) {
  g_Answers.m_iChoice = 0;
  closeWindow();
  ASSERT_EQ(g_Answers.m_asQuestions.size(), 1u);
  EXPECT_EQ(g_Answers.m_asQuestions[0], "Exit ORVEL Calculator?");
  EXPECT_TRUE(g_Main_Window.window()->shown());

  typeKey(FL_Escape, "\033");
  EXPECT_EQ(g_Answers.m_asQuestions.size(), 1u);

  g_Answers.m_iChoice = 1;
  pick(ClORVELUI::mp_miExit);
  EXPECT_EQ(g_Answers.m_asQuestions.size(), 2u);
  EXPECT_FALSE(g_Main_Window.window()->shown());
  EXPECT_EQ(Fl::first_window(), nullptr);
}

TEST_F(DialogTest, SaveOutputWritesThePaneTextWithoutTheSpacer) {
  typeText("1+1");
  typeKey(FL_Enter, "\r");
  const std::string sName = tempName(".txt");
  g_Answers.m_asFiles = {sName, sName, tempName(".orv")};
  pick(ClORVELUI::mp_miSave_Output);
  EXPECT_EQ(g_Answers.m_asQuestions.at(0), "Save ORVEL Output File");
  const std::string sSaved = fileText(sName);
  EXPECT_EQ(sSaved.rfind("Out>1 + 1 :\n2", 0), 0u) << sSaved;
  EXPECT_EQ(sSaved, paneText(ePANE_OUTPUT).substr(9));

  pick(ClORVELUI::mp_miSave_Output);
  EXPECT_EQ(fileText(sName), sSaved);
  pick(ClORVELUI::mp_miSave_Output);
  EXPECT_EQ(g_Answers.m_asAlerts,
            std::vector<std::string>{
                "Only ORVEL Calculator Input/Matrix files should have .orv extension."});
}

TEST_F(DialogTest, SaveInputThenOpenRestoresTheHistoryAndVariables) {
  typeText("A=2");
  typeKey(FL_Enter, "\r");
  typeText("A*3;");
  typeKey(FL_Enter, "\r");
  const std::string sName = tempName(".orv");
  g_Answers.m_asFiles = {sName};
  pick(ClORVELUI::mp_miSave_Input);
  EXPECT_EQ(g_Answers.m_asQuestions.at(0), "Save ORVEL Input File");

  ClCallback::clearEverything_cb(nullptr, nullptr);
  EXPECT_EQ(g_uiHistory_Next, 0);
  g_Answers.m_asFiles = {sName};
  pick(ClORVELUI::mp_miOpen);
  EXPECT_EQ(g_Answers.m_asQuestions.at(1), "Open ORVEL Data File");
  EXPECT_EQ(g_Answers.m_asAlerts, std::vector<std::string>());
  EXPECT_EQ(g_uiHistory_Next, 2);
  EXPECT_EQ(std::string(lg_State_History[1].m_acLine), "A*3;");
  EXPECT_EQ(ClCalculator::mp_mVariable[eVAR_A](0, 0), ClComplex(2, 0));
  EXPECT_NE(paneText(ePANE_INPUT).find("In>A * 3; "), std::string::npos);
}

TEST_F(DialogTest, ChooserFailuresAndCancelsAreReported) {
  pick(ClORVELUI::mp_miSave_Input);  // cancelled: nothing
  EXPECT_TRUE(g_Answers.m_asAlerts.empty());
  g_Answers.m_iFile_Result = -1;
  pick(ClORVELUI::mp_miSave_Input);
  g_Answers.m_asFiles = {"broken"};
  pick(ClORVELUI::mp_Append_History);
  EXPECT_EQ(g_Answers.m_asAlerts.at(0), "Error saving file.");
  EXPECT_EQ(g_Answers.m_asQuestions.back(), "Append ORVEL History File");
  EXPECT_EQ(g_Answers.m_asAlerts.size(), 2u);
}

TEST_F(DialogTest, RowOfTheLargestSizeStaysReadableAtTheEndOfTheOutputPane) {
  typeText("O1,262144");  // Ones(1,262144)
  typeKey(FL_Enter, "\r");
  Fl::check();
  ClTextDisplay* pOutput = ui().m_pOutput;
  int iX = 0, iY = 0;
  const int iLast = paneText(ePANE_OUTPUT).size() - 1;
  // Wrapped lines keep every drawn x inside the pane, far below the toolkit's
  // 16-bit coordinate limit; the end of the row is in view.
  ASSERT_TRUE(pOutput->position_to_xy(iLast, &iX, &iY));
  EXPECT_LT(iX, pOutput->x() + pOutput->w());
  EXPECT_LT(iY, pOutput->y() + pOutput->h());
  EXPECT_GT(pOutput->count_lines(0, iLast, true), 262144 * 2 / 36);

  // The shortcut that scrolls to the end shows what the toolkit's own
  // scrolling to the insert position shows.
  pOutput->show_insert_position();
  int iX2 = 0, iY2 = 0;
  ASSERT_TRUE(pOutput->position_to_xy(iLast, &iX2, &iY2));
  EXPECT_EQ(iY2, iY);
}

// The window's own question box, answered by the user from a timer that
// the box's event loop fires: a key, or a click on the button labelled
// acClick. The box's button labels, right to left, are noted.
struct ClBoxAnswer {
  int iKey;
  const char* acText;
  const char* acClick;
  std::vector<std::string> asLabels;
};

void pressInBox(Fl_Window* pBox, int iEvent_X, int iEvent_Y) {
  Fl::e_x = iEvent_X;
  Fl::e_y = iEvent_Y;
  Fl::e_x_root = pBox->x() + iEvent_X;
  Fl::e_y_root = pBox->y() + iEvent_Y;
  Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
  Fl::handle(FL_PUSH, pBox);
  Fl::handle(FL_RELEASE, pBox);
}

void answerBox(void* pData) {
  Fl_Window* pBox = Fl::modal();
  if (pBox == nullptr) return Fl::repeat_timeout(0.02, answerBox, pData);
  ClBoxAnswer& answer = *static_cast<ClBoxAnswer*>(pData);
  std::vector<Fl_Widget*> apButtons;
  for (int i = 0; i < pBox->children(); ++i)
    if (dynamic_cast<Fl_Button*>(pBox->child(i))) apButtons.push_back(pBox->child(i));
  std::sort(apButtons.begin(), apButtons.end(),
            [](const Fl_Widget* a, const Fl_Widget* b) { return a->x() > b->x(); });
  for (Fl_Widget* pButton : apButtons) answer.asLabels.push_back(pButton->label());
  for (Fl_Widget* pButton : apButtons)
    if (answer.acClick && answer.acClick == std::string(pButton->label()))
      return pressInBox(pBox, pButton->x() + pButton->w() / 2, pButton->y() + pButton->h() / 2);
  Fl::belowmouse(pBox);  // the box opens under the pointer
  Fl::e_keysym = answer.iKey;
  Fl::e_text = const_cast<char*>(answer.acText);
  Fl::e_length = 1;
  Fl::e_state = 0;
  Fl::handle(FL_KEYDOWN, pBox);
  Fl::handle(FL_KEYUP, pBox);
}

class QuestionBoxTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    m_pfDriver_Choice = g_Dialogs.m_pfChoice;
    g_Dialogs.m_pfChoice = gc_WINDOW_DIALOGS.m_pfChoice;
  }
  void TearDown() override {
    g_Dialogs.m_pfChoice = m_pfDriver_Choice;
    DialogTest::TearDown();
  }
  // Runs pfAsk with the box answered as given.
  static void answered(ClBoxAnswer& answer, void (*pfAsk)()) {
    Fl::add_timeout(0.05, answerBox, &answer);
    pfAsk();
    Fl::remove_timeout(answerBox, &answer);
  }
  int (*m_pfDriver_Choice)(const char*, const char*, const char*) = nullptr;
};

TEST_F(QuestionBoxTest, ReturnAndEscapeKeepTheCalculatorRunning) {
  const struct {
    int iKey;
    const char* acText;
  } aKEYS[] = {{FL_Enter, "\r"}, {FL_KP_Enter, "\r"}, {FL_Escape, "\033"}};
  for (const auto& key : aKEYS) {
    SCOPED_TRACE(key.iKey);
    ClBoxAnswer answer{key.iKey, key.acText, nullptr, {}};
    answered(answer, [] { pick(ClORVELUI::mp_miExit); });
    EXPECT_EQ(answer.asLabels, (std::vector<std::string>{"No", "Yes"}));
    EXPECT_TRUE(g_Main_Window.window()->shown());
  }
}

TEST_F(QuestionBoxTest, ReturnKeepsTheMatrixAndOnlyAClickOnClearClearsIt) {
  typeText("A=2");
  typeKey(FL_Enter, "\r");
  pick(ClORVELUI::mp_miA);
  const auto askClear = [] {
    ui().m_pRows->value(0);
    ui().m_pRows->do_callback();
    click(ui().m_pEdit);
  };
  ClBoxAnswer answer{FL_Enter, "\r", nullptr, {}};
  answered(answer, askClear);
  EXPECT_EQ(answer.asLabels, (std::vector<std::string>{"Cancel", "Clear"}));
  EXPECT_EQ(lg_eActive_Input, 2) << "back to the sizes";
  EXPECT_EQ(ClCalculator::mp_mVariable[eVAR_A].rows(), 1);

  ClBoxAnswer click_clear{0, "", "Clear", {}};
  answered(click_clear, askClear);
  EXPECT_EQ(lg_eActive_Input, 0);
  EXPECT_EQ(ClCalculator::mp_mVariable[eVAR_A].rows(), 0);
}

}  // namespace
