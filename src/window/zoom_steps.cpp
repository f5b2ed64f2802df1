#include "window/zoom_steps.h"

#include "window/view_mapping.h"

namespace plotix {

const char* const kZoom3DRangeNames[kZoom3DRanges] = {"1,000 to 500", "500 to 200", "200 to 20", "20 to 1"};

const char* const kZoomRangeNames[kZoomRows] = {
    "10,000 to 1,000", "1,000 to 100", "100 to 20", "20 to 1", "1 to 0.01", "0.01 to 0.0001",
};

namespace {
// The lower end of each range; the upper end of row i is the lower end of row i - 1.
constexpr Extended kRangeFloor[kZoomRows] = {1000, 100, 20, 1, 0.01L, kMinZoom};
}  // namespace

bool ZoomStepIn(Extended& z, const TZoom2DSettings& steps) {
  const Extended old = z;
  if (z >= kMaxZoom) {
    z = kMaxZoom;
    return z != old;
  }
  // Zooming in, a value on a range's lower end belongs to that range.
  int row = 0;
  while (row < kZoomRows - 1 && z < kRangeFloor[row]) ++row;
  const Extended cap = row == 0 ? kMaxZoom : kRangeFloor[row - 1];
  z += steps.increments[row];
  if (z > cap) z = cap;
  return z != old;
}

bool ZoomStepOut(Extended& z, const TZoom2DSettings& steps) {
  const Extended old = z;
  if (z <= kMinZoom) {
    z = kMinZoom;
    return z != old;
  }
  // Zooming out, a value on a range's lower end belongs to the range below.
  int row = 0;
  while (row < kZoomRows - 1 && z <= kRangeFloor[row]) ++row;
  z -= steps.increments[row];
  if (z < kRangeFloor[row]) z = kRangeFloor[row];
  return z != old;
}

}  // namespace plotix
