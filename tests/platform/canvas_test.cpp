// The raster canvas and the bitmap files made from it: exact line pixels and patterns,
// shapes and brushes, flood fill, text, colour depths, and BMP files at every depth.
#include "platform/canvas.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QtEndian>
#include <set>

#include "platform/bmp_file.h"

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

TPixelSet Line(TBitmap& bitmap, TPoint a, TPoint b) {
  bitmap.Canvas().MoveTo(a.x, a.y);
  bitmap.Canvas().LineTo(b.x, b.y);
  return Changed(bitmap);
}

// The line a-b without b: i steps along the longer axis, round(i * shorter / longer)
// (halves away from a) along the other.
TPixelSet LinePixels(TPoint a, TPoint b) {
  TPixelSet out;
  const int dx = b.x - a.x, dy = b.y - a.y, n = std::max(std::abs(dx), std::abs(dy));
  for (int i = 0; i < n; ++i) {
    auto along = [&](int d) { return (d < 0 ? -1 : 1) * ((2 * i * std::abs(d) + n) / (2 * n)); };
    out.insert({a.x + along(dx), a.y + along(dy)});
  }
  return out;
}

TEST(CanvasLine, PaintsTheLineWithoutItsEndPixelAndClipsExactly) {
  const std::pair<TPoint, TPoint> lines[] = {
      {{2, 5}, {8, 5}},  {{8, 5}, {2, 5}},   {{4, 9}, {4, 1}},    {{1, 1}, {5, 5}},   {{5, 1}, {1, 5}},
      {{0, 0}, {6, 2}},  {{6, 2}, {0, 0}},   {{3, 0}, {5, 11}},   {{19, 2}, {0, 13}}, {{0, 14}, {19, 9}},
      {{10, 7}, {10, 7}}, {{0, 3}, {90, 50}}, {{85, 2}, {1, 77}}, {{99, 60}, {0, 20}},
  };
  for (const auto& [a, b] : lines) {
    TBitmap big(100, 100), small(30, 25);
    EXPECT_EQ(Line(big, a, b), LinePixels(a, b)) << a.x << "," << a.y << " to " << b.x << "," << b.y;
    EXPECT_EQ(big.Canvas().PenPos(), b);
    // Shifted onto a bitmap that cuts it, the line keeps the pixels it had.
    TPixelSet cut;
    for (const auto& [x, y] : LinePixels(a, b))
      if (x >= 35 && x < 65 && y >= 30 && y < 55) cut.insert({x - 35, y - 30});
    EXPECT_EQ(Line(small, {a.x - 35, a.y - 30}, {b.x - 35, b.y - 30}), cut) << a.x << "," << a.y;
  }
  TBitmap shallow(10, 5);
  EXPECT_EQ(Line(shallow, {0, 0}, {6, 2}), (TPixelSet{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}}));
  // Far-away ends are clipped, not walked.
  TBitmap far(20, 20);
  Line(far, {-2000000000, 10}, {2000000000, 10});
  TPixelSet expected;
  for (int i = 0; i < 20; ++i) expected.insert({i, 10}), expected.insert({i, i});
  EXPECT_EQ(Line(far, {-2000000000, -2000000000}, {2000000000, 2000000000}), expected);
}

TEST(CanvasLine, PenStylePatternsRunOnAcrossSegmentsAndRestartOnMoveTo) {
  const struct {
    int style;
    bool (*on)(int);
  } rows[] = {
      {psSolid, [](int) { return true; }},
      {psDash, [](int i) { return i % 24 < 18; }},
      {psDot, [](int i) { return i % 6 < 3; }},
      {psDashDot, [](int i) { return i % 24 < 9 || (i % 24 >= 15 && i % 24 < 18); }},
      {psDashDotDot, [](int i) { return i % 24 < 9 || (i % 24 >= 12 && i % 24 < 15) || (i % 24 >= 18 && i % 24 < 21); }},
      {psClear, [](int) { return false; }},
  };
  for (const auto& r : rows) {
    TBitmap bitmap(70, 60);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().style = r.style;
    const TPoint path[] = {{0, 10}, {20, 10}, {20, 50}, {29, 50}};
    canvas.Polyline(path, 4);
    canvas.MoveTo(0, 55);
    canvas.LineTo(13, 55);
    canvas.LineTo(40, 55);
    for (int i = 0; i < 70; ++i) {
      EXPECT_EQ(canvas.Pixel(i, 55) == kBlack, i < 40 && r.on(i)) << "style " << r.style << " lines " << i;
      const TPoint at = i < 20 ? TPoint{i, 10} : i < 60 ? TPoint{20, i - 10} : TPoint{i - 40, 50};
      EXPECT_EQ(canvas.Pixel(at.x, at.y) == kBlack, i < 69 && r.on(i)) << "style " << r.style << " path " << i;
    }
  }
}

