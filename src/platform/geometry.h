#pragma once
// Plane geometry every kind of drawing shares: degrees and radians, the polar form of a
// point, and cutting a segment to a rectangle (label lines in whole pixels, polar curves
// in real pixels from the pole).

#include <algorithm>
#include <cmath>

#include "platform/extended.h"

namespace plotix {

constexpr Extended kGeometryPi = 3.14159265358979323846264338327950288L;

Extended DegToRad(Extended degrees);
Extended RadToDeg(Extended radians);

enum class TAngleUnit { Degrees, Radians };
// The angle of (x, y) seen from the origin, in [0, 360) or [0, 2 pi), exact on the axes.
Extended PointAngle(Extended x, Extended y, TAngleUnit unit);
// The polar form of (x, y); theta in [0, 2 pi).
void ToPolar(Extended x, Extended y, Extended& r, Extended& theta);
void ToCartesian(Extended theta, Extended r, Extended& x, Extended& y);

// Cuts the segment a-b to the rectangle [minX, maxX] x [minY, maxY]. A segment with an
// end inside, or whose bounding box meets the rectangle, is tried: a vertical or
// horizontal one has its ends clamped into the rectangle; any other has each end that
// lies beyond a side moved along the line to that side, first for the x sides, then for
// the y sides, every moved coordinate computed from the original line and passed through
// round (whole-pixel callers round, real-valued ones keep it). False, leaving a and b
// undefined, when no piece lies inside.
template <class TPoint, class TCoord, class TRound>
bool ClipSegment(TPoint& a, TPoint& b, TCoord minX, TCoord maxX, TCoord minY, TCoord maxY, TRound round) {
  const auto inside = [&](const TPoint& p) { return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY; };
  if (inside(a) && inside(b)) return true;
  if (!inside(a) && !inside(b) &&
      (std::max(a.x, b.x) < minX || std::min(a.x, b.x) > maxX || std::max(a.y, b.y) < minY ||
       std::min(a.y, b.y) > maxY))
    return false;
  if (a.x == b.x) {
    a.y = std::clamp(a.y, minY, maxY);
    b.y = std::clamp(b.y, minY, maxY);
  } else if (a.y == b.y) {
    a.x = std::clamp(a.x, minX, maxX);
    b.x = std::clamp(b.x, minX, maxX);
  } else {
    // From the original line, so rounding never accumulates.
    const TPoint o = a;
    const long double slope = (static_cast<long double>(b.y) - o.y) / (static_cast<long double>(b.x) - o.x);
    const auto yAt = [&](TCoord x) { return round(o.y + slope * (static_cast<long double>(x) - o.x)); };
    const auto xAt = [&](TCoord y) { return round(o.x + (static_cast<long double>(y) - o.y) / slope); };
    for (TPoint* p : {&a, &b}) {
      if (p->x < minX)
        *p = {minX, yAt(minX)};
      else if (p->x > maxX)
        *p = {maxX, yAt(maxX)};
    }
    for (TPoint* p : {&a, &b}) {
      if (p->y < minY)
        *p = {xAt(minY), minY};
      else if (p->y > maxY)
        *p = {xAt(maxY), maxY};
    }
  }
  return inside(a) && inside(b);
}

}  // namespace plotix
