#include "platform/painter_twin.h"

#include <QFontInfo>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>
#include <new>

#include "platform/geometry.h"
#include "platform/limits.h"
#include "platform/raster_pixels.h"

namespace plotix {
namespace {

// Smooth pictures: the nearest two points of a line may lie and the shortest step drawn as
// a line of its own (device pixels), and the length of a solid path's pieces (bitmap pixels).
constexpr double kMinStep = 0.25;
constexpr double kLineStep = 1.5;
constexpr double kPieceLength = 64;

// The raster pens' dash patterns (in pixels of a 1-pixel pen), empty for solid.
QList<qreal> DashPattern(int style) {
  switch (style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
  }
}

// The lines of a raster hatch across rect: the pixels of a hatch lie where x, y, x - y or
// x + y meets one value modulo 8 (the bitmap's hatches are anchored at its top left).
QPainterPath HatchLines(int style, const QRectF& rect) {
  QPainterPath lines;
  const double l = std::floor(rect.left() / 8) * 8, t = std::floor(rect.top() / 8) * 8;
  const double r = rect.right() + 8, b = rect.bottom() + 8, span = (r - l) + (b - t);
  const bool across = style == bsHorizontal || style == bsCross, down = style == bsVertical || style == bsCross;
  const bool fall = style == bsFDiagonal || style == bsDiagCross, rise = style == bsBDiagonal || style == bsDiagCross;
  for (double y = t + 3.5; across && y < b; y += 8) lines.moveTo(l, y), lines.lineTo(r, y);
  for (double x = l + 4.5; down && x < r; x += 8) lines.moveTo(x, t), lines.lineTo(x, b);
  // Pixel centres with x - y = 8k, and with x + y = 8k + 7.
  for (double x = l - (b - t); fall && x < r; x += 8)
    lines.moveTo(x + 0.5, t + 0.5), lines.lineTo(x + 0.5 + span, t + 0.5 + span);
  for (double x = l + 7; rise && x < r + span; x += 8)
    lines.moveTo(x + 0.5, t + 0.5), lines.lineTo(x + 0.5 - span, t + 0.5 + span);
  return lines;
}

// The points of a vector polyline a reader could tell apart from the straight line past
// them: every point dropped lies within tolerance of the line that replaces it.
QPolygonF Simplified(const QPolygonF& line, double tolerance) {
  QPolygonF kept{line.front()};
  qsizetype from = 0;  // the last point kept
  const auto off = [&](qsizetype to) {
    const QPointF a = line[from], d = line[to] - a;
    const double length = std::hypot(d.x(), d.y());
    for (qsizetype k = from + 1; k < to; ++k) {
      const QPointF v = line[k] - a;
      const double distance = length > 0 ? std::abs(d.x() * v.y() - d.y() * v.x()) / length : std::hypot(v.x(), v.y());
      if (distance > tolerance) return true;
    }
    return false;
  };
  for (qsizetype i = 1; i + 1 < line.size(); ++i)
    if (off(i + 1)) kept << line[from = i];
  kept << line.back();
  return kept;
}

}  // namespace

TPainterTwin::TPainterTwin(int width, int height, double scale)
    : image_(std::make_unique<QImage>()), device_(image_.get()), scale_(scale) {
  if (!SetSize(width, height)) throw std::bad_alloc();
}

TPainterTwin::TPainterTwin(QPaintDevice& device, double scale, TPoint origin)
    : device_(&device), scale_(scale), origin_(origin) {}

TPainterTwin::~TPainterTwin() { End(); }

void TPainterTwin::End() {
  Flush();
  if (painter_.isActive()) painter_.end();
}

const QImage& TPainterTwin::Image() {
  End();
  return *image_;
}

bool TPainterTwin::SetSize(int width, int height) {
  const QSize size(int(width * scale_ + 0.5), int(height * scale_ + 0.5));
  if (image_->size() == size) return true;
  if (qint64(size.width()) * size.height() > kMaxPicturePixels) return false;
  End();
  QImage image(size, QImage::Format_RGB32);
  if (image.isNull()) return false;
  image.fill(Qt::white);
  if (!image_->isNull()) QPainter(&image).drawImage(0, 0, *image_);
  *image_ = std::move(image);
  return true;
}

void TPainterTwin::SetImage(const QImage& image) {
  End();
  if (image.size() == image_->size()) *image_ = image;
}

QPainter& TPainterTwin::Painter() {
  if (!painter_.isActive()) {
    painter_.begin(device_);
    painter_.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter_.scale(scale_, scale_);
    painter_.translate(-origin_.x, -origin_.y);
    visible_ = QRectF(origin_.x, origin_.y, device_->width() / scale_, device_->height() / scale_);
  }
  return painter_;
}

// Only changes of state: each one starts a new group in an SVG file.
void TPainterTwin::SetMode(QPainter::CompositionMode mode, bool antialiased) {
  QPainter& p = Painter();
  if (p.compositionMode() != mode) p.setCompositionMode(mode);
  if (p.testRenderHint(QPainter::Antialiasing) != antialiased) p.setRenderHint(QPainter::Antialiasing, antialiased);
}

bool TPainterTwin::SetPen(const TPen& pen) {
  QPainter& p = Painter();
  const bool notXor = pen.mode == TPenMode::NotXor;
  if (pen.style == psClear || (notXor && !image_)) return false;
  // Not-xor shows and hides rubber bands: drawn twice without antialiasing it restores
  // every pixel.
  SetMode(notXor ? QPainter::RasterOp_NotSourceXorDestination : QPainter::CompositionMode_SourceOver, !notXor);
  QPen q(ToQColor(pen.color), std::max(1, pen.width));
  const QList<qreal> dashes = pen.width > 1 ? QList<qreal>() : DashPattern(pen.style);
  if (dashes.isEmpty()) {
    // Round ends and corners show on wide pens; on thin ones their arcs only cost time.
    q.setCapStyle(pen.width > 1 ? Qt::RoundCap : Qt::SquareCap);
    q.setJoinStyle(pen.width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
  } else {
    q.setDashPattern(dashes);
    q.setCapStyle(Qt::FlatCap);
  }
  if (p.pen() != q) p.setPen(q);
  return true;
}

void TPainterTwin::Fill(const QPainterPath& area, const TBrush& brush) {
  const std::uint8_t* hatch = nullptr;
  if (!raster::BrushPattern(brush.style, hatch)) return;
  QPainter& p = Painter();
  SetMode(QPainter::CompositionMode_SourceOver, p.testRenderHint(QPainter::Antialiasing));
  if (!hatch) {
    p.fillPath(area, ToQColor(brush.color));
  } else {
    // The lines cut to the area as outlines: vector formats do not all keep clip paths.
    QPainterPathStroker stroker;
    stroker.setWidth(1);
    stroker.setCapStyle(Qt::FlatCap);
    p.fillPath(stroker.createStroke(HatchLines(brush.style, area.boundingRect())).intersected(area),
               ToQColor(brush.color));
  }
}

void TPainterTwin::Lines(const TPoint* points, int count, const TPen& pen, const TPointF* exact) {
  if (count < 2) return;
  if (!open_.isEmpty() && pen != openPen_) Flush();
  if (!SetPen(pen)) return;
  // A wide even pen is centred between pixels, up and left of the thin line.
  const double shift = pen.width > 1 && pen.width % 2 == 0 ? 0.0 : 0.5;
  const auto at = [&](int i) {
    return exact ? TPointF{exact[i].x + shift - 0.5, exact[i].y + shift - 0.5}
                 : TPointF{points[i].x + shift, points[i].y + shift};
  };
  // Lines are cut to the picture and a margin: function values reach thousands of pixels
  // beyond it, which would cost a smooth painter dearly and fill vector files.
  const double margin = pen.width + 2.0;
  const QRectF keep = visible_.adjusted(-margin, -margin, margin, margin);
  QPolygonF line;
  const auto draw = [&] {
    if (line.size() < 2) return;
    if (!image_)
      Painter().drawPolyline(Simplified(line, 0.05));
    else if (pen.mode == TPenMode::Copy)
      Extend(line, pen);
    else
      Painter().drawPolyline(line);  // not-xor: drawn again the same way, it restores the pixels
  };
  for (int i = 0; i + 1 < count; ++i) {
    TPointF a = at(i), b = at(i + 1);
    const TPointF to = b;
    if (!ClipSegment(a, b, keep.left(), keep.right(), keep.top(), keep.bottom(), [](double v) { return v; })) {
      continue;
    }
    // A run goes on until a segment leaves the margin: the next one to show starts afresh.
    if (line.isEmpty()) line = {QPointF(a.x, a.y)};
    line << QPointF(b.x, b.y);
    if (to.x != b.x || to.y != b.y) {
      draw();
      line.clear();
    }
  }
  draw();
}

// Dense points stroked one by one overdraw their anti-aliased edges, and a curve of many
// samples comes out bolder than one of few: points nearer than a fraction of a device
// pixel to the last one kept are dropped, and a dense run, also across calls that go on
// where the last one stopped, is stroked as one path. Solid steps of a few device pixels
// (a function's columns, a steep curve) are too far apart for their joins to show and go
// as single lines, which Qt strokes several times faster than a path; the paths' pieces are
// of bounded length, as Qt fills a long path that doubles back on itself slowly.
void TPainterTwin::Extend(const QPolygonF& line, const TPen& pen) {
  if (open_.isEmpty() || open_.back() != line.front()) {
    Flush();
    open_ = {line.front()};
    openPen_ = pen;
  }
  const bool solid = pen.style == psSolid;
  const double minStep = kMinStep / scale_, lineStep = kLineStep / scale_;
  for (qsizetype i = 1; i < line.size(); ++i) {
    const QPointF d = line[i] - open_.back();
    const double step = std::hypot(d.x(), d.y());
    if (step < minStep && i + 1 < line.size()) continue;
    const bool alone = solid && step >= lineStep;
    if (alone || (solid && openLength_ >= kPieceLength)) StrokeOpen();
    if (alone) {
      steps_ << QLineF(open_.back(), line[i]);
      open_ = {line[i]};
      continue;
    }
    open_ << line[i];
    openLength_ += step;
  }
}

void TPainterTwin::StrokeOpen() {
  if (open_.size() >= 2) Painter().drawPolyline(open_);
  open_ = {open_.back()};
  openLength_ = 0;
}

void TPainterTwin::Flush() {
  if (!open_.isEmpty()) StrokeOpen();
  if (!steps_.isEmpty()) Painter().drawLines(steps_);
  open_.clear();
  steps_.clear();
}

void TPainterTwin::Shape(TTwinShape shape, const TRect& box, const TPen& pen, const TBrush& brush, int cornerWidth,
                         int cornerHeight) {
  Flush();
  const int l = std::min(box.left, box.right), r = std::max(box.left, box.right);
  const int t = std::min(box.top, box.bottom), b = std::max(box.top, box.bottom);
  if (l == r || t == b) return;
  // The outline runs through the centres of the box's border pixels.
  const QRectF rect(l + 0.5, t + 0.5, r - l - 1, b - t - 1);
  QPainterPath outline;
  switch (shape) {
    case TTwinShape::Rectangle: outline.addRect(rect); break;
    case TTwinShape::Ellipse: outline.addEllipse(rect); break;
    case TTwinShape::RoundRect:
      outline.addRoundedRect(rect, std::min(std::abs(cornerWidth) / 2.0, rect.width() / 2),
                             std::min(std::abs(cornerHeight) / 2.0, rect.height() / 2));
      break;
  }
  if (pen.mode == TPenMode::Copy) Fill(outline, brush);
  if (!SetPen(pen)) return;
  // Qt's painter strokes thin outlines without their corner joins; an image gets the stroke
  // as an area, so a box's corner pixels are whole.
  if (image_)
    Painter().fillPath(QPainterPathStroker(Painter().pen()).createStroke(outline), Painter().pen().brush());
  else
    Painter().strokePath(outline, Painter().pen());
}

void TPainterTwin::FillRect(const TRect& rect, const TBrush& brush) {
  Flush();
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  QPainterPath area;
  area.addRect(QRectF(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
  Fill(area, brush);
}

void TPainterTwin::FillRows(std::vector<TRow> rows, const TBrush& brush) {
  Flush();
  if (rows.empty()) return;
  // Rows with the same ends one under another make one rectangle.
  std::sort(rows.begin(), rows.end(), [](const TRow& a, const TRow& b) {
    return a.x1 != b.x1 ? a.x1 < b.x1 : a.x2 != b.x2 ? a.x2 < b.x2 : a.y < b.y;
  });
  QPainterPath path;
  for (std::size_t i = 0; i < rows.size();) {
    std::size_t j = i + 1;
    while (j < rows.size() && rows[j].x1 == rows[i].x1 && rows[j].x2 == rows[i].x2 && rows[j].y == rows[j - 1].y + 1)
      ++j;
    path.addRect(QRectF(rows[i].x1, rows[i].y, rows[i].x2 - rows[i].x1 + 1, rows[j - 1].y - rows[i].y + 1));
    i = j;
  }
  SetMode(QPainter::CompositionMode_SourceOver, false);  // pixel edges stay sharp
  Fill(path, brush);
  SetMode(QPainter::CompositionMode_SourceOver, true);
}

void TPainterTwin::Text(int x, int y, const std::string& text, const TFontDesc& font) {
  Flush();
  QFont f = MakeQFont(font);
  // The family the name maps to on this system, so that vector files name what was drawn.
  f.setFamily(QFontInfo(f).family());
  f.setStyleStrategy(QFont::PreferAntialias);
  SetMode(QPainter::CompositionMode_SourceOver, true);
  QPainter& p = Painter();
  p.setFont(f);
  p.setPen(ToQColor(font.color));
  p.drawText(QPointF(x, y + QFontMetricsF(f).ascent()), QString::fromStdString(text));
}

void TPainterTwin::Copy(const TRect& dest, TPainterTwin& source, const TRect& sourceRect) {
  Flush();
  if (!source.image_) return;
  QImage own;  // copying within one picture reads a copy
  const QImage* from = &source.Image();
  if (&source == this) from = &(own = from->copy());
  const double s = source.scale_;
  const QRectF fromRect(sourceRect.left * s, sourceRect.top * s, (sourceRect.right - sourceRect.left) * s,
                        (sourceRect.bottom - sourceRect.top) * s);
  SetMode(QPainter::CompositionMode_Source, true);
  QPainter& p = Painter();
  p.drawImage(QRectF(dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top), *from, fromRect);
}

}  // namespace plotix