TEST(CanvasLine, WidePensAreSolidWithRoundCaps) {
  const struct {
    int width, style;
    TRect painted;  // of a line from (10,10) to (20,10), inclusive
  } rows[] = {{2, psSolid, {9, 9, 20, 10}}, {3, psDash, {9, 9, 21, 11}}, {5, psDot, {8, 8, 22, 12}}};
  for (const auto& r : rows) {
    TBitmap bitmap(32, 24);
    bitmap.Canvas().Pen() = {kBlue, r.width, r.style, TPenMode::Copy};
    TPixelSet box;
    for (int y = r.painted.top; y <= r.painted.bottom; ++y)
      for (int x = r.painted.left; x <= r.painted.right; ++x) box.insert({x, y});
    TPixelSet painted = Line(bitmap, {10, 10}, {20, 10});
    for (const auto& p : painted) EXPECT_TRUE(box.count(p)) << r.width << ": " << p.first << "," << p.second;
    for (int x = r.painted.left + 2; x <= r.painted.right - 2; ++x)
      EXPECT_EQ(bitmap.Canvas().Pixel(x, r.painted.top), kBlue) << r.width << ": " << x;
  }
  TBitmap dot(20, 20);
  EXPECT_TRUE(Line(dot, {5, 5}, {5, 5}).empty());  // a thin zero-length line paints nothing
  dot.Canvas().Pen().width = 4;
  EXPECT_EQ(Line(dot, {5, 5}, {5, 5}).size(), 12u);  // a wide one a 4 x 4 disc without corners
}

TEST(CanvasNotXor, PolylineVerticesArePaintedOnceAndPalettesInvert) {
  TBitmap bitmap(20, 20);
  bitmap.Canvas().Pen().mode = TPenMode::NotXor;
  const TPoint square[] = {{2, 2}, {12, 2}, {12, 12}, {2, 12}, {2, 2}};
  bitmap.Canvas().Polyline(square, 5);
  for (const TPoint& p : square) EXPECT_EQ(bitmap.Canvas().Pixel(p.x, p.y), kBlack) << p.x << "," << p.y;
  EXPECT_EQ(Changed(bitmap).size(), 40u);
  TBitmap palette(4, 1, 8);  // a black not-xor pen inverts through the palette's complements
  palette.Canvas().SetPixel(0, 0, 0x3399CC);
  palette.Canvas().Pen().mode = TPenMode::NotXor;
  Line(palette, {0, 0}, {2, 0});
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
        const bool inside = x >= 2 && x <= 9 && y >= 3 && y <= 7, edge = x == 2 || x == 9 || y == 3 || y == 7;
        EXPECT_EQ(bitmap.Canvas().Pixel(x, y), !inside ? kWhite : edge ? kBlack : kRed) << x << "," << y;
      }
  }
  TBitmap bitmap(14, 12);
  TCanvas& canvas = bitmap.Canvas();
  TPixelSet box;
  for (int y = 3; y < 8; ++y)
    for (int x = 2; x < 10; ++x) box.insert({x, y});
  canvas.Brush().color = kBlue;
  canvas.FillRect({2, 3, 10, 8});
  canvas.FillRect({10, 8, 2, 3});  // upside down: nothing
  EXPECT_EQ(Changed(bitmap), box);
  EXPECT_EQ(canvas.Pixel(5, 5), kBlue);
  canvas.Brush() = {kRed, bsSolid};
  canvas.Pen().style = psClear;
  canvas.Rectangle(2, 3, 10, 8);  // no outline: all brush
  EXPECT_EQ(Changed(bitmap, kRed).size(), 14u * 12u - box.size());
}

