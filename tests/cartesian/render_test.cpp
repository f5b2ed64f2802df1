// The 2D picture as a user sees it: axes, ticks, grids and tick labels, and the
// plotted functions, checked pixel by pixel on a headless bitmap.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "cartesian/cartesian_document.h"
#include "platform/canvas.h"

namespace plotix {
namespace {

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0x000000;
constexpr TColor kBlue = 0xFF0000;

class Render2D : public ::testing::Test {
 protected:
  Render2D() : bitmap(500, 500) {}

  TFunc2DObj& Add(const std::string& text) {
    auto f = std::make_unique<TFunc2DObj>();
    f->Func.SetExpression(text);
    EXPECT_TRUE(f->Func.Compile()) << text;
    doc.Functions.push_back(std::move(f));
    return *doc.Functions.back();
  }
  void HideAxes() {
    doc.Settings.X.ShowAxisLines = doc.Settings.Y.ShowAxisLines = false;
    doc.Settings.X.TickType = doc.Settings.Y.TickType = ttNone;
  }
  TColor At(int x, int y) { return bitmap.Canvas().Pixel(x, y); }
  void Render() { doc.Render(bitmap); }
  // Pixels of a colour within a rectangle (right and bottom exclusive).
  int Count(TColor color, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += At(x, y) == color;
    return n;
  }
  // True when anything but the background is painted in the rectangle.
  bool Painted(int left, int top, int right, int bottom) {
    return Count(kWhite, left, top, right, bottom) != (right - left) * (bottom - top);
  }

