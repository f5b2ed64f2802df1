#pragma once
// The routines the language computes: the 42 named functions, the five operators and the
// power rule, each on extended values. A domain failure sets an error code; the caller
// checks a result for floating-point conditions. Inline, so the evaluator's loop
// compiles each routine into its own step.

#include <cfloat>
#include <cmath>
#include <cstdint>

#include "expr/math_codes.h"
#include "expr/power.h"
#include "expr/trig_fixup.h"

namespace plotix::mathlib {

constexpr Extended kPi = 3.14159265358979323846264338327950288L;

inline bool IsFinite(Extended v) { return fabsl(v) <= LDBL_MAX; }
// Below 2^62, adding and taking away 1.5 * 2^63 rounds to an integer without the
// rounding-mode switch that truncl costs; above it, every extended value is an integer or
// a half.
inline bool IsIntegral(Extended v) {
  constexpr Extended kShift = 0x1.8p63L;
  if (fabsl(v) < 0x1p62L) return (v + kShift) - kShift == v;
  return truncl(v) == v;
}

inline Extended ArcSinRoutine(Extended x, int& err) {
  if (x == 1) return kPi / 2;
  if (x == -1) return -kPi / 2;
  if (x > -1 && x < 1) return atanl(x / sqrtl(1 - x * x));
  err = meDomain;
  return 0;
}

inline Extended ArcCosRoutine(Extended x, int& err) {
  if (x == 1) return 0;
  if (x == -1) return kPi;
  if (x > -1 && x < 1) return atanl(-x / sqrtl(1 - x * x)) + kPi / 2;
  err = meDomain;
  return 0;
}

// The named function `code` (mcDegToRad..mcFact) of x. Outside its domain it sets err to
// meDomain (or meFactorialTooBig) and returns 0; an unknown code sets meUnknown.
[[gnu::always_inline]] inline Extended ApplyFunction(int code, Extended x, int& err, const TTrigFixup& trig) {
  switch (code) {
    case mcDegToRad: return x * (kPi / 180);
    case mcRadToDeg: return x * (180 / kPi);
    case mcGradToRad: return x * (kPi / 200);
    case mcRadToGrad: return x * (200 / kPi);
    case mcCycleToRad: return x * (2 * kPi);
    case mcRadToCycle: return x / (2 * kPi);
    // The library's inverse hyperbolics, and ln(1 + t) taken as one for a small t: the
    // plain logarithms cancel for negative, tiny or near-1 arguments and square huge
    // ones into an overflow.
    case mcArcSinh: return asinhl(x);
    case mcArcCosh:
      if (x < 1) break;
      return acoshl(x);
    case mcArcTanh:
      if (fabsl(x) >= 1) break;
      return atanhl(x);
    case mcArcCsch:
      if (x == 0) break;
      return asinhl(1 / x);
    case mcArcSech: {
      if (x <= 0 || x > 1) break;
      const Extended u = 1 - x;  // exact near 1, where the result is small
      return log1pl((u + sqrtl(u * (1 + x))) / x);
    }
    case mcArcCoth:
      if (fabsl(x) <= 1) break;
      return copysignl(log1pl(2 / (fabsl(x) - 1)) / 2, x);
    case mcArcSin: return ArcSinRoutine(x, err);
    case mcArcCos: return ArcCosRoutine(x, err);
    case mcArcTan: return atanl(x);
    case mcArcCsc:
      if (x > -1 && x < 1) break;
      return ArcSinRoutine(1 / x, err);
    case mcArcSec:
      if (x > -1 && x < 1) break;
      return ArcCosRoutine(1 / x, err);
    case mcArcCot:
      if (x > 0) return atanl(1 / x);
      if (x < 0) return atanl(1 / x) + kPi;
      return kPi / 2;
    // The library's forms go through e^x - 1 for small x, where e^x - e^-x cancels,
    // and reach the largest values that fit where e^x alone would overflow.
    case mcSinh: return sinhl(x);
    case mcCosh: return coshl(x);
    case mcTanh: return tanhl(x);
    case mcCsch:
      if (x == 0) break;
      return 1 / sinhl(x);
    case mcSech: return 1 / coshl(x);
    case mcCoth:
      if (x == 0) break;
      return 1 / tanhl(x);
    case mcSin: return trig.Sin(x);
    case mcCos: return trig.Cos(x);
    case mcTan: {
      const Extended c = trig.Cos(x);
      if (c == 0) break;
      return trig.Sin(x) / c;
    }
    case mcCsc: {
      const Extended s = trig.Sin(x);
      if (s == 0) break;
      return 1 / s;
    }
    case mcSec: {
      const Extended c = trig.Cos(x);
      if (c == 0) break;
      return 1 / c;
    }
    case mcCot: {
      const Extended s = trig.Sin(x);
      if (s == 0) break;
      return trig.Cos(x) / s;
    }
    case mcExp: return expl(x);
    case mcGrInt:
      if (x >= 0 || IsIntegral(x)) return truncl(x);
      return truncl(x) - 1;
    case mcInt:
    case mcTrunc: return truncl(x);
    case mcSqrt:
      if (x < 0) break;
      return sqrtl(x);
    case mcSquare: return x * x;
    case mcRound: {
      const Extended t = truncl(x);
      if (fabsl(x - t) >= 0.5L) return x >= 0 ? t + 1 : t - 1;
      return t;
    }
    case mcFrac: return x - truncl(x);
    case mcAbs: return fabsl(x);
    case mcLn:
      if (x <= 0) break;
      return logl(x);
    case mcLog:
      if (x <= 0) break;
      return logl(x) / logl(10.0L);
    case mcFact: {
      if (x == 0) return 1;
      if (x < 0 || !IsIntegral(x)) break;
      if (x > 20) {
        err = meFactorialTooBig;
        return 0;
      }
      Extended r = 1;
      for (int i = static_cast<int>(x); i > 1; --i) r *= i;
      return r;
    }
    default: err = meUnknown; return 0;
  }
  err = meDomain;
  return 0;
}

// What the power rule needs to know of an exponent: worked out once for a constant one.
enum TExponentClass : std::int32_t { ecIntegral = 1, ecEven = 2 };

inline std::int32_t ExponentClass(Extended b) {
  return (IsIntegral(b) ? ecIntegral : 0) | (IsIntegral(b / 2) ? ecEven : 0);
}

// a^b, the exponent's class given (for a constant) or -1 (to be worked out where needed).
// 0 to a negative power is a division by zero. Integer powers come from the library's
// powl, exact where the result is representable (10^18); the others from
// PowerOfPositive, as exact (16^0.5 is 4) and several times faster. A square is the one
// rounded product powl would return, without the call.
[[gnu::always_inline]] inline Extended Power(Extended a, Extended b, int& err, std::int32_t cls = -1) {
  if (b == 2) return a * a;
  if (a == 0) {
    if (b == 0)
      err = meBadExponential;
    else if (b < 0)
      err = meDivByZero;
    return 0;
  }
  if (b == 0) return 1;
  if (a > 0) {
    const bool integral = cls >= 0 ? (cls & ecIntegral) != 0 : IsIntegral(b);
    return integral ? powl(a, b) : PowerOfPositive(a, b);
  }
  if (cls < 0) cls = ExponentClass(b);
  if (!(cls & ecIntegral)) {
    err = meBadExponential;
    return 0;
  }
  if (b == 1) return a;
  if (b == -1) return 1 / a;
  const Extended r = powl(-a, b);
  return (cls & ecEven) ? r : -r;
}

// One of the five operators (mcAdd..mcPow) on a and b.
[[gnu::always_inline]] inline Extended ApplyBinary(int code, Extended a, Extended b, int& err) {
  switch (code) {
    case mcAdd: return a + b;
    case mcSub: return a - b;
    case mcMul: return a * b;
    case mcDiv:
      if (b == 0) {
        err = meDivByZero;
        return 0;
      }
      return a / b;
    case mcPow: return Power(a, b, err);
  }
  err = meUnknown;
  return 0;
}

}  // namespace plotix::mathlib
