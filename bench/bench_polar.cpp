// A full polar redraw (background, rays, dashes and labels, functions) of the default
// 500 x 500 view with 1 and 10 functions of 1000 samples; the plotting alone against a bare
// loop of the same evaluations and sines and cosines; the densest grid (360 rays with
// circles or dashes and labels on 2000 x 2000); and the most a window may hold, 252
// functions of 100000 samples.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "bench_medians.h"
#include "expr/math_function.h"
#include "platform/canvas.h"
#include "platform/drawing_job.h"
#include "platform/geometry.h"
#include "polar/polar_document.h"

namespace plotix {
namespace {

const char* const kFunctions[] = {
    "2+cos(5theta)",           "1+cos(theta)", "3sin(3theta)", "theta/2",         "2",
    "4sqrt(abs(cos(2theta)))", "3-sin(x)",     "4cos(4x)",     "exp(sin(theta))", "1/cos(theta)"};
constexpr int kSamples = 1000;

void Fill(TGraphPolarDoc& doc, int count, int samples = kSamples) {
  TFuncList<TFuncPolarObj> functions;
  for (int i = 0; i < count; ++i) {
    auto f = std::make_unique<TFuncPolarObj>();
    f->Func.SetExpression(kFunctions[i % 10]);
    f->Func.Compile();
    f->Samples = samples;
    functions.push_back(std::move(f));
  }
  doc.SetFunctions(std::move(functions));
}

// The whole redraw of the default window.
void BM_Redraw(benchmark::State& state) {
  TGraphPolarDoc doc;
  Fill(doc, static_cast<int>(state.range(0)));
  TBitmap bitmap(500, 500);
  for (auto _ : state) {
    doc.Render(bitmap);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Redraw)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

// The functions alone: stepping, evaluation, mapping, clipping and the polylines.
void BM_PlotOnly(benchmark::State& state) {
  TGraphPolarDoc doc;
  Fill(doc, static_cast<int>(state.range(0)));
  TBitmap bitmap(500, 500);
  const TMapping2D map = PolarMapping(doc.View(), 500, 500);
  for (auto _ : state) {
    for (auto& f : doc.Functions()) PlotPolarFunction(*f, bitmap.Canvas(), map);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlotOnly)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

// The plotting of 10 functions with the trigonometry fix-up at its default range (2) and
// off (0): its share of a polar redraw.
void BM_PlotFixup(benchmark::State& state) {
  TGraphPolarDoc doc;
  Fill(doc, 10);
  TBitmap bitmap(500, 500);
  const TMapping2D map = PolarMapping(doc.View(), 500, 500);
  SetTrigFixup(int(state.range(0)), true);
  for (auto _ : state) {
    for (auto& f : doc.Functions()) PlotPolarFunction(*f, bitmap.Canvas(), map);
    benchmark::ClobberMemory();
  }
  SetTrigFixup(2, true);
}
BENCHMARK(BM_PlotFixup)->Arg(2)->Arg(0)->Unit(benchmark::kMicrosecond);

// The baseline: the same evaluations and the point of every theta (its sine and cosine),
// nothing drawn.
void BM_BareLoop(benchmark::State& state) {
  TGraphPolarDoc doc;
  Fill(doc, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    for (auto& f : doc.Functions()) {
      const Extended lo = f->LoBound, range = f->HiBound - f->LoBound;
      for (int i = 0; i <= kSamples; ++i) {
        const Extended theta = lo + range * i / kSamples;
        Extended r = 0, x, y;
        benchmark::DoNotOptimize(f->Func.ValueAt(theta, r));
        ToCartesian(theta, r, x, y);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
      }
    }
  }
}
BENCHMARK(BM_BareLoop)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

// 360 rays, a tick every 5 pixels as circles (1) or dashes (0), every tick labelled.
void BM_WorstGrid(benchmark::State& state) {
  TGraphPolarDoc doc;
  TSettingPolarObj settings;
  StandardAxisList(alIntervals, 1, settings.AxisCount, settings.AxisAngles);
  settings.TickIncrement = 1;
  settings.TickMarkType = state.range(0) ? ptCircles : ptDashes;
  doc.SetSettings(settings);
  doc.SetView({5, 0, 0});
  TBitmap bitmap(2000, 2000);
  for (auto _ : state) {
    doc.Render(bitmap);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_WorstGrid)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// 252 functions of 100000 samples each, on 1 thread and on every core (wall time).
void BM_MostFunctions(benchmark::State& state) {
  TGraphPolarDoc doc;
  Fill(doc, 252, 100000);
  TBitmap bitmap(500, 500);
  SetDrawingThreads(int(state.range(0)));
  for (auto _ : state) {
    doc.Render(bitmap);
    benchmark::ClobberMemory();
  }
  SetDrawingThreads(0);
}
BENCHMARK(BM_MostFunctions)->Arg(1)->Arg(0)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace plotix

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  plotix::TMedianReporter reporter;
  plotix::RunWithMedians(argc, argv, 9, reporter);
  const auto get = [&](const std::string& key) { return reporter.Median(key); };
  const double points = 1001;
  std::printf("\nmedian CPU times                 1 function   10 functions\n");
  std::printf("full redraw (us)               %11.1f  %13.1f\n", get("BM_Redraw/1"), get("BM_Redraw/10"));
  for (const int count : {1, 10}) {
    const double plot = get("BM_PlotOnly/" + std::to_string(count)), bare = get("BM_BareLoop/" + std::to_string(count));
    if (bare > 0)
      std::printf("%2d: plot %.1f ns/sample, bare evaluation + sincos %.1f ns/sample, ratio %.2f\n", count,
                  1000 * plot / (count * points), 1000 * bare / (count * points), plot / bare);
  }
  const double fixed = get("BM_PlotFixup/2"), plain = get("BM_PlotFixup/0");
  if (fixed > 0) std::printf("trigonometry fix-up: %.0f%% of the plotting of 10 functions\n", 100 * (fixed - plain) / fixed);
  std::printf("2000x2000, 360 rays, labels: circles %.1f ms, dashes %.1f ms\n", get("BM_WorstGrid/1"),
              get("BM_WorstGrid/0"));
  benchmark::Shutdown();
  return 0;
}
