// SPDX-License-Identifier: GPL-3.0-or-later
// Data files through the real writers, loader and menu callbacks, with the
// headless seam; fixtures are plain text in tests/data, encoded before use.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "files/codec.h"
#include "files/data_file.h"
#include "tests/support/command_driver.h"

namespace {

// The headless seam with a chooser that can fail, and every box with its kind.
class ClFilesSeam : public ClHeadlessSeam {
 public:
  bool chooseFile(const char* acTitle, bool bSave, std::string& sName, bool& bError) override {
    m_asTitles.push_back(acTitle);
    if (!m_bChooser_Fails) return ClHeadlessSeam::chooseFile(acTitle, bSave, sName, bError);
    bError = true;
    return false;
  }
  void alert(const std::string& sText) override { m_asBoxes.push_back("alert: " + sText); }
  void message(const std::string& sText) override { m_asBoxes.push_back("message: " + sText); }

  bool m_bChooser_Fails = false;
  std::vector<std::string> m_asTitles;
  std::vector<std::string> m_asBoxes;
};

std::string readBytes(const std::string& sPath) {
  std::ifstream File(sPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& sPath, std::string sBytes) {
  std::ofstream(sPath, std::ios::binary) << sBytes;
}

void writeEncoded(const std::string& sPath, std::string sPlain) {
  CodeFile(sPlain.data(), sPlain.size());
  writeBytes(sPath, sPlain);
}

std::string fixture(const char* acName) {
  return readBytes(std::string(std::getenv("ORVEL_TEST_DATA")) + "/" + acName);
}

ClMatrix& variable(eTOKEN eVariable) {
  return ClCalculator::mp_mVariable[eVariable];
}

bool isSame(const ClMatrix& mA, const ClMatrix& mB) {
  return mA.rows() == mB.rows() && mA.cols() == mB.cols() && mA == mB;
}

ClMatrix scalar(double dValue) {
  return ClMatrix::Constant(1, 1, dValue);
}

// Entries with 16 and more significant digits, real ones on the diagonal.
ClMatrix sampleMatrix(int iRows, int iColumns) {
  ClMatrix mM(iRows, iColumns);
  for (int r = 0; r < iRows; ++r)
    for (int c = 0; c < iColumns; ++c)
      mM(r, c) = ClComplex((r + 1.0) / (c + 3.0), (c - r) * 1e-7 / 3.0);
  return mM;
}

// 15 significant digits: a relative difference below 1e-14.
void expectSameTo15Digits(const ClMatrix& mExpected, const ClMatrix& mActual) {
  ASSERT_EQ(mExpected.rows(), mActual.rows());
  ASSERT_EQ(mExpected.cols(), mActual.cols());
  for (Eigen::Index k = 0; k < mExpected.size(); ++k) {
    EXPECT_NEAR(mExpected(k).real(), mActual(k).real(), 1e-14 * std::abs(mExpected(k).real()));
    EXPECT_NEAR(mExpected(k).imag(), mActual(k).imag(), 1e-14 * std::abs(mExpected(k).imag()));
  }
}

class ClFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Set_Code_Arrays();
    resetCommandState(m_Seam);
    std::string sTemplate =
        (std::filesystem::temp_directory_path() / "orvel-files-XXXXXX").string();
    ASSERT_NE(mkdtemp(sTemplate.data()), nullptr);
    m_sDirectory = sTemplate;
  }
  void TearDown() override {
    g_pSeam = nullptr;
    std::filesystem::remove_all(m_sDirectory);
  }

  std::string path(const std::string& sName) const { return m_sDirectory + "/" + sName; }
  void store(std::initializer_list<std::string> asLines) {
    m_Seam.setOn(eSWITCH_EXECUTE, false);
    for (const std::string& sLine : asLines) enter(sLine);
    m_Seam.setOn(eSWITCH_EXECUTE, true);
  }
  std::vector<std::string> history() const {
    std::vector<std::string> asLines;
    for (int k = 0; k < g_uiHistory_Next; ++k) asLines.push_back(historyLine(k));
    return asLines;
  }
  std::string output() {
    const std::string sText = m_Seam.output().text();
    return sText.size() > 9 ? sText.substr(9) : std::string();
  }