TEST(CanvasShapes, EllipsesAndRoundRectsStayInTheirBoxAndAreSymmetric) {
  const struct {
    bool ellipse;
    TRect box;
    int width;
  } rows[] = {{true, {5, 5, 25, 15}, 1},  {true, {3, 4, 30, 27}, 1}, {true, {6, 6, 9, 10}, 1},
              {false, {4, 4, 31, 20}, 1}, {true, {8, 7, 28, 25}, 3}, {false, {9, 9, 26, 25}, 4}};
  for (const auto& r : rows) {
    TBitmap bitmap(36, 32);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().width = r.width;
    canvas.Brush().color = kRed;
    const TRect& b = r.box;
    r.ellipse ? canvas.Ellipse(b.left, b.top, b.right, b.bottom) : canvas.RoundRect(b.left, b.top, b.right, b.bottom, 12, 8);
    int left = 99, right = -1, top = 99, bottom = -1;
    for (const auto& [x, y] : Changed(bitmap)) {
      left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
      EXPECT_EQ(canvas.Pixel(b.left + b.right - 1 - x, y), canvas.Pixel(x, y)) << x << "," << y;
      EXPECT_EQ(canvas.Pixel(x, b.top + b.bottom - 1 - y), canvas.Pixel(x, y)) << x << "," << y;
    }
    const int grow = r.width / 2;
    EXPECT_EQ(TRect(left, top, right, bottom), TRect(b.left - grow, b.top - grow, b.right - 1 + grow, b.bottom - 1 + grow));
    EXPECT_EQ(canvas.Pixel(left, top), kWhite);  // corners cut, the middle brush
    EXPECT_EQ(canvas.Pixel((b.left + b.right) / 2, (b.top + b.bottom) / 2), kRed);
  }
}

TEST(CanvasShapes, HugeShapesDrawTheirVisiblePart) {
  constexpr int kFar = 2000000000;
  for (const int width : {1, 7}) {
    TBitmap bitmap(30, 20);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen() = {kBlack, width, psSolid, TPenMode::Copy};
    canvas.Brush().color = kRed;
    canvas.Ellipse(-kFar, -kFar, kFar, kFar);  // the bitmap lies deep inside
    EXPECT_TRUE(Changed(bitmap, kRed).empty()) << width;
    canvas.Rectangle(-kFar, 5, kFar, kFar);  // the top edge crosses row 5
    for (int x = 0; x < 30; ++x) {
      EXPECT_EQ(canvas.Pixel(x, 5), kBlack);
      EXPECT_EQ(canvas.Pixel(x, 2), width == 7 ? kBlack : kRed);
      EXPECT_EQ(canvas.Pixel(x, 19), kRed);
    }
  }
}

// The patterns belong to the bitmap, so a hatch lines up whatever it fills.
TEST(CanvasBrush, HatchesAndFloodFillsPaintTheirPatternOnly) {
  const struct {
    int style;
    bool (*on)(int x, int y);
  } rows[] = {
      {bsSolid, [](int, int) { return true; }},
      {bsClear, [](int, int) { return false; }},
      {bsHorizontal, [](int, int y) { return y % 8 == 3; }},
      {bsVertical, [](int x, int) { return x % 8 == 4; }},
      {bsFDiagonal, [](int x, int y) { return x % 8 == y % 8; }},
      {bsBDiagonal, [](int x, int y) { return x % 8 + y % 8 == 7; }},
      {bsCross, [](int x, int y) { return x % 8 == 4 || y % 8 == 3; }},
      {bsDiagCross, [](int x, int y) { return x % 8 == y % 8 || x % 8 + y % 8 == 7; }},
  };
  for (const auto& r : rows) {
    TBitmap filled(30, 26), flooded(30, 26);
    filled.Canvas().Brush() = {kBlue, r.style};
    filled.Canvas().FillRect({3, 5, 27, 23});
    flooded.Canvas().Brush().style = bsClear;
    flooded.Canvas().Rectangle(2, 4, 28, 24);
    flooded.Canvas().Brush() = {kBlue, r.style};
    flooded.Canvas().FloodFill(10, 10);
    for (int y = 0; y < 26; ++y)
      for (int x = 0; x < 30; ++x) {
        const bool inside = x >= 3 && x < 27 && y >= 5 && y < 23;
        const bool outline = !inside && x >= 2 && x < 28 && y >= 4 && y < 24;
        const TColor want = inside && r.on(x, y) ? kBlue : kWhite;
        EXPECT_EQ(filled.Canvas().Pixel(x, y), want) << r.style << ": " << x << "," << y;
        EXPECT_EQ(flooded.Canvas().Pixel(x, y), outline ? kBlack : want) << r.style << ": " << x << "," << y;
      }
  }
}

