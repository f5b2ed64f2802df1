// Tracing implicit and parametric curves on a 1000 x 1000 view at 125 pixels a unit, with F,
// x(t) and y(t) as plain long double code: the lemniscate (x^2+y^2)^2 = 8(x^2-y^2) and the
// quartic x^4+y^4 = 4xy+1, against the baseline of F at every pixel of the same view; and a
// slow circle and a fast Lissajous figure against their 1001 base samples alone. The same
// curves as the program traces them, their definitions compiled, give the times a user waits.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "bench_medians.h"
#include "cartesian/curve_functions.h"
#include "cartesian/implicit_curve.h"
#include "cartesian/parametric_curve.h"

namespace plotix {
namespace {

constexpr int kSize = 1000;
constexpr Extended kPi = 3.14159265358979323846264338327950288L;
const TMapping2D kMap({125, 125, 0, 0}, kSize, kSize);
const char* const kEquations[] = {"(x^2+y^2)^2=8*(x^2-y^2)", "x^4+y^4=4*x*y+1"};

TImplicitEvaluator Equation(int which, long& evaluations) {
  if (which == 0)
    return [&evaluations](std::span<TImplicitSample> batch) {
      evaluations += batch.size();
      for (TImplicitSample& s : batch) {
        const Extended x2 = s.x * s.x, y2 = s.y * s.y;
        s.f = (x2 + y2) * (x2 + y2) - 8 * (x2 - y2);
        s.defined = true;
      }
    };
  return [&evaluations](std::span<TImplicitSample> batch) {
    evaluations += batch.size();
    for (TImplicitSample& s : batch) {
      const Extended x2 = s.x * s.x, y2 = s.y * s.y;
      s.f = x2 * x2 + y2 * y2 - 4 * s.x * s.y - 1;
      s.defined = true;
    }
  };
}

void BM_Implicit(benchmark::State& state) {
  long evaluations = 0;
  const TImplicitEvaluator f = Equation(static_cast<int>(state.range(0)), evaluations);
  for (auto _ : state) {
    evaluations = 0;
    benchmark::DoNotOptimize(TraceImplicitCurve(f, kMap));
  }
  state.counters["evaluations"] = static_cast<double>(evaluations);
}
BENCHMARK(BM_Implicit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The program's own tracing: the equation compiled and evaluated by the expression engine.
void BM_ImplicitCompiled(benchmark::State& state) {
  TImplicitFuncObj f;
  f.Equation.SetText(kEquations[state.range(0)]);
  for (auto _ : state) benchmark::DoNotOptimize(f.Trace(kMap));
}
BENCHMARK(BM_ImplicitCompiled)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The baseline: F at every pixel of the view, a row per batch.
void BM_EveryPixel(benchmark::State& state) {
  long evaluations = 0;
  const TImplicitEvaluator f = Equation(static_cast<int>(state.range(0)), evaluations);
  std::vector<TImplicitSample> row(kSize);
  for (auto _ : state) {
    for (int j = 0; j < kSize; ++j) {
      for (int i = 0; i < kSize; ++i) {
        row[i].x = (i - kMap.halfW) / kMap.zoomX;
        row[i].y = (kMap.halfH - j) / kMap.zoomY;
      }
      f(row);
      benchmark::DoNotOptimize(row.data());
    }
  }
}
BENCHMARK(BM_EveryPixel)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A circle of radius 1 (slow: its base samples lie under a pixel apart) and the Lissajous
// figure x = 3.9 sin 3t, y = 3.9 sin 4t (fast: nearly 10000 pixels long).
void Parametric(int which, long& evaluations, std::span<TParametricSample> batch) {
  evaluations += batch.size();
  for (TParametricSample& s : batch) {
    s.x = which == 0 ? cosl(s.t) : 3.9L * sinl(3 * s.t);
    s.y = which == 0 ? sinl(s.t) : 3.9L * sinl(4 * s.t);
    s.xDefined = s.yDefined = true;
  }
}

void BM_Parametric(benchmark::State& state) {
  long evaluations = 0;
  const int which = static_cast<int>(state.range(0));
  const TParametricEvaluator f = [&](std::span<TParametricSample> batch) { Parametric(which, evaluations, batch); };
  for (auto _ : state) {
    evaluations = 0;
    benchmark::DoNotOptimize(TraceParametricCurve(f, 0, 2 * kPi, kMap));
  }
  state.counters["evaluations"] = static_cast<double>(evaluations);
}
BENCHMARK(BM_Parametric)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ParametricCompiled(benchmark::State& state) {
  TParametricFuncObj f;
  f.X.SetExpression(state.range(0) == 0 ? "cos(t)" : "3.9sin(3t)");
  f.Y.SetExpression(state.range(0) == 0 ? "sin(t)" : "3.9sin(4t)");
  f.X.Compile();
  f.Y.Compile();
  for (auto _ : state) benchmark::DoNotOptimize(f.Trace(kMap));
}
BENCHMARK(BM_ParametricCompiled)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The baseline: the 1001 base samples alone, evaluated and mapped.
void BM_BaseSamples(benchmark::State& state) {
  long evaluations = 0;
  const int which = static_cast<int>(state.range(0));
  std::vector<TParametricSample> batch(kParametricBaseSamples + 1);
  for (auto _ : state) {
    for (int i = 0; i <= kParametricBaseSamples; ++i) batch[i].t = 2 * kPi * i / kParametricBaseSamples;
    Parametric(which, evaluations, batch);
    for (const TParametricSample& s : batch) benchmark::DoNotOptimize(BitmapPoint(kMap, s.x, s.y));
  }
}
BENCHMARK(BM_BaseSamples)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace plotix

int main(int argc, char** argv) {
  plotix::TMedianReporter reporter;
  plotix::RunWithMedians(argc, argv, 9, reporter);
  constexpr double kInterpreterNs = 100;
  std::printf("\nmedian CPU times, 1000 x 1000 view\n");
  for (const int which : {0, 1}) {
    const std::string arg = "/" + std::to_string(which);
    const double trace = reporter.Median("BM_Implicit" + arg), every = reporter.Median("BM_EveryPixel" + arg);
    const double evaluations = reporter.Counter("BM_Implicit" + arg, "evaluations");
    if (every <= 0 || evaluations <= 0) continue;
    // The lambda's own cost per point, from F at all million pixels; the rest of the trace
    // stays as it is when an interpreter takes the lambda's place.
    const double lambdaNs = every * 1e6 / (plotix::kSize * plotix::kSize);
    const double withInterpreter = trace + evaluations * (kInterpreterNs - lambdaNs) * 1e-6;
    std::printf(
        "%-24s %6.2f ms, %6.0f evaluations (%4.1f%% of the pixels), every pixel %6.2f ms (ratio %.3f);\n"
        "%24s at %.0f ns a point: %5.1f ms; compiled, as drawn: %5.1f ms\n",
        plotix::kEquations[which], trace, evaluations, 100 * evaluations / (plotix::kSize * plotix::kSize), every,
        trace / every, "", kInterpreterNs, withInterpreter, reporter.Median("BM_ImplicitCompiled" + arg));
  }
  for (const int which : {0, 1}) {
    const std::string arg = "/" + std::to_string(which);
    const double trace = reporter.Median("BM_Parametric" + arg), base = reporter.Median("BM_BaseSamples" + arg);
    if (base > 0)
      std::printf(
          "%-24s %6.1f us, %5.0f evaluations; 1001 base samples alone %5.1f us (ratio %.2f); compiled %6.1f us\n",
          which == 0 ? "circle cos t, sin t" : "3.9sin 3t, 3.9sin 4t", trace,
          reporter.Counter("BM_Parametric" + arg, "evaluations"), base, trace / base,
          reporter.Median("BM_ParametricCompiled" + arg));
  }
  benchmark::Shutdown();
  return 0;
}
