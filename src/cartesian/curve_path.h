#pragma once
// Curves as unrounded bitmap geometry: the point, the polylines a curve is drawn as, the
// mapping from graph units, and the clipping to the bitmap that every curve shares.

#include <vector>

#include "platform/extended.h"
#include "platform/geometry.h"
#include "window/view_mapping.h"

namespace plotix {

// A point in bitmap pixels, not rounded: x from column 0 to the right, y from row 0 down.
// RoundToPixel of each coordinate gives the pixel the raster path draws.
struct TCurvePoint {
  Extended x = 0, y = 0;
};
using TCurvePolyline = std::vector<TCurvePoint>;  // a single point is drawn as a dot
using TCurvePath = std::vector<TCurvePolyline>;

// The bitmap point of a graph point, in the order of the 2D plotting's own arithmetic.
inline TCurvePoint BitmapPoint(const TMapping2D& map, Extended x, Extended y) {
  return {(x * map.zoomX - map.centerX) + map.halfW, (map.centerY - y * map.zoomY) + map.halfH};
}

// A rectangle in bitmap pixels, its sides included.
struct TCurveRect {
  Extended left = 0, top = 0, right = 0, bottom = 0;
  bool Holds(TCurvePoint p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
};

// Cuts the segment a-b to the rectangle, unrounded; an end inside stays as it is. False
// when none of it lies within.
inline bool ClipToRect(TCurvePoint& a, TCurvePoint& b, const TCurveRect& rect) {
  return ClipSegment(a, b, rect.left, rect.right, rect.top, rect.bottom, [](long double v) { return Extended(v); });
}

// Collects a curve's pieces clipped to the bitmap: the points of a continuous piece are
// added in order and Break ends the piece. A piece that leaves the bitmap and comes back
// becomes two polylines.
class TClippedPath {
 public:
  TClippedPath(int width, int height) : bitmap_{0, 0, Extended(width - 1), Extended(height - 1)} {}

  void Add(TCurvePoint p);
  void Break();
  TCurvePath Take();

 private:
  void Close();

  const TCurveRect bitmap_;
  TCurvePath path_;
  TCurvePolyline open_;  // the polyline that ends at prev_
  TCurvePoint prev_;
  bool hasPrev_ = false;
};

}  // namespace plotix
