// SPDX-License-Identifier: GPL-3.0-or-later
// "Save Graph": the graph drawn again into a 600 x 400 offscreen image and
// written as binary PPM, 24-bit BMP or PNG, chosen by the name's extension.
#pragma once

#include <string>

constexpr int gc_iIMAGE_WIDTH = 600;
constexpr int gc_iIMAGE_HEIGHT = 400;
constexpr int gc_iIMAGE_BYTES = gc_iIMAGE_WIDTH * gc_iIMAGE_HEIGHT * 3;

// Rows top to bottom, pixels left to right, each red, green, blue.
extern unsigned char g_aucLarge_Graph_Image[gc_iIMAGE_BYTES];

enum eIMAGE_FORMAT { eIMAGE_NONE, eIMAGE_PPM, eIMAGE_BMP, eIMAGE_PNG };

// The format a file path asks for: the extension of its last component
// must be the first occurrence of ".ppm", ".bmp" or ".png" in that
// component (case-sensitive); the folders' names do not count.
eIMAGE_FORMAT imageFormatOf(const std::string& sPath);
// Draws the graph into the image; false when no offscreen surface was had.
bool renderGraphImage();
// The whole "Save Graph", the file name from the seam's file chooser; false
// unless an image file was written.
bool saveGraph();
