// The token table and the error messages: each fact once.
#include "engine/tokens.h"

const ClTokenInfo gc_aTOKEN_TABLE[gc_iTOKEN_COUNT] = {
    {eTOKEN(0), "Null", 0, eKIND_TERMINATOR},  {eTOKEN(1), "Blank", 0, eKIND_UNUSED},
    {eTOKEN(2), "Real", 0, eKIND_NUMBER},      {eTOKEN(3), "Im", 0, eKIND_NUMBER},
    {eTOKEN(4), "i", 105, eKIND_CONSTANT},     {eTOKEN(5), "Pi", 112, eKIND_CONSTANT},
    {eTOKEN(6), "A", 65, eKIND_VARIABLE},      {eTOKEN(7), "U", 85, eKIND_VARIABLE},
    {eTOKEN(8), "B", 66, eKIND_VARIABLE},      {eTOKEN(9), "V", 86, eKIND_VARIABLE},
    {eTOKEN(10), "C", 67, eKIND_VARIABLE},     {eTOKEN(11), "u", 117, eKIND_VARIABLE},
    {eTOKEN(12), "P", 80, eKIND_VARIABLE},     {eTOKEN(13), "v", 118, eKIND_VARIABLE},
    {eTOKEN(14), "Q", 81, eKIND_VARIABLE},     {eTOKEN(15), "w", 119, eKIND_VARIABLE},
    {eTOKEN(16), "Diag", 103, eKIND_PREFIX},   {eTOKEN(17), "Sum ", 89, eKIND_PREFIX},
    {eTOKEN(18), "Max ", 77, eKIND_PREFIX},    {eTOKEN(19), "Min ", 109, eKIND_PREFIX},
    {eTOKEN(20), "Id", 100, eKIND_PREFIX},     {eTOKEN(21), "Ones", 79, eKIND_PREFIX},
    {eTOKEN(22), "Norm", 110, eKIND_PREFIX},   {eTOKEN(23), "OpNm", 78, eKIND_PREFIX},
    {eTOKEN(24), "Inv ", 73, eKIND_PREFIX},    {eTOKEN(25), "CharP ", 90, eKIND_PREFIX},
    {eTOKEN(26), "Det ", 68, eKIND_PREFIX},    {eTOKEN(27), "Evals ", 72, eKIND_PREFIX},
    {eTOKEN(28), "Tran ", 39, eKIND_PREFIX},   {eTOKEN(29), "Conj ", 75, eKIND_PREFIX},
    {eTOKEN(30), "RndU ", 114, eKIND_PREFIX},  {eTOKEN(31), "RndN ", 95, eKIND_PREFIX},
    {eTOKEN(32), "nCr", 113, eKIND_PREFIX},    {eTOKEN(33), "Mod", 87, eKIND_PREFIX},
    {eTOKEN(34), "Exp ", 101, eKIND_PREFIX},   {eTOKEN(35), "Cis ", 70, eKIND_PREFIX},
    {eTOKEN(36), "Ln ", 108, eKIND_PREFIX},    {eTOKEN(37), "Log ", 76, eKIND_PREFIX},
    {eTOKEN(38), "Cos ", 99, eKIND_PREFIX},    {eTOKEN(39), "aCos ", 98, eKIND_PREFIX},
    {eTOKEN(40), "Sin ", 115, eKIND_PREFIX},   {eTOKEN(41), "aSin ", 83, eKIND_PREFIX},
    {eTOKEN(42), "Tan ", 116, eKIND_PREFIX},   {eTOKEN(43), "aTan ", 84, eKIND_PREFIX},
    {eTOKEN(44), "Cosh ", 33, eKIND_PREFIX},   {eTOKEN(45), "aCosh ", 63, eKIND_PREFIX},
    {eTOKEN(46), "Sinh ", 35, eKIND_PREFIX},   {eTOKEN(47), "aSinh ", 36, eKIND_PREFIX},
    {eTOKEN(48), "Tanh ", 37, eKIND_PREFIX},   {eTOKEN(49), "aTanh ", 38, eKIND_PREFIX},
    {eTOKEN(50), "Real ", 120, eKIND_PREFIX},  {eTOKEN(51), "Imag ", 121, eKIND_PREFIX},
    {eTOKEN(52), "Round ", 74, eKIND_PREFIX},  {eTOKEN(53), "Trunc ", 106, eKIND_PREFIX},
    {eTOKEN(54), "Schur ", 104, eKIND_PREFIX}, {eTOKEN(55), "SVD ", 107, eKIND_PREFIX},
    {eTOKEN(56), "RREF ", 82, eKIND_PREFIX},   {eTOKEN(57), "El_Op", 111, eKIND_PREFIX},
    {eTOKEN(58), " = ", 61, eKIND_ASSIGN},     {eTOKEN(59), "Ans", 97, eKIND_ANS},
    {eTOKEN(60), "]", 93, eKIND_CLOSE},        {eTOKEN(61), "->", 62, eKIND_COMMAND},
    {eTOKEN(62), ")", 41, eKIND_CLOSE},        {eTOKEN(63), "; ", 59, eKIND_SEPARATOR},
    {eTOKEN(64), ": ", 58, eKIND_SEPARATOR},   {eTOKEN(65), ", ", 44, eKIND_SEPARATOR},
    {eTOKEN(66), "[", 91, eKIND_OPEN},         {eTOKEN(67), "<-", 60, eKIND_COMMAND},
    {eTOKEN(68), "(", 40, eKIND_OPEN},         {eTOKEN(69), " - ", 45, eKIND_MINUS},
    {eTOKEN(70), " + ", 43, eKIND_BINARY},     {eTOKEN(71), " \\ ", 92, eKIND_BINARY},
    {eTOKEN(72), " .\\ ", 0, eKIND_BINARY},    {eTOKEN(73), " / ", 47, eKIND_BINARY},
    {eTOKEN(74), " ./ ", 0, eKIND_BINARY},     {eTOKEN(75), " * ", 42, eKIND_BINARY},
    {eTOKEN(76), " .* ", 0, eKIND_BINARY},     {eTOKEN(77), " Solve ", 71, eKIND_BINARY},
    {eTOKEN(78), "Roots ", 122, eKIND_PREFIX}, {eTOKEN(79), " ^ ", 94, eKIND_BINARY},
    {eTOKEN(80), "QR ", 124, eKIND_PREFIX},    {eTOKEN(81), "0", 48, eKIND_NUMBER_PART},
    {eTOKEN(82), "1", 49, eKIND_NUMBER_PART},  {eTOKEN(83), "2", 50, eKIND_NUMBER_PART},
    {eTOKEN(84), "3", 51, eKIND_NUMBER_PART},  {eTOKEN(85), "4", 52, eKIND_NUMBER_PART},
    {eTOKEN(86), "5", 53, eKIND_NUMBER_PART},  {eTOKEN(87), "6", 54, eKIND_NUMBER_PART},
    {eTOKEN(88), "7", 55, eKIND_NUMBER_PART},  {eTOKEN(89), "8", 56, eKIND_NUMBER_PART},
    {eTOKEN(90), "9", 57, eKIND_NUMBER_PART},  {eTOKEN(91), ".", 46, eKIND_NUMBER_PART},
    {eTOKEN(92), "E", 69, eKIND_NUMBER_PART},  {eTOKEN(93), "Rpt", 88, eKIND_PREFIX},
    {eTOKEN(94), "Right", 126, eKIND_COMMAND}, {eTOKEN(95), "Plot", 102, eKIND_PREFIX},
    {eTOKEN(96), "Left", 96, eKIND_COMMAND},   {eTOKEN(97), "Sqrt ", 125, eKIND_PREFIX},
    {eTOKEN(98), "BkSp", 8, eKIND_COMMAND},    {eTOKEN(99), " X ", 123, eKIND_BINARY},
    {eTOKEN(100), "Clear", 27, eKIND_COMMAND}, {eTOKEN(101), " X ", 64, eKIND_COMMAND},
    {eTOKEN(102), "Alt", 13, eKIND_COMMAND},
};

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

const char* const gc_aacERROR_MESSAGE[gc_iERROR_COUNT] = {
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
