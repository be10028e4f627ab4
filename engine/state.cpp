// SPDX-License-Identifier: GPL-3.0-or-later
// Line records: construction, the one assignment through which lines move,
// and rendering a line's tokens as text.
#include "engine/state.h"

#include <cstring>

ClState g_Current_State;
ClState g_Current_State_Bkp;

ClState::ClState() {
  std::memset(m_acLine, 0, sizeof m_acLine);
  // outside the zero-length line and never read
  m_acLine[0] = '!';
}

ClState& ClState::operator=(const ClState& other) {
  if (this == &other) return *this;
  const uint16_t uiLength = other.m_uiLength < gc_iLINE_SIZE ? other.m_uiLength : gc_iLINE_SIZE;
  std::memcpy(m_acLine, other.m_acLine, uiLength);
  std::memset(m_acLine + uiLength, 0, gc_iLINE_SIZE - uiLength);
  m_uiLength = other.m_uiLength;
  m_uiCursor = other.m_uiCursor;
  m_uiDisplay_Start = other.m_uiDisplay_Start;
  m_uiRepeat_Count = other.m_uiRepeat_Count;
  m_iRepeat_First = other.m_iRepeat_First;
  m_iRepeat_Last = other.m_iRepeat_Last;
  return *this;
}

void ClState::inputToChar(char* acText, uint16_t uiFrom, uint16_t uiTo) const {
  char* pcEnd = acText;
  for (uint16_t k = uiFrom; k < uiTo && k < gc_iLINE_SIZE; ++k) {
    const char* acName = tokenName(tokenOf(m_acLine[k]));
    const size_t uiNameLength = std::strlen(acName);
    std::memcpy(pcEnd, acName, uiNameLength);
    pcEnd += uiNameLength;
  }
  *pcEnd = '\0';
}

eTOKEN ClState::lastToken() const {
  return m_uiLength == 0 ? eNULL : tokenOf(m_acLine[m_uiLength - 1]);
}
