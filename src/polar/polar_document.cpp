#include "polar/polar_document.h"

#include "platform/canvas.h"
#include "polar/grid.h"

namespace plotix {

void TGraphPolarDoc::Render(TBitmap& bitmap) {
  TCanvas& canvas = bitmap.Canvas();
  const TMapping2D map = PolarMapping(view_, bitmap.Width(), bitmap.Height());
  ClearBackgroundPolar(settings_, canvas, map);
  DrawPolarGrid(settings_, canvas, map);
  canvas.Pen().style = psSolid;
  for (auto& f : functions_) PlotPolarFunction(*f, canvas, map);
}

}  // namespace plotix
