// SPDX-License-Identifier: GPL-3.0-or-later
// Robustness: seeded random key presses, token lines and data files through
// the real entry points. Only what must always hold is checked; the
// sanitizers of the test build catch every other fault.
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "files/codec.h"
#include "files/data_file.h"
#include "tests/support/command_driver.h"

namespace {

// Bytes outside printable ASCII as \xNN, so that a failing line can be read.
std::string printable(const std::string& sText) {
  std::string sShown;
  for (const unsigned char c : sText) {
    char acHex[8];
    std::snprintf(acHex, sizeof acHex, "\\x%02X", c);
    sShown += c >= 32 && c < 127 ? std::string(1, static_cast<char>(c)) : acHex;
  }
  return sShown;
}

// Bounds every repetition: a random Rpt may nest tens of thousands of passes.
constexpr long gc_lLINE_CHECKS = 3000;

class ClRobustnessTest : public ClCommandTest {
 protected:
  void SetUp() override {
    ClCommandTest::SetUp();
    Set_Code_Arrays();
  }
  void TearDown() override {
    resetCommandState(m_Seam);
    ClCommandTest::TearDown();
  }

  int pick(int iCount) { return static_cast<int>(m_Random() % static_cast<unsigned>(iCount)); }
  bool chance(int iOneIn) { return pick(iOneIn) == 0; }
  char pickFrom(const char* acChoices) { return acChoices[pick(std::strlen(acChoices))]; }

  // What must hold after every key press, line and load. A typed line holds
  // token characters only, as a data file must take it back; a line given
  // to the lexer directly may hold any bytes and grow to 512 characters.
  void expectSane(const std::string& sWhere, bool bTyped = true) {
    SCOPED_TRACE(printable(sWhere));
    const ClState& line = g_Current_State;
    ASSERT_LE(line.m_uiCursor, line.m_uiLength);
    ASSERT_LE(line.m_uiLength, bTyped ? 511 : 512);
    if (bTyped) {
      for (uint16_t k = 0; k < line.m_uiLength; ++k) ASSERT_GT(line.m_acLine[k], 0) << k;
    }
    ASSERT_LE(g_uiHistory_Next, gc_iHISTORY_SIZE);
    ASSERT_LE(g_uiHistory_Index, g_uiHistory_Next);
    ASSERT_LT(g_uiError_Number, gc_iERROR_COUNT);
    ASSERT_LT(std::strlen(g_acOutput_Line), static_cast<size_t>(gc_lOUTPUT_SIZE));
    for (const ClMatrix& mVariable : ClCalculator::mp_mVariable)
      ASSERT_LE(mVariable.size(), gc_lMAX_ENTRIES);
  }

  std::mt19937 m_Random{20240611};
};

// Keys that build expressions: after a value an operator, a closing bracket,
// a separator or Enter; elsewhere a value, a function or an opening bracket.
// One key in ten is any key at all, so every code is pressed.
class ClKeyMaker {
 public:
  explicit ClKeyMaker(std::mt19937& Random) : m_Random(Random) {}

  eTOKEN key() {
    if (pick(10) == 0) return static_cast<eTOKEN>(pick(gc_iTOKEN_COUNT));
    const ClState& line = g_Current_State;
    const eTOKEN eBefore =
        line.m_uiCursor == 0 ? eNULL : tokenOf(line.m_acLine[line.m_uiCursor - 1]);
    if (eBefore == eNULL && pick(3) == 0) return tokenOf(pick("AUBVCuPvQw"));
    if (endsValue(eBefore)) {
      if (pick(5) == 0) return eENTER;
      if (isNumberPart(eBefore) && pick(2) == 0) return tokenOf(pick("0123456789.E"));
      return tokenOf(pick("+-*/^\\{G+-*.))]],,;:=<>`~\b"));
    }
    return tokenOf(pick("0123456789123ipaAUBVCuPvQw((([[-gnNqWdOoXf|YMmIZDH'KreFlLcsStTxyJjhkRz}"));
  }

 private:
  int pick(int iCount) { return static_cast<int>(m_Random() % static_cast<unsigned>(iCount)); }
  char pick(const char* acChoices) { return acChoices[pick(std::strlen(acChoices))]; }

  static bool endsValue(eTOKEN t) {
    return isNumberPart(t) || isVariableToken(t) || t == eI || t == ePI || t == eANS ||
           t == eRPAREN || t == eRBRACKET;
  }

