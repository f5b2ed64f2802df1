#include "cartesian/axes.h"

#include <cmath>

#include "expr/number_format.h"
#include "platform/canvas.h"

namespace plotix {

namespace {

constexpr Extended kMinTickStep = 5;  // pixels; closer ticks are not drawn

// The multiples of an increment within [from, to] in scaled units, as k * step.
struct TTickRange {
  Extended step = 0;
  long long first = 0, last = -1;  // k of the first and last multiple; empty when last < first

  TTickRange(Extended zoom, Extended inc, Extended from, Extended to) {
    step = zoom * inc;
    if (!(inc > 0) || step < kMinTickStep) return;
    // Ticks are counted only over the visible extent; a limit far outside it has none.
    const Extended k = truncl(from / step);
    if (!(fabsl(k) < 1e15L) || !(to - from < 1e9L)) return;
    first = static_cast<long long>(k);
    if (first * step < from) ++first;
    last = first - 1;
    while ((last + 1) * step <= to) ++last;
  }
  bool Usable() const { return step >= kMinTickStep; }
};

// The axis-dependent values of one redraw.
struct TFrame {
  const TSetting2DObj& s;
  TCanvas& c;
  const TMapping2D& m;
  Extended xs, xe, ys, ye;
  bool xExtentShown, yExtentShown;
  int px0, py0;

  TFrame(const TSetting2DObj& settings, TCanvas& canvas, const TMapping2D& map) : s(settings), c(canvas), m(map) {
    xs = !s.X.LimitLoEmpty && m.left < s.X.LimitLo * m.zoomX ? s.X.LimitLo * m.zoomX : m.left;
    xe = !s.X.LimitHiEmpty && m.right > s.X.LimitHi * m.zoomX ? s.X.LimitHi * m.zoomX : m.right;
    ys = !s.Y.LimitLoEmpty && m.bottom < s.Y.LimitLo * m.zoomY ? s.Y.LimitLo * m.zoomY : m.bottom;
    ye = !s.Y.LimitHiEmpty && m.top > s.Y.LimitHi * m.zoomY ? s.Y.LimitHi * m.zoomY : m.top;
    xExtentShown = xs <= xe && xs <= m.right && m.left <= xe;
    yExtentShown = ys <= ye && ys <= m.top && m.bottom <= ye;
    px0 = m.Col(0);
    py0 = m.Row(0);
  }

  // Rows and columns where lines along each axis begin and end (end not painted).
  int XLineStart() const { return xs == m.left ? 0 : m.Col(xs); }
  int XLineEnd() const { return xe == m.right ? m.width : m.Col(xe) + 1; }
  int YLineStart() const { return ye == m.top ? 0 : m.Row(ye); }
  int YLineEnd() const { return ys == m.bottom ? m.height : m.Row(ys) + 1; }

