// A full 2D redraw (background, axes, tick labels, functions) of the default
// 500 x 500 view, with 1 and with 10 functions, and how it splits into evaluation
// and drawing. Also the redraw at other widths and function counts, to show that
// its cost grows linearly with both.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdio>
#include <memory>
#include <string>

#include "bench_medians.h"
#include "cartesian/cartesian_document.h"
#include "platform/canvas.h"
#include "platform/painter_twin.h"

namespace plotix {
namespace {

struct TFuncSpec {
  const char* text;
  bool asymptote;
  bool extra;
};

const TFuncSpec kFunctions[] = {
    {"x^3-2x", false, false},     {"sin(x)", false, false},     {"tan(x)", false, false},
    {"1/x", true, false},         {"sqrt(1-x^2)", false, true}, {"cos(x)*exp(-x^2/10)", false, false},
    {"x^2/4-3", false, false},    {"abs(x)-2", false, false},   {"ln(abs(x))", false, false},
    {"round(x)/2", false, false},
};

void Fill(TGraph2DDoc& doc, int count) {
  TFuncList<TBaseFunc2DObj> functions;
  for (int i = 0; i < count; ++i) {
    const TFuncSpec& spec = kFunctions[i % 10];
    auto f = std::make_unique<TFunc2DObj>();
    f->Func.SetExpression(spec.text);
    f->Func.Compile();
    f->AsymptoteFixUp = spec.asymptote;
    f->ExtraAccuracy = spec.extra;
    functions.push_back(std::move(f));
  }
  doc.SetFunctions(std::move(functions));
}

// The whole redraw.
void BM_Redraw(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  TGraph2DDoc doc;
  Fill(doc, static_cast<int>(state.range(1)));
  TBitmap bitmap(width, 500);
  for (auto _ : state) {
    doc.Render(bitmap);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Redraw)
    ->Args({500, 1})
    ->Args({500, 10})
    ->Args({250, 10})
    ->Args({1000, 10})
    ->Args({500, 5})
    ->Args({500, 20})
    ->Unit(benchmark::kMicrosecond);

// A slider step: a new value of the parameter a that the 10 functions read (each plus a*x/10,
// or, with calls, the first so and each other one plus f(x)/10, f being the first), then the
// exact redraw at width x width; against the same redraw with the value unchanged.
void BM_SliderStep(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  TGraph2DDoc doc;
  TParameter a;
  a.Name = "a";
  doc.SetParameters({a});
  TFuncList<TBaseFunc2DObj> functions;
  for (const TFuncSpec& spec : kFunctions) {
    auto f = std::make_unique<TFunc2DObj>();
    f->Name = DefaultFunctionName(int(functions.size()));
    f->Func.SetExpression(std::string(spec.text) + (functions.empty() || !state.range(2) ? "+a*x/10" : "+f(x)/10"));
    f->AsymptoteFixUp = spec.asymptote;
    f->ExtraAccuracy = spec.extra;
    functions.push_back(std::move(f));
  }
  doc.SetFunctions(std::move(functions));
  TBitmap bitmap(size, size);
  int step = 0;
  for (auto _ : state) {
    if (state.range(1)) a.Value = ParameterValueAt(a, ++step % 200);
    doc.SetParameters({a});
    doc.Render(bitmap);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SliderStep)->ArgsProduct({{500, 1000}, {0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);

// Only the evaluations a redraw makes: one per column from -1 to the width.
void BM_EvaluateOnly(benchmark::State& state) {
  TGraph2DDoc doc;
  Fill(doc, static_cast<int>(state.range(1)));
  const TMapping2D map(doc.View(), static_cast<int>(state.range(0)), 500);
  for (auto _ : state) {
    for (auto& f : doc.Functions()) {
      for (int col = -1; col <= map.width; ++col) {
        Extended y = 0;
        benchmark::DoNotOptimize(static_cast<TFunc2DObj&>(*f).Func.ValueAt(map.XOfCol(col), y));
        benchmark::DoNotOptimize(y);
      }
    }
  }
}
BENCHMARK(BM_EvaluateOnly)->Args({500, 1})->Args({500, 10})->Unit(benchmark::kMicrosecond);

// Powers in a whole redraw: 20 curves abs(x)^1.37 - k/4 over 2000 columns (an exponent
// without any shortcut), against the same redraw of abs(x)*sqrt(abs(x)) - k/4.
void BM_PowerRedraw(benchmark::State& state) {
  TFuncList<TBaseFunc2DObj> functions;
  for (int k = 0; k < 20; ++k) {
    auto f = std::make_unique<TFunc2DObj>();
    f->Func.SetExpression((state.range(0) ? "abs(x)^1.37-" : "abs(x)*sqrt(abs(x))-") + std::to_string(k) + "/4");
    f->Func.Compile();
    functions.push_back(std::move(f));
  }
  TGraph2DDoc doc;
  doc.SetFunctions(std::move(functions));
  TBitmap bitmap(2000, 500);
  for (auto _ : state) {
    doc.Render(bitmap);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PowerRedraw)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The window's smooth drawing of 10 functions at 1000 x 1000: the exact bitmap and its
// painter twin at the screen's pixel ratio (0: the exact bitmap alone), in one pass.
void BM_SmoothRedraw(benchmark::State& state) {
  const double ratio = double(state.range(0));
  TGraph2DDoc doc;
  Fill(doc, 10);
  TBitmap bitmap(1000, 1000);
  std::unique_ptr<TPainterTwin> twin;
  if (ratio > 0) bitmap.SetTwin((twin = std::make_unique<TPainterTwin>(1000, 1000, ratio)).get());
  for (auto _ : state) {
    doc.Render(bitmap);
    if (twin) benchmark::DoNotOptimize(twin->Image().constBits());
  }
}
BENCHMARK(BM_SmoothRedraw)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Background, axes and tick labels without functions.
void BM_Frame(benchmark::State& state) {
  TGraph2DDoc doc;
  TBitmap bitmap(500, 500);
  for (auto _ : state) {
    doc.Render(bitmap);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Frame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace plotix

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  plotix::TMedianReporter reporter;
  plotix::RunWithMedians(argc, argv, 7, reporter);
  const auto get = [&](const std::string& key) { return reporter.Median(key); };
  const double r1 = get("BM_Redraw/500/1"), r10 = get("BM_Redraw/500/10");
  const double e1 = get("BM_EvaluateOnly/500/1"), e10 = get("BM_EvaluateOnly/500/10");
  const double frame = get("BM_Frame");
  if (r10 > 0) {
    std::printf("\nmedians (us)            redraw   evaluation  frame  drawing\n");
    std::printf("500x500,  1 function  %8.1f  %10.1f  %5.1f  %7.1f\n", r1, e1, frame, r1 - e1 - frame);
    std::printf("500x500, 10 functions %8.1f  %10.1f  %5.1f  %7.1f\n", r10, e10, frame, r10 - e10 - frame);
    std::printf("10 functions: evaluation %.0f%%, drawing (frame + lines) %.0f%%\n", 100 * e10 / r10,
                100 * (r10 - e10) / r10);
    std::printf("width 250/500/1000: %.1f / %.1f / %.1f us;  functions 5/10/20: %.1f / %.1f / %.1f us\n",
                get("BM_Redraw/250/10"), r10, get("BM_Redraw/1000/10"), get("BM_Redraw/500/5"), r10,
                get("BM_Redraw/500/20"));
  }
  for (const char* size : {"500", "1000"})
    for (const char* calls : {"/0", "/1"})
      if (const std::string name = std::string("BM_SliderStep/") + size; get(name + "/1" + calls) > 0)
        std::printf("slider step, 10 functions reading a%s, %sx%s: %.1f us (same value: %.1f us)\n",
                    *(calls + 1) == '1' ? " (9 through a call of the first)" : "", size, size, get(name + "/1" + calls),
                    get(name + "/0" + calls));
  const double sqrtForm = get("BM_PowerRedraw/0"), powerForm = get("BM_PowerRedraw/1");
  if (sqrtForm > 0)
    std::printf("20 curves over 2000 columns: abs(x)^1.37 %.1f us, abs(x)*sqrt(abs(x)) %.1f us, ratio %.2f\n",
                powerForm, sqrtForm, powerForm / sqrtForm);
  const double exact = get("BM_SmoothRedraw/0");
  if (exact > 0)
    std::printf(
        "10 functions at 1000x1000: exact %.2f ms, smooth at ratio 1 %.2f ms (%.1fx), ratio 2 %.2f ms (%.1fx)\n", exact,
        get("BM_SmoothRedraw/1"), get("BM_SmoothRedraw/1") / exact, get("BM_SmoothRedraw/2"),
        get("BM_SmoothRedraw/2") / exact);
  benchmark::Shutdown();
  return 0;
}
