// The raster canvas: exact line pixels and patterns, not-xor, shapes and brushes, flood
// fill, text, colour depths.
#include "platform/canvas.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include <algorithm>
#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace plotix {
namespace {

constexpr TColor kWhite = 0xFFFFFF, kBlack = 0x000000, kRed = 0x0000FF, kBlue = 0xFF0000;

using TPixelSet = std::set<std::pair<int, int>>;

// Pixels (x, y) whose colour differs from `background`.
TPixelSet Changed(TBitmap& bitmap, TColor background = kWhite) {
  TPixelSet out;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (bitmap.Canvas().Pixel(x, y) != background) out.insert({x, y});
  return out;
}

// A busy background, so that not-xor has something to restore.
void Scribble(TBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) bitmap.Canvas().SetPixel(x, y, RGBColor(x * 7, y * 11, (x ^ y) * 5));
}

// The pixels of the line a-b without b: i steps along the longer axis and
// round(i * shorter / longer), halves away from a, along the other.
TPixelSet LinePixels(TPoint a, TPoint b) {
  TPixelSet out;
  const int dx = b.x - a.x, dy = b.y - a.y, n = std::max(std::abs(dx), std::abs(dy));
  for (int i = 0; i < n; ++i) {
    auto along = [&](int d) { return (d < 0 ? -1 : 1) * ((2 * i * std::abs(d) + n) / (2 * n)); };
    out.insert({a.x + along(dx), a.y + along(dy)});
  }
  return out;
}

TEST(CanvasLine, PaintsTheLinePixelsWithoutTheEndPixel) {
  const std::vector<std::pair<TPoint, TPoint>> lines = {
      {{2, 5}, {8, 5}},   {{8, 5}, {2, 5}},   {{4, 1}, {4, 9}}, {{4, 9}, {4, 1}},  {{1, 1}, {5, 5}},
      {{5, 1}, {1, 5}},   {{0, 0}, {6, 2}},   {{6, 2}, {0, 0}}, {{3, 0}, {5, 11}}, {{19, 2}, {0, 13}},
      {{0, 14}, {19, 9}}, {{10, 7}, {10, 7}}, {{0, 0}, {1, 1}},
  };
  for (const auto& [a, b] : lines) {
    TBitmap bitmap(20, 15);
    bitmap.Canvas().MoveTo(a.x, a.y);
    bitmap.Canvas().LineTo(b.x, b.y);
    EXPECT_EQ(Changed(bitmap), LinePixels(a, b)) << a.x << "," << a.y << " to " << b.x << "," << b.y;
    EXPECT_EQ(bitmap.Canvas().PenPos(), b);
  }
  // Spelled out: a shallow line steps at the halves.
  TBitmap bitmap(10, 5);
  bitmap.Canvas().MoveTo(0, 0);
  bitmap.Canvas().LineTo(6, 2);
  EXPECT_EQ(Changed(bitmap), (TPixelSet{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}}));
}

TEST(CanvasLine, ClippingKeepsThePixelsOfTheWholeLine) {
  // The same lines on a large bitmap and, shifted, on a small one that cuts them.
  const std::vector<std::pair<TPoint, TPoint>> lines = {
      {{0, 3}, {90, 50}}, {{85, 2}, {1, 77}}, {{40, 0}, {47, 99}}, {{99, 60}, {0, 20}}, {{5, 90}, {70, 90}},
  };
  for (const auto& [a, b] : lines) {
    TBitmap big(100, 100), small(30, 25);
    big.Canvas().MoveTo(a.x, a.y);
    big.Canvas().LineTo(b.x, b.y);
    small.Canvas().MoveTo(a.x - 35, a.y - 30);
    small.Canvas().LineTo(b.x - 35, b.y - 30);
    TPixelSet expected;
    for (const auto& [x, y] : Changed(big))
      if (x >= 35 && x < 65 && y >= 30 && y < 55) expected.insert({x - 35, y - 30});
    EXPECT_EQ(Changed(small), expected) << a.x << "," << a.y << " to " << b.x << "," << b.y;
  }
  // Far-away ends are clipped, not walked.
  TBitmap bitmap(20, 20);
  bitmap.Canvas().MoveTo(-2000000000, 10);
  bitmap.Canvas().LineTo(2000000000, 10);
  bitmap.Canvas().MoveTo(-2000000000, -2000000000);
  bitmap.Canvas().LineTo(2000000000, 2000000000);
  TPixelSet expected;
  for (int i = 0; i < 20; ++i) expected.insert({i, 10}), expected.insert({i, i});
  EXPECT_EQ(Changed(bitmap), expected);
}

