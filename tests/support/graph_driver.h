// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the graph as the program does: "Graph Window" opened with a current
// line, Plot lines entered, and the image the export draws read back pixel
// by pixel. Everything goes through the headless seam of the command tests.
#pragma once

#include <FL/Fl.H>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "graph/graph_export.h"
#include "graph/graph_window.h"
#include "tests/support/command_driver.h"

struct ClRgb {
  int r, g, b;
  bool operator==(const ClRgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

inline std::ostream& operator<<(std::ostream& os, const ClRgb& c) {
  return os << "rgb(" << c.r << ", " << c.g << ", " << c.b << ")";
}

inline ClRgb rgbOf(Fl_Color iColour) {
  unsigned char r, g, b;
  Fl::get_color(iColour, r, g, b);
  return {r, g, b};
}

const ClRgb gc_WHITE{255, 255, 255};
const ClRgb gc_BLACK{0, 0, 0};
const ClRgb gc_GRID_GREY{192, 192, 192};

// A segment in image pixels.
struct ClSegment {
  double x0, y0, x1, y1;
};

inline double distanceTo(const ClSegment& s, double dX, double dY) {
  const double dx = s.x1 - s.x0, dy = s.y1 - s.y0;
  const double dLength2 = dx * dx + dy * dy;
  double t = dLength2 == 0 ? 0 : ((dX - s.x0) * dx + (dY - s.y0) * dy) / dLength2;
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  return std::hypot(dX - (s.x0 + t * dx), dY - (s.y0 + t * dy));
}

class ClGraphTest : public ClCommandTest {
 protected:
  void SetUp() override {
    ClCommandTest::SetUp();
    char acTemplate[] = "/tmp/orvel-graph-XXXXXX";
    ASSERT_NE(mkdtemp(acTemplate), nullptr);
    m_sDirectory = acTemplate;
  }
  void TearDown() override {
    std::system(("rm -rf '" + m_sDirectory + "'").c_str());
    ClCommandTest::TearDown();
  }

  // "Graph Window" with sLine as the current line.
  void openWith(const std::string& sLine) {
    setCurrentLine(sLine.data(), static_cast<uint16_t>(sLine.size()));
    ClCallback::graph_cb(nullptr, nullptr);
  }
  void render() { ASSERT_TRUE(renderGraphImage()); }
  ClRgb pixel(int iX, int iY) const {
    const unsigned char* p = g_aucLarge_Graph_Image + (iY * gc_iIMAGE_WIDTH + iX) * 3;
    return {p[0], p[1], p[2]};
  }
  // Pixels of the colour farther than 1.5 pixels from every segment.
  int strayPixels(const ClRgb& colour, const std::vector<ClSegment>& aSegments) const {
    int iStray = 0;
    for (int y = 0; y < gc_iIMAGE_HEIGHT; ++y)
      for (int x = 0; x < gc_iIMAGE_WIDTH; ++x) {
        if (!(pixel(x, y) == colour)) continue;
        bool bNear = false;
        for (const ClSegment& s : aSegments) bNear = bNear || distanceTo(s, x, y) <= 1.5;
        if (!bNear) ++iStray;
      }
    return iStray;
  }
  // "Save Graph" answered with the name, in the test's directory.
  bool save(const std::string& sName) {
    m_Seam.queueFileName(path(sName));
    return saveGraph();
  }
  std::string path(const std::string& sName) const { return m_sDirectory + "/" + sName; }
  std::string read(const std::string& sName) const {
    std::ifstream in(path(sName), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string lastMessage() const {
    return m_Seam.messages().empty() ? std::string() : m_Seam.messages().back();
  }

  std::string m_sDirectory;
};
