#include "expr/trig_fixup.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace plotix {

namespace {

constexpr Extended kPi = 3.14159265358979323846264338327950288L;

// Sine and cosine, accurate over the whole range. x is reduced to r = x - k*pi/2 with
// pi/2 in four parts, k times each of the first three exact for |x| < 2^28, so r keeps
// its digits even next to a multiple; the x87 instructions are exact on |r| <= pi/4,
// where they reduce nothing themselves (their own reduction uses a 66-bit pi).
// Beyond 2^28 the library's exact reduction does the work.
constexpr Extended kHalfPi1 = 0x6487ed511p-34L, kHalfPi2 = 0x5a308d313p-73L, kHalfPi3 = 0x198a2e037p-109L,
                   kHalfPi4 = 0x7344a4093822299fp-177L;
constexpr Extended kTwoOverPi = 0x517cc1b727220a95p-63L, kQuarterPi = 0xc90fdaa22168c235p-64L;
constexpr Extended kReduceLimit = 0x1p28L;
// Adding it rounds a value below 2^62 to an integer held in the low significand bits.
constexpr Extended kRoundShift = 0x1.8p63L;

inline Extended X87Sin(Extended x) {
  __asm__("fsin" : "+t"(x));
  return x;
}
inline Extended X87Cos(Extended x) {
  __asm__("fcos" : "+t"(x));
  return x;
}

// r = x - k*pi/2 for the nearest k; quadrant = k mod 4.
inline Extended ReduceHalfPi(Extended x, unsigned& quadrant) {
  const Extended shifted = x * kTwoOverPi + kRoundShift;
  std::uint64_t significand;
  std::memcpy(&significand, &shifted, sizeof significand);
  quadrant = static_cast<unsigned>(significand) & 3;
  const Extended k = shifted - kRoundShift;
  return (((x - k * kHalfPi1) - k * kHalfPi2) - k * kHalfPi3) - k * kHalfPi4;
}

// The sine of r + quadrant * pi/2.
Extended QuadrantSin(Extended r, unsigned quadrant) {
  switch (quadrant % 4) {
    case 0: return X87Sin(r);
    case 1: return X87Cos(r);
    case 2: return -X87Sin(r);
    default: return -X87Cos(r);
  }
}

Extended PlainSin(Extended x, const TTrigFixup&) {
  if (fabsl(x) <= kQuarterPi) return X87Sin(x);
  if (!(fabsl(x) < kReduceLimit)) return sinl(x);
  unsigned quadrant;
  const Extended r = ReduceHalfPi(x, quadrant);
  return QuadrantSin(r, quadrant);
}
Extended PlainCos(Extended x, const TTrigFixup&) {
  if (fabsl(x) <= kQuarterPi) return X87Cos(x);
  if (!(fabsl(x) < kReduceLimit)) return cosl(x);
  unsigned quadrant;
  const Extended r = ReduceHalfPi(x, quadrant);
  return QuadrantSin(r, quadrant + 1);
}

// A residue small enough to be a multiple's rounding error becomes 0; the exact
// variants also require x to be that multiple to the last bit. The sine of an x that
// is itself that small is no residue: near 0, sin x is x.
Extended SinRoughFix(Extended x, const TTrigFixup& fix) {
  const Extended s = PlainSin(x, fix);
  const Extended a = fabsl(x);
  return (fabsl(s) <= fix.sinThreshold && a <= fix.sinBound && a > fix.sinThreshold) ? 0 : s;
}
Extended SinExactFix(Extended x, const TTrigFixup& fix) {
  const Extended s = PlainSin(x, fix);
  if (fabsl(s) <= fix.sinThreshold && fabsl(x) <= fix.sinBound) {
    const Extended k = rintl(x / kPi);
    if (k * kPi == x) return 0;
  }
  return s;
}
Extended CosRoughFix(Extended x, const TTrigFixup& fix) {
  const Extended c = PlainCos(x, fix);
  return (fabsl(c) <= fix.cosThreshold && fabsl(x) <= fix.cosBound) ? 0 : c;
}
Extended CosExactFix(Extended x, const TTrigFixup& fix) {
  const Extended c = PlainCos(x, fix);
  if (fabsl(c) <= fix.cosThreshold && fabsl(x) <= fix.cosBound) {
    const Extended k = rintl(x * (2 / kPi));
    if (k * (kPi / 2) == x) return 0;
  }
  return c;
}

// Per range: the bounds, and as thresholds the magnitudes the 80-bit sine and cosine
// give at the largest multiple of pi, or odd multiple of pi/2, within the range.
struct TRangeBounds {
  Extended sinBound, sinThreshold, cosBound, cosThreshold;
};
constexpr TRangeBounds kBounds[6] = {
    {0, 0, 0, 0},
    {1000 * kPi, 1.60461921527854657e-16L, 1001 * kPi / 2, 7.95533344061238879e-17L},
    {10000 * kPi, 1.38533932589335330e-15L, 10001 * kPi / 2, 6.92669662946676646e-16L},
    {100000 * kPi, 1.93736086201434788e-14L, 100001 * kPi / 2, 9.68612668371393593e-15L},
    {1000000 * kPi, 1.67272391684430977e-13L, 1000001 * kPi / 2, 8.36361958422154884e-14L},
    {10000000 * kPi, 1.45127985150261818e-12L, 10000001 * kPi / 2, 7.25141274067128694e-13L},
};

constexpr TTrigFixup Setting(int range, bool exact) {
  const TRangeBounds& b = kBounds[range];
  if (range == 0) return {0, exact, 0, 0, 0, 0, PlainSin, PlainCos};
  return {range,
          exact,
          b.sinBound,
          b.sinThreshold,
          b.cosBound,
          b.cosThreshold,
          exact ? SinExactFix : SinRoughFix,
          exact ? CosExactFix : CosRoughFix};
}

// Every setting, indexed by range * 2 + exact.
constexpr TTrigFixup kSettings[12] = {Setting(0, false), Setting(0, true), Setting(1, false), Setting(1, true),
                                      Setting(2, false), Setting(2, true), Setting(3, false), Setting(3, true),
                                      Setting(4, false), Setting(4, true), Setting(5, false), Setting(5, true)};

}  // namespace

std::atomic<const TTrigFixup*> detail::currentTrigFixup{&kSettings[2 * 2 + 1]};

void SetTrigFixup(int range, bool exact) {
  if (range < 0 || range > 5) range = 0;
  detail::currentTrigFixup.store(&kSettings[range * 2 + (exact ? 1 : 0)], std::memory_order_release);
}

void GetTrigFixup(int& range, bool& exact) {
  const TTrigFixup& fix = CurrentTrigFixup();
  range = fix.range;
  exact = fix.exact;
}

Extended FixedSin(Extended x) { return CurrentTrigFixup().Sin(x); }
Extended FixedCos(Extended x) { return CurrentTrigFixup().Cos(x); }

}  // namespace plotix
