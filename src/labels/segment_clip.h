#pragma once
// Clipping a segment to the bitmap rectangle.

#include "platform/canvas.h"

namespace plotix {

// Clips the segment a-b to the rectangle (0, 0)..(maxX, maxY), both corners inside it.
// An end beyond a side moves along the segment's line to that side (the other coordinate
// rounded). Returns false, leaving a and b undefined, when no piece lies inside.
bool Clipline(TPoint& a, TPoint& b, int maxX, int maxY);

}  // namespace plotix
