// SPDX-License-Identifier: GPL-3.0-or-later
// Token vocabulary: codes, display names, token characters, kinds and
// grammar flags, the dictionaries that connect them, every token class the
// lexer, parser and typing checks test, and the named errors with their
// messages. Nothing here evaluates anything.
#pragma once

#include <array>
#include <cstdint>

// 32-bit token code; the numbers are stored in lines and data files and are
// tested as ranges, so they never change.
enum eTOKEN : int32_t {
  eNULL = 0,
  eBLANK,
  eREAL_NUMBER,
  eIMAG_NUMBER,
  eI,
  ePI,
  eVAR_A,
  eVAR_U,
  eVAR_B,
  eVAR_V,
  eVAR_C,
  eVAR_u,
  eVAR_P,
  eVAR_v,
  eVAR_Q,
  eVAR_w,
  eDIAG,
  eSUM,
  eMAX,
  eMIN,
  eID,
  eONES,
  eNORM,
  eOPNM,
  eINV,
  eCHARP,
  eDET,
  eEVALS,
  eTRAN,
  eCONJ,
  eRNDU,
  eRNDN,
  eNCR,
  eMOD,
  eEXP,
  eCIS,
  eLN,
  eLOG,
  eCOS,
  eACOS,
  eSIN,
  eASIN,
  eTAN,
  eATAN,
  eCOSH,
  eACOSH,
  eSINH,
  eASINH,
  eTANH,
  eATANH,
  eREAL,
  eIMAG,
  eROUND,
  eTRUNC,
  eSCHUR,
  eSVD,
  eRREF,
  eEL_OP,
  eASSIGN,        // 58
  eANS,           // 59
  eRBRACKET,      // 60 ]
  eNEXT,          // 61
  eRPAREN,        // 62 )
  eSEMICOLON,     // 63
  eCOLON,         // 64
  eCOMMA,         // 65
  eLBRACKET,      // 66 [
  ePREV,          // 67
  eLPAREN,        // 68 (
  eMINUS,         // 69
  ePLUS,          // 70
  eLEFT_DIV,      // 71 backslash
  eEL_LEFT_DIV,   // 72 .\ (built by the lexer)
  eRIGHT_DIV,     // 73 /
  eEL_RIGHT_DIV,  // 74 ./ (built by the lexer)
  eTIMES,         // 75 *
  eEL_TIMES,      // 76 .* (built by the lexer)
  eSOLVE,         // 77
  eROOTS,         // 78
  ePOWER,         // 79
  eQR,            // 80
  eDIGIT_0,       // 81 .. 90 are the digits
  eDIGIT_1,
  eDIGIT_2,
  eDIGIT_3,
  eDIGIT_4,
  eDIGIT_5,
  eDIGIT_6,
  eDIGIT_7,
  eDIGIT_8,
  eDIGIT_9,
  ePOINT,     // 91
  eEXPONENT,  // 92 E
  eRPT,       // 93
  eRIGHT,     // 94
  ePLOT,      // 95
  eLEFT,      // 96
  eSQRT,      // 97
  eBKSP,      // 98
  eTENSOR,    // 99 tensor X
  eCLEAR,     // 100
  eALT,       // 101
  eENTER,     // 102
};

constexpr int gc_iTOKEN_COUNT = 103;

enum eKIND : uint8_t {
  eKIND_TERMINATOR,
  eKIND_UNUSED,
  eKIND_NUMBER,
  eKIND_CONSTANT,
  eKIND_VARIABLE,
  eKIND_PREFIX,
  eKIND_ANS,
  eKIND_BINARY,
  eKIND_MINUS,
  eKIND_ASSIGN,
  eKIND_OPEN,
  eKIND_CLOSE,
  eKIND_SEPARATOR,
  eKIND_NUMBER_PART,
  eKIND_COMMAND,
};

// Grammar classes that cut across the kinds; a row's m_uiFlags. The lexer
// reads them on the token stream, the typing checks on the line.
enum eTOKEN_FLAG : uint8_t {
  // operand() applies it to the primary that follows (unary minus included)
  eFLAG_PREFIX_LEVEL = 1 << 0,
  // still waits for its operand, the lexer refuses a binary operator after
  // it: every prefix key, `=`, `(`, `-` and the binary operators (not `[`
  // and the separators)
  eFLAG_WAITS_OPERAND = 1 << 1,
  // Diag .. El_Op and `=`: the lexer refuses `)` or `]` after it and typing
  // refuses it after a number; Roots, QR, Rpt, Plot and Sqrt are not in it
  eFLAG_NO_CLOSE_AFTER = 1 << 2,
  // a binary operator that needs a value on both sides while typing; Solve
  // is typed anywhere and left to the lexer
  eFLAG_STRICT_BINARY = 1 << 3,
  // Id .. RREF, Roots and Sqrt: typing refuses one after a value and a strict
  // binary after one; Diag, Sum, Max, Min, El_Op, QR, Rpt and Plot are not
  // held to that while typing
  eFLAG_HEAVY = 1 << 4,
  // typing refuses a strict binary after it: the heavy functions, El_Op, `=`,
  // the separators, `[`, `(` and the binary operators; unlike the lexer it
  // lets one follow `-`, Diag, Sum, Max, Min, QR, Rpt and Plot
  eFLAG_NO_BINARY_TYPED = 1 << 5,
};

