// SPDX-License-Identifier: GPL-3.0-or-later
// The token table: each fact about a token once.
#include "engine/tokens.h"

namespace {

// Flags shared by groups of rows.
// a prefix function that `)` may not follow
constexpr uint8_t gc_uiFUNCTION = eFLAG_WAITS_OPERAND | eFLAG_NO_CLOSE_AFTER;
// one that typing also keeps away from values and strict binaries
constexpr uint8_t gc_uiHEAVY = gc_uiFUNCTION | eFLAG_HEAVY | eFLAG_NO_BINARY_TYPED;
// Roots and Sqrt: heavy while typing, but `)` may follow them
constexpr uint8_t gc_uiLATE_HEAVY = eFLAG_WAITS_OPERAND | eFLAG_HEAVY | eFLAG_NO_BINARY_TYPED;
constexpr uint8_t gc_uiSTRICT_BINARY =
    eFLAG_WAITS_OPERAND | eFLAG_STRICT_BINARY | eFLAG_NO_BINARY_TYPED;

}  // namespace

// clang-format off
const ClTokenInfo gc_aTOKEN_TABLE[gc_iTOKEN_COUNT] = {
    {eNULL, "Null", 0, eKIND_TERMINATOR, 0},
    {eBLANK, "Blank", 0, eKIND_UNUSED, 0},
    {eREAL_NUMBER, "Real", 0, eKIND_NUMBER, 0},
    {eIMAG_NUMBER, "Im", 0, eKIND_NUMBER, 0},
    {eI, "i", 'i', eKIND_CONSTANT, 0},
    {ePI, "Pi", 'p', eKIND_CONSTANT, 0},
    {eVAR_A, "A", 'A', eKIND_VARIABLE, 0},
    {eVAR_U, "U", 'U', eKIND_VARIABLE, 0},
    {eVAR_B, "B", 'B', eKIND_VARIABLE, 0},
    {eVAR_V, "V", 'V', eKIND_VARIABLE, 0},
    {eVAR_C, "C", 'C', eKIND_VARIABLE, 0},
    {eVAR_u, "u", 'u', eKIND_VARIABLE, 0},
    {eVAR_P, "P", 'P', eKIND_VARIABLE, 0},
    {eVAR_v, "v", 'v', eKIND_VARIABLE, 0},
    {eVAR_Q, "Q", 'Q', eKIND_VARIABLE, 0},
    {eVAR_w, "w", 'w', eKIND_VARIABLE, 0},
    {eDIAG, "Diag", 'g', eKIND_PREFIX, gc_uiFUNCTION},
    {eSUM, "Sum ", 'Y', eKIND_PREFIX, gc_uiFUNCTION | eFLAG_PREFIX_LEVEL},
    {eMAX, "Max ", 'M', eKIND_PREFIX, gc_uiFUNCTION | eFLAG_PREFIX_LEVEL},
    {eMIN, "Min ", 'm', eKIND_PREFIX, gc_uiFUNCTION | eFLAG_PREFIX_LEVEL},
    {eID, "Id", 'd', eKIND_PREFIX, gc_uiHEAVY},
    {eONES, "Ones", 'O', eKIND_PREFIX, gc_uiHEAVY},
    {eNORM, "Norm", 'n', eKIND_PREFIX, gc_uiHEAVY},
    {eOPNM, "OpNm", 'N', eKIND_PREFIX, gc_uiHEAVY},
    {eINV, "Inv ", 'I', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eCHARP, "CharP ", 'Z', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eDET, "Det ", 'D', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eEVALS, "Evals ", 'H', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eTRAN, "Tran ", '\'', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eCONJ, "Conj ", 'K', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eRNDU, "RndU ", 'r', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eRNDN, "RndN ", '_', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eNCR, "nCr", 'q', eKIND_PREFIX, gc_uiHEAVY},
    {eMOD, "Mod", 'W', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eEXP, "Exp ", 'e', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eCIS, "Cis ", 'F', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eLN, "Ln ", 'l', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eLOG, "Log ", 'L', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eCOS, "Cos ", 'c', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eACOS, "aCos ", 'b', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eSIN, "Sin ", 's', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eASIN, "aSin ", 'S', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eTAN, "Tan ", 't', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eATAN, "aTan ", 'T', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eCOSH, "Cosh ", '!', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eACOSH, "aCosh ", '?', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eSINH, "Sinh ", '#', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eASINH, "aSinh ", '$', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eTANH, "Tanh ", '%', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eATANH, "aTanh ", '&', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eREAL, "Real ", 'x', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eIMAG, "Imag ", 'y', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eROUND, "Round ", 'J', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eTRUNC, "Trunc ", 'j', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eSCHUR, "Schur ", 'h', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eSVD, "SVD ", 'k', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eRREF, "RREF ", 'R', eKIND_PREFIX, gc_uiHEAVY | eFLAG_PREFIX_LEVEL},
    {eEL_OP, "El_Op", 'o', eKIND_PREFIX, gc_uiFUNCTION | eFLAG_NO_BINARY_TYPED},
    {eASSIGN, " = ", '=', eKIND_ASSIGN, gc_uiFUNCTION | eFLAG_NO_BINARY_TYPED},
    {eANS, "Ans", 'a', eKIND_ANS, 0},
    {eRBRACKET, "]", ']', eKIND_CLOSE, 0},
    {eNEXT, "->", '>', eKIND_COMMAND, 0},
    {eRPAREN, ")", ')', eKIND_CLOSE, 0},
    {eSEMICOLON, "; ", ';', eKIND_SEPARATOR, eFLAG_NO_BINARY_TYPED},
    {eCOLON, ": ", ':', eKIND_SEPARATOR, eFLAG_NO_BINARY_TYPED},
    {eCOMMA, ", ", ',', eKIND_SEPARATOR, eFLAG_NO_BINARY_TYPED},
    {eLBRACKET, "[", '[', eKIND_OPEN, eFLAG_NO_BINARY_TYPED},
    {ePREV, "<-", '<', eKIND_COMMAND, 0},
    {eLPAREN, "(", '(', eKIND_OPEN, eFLAG_WAITS_OPERAND | eFLAG_NO_BINARY_TYPED},
    {eMINUS, " - ", '-', eKIND_MINUS, eFLAG_WAITS_OPERAND | eFLAG_PREFIX_LEVEL},
    {ePLUS, " + ", '+', eKIND_BINARY, gc_uiSTRICT_BINARY},
    {eLEFT_DIV, " \\ ", '\\', eKIND_BINARY, gc_uiSTRICT_BINARY},
    {eEL_LEFT_DIV, " .\\ ", 0, eKIND_BINARY, gc_uiSTRICT_BINARY},
    {eRIGHT_DIV, " / ", '/', eKIND_BINARY, gc_uiSTRICT_BINARY},
    {eEL_RIGHT_DIV, " ./ ", 0, eKIND_BINARY, gc_uiSTRICT_BINARY},
    {eTIMES, " * ", '*', eKIND_BINARY, gc_uiSTRICT_BINARY},
    {eEL_TIMES, " .* ", 0, eKIND_BINARY, gc_uiSTRICT_BINARY},
    {eSOLVE, " Solve ", 'G', eKIND_BINARY, eFLAG_WAITS_OPERAND | eFLAG_NO_BINARY_TYPED},
    {eROOTS, "Roots ", 'z', eKIND_PREFIX, gc_uiLATE_HEAVY | eFLAG_PREFIX_LEVEL},
    {ePOWER, " ^ ", '^', eKIND_BINARY, gc_uiSTRICT_BINARY},
    {eQR, "QR ", '|', eKIND_PREFIX, eFLAG_WAITS_OPERAND},
    {eDIGIT_0, "0", '0', eKIND_NUMBER_PART, 0},
    {eDIGIT_1, "1", '1', eKIND_NUMBER_PART, 0},
    {eDIGIT_2, "2", '2', eKIND_NUMBER_PART, 0},
    {eDIGIT_3, "3", '3', eKIND_NUMBER_PART, 0},
    {eDIGIT_4, "4", '4', eKIND_NUMBER_PART, 0},
    {eDIGIT_5, "5", '5', eKIND_NUMBER_PART, 0},
    {eDIGIT_6, "6", '6', eKIND_NUMBER_PART, 0},
    {eDIGIT_7, "7", '7', eKIND_NUMBER_PART, 0},
    {eDIGIT_8, "8", '8', eKIND_NUMBER_PART, 0},
    {eDIGIT_9, "9", '9', eKIND_NUMBER_PART, 0},
    {ePOINT, ".", '.', eKIND_NUMBER_PART, 0},
    {eEXPONENT, "E", 'E', eKIND_NUMBER_PART, 0},
    {eRPT, "Rpt", 'X', eKIND_PREFIX, eFLAG_WAITS_OPERAND},
    {eRIGHT, "Right", '~', eKIND_COMMAND, 0},
    {ePLOT, "Plot", 'f', eKIND_PREFIX, eFLAG_WAITS_OPERAND},
    {eLEFT, "Left", '`', eKIND_COMMAND, 0},
    {eSQRT, "Sqrt ", '}', eKIND_PREFIX, gc_uiLATE_HEAVY | eFLAG_PREFIX_LEVEL},
    {eBKSP, "BkSp", '\b', eKIND_COMMAND, 0},
    {eTENSOR, " X ", '{', eKIND_BINARY, gc_uiSTRICT_BINARY},
    {eCLEAR, "Clear", 27, eKIND_COMMAND, 0},
    {eALT, " X ", '@', eKIND_COMMAND, 0},
    {eENTER, "Alt", '\r', eKIND_COMMAND, 0},
};
// clang-format on

eTOKEN g_aeDictionary[128] = {};
uint16_t g_eiDictionary[gc_iTOKEN_COUNT] = {};

const char* tokenName(int t) {
  return t >= 0 && t < gc_iTOKEN_COUNT ? gc_aTOKEN_TABLE[t].m_acName : "";
}

void fillKeyboardMap() {
  for (const ClTokenInfo& info : gc_aTOKEN_TABLE)
    if (info.m_iCharacter > 0) g_aeDictionary[info.m_iCharacter] = info.m_eCode;
}

void buildInverseMap() {
  for (int c = 0; c < 128; ++c) g_eiDictionary[g_aeDictionary[c]] = static_cast<uint16_t>(c);
}
