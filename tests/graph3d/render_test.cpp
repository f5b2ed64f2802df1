// The 3D drawing: which edge keeps a pixel where edges cross, the colours written at
// every depth, and the order of the axis labels.
#include <gtest/gtest.h>

#include <vector>

#include "graph3d/render.h"
#include "platform/canvas.h"

namespace plotix {
namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x008000, kBlack = 0, kWhite = 0xFFFFFF;

struct TEdgeRow {
  Extended x1, y1, z1, x2, y2, z2;
  int colorIndex;
};

// A document whose store holds the given lines, X, Y and Z axes black, green, blue and
// functions 0 and 1 red and blue; drawn at zoom 20 on a 500 x 500 bitmap.
class Render3D : public ::testing::Test {
 protected:
  void Draw(const std::vector<TEdgeRow>& edges, const TView3D& view = {}, int depth = 32) {
    settings.Axes[1].LineColor = kGreen;
    settings.Axes[2].LineColor = kBlue;
    for (const TEdgeRow& e : edges) {
      std::int32_t a = kNoSlot, b = kNoSlot;
      lines.AddLine({ToFixed(e.x1), ToFixed(e.y1), ToFixed(e.z1)}, a, {ToFixed(e.x2), ToFixed(e.y2), ToFixed(e.z2)}, b,
                    std::uint8_t(e.colorIndex));
    }
    lines.SetPaletteColor(0, kRed);
    lines.SetPaletteColor(1, kBlue);
    bitmap.SetDepth(depth);
    renderer.Draw(bitmap, lines, settings, view);
  }
  TColor Pixel(int x, int y) { return bitmap.Canvas().Pixel(x, y); }

