// SPDX-License-Identifier: GPL-3.0-or-later
// Rendering the graph offscreen, reading it back, and writing the image
// through a temporary file that replaces the target only when complete.
#include "graph/graph_export.h"

// Eigen before the X11 headers: X.h defines Success, a name Eigen uses.
// clang-format off
#include "engine/calculator.h"
// clang-format on

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "command/callback.h"
#include "command/seam.h"
#include "files/format.h"
#include "files/safe_file.h"
#include "graph/graph_draw.h"

unsigned char g_aucLarge_Graph_Image[gc_iIMAGE_BYTES];

namespace {

constexpr size_t gc_uiNAME_LIMIT = 1023;
constexpr int gc_iROW_BYTES = gc_iIMAGE_WIDTH * 3;
constexpr int gc_iBMP_HEADER = 54;
constexpr uint32_t gc_uiPIXELS_PER_METRE = 2835;

bool endsWithFirst(const std::string& sName, const char* acExtension) {
  const size_t uiAt = sName.find(acExtension);
  return uiAt != std::string::npos && uiAt + std::strlen(acExtension) == sName.size();
}

bool writePpm(FILE* pFile) {
  const int iHeader = std::fprintf(pFile, "P6\n%d\n%d\n255\n", gc_iIMAGE_WIDTH, gc_iIMAGE_HEIGHT);
  return iHeader > 0 && std::fwrite(g_aucLarge_Graph_Image, 1, gc_iIMAGE_BYTES, pFile) ==
                            static_cast<size_t>(gc_iIMAGE_BYTES);
}

void putLittleEndian(unsigned char* aucAt, uint32_t uiValue, int iBytes) {
  for (int k = 0; k < iBytes; ++k) aucAt[k] = static_cast<unsigned char>(uiValue >> (8 * k));
}

bool writeBmp(FILE* pFile) {
  unsigned char aucHeader[gc_iBMP_HEADER] = {'B', 'M'};
  putLittleEndian(aucHeader + 2, gc_iBMP_HEADER + gc_iIMAGE_BYTES, 4);
  putLittleEndian(aucHeader + 10, gc_iBMP_HEADER, 4);
  putLittleEndian(aucHeader + 14, 40, 4);
  putLittleEndian(aucHeader + 18, gc_iIMAGE_WIDTH, 4);
  putLittleEndian(aucHeader + 22, gc_iIMAGE_HEIGHT, 4);
  putLittleEndian(aucHeader + 26, 1, 2);
  putLittleEndian(aucHeader + 28, 24, 2);
  putLittleEndian(aucHeader + 38, gc_uiPIXELS_PER_METRE, 4);
  putLittleEndian(aucHeader + 42, gc_uiPIXELS_PER_METRE, 4);
  if (std::fwrite(aucHeader, 1, sizeof aucHeader, pFile) != sizeof aucHeader) return false;
  unsigned char aucRow[gc_iROW_BYTES];
  for (int iRow = gc_iIMAGE_HEIGHT - 1; iRow >= 0; --iRow) {
    const unsigned char* aucRgb = g_aucLarge_Graph_Image + iRow * gc_iROW_BYTES;
    for (int k = 0; k < gc_iROW_BYTES; k += 3) {
      aucRow[k] = aucRgb[k + 2];
      aucRow[k + 1] = aucRgb[k + 1];
      aucRow[k + 2] = aucRgb[k];
    }
    if (std::fwrite(aucRow, 1, sizeof aucRow, pFile) != sizeof aucRow) return false;
  }
  return true;
}

// libpng reports its errors by a long jump; nothing here needs unwinding.
bool writePng(FILE* pFile) {
  png_structp pPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (pPng == nullptr) return false;
  png_infop pInfo = png_create_info_struct(pPng);
  if (pInfo == nullptr || setjmp(png_jmpbuf(pPng))) {
    png_destroy_write_struct(&pPng, &pInfo);
    return false;
  }
  png_init_io(pPng, pFile);
  png_set_IHDR(pPng, pInfo, gc_iIMAGE_WIDTH, gc_iIMAGE_HEIGHT, 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(pPng, pInfo);
  for (int iRow = 0; iRow < gc_iIMAGE_HEIGHT; ++iRow)
    png_write_row(pPng, g_aucLarge_Graph_Image + iRow * gc_iROW_BYTES);
  png_write_end(pPng, pInfo);
  png_destroy_write_struct(&pPng, &pInfo);
  return true;
}

bool writeImage(FILE* pFile, eIMAGE_FORMAT eFormat) {
  switch (eFormat) {
    case eIMAGE_PPM:
      return writePpm(pFile);
    case eIMAGE_BMP:
      return writeBmp(pFile);
    default:
      return writePng(pFile);
  }
}

bool chooseImageName(std::string& sName) {
  bool bError = false;
  if (g_pSeam->chooseFile("Save ORVEL Graph File", true, sName, bError)) return true;
  if (bError) g_pSeam->alert("Error saving file.");
  return false;
}

bool writeImageFile(const std::string& sName, eIMAGE_FORMAT eFormat) {
  ClSafeFile File(sName.c_str());
  if (!File.open()) {
    g_pSeam->alert(formatMessage("Error opening '%s'.", sName.c_str()));
    return false;
  }
  if (writeImage(File.stream(), eFormat) && File.commit()) return true;
  g_pSeam->alert(
      formatMessage("Error saving file '%s':\n%s.", sName.c_str(), std::strerror(errno)));
  return false;
}

}  // namespace

eIMAGE_FORMAT imageFormatOf(const std::string& sPath) {
  // a folder's name may hold ".ppm" and the like: only the file's own counts
  const std::string sName = sPath.substr(sPath.rfind('/') + 1);
  if (endsWithFirst(sName, ".ppm")) return eIMAGE_PPM;
  if (endsWithFirst(sName, ".bmp")) return eIMAGE_BMP;
  if (endsWithFirst(sName, ".png")) return eIMAGE_PNG;
  return eIMAGE_NONE;
}

bool renderGraphImage() {
  fl_open_display();
  const Fl_Offscreen surface = fl_create_offscreen(gc_iIMAGE_WIDTH, gc_iIMAGE_HEIGHT);
  if (!surface) return false;
  fl_begin_offscreen(surface);
  drawGraph(0, 0, gc_iIMAGE_WIDTH, gc_iIMAGE_HEIGHT, gc_IMAGE_STYLE);
  fl_read_image(g_aucLarge_Graph_Image, 0, 0, gc_iIMAGE_WIDTH, gc_iIMAGE_HEIGHT);
  fl_end_offscreen();
  fl_delete_offscreen(surface);
  return true;
}

bool saveGraph() {
  if (g_eOutput == eNO_GRAPH) {
    g_pSeam->alert("No graph to save.");
    return false;
  }
  if (!renderGraphImage()) {
    g_pSeam->alert("Error copying image.");
    return false;
  }
  std::string sName;
  if (!chooseImageName(sName)) return false;
  if (sName.size() > gc_uiNAME_LIMIT) sName.resize(gc_uiNAME_LIMIT);
  const eIMAGE_FORMAT eFormat = imageFormatOf(sName);
  if (eFormat == eIMAGE_NONE) {
    g_pSeam->alert("ORVEL Calculator graph file name must have .ppm, .bmp or .png extension.");
    return false;
  }
  return writeImageFile(sName, eFormat);
}

void ClCallback::saveGraph_cb(Fl_Widget*, void*) {
  saveGraph();
}
