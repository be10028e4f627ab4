// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the built-in documents' HTML as the tests need it.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <utility>

inline std::string readFile(const std::string& sPath) {
  std::ifstream in(sPath, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline std::string replaceAll(std::string s, const std::string& sFrom, const std::string& sTo) {
  for (size_t i = s.find(sFrom); i != std::string::npos; i = s.find(sFrom, i + sTo.size()))
    s.replace(i, sFrom.size(), sTo);
  return s;
}

// The entities the documents use; &amp; last, so "&amp;lt;" stays "&lt;".
inline std::string unescapeHtml(std::string s) {
  for (const auto& [sFrom, sTo] : {std::pair<const char*, const char*>{"&lt;", "<"},
                                   {"&gt;", ">"},
                                   {"&quot;", "\""},
                                   {"&nbsp;", " "},
                                   {"&amp;", "&"}})
    s = replaceAll(s, sFrom, sTo);
  return s;
}
