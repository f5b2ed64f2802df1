#include "window/polar_conversions.h"

#include <cmath>

namespace plotix {

namespace {
constexpr Extended kPi = 3.14159265358979323846264338327950288L;
}

void ToPolar(Extended x, Extended y, Extended& r, Extended& theta) {
  r = sqrtl(x * x + y * y);
  if (x == 0) {
    theta = y == 0 ? 0 : y > 0 ? kPi / 2 : 3 * kPi / 2;
  } else if (y == 0) {
    theta = x > 0 ? 0 : kPi;
  } else {
    const Extended a = atanl(fabsl(y / x));
    theta = x > 0 ? (y > 0 ? a : 2 * kPi - a) : (y > 0 ? kPi - a : kPi + a);
  }
}

// The x87 instruction is several times faster than the library's exact argument reduction,
// which a polar plot would otherwise spend most of its time in; it takes |theta| < 2^63.
void ToCartesian(Extended theta, Extended r, Extended& x, Extended& y) {
  constexpr Extended kX87TrigLimit = 9223372036854775808.0L;
  Extended sin, cos;
  if (fabsl(theta) < kX87TrigLimit) {
    __asm__("fsincos" : "=t"(cos), "=u"(sin) : "0"(theta));
  } else {
    sin = sinl(theta);
    cos = cosl(theta);
  }
  x = cos * r;
  y = sin * r;
}

Extended DegToRad(Extended degrees) { return degrees * (kPi / 180); }
Extended RadToDeg(Extended radians) { return radians * (180 / kPi); }

}  // namespace plotix
