// The surface flood fill: the 4-connected region of pixels that have the seed pixel's
// colour, filled with the brush.
#include <vector>

#include "platform/canvas.h"
#include "platform/painter_twin.h"
#include "platform/raster_pixels.h"

namespace plotix {

using namespace raster;

void TCanvas::FloodFill(int x, int y) {
  const std::uint8_t* hatch = nullptr;
  const int width = bitmap_.Width(), height = bitmap_.Height();
  if (!BrushPattern(brush_.style, hatch) || x < 0 || y < 0 || x >= width || y >= height) return;
  // Find the whole region first, so that the fill's own pixels never extend or stop it.
  const TPixelWriter writer(bitmap_, brush_.color, false);
  const QRgb seed = writer.Row(y)[x] & 0xFFFFFF;
  auto matches = [&](int px, int py) { return (writer.Row(py)[px] & 0xFFFFFF) == seed; };
  std::vector<bool> seen(std::size_t(width) * height);
  std::vector<TSpan> region;
  std::vector<TPoint> stack{{x, y}};
  while (!stack.empty()) {
    const TPoint p = stack.back();
    stack.pop_back();
    const std::size_t rowStart = std::size_t(p.y) * width;
    if (seen[rowStart + p.x] || !matches(p.x, p.y)) continue;
    int x1 = p.x, x2 = p.x;
    while (x1 > 0 && !seen[rowStart + x1 - 1] && matches(x1 - 1, p.y)) --x1;
    while (x2 < width - 1 && !seen[rowStart + x2 + 1] && matches(x2 + 1, p.y)) ++x2;
    for (int i = x1; i <= x2; ++i) seen[rowStart + i] = true;
    region.push_back({p.y, x1, x2});
    // One seed for every run of matching pixels above and below.
    for (int ny : {p.y - 1, p.y + 1}) {
      if (ny < 0 || ny >= height) continue;
      bool inRun = false;
      for (int i = x1; i <= x2; ++i) {
        const bool fits = !seen[std::size_t(ny) * width + i] && matches(i, ny);
        if (fits && !inRun) stack.push_back({i, ny});
        inRun = fits;
      }
    }
  }
  for (const TSpan& s : region) writer.Span(s.y, s.x1, s.x2, hatch);
  if (TPainterTwin* twin = bitmap_.Twin()) {
    std::vector<TPainterTwin::TRow> rows;
    rows.reserve(region.size());
    for (const TSpan& s : region) rows.push_back({int(s.y), int(s.x1), int(s.x2)});
    twin->FillRows(std::move(rows), brush_);
  }
}

}  // namespace plotix
