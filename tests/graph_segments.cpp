// SPDX-License-Identifier: GPL-3.0-or-later
// Segments that set no new pixel are not drawn: the export's picture must
// be the one drawn with every segment, whatever the shape of the plots.
#include <cstring>
#include <string>
#include <vector>

#include "graph/graph_draw.h"
#include "tests/support/graph_driver.h"

// After Eigen and the test framework: X.h defines Success and None.
// clang-format off
#include <FL/fl_draw.H>
#include <FL/x.H>
// clang-format on

namespace {

using GraphSegmentsTest = ClGraphTest;

// The image as the export draws it, but with every segment sent.
std::vector<unsigned char> everySegmentImage() {
  const Fl_Offscreen surface = fl_create_offscreen(gc_iIMAGE_WIDTH, gc_iIMAGE_HEIGHT);
  std::vector<unsigned char> aucRgb(gc_iIMAGE_BYTES);
  fl_begin_offscreen(surface);
  ClGraphStyle style = gc_IMAGE_STYLE;
  style.m_bEvery_Segment = true;
  drawGraph(0, 0, gc_iIMAGE_WIDTH, gc_iIMAGE_HEIGHT, style);
  fl_read_image(aucRgb.data(), 0, 0, gc_iIMAGE_WIDTH, gc_iIMAGE_HEIGHT);
  fl_end_offscreen();
  fl_delete_offscreen(surface);
  return aucRgb;
}

struct ClShape {
  const char* acName;
  std::vector<std::string> asLines;
  int iPlots;
};

TEST_F(GraphSegmentsTest, SkippingKeepsThePictureOfEverySegment) {
  const std::string sDense = "u=[-3:3,6/40000];";
  const ClShape aSHAPES[] = {
      {"rising x, crossing curves", {sDense, "f(u,2*s(5*u));", "f(u,1.9*c(3*u));"}, 2},
      {"falling x", {sDense, "f(-u,1.5*s(7*u));"}, 1},
      {"one column", {sDense, "f(0*u+0.5,1.9*s(20*u));"}, 1},
      {"x back and forth", {sDense, "f(2.9*s(3*u),1.9*c(4*u));"}, 1},
      {"gaps of unusable points", {sDense, "f(u,1.5*c(2*u)+e(800*s(9*u))-e(800*s(9*u)));"}, 1},
      {"steep lines beyond the box", {sDense, "f(u,50*s(40*u));", "f(u,t(4*u));"}, 2},
      {"random points", {"f(6*r(O(1,3000))-3,4*r(O(1,3000))-2);"}, 1},
  };
  for (const ClShape& shape : aSHAPES) {
    if (g_eOutput != 0) ClCallback::graph_cb(nullptr, nullptr);
    openWith("");
    for (const std::string& sLine : shape.asLines) enter(sLine);
    ASSERT_EQ(g_uiActive_Plots, shape.iPlots) << shape.acName;
    render();
    const std::vector<unsigned char> aucEvery = everySegmentImage();
    int iDiffering = 0, iBlack = 0;
    for (int p = 0; p < gc_iIMAGE_WIDTH * gc_iIMAGE_HEIGHT; ++p) {
      iDiffering += std::memcmp(aucEvery.data() + 3 * p, g_aucLarge_Graph_Image + 3 * p, 3) != 0;
      iBlack += pixel(p % gc_iIMAGE_WIDTH, p / gc_iIMAGE_WIDTH) == gc_BLACK;
    }
    EXPECT_EQ(iDiffering, 0) << shape.acName;
    // more than the frame: the first plot was drawn
    EXPECT_GT(iBlack, 2 * (gc_iIMAGE_WIDTH + gc_iIMAGE_HEIGHT)) << shape.acName;
  }
}

}  // namespace
