#pragma once
// Polar function objects r = f(theta) and their plotting: theta stepped evenly over the
// bounds, each defined point mapped to pixels, the line broken at undefined points and
// clipped where it leaves the view.

#include <memory>
#include <string>

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
  TMathPolarFunc Func;
  std::string LoBoundText = "0";
  std::string HiBoundText = "2pi";
  Extended LoBound = 0;
  Extended HiBound = 2 * kPolarPi;
  std::int32_t Samples = 1000;  // theta steps; a count <= 0 draws nothing

  std::string GetDescription() const override { return "R=f(Theta)=" + Func.Expression(); }
  bool NewDialog(TColor color) override;
  bool ModifyDialog() override;
  void SaveToFile(TWriteGraphFile& writer) const override;
  void LoadFromFile(TReadGraphFile& reader) override;
  std::unique_ptr<TBaseFuncObj> Clone() const override { return std::make_unique<TFuncPolarObj>(*this); }
};

// Draws one function on the canvas with the mapping of the current redraw.
void PlotPolarFunction(TFuncPolarObj& func, TCanvas& canvas, const TMapping2D& map);

}  // namespace plotix
