#include "polar/polar_document.h"

#include <algorithm>
#include <vector>

#include "platform/canvas.h"
#include "platform/drawing_job.h"
#include "polar/grid.h"

namespace plotix {

void TGraphPolarDoc::Render(TBitmap& bitmap) {
  TCanvas& canvas = bitmap.Canvas();
  const TMapping2D map = PolarMapping(view_, bitmap.Width(), bitmap.Height());
  ClearBackgroundPolar(settings_, canvas, map);
  DrawPolarGrid(settings_, canvas, map);
  canvas.Pen().style = psSolid;
  // Functions are sampled a group at a time on every thread the redraw may use, and drawn
  // in list order: the same picture on any number of threads.
  const int count = int(functions_.size()), threads = DrawingThreads(), group = 2 * threads;
  std::vector<TPolarSamples> samples(std::size_t(std::min(count, group)));
  for (int first = 0; first < count; first += group) {
    DrawingStep(first, count);
    const int size = std::min(group, count - first);
    ParallelFor(size, threads, [&](int k) {
      samples[std::size_t(k)] = SamplePolarFunction(*functions_[std::size_t(first + k)], map);
    });
    for (int k = 0; k < size; ++k)
      DrawPolarSamples(*functions_[std::size_t(first + k)], samples[std::size_t(k)], canvas, map);
  }
}

}  // namespace plotix
