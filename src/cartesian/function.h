#pragma once
// The functions of a 2D graph, and y = f(x) among them with the plotting that turns one
// into pixels: one sample per pixel column, special x values merged in, polylines broken
// at undefined points, the vertical-asymptote fix-up and the refinement near undefined
// points.

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

// Every function of a 2D graph: y = f(x), parametric and implicit curves.
class TBaseFunc2DObj : public TBaseFuncObj {
 public:
  TBaseFunc2DObj() { Name = DefaultFunctionName(0); }

  // Draws the function on the canvas with the mapping of the current redraw; returns what
  // the status line should say about a function it could not draw, or nothing.
  virtual std::string Plot(TCanvas& canvas, const TMapping2D& map) = 0;

 protected:
  // Curves show their name before their definitions in the function list.
  std::string NamePrefix() const { return Name + ": "; }
};

constexpr int kMaxSpecialValues = 1000;

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
  std::vector<Extended> SpecialX;  // strictly ascending

  std::string GetDescription() const override { return "Y=" + Name + "(x)=" + Func.Expression(); }
  bool NewDialog(TColor color) override;
  bool ModifyDialog() override;
  void SaveToFile(TWriteGraphFile& writer) const override;
  void LoadFromFile(TReadGraphFile& reader) override;
  std::unique_ptr<TBaseFuncObj> Clone() const override { return std::make_unique<TFunc2DObj>(*this); }
  std::vector<const TMathGraphFunc*> Definitions() const override { return {&Func}; }
  TMathGraphFunc* Callable() override { return &Func; }
  std::string Plot(TCanvas& canvas, const TMapping2D& map) override;
};

}  // namespace plotix
