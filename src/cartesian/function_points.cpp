#include "cartesian/function_points.h"

#include "cartesian/function_kinds.h"

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
