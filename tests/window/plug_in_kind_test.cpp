// A graph kind the program was not built with, registered by a test: the main window
// offers it, draws it, runs its commands and closes it, knowing it only through the
// registry.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include "../told.h"
#include "app/main_window.h"
#include "window/graph_kinds.h"
#include "window/graph_window.h"
#include "window/status_line.h"
#include "window/status_line_dialog.h"

namespace plotix {
namespace {

constexpr std::int32_t kStripesCode = 99;
const TStatusModeChoice kStripesMode{"Stripes/Count", "Stripe Count", {"Shown", "Hidden"}, 0};

// Vertical stripes, as many as the zoom says, in black on white.
class TStripesDoc : public TGraphDoc {
 public:
  TStripesDoc() : TGraphDoc(kStripesCode) {}
  TColor BackColor() const override { return 0xFFFFFF; }
  bool IsColorUsed(TColor) const override { return false; }
  int FunctionCount() const override { return 0; }
  void Render(TBitmap& bitmap) override {
    TCanvas& c = bitmap.Canvas();
    c.Brush() = {0xFFFFFF, bsSolid};
    c.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
    c.Brush() = {0x000000, bsSolid};
    for (int i = 0; i < stripes; ++i) c.FillRect({20 * i, 0, 20 * i + 10, bitmap.Height()});
  }
  std::unique_ptr<TGraphDoc> CloneForDrawing() const override {
    auto copy = std::make_unique<TStripesDoc>();
    copy->stripes = stripes;
    return copy;
  }
  int stripes = 1;

 protected:
  void WriteBody(TWriteGraphFile&) const override {}
  std::unique_ptr<TBody> ReadBody(TReadGraphFile&) const override { return nullptr; }
  void TakeBody(TBody&) override {}
};

class TStripesWindow : public TFuncGraphWindow {
 public:
  TStripesWindow() : TFuncGraphWindow(std::make_unique<TStripesDoc>()) {}
  std::string GetGraphTypeName() const override { return "Stripes"; }
  bool EditGraphSettings() override { return false; }
  void UpdateViewStatus() override {
    TStatusLine* status = StatusLine();
    if (!status) return;
    const bool shown = Settings().StatusMode(kStripesMode.key, kStripesMode.defaultMode) == 0;
    status->SetPanel(0, shown ? "Stripes: " + std::to_string(Doc().stripes) : "");
  }
  void ZoomIn() override {
    ++Doc().stripes;
    RenderGraph();
  }
  void ZoomOut() override {}
  void CenterFunctionView() override {}
  TStripesDoc& Doc() { return static_cast<TStripesDoc&>(MutableDocument()); }
  const TStripesDoc& Doc() const { return static_cast<const TStripesDoc&>(Document()); }
};

class PlugInKind : public ::testing::Test {
 protected:
  PlugInKind() {
    TGraphKindEntry kind;
    kind.fileCode = kStripesCode;
    kind.name = "Stripes";
    kind.newCommand = "New &Stripes";
    kind.newHint = "New Stripes Graph";
    kind.drawIcon = [](QPainter& p) { p.drawLine(QPointF(8, 8), QPointF(8, 20)); };
    kind.statusModes = {kStripesMode};
    kind.newDocument = [] { return std::make_unique<TStripesDoc>(); };
    kind.newWindow = [] { return new TStripesWindow; };
    RegisterGraphKind(std::move(kind));
    form = std::make_unique<TMainForm>();
    form->show();
  }
  ~PlugInKind() override {
    form.reset();
    UnregisterGraphKind(kStripesCode);
  }

  TScopedScriptedMessages messages;
  std::unique_ptr<TMainForm> form;
};

TEST_F(PlugInKind, IsOfferedDrawnCommandedAndClosed) {
  ASSERT_EQ(form->NewActions().size(), GraphKinds().size());
  QAction* newStripes = form->NewActions().back();
  EXPECT_EQ(newStripes->text(), "New &Stripes");
  EXPECT_EQ(form->NewButtons().back()->toolTip(), "New Stripes Graph");
  form->NewButtons().back()->trigger();
  TFuncGraphWindow* w = form->ActiveGraphWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->GraphKind(), kStripesCode);
  const auto pixel = [w](int x) { return w->ScreenPicture().Canvas().Pixel(x, 100); };
  EXPECT_EQ(std::tuple(pixel(5), pixel(25)), std::tuple(0x000000u, 0xFFFFFFu));
  EXPECT_EQ(form->StatusPanel(0)->text(), "Stripes: 1");

  form->GraphButton(TGraphButton::ZoomIn)->trigger();
  EXPECT_EQ(pixel(25), 0x000000u);
  EXPECT_EQ(form->StatusPanel(0)->text(), "Stripes: 2");

  // Its status line choice is offered with the others and takes effect.
  TStatusLineDlg dialog(form->Settings());
  const auto mine = std::find_if(dialog.Groups.begin(), dialog.Groups.end(),
                                 [](const auto& g) { return g.first->key == kStripesMode.key; });
  ASSERT_NE(mine, dialog.Groups.end());
  mine->second->button(1)->click();
  dialog.accept();
  w->UpdateViewStatus();
  EXPECT_EQ(form->StatusPanel(0)->text(), "");

  form->CloseFile1Click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(form->findChild<QMdiArea*>()->subWindowList().size(), 0);
  EXPECT_EQ(Told(messages), "");
}

}  // namespace
}  // namespace plotix
