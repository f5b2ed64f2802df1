#include "cartesian/cartesian_document.h"

#include "cartesian/axes.h"
#include "platform/canvas.h"

namespace plotix {

void TGraph2DDoc::Render(TBitmap& bitmap) {
  TCanvas& canvas = bitmap.Canvas();
  const TMapping2D map(view_, bitmap.Width(), bitmap.Height());
  ClearBackground2D(settings_, canvas, map);
  DrawAxes2D(settings_, canvas, map);
  canvas.Pen().style = psSolid;
  for (auto& f : functions_) Plot2DFunction(*f, canvas, map);
}

}  // namespace plotix
