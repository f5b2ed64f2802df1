#pragma once
// The painter twin of a bitmap: a second picture of everything drawn on the bitmap's canvas,
// drawn through a QPainter onto any paint device (an anti-aliased image at a scale, an SVG or
// a PDF generator). It takes the canvas's geometry in bitmap coordinates as real numbers,
// pixel (x, y) covering [x, x + 1) x [y, y + 1): lines through pixel centres, circles as
// circles, text as text. Raster decisions (flood fills, hidden lines) reach it as the
// regions and runs the bitmap got, so both pictures show the same graph.

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"

class QPaintDevice;
class QPainterPath;

namespace plotix {

enum class TTwinShape { Rectangle, Ellipse, RoundRect };

class TPainterTwin {
 public:
  // An image of its own, scale times width x height, white: smooth drawing. Raises
  // std::bad_alloc when its pixels can not be had.
  TPainterTwin(int width, int height, double scale);
  // Vectors onto a device (an SVG or PDF generator) at scale; origin is the bitmap point
  // that lands on the device's top left corner.
  TPainterTwin(QPaintDevice& device, double scale, TPoint origin = {});
  ~TPainterTwin();
  TPainterTwin(const TPainterTwin&) = delete;
  TPainterTwin& operator=(const TPainterTwin&) = delete;

  double Scale() const { return scale_; }
  // The picture so far (image twins; painting resumes with the next drawing).
  const QImage& Image();
  // Image twins: the new size in bitmap pixels, the old picture at the top left, new parts
  // white; false when the pixels can not be had.
  bool SetSize(int width, int height);
  // Image twins: another picture of the same size in its place.
  void SetImage(const QImage& image);
  // Ends painting: the device's file is complete once the twin ends.
  void End();

  // The canvas's drawing, as it draws on the bitmap. Points are pixels; exact, when given,
  // are the real positions the pixels were rounded from (pixel centres at .5).
  void Lines(const TPoint* points, int count, const TPen& pen, const TPointF* exact = nullptr);
  void Shape(TTwinShape shape, const TRect& box, const TPen& pen, const TBrush& brush, int cornerWidth = 0,
             int cornerHeight = 0);
  void FillRect(const TRect& rect, const TBrush& brush);
  // Pixels x1..x2 of row y for each span, with the brush.
  struct TRow {
    int y, x1, x2;
  };
  void FillRows(std::vector<TRow> rows, const TBrush& brush);
  void Text(int x, int y, const std::string& text, const TFontDesc& font);
  void Copy(const TRect& dest, TPainterTwin& source, const TRect& sourceRect);

 private:
  QPainter& Painter();
  void SetMode(QPainter::CompositionMode mode, bool antialiased);
  bool SetPen(const TPen& pen);  // false: nothing to draw (clear pen, or not-xor on vectors)
  void Fill(const QPainterPath& area, const TBrush& brush);
  void Extend(const QPolygonF& line, const TPen& pen);  // image twins: onto the open line
  void StrokeOpen();  // strokes the open line so far, which goes on from its last point
  void Flush();       // draws the open line and its steps

  std::unique_ptr<QImage> image_;  // image twins only
  QPaintDevice* device_;
  double scale_;
  TPoint origin_;
  QRectF visible_;  // the part of the bitmap the device shows
  QPainter painter_;
  QPolygonF open_;       // image twins: the line the next one may go on with
  QList<QLineF> steps_;  // and its long steps, drawn as lines
  TPen openPen_;
  double openLength_ = 0;
};

}  // namespace plotix
