// Saving and opening the largest 2D graph the program allows: 252 functions with
// bounds and special values, and 2000 labels of every kind. The save includes
// writing beside the old file, syncing it to disk and renaming it into place.
// Then the heaviest file of at most 64 KB: text labels at the largest font size over a
// 500 x 500 bitmap, opened, drawn and saved again.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

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
    std::vector<Extended> xs;
    for (int k = 0; k < 10; ++k) {
      f->SpecialXLines.push_back(std::to_string(k));
      xs.push_back(k);
    }
    f->SetSpecialX(std::move(xs));
    doc.AddFunction(std::move(f));
  }
  for (int i = 0; i < kMaxLabels; ++i) {
    const int code = i % 7 + 1;
    doc.AddLabel(CreateLabel(code, doc.LabelOwner()));
    TDrawBaseClass& label = doc.EditLabel(i);
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

// A graph saved to a file of its own that goes with it.
struct TScratchGraph {
  explicit TScratchGraph(const std::string& name) : path((std::filesystem::temp_directory_path() / name).string()) {}
  ~TScratchGraph() { std::remove(path.c_str()); }
  TGraph2DDoc doc;
  std::string path;
};

struct TBigGraph : TScratchGraph {
  TBigGraph() : TScratchGraph("plotix-bench-files.pxg") { Fill(doc); }
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
    if (!OpenGraph(big.path, doc) || doc.Labels().size() != kMaxLabels) state.SkipWithError("open failed");
  }
}
BENCHMARK(BM_OpenGraph)->Unit(benchmark::kMillisecond);

// `labels` different texts of `length` letters each at the largest font size, in a file of
// at most 64 KB, their starts spread over a bitmap of `size` x `size` pixels. Each
// iteration takes a file of its own font size (512, 511, ...), so that no text is found
// already drawn: this is what opening such a file costs.
void BM_OpenRenderResaveLargeTexts(benchmark::State& state) {
  TScopedScriptedMessages messages;
  const int labels = int(state.range(0)), length = int(state.range(1)), size = int(state.range(2));
  constexpr int kFiles = 8;
  std::vector<std::unique_ptr<TScratchGraph>> files;
  for (int f = 0; f < kFiles; ++f) {
    files.push_back(std::make_unique<TScratchGraph>("plotix-bench-texts-" + std::to_string(f) + ".pxg"));
    TGraph2DDoc& doc = files[f]->doc;
    doc.SetBitmapSize(size, size);
    TFontDesc font = DefaultFont();
    font.size = 512 - f;
    for (int i = 0; i < labels; ++i) {
      std::string letters;
      for (int k = 0, v = i; k < length; ++k, v /= 26) letters += char('A' + v % 26);
      auto text = std::make_unique<TDrawText>(doc.LabelOwner());
      text->SetText({(i * 37) % size - 100, (i * 53) % size - 300}, letters, font);
      doc.AddLabel(std::move(text));
    }
    if (!doc.SaveGraph(files[f]->path) || std::filesystem::file_size(files[f]->path) > 65536)
      return state.SkipWithError("no such file");
  }
  int f = 0;
  for (auto _ : state) {
    TGraph2DDoc doc;
    TBitmap bitmap;
    if (!OpenGraph(files[f]->path, doc) || !bitmap.SetSize(doc.BitmapWidth(), doc.BitmapHeight()))
      return state.SkipWithError("open failed");
    doc.RenderWithLabels(bitmap);
    if (!doc.SaveGraph(files[f++]->path)) return state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_OpenRenderResaveLargeTexts)
    ->ArgNames({"labels", "letters", "size"})
    ->Args({1, 65000, 500})
    ->Args({200, 250, 500})
    ->Args({900, 5, 500})
    ->Args({900, 5, 2000})
    ->Iterations(8)
    ->Unit(benchmark::kMillisecond);

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
