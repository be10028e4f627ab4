// SPDX-License-Identifier: GPL-3.0-or-later
// Reading data files: the whole file is read, decoded and parsed from memory
// with whitespace-skipping stream extraction. Every history line enters
// through Enter with "Execute" off, so it is stored and shown, not run.
// Writing is in data_file.cpp.
#include <FL/Fl_Text_Buffer.H>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <istream>
#include <streambuf>

#include "command/callback.h"
#include "command/enter.h"
#include "command/history.h"
#include "command/seam.h"
#include "engine/calculator.h"
#include "files/codec.h"
#include "files/data_file.h"
#include "files/format.h"

// The largest file the writer makes (a variable of 262,144 complex entries)
// is about 13 MB; the bound keeps a huge or endless file from being read.
constexpr size_t gc_uiMAX_FILE_SIZE = size_t{64} << 20;
constexpr size_t gc_uiFIRST_WORD_SIZE = 511;  // a 512-byte buffer
constexpr size_t gc_uiLINE_WORD_SIZE = gc_iMAX_TYPED_LINE;

enum eREAD { eREAD_OK, eREAD_UNOPENED, eREAD_TOO_LARGE };
enum eLINES { eLINES_DONE, eLINES_ENDED, eLINES_BROKEN, eLINES_REFUSED };

// Decoded text read in place, without a second copy.
class ClDecoded_Text : public std::streambuf {
 public:
  explicit ClDecoded_Text(std::string& sText) {
    setg(sText.data(), sText.data(), sText.data() + sText.size());
  }
};

static eREAD readWholeFile(const char* acName, std::string& sText) {
  FILE* pFile = std::fopen(acName, "rb");
  if (!pFile) return eREAD_UNOPENED;
  char acChunk[65536];
  size_t uiRead;
  while ((uiRead = std::fread(acChunk, 1, sizeof acChunk, pFile)) > 0) {
    if (sText.size() + uiRead > gc_uiMAX_FILE_SIZE) {
      std::fclose(pFile);
      return eREAD_TOO_LARGE;
    }
    sText.append(acChunk, uiRead);
  }
  const bool bFailed = std::ferror(pFile);
  std::fclose(pFile);
  return bFailed ? eREAD_UNOPENED : eREAD_OK;
}

static bool refuse(const char* acName) {
  g_pSeam->alert(formatMessage("'%s' is not a valid ORVEL file.", acName));
  return false;
}

static bool endOfText(std::istream& In) {
  return (In >> std::ws).eof();
}

// Rows 0 stand for an empty matrix; anything else must fit the engine's limit.
static bool validSize(long lRows, long lColumns) {
  if (lRows < 0 || lColumns < 0 || lRows > gc_lMAX_ENTRIES || lColumns > gc_lMAX_ENTRIES)
    return false;
  return lRows == 0 || (lColumns > 0 && lRows * lColumns <= gc_lMAX_ENTRIES);
}

// Reads rows x columns entries, row by row, into the scratch matrix, so a
// short or malformed body leaves every variable as it was.
static bool readEntries(std::istream& In, long lRows, long lColumns) {
  ClMatrix& mScratch = ClCalculator::mp_mLinear;
  mScratch.resize(lRows, lColumns);
  for (long r = 0; r < lRows; ++r)
    for (long c = 0; c < lColumns; ++c)
      if (!(In >> mScratch(r, c))) {
        mScratch.resize(0, 0);
        return false;
      }
  return true;
}

static void scrollPanes() {
  g_pSeam->pane(ePANE_INPUT).showInsertPosition();
  g_pSeam->pane(ePANE_OUTPUT).showInsertPosition();
}

static bool loadVariable(std::istream& In, eTOKEN eVariable) {
  long lRows, lColumns;
  if (!(In >> lRows >> lColumns) || !validSize(lRows, lColumns)) return false;
  if (lRows > 0) {
    if (!readEntries(In, lRows, lColumns)) return false;
    ClCalculator::mp_mVariable[eVariable].swap(ClCalculator::mp_mLinear);
    ClCalculator::mp_mLinear.resize(0, 0);
  }
  scrollPanes();
  return true;
}

// A token line: it fits a line and holds line characters only (1..127).
static bool isLineWord(const std::string& sWord) {
  if (sWord.size() > gc_uiLINE_WORD_SIZE) return false;
  return std::none_of(sWord.begin(), sWord.end(),
                      [](char c) { return static_cast<signed char>(c) <= 0; });
}

// message: word-with-opening-quote { word } up to the first word holding the closing quote
static bool collectMessage(std::istream& In, std::string& sMessage) {
  bool bClosed = sMessage.find('"', 1) != std::string::npos;
  while (!bClosed) {
    if (sMessage.size() > gc_uiMESSAGE_SIZE - 2) return false;
    std::string sWord;
    if (!(In >> sWord)) return false;
    sMessage += ' ';
    sMessage += sWord;
    bClosed = sWord.find('"') != std::string::npos;
  }
  return sMessage.size() <= gc_uiMESSAGE_SIZE;
}

