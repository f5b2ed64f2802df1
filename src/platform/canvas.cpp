#include "platform/canvas.h"

#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <vector>

#include "platform/limits.h"
#include "platform/painter_twin.h"
#include "platform/raster_pixels.h"

namespace plotix {
namespace {

using namespace raster;
using Int128 = __int128;

// Divisions rounding up and down, for b > 0; in 64 bits when the operands are small
// enough not to overflow there, which is far faster than 128-bit division.
Int128 CeilDiv(Int128 a, Int128 b) {
  constexpr Int128 kSmall = Int128(1) << 62;
  if (a > -kSmall && a < kSmall && b < kSmall) {
    const Int64 a64 = Int64(a), b64 = Int64(b);
    return a64 >= 0 ? (a64 + b64 - 1) / b64 : -((-a64) / b64);
  }
  return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}
Int128 FloorDiv(Int128 a, Int128 b) { return -CeilDiv(-a, b); }

// The cosmetic pen patterns over a period of 24 pixels (bit j set: pixel j is drawn).
constexpr std::uint32_t PatternOf(std::initializer_list<int> runs) {
  std::uint32_t bits = 0;
  int at = 0;
  bool on = true;
  for (int run : runs) {
    for (int i = 0; i < run; ++i, ++at)
      if (on) bits |= 1u << at;
    on = !on;
  }
  return bits;
}
constexpr int kPatternPeriod = 24;
constexpr std::uint32_t kSolidPattern = (1u << kPatternPeriod) - 1;

// The pattern of a 1-pixel pen: 0 for the clear pen; unknown styles draw solid.
std::uint32_t PenPattern(int style) {
  switch (style) {
    case psDash: return PatternOf({18, 6});
    case psDot: return PatternOf({3, 3, 3, 3, 3, 3, 3, 3});
    case psDashDot: return PatternOf({9, 6, 3, 6});
    case psDashDotDot: return PatternOf({9, 3, 3, 3, 3, 3});
    case psClear: return 0;
    default: return kSolidPattern;
  }
}

// Visits the pixels of the line from a towards b with b left out, clipped to the bitmap:
// step i (0 <= i < n, n the longer extent) lies i pixels along the major axis and
// round(i * minor / major) along the minor one, halves rounded away from a.
template <class Plot>
void WalkLine(TPoint a, TPoint b, int width, int height, Plot plot) {
  const Int64 dx = Int64(b.x) - a.x, dy = Int64(b.y) - a.y;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const Int64 n = std::max(std::abs(dx), std::abs(dy)), m = std::min(std::abs(dx), std::abs(dy));
  if (n == 0) return;
  const Int64 majStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const Int64 minStep = (xMajor ? dy : dx) >= 0 ? 1 : -1;
  const Int64 maj0 = xMajor ? a.x : a.y, min0 = xMajor ? a.y : a.x;
  const Int64 majLimit = xMajor ? width : height, minLimit = xMajor ? height : width;
  // Steps whose major coordinate lies on the bitmap.
  Int128 lo = 0, hi = n - 1;
  if (majStep > 0)
    lo = std::max<Int128>(lo, -maj0), hi = std::min<Int128>(hi, majLimit - 1 - maj0);
  else
    lo = std::max<Int128>(lo, maj0 - (majLimit - 1)), hi = std::min<Int128>(hi, maj0);
  // Minor offsets k on the bitmap, turned into steps: k(i) = floor((2im + n) / 2n).
  const Int128 kLo = minStep > 0 ? -min0 : min0 - (minLimit - 1);
  const Int128 kHi = minStep > 0 ? minLimit - 1 - min0 : min0;
  if (m == 0) {
    if (kLo > 0 || kHi < 0) return;
  } else {
    lo = std::max(lo, CeilDiv(2 * Int128(n) * kLo - n, 2 * Int128(m)));
    hi = std::min(hi, CeilDiv(2 * Int128(n) * (kHi + 1) - n, 2 * Int128(m)) - 1);
  }
  if (lo > hi) return;
  const Int128 start = 2 * lo * m + n;
  Int64 k = Int64(FloorDiv(start, 2 * Int128(n))), rem = Int64(start - Int128(k) * 2 * n);
  for (Int64 i = Int64(lo); i <= Int64(hi); ++i) {
    const Int64 maj = maj0 + majStep * i, mnr = min0 + minStep * k;
    plot(i, int(xMajor ? maj : mnr), int(xMajor ? mnr : maj));
    rem += 2 * m;
    if (rem >= 2 * n) rem -= 2 * n, ++k;
  }
}

// Writes spans once per pixel even where they overlap (so not-xor sees each pixel once).
void WriteMerged(std::vector<TSpan>& spans, const TPixelWriter& writer) {
  std::sort(spans.begin(), spans.end());
  for (std::size_t i = 0; i < spans.size();) {
    TSpan run = spans[i++];
    while (i < spans.size() && spans[i].y == run.y && spans[i].x1 <= run.x2 + 1)
      run.x2 = std::max(run.x2, spans[i++].x2);
    writer.Span(run.y, run.x1, run.x2);
  }
}

// The pixels of a wide pen's stroke from a to b: those whose centres lie within d of
// the segment (a capsule: round caps), per row, only rows of the bitmap.
void CapsuleSpans(double ax, double ay, double bx, double by, double d, int width, int height,
                  std::vector<TSpan>& out) {
  const double ux = bx - ax, uy = by - ay, len2 = ux * ux + uy * uy, dl = d * std::sqrt(len2);
  const Int64 y1 = std::max<Int64>(0, Int64(std::floor(std::min(ay, by) - d)));
  const Int64 y2 = std::min<Int64>(height - 1, Int64(std::ceil(std::max(ay, by) + d)));
  for (Int64 y = y1; y <= y2; ++y) {
    const double py = double(y) + 0.5;
    double lo = HUGE_VAL, hi = -HUGE_VAL;
    auto take = [&](double l, double h) {
      if (l <= h) lo = std::min(lo, l), hi = std::max(hi, h);
    };
    for (const auto& [cx, cy] : {std::pair{ax, ay}, std::pair{bx, by}}) {
      const double e = d * d - (py - cy) * (py - cy);
      if (e >= 0) take(cx - std::sqrt(e), cx + std::sqrt(e));
    }
    if (len2 > 0) {
      // Between the ends along the segment, and within d of its line.
      const double ry = py - ay;
      double l = -HUGE_VAL, h = HUGE_VAL;
      auto clip = [&](double c0, double c1) { l = std::max(l, std::min(c0, c1)), h = std::min(h, std::max(c0, c1)); };
      if (ux != 0)
        clip(ax - ry * uy / ux, ax + (len2 - ry * uy) / ux);
      else if (ry * uy < 0 || ry * uy > len2)
        l = HUGE_VAL;
      if (uy != 0)
        clip(ax + (ry * ux - dl) / uy, ax + (ry * ux + dl) / uy);
      else if (std::abs(ry * ux) > dl)
        l = HUGE_VAL;
      take(l, h);
    }
    if (lo > hi) continue;
    const Int64 x1 = std::max<Int64>(0, Int64(std::ceil(std::max(lo - 0.5, -1.0))));
    const Int64 x2 = std::min<Int64>(width - 1, Int64(std::floor(std::min(hi - 0.5, double(width)))));
    if (x1 <= x2) out.push_back({y, x1, x2});
  }
}

// A box with elliptic corners around a centre that lies on a pixel centre or between
// two: pixel x lies |2x - mx| / 2 from it, where mx = left + right - 1 of the box.
// Pixels count as inside when their centres are, edges included.
struct TRoundBox {
  Int64 mx, my;
  double hx, hy;  // half extents
  double rx, ry;  // corner radii, at most the half extents

