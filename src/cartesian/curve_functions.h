#pragma once
// The curves of a 2D graph beside y = f(x): parametric curves x(t), y(t) and implicit
// curves LEFT = RIGHT in x and y, traced into bitmap polylines and drawn like y = f(x)
// in their colour and width.

#include <memory>
#include <string>

#include "cartesian/function.h"
#include "cartesian/implicit_curve.h"
#include "expr/function_library.h"

namespace plotix {

// A compiled expression of the one variable T.
class TMathParametricFunc : public TMathGraphFunc {
 public:
  TMathParametricFunc();
};

class TParametricFuncObj : public TBaseFunc2DObj {
 public:
  TMathParametricFunc X, Y;
  std::string FromText = "0", ToText = "2pi";
  Extended From = 0, To = 2 * mathlib::kPi;

  std::string GetDescription() const override { return NamePrefix() + Text(); }
  std::string KindName() const override { return "Parametric Curve"; }
  // The definitions as the user reads them.
  std::string Text() const { return "x(t)=" + X.Expression() + ", y(t)=" + Y.Expression(); }
  void SaveToFile(TWriteGraphFile& writer) const override;
  void LoadFromFile(TReadGraphFile& reader) override;
  std::unique_ptr<TBaseFuncObj> Clone() const override { return std::make_unique<TParametricFuncObj>(*this); }
  std::vector<const TMathGraphFunc*> Definitions() const override { return {&X, &Y}; }
  std::string ErrorText() const override;
  std::string Plot(TCanvas& canvas, const TMapping2D& map) override;
  std::optional<TCurveOfT> CurveOfT() const override {
    return TCurveOfT{FunctionOfFirstVariable(X), FunctionOfFirstVariable(Y), From, To};
  }
  // The visible polylines of the curve.
  TCurvePath Trace(const TMapping2D& map);
  // "x(t)=A, y(t)=B", with ", FROM<t<TO" after it for another range than 0 to 2pi.
  std::string TypedText() const override;
  // The curve called `name` a typed "x(t) = A, y(t) = B" or "(A, B)" reads as, with
  // ", FROM < t < TO" after it for another range than 0 to 2pi, compiled with the scope's
  // names; null for a text of another form or a range that is not two constants.
  static std::unique_ptr<TParametricFuncObj> FromTyped(const std::string& text, const std::string& name,
                                                       TGraphScope& scope);
};

// An equation LEFT = RIGHT, or an expression meaning = 0, in X and Y: each side compiled on
// its own, so that an error points into the side it is in.
class TImplicitEquation {
 public:
  TImplicitEquation();

  // Takes the text and compiles it with the names of the scope (none when null); false when
  // it does not compile, the error then naming the side ("Left Side", "Right Side";
  // "Equation" without "=") and giving the position in the whole text.
  bool SetText(const std::string& text, TGraphScope* scope = nullptr);
  const std::string& Text() const { return text_; }
  const std::string& ErrorField() const { return errorField_; }
  std::string ErrorText() const { return MathErrorText(errorCode_, errorPosition_); }
  int ErrorCode() const { return errorCode_; }
  int ErrorPosition() const { return errorPosition_; }
  // The graph's names for both sides; false when the equation does not compile with them.
  bool UseNames(TGraphScope& scope);
  std::vector<const TMathGraphFunc*> Sides() const;
  // Each side's calls of `from` become calls of `to` (see TMathFunction::TextWithCallRenamed).
  void RenameCalls(const std::vector<std::string>& callNames, const std::string& from, const std::string& to);

  // F = LEFT - RIGHT at (x, y); false where a side is undefined.
  bool ValueAt(Extended x, Extended y, Extended& f) {
    left_.Value(0) = x;
    left_.Value(1) = y;
    if (!left_.Evaluate()) return false;
    f = left_.Result();
    if (!hasRight_) return true;
    right_.Value(0) = x;
    right_.Value(1) = y;
    if (!right_.Evaluate()) return false;
    f -= right_.Result();
    return true;
  }

 private:
  bool Fail(const char* field, int code, int position);

  std::string text_;
  TMathGraphFunc left_, right_;
  bool hasRight_ = false;
  std::string errorField_;
  int errorCode_ = meNone, errorPosition_ = 0;
};

class TImplicitFuncObj : public TBaseFunc2DObj {
 public:
  TImplicitEquation Equation;

  std::string GetDescription() const override { return NamePrefix() + Equation.Text(); }
  std::string KindName() const override { return "Implicit Curve"; }
  void SaveToFile(TWriteGraphFile& writer) const override;
  void LoadFromFile(TReadGraphFile& reader) override;
  std::unique_ptr<TBaseFuncObj> Clone() const override { return std::make_unique<TImplicitFuncObj>(*this); }
  std::vector<const TMathGraphFunc*> Definitions() const override { return Equation.Sides(); }
  bool UseNames(TGraphScope& scope) override { return Equation.UseNames(scope); }
  void FunctionRenamed(const std::vector<std::string>& callNames, const std::string& from,
                       const std::string& to) override {
    Equation.RenameCalls(callNames, from, to);
  }
  std::string ErrorText() const override;
  std::string Plot(TCanvas& canvas, const TMapping2D& map) override;
  // The curve's visible polylines in the view of the mapping, or why there are none.
  TImplicitCurve Trace(const TMapping2D& map);
  std::string TypedText() const override { return Equation.Text(); }
  // The curve called `name` a typed equation "LEFT = RIGHT" reads as, compiled with the
  // scope's names; null for a text without one "=".
  static std::unique_ptr<TImplicitFuncObj> FromTyped(const std::string& text, const std::string& name,
                                                     TGraphScope& scope);
};

// Draws the polylines in the style, the bitmap's twin along their unrounded positions.
void DrawCurvePath(const TCurvePath& path, const TPlotStyle& style, TCanvas& canvas);

}  // namespace plotix
