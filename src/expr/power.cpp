#include "expr/power.h"

#include <emmintrin.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "expr/power_tables.h"

namespace plotix {

namespace {

using namespace powertables;

// a^b = 2^(b log2 a). log2 a is carried as the sum of two extended values to about 82
// bits, so b log2 a keeps 66 bits after the binary point even where it is near 16384,
// and 2^y comes from a table of 2^(j/256) and a short polynomial; the result is within
// a small fraction of an ulp before its one final rounding.

// An unevaluated sum hi + lo of two extended values.
struct TPair {
  Extended hi, lo;
};

// a + b exactly (Knuth).
inline TPair TwoSum(Extended a, Extended b) {
  const Extended s = a + b;
  const Extended bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

// a = hi + lo, each with at most 32 significant bits (Veltkamp).
inline void Split(Extended a, Extended& hi, Extended& lo) {
  const Extended g = a * (0x1p32L + 1);
  hi = g - (g - a);
  lo = a - hi;
}

// a * b exactly (Dekker).
inline TPair TwoProduct(Extended a, Extended b) {
  const Extended p = a * b;
  Extended ah, al, bh, bl;
  Split(a, ah, al);
  Split(b, bh, bl);
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

constexpr Extended kInvLn2Hi = 0xb8aa3b295c17f0bcp-63L, kInvLn2Lo = -0x82f0025f2dc582eep-128L;
constexpr Extended kLn2 = 0xb17217f7d1cf79acp-64L;
constexpr std::uint64_t kSqrt2Significand = 0xb504f333f9de6484;  // sqrt(2) * 2^63

// log2 a = hi + lo for a finite a > 0.
TPair Log2(Extended a) {
  std::uint64_t significand;
  std::uint16_t signExponent;
  std::memcpy(&significand, &a, sizeof significand);
  std::memcpy(&signExponent, reinterpret_cast<const char*>(&a) + 8, sizeof signExponent);
  int exponent = signExponent & 0x7fff;
  if (exponent == 0) {  // a denormal
    const int shift = __builtin_clzll(significand);
    significand <<= shift;
    exponent = 1 - shift;
  }
  // a = 2^k m with m in [sqrt(1/2), sqrt(2)); m is nearest to c = 1 + j/256.
  int k = exponent - 16383;
  const Extended below = static_cast<Extended>(static_cast<std::int64_t>(significand >> 1));
  Extended m;
  int j;
  if (significand < kSqrt2Significand) {
    m = below * 0x1p-62L + static_cast<int>(significand & 1) * 0x1p-63L;
    j = static_cast<int>((significand - (1ULL << 63) + (1ULL << 54)) >> 55);
  } else {
    ++k;
    m = below * 0x1p-63L + static_cast<int>(significand & 1) * 0x1p-64L;
    j = -static_cast<int>(((0 - significand) + (1ULL << 55)) >> 56);
  }
  const TLogEntry& entry = kLog[j + kLogCentre];

  // r = m invc - 1 exactly: invc has 32 bits, so both half products are exact.
  Extended mh, ml;
  Split(m, mh, ml);
  const TPair r = TwoSum(mh * entry.invc - 1, ml * entry.invc);

  // ln(1 + r) = r - r^2/2 + tail, the first two terms exactly, |r| < 2^-8.4.
  const Extended x = r.hi;
  const TPair square = TwoProduct(x, x);
  const TPair head = TwoSum(x, -square.hi / 2);
  const Extended x2 = square.hi;
  const Extended tail =
      x2 * x *
      ((1.0L / 3 - x / 4 + x2 * (1.0L / 5 - x / 6)) + x2 * x2 * ((1.0L / 7 - x / 8) + x2 * (1.0L / 9 - x / 10)));
  const Extended lnLo = head.lo + r.lo - square.lo / 2 - x * r.lo + tail;

  // log2(1 + r) = ln(1 + r) / ln 2, then k + log2(c) + log2(1 + r).
  const TPair p = TwoProduct(head.hi, kInvLn2Hi);
  const Extended pLo = p.lo + (head.hi * kInvLn2Lo + lnLo * kInvLn2Hi);
  const TPair whole = TwoSum(static_cast<Extended>(k), entry.logHi);
  const TPair sum = TwoSum(whole.hi, p.hi);
  const Extended lo = whole.lo + sum.lo + entry.logLo + pLo;
  const Extended hi = sum.hi + lo;
  return {hi, lo - (hi - sum.hi)};
}

// x rounded to the nearest integer, |x| < 2^62.
inline std::int64_t RoundToInt(Extended x) {
  std::int64_t n;
  __asm__("fistpll %0" : "=m"(n) : "t"(x) : "st");
  return n;
}

// 2^e for e in -16382..16383, written as bits in one store that the load can take whole.
inline Extended TwoTo(int e) {
  Extended r;
  _mm_storeu_si128(reinterpret_cast<__m128i*>(&r),
                   _mm_set_epi64x(e + 16383, static_cast<long long>(0x8000000000000000ULL)));
  return r;
}

Extended Overflow() {
  volatile Extended huge = LDBL_MAX;
  return huge * huge;
}

}  // namespace

Extended PowerOfPositive(Extended a, Extended b) {
  const TPair l = Log2(a);
  const TPair y0 = TwoProduct(b, l.hi);
  const Extended yh = y0.hi, yl = y0.lo + b * l.lo;
  if (yh >= 16384) return Overflow();
  if (yh <= -16446) return 0;  // below half the least denormal

  // y = n/256 + f with |f| <= 1/512, then 2^y = 2^(n/256) (1 + (e^(f ln 2) - 1)).
  const std::int64_t n = RoundToInt(yh * 256);
  const Extended x = ((yh - static_cast<Extended>(n) * (1.0L / 256)) + yl) * kLn2;
  const Extended x2 = x * x;
  const Extended expm1 = x + x2 * ((0.5L + x * (1.0L / 6)) + x2 * ((1.0L / 24 + x * (1.0L / 120)) + x2 * (1.0L / 720)));
  const TExpEntry& t = kExp[n & 255];
  const Extended s = t.hi + (t.hi * expm1 + t.lo);

  const int e = static_cast<int>(n >> 8);
  if (e >= -16382 && e <= 16383) return s * TwoTo(e);
  if (e > 16383) return s * TwoTo(16383) * TwoTo(e - 16383);
  return s * TwoTo(e + 64) * 0x1p-64L;  // a denormal, rounded once
}

}  // namespace plotix