  TGraph2DDoc doc;
  TBitmap bitmap;
};

TEST_F(Render2D, DefaultAxesHaveTicksEvery35PixelsAndLabelsButNoneAtZero) {
  Render();
  for (int x : {0, 100, 499}) EXPECT_EQ(At(x, 250), kBlack) << x;
  for (int y : {0, 100, 499}) EXPECT_EQ(At(250, y), kBlack) << y;
  for (int k = -7; k <= 7; ++k) {
    if (k == 0) continue;
    const int col = 250 + 35 * k;
    // Tick marks reach 5 pixels each side of the axis, their end pixel included.
    EXPECT_EQ(At(col, 245), kBlack) << k;
    EXPECT_EQ(At(col, 255), kBlack) << k;
    EXPECT_EQ(At(col, 244), kWhite) << k;
    EXPECT_EQ(At(col + 1, 247), kWhite) << k;
    // A number below each x tick, one beside each y tick.
    EXPECT_TRUE(Painted(col - 12, 256, col + 13, 272)) << k;
    EXPECT_TRUE(Painted(256, 250 - 35 * k - 8, 290, 250 - 35 * k + 8)) << k;
  }
  // Nothing is written at 0 because both axis lines are on.
  EXPECT_FALSE(Painted(240, 256, 249, 272));
  EXPECT_FALSE(Painted(256, 256, 275, 272));
  // Between ticks there is only the axis.
  EXPECT_FALSE(Painted(260, 240, 280, 250));
}

TEST_F(Render2D, ZoomFourSuppressesTicksAndLabels) {
  doc.View.zoomX = doc.View.zoomY = 4;
  Render();
  EXPECT_EQ(At(10, 250), kBlack);
  EXPECT_EQ(At(250, 10), kBlack);
  EXPECT_FALSE(Painted(0, 240, 249, 250));
  EXPECT_FALSE(Painted(0, 251, 249, 270));
  EXPECT_FALSE(Painted(251, 0, 270, 249));
}

TEST_F(Render2D, AxisEndLimitsShortenTheAxisAndItsTicks) {
  doc.Settings.X.LimitLoEmpty = false;
  doc.Settings.X.LimitLo = 0;
  doc.Settings.Y.LimitHiEmpty = false;
  doc.Settings.Y.LimitHi = 2;
  Render();
  EXPECT_EQ(At(250, 250), kBlack);
  EXPECT_EQ(At(499, 250), kBlack);
  EXPECT_EQ(At(249, 250), kWhite);
  EXPECT_EQ(At(215, 245), kWhite);  // no tick at x = -1
  EXPECT_EQ(At(285, 245), kBlack);
  // The Y axis runs from the bottom up to y = 2, that row included.
  EXPECT_EQ(At(250, 180), kBlack);
  EXPECT_EQ(At(250, 179), kWhite);
  EXPECT_EQ(At(250, 499), kBlack);
}

TEST_F(Render2D, TurningTheYAxisOffShowsTheTickAndLabelAtZero) {
  doc.Settings.Y.ShowAxisLines = false;
  Render();
  EXPECT_EQ(At(250, 245), kBlack);
  EXPECT_TRUE(Painted(244, 256, 257, 272));
}

TEST_F(Render2D, GridLinesCrossTheBitmapWithLabelsBesideThem) {
  doc.Settings.X.TickType = ttGridLines;
  doc.Settings.Y.TickType = ttGridLines;
  Render();
  // Dotted vertical lines at every multiple, across the whole height.
  EXPECT_GT(Count(kBlack, 285, 0, 286, 500), 100);
  EXPECT_LT(Count(kBlack, 285, 0, 286, 500), 400);
  // Labels sit just right of their line below the axis, negative ones left of it.
  EXPECT_TRUE(Painted(286, 251, 300, 266));
  EXPECT_FALSE(Painted(270, 251, 284, 266));
  EXPECT_TRUE(Painted(200, 251, 214, 266));
  EXPECT_FALSE(Painted(216, 251, 230, 266));
  // Y labels above their line for positive values.
  EXPECT_TRUE(Painted(251, 200, 270, 214));
}

TEST_F(Render2D, ViewAwayFromYZeroDropsTheXAxisButKeepsGridLines) {
  doc.View.centerY = 1000;
  doc.Settings.X.TickType = ttGridLines;
  Render();
  // No row is an axis line any more: only the dotted grid lines cross it.
  EXPECT_LE(Count(kBlack, 0, 250, 240, 251), 7);
  EXPECT_GT(Count(kBlack, 285, 0, 286, 500), 100);
  // Without the X axis there are no x labels either.
  EXPECT_FALSE(Painted(286, 0, 300, 500) && Count(kBlack, 287, 0, 300, 500) > 0);
}

TEST_F(Render2D, GridMarksCrossAtEveryGridPoint) {
  doc.Settings.X.TickType = ttGridMarks;
  Render();
  // A vertical mark of +-5 at (x=1, y=1), none on the axes' zero lines.
  EXPECT_EQ(At(285, 210), kBlack);
  EXPECT_EQ(At(285, 220), kBlack);
  EXPECT_EQ(At(285, 221), kWhite);
  EXPECT_EQ(At(286, 215), kWhite);
}

TEST_F(Render2D, AsymptoteFixUpRemovesTheJumpAcrossOneOverX) {
  HideAxes();
  doc.View.centerX = 0.5L;  // no column falls on x = 0
  TFunc2DObj& f = Add("1/x");
  Render();
  const int withJump = Count(kBlue, 248, 0, 252, 500);
  EXPECT_GT(withJump, 450);
  f.AsymptoteFixUp = true;
  Render();
  EXPECT_LT(Count(kBlue, 248, 100, 252, 400), 5);
  // Both branches are still there.
  EXPECT_GT(Count(kBlue, 0, 0, 248, 500), 100);
  EXPECT_GT(Count(kBlue, 252, 0, 500, 500), 100);
}

TEST_F(Render2D, AColumnOnTheAsymptoteBreaksTheRun) {
  HideAxes();
  Add("1/x");
  Render();
  EXPECT_EQ(Count(kBlue, 250, 0, 251, 500), 0);
  EXPECT_LT(Count(kBlue, 249, 100, 252, 400), 5);
}

TEST_F(Render2D, ExtraAccuracyLetsSqrtReachTheAxis) {
  HideAxes();
  doc.View.centerX = 0.5L;
  TFunc2DObj& f = Add("sqrt(x)");
  Render();
  EXPECT_EQ(At(250, 249), kWhite);
  EXPECT_EQ(At(250, 250), kWhite);
  f.ExtraAccuracy = true;
  Render();
  for (int row = 246; row <= 250; ++row) EXPECT_EQ(At(250, row), kBlue) << row;
  EXPECT_EQ(Count(kBlue, 0, 0, 250, 500), 0);
}

TEST_F(Render2D, BoundedFunctionsStopAtTheirBoundColumns) {
  HideAxes();
  TFunc2DObj& f = Add("1");
  f.LoBoundEmpty = f.HiBoundEmpty = false;
  f.LoBound = -1;
  f.HiBound = 1;
  Render();
  EXPECT_EQ(Count(kBlue, 0, 0, 500, 500), 71);
  EXPECT_EQ(At(215, 215), kBlue);
  EXPECT_EQ(At(285, 215), kBlue);

  f.LoBound = -20;  // wholly left of the view
  f.HiBound = -10;
  Render();
  EXPECT_EQ(Count(kBlue, 0, 0, 500, 500), 0);

  f.LoBound = -0.5L / 35;  // a fractional bound starts at the first column beyond it
  f.HiBound = 2.5L / 35;
  Render();
  EXPECT_EQ(Count(kBlue, 0, 215, 500, 216), 3);  // columns 250, 251, 252
}

TEST_F(Render2D, LongRunsMeetWithoutAGap) {
  HideAxes();
  Add("x/5");
  Render();
  for (int col = 0; col < 500; ++col) EXPECT_GT(Count(kBlue, col, 0, col + 1, 500), 0) << col;
}

TEST_F(Render2D, SpecialValuesAreSampledExactlyAndJoined) {
  HideAxes();
  doc.View.centerX = 0.5L;
  TFunc2DObj& f = Add("sqrt(x)");
  f.SpecialX = {0};
  Render();
  // The special point (0, 0) is joined to the first defined column.
  for (int row = 246; row <= 250; ++row) EXPECT_EQ(At(250, row), kBlue) << row;
}

TEST_F(Render2D, ASpecialValueAfterTheLastColumnJoinsItsNeighbour) {
  HideAxes();
  TFunc2DObj& f = Add("(x-1.97)*3500");
  f.HiBoundEmpty = false;
  f.HiBound = 1.9857L;  // the last column is 319 (x = 1.9714)
  f.SpecialX = {1.985L};
  Render();
  // The special point lies far above the bitmap; the line to it climbs column 319.
  EXPECT_EQ(Count(kBlue, 319, 10, 320, 70), 60);
}

TEST_F(Render2D, LaterFunctionsLieOnTopAndWideFunctionsDraw) {
  HideAxes();
  TFunc2DObj& a = Add("0");
  a.Color = 0x0000FF;
  a.Width = 5;
  Add("0");
  Render();
  EXPECT_EQ(At(100, 250), kBlue);
  EXPECT_EQ(At(100, 248), 0x0000FFu);
}

TEST_F(Render2D, ExtremeValuesAreClampedIntoTheBand) {
  HideAxes();
  Add("tan(x)");
  Add("exp(x*1000)");
  Add("-x^20");
  Render();  // must not hang or crash; lines run off the edges
  EXPECT_GT(Count(kBlue, 0, 0, 500, 500), 500);
}

}  // namespace
}  // namespace plotix
