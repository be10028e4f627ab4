// SPDX-License-Identifier: GPL-3.0-or-later
// Result display: the three number formats, Zero Out, cleaning and the bound
// of the output text, through runLine.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "engine/display.h"
#include "tests/support/engine_driver.h"

namespace {

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override { resetEngineState(); }
};

struct FormatCase {
  int iView;
  const char* acLine;
  const char* acText;
};

TEST_F(DisplayTest, FormatsNumbersInEachView) {
  const FormatCase aCases[] = {
      {0, "0.1", "0.1"},
      {0, "1E20", "1E+20"},
      {0, "123456789", "1.23457E+08"},
      {1, "1", "1.000000000E+00"},
      {1, "0-1", "-1.000000000E+00"},
      {1, "[1,2i]", "1.000000000E+00, 2.000000000E+00i"},
      {2, "0.75", "3/4"},
      {2, "0-0.5", "-1/2"},
      {2, "0-2.5", "-5/2"},
      {2, "2", "2"},
      {2, "0.1", "1/10"},
      {2, "1/3", "1/3"},
      {2, "p", "103993/33102"},
      {2, "2^0.5", "47321/33461"},
      {2, "1E-9", "1/1000000000"},
      {2, "3E9", "3E+09"},
      {2, "0-3E9", "-3E+09"},
      {2, "1E-12", "0"},
      {2, "0", "0"},
      {2, "0.5-0.25i", "1/2 - 1/4i"},
      {2, "1-1E-12i", "1 - 0i"},
      {2, "[0.5,1/3]", "1/2, 1/3"},
  };
  for (const FormatCase& c : aCases) {
    g_eView_State = c.iView;
    SCOPED_TRACE(c.acLine);
    EXPECT_EQ(runLine(c.acLine).sText, c.acText);
  }
}

TEST_F(DisplayTest, NonFiniteValuesAreWrittenAlikeInEveryFormat) {
  ClDisplayOptions options;
  for (const int32_t eFormat : {eDECIMAL, eFLOATING_POINT, eRATIONAL}) {
    options.m_eFormat = eFormat;
    EXPECT_EQ(numberText(-HUGE_VAL, options), "-INF");
  }
}

struct ZeroOutCase {
  bool bZeroOut;
  const char* acLine;
  const char* acText;
};

TEST_F(DisplayTest, ZeroOutHidesNegligibleParts) {
  const ZeroOutCase aCases[] = {
      {true, "[1,1E-20]", "1, 0"},
      {false, "[1,1E-20]", "1, 1E-20"},
      {true, "i", "0 + 1i"},
      {true, "[i,2]", "i, 2"},
      {true, "[0-i,2]", "-i, 2"},
      {true, "[1-i,2]", "1 - i, 2"},
      {false, "[1-i,2]", "1 - 1i, 2"},
      {true, "[1+2i,3-4i]", "1 + 2i, 3 - 4i"},
      {true, "[1+1E-20i,2]", "1, 2"},
      {true, "1+1E-40i", "1"},
      {false, "1+1E-40i", "1 + 1E-40i"},
      {true, "1E-40", "1E-40"},
      {true, "[1E200,1E200]", "1E+200, 1E+200"},
      {true, "[1E-200,1E-200]", "1E-200, 1E-200"},
      {true, "[1,2;3,4]", "1, 2 ;\n3, 4"},
  };
  for (const ZeroOutCase& c : aCases) {
    g_bZero_Out = c.bZeroOut;
    SCOPED_TRACE(c.acLine);
    EXPECT_EQ(runLine(c.acLine).sText, c.acText);
  }
}

TEST_F(DisplayTest, CleaningChangesTheStoredValue) {
  EXPECT_EQ(runLine("[1,1E-17]").mResult(0, 1), ClComplex(0.0, 0.0));
  EXPECT_EQ(runLine("1E-40").mResult(0, 0), ClComplex(1e-40, 0.0));
  EXPECT_EQ(runLine("1+1E-40i").mResult(0, 0), ClComplex(1.0, 0.0));
  g_bZero_Out = false;
  EXPECT_EQ(runLine("[1,1E-17]").mResult(0, 1), ClComplex(1e-17, 0.0));
}

TEST_F(DisplayTest, StopsBeforeTheEndOfTheOutputText) {
  // 512 x 512 entries of 37 characters do not fit: the text stops early
  ClCalculator::mp_mVariable[eVAR_A] =
      ClMatrix::Constant(512, 512, ClComplex(-0.123456, -0.654321));
  g_eView_State = 1;
  const ClRun run = runLine("A");
  EXPECT_EQ(run.uiError, 0);
  const size_t uiLength = std::strlen(g_acOutput_Line);
  EXPECT_LT(uiLength, static_cast<size_t>(gc_lOUTPUT_SIZE));
  EXPECT_GT(uiLength, static_cast<size_t>(gc_lOUTPUT_SIZE) - 80);
  EXPECT_EQ(run.sText.substr(0, 37), "-1.234560000E-01 - 6.543210000E-01i, ");
}

