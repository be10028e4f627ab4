// SPDX-License-Identifier: GPL-3.0-or-later
// The graph as the export draws it (600 x 400, read back from the offscreen
// surface) and the image files: PPM, BMP and PNG, the name rule, and a
// failing write that keeps the old file.
#include <png.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cmath>
#include <cstring>
#include <string>

#include "tests/support/graph_driver.h"

namespace {

using GraphExportTest = ClGraphTest;

const char gc_acNAME_ALERT[] =
    "ORVEL Calculator graph file name must have .ppm, .bmp or .png extension.";

bool isBorder(int x, int y) {
  return x == 0 || y == 0 || x == gc_iIMAGE_WIDTH - 1 || y == gc_iIMAGE_HEIGHT - 1;
}

TEST_F(GraphExportTest, DefaultGraphIsWhiteWithFrameAndCentreAxes) {
  openWith("");
  render();
  int iWrong = 0;
  for (int y = 0; y < gc_iIMAGE_HEIGHT; ++y)
    for (int x = 0; x < gc_iIMAGE_WIDTH; ++x) {
      const ClRgb expected = (x == 300 || y == 200) ? gc_GRID_GREY
                             : isBorder(x, y)       ? gc_BLACK
                                                    : gc_WHITE;
      if (!(pixel(x, y) == expected) && iWrong++ < 5)
        ADD_FAILURE() << "pixel " << x << ", " << y << " is " << pixel(x, y);
    }
  EXPECT_EQ(iWrong, 0);
}

TEST_F(GraphExportTest, GridLinesFollowTheScales) {
  openWith("[-1,1,3,0,10,4]");
  render();
  for (int x : {150, 300, 450}) EXPECT_EQ(pixel(x, 10), gc_GRID_GREY) << x;
  for (int y : {80, 160, 240, 320}) EXPECT_EQ(pixel(10, y), gc_GRID_GREY) << y;
  int iGrey_Columns = 0, iGrey_Rows = 0;
  for (int x = 1; x < gc_iIMAGE_WIDTH - 1; ++x) iGrey_Columns += pixel(x, 10) == gc_GRID_GREY;
  for (int y = 1; y < gc_iIMAGE_HEIGHT - 1; ++y) iGrey_Rows += pixel(10, y) == gc_GRID_GREY;
  EXPECT_EQ(iGrey_Columns, 3);
  EXPECT_EQ(iGrey_Rows, 4);

  // more grid lines than pixels fill the box with grid, and end
  SetUp();
  openWith("[-3,3,1E12,-2,2,0]");
  m_Seam.setOn(eSWITCH_SCALES, true);
  render();
  EXPECT_EQ(pixel(100, 100), gc_GRID_GREY);
  EXPECT_EQ(pixel(300, 100), gc_GRID_GREY);
}

TEST_F(GraphExportTest, UnusablePointIsSkippedAndItsNeighboursJoined) {
  openWith("");
  enter("f([0,1,1/0,2],[0,1,5,0])");
  ASSERT_EQ(g_uiActive_Plots, 1);
  render();
  // (0,0), (1,1), (2,0) are the pixels (300,200), (400,100), (500,200)
  for (const auto& p :
       {std::pair{325, 175}, {350, 150}, {375, 125}, {425, 125}, {450, 150}, {475, 175}})
    EXPECT_EQ(pixel(p.first, p.second), gc_BLACK) << p.first << ", " << p.second;
  EXPECT_EQ(strayPixels(gc_BLACK, {{300, 200, 400, 100},
                                   {400, 100, 500, 200},
                                   {0, 0, 599, 0},
                                   {0, 399, 599, 399},
                                   {0, 0, 0, 399},
                                   {599, 0, 599, 399}}),
            0);
}

TEST_F(GraphExportTest, HugeCoordinatesAreClippedBeforeTheyBecomePixels) {
  // Zero Out would clean the small coordinates beside the huge ones away
  m_Seam.setOn(eSWITCH_ZERO_OUT, false);
  ClCallback::zeroOut_cb(nullptr, nullptr);
  openWith("");
  enter("f([-1E300,0,1E300],[-1E300,0,1E300])");  // the diagonal through the box
  enter("f([-1E300,1E300],[1,1])");               // across the box
  enter("f([5,1E300],[5,1E300])");                // wholly outside: nothing
  enter("f([-1.7E308,1.7E308],[-0.5,-0.5])");     // offsets beyond the largest double
  ASSERT_EQ(g_uiActive_Plots, 4);
  render();
  const ClRgb red = rgbOf(acGRAPH_COLOR[1]), green = rgbOf(acGRAPH_COLOR[2]),
              blue = rgbOf(acGRAPH_COLOR[3]);
  // y = x runs from pixel (100, 400) to (500, 0)
  for (int x : {150, 200, 300, 450}) EXPECT_EQ(pixel(x, 500 - x), gc_BLACK) << x;
  const std::vector<ClSegment> aFrame = {
      {0, 0, 599, 0}, {0, 399, 599, 399}, {0, 0, 0, 399}, {599, 0, 599, 399}};
  std::vector<ClSegment> aBlack = aFrame;
  aBlack.push_back({100, 400, 500, 0});
  EXPECT_EQ(strayPixels(gc_BLACK, aBlack), 0);
  EXPECT_EQ(strayPixels(red, {{0, 100, 600, 100}}), 0);
  for (int x : {1, 299, 598}) EXPECT_EQ(pixel(x, 100), red) << x;
  EXPECT_EQ(strayPixels(green, {}), 0);
  for (int x : {1, 200, 598}) EXPECT_EQ(pixel(x, 250), blue) << x;
}

TEST_F(GraphExportTest, SixPlotsInTheirColours) {
  openWith("");
  const char* const aacY[] = {"1.5", "1", "0.5", "-0.5", "-1", "-1.5"};
  for (const char* acY : aacY) enter(std::string("f([-3,3],[") + acY + "," + acY + "])");
  enter("f([-3,3],[0.2,0.2])");
  ASSERT_EQ(g_uiActive_Plots, gc_iPLOT_SLOTS);
  render();
  const int aiROWS[] = {50, 100, 150, 250, 300, 350};
  // black, red, green, blue, olive, cyan
  const ClRgb aCOLOURS[] = {{0, 0, 0},   {255, 0, 0},     {0, 255, 0},
                            {0, 0, 255}, {0x7F, 0x91, 0}, {0, 255, 255}};
  for (int j = 0; j < gc_iPLOT_SLOTS; ++j)
    EXPECT_EQ(pixel(100, aiROWS[j]), aCOLOURS[j]) << "plot " << j;
  EXPECT_EQ(pixel(100, 180), gc_WHITE) << "the seventh plot is not drawn";
}

TEST_F(GraphExportTest, ScalesShrinkTheBoxAndCornersLabelIt) {
  openWith("");
  m_Seam.setOn(eSWITCH_SCALES, true);
  m_Seam.setOn(eSWITCH_CORNERS, true);
  render();
  // the box is 24, 0, 576, 376: frame, then the axes at its centre
  EXPECT_EQ(pixel(24, 100), gc_BLACK);
  EXPECT_EQ(pixel(100, 375), gc_BLACK);
  EXPECT_EQ(pixel(24 + 288, 100), gc_GRID_GREY);
  EXPECT_EQ(pixel(100, 188), gc_GRID_GREY);
  const auto inkIn = [this](int iX0, int iY0, int iX1, int iY1) {
    int iInk = 0;
    for (int y = iY0; y < iY1; ++y)
      for (int x = iX0; x < iX1; ++x) iInk += pixel(x, y).r < 128;
    return iInk;
  };
  EXPECT_GT(inkIn(0, 170, 23, 200), 0) << "vertical label";
  EXPECT_GT(inkIn(290, 377, 340, 400), 0) << "horizontal label";
  EXPECT_GT(inkIn(26, 355, 120, 374), 0) << "bottom-left corner";
  EXPECT_GT(inkIn(480, 1, 598, 20), 0) << "top-right corner";
  EXPECT_EQ(inkIn(40, 20, 280, 180), 0);
}

// Rounding a zero parameter up leaves a negative zero; its labels and
// corners must look exactly as those of a plain zero.
TEST_F(GraphExportTest, NegativeZeroParametersAreLabelledAsZero) {
  const char* const aacLINES[] = {"[-1,1,1,0,1,1]", "[-1,0,2,-1,0,2]", "[0,1,3,0,1,3]"};
  for (const char* acLine : aacLINES) {
    SCOPED_TRACE(acLine);
    openWith(acLine);
    m_Seam.setOn(eSWITCH_SCALES, true);
    m_Seam.setOn(eSWITCH_CORNERS, true);
    render();
    const std::string sDrawn(reinterpret_cast<const char*>(g_aucLarge_Graph_Image),
                             gc_iIMAGE_BYTES);
    int iNegative_Zeros = 0;
    for (double& dP : g_adPlot_Parms) {
      if (dP != 0.0) continue;
      iNegative_Zeros += std::signbit(dP) ? 1 : 0;
      dP = 0.0;
    }
    EXPECT_GT(iNegative_Zeros, 0) << "the line gives no negative zero";
    render();
    EXPECT_TRUE(std::memcmp(sDrawn.data(), g_aucLarge_Graph_Image, gc_iIMAGE_BYTES) == 0);
    ClCallback::graph_cb(nullptr, nullptr);  // closed, for the next line
  }
}

TEST_F(GraphExportTest, FilesHoldTheImageInTheirFormat) {
  openWith("");
  enter("f([-3,0,3],[-2,2,-2])");
  ASSERT_TRUE(save("graph.ppm"));
  ASSERT_TRUE(save("graph.bmp"));
  ASSERT_TRUE(save("graph.png"));
  const std::string sImage(reinterpret_cast<const char*>(g_aucLarge_Graph_Image), gc_iIMAGE_BYTES);

  const std::string sPpm = read("graph.ppm");
  ASSERT_EQ(sPpm.size(), 720015u);
  EXPECT_EQ(sPpm.substr(0, 15), "P6\n600\n400\n255\n");
  EXPECT_TRUE(sPpm.substr(15) == sImage);

  const std::string sBmp = read("graph.bmp");
  ASSERT_EQ(sBmp.size(), 720054u);
  const auto field = [&sBmp](int iOffset, int iSize) {
    uint32_t uiValue = 0;
    for (int k = iSize - 1; k >= 0; --k)
      uiValue = uiValue << 8 | static_cast<unsigned char>(sBmp[iOffset + k]);
    return uiValue;
  };
  EXPECT_EQ(sBmp.substr(0, 2), "BM");
  const uint32_t auiHEADER[][3] = {{2, 4, 720054}, {6, 4, 0},    {10, 4, 54},   {14, 4, 40},
                                   {18, 4, 600},   {22, 4, 400}, {26, 2, 1},    {28, 2, 24},
                                   {30, 4, 0},     {34, 4, 0},   {38, 4, 2835}, {42, 4, 2835},
                                   {46, 4, 0},     {50, 4, 0}};
  for (const auto& f : auiHEADER) EXPECT_EQ(field(f[0], f[1]), f[2]) << "offset " << f[0];
  std::string sRows;
  for (int y = gc_iIMAGE_HEIGHT - 1; y >= 0; --y)
    for (int x = 0; x < gc_iIMAGE_WIDTH; ++x) {
      const ClRgb c = pixel(x, y);
      sRows += {static_cast<char>(c.b), static_cast<char>(c.g), static_cast<char>(c.r)};
    }
  EXPECT_TRUE(sBmp.substr(54) == sRows);

  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path("graph.png").c_str()));
  EXPECT_EQ(image.width, 600u);
  EXPECT_EQ(image.height, 400u);
  image.format = PNG_FORMAT_RGB;
  std::string sPng(PNG_IMAGE_SIZE(image), '\0');
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, sPng.data(), 0, nullptr));
  EXPECT_TRUE(sPng == sImage);
}

