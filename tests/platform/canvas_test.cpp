// The raster canvas and the bitmap files made from it: exact line pixels, not-xor,
// shapes and brushes, flood fill, colour depths, and BMP files at every depth.
#include "platform/canvas.h"

#include <gtest/gtest.h>

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
      {{2, 5}, {8, 5}},     {{8, 5}, {2, 5}},     {{4, 9}, {4, 1}},     {{1, 1}, {5, 5}},     {{5, 1}, {1, 5}},
      {{0, 0}, {6, 2}},     {{6, 2}, {0, 0}},     {{3, 0}, {5, 11}},    {{19, 2}, {0, 13}},   {{0, 14}, {19, 9}},
      {{10, 7}, {10, 7}},   {{0, 3}, {90, 50}},   {{85, 2}, {1, 77}},   {{99, 60}, {0, 20}},  {{3, 3}, {4, 4}},
      {{20, 54}, {70, 54}}, {{64, 10}, {64, 90}}, {{36, 45}, {64, 60}}, {{50, 31}, {70, 52}},  // the cut's far edges
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
  TBitmap steep(20, 20);  // a slope just under 1 from far away: the rows above are left alone
  expected.clear();
  for (int i = 1; i < 20; ++i) expected.insert({i, i - 1});
  EXPECT_EQ(Line(steep, {-2147483548, -2147483548}, {200, 199}), expected);
}

// Each picture row from the top, '.' white, '#' black, 'o' red.
std::string Picture(const TBitmap& bitmap) {
  std::string out;
  for (int y = 0; y < bitmap.Height(); ++y) {
    if (y) out += '|';
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TColor c = bitmap.Canvas().Pixel(x, y);
      out += c == kWhite ? '.' : c == kBlack ? '#' : c == kRed ? 'o' : '?';
    }
  }
  return out;
}

TEST(CanvasShape, OutlinesBrushesAndWidePensCoverTheirPixels) {
  const struct {
    int width, height;
    void (*draw)(TCanvas&);
    const char* picture;
  } rows[] = {
      {10, 7, [](TCanvas& c) { c.Ellipse(1, 1, 9, 6); },
       "..........|...####...|.##oooo##.|.#oooooo#.|.##oooo##.|...####...|.........."},
      {10, 3, [](TCanvas& c) { c.Ellipse(0, 0, 10, 2); }, ".########.|.########.|.........."},
      {10, 7, [](TCanvas& c) { c.Pen().style = psClear, c.RoundRect(0, 0, 10, 7, 4, 4); },
       ".oooooooo.|oooooooooo|oooooooooo|oooooooooo|oooooooooo|oooooooooo|.oooooooo."},
      {10, 10, [](TCanvas& c) { c.Pen().width = 3, c.Rectangle(2, 2, 12, 12); },  // cut by the edges
       "..........|.#########|.#########|.#########|.###oooooo|.###oooooo|.###oooooo|.###oooooo|.###oooooo|.###oooooo"},
      {12, 10, [](TCanvas& c) { c.Pen().width = 3, c.Ellipse(1, 1, 11, 9); },
       "...######...|..########..|.##########.|####oooo####|###oooooo###|###oooooo###|####oooo####|.##########.|..#####"
       "###..|...######..."},
      {9, 8, [](TCanvas& c) { c.Pen().width = 2, c.Rectangle(1, 1, 4, 6), c.Pen().width = 1, c.Rectangle(7, 7, 8, 2); },
       ".###.....|#####....|##o##..#.|##o##..#.|##o##..#.|#####..#.|.###...#.|........."},
      {11, 9, [](TCanvas& c) { c.Pen().style = psDashDot, c.Rectangle(0, 0, 10, 8); },  // clockwise from the top left
       "##########.|#oooooooo..|#oooooooo..|#oooooooo..|#oooooooo..|#oooooooo..|#oooooooo..|#......###.|..........."},
      {12, 10,
       [](TCanvas& c) {
         const TPoint corner[] = {{2, 2}, {8, 2}, {8, 7}};
         c.Pen().width = 3, c.Polyline(corner, 3);
       },
       "............|.#########..|.#########..|.#########..|.......###..|.......###..|.......###..|.......###..|......."
       "###..|............"},
  };
  for (const auto& r : rows) {
    TBitmap bitmap(r.width, r.height);
    bitmap.Canvas().Brush().color = kRed;
    r.draw(bitmap.Canvas());
    EXPECT_EQ(Picture(bitmap), r.picture);
  }
}

