// The polar picture as a user sees it: rays, ticks and labels, and plotted functions,
// checked pixel by pixel on a headless bitmap.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "../compiled.h"
#include "platform/canvas.h"
#include "polar/polar_document.h"

namespace plotix {
namespace {

constexpr TColor kWhite = 0xFFFFFF, kBlack = 0x000000, kBlue = 0xFF0000, kRed = 0x0000FF;

class RenderPolar : public ::testing::Test {
 protected:
  RenderPolar() : bitmap(500, 500) {}

  TFuncPolarObj& Add(const std::string& text, Extended lo = 0, Extended hi = 2 * kPolarPi, int samples = 1000) {
    auto f = Compiled<TFuncPolarObj>(text);
    f->LoBound = lo;
    f->HiBound = hi;
    f->Samples = samples;
    functions.push_back(std::move(f));
    return *functions.back();
  }
  void NoGrid() {
    settings.AxisCount = 0;
    settings.TickMarkType = ptNoTicks;
  }
  // The graph the test set up, drawn through the document's operations.
  void Render() {
    doc.SetView(view);
    doc.SetSettings(settings);
    doc.SetFunctions(CloneFunctions(functions));
    doc.Render(bitmap);
  }
  TColor At(int x, int y) { return bitmap.Canvas().Pixel(x, y); }
  int Count(TColor color, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += At(x, y) == color;
    return n;
  }