TEST(CanvasLine, PenStylesDrawTheirPatterns) {
  struct TCase {
    int style;
    bool (*on)(int);
  };
  const TCase cases[] = {
      {psSolid, [](int) { return true; }},
      {psDash, [](int i) { return i % 24 < 18; }},
      {psDot, [](int i) { return i % 6 < 3; }},
      {psDashDot, [](int i) { return i % 24 < 9 || (i % 24 >= 15 && i % 24 < 18); }},
      {psDashDotDot,
       [](int i) { return i % 24 < 9 || (i % 24 >= 12 && i % 24 < 15) || (i % 24 >= 18 && i % 24 < 21); }},
      {psClear, [](int) { return false; }},
  };
  for (const TCase& c : cases) {
    TBitmap bitmap(70, 60);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().style = c.style;
    canvas.MoveTo(0, 1);
    canvas.LineTo(60, 1);
    // Along a polyline and across LineTo calls the pattern runs on; MoveTo restarts it.
    const TPoint path[] = {{0, 10}, {20, 10}, {20, 50}, {29, 50}};
    canvas.Polyline(path, 4);
    canvas.MoveTo(0, 55);
    canvas.LineTo(13, 55);
    canvas.LineTo(40, 55);
    for (int i = 0; i < 70; ++i) {
      EXPECT_EQ(canvas.Pixel(i, 1) == kBlack, i < 60 && c.on(i)) << "style " << c.style << " line " << i;
      EXPECT_EQ(canvas.Pixel(i, 55) == kBlack, i < 40 && c.on(i)) << "style " << c.style << " lines " << i;
      const TPoint at = i < 20 ? TPoint{i, 10} : i < 60 ? TPoint{20, i - 10} : TPoint{i - 40, 50};
      EXPECT_EQ(canvas.Pixel(at.x, at.y) == kBlack, i < 69 && c.on(i)) << "style " << c.style << " path " << i;
    }
  }
}

TEST(CanvasLine, WidePensAreSolidWithRoundCaps) {
  struct TCase {
    int width;
    int style;
    int top, bottom, left, right;  // the painted block of a line from (10,10) to (20,10)
  };
  for (const TCase& c : {TCase{2, psSolid, 9, 10, 9, 20}, TCase{3, psSolid, 9, 11, 9, 21},
                         TCase{3, psDash, 9, 11, 9, 21}, TCase{5, psDot, 8, 12, 8, 22}}) {
    TBitmap bitmap(32, 24);
    bitmap.Canvas().Pen() = {kBlue, c.width, c.style, TPenMode::Copy};
    bitmap.Canvas().MoveTo(10, 10);
    bitmap.Canvas().LineTo(20, 10);
    const TPixelSet painted = Changed(bitmap);
    EXPECT_EQ(painted.begin()->first, c.left) << c.width;
    EXPECT_EQ(painted.rbegin()->first, c.right) << c.width;
    int top = 99, bottom = -1;
    for (const auto& [x, y] : painted) top = std::min(top, y), bottom = std::max(bottom, y);
    EXPECT_EQ(top, c.top) << c.width;
    EXPECT_EQ(bottom, c.bottom) << c.width;
    for (int x = c.left + 2; x <= c.right - 2; ++x)
      for (int y = c.top; y <= c.bottom; ++y) EXPECT_EQ(bitmap.Canvas().Pixel(x, y), kBlue) << x << "," << y;
  }
  // A zero-length wide line is a dot; a thin one paints nothing.
  TBitmap bitmap(20, 20);
  bitmap.Canvas().MoveTo(5, 5);
  bitmap.Canvas().LineTo(5, 5);
  EXPECT_TRUE(Changed(bitmap).empty());
  bitmap.Canvas().Pen().width = 4;
  bitmap.Canvas().LineTo(5, 5);
  EXPECT_EQ(Changed(bitmap).size(), 12u);  // a 4 x 4 disc without its corners
}

