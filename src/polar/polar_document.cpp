#include "polar/polar_document.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/canvas.h"
#include "platform/drawing_job.h"
#include "polar/grid.h"

namespace plotix {

namespace {
constexpr std::int64_t kParallelSamples = 2000;
}

void TGraphPolarDoc::Render(TBitmap& bitmap) {
  TCanvas& canvas = bitmap.Canvas();
  const TMapping2D map = PolarMapping(view_, bitmap.Width(), bitmap.Height());
  ClearBackgroundPolar(settings_, canvas, map);
  DrawPolarGrid(settings_, canvas, map);
  canvas.Pen().style = psSolid;
  // Functions are sampled a group at a time on every thread the redraw may use, and drawn
  // in list order: the same picture on any number of threads. With fewer functions than
  // threads each function's range is shared out, every part sampled by a copy of it.
  const int count = int(functions_.size()), threads = DrawingThreads(), group = 2 * threads;
  std::vector<TPolarSamples> samples(std::size_t(std::min(count, group)));
  for (int first = 0; first < count; first += group) {
    DrawingStep(first, count);
    const int size = std::min(group, count - first);
    std::int64_t work = 0;
    const auto sampleCount = [&](int k) {
      const TFuncPolarObj& f = *functions_[std::size_t(first + k)];
      return f.Hidden ? 0 : PolarSampleCount(f);
    };
    for (int k = 0; k < size; ++k) work += sampleCount(k);
    // Starting threads costs more than a few thousand samples.
    const int used = work < kParallelSamples ? 1 : threads, parts = size < used ? used : 1;
    std::vector<std::unique_ptr<TBaseFuncObj>> copies(std::size_t(size * parts));
    for (int k = 0; k < size; ++k) {
      TFuncPolarObj& f = *functions_[std::size_t(first + k)];
      samples[std::size_t(k)].assign(std::size_t(sampleCount(k)), {});
      for (int part = 1; part < parts; ++part) copies[std::size_t(k * parts + part)] = f.Clone();
    }
    ParallelFor(size * parts, used, [&](int task) {
      const int k = task / parts, part = task % parts;
      auto& f =
          part == 0 ? *functions_[std::size_t(first + k)] : static_cast<TFuncPolarObj&>(*copies[std::size_t(task)]);
      TPolarSamples& out = samples[std::size_t(k)];
      const std::int64_t n = std::int64_t(out.size());
      SamplePolarFunction(f, map, out, int(n * part / parts), int(n * (part + 1) / parts));
    });
    for (int k = 0; k < size; ++k)
      if (!functions_[std::size_t(first + k)]->Hidden)
        DrawPolarSamples(*functions_[std::size_t(first + k)], samples[std::size_t(k)], canvas, map);
  }
}

}  // namespace plotix
