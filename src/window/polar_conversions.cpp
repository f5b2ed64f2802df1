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

void ToCartesian(Extended theta, Extended r, Extended& x, Extended& y) {
  x = cosl(theta) * r;
  y = sinl(theta) * r;
}

Extended DegToRad(Extended degrees) { return degrees * (kPi / 180); }
Extended RadToDeg(Extended radians) { return radians * (180 / kPi); }

}  // namespace plotix
