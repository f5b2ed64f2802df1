#pragma once
// The points of a function of x over an interval: its zeros, its local extrema and the
// points where it meets another function, each found to the last digits the 80-bit value
// holds. The interval is sampled, every change of sign between two samples is closed in on
// by bisection until its ends are neighbouring numbers, and what was closed in on is then
// told apart: a zero from a pole or a jump, an extremum from a pole.

#include <memory>
#include <string>
#include <vector>

#include "expr/derivative.h"
#include "expr/evaluator.h"
#include "expr/integral.h"
#include "expr/math_function.h"

namespace plotix {

// A compiled program as a function of the variable in one slot, the other slots fixed.
class TFunctionOfX {
 public:
  TFunctionOfX(TMathProgram program, std::vector<Extended> values, int slot);

  // The value at x as the evaluator gives it; false where it is undefined, ErrorCode telling
  // why.
  bool Value(Extended x, Extended& y);
  int ErrorCode() const { return error_; }
  // The value and its derivatives at x (see EvaluateJet); false where the value or the first
  // derivative is undefined, ErrorCode telling why.
  bool Slopes(Extended x, TJet& jet);
  // The first or second derivative at x, taken as a limit where the jets can not take it
  // (see EvaluateDerivative); false where it has none, ErrorCode telling why.
  bool Derivative(Extended x, int order, TDerivative& d);
  // How far rounding may have taken the value at x from the exact one (see
  // EvaluateRounding); LDBL_MAX where it is undefined.
  Extended Rounding(Extended x);
  // f - g, g a function of x over the same variables and the same slot.
  TFunctionOfX Minus(const TFunctionOfX& g) const;

 private:
  TPreparedProgram program_;
  std::vector<Extended> values_;
  int slot_;
  int error_ = 0;
  TMathEvaluator evaluator_;
};

// A compiled function as a function of its first variable, its other variables (the
// parameters) fixed at their values: its own program, or another over the same variables.
TFunctionOfX FunctionOfFirstVariable(const TMathFunction& f);
TFunctionOfX FunctionOfFirstVariable(const TMathFunction& f, TMathProgram program);

// The program f - g of two programs over the same slots.
TMathProgram Difference(const TMathProgram& f, const TMathProgram& g);

constexpr std::size_t kMaxAnalysisPoints = 1000;  // per function and question

// A zero: a point (to == x), or an interval [x, to] on which the function is 0.
struct TZero {
  Extended x = 0, to = 0;
  bool operator==(const TZero&) const = default;
};
struct TExtremum {
  Extended x = 0, y = 0;
  bool maximum = false;
};
template <class T>
struct TPoints {
  std::vector<T> points;  // ascending in x
  bool more = false;      // there were more than kMaxAnalysisPoints
};

// Each zero of f in [a, b]: a point where f is 0 or changes sign continuously, or where it
// touches 0 (a zero of f' where f is 0 to within a few units in the last place of the size
// of its terms); an interval on which it is 0 once.
TPoints<TZero> FindZeros(TFunctionOfX& f, Extended a, Extended b);
// Each local extremum of f strictly inside (a, b): where f' changes sign, passing 0 or at a
// kink where f is continuous.
TPoints<TExtremum> FindExtrema(TFunctionOfX& f, Extended a, Extended b);

// The integral of f from a to b, where f is undefined its error code.
TIntegral IntegrateFunction(TFunctionOfX& f, Extended a, Extended b);

// The points of a function people ask for, the read-outs' and the command line's alike.
struct TFunctionPoint {
  enum TKind { Zero, ZeroInterval, Minimum, Maximum, Intersection } kind = Zero;
  Extended x = 0, y = 0;
  Extended to = 0;    // where a ZeroInterval, or an Intersection along an interval, ends
  std::string other;  // the function an Intersection is with, by name
};
struct TFunctionPoints {
  std::vector<TFunctionPoint> rows;  // ascending in x
  bool more = false;                 // a search found more than it keeps
};
// A function of x by its name.
struct TNamedFunction {
  std::string name;
  TFunctionOfX f;
};
// The zeros of f (when asked), its extrema (when asked) and where it meets each of `others`
// in [a, b]; an intersection's y is f's there.
TFunctionPoints FindPoints(TFunctionOfX& f, Extended a, Extended b, bool zeros, bool extrema,
                           const std::vector<TNamedFunction>& others);

}  // namespace plotix
