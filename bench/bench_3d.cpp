// The 3D graph: building a full line store (65535 lines) with its duplicate-point index
// against the newest-first linear search it replaces; the redraw of the default window
// and of a full store at 1000 x 1000, each against a plain loop that projects and draws
// the same lines without the hidden-line rule; and a redraw after a rotation step.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench_medians.h"
#include "graph3d/function.h"
#include "graph3d/render.h"
#include "platform/canvas.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

// The store-full message of every build, not shown.
class TQuietMessages : public TMsgHandler {
 public:
  TMsgAnswer Show(TMsgKind, const std::string&, TMsgButtons buttons) override { return CancellingAnswer(buttons); }
};

// What a 3D document draws: its functions' meshes in the store, the settings and the view.
struct TGraph {
  TFuncList<TBaseFunc3DObj> functions;
  TSettings3DObj settings;
  TView3D view;
  TLineObj lines;
  T3DRenderer renderer;

  // Every function's mesh in list order, as a new function list builds them.
  void RebuildMeshes() {
    lines.Clear();
    for (std::size_t i = 0; i < functions.size(); ++i)
      if (!functions[i]->BuildMesh(int(i), lines)) break;
  }
};

// The default window: one default surface, 500 x 500.
void DefaultGraph(TGraph& doc) {
  auto f = std::make_unique<TFunc3DObj>();
  f->Func.SetExpression("x^2-y^2");
  f->Func.Compile();
  doc.functions.push_back(std::move(f));
  doc.view.RotateX = -60;
  doc.view.RotateZ = 30;
  doc.view.Zoom = 100;
  doc.RebuildMeshes();
}

// Four of the largest rotated functions (two lines with 98 detail, 100 circles: 199 turns
// of 100 points, about 20000 lines each); the fourth fills the store.
void FullGraph(TGraph& doc) {
  const char* texts[] = {"1+x/3", "2+sin(x)/2", "3-x/4", "0.5+x^2/8"};
  for (const char* text : texts) {
    auto f = std::make_unique<TFuncRotateObj>();
    f->Func.SetExpression(text);
    f->Func.Compile();
    f->LoText = "-4";
    f->Lo = -4;
    f->HiText = "4";
    f->Hi = 4;
    f->Lines = 2;
    f->CircleDetail = 98;
    f->Circles = 100;
    f->LineDetail = 0;
    doc.functions.push_back(std::move(f));
  }
  doc.view.RotateX = -60;
  doc.view.RotateZ = 30;
  doc.view.Zoom = 110;
  doc.RebuildMeshes();
}

void BM_BuildFullStore(benchmark::State& state) {
  TGraph doc;
  FullGraph(doc);
  for (auto _ : state) {
    doc.RebuildMeshes();
    benchmark::DoNotOptimize(doc.lines.PointCount());
  }
  state.counters["lines"] = doc.lines.LineCount();
}
BENCHMARK(BM_BuildFullStore)->Unit(benchmark::kMillisecond);

// What the newest-first linear search costs on the same store: every point of a function
// compared with the points of that function stored before it.
void BM_BuildFullStore_LinearSearch(benchmark::State& state) {
  TGraph doc;
  FullGraph(doc);
  std::vector<int> starts;  // the first point of each function
  doc.lines.Clear();
  for (std::size_t i = 0; i < doc.functions.size(); ++i) {
    starts.push_back(doc.lines.PointCount());
    if (!doc.functions[i]->BuildMesh(int(i), doc.lines)) break;
  }
  starts.push_back(doc.lines.PointCount());
  const TLineObj& store = doc.lines;
  for (auto _ : state) {
    long long equal = 0;
    for (std::size_t f = 0; f + 1 < starts.size(); ++f)
      for (int i = starts[f]; i < starts[f + 1]; ++i)
        for (int j = i - 1; j >= starts[f]; --j) equal += store.Point(j).P == store.Point(i).P;
    benchmark::DoNotOptimize(equal);
  }
}
BENCHMARK(BM_BuildFullStore_LinearSearch)->Unit(benchmark::kMillisecond)->Iterations(1);

// A full redraw: background, projection, edges with the hidden-line rule, axis labels.
void Redraw(benchmark::State& state, void (*make)(TGraph&), int size, bool rotate) {
  TGraph doc;
  make(doc);
  TBitmap bitmap(size, size);
  for (auto _ : state) {
    if (rotate) doc.view.RotateY = RotateAngle(doc.view.RotateY, true, TZoom3DSettings{}.rotationAmount);
    doc.renderer.Draw(bitmap, doc.lines, doc.settings, doc.view);
    benchmark::ClobberMemory();
  }
  const double pixels = double(doc.renderer.PixelsVisited());
  state.counters["pixels"] = pixels;
}

