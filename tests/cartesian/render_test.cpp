// The 2D picture as a user sees it: axes, ticks, grids and tick labels, and the plotted
// functions, checked pixel by pixel on a headless bitmap.
#include <gtest/gtest.h>

#include "../compiled.h"
#include "cartesian/cartesian_document.h"
#include "platform/canvas.h"

namespace plotix {
namespace {

constexpr TColor kWhite = 0xFFFFFF, kBlack = 0x000000, kBlue = 0xFF0000;

class Render2D : public ::testing::Test {
 protected:
  Render2D() : bitmap(500, 500) {}

  TFunc2DObj& Add(const std::string& text) {
    functions.push_back(Compiled<TFunc2DObj>(text));
    return static_cast<TFunc2DObj&>(*functions.back());
  }
  void HideAxes() {
    settings.X.ShowAxisLines = settings.Y.ShowAxisLines = false;
    settings.X.TickType = settings.Y.TickType = ttNone;
  }
  TColor At(int x, int y) { return bitmap.Canvas().Pixel(x, y); }
  // The graph the test set up, drawn through the document's operations.
  void Render() {
    doc.SetView(view);
    doc.SetSettings(settings);
    doc.SetFunctions(CloneFunctions(functions));
    doc.Render(bitmap);
  }
  // Pixels of a colour within a rectangle (right and bottom exclusive).
  int Count(TColor color, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += At(x, y) == color;
    return n;
  }
  bool Painted(int left, int top, int right, int bottom) {
    return Count(kWhite, left, top, right, bottom) != (right - left) * (bottom - top);
  }

