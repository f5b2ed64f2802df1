#pragma once
// The polar grid: rays from the pole at the listed angles, clipped to the view and to an
// optional radius, ticks along them as dashes across the rays or circles round the pole,
// and the tick labels.

namespace plotix {

class TCanvas;
class TSettingPolarObj;
struct TMapping2D;

// Clears the bitmap with the background colour; the brush is clear afterwards.
void ClearBackgroundPolar(const TSettingPolarObj& settings, TCanvas& canvas, const TMapping2D& map);
void DrawPolarGrid(const TSettingPolarObj& settings, TCanvas& canvas, const TMapping2D& map);

}  // namespace plotix