  TLineObj lines;
  TSettings3DObj settings;
  T3DRenderer renderer;
  TBitmap bitmap{500, 500};
};

// At the crossing (250, 250) the edge with the greater depth wins whichever is drawn
// last; at equal depth the higher colour index does, so an axis beats a function.
TEST_F(Render3D, TheNearerEdgeKeepsACrossing) {
  const struct {
    Extended depth0, depth1;
    TColor want;
  } cases[] = {{1, 0, kRed}, {-1, 0, kBlue}, {0, 0, kBlue}, {0.5L, -0.5L, kRed}};
  for (const auto& c : cases) {
    lines.Clear();
    for (TAxis3DSettings& axis : settings.Axes) axis.ShowAxisLine = false;
    Draw({{-5, 0, c.depth0, 5, 0, c.depth0, 0}, {0, -5, c.depth1, 0, 5, c.depth1, 1}});
    EXPECT_EQ(Pixel(250, 250), c.want) << c.depth0 << " " << c.depth1;
  }
  lines.Clear();
  settings.Axes[0].ShowAxisLine = true;
  Draw({{-1, 0, 0, 1, 0, 0, 0}});
  EXPECT_EQ(Pixel(260, 250), kBlack);
}

// The Z axis seen end-on is one pixel deep from -1 to 1: it counts at its nearer end, so
// a function edge at depth 0.5 passes behind it.
TEST_F(Render3D, AnEdgeOnOnePixelHasTheDepthOfItsNearerEnd) {
  Draw({{-5, 0, 0.5L, 5, 0, 0.5L, 0}, {5, 5, -1, 5, 5, 1, 0}});
  EXPECT_EQ(Pixel(250, 250), kBlue);
  EXPECT_EQ(Pixel(240, 250), kRed);
}

TEST_F(Render3D, WritesEachColourAsTheDepthHoldsIt) {
  for (const int depth : {32, 24, 16, 15, 8, 4}) {
    lines.Clear();
    Draw({{-5, 3, 0, 5, 3, 0, 0}}, {}, depth);
    EXPECT_EQ(Pixel(260, 190), SnapColor(kRed, depth)) << depth;
    EXPECT_EQ(Pixel(250, 100), SnapColor(kWhite, depth)) << depth;
  }
}

// At 90 degrees about X and 45 about Y the +X and +Y ends meet on the screen, +Y nearer:
// its label lies on top where the two overlap (the "+").
TEST_F(Render3D, NearerAxisLabelsLieOnTop) {
  settings.Axes[0].LabelFont.color = kRed;
  settings.Axes[1].LabelFont.color = kBlue;
  TView3D view;
  view.RotateX = 90;
  view.RotateY = 45;
  view.Zoom = 100;
  Draw({{-1, 0, 0, 1, 0, 0, 0}, {0, -1, 0, 0, 1, 0, 0}}, view);
  const TLinePoint& plusX = lines.Point(1);
  const TLinePoint& plusY = lines.Point(3);
  ASSERT_EQ(plusX.ScreenX, plusY.ScreenX);
  ASSERT_EQ(plusX.ScreenY, plusY.ScreenY);
  ASSERT_LT(plusX.Depth, plusY.Depth);
  TCanvas& c = bitmap.Canvas();
  c.Font() = settings.Axes[0].LabelFont;
  int blue = 0, red = 0;
  for (int y = plusX.ScreenY - c.TextHeight("+"); y < plusX.ScreenY; ++y)
    for (int x = plusX.ScreenX; x < plusX.ScreenX + c.TextWidth("+"); ++x) {
      blue += Pixel(x, y) == kBlue;
      red += Pixel(x, y) == kRed;
    }
  EXPECT_GT(blue, 0);
  EXPECT_EQ(red, 0);
}

// A bitmap of another size is drawn as a new renderer draws it.
TEST_F(Render3D, ANewSizeIsDrawnAfresh) {
  Draw({{-15, -1, 0, 15, 1, 0, 0}});  // wider than the smaller bitmaps
  for (const auto& [w, h] : {std::pair{300, 500}, {500, 300}}) {
    TBitmap resized(w, h), fresh(w, h);
    renderer.Draw(resized, lines, settings, {});
    T3DRenderer().Draw(fresh, lines, settings, {});
    EXPECT_EQ(resized.Image(), fresh.Image()) << w << "x" << h;
  }
}

// An edge leaving the bitmap is drawn up to the border along its own slope, on every side.
TEST_F(Render3D, EdgesLeavingTheBitmapKeepTheirSlope) {
  for (TAxis3DSettings& axis : settings.Axes) axis.ShowAxisLine = false;
  const struct {
    TEdgeRow edge;
    int x, y;  // a point of the edge near the border
  } rows[] = {{{0, 0, 0, 30, 5, 0, 0}, 490, 210},
              {{0, 0, 0, -30, -5, 0, 0}, 10, 290},
              {{0, 0, 0, 5, 30, 0, 0}, 290, 10},
              {{0, 0, 0, -5, -30, 0, 0}, 210, 490}};
  for (const auto& row : rows) {
    lines.Clear();
    Draw({row.edge});
    int red = 0;
    for (int d = -1; d <= 1; ++d) red += Pixel(row.x, row.y + d) == kRed || Pixel(row.x + d, row.y) == kRed;
    EXPECT_GT(red, 0) << row.x << "," << row.y;
  }
}

// Each end label is drawn on its own: nothing of one shows beside the next.
TEST_F(Render3D, EndLabelsAreDrawnEachOnItsOwn) {
  settings.Axes[0].ShowPlusSign = false;  // "X" is drawn first, then "-X"
  Draw({{-1, 0, 0, 1, 0, 0, 0}});
  QImage drawn[4];  // no label, "X" alone, "-X" alone, both
  for (int ends = 0; ends < 4; ++ends) {
    settings.Axes[0].LabelPlusEnd = ends & 1;
    settings.Axes[0].LabelMinusEnd = ends & 2;
    TBitmap b(500, 500);
    T3DRenderer().Draw(b, lines, settings, {});
    drawn[ends] = b.Image();
  }
  int labelled = 0;
  for (int y = 0; y < 500; ++y)
    for (int x = 0; x < 500; ++x) {
      const QRgb plus = drawn[1].pixel(x, y), minus = drawn[2].pixel(x, y);
      labelled += plus != minus;
      EXPECT_EQ(drawn[3].pixel(x, y), plus != drawn[0].pixel(x, y) ? plus : minus) << x << "," << y;
    }
  EXPECT_GT(labelled, 0);
}

TEST_F(Render3D, AStoreWithTheAxesAloneDrawsTheBackground) {
  settings.BackColor = kGreen;
  Draw({});
  for (const int p : {0, 250, 499}) EXPECT_EQ(Pixel(p, p), kGreen);
}

}  // namespace
}  // namespace plotix
