// SPDX-License-Identifier: GPL-3.0-or-later
// The File and Edit > History menu items that save and load: a file chooser,
// the name rule, then the writer or loader; every failure is an alert or a
// message box through the seam.
#include <cerrno>
#include <cstring>
#include <string>

#include "command/callback.h"
#include "command/seam.h"
#include "engine/calculator.h"
#include "files/data_file.h"
#include "files/format.h"
#include "files/output_export.h"

// Asks for a file name to save to; false on cancel or chooser failure.
static bool chooseSaveName(const char* acTitle, std::string& sName) {
  bool bError = false;
  if (g_pSeam->chooseFile(acTitle, true, sName, bError)) return true;
  if (bError) g_pSeam->alert("Error saving file.");
  return false;
}

static bool chooseDataName(const char* acTitle, std::string& sName) {
  bool bError = false;
  if (!g_pSeam->chooseFile(acTitle, false, sName, bError)) {
    if (bError) g_pSeam->alert(formatMessage("Error opening file '%s'", sName.c_str()));
    return false;
  }
  if (hasOrvelExtension(sName)) return true;
  g_pSeam->alert("ORVEL Calculator Input/Matrix file must have .orv extension.");
  return false;
}

static bool checkSaveName(const std::string& sName) {
  if (hasOrvelExtension(sName)) return true;
  g_pSeam->alert("ORVEL Calculator file name must have .orv extension.");
  return false;
}

bool isDefinedForSaving(eTOKEN eVariable) {
  if (ClCalculator::mp_mVariable[eVariable].rows() > 0) return true;
  g_pSeam->alert(
      formatMessage("Nothing to save: Variable %s is undefined.\n", tokenName(eVariable)));
  return false;
}

bool saveDataFile(const char* acName, eTOKEN eVariable) {
  const bool bSaved = eVariable == eNULL ? saveInFile(acName) : saveVariableFile(acName, eVariable);
  if (!bSaved)
    g_pSeam->alert(formatMessage("Error saving file '%s':\n%s.", acName, std::strerror(errno)));
  return bSaved;
}

void ClCallback::saveIn_cb(Fl_Widget*, void*) {
  std::string sName;
  if (!chooseSaveName("Save ORVEL Input File", sName) || !checkSaveName(sName)) return;
  saveDataFile(sName.c_str(), eNULL);
}

void ClCallback::saveVariable_cb(Fl_Widget*, void* pData) {
  const int iVariable = *static_cast<int*>(pData);
  if (!isVariableToken(iVariable) || !isDefinedForSaving(eTOKEN(iVariable))) return;
  std::string sName;
  if (!chooseSaveName("Save ORVEL Variable File", sName) || !checkSaveName(sName)) return;
  saveDataFile(sName.c_str(), eTOKEN(iVariable));
}

void ClCallback::open_cb(Fl_Widget*, void*) {
  std::string sName;
  if (chooseDataName("Open ORVEL Data File", sName)) loadInFile(sName.c_str(), eLOAD_OPEN);
}

void ClCallback::appendHistory_cb(Fl_Widget*, void*) {
  std::string sName;
  if (!chooseDataName("Append ORVEL History File", sName)) return;
  const uint16_t uiPlots = g_uiActive_Plots;
  if (!loadInFile(sName.c_str(), eLOAD_APPEND)) g_uiActive_Plots = uiPlots;
}

void ClCallback::saveOut_cb(Fl_Widget*, void*) {
  std::string sName;
  if (!chooseSaveName("Save ORVEL Output File", sName)) return;
  // Keeps output text out of data file names.
  if (hasOrvelExtension(sName)) {
    g_pSeam->alert("Only ORVEL Calculator Input/Matrix files should have .orv extension.");
    return;
  }
  const eEXPORT eResult = saveOutputFile(sName.c_str(), *g_pSeam->pane(ePANE_OUTPUT).buffer());
  if (eResult == eEXPORT_UNOPENED)
    g_pSeam->alert(formatMessage("Error opening '%s'.", sName.c_str()));
  else if (eResult == eEXPORT_UNWRITTEN)
    g_pSeam->alert(
        formatMessage("Error writing to file '%s':\n%s.", sName.c_str(), std::strerror(errno)));
}