// Draws the figure once (something must change), then again: every pixel is back.
void ExpectNotXorRestores(int depth, const char* what, const std::function<void(TCanvas&)>& draw) {
  TBitmap bitmap(60, 50, depth);
  Scribble(bitmap);
  const QImage before = bitmap.Image().copy();
  draw(bitmap.Canvas());
  EXPECT_NE(bitmap.Image(), before) << what << " at " << depth;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      ASSERT_EQ(bitmap.Canvas().Pixel(x, y), SnapColor(bitmap.Canvas().Pixel(x, y), depth)) << what << " at " << depth;
  draw(bitmap.Canvas());
  EXPECT_EQ(bitmap.Image(), before) << what << " at " << depth;
}

TEST(CanvasNotXor, DrawingTwiceRestoresEveryPixel) {
  const TPoint zigzag[] = {{3, 3}, {40, 3}, {40, 30}, {10, 45}, {3, 3}, {55, 48}};
  const std::vector<std::pair<const char*, std::function<void(TCanvas&)>>> figures = {
      {"line",
       [](TCanvas& c) {
         c.MoveTo(2, 47);
         c.LineTo(57, 4);
         c.LineTo(57, 40);
       }},
      {"dashed polyline",
       [&](TCanvas& c) {
         c.Pen().style = psDashDot;
         c.Polyline(zigzag, 6);
       }},
      {"wide polyline",
       [&](TCanvas& c) {
         c.Pen().width = 4;
         c.Polyline(zigzag, 6);
       }},
      {"marker squares",
       [](TCanvas& c) {
         c.Pen().width = 5;
         c.Brush().style = bsClear;
         c.Rectangle(7, 7, 13, 13);
         c.Rectangle(30, 20, 36, 26);
       }},
      {"hatched ellipse",
       [](TCanvas& c) {
         c.Brush() = {kRed, bsDiagCross};
         c.Ellipse(50, 45, 5, 4);
       }},
      {"dotted round rectangle",
       [](TCanvas& c) {
         c.Pen().style = psDot;
         c.Pen().color = 0x3399CC;
         c.RoundRect(4, 6, 50, 40, 20, 12);
       }},
  };
  for (int depth : {32, 24, 16, 15, 8, 4})
    for (const auto& [what, draw] : figures)
      ExpectNotXorRestores(depth, what, [draw = draw](TCanvas& c) {
        c.Pen().mode = TPenMode::NotXor;
        draw(c);
      });
}

TEST(CanvasNotXor, SharedVerticesArePaintedOnce) {
  TBitmap bitmap(20, 20);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Pen().mode = TPenMode::NotXor;
  const TPoint square[] = {{2, 2}, {12, 2}, {12, 12}, {2, 12}, {2, 2}};
  canvas.Polyline(square, 5);
  for (const TPoint& p : square) EXPECT_EQ(canvas.Pixel(p.x, p.y), kBlack) << p.x << "," << p.y;
  EXPECT_EQ(Changed(bitmap).size(), 40u);
  // A black not-xor pen inverts: at 8 bits too, through the palette's complements.
  TBitmap palette(4, 1, 8);
  palette.Canvas().SetPixel(0, 0, 0x3399CC);
  palette.Canvas().Pen().mode = TPenMode::NotXor;
  palette.Canvas().MoveTo(0, 0);
  palette.Canvas().LineTo(2, 0);
  EXPECT_EQ(palette.Canvas().Pixel(0, 0), 0xCC6633u);
  EXPECT_EQ(palette.Canvas().Pixel(1, 0), kBlack);
}

