// SPDX-License-Identifier: GPL-3.0-or-later
// The engine class: the static store of variables and results, and every
// stage of evaluation as a static member. The engine's files:
//   calculator.h/.cpp   this class, the globals, setError, resetEngineState
//   tokens.h/.cpp       the token table and its classes, the dictionaries, the errors
//   state.h/.cpp        line records (ClState) and the current line
//   typing.h/.cpp       the checks made while typing
//   lexer.cpp           line characters -> token stream
//   parser.h/.cpp       statement, assignment, sum, product, power, prefix
//                       levels; parser.h exports left division for the steps
//   operands.cpp        operands proper, references, lists
//   functions.cpp       prefix operators: elementwise functions, row reductions,
//                       random numbers; the complex gamma function
//   vector_math.h/.cpp  Exp, Cis, Ln, Sqrt and the power on SIMD lanes, the
//                       unit chosen at run time; vector_kernels.h and
//                       vector_sse2/avx2/avx512.cpp hold the kernels,
//                       vector_pass.h what they share with their caller
//   decompositions.h/.cpp  Inv, Det, CharP, Evals, Schur, SVD, RREF, Roots, QR
//   argfunctions.cpp    Id, Ones, El_Op, Diag, Norm, OpNm, nCr, Mod, Plot, Rpt, QR
//   display.h/.cpp      the one writer of shown values and the cleaning of
//                       results; the display options
//   steps_kept.h/.cpp   the operands a main line kept for the steps (a leaf)
//   steps_record.h/.cpp what steps are made of, their folding, the engine's
//                       value of a kept operand
//   exact_steps.h/.cpp  the steps in exact fractions
//   computed_steps.h/.cpp  the steps as the calculator computed them
//   gaussian_rational.h/.cpp  exact fractions and Gaussian rationals (GMP)
//   steps.h/.cpp        the choice between exact and computed steps
// No FLTK, no exceptions: errors are eERROR numbers in g_uiError_Number.
#pragma once

#include <cstdint>
#include <string>

#include "engine/state.h"

struct ClDisplayOptions;

constexpr int gc_iSTREAM_SIZE = 513;      // token stream entries, terminator included
constexpr long gc_lMAX_ENTRIES = 262144;  // one limit for every value (eERROR_MATRIX_SIZE)
constexpr int gc_iMAX_SQUARE = 512;       // the side of the largest square value
static_assert(long{gc_iMAX_SQUARE} * gc_iMAX_SQUARE == gc_lMAX_ENTRIES, "square within the limit");
constexpr long gc_lOUTPUT_SIZE = 3750000;  // display text store
constexpr int gc_iVARIABLE_SLOTS = 16;     // slots 0..5 hold plots, 6..15 the variables
constexpr int gc_iPLOT_SLOTS = 6;
static_assert(gc_iPLOT_SLOTS <= gc_aeVARIABLES.front(), "a plot would overwrite a variable");
static_assert(gc_aeVARIABLES.back() < gc_iVARIABLE_SLOTS, "a variable without a slot");

// The reference record: 1-based index rows and the referenced values.
struct Clmatrixref {
  ClMatrix m_mRow_Indices;
  ClMatrix m_mColumn_Indices;
  ClMatrix m_mValue;
};

class ClCalculator {
 public:
  ClCalculator();
  ~ClCalculator();

  static ClMatrix mp_mVariable[gc_iVARIABLE_SLOTS];
  static ClMatrix mp_mParser_Output;
  static ClMatrix mp_mLast_Output;
  static ClMatrix mp_mLinear;
  static const ClToken mp_NULL_TOKEN;
  static const ClState mp_NULL_STATE;

  // Releases every value; safe to run twice.
  static void releaseAll();

  // --- lexer (lexer.cpp)
  static bool tLexer();
  static bool charToDouble(const char* acText, double& dValue);
  static bool valueCheck(uint16_t uiLength);
  static bool unaryCheck(uint16_t uiLength);
  static bool binaryCheck(uint16_t uiLength);
  static bool closeCheck(uint16_t uiLength);

  // --- parser (parser.cpp)
  static bool tParser();
  static ClMatrix statement();
  static ClMatrix assignment();
  static ClMatrix expression();
  static ClMatrix term();
  static ClMatrix binary();
  static ClMatrix unary();
  static ClMatrix operand();
  // Token at the cursor plus uiAhead; the terminator at and beyond the end.
  static eTOKEN peekToken(uint16_t uiAhead = 0);
  // Moves the cursor past the current token, never past the terminator.
  static void nextToken();