TEST(CanvasDash, ThePatternRunsOnAlongPolylinesAndLineToChains) {
  const struct {
    int style;
    const char* period;  // '#' for a pixel drawn
  } rows[] = {{psSolid, "########################"},      {psDash, "##################......"},
              {psDot, "###...###...###...###..."},        {psDashDot, "#########......###......"},
              {psDashDotDot, "#########...###...###..."}, {psClear, "........................"}};
  const std::vector<TPoint> paths[] = {{{1, 1}, {30, 1}, {30, 12}, {5, 12}}, {{1, 14}, {31, 14}}};
  for (const auto& r : rows) {
    TBitmap poly(32, 15), chain(32, 15);
    poly.Canvas().Pen().style = chain.Canvas().Pen().style = r.style;
    TPixelSet expected;  // each path starts the pattern anew, and it runs on round the corners
    for (const auto& path : paths) {
      poly.Canvas().Polyline(path.data(), int(path.size()));
      chain.Canvas().MoveTo(path[0].x, path[0].y);
      for (std::size_t i = 1, j = 0; i < path.size(); ++i) {
        chain.Canvas().LineTo(path[i].x, path[i].y);
        for (TPoint p = path[i - 1], q = path[i]; p != q; ++j) {
          if (r.period[j % 24] == '#') expected.insert({p.x, p.y});
          p.x += (q.x > p.x) - (q.x < p.x), p.y += (q.y > p.y) - (q.y < p.y);
        }
      }
    }
    EXPECT_EQ(Changed(poly), expected) << r.style;
    EXPECT_EQ(Changed(chain), expected) << r.style;
  }
}

TEST(CanvasBitmap, SizesRunTo32767WithAtMost2To28Pixels) {
  const struct {
    int width, height;
    bool taken;
  } rows[] = {{32767, 1, true}, {32768, 1, false},    {1, 32768, false},     {0, 5, false},
              {5, -1, false},   {16384, 16384, true}, {16384, 16385, false}, {3, 2, true}};
  TBitmap bitmap;
  for (const auto& r : rows) {
    const QSize before = bitmap.Image().size();
    EXPECT_EQ(bitmap.SetSize(r.width, r.height), r.taken) << r.width << "x" << r.height;
    EXPECT_EQ(bitmap.Image().size(), r.taken ? QSize(r.width, r.height) : before);
  }
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

TEST(CanvasDepth, ColoursSnapToWhatTheDepthHolds) {
  const struct {
    TColor color;
    int depth;
    TColor snapped;
  } rows[] = {
      {0x123456, 24, 0x123456}, {0x123456, 15, 0x103152}, {0x123456, 16, 0x103452}, {0xFFFFFF, 15, 0xFFFFFF},
      {0x7F7F7F, 4, 0x808080},  {0x1020F0, 4, 0x0000FF},  {0x3498CB, 8, 0x3399CC},  {0xFF123456, 32, 0x123456},
  };
  for (const auto& r : rows) EXPECT_EQ(SnapColor(r.color, r.depth), r.snapped) << std::hex << r.color << " " << r.depth;
  for (TColor c = 0; c < 0x1000000; c += 0x010305)
    for (const int depth : {4, 8, 15, 16}) ASSERT_EQ(SnapColor(SnapColor(c, depth), depth), SnapColor(c, depth)) << c;
  for (int i = 0; i < 256; ++i) EXPECT_EQ(Palette8()[255 - i], ~Palette8()[i] & 0xFFFFFF) << i;  // for not-xor
  // A bitmap snaps what it holds when its depth changes, and everything drawn later.
  TBitmap bitmap(8, 4);
  bitmap.Canvas().SetPixel(1, 1, 0x123456);
  bitmap.SetDepth(16);
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), 0x103452u);
  bitmap.SetDepth(4);
  bitmap.Canvas().Pen().color = 0x7F7F7F;
  Line(bitmap, {0, 2}, {8, 2});
  EXPECT_EQ(bitmap.Canvas().Pixel(3, 2), 0x808080u);
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

}  // namespace
}  // namespace plotix
