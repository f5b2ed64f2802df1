// The desktop program's own speed: a 2D window's redraw with 10 functions including
// the copy to the screen and the repaint, and start-up to a shown main window.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>

#include "app/main_window.h"
#include "cartesian/cartesian_window.h"

namespace plotix {
namespace {

const char* const kFunctions[] = {
    "x^3-2x",  "sin(x)",   "tan(x)",     "1/x",       "sqrt(1-x^2)", "cos(x)*exp(-x^2/10)",
    "x^2/4-3", "abs(x)-2", "ln(abs(x))", "round(x)/2"};

void BM_WindowRedraw10(benchmark::State& state) {
  TFunc2DWindow window;
  window.NewDefaultSize();
  TFuncList<TFunc2DObj> functions;
  for (const char* text : kFunctions) {
    auto f = std::make_unique<TFunc2DObj>();
    f->Func.SetExpression(text);
    f->Func.Compile();
    functions.push_back(std::move(f));
  }
  functions[3]->AsymptoteFixUp = true;
  functions[4]->ExtraAccuracy = true;
  window.SetFunctions(std::move(functions));
  window.show();
  QApplication::processEvents();
  for (auto _ : state) {
    window.RenderGraph();
    QApplication::processEvents();  // the repaint of the screen copy
  }
}
BENCHMARK(BM_WindowRedraw10)->Unit(benchmark::kMillisecond);

void BM_StartUp(benchmark::State& state) {
  for (auto _ : state) {
    TMainForm form;
    form.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(form.isVisible());
  }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace plotix

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