  // --- operands (operands.cpp)
  static ClMatrix primary();
  static ClMatrix scalar();
  static ClMatrix matrix();
  static ClMatrix variable();
  static Clmatrixref matrixref();
  static ClMatrix mvlist();
  static ClMatrix rowlist();
  static ClMatrix list();

  // --- prefix operators (functions.cpp)
  // Applies one prefix operator; on failure V is emptied and an error set.
  static void applyPrefix(eTOKEN eToken, ClMatrix& mV);
  // An elementwise operator, a row reduction or Tran applied to S, the
  // result into V, S left as it is; false (nothing done) for the others.
  static bool applyPrefixTo(eTOKEN eToken, const ClMatrix& mSource, ClMatrix& mV);
  static ClComplex gamma(ClComplex cZ);

  // --- decompositions (decompositions.cpp)
  static ClMatrix charPoly(const ClMatrix& mM);
  static ClMatrix polyMultiply(const ClMatrix& mP, const ClMatrix& mQ);
  // Replaces A by R and writes Q (and P when pivoting): A = Q R or A P = Q R.
  // A factor above the entry limit empties A instead (eERROR_MATRIX_SIZE).
  static void qrCompute(ClMatrix& mA, bool bPivoting);

  // --- argument functions (argfunctions.cpp)
  static ClMatrix exceptionalUnary();
  static ClMatrix constructor();  // Id, Ones, El_Op at the cursor, else empty

  // --- display (display.cpp)
  static void cleanMatrix(ClMatrix& mM);
  // The tolerance cleanMatrix applies to every part of a finite matrix, for
  // passes that clean each part as they read it; false when some entry is
  // not finite (or M is empty).
  static bool finiteTolerance(const ClMatrix& mM, double& dTolerance);
  // The fraction p/q the Rational format shows for x (0 for a tiny x); false
  // beyond the largest it shows as a fraction, where it shows the integer part.
  static bool shownFraction(double dX, int64_t& llNumerator, int64_t& llDenominator);
  // The result's text into g_acOutput_Line, by the one writer (display.h).
  static void matrixDisplay(const ClMatrix& mM, const ClDisplayOptions& options);
};

bool isNumber(const ClMatrix& mM);

// A signed zero never reaches a branch cut: the user cannot type one, so -4
// must behave as -4 + 0i ("Sqrt -4" is 2i), whatever the other entries are.
inline ClComplex unsignZero(ClComplex cZ) {
  return {cZ.real() + 0.0, cZ.imag() + 0.0};
}

// Records an error unless one is already set (the first error wins).
void setError(eERROR eError);
// Records an error over any earlier one: only for the few errors that must be
// the one reported, each call with its reason.
void overrideError(eERROR eError);

// The engine as at program start: no values, no error, the start settings,
// an empty token stream and line, and rand()'s sequence from its beginning.
// Tests, drivers and fuzz harnesses start each case from here.
void resetEngineState();

extern ClCalculator g_Calculator;

// Engine state shared by the stages.
extern ClToken lg_aToken_Stream[gc_iSTREAM_SIZE];
extern uint16_t lg_uiToken_Stream_Length;
extern uint16_t lg_uiNext_Token;
extern bool lg_bIs_Arg_List;
extern bool lg_bIs_Arg_List_1;

extern uint16_t g_uiError_Number;
extern bool g_bRepeat;
extern bool g_bFailTest;
extern bool g_bPlot;
extern bool g_bZero_Out;
enum eVIEW_STATE : int32_t { eDECIMAL, eFLOATING_POINT, eRATIONAL };
extern int32_t g_eView_State;  // an eVIEW_STATE
extern char g_acOutput_Line[gc_lOUTPUT_SIZE];

// Graph state read by Plot (written by the graph pane).
extern uint16_t g_uiActive_Plots;
// The graph closed, open in front of the text, or open with the text in front.
enum eOUTPUT : int32_t { eNO_GRAPH, eGRAPH_IN_FRONT, eTEXT_IN_FRONT };
extern int32_t g_eOutput;  // an eOUTPUT

// History count: read by Rpt for its default first offset, kept by the
// command layer; defined here so the engine links on its own.
extern uint16_t g_uiHistory_Next;