  ClFilesSeam m_Seam;
  std::string m_sDirectory;
};

TEST_F(ClFilesTest, HistoryFileIsThePlainTextEncodedByteForByte) {
  enter("A=1");
  const std::string sName = path("one.orv");
  ASSERT_TRUE(saveInFile(sName.c_str()));

  std::string sPlain = "ORVEL_3.141592653897932\n0\n1\nA=1\n1\n1\n1 \n";
  for (int k = 0; k < 9; ++k) sPlain += "0\n0\n";
  std::string sBytes = readBytes(sName);
  ASSERT_EQ(sPlain.size(), sBytes.size());
  for (size_t k = 0; k < sBytes.size(); ++k) EXPECT_NE(sPlain[k], sBytes[k]) << "byte " << k;
  DCodeFile(sBytes.data(), sBytes.size());
  EXPECT_EQ(sPlain, sBytes);
}

TEST_F(ClFilesTest, RoundTripKeepsLinesAndValuesTo15Digits) {
  store({"A=1", "B=1/3;", "X(2)"});
  variable(eVAR_A) = sampleMatrix(64, 64);  // 4096 entries: saved with the history
  variable(eVAR_A)(0, 0) = 1.0 / 3.0;
  variable(eVAR_B) = sampleMatrix(65, 64);  // 4160 entries: only in a variable file
  const ClMatrix mA = variable(eVAR_A), mB = variable(eVAR_B);
  const std::string sHistory = path("script.orv"), sVariable = path("b.orv");
  ASSERT_TRUE(saveInFile(sHistory.c_str()));
  ASSERT_TRUE(saveVariableFile(sVariable.c_str(), eVAR_B));

  ClCallback::clearEverything_cb(nullptr, nullptr);
  ASSERT_TRUE(loadInFile(sHistory.c_str(), eLOAD_OPEN));
  EXPECT_EQ((std::vector<std::string>{"A=1", "B=1/3;", "X(2)"}), history());
  EXPECT_EQ(g_uiHistory_Next, g_uiHistory_Index);
  expectSameTo15Digits(mA, variable(eVAR_A));
  EXPECT_EQ(0.333333333333333, variable(eVAR_A)(0, 0).real());
  EXPECT_EQ(0, variable(eVAR_B).rows());

  ASSERT_TRUE(loadInFile(sVariable.c_str(), eLOAD_OPEN));
  expectSameTo15Digits(mB, variable(eVAR_B));
  EXPECT_TRUE(m_Seam.m_asBoxes.empty());
}

// The reader refuses "nan" and "inf": a variable holding them must not make
// the rest of a history file unreadable, nor be saved as a variable file.
TEST_F(ClFilesTest, NonFiniteVariableIsNotWrittenForTheReaderToRefuse) {
  enter("A=[1,1/0]");
  enter("B=2");
  ASSERT_EQ(2, variable(eVAR_A).size());
  const std::string sHistory = path("h.orv"), sVariable = path("a.orv");
  ASSERT_TRUE(saveInFile(sHistory.c_str()));
  EXPECT_FALSE(saveVariableFile(sVariable.c_str(), eVAR_A));
  EXPECT_EQ(EDOM, errno);
  EXPECT_FALSE(std::filesystem::exists(sVariable));

  ClCallback::clearEverything_cb(nullptr, nullptr);
  ASSERT_TRUE(loadInFile(sHistory.c_str(), eLOAD_OPEN));
  EXPECT_EQ(0, variable(eVAR_A).rows());
  EXPECT_TRUE(isSame(scalar(2), variable(eVAR_B)));
  EXPECT_TRUE(m_Seam.m_asBoxes.empty());
}

