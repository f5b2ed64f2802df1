#include "cartesian/cartesian_document.h"

#include "cartesian/axes.h"
#include "platform/canvas.h"

namespace plotix {

void TGraph2DDoc::Render(TBitmap& bitmap) {
  TCanvas& canvas = bitmap.Canvas();
  const TMapping2D map(View, bitmap.Width(), bitmap.Height());
  ClearBackground2D(Settings, canvas, map);
  DrawAxes2D(Settings, canvas, map);
  canvas.Pen().style = psSolid;
  for (auto& f : Functions) Plot2DFunction(*f, canvas, map);
}

}  // namespace plotix
