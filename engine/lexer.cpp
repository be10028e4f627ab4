// SPDX-License-Identifier: GPL-3.0-or-later
// Lexer: the characters of the current line become the token stream. Numbers
// are assembled here, placements are checked, and brackets left open are
// closed in the line itself. Evaluation is the parser's.
#include <locale>
#include <sstream>

#include "engine/calculator.h"

namespace {

constexpr double gc_dPI = 3.141592653589793;
// The last stream entry is reserved for the terminator.
constexpr uint16_t gc_uiMAX_TOKENS = gc_iSTREAM_SIZE - 1;

struct ClLexer {
  uint16_t uiPos = 0;
  char acNumber[gc_iLINE_SIZE + 1];  // an E takes two characters for two of the line
  uint16_t uiFill = 0;
  bool bAssembling = false;
  int iOpenBrackets = 0;
  int iOpenParens = 0;
  uint16_t uiCut = 0;
  bool bResult = true;
};

// The line is refused. Its error replaces a number that did not convert in
// the same character: that error alone would still let the line be parsed.
void refuseLine(ClLexer& lex, eERROR eError) {
  overrideError(eError);
  lex.bResult = false;
}

inline eTOKEN lastStreamToken() {
  return lg_aToken_Stream[lg_uiToken_Stream_Length - 1].m_eToken;
}

// A line whose tokens do not fit the stream is refused: "Expression error".
bool appendToken(ClLexer& lex, eTOKEN eToken, ClMatrix* pmMatrix = nullptr, double dValue = 0.0) {
  if (lg_uiToken_Stream_Length >= gc_uiMAX_TOKENS) {
    refuseLine(lex, eERROR_EXPRESSION);
    return false;
  }
  lg_aToken_Stream[lg_uiToken_Stream_Length++] = ClToken(eToken, pmMatrix, dValue);
  return true;
}

bool endsValueOrAns(eTOKEN eToken) {
  return endsValue(eToken) || eToken == eANS;
}

eTOKEN tokenAt(uint16_t uiPos) {
  const ClState& line = g_Current_State;
  if (uiPos >= line.m_uiLength || uiPos >= gc_iLINE_SIZE) return eNULL;
  return tokenOf(line.m_acLine[uiPos]);
}

void finishNumber(ClLexer& lex) {
  lex.acNumber[lex.uiFill] = '\0';
  double dValue = 0.0;
  if (ClCalculator::charToDouble(lex.acNumber, dValue)) {
    if (lg_uiToken_Stream_Length > 0 && !ClCalculator::valueCheck(lg_uiToken_Stream_Length))
      lex.bResult = false;
    else
      appendToken(lex, eREAL_NUMBER, ClCalculator::mp_NULL_TOKEN.m_pmMatrix, dValue);
  } else {
    // the line is cut just after the number
    g_Current_State.m_uiLength = lex.uiPos;
    g_Current_State.m_uiCursor = lex.uiPos;
    setError(eERROR_NUMBER_INPUT);
  }
  lex.uiFill = 0;
  lex.bAssembling = false;
}

eTOKEN elementwiseOperator(eTOKEN eNext) {
  switch (eNext) {
    case eTIMES:
      return eEL_TIMES;
    case eLEFT_DIV:
      return eEL_LEFT_DIV;
    case eRIGHT_DIV:
      return eEL_RIGHT_DIV;
    default:
      return eNULL;
  }
}

void appendBinary(ClLexer& lex, eTOKEN eToken) {
  if (!ClCalculator::binaryCheck(lg_uiToken_Stream_Length)) {
    lex.bResult = false;
    return;
  }
  appendToken(lex, eToken);
}

// number: digit | "." | "E" [ "+" | "-" ]; a "." before "*", "\" or "/" is an
// element-wise operator instead.
void assembleNumber(ClLexer& lex, eTOKEN eToken) {
  const eTOKEN eNext = tokenAt(lex.uiPos + 1);
  if (isDigitToken(eToken)) {
    lex.acNumber[lex.uiFill++] = g_Current_State.m_acLine[lex.uiPos];
  } else if (eToken == eEXPONENT) {
    lex.acNumber[lex.uiFill++] = 'e';
    if (eNext == eMINUS || eNext == ePLUS) {
      lex.acNumber[lex.uiFill++] = eNext == eMINUS ? '-' : '+';
      ++lex.uiPos;
    }
  } else if (elementwiseOperator(eNext) != eNULL) {
    if (lex.bAssembling) finishNumber(lex);
    ++lex.uiPos;
    appendBinary(lex, elementwiseOperator(eNext));
    return;
  } else {
    lex.acNumber[lex.uiFill++] = '.';
  }
  lex.bAssembling = true;
}

void closeBracket(ClLexer& lex, eTOKEN eToken) {
  int& iOpen = eToken == eRBRACKET ? lex.iOpenBrackets : lex.iOpenParens;
  if (!ClCalculator::closeCheck(lg_uiToken_Stream_Length)) {
    lex.bResult = false;
  } else if (iOpen == 0) {
    setError(eERROR_MISSING_PARENTHESES);
    lex.bResult = false;
  } else if (appendToken(lex, eToken)) {
    --iOpen;
  }
}

void appendValue(ClLexer& lex, eTOKEN eToken, ClMatrix* pmMatrix, double dValue) {
  if (!ClCalculator::valueCheck(lg_uiToken_Stream_Length)) {
    lex.bResult = false;
    if (isVariableToken(eToken)) lex.uiCut = lex.uiPos + 1;
    return;
  }
  appendToken(lex, eToken, pmMatrix, dValue);
}

void handleToken(ClLexer& lex, eTOKEN eToken) {
  if (isVariableToken(eToken)) {
    appendValue(lex, eToken, &ClCalculator::mp_mVariable[eToken], 0.0);
    return;
  }
  if (isPrefixFunction(eToken)) {
    if (ClCalculator::unaryCheck(lg_uiToken_Stream_Length))
      appendToken(lex, eToken);
    else
      lex.bResult = false;
    return;
  }
  // the element-wise operators have no character: "." builds them
  if (isBinaryOperator(eToken)) {
    appendBinary(lex, eToken);
    return;
  }
  switch (eToken) {
    case eNULL:
      return;
    case eI:
      // i after any value multiplies it, as after a number: Ai is A*i
      if (lg_uiToken_Stream_Length > 0 && endsValueOrAns(lastStreamToken()) &&
          !appendToken(lex, eTIMES))
        return;
      appendToken(lex, eIMAG_NUMBER, nullptr, 1.0);
      return;
    case ePI:
      appendValue(lex, eREAL_NUMBER, ClCalculator::mp_NULL_TOKEN.m_pmMatrix, gc_dPI);
      return;
    case eANS:
      appendValue(lex, eANS, &ClCalculator::mp_mLast_Output, 0.0);
      return;
    case eASSIGN:
    case eSEMICOLON:
    case eCOLON:
    case eCOMMA:
    case eMINUS:
      appendToken(lex, eToken);
      return;
    case eLBRACKET:
      if (!ClCalculator::valueCheck(lg_uiToken_Stream_Length))
        lex.bResult = false;
      else if (appendToken(lex, eToken))
        ++lex.iOpenBrackets;
      return;
    case eLPAREN:
      if (appendToken(lex, eToken)) ++lex.iOpenParens;
      return;
    case eRBRACKET:
    case eRPAREN:
      closeBracket(lex, eToken);
      return;
    default:
      // a command key or an unused code never belongs in a line
      if (lex.uiPos + 1 < gc_iLINE_SIZE) g_Current_State.m_acLine[lex.uiPos + 1] = '\0';
      refuseLine(lex, eERROR_KEY_INPUT);
      return;
  }
}

// Closes open brackets in the line, all "]" before all ")". A line that has
// no room for them is refused whole and left as it was.
void closeOpenBrackets(ClLexer& lex) {
  const int iMissing = lex.iOpenBrackets + lex.iOpenParens;
  if (iMissing == 0) return;
  ClState& line = g_Current_State;
  // the lengthened line keeps its last byte 0: it stays loadable
  if (line.m_uiLength + iMissing > gc_iMAX_LINE ||
      lg_uiToken_Stream_Length + iMissing > gc_uiMAX_TOKENS) {
    refuseLine(lex, eERROR_MISSING_CLOSE);
    return;
  }
  for (int k = 0; k < iMissing; ++k) {
    const eTOKEN eClose = k < lex.iOpenBrackets ? eRBRACKET : eRPAREN;
    appendToken(lex, eClose);
    line.m_acLine[line.m_uiLength++] = charOf(eClose);
  }
}

}  // namespace