  bool Row(Int64 y, Int64& x1, Int64& x2) const {
    constexpr double kTie = 1e-9;  // a centre exactly on the edge is inside
    if (hx < 0 || hy < 0) return false;
    const Int64 ty = Int64(std::abs(Int128(2) * y - my));
    if (ty > Int64(std::floor(2 * hy + kTie))) return false;
    const double band = ty / 2.0 - (hy - ry);
    const double e = band > 0 && ry > 0 ? rx * std::sqrt(std::max(0.0, 1 - (band / ry) * (band / ry))) : rx;
    const Int64 q = Int64(std::floor(2 * (hx - rx + e) + kTie));
    if (q < 0) return false;
    x1 = Int64(CeilDiv(Int128(mx) - q, 2));
    x2 = Int64(FloorDiv(Int128(mx) + q, 2));
    return x1 <= x2;
  }
};

enum class TShape { Rectangle, Ellipse, RoundRect };

QRect ToQRect(const TRect& r) {
  return QRect(std::min(r.left, r.right), std::min(r.top, r.bottom), std::abs(r.right - r.left),
               std::abs(r.bottom - r.top));
}

}  // namespace

// ---- TBitmap -----------------------------------------------------------------

TBitmap::TBitmap() : canvas_(std::make_unique<TCanvas>(*this)) {}

TBitmap::TBitmap(int width, int height, int depth) : TBitmap() {
  if (IsValidDepth(depth)) depth_ = depth;
  SetSize(width, height);
}

TBitmap::~TBitmap() = default;

bool TBitmap::SetSize(int width, int height) {
  if (width < 1 || height < 1 || width > 32767 || height > 32767 || Int64(width) * height > kMaxPicturePixels)
    return false;
  if (width == Width() && height == Height()) return true;
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return false;
  image.fill(QColor(Qt::white));
  // The old picture stays at the top left.
  const int rows = std::min(height, Height()), bytes = std::min(width, Width()) * 4;
  for (int y = 0; y < rows; ++y) std::memcpy(image.scanLine(y), image_.constScanLine(y), bytes);
  image_ = std::move(image);
  return true;
}

void TBitmap::SetDepth(int depth) {
  if (!IsValidDepth(depth)) return;
  depth_ = depth;
  if (depth >= 24) return;
  std::unordered_map<QRgb, QRgb> snapped;  // pictures hold few colours, mostly in runs
  QRgb last = 0, lastSnapped = ToRgb(SnapColor(0, depth));
  for (int y = 0; y < Height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
    for (int x = 0; x < Width(); ++x) {
      if (row[x] != last) {
        auto [it, added] = snapped.try_emplace(row[x]);
        if (added) it->second = ToRgb(SnapColor(FromRgb(row[x]), depth));
        last = row[x];
        lastSnapped = it->second;
      }
      row[x] = lastSnapped;
    }
  }
}

// ---- TCanvas -----------------------------------------------------------------

namespace {

// Draws the brush and the pen of a rectangle, ellipse or rounded rectangle in the box
// left..right-1 x top..bottom-1 (corners in any order).
void DrawShape(TBitmap& bitmap, const TPen& pen, const TBrush& brush, TShape shape, int left, int top, int right,
               int bottom, int cornerWidth, int cornerHeight) {
  const Int64 l = std::min(left, right), r = std::max(left, right);
  const Int64 t = std::min(top, bottom), b = std::max(top, bottom);
  if (l == r || t == b) return;
  const double hx = (r - l) / 2.0, hy = (b - t) / 2.0;
  double rx = 0, ry = 0;
  if (shape == TShape::Ellipse) rx = hx, ry = hy;
  if (shape == TShape::RoundRect)
    rx = std::min(std::abs(cornerWidth) / 2.0, hx), ry = std::min(std::abs(cornerHeight) / 2.0, hy);
  if (rx <= 0 || ry <= 0) rx = ry = 0;
  const Int64 mx = l + r - 1, my = t + b - 1;
  const bool notXor = pen.mode == TPenMode::NotXor;
  const std::uint32_t pattern = PenPattern(pen.style);
  const bool hasPen = pattern != 0;
  const std::uint8_t* hatch = nullptr;
  const bool hasBrush = BrushPattern(brush.style, hatch);
  const TPixelWriter penWriter(bitmap, pen.color, notXor), brushWriter(bitmap, brush.color, notXor);
  const Int64 y1 = std::max<Int64>(t, 0), y2 = std::min<Int64>(b - 1, bitmap.Height() - 1);

  if (hasPen && pen.width > 1) {
    // A wide pen is centred on the 1-pixel outline: the ring between the shape grown and
    // shrunk by half the width (joins round), the brush inside the ring.
    const double d = pen.width / 2.0;
    const double crx = shape == TShape::Rectangle ? 0 : std::max(0.0, rx - 0.5);
    const double cry = shape == TShape::Rectangle ? 0 : std::max(0.0, ry - 0.5);
    const TRoundBox outer{mx, my, hx - 0.5 + d, hy - 0.5 + d, crx + d, cry + d};
    const TRoundBox inner{mx, my, hx - 0.5 - d, hy - 0.5 - d, std::max(0.0, crx - d), std::max(0.0, cry - d)};
    const Int64 reach = pen.width;
    for (Int64 y = std::max<Int64>(t - reach, 0); y <= std::min<Int64>(b + reach, bitmap.Height() - 1); ++y) {
      Int64 o1, o2, i1, i2;
      if (!outer.Row(y, o1, o2)) continue;
      if (inner.Row(y, i1, i2)) {
        penWriter.Span(y, o1, i1 - 1);
        penWriter.Span(y, i2 + 1, o2);
        if (hasBrush) brushWriter.Span(y, i1, i2, hatch);
      } else {
        penWriter.Span(y, o1, o2);
      }
    }
    return;
  }

  // Otherwise the outline is the shape's own border pixels: those of a row that are not
  // covered by both neighbouring rows, and the row's two ends.
  const TRoundBox box{mx, my, hx, hy, rx, ry};
  std::vector<TSpan> outline;
  for (Int64 y = y1; y <= y2; ++y) {
    Int64 x1, x2, a1, a2, b1, b2;
    if (!box.Row(y, x1, x2)) continue;
    if (!hasPen) {
      if (hasBrush) brushWriter.Span(y, x1, x2, hatch);
      continue;
    }
    Int64 n1 = INT64_MAX, n2 = INT64_MIN;  // the inner part, empty unless both neighbours cover it
    if (box.Row(y - 1, a1, a2) && box.Row(y + 1, b1, b2))
      n1 = std::max({x1 + 1, a1, b1}), n2 = std::min({x2 - 1, a2, b2});
    if (n1 > n2) {
      outline.push_back({y, x1, x2});
    } else {
      outline.push_back({y, x1, n1 - 1});
      outline.push_back({y, n2 + 1, x2});
      if (hasBrush) brushWriter.Span(y, n1, n2, hatch);
    }
  }
  if (pattern == kSolidPattern) {
    for (const TSpan& s : outline) penWriter.Span(s.y, s.x1, s.x2);
    return;
  }
  // The dash pattern runs clockwise round the outline from the top-left corner.
  struct TDot {
    double key;
    Int64 x, y;
  };
  std::vector<TDot> dots;
  const double start = std::atan2(-1.0, -1.0), pi = std::numbers::pi;
  for (const TSpan& s : outline)
    for (Int64 x = std::max<Int64>(s.x1, 0); x <= std::min<Int64>(s.x2, bitmap.Width() - 1); ++x) {
      const double angle = std::atan2((2.0 * s.y - my) / (b - t), (2.0 * x - mx) / (r - l));
      dots.push_back({std::fmod(angle - start + 4 * pi, 2 * pi), x, s.y});
    }
  std::sort(dots.begin(), dots.end(), [](const TDot& p, const TDot& q) {
    return p.key != q.key ? p.key < q.key : p.y != q.y ? p.y < q.y : p.x < q.x;
  });
  for (std::size_t i = 0; i < dots.size(); ++i)
    if (pattern & (1u << (i % kPatternPeriod))) penWriter.Put(dots[i].x, dots[i].y);
}

// Lines through the points with the pen, each without its last pixel; a 1-pixel pen's
// pattern starts at phase.
void StrokeLines(TBitmap& bitmap, const TPen& pen, const TPoint* points, int count, Int64 phase) {
  const std::uint32_t pattern = PenPattern(pen.style);
  if (count < 2 || pattern == 0) return;
  const TPixelWriter writer(bitmap, pen.color, pen.mode == TPenMode::NotXor);
  if (pen.width > 1) {
    // Wide pens draw solid with round caps and joins, every pixel of the stroke once.
    // An even width centres the stroke between pixels (up and left of the thin line).
    const double shift = pen.width % 2 ? 0.5 : 0.0;
    std::vector<TSpan> spans;
    for (int i = 0; i + 1 < count; ++i)
      CapsuleSpans(points[i].x + shift, points[i].y + shift, points[i + 1].x + shift, points[i + 1].y + shift,
                   pen.width / 2.0, writer.Width(), writer.Height(), spans);
    WriteMerged(spans, writer);
    return;
  }
  for (int i = 0; i + 1 < count; ++i) {
    const TPoint a = points[i], b = points[i + 1];
    if (pattern == kSolidPattern) {
      WalkLine(a, b, writer.Width(), writer.Height(), [&](Int64, int x, int y) { writer.Write(writer.Row(y)[x]); });
    } else {
      WalkLine(a, b, writer.Width(), writer.Height(), [&](Int64 step, int x, int y) {
        if (pattern & (1u << ((phase + step) % kPatternPeriod))) writer.Write(writer.Row(y)[x]);
      });
    }
    phase += std::max(std::abs(Int64(b.x) - a.x), std::abs(Int64(b.y) - a.y));
  }
}

}  // namespace

TCanvas::TCanvas(TBitmap& bitmap) : bitmap_(bitmap), font_(DefaultFont()) {}

void TCanvas::MoveTo(int x, int y) {
  penPos_ = {x, y};
  dashPhase_ = 0;
}

void TCanvas::LineTo(int x, int y) {
  const TPoint points[2] = {penPos_, {x, y}};
  StrokeLines(bitmap_, pen_, points, 2, dashPhase_);
  if (TPainterTwin* twin = bitmap_.Twin()) twin->Lines(points, 2, pen_);
  // The pattern goes on where this line stopped.
  const Int64 steps = std::max(std::abs(Int64(x) - penPos_.x), std::abs(Int64(y) - penPos_.y));
  dashPhase_ = int((dashPhase_ + steps) % kPatternPeriod);
  penPos_ = {x, y};
}

void TCanvas::Polyline(const TPoint* points, int count, const TPointF* exact) {
  StrokeLines(bitmap_, pen_, points, count, 0);
  if (TPainterTwin* twin = bitmap_.Twin()) twin->Lines(points, count, pen_, exact);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  DrawShape(bitmap_, pen_, brush_, TShape::Rectangle, left, top, right, bottom, 0, 0);
  if (TPainterTwin* twin = bitmap_.Twin()) twin->Shape(TTwinShape::Rectangle, {left, top, right, bottom}, pen_, brush_);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  DrawShape(bitmap_, pen_, brush_, TShape::Ellipse, left, top, right, bottom, 0, 0);
  if (TPainterTwin* twin = bitmap_.Twin()) twin->Shape(TTwinShape::Ellipse, {left, top, right, bottom}, pen_, brush_);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  DrawShape(bitmap_, pen_, brush_, TShape::RoundRect, left, top, right, bottom, cornerWidth, cornerHeight);
  if (TPainterTwin* twin = bitmap_.Twin())
    twin->Shape(TTwinShape::RoundRect, {left, top, right, bottom}, pen_, brush_, cornerWidth, cornerHeight);
}

void TCanvas::FillRect(const TRect& rect) {
  const std::uint8_t* hatch = nullptr;
  if (!BrushPattern(brush_.style, hatch)) return;
  const TPixelWriter writer(bitmap_, brush_.color, false);
  const Int64 y2 = std::min<Int64>(Int64(rect.bottom) - 1, bitmap_.Height() - 1);
  for (Int64 y = std::max(rect.top, 0); y <= y2; ++y) writer.Span(y, rect.left, Int64(rect.right) - 1, hatch);
  if (TPainterTwin* twin = bitmap_.Twin()) twin->FillRect(rect, brush_);
}

TColor TCanvas::Pixel(int x, int y) const {
  const QImage& image = bitmap_.Image();
  if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return TColor(-1);
  return FromRgb(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]);
}

