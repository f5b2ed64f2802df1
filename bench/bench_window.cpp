// The desktop program's own speed: a 2D window's redraw with 10 functions including
// the copy to the screen and the repaint, a heavy polar redraw in the background, and
// start-up to a shown main window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <memory>

#include "app/function_panel.h"
#include "app/main_window.h"
#include "cartesian/cartesian_window.h"
#include "platform/limits.h"
#include "polar/polar_window.h"

namespace plotix {
namespace {

const char* const kFunctions[] = {
    "x^3-2x",  "sin(x)",   "tan(x)",     "1/x",       "sqrt(1-x^2)", "cos(x)*exp(-x^2/10)",
    "x^2/4-3", "abs(x)-2", "ln(abs(x))", "round(x)/2"};

void BM_WindowRedraw10(benchmark::State& state) {
  TFunc2DWindow window;
  window.NewDefaultSize();
  TFuncList<TBaseFunc2DObj> functions;
  for (const char* text : kFunctions) {
    auto f = std::make_unique<TFunc2DObj>();
    f->Func.SetExpression(text);
    f->Func.Compile();
    functions.push_back(std::move(f));
  }
  static_cast<TFunc2DObj&>(*functions[3]).AsymptoteFixUp = true;
  static_cast<TFunc2DObj&>(*functions[4]).ExtraAccuracy = true;
  window.SetFunctions(std::move(functions));
  window.show();
  QApplication::processEvents();
  for (auto _ : state) {
    window.RenderGraph();
    QApplication::processEvents();  // the repaint of the screen copy
  }
}
BENCHMARK(BM_WindowRedraw10)->Unit(benchmark::kMillisecond);

// From a slider's move to the new picture on screen: the value previewed, drawn in the
// background (exact, or smooth at the screen's ratio) and shown, with 10 functions reading
// the parameter on a size x size bitmap.
void BM_SliderToScreen(benchmark::State& state) {
  TProgramSettings settings;
  settings.drawInBackground = true;
  settings.smoothDrawing = state.range(1) != 0;
  TFunc2DWindow window;
  window.SetProgramSettings(&settings);
  window.SetBitmapSize(int(state.range(0)), int(state.range(0)));
  TParameter a;
  a.Name = "a";
  window.SetParameters({a}, QStringLiteral("Add Parameter"));
  TFuncList<TBaseFunc2DObj> functions;
  for (const char* text : kFunctions) {
    auto f = std::make_unique<TFunc2DObj>();
    f->Func.SetExpression(std::string(text) + "+a*x/10");
    functions.push_back(std::move(f));
  }
  window.SetFunctions(std::move(functions));
  window.resize(int(state.range(0)) + 40, int(state.range(0)) + 40);
  window.show();
  window.FinishDrawing();
  QApplication::processEvents();
  bool shown = false;
  QObject::connect(&window, &TFuncGraphWindow::Rendered, [&shown] { shown = true; });
  int step = 0;
  for (auto _ : state) {
    shown = false;
    window.PreviewParameter(0, ParameterValueAt(a, ++step % 200));
    while (!shown) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QApplication::processEvents();  // the repaint
  }
}
BENCHMARK(BM_SliderToScreen)
    ->Args({500, 0})
    ->Args({500, 1})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A graph of the 10 functions at size x size with smooth drawing, drawn in the background,
// its functions in a "Functions" dock.
struct TTypedGraph {
  explicit TTypedGraph(int size) {
    settings.drawInBackground = true;
    settings.smoothDrawing = true;
    window.SetProgramSettings(&settings);
    window.SetBitmapSize(size, size);
    TFuncList<TBaseFunc2DObj> functions;
    for (const char* text : kFunctions) {
      auto f = std::make_unique<TFunc2DObj>();
      f->Func.SetExpression(text);
      functions.push_back(std::move(f));
    }
    window.SetFunctions(std::move(functions));
    window.resize(size + 40, size + 40);
    window.show();
    panel.FollowGraph(&window);
    panel.show();
    window.FinishDrawing();
    QApplication::processEvents();
  }
  // A key typed in the first row's line.
  void Key(Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(panel.Rows()[0].line, &press);
  }
  TProgramSettings settings;
  TFunc2DWindow window;
  TFunctionPanel panel;
};

// From a key in a row of the dock to the new picture on screen: the line read and
// compiled, the graph drawn in the background and shown, typing a digit and taking it back
// in turn in the first of 10 functions.
void BM_KeyToScreen(benchmark::State& state) {
  TTypedGraph graph(int(state.range(0)));
  graph.panel.Rows()[0].line->setCursorPosition(6);  // after "x^3-2x"
  bool shown = false;
  QObject::connect(&graph.window, &TFuncGraphWindow::Rendered, [&shown] { shown = true; });
  int step = 0;
  for (auto _ : state) {
    shown = false;
    if (++step % 2)
      graph.Key(Qt::Key_1, QStringLiteral("1"));
    else
      graph.Key(Qt::Key_Backspace, {});
    while (!shown) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QApplication::processEvents();  // the repaint
  }
}
BENCHMARK(BM_KeyToScreen)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

// A 40-character definition typed at 20 keys a second into the first row. Counter: the
// longest a key came late after the one before, in ms: how long the window could not answer.
void BM_TypingAt20KeysASecond(benchmark::State& state) {
  TTypedGraph graph(1000);
  const QString line = QStringLiteral("sin(x)*cos(2x)+x^3/20-2x+exp(-x^2)/3+0.5");
  qint64 worst = 0;
  for (auto _ : state) {
    graph.panel.Rows()[0].line->clear();
    int typed = 0;
    QElapsedTimer tick;
    tick.start();
    QEventLoop loop;
    QTimer keys;
    keys.setTimerType(Qt::PreciseTimer);
    keys.setInterval(50);
    QObject::connect(&keys, &QTimer::timeout, [&] {
      worst = std::max(worst, tick.restart() - 50);
      graph.Key(Qt::Key_unknown, line.mid(typed, 1));
      if (++typed == line.size()) loop.quit();
    });
    keys.start();
    loop.exec();
    graph.window.FinishDrawing();
  }
  state.counters["worst_wait_ms"] = double(worst);
}
BENCHMARK(BM_TypingAt20KeysASecond)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// The most a polar window may hold, 252 functions of 100000 samples, drawn in the
// background while a 10 ms timer runs on the GUI thread. Counter: the timer's worst
// lateness in ms, the longest the window could not answer.
void BM_PolarHeavyInBackground(benchmark::State& state) {
  TProgramSettings settings;
  settings.drawInBackground = true;
  TFuncPolarWindow window;
  window.SetProgramSettings(&settings);
  window.NewDefaultSize();
  window.FinishDrawing();
  TFuncList<TFuncPolarObj> functions;
  for (int i = 0; i < kMaxFunctions; ++i) {
    auto f = std::make_unique<TFuncPolarObj>();
    f->Func.SetExpression(i % 2 ? "2+cos(5theta)" : "3sin(3theta)");
    f->Func.Compile();
    f->Samples = 100000;
    functions.push_back(std::move(f));
  }
  window.SetFunctions(std::move(functions));
  window.FinishDrawing();
  qint64 worst = 0;
  QElapsedTimer tick;
  QTimer timer;
  timer.setInterval(10);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    worst = std::max(worst, tick.elapsed() - 10);
    tick.start();
  });
  for (auto _ : state) {
    QEventLoop loop;
    QObject::connect(&window, &TFuncGraphWindow::Rendered, &loop, &QEventLoop::quit);
    worst = 0;
    tick.start();
    timer.start();
    window.RenderGraph();
    loop.exec();
    timer.stop();
  }
  state.counters["worst_block_ms"] = double(worst);
}
BENCHMARK(BM_PolarHeavyInBackground)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

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
