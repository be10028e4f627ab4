// SPDX-License-Identifier: GPL-3.0-or-later
// The guide's paste examples stay true: each copied text, pasted into an
// empty input line, gives the line the guide shows.
//
// An example is marked in the HTML as
//   <!-- paste: NAME -->
//   <P>... <TT>the copied text, lines split by <BR></TT> ... <TT>the line</TT></P>
//   <!-- end paste -->
#include <string>
#include <vector>

#include "command/clipboard.h"
#include "tests/support/command_driver.h"
#include "tests/support/html_text.h"

namespace {

struct ClPasteExample {
  std::string sName, sCopied, sLine;
};

std::string guideText() {
  return readFile(std::string(std::getenv("ORVEL_TEST_DATA")) + "/../../docs/guide.html");
}

// The text a TT shows: <BR> breaks the line, the entities are characters.
std::string shown(std::string s) {
  s = replaceAll(s, "<BR>\n", "\n");
  return unescapeHtml(replaceAll(s, "<BR>", "\n"));
}

// The text of the next <TT>...</TT> from iAt on; iAt moves past it.
std::string nextTt(const std::string& sHtml, size_t& iAt) {
  const size_t iOpen = sHtml.find("<TT>", iAt);
  const size_t iClose = sHtml.find("</TT>", iOpen);
  if (iOpen == std::string::npos || iClose == std::string::npos) {
    iAt = std::string::npos;
    return "";
  }
  iAt = iClose + 5;
  return shown(sHtml.substr(iOpen + 4, iClose - iOpen - 4));
}

std::vector<ClPasteExample> pasteExamples() {
  const std::string sHtml = guideText();
  std::vector<ClPasteExample> aExamples;
  for (size_t i = sHtml.find("<!-- paste: "); i != std::string::npos;
       i = sHtml.find("<!-- paste: ", i)) {
    const size_t iName = i + 12;
    ClPasteExample example;
    example.sName = sHtml.substr(iName, sHtml.find(' ', iName) - iName);
    i = sHtml.find("-->", iName);
    const size_t iEnd = sHtml.find("<!-- end paste -->", i);
    const std::string sBody = sHtml.substr(i, iEnd - i);
    size_t iAt = 0;
    example.sCopied = nextTt(sBody, iAt);
    example.sLine = nextTt(sBody, iAt);
    aExamples.push_back(example);
  }
  return aExamples;
}

std::string shownLine() {
  char acText[8192];
  g_Current_State.inputToChar(acText, 0, g_Current_State.m_uiLength);
  return acText;
}

class GuidePasteTest : public ClCommandTest {};

TEST_F(GuidePasteTest, EveryPasteExampleGivesTheLineTheGuideShows) {
  const std::vector<ClPasteExample> aExamples = pasteExamples();
  ASSERT_FALSE(aExamples.empty());
  for (const ClPasteExample& example : aExamples) {
    SCOPED_TRACE(example.sName);
    ClCallback::cleanUp(true);
    pasteText(example.sCopied);
    EXPECT_TRUE(m_Seam.messages().empty()) << m_Seam.messages().back();
    EXPECT_EQ(shownLine(), example.sLine);
  }
}

}  // namespace
