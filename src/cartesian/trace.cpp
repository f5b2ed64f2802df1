#include "cartesian/trace.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "cartesian/function_kinds.h"
#include "expr/number_format.h"

namespace plotix {

namespace {

const TBaseFunc2DObj& Function(const TGraph2DDoc& doc, int index) { return *doc.Functions()[std::size_t(index)]; }

Extended StepT(const TCurveOfT& curve, int step) {
  return step >= kTraceSteps ? curve.to : curve.from + (curve.to - curve.from) * step / kTraceSteps;
}

TTracePoint FunctionPoint(const std::string& name, TFunctionOfX& f, int column, const TMapping2D& map, int digits) {
  const auto number = [digits](Extended v) { return ReadoutText(v, digits); };
  TTracePoint p;
  p.x = map.XOfCol(column);
  p.col = column + 0.5;
  p.text = name + ": x = " + number(p.x) + "\n";
  if (!f.Value(p.x, p.y)) {
    p.text += MathErrorText(f.ErrorCode(), 0);
    return p;
  }
  p.defined = true;
  TDerivative slope;
  const bool sloped = f.Derivative(p.x, 1, slope);
  p.text += name + "(x) = " + number(p.y) + "\n" + name +
            "'(x) = " + (sloped ? number(slope.value) : MathErrorText(f.ErrorCode(), 0));
  return p;
}

// The slope of a curve is y'(t) / x'(t), both exact.
TTracePoint CurvePoint(const std::string& name, TCurveOfT& curve, int step, const TMapping2D& map, int digits) {
  const auto number = [digits](Extended v) { return ReadoutText(v, digits); };
  const Extended t = StepT(curve, step);
  TFunctionOfX &x = curve.x, &y = curve.y;
  TTracePoint p;
  p.text = name + ": t = " + number(t) + "\n";
  if (!x.Value(t, p.x)) {
    p.text += "x(t): " + MathErrorText(x.ErrorCode(), 0);
    return p;
  }
  if (!y.Value(t, p.y)) {
    p.text += "y(t): " + MathErrorText(y.ErrorCode(), 0);
    return p;
  }
  p.defined = true;
  p.col = map.ColF(p.x * map.zoomX);
  TJet dx, dy;
  std::string slope;
  if (!x.Slopes(t, dx))
    slope = MathErrorText(x.ErrorCode(), 0);
  else if (!y.Slopes(t, dy))
    slope = MathErrorText(y.ErrorCode(), 0);
  else
    slope = dx.d1 == 0 ? MathErrorText(meDivByZero, 0) : number(dy.d1 / dx.d1);
  p.text += "x = " + number(p.x) + "\ny = " + number(p.y) + "\ndy/dx = " + slope;
  return p;
}

}  // namespace

std::vector<int> TraceFunctions(const TGraph2DDoc& doc) { return FunctionsOffering(doc, &TFunctionOffers::trace); }

TTracePoint TracePoint(const TGraph2DDoc& doc, int index, int position, const TMapping2D& map, int digits) {
  const TBaseFunc2DObj& f = Function(doc, index);
  if (std::optional<TCurveOfT> curve = f.CurveOfT()) return CurvePoint(f.Name, *curve, position, map, digits);
  if (std::optional<TFunctionOfX> y = f.FunctionOfX()) return FunctionPoint(f.Name, *y, position, map, digits);
  return {};
}

std::vector<std::optional<QPointF>> DrawnPath(const TBaseFunc2DObj& f, const TMapping2D& map, int first, int last) {
  std::vector<std::optional<QPointF>> path;
  const auto at = [&map](Extended x, Extended y) {
    return QPointF(map.ColF(x * map.zoomX), std::clamp(map.RowF(y * map.zoomY), -1e6, 1e6));
  };
  if (std::optional<TCurveOfT> curve = f.CurveOfT()) {
    for (int step = 0; step <= kTraceSteps; ++step) {
      Extended x = 0, y = 0;
      const Extended t = StepT(*curve, step);
      path.push_back(curve->x.Value(t, x) && curve->y.Value(t, y) ? std::optional(at(x, y)) : std::nullopt);
    }
  } else if (std::optional<TFunctionOfX> g = f.FunctionOfX()) {
    for (int c = first; c <= last; ++c) {
      const Extended x = map.XOfCol(c);
      Extended y = 0;
      path.push_back(g->Value(x, y) ? std::optional(at(x, y)) : std::nullopt);
    }
  }
  return path;
}

int NearestTracePosition(const TGraph2DDoc& doc, int index, double col, double row, const TMapping2D& map) {
  const TBaseFunc2DObj& f = Function(doc, index);
  if (!f.CurveOfT()) return std::clamp(int(std::floor(col)), 0, map.width - 1);
  const std::vector<std::optional<QPointF>> steps = DrawnPath(f, map, 0, -1);
  int nearest = kTraceSteps / 2;
  double distance = std::numeric_limits<double>::infinity();
  for (int step = 0; step <= kTraceSteps; ++step) {
    if (!steps[std::size_t(step)]) continue;
    const double d = std::hypot(steps[std::size_t(step)]->x() - col, steps[std::size_t(step)]->y() - row);
    if (d < distance) {
      distance = d;
      nearest = step;
    }
  }
  return nearest;
}

int LastTracePosition(const TGraph2DDoc& doc, int index, const TMapping2D& map) {
  return Function(doc, index).CurveOfT() ? kTraceSteps : map.width - 1;
}

QPointF ReadoutPlace(QPointF at, QSizeF box, const QRectF& shown) {
  constexpr double kGap = 10;
  QPointF place = at + QPointF(kGap, kGap);
  if (place.x() + box.width() > shown.right()) place.setX(at.x() - kGap - box.width());
  if (place.y() + box.height() > shown.bottom()) place.setY(at.y() - kGap - box.height());
  place.setX(std::clamp(place.x(), shown.left(), std::max(shown.left(), shown.right() - box.width())));
  place.setY(std::clamp(place.y(), shown.top(), std::max(shown.top(), shown.bottom() - box.height())));
  return place;
}

}  // namespace plotix
