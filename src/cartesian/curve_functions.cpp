#include "cartesian/curve_functions.h"

#include <vector>

#include "cartesian/parametric_curve.h"
#include "expr/math_const_check.h"
#include "files/graph_file.h"
#include "platform/canvas.h"

namespace plotix {

namespace {
constexpr const char* kNothingInView = ": nothing to draw in this view";
}  // namespace

TMathParametricFunc::TMathParametricFunc() {
  SetVariableCount(1);
  SetVariableName(0, "T");
  SetLongestNameMatching(true);
}

TCurvePath TParametricFuncObj::Trace(const TMapping2D& map) {
  const auto evaluate = [this](std::span<TParametricSample> batch) {
    for (TParametricSample& s : batch) {
      X.Value(0) = Y.Value(0) = s.t;
      s.xDefined = X.Evaluate();
      s.x = X.Result();
      s.yDefined = Y.Evaluate();
      s.y = Y.Result();
    }
  };
  return TraceParametricCurve(evaluate, From, To, map);
}

std::string TParametricFuncObj::Plot(TCanvas& canvas, const TMapping2D& map) {
  const TCurvePath path = Trace(map);
  DrawCurvePath(path, Style, canvas);
  return path.empty() ? Text() + kNothingInView : std::string();
}

std::string TParametricFuncObj::ErrorText() const {
  if (X.State() != 2) return "x(t): " + X.GetErrorText();
  return Y.State() != 2 ? "y(t): " + Y.GetErrorText() : std::string();
}

std::string TParametricFuncObj::TypedText() const {
  return FromText == "0" && ToText == "2pi" ? Text() : Text() + ", " + FromText + "<t<" + ToText;
}

std::unique_ptr<TParametricFuncObj> TParametricFuncObj::FromTyped(const std::string& text, const std::string& name,
                                                                  TGraphScope& scope) {
  std::vector<std::string> parts = TopLevelParts(text, ',');
  std::vector<std::string> definitions;
  if (parts[0].size() > 2 && parts[0].front() == '(' && parts[0].back() == ')') {
    definitions = TopLevelParts(parts[0].substr(1, parts[0].size() - 2), ',');
    parts.erase(parts.begin());
  } else if (parts.size() >= 2) {
    for (const char* side : {"x(t)", "y(t)"}) {
      const std::vector<std::string> sides = TopLevelParts(parts[0], '=');
      if (sides.size() != 2 || Squeezed(sides[0]) != side) return nullptr;
      definitions.push_back(sides[1]);
      parts.erase(parts.begin());
    }
  }
  if (definitions.size() != 2 || definitions[0].empty() || definitions[1].empty() || parts.size() > 1) return nullptr;
  auto curve = std::make_unique<TParametricFuncObj>();
  curve->Name = name;
  if (parts.size() == 1) {
    // FROM < t < TO, or with <=.
    const std::vector<std::string> range = TopLevelParts(parts[0], '<');
    if (range.size() != 3 || (Squeezed(range[1]) != "t" && Squeezed(range[1]) != "=t")) return nullptr;
    const std::string to = Trimmed(range[2].starts_with('=') ? range[2].substr(1) : range[2]);
    TMathConstCheck from, until;
    if (!from.Validate(range[0]) || !until.Validate(to) || !(from.Value() < until.Value())) return nullptr;
    curve->FromText = range[0];
    curve->ToText = to;
    curve->From = from.Value();
    curve->To = until.Value();
  }
  curve->X.SetExpression(definitions[0]);
  curve->Y.SetExpression(definitions[1]);
  curve->UseNames(scope);
  return curve;
}

// ---- implicit curves ---------------------------------------------------------

TImplicitEquation::TImplicitEquation() {
  for (TMathFunction* side : {&left_, &right_}) {
    side->SetVariableCount(2);
    side->SetVariableName(0, "X");
    side->SetVariableName(1, "Y");
  }
}

bool TImplicitEquation::Fail(const char* field, int code, int position) {
  errorField_ = field;
  errorCode_ = code;
  errorPosition_ = position;
  return false;
}

bool TImplicitEquation::SetText(const std::string& text, TGraphScope* names) {
  TGraphScope none({});
  TGraphScope& scope = names ? *names : none;
  text_ = text;
  errorCode_ = meNone;
  errorPosition_ = 0;
  const std::size_t equals = text.find('=');
  hasRight_ = equals != std::string::npos;
  if (text.size() > std::size_t(kMaxExpressionLength)) return Fail("Equation", meTooLong, 0);
  if (hasRight_) {
    const std::size_t second = text.find('=', equals + 1);
    if (second != std::string::npos) return Fail("Right Side", meSyntax, int(second) + 1);
  }
  left_.SetExpression(text.substr(0, equals));
  if (!left_.UseNames(scope))
    return Fail(hasRight_ ? "Left Side" : "Equation", left_.ErrorCode(), left_.ErrorPosition());
  if (!hasRight_) return true;
  right_.SetExpression(text.substr(equals + 1));
  if (!right_.UseNames(scope)) {
    const int position = right_.ErrorPosition();
    return Fail("Right Side", right_.ErrorCode(), position >= 1 ? position + int(equals) + 1 : position);
  }
  return true;
}

bool TImplicitEquation::UseNames(TGraphScope& scope) {
  const bool left = left_.UseNames(scope);
  const bool right = right_.UseNames(scope) || !hasRight_;
  if (scope.ValuesOnly() || (left && right && errorCode_ == meNone)) return errorCode_ == meNone;
  return SetText(text_, &scope);
}

void TImplicitEquation::RenameCalls(const std::vector<std::string>& callNames, const std::string& from,
                                    const std::string& to) {
  std::string text = left_.TextWithCallRenamed(callNames, from, to);
  if (hasRight_) text += "=" + right_.TextWithCallRenamed(callNames, from, to);
  if (text != text_) SetText(text);
}

std::vector<const TMathGraphFunc*> TImplicitEquation::Sides() const {
  if (hasRight_) return {&left_, &right_};
  return {&left_};
}

std::unique_ptr<TImplicitFuncObj> TImplicitFuncObj::FromTyped(const std::string& text, const std::string& name,
                                                              TGraphScope& scope) {
  if (TopLevelParts(text, ',').size() > 1 || TopLevelParts(text, '=').size() != 2) return nullptr;
  auto curve = std::make_unique<TImplicitFuncObj>();
  curve->Name = name;
  curve->Equation.SetText(text, &scope);
  return curve;
}

std::string TImplicitFuncObj::ErrorText() const {
  return Equation.ErrorCode() == meNone ? std::string() : Equation.ErrorField() + ": " + Equation.ErrorText();
}

TImplicitCurve TImplicitFuncObj::Trace(const TMapping2D& map) {
  const auto evaluate = [this](std::span<TImplicitSample> batch) {
    for (TImplicitSample& s : batch) s.defined = Equation.ValueAt(s.x, s.y, s.f);
  };
  return TraceImplicitCurve(evaluate, map);
}

std::string TImplicitFuncObj::Plot(TCanvas& canvas, const TMapping2D& map) {
  const TImplicitCurve curve = Trace(map);
  DrawCurvePath(curve.Path, Style, canvas);
  switch (curve.Status) {
    case icDrawn: return {};
    case icNothingInView: return Equation.Text() + kNothingInView;
    case icNotDrawable: return Equation.Text() + ": can not be drawn, it comes to zero without changing sign";
  }
  return {};
}

// ---- drawing -----------------------------------------------------------------

// A polyline of one point is drawn as a dot. One-pixel lines leave out their last pixel,
// which is set on its own as y = f(x) sets it.
void DrawCurvePath(const TCurvePath& path, const TPlotStyle& style, TCanvas& canvas) {
  canvas.Pen().color = style.Color;
  canvas.Pen().width = style.Width;
  const bool twin = canvas.Bitmap().Twin() != nullptr;
  std::vector<TPoint> points;
  std::vector<TPointF> exact;
  for (const TCurvePolyline& line : path) {
    points.clear();
    exact.clear();
    for (const TCurvePoint& p : line) {
      points.push_back({RoundToPixel(p.x), RoundToPixel(p.y)});
      if (twin) exact.push_back({double(p.x) + 0.5, double(p.y) + 0.5});
    }
    if (points.size() == 1) {
      points.push_back(points[0]);
      if (twin) exact.push_back(exact[0]);
    }
    canvas.Polyline(points.data(), int(points.size()), twin ? exact.data() : nullptr);
    if (style.Width == 1) canvas.SetPixel(points.back().x, points.back().y, style.Color);
  }
}

}  // namespace plotix
