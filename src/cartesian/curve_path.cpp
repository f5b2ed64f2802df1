#include "cartesian/curve_path.h"

#include <utility>

namespace plotix {

// The open polyline, where there is one, ends at prev_, inside the bitmap.
void TClippedPath::Add(TCurvePoint p) {
  if (!hasPrev_) {
    if (bitmap_.Holds(p)) open_.push_back(p);
  } else if (!open_.empty() && bitmap_.Holds(p)) {
    open_.push_back(p);
  } else {
    TCurvePoint a = prev_, b = p;
    if (!ClipToRect(a, b, bitmap_)) {
      Close();
    } else {
      if (open_.empty()) open_.push_back(a);
      open_.push_back(b);
      if (!bitmap_.Holds(p)) Close();
    }
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
