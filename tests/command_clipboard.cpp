// SPDX-License-Identifier: GPL-3.0-or-later
// Paste and copy through the in-memory seam's clipboard: Edit > Paste into
// the line at the cursor (all or nothing, with the typing checks), into the
// matrix editor's table, Copy Result As, the table's copy, and the round trip
// of results through every form.
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "command/clipboard.h"
#include "tests/support/command_driver.h"

namespace {

class ClipboardTest : public ClCommandTest {
 protected:
  // Edit > Paste with sText on the clipboard; the message boxes it showed.
  std::vector<std::string> paste(const std::string& sText) {
    const size_t uiBefore = m_Seam.messages().size();
    m_Seam.copyText(sText);
    ClCallback::paste_cb(nullptr, nullptr);
    return {m_Seam.messages().begin() + static_cast<long>(uiBefore), m_Seam.messages().end()};
  }
  // Edit > Copy Result As in a form; the clipboard's text.
  std::string copy(eRESULT_FORM eForm) {
    int32_t iForm = eForm;
    ClCallback::copyResult_cb(nullptr, &iForm);
    return m_Seam.clipboard();
  }
  static void moveLeft(int iTimes) {
    for (int k = 0; k < iTimes; ++k) press(eLEFT);
  }
};

TEST_F(ClipboardTest, PastesAtTheCursorInTheMiddleOfTheLine) {
  struct {
    const char* acKeys;
    int iLeft;  // cursor moves before the paste
    const char* acText;
    const char* acLine;
    const char* acShown;
  } const aCases[] = {
      // a matrix, in the calculator's own output rows
      {"I)", 1, "1, 2 ;\n3, 4", "I([1,2;3,4])", "\nIn>Inv ([1, 2; 3, 4]_)"},
      // a number alone
      {"2*()", 1, "-2/3\n", "2*(-2/3)", "\nIn>2 * ( - 2 / 3_)"},
      // key characters: blanks skipped, the line end dropped
      {"A+B", 2, " * 2 \r\n", "A*2+B", "\nIn>A * 2_ + B"},
  };
  for (const auto& c : aCases) {
    SetUp();
    typeKeys(c.acKeys);
    moveLeft(c.iLeft);
    EXPECT_EQ(paste(c.acText), std::vector<std::string>()) << c.acText;
    EXPECT_EQ(currentLine(), c.acLine) << c.acText;
    EXPECT_EQ(input(), c.acShown) << c.acText;
  }
}

TEST_F(ClipboardTest, KeyTextIsTypedThroughTheKeysChecksAndSettings) {
  struct {
    const char* acText;
    bool bAuto_Parens, bError_Check;
    const char* acLine;  // empty: refused
  } const aCases[] = {
      {"s1+2", true, true, "s(1+2"},
      {"s1+2", false, true, "s1+2"},
      {"A*B\n", true, true, "A*B"},
      // the operator check follows "Error Check"; the number-key rules do not
      {"*2", true, true, ""},
      {"*2", true, false, "*2"},
      {"1..2", true, false, ""},
      {"A2", true, false, ""},
  };
  for (const auto& c : aCases) {
    SetUp();
    m_Seam.setOn(eSWITCH_AUTO_PARENS, c.bAuto_Parens);
    m_Seam.setOn(eSWITCH_ERROR_CHECK, c.bError_Check);
    EXPECT_EQ(paste(c.acText).size(), *c.acLine == '\0' ? 1u : 0u) << c.acText;
    EXPECT_EQ(currentLine(), c.acLine) << c.acText;
  }
}

TEST_F(ClipboardTest, RefusedTextLeavesTheLineAsItWasAndSaysWhy) {
  struct {
    const char* acKeys;
    const char* acText;
    const char* acMessage;
  } const aCases[] = {
      {"3", "1 2", "Pasted text refused: \"[\" (key 1 of 5) cannot follow \"3\"."},
      {"", "*2", "Pasted text refused: \"*\" (key 1 of 2) cannot start the line."},
      {"1+", "2**3", "Pasted text refused: \"*\" (key 3 of 4) cannot follow \"*\"."},
      {"A", "=2-I*", "Pasted text refused: \"*\" (key 5 of 5) cannot follow \"(\"."},
      {"A", "", "Clipboard text is empty."},
      {"A", "1 2\n3", "Clipboard text is not a matrix: row 2 has 1 entry, row 1 has 2."},
  };
  for (const auto& c : aCases) {
    SetUp();
    typeKeys(c.acKeys);
    const std::string sShown = input();
    EXPECT_EQ(paste(c.acText), std::vector<std::string>{c.acMessage});
    EXPECT_EQ(currentLine(), c.acKeys) << c.acText;
    EXPECT_EQ(input(), sShown) << c.acText;
  }
  // the refused `=` above is forgotten: the key is taken
  press(eASSIGN);
  EXPECT_EQ(currentLine(), "A=");
}

TEST_F(ClipboardTest, TextThatDoesNotFitTheLineIsRefused) {
  struct {
    int iLength;  // odd: the line before, "1+1+...1"
    const char* acText;
    bool bAuto_Parens;
    const char* acTyped;    // what the line gains
    const char* acMessage;  // empty: typed
  } const aCases[] = {
      {479, "+2+3", true, "+2+3", ""},
      {507, "+2+3", true, "", "Pasted text needs 4 characters; the line has room for 3."},
      {505, "+s1", true, "+s(1", ""},
      {507, "+s1", true, "", "Pasted text needs 4 characters; the line has room for 3."},
      {507, "+s1", false, "+s1", ""},
      {509, "+2", true, "", "Pasted text needs 2 characters; the line has room for 1."},
  };
  for (const auto& c : aCases) {
    SetUp();
    m_Seam.setOn(eSWITCH_AUTO_PARENS, c.bAuto_Parens);
    std::string sLine;
    while (sLine.size() < static_cast<size_t>(c.iLength)) sLine += sLine.empty() ? "1" : "+1";
    setCurrentLine(sLine.data(), static_cast<uint16_t>(sLine.size()));
    const std::vector<std::string> asMessages = paste(c.acText);
    EXPECT_EQ(currentLine(), sLine + c.acTyped) << c.iLength << c.acText;
    if (*c.acMessage == '\0') {
      EXPECT_EQ(asMessages, std::vector<std::string>()) << c.iLength << c.acText;
    } else {
      EXPECT_EQ(asMessages, std::vector<std::string>{c.acMessage}) << c.iLength << c.acText;
    }
  }
  SetUp();
  std::string sLong;
  while (sLong.size() < 600) sLong += "A+";
  EXPECT_EQ(paste(sLong), std::vector<std::string>{
                              "Pasted text needs 600 characters; the line has room for 510."});
  EXPECT_EQ(currentLine(), "");
}

}  // namespace
