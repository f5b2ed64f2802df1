// Saving and opening the largest 2D graph the program allows: 252 functions with
// bounds and special values, and 2000 labels of every kind. The save includes
// writing beside the old file, syncing it to disk and renaming it into place.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "cartesian/cartesian_document.h"
#include "platform/canvas.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

void Fill(TGraph2DDoc& doc) {
  const char* texts[] = {"x^3-2x", "sin(x)*cos(2x)", "tan(x)", "1/x", "sqrt(1-x^2)", "ln(abs(x))+round(x)/2"};
  for (int i = 0; i < kMaxFunctions; ++i) {
    auto f = std::make_unique<TFunc2DObj>();
    f->Func.SetExpression(texts[i % 6]);
    f->Func.Compile();
    f->LoBoundText = "-10";
    f->LoBoundEmpty = false;
    f->LoBound = -10;
    for (int k = 0; k < 10; ++k) {
      f->SpecialXLines.push_back(std::to_string(k));
      f->SpecialX.push_back(k);
    }
    doc.Functions.push_back(std::move(f));
  }
  for (int i = 0; i < kMaxLabels; ++i) {
    const int code = i % 7 + 1;
    doc.Labels.push_back(CreateLabel(code, doc.LabelOwner));
    TDrawBaseClass& label = *doc.Labels.back();
    const int x = i % 400, y = (i * 7) % 400;
    if (auto* text = dynamic_cast<TDrawText*>(&label)) {
      text->SetText({x, y}, "Label " + std::to_string(i), DefaultFont());
    } else if (auto* hand = dynamic_cast<TDrawFreeHand*>(&label)) {
      hand->MouseAction(x, y, mpCreatePress);
      for (int k = 1; k < 100; ++k) hand->MouseAction(x + k, y + (k * k) % 13, mpCreateDrag);
    } else if (auto* fill = dynamic_cast<TDrawFloodFill*>(&label)) {
      fill->Seed = {x, y};
    } else if (auto* shape = dynamic_cast<TDrawLabel*>(&label)) {
      shape->P1 = {x, y};
      shape->P2 = {x + 50, y + 30};
    }
  }
}

struct TBigGraph {
  TBigGraph() {
    Fill(doc);
    path = (std::filesystem::temp_directory_path() / "plotix-bench-files.pxg").string();
  }
  ~TBigGraph() { std::remove(path.c_str()); }
  TGraph2DDoc doc;
  std::string path;
};

void BM_SaveGraph(benchmark::State& state) {
  TScopedScriptedMessages messages;
  TBigGraph big;
  for (auto _ : state) {
    if (!big.doc.SaveGraph(big.path)) state.SkipWithError("save failed");
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(big.path));
}
BENCHMARK(BM_SaveGraph)->Unit(benchmark::kMillisecond);

void BM_OpenGraph(benchmark::State& state) {
  TScopedScriptedMessages messages;
  TBigGraph big;
  big.doc.SaveGraph(big.path);
  for (auto _ : state) {
    TGraph2DDoc doc;
    if (!OpenGraph(big.path, doc) || doc.Labels.size() != kMaxLabels) state.SkipWithError("open failed");
  }
}
BENCHMARK(BM_OpenGraph)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace plotix

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // text labels measure their text
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
