#include "cartesian/function_points.h"

#include <algorithm>
#include <cstdio>

namespace plotix {

namespace {

const TFunc2DObj* YOfX(const TGraph2DDoc& doc, int index) {
  return dynamic_cast<const TFunc2DObj*>(doc.Functions()[std::size_t(index)].get());
}

}  // namespace

TFunctionOfX FunctionOfX(const TGraph2DDoc& doc, int index) { return FunctionOfFirstVariable(YOfX(doc, index)->Func); }

std::vector<int> PointFunctions(const TGraph2DDoc& doc) { return CompiledFunctions<TFunc2DObj>(doc); }

TFunctionPoints FindFunctionPoints(const TGraph2DDoc& doc, int index, Extended a, Extended b) {
  TFunctionPoints out;
  const TFunc2DObj& f = *YOfX(doc, index);
  const TMathProgram& program = f.Func.Prepared()->Program();
  TFunctionOfX fx = FunctionOfFirstVariable(f.Func);
  const TPoints<TZero> zeros = FindZeros(fx, a, b);
  for (const TZero& z : zeros.points)
    out.rows.push_back({z.to == z.x ? TFunctionPoint::Zero : TFunctionPoint::ZeroInterval, z.x, 0, z.to, {}});
  const TPoints<TExtremum> extrema = FindExtrema(fx, a, b);
  for (const TExtremum& e : extrema.points)
    out.rows.push_back({e.maximum ? TFunctionPoint::Maximum : TFunctionPoint::Minimum, e.x, e.y, e.x, {}});
  out.more = zeros.more || extrema.more;
  for (const int other : PointFunctions(doc)) {
    if (other == index) continue;
    const TFunc2DObj& g = *YOfX(doc, other);
    TFunctionOfX difference = FunctionOfFirstVariable(f.Func, Difference(program, g.Func.Prepared()->Program()));
    const TPoints<TZero> meets = FindZeros(difference, a, b);
    out.more |= meets.more;
    for (const TZero& z : meets.points) {
      Extended y = 0;
      if (fx.Value(z.x, y)) out.rows.push_back({TFunctionPoint::Intersection, z.x, y, z.to, g.Name});
    }
  }
  std::stable_sort(out.rows.begin(), out.rows.end(),
                   [](const TFunctionPoint& p, const TFunctionPoint& q) { return p.x < q.x; });
  return out;
}

std::string PointNumber(Extended v) {
  if (v == 0) v = 0;  // -0 shows as 0
  char text[64];
  std::snprintf(text, sizeof text, "%.21Lg", v);
  return text;
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

std::string PointsText(const TFunctionPoints& points) {
  std::string text;
  for (const TFunctionPoint& p : points.rows) {
    const std::string x =
        p.kind == TFunctionPoint::ZeroInterval ? PointNumber(p.x) + " to " + PointNumber(p.to) : PointNumber(p.x);
    text += PointKindText(p) + '\t' + x + '\t' + PointNumber(p.y) + '\n';
  }
  return text;
}

}  // namespace plotix