  void SetPen(TColor color, int width, int style) {
    TPen& pen = c.Pen();
    pen.color = color;
    pen.width = width;
    pen.style = style;
    pen.mode = TPenMode::Copy;
  }
  void Line(int x1, int y1, int x2, int y2) {
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
  }
  // A mark includes its end pixel.
  void Mark(int x1, int y1, int x2, int y2, TColor color) {
    Line(x1, y1, x2, y2);
    c.SetPixel(x2, y2, color);
  }
};

}  // namespace

void ClearBackground2D(const TSetting2DObj& settings, TCanvas& canvas, const TMapping2D& map) {
  canvas.Pen() = TPen{0xFF0000, 1, psSolid, TPenMode::Copy};
  canvas.Brush() = TBrush{settings.BackColor, bsSolid};
  canvas.FillRect({0, 0, map.width, map.height});
  canvas.Brush().style = bsClear;
}

void DrawAxes2D(const TSetting2DObj& settings, TCanvas& canvas, const TMapping2D& map) {
  TFrame f(settings, canvas, map);
  const TAxisSettings& X = settings.X;
  const TAxisSettings& Y = settings.Y;
  const bool zeroInY = map.bottom <= 0 && 0 <= map.top;
  const bool zeroInX = map.left <= 0 && 0 <= map.right;

  bool xAxisDrawn = false, yAxisDrawn = false;
  if (zeroInY && f.xExtentShown && X.ShowAxisLines) {
    f.SetPen(X.AxisColor, X.AxisWidth, X.AxisStyle);
    f.Line(f.XLineStart(), f.py0, f.XLineEnd(), f.py0);
    xAxisDrawn = true;
  }
  if (zeroInX && f.yExtentShown && Y.ShowAxisLines) {
    f.SetPen(Y.AxisColor, Y.AxisWidth, Y.AxisStyle);
    f.Line(f.px0, f.YLineStart(), f.px0, f.YLineEnd());
    yAxisDrawn = true;
  }

  const TTickRange xr(map.zoomX, X.Inc, f.xs, f.xe);
  const TTickRange yr(map.zoomY, Y.Inc, f.ys, f.ye);
  // The multiple at 0 sits on the other axis line when that line is shown.
  const bool skipX0 = Y.ShowAxisLines, skipY0 = X.ShowAxisLines;

  if ((X.TickType == ttGridMarks || Y.TickType == ttGridMarks) && f.xExtentShown && f.yExtentShown && xr.Usable() &&
      yr.Usable()) {
    for (long long i = xr.first; i <= xr.last; ++i) {
      if (i == 0 && skipX0) continue;
      const int px = map.Col(i * xr.step);
      for (long long j = yr.first; j <= yr.last; ++j) {
        if (j == 0 && skipY0) continue;
        const int py = map.Row(j * yr.step);
        if (X.TickType == ttGridMarks) {
          f.SetPen(X.TickColor, X.AxisWidth, psSolid);
          f.Mark(px, py - X.TickLength, px, py + X.TickLength, X.TickColor);
        }
        if (Y.TickType == ttGridMarks) {
          f.SetPen(Y.TickColor, Y.AxisWidth, psSolid);
          f.Mark(px - Y.TickLength, py, px + Y.TickLength, py, Y.TickColor);
        }
      }
    }
  }

  bool xTicksDone = false, yTicksDone = false;
  if (f.xExtentShown && X.Inc > 0 &&
      (X.TickType == ttGridLines || ((X.TickType == ttTickMarks || X.TickType == ttGridMarks) && xAxisDrawn)) &&
      xr.Usable()) {
    const bool lines = X.TickType == ttGridLines;
    f.SetPen(X.TickColor, X.AxisWidth, lines ? int(X.GridStyle) : int(psSolid));
    for (long long i = xr.first; i <= xr.last; ++i) {
      if (i == 0 && skipX0) continue;
      const int px = map.Col(i * xr.step);
      if (lines) {
        if (f.yExtentShown) f.Line(px, f.YLineStart(), px, f.YLineEnd());
      } else {
        f.Mark(px, f.py0 - X.TickLength, px, f.py0 + X.TickLength, X.TickColor);
      }
    }
    xTicksDone = true;
  }
  if (f.yExtentShown && Y.Inc > 0 &&
      (Y.TickType == ttGridLines || ((Y.TickType == ttTickMarks || Y.TickType == ttGridMarks) && yAxisDrawn)) &&
      yr.Usable()) {
    const bool lines = Y.TickType == ttGridLines;
    f.SetPen(Y.TickColor, Y.AxisWidth, lines ? int(Y.GridStyle) : int(psSolid));
    for (long long j = yr.first; j <= yr.last; ++j) {
      if (j == 0 && skipY0) continue;
      const int py = map.Row(j * yr.step);
      if (lines) {
        if (f.xExtentShown) f.Line(f.XLineStart(), py, f.XLineEnd(), py);
      } else {
        f.Mark(f.px0 - Y.TickLength, py, f.px0 + Y.TickLength, py, Y.TickColor);
      }
    }
    yTicksDone = true;
  }

  if (X.ShowLabels && xTicksDone && xAxisDrawn) {
    canvas.Font() = settings.XLabelFont;
    const bool lines = X.TickType == ttGridLines;
    for (long long i = xr.first; i <= xr.last; ++i) {
      if (i == 0 && skipX0) continue;
      const Extended value = i * X.Inc;
      const std::string text = FormatNumber(X.LabelFormat, X.LabelComma, X.LabelPlus, X.LabelDecimals, value);
      const int px = map.Col(i * xr.step);
      const int w = canvas.TextWidth(text);
      if (lines)
        canvas.TextOut(value >= 0 ? px + 1 : px - w - 1, f.py0 + 1, text);
      else
        canvas.TextOut(px - w / 2, f.py0 + X.TickLength + 1, text);
    }
  }
  if (Y.ShowLabels && yTicksDone && yAxisDrawn) {
    canvas.Font() = settings.YLabelFont;
    const bool lines = Y.TickType == ttGridLines;
    for (long long j = yr.first; j <= yr.last; ++j) {
      if (j == 0 && skipY0) continue;
      const Extended value = j * Y.Inc;
      const std::string text = FormatNumber(Y.LabelFormat, Y.LabelComma, Y.LabelPlus, Y.LabelDecimals, value);
      const int py = map.Row(j * yr.step);
      const int h = canvas.TextHeight(text);
      if (lines)
        canvas.TextOut(f.px0 + 1, value >= 0 ? py - h - 1 : py + 1, text);
      else
        canvas.TextOut(f.px0 + Y.TickLength + 1 + (value < 0 ? 3 : 0), py - h / 2, text);
    }
  }
}

}  // namespace plotix
