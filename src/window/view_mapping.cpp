#include "window/view_mapping.h"

#include <cmath>

namespace plotix {

Extended ClampCenter(Extended center) {
  return center > kCenterLimit ? kCenterLimit : center < -kCenterLimit ? -kCenterLimit : center;
}

Extended ClampZoom(Extended zoom) { return zoom > kMaxZoom ? kMaxZoom : zoom < kMinZoom ? kMinZoom : zoom; }

bool MoveCenter(Extended& x, Extended& y, Extended dx, Extended dy) {
  const Extended newX = ClampCenter(x + dx), newY = ClampCenter(y + dy);
  if (newX == x && newY == y) return false;
  x = newX;
  y = newY;
  return true;
}

// Scaled units grow with the zoom, so the point's scaled coordinate scales by the ratio.
Extended CenterAfterZoom(Extended center, Extended offset, Extended ratio) {
  return ClampCenter((center + offset) * ratio - offset);
}

int RoundToPixel(Extended value) {
  constexpr Extended kLimit = 1e9L;  // far beyond any bitmap, well inside int
  if (!(value < kLimit)) return static_cast<int>(kLimit);
  if (!(value > -kLimit)) return -static_cast<int>(kLimit);
  // fistp rounds by the current mode, to nearest with ties to even; a cast would
  // switch the x87 control word twice, which costs more than the whole mapping.
  long long rounded;
  __asm__("fistpll %0" : "=m"(rounded) : "t"(value) : "st");
  return static_cast<int>(rounded);
}

TMapping2D::TMapping2D(const TView2D& view, int w, int h)
    : zoomX(view.ZoomX),
      zoomY(view.ZoomY),
      centerX(view.CenterX),
      centerY(view.CenterY),
      width(w),
      height(h),
      halfW(w / 2),
      halfH(h / 2),
      left(centerX - halfW),
      right(centerX + (w - 1 - halfW)),
      top(centerY + halfH),
      bottom(centerY - (h - 1 - halfH)),
      topLimit(top + 2500),
      bottomLimit(bottom - 2500) {}

int TMapping2D::Col(Extended scaledX) const { return RoundToPixel(scaledX - centerX) + halfW; }
int TMapping2D::Row(Extended scaledY) const { return RoundToPixel(centerY - scaledY) + halfH; }

}  // namespace plotix