// line: { number | token }
bool ClCalculator::tLexer() {
  lg_uiToken_Stream_Length = 0;
  g_uiError_Number = eERROR_NONE;
  ClLexer lex;
  ClState& line = g_Current_State;
  bool bLoopError = false;
  for (; lex.uiPos < line.m_uiLength && lex.uiPos < gc_iLINE_SIZE; ++lex.uiPos) {
    const eTOKEN eToken = tokenOf(line.m_acLine[lex.uiPos]);
    if (isNumberPart(eToken)) {
      assembleNumber(lex, eToken);
    } else {
      if (lex.bAssembling) finishNumber(lex);
      handleToken(lex, eToken);
    }
    if (g_uiError_Number != eERROR_NONE) {
      bLoopError = true;
      break;
    }
  }
  if (!bLoopError) {
    if (lex.bAssembling) finishNumber(lex);
    // a number that did not convert still gets its brackets closed
    if (g_uiError_Number == eERROR_NONE || g_uiError_Number == eERROR_NUMBER_INPUT)
      closeOpenBrackets(lex);
  }
  if (lex.uiCut != 0) line.m_uiLength = lex.uiCut;
  line.m_uiCursor = line.m_uiLength;
  lg_aToken_Stream[lg_uiToken_Stream_Length] = mp_NULL_TOKEN;
  return lex.bResult;
}

