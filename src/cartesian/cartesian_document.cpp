#include "cartesian/cartesian_document.h"

#include <algorithm>

#include "cartesian/axes.h"
#include "platform/canvas.h"

namespace plotix {

bool TGraph2DDoc::IsColorUsed(TColor color) const {
  return std::any_of(Functions.begin(), Functions.end(), [color](const auto& f) { return f->Color == color; });
}

void TGraph2DDoc::Render(TBitmap& bitmap) {
  TCanvas& canvas = bitmap.Canvas();
  const TMapping2D map(View, bitmap.Width(), bitmap.Height());
  ClearBackground2D(Settings, canvas, map);
  DrawAxes2D(Settings, canvas, map);
  canvas.Pen().style = psSolid;
  for (auto& f : Functions) Plot2DFunction(*f, canvas, map);
}

}  // namespace plotix