// One row of the vocabulary: the single source of the display names, the
// token characters (also the keyboard keys), the kinds and the grammar flags.
struct ClTokenInfo {
  eTOKEN m_eCode;
  const char* m_acName;  // display name, blanks included
  int m_iCharacter;      // token character 1..127, 0 for none
  eKIND m_eKind;
  uint8_t m_uiFlags;  // eTOKEN_FLAG bits
};

extern const ClTokenInfo gc_aTOKEN_TABLE[gc_iTOKEN_COUNT];
// Display name of a token code ("" outside 0..102).
const char* tokenName(int t);

// character (0..127) -> token code; filled from the table (the keypad stores
// the same values when it is built)
extern eTOKEN g_aeDictionary[128];
// token code -> token character, built from g_aeDictionary
extern uint16_t g_eiDictionary[gc_iTOKEN_COUNT];

// Stores every token character of the table into g_aeDictionary.
void fillKeyboardMap();
// Rebuilds g_eiDictionary from g_aeDictionary (highest character wins).
void buildInverseMap();

// Token code of a line character (a signed byte used as an index).
inline eTOKEN tokenOf(char c) {
  const int iIndex = static_cast<signed char>(c);
  return iIndex < 0 ? eNULL : g_aeDictionary[iIndex];
}
inline char charOf(eTOKEN t) {
  return static_cast<char>(g_eiDictionary[t]);
}

// Kind of a token code from the table; codes outside 0..102 are unused.
inline eKIND kindOf(int t) {
  return t >= 0 && t < gc_iTOKEN_COUNT ? gc_aTOKEN_TABLE[t].m_eKind : eKIND_UNUSED;
}
inline bool hasFlag(int t, eTOKEN_FLAG eFlag) {
  return t >= 0 && t < gc_iTOKEN_COUNT && (gc_aTOKEN_TABLE[t].m_uiFlags & eFlag) != 0;
}

// --- classes of the kinds
inline bool isVariableToken(int t) {
  return kindOf(t) == eKIND_VARIABLE;
}
// The variables' codes in code order, which is also the order a history file
// keeps their values in; the table's kind column marks exactly these.
inline constexpr std::array gc_aeVARIABLES = {eVAR_A, eVAR_U, eVAR_B, eVAR_V, eVAR_C,
                                              eVAR_u, eVAR_P, eVAR_v, eVAR_Q, eVAR_w};
// A variable or Ans: a value stored under a name, which may be referenced.
inline bool isNamedValue(int t) {
  return isVariableToken(t) || kindOf(t) == eKIND_ANS;
}
inline bool isNumberPart(int t) {
  return kindOf(t) == eKIND_NUMBER_PART;
}
// A number part that stands for itself in the number's text.
inline bool isDigitToken(int t) {
  if (!isNumberPart(t)) return false;
  const int iCharacter = gc_aTOKEN_TABLE[t].m_iCharacter;
  return iCharacter >= '0' && iCharacter <= '9';
}
// Every prefix key: the lexer refuses one after a value, Auto Parens opens
// a parenthesis after one.
inline bool isPrefixFunction(int t) {
  return kindOf(t) == eKIND_PREFIX;
}
// Every binary operator but `-`, which may be unary.
inline bool isBinaryOperator(int t) {
  return kindOf(t) == eKIND_BINARY;
}
inline bool isSeparator(int t) {
  return kindOf(t) == eKIND_SEPARATOR;
}
inline bool isClosing(int t) {
  return kindOf(t) == eKIND_CLOSE;
}
inline bool isOpening(int t) {
  return kindOf(t) == eKIND_OPEN;
}
// `)`, `]` or the terminator: an element list stops there.
inline bool endsList(int t) {
  return isClosing(t) || kindOf(t) == eKIND_TERMINATOR;
}
// A value ends here (a number, i, Pi, a variable, `)` or `]`): no other value
// may follow. Ans is not one: the lexer and the number keys take a value
// after Ans.
inline bool endsValue(int t) {
  const eKIND eKind = kindOf(t);
  return eKind == eKIND_NUMBER || eKind == eKIND_CONSTANT || eKind == eKIND_VARIABLE ||
         eKind == eKIND_CLOSE;
}
// While typing a value also ends with Ans or with a number being typed: no
// named value or heavy function may follow.
inline bool endsTypedValue(int t) {
  return endsValue(t) || kindOf(t) == eKIND_ANS || isNumberPart(t);
}
// A token a stored line may hold: any but Null and the editing keys.
inline bool isLineToken(int t) {
  return t > eNULL && t < gc_iTOKEN_COUNT && kindOf(t) != eKIND_COMMAND;
}
inline bool isLineCharacter(char c) {
  return isLineToken(tokenOf(c));
}

