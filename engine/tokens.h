// Token vocabulary: codes, display names, token characters and kinds, the
// three dictionaries that connect them, and the error message table.
// Nothing here evaluates anything.
#pragma once

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

// One row of the vocabulary: the single source of the display names, the
// token characters (also the keyboard keys) and the kinds.
struct ClTokenInfo {
  eTOKEN m_eCode;
  const char* m_acName;  // display name, blanks included
  int m_iCharacter;      // token character 1..127, 0 for none
  eKIND m_eKind;
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
inline bool isVariableToken(int t) {
  return kindOf(t) == eKIND_VARIABLE;
}
inline bool isDigitToken(int t) {
  return t >= eDIGIT_0 && t <= eDIGIT_9;
}
inline bool isNumberPart(int t) {
  return kindOf(t) == eKIND_NUMBER_PART;
}
inline bool isPrefixFunction(int t) {
  return kindOf(t) == eKIND_PREFIX;
}

constexpr int gc_iERROR_COUNT = 32;
extern const char* const gc_aacERROR_MESSAGE[gc_iERROR_COUNT];