void TCanvas::SetPixel(int x, int y, TColor color) { TPixelWriter(bitmap_, color, false).Put(x, y); }

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
  QRect to = ToQRect(dest), from = ToQRect(sourceRect);
  const QRect sourceArea = source.bitmap_.Image().rect();
  if (to.size() == from.size()) {
    // Pixel for pixel: only the part that exists in the source.
    const QRect clipped = from.intersected(sourceArea);
    to = QRect(to.topLeft() + (clipped.topLeft() - from.topLeft()), clipped.size());
    from = clipped;
  }
  if (to.isEmpty() || from.isEmpty() || !to.intersects(bitmap_.Image().rect())) return;
  if (TPainterTwin* twin = bitmap_.Twin(); twin && source.bitmap_.Twin())
    twin->Copy({to.left(), to.top(), to.right() + 1, to.bottom() + 1}, *source.bitmap_.Twin(),
               {from.left(), from.top(), from.right() + 1, from.bottom() + 1});
  // A copy of the source part, so that copying within one bitmap works too.
  const QImage part = source.bitmap_.Image().copy(from);
  {
    QPainter painter(&bitmap_.Image());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(to, part);
  }
  const int depth = bitmap_.Depth();
  if (depth >= 24 || depth == source.bitmap_.Depth()) return;
  const QRect changed = to.intersected(bitmap_.Image().rect());
  for (int y = changed.top(); y <= changed.bottom(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(bitmap_.Image().scanLine(y));
    for (int x = changed.left(); x <= changed.right(); ++x) row[x] = ToRgb(SnapColor(FromRgb(row[x]), depth));
  }
}

std::uint32_t* TCanvas::ScanLine(int y) {
  QImage& image = bitmap_.Image();
  if (y < 0 || y >= image.height()) return nullptr;
  return reinterpret_cast<std::uint32_t*>(image.scanLine(y));
}

}  // namespace plotix