  std::mt19937& m_Random;
};

// Many thousand key presses through the real callbacks; menu switches, the
// output format, the window mode and the graph pane change now and then, the
// history items are used, and small repetitions are typed in.
TEST_F(ClRobustnessTest, RandomKeyPressesKeepTheLineAndHistorySound) {
  ClKeyMaker Maker(m_Random);
  const eSWITCH aeSwitches[] = {eSWITCH_ERROR_CHECK, eSWITCH_AUTO_PARENS, eSWITCH_EXECUTE,
                                eSWITCH_ZERO_OUT};
  for (int iPress = 0; iPress < 100000; ++iPress) {
    if (chance(300)) {
      const eSWITCH eSwitch = aeSwitches[pick(4)];
      m_Seam.setOn(eSwitch, !m_Seam.isOn(eSwitch));
      ClCallback::zeroOut_cb(nullptr, nullptr);
    }
    // lines stored without running are dull: Execute comes back soon
    if (chance(30)) m_Seam.setOn(eSWITCH_EXECUTE, true);
    if (chance(500)) g_eView_State = pick(3);
    // Two Windows and One Window differ only in where results are shown
    if (chance(500)) g_eWindow_Mode = pick(2);
    // the graph pane closed, shown, or open with the text shown: Plot runs
    if (chance(500)) g_eOutput = pick(3);
    // Edit > History: "Insert  Item", "Clear Item", rarely "Clear All"
    if (chance(200)) ClCallback::insert_cb(nullptr, nullptr);
    if (chance(200)) ClCallback::clear_cb(nullptr, nullptr);
    if (chance(20000)) ClCallback::clearEverything_cb(nullptr, nullptr);
    std::vector<eTOKEN> aePresses;
    if (chance(100)) {
      // Rpt(count, first [, last]) with a small count, typed key by key
      aePresses = {eCLEAR, eRPT};
      if (!m_Seam.isOn(eSWITCH_AUTO_PARENS)) aePresses.push_back(eLPAREN);
      for (const char c : {pickFrom("123"), ',', pickFrom("12345")})
        aePresses.push_back(tokenOf(c));
      if (chance(2)) aePresses.insert(aePresses.end(), {eCOMMA, eDIGIT_1});
      aePresses.insert(aePresses.end(), {eRPAREN, chance(2) ? eSEMICOLON : eENTER, eENTER});
    } else {
      aePresses = {Maker.key()};
    }
    for (const eTOKEN eKey : aePresses) {
      m_Seam.stopAfterChecks(gc_lLINE_CHECKS);
      pressToken(eKey);
      ASSERT_NO_FATAL_FAILURE(expectSane("press " + std::to_string(iPress)));
      if (eKey == eENTER) {
        ASSERT_EQ(g_uiError_Number, 0) << "press " << iPress;
      }
    }
  }
}

// The lexer's own codes (numbers, the element-wise operators) have no key; a
// press of one stored a 0 byte, and a data file holding that line was refused.
TEST_F(ClRobustnessTest, CodeWithoutAKeyStoresNothing) {
  typeKeys("1");
  for (const eTOKEN eCode :
       {eBLANK, eREAL_NUMBER, eIMAG_NUMBER, eEL_LEFT_DIV, eEL_RIGHT_DIV, eEL_TIMES}) {
    press(eCode);
    EXPECT_EQ(currentLine(), "1") << eCode;
  }
}

// Random token-character lines: mostly well formed expressions of every kind,
// some cut short, some near the 512 characters of a line, some plain noise.
class ClLineMaker {
 public:
  explicit ClLineMaker(std::mt19937& Random) : m_Random(Random) {}

  std::string line() {
    std::string sLine;
    switch (pick(20)) {
      case 0:
        for (int k = pick(520); k > 0; --k) sLine += static_cast<char>(m_Random());
        return sLine;
      case 1:
        // brackets and values up to the line's length, mostly left open
        while (sLine.size() < 490u + pick(30)) sLine += pick("([([i1E9,;:-");
        return sLine;
      case 2:
      case 3:
        sLine = std::string(1, pick("AUBVCuPvQw")) + "=";
        break;
      case 4:
        sLine = std::string(1, pick("AUBVCuPvQw")) + "(" + value(0) + ")=";
        break;
      default:
        break;
    }
    sLine += expression(1 + pick(4));
    const size_t uiTarget = pick(10) == 0 ? 400u + pick(120) : 0u;
    while (sLine.size() < uiTarget) sLine += binaryOperator() + value(1 + pick(3));
    // a line cut anywhere leaves brackets and operators open
    if (pick(5) == 0) sLine.resize(pick(sLine.size() + 1));
    return sLine;
  }

 private:
  int pick(int iCount) { return static_cast<int>(m_Random() % static_cast<unsigned>(iCount)); }
  char pick(const char* acChoices) { return acChoices[pick(std::strlen(acChoices))]; }
  template <size_t N>
  const char* pick(const char* const (&aacChoices)[N]) {
    return aacChoices[pick(N)];
  }