  TPolarView view;
  TSettingPolarObj settings;
  TFuncList<TFuncPolarObj> functions;
  TGraphPolarDoc doc;
  TBitmap bitmap;
};

TEST_F(RenderPolar, DefaultGridHasEightRaysWithLabelledDashesEvery35Pixels) {
  Render();
  // Rays from the pole to the border; the 0 degree ray ends on column 499.
  for (const auto& [x, y] : {std::pair{499, 250}, {0, 250}, {250, 0}, {250, 499}, {499, 1}, {0, 0}, {1, 499}})
    EXPECT_EQ(At(x, y), kBlack) << x << "," << y;
  for (int k = 1; k <= 7; ++k) {
    // A dash across the 0 degree ray reaches 5 pixels each side, its label below it.
    EXPECT_EQ(At(250 + 35 * k, 245), kBlack) << k;
    EXPECT_EQ(At(250 + 35 * k, 255), kBlack) << k;
    EXPECT_EQ(At(250 + 35 * k, 256), kWhite) << k;
    EXPECT_GT(Count(kBlack, 250 + 35 * k, 257, 250 + 35 * k + 12, 272), 0) << k;
  }
  EXPECT_EQ(Count(kBlack, 256, 246, 280, 250), 0);  // only the ray between ticks
}

// A tick label sits below a vertical dash, right of a horizontal one, below and right of
// the lower end of a falling one and above and right of the upper end of a rising one;
// on circles at the ray's tick point. Dashes take the tick mark colour.
TEST_F(RenderPolar, TickLabelsSitBesideTheirTicks) {
  const struct {
    Extended angle;
    std::uint8_t type;
    int x, y, halfHeights;  // the label's top-left corner: (x, y + halfHeights * height / 2)
  } rows[] = {
      {0, ptDashes, 460, 256, 0},   {90, ptDashes, 256, 40, -1}, {45, ptDashes, 403, 106, 0},
      {135, ptDashes, 106, 97, -2}, {0, ptCircles, 460, 250, 0},
  };
  settings.AxisCount = 1;
  settings.TickIncrement = 6;  // one tick, 210 pixels out
  settings.TickMarkColor = kRed;
  for (const auto& row : rows) {
    settings.AxisAngles[0] = row.angle;
    settings.TickMarkType = row.type;
    settings.ShowLabels = false;
    Render();
    TCanvas& c = bitmap.Canvas();
    c.Font() = settings.LabelFont;
    c.TextOut(row.x, row.y + row.halfHeights * c.TextHeight("6") / 2, "6");
    const QImage predicted = bitmap.Image();
    settings.ShowLabels = true;
    Render();
    EXPECT_EQ(bitmap.Image(), predicted) << double(row.angle) << " " << int(row.type);
  }
  settings.AxisAngles[0] = 0;
  settings.TickMarkType = ptDashes;
  Render();
  EXPECT_EQ(At(460, 253), kRed);
  EXPECT_EQ(At(440, 250), kBlack);
}

TEST_F(RenderPolar, TicksNeedFivePixelsAndTheRestrictedRadiusEndsRaysAndCircles) {
  view.Zoom = 4.9L;
  Render();
  EXPECT_EQ(Count(kBlack, 260, 251, 500, 256), 0);

  view.Zoom = 35;
  settings.RestrictRadius = true;
  settings.RestrictRadiusAmount = -2;  // its size counts
  settings.TickMarkType = ptCircles;
  settings.ShowLabels = false;
  Render();
  EXPECT_EQ(At(320, 250), kBlack);
  EXPECT_EQ(At(321, 250), kWhite);
  EXPECT_EQ(At(250, 179), kWhite);
  // The circle of radius 35 spans columns 215..285 exactly; the one of 70 still shows.
  NoGrid();
  settings.TickMarkType = ptCircles;
  Render();
  for (const auto& [x, y, color] : {std::tuple{285, 250, kBlack},
                                    {215, 250, kBlack},
                                    {250, 215, kBlack},
                                    {250, 285, kBlack},
                                    {286, 250, kWhite},
                                    {214, 250, kWhite},
                                    {320, 250, kBlack},
                                    {355, 250, kWhite}})
    EXPECT_EQ(At(x, y), color) << x << "," << y;
}

TEST_F(RenderPolar, RaysOutsideThePoleAndAlongAnEdge) {
  // The pole 1000 pixels right of the view's centre: only the 180 degree ray crosses it.
  view.CenterX = -1000;
  settings.ShowLabels = false;
  Render();
  EXPECT_EQ(Count(kBlack, 0, 250, 500, 251), 500);
  EXPECT_EQ(Count(kBlack, 0, 0, 500, 240) + Count(kBlack, 0, 261, 500, 500), 0);
  // The same ray lying along the top edge covers the whole edge.
  view.CenterY = -250;
  Render();
  EXPECT_EQ(Count(kBlack, 0, 0, 500, 1), 500);
  // The pole on the left edge: the 0 degree ray runs right across the view.
  view = {35, 250, 0};
  Render();
  EXPECT_EQ(Count(kBlack, 0, 250, 500, 251), 500);
}

// A large circle is drawn as the arc the view shows, never straying a pixel from the true
// circle: one of radius 100000 pixels through a view whose bottom edge runs through the
// pole, and one of 4322 pixels round a view across the positive x axis.
TEST_F(RenderPolar, FarCircleIsOnlyItsVisibleArc) {
  NoGrid();
  settings.TickMarkType = ptCircles;
  settings.ShowLabels = false;
  const struct {
    TPolarView view;
    Extended increment;
    int left, right;  // the columns the arc lies in
  } rows[] = {{{10000, 100000, 249}, 10, 248, 252}, {{4322, 4082, 0}, 1, 481, 492}};
  for (const auto& row : rows) {
    view = row.view;
    settings.TickIncrement = row.increment;
    Render();
    const Extended r = row.view.Zoom * row.increment;
    EXPECT_EQ(Count(kBlack, 0, 0, 500, 500), Count(kBlack, row.left, 0, row.right, 500));
    for (int y = 0; y < 500; ++y) {
      EXPECT_GT(Count(kBlack, 0, y, 500, y + 1), 0) << y;
      for (int x = row.left; x < row.right; ++x) {
        if (At(x, y) != kBlack) continue;
        EXPECT_LT(fabsl(hypotl(x - 250 + view.CenterX, view.CenterY + 250 - y) - r), 1) << x << "," << y;
      }
    }
  }
}

TEST_F(RenderPolar, PointsMapRoundingHalfToEvenAndEitherVariableName) {
  NoGrid();
  view.Zoom = 1;
  Add("0.5", 0, 1e-9L, 10);
  Add("x*0+2.5", 0, 1e-9L, 10);
  Render();
  EXPECT_EQ(Count(kBlue, 0, 0, 500, 500), 2);
  EXPECT_EQ(At(250, 250), kBlue);
  EXPECT_EQ(At(252, 250), kBlue);
}

TEST_F(RenderPolar, BatchesJoinAndCurvesEndOnTheBorderWhereTheyLeave) {
  NoGrid();
  view.Zoom = 100;
  // The line x = 100 pixels in 151 points: more than one batch of 128, no gap between.
  Add("1/cos(theta)", -1.1L, 1.1L, 150);
  Render();
  EXPECT_EQ(Count(kBlue, 350, 250 - 196, 351, 250 + 197), 2 * 196 + 1);
  EXPECT_EQ(Count(kBlue, 0, 0, 500, 500), 2 * 196 + 1);

  // A circle of 300 pixels leaves the view on every side and comes back; nothing is drawn
  // along the border between.
  functions.clear();
  view.Zoom = 1;
  Add("300");
  Render();
  for (const auto& [x, y] :
       {std::pair{84, 0}, {416, 0}, {0, 84}, {0, 416}, {499, 83}, {499, 417}, {83, 499}, {417, 499}})
    EXPECT_EQ(At(x, y), kBlue) << x << "," << y;
  EXPECT_EQ(Count(kBlue, 100, 0, 400, 3), 0);
  EXPECT_EQ(Count(kBlue, 0, 100, 3, 400), 0);
}

TEST_F(RenderPolar, NothingForEmptyBoundsOrSampleCounts) {
  NoGrid();
  Add("1", 1, 1);
  Add("1", 2, 1);
  Add("1").Samples = 0;
  Add("1").Samples = -5;
  Add("sqrt(theta-3)");  // drawn only where defined
  Render();
  EXPECT_EQ(Count(kBlue, 250, 0, 500, 250), 0);
  EXPECT_GT(Count(kBlue, 0, 250, 250, 500), 0);
}

}  // namespace
}  // namespace plotix
