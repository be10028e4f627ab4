// SPDX-License-Identifier: GPL-3.0-or-later
// The keypad table and its builder, and the Alt switch. Labels, colours,
// fonts and tooltips are kept once here; the two grids place the primaries,
// and each alternate sits on its primary's cell.
#include "ui/keypad.h"

#include <FL/Enumerations.H>
#include <FL/Fl.H>

#include "command/callback.h"
#include "ui/keyboard.h"
#include "ui/widgets.h"
#include "ui/zoom.h"

// After Eigen: the X11 headers it pulls in define Success, a name Eigen uses.
#include <FL/fl_draw.H>

ClButton* g_epbDictionary[gc_iTOKEN_COUNT] = {};
bool lg_bAlt_On = false;

const ClAltPair lg_eALTS[gc_iALT_PAIRS] = {
    {ePLOT, eLEFT},   {eRPT, eRIGHT},   {eLBRACKET, ePREV}, {eRBRACKET, eNEXT}, {ePOWER, eQR},
    {eEXP, eCIS},     {eLN, eLOG},      {eCOS, eACOS},      {eSIN, eASIN},      {eTAN, eATAN},
    {eREAL, eIMAG},   {eTRAN, eCONJ},   {eCOSH, eACOSH},    {eSINH, eASINH},    {eTANH, eATANH},
    {eI, ePI},        {eNCR, eMOD},     {eMAX, eMIN},       {eROUND, eTRUNC},   {eRNDU, eRNDN},
    {eDET, eEVALS},   {eINV, eCHARP},   {eDIAG, eSUM},      {eNORM, eOPNM},     {eSQRT, eBKSP},
    {eASSIGN, eANS},  {eRREF, eEL_OP},  {eSOLVE, eROOTS},   {eID, eONES},       {eSCHUR, eSVD},
    {eVAR_A, eVAR_U}, {eVAR_B, eVAR_V}, {eVAR_C, eVAR_u},   {eVAR_P, eVAR_v},   {eVAR_Q, eVAR_w},
    {eTENSOR, eCLEAR}};