  std::string number() {
    // clang-format off
    static const char* const aacSpecial[] = {
        "1E300", "1E-300", "9E999", "1E308", "0", ".", "1E", "1E+", "5.5.5", "1E-5", "65536",
        "32768", "-1", "2147483648", "9007199254740993", "1E16"};
    // clang-format on
    if (pick(25) == 0) return pick(aacSpecial);
    std::string sNumber(1, pick("0123456789123"));
    if (pick(5) == 0) sNumber += std::string(".") + pick("0123456789");
    if (pick(10) == 0) sNumber += std::string("E") + pick("-+1") + pick("0123");
    return sNumber;
  }

  std::string binaryOperator() {
    static const char* const aacOperators[] = {"+",  "-",   "*", "/", "\\", "^", ".*",
                                               "./", ".\\", "{", "G", "+",  "-", "*"};
    return pick(aacOperators);
  }

  std::string list(int iDepth) {
    if (pick(4) == 0) return value(0) + ":" + value(0) + (pick(2) ? "," + value(0) : "");
    std::string sList = expression(iDepth);
    for (int k = pick(5); k > 0; --k) sList += pick(",,;") + expression(iDepth);
    return sList;
  }

  std::string value(int iDepth) {
    switch (iDepth <= 0 ? pick(3) : pick(12)) {
      case 0:
        return number();
      case 1:
        return std::string(1, pick("AUBVCuPvQwaipAuvw"));
      case 2:
        return number() + "i";
      case 3:
        return "(" + expression(iDepth - 1) + ")";
      case 4:
        return "[" + list(iDepth - 1) + "]";
      case 5:
      case 6:
        // a prefix operator or decomposition
        return std::string(1, pick("YMmIZDH'KreFlLcbsStT!?#$%&xyJjhkRz}_-")) + value(iDepth - 1);
      case 7:
        // a function with its argument list
        return std::string(1, pick("gnNqW|dOo")) + "(" + list(iDepth - 1) + ")";
      case 8:
        // a reference
        return std::string(1, pick("AUBVCuPvQwa")) + "(" + list(iDepth - 1) + ")";
      case 9: {
        // Matrices stay below 128 KB: the sanitizer gives larger ones a
        // mapping of their own, whose end OpenBLAS's kernels can read past.
        // clang-format off
        static const char* const aacHuge[] = {
            "d(1E300)", "O(600,600)", "[1:1E9]", "[1:1E300,1E-300]", "O(64)", "g([1:500],1E5)",
            "d(-3,-3)", "o(2,1E9,1,1)", "q(1E300,150)", "q(60,30)", "W(9007199254740993,7)",
            "[[1,2;3,4],[5;6];[7,8,9]]", "[[[[1]]]]", "1/0", "0/0", "Ln0", "e1E300", "p^1E300",
            "[1:1E5]{[1:3]", "O(2,1E300)", "A()", "g(A,-1E9)", "k[1:9]", "z[1,0,0,0]"};
        // clang-format on
        return pick(aacHuge);
      }
      default:
        return value(iDepth - 1);
    }
  }

  std::string expression(int iDepth) {
    std::string sExpression = value(iDepth);
    for (int k = pick(3); k > 0; --k) sExpression += binaryOperator() + value(iDepth - 1);
    return sExpression;
  }

  std::mt19937& m_Random;
};

TEST_F(ClRobustnessTest, RandomLinesNeverBreakTheEngine) {
  for (const char* acLine : {"A=[1,2;3,4]", "B=[1+2i,3;4,5-i]", "C=d(3)+1", "P=[1:4]", "Q=[1;2;3]",
                             "U=2", "V=[i,1]", "u=3", "v=-2", "w=1"})
    runLine(acLine);
  ClLineMaker Maker(m_Random);
  for (int iLine = 0; iLine < 6000; ++iLine) {
    if (chance(50)) g_eView_State = pick(3);
    if (chance(50)) g_bZero_Out = !g_bZero_Out;
    const std::string sLine = Maker.line();
    const ClRun Run = runLine(sLine);
    ASSERT_LE(Run.sLine.size(), 512u) << printable(sLine);
    ASSERT_LE(ClCalculator::mp_mParser_Output.size(), gc_lMAX_ENTRIES) << printable(sLine);
    ASSERT_NO_FATAL_FAILURE(expectSane(sLine, false));
  }
}

// A NaN entry made LAPACK refuse the matrix and leave its outputs unset (an
// abort in Debug, garbage values and pivots in Release); an infinite one gave
// NaN results. Every decomposition refuses both as "Invalid numbers".
TEST_F(ClRobustnessTest, NonFiniteMatrixNeverReachesLapack) {
  runLine("A=[1,2;3,4]");
  for (const char* acLine :
       {"A/[0/0,1;1,1]", "[0/0,1;1,1]\\A", "[0/0,1;1,1]G[1;1]", "N(2,[0/0,1;1,1])",
        "|([0/0,1;1,1])", "He[1E300,1;1,1]", "ke[1E300,1;1,1]", "ze[1,1E300]", "Ze[1E300,1;1,1]",
        "De[1E300,1;1,1]", "he[1E300,1;1,1]", "Ie1E300"}) {
    EXPECT_EQ(runLine(acLine).uiError, 12) << acLine;
  }
}

// Data files: a valid saved history file and variable file, mutated byte by
// byte and cut at every length, and plain noise, loaded by Open and by Append.
class ClFileMutator {
 public:
  explicit ClFileMutator(std::mt19937& Random) : m_Random(Random) {}