TEST(CanvasShapes, BoxesExcludeTheirRightAndBottomEdges) {
  for (const TRect& r : {TRect{2, 3, 10, 8}, TRect{10, 8, 2, 3}, TRect{2, 8, 10, 3}}) {
    TBitmap bitmap(14, 12);
    bitmap.Canvas().Brush().color = kRed;
    bitmap.Canvas().Rectangle(r.left, r.top, r.right, r.bottom);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 14; ++x) {
        const bool inside = x >= 2 && x <= 9 && y >= 3 && y <= 7;
        const bool edge = x == 2 || x == 9 || y == 3 || y == 7;
        EXPECT_EQ(bitmap.Canvas().Pixel(x, y), !inside ? kWhite : edge ? kBlack : kRed) << x << "," << y;
      }
  }
  TBitmap bitmap(14, 12);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().color = kRed;
  canvas.Pen().style = psClear;
  canvas.Rectangle(2, 3, 10, 8);  // no outline: all brush
  TPixelSet box;
  for (int y = 3; y < 8; ++y)
    for (int x = 2; x < 10; ++x) box.insert({x, y});
  EXPECT_EQ(Changed(bitmap), box);
  EXPECT_EQ(Changed(bitmap, kRed).size(), 14u * 12u - box.size());
  canvas.Brush().color = kBlue;
  canvas.FillRect({2, 3, 10, 8});
  EXPECT_EQ(Changed(bitmap), box);
  EXPECT_EQ(canvas.Pixel(5, 5), kBlue);
  canvas.FillRect({10, 8, 2, 3});  // an upside-down rectangle fills nothing
  canvas.Brush().style = bsClear;
  canvas.FillRect({0, 0, 14, 12});
  EXPECT_EQ(Changed(bitmap), box);
}

TEST(CanvasShapes, EllipsesAndRoundRectsStayInTheirBoxAndAreSymmetric) {
  struct TCase {
    bool ellipse;
    TRect box;
    int width;
  };
  for (const TCase& c :
       {TCase{true, {5, 5, 25, 15}, 1}, TCase{true, {3, 4, 30, 27}, 1}, TCase{true, {6, 6, 9, 10}, 1},
        TCase{false, {4, 4, 31, 20}, 1}, TCase{true, {8, 7, 28, 25}, 3}, TCase{false, {9, 9, 26, 25}, 4}}) {
    TBitmap bitmap(36, 32);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().width = c.width;
    canvas.Brush().color = kRed;
    if (c.ellipse)
      canvas.Ellipse(c.box.left, c.box.top, c.box.right, c.box.bottom);
    else
      canvas.RoundRect(c.box.left, c.box.top, c.box.right, c.box.bottom, 12, 8);
    const TPixelSet painted = Changed(bitmap);
    const int grow = c.width / 2;
    int left = 99, right = -1, top = 99, bottom = -1;
    for (const auto& [x, y] : painted) {
      left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
      EXPECT_EQ(canvas.Pixel(c.box.left + c.box.right - 1 - x, y), canvas.Pixel(x, y)) << x << "," << y;
      EXPECT_EQ(canvas.Pixel(x, c.box.top + c.box.bottom - 1 - y), canvas.Pixel(x, y)) << x << "," << y;
    }
    EXPECT_EQ(left, c.box.left - grow);
    EXPECT_EQ(right, c.box.right - 1 + grow);
    EXPECT_EQ(top, c.box.top - grow);
    EXPECT_EQ(bottom, c.box.bottom - 1 + grow);
    // Corners are cut, the middle is brush.
    EXPECT_EQ(canvas.Pixel(left, top), kWhite) << c.box.left << " width " << c.width;
    EXPECT_EQ(canvas.Pixel((c.box.left + c.box.right) / 2, (c.box.top + c.box.bottom) / 2), kRed);
  }
}

