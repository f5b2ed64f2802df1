// Label editing on a 1000 x 1000 2D graph holding 2000 labels: one mouse move of a drag,
// the memory of a long history of drags, a click's hit test with long free-hand strokes among the labels, and a full redraw.
// Baselines in the same run: a mouse move with no gesture (the status line alone) and a
// redraw without labels.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QUndoStack>
#include <malloc.h>

#include <cmath>
#include <memory>
#include <random>

#include "cartesian/cartesian_window.h"
#include "window/status_line.h"

namespace plotix {
namespace {

constexpr int kSize = 1000;
constexpr int kLabels = 2000;

// A stroke of the most points a stroke holds, swinging across the whole bitmap, so that
// no click falls outside its bounds.
std::unique_ptr<TDrawFreeHand> LongStroke(TLabelOwner& owner, int seed) {
  auto stroke = std::make_unique<TDrawFreeHand>(owner);
  for (int i = 0; i < kMaxFreeHandPoints; ++i) {
    const double t = i * 0.002 + seed;
    const int x = 500 + int(480 * std::sin(3 * t)), y = 500 + int(480 * std::sin(4 * t + seed));
    stroke->MouseAction(x, y, i == 0 ? mpCreatePress : mpCreateDrag);
  }
  return stroke;
}

// Boxes, lines and texts scattered over the bitmap, `strokes` long strokes and `fills`
// flood fills among them; a rectangle at (20, 20)-(120, 80) comes last, to be dragged.
struct TLabelledGraph {
  TLabelledGraph(int strokes, int fills) : status([](int, const std::string&) {}) {
    window.SetStatusLine(&status);
    window.SetBitmapSize(kSize, kSize);
    TLabelOwner& owner = window.LabelOwner();
    TLabelList labels;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> at(0, kSize - 1), extent(5, 80);
    for (int i = 0; i < kLabels - 1; ++i) {
      const int x = at(random), y = at(random);
      std::unique_ptr<TDrawBaseClass> label;
      if (i < strokes) {
        label = LongStroke(owner, i);
      } else if (i < strokes + fills) {
        auto fill = std::make_unique<TDrawFloodFill>(owner);
        fill->Seed = {x, y};
        fill->FillColor = RGBColor(i % 256, 128, 200);
        label = std::move(fill);
      } else {
        constexpr int kKinds[] = {ltLine, ltRectangle, ltEllipse, ltRoundRect, ltText};
        label = CreateLabel(kKinds[i % 5], owner);
        if (auto* text = dynamic_cast<TDrawText*>(label.get())) {
          text->SetText({x, y}, "Label " + std::to_string(i), text->Font);
        } else {
          auto& shape = static_cast<TDrawLabel&>(*label);
          shape.P1 = {x, y};
          shape.P2 = {x + extent(random), y + extent(random)};
        }
      }
      labels.push_back(std::move(label));
    }
    auto box = CreateLabel(ltRectangle, owner);
    static_cast<TDrawLabel&>(*box).P1 = {20, 20};
    static_cast<TDrawLabel&>(*box).P2 = {120, 80};
    labels.push_back(std::move(box));
    window.LabelEditor().SetLabels(std::move(labels));
    window.RenderGraph();
  }
  TStatusLine status;
  TFunc2DWindow window;
};

void BM_MouseMoveIdle(benchmark::State& state) {
  TLabelledGraph graph(0, 0);
  int i = 0;
  for (auto _ : state) {
    ++i;
    graph.window.MouseMove(Qt::NoButton, Qt::NoModifier, 300 + (i & 1), 300);
  }
}
BENCHMARK(BM_MouseMoveIdle)->Unit(benchmark::kMicrosecond);

// The rectangle held by its edge and moved back and forth.
void BM_DragMove(benchmark::State& state) {
  TLabelledGraph graph(0, 0);
  TFunc2DWindow& w = graph.window;
  w.MouseDown(Qt::LeftButton, Qt::NoModifier, 20, 50);
  w.MouseMove(Qt::LeftButton, Qt::NoModifier, 25, 50);
  int i = 0;
  for (auto _ : state) {
    ++i;
    w.MouseMove(Qt::LeftButton, Qt::NoModifier, 30 + (i & 1) * 40, 50 + (i & 1) * 30);
  }
  w.MouseUp(Qt::LeftButton, Qt::NoModifier, 30, 50);
}
BENCHMARK(BM_DragMove)->Unit(benchmark::kMicrosecond);

// The history of 1000 drags of the rectangle: each step holds where it moved, not a copy
// of the 2000 labels. Counter: the heap the history grew by, in MB.
void BM_HistoryOf1000Drags(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    TLabelledGraph graph(0, 0);
    TFunc2DWindow& w = graph.window;
    const std::size_t before = ::mallinfo2().uordblks;
    state.ResumeTiming();
    for (int i = 0; i < 1000; ++i) {
      const int x = 20 + (i & 1) * 40;  // the box's left edge, dragged 40 to the right and back
      w.MouseDown(Qt::LeftButton, Qt::NoModifier, x, 50);
      w.MouseMove(Qt::LeftButton, Qt::NoModifier, x + 20, 50);
      w.MouseUp(Qt::LeftButton, Qt::NoModifier, x + (i & 1 ? -40 : 40), 50);
    }
    state.PauseTiming();
    state.counters["MB"] = double(::mallinfo2().uordblks - before) / 1e6;
    state.counters["steps"] = w.History()->count();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_HistoryOf1000Drags)->Iterations(3)->Unit(benchmark::kMillisecond);

// A click in the middle: every label is measured, the strokes point by point where their
// blocks come near.
void BM_ClickHitTest(benchmark::State& state) {
  TLabelledGraph graph(int(state.range(0)), 0);
  TFunc2DWindow& w = graph.window;
  for (auto _ : state) {
    w.MouseDown(Qt::LeftButton, Qt::NoModifier, 500, 500);
    w.MouseUp(Qt::LeftButton, Qt::NoModifier, 500, 500);
  }
  state.counters["strokes"] = double(state.range(0));
}
BENCHMARK(BM_ClickHitTest)->Arg(0)->Arg(20)->Arg(100)->Unit(benchmark::kMicrosecond);

// The whole graph: axes, then every label over it; range(0) flood fills among them.
void BM_RenderGraph(benchmark::State& state) {
  TLabelledGraph graph(0, int(state.range(0)));
  for (auto _ : state) graph.window.RenderGraph();
  state.counters["fills"] = double(state.range(0));
}
BENCHMARK(BM_RenderGraph)->Arg(0)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_RenderGraphNoLabels(benchmark::State& state) {
  TStatusLine status([](int, const std::string&) {});
  TFunc2DWindow window;
  window.SetStatusLine(&status);
  window.SetBitmapSize(kSize, kSize);
  for (auto _ : state) window.RenderGraph();
}
BENCHMARK(BM_RenderGraphNoLabels)->Unit(benchmark::kMillisecond);

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