TEST_F(GraphExportTest, RefusedNamesAndClosedGraphWriteNothing) {
  EXPECT_FALSE(saveGraph());
  EXPECT_EQ(lastMessage(), "No graph to save.");
  openWith("");
  for (const char* acName :
       {"graph.PPM", "graph.ppm.txt", "graph.ppm.ppm", "graph.png.png", "graph"}) {
    EXPECT_FALSE(save(acName)) << acName;
    EXPECT_EQ(lastMessage(), gc_acNAME_ALERT) << acName;
  }
  EXPECT_EQ(std::system(("test -z \"$(ls -A '" + m_sDirectory + "')\"").c_str()), 0);
  // a cancelled chooser is silent
  const size_t uiMessages = m_Seam.messages().size();
  EXPECT_FALSE(saveGraph());
  EXPECT_EQ(m_Seam.messages().size(), uiMessages);
}

TEST_F(GraphExportTest, OnlyTheFileNameChoosesTheFormat) {
  openWith("");
  for (const char* acFolder : {"d.ppm_x", "d.png", "d.bmp.ppm"})
    ASSERT_EQ(mkdir(path(acFolder).c_str(), 0700), 0) << acFolder;
  const struct {
    const char* acName;
    const char* acMagic;  // empty: refused with the name alert
  } aCases[] = {
      {"d.ppm_x/g.ppm", "P6"}, {"d.png/g.bmp", "BM"},     {"d.bmp.ppm/g.png", "\x89PNG"},
      {"d.png/g", ""},         {"d.ppm_x/g.ppm.ppm", ""}, {"d.png/g.PNG", ""},
  };
  for (const auto& c : aCases) {
    const std::string sMagic = c.acMagic;
    EXPECT_EQ(save(c.acName), !sMagic.empty()) << c.acName;
    if (sMagic.empty())
      EXPECT_EQ(lastMessage(), gc_acNAME_ALERT) << c.acName;
    else
      EXPECT_EQ(read(c.acName).substr(0, sMagic.size()), sMagic) << c.acName;
  }
}

TEST_F(GraphExportTest, FailingWriteKeepsTheOldFile) {
  openWith("");
  {
    std::ofstream old(path("graph.bmp"));
    old << "old";
  }
  // A file size limit makes the write fail halfway through the image.
  rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limited = saved;
  limited.rlim_cur = 100000;
  signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &limited);
  const bool bSaved = save("graph.bmp");
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, SIG_DFL);
  EXPECT_FALSE(bSaved);
  EXPECT_EQ(lastMessage().rfind("Error saving file '" + path("graph.bmp") + "':", 0), 0u)
      << lastMessage();
  EXPECT_EQ(read("graph.bmp"), "old");
  EXPECT_EQ(std::system(("test \"$(ls -A '" + m_sDirectory + "')\" = graph.bmp").c_str()), 0);
}

}  // namespace

// Fontconfig keeps its caches until exit; they are the toolkit's, not ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