namespace {

enum eKEY_COLOUR { eBLACK, eWHITE, eGREY, eORANGE };

struct ClKey {
  eTOKEN m_eCode;
  const char* m_acLabel;
  const char* m_acPortrait_Label;  // null: as landscape
  eKEY_COLOUR m_eColour;
  int m_iSize;
  int m_iPortrait_Size;
  bool m_bBold;
  const char* m_acTooltip;
  const char* m_acPortrait_Tooltip;  // null: as landscape
};

const ClKey gc_aKEYPAD[] = {
    {eI, "i", nullptr, eBLACK, 18, 18, true, "Complex number i", nullptr},
    {ePI, "Pi", nullptr, eBLACK, 18, 18, false, "Pi returns value of constant pi (key p)", nullptr},
    {eVAR_A, "A", nullptr, eGREY, 18, 18, false, "Matrix variable A", nullptr},
    {eVAR_U, "U", nullptr, eGREY, 18, 18, false, "Matrix variable U", nullptr},
    {eVAR_B, "B", nullptr, eGREY, 18, 18, false, "Matrix variable B", nullptr},
    {eVAR_V, "V", nullptr, eGREY, 18, 18, false, "Matrix variable V", nullptr},
    {eVAR_C, "C", nullptr, eGREY, 18, 18, false, "Matrix variable C", nullptr},
    {eVAR_u, "u", nullptr, eGREY, 18, 18, false, "Matrix variable u", nullptr},
    {eVAR_P, "P", nullptr, eGREY, 18, 18, false, "Matrix variable P", nullptr},
    {eVAR_v, "v", nullptr, eGREY, 18, 18, false, "Matrix variable v", nullptr},
    {eVAR_Q, "Q", nullptr, eGREY, 18, 18, false, "Matrix variable Q", nullptr},
    {eVAR_w, "w", nullptr, eGREY, 18, 18, false, "Matrix variable w", nullptr},
    {eDIAG, "Diag", nullptr, eBLACK, 18, 18, false,
     "Diag(M) returns diagonal vector from matrix M or square diagonal matrix from vector M and "
     "Diag(M,k) returns a square matrix with vector M along the kth diagonal (key g)",
     nullptr},
    {eSUM, "Sum", nullptr, eBLACK, 18, 18, false,
     "Sum M returns sum of entries of vector M or row sums of matrix M (key Y)", nullptr},
    {eMAX, "Max", nullptr, eBLACK, 18, 18, false,
     "Max M returns maximum entry of vector M or row maxima of matrix M (key M)", nullptr},
    {eMIN, "Min", nullptr, eBLACK, 18, 18, false,
     "Min M returns minimum entry of vector M or row minima of matrix M (key m)", nullptr},
    {eID, "Id", nullptr, eBLACK, 18, 18, false,
     "Id(r,s) returns r x s identity matrix, Id(A) returns identity matrix of same size as A, "
     "provided A is not 1x2 (key d)",
     nullptr},
    {eONES, "Ones", nullptr, eBLACK, 18, 18, false,
     "Ones(r,s) returns r x s matrix of ones, Ones(A) returns matrix of ones of size of A, "
     "provided A is not 1x2 (key O)",
     nullptr},
    {eNORM, "Norm", nullptr, eBLACK, 18, 18, false,
     "Norm(p, M) returns vector p-norm (p >= 1) of matrix or vector M, form Norm(M) returns vector "
     "infinity-norm of M (key n)",
     nullptr},
    {eOPNM, "OpNm", nullptr, eBLACK, 18, 18, false,
     "OpNm(M) returns operator infinity-norm of M, OpNm(1,M) returns operator 1-norm of M and "
     "OpNm(2,M) returns operator 2-norm of M (key N)",
     nullptr},
    {eINV, "Inv", nullptr, eBLACK, 18, 18, false,
     "Inv M returns matrix inverse of square nonsingular matrix M (key I)", nullptr},
    {eCHARP, "CharP", nullptr, eBLACK, 18, 18, false,
     "CharP M returns row of coefficients of characteristic polynomial of square M (key Z)",
     nullptr},
    {eDET, "Det", nullptr, eBLACK, 18, 18, false,
     "Det M returns determinant of square matrix M (key D)", nullptr},
    {eEVALS, "Evals", nullptr, eBLACK, 18, 18, false,
     "Evals M returns vector of eigenvalues of square matrix M and stores eigenvectors as columns "
     "of variable U (key H)",
     nullptr},
    {eTRAN, "Tran", nullptr, eBLACK, 18, 18, false, "Tran M returns transpose of matrix M (key ')",
     nullptr},
    {eCONJ, "Conj", nullptr, eBLACK, 18, 18, false,
     "Conj M returns matrix of complex conjugates of entries of M (key K)", nullptr},
    {eRNDU, "RndU", nullptr, eBLACK, 18, 18, false,
     "RndU M returns matrix of uniform (0,1) randomized entries of nonzero entries of M (key r)",
     nullptr},
    {eRNDN, "RndN", nullptr, eBLACK, 18, 18, false,
     "RndN M returns matrix of standard normal randomized entries of nonzero entries of M (key _)",
     nullptr},
    {eNCR, "nCr", nullptr, eBLACK, 18, 18, false,
     "nCr(M) returns matrix of factorials (Gamma(x+1) of entries of matrix M and nCr(n,r) returns "
     "the combinatorial number (binomial coefficient) n choose r (key q)",
     nullptr},
    {eMOD, "Mod", nullptr, eBLACK, 18, 18, false,
     "Mod(M,n) returns matrix of entries of integer matrix M modulo positive integer n (key W)",
     nullptr},
    {eEXP, "Exp", nullptr, eBLACK, 18, 18, false,
     "Exp M returns exponential of entries of matrix M (key e)", nullptr},
    {eCIS, "Cis", nullptr, eBLACK, 18, 18, false,
     "Cis M returns complex exponential of entries of matrix M (key F)", nullptr},
    {eLN, "Ln", nullptr, eBLACK, 18, 18, false,
     "Ln M returns natural log of entries of matrix M (key l)", nullptr},
    {eLOG, "Log", nullptr, eBLACK, 18, 18, false,
     "Log M returns common log of entries of matrix M (key L", nullptr},
    {eCOS, "Cos", nullptr, eBLACK, 18, 18, false,
     "Cos M returns matrix of cosine of entries of M (key c)", nullptr},
    {eACOS, "aCos", nullptr, eBLACK, 18, 18, false,
     "aCos M returns matrix of inverse cosine of entries of M (key b)", nullptr},
    {eSIN, "Sin", nullptr, eBLACK, 18, 18, false,
     "Sin M returns sine of entries of matrix M (key s)", nullptr},
    {eASIN, "aSin", nullptr, eBLACK, 18, 18, false,
     "aSin M returns inverse sine of entries of matrix M (key S)", nullptr},
    {eTAN, "Tan", nullptr, eBLACK, 18, 18, false,
     "Tan M returns tangent of entries of matrix M (key t)", nullptr},
    {eATAN, "aTan", nullptr, eBLACK, 18, 18, false,
     "aTan M returns inverse tangent of entries of matrix M (key T)", nullptr},
    {eCOSH, "Cosh", nullptr, eBLACK, 18, 18, false,
     "Cosh M returns matrix of hyperbolic cosine of entries of M (key !)", nullptr},
    {eACOSH, "aCosh", nullptr, eBLACK, 18, 18, false,
     "aCosh M returns matrix of inverse hyperbolic cosine of entries of M (key ?)", nullptr},
    {eSINH, "Sinh", nullptr, eBLACK, 18, 18, false,
     "Sinh M returns hyperbolic sine of entries of matrix M (key #)", nullptr},
    {eASINH, "aSinh", nullptr, eBLACK, 18, 18, false,
     "aSinh M returns inverse hyperbolic sine of entries of matrix M (key $)", nullptr},
    {eTANH, "Tanh", nullptr, eBLACK, 18, 18, false,
     "Tanh M returns hiyperbolic tangent of entries of matrix M (key %)", nullptr},
    {eATANH, "aTanh", nullptr, eBLACK, 18, 18, false,
     "aTanh M returns inverse hyperbolic tangent of entries of matrix M (key &)", nullptr},
    {eREAL, "Real", nullptr, eBLACK, 18, 18, false,
     "Real M returns matrix of real part of entries of M (key x)", nullptr},
    {eIMAG, "Imag", nullptr, eBLACK, 18, 18, false,
     "Imag M returns matrix of imaginary part of entries of matrix M (key y)", nullptr},
    {eROUND, "Round", nullptr, eBLACK, 18, 18, false,
     "Round M returns matrix of rounded values of entries of M (key J)", nullptr},
    {eTRUNC, "Trunc", nullptr, eBLACK, 18, 18, false,
     "Trunc M returns matrix of truncated values of matrix M (key j)", nullptr},
    {eSCHUR, "Schur", nullptr, eBLACK, 18, 18, false,
     "Schur M returns triangular T of Schur triangularization and Schur U in the variable U for "
     "square matrix M (key h)",
     nullptr},
    {eSVD, "SVD", nullptr, eBLACK, 18, 18, false,
     "SVD M returns vector of singular values of matrix M, stores U and V of SVD in variables of "
     "same name (key k)",
     nullptr},
    {eRREF, "RREF", nullptr, eBLACK, 18, 18, false,
     "RREF M returns reduced row echelon form of matrix M (key R)", nullptr},
    {eEL_OP, "El_Op", nullptr, eBLACK, 18, 18, false,
     "Returns n x n elementary matrix: El_Op(0,n,i,j) returns Eij, El_Op(1,n,i,r) returns Ei(r), "
     "El_Op(2,n,i,j,r) returns Eij(r) (key o)",
     nullptr},
    {eASSIGN, "=", nullptr, eBLACK, 18, 18, false,
     "Make assignment of value to left-hand side variable", nullptr},
    {eANS, "Ans", nullptr, eBLACK, 18, 18, false, "Last output (key a)", nullptr},
    {eRBRACKET, "]", nullptr, eBLACK, 18, 18, false, nullptr, nullptr},
    {eNEXT, "Next", nullptr, eBLACK, 18, 18, false, "Go to next input line (key Down Arrow)",
     nullptr},
    {eRPAREN, ")", nullptr, eBLACK, 18, 18, false, nullptr, nullptr},
    {eSEMICOLON, ";", nullptr, eBLACK, 18, 18, true, nullptr, nullptr},
    {eCOLON, ":", nullptr, eBLACK, 18, 18, true,
     "a : b specifies coordinate range from index a to index b (key :)", nullptr},
    {eCOMMA, ",", nullptr, eBLACK, 18, 18, true, nullptr, nullptr},
    {eLBRACKET, "[", nullptr, eBLACK, 18, 18, false, nullptr, nullptr},
    {ePREV, "Prev", nullptr, eBLACK, 18, 18, false, "Go to previous input line (key Up Arrow)",
     nullptr},
    {eLPAREN, "(", nullptr, eBLACK, 18, 18, false, nullptr, nullptr},
    {eMINUS, "-", nullptr, eWHITE, 24, 24, false, nullptr, nullptr},
    {ePLUS, "+", nullptr, eWHITE, 18, 18, false, nullptr, nullptr},
    {eLEFT_DIV, "\\", nullptr, eBLACK, 24, 24, false,
     "M\\N returns Inverse(M)*N for square matrix M", nullptr},
    {eRIGHT_DIV, "/", nullptr, eWHITE, 24, 24, false,
     "M/N returns M*Inverse(N) for square matrix N", nullptr},
    {eTIMES, "*", nullptr, eWHITE, 24, 24, false, nullptr, nullptr},
    {eSOLVE, "Solve", nullptr, eBLACK, 18, 18, false,
     "M Solve B returns a (least squares) solution to system M*X=B (key G)", nullptr},
    {eROOTS, "Roots", nullptr, eBLACK, 18, 18, false,
     "Roots M returns roots of vector M of polynomial coefficients (key z)", nullptr},
    {ePOWER, "  ^  ", nullptr, eBLACK, 18, 18, false,
     "M ^ x returns entries of matrix M to x-th power (key ^)", nullptr},
    {eQR, " QR", "QR", eBLACK, 18, 18, false,
     "QR(M) returns matrix R of QR factorization, matrix Q in variable Q, permutation matrices in "
     "variables V, P (key |)",
     "QR(M) returns R of QR factorization, Q in variable Q  (key |)"},
    {eDIGIT_0, "0", nullptr, eWHITE, 24, 24, false, nullptr, nullptr},
    {eDIGIT_1, "1", nullptr, eWHITE, 24, 24, false, nullptr, nullptr},
    {eDIGIT_2, "2", nullptr, eWHITE, 24, 24, false, nullptr, nullptr},
    {eDIGIT_3, "3", nullptr, eWHITE, 24, 24, false, nullptr, nullptr},
    {eDIGIT_4, "4", nullptr, eWHITE, 24, 24, false, nullptr, nullptr},
    {eDIGIT_5, "5", nullptr, eWHITE, 24, 24, false, nullptr, nullptr},
    {eDIGIT_6, "6", nullptr, eWHITE, 24, 24, false, nullptr, nullptr},
    {eDIGIT_7, "7", nullptr, eWHITE, 24, 24, false, nullptr, nullptr},
    {eDIGIT_8, "8", nullptr, eWHITE, 24, 24, false, nullptr, nullptr},
    {eDIGIT_9, "9", nullptr, eWHITE, 24, 24, false, nullptr, nullptr},
    {ePOINT, ".", nullptr, eWHITE, 24, 24, true, nullptr, nullptr},
    {eEXPONENT, "E", nullptr, eWHITE, 18, 18, false, "Exponent sign for number entry", nullptr},
    {eRPT, "Rpt", nullptr, eBLACK, 18, 18, false,
     "Rpt(p) repeats all commands from start to this point p times, Rpt(p,m) repeats all commands "
     "from m steps back to this point p >= 0 times, Rpt(p,m,n) repeats all commands from m steps "
     "back to n steps back p times, Rpt(p,m,n,c) repeats all commands from m steps back to n steps "
     "back p times if c >= 0 or c > 0 if any additional scalar argument is appended as in "
     "Rpt(p,m,m,c,1) (key X)",
     nullptr},
    {eRIGHT, "–>", nullptr, eBLACK, 18, 18, false,
     "Right arrow moves cursor to right for editing current input line (key Right Arrow)", nullptr},
    {ePLOT, "Plot", nullptr, eBLACK, 18, 18, false,
     "Plot(x,y) plots dot-to-dot of points with horizontal coordinates x and vertical coordinates "
     "y (key f)",
     nullptr},
    {eLEFT, "<–", nullptr, eBLACK, 18, 18, false,
     "Left arrow moves cursor left for editing current input line (key Left Arrow)", nullptr},
    {eSQRT, "Sqrt", nullptr, eBLACK, 18, 18, false,
     "Sqrt M returns square root of entries of matrix M (key } )",
     "Sqrt M returns square root of entries of matrix M (key })"},
    {eBKSP, "BkSp", nullptr, eBLACK, 18, 18, false, "Delete last entry (key Backspace)", nullptr},
    {eTENSOR, " X ", nullptr, eBLACK, 18, 24, false,
     "P X Q returns the tensor product of P and Q (key { )",
     "P X Q returns the tensor product of P and Q(key {)"},
    {eCLEAR, "Clear", nullptr, eBLACK, 18, 18, false, "Clear current line (key ESC)", nullptr},
    // "@@": the toolkit draws a lone "@" at the end of a tooltip as an arrow.
    {eALT, "Alt", nullptr, eORANGE, 18, 18, false, "Alt button displays alternate buttons (key @@",
     nullptr},
    {eENTER, "Enter", nullptr, eORANGE, 18, 18, false, "Evaluate input line if nonempty", nullptr},
};

constexpr int gc_iKEY_COUNT = sizeof(gc_aKEYPAD) / sizeof(gc_aKEYPAD[0]);
static_assert(gc_iKEY_COUNT == 96, "one row per keypad button");

// Primaries (and the buttons without a pair) per cell, row by row.
constexpr int gc_iLANDSCAPE_COLUMNS = 10;
constexpr int gc_iPORTRAIT_COLUMNS = 6;
constexpr int gc_iCELLS = 60;

// clang-format off
const eTOKEN gc_aeLANDSCAPE_GRID[gc_iCELLS] = {
    ePLOT,      eRPT,     eTENSOR,   eLBRACKET,  eRBRACKET, eEXP,    eLN,    eCOS,   eSIN,   eTAN,
    eSEMICOLON, eCOLON,   eSQRT,     eLPAREN,    eRPAREN,   eREAL,   eTRAN,  eCOSH,  eSINH,  eTANH,
    eDIGIT_7,   eDIGIT_8, eDIGIT_9,  eRIGHT_DIV, eLEFT_DIV, eI,      eNCR,   eMAX,   eROUND, eRNDU,
    eDIGIT_4,   eDIGIT_5, eDIGIT_6,  eTIMES,     eCOMMA,    ePOWER,  eDET,   eINV,   eDIAG,  eNORM,
    eDIGIT_1,   eDIGIT_2, eDIGIT_3,  eMINUS,     eALT,      eASSIGN, eRREF,  eSOLVE, eID,    eSCHUR,
    eDIGIT_0,   ePOINT,   eEXPONENT, ePLUS,      eENTER,    eVAR_A,  eVAR_B, eVAR_C, eVAR_P, eVAR_Q};

const eTOKEN gc_aePORTRAIT_GRID[gc_iCELLS] = {
    eEXP,       eLN,      eCOS,      eSIN,       eTAN,      eSCHUR,
    eREAL,      eTRAN,    eCOSH,     eSINH,      eTANH,     eID,
    eI,         eNCR,     eMAX,      eROUND,     eRNDU,     eSOLVE,
    eVAR_A,     eVAR_B,   eVAR_C,    eVAR_P,     eVAR_Q,    eRREF,
    ePLOT,      eRPT,     eTENSOR,   eLBRACKET,  eRBRACKET, eASSIGN,
    eSEMICOLON, eCOLON,   eSQRT,     eLPAREN,    eRPAREN,   eNORM,
    eDIGIT_7,   eDIGIT_8, eDIGIT_9,  eRIGHT_DIV, eLEFT_DIV, eDIAG,
    eDIGIT_4,   eDIGIT_5, eDIGIT_6,  eTIMES,     eCOMMA,    eINV,
    eDIGIT_1,   eDIGIT_2, eDIGIT_3,  eMINUS,     ePOWER,    eDET,
    eDIGIT_0,   ePOINT,   eEXPONENT, ePLUS,      eENTER,    eALT};
// clang-format on

constexpr int gc_iKEY_W = 54;
constexpr int gc_iKEY_H = 30;
constexpr int gc_iPORTRAIT_BOTTOM_H = 35;  // the portrait bottom row is taller
constexpr int gc_iGRID_X = 10, gc_iGRID_DX = 60;
constexpr int gc_iLANDSCAPE_Y = 217, gc_iPORTRAIT_Y = 250, gc_iGRID_DY = 35;

// The primary whose cell the button of eCode shares, eNULL for a button
// with a cell of its own.
eTOKEN primaryOf(eTOKEN eCode) {
  for (const ClAltPair& pair : lg_eALTS)
    if (eCode == pair.m_eAlternate) return pair.m_ePrimary;
  return eNULL;
}

// Cell index of a button: its own, or its primary's for an alternate.
int cellOf(eTOKEN eCode, const eTOKEN* aeGrid) {
  const eTOKEN ePrimary = primaryOf(eCode);
  const eTOKEN eCell = ePrimary == eNULL ? eCode : ePrimary;
  for (int i = 0; i < gc_iCELLS; ++i)
    if (aeGrid[i] == eCell) return i;
  return -1;
}

// A button with the keyboard focus would otherwise fire on the space bar.
bool isSpaceKey() {
  return Fl::event() == FL_KEYDOWN && Fl::event_text()[0] == ' ';
}

// Every button's callback; the user data points at the button's token.
void button_cb(Fl_Widget*, void* pData) {
  if (isSpaceKey()) return;
  pressKey(*static_cast<const eTOKEN*>(pData));
}

void paint(ClButton* pButton, eKEY_COLOUR eColour) {
  static const Fl_Color gc_aBOX[] = {FL_BLACK, FL_WHITE, Fl_Color(31), Fl_Color(93)};
  pButton->color(gc_aBOX[eColour]);
  pButton->labelcolor(eColour == eBLACK ? FL_WHITE : FL_BLACK);
  pButton->selection_color(Fl_Color(49));
}

// The special key of the token (line commands, Escape, Enter), else its
// character. An upper-case letter is typed with Shift; FLTK writes that as
// Shift plus the lower-case letter.
int shortcutOf(eTOKEN eCode, int iCharacter) {
  const int iSpecial_Key = specialKeyOf(eCode);
  if (iSpecial_Key != 0) return iSpecial_Key;
  if (iCharacter >= 'A' && iCharacter <= 'Z') return FL_SHIFT + (iCharacter - 'A' + 'a');
  return iCharacter;
}

void buildButton(const ClKey& key, bool bPortrait) {
  const eTOKEN* aeGrid = bPortrait ? gc_aePORTRAIT_GRID : gc_aeLANDSCAPE_GRID;
  const int iColumns = bPortrait ? gc_iPORTRAIT_COLUMNS : gc_iLANDSCAPE_COLUMNS;
  const int iCell = cellOf(key.m_eCode, aeGrid);
  const int iRow = iCell / iColumns;
  const bool bTall = bPortrait && iRow == gc_iCELLS / iColumns - 1;
  const int iY = (bPortrait ? gc_iPORTRAIT_Y : gc_iLANDSCAPE_Y) + iRow * gc_iGRID_DY;
  const char* acLabel =
      bPortrait && key.m_acPortrait_Label ? key.m_acPortrait_Label : key.m_acLabel;

  const ClRect r = zoomed({gc_iGRID_X + (iCell % iColumns) * gc_iGRID_DX, iY, gc_iKEY_W,
                           bTall ? gc_iPORTRAIT_BOTTOM_H : gc_iKEY_H});
  ClButton* pButton = new ClButton(r.x, r.y, r.w, r.h, acLabel);
  pButton->box(FL_ROUND_UP_BOX);
  paint(pButton, key.m_eColour);
  if (key.m_eCode == eALT) {
    // A toggle keeps its look between presses; a plain button's key press
    // would spring back up after alt_cb has pressed it in.
    pButton->type(FL_TOGGLE_BUTTON);
    pButton->down_box(FL_ROUND_DOWN_BOX);
    pButton->selection_color(Fl_Color(94));
  }
  pButton->labelfont(key.m_bBold ? FL_HELVETICA_BOLD : FL_HELVETICA);
  pButton->labelsize(zoomed(bPortrait ? key.m_iPortrait_Size : key.m_iSize));
  const int iCharacter = gc_aTOKEN_TABLE[key.m_eCode].m_iCharacter;
  pButton->shortcut(shortcutOf(key.m_eCode, iCharacter));
  pButton->callback(button_cb, &pButton->m_eToken);
  pButton->when(FL_WHEN_RELEASE);
  if (primaryOf(key.m_eCode) != eNULL) {
    pButton->hide();
    pButton->deactivate();
  }
  pButton->m_eToken = key.m_eCode;
  pButton->m_cToken = static_cast<char>(iCharacter);
  g_epbDictionary[key.m_eCode] = pButton;
  g_aeDictionary[iCharacter] = key.m_eCode;
  const char* acTooltip =
      bPortrait && key.m_acPortrait_Tooltip ? key.m_acPortrait_Tooltip : key.m_acTooltip;
  if (acTooltip) pButton->tooltip(acTooltip);
}

// A centred label gets the box's inner width; two pixels each side keep it
// off the rounded border.
constexpr int gc_iLABEL_INSET = 4;
constexpr int gc_iSMALLEST_LABEL = 8;

int labelWidth(const ClButton* pButton, int iSize) {
  fl_font(pButton->labelfont(), iSize);
  int iW = 0, iH = 0;
  fl_measure(pButton->label(), iW, iH, 0);
  return iW;
}

void fitLabel(ClButton* pButton) {
  const int iRoom = pButton->w() - Fl::box_dw(pButton->box()) - zoomed(gc_iLABEL_INSET);
  const int iSmallest = zoomed(gc_iSMALLEST_LABEL);
  int iSize = pButton->labelsize();
  while (iSize > iSmallest && labelWidth(pButton, iSize) > iRoom) --iSize;
  pButton->labelsize(iSize);
}

void swap(ClButton* pHide, ClButton* pShow) {
  pHide->deactivate();
  pHide->hide();
  pShow->activate();
  pShow->show();
}

}  // namespace

void buildKeypad(bool bPortrait) {
  for (const ClKey& key : gc_aKEYPAD) buildButton(key, bPortrait);
  lg_bAlt_On = false;
}

void fitKeypadLabels() {
  for (ClButton* pButton : g_epbDictionary)
    if (pButton && pButton->label()) fitLabel(pButton);
}

void ClCallback::alt_cb(Fl_Widget*, void*) {
  g_epbDictionary[eALT]->value(lg_bAlt_On ? 0 : 1);
  for (const ClAltPair& pair : lg_eALTS) {
    ClButton* pPrimary = g_epbDictionary[pair.m_ePrimary];
    ClButton* pAlternate = g_epbDictionary[pair.m_eAlternate];
    if (lg_bAlt_On)
      swap(pAlternate, pPrimary);
    else
      swap(pPrimary, pAlternate);
  }
  lg_bAlt_On = !lg_bAlt_On;
}
