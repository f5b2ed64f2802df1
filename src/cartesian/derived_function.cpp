#include "cartesian/derived_function.h"

#include <algorithm>
#include <cmath>

#include "expr/analysis.h"
#include "expr/integral.h"
#include "files/graph_file.h"

namespace plotix {

TDerivedFuncObj::TDerivedFuncObj(const std::string& of, const TDerivedRequest& request) : request_(request) {
  Name.clear();  // a derived curve is known by its function's name, and can not be called
  SetOf(of);
}

void TDerivedFuncObj::SetOf(const std::string& of) {
  of_ = of;
  source_.SetExpression(of + "(x)");
}

std::string TDerivedFuncObj::GetDescription() const {
  switch (request_.Kind) {
    case TDerivedKind::FirstDerivative: return of_ + "'(x)";
    case TDerivedKind::SecondDerivative: return of_ + "''(x)";
    case TDerivedKind::Integral: break;
  }
  return "\u222B" + of_ + " with F(" + request_.X0Text + ")=" + request_.Y0Text;
}

std::unique_ptr<TDerivedFuncObj> TDerivedFuncObj::FromTyped(const std::string& text, const std::string& /*name*/,
                                                            TGraphScope& scope) {
  std::string typed;
  for (const char c : text)
    if (c != ' ') typed += c;
  if (typed.starts_with("y=") || typed.starts_with("Y=")) typed.erase(0, 2);
  if (!typed.ends_with("'(x)") && !typed.ends_with("'(X)")) return nullptr;
  typed.resize(typed.size() - 3);
  TDerivedRequest request;
  if (typed.ends_with("''")) request.Kind = TDerivedKind::SecondDerivative;
  typed.resize(typed.size() - (request.Kind == TDerivedKind::SecondDerivative ? 2 : 1));
  if (!NameError(typed, "Function", {}, {}).empty()) return nullptr;
  auto curve = std::make_unique<TDerivedFuncObj>(typed, request);
  curve->UseNames(scope);
  return curve;
}

std::string TDerivedFuncObj::ErrorText() const {
  if (source_.State() == 2) return {};
  return source_.ErrorCode() == meUnknownSymbol ? "No Function Named " + of_ : "Function " + of_ + " Does Not Compile";
}

void TDerivedFuncObj::FunctionRenamed(const std::vector<std::string>& /*callNames*/, const std::string& from,
                                      const std::string& to) {
  if (of_ == from) SetOf(to);
}

std::vector<bool> TDerivedFuncObj::Values(const std::vector<Extended>& xs, std::vector<Extended>& ys) const {
  std::vector<bool> defined(xs.size(), false);
  ys.assign(xs.size(), 0);
  if (source_.State() != 2) return defined;
  TFunctionOfX f = FunctionOfFirstVariable(source_);

  if (request_.Kind != TDerivedKind::Integral) {
    const bool second = request_.Kind == TDerivedKind::SecondDerivative;
    for (std::size_t i = 0; i < xs.size(); ++i) {
      TJet jet;
      if (!f.Slopes(xs[i], jet)) continue;
      ys[i] = second ? jet.d2 : jet.d1;
      defined[i] = std::isfinite(ys[i]) && !(second && jet.error2);
    }
    return defined;
  }

  // F grows piece by piece outwards from x0, each piece between neighbouring x integrated
  // on its own, so the curve is as accurate at its far ends as near x0; past a piece that
  // has no integral (a pole, a stretch where f is undefined) it has no value.
  const TIntegrand integrand = [&f](Extended x, Extended& y, int& error) {
    const bool ok = f.Value(x, y);
    error = f.ErrorCode();
    return ok;
  };
  const auto march = [&](std::size_t i, Extended from, Extended F) {
    const TIntegral piece = Integrate(integrand, from, xs[i]);
    if (piece.status == TIntegral::Divergent || piece.status == TIntegral::Undefined) return false;
    ys[i] = F + piece.value;
    defined[i] = std::isfinite(ys[i]);
    return bool(defined[i]);
  };
  const std::size_t first = std::size_t(std::lower_bound(xs.begin(), xs.end(), request_.X0) - xs.begin());
  for (std::size_t i = first; i < xs.size(); ++i)
    if (!march(i, i == first ? request_.X0 : xs[i - 1], i == first ? request_.Y0 : ys[i - 1])) break;
  for (std::size_t i = first; i-- > 0;)
    if (!march(i, i + 1 == first ? request_.X0 : xs[i + 1], i + 1 == first ? request_.Y0 : ys[i + 1])) break;
  return defined;
}

std::string TDerivedFuncObj::Plot(TCanvas& canvas, const TMapping2D& map) {
  // The columns y = f(x) samples, from one left of the bitmap to one right of it.
  std::vector<Extended> xs;
  for (int col = -1; col <= map.width; ++col) xs.push_back(map.XOfCol(col));
  std::vector<Extended> ys;
  const std::vector<bool> defined = Values(xs, ys);
  TColumnPlot plot;
  plot.Style = Style;
  plot.Sample = [&](Extended x, Extended& y) {
    const std::size_t i = std::size_t(std::lower_bound(xs.begin(), xs.end(), x) - xs.begin());
    if (i == xs.size() || xs[i] != x || !defined[i]) return false;
    y = ys[i];
    return true;
  };
  PlotColumns(plot, canvas, map);
  return {};
}

std::vector<std::optional<Extended>> TDerivedFuncObj::TableValues(const std::vector<Extended>& xs) const {
  std::vector<Extended> ys;
  const std::vector<bool> defined = Values(xs, ys);
  std::vector<std::optional<Extended>> values;
  for (std::size_t r = 0; r < ys.size(); ++r) values.push_back(defined[r] ? std::optional(ys[r]) : std::nullopt);
  return values;
}

}  // namespace plotix
