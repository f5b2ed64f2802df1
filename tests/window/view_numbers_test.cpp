// The numbers of a view: the pixel mapping, the status line texts in every mode, and the
// zoom steps of the hot keys.
#include <gtest/gtest.h>

#include "window/status_line.h"
#include "window/view_mapping.h"
#include "window/zoom_steps.h"

namespace plotix {
namespace {

TEST(ViewMapping, OriginExtentsAndRoundingToEven) {
  const TMapping2D m(TView2D{}, 500, 500);
  EXPECT_EQ(std::vector<int>({m.Col(0), m.Row(0), m.Col(35), m.Row(35)}), std::vector<int>({250, 250, 285, 215}));
  EXPECT_EQ(std::vector<Extended>({m.right, m.left, m.top, m.bottom, m.topLimit}),
            std::vector<Extended>({249, -250, 250, -249, 2750}));
  EXPECT_EQ(std::tuple(m.Col(0.5L), m.Col(1.5L), m.Col(-0.5L)), std::tuple(250, 252, 250));
  TView2D v;  // changing the zoom keeps the pixel centre: the graph point there moves
  v.CenterX = 350;
  EXPECT_EQ(TMapping2D(v, 500, 500).XOfCol(250), 10);
  v.ZoomX = 40;
  EXPECT_EQ(TMapping2D(v, 500, 500).XOfCol(250), 8.75L);
  EXPECT_EQ(std::tuple(ClampCenter(250000), ClampCenter(-250000), RoundToPixel(1e30L)),
            std::tuple(Extended(100000), Extended(-100000), 1000000000));
}

class StatusLine : public ::testing::Test {
 protected:
  StatusLine() : line([this](int panel, const std::string& text) { writes.push_back({panel, text}); }) {}
  std::string Last(int panel) const {
    for (auto it = writes.rbegin(); it != writes.rend(); ++it)
      if (it->first == panel) return it->second;
    return "<none>";
  }

  std::vector<std::pair<int, std::string>> writes;
  TStatusLine line;
};

TEST_F(StatusLine, FlatViewTextsInEveryMode) {
  const struct {
    int mode, x, y;
    const char* mouse;
    const char* centre;  // of a view centred 35 pixels up
  } rows[] = {
      {0, 284, 249, "Mouse X:1 Y:0", "Center X:0 Y:1"},
      {1, 249, 214, "Mouse R:1 T:90d", "Center R:1 T:90d"},
      {2, 214, 249, "Mouse R:1 T:3.14159r", "Center R:1 T:1.5708r"},
      {3, 249, 249, "Mouse(Pix) X:0 Y:0", "Center(Pix) X:0 Y:35"},
      {4, 249, 249, "Mouse W:249 H:249", ""},
      {0, 500, 10, "", "Center X:0 Y:1"},  // off the bitmap
      {7, 10, 10, "", ""},
  };
  for (const auto& r : rows) {
    line.ShowFlatView(35, 35, 0, 0, r.mode, r.mode, 500, 500, r.y, r.x);
    EXPECT_EQ(Last(2), r.mouse) << r.mode;
    line.ShowFlatView(35, 35, 0, 35, r.mode, r.mode, 500, 500, -1, -1);
    EXPECT_EQ(Last(1), r.centre) << r.mode;
  }
}

TEST(Zoom2D, StepsByRangeCappedAtTheRangeEnds) {
  const struct {
    bool in;
    Extended from, to;
    bool changed;
  } rows[] = {
      {true, 9800, 10000, true},     {true, 10000, 10000, false},      {true, 20000, 10000, true},
      {true, 1000, 1500, true},      {true, 0.99L, 1, true},           {true, 0.005L, 0.0052L, true},
      {false, 0.01L, 0.0098L, true}, {false, 0.0001L, 0.0001L, false}, {false, 10000, 9500, true},
      {false, 20, 18, true},
  };
  const TZoom2DSettings steps;
  for (const auto& r : rows) {
    Extended z = r.from;
    EXPECT_EQ(r.in ? ZoomStepIn(z, steps) : ZoomStepOut(z, steps), r.changed)
        << (r.in ? "in from " : "out from ") << double(r.from);
    EXPECT_NEAR(double(z), double(r.to), 1e-15) << (r.in ? "in from " : "out from ") << double(r.from);
  }
  std::vector<double> in, out;
  for (Extended a = 35, b = 35; in.size() < 14;) {
    ZoomStepIn(a, steps);
    ZoomStepOut(b, steps);
    in.push_back(double(a));
    out.push_back(double(b));
  }
  EXPECT_EQ(in, std::vector<double>({40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100, 125}));
  EXPECT_EQ(out, std::vector<double>({30, 25, 20, 18, 16, 14, 12, 10, 8, 6, 4, 2, 1, 0.98}));
}

}  // namespace
}  // namespace plotix
