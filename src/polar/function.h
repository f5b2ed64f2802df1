#pragma once
// Polar function objects r = f(theta) and their plotting: theta stepped evenly over the
// bounds, each defined point mapped to pixels, the line broken at undefined points and
// clipped where it leaves the view.

#include <memory>
#include <string>
#include <vector>

#include "expr/function_object.h"
#include "window/view_mapping.h"

namespace plotix {

class TCanvas;

constexpr int kMinPolarSamples = 10;
constexpr int kMaxPolarSamples = 100000;
constexpr Extended kPolarPi = 3.14159265358979323846264338327950288L;
// Theta bounds lie within ±10,000 pi.
constexpr Extended kMaxThetaBound = 10000 * kPolarPi;
constexpr const char* kMaxThetaBoundText = "10,000*pi";
constexpr const char* kMinThetaBoundText = "-10,000*pi";

// A compiled expression of theta, which may be written THETA or X.
class TMathPolarFunc : public TMathGraphFunc {
 public:
  TMathPolarFunc();
  // Evaluates at theta (radians); false when the value is undefined there.
  bool ValueAt(Extended theta, Extended& r) {
    Value(0) = theta;
    Value(1) = theta;
    if (!Evaluate()) return false;
    r = Result();
    return true;
  }
};

class TFuncPolarObj : public TBaseFuncObj {
 public:
  TFuncPolarObj() { Name = DefaultFunctionName(0); }

  TMathPolarFunc Func;
  std::string LoBoundText = "0";
  std::string HiBoundText = "2pi";
  Extended LoBound = 0;
  Extended HiBound = 2 * kPolarPi;
  std::int32_t Samples = 1000;  // theta steps; a count <= 0 draws nothing

  std::string GetDescription() const override { return "R=" + Name + "(Theta)=" + Func.Expression(); }
  bool NewDialog(TColor color) override;
  bool ModifyDialog() override;
  void SaveToFile(TWriteGraphFile& writer) const override;
  void LoadFromFile(TReadGraphFile& reader) override;
  std::unique_ptr<TBaseFuncObj> Clone() const override { return std::make_unique<TFuncPolarObj>(*this); }
  std::vector<const TMathGraphFunc*> Definitions() const override { return {&Func}; }
  TMathGraphFunc* Callable() override { return &Func; }
  // "NAME(theta)=EXPR".
  std::string TypedText() const override { return Name + "(theta)=" + Func.Expression(); }
  void KeepUntyped(const TBaseFuncObj& replaced) override;
  // The function a typed "EXPR", "r = EXPR" or "NAME(theta) = EXPR" reads as, called `name`
  // unless named, compiled with the scope's names; null for a text of another form.
  static std::unique_ptr<TFuncPolarObj> FromTyped(const std::string& text, const std::string& name, TGraphScope& scope);
};

// A point in pixels from the pole, y up, at one sample of a function: where the function
// is defined.
struct TPolarPoint {
  Extended x = 0, y = 0;
};
struct TPolarSample {
  TPolarPoint point;
  bool defined = false;
};
using TPolarSamples = std::vector<TPolarSample>;

// A redraw in two parts, so that functions, or ranges of one, can be sampled on several
// threads and drawn in their order: the samples from the lower to the upper bound (the
// evaluation, the only part that touches the function's evaluator; one evaluator per
// thread), then the drawing.
int PolarSampleCount(const TFuncPolarObj& func);
// Samples [from, to) into their places of `samples`, which holds PolarSampleCount.
void SamplePolarFunction(TFuncPolarObj& func, const TMapping2D& map, TPolarSamples& samples, int from, int to);
void DrawPolarSamples(const TFuncPolarObj& func, const TPolarSamples& samples, TCanvas& canvas, const TMapping2D& map);
// Both, for one function.
void PlotPolarFunction(TFuncPolarObj& func, TCanvas& canvas, const TMapping2D& map);

}  // namespace plotix
