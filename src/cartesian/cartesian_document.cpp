#include "cartesian/cartesian_document.h"

#include <string>
#include <utility>

#include "cartesian/axes.h"
#include "platform/canvas.h"
#include "platform/drawing_job.h"

namespace plotix {

void TGraph2DDoc::Render(TBitmap& bitmap) {
  TCanvas& canvas = bitmap.Canvas();
  const TMapping2D map(view_, bitmap.Width(), bitmap.Height());
  ClearBackground2D(settings_, canvas, map);
  DrawAxes2D(settings_, canvas, map);
  canvas.Pen().style = psSolid;
  const int count = int(functions_.size());
  std::string notes;
  for (int i = 0; i < count; ++i) {
    DrawingStep(i, count);
    if (functions_[std::size_t(i)]->Hidden) continue;
    const std::string note = functions_[std::size_t(i)]->Plot(canvas, map);
    if (!note.empty()) notes += (notes.empty() ? "" : "; ") + note;
  }
  SetDrawingNote(std::move(notes));
}

}  // namespace plotix