bool ClCalculator::charToDouble(const char* acText, double& dValue) {
  if (acText == nullptr) return false;
  std::istringstream stream(acText);
  stream.imbue(std::locale::classic());
  double dRead = 0.0;
  stream >> dRead;
  if (stream.fail() || stream.bad()) return false;
  dValue = dRead;
  return true;
}

// The placement checks refuse the line: their error replaces a number that
// did not convert, as refuseLine() does.
bool ClCalculator::valueCheck(uint16_t uiLength) {
  if (uiLength == 0) return true;
  if (endsValue(lg_aToken_Stream[uiLength - 1].m_eToken)) {
    overrideError(eERROR_MISPLACED_VALUE);
    return false;
  }
  return true;
}

bool ClCalculator::unaryCheck(uint16_t uiLength) {
  if (valueCheck(uiLength)) return true;
  // a misplaced prefix function, not the value check's misplaced value
  overrideError(eERROR_MISPLACED_OPERATOR);
  return false;
}

bool ClCalculator::binaryCheck(uint16_t uiLength) {
  if (uiLength == 0 || waitsForOperand(lg_aToken_Stream[uiLength - 1].m_eToken)) {
    overrideError(eERROR_MISPLACED_BINARY);
    return false;
  }
  return true;
}

bool ClCalculator::closeCheck(uint16_t uiLength) {
  if (uiLength == 0) {
    overrideError(eERROR_MISSING_CLOSE);
    return false;
  }
  if (refusesCloseAfter(lg_aToken_Stream[uiLength - 1].m_eToken)) {
    overrideError(eERROR_MISPLACED_CLOSE);
    return false;
  }
  return true;
}