  TView2D view;
  TSetting2DObj settings;
  TFuncList<TBaseFunc2DObj> functions;
  TGraph2DDoc doc;
  TBitmap bitmap;
};

TEST_F(Render2D, DefaultAxesHaveTicksEvery35PixelsAndLabelsButNoneAtZero) {
  Render();
  for (const int i : {0, 100, 499}) EXPECT_EQ(std::tuple(At(i, 250), At(250, i)), std::tuple(kBlack, kBlack)) << i;
  for (int k = -7; k <= 7; ++k) {
    if (k == 0) continue;
    const int col = 250 + 35 * k;
    // Tick marks reach 5 pixels each side of the axis, their end pixel included.
    EXPECT_EQ(std::tuple(At(col, 245), At(col, 255), At(col, 244), At(col + 1, 247)),
              std::tuple(kBlack, kBlack, kWhite, kWhite))
        << k;
    EXPECT_TRUE(Painted(col - 12, 256, col + 13, 272)) << k;  // a number below each x tick
    EXPECT_TRUE(Painted(256, 250 - 35 * k - 8, 290, 250 - 35 * k + 8)) << k;
  }
  EXPECT_FALSE(Painted(240, 256, 249, 272));  // nothing at 0 while both axis lines are on
  EXPECT_FALSE(Painted(256, 256, 275, 272));
  EXPECT_FALSE(Painted(260, 240, 280, 250));  // between ticks only the axis
}

TEST_F(Render2D, AxisEndLimitsShortenTheAxisAndItsTicks) {
  settings.X.LimitLoEmpty = settings.Y.LimitHiEmpty = false;
  settings.X.LimitLo = 0;
  settings.Y.LimitHi = 2;
  Render();
  EXPECT_EQ(std::tuple(At(250, 250), At(499, 250), At(249, 250)), std::tuple(kBlack, kBlack, kWhite));
  EXPECT_EQ(std::tuple(At(215, 245), At(285, 245)), std::tuple(kWhite, kBlack));  // no tick at x = -1
  // The Y axis runs from the bottom up to y = 2, that row included.
  EXPECT_EQ(std::tuple(At(250, 180), At(250, 179), At(250, 499)), std::tuple(kBlack, kWhite, kBlack));
}

TEST_F(Render2D, GridLinesAndMarks) {
  settings.X.TickType = settings.Y.TickType = ttGridLines;
  Render();
  // Dotted lines at every multiple across the whole height, labels beside them.
  EXPECT_GT(Count(kBlack, 285, 0, 286, 500), 100);
  EXPECT_LT(Count(kBlack, 285, 0, 286, 500), 400);
  EXPECT_TRUE(Painted(286, 251, 300, 266) && Painted(200, 251, 214, 266) && Painted(251, 200, 270, 214));
  EXPECT_FALSE(Painted(270, 251, 284, 266) || Painted(216, 251, 230, 266));
  view.CenterY = 1000;  // away from y = 0 the x axis and its labels go, the grid stays
  settings.Y.TickType = ttTickMarks;
  Render();
  EXPECT_LE(Count(kBlack, 0, 250, 240, 251), 7);
  EXPECT_GT(Count(kBlack, 285, 0, 286, 500), 100);
  EXPECT_EQ(Count(kBlack, 287, 0, 300, 500), 0);
  view.CenterY = 0;
  settings.X.TickType = ttGridMarks;  // a vertical mark of +-5 at each grid point
  Render();
  EXPECT_EQ(std::tuple(At(285, 210), At(285, 220), At(285, 221), At(286, 215)),
            std::tuple(kBlack, kBlack, kWhite, kWhite));
}

TEST_F(Render2D, AsymptotesBreakTheRunOrAreFixedUp) {
  HideAxes();
  Add("1/x");  // column 250 lies on x = 0: the run breaks there
  Render();
  EXPECT_EQ(Count(kBlue, 250, 0, 251, 500), 0);
  EXPECT_LT(Count(kBlue, 249, 100, 252, 400), 5);
  view.CenterX = 0.5L;  // no column on x = 0: the jump is drawn unless fixed up
  Render();
  EXPECT_GT(Count(kBlue, 248, 0, 252, 500), 450);
  static_cast<TFunc2DObj&>(*functions[0]).AsymptoteFixUp = true;
  Render();
  EXPECT_LT(Count(kBlue, 248, 100, 252, 400), 5);
  EXPECT_GT(Count(kBlue, 0, 0, 248, 500), 100);
  EXPECT_GT(Count(kBlue, 252, 0, 500, 500), 100);
}

TEST_F(Render2D, ExtraAccuracyAndSpecialValuesReachTheUndefinedEdge) {
  HideAxes();
  view.CenterX = 0.5L;
  TFunc2DObj& f = Add("sqrt(x)");
  Render();
  EXPECT_EQ(std::tuple(At(250, 249), At(250, 250)), std::tuple(kWhite, kWhite));
  for (const bool extra : {true, false}) {
    f.ExtraAccuracy = extra;
    f.SetSpecialX(extra ? std::vector<Extended>{} : std::vector<Extended>{0});
    Render();
    for (int row = 246; row <= 250; ++row) EXPECT_EQ(At(250, row), kBlue) << row;
    EXPECT_EQ(Count(kBlue, 0, 0, 250, 500), 0);
  }
}

TEST_F(Render2D, BoundsAndSpecialValuesAtTheEnds) {
  HideAxes();
  TFunc2DObj& f = Add("1");
  f.LoBoundEmpty = f.HiBoundEmpty = false;
  const struct {
    Extended lo, hi;
    int pixels;
  } rows[] = {{-1, 1, 71}, {-20, -10, 0}, {-0.5L / 35, 2.5L / 35, 3}};  // the last: columns 250 to 252
  for (const auto& r : rows) {
    f.LoBound = r.lo;
    f.HiBound = r.hi;
    Render();
    EXPECT_EQ(Count(kBlue, 0, 0, 500, 500), r.pixels) << double(r.lo);
  }
  TFunc2DObj& g = Add("(x-1.97)*3500");
  functions.erase(functions.begin());
  g.HiBoundEmpty = false;
  g.HiBound = 1.9857L;  // the last column is 319 (x = 1.9714)
  g.SetSpecialX({1.985L});
  Render();
  EXPECT_EQ(Count(kBlue, 319, 10, 320, 70), 60);  // the line to the special point climbs column 319
}

TEST_F(Render2D, RunsJoinAndLaterFunctionsLieOnTop) {
  HideAxes();
  Add("x/5");
  Render();
  for (int col = 0; col < 500; ++col) EXPECT_GT(Count(kBlue, col, 0, col + 1, 500), 0) << col;
  functions.clear();
  TFunc2DObj& wide = Add("0");
  wide.Style.Color = 0x0000FF;
  wide.Style.Width = 5;
  Add("0");
  Render();
  EXPECT_EQ(std::tuple(At(100, 250), At(100, 248)), std::tuple(kBlue, TColor(0x0000FF)));
}

}  // namespace
}  // namespace plotix
