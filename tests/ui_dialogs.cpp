// SPDX-License-Identifier: GPL-3.0-or-later
// The exit question and the File menu with its choosers answered, and a
// result too large for one drawn line.
#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "command/callback.h"
#include "command/history.h"
#include "engine/calculator.h"
#include "tests/ui_driver.h"

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

}  // namespace