TEST(CanvasBrush, FloodFillKeepsToFourNeighboursAndTheBitmap) {
  TBitmap bitmap(20, 20);
  TCanvas& canvas = bitmap.Canvas();
  Line(bitmap, {0, 19}, {20, -1});
  const QImage lineOnly = bitmap.Image().copy();
  canvas.Brush().color = kBlue;
  for (const TPoint& seed : {TPoint{-1, 0}, TPoint{0, 20}, TPoint{20, 5}}) canvas.FloodFill(seed.x, seed.y);
  EXPECT_EQ(bitmap.Image(), lineOnly);
  canvas.FloodFill(0, 0);  // diagonal neighbours are not connected
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(canvas.Pixel(x, y), x + y < 19 ? kBlue : x + y == 19 ? kBlack : kWhite) << x << "," << y;
}

TEST(CanvasText, OnlyTheFontColourInsideTheCellAtNinetySixDotsPerInch) {
  for (const std::uint8_t style : {0, int(fsBold), fsUnderline | fsStrikeOut}) {
    TBitmap bitmap(220, 60);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font() = {"DejaVu Sans", 0x2080C0, style, 12};
    const std::string text = "Plotix y=f(x) Qjg";
    const int width = canvas.TextWidth(text), height = canvas.TextHeight(text);
    canvas.TextOut(15, 20, text);
    const TPixelSet painted = Changed(bitmap);
    EXPECT_GT(painted.size(), 100u);
    for (const auto& [x, y] : painted) {
      EXPECT_EQ(canvas.Pixel(x, y), 0x2080C0u) << x << "," << y;  // no antialiasing
      EXPECT_TRUE(x >= 15 && x < 15 + width && y >= 20 && y < 20 + height) << x << "," << y;
    }
  }
  TBitmap bitmap(10, 10);
  bitmap.Canvas().Font() = {"DejaVu Sans", 0, 0, 12};
  QFont font("DejaVu Sans");
  font.setPixelSize(16);
  EXPECT_EQ(bitmap.Canvas().TextHeight("x"), QFontMetrics(font).height());
  EXPECT_EQ(bitmap.Canvas().TextWidth("Wide text"), QFontMetrics(font).horizontalAdvance("Wide text"));
}

