#pragma once
// The 2D view record and the mapping between graph units, scaled units (graph units
// times the zoom, one per pixel) and bitmap pixels.

#include <cstdint>

#include "platform/extended.h"

namespace plotix {

constexpr Extended kMinZoom = 0.0001L;
constexpr Extended kMaxZoom = 10000;
constexpr Extended kCenterLimit = 100000;

// Stored in graph files as four extended values in this order.
struct TView2D {
  Extended ZoomX = 35;
  Extended ZoomY = 35;
  Extended CenterX = 0;  // scaled x at the bitmap's centre column
  Extended CenterY = 0;  // scaled y at the bitmap's centre row

  bool operator==(const TView2D&) const = default;
};

Extended ClampCenter(Extended center);
Extended ClampZoom(Extended zoom);
// Moves a view centre by (dx, dy) within ±100000; true when it moved.
bool MoveCenter(Extended& x, Extended& y, Extended dx, Extended dy);
// The centre after its zoom changed by `ratio`, such that the point `offset` pixels from the
// centre (x right or y up) keeps its pixel, within ±100000.
Extended CenterAfterZoom(Extended center, Extended offset, Extended ratio);

// Computed once per redraw from the view and the bitmap size.
struct TMapping2D {
  TMapping2D(const TView2D& view, int width, int height);

  Extended zoomX, zoomY, centerX, centerY;
  int width, height, halfW, halfH;
  // The visible extent in scaled units.
  Extended left, right, top, bottom;
  // Function values are clamped into this band, 2500 pixels beyond the bitmap.
  Extended topLimit, bottomLimit;

  // Pixel column of a scaled x and row of a scaled y (round half to even).
  int Col(Extended scaledX) const;
  int Row(Extended scaledY) const;
  // The same as real positions, the pixels' centres at .5, for smooth and vector drawing.
  double ColF(Extended scaledX) const { return double(scaledX - centerX) + halfW + 0.5; }
  double RowF(Extended scaledY) const { return double(centerY - scaledY) + halfH + 0.5; }
  Extended ScaledXOfCol(int col) const { return centerX + (col - halfW); }
  Extended XOfCol(int col) const { return ScaledXOfCol(col) / zoomX; }
};

// Round half to even into an int, saturating far outside the int range.
int RoundToPixel(Extended value);

}  // namespace plotix
