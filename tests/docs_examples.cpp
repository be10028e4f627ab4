// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in documents stay true to the program: every marked example is
// typed into orvel-batch and must print what the document shows; the
// documents use only the tags the viewer is given and their links land.
//
// An example is marked in the HTML as
//   <!-- example: NAME [orvel-batch options] -->
//   <P>... <TT>keys of line 1</TT> ... <TT>keys of line 2</TT> ...</P>
//   ... the output pane's text, lines split by <BR> ...
//   <!-- end example -->
// Each TT of the first paragraph is one line of keys, typed as in keys mode
// and ended with Enter. "continues PREVIOUS" among the options makes the
// example go on from the session of an earlier one: its keys are typed
// first and their output is not compared again.
//
// Typed along, the examples of each chapter (each H2) go in document order
// into one run, as a reader types them, and each must still print what is
// shown. A marker
//   <!-- clean -->
// where the text tells the reader to start clean (Edit > History > Clear
// All, and which settings to choose) starts a new run; within a run every
// example has the same options.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/html_text.h"

namespace {

const std::string gc_sSOURCE = ORVEL_SOURCE_DIR;
const std::string gc_sBATCH = ORVEL_BATCH;
const std::string gc_sPLOT_CLOSED = "Plot window is not open";

struct ClExample {
  std::string sDocument, sName, sOptions, sKeys, sExpected, sContinues;
  size_t iStart = 0, iEnd = 0;  // the markers' places in the document
};

// The text between sOpen and sClose from iFrom on, and the position after
// sClose; npos when either is missing.
std::pair<std::string, size_t> between(const std::string& s, const std::string& sOpen,
                                       const std::string& sClose, size_t iFrom) {
  const size_t iOpen = s.find(sOpen, iFrom);
  if (iOpen == std::string::npos) return {"", std::string::npos};
  const size_t iStart = iOpen + sOpen.size();
  const size_t iClose = s.find(sClose, iStart);
  if (iClose == std::string::npos) return {"", std::string::npos};
  return {s.substr(iStart, iClose - iStart), iClose + sClose.size()};
}

// Every tag as written, without its angle brackets.
std::vector<std::string> tagsOf(const std::string& sHtml) {
  std::vector<std::string> asTags;
  for (size_t i = 0;;) {
    auto [sTag, iNext] = between(sHtml, "<", ">", i);
    if (iNext == std::string::npos) return asTags;
    asTags.push_back(sTag);
    i = iNext;
  }
}

// The text a block of HTML shows: source line breaks vanish, BR breaks,
// blanks in a row show as one (&nbsp; keeps a blank).
std::string shownText(const std::string& sHtml) {
  std::string sText;
  for (size_t i = 0; i < sHtml.size(); ++i) {
    if (sHtml[i] == '\n') continue;
    if (sHtml[i] == ' ' && !sText.empty() && sText.back() == ' ') continue;
    if (sHtml[i] != '<') {
      sText += sHtml[i];
      continue;
    }
    const size_t iEnd = sHtml.find('>', i);
    if (sHtml.compare(i, 4, "<BR>") == 0) sText += '\n';
    i = iEnd == std::string::npos ? sHtml.size() : iEnd;
  }
  return unescapeHtml(sText);
}

std::string trimmed(const std::string& s) {
  const size_t iFirst = s.find_first_not_of(" \n");
  if (iFirst == std::string::npos) return "";
  return s.substr(iFirst, s.find_last_not_of(" \n") - iFirst + 1);
}

ClExample exampleOf(const std::string& sDocument, const std::string& sHead,
                    const std::string& sBody) {
  const size_t iBlank = sHead.find(' ');
  ClExample example;
  example.sDocument = sDocument;
  example.sName = trimmed(sHead.substr(0, iBlank));
  std::istringstream options(iBlank == std::string::npos ? "" : sHead.substr(iBlank));
  for (std::string sWord; options >> sWord;) {
    if (sWord == "continues")
      options >> example.sContinues;
    else
      example.sOptions += sWord + " ";
  }
  auto [sKeys, iAfter] = between(sBody, "<P>", "</P>", 0);
  if (iAfter == std::string::npos) return example;
  for (size_t i = 0;;) {
    auto [sLine, iNext] = between(sKeys, "<TT>", "</TT>", i);
    if (iNext == std::string::npos) break;
    example.sKeys += unescapeHtml(sLine) + "\n";
    i = iNext;
  }
  example.sExpected = trimmed(shownText(sBody.substr(iAfter)));
  return example;
}

std::string documentText(const std::string& sDocument) {
  return readFile(gc_sSOURCE + "/docs/" + sDocument);
}

std::vector<ClExample> examplesIn(const std::string& sDocument, const std::string& sHtml) {
  static const std::string gc_sHEAD = "<!-- example: ";
  std::vector<ClExample> aExamples;
  for (size_t i = 0;;) {
    auto [sHead, iHead_End] = between(sHtml, gc_sHEAD, "-->", i);
    if (iHead_End == std::string::npos) return aExamples;
    auto [sBody, iNext] = between(sHtml, "", "<!-- end example -->", iHead_End);
    EXPECT_NE(iNext, std::string::npos) << "example " << sHead << " never ends";
    if (iNext == std::string::npos) return aExamples;
    aExamples.push_back(exampleOf(sDocument, sHead, sBody));
    aExamples.back().iStart = sHtml.find(gc_sHEAD, i);
    aExamples.back().iEnd = iNext;
    i = iNext;
  }
}

std::vector<ClExample> examplesOf(const std::string& sDocument) {
  return examplesIn(sDocument, documentText(sDocument));
}

// Every place where sText occurs in sHtml.
std::vector<size_t> placesOf(const std::string& sHtml, const std::string& sText) {
  std::vector<size_t> aiPlaces;
  for (size_t i = sHtml.find(sText); i != std::string::npos; i = sHtml.find(sText, i + 1))
    aiPlaces.push_back(i);
  return aiPlaces;
}

const std::string gc_sCLEAN = "<!-- clean -->";

int lineAt(const std::string& sHtml, size_t iPlace) {
  return 1 + static_cast<int>(std::count(sHtml.begin(), sHtml.begin() + iPlace, '\n'));
}

// The text shown around a clean marker, from the end of the example or
// heading before it to the start of the example after it: it must tell the
// reader how to start clean.
std::string textAroundClean(const std::string& sHtml, const std::vector<ClExample>& aExamples,
                            size_t iMarker) {
  size_t iFrom = sHtml.rfind("<H2", iMarker);
  if (iFrom == std::string::npos) iFrom = 0;
  size_t iTo = sHtml.size();
  for (const ClExample& example : aExamples) {
    if (example.iEnd <= iMarker) iFrom = std::max(iFrom, example.iEnd);
    if (example.iStart > iMarker) iTo = std::min(iTo, example.iStart);
  }
  return shownText(sHtml.substr(iFrom, iTo - iFrom));
}

// The examples typed along into one run each, and what keeps them from it.
struct ClSessions {
  std::vector<std::vector<ClExample>> aaRuns;
  std::vector<std::string> asFaults;
};

// A run ends at each H2 and at each clean marker that says how to start
// clean; an example whose options differ from its run's first is a fault,
// and its run is typed along only up to the example before it.
ClSessions sessionsIn(const std::string& sHtml, const std::vector<ClExample>& aExamples) {
  ClSessions sessions;
  std::vector<size_t> aiBreaks = placesOf(sHtml, "<H2");
  for (const size_t iMarker : placesOf(sHtml, gc_sCLEAN)) {
    aiBreaks.push_back(iMarker);
    if (textAroundClean(sHtml, aExamples, iMarker).find("Clear All") == std::string::npos)
      sessions.asFaults.push_back("the clean marker on line " +
                                  std::to_string(lineAt(sHtml, iMarker)) +
                                  " has no words telling the reader to start clean (Clear All)");
  }
  std::sort(aiBreaks.begin(), aiBreaks.end());
  size_t iRun_Break = std::string::npos;  // no run yet
  bool bStopped = false;
  for (const ClExample& example : aExamples) {
    const auto it = std::upper_bound(aiBreaks.begin(), aiBreaks.end(), example.iStart);
    const size_t iBreak = it == aiBreaks.begin() ? 0 : *(it - 1);
    if (sessions.aaRuns.empty() || iBreak != iRun_Break) {
      sessions.aaRuns.emplace_back();
      iRun_Break = iBreak;
      bStopped = false;
    }
    std::vector<ClExample>& aRun = sessions.aaRuns.back();
    if (bStopped) continue;
    if (!aRun.empty() && example.sOptions != aRun.front().sOptions) {
      sessions.asFaults.push_back(example.sName + " runs with options \"" +
                                  trimmed(example.sOptions) + "\" but " + aRun.front().sName +
                                  " before it, in the same run, with \"" +
                                  trimmed(aRun.front().sOptions) +
                                  "\": start clean between them (a clean marker and its words)");
      bStopped = true;
      continue;
    }
    aRun.push_back(example);
  }
  return sessions;
}

// A file of this process's own: ctest runs the help and the guide at the
// same time in one temporary folder.
std::string scratchFile(const std::string& sName) {
  return testing::TempDir() + std::to_string(getpid()) + "_" + sName;
}

std::string run(const std::string& sCommand) {
  std::string sOutput;
  FILE* pPipe = popen(sCommand.c_str(), "r");
  if (!pPipe) return sOutput;
  std::array<char, 4096> acBuffer;
  size_t iRead;
  while ((iRead = fread(acBuffer.data(), 1, acBuffer.size(), pPipe)) > 0)
    sOutput.append(acBuffer.data(), iRead);
  pclose(pPipe);
  return sOutput;
}

bool batchHasGraph() {
  static const bool gc_bGRAPH =
      run(gc_sBATCH + " --help 2>&1").find("--graph") != std::string::npos;
  return gc_bGRAPH;
}

// Until the runner can open the graph, graph options are dropped and a
// refused Plot line (ended by ";") is taken for the silent stored plot.
std::string withoutGraph(const std::string& sOptions) {
  static const std::set<std::string> gc_asWITH_VALUE = {"--graph-line", "--scales", "--corners",
                                                        "--save-graph"};
  std::istringstream in(sOptions);
  std::string sKept, sWord;
  while (in >> sWord) {
    if (sWord == "--graph") continue;
    if (gc_asWITH_VALUE.count(sWord)) {
      in >> sWord;
      continue;
    }
    sKept += sWord + " ";
  }
  return sKept;
}

std::string runKeys(const std::string& sOptions, const std::string& sKeys) {
  // A continued session was run already as the earlier example.
  static std::map<std::string, std::string> s_asRuns;
  const std::string sRun = sOptions + "\n" + sKeys;
  const auto it = s_asRuns.find(sRun);
  if (it != s_asRuns.end()) return it->second;
  const std::string sScript = scratchFile("orvel_example.txt");
  std::ofstream(sScript, std::ios::binary) << sKeys;
  const bool bGraph = batchHasGraph();
  std::string sOutput = run(gc_sBATCH + " --keys " + (bGraph ? sOptions : withoutGraph(sOptions)) +
                            " " + sScript + " 2>&1");
  if (!bGraph) sOutput = replaceAll(sOutput, gc_sPLOT_CLOSED, "");
  return s_asRuns[sRun] = sOutput;
}

// The keys of the earlier examples this one continues, oldest first.
std::string earlierKeys(const ClExample& example, const std::vector<ClExample>& aExamples) {
  if (example.sContinues.empty()) return "";
  for (const ClExample& earlier : aExamples)
    if (earlier.sName == example.sContinues) return earlierKeys(earlier, aExamples) + earlier.sKeys;
  ADD_FAILURE() << example.sName << " continues the unknown example " << example.sContinues;
  return "";
}

// The output of sKeys typed after sEarlier_Keys in one run.
std::string outputAfter(const std::string& sOptions, const std::string& sEarlier_Keys,
                        const std::string& sKeys) {
  const std::string sEarlier = runKeys(sOptions, sEarlier_Keys);
  const std::string sAll = runKeys(sOptions, sEarlier_Keys + sKeys);
  EXPECT_EQ(sAll.compare(0, sEarlier.size(), sEarlier), 0) << "the earlier session ran differently";
  return trimmed(sAll.substr(std::min(sEarlier.size(), sAll.size())));
}

// The output of the example's own keys.
std::string runExample(const ClExample& example, const std::vector<ClExample>& aExamples) {
  return outputAfter(example.sOptions, earlierKeys(example, aExamples), example.sKeys);
}

class DocumentTest : public ::testing::TestWithParam<const char*> {};

TEST_P(DocumentTest, EveryMarkedExamplePrintsWhatTheDocumentShows) {
  const std::vector<ClExample> aExamples = examplesOf(GetParam());
  std::set<std::string> asNames;
  for (const ClExample& example : aExamples) {
    SCOPED_TRACE(example.sDocument + ": " + example.sName);
    EXPECT_TRUE(asNames.insert(example.sName).second) << "name used twice";
    ASSERT_FALSE(example.sKeys.empty()) << "no keys before the output";
    EXPECT_EQ(runExample(example, aExamples), example.sExpected);
  }
}

TEST_P(DocumentTest, ExamplesTypedAlongPrintWhatTheDocumentShows) {
  const std::string sHtml = documentText(GetParam());
  const ClSessions sessions = sessionsIn(sHtml, examplesIn(GetParam(), sHtml));
  for (const std::string& sFault : sessions.asFaults) ADD_FAILURE() << GetParam() << ": " << sFault;
  for (const std::vector<ClExample>& aRun : sessions.aaRuns) {
    std::string sKeys;
    for (const ClExample& example : aRun) {
      SCOPED_TRACE(example.sDocument + ": " + example.sName + ", typed along after " +
                   aRun.front().sName);
      EXPECT_EQ(outputAfter(example.sOptions, sKeys, example.sKeys), example.sExpected);
      sKeys += example.sKeys;
    }
  }
}

// Each graph example's plots are stored and drawn: exported as a picture,
// once the runner can open the graph and a display is there to draw on.
TEST_P(DocumentTest, GraphExamplesExportTheirPictures) {
  if (!batchHasGraph() || !std::getenv("DISPLAY"))
    GTEST_SKIP() << "orvel-batch without --graph, or no display";
  const std::vector<ClExample> aExamples = examplesOf(GetParam());
  const std::string sScript = scratchFile("orvel_graph_example.txt");
  const std::string sPicture = scratchFile("orvel_graph_example.ppm");
  static const std::string gc_sPPM_HEADER = "P6\n600\n400\n255\n";
  for (const ClExample& example : aExamples) {
    if (example.sOptions.find("--graph") == std::string::npos) continue;
    SCOPED_TRACE(example.sDocument + ": " + example.sName);
    std::remove(sPicture.c_str());
    std::ofstream(sScript, std::ios::binary) << earlierKeys(example, aExamples) + example.sKeys;
    // what the runner printed tells why a picture is missing
    const std::string sPrinted = run(gc_sBATCH + " --keys " + example.sOptions + " --save-graph " +
                                     sPicture + " " + sScript + " 2>&1");
    const std::string sImage = readFile(sPicture);
    EXPECT_EQ(sImage.compare(0, gc_sPPM_HEADER.size(), gc_sPPM_HEADER), 0) << sPrinted;
    EXPECT_EQ(sImage.size(), gc_sPPM_HEADER.size() + 600 * 400 * 3);
  }
}

TEST_P(DocumentTest, UsesOnlyTheViewersTagsAndEveryLinkLands) {
  const std::string sHtml = readFile(gc_sSOURCE + "/docs/" + GetParam());
  static const std::set<std::string> gc_asTAGS = {"HTML", "HEAD", "TITLE", "BODY",   "H2", "H3",
                                                  "P",    "BR",   "UL",    "OL",     "LI", "A",
                                                  "B",    "I",    "EM",    "STRONG", "TT"};
  std::set<std::string> asAnchors, asLinks;
  for (const std::string& sTag : tagsOf(sHtml)) {
    if (sTag.compare(0, 3, "!--") == 0) continue;
    const size_t iStart = sTag[0] == '/' ? 1 : 0;
    const std::string sName = sTag.substr(iStart, sTag.find(' ') - iStart);
    EXPECT_TRUE(gc_asTAGS.count(sName)) << "tag <" << sTag << ">";
    if (sTag.compare(0, 8, "A NAME=\"") == 0) asAnchors.insert(sTag.substr(8, sTag.size() - 9));
    if (sTag.compare(0, 8, "A HREF=\"") == 0) asLinks.insert(sTag.substr(8, sTag.size() - 9));
  }
  EXPECT_FALSE(asLinks.empty()) << "no contents list";
  for (const std::string& sLink : asLinks) {
    ASSERT_EQ(sLink[0], '#') << "the viewer follows links inside the document only: " << sLink;
    EXPECT_TRUE(asAnchors.count(sLink.substr(1))) << "no anchor for " << sLink;
  }
}

// The viewer shows SUP and SUB text on the line: x<SUP>2</SUP> reads x2.
TEST_P(DocumentTest, WritesNoSuperscriptOrSubscript) {
  const std::string sHtml = documentText(GetParam());
  for (const std::string sTag : {"<SUP>", "<SUB>", "<sup>", "<sub>"})
    for (const size_t iPlace : placesOf(sHtml, sTag))
      ADD_FAILURE() << GetParam() << " line " << lineAt(sHtml, iPlace) << ": " << sTag
                    << " (write x^2, A^-1, x_k or words)";
}

// A Keys paragraph holds one key line per line, ended by BR: a reader
// types exactly what one line shows.
TEST_P(DocumentTest, KeysParagraphsHoldOneKeyLinePerLine) {
  const std::string sHtml = documentText(GetParam());
  for (size_t i = 0;;) {
    auto [sParagraph, iNext] = between(sHtml, "<P>", "</P>", i);
    if (iNext == std::string::npos) return;
    i = iNext;
    if (trimmed(shownText(sParagraph)).compare(0, 4, "Keys") != 0) continue;
    std::istringstream lines(replaceAll(sParagraph, "<BR>", "\f"));
    for (std::string sLine; std::getline(lines, sLine, '\f');)
      EXPECT_LE(placesOf(sLine, "<TT>").size(), 1u)
          << GetParam() << " line " << lineAt(sHtml, iNext) << ": " << trimmed(sLine);
  }
}

INSTANTIATE_TEST_SUITE_P(Documents, DocumentTest, ::testing::Values("help.html", "guide.html"));

// The type-along's own rules on a small document.
TEST(TypeAlongTest, RunsEndAtChaptersAndCleanStepsAndKeepTheirOptions) {
  const std::string sExample =
      "<P>Keys:<BR>\n<TT>1</TT></P>\n<P><TT>Out&gt;1 :<BR>\n1</TT></P>\n"
      "<!-- end example -->\n";
  const std::string sHtml =
      "<H2>One</H2>\n<!-- example: a -->\n" + sExample + "<!-- example: b -->\n" + sExample +
      "<H2>Two</H2>\n<!-- example: c -->\n" + sExample + "<P>Start clean: Clear All.</P>" +
      gc_sCLEAN + "\n<!-- example: d --format rational -->\n" + sExample + "<P>Go on.</P>" +
      gc_sCLEAN + "\n<!-- example: e --format rational -->\n" + sExample + "<!-- example: f -->\n" +
      sExample + "<!-- example: g --format rational -->\n" + sExample;
  const ClSessions sessions = sessionsIn(sHtml, examplesIn("test.html", sHtml));
  std::vector<std::vector<std::string>> aasNames;
  for (const std::vector<ClExample>& aRun : sessions.aaRuns) {
    aasNames.emplace_back();
    for (const ClExample& example : aRun) aasNames.back().push_back(example.sName);
  }
  // e's run stops before f, whose options differ; g is not typed along
  const std::vector<std::vector<std::string>> aasRUNS = {{"a", "b"}, {"c"}, {"d"}, {"e"}};
  EXPECT_EQ(aasNames, aasRUNS);
  ASSERT_EQ(sessions.asFaults.size(), 2u);
  EXPECT_NE(sessions.asFaults[0].find("line 28 has no words"), std::string::npos)
      << sessions.asFaults[0];
  EXPECT_EQ(sessions.asFaults[1].find("f runs with options \"\" but e"), 0u)
      << sessions.asFaults[1];
}

}  // namespace