TEST(CanvasDepth, ColoursSnapToWhatTheDepthHolds) {
  const struct {
    TColor color;
    int depth;
    TColor snapped;
  } rows[] = {
      {0x123456, 24, 0x123456}, {0x123456, 15, 0x103152}, {0x123456, 16, 0x103452}, {0xFFFFFF, 15, 0xFFFFFF},
      {0x7F7F7F, 4, 0x808080},  {0xC0C0C0, 4, 0xC0C0C0},  {0x1020F0, 4, 0x0000FF},  {0x3399CC, 8, 0x3399CC},
      {0x3498CB, 8, 0x3399CC},  {0xFF123456, 32, 0x123456},
  };
  for (const auto& r : rows) EXPECT_EQ(SnapColor(r.color, r.depth), r.snapped) << std::hex << r.color << " " << r.depth;
  for (TColor c = 0; c < 0x1000000; c += 0x010305)
    for (const int depth : {4, 8, 15, 16}) ASSERT_EQ(SnapColor(SnapColor(c, depth), depth), SnapColor(c, depth)) << c;
  for (const TColor vga : Palette4()) EXPECT_EQ(SnapColor(vga, 8), vga);
  const auto& p8 = Palette8();
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(p8[255 - i], ~p8[i] & 0xFFFFFF) << i;
    EXPECT_EQ(PaletteIndex(p8[i], 8), i);
  }
  // A bitmap snaps what it holds when its depth changes, and everything drawn or copied later.
  TBitmap bitmap(8, 4), source(4, 4);
  bitmap.Canvas().SetPixel(1, 1, 0x123456);
  bitmap.SetDepth(16);
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), 0x103452u);
  bitmap.SetDepth(4);
  bitmap.Canvas().Pen().color = 0x7F7F7F;
  Line(bitmap, {0, 2}, {8, 2});
  source.Canvas().SetPixel(0, 0, 0x1020F0);
  bitmap.Canvas().CopyRect({4, 0, 8, 4}, source.Canvas(), {0, 0, 4, 4});
  EXPECT_EQ(bitmap.Canvas().Pixel(3, 2), 0x808080u);
  EXPECT_EQ(bitmap.Canvas().Pixel(4, 0), 0x0000FFu);
}

TEST(CanvasBitmap, SizesPixelsAndCopies) {
  TBitmap bitmap(10, 8);
  TCanvas& canvas = bitmap.Canvas();
  canvas.SetPixel(9, 7, kRed);
  for (const auto& [w, h] : {std::pair{0, 5}, std::pair{32768, 5}, std::pair{-3, 5}}) EXPECT_FALSE(bitmap.SetSize(w, h));
  ASSERT_TRUE(bitmap.SetSize(12, 9));  // the old picture stays, the new pixels are white
  EXPECT_EQ(Changed(bitmap), (TPixelSet{{9, 7}}));
  EXPECT_EQ(canvas.Pixel(12, 0), 0xFFFFFFFFu);
  canvas.SetPixel(-1, 3, kRed);  // off the bitmap: ignored
  EXPECT_EQ(canvas.ScanLine(7)[9], 0xFFFF0000u);
  TBitmap target(24, 18);
  target.Canvas().CopyRect({0, 0, 24, 18}, canvas, {0, 0, 12, 9});  // stretched twice
  EXPECT_EQ(Changed(target), (TPixelSet{{18, 14}, {19, 14}, {18, 15}, {19, 15}}));
  canvas.CopyRect({0, 0, 3, 3}, canvas, {8, 6, 11, 9});  // within one bitmap
  EXPECT_EQ(canvas.Pixel(1, 1), kRed);
}

// ---- bitmap files -------------------------------------------------------------

std::uint32_t U32(const QByteArray& b, int at) { return qFromLittleEndian<std::uint32_t>(b.constData() + at); }
std::uint16_t U16(const QByteArray& b, int at) { return qFromLittleEndian<std::uint16_t>(b.constData() + at); }

