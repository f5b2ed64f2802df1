#include "app/command_analysis.h"

#include <cmath>
#include <iostream>

#include "expr/analysis.h"
#include "expr/function_object.h"
#include "expr/math_const_check.h"
#include "expr/number_format.h"

namespace plotix {

namespace {

// EXPR compiled in X and Z with the parameters, as a function of X at the value of Z.
struct TCompiledExpression {
  TMathGraphFunc func;
  std::string error;  // the error text; empty when it compiled
  TCompiledExpression(const std::string& text, const TAnalysisRequest& request, Extended z) {
    func.SetVariableCount(2);
    func.SetVariableName(0, "X");
    func.SetVariableName(1, "Z");
    func.SetExpression(text);
    TGraphScope names(request.parameters);
    if (!func.UseNames(names)) {
      error = func.GetErrorText();
      return;
    }
    func.Value(1) = z;
  }
  TFunctionOfX Function() const { return FunctionOfFirstVariable(func); }
};

// A derivative taken as a limit to the digits its error leaves; 0 where it is within its
// error of 0.
std::string DerivativeText(const TDerivative& d) {
  if (d.error == 0) return ReadoutText(d.value);
  if (fabsl(d.value) <= d.error) return "0";
  return ReadoutText(d.value, int(std::floor(std::log10(double(fabsl(d.value) / d.error)))));
}

void SayMore() { std::cerr << "plotix: more than " << kMaxAnalysisPoints << " points; the first ones are shown\n"; }

}  // namespace

int RunAnalysis(const TAnalysisRequest& r) {
  TMathConstCheck z, x, a, b;
  if (!z.Validate(r.zText) || !x.Validate(r.xText)) {
    std::cout << (z.IsValid() ? "Variable X: " + x.ErrorText() : "Variable Z: " + z.ErrorText()) << '\n';
    return 1;
  }
  TCompiledExpression f(r.function, r, z.Value());
  if (!f.error.empty()) {
    std::cout << "Function Definition: " << f.error << '\n';
    return 1;
  }
  if (r.question == TAnalysisRequest::Derivative) {
    TFunctionOfX function = f.Function();
    TDerivative d;
    if (!function.Derivative(x.Value(), r.order, d)) {
      std::cout << "Error: " << MathErrorText(function.ErrorCode(), 0) << '\n';
      return 1;
    }
    std::cout << DerivativeText(d) << '\n';
    return 0;
  }
  for (auto [check, text, name] : {std::tuple(&a, &r.aText, "A"), std::tuple(&b, &r.bText, "B")})
    if (!check->Validate(*text)) {
      std::cerr << "plotix: " << name << ": " << check->ErrorText() << '\n';
      return 2;
    }
  if (a.Value() > b.Value()) {
    std::cerr << "plotix: A must be <= B\n";
    return 2;
  }
  TFunctionOfX function = f.Function();
  if (r.question == TAnalysisRequest::Integral) {
    const TIntegral i = IntegrateFunction(function, a.Value(), b.Value());
    switch (i.status) {
      case TIntegral::Undefined:
        std::cout << "Error: " << MathErrorText(i.errorCode, 0) << " at x = " << ReadoutText(i.where) << '\n';
        return 1;
      case TIntegral::Divergent: std::cout << "Error: The Integral Diverges Or Converges Too Slowly\n"; return 1;
      case TIntegral::Inaccurate:
        std::cerr << "plotix: the integral is accurate to about " << ReadoutText(i.error) << " only\n";
        [[fallthrough]];
      case TIntegral::Converged: std::cout << ReadoutText(i.value) << '\n'; return 0;
    }
  }
  std::vector<TNamedFunction> others;
  if (r.question == TAnalysisRequest::Intersect) {
    TCompiledExpression g(r.function2, r, z.Value());
    if (!g.error.empty()) {
      std::cout << "Second Function Definition: " << g.error << '\n';
      return 1;
    }
    others.push_back({"", g.Function()});
  }
  const TFunctionPoints found = FindPoints(function, a.Value(), b.Value(), r.question == TAnalysisRequest::Zeros,
                                           r.question == TAnalysisRequest::Extrema, others);
  for (const TFunctionPoint& p : found.rows) {
    if (p.to != p.x)
      std::cout << "interval " << ReadoutText(p.x) << ' ' << ReadoutText(p.to);
    else if (p.kind == TFunctionPoint::Minimum || p.kind == TFunctionPoint::Maximum)
      std::cout << (p.kind == TFunctionPoint::Maximum ? "max " : "min ") << ReadoutText(p.x) << ' ' << ReadoutText(p.y);
    else if (p.kind == TFunctionPoint::Intersection)
      std::cout << ReadoutText(p.x) << ' ' << ReadoutText(p.y);
    else
      std::cout << ReadoutText(p.x);
    std::cout << '\n';
  }
  if (found.more) SayMore();
  return 0;
}

}  // namespace plotix
