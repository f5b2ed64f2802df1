#include "cartesian/function_points.h"

#include <QPointF>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "cartesian/function_kinds.h"
#include "cartesian/trace.h"

namespace plotix {

std::vector<int> PointFunctions(const TGraph2DDoc& doc) { return FunctionsOffering(doc, &TFunctionOffers::points); }

TFunctionPoints FindFunctionPoints(const TGraph2DDoc& doc, int index, Extended a, Extended b) {
  const auto function = [&doc](int i) { return *doc.Functions()[std::size_t(i)]->FunctionOfX(); };
  std::vector<TNamedFunction> others;
  for (const int other : PointFunctions(doc))
    if (other != index) others.push_back({doc.Functions()[std::size_t(other)]->Name, function(other)});
  TFunctionOfX f = function(index);
  return FindPoints(f, a, b, true, true, others);
}

namespace {

// The distance from p to the segment ab.
double SegmentDistance(QPointF p, QPointF a, QPointF b) {
  const QPointF ab = b - a;
  const double length = QPointF::dotProduct(ab, ab);
  const double t = length > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length, 0.0, 1.0) : 0.0;
  const QPointF d = p - (a + t * ab);
  return std::hypot(d.x(), d.y());
}

// The nearest distance from p to the polyline through the points, broken where one is missing.
double PathDistance(QPointF p, const std::vector<std::optional<QPointF>>& path) {
  double nearest = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (!path[i]) continue;
    const QPointF from = *path[i];
    const QPointF to = i + 1 < path.size() && path[i + 1] ? *path[i + 1] : from;
    nearest = std::min(nearest, SegmentDistance(p, from, to));
  }
  return nearest;
}

}  // namespace

int FunctionNear(const TGraph2DDoc& doc, const TMapping2D& map, double col, double row, double reach) {
  int nearest = -1;
  double distance = reach;
  for (const int i : FunctionsOffering(doc, &TFunctionOffers::trace)) {
    const double d =
        PathDistance(QPointF(col, row), DrawnPath(*doc.Functions()[std::size_t(i)], map,
                                                  int(std::floor(col - reach)) - 1, int(std::ceil(col + reach)) + 1));
    if (d <= distance) {
      distance = d;
      nearest = i;
    }
  }
  return nearest;
}

TFunctionPoints PointsInView(const TGraph2DDoc& doc, int index, const TMapping2D& map, double col, double row,
                             std::size_t most) {
  TFunctionPoints points = FindFunctionPoints(doc, index, map.XOfCol(0), map.XOfCol(map.width - 1));
  if (points.rows.size() <= most) return points;
  const auto distance = [&](const TFunctionPoint& p) {
    return std::hypot(map.ColF(p.x * map.zoomX) - col, map.RowF(p.y * map.zoomY) - row);
  };
  std::stable_sort(points.rows.begin(), points.rows.end(),
                   [&](const TFunctionPoint& p, const TFunctionPoint& q) { return distance(p) < distance(q); });
  points.rows.resize(most);
  std::stable_sort(points.rows.begin(), points.rows.end(),
                   [](const TFunctionPoint& p, const TFunctionPoint& q) { return p.x < q.x; });
  points.more = true;
  return points;
}

std::string PointKindText(const TFunctionPoint& p) {
  switch (p.kind) {
    case TFunctionPoint::Zero: return "Zero";
    case TFunctionPoint::ZeroInterval: return "Zero throughout";
    case TFunctionPoint::Minimum: return "Minimum";
    case TFunctionPoint::Maximum: return "Maximum";
    case TFunctionPoint::Intersection: return "Intersection with " + p.other;
  }
  return {};
}

std::string PointXText(const TFunctionPoint& p, int digits) {
  const std::string x = ReadoutText(p.x, digits);
  return p.kind == TFunctionPoint::ZeroInterval ? x + " to " + ReadoutText(p.to, digits) : x;
}

std::string PointsText(const TFunctionPoints& points) {
  std::string text;
  for (const TFunctionPoint& p : points.rows)
    text += PointKindText(p) + '\t' + PointXText(p, kMaxDigitsShown) + '\t' + ReadoutText(p.y) + '\n';
  return text;
}

}  // namespace plotix