static void showMessage(const std::string& sMessage) {
  ClPane& Output = g_pSeam->pane(ePANE_OUTPUT);
  Output.setInsertPosition(g_pSeam->outputMark());
  Output.insert("\n");
  Output.insert(sMessage.c_str());
  g_pSeam->setOutputMark(Output.insertPosition());
  if (g_eWindow_Mode == eTWO_WINDOWS) return;
  // The current line's text (its cursor) moves behind the message.
  ClPane& Input = g_pSeam->pane(ePANE_INPUT);
  Fl_Text_Buffer* pBuffer = Input.buffer();
  pBuffer->remove(g_Current_State.m_uiDisplay_Start, pBuffer->length());
  Input.setInsertPosition(pBuffer->length());
  Input.insert("\n");
  Input.insert(gc_acOUT_PROMPT);
  Input.insert(sMessage.c_str());
  Input.insert("\n");
  g_Current_State.m_uiDisplay_Start = pBuffer->length();
  displayCurrent();
}

static void enterHistoryWord(const std::string& sWord) {
  setCurrentLine(sWord.data(), static_cast<uint16_t>(sWord.size()));
  const bool bExecute = g_pSeam->isOn(eSWITCH_EXECUTE);
  g_pSeam->setOn(eSWITCH_EXECUTE, false);
  enterLine();
  g_pSeam->setOn(eSWITCH_EXECUTE, bExecute);
}

static eLINES enterLines(std::istream& In, long lCount) {
  for (long k = 0; k < lCount; ++k) {
    std::string sWord;
    if (!(In >> sWord)) return eLINES_ENDED;
    if (sWord[0] == '"') {
      if (!collectMessage(In, sWord)) return eLINES_BROKEN;
      showMessage(sWord);
    } else {
      if (!isLineWord(sWord)) return eLINES_REFUSED;
      enterHistoryWord(sWord);
    }
  }
  return endOfText(In) ? eLINES_ENDED : eLINES_DONE;
}

// Variables of a history file fill only the variables that are empty.
static bool loadVariables(std::istream& In) {
  for (const eTOKEN eVariable : gc_aeVARIABLES) {
    long lRows, lColumns;
    if (!(In >> lRows >> lColumns) || !validSize(lRows, lColumns)) return false;
    if (lRows == 0) continue;
    if (!readEntries(In, lRows, lColumns)) {
      g_pSeam->message("File read error");
      return false;
    }
    ClMatrix& mVariable = ClCalculator::mp_mVariable[eVariable];
    if (mVariable.rows() == 0) mVariable.swap(ClCalculator::mp_mLinear);
  }
  ClCalculator::mp_mLinear.resize(0, 0);
  return true;
}

static void finishHistory() {
  scrollPanes();
  g_pSeam->setOutputMark(g_pSeam->pane(ePANE_OUTPUT).insertPosition());
  g_uiHistory_Index = g_uiHistory_Next;
}

static bool loadHistory(std::istream& In, const char* acName, unsigned short uiMode,
                        uint16_t uiPlots) {
  if (uiMode == eLOAD_OPEN) ClCallback::clearAll_cb(nullptr, nullptr);
  long lCount;
  if (!(In >> lCount)) return false;
  g_bRepeat = false;
  const bool bScales = g_pSeam->isOn(eSWITCH_SCALES);
  g_pSeam->setOn(eSWITCH_SCALES, false);
  if (uiMode == eLOAD_OPEN) resetOutputPane(*g_pSeam);
  const eLINES eLines = enterLines(In, std::min<long>(lCount, gc_iHISTORY_SIZE));
  // Restored whichever way the lines ended, so a refused file leaves no
  // switch or plot count behind.
  g_uiActive_Plots = uiPlots;
  g_bPlot = false;
  g_pSeam->setOn(eSWITCH_SCALES, bScales);
  if (eLines == eLINES_REFUSED) return refuse(acName);
  if (eLines == eLINES_BROKEN) return false;
  if (eLines == eLINES_DONE && !loadVariables(In)) return false;
  finishHistory();
  return true;
}

bool loadInFile(const char* acName, unsigned short uiMode) {
  const uint16_t uiPlots = g_uiActive_Plots;
  enterLine();
  displayCurrent();
  std::string sText;
  const eREAD eRead = readWholeFile(acName, sText);
  if (eRead == eREAD_UNOPENED) {
    g_pSeam->message("File could not be opened");
    return false;
  }
  if (eRead == eREAD_TOO_LARGE) return refuse(acName);
  DCodeFile(sText.data(), sText.size());
  ClDecoded_Text Text(sText);
  std::istream In(&Text);
  std::string sFirst;
  const size_t uiSignature = std::strlen(gc_acORVEL_SIGNATURE);
  if (!(In >> sFirst) || sFirst.size() > gc_uiFIRST_WORD_SIZE ||
      sFirst.compare(0, uiSignature, gc_acORVEL_SIGNATURE) != 0)
    return refuse(acName);
  if (endOfText(In)) return false;
  long lKind;
  if (!(In >> lKind)) return refuse(acName);
  // a variable file's kind is its variable's code
  const auto pVariable = std::find(gc_aeVARIABLES.begin(), gc_aeVARIABLES.end(), lKind);
  if (pVariable != gc_aeVARIABLES.end()) return loadVariable(In, *pVariable);
  if (lKind != gc_iHISTORY_FILE_KIND) return refuse(acName);
  return loadHistory(In, acName, uiMode, uiPlots);
}
