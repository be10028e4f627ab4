// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer harness: the input is the bytes of an .orv data file. It is
// loaded by Open into a fresh calculator; a file that loads is saved again
// and reloaded, and must give the same history and variables. Then it is
// loaded by Append after a few lines and variables, and the history it
// leaves is run once with Rpt, as a user runs a loaded script.
#include <stdlib.h>
#include <unistd.h>

#include <complex>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "command/callback.h"
#include "command/enter.h"
#include "command/history.h"
#include "engine/calculator.h"
#include "files/codec.h"
#include "files/data_file.h"
#include "fuzz/fuzz_support.h"

namespace {

struct ClSnapshot {
  std::vector<std::string> asHistory;
  ClMatrix amVariable[gc_iVARIABLE_SLOTS];
};

std::string lg_sDirectory;
std::string lg_sInput_Name;
std::string lg_sSaved_Name;

void fail(const char* acWhat) {
  std::fprintf(stderr, "%s\n", acWhat);
  std::abort();
}

// Files go to memory-backed storage where there is one: a save syncs.
void makeDirectory() {
  std::string sDirectory = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  sDirectory += "/orvel-fuzz-XXXXXX";
  if (mkdtemp(sDirectory.data()) == nullptr) fail("no temporary directory");
  lg_sInput_Name = sDirectory + "/input.orv";
  lg_sSaved_Name = sDirectory + "/saved.orv";
  lg_sDirectory = sDirectory;
  std::atexit([] {
    unlink(lg_sInput_Name.c_str());
    unlink(lg_sSaved_Name.c_str());
    rmdir(lg_sDirectory.c_str());
  });
}

void writeInput(const uint8_t* aucData, size_t uiSize) {
  FILE* pFile = std::fopen(lg_sInput_Name.c_str(), "wb");
  if (pFile == nullptr || std::fwrite(aucData, 1, uiSize, pFile) != uiSize ||
      std::fclose(pFile) != 0)
    fail("input file not written");
}

ClSnapshot snapshot() {
  ClSnapshot state;
  for (uint16_t k = 0; k < g_uiHistory_Next; ++k)
    state.asHistory.emplace_back(lg_State_History[k].m_acLine, lg_State_History[k].m_uiLength);
  for (const eTOKEN eVariable : gc_aeVARIABLES)
    state.amVariable[eVariable] = ClCalculator::mp_mVariable[eVariable];
  return state;
}

// Entries are written with 15 significant digits.
bool isNear(double dSaved, double dRead) {
  const double dScale = std::max(std::abs(dSaved), std::abs(dRead));
  return std::abs(dSaved - dRead) <= 1e-14 * dScale;
}

bool isNear(const ClMatrix& mSaved, const ClMatrix& mRead) {
  if (mSaved.rows() != mRead.rows() || mSaved.cols() != mRead.cols()) return false;
  for (Eigen::Index k = 0; k < mSaved.size(); ++k) {
    const ClComplex cSaved = mSaved(k), cRead = mRead(k);
    if (!isNear(cSaved.real(), cRead.real()) || !isNear(cSaved.imag(), cRead.imag())) return false;
  }
  return true;
}

// A history file keeps the variables of up to 4096 entries.
void expectSameAfterSave(const ClSnapshot& loaded, const ClSnapshot& reloaded) {
  if (loaded.asHistory != reloaded.asHistory) fail("round trip changed the history");
  for (const eTOKEN eVariable : gc_aeVARIABLES) {
    const ClMatrix& mLoaded = loaded.amVariable[eVariable];
    const ClMatrix mKept = mLoaded.size() <= gc_lSAVED_WITH_HISTORY ? mLoaded : ClMatrix();
    if (!isNear(mKept, reloaded.amVariable[eVariable])) fail("round trip changed a variable");
  }
}

void openAndRoundTrip() {
  ClBoundedSeam seam;
  resetCommandState(seam);
  const bool bLoaded = loadInFile(lg_sInput_Name.c_str(), eLOAD_OPEN);
  expectSound("Open");
  if (!bLoaded) return;
  const ClSnapshot loaded = snapshot();
  if (!saveInFile(lg_sSaved_Name.c_str())) fail("a loaded file could not be saved");
  ClBoundedSeam fresh;
  resetCommandState(fresh);
  if (!loadInFile(lg_sSaved_Name.c_str(), eLOAD_OPEN)) fail("a saved file did not load");
  expectSound("reopening the saved file");
  expectSameAfterSave(loaded, snapshot());
}

void enterScriptLine(const char* acLine) {
  setCurrentLine(acLine, static_cast<uint16_t>(std::strlen(acLine)));
  pressToken(eENTER);
}

void appendAndRun() {
  ClBoundedSeam seam;
  resetCommandState(seam);
  enterScriptLine("A=[1,2;3,4]");
  enterScriptLine("u=1");
  loadInFile(lg_sInput_Name.c_str(), eLOAD_APPEND);
  expectSound("Append");
  enterScriptLine("X(1)");
  expectSound("running the appended lines");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Set_Code_Arrays();
  makeDirectory();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aucData, size_t uiSize) {
  const ClCpuTimeout Timeout;
  writeInput(aucData, uiSize);
  openAndRoundTrip();
  appendAndRun();
  g_pSeam = nullptr;
  return 0;
}