// 15 digits rounded the largest values up to 1.79769313486232e+308, past the
// largest double: the reader refused the entry, and the variables after it
// were lost with "File read error".
TEST_F(ClFilesTest, LargestValuesSurviveTheirOwnSave) {
  const double dLargest = std::numeric_limits<double>::max();
  variable(eVAR_A) = ClMatrix(1, 4);
  variable(eVAR_A) << dLargest, -dLargest, ClComplex(1, dLargest), 1.79769313486231e308;
  enter("B=2");
  const ClMatrix mA = variable(eVAR_A);
  const std::string sHistory = path("h.orv"), sVariable = path("a.orv");
  ASSERT_TRUE(saveInFile(sHistory.c_str()));
  ASSERT_TRUE(saveVariableFile(sVariable.c_str(), eVAR_A));

  ClCallback::clearEverything_cb(nullptr, nullptr);
  ASSERT_TRUE(loadInFile(sHistory.c_str(), eLOAD_OPEN));
  EXPECT_TRUE(isSame(mA, variable(eVAR_A)));
  EXPECT_TRUE(isSame(scalar(2), variable(eVAR_B)));
  ClCallback::clearEverything_cb(nullptr, nullptr);
  ASSERT_TRUE(loadInFile(sVariable.c_str(), eLOAD_OPEN));
  EXPECT_TRUE(isSame(mA, variable(eVAR_A)));
  EXPECT_TRUE(m_Seam.m_asBoxes.empty());
}

TEST_F(ClFilesTest, OpenReplacesTheHistoryAppendKeepsItsLast924Lines) {
  for (int k = 0; k < 100; ++k) store({std::to_string(k)});
  const std::string sName = path("hundred.orv");
  ASSERT_TRUE(saveInFile(sName.c_str()));
  ClCallback::clearAll_cb(nullptr, nullptr);
  for (int k = 1000; k < 2000; ++k) store({std::to_string(k)});

  ASSERT_TRUE(loadInFile(sName.c_str(), eLOAD_APPEND));
  ASSERT_EQ(1024, g_uiHistory_Next);
  EXPECT_EQ("1076", historyLine(0));
  EXPECT_EQ("1999", historyLine(923));
  EXPECT_EQ("0", historyLine(924));
  EXPECT_EQ("99", historyLine(1023));

  ASSERT_TRUE(loadInFile(sName.c_str(), eLOAD_OPEN));
  ASSERT_EQ(100, g_uiHistory_Next);
  EXPECT_EQ("0", historyLine(0));
  // The loaded lines are stored, not run.
  EXPECT_EQ("", output());
  EXPECT_TRUE(m_Seam.isOn(eSWITCH_EXECUTE));
}

TEST_F(ClFilesTest, TheTypedLineIsEnteredAndRunBeforeTheLoad) {
  store({"u=1"});
  const std::string sName = path("one.orv");
  ASSERT_TRUE(saveInFile(sName.c_str()));
  typeKeys("v=2");
  ASSERT_TRUE(loadInFile(sName.c_str(), eLOAD_APPEND));
  EXPECT_EQ((std::vector<std::string>{"u=1", "v=2", "u=1"}), history());
  EXPECT_EQ("Out>v = 2 :\n2", output());
  EXPECT_EQ(0, variable(eVAR_u).rows());
}

TEST_F(ClFilesTest, HistoryFillsOnlyEmptyVariablesAVariableFileReplaces) {
  enter("A=[1,2]");
  enter("B=3");
  const std::string sHistory = path("h.orv"), sVariable = path("b.orv");
  ASSERT_TRUE(saveInFile(sHistory.c_str()));
  ASSERT_TRUE(saveVariableFile(sVariable.c_str(), eVAR_B));
  variable(eVAR_A).resize(0, 0);
  enter("B=9");

  ASSERT_TRUE(loadInFile(sHistory.c_str(), eLOAD_OPEN));
  EXPECT_TRUE(isSame(scalar(9), variable(eVAR_B)));
  ASSERT_EQ(2, variable(eVAR_A).cols());
  EXPECT_EQ(ClComplex(2.0), variable(eVAR_A)(0, 1));

  ASSERT_TRUE(loadInFile(sVariable.c_str(), eLOAD_APPEND));
  EXPECT_TRUE(isSame(scalar(3), variable(eVAR_B)));
}