  std::string noise() {
    std::string sText(pick(600), '\0');
    for (char& c : sText) c = static_cast<char>(m_Random());
    return sText;
  }

  std::string mutate(std::string sText) {
    for (int k = 1 + pick(4); k > 0 && !sText.empty(); --k) {
      const size_t uiAt = pick(sText.size());
      switch (pick(6)) {
        case 0:
          sText[uiAt] = static_cast<char>(m_Random());
          break;
        case 1:
          sText.insert(uiAt, 1, static_cast<char>(m_Random()));
          break;
        case 2:
          sText.erase(uiAt, 1 + pick(8));
          break;
        case 3:
          // a digit becomes a large or negative number
          sText.insert(uiAt, pick(2) ? "99999999999" : "-");
          break;
        case 4:
          sText.insert(uiAt, pick(2) ? " \"" : "nan inf 1e999 ");
          break;
        default:
          sText.resize(uiAt);
          break;
      }
    }
    return sText;
  }

 private:
  size_t pick(size_t uiCount) { return m_Random() % uiCount; }

  std::mt19937& m_Random;
};

TEST_F(ClRobustnessTest, MutatedDataFilesNeverBreakTheLoader) {
  std::string sDirectory =
      (std::filesystem::temp_directory_path() / "orvel-robust-XXXXXX").string();
  ASSERT_NE(mkdtemp(sDirectory.data()), nullptr);
  const std::string sName = sDirectory + "/file.orv";
  auto readPlain = [](const std::string& sPath) {
    std::ifstream File(sPath, std::ios::binary);
    std::string sText((std::istreambuf_iterator<char>(File)), std::istreambuf_iterator<char>());
    DCodeFile(sText.data(), sText.size());
    return sText;
  };
  auto load = [&](std::string sPlain, unsigned short uiMode) {
    CodeFile(sPlain.data(), sPlain.size());
    std::ofstream(sName, std::ios::binary | std::ios::trunc) << sPlain;
    m_Seam.stopAfterChecks(gc_lLINE_CHECKS);
    loadInFile(sName.c_str(), uiMode);
  };

  store({"A=[1,2;3,4]", "B=[1+2i;-3.5E-7]", "u=u+1", "X(2,1);", "ACB"});
  enter("u=7");
  enter("C=d(3)");
  ASSERT_TRUE(saveInFile(sName.c_str()));
  const std::string sHistory = readPlain(sName);
  ASSERT_TRUE(saveVariableFile(sName.c_str(), eVAR_B));
  const std::string sVariable = readPlain(sName);

  for (size_t uiLength = 0; uiLength <= sHistory.size(); ++uiLength) {
    for (const unsigned short uiMode : {eLOAD_OPEN, eLOAD_APPEND}) {
      load(sHistory.substr(0, uiLength), uiMode);
      ASSERT_NO_FATAL_FAILURE(expectSane("cut at " + std::to_string(uiLength)));
    }
  }
  ClFileMutator Mutator(m_Random);
  for (int iFile = 0; iFile < 3000; ++iFile) {
    const std::string sPlain =
        chance(10) ? Mutator.noise() : Mutator.mutate(chance(4) ? sVariable : sHistory);
    g_eWindow_Mode = pick(2);
    load(sPlain, chance(2) ? eLOAD_OPEN : eLOAD_APPEND);
    ASSERT_NO_FATAL_FAILURE(expectSane("file " + std::to_string(iFile) + ": " + sPlain));
    if (chance(20)) {
      // the loaded lines run as a script
      m_Seam.stopAfterChecks(gc_lLINE_CHECKS);
      enter("X(1)");
      ASSERT_NO_FATAL_FAILURE(expectSane("run of file " + std::to_string(iFile)));
    }
  }
  std::filesystem::remove_all(sDirectory);
}

}  // namespace
