#include "polar/polar_document.h"

#include <algorithm>

#include "platform/canvas.h"
#include "polar/grid.h"

namespace plotix {

bool TGraphPolarDoc::IsColorUsed(TColor color) const {
  return std::any_of(Functions.begin(), Functions.end(), [color](const auto& f) { return f->Color == color; });
}

void TGraphPolarDoc::Render(TBitmap& bitmap) {
  TCanvas& canvas = bitmap.Canvas();
  const TMapping2D map = PolarMapping(View, bitmap.Width(), bitmap.Height());
  ClearBackgroundPolar(Settings, canvas, map);
  DrawPolarGrid(Settings, canvas, map);
  canvas.Pen().style = psSolid;
  for (auto& f : Functions) PlotPolarFunction(*f, canvas, map);
}

}  // namespace plotix
