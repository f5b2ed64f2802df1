#include "expr/derivative.h"

#include <cmath>
#include <vector>

#include "expr/evaluator.h"
#include "expr/function_library.h"

namespace plotix {

namespace {

using namespace mathlib;

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

// a^b where the exponent b is a constant: b a^(b-1) and b (b-1) a^(b-2).
bool PowerSlopes(Extended a, Extended b, Extended& g1, Extended& g2) {
  if (b == 0 || b == 1) {
    g1 = b, g2 = 0;
    return true;
  }
  int err = meNone;
  g1 = b * Power(a, b - 1, err);
  g2 = b == 2 ? 2 : b * (b - 1) * Power(a, b - 2, err);
  return err == meNone;
}

bool Finite(const TJet& j) { return IsFinite(j.d1) && IsFinite(j.d2); }

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
  bool defined = true;  // every derivative so far exists
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
        u = {y, 0, 0}, defined = false;
      continue;
    }
    const TJet a = stack[std::size_t(depth - 2)], b = stack[std::size_t(depth - 1)];
    TJet& out = stack[std::size_t(depth - 2)];
    --depth;
    switch (r.code) {
      case mcAdd: out = {y, a.d1 + b.d1, a.d2 + b.d2}; break;
      case mcSub: out = {y, a.d1 - b.d1, a.d2 - b.d2}; break;
      case mcMul: out = {y, a.d1 * b.v + a.v * b.d1, a.d2 * b.v + 2 * a.d1 * b.d1 + a.v * b.d2}; break;
      case mcDiv: {
        const Extended d1 = (a.d1 - y * b.d1) / b.v;
        out = {y, d1, (a.d2 - 2 * d1 * b.d1 - y * b.d2) / b.v};
        break;
      }
      default: {  // mcPow
        Extended g1 = 0, g2 = 0;
        if (b.d1 == 0 && b.d2 == 0) {
          if (a.d1 == 0 && a.d2 == 0)
            out = {y, 0, 0};
          else if (PowerSlopes(a.v, b.v, g1, g2))
            out = {y, g1 * a.d1, g2 * a.d1 * a.d1 + g1 * a.d2};
          else
            out = {y, 0, 0}, defined = false;
        } else if (a.v > 0) {
          // y = e^w with w = b ln a.
          const Extended lnA = logl(a.v), q = a.d1 / a.v;
          const Extended w1 = b.d1 * lnA + b.v * q;
          const Extended w2 = b.d2 * lnA + 2 * b.d1 * q + b.v * (a.d2 / a.v - q * q);
          out = {y, y * w1, y * (w2 + w1 * w1)};
        } else {
          out = {y, 0, 0}, defined = false;
        }
      }
    }
  }
  result = stack[0];
  result.v = value;
  if (!defined) return meDomain;
  return Finite(result) ? meNone : meOverflow;
}

}  // namespace plotix
