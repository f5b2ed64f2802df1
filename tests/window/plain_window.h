#pragma once
// A graph window of no particular kind: its document fills the bitmap with one colour and
// can be told to run out of memory while drawing or while getting its buffers, or to take
// a while drawing.

#include <QThread>
#include <memory>
#include <new>

#include "platform/drawing_job.h"
#include "window/graph_window.h"

namespace plotix {

class TPlainDoc : public TGraphDoc {
 public:
  TPlainDoc() : TGraphDoc(1) {}
  TColor BackColor() const override { return color; }
  bool IsColorUsed(TColor) const override { return false; }
  int FunctionCount() const override { return 0; }
  void Render(TBitmap& bitmap) override {
    bitmap.Canvas().Brush() = {color, bsSolid};
    bitmap.Canvas().FillRect({0, 0, bitmap.Width(), bitmap.Height()});
    for (int i = 0; i < steps; ++i) {
      DrawingStep(i, steps);
      QThread::msleep(10);
    }
    if (fail) throw std::bad_alloc();
  }
  std::unique_ptr<TGraphDoc> CloneForDrawing() const override {
    auto copy = std::make_unique<TPlainDoc>();
    copy->color = color;
    copy->fail = fail;
    copy->steps = steps;
    return copy;
  }
  TColor color = 0xFFFFFF;
  bool fail = false;      // drawing runs out of memory
  int steps = 0;          // of 10 ms each: a drawing that takes a while
  bool failSave = false;  // so does saving

 protected:
  void WriteBody(TWriteGraphFile&) const override {
    if (failSave) throw std::bad_alloc();
  }
  std::unique_ptr<TBody> ReadBody(TReadGraphFile&) const override { return nullptr; }
  void TakeBody(TBody&) override {}
};

class TPlainWindow : public TFuncGraphWindow {
 public:
  TPlainWindow() : TFuncGraphWindow(std::make_unique<TPlainDoc>()) {}
  std::string GetGraphTypeName() const override { return "Plain"; }
  bool EditGraphSettings() override { return false; }
  void UpdateViewStatus() override {}
  void ZoomIn() override {}
  void ZoomOut() override {}
  void CenterFunctionView() override {}
  QList<QMenu*> WindowMenus() const override { return {}; }
  bool AllocateExtra(int, int) override { return !extraFails; }
  TPlainDoc& Doc() { return static_cast<TPlainDoc&>(MutableDocument()); }
  bool extraFails = false;
};

}  // namespace plotix
