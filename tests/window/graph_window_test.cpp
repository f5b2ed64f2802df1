// What every graph window does whatever its kind: surviving a redraw that runs out of
// memory, and sizing its bitmaps.
#include "window/graph_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <new>

#include "platform/message_box.h"

namespace plotix {
namespace {

// Fills the bitmap with its colour, then runs out of memory while the switch is on.
class TFailingDoc : public TGraphDoc {
 public:
  TFailingDoc() : TGraphDoc(gk2DCartesian) {}
  TColor BackColor() const override { return 0x00FF00; }
  bool IsColorUsed(TColor) const override { return false; }
  int FunctionCount() const override { return 0; }
  void Render(TBitmap& bitmap) override {
    bitmap.Canvas().Brush() = {BackColor(), bsSolid};
    bitmap.Canvas().FillRect({0, 0, bitmap.Width(), bitmap.Height()});
    if (fail) throw std::bad_alloc();
  }
  bool fail = false;

 protected:
  void WriteBody(TWriteGraphFile&) const override {}
  std::unique_ptr<TBody> ReadBody(TReadGraphFile&) const override { return nullptr; }
  void TakeBody(TBody&) override {}
};

class TTestWindow : public TFuncGraphWindow {
 public:
  TTestWindow() : TFuncGraphWindow(std::make_unique<TFailingDoc>()) {}
  std::string GetGraphTypeName() const override { return "Test"; }
  bool EditGraphSettings() override { return false; }
  void UpdateViewStatus() override {}
  void ZoomIn() override {}
  void ZoomOut() override {}
  void CenterFunctionView() override {}
  unsigned ViewCommands() const override { return 0; }
  QList<QMenu*> WindowMenus() const override { return {}; }
  TFailingDoc& Doc() { return static_cast<TFailingDoc&>(Document()); }
};

TEST(GraphWindow, ARedrawOutOfMemoryIsToldAndTheWindowStaysUsable) {
  TScopedScriptedMessages messages;
  TTestWindow window;
  ASSERT_TRUE(window.NewDefaultSize());
  window.Doc().fail = true;
  window.RenderGraph();
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].text, "Out of Memory");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);                // the busy cursor came down
  EXPECT_EQ(window.ScreenBitmap.Canvas().Pixel(10, 10), 0x00FF00u);  // what was drawn is shown
  window.Doc().fail = false;
  window.RenderGraph();
  EXPECT_EQ(messages->shown.size(), 1u);
}

}  // namespace
}  // namespace plotix
