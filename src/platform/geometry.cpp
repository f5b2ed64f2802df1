#include "platform/geometry.h"

namespace plotix {

Extended DegToRad(Extended degrees) { return degrees * (kGeometryPi / 180); }
Extended RadToDeg(Extended radians) { return radians * (180 / kGeometryPi); }

// The quadrant is worked out in the unit itself, so each unit's whole and half turns
// are exact.
Extended PointAngle(Extended x, Extended y, TAngleUnit unit) {
  const bool degrees = unit == TAngleUnit::Degrees;
  const Extended half = degrees ? 180 : kGeometryPi;
  if (x == 0) return y > 0 ? half / 2 : y < 0 ? 3 * half / 2 : 0;
  if (y == 0) return x < 0 ? half : 0;
  const Extended radians = atanl(fabsl(y) / fabsl(x));
  const Extended a = degrees ? RadToDeg(radians) : radians;
  return x > 0 ? (y > 0 ? a : 2 * half - a) : (y > 0 ? half - a : half + a);
}

void ToPolar(Extended x, Extended y, Extended& r, Extended& theta) {
  r = sqrtl(x * x + y * y);
  theta = PointAngle(x, y, TAngleUnit::Radians);
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

}  // namespace plotix