TEST_F(ClFilesTest, ScriptMessagesAreShownNotStored) {
  const std::string sName = path("script.orv");
  writeEncoded(sName, fixture("files_script_with_message.txt"));
  ASSERT_TRUE(loadInFile(sName.c_str(), eLOAD_OPEN));
  EXPECT_EQ((std::vector<std::string>{"A=2", "B=3"}), history());
  EXPECT_EQ("\"Hilbert matrix test\"\n\"Done\"", output());

  // One Window: the input pane shows the messages too.
  g_eWindow_Mode = 1;
  ASSERT_TRUE(loadInFile(sName.c_str(), eLOAD_OPEN));
  EXPECT_EQ("\nIn>A = 2\nIn>\n\nOut>\"Hilbert matrix test\"\n\n\nOut>\"Done\"\nB = 3\nIn>_",
            m_Seam.input().text().substr(8));
}

TEST_F(ClFilesTest, CallbacksReportEveryFailure) {
  writeEncoded(path("kind3.orv"), fixture("files_kind_three.txt"));
  struct ClCase {
    void (*pCallback)(Fl_Widget*, void*);
    int iData;
    const char* acChosen;  // null: the chooser fails (if it is shown)
    const char* acTitle;
    std::string sBox;
  } aCases[] = {
      {ClCallback::saveVariable_cb, eVAR_B, nullptr, nullptr,
       "alert: Nothing to save: Variable B is undefined.\n"},
      {ClCallback::saveIn_cb, 0, "x.txt", "Save ORVEL Input File",
       "alert: ORVEL Calculator file name must have .orv extension."},
      {ClCallback::open_cb, 0, "x.orv.txt", "Open ORVEL Data File",
       "alert: ORVEL Calculator Input/Matrix file must have .orv extension."},
      {ClCallback::saveIn_cb, 0, nullptr, "Save ORVEL Input File", "alert: Error saving file."},
      {ClCallback::appendHistory_cb, 0, nullptr, "Append ORVEL History File",
       "alert: Error opening file ''"},
      {ClCallback::saveIn_cb, 0, "/no-such-dir/x.orv", "Save ORVEL Input File",
       "alert: Error saving file '/no-such-dir/x.orv':\nNo such file or directory."},
      {ClCallback::appendHistory_cb, 0, "/no-such-dir/x.orv", "Append ORVEL History File",
       "message: File could not be opened"},
      {ClCallback::open_cb, 0, "KIND3", "Open ORVEL Data File",
       "alert: 'KIND3' is not a valid ORVEL file."},
      {ClCallback::saveOut_cb, 0, "out.orv", "Save ORVEL Output File",
       "alert: Only ORVEL Calculator Input/Matrix files should have .orv extension."},
      {ClCallback::saveOut_cb, 0, "/no-such-dir/out.txt", "Save ORVEL Output File",
       "alert: Error opening '/no-such-dir/out.txt'."},
  };
  for (ClCase& Case : aCases) {
    std::string sChosen = Case.acChosen ? Case.acChosen : "";
    if (sChosen == "KIND3") sChosen = path("kind3.orv");
    std::string sBox = Case.sBox;
    if (sBox.find("KIND3") != std::string::npos) sBox.replace(sBox.find("KIND3"), 5, sChosen);
    m_Seam.m_asTitles.clear();
    m_Seam.m_asBoxes.clear();
    m_Seam.m_bChooser_Fails = Case.acChosen == nullptr;
    if (Case.acChosen) m_Seam.queueFileName(sChosen);
    Case.pCallback(nullptr, &Case.iData);
    EXPECT_EQ(std::vector<std::string>{sBox}, m_Seam.m_asBoxes) << sChosen;
    const std::vector<std::string> asTitles =
        Case.acTitle ? std::vector<std::string>{Case.acTitle} : std::vector<std::string>{};
    EXPECT_EQ(asTitles, m_Seam.m_asTitles) << sChosen;
  }
}

