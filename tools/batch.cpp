// SPDX-License-Identifier: GPL-3.0-or-later
// orvel-batch: runs calculator lines or key presses without a window, through
// the same input line, Enter and repetition code as the window, and prints
// the output pane's text as File > Save Output writes it, its last line ended.
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "command/callback.h"
#include "command/enter.h"
#include "command/headless_seam.h"
#include "command/history.h"
#include "command/matrix_forms.h"
#include "command/steps_writer.h"
#include "engine/calculator.h"
#include "engine/steps.h"
#include "files/codec.h"
#include "files/data_file.h"
#include "files/output_export.h"
#include "graph/graph_export.h"
#include "version.h"

// After Eigen: X.h defines Success, a name Eigen uses.
#include <FL/Fl.H>
#include <FL/x.H>

namespace {

const char gc_acUSAGE[] =
    "Usage: orvel-batch [--keys] [--format decimal|float|rational] [--zero-out on|off]\n"
    "                   [--execute on|off] [--error-check on|off] [--auto-parens on|off]\n"
    "                   [--open FILE.orv] [--append FILE.orv] [--save-input FILE.orv]\n"
    "                   [--save-variable NAME FILE.orv] [--graph | --graph-line LINE]\n"
    "                   [--scales on|off] [--corners on|off] [--save-graph FILE]\n"
    "                   [--steps [exact|computed]] [--pivot first|largest]\n"
    "                   [--result-format text|latex|markdown|numpy|octave|csv]\n"
    "                   [--full-precision on|off] [SCRIPT]\n"
    "       orvel-batch --help | --version\n"
    "\n"
    "Runs the ORVEL Calculator without a window. The input is SCRIPT, or standard\n"
    "input when SCRIPT is absent or \"-\".\n"
    "\n"
    "Lines mode (default): every input line holds the token characters of one\n"
    "calculator line, as the history stores it (A=[1,2;3,4]  IA*B  X(3,2);); it\n"
    "becomes the current line and Enter is pressed. A line holds at most 511\n"
    "characters, each a token's (no blanks).\n"
    "Keys mode (--keys): every input byte presses the button of its token\n"
    "character, with the typing checks and automatic parentheses; < Prev, > Next,\n"
    "` Left, ~ Right, byte 8 BkSp, byte 27 Clear, @ Alt, newline or CR Enter.\n"
    "\n"
    "Settings start as in the calculator (Decimal; Zero Out, Execute, Error Check\n"
    "and Auto Parentheses on); the options change them before the first line.\n"
    "When the input ends, standard output receives the output pane's text as\n"
    "File > Save Output writes it, its last line ended; message boxes go to\n"
    "standard error.\n"
    "Ctrl-C stops a running repetition after its current line and ends the run\n"
    "(exit status 130) with the output so far.\n"
    "\n"
    "Data files: --open and --append load a data file before the first line, as\n"
    "File > Open and Edit > History > Append do (the loaded lines enter the history\n"
    "unexecuted; run them with Rpt); --save-input and --save-variable NAME (A, U,\n"
    "B, V, C, u, P, v, Q or w) save after the last line, as File > Save Input and\n"
    "File > Save Variable do. Each may be given more than once; they run in order.\n"
    "\n"
    "Graph: --graph opens the graph before the first line, as View > Graph > Graph\n"
    "Window does with an empty line (the box -3..3 by -2..2); --graph-line LINE\n"
    "opens it with LINE (token characters, such as [-1,1,3,0,10,4]) as the current\n"
    "line, which is entered and gives the parameters or the notice. Plot lines then\n"
    "store plots. --scales and --corners switch the labels. --save-graph FILE\n"
    "exports the graph after the last line as Save Graph does (600 x 400, .ppm, .bmp\n"
    "or .png); it needs an X display (DISPLAY set; xvfb-run works).\n"
    "\n"
    "Steps: --steps writes, after the result of every line that applied RREF, Inv,\n"
    "Det or a left division A\\B with a square A, the row operations behind it as\n"
    "the Steps window shows them, in plain text: in exact fractions where the\n"
    "operand allows (--steps exact, the default), or as the calculator computed\n"
    "them (--steps computed); only these two words are taken as its value.\n"
    "--pivot chooses the exact steps' pivot: the first non-zero entry (first, the\n"
    "default) or the largest (largest); it needs --steps.\n"
    "\n"
    "Result forms: --result-format prints every result, of the main lines and of\n"
    "the lines a repetition runs, below its echo line in a form that other tools\n"
    "read: text (as the output pane shows it), latex (a pmatrix), markdown (a\n"
    "table), numpy (np.array), octave or csv; a 1 x 1 result is its number alone,\n"
    "but in a markdown or csv table. Errors and messages print as they are.\n"
    "--full-precision on writes every number of a result with 17 significant\n"
    "digits and hides no part (Zero Out), so that reading it back gives every bit;\n"
    "without --result-format it prints the text form so.\n"
    "\n"
    "Exit status: 0 done, 1 a data file or the graph was not loaded or saved, the\n"
    "output could not be written or --save-graph has no display, 2 bad option or\n"
    "unreadable script.\n";

const int gc_iFAILED = 1;
const int gc_iBAD_USAGE = 2;
const int gc_iINTERRUPTED = 130;

volatile std::sig_atomic_t lg_iInterrupted = 0;

void onInterrupt(int) {
  lg_iInterrupted = 1;
  // a second Ctrl-C ends the program at once
  std::signal(SIGINT, SIG_DFL);
}

// A data file to load before the first line (iWhat eLOAD_OPEN or eLOAD_APPEND)
// or to save after the last (iWhat eNULL for the input, else a variable code).
struct ClFileStep {
  int iWhat;
  std::string sName;
};

struct ClOptions {
  std::vector<ClFileStep> aLoads;
  std::vector<ClFileStep> aSaves;
  bool bKeys = false;
  int iFormat = eDECIMAL;
  bool abSwitch[eSWITCH_COUNT] = {true, true, true, true, false, false};
  bool bGraph = false;
  std::string sGraph_Line;
  std::string sSave_Graph;
  std::string sScript;
  bool bSteps = false;
  bool bPivot = false;
  ClStepsView stepsView;
  bool bResult_Form = false;
  eTEXT_FORM eResult_Form = eFORM_TEXT;
};

int badUsage(const std::string& sText) {
  std::fprintf(stderr, "orvel-batch: %s\nTry 'orvel-batch --help'.\n", sText.c_str());
  return gc_iBAD_USAGE;
}

bool parseOnOff(const char* acValue, bool& bOn) {
  if (std::strcmp(acValue, "on") != 0 && std::strcmp(acValue, "off") != 0) return false;
  bOn = std::strcmp(acValue, "on") == 0;
  return true;
}

bool parseFormat(const char* acValue, int& iFormat) {
  const char* const aacFORMATS[] = {"decimal", "float", "rational"};
  for (int k = 0; k < 3; ++k) {
    if (std::strcmp(acValue, aacFORMATS[k]) != 0) continue;
    iFormat = k;
    return true;
  }
  return false;
}

bool parseResultForm(const char* acValue, eTEXT_FORM& eForm) {
  for (int k = 0; k < gc_iRESULT_FORMS; ++k) {
    if (std::strcmp(acValue, gc_aacRESULT_FORM_WORD[k]) != 0) continue;
    eForm = eTEXT_FORM(k);
    return true;
  }
  return false;
}

eSWITCH switchOf(const std::string& sOption) {
  if (sOption == "--zero-out") return eSWITCH_ZERO_OUT;
  if (sOption == "--execute") return eSWITCH_EXECUTE;
  if (sOption == "--error-check") return eSWITCH_ERROR_CHECK;
  if (sOption == "--auto-parens") return eSWITCH_AUTO_PARENS;
  if (sOption == "--scales") return eSWITCH_SCALES;
  if (sOption == "--corners") return eSWITCH_CORNERS;
  if (sOption == "--full-precision") return eSWITCH_FULL_PRECISION;
  return eSWITCH_COUNT;
}

bool isFileOption(const std::string& sOption) {
  return sOption == "--open" || sOption == "--append" || sOption == "--save-input" ||
         sOption == "--save-variable";
}

int variableOf(const char* acName) {
  for (const eTOKEN eVariable : gc_aeVARIABLES)
    if (std::strcmp(tokenName(eVariable), acName) == 0) return eVariable;
  return eNULL;
}

// --open FILE, --append FILE, --save-input FILE, --save-variable NAME FILE;
// returns the complaint, empty when the option is well formed.
std::string parseFileOption(int argc, char** argv, int& k, ClOptions& options) {
  const std::string sOption = argv[k];
  const bool bSave = sOption.compare(0, 7, "--save-") == 0;
  int iWhat = eNULL;
  if (sOption == "--open") iWhat = eLOAD_OPEN;
  if (sOption == "--append") iWhat = eLOAD_APPEND;
  if (sOption == "--save-variable") {
    if (k + 1 >= argc || (iWhat = variableOf(argv[++k])) == eNULL)
      return "--save-variable takes a variable name (A, U, B, V, C, u, P, v, Q or w) and a file";
  }
  if (k + 1 >= argc) return sOption + " takes a file name";
  const std::string sName = argv[++k];
  if (!hasOrvelExtension(sName))
    return bSave ? "ORVEL Calculator file name must have .orv extension."
                 : "ORVEL Calculator Input/Matrix file must have .orv extension.";
  (bSave ? options.aSaves : options.aLoads).push_back({iWhat, sName});
  return "";
}

std::string lineComplaint(const std::string& sLine);

// --graph, --graph-line LINE, --save-graph FILE; returns the complaint,
// empty when the option is well formed.
std::string parseGraphOption(int argc, char** argv, int& k, ClOptions& options) {
  const std::string sOption = argv[k];
  options.bGraph = options.bGraph || sOption != "--save-graph";
  if (sOption == "--graph") return "";
  if (k + 1 >= argc)
    return sOption + (sOption == "--graph-line" ? " takes a line" : " takes a file name");
  const std::string sValue = argv[++k];
  if (sOption == "--save-graph") {
    options.sSave_Graph = sValue;
    return imageFormatOf(sValue) == eIMAGE_NONE
               ? "ORVEL Calculator graph file name must have .ppm, .bmp or .png extension."
               : "";
  }
  options.sGraph_Line = sValue;
  const std::string sComplaint = lineComplaint(sValue);
  return sComplaint.empty() ? "" : "--graph-line LINE " + sComplaint;
}

// --steps [exact|computed], --pivot first|largest; returns the complaint,
// empty when the option is well formed.
std::string parseStepsOption(int argc, char** argv, int& k, ClOptions& options) {
  ClStepsOptions& steps = options.stepsView.m_Options;
  const bool bHas_Value = k + 1 < argc;
  if (std::strcmp(argv[k], "--steps") == 0) {
    options.bSteps = true;
    // the value is optional: any other word is the script or an option
    if (bHas_Value && std::strcmp(argv[k + 1], "exact") == 0) {
      steps.m_eArithmetic = eSTEPS_EXACT;
      ++k;
    } else if (bHas_Value && std::strcmp(argv[k + 1], "computed") == 0) {
      steps.m_eArithmetic = eSTEPS_COMPUTED;
      ++k;
    }
    return "";
  }
  options.bPivot = true;
  const char* acValue = bHas_Value ? argv[++k] : "";
  if (std::strcmp(acValue, "first") == 0) {
    steps.m_ePivot = ePIVOT_FIRST;
  } else if (std::strcmp(acValue, "largest") == 0) {
    steps.m_ePivot = ePIVOT_LARGEST;
  } else {
    return "--pivot takes first or largest";
  }
  return "";
}

bool isStepsOption(const std::string& sOption) {
  return sOption == "--steps" || sOption == "--pivot";
}

bool isGraphOption(const std::string& sOption) {
  return sOption == "--graph" || sOption == "--graph-line" || sOption == "--save-graph";
}

// Returns -1 to go on, else the exit status.
int parseOptions(int argc, char** argv, ClOptions& options) {
  bool bHave_Script = false;
  for (int k = 1; k < argc; ++k) {
    const std::string sOption = argv[k];
    const bool bHas_Value = k + 1 < argc;
    if (sOption == "--help" || sOption == "-h") {
      std::fputs(gc_acUSAGE, stdout);
      return 0;
    }
    if (sOption == "--version") {
      std::printf("orvel-batch (ORVEL Calculator) %s\n%s", gc_acORVEL_VERSION, gc_acORVEL_LICENCE);
      return 0;
    }
    if (sOption == "--keys") {
      options.bKeys = true;
    } else if (sOption == "--format") {
      if (!bHas_Value || !parseFormat(argv[++k], options.iFormat))
        return badUsage("--format takes decimal, float or rational");
    } else if (sOption == "--result-format") {
      if (!bHas_Value || !parseResultForm(argv[++k], options.eResult_Form))
        return badUsage("--result-format takes text, latex, markdown, numpy, octave or csv");
      options.bResult_Form = true;
    } else if (switchOf(sOption) != eSWITCH_COUNT) {
      if (!bHas_Value || !parseOnOff(argv[++k], options.abSwitch[switchOf(sOption)]))
        return badUsage(sOption + " takes on or off");
    } else if (isFileOption(sOption)) {
      const std::string sComplaint = parseFileOption(argc, argv, k, options);
      if (!sComplaint.empty()) return badUsage(sComplaint);
    } else if (isGraphOption(sOption)) {
      const std::string sComplaint = parseGraphOption(argc, argv, k, options);
      if (!sComplaint.empty()) return badUsage(sComplaint);
    } else if (isStepsOption(sOption)) {
      const std::string sComplaint = parseStepsOption(argc, argv, k, options);
      if (!sComplaint.empty()) return badUsage(sComplaint);
    } else if (sOption.size() > 1 && sOption[0] == '-') {
      return badUsage("unknown option " + sOption);
    } else if (bHave_Script) {
      return badUsage("only one SCRIPT may be given");
    } else {
      options.sScript = sOption;
      bHave_Script = true;
    }
  }
  if (!options.sSave_Graph.empty() && !options.bGraph)
    return badUsage("--save-graph needs --graph or --graph-line");
  if (options.bPivot && !options.bSteps) return badUsage("--pivot needs --steps");
  return -1;
}

// False (errno set) when the script cannot be opened or read: a directory
// opens but fails on its first read.
bool readInput(const std::string& sScript, std::string& sInput) {
  const bool bStdin = sScript.empty() || sScript == "-";
  FILE* pFile = bStdin ? stdin : std::fopen(sScript.c_str(), "rb");
  if (pFile == nullptr) return false;
  char acChunk[65536];
  size_t uiRead;
  while ((uiRead = std::fread(acChunk, 1, sizeof acChunk, pFile)) > 0)
    sInput.append(acChunk, uiRead);
  const bool bRead = !std::ferror(pFile);
  if (!bStdin) std::fclose(pFile);
  return bRead;
}

// A script line is one calculator line, at most 511 token characters: any
// other byte (a blank, a quote) would corrupt a history file saved from it.
std::string lineComplaint(const std::string& sLine) {
  if (sLine.size() > gc_iMAX_TYPED_LINE)
    return "holds " + std::to_string(sLine.size()) + " characters; a line holds at most " +
           std::to_string(gc_iMAX_TYPED_LINE);
  for (const char c : sLine)
    if (!isLineCharacter(c))
      return "holds byte " + std::to_string(static_cast<unsigned char>(c)) +
             ", which is no token character";
  return "";
}

bool checkLines(const std::string& sInput) {
  std::istringstream lines(sInput);
  std::string sLine;
  for (int iNumber = 1; std::getline(lines, sLine); ++iNumber) {
    if (!sLine.empty() && sLine.back() == '\r') sLine.pop_back();
    const std::string sComplaint = lineComplaint(sLine);
    if (sComplaint.empty()) continue;
    std::fprintf(stderr, "orvel-batch: line %d %s\n", iNumber, sComplaint.c_str());
    return false;
  }
  return true;
}

// With --steps: after an Enter that evaluated a main line, the steps of the
// operands it kept follow its result in the output pane.
class ClStepsPrinter {
 public:
  ClStepsPrinter(const ClOptions& options, ClSeam& seam) : m_Options(options), m_Seam(seam) {}

