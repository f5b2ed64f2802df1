#pragma once
// What the raster canvas's files share: pixels as QImage stores them, the writer that puts
// one colour into a bitmap at its depth, the hatch brushes, and spans of a row.

#include <QImage>

#include <algorithm>
#include <cstdint>

#include "platform/canvas.h"

namespace plotix::raster {

using Int64 = std::int64_t;

constexpr QRgb kOpaque = 0xFF000000u;

inline QRgb ToRgb(TColor c) { return kOpaque | QRgb(RedOf(c)) << 16 | QRgb(GreenOf(c)) << 8 | QRgb(BlueOf(c)); }
inline TColor FromRgb(QRgb p) { return RGBColor(qRed(p), qGreen(p), qBlue(p)); }
// The 4-bit or 8-bit palette as QImage pixels.
const QRgb* PaletteRgb(int depth);

// Writes one colour into a bitmap at its depth, by copy or by not-xor. At 4 and 8 bits
// not-xor works on palette indices, as on a palette device: the result stays a palette
// colour and drawing twice still restores the pixel.
class TPixelWriter {
 public:
  TPixelWriter(TBitmap& bitmap, TColor color, bool notXor)
      : bits_(bitmap.Image().bits()),
        stride_(bitmap.Image().bytesPerLine()),
        width_(bitmap.Width()),
        height_(bitmap.Height()),
        depth_(bitmap.Depth()) {
    const TColor snapped = SnapColor(color, depth_);
    rgb_ = ToRgb(snapped);
    if (!notXor) {
      mode_ = Mode::Copy;
    } else if (depth_ == 4 || depth_ == 8) {
      mode_ = Mode::NotXorIndex;
      index_ = PaletteIndex(snapped, depth_);
      indexMask_ = depth_ == 4 ? 15 : 255;
      palette_ = PaletteRgb(depth_);
    } else {
      mode_ = Mode::NotXor;
    }
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  QRgb* Row(Int64 y) const { return reinterpret_cast<QRgb*>(bits_ + y * stride_); }

  void Write(QRgb& p) const {
    switch (mode_) {
      case Mode::Copy: p = rgb_; break;
      case Mode::NotXor: p = ~(rgb_ ^ p) | kOpaque; break;
      case Mode::NotXorIndex: p = palette_[~(index_ ^ PaletteIndex(FromRgb(p), depth_)) & indexMask_]; break;
    }
  }

  void Put(Int64 x, Int64 y) const {
    if (x >= 0 && x < width_ && y >= 0 && y < height_) Write(Row(y)[x]);
  }

  // Pixels x1..x2 of row y (clipped); with a hatch only those the 8 x 8 pattern sets,
  // the pattern aligned to the bitmap's origin.
  void Span(Int64 y, Int64 x1, Int64 x2, const std::uint8_t* hatch = nullptr) const {
    if (y < 0 || y >= height_) return;
    x1 = std::max<Int64>(x1, 0);
    x2 = std::min<Int64>(x2, width_ - 1);
    QRgb* row = Row(y);
    if (!hatch) {
      for (Int64 x = x1; x <= x2; ++x) Write(row[x]);
      return;
    }
    const unsigned bits = hatch[y & 7];
    for (Int64 x = x1; x <= x2; ++x)
      if (bits & (0x80u >> (x & 7))) Write(row[x]);
  }

 private:
  enum class Mode { Copy, NotXor, NotXorIndex };
  uchar* bits_;
  Int64 stride_;
  int width_, height_, depth_;
  QRgb rgb_ = 0;
  Mode mode_ = Mode::Copy;
  int index_ = 0, indexMask_ = 0;
  const QRgb* palette_ = nullptr;
};

// Hatch brushes, 8 x 8, one byte per row, the high bit at the left.
inline constexpr std::uint8_t kHatches[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // forward diagonal, down to the right
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // backward diagonal, up to the right
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
};

// The hatch of a brush style, nullptr for solid; false when the brush paints nothing.
inline bool BrushPattern(int style, const std::uint8_t*& hatch) {
  hatch = nullptr;
  if (style >= bsHorizontal && style <= bsDiagCross) hatch = kHatches[style - bsHorizontal];
  return style == bsSolid || hatch;
}

// Pixels x1..x2 of row y.
struct TSpan {
  Int64 y, x1, x2;
  bool operator<(const TSpan& o) const { return y != o.y ? y < o.y : x1 < o.x1; }
};

}  // namespace plotix::raster
