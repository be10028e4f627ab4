// SPDX-License-Identifier: GPL-3.0-or-later
// Temporary file beside the target, then an atomic rename.
#include "files/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

// The mode a newly created file would get, or the target's own mode, since
// the temporary file starts readable by its owner only.
static mode_t targetMode(const std::string& sName) {
  struct stat Status;
  if (stat(sName.c_str(), &Status) == 0) return Status.st_mode & 07777;
  const mode_t uiMask = umask(0);
  umask(uiMask);
  return 0666 & ~uiMask;
}

ClSafeFile::~ClSafeFile() {
  if (m_bCommitted) return;
  const int iSaved = errno;
  if (m_pFile) std::fclose(m_pFile);
  if (!m_sTemporary.empty()) unlink(m_sTemporary.c_str());
  errno = iSaved;
}

bool ClSafeFile::open() {
  // The rename would replace a file that may not be written to.
  if (access(m_sName.c_str(), F_OK) == 0 && access(m_sName.c_str(), W_OK) != 0) return false;
  const size_t uiSlash = m_sName.rfind('/');
  const std::string sDirectory = uiSlash == std::string::npos ? "" : m_sName.substr(0, uiSlash + 1);
  std::string sTemplate = sDirectory + ".orvel-save-XXXXXX";
  const int iFd = mkstemp(sTemplate.data());
  if (iFd < 0) return false;
  m_sTemporary = sTemplate;
  if (fchmod(iFd, targetMode(m_sName)) != 0 || !(m_pFile = fdopen(iFd, "wb"))) {
    const int iSaved = errno;
    close(iFd);
    errno = iSaved;
    return false;
  }
  return true;
}

bool ClSafeFile::commit() {
  if (!m_pFile) return false;
  const bool bWritten =
      std::fflush(m_pFile) == 0 && !std::ferror(m_pFile) && fsync(fileno(m_pFile)) == 0;
  const int iSaved = errno;
  const bool bClosed = std::fclose(m_pFile) == 0;
  m_pFile = nullptr;
  if (!bWritten) {
    errno = iSaved;
    return false;
  }
  if (!bClosed || std::rename(m_sTemporary.c_str(), m_sName.c_str()) != 0) return false;
  m_bCommitted = true;
  return true;
}

bool writeFileSafely(const char* acName, const std::string& sData) {
  ClSafeFile File(acName);
  if (!File.open()) return false;
  if (std::fwrite(sData.data(), 1, sData.size(), File.stream()) != sData.size()) return false;
  return File.commit();
}