TEST(CanvasShapes, HugeShapesDrawTheirVisiblePart) {
  constexpr int kFar = 2000000000;
  for (int width : {1, 7})
    for (int style : {psSolid, psDash}) {
      TBitmap bitmap(30, 20);
      TCanvas& canvas = bitmap.Canvas();
      canvas.Pen() = {kBlack, width, style, TPenMode::Copy};
      canvas.Brush().color = kRed;
      canvas.Ellipse(-kFar, -kFar, kFar, kFar);  // the bitmap lies deep inside
      EXPECT_EQ(Changed(bitmap, kRed).size(), 0u) << width << " " << style;
      canvas.Rectangle(-kFar, 5, kFar, kFar);  // the top edge crosses row 5
      std::set<TColor> row5;
      for (int x = 0; x < 30; ++x) {
        row5.insert(canvas.Pixel(x, 5));
        EXPECT_EQ(canvas.Pixel(x, 0), kRed);
        EXPECT_EQ(canvas.Pixel(x, 19), kRed);
        EXPECT_EQ(canvas.Pixel(x, 2), width == 7 ? kBlack : kRed);
      }
      const std::set<TColor> expected =
          style == psDash && width == 1 ? std::set<TColor>{kBlack, kRed} : std::set<TColor>{kBlack};
      EXPECT_EQ(row5, expected) << width << " " << style;
    }
}

TEST(CanvasShapes, HatchBrushesPaintTheirPatternOnly) {
  struct TCase {
    int style;
    bool (*on)(int x, int y);
  };
  const TCase cases[] = {
      {bsHorizontal, [](int, int y) { return y % 8 == 3; }},
      {bsVertical, [](int x, int) { return x % 8 == 4; }},
      {bsFDiagonal, [](int x, int y) { return x % 8 == y % 8; }},
      {bsBDiagonal, [](int x, int y) { return x % 8 + y % 8 == 7; }},
      {bsCross, [](int x, int y) { return x % 8 == 4 || y % 8 == 3; }},
      {bsDiagCross, [](int x, int y) { return x % 8 == y % 8 || x % 8 + y % 8 == 7; }},
  };
  for (const TCase& c : cases) {
    TBitmap bitmap(30, 26);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush() = {kBlue, c.style};
    canvas.FillRect({3, 5, 27, 23});
    canvas.Pen().style = psClear;
    canvas.Rectangle(3, 5, 27, 23);  // the same pixels again: the pattern is the bitmap's
    for (int y = 0; y < 26; ++y)
      for (int x = 0; x < 30; ++x) {
        const bool inside = x >= 3 && x < 27 && y >= 5 && y < 23;
        EXPECT_EQ(canvas.Pixel(x, y), inside && c.on(x, y) ? kBlue : kWhite) << c.style << ": " << x << "," << y;
      }
  }
}

TEST(CanvasFloodFill, FillsTheSeedColourRegion) {
  struct TCase {
    int style;
    TColor fill;
  };
  for (const TCase& c : {TCase{bsSolid, kRed}, TCase{bsCross, kRed}, TCase{bsSolid, kWhite}, TCase{bsClear, kRed}}) {
    TBitmap bitmap(40, 30);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().style = bsClear;
    canvas.Rectangle(10, 10, 30, 25);
    canvas.Brush() = {c.fill, c.style};
    canvas.FloodFill(15, 15);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool inside = x > 10 && x < 29 && y > 10 && y < 24;
        const bool outline = !inside && x >= 10 && x <= 29 && y >= 10 && y <= 24;
        const bool filled = inside && c.style != bsClear && (c.style == bsSolid || x % 8 == 4 || y % 8 == 3);
        EXPECT_EQ(canvas.Pixel(x, y), outline ? kBlack : filled ? c.fill : kWhite) << c.style << ": " << x << "," << y;
      }
  }
  // Diagonal neighbours are not connected; seeds off the bitmap do nothing.
  TBitmap bitmap(20, 20);
  TCanvas& canvas = bitmap.Canvas();
  canvas.MoveTo(0, 19);
  canvas.LineTo(20, -1);
  const QImage lineOnly = bitmap.Image().copy();
  canvas.Brush().color = kBlue;
  for (const TPoint& seed : {TPoint{-1, 0}, TPoint{0, 20}, TPoint{20, 5}}) canvas.FloodFill(seed.x, seed.y);
  EXPECT_EQ(bitmap.Image(), lineOnly);
  canvas.FloodFill(0, 0);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(canvas.Pixel(x, y), x + y < 19 ? kBlue : x + y == 19 ? kBlack : kWhite) << x << "," << y;
}