// The parts of a row's entries as the pane's text reads back: "re" for a
// real entry, "re|sm" for one with an imaginary part of sign s and
// magnitude m (none for i alone; re empty for an imaginary entry), "; "
// between entries.
std::string partsRead(const std::string& sRow) {
  std::string sParts;
  for (size_t uiBegin = 0, uiEnd = 0; uiEnd != std::string::npos; uiBegin = uiEnd + 2) {
    uiEnd = sRow.find(gc_acENTRY_SEPARATOR, uiBegin);
    const ClEntryParts parts = entryParts(sRow.substr(uiBegin, uiEnd - uiBegin));
    sParts += (uiBegin == 0 ? "" : "; ") + parts.m_sReal;
    if (parts.m_bImaginary) sParts += (parts.m_bNegative ? "|-" : "|+") + parts.m_sMagnitude;
  }
  return sParts;
}

struct PartsCase {
  int32_t eFormat;
  bool bZero_Out;
  const char* acLine;
  const char* acParts;  // worked out by hand
};

// Zero Out writes i alone and hides a negligible part in a matrix; without
// it, and in a 1 x 1 value, both parts are written whole; an entry with a
// non-finite part is that part alone.
TEST_F(DisplayTest, EntryPartsReadThePanesTextBack) {
  const char* const acROW = "[1.5-2i,0-i,i,2,0.25+i,0-0.5i,0-1.5+2i,1+1E-20i]";
  const PartsCase aCases[] = {
      {eDECIMAL, true, acROW, "1.5|-2; |-; |+; 2; 0.25|+; |-0.5; -1.5|+2; 1"},
      {eDECIMAL, false, acROW, "1.5|-2; 0|-1; 0|+1; 2; 0.25|+1; 0|-0.5; -1.5|+2; 1|+1E-20"},
      {eFLOATING_POINT, true, acROW,
       "1.500000000E+00|-2.000000000E+00; |-; |+; 2.000000000E+00; 2.500000000E-01|+; "
       "|-5.000000000E-01; -1.500000000E+00|+2.000000000E+00; 1.000000000E+00"},
      {eFLOATING_POINT, false, acROW,
       "1.500000000E+00|-2.000000000E+00; 0.000000000E+00|-1.000000000E+00; "
       "0.000000000E+00|+1.000000000E+00; 2.000000000E+00; 2.500000000E-01|+1.000000000E+00; "
       "0.000000000E+00|-5.000000000E-01; -1.500000000E+00|+2.000000000E+00; "
       "1.000000000E+00|+1.000000000E-20"},
      {eRATIONAL, true, acROW, "3/2|-2; |-; |+; 2; 1/4|+; |-1/2; -3/2|+2; 1"},
      {eRATIONAL, false, acROW, "3/2|-2; 0|-1; 0|+1; 2; 1/4|+1; 0|-1/2; -3/2|+2; 1|+0"},
      {eDECIMAL, true, "0-i", "0|-1"},
      {eRATIONAL, true, "0.5+0.25i", "1/2|+1/4"},
      {eDECIMAL, true, "A", "INF; -INF"},
      {eRATIONAL, false, "A", "INF; -INF"},
  };
  ClCalculator::mp_mVariable[eVAR_A] = ClMatrix(1, 2);
  ClCalculator::mp_mVariable[eVAR_A] << ClComplex(HUGE_VAL, 2.0), ClComplex(1.0, -HUGE_VAL);
  for (const PartsCase& c : aCases) {
    g_eView_State = c.eFormat;
    g_bZero_Out = c.bZero_Out;
    const ClRun run = runLine(c.acLine);
    EXPECT_EQ(partsRead(run.sText), c.acParts)
        << c.acLine << ", format " << c.eFormat << (c.bZero_Out ? ", Zero Out: " : ": ")
        << run.sText;
  }
}

// A caller's buffer gets the result's text as far as whole entries fit, and
// the output store is left as it was.
TEST_F(DisplayTest, FormatsIntoTheCallersBufferWithinItsSize) {
  const ClMatrix mM = ClMatrix::Constant(3, 40, ClComplex(1.0 / 3.0, 0.0));
  std::strcpy(g_acOutput_Line, "kept");
  for (size_t uiSize : {80, 200, 1000}) {
    SCOPED_TRACE(uiSize);
    std::string sBuffer(uiSize + 8, '#');
    writeMatrix(mM, ClDisplayOptions(), sBuffer.data(), uiSize);
    const std::string sText = sBuffer.c_str();
    EXPECT_LT(sText.size(), uiSize);
    EXPECT_EQ(sBuffer.substr(uiSize), "########");
    EXPECT_EQ(sText.substr(0, 10), "0.333333, ");
    EXPECT_EQ(sText.substr(sText.size() - 2), ", ");
  }
  char acSmall[16] = "#";
  writeMatrix(mM, ClDisplayOptions(), acSmall, sizeof acSmall);
  EXPECT_STREQ(acSmall, "") << "no room for one entry";
  EXPECT_STREQ(g_acOutput_Line, "kept");
}

}  // namespace
