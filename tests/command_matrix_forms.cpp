// SPDX-License-Identifier: GPL-3.0-or-later
// Results printed in the forms other tools read, as orvel-batch
// --result-format prints them below the echo line: the exact text of every
// form for small results, the display's own text unchanged, repetitions and
// errors, LaTeX that pdflatex compiles and NumPy text that python3 evaluates
// to the result's values.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "command/matrix_forms.h"
#include "engine/display.h"
#include "tests/support/command_driver.h"

namespace {

class FormsTest : public ClCommandTest {
 protected:
  // The output pane's text after the last line was entered.
  std::string newOutput(size_t uiBefore) { return m_Seam.output().text().substr(uiBefore); }

  // The result of sLine as printed in eForm below its echo line.
  std::string printed(const std::string& sLine, eTEXT_FORM eForm) {
    m_Seam.setPrintedForm(eForm);
    const size_t uiBefore = m_Seam.output().text().size();
    enter(sLine);
    const std::string sNew = newOutput(uiBefore);
    const size_t uiEcho = sNew.find(" :\n");
    return uiEcho == std::string::npos ? sNew : sNew.substr(uiEcho + 3);
  }

  void setFullPrecision(bool bOn) { m_Seam.setOn(eSWITCH_FULL_PRECISION, bOn); }
};

TEST_F(FormsTest, EveryFormOfSmallResults) {
  struct {
    eVIEW_STATE eFormat;
    bool bFull;
    const char* acLine;
    const char* aacForm[gc_iRESULT_FORMS];  // text, LaTeX, Markdown, NumPy, Octave, CSV
  } const aCases[] = {
      {eDECIMAL,
       false,
       "[1,-2;3.5,4E-7]",
       {"1, -2 ;\n3.5, 4E-07",
        "\\begin{pmatrix}\n1 & -2 \\\\\n3.5 & 4 \\times 10^{-7}\n\\end{pmatrix}",
        "| Col 1 | Col 2 |\n|---:|---:|\n| 1 | -2 |\n| 3.5 | 4E-07 |",
        "np.array([[1, -2], [3.5, 4E-07]])", "[1, -2; 3.5, 4E-07]", "1,-2\n3.5,4E-07"}},
      {eDECIMAL,
       false,
       "[3+4i,-2i;i,1-i]",
       {"3 + 4i, -2i ;\ni, 1 - i", "\\begin{pmatrix}\n3 + 4i & -2i \\\\\ni & 1 - i\n\\end{pmatrix}",
        "| Col 1 | Col 2 |\n|---:|---:|\n| 3 + 4i | -2i |\n| i | 1 - i |",
        "np.array([[3+4j, -2j], [1j, 1-1j]])", "[3+4i, -2i; 1i, 1-1i]", "3+4i,-2i\ni,1-i"}},
      // a fraction before the unit would divide by it in Python and Octave
      {eRATIONAL,
       false,
       "[1/2+3/4i,-1/3-i]",
       {"1/2 + 3/4i, -1/3 - i",
        "\\begin{pmatrix}\n\\frac{1}{2} + \\frac{3}{4}i & -\\frac{1}{3} - i\n\\end{pmatrix}",
        "| Col 1 | Col 2 |\n|---:|---:|\n| 1/2 + 3/4i | -1/3 - i |",
        "np.array([[1/2+3/4*1j, -1/3-1j]])", "[1/2+3/4*1i, -1/3-1i]", "1/2+3/4i,-1/3-i"}},
      {eRATIONAL,
       false,
       "-2/3",
       {"-2/3", "-\\frac{2}{3}", "| Col 1 |\n|---:|\n| -2/3 |", "-2/3", "-2/3", "-2/3"}},
      {eFLOATING_POINT,
       false,
       "[1,-1E10,0.25]",
       {"1.000000000E+00, -1.000000000E+10, 2.500000000E-01",
        "\\begin{pmatrix}\n1.000000000 \\times 10^{0} & -1.000000000 \\times 10^{10} & "
        "2.500000000 \\times 10^{-1}\n\\end{pmatrix}",
        "| Col 1 | Col 2 | Col 3 |\n|---:|---:|---:|\n"
        "| 1.000000000E+00 | -1.000000000E+10 | 2.500000000E-01 |",
        "np.array([[1.000000000E+00, -1.000000000E+10, 2.500000000E-01]])",
        "[1.000000000E+00, -1.000000000E+10, 2.500000000E-01]",
        "1.000000000E+00,-1.000000000E+10,2.500000000E-01"}},
      // Zero Out hides parts far below the norm; full precision shows them
      {eDECIMAL,
       false,
       "[1,1E-15;2+1E-15i,3]",
       {"1, 0 ;\n2, 3", "\\begin{pmatrix}\n1 & 0 \\\\\n2 & 3\n\\end{pmatrix}",
        "| Col 1 | Col 2 |\n|---:|---:|\n| 1 | 0 |\n| 2 | 3 |", "np.array([[1, 0], [2, 3]])",
        "[1, 0; 2, 3]", "1,0\n2,3"}},
      {eDECIMAL,
       true,
       "[1,1E-15;2+1E-15i,3]",
       {"1, 1.0000000000000001E-15 ;\n2 + 1.0000000000000001E-15i, 3",
        "\\begin{pmatrix}\n1 & 1.0000000000000001 \\times 10^{-15} \\\\\n"
        "2 + 1.0000000000000001 \\times 10^{-15}\\,i & 3\n\\end{pmatrix}",
        "| Col 1 | Col 2 |\n|---:|---:|\n| 1 | 1.0000000000000001E-15 |\n"
        "| 2 + 1.0000000000000001E-15i | 3 |",
        "np.array([[1, 1.0000000000000001E-15], [2+1.0000000000000001E-15j, 3]])",
        "[1, 1.0000000000000001E-15; 2+1.0000000000000001E-15i, 3]",
        "1,1.0000000000000001E-15\n2+1.0000000000000001E-15i,3"}},
      // full precision does not depend on the output format
      {eRATIONAL,
       true,
       "[1/3+2i;-0.1-i]",
       {"0.33333333333333331 + 2i ;\n-0.10000000000000001 - 1i",
        "\\begin{pmatrix}\n0.33333333333333331 + 2i \\\\\n-0.10000000000000001 - 1i\n"
        "\\end{pmatrix}",
        "| Col 1 |\n|---:|\n| 0.33333333333333331 + 2i |\n| -0.10000000000000001 - 1i |",
        "np.array([[0.33333333333333331+2j], [-0.10000000000000001-1j]])",
        "[0.33333333333333331+2i; -0.10000000000000001-1i]",
        "0.33333333333333331+2i\n-0.10000000000000001-1i"}},
  };
  for (const auto& c : aCases) {
    for (int iForm = 0; iForm < gc_iRESULT_FORMS; ++iForm) {
      SetUp();
      g_eView_State = c.eFormat;
      setFullPrecision(c.bFull);
      EXPECT_EQ(printed(c.acLine, eTEXT_FORM(iForm)), c.aacForm[iForm])
          << c.acLine << " in " << gc_aacRESULT_FORM_WORD[iForm] << (c.bFull ? ", full" : "");
    }
  }
}

// The text form without full precision is the output pane's own text, in
// both panes, whatever the format and Zero Out.
TEST_F(FormsTest, TextFormIsTheDisplayText) {
  const char* const aacLines[] = {"[1,1E-15;2+1E-15i,3]", "[1/3,-2/7;i,1E20]", "-i", "[1;2;3]/7"};
  auto run = [&](bool bForm) {
    std::string sPanes;
    for (const int iFormat : {eDECIMAL, eFLOATING_POINT, eRATIONAL}) {
      for (const bool bZero_Out : {true, false}) {
        SetUp();
        if (bForm) m_Seam.setPrintedForm(eFORM_TEXT);
        g_eWindow_Mode = 1;  // results show in the input pane too
        g_eView_State = iFormat;
        m_Seam.setOn(eSWITCH_ZERO_OUT, bZero_Out);
        ClCallback::zeroOut_cb(nullptr, nullptr);
        for (const char* acLine : aacLines) enter(acLine);
        sPanes += m_Seam.output().text() + m_Seam.input().text();
      }
    }
    return sPanes;
  };
  const std::string sDisplay = run(false);
  EXPECT_EQ(run(true), sDisplay);
}

TEST_F(FormsTest, RepeatedLinesAndErrors) {
  m_Seam.setPrintedForm(eFORM_NUMPY);
  store({"[1,2]/4", "U", "u=i"});
  const size_t uiBefore = m_Seam.output().text().size();
  enter("X(1,3)");
  // a result that is no number and an error keep their messages
  enter("[1,1/0]");
  enter("AB");
  EXPECT_EQ(newOutput(uiBefore),
            "\nOut>[1, 2] / 4 :\nnp.array([[0.25, 0.5]])\nOut>U :\nEmpty matrix"
            "\nOut>u = i :\n0+1j\nOut>\n"
            "\nOut>[1, 1 / 0] :\nInvalid numbers:\n1, -NAN\nOut>AB :\nMisplaced value");
}

// Results of every kind written as LaTeX compile in a minimal document.
TEST_F(FormsTest, LatexCompiles) {
  ASSERT_EQ(std::system("command -v pdflatex >/dev/null"), 0)
      << "pdflatex is not installed (Debian package texlive-latex-base)";
  std::string sBody;
  for (const int iFormat : {eDECIMAL, eFLOATING_POINT, eRATIONAL}) {
    g_eView_State = iFormat;
    for (const bool bFull : {false, true}) {
      setFullPrecision(bFull);
      for (const char* acLine : {"[1/3+2/7i,-i;1E-9,-12345.5-4E7i]", "-2/3", "[1,2,3]/7", "-i"})
        sBody += "\\[ " + printed(acLine, eFORM_LATEX) + " \\]\n";
    }
  }
  char acDirectory[] = "/tmp/orvel-forms-XXXXXX";
  ASSERT_NE(mkdtemp(acDirectory), nullptr);
  const std::string sDirectory = acDirectory;
  std::ofstream(sDirectory + "/forms.tex")
      << "\\documentclass{article}\n\\usepackage{amsmath}\n\\begin{document}\n"
      << sBody << "\\end{document}\n";
  const std::string sCommand = "cd " + sDirectory +
                               " && pdflatex -interaction=nonstopmode -halt-on-error forms.tex"
                               " >forms.out 2>&1";
  EXPECT_EQ(std::system(sCommand.c_str()), 0)
      << sBody << std::ifstream(sDirectory + "/forms.out").rdbuf();
  EXPECT_TRUE(std::filesystem::exists(sDirectory + "/forms.pdf"));
  std::filesystem::remove_all(sDirectory);
}

// A python3 that imports numpy: Debian's python3-numpy serves the system
// interpreter, which another python3 on the path may hide.
std::string numpyPython() {
  for (const char* acPython : {"python3", "/usr/bin/python3"}) {
    const std::string sCommand = std::string(acPython) + " -c 'import numpy' 2>/dev/null";
    if (std::system(sCommand.c_str()) == 0) return acPython;
  }
  return "";
}

// The parts of each evaluated expression, one line each: rows, columns, then
// the real and imaginary parts row by row.
std::vector<std::vector<double>> evaluateNumpy(const std::string& sPython,
                                               const std::vector<std::string>& asExpressions) {
  char acName[] = "/tmp/orvel-numpy-XXXXXX";
  const int iFile = mkstemp(acName);
  if (iFile < 0) return {};
  close(iFile);
  std::ofstream script(acName);
  script << "import numpy as np\n"
            "def show(a):\n"
            "    a = np.atleast_2d(np.asarray(a, dtype=complex))\n"
            "    parts = [p for z in a.flat for p in (z.real, z.imag)]\n"
            "    print(*a.shape, *[repr(float(p)) for p in parts])\n";
  for (const std::string& sExpression : asExpressions) script << "show(" << sExpression << ")\n";
  script.close();
  std::vector<std::vector<double>> aadValues;
  FILE* pOutput = popen((sPython + " " + acName).c_str(), "r");
  std::string sOut;
  char acChunk[4096];
  size_t uiRead;
  while (pOutput != nullptr && (uiRead = std::fread(acChunk, 1, sizeof acChunk, pOutput)) > 0)
    sOut.append(acChunk, uiRead);
  if (pOutput != nullptr) pclose(pOutput);
  std::remove(acName);
  std::istringstream lines(sOut);
  for (std::string sLine; std::getline(lines, sLine);) {
    std::istringstream words(sLine);
    std::vector<double> adValues;
    for (std::string sWord; words >> sWord;)
      adValues.push_back(std::strtod(sWord.c_str(), nullptr));
    aadValues.push_back(adValues);
  }
  return aadValues;
}

// NumPy text evaluates to the result: exactly at full precision, else within
// the shown digits (and the parts Zero Out hides).
TEST_F(FormsTest, NumpyEvaluatesToTheResult) {
  const std::string sPython = numpyPython();
  ASSERT_FALSE(sPython.empty()) << "no python3 with numpy (Debian package python3-numpy)";
  struct ClShown {
    std::string sText;
    ClMatrix mValue;
    double dRelative;  // 0: exact
    double dHidden;
  };
  const struct {
    int iFormat;
    double dRelative;
  } aFormats[] = {{eDECIMAL, 5e-6}, {eFLOATING_POINT, 5e-10}, {eRATIONAL, 2e-9}};
  std::vector<ClShown> aShown;
  for (const auto& format : aFormats) {
    g_eView_State = format.iFormat;
    for (const bool bFull : {false, true}) {
      setFullPrecision(bFull);
      for (const char* acLine : {"[1/3,-2/7;1E-5,12345.678]", "[1/3+2/7i,-i;0.1-3.5i,1E8]",
                                 "1/7-2i", "[1,1E-15;2+1E-15i,3]", "-i"}) {
        const std::string sText = printed(acLine, eFORM_NUMPY);
        const ClMatrix& mValue = ClCalculator::mp_mParser_Output;
        const double dHidden = bFull ? 0.0 : displayTolerance(mValue);
        aShown.push_back({sText, mValue, bFull ? 0.0 : format.dRelative, dHidden});
      }
    }
  }
  std::vector<std::string> asTexts;
  for (const ClShown& shown : aShown) asTexts.push_back(shown.sText);
  const std::vector<std::vector<double>> aadValues = evaluateNumpy(sPython, asTexts);
  ASSERT_EQ(aadValues.size(), aShown.size());
  for (size_t k = 0; k < aShown.size(); ++k) {
    const ClShown& shown = aShown[k];
    const std::vector<double>& adValues = aadValues[k];
    ASSERT_EQ(adValues.size(), 2 + 2 * static_cast<size_t>(shown.mValue.size())) << shown.sText;
    EXPECT_EQ(adValues[0], shown.mValue.rows()) << shown.sText;
    EXPECT_EQ(adValues[1], shown.mValue.cols()) << shown.sText;
    size_t uiPart = 2;
    for (Eigen::Index lRow = 0; lRow < shown.mValue.rows(); ++lRow) {
      for (Eigen::Index lCol = 0; lCol < shown.mValue.cols(); ++lCol) {
        for (const double dPart :
             {shown.mValue(lRow, lCol).real(), shown.mValue(lRow, lCol).imag()}) {
          const double dBound = shown.dRelative * std::fabs(dPart) + shown.dHidden;
          EXPECT_LE(std::fabs(adValues[uiPart++] - dPart), dBound)
              << shown.sText << " row " << lRow + 1 << ", column " << lCol + 1;
        }
      }
    }
  }
}

}  // namespace