TEST(CanvasText, PaintsOnlyTheFontColourInsideTheTextCell) {
  for (std::uint8_t style : {std::uint8_t(0), std::uint8_t(fsBold), std::uint8_t(fsUnderline | fsStrikeOut)}) {
    TBitmap bitmap(220, 60);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font() = {"DejaVu Sans", 0x2080C0, style, 12};
    const std::string text = "Plotix y=f(x) Qjg";
    const int width = canvas.TextWidth(text), height = canvas.TextHeight(text);
    canvas.TextOut(15, 20, text);
    const TPixelSet painted = Changed(bitmap);
    EXPECT_GT(painted.size(), 100u);
    for (const auto& [x, y] : painted) {
      EXPECT_EQ(canvas.Pixel(x, y), 0x2080C0u) << x << "," << y;
      EXPECT_TRUE(x >= 15 && x < 15 + width && y >= 20 && y < 20 + height) << x << "," << y;
    }
  }
  // Sizes are points at 96 dots per inch, whatever the screen.
  TBitmap bitmap(10, 10);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font() = {"DejaVu Sans", 0, 0, 12};
  QFont font("DejaVu Sans");
  font.setPixelSize(16);
  EXPECT_EQ(canvas.TextHeight("x"), QFontMetrics(font).height());
  EXPECT_EQ(canvas.TextWidth("Wide text"), QFontMetrics(font).horizontalAdvance("Wide text"));
  EXPECT_EQ(canvas.TextWidth(""), 0);
  canvas.Font().style = fsBold;
  EXPECT_GT(canvas.TextWidth("Wide text"), QFontMetrics(font).horizontalAdvance("Wide text"));
  canvas.TextOut(-500, 2, "far off the left edge");
  EXPECT_TRUE(Changed(bitmap).empty());
}

TEST(CanvasDepth, SnapsColoursToWhatTheDepthHolds) {
  struct TCase {
    TColor color;
    int depth;
    TColor snapped;
  };
  for (const TCase& c : {TCase{0x123456, 32, 0x123456}, TCase{0x123456, 24, 0x123456}, TCase{0x123456, 15, 0x103152},
                         TCase{0x123456, 16, 0x103452}, TCase{0xFFFFFF, 15, 0xFFFFFF}, TCase{0x808080, 4, 0x808080},
                         TCase{0x7F7F7F, 4, 0x808080}, TCase{0xC0C0C0, 4, 0xC0C0C0}, TCase{0x1020F0, 4, 0x0000FF},
                         TCase{0x3399CC, 8, 0x3399CC}, TCase{0x3498CB, 8, 0x3399CC}, TCase{0xFF123456, 32, 0x123456}})
    EXPECT_EQ(SnapColor(c.color, c.depth), c.snapped) << std::hex << c.color << " at " << std::dec << c.depth;
  // 15 and 16 bits keep exactly the bit-replicated channel values; snapping is idempotent.
  for (int v = 0; v < 64; ++v) {
    const int five = (v % 32) << 3 | (v % 32) >> 2, six = v << 2 | v >> 4;
    EXPECT_EQ(SnapColor(RGBColor(five, six, five), 16), RGBColor(five, six, five));
    EXPECT_EQ(SnapColor(RGBColor(five, five, five), 15), RGBColor(five, five, five));
  }
  for (TColor c = 0; c < 0x1000000; c += 0x010305)
    for (int depth : {4, 8, 15, 16}) ASSERT_EQ(SnapColor(SnapColor(c, depth), depth), SnapColor(c, depth)) << c;
  // The palettes: the VGA colours are kept; the 8-bit one holds them, all distinct, in
  // complementary pairs.
  for (TColor vga : Palette4()) {
    EXPECT_EQ(SnapColor(vga, 4), vga);
    EXPECT_EQ(SnapColor(vga, 8), vga);
  }
  const auto& p8 = Palette8();
  EXPECT_EQ(std::set<TColor>(p8.begin(), p8.end()).size(), 256u);
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(p8[255 - i], ~p8[i] & 0xFFFFFF) << i;
    EXPECT_EQ(PaletteIndex(p8[i], 8), i);
  }
}

