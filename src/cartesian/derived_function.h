#pragma once
// Curves derived from a y = f(x) function of the graph: its first and second derivative,
// exact at every column, and its integral curve F(x) = y0 + the integral of f from x0 to x.
// Each reads f through a call of its name, so it follows every change of f and of the
// parameters, and it draws nothing once f is gone.

#include <memory>
#include <string>

#include "cartesian/function.h"

namespace plotix {

class TDerivedFuncObj : public TBaseFunc2DObj {
 public:
  // The curve of kind `request.Kind` of the function named `of`.
  TDerivedFuncObj(const std::string& of, const TDerivedRequest& request);
  TDerivedFuncObj() : TDerivedFuncObj("f", {}) {}

  TDerivedKind Kind() const { return request_.Kind; }
  const std::string& Of() const { return of_; }
  const TDerivedRequest& Request() const { return request_; }
  void SetRequest(const TDerivedRequest& request) { request_ = request; }
  // The function it is derived from is now called `of`.
  void SetOf(const std::string& of);

  // "f'(x)", "f''(x)", "∫f with F(0)=0".
  std::string GetDescription() const override;
  // A derivative's description; an integral curve is not typed.
  std::string TypedText() const override { return Kind() == TDerivedKind::Integral ? "" : GetDescription(); }
  // The derivative curve a typed "f'(x)" or "f''(x)" reads as (with "y=" before it or not),
  // compiled with the scope's names; null for a text of another form. It has no name.
  static std::unique_ptr<TDerivedFuncObj> FromTyped(const std::string& text, const std::string& name,
                                                    TGraphScope& scope);
  std::string KindName() const override {
    return Kind() == TDerivedKind::Integral ? "Integral Curve" : "Derivative Curve";
  }
  void SaveToFile(TWriteGraphFile& writer) const override;
  void LoadFromFile(TReadGraphFile& reader) override;
  std::unique_ptr<TBaseFuncObj> Clone() const override { return std::make_unique<TDerivedFuncObj>(*this); }
  std::vector<const TMathGraphFunc*> Definitions() const override { return {&source_}; }
  std::string ErrorText() const override;
  void FunctionRenamed(const std::vector<std::string>& callNames, const std::string& from,
                       const std::string& to) override;
  std::string Plot(TCanvas& canvas, const TMapping2D& map) override;

  // The curve's value at each x, ascending, as drawn (x0 need not be among them); false
  // where it is undefined. For the integral curve an x past a point where f is not
  // integrable, seen from x0, is undefined.
  std::vector<bool> Values(const std::vector<Extended>& xs, std::vector<Extended>& ys) const;
  std::vector<std::optional<Extended>> TableValues(const std::vector<Extended>& xs) const override;

 private:
  std::string of_;
  TDerivedRequest request_;
  TMath2DFunc source_;  // "f(x)", f's program once compiled with the graph's names
};

}  // namespace plotix
