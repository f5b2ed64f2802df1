#pragma once
// 2D function objects y = f(x) and the plotting that turns one into pixels:
// one sample per pixel column, special x values merged in, polylines broken at
// undefined points, the vertical-asymptote fix-up and the refinement near
// undefined points.

#include <memory>
#include <string>
#include <vector>

#include "expr/function_object.h"
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

constexpr int kMaxSpecialValues = 1000;

class TFunc2DObj : public TBaseFuncObj {
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
  std::vector<Extended> SpecialX;  // strictly ascending

  std::string GetDescription() const override { return "Y=f(x)=" + Func.Expression(); }
  bool NewDialog(TColor color) override;
  bool ModifyDialog() override;
  void SaveToFile(TWriteGraphFile& writer) const override;
  void LoadFromFile(TReadGraphFile& reader) override;
  std::unique_ptr<TBaseFuncObj> Clone() const override { return std::make_unique<TFunc2DObj>(*this); }
};

// Draws one function on the canvas with the mapping of the current redraw.
void Plot2DFunction(TFunc2DObj& func, TCanvas& canvas, const TMapping2D& map);

}  // namespace plotix
