#include "cartesian/curve_path.h"

#include <utility>

namespace plotix {

// Liang and Barsky: each side bounds the parameter range from the side the segment enters by.
bool ClipSegment(TCurvePoint a, TCurvePoint b, const TCurveRect& rect, Extended& t0, Extended& t1) {
  const Extended dx = b.x - a.x, dy = b.y - a.y;
  t0 = 0;
  t1 = 1;
  const std::pair<Extended, Extended> sides[] = {
      {-dx, a.x - rect.left}, {dx, rect.right - a.x}, {-dy, a.y - rect.top}, {dy, rect.bottom - a.y}};
  for (const auto& [p, q] : sides) {
    if (p == 0) {
      if (q < 0) return false;
    } else if (p < 0) {
      if (q / p > t0) t0 = q / p;
    } else if (q / p < t1) {
      t1 = q / p;
    }
  }
  return t0 < t1;
}

// The open polyline, where there is one, ends at prev_, inside the bitmap.
void TClippedPath::Add(TCurvePoint p) {
  Extended t0, t1;
  if (!hasPrev_) {
    if (bitmap_.Holds(p)) open_.push_back(p);
  } else if (!open_.empty() && bitmap_.Holds(p)) {
    open_.push_back(p);
  } else if (!ClipSegment(prev_, p, bitmap_, t0, t1)) {
    Close();
  } else {
    const TCurvePoint a = prev_;
    const auto at = [&](Extended t) { return TCurvePoint{a.x + t * (p.x - a.x), a.y + t * (p.y - a.y)}; };
    if (open_.empty()) open_.push_back(at(t0));
    // The end itself where it is inside, so a point inside is never moved by rounding.
    open_.push_back(t1 < 1 ? at(t1) : p);
    if (t1 < 1) Close();
  }
  prev_ = p;
  hasPrev_ = true;
}

void TClippedPath::Break() {
  Close();
  hasPrev_ = false;
}

TCurvePath TClippedPath::Take() {
  Break();
  return std::move(path_);
}

void TClippedPath::Close() {
  if (!open_.empty()) path_.push_back(std::move(open_));
  open_.clear();
}

}  // namespace plotix
