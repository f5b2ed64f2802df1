#pragma once
// The frame of a 2D picture: background, axis lines, grid marks, tick marks or grid
// lines at multiples of each axis increment, and the numbers at the ticks.

#include "cartesian/settings.h"
#include "window/view_mapping.h"

namespace plotix {

class TCanvas;

// Fills the bitmap with the background colour and leaves the brush clear, so that
// text is drawn without a background.
void ClearBackground2D(const TSetting2DObj& settings, TCanvas& canvas, const TMapping2D& map);

// Axes, grids, ticks and tick labels, in that order.
void DrawAxes2D(const TSetting2DObj& settings, TCanvas& canvas, const TMapping2D& map);

}  // namespace plotix
