#include "app/command_analysis.h"

#include <iostream>

#include "expr/analysis.h"
#include "expr/function_object.h"
#include "expr/integral.h"
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
  std::vector<Extended> Values() {
    std::vector<Extended> values;
    for (int i = 0; i < func.VariableCount(); ++i) values.push_back(func.Value(i));
    return values;
  }
  const TMathProgram& Program() const { return func.Prepared()->Program(); }
};

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
    TJet jet;
    std::vector<Extended> values = f.Values();
    values[0] = x.Value();
    if (const int error = EvaluateJet(*f.func.Prepared(), values.data(), 0, jet)) {
      std::cout << "Error: " << MathErrorText(error, 0) << '\n';
      return 1;
    }
    std::cout << ReadoutText(r.order == 1 ? jet.d1 : jet.d2) << '\n';
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
  if (r.question == TAnalysisRequest::Integral) {
    TFunctionOfX function(f.Program(), f.Values(), 0);
    const TIntegral i = Integrate(
        [&function](Extended at, Extended& y, int& error) {
          if (function.Value(at, y)) return true;
          error = function.ErrorCode();
          return false;
        },
        a.Value(), b.Value());
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
  if (r.question == TAnalysisRequest::Extrema) {
    TFunctionOfX function(f.Program(), f.Values(), 0);
    const TPoints<TExtremum> found = FindExtrema(function, a.Value(), b.Value());
    for (const TExtremum& e : found.points)
      std::cout << (e.maximum ? "max " : "min ") << ReadoutText(e.x) << ' ' << ReadoutText(e.y) << '\n';
    if (found.more) SayMore();
    return 0;
  }
  const bool meet = r.question == TAnalysisRequest::Intersect;
  TCompiledExpression g(meet ? r.function2 : "0", r, z.Value());
  if (!g.error.empty()) {
    std::cout << "Second Function Definition: " << g.error << '\n';
    return 1;
  }
  TFunctionOfX function(meet ? Difference(f.Program(), g.Program()) : f.Program(), f.Values(), 0);
  TFunctionOfX value(f.Program(), f.Values(), 0);
  const TPoints<TZero> found = FindZeros(function, a.Value(), b.Value());
  for (const TZero& p : found.points) {
    if (p.to != p.x) {
      std::cout << "interval " << ReadoutText(p.x) << ' ' << ReadoutText(p.to) << '\n';
      continue;
    }
    std::cout << ReadoutText(p.x);
    Extended y = 0;
    if (meet) std::cout << ' ' << ReadoutText(value.Value(p.x, y) ? y : 0);
    std::cout << '\n';
  }
  if (found.more) SayMore();
  return 0;
}

}  // namespace plotix
