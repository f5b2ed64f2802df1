// The analysis over the graph of bench/ten_functions.pxg in its view: the zeros and the
// extrema of each of its ten functions and the intersections of every pair (45), and the
// points a click on one of them shows, against one redraw of the same graph (the baseline); one integral of a smooth
// function, against 21 evaluations of it (one Gauss-Kronrod rule's worth); and a redraw of that function with its
// derivative, second derivative or integral curve, against one of it alone.
#include <QGuiApplication>
#include <cmath>
#include <cstdio>
#include <string>

#include "bench_medians.h"
#include "cartesian/cartesian_document.h"
#include "cartesian/derived_function.h"
#include "cartesian/function_points.h"
#include "expr/analysis.h"
#include "expr/integral.h"
#include "window/view_mapping.h"

namespace plotix {
namespace {

const std::string kGraph = PLOTIX_BENCH_DIR "/ten_functions.pxg";

struct TTen {
  TGraph2DDoc doc;
  std::vector<TMathProgram> programs;
  Extended a = 0, b = 0;
  TTen() {
    if (!OpenGraph(kGraph, doc)) std::abort();
    const TMapping2D map(doc.View(), doc.BitmapWidth(), doc.BitmapHeight());
    a = map.XOfCol(0);
    b = map.XOfCol(doc.BitmapWidth() - 1);
    for (const auto& f : doc.Functions()) programs.push_back(f->Callable()->Prepared()->Program());
  }
};

const TTen& Ten() {
  static const TTen ten;
  return ten;
}

void BM_AllPoints(benchmark::State& state) {
  const TTen& ten = Ten();
  std::size_t points = 0;
  for (auto _ : state) {
    points = 0;
    for (std::size_t i = 0; i < ten.programs.size(); ++i) {
      TFunctionOfX f(ten.programs[i], {0}, 0);
      points += FindZeros(f, ten.a, ten.b).points.size() + FindExtrema(f, ten.a, ten.b).points.size();
      for (std::size_t j = i + 1; j < ten.programs.size(); ++j) {
        TFunctionOfX d(Difference(ten.programs[i], ten.programs[j]), {0}, 0);
        points += FindZeros(d, ten.a, ten.b).points.size();
      }
    }
  }
  state.counters["points"] = double(points);
}
BENCHMARK(BM_AllPoints)->Unit(benchmark::kMillisecond);

// The points a click shows on x^5-5x^3+4x among the other nine functions at 1000 x 1000
// pixels: its zeros, extrema and meetings with the nine in view, at most 200.
void BM_PointsAtAClick(benchmark::State& state) {
  TGraph2DDoc doc;
  OpenGraph(kGraph, doc);
  doc.SetBitmapSize(1000, 1000);
  TFuncList<TBaseFunc2DObj> list = CloneFunctions(doc.Functions());
  static_cast<TFunc2DObj&>(*list[0]).Func.SetExpression("x^5-5x^3+4x");
  doc.SetFunctions(std::move(list));
  const TMapping2D map(doc.View(), doc.BitmapWidth(), doc.BitmapHeight());
  std::size_t points = 0;
  for (auto _ : state) points = PointsInView(doc, 0, map, map.width / 2.0, map.height / 2.0, 200).rows.size();
  state.counters["points"] = double(points);
}
BENCHMARK(BM_PointsAtAClick)->Unit(benchmark::kMillisecond);

void BM_Redraw(benchmark::State& state) {
  TGraph2DDoc doc;
  OpenGraph(kGraph, doc);
  TBitmap bitmap(doc.BitmapWidth(), doc.BitmapHeight());
  for (auto _ : state) {
    doc.Render(bitmap);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Redraw)->Unit(benchmark::kMillisecond);

TFunctionOfX Smooth() {
  TMathGraphFunc f;
  f.SetVariableCount(1);
  f.SetVariableName(0, "X");
  f.SetExpression("exp(-x^2)*cos(3x)");
  f.Compile();
  return TFunctionOfX(f.Prepared()->Program(), {0}, 0);
}

void BM_Integral(benchmark::State& state) {
  TFunctionOfX f = Smooth();
  int evaluations = 0;
  for (auto _ : state) {
    const TIntegral i = Integrate([&f](Extended x, Extended& y, int&) { return f.Value(x, y); }, -2, 3);
    evaluations = i.evaluations;
    benchmark::DoNotOptimize(i.value);
  }
  state.counters["evaluations"] = evaluations;
}
BENCHMARK(BM_Integral)->Unit(benchmark::kMicrosecond);

void BM_Evaluations21(benchmark::State& state) {
  TFunctionOfX f = Smooth();
  for (auto _ : state)
    for (int k = 0; k < 21; ++k) {
      Extended y = 0;
      benchmark::DoNotOptimize(f.Value(-2 + k * 0.25L, y));
      benchmark::DoNotOptimize(y);
    }
}
BENCHMARK(BM_Evaluations21)->Unit(benchmark::kMicrosecond);

// f = exp(-x^2)*cos(3x) over x from -5 to 5 on 1000 x 1000 pixels, alone (0) or with its
// derived curve of kind 1, 2 or 3.
void BM_DerivedCurve(benchmark::State& state) {
  TGraph2DDoc doc;
  doc.SetBitmapSize(1000, 1000);
  doc.SetView({100, 100, 0, 0});
  TFuncList<TBaseFunc2DObj> list;
  auto f = std::make_unique<TFunc2DObj>();
  f->Func.SetExpression("exp(-x^2)*cos(3x)");
  list.push_back(std::move(f));
  if (state.range(0))
    list.push_back(std::make_unique<TDerivedFuncObj>("f", TDerivedRequest{TDerivedKind(state.range(0))}));
  doc.SetFunctions(std::move(list));
  TBitmap bitmap(doc.BitmapWidth(), doc.BitmapHeight());
  for (auto _ : state) {
    doc.Render(bitmap);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DerivedCurve)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace plotix

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  plotix::TMedianReporter reporter;
  plotix::RunWithMedians(argc, argv, 7, reporter);
  const auto get = [&](const std::string& key) { return reporter.Median(key); };
  if (const double all = get("BM_AllPoints"); all > 0)
    std::printf(
        "\nten functions: zeros, extrema and 45 intersections %.2f ms (%.0f points), %.1fx one redraw (%.2f ms)\n", all,
        reporter.Counter("BM_AllPoints", "points"), all / get("BM_Redraw"), get("BM_Redraw"));
  if (const double click = get("BM_PointsAtAClick"); click > 0)
    std::printf(
        "the points of a click on x^5-5x^3+4x among nine others at 1000x1000: %.2f ms (%.0f points), %.1fx one redraw "
        "of the ten at 500x500\n",
        click, reporter.Counter("BM_PointsAtAClick", "points"), click / get("BM_Redraw"));
  if (const double integral = get("BM_Integral"); integral > 0)
    std::printf("integral of exp(-x^2)*cos(3x) on [-2, 3]: %.1f us (%.0f evaluations), %.1fx 21 evaluations\n",
                integral, reporter.Counter("BM_Integral", "evaluations"), integral / get("BM_Evaluations21"));
  if (const double alone = get("BM_DerivedCurve/0"); alone > 0)
    std::printf(
        "exp(-x^2)*cos(3x) at 1000x1000: alone %.2f ms; with f' %.2f ms, with f'' %.2f ms, with its integral "
        "curve %.2f ms\n",
        alone, get("BM_DerivedCurve/1"), get("BM_DerivedCurve/2"), get("BM_DerivedCurve/3"));
  benchmark::Shutdown();
  return 0;
}
