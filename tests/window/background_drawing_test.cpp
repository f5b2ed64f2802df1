// Drawing in the background: the window shows the last finished picture until the new one
// is done, a later redraw replaces one in progress, Cancel and Esc keep the last picture,
// progress shows in the main window's status bar, and every kind's picture is the one
// drawn in place, on any number of threads.
#include <gtest/gtest.h>

#include <QProgressBar>
#include <QTest>
#include <QToolButton>

#include "../files/file_fixtures.h"
#include "app/main_window.h"
#include "plain_window.h"
#include "platform/drawing_job.h"
#include "platform/message_box.h"
#include "polar/polar_window.h"
#include "window/graph_kinds.h"

namespace plotix {
namespace {

bool DrawingEnds(const TFuncGraphWindow& window) {
  return QTest::qWaitFor([&] { return !window.IsDrawing(); }, 30000);
}

class BackgroundDrawing : public ::testing::Test {
 protected:
  BackgroundDrawing() {
    background.drawInBackground = true;
    window.SetProgramSettings(&background);
    window.NewDefaultSize();
    window.FinishDrawing();
  }
  QRgb Shown() const { return window.ScreenPicture().Image().pixel(0, 0); }
  // A new colour drawn in the background, taking 50 steps of 10 ms.
  void Recolour(TColor color) {
    window.Doc().color = color;
    window.Doc().steps = 50;
    window.RenderGraph();
  }

  TScopedScriptedMessages messages;
  TProgramSettings background;
  TPlainWindow window;
};

TEST_F(BackgroundDrawing, TheLastFinishedPictureStaysUntilTheNextIsDone) {
  Recolour(0x0000FF);
  EXPECT_TRUE(window.IsDrawing());
  EXPECT_EQ(Shown(), qRgb(255, 255, 255));
  // A later redraw replaces the one in progress: only its picture is shown.
  Recolour(0x00FF00);
  ASSERT_TRUE(DrawingEnds(window));
  EXPECT_EQ(Shown(), qRgb(0, 255, 0));
  QTest::qWait(100);  // the replaced drawing's end, if it came, changed nothing
  EXPECT_EQ(Shown(), qRgb(0, 255, 0));
}

TEST_F(BackgroundDrawing, CancelAndEscKeepTheLastPicture) {
  const struct {
    const char* how;
    std::function<void(TPlainWindow&)> cancel;
  } cases[] = {
      {"Cancel", [](TPlainWindow& w) { w.CancelDrawing(); }},
      {"Esc", [](TPlainWindow& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    Recolour(0xFF0000);
    c.cancel(window);
    EXPECT_FALSE(window.IsDrawing());
    QTest::qWait(700);
    EXPECT_EQ(Shown(), qRgb(255, 255, 255));
  }
  // Exports use the document as it is now: they wait for the drawing.
  Recolour(0x0000FF);
  window.FinishDrawing();
  EXPECT_FALSE(window.IsDrawing());
  EXPECT_EQ(Shown(), qRgb(255, 0, 0));  // colours are 0xBBGGRR
}

TEST_F(BackgroundDrawing, ALongDrawingShowsItsProgressAfterAWhile) {
  Recolour(0xFF0000);
  EXPECT_EQ(window.DrawingPercent(), -1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.DrawingPercent() > 0; }, 5000));
  EXPECT_LT(window.DrawingPercent(), 100);
  ASSERT_TRUE(DrawingEnds(window));
  EXPECT_EQ(window.DrawingPercent(), -1);
}

// The status bar shows the active window's progress with a Cancel button beside it.
TEST(BackgroundDrawingForm, TheStatusBarShowsProgressAndCancels) {
  TScopedScriptedMessages messages;
  TMainForm form;
  form.show();
  form.Settings().drawInBackground = true;
  auto* window = static_cast<TFuncPolarWindow*>(form.NewGraphClick(kPolarCode));
  ASSERT_TRUE(DrawingEnds(*window));
  TFuncList<TFuncPolarObj> functions;
  for (int i = 0; i < kMaxFunctions; ++i) {
    auto f = std::make_unique<TFuncPolarObj>();
    f->Func.SetExpression("2+cos(5theta)");
    ASSERT_TRUE(f->Func.Compile());
    f->Samples = kMaxPolarSamples;
    functions.push_back(std::move(f));
  }
  window->SetFunctions(std::move(functions));
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.findChild<QProgressBar*>("DrawingBar")->isVisible(); }, 10000));
  EXPECT_TRUE(form.findChild<QToolButton*>("CancelDrawingButton")->isVisible());
  form.findChild<QToolButton*>("CancelDrawingButton")->click();
  EXPECT_FALSE(window->IsDrawing());
  EXPECT_FALSE(form.findChild<QProgressBar*>("DrawingBar")->isVisible());
}

// Each kind's example drawn in the background is the picture drawn in place, on 1, 2
// and 8 threads.
TEST(BackgroundDrawingKinds, EveryKindsPictureIsTheOneDrawnInPlace) {
  TScopedScriptedMessages messages;
  TMainForm form;
  for (const char* name : {"polynomials.pxg", "polar.pxg", "surface.pxg", "trigonometry.pxg"}) {
    SCOPED_TRACE(name);
    form.Settings().drawInBackground = false;
    ASSERT_TRUE(form.OpenGraphFile(std::string(PLOTIX_EXAMPLES "/") + name));
    TFuncGraphWindow* window = form.ActiveGraphWindow();
    const QImage inPlace = window->ScreenPicture().Image();
    form.Settings().drawInBackground = true;
    for (int threads : {1, 2, 8}) {
      SetDrawingThreads(threads);
      window->RenderGraph();
      ASSERT_TRUE(DrawingEnds(*window));
      EXPECT_TRUE(window->ScreenPicture().Image() == inPlace) << threads;
    }
    SetDrawingThreads(0);
    window->SetModified(false);
    window->parentWidget()->close();
  }
}

}  // namespace
}  // namespace plotix