  void afterEnter() {
    if (!m_Options.bSteps || g_uiSteps_Generation == m_uiGeneration) return;
    m_uiGeneration = g_uiSteps_Generation;
    if (g_aSteps_Kept.empty()) return;
    ClStepsView view = m_Options.stepsView;
    view.m_Options.m_Display = currentDisplayOptions();
    const std::string sSteps = "\n\n" + stepsDocument(g_aSteps_Kept, view, eFORM_TEXT);
    ClPane& output = m_Seam.pane(ePANE_OUTPUT);
    output.setInsertPosition(m_Seam.outputMark());
    output.insert(sSteps.c_str());
    m_Seam.setOutputMark(output.insertPosition());
  }

 private:
  const ClOptions& m_Options;
  ClSeam& m_Seam;
  uint32_t m_uiGeneration = g_uiSteps_Generation;
};

void runLines(const std::string& sInput, ClStepsPrinter& steps) {
  std::istringstream lines(sInput);
  std::string sLine;
  while (lg_iInterrupted == 0 && std::getline(lines, sLine)) {
    if (!sLine.empty() && sLine.back() == '\r') sLine.pop_back();
    setCurrentLine(sLine.data(), static_cast<uint16_t>(sLine.size()));
    enterLine();
    steps.afterEnter();
  }
}

// One byte as a press of the button of its token character.
void pressKey(unsigned char ucKey) {
  if (ucKey == '\n' || ucKey == '\r')
    pressToken(eENTER);
  else if (ucKey > 0 && ucKey < 127)
    pressToken(g_aeDictionary[ucKey]);
}

void runKeys(const std::string& sInput, ClStepsPrinter& steps) {
  for (const char cKey : sInput) {
    if (lg_iInterrupted != 0) return;
    pressKey(static_cast<unsigned char>(cKey));
    steps.afterEnter();
  }
}

bool loadFiles(const ClOptions& options) {
  for (const ClFileStep& load : options.aLoads)
    if (!loadInFile(load.sName.c_str(), static_cast<unsigned short>(load.iWhat))) return false;
  return true;
}

[[noreturn]] void noDisplay(const char* acFormat, ...) {
  std::va_list args;
  va_start(args, acFormat);
  std::fputs("orvel-batch: --save-graph needs an X display: ", stderr);
  std::vfprintf(stderr, acFormat, args);
  std::fputs("\n", stderr);
  va_end(args);
  std::exit(gc_iFAILED);
}

// The export draws offscreen on the X display: without one the run ends
// before the first line.
bool openDisplay() {
  const char* acDisplay = std::getenv("DISPLAY");
  if (acDisplay == nullptr || *acDisplay == '\0') {
    std::fputs(
        "orvel-batch: --save-graph needs an X display to draw the graph, and DISPLAY\n"
        "is not set (run it under xvfb-run, for instance)\n",
        stderr);
    return false;
  }
  Fl::fatal = noDisplay;
  fl_open_display();
  return true;
}

// As "Graph Window" with the given current line; the switches after it, since
// opening clears them.
void openGraph(const ClOptions& options, ClHeadlessSeam& seam) {
  setCurrentLine(options.sGraph_Line.data(), static_cast<uint16_t>(options.sGraph_Line.size()));
  ClCallback::graph_cb(nullptr, nullptr);
  seam.setOn(eSWITCH_SCALES, options.abSwitch[eSWITCH_SCALES]);
  seam.setOn(eSWITCH_CORNERS, options.abSwitch[eSWITCH_CORNERS]);
}

bool saveGraphFile(const ClOptions& options, ClHeadlessSeam& seam) {
  if (options.sSave_Graph.empty()) return true;
  seam.queueFileName(options.sSave_Graph);
  return saveGraph();
}

bool saveFiles(const ClOptions& options) {
  for (const ClFileStep& save : options.aSaves) {
    const eTOKEN eVariable = eTOKEN(save.iWhat);
    if (eVariable != eNULL && !isDefinedForSaving(eVariable)) return false;
    if (!saveDataFile(save.sName.c_str(), eVariable)) return false;
  }
  return true;
}

// Unlike a saved output file, a terminal or a pipe expects the last line to
// end, so the shell's next prompt or text starts on a line of its own.
bool writeBatchOutput(const Fl_Text_Buffer& Buffer) {
  if (!writeOutputText(Buffer, stdout)) return false;
  if (!outputTextEndsOpen(Buffer)) return true;
  return std::fputc('\n', stdout) != EOF && std::fflush(stdout) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  ClOptions options;
  const int iStatus = parseOptions(argc, argv, options);
  if (iStatus >= 0) return iStatus;
  std::string sInput;
  if (!readInput(options.sScript, sInput)) {
    std::fprintf(stderr, "orvel-batch: cannot read '%s': %s\n",
                 options.sScript.empty() ? "-" : options.sScript.c_str(), std::strerror(errno));
    return gc_iBAD_USAGE;
  }
  if (!options.bKeys && !checkLines(sInput)) return gc_iBAD_USAGE;
  if (!options.sSave_Graph.empty() && !openDisplay()) return gc_iFAILED;

  ClHeadlessSeam seam;
  seam.setMessageStream(stderr);
  seam.setStopFlag(&lg_iInterrupted);
  resetCommandState(seam);
  for (int k = 0; k < eSWITCH_COUNT; ++k) seam.setOn(eSWITCH(k), options.abSwitch[k]);
  ClCallback::zeroOut_cb(nullptr, nullptr);
  g_eView_State = options.iFormat;
  if (options.bResult_Form || options.abSwitch[eSWITCH_FULL_PRECISION])
    seam.setPrintedForm(options.eResult_Form);
  std::signal(SIGINT, onInterrupt);

  Set_Code_Arrays();
  bool bFiles_Done = loadFiles(options);
  if (bFiles_Done) {
    if (options.bGraph) openGraph(options, seam);
    ClStepsPrinter steps(options, seam);
    (options.bKeys ? runKeys : runLines)(sInput, steps);
    bFiles_Done = lg_iInterrupted != 0 || (saveFiles(options) && saveGraphFile(options, seam));
  }

  if (!writeBatchOutput(*seam.output().buffer())) {
    std::fprintf(stderr, "orvel-batch: cannot write the output: %s\n", std::strerror(errno));
    return gc_iFAILED;
  }
  if (lg_iInterrupted != 0) return gc_iINTERRUPTED;
  return bFiles_Done ? 0 : gc_iFAILED;
}