// --- classes of the flags
inline bool isPrefixLevel(int t) {
  return hasFlag(t, eFLAG_PREFIX_LEVEL);
}
inline bool waitsForOperand(int t) {
  return hasFlag(t, eFLAG_WAITS_OPERAND);
}
inline bool refusesCloseAfter(int t) {
  return hasFlag(t, eFLAG_NO_CLOSE_AFTER);
}
// While typing: `[`, `(`, `=` and Diag .. El_Op may not follow a number or i.
inline bool refusedAfterNumber(int t) {
  return isOpening(t) || refusesCloseAfter(t);
}
inline bool isStrictBinary(int t) {
  return hasFlag(t, eFLAG_STRICT_BINARY);
}
inline bool isHeavyFunction(int t) {
  return hasFlag(t, eFLAG_HEAVY);
}
inline bool refusesStrictBinaryTyped(int t) {
  return hasFlag(t, eFLAG_NO_BINARY_TYPED);
}

// Errors by message; 0 is none. The value indexes gc_aacERROR_MESSAGE and is
// what g_uiError_Number holds.
enum eERROR : uint16_t {
  eERROR_NONE,
  eERROR_NUMBER_INPUT,
  eERROR_KEY_INPUT,
  eERROR_ASSIGNMENT,
  eERROR_MISSING_PARENTHESES,
  eERROR_BAD_PARAMETER_LIST,
  eERROR_SIZE_MISMATCH,
  eERROR_SCALAR_EXPRESSION,
  eERROR_EXPRESSION,
  eERROR_NON_SQUARE,
  eERROR_SINGULAR,
  eERROR_SCALAR_RANGE,
  eERROR_INVALID_NUMBERS,
  eERROR_OPERATOR_CALCULATION,
  eERROR_MISPLACED_VALUE,
  eERROR_MISPLACED_OPERATOR,
  eERROR_MISPLACED_BINARY,
  eERROR_MISPLACED_CLOSE,
  eERROR_MISSING_CLOSE,
  eERROR_MATRIX_SIZE,
  eERROR_DIMENSIONS_TOO_LARGE,
  eERROR_INVALID_COORDINATES,
  eERROR_INVALID_POLYNOMIAL,
  eERROR_GRAPH_LIMIT,
  eERROR_EMPTY_MATRIX,
  eERROR_STEP_SIZE,
  eERROR_CONDITIONAL,
  eERROR_PLOT_NOT_OPEN,
  eERROR_RPT_LIMIT,
  eERROR_GRAPH_PARAMETERS,
  eERROR_RPT_NOT_EXECUTED,
  eERROR_BAD_INTEGERS,
  eERROR_COUNT
};

constexpr int gc_iERROR_COUNT = eERROR_COUNT;
// One message an error, in the order of eERROR.
inline constexpr const char* gc_aacERROR_MESSAGE[] = {
    "",
    "Number input error",
    "Key input error",
    "Assignment error",
    "Missing parentheses or bracket",
    "Bad parameter list",
    "Matrix size mismatch",
    "Incorrect scalar expression",
    "Expression error",
    "Non-square matrix",
    "Singular matrix",
    "Scalar value not in correct range",
    "Invalid numbers",
    "Operator calculation error",
    "Misplaced value",
    "Misplaced operator",
    "Misplaced binary operator",
    "Misplaced right parenthesis or bracket",
    "Missing right parenthesis or bracket",
    "Matrix size error",
    "Matrix dimensions too large",
    "Invalid coordinates",
    "Invalid polynomial",
    "Graph limit exceeded",
    "Empty matrix",
    "Incorrect step size",
    "Incorrect conditional",
    "Plot window is not open",
    "Limit on Rpts exceeded",
    "\nGraph parameters incorrect, using defaults [-3, 3, 1, -2, 2, 1]",
    "Rpt command not executed",
    "Bad integer values",
};
static_assert(sizeof gc_aacERROR_MESSAGE / sizeof gc_aacERROR_MESSAGE[0] == gc_iERROR_COUNT,
              "one message for each eERROR");