TEST_F(ClFilesTest, MalformedFilesChangeNothingAndNeverCrash) {
  std::mt19937 Random(4);
  std::string sGarbage(4096, '\0');
  for (char& c : sGarbage) c = static_cast<char>(Random());
  writeBytes(path("garbage.orv"), sGarbage);
  writeBytes(path("empty.orv"), "");
  const std::string sInvalid = "alert: '%' is not a valid ORVEL file.";
  struct ClCase {
    const char* acFixture;  // encoded from tests/data, or already in place
    std::string sBox;       // % stands for the file name
  } aCases[] = {
      {"files_bad_signature.txt", sInvalid},
      {"files_kind_three.txt", sInvalid},
      {"files_long_first_word.txt", sInvalid},
      {"files_long_line.txt", sInvalid},
      {"garbage.orv", sInvalid},
      {"empty.orv", sInvalid},
      {"files_short_variable.txt", ""},
      {"files_nan_entry.txt", ""},
      {"files_overflow_entry.txt", ""},
      {"files_huge_size.txt", ""},
      {"files_too_many_entries.txt", ""},
      {"files_negative_size.txt", ""},
      {"files_unclosed_message.txt", ""},
      {"files_short_history_variable.txt", "message: File read error"},
  };
  enter("B=[5,6]");
  const ClMatrix mB = variable(eVAR_B);
  const std::vector<std::string> asHistory = history();
  for (const ClCase& Case : aCases) {
    const std::string sFixture = Case.acFixture;
    const std::string sName = path(sFixture.substr(0, sFixture.find('.')) + ".orv");
    if (sFixture.find(".txt") != std::string::npos) writeEncoded(sName, fixture(Case.acFixture));
    m_Seam.m_asBoxes.clear();
    EXPECT_FALSE(loadInFile(sName.c_str(), eLOAD_APPEND)) << sFixture;
    std::vector<std::string> asBoxes;
    if (!Case.sBox.empty()) {
      std::string sBox = Case.sBox;
      if (sBox.find('%') != std::string::npos) sBox.replace(sBox.find('%'), 1, sName);
      asBoxes.push_back(sBox);
    }
    EXPECT_EQ(asBoxes, m_Seam.m_asBoxes) << sFixture;
    EXPECT_TRUE(isSame(mB, variable(eVAR_B))) << sFixture;
    EXPECT_EQ(asHistory, history()) << sFixture;
  }
}

// A failed save must not destroy the previous file: the writes run into a
// file size limit halfway.
TEST_F(ClFilesTest, SaveFailingHalfwayKeepsThePreviousFile) {
  enter("B=[1,2]");
  const std::string sData = path("b.orv"), sText = path("out.txt");
  ASSERT_TRUE(saveVariableFile(sData.c_str(), eVAR_B));
  m_Seam.queueFileName(sText);
  ClCallback::saveOut_cb(nullptr, nullptr);
  const std::string sOld_Data = readBytes(sData), sOld_Text = readBytes(sText);
  variable(eVAR_B) = sampleMatrix(512, 512);
  m_Seam.output().insert(std::string(1 << 17, 'x').c_str());

  rlimit Old;
  getrlimit(RLIMIT_FSIZE, &Old);
  rlimit Small = Old;
  Small.rlim_cur = 1 << 16;
  const sighandler_t pOld_Handler = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &Small);
  const bool bSaved = saveVariableFile(sData.c_str(), eVAR_B);
  const int iError = errno;
  m_Seam.queueFileName(sText);
  ClCallback::saveOut_cb(nullptr, nullptr);
  setrlimit(RLIMIT_FSIZE, &Old);
  signal(SIGXFSZ, pOld_Handler);

  EXPECT_FALSE(bSaved);
  EXPECT_EQ(EFBIG, iError);
  EXPECT_EQ(
      std::vector<std::string>{"alert: Error writing to file '" + sText + "':\nFile too large."},
      m_Seam.m_asBoxes);
  EXPECT_EQ(sOld_Data, readBytes(sData));
  EXPECT_EQ(sOld_Text, readBytes(sText));
  EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(m_sDirectory),
                             std::filesystem::directory_iterator()));
}

TEST_F(ClFilesTest, SaveOutputWritesThePaneTextAndLeavesThePane) {
  enter("1+1");
  const std::string sPane = m_Seam.output().text();
  for (const char* acName : {"out.txt", "out", "out.txt"}) {
    m_Seam.queueFileName(path(acName));
    ClCallback::saveOut_cb(nullptr, nullptr);
    EXPECT_EQ("Out>1 + 1 :\n2", readBytes(path(acName))) << acName;
  }
  EXPECT_EQ(sPane, m_Seam.output().text());
  EXPECT_TRUE(m_Seam.m_asBoxes.empty());
}

}  // namespace
