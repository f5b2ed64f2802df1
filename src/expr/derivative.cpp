#include "expr/derivative.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include "expr/evaluator.h"
#include "expr/extrapolation.h"
#include "expr/function_library.h"

namespace plotix {

namespace {

using namespace mathlib;

constexpr Extended kEps = LDBL_EPSILON;  // a unit in the last place, relative

Extended Sign(Extended x) { return x < 0 ? -1 : 1; }

// g'(x) and g''(x) of the named function `code` at x, where its value y = g(x) is defined;
// false where it has no derivative.
bool FunctionSlopes(int code, Extended x, Extended y, const TTrigFixup& trig, Extended& g1, Extended& g2) {
  g2 = 0;
  switch (code) {
    case mcDegToRad: g1 = kPi / 180; return true;
    case mcRadToDeg: g1 = 180 / kPi; return true;
    case mcGradToRad: g1 = kPi / 200; return true;
    case mcRadToGrad: g1 = 200 / kPi; return true;
    case mcCycleToRad: g1 = 2 * kPi; return true;
    case mcRadToCycle: g1 = 1 / (2 * kPi); return true;
    case mcArcSinh: {
      const Extended s = 1 + x * x;
      g1 = 1 / sqrtl(s);
      g2 = -x * g1 / s;
      return true;
    }
    case mcArcCosh: {
      if (x <= 1) return false;
      const Extended s = (x - 1) * (x + 1);
      g1 = 1 / sqrtl(s);
      g2 = -x * g1 / s;
      return true;
    }
    case mcArcTanh:
    case mcArcCoth: {
      const Extended s = (1 - x) * (1 + x);
      g1 = 1 / s;
      g2 = 2 * x * g1 * g1;
      return true;
    }
    case mcArcCsch: {  // asinh(1/x)
      const Extended s = 1 + x * x;
      g1 = -1 / (fabsl(x) * sqrtl(s));
      g2 = Sign(x) * (1 + 2 * x * x) / (x * x * s * sqrtl(s));
      return true;
    }
    case mcArcSech: {  // acosh(1/x), 0 < x <= 1
      if (x >= 1) return false;
      const Extended s = (1 - x) * (1 + x);
      g1 = -1 / (x * sqrtl(s));
      g2 = (1 - 2 * x * x) / (x * x * s * sqrtl(s));
      return true;
    }
    case mcArcSin:
    case mcArcCos: {
      if (fabsl(x) >= 1) return false;
      const Extended s = (1 - x) * (1 + x);
      g1 = 1 / sqrtl(s);
      g2 = x * g1 / s;
      if (code == mcArcCos) g1 = -g1, g2 = -g2;
      return true;
    }
    case mcArcTan:
    case mcArcCot: {
      const Extended s = 1 + x * x;
      g1 = 1 / s;
      g2 = -2 * x * g1 * g1;
      if (code == mcArcCot) g1 = -g1, g2 = -g2;
      return true;
    }
    case mcArcCsc:
    case mcArcSec: {  // asin(1/x), acos(1/x), |x| >= 1
      if (fabsl(x) <= 1) return false;
      const Extended s = (x - 1) * (x + 1), r = sqrtl(s);
      g1 = -1 / (fabsl(x) * r);
      g2 = Sign(x) * (2 * x * x - 1) / (x * x * s * r);
      if (code == mcArcSec) g1 = -g1, g2 = -g2;
      return true;
    }
    case mcSinh: g1 = coshl(x), g2 = y; return true;
    case mcCosh: g1 = sinhl(x), g2 = y; return true;
    case mcTanh: g1 = 1 - y * y, g2 = -2 * y * g1; return true;
    case mcCsch: {
      const Extended coth = 1 / tanhl(x);
      g1 = -y * coth, g2 = y * (coth * coth + y * y);
      return true;
    }
    case mcSech: {
      const Extended t = tanhl(x);
      g1 = -y * t, g2 = y * (t * t - y * y);
      return true;
    }
    case mcCoth: g1 = 1 - y * y, g2 = -2 * y * g1; return true;
    case mcSin: g1 = trig.Cos(x), g2 = -y; return true;
    case mcCos: g1 = -trig.Sin(x), g2 = -y; return true;
    case mcTan:
    case mcCot:
      g1 = 1 + y * y, g2 = 2 * y * g1;
      if (code == mcCot) g1 = -g1;
      return true;
    case mcCsc: {
      const Extended cot = trig.Cos(x) / trig.Sin(x);
      g1 = -y * cot, g2 = y * (cot * cot + y * y);
      return true;
    }
    case mcSec: {
      const Extended tan = trig.Sin(x) / trig.Cos(x);
      g1 = y * tan, g2 = y * (tan * tan + y * y);
      return true;
    }
    case mcExp: g1 = g2 = y; return true;
    // Steps: flat between their jumps, no derivative at one.
    case mcGrInt: g1 = 0; return !IsIntegral(x);
    case mcInt:
    case mcTrunc: g1 = 0; return !IsIntegral(x) || x == 0;
    case mcRound: g1 = 0; return fabsl(x - truncl(x)) != 0.5L;
    case mcFrac: g1 = 1; return !IsIntegral(x) || x == 0;
    case mcSqrt:
      if (x <= 0) return false;
      g1 = 1 / (2 * y), g2 = -g1 / (2 * x);
      return true;
    case mcSquare: g1 = 2 * x, g2 = 2; return true;
    case mcAbs: g1 = Sign(x); return x != 0;
    case mcLn: g1 = 1 / x, g2 = -g1 * g1; return true;
    case mcLog: g1 = 1 / (x * logl(10.0L)), g2 = -g1 / x; return true;
    default: return false;  // FACT: defined at whole numbers only
  }
}

// a^b where the exponent b is a constant: b a^(b-1) and b (b-1) a^(b-2), each false where it
// has no value (0 to a negative power).
void PowerSlopes(Extended a, Extended b, Extended& g1, Extended& g2, bool& has1, bool& has2) {
  if (b == 0 || b == 1) {
    g1 = b, g2 = 0, has1 = has2 = true;
    return;
  }
  int err1 = meNone, err2 = meNone;
  g1 = b * Power(a, b - 1, err1);
  g2 = b == 2 ? 2 : b * (b - 1) * Power(a, b - 2, err2);
  has1 = err1 == meNone;
  has2 = has1 && err2 == meNone;
}

}  // namespace

int EvaluateJet(const TPreparedProgram& prepared, const Extended* values, int slot, TJet& result) {
  // The value and its error from the evaluator; the slopes then follow the same routines on
  // values known to be defined and finite.
  thread_local TMathEvaluator evaluator;
  Extended value = 0;
  result = {};
  if (const int error = evaluator.Evaluate(prepared, values, value)) return error;
  const TTrigFixup& trig = CurrentTrigFixup();
  const TMathProgram& program = prepared.Program();
  thread_local std::vector<TJet> stack;  // reused: a search evaluates thousands of jets
  stack.assign(std::size_t(program.StackDepth()) + 1, TJet());
  int depth = 0;
  bool has1 = true, has2 = true;  // every first, every second derivative so far exists
  for (const TPostFixRec& r : program) {
    if (IsOperand(r.code)) {
      if (r.code == mcNumber)
        stack[std::size_t(depth++)] = {r.value, 0, 0};
      else
        stack[std::size_t(depth++)] = {values[r.varIndex], r.varIndex == slot ? Extended(1) : 0, 0};
      continue;
    }
    const int n = IsBinary(r.code) ? 2 : 1;
    int err = meNone;
    const Extended y = n == 1
                           ? ApplyFunction(r.code, stack[std::size_t(depth - 1)].v, err, trig)
                           : ApplyBinary(r.code, stack[std::size_t(depth - 2)].v, stack[std::size_t(depth - 1)].v, err);
    if (n == 1) {
      TJet& u = stack[std::size_t(depth - 1)];
      Extended g1 = 0, g2 = 0;
      if (u.d1 == 0 && u.d2 == 0)
        u = {y, 0, 0};  // a constant's function is a constant, jumps or not
      else if (FunctionSlopes(r.code, u.v, y, trig, g1, g2))
        u = {y, g1 * u.d1, g2 * u.d1 * u.d1 + g1 * u.d2};
      else
        u = {y, 0, 0}, has1 = has2 = false;
      continue;
    }
    const TJet a = stack[std::size_t(depth - 2)], b = stack[std::size_t(depth - 1)];
    TJet& out = stack[std::size_t(depth - 2)];
    --depth;
    // The products are ordered so that none leaves the finite range on the way to a
    // derivative that does not: the slopes of 1/x at 1e-1700 reach 1e3400.
    switch (r.code) {
      case mcAdd: out = {y, a.d1 + b.d1, a.d2 + b.d2}; break;
      case mcSub: out = {y, a.d1 - b.d1, a.d2 - b.d2}; break;
      case mcMul: out = {y, a.d1 * b.v + a.v * b.d1, a.d2 * b.v + 2 * a.d1 * b.d1 + a.v * b.d2}; break;
      case mcDiv: {
        const Extended inverse = 1 / b.v, q1 = b.d1 * inverse;
        const Extended d1 = a.d1 * inverse - y * q1;
        out = {y, d1, a.d2 * inverse - 2 * d1 * q1 - y * (b.d2 * inverse)};
        break;
      }
      default: {  // mcPow
        Extended g1 = 0, g2 = 0;
        bool slope1 = false, slope2 = false;
        if (b.d1 == 0 && b.d2 == 0) {
          if (a.d1 == 0 && a.d2 == 0) {
            out = {y, 0, 0};
          } else {
            PowerSlopes(a.v, b.v, g1, g2, slope1, slope2);
            out = {y, slope1 ? g1 * a.d1 : 0, slope2 ? g2 * a.d1 * a.d1 + g1 * a.d2 : 0};
            has1 = has1 && slope1;
            has2 = has2 && slope2;
          }
        } else if (a.v > 0) {
          // y = e^w with w = b ln a.
          const Extended lnA = logl(a.v), q = a.d1 / a.v;
          const Extended w1 = b.d1 * lnA + b.v * q;
          const Extended w2 = b.d2 * lnA + 2 * b.d1 * q + b.v * (a.d2 / a.v - q * q);
          out = {y, y * w1, y * w2 + y * w1 * w1};
        } else {
          out = {y, 0, 0}, has1 = has2 = false;
        }
      }
    }
  }
  result = stack[0];
  result.v = value;
  if (!has1) return meDomain;
  if (!IsFinite(result.d1)) return meOverflow;
  result.error2 = !has2 ? meDomain : IsFinite(result.d2) ? meNone : meOverflow;
  return meNone;
}

int EvaluateRounding(const TPreparedProgram& prepared, const Extended* values, Extended& value, Extended& bound) {
  thread_local TMathEvaluator evaluator;
  bound = 0;
  if (const int error = evaluator.Evaluate(prepared, values, value)) return error;
  const TTrigFixup& trig = CurrentTrigFixup();
  const TMathProgram& program = prepared.Program();
  struct TBounded {
    Extended v, e;  // a value and how far rounding may have taken it
  };
  thread_local std::vector<TBounded> stack;
  stack.assign(std::size_t(program.StackDepth()) + 1, TBounded());
  int depth = 0;
  // What a routine's own rounding adds: a unit in the last place for the library's
  // functions, half of one for the correctly rounded operators, and the smallest number.
  const auto own = [](Extended y, Extended units) { return units * kEps * fabsl(y) + LDBL_TRUE_MIN; };
  // What an error e of the argument u leaves of g(u) = y where g has no slope to carry it:
  // the most g moves within e, or anything where g has no value there.
  const auto moved = [](const auto& g, Extended u, Extended e, Extended y) {
    Extended most = 0;
    for (const Extended at : {u - e, u + e}) {
      int err = meNone;
      const Extended there = g(at, err);
      if (err != meNone || !IsFinite(there)) return Extended(LDBL_MAX);
      most = std::max(most, fabsl(there - y));
    }
    return most;
  };
  for (const TPostFixRec& r : program) {
    if (IsOperand(r.code)) {
      stack[std::size_t(depth++)] = {r.code == mcNumber ? r.value : values[r.varIndex], 0};
      continue;
    }
    int err = meNone;
    if (!IsBinary(r.code)) {
      TBounded& u = stack[std::size_t(depth - 1)];
      const Extended y = ApplyFunction(r.code, u.v, err, trig);
      Extended g1 = 0, g2 = 0, carried = 0;
      if (u.e != 0)
        carried = FunctionSlopes(r.code, u.v, y, trig, g1, g2)
                      ? fabsl(g1) * u.e
                      : moved([&](Extended at, int& e) { return ApplyFunction(r.code, at, e, trig); }, u.v, u.e, y);
      u = {y, carried + own(y, 1)};
      continue;
    }
    const TBounded a = stack[std::size_t(depth - 2)], b = stack[std::size_t(depth - 1)];
    const Extended y = ApplyBinary(r.code, a.v, b.v, err);
    Extended carried = 0;
    switch (r.code) {
      case mcAdd:
      case mcSub: carried = a.e + b.e; break;
      case mcMul: carried = fabsl(b.v) * a.e + fabsl(a.v) * b.e; break;
      case mcDiv: carried = (a.e + fabsl(y) * b.e) / fabsl(b.v); break;
      default: {  // mcPow
        if (a.e == 0 && b.e == 0) break;
        Extended g1 = 0, g2 = 0;
        bool has1 = false, has2 = false;
        if (a.v > 0)
          carried = fabsl(y) * (fabsl(logl(a.v)) * b.e + fabsl(b.v / a.v) * a.e);
        else if (b.e != 0)
          carried = LDBL_MAX;
        else {
          PowerSlopes(a.v, b.v, g1, g2, has1, has2);
          carried = has1 ? fabsl(g1) * a.e : moved([&](Extended at, int& e) { return Power(at, b.v, e); }, a.v, a.e, y);
        }
      }
    }
    stack[std::size_t(depth - 2)] = {y, carried + own(y, r.code == mcPow ? 1 : 0.5L)};
    --depth;
  }
  bound = std::min(stack[0].e, Extended(LDBL_MAX));
  return meNone;
}

namespace {

// The limit of the order-th derivative on one side of x, as the jets give it at x + side h
// for h shrinking 16-fold a step.
struct TSideLimit {
  enum TState {
    NoValues,  // the function has no values on that side
    Settled,   // the derivatives converge: limit, error
    Unsettled  // they grow, wander or stop having values, or the function jumps
  } state = NoValues;
  Extended limit = 0, error = 0;
};

constexpr int kSideSteps = 300;  // of h: from 1/64 of |x| (or 1/64) down to 16^-300 of that

TSideLimit SideLimit(const TPreparedProgram& program, std::vector<Extended>& at, int slot, int order, int side) {
  thread_local TMathEvaluator evaluator;
  const Extended x = at[std::size_t(slot)];
  TSideLimit out;
  TExtrapolation extrapolation;
  Extended first = -1, last = 0, previous = 0, h = (x == 0 ? 1 : fabsl(x)) / 64, nearest = 0;
  bool stopped = false;
  for (int k = 0; k < kSideSteps && !stopped; ++k, h /= 16) {
    const Extended t = x + side * h;
    if (t == x) break;
    at[std::size_t(slot)] = t;
    Extended y = 0;
    if (evaluator.Evaluate(program, at.data(), y) != meNone) {
      if (out.state == TSideLimit::NoValues) continue;  // values may start nearer x
      out.state = TSideLimit::Unsettled;
      break;
    }
    TJet jet;
    if (EvaluateJet(program, at.data(), slot, jet) != meNone || (order == 2 && jet.error2 != meNone)) {
      out.state = TSideLimit::Unsettled;
      break;
    }
    const Extended g = order == 1 ? jet.d1 : jet.d2;
    if (out.state == TSideLimit::Settled) {
      const Extended change = fabsl(g - previous);
      if (first < 0) first = change;
      last = change;
    }
    out.state = TSideLimit::Settled;
    previous = g;
    nearest = t;
    extrapolation.Add(g, out.limit, out.error);
    stopped = out.error <= 8 * kEps * fabsl(out.limit);
  }
  at[std::size_t(slot)] = x;
  if (out.state != TSideLimit::Settled) return out;
  // The steps must shrink: an antilimit of a growing sequence (1/sqrt(h)) is no limit.
  if (first < 0 || !(last < first || last == 0) || !(out.error <= 0x1p-24L * std::max(fabsl(out.limit), first)))
    out.state = TSideLimit::Unsettled;
  if (order == 2 || out.state != TSideLimit::Settled) return out;
  // The function must be continuous from this side: it moves no more than its slopes and
  // its rounding allow on the way from x + h to x.
  Extended y = 0, yBound = 0, there = 0, thereBound = 0;
  EvaluateRounding(program, at.data(), y, yBound);
  at[std::size_t(slot)] = nearest;
  EvaluateRounding(program, at.data(), there, thereBound);
  at[std::size_t(slot)] = x;
  const Extended slope = std::max(fabsl(previous), fabsl(out.limit));
  if (!(fabsl(there - y) <= 2 * fabsl(nearest - x) * slope + 16 * (yBound + thereBound)))
    out.state = TSideLimit::Unsettled;
  return out;
}

// The order-th derivative as the limit from both sides: false where a side has values but
// no limit, or the two limits differ.
bool BothSides(const TPreparedProgram& program, std::vector<Extended>& at, int slot, int order, TDerivative& result) {
  const TSideLimit left = SideLimit(program, at, slot, order, -1), right = SideLimit(program, at, slot, order, 1);
  if (left.state == TSideLimit::Unsettled || right.state == TSideLimit::Unsettled) return false;
  if (left.state == TSideLimit::NoValues || right.state == TSideLimit::NoValues) {
    const TSideLimit& one = left.state == TSideLimit::Settled ? left : right;
    result = {one.limit, one.error};
    return one.state == TSideLimit::Settled;
  }
  const Extended apart = fabsl(left.limit - right.limit);
  if (apart > 2 * (left.error + right.error) + 16 * kEps * std::max(fabsl(left.limit), fabsl(right.limit)))
    return false;
  const TSideLimit& better = left.error <= right.error ? left : right;
  result = {better.limit, std::max({left.error, right.error, apart})};
  return true;
}

}  // namespace

int EvaluateDerivative(const TPreparedProgram& program, const Extended* values, int slot, int order,
                       TDerivative& result) {
  result = {};
  TJet jet;
  const int error = EvaluateJet(program, values, slot, jet);
  const int failed = error != meNone ? error : order == 2 ? jet.error2 : meNone;
  if (failed == meNone) {
    result.value = order == 1 ? jet.d1 : jet.d2;
    return meNone;
  }
  // Only a part without a slope leaves the derivative to the limits; where the value has
  // none, or a derivative overflows, that is the answer.
  thread_local TMathEvaluator evaluator;
  Extended value = 0;
  if (failed != meDomain || evaluator.Evaluate(program, values, value) != meNone) return failed;
  std::vector<Extended> at(values, values + program.Program().VariableSlots());
  TDerivative first;
  if (!BothSides(program, at, slot, 1, first)) return meDomain;
  if (order == 1) {
    result = first;
    return meNone;
  }
  return BothSides(program, at, slot, 2, result) ? meNone : meDomain;
}

}  // namespace plotix
