#include "polar/polar_document.h"

#include "platform/canvas.h"
#include "polar/grid.h"

namespace plotix {

void TGraphPolarDoc::Render(TBitmap& bitmap) {
  TCanvas& canvas = bitmap.Canvas();
  const TMapping2D map = PolarMapping(View, bitmap.Width(), bitmap.Height());
  ClearBackgroundPolar(Settings, canvas, map);
  DrawPolarGrid(Settings, canvas, map);
  canvas.Pen().style = psSolid;
  for (auto& f : Functions) PlotPolarFunction(*f, canvas, map);
}

}  // namespace plotix
