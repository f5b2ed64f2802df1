#pragma once
// The functions of a 2D graph, and y = f(x) among them with the plotting that turns one
// into pixels: one sample per pixel column, special x values merged in, polylines broken
// at undefined points, the vertical-asymptote fix-up and the refinement near undefined
// points.

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "expr/analysis.h"
#include "expr/function_object.h"
#include "expr/typed_text.h"
#include "window/view_mapping.h"

namespace plotix {

class TCanvas;

// A compiled expression of the one variable X.
class TMath2DFunc : public TMathGraphFunc {
 public:
  TMath2DFunc();
  // Evaluates at x; false when the value is undefined there.
  bool ValueAt(Extended x, Extended& y) {
    Value(0) = x;
    if (!Evaluate()) return false;
    y = Result();
    return true;
  }
};

// A curve x(t), y(t) for t from `from` to `to`.
struct TCurveOfT {
  TFunctionOfX x, y;
  Extended from = 0, to = 0;
};

// Every function of a 2D graph: y = f(x), the curves, and any class of the table of
// function kinds, which also says which of the reading operations below the tools use.
class TBaseFunc2DObj : public TBaseFuncObj {
 public:
  TBaseFunc2DObj() { Name = DefaultFunctionName(0); }

  // Draws the function on the canvas with the mapping of the current redraw; returns what
  // the status line should say about a function it could not draw, or nothing.
  virtual std::string Plot(TCanvas& canvas, const TMapping2D& map) = 0;
  // The dialogs registered for the function's class; the add dialog takes the colour.
  bool NewDialog(TColor color) override;
  bool ModifyDialog() override;
  // Its class's tag in the table of function kinds.
  std::int32_t FileTag() const final;
  // y as a function of x at the parameters' values; none for a function that is not one.
  virtual std::optional<TFunctionOfX> FunctionOfX() const { return std::nullopt; }
  // The curve traced along t; none for a function that is not one.
  virtual std::optional<TCurveOfT> CurveOfT() const { return std::nullopt; }
  // The values at each x, as "Table of Values" shows them, empty where undefined; by
  // default those of FunctionOfX.
  virtual std::vector<std::optional<Extended>> TableValues(const std::vector<Extended>& xs) const;

 protected:
  // Curves show their name before their definitions in the function list.
  std::string NamePrefix() const { return Name + ": "; }
};

constexpr int kMaxSpecialValues = 1000;

enum class TDerivedKind { FirstDerivative = 1, SecondDerivative = 2, Integral = 3 };

// A curve derived from a y = f(x) function: its kind, and for the integral curve the
// point it passes through, F(x0) = y0.
struct TDerivedRequest {
  TDerivedKind Kind = TDerivedKind::FirstDerivative;
  std::string X0Text = "0", Y0Text = "0";
  Extended X0 = 0, Y0 = 0;
};

// A function of x drawn as y = f(x) draws: a sample per pixel column between its bounds,
// the special x values merged in, polylines broken where it is undefined, and the drawing
// refinements asked for.
struct TColumnPlot {
  std::function<bool(Extended x, Extended& y)> Sample;  // false where undefined
  TPlotStyle Style;
  bool LoBoundEmpty = true, HiBoundEmpty = true;
  Extended LoBound = 0, HiBound = 0;
  bool AsymptoteFixUp = false, ExtraAccuracy = false;
  std::span<const Extended> SpecialX;  // strictly ascending
};
void PlotColumns(const TColumnPlot& plot, TCanvas& canvas, const TMapping2D& map);

class TFunc2DObj : public TBaseFunc2DObj {
 public:
  TMath2DFunc Func;
  std::string LoBoundText;
  std::string HiBoundText;
  bool LoBoundEmpty = true;
  bool HiBoundEmpty = true;
  Extended LoBound = -1;
  Extended HiBound = 1;
  bool AsymptoteFixUp = false;
  bool ExtraAccuracy = false;
  std::vector<std::string> SpecialXLines;

  // The x values always sampled, ascending, each once.
  const std::vector<Extended>& SpecialX() const { return specialX_; }
  void SetSpecialX(std::vector<Extended> xs);
  // The curves derived from the function its dialog asks for; TakeCompanions makes them once,
  // and a copy of the function carries no request.
  void RequestCurves(std::vector<TDerivedRequest> requests) { requests_.curves = std::move(requests); }

  std::string GetDescription() const override { return "Y=" + Name + "(x)=" + Func.Expression(); }
  void SaveToFile(TWriteGraphFile& writer) const override;
  void LoadFromFile(TReadGraphFile& reader) override;
  std::unique_ptr<TBaseFuncObj> Clone() const override { return std::make_unique<TFunc2DObj>(*this); }
  std::vector<const TMathGraphFunc*> Definitions() const override { return {&Func}; }
  TMathGraphFunc* Callable() override { return &Func; }
  std::vector<std::unique_ptr<TBaseFuncObj>> TakeCompanions() override;
  std::string Plot(TCanvas& canvas, const TMapping2D& map) override;
  std::optional<TFunctionOfX> FunctionOfX() const override { return FunctionOfFirstVariable(Func); }
  // "NAME(x)=EXPR".
  std::string TypedText() const override { return Name + "(x)=" + Func.Expression(); }
  void KeepUntyped(const TBaseFuncObj& replaced) override;
  // The function a typed "EXPR", "y = EXPR" or "NAME(x) = EXPR" reads as, called `name`
  // unless named, compiled with the scope's names (an error is its ErrorText); null for a
  // text of another form.
  static std::unique_ptr<TFunc2DObj> FromTyped(const std::string& text, const std::string& name, TGraphScope& scope);

 private:
  struct TRequests {
    TRequests() = default;
    TRequests(const TRequests&) {}
    TRequests& operator=(const TRequests&) { return *this; }
    std::vector<TDerivedRequest> curves;
  };
  std::vector<Extended> specialX_;
  TRequests requests_;
};

}  // namespace plotix
