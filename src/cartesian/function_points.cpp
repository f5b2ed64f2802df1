#include "cartesian/function_points.h"

#include <algorithm>

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
