#include "labels/segment_clip.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace plotix {

namespace {

// A rounded coordinate far off the rectangle stays far off without overflowing an int.
int RoundCoordinate(long double v) {
  constexpr long double kFar = 1 << 30;
  return int(std::rintl(std::clamp(v, -kFar, kFar)));
}

}  // namespace

bool Clipline(TPoint& a, TPoint& b, int maxX, int maxY) {
  auto inside = [&](TPoint p) { return p.x >= 0 && p.x <= maxX && p.y >= 0 && p.y <= maxY; };
  if (inside(a) && inside(b)) return true;
  if (!inside(a) && !inside(b) &&
      (std::max(a.x, b.x) < 0 || std::min(a.x, b.x) > maxX || std::max(a.y, b.y) < 0 || std::min(a.y, b.y) > maxY))
    return false;
  if (a.x == b.x) {
    a.y = std::clamp(a.y, 0, maxY);
    b.y = std::clamp(b.y, 0, maxY);
  } else if (a.y == b.y) {
    a.x = std::clamp(a.x, 0, maxX);
    b.x = std::clamp(b.x, 0, maxX);
  } else {
    // Every moved end is computed from the original line, so rounding never accumulates.
    const TPoint o = a;
    const long double slope = (static_cast<long double>(b.y) - a.y) / (static_cast<long double>(b.x) - a.x);
    auto yAt = [&](int x) { return RoundCoordinate(o.y + slope * (static_cast<long double>(x) - o.x)); };
    auto xAt = [&](int y) { return RoundCoordinate(o.x + (static_cast<long double>(y) - o.y) / slope); };
    for (TPoint* p : {&a, &b}) {
      if (p->x < 0)
        *p = {0, yAt(0)};
      else if (p->x > maxX)
        *p = {maxX, yAt(maxX)};
    }
    for (TPoint* p : {&a, &b}) {
      if (p->y < 0)
        *p = {xAt(0), 0};
      else if (p->y > maxY)
        *p = {xAt(maxY), maxY};
    }
  }
  return inside(a) && inside(b);
}

}  // namespace plotix
