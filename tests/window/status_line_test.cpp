// Status line texts, their display modes and the panel cache; the coordinate
// conversions they rest on; the view mapping.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "window/polar_conversions.h"
#include "window/status_line.h"
#include "window/view_mapping.h"

namespace plotix {
namespace {

constexpr Extended kPi = 3.14159265358979323846264338327950288L;

class StatusLine : public ::testing::Test {
 protected:
  StatusLine() : line([this](int panel, const std::string& text) { writes.push_back({panel, text}); }) {}
  void TearDown() override { StatusModes() = TStatusModes{}; }

  std::string Last(int panel) const {
    for (auto it = writes.rbegin(); it != writes.rend(); ++it)
      if (it->first == panel) return it->second;
    return "<none>";
  }

  std::vector<std::pair<int, std::string>> writes;
  TStatusLine line;
};

TEST_F(StatusLine, NewTwoDWindowShowsZoomAndCentre) {
  line.Update2D(TView2D{}, 500, 500, -1, -1);
  EXPECT_EQ(Last(0), "Zoom X:35 Y:35");
  EXPECT_EQ(Last(1), "Center X:0 Y:0");
  EXPECT_EQ(Last(2), "");
}

TEST_F(StatusLine, MouseModes) {
  const struct {
    int mode;
    int x, y;
    std::string text;
  } cases[] = {
      {3, 249, 249, "Mouse(Pix) X:0 Y:0"},
      {4, 249, 249, "Mouse W:249 H:249"},
      {0, 284, 249, "Mouse X:1 Y:0"},
      {1, 249, 214, "Mouse R:1 T:90d"},
      {2, 214, 249, "Mouse R:1 T:3.14159r"},
      {0, 500, 10, ""},  // off the bitmap
      {0, 10, -1, ""},
      {7, 10, 10, ""},
  };
  for (const auto& c : cases) {
    StatusModes().mouse2D = c.mode;
    line.Update2D(TView2D{}, 500, 500, c.y, c.x);
    EXPECT_EQ(Last(2), c.text) << c.mode;
  }
}

TEST_F(StatusLine, CentreModes) {
  TView2D view;
  view.centerY = 35;
  const struct {
    int mode;
    std::string text;
  } cases[] = {{0, "Center X:0 Y:1"},
               {1, "Center R:1 T:90d"},
               {2, "Center R:1 T:1.5708r"},
               {3, "Center(Pix) X:0 Y:35"},
               {4, ""}};
  for (const auto& c : cases) {
    StatusModes().view2D = c.mode;
    line.Update2D(view, 500, 500, -1, -1);
    EXPECT_EQ(Last(1), c.text) << c.mode;
  }
}

TEST_F(StatusLine, PolarAndThreeDTexts) {
  line.UpdatePolar(35, 0, 35, 500, 500, -1, -1);
  EXPECT_EQ(Last(0), "Zoom: 35");
  EXPECT_EQ(Last(1), "Center R:1 T:90d");
  line.Update3D(10, 20.5L, -30, 20, 500, 500, 249, 269);
  EXPECT_EQ(Last(0), "Zoom: 20");
  EXPECT_EQ(Last(1), "Rotate X:10 Y:20.5 Z:-30");
  EXPECT_EQ(Last(2), "");  // the 3D mouse is not shown by default
  StatusModes().mouse3D = 0;
  line.Update3D(10, 20.5L, -30, 20, 500, 500, 249, 269);
  EXPECT_EQ(Last(2), "Mouse X:1 Y:0");
  StatusModes().mouse3D = 1;
  line.Update3D(10, 20.5L, -30, 20, 500, 500, 249, 269);
  EXPECT_EQ(Last(2), "Mouse(Pix) X:20 Y:0");
}

TEST_F(StatusLine, SameTextIsNotWrittenTwiceAndLongTextsAlwaysAre) {
  line.SetPanel(0, "a");
  line.SetPanel(0, "a");
  EXPECT_EQ(writes.size(), 1u);
  const std::string longText(76, 'x');
  line.SetPanel(0, longText);
  line.SetPanel(0, longText);
  EXPECT_EQ(writes.size(), 3u);
  line.SetPanel(0, "a");  // the long text reset the cache
  EXPECT_EQ(writes.size(), 4u);
  line.SetPanel(1, "");  // a fresh panel is written even with an empty text
  EXPECT_EQ(writes.size(), 5u);
}

TEST(PolarConversions, QuadrantsAndAxes) {
  const struct {
    Extended x, y, r, theta;
  } cases[] = {{0, 0, 0, 0},
               {0, 2, 2, kPi / 2},
               {0, -2, 2, 3 * kPi / 2},
               {3, 0, 3, 0},
               {-3, 0, 3, kPi},
               {1, 1, sqrtl(2), kPi / 4},
               {-1, 1, sqrtl(2), 3 * kPi / 4},
               {-1, -1, sqrtl(2), 5 * kPi / 4},
               {1, -1, sqrtl(2), 7 * kPi / 4}};
  for (const auto& c : cases) {
    Extended r, t;
    ToPolar(c.x, c.y, r, t);
    EXPECT_NEAR(static_cast<double>(r), static_cast<double>(c.r), 1e-15);
    EXPECT_NEAR(static_cast<double>(t), static_cast<double>(c.theta), 1e-15);
    Extended x, y;
    ToCartesian(t, r, x, y);
    EXPECT_NEAR(static_cast<double>(x), static_cast<double>(c.x), 1e-15);
    EXPECT_NEAR(static_cast<double>(y), static_cast<double>(c.y), 1e-15);
  }
  EXPECT_EQ(RadToDeg(DegToRad(90)), 90);
}

TEST(ViewMapping, OriginAndExtents) {
  const TMapping2D m(TView2D{}, 500, 500);
  EXPECT_EQ(m.Col(0), 250);
  EXPECT_EQ(m.Row(0), 250);
  EXPECT_EQ(m.Col(35), 285);
  EXPECT_EQ(m.Row(35), 215);
  EXPECT_EQ(m.right, 249);
  EXPECT_EQ(m.left, -250);
  EXPECT_EQ(m.top, 250);
  EXPECT_EQ(m.bottom, -249);
  EXPECT_EQ(m.topLimit, 2750);
  const TMapping2D odd(TView2D{}, 501, 501);
  EXPECT_EQ(odd.halfW, 250);
  EXPECT_EQ(odd.right, 250);
  // Ties round to even.
  EXPECT_EQ(m.Col(0.5L), 250);
  EXPECT_EQ(m.Col(1.5L), 252);
  EXPECT_EQ(m.Col(-0.5L), 250);
  // Changing the zoom keeps the pixel centre: the graph point there moves.
  TView2D v;
  v.centerX = 350;
  EXPECT_EQ(TMapping2D(v, 500, 500).XOfCol(250), 10);
  v.zoomX = 40;
  EXPECT_EQ(TMapping2D(v, 500, 500).XOfCol(250), 8.75L);
  EXPECT_EQ(ClampCenter(250000), 100000);
  EXPECT_EQ(ClampCenter(-250000), -100000);
  EXPECT_EQ(RoundToPixel(1e30L), 1000000000);
}

}  // namespace
}  // namespace plotix