TEST(CanvasDepth, BitmapsKeepTheirPixelsAtTheirDepth) {
  TBitmap bitmap(8, 4);
  TCanvas& canvas = bitmap.Canvas();
  canvas.SetPixel(1, 1, 0x123456);
  bitmap.SetDepth(16);
  EXPECT_EQ(bitmap.Depth(), 16);
  EXPECT_EQ(canvas.Pixel(1, 1), 0x103452u);
  bitmap.SetDepth(4);
  canvas.Pen().color = 0x7F7F7F;
  canvas.MoveTo(0, 2);
  canvas.LineTo(8, 2);
  canvas.Brush().color = 0x1020F0;
  canvas.FillRect({0, 3, 8, 4});
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(canvas.Pixel(x, 2), 0x808080u);
    EXPECT_EQ(canvas.Pixel(x, 3), 0x0000FFu);
  }
  bitmap.SetDepth(99);  // not a depth: unchanged
  EXPECT_EQ(bitmap.Depth(), 4);
  // Copying from a deeper bitmap snaps too.
  TBitmap source(4, 4);
  source.Canvas().SetPixel(0, 0, 0x7F7F7F);
  canvas.CopyRect({4, 0, 8, 4}, source.Canvas(), {0, 0, 4, 4});
  EXPECT_EQ(canvas.Pixel(4, 0), 0x808080u);
  EXPECT_EQ(canvas.Pixel(5, 0), kWhite);
}

TEST(CanvasBitmap, SizesPixelsAndCopies) {
  TBitmap bitmap(10, 8);
  TCanvas& canvas = bitmap.Canvas();
  EXPECT_EQ(Changed(bitmap).size(), 0u);
  canvas.SetPixel(9, 7, kRed);
  for (const auto& [w, h] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{32768, 5}, std::pair{-3, 5}}) {
    EXPECT_FALSE(bitmap.SetSize(w, h));
    EXPECT_EQ(bitmap.Width(), 10);
    EXPECT_EQ(bitmap.Height(), 8);
  }
  ASSERT_TRUE(bitmap.SetSize(12, 9));  // the old picture stays, the new pixels are white
  EXPECT_EQ(Changed(bitmap), (TPixelSet{{9, 7}}));
  EXPECT_EQ(canvas.Pixel(12, 0), 0xFFFFFFFFu);
  EXPECT_EQ(canvas.Pixel(0, -1), 0xFFFFFFFFu);
  canvas.SetPixel(-1, 3, kRed);  // off the bitmap: ignored
  EXPECT_EQ(canvas.ScanLine(9), nullptr);
  EXPECT_EQ(canvas.ScanLine(7)[9], 0xFFFF0000u);

  TBitmap target(24, 18);
  target.Canvas().CopyRect({0, 0, 12, 9}, canvas, {0, 0, 12, 9});
  EXPECT_EQ(Changed(target), (TPixelSet{{9, 7}}));
  target.Canvas().CopyRect({0, 0, 24, 18}, canvas, {0, 0, 12, 9});  // stretched twice
  EXPECT_EQ(Changed(target), (TPixelSet{{18, 14}, {19, 14}, {18, 15}, {19, 15}}));
  canvas.CopyRect({0, 0, 3, 3}, canvas, {8, 6, 11, 9});  // within one bitmap
  EXPECT_EQ(canvas.Pixel(1, 1), kRed);
  TBitmap empty;
  EXPECT_EQ(empty.Width(), 0);
  empty.Canvas().Rectangle(0, 0, 5, 5);
  empty.Canvas().FloodFill(0, 0);
  EXPECT_EQ(empty.Canvas().Pixel(0, 0), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace plotix