// The same lines projected and drawn with a plain Bresenham loop, no depth test.
void PlainRedraw(benchmark::State& state, void (*make)(TGraph&), int size) {
  TGraph doc;
  make(doc);
  TBitmap bitmap(size, size);
  TLineObj& store = doc.lines;
  TCanvas& canvas = bitmap.Canvas();
  std::vector<std::uint32_t*> rows(static_cast<std::size_t>(size));
  for (int y = 0; y < size; ++y) rows[std::size_t(y)] = canvas.ScanLine(y);
  for (auto _ : state) {
    canvas.Brush() = {0xFFFFFF, bsSolid};
    canvas.FillRect({0, 0, size, size});
    store.Project(RotationOf(doc.view), doc.view.Zoom, size / 2, size / 2);
    for (int i = 0; i < store.LineCount(); ++i) {
      const TLinePoint& a = store.Point(store.Line(i).PointA);
      const TLinePoint& b = store.Point(store.Line(i).PointB);
      int x = a.ScreenX, y = a.ScreenY;
      const int dx = std::abs(b.ScreenX - x), dy = -std::abs(b.ScreenY - y);
      const int sx = x < b.ScreenX ? 1 : -1, sy = y < b.ScreenY ? 1 : -1;
      for (int err = dx + dy;;) {
        if (x >= 0 && x < size && y >= 0 && y < size) rows[std::size_t(y)][x] = 0xFF0000FF;
        if (x == b.ScreenX && y == b.ScreenY) break;
        const int e2 = 2 * err;
        if (e2 >= dy) err += dy, x += sx;
        if (e2 <= dx) err += dx, y += sy;
      }
    }
    benchmark::ClobberMemory();
  }
}

void BM_RedrawDefault(benchmark::State& state) { Redraw(state, DefaultGraph, 500, false); }
void BM_RedrawDefault_Plain(benchmark::State& state) { PlainRedraw(state, DefaultGraph, 500); }
void BM_RedrawFullStore(benchmark::State& state) { Redraw(state, FullGraph, 1000, false); }
void BM_RedrawFullStore_Plain(benchmark::State& state) { PlainRedraw(state, FullGraph, 1000); }
void BM_RotateFullStore(benchmark::State& state) { Redraw(state, FullGraph, 1000, true); }
BENCHMARK(BM_RedrawDefault)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawDefault_Plain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawFullStore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawFullStore_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RotateFullStore)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace plotix

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  plotix::InstallMsgHandler(std::make_unique<plotix::TQuietMessages>());
  plotix::TMedianReporter reporter;
  plotix::RunWithMedians(argc, argv, 7, reporter);
  const auto get = [&](const char* key) { return reporter.Median(key); };
  const double build = get("BM_BuildFullStore"), linear = get("BM_BuildFullStore_LinearSearch");
  const double def = get("BM_RedrawDefault"), defPlain = get("BM_RedrawDefault_Plain");
  const double full = get("BM_RedrawFullStore"), fullPlain = get("BM_RedrawFullStore_Plain");
  const double fullPixels = reporter.Counter("BM_RedrawFullStore", "pixels");
  std::printf("\nmedians of CPU time\n");
  if (build > 0 && linear > 0)
    std::printf("full store build (65535 lines): %7.2f ms; its newest-first linear search alone: %.0f ms (%.0fx)\n",
                build, linear, linear / build);
  if (def > 0 && defPlain > 0)
    std::printf("default window redraw, 500x500: %7.1f us; plain loop %.1f us (ratio %.2f)\n", def, defPlain,
                def / defPlain);
  if (full > 0 && fullPlain > 0 && fullPixels > 0)
    std::printf(
        "full store redraw, 1000x1000:   %7.2f ms; plain loop %.2f ms (ratio %.2f); %.0f pixels, %.1f ns each\n", full,
        fullPlain, full / fullPlain, fullPixels, full * 1e6 / fullPixels);
  if (get("BM_RotateFullStore") > 0)
    std::printf("rotation step, full store:      %7.2f ms\n", get("BM_RotateFullStore"));
  benchmark::Shutdown();
  return 0;
}
