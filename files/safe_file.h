// SPDX-License-Identifier: GPL-3.0-or-later
// A file written beside its target under a temporary name and renamed over
// the target only when every byte was written and closed, so a save that
// fails halfway leaves the previous file as it was.
#pragma once

#include <cstdio>
#include <string>

class ClSafeFile {
 public:
  explicit ClSafeFile(const char* acName) : m_sName(acName) {}
  ClSafeFile(const ClSafeFile&) = delete;
  ClSafeFile& operator=(const ClSafeFile&) = delete;
  // Removes the temporary file unless it was committed; keeps errno.
  ~ClSafeFile();

  // Creates the temporary file; false (errno set) when it cannot be created.
  bool open();
  FILE* stream() const { return m_pFile; }
  // Flushes, syncs and closes the temporary file, then renames it over the
  // target; false (errno set) when any step fails.
  bool commit();

 private:
  std::string m_sName;
  std::string m_sTemporary;
  FILE* m_pFile = nullptr;
  bool m_bCommitted = false;
};

// Writes a whole block through a temporary file; false (errno set) on failure.
bool writeFileSafely(const char* acName, const std::string& sData);