TEST(BmpFile, EveryDepthHasItsHeaderRowsAndPixels) {
  const struct {
    int depth, bits, compression, paletteSize;
  } rows[] = {{4, 4, 0, 16}, {8, 8, 0, 256}, {15, 16, 0, 0}, {16, 16, 3, 0}, {24, 24, 0, 0}, {32, 32, 0, 0}};
  for (const auto& r : rows)
    for (const int width : {1, 5, 13}) {
      const int height = 7;
      TBitmap bitmap(width, height, r.depth);
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap.Canvas().SetPixel(x, y, RGBColor(x * 19, y * 37, (x + y) * 13));
      const QByteArray bytes = EncodeBmp(bitmap.Image(), r.depth);
      SCOPED_TRACE(std::to_string(r.depth) + " bits, width " + std::to_string(width));
      const int stride = (width * r.bits + 31) / 32 * 4;
      const int offset = 54 + r.paletteSize * 4 + (r.depth == 16 ? 12 : 0);
      ASSERT_EQ(bytes.size(), offset + stride * height);
      EXPECT_EQ(bytes.left(2), QByteArray("BM"));
      const std::vector<std::uint32_t> header = {U32(bytes, 2),  U32(bytes, 10), U32(bytes, 14), U32(bytes, 18),
                                                 U32(bytes, 22), U16(bytes, 26), U16(bytes, 28), U32(bytes, 30),
                                                 U32(bytes, 34), U32(bytes, 46)};
      EXPECT_EQ(header, std::vector<std::uint32_t>({std::uint32_t(bytes.size()), std::uint32_t(offset), 40,
                                                    std::uint32_t(width), std::uint32_t(height), 1,
                                                    std::uint32_t(r.bits), std::uint32_t(r.compression),
                                                    std::uint32_t(stride * height), std::uint32_t(r.paletteSize)}));
      // An independent reader sees the same pixels (the stored bits of 5 and 6-bit channels).
      const QImage back = QImage::fromData(bytes, "BMP");
      ASSERT_EQ(back.size(), bitmap.Image().size());
      const int lost = r.depth == 15 || r.depth == 16 ? 3 : 0;
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
          const TColor held = bitmap.Canvas().Pixel(x, y);
          const QRgb got = back.pixel(x, y);
          EXPECT_EQ(qRed(got) >> lost, RedOf(held) >> lost) << x << "," << y;
          EXPECT_EQ(qGreen(got) >> (r.depth == 16 ? 2 : lost), GreenOf(held) >> (r.depth == 16 ? 2 : lost));
          EXPECT_EQ(qBlue(got) >> lost, BlueOf(held) >> lost);
        }
    }
}

TEST(BmpFile, PalettesMasksAndBottomRowFirst) {
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(Qt::white);
  image.setPixel(0, 0, qRgb(0x7F, 0x7F, 0x7F));  // not a palette colour: the nearest (grey)
  image.setPixel(2, 1, qRgb(255, 0, 0));
  const QByteArray four = EncodeBmp(image, 4), eight = EncodeBmp(image, 8), sixteen = EncodeBmp(image, 16);
  for (int i = 0; i < 256; ++i) {
    const TColor c = Palette8()[i], vga = Palette4()[i % 16];
    ASSERT_EQ(U32(eight, 54 + 4 * i), std::uint32_t(BlueOf(c) | GreenOf(c) << 8 | RedOf(c) << 16)) << i;
    if (i < 16) {
      EXPECT_EQ(U32(four, 54 + 4 * i), std::uint32_t(BlueOf(vga) | GreenOf(vga) << 8 | RedOf(vga) << 16));
    }
  }
  EXPECT_EQ(U32(four, 118), 0x000090FFu);  // high nibble first: red is 9, white 15, grey 8
  EXPECT_EQ(U32(four, 122), 0x0000F08Fu);
  EXPECT_EQ(std::uint8_t(eight[1080]), PaletteIndex(0x0000FF, 8));
  EXPECT_EQ(std::vector<std::uint32_t>({U32(sixteen, 54), U32(sixteen, 58), U32(sixteen, 62)}),
            std::vector<std::uint32_t>({0xF800, 0x07E0, 0x001F}));
  EXPECT_EQ(U16(sixteen, 70), 0xF800u);
  EXPECT_EQ(U16(EncodeBmp(image, 15), 58), 0x7C00u);  // 5-5-5, bottom row's red pixel
  EXPECT_TRUE(EncodeBmp(image, 7).isEmpty());
}

TEST(BmpFile, AFailedWriteLeavesTheOldFile) {
  QTemporaryDir dir;
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(qRgb(0, 128, 0));
  const std::string path = dir.filePath("graph.bmp").toStdString();
  ASSERT_TRUE(WriteBmpFile(image, 24, path));
  QFile file(QString::fromStdString(path));
  const auto read = [&file] {
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    file.close();
    return bytes;
  };
  EXPECT_EQ(read(), EncodeBmp(image, 24));
  EXPECT_FALSE(WriteBmpFile(image, 7, path));
  EXPECT_FALSE(WriteBmpFile(QImage(), 24, path));
  EXPECT_EQ(read(), EncodeBmp(image, 24));
  EXPECT_FALSE(WriteBmpFile(image, 24, dir.filePath("missing/graph.bmp").toStdString()));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"graph.bmp"});
}

}  // namespace
}  // namespace plotix
