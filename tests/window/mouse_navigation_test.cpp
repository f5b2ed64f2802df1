// Mouse navigation over a 2D window's bitmap: the wheel zooms about the pointer with the
// keys' steps, the middle button drags the view, leaving the bitmap clears the mouse
// panel, and positions between device pixels belong to the bitmap pixel that holds them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <array>

#include "cartesian/cartesian_window.h"
#include "graph3d/graph3d_window.h"
#include "polar/polar_window.h"
#include "window/status_line.h"

namespace plotix {
namespace {

class MouseNavigation : public ::testing::Test {
 protected:
  MouseNavigation() : status([this](int panel, const std::string& text) { panels[panel] = text; }) {
    window.NewDefaultSize();
    window.SetStatusLine(&status);
    window.Activated();
  }
  ~MouseNavigation() override { window.SetStatusLine(nullptr); }
  void Send(QEvent& event) { QApplication::sendEvent(window.ScreenImage(), &event); }
  void Wheel(QPointF at, int delta, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QWheelEvent event(at, at, {}, {0, delta}, Qt::NoButton, keys, Qt::NoScrollPhase, false);
    Send(event);
  }
  void Mouse(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, at, button, held, Qt::NoModifier);
    Send(event);
  }
  // The graph point drawn at a pixel of the 500 x 500 bitmap.
  std::pair<Extended, Extended> GraphAt(int x, int y) const {
    const TView2D& v = window.Doc().View();
    return {(v.CenterX + (x - 250)) / v.ZoomX, (v.CenterY + (250 - y)) / v.ZoomY};
  }

  TFunc2DWindow window;
  std::array<std::string, 3> panels;
  TStatusLine status;
};

TEST_F(MouseNavigation, WheelZoomsAboutThePointerWithTheKeysSteps) {
  const struct {
    int delta;
    Qt::KeyboardModifiers keys;
    Extended zoomX, zoomY;
  } rows[] = {
      {120, Qt::NoModifier, 40, 40},      {-120, Qt::NoModifier, 30, 30},
      {60, Qt::NoModifier, 35, 35},  // half a notch waits for the other half
      {120, Qt::ControlModifier, 40, 35}, {-120, Qt::ShiftModifier, 35, 30},
  };
  for (const auto& row : rows) {
    window.SetView({35, 35, 700, -350});
    window.SetModified(false);
    const auto before = GraphAt(100, 400);
    Wheel({100.5, 400.5}, row.delta, row.keys);
    EXPECT_EQ(std::tuple(window.Doc().View().ZoomX, window.Doc().View().ZoomY), std::tuple(row.zoomX, row.zoomY));
    EXPECT_EQ(window.IsModified(), row.zoomX != 35 || row.zoomY != 35);  // redrawn only on a change
    EXPECT_NEAR(double(GraphAt(100, 400).first), double(before.first), 1e-12);
    EXPECT_NEAR(double(GraphAt(100, 400).second), double(before.second), 1e-12);
    Wheel({100.5, 400.5}, -row.delta % 120);  // drops a pending half notch
  }
  EXPECT_EQ(panels[0], "Zoom X:35 Y:30");
}

TEST_F(MouseNavigation, MiddleDragMovesTheViewAndLeavingClearsTheMousePanel) {
  const auto before = GraphAt(100, 100);
  Mouse(QEvent::MouseButtonPress, {100, 100}, Qt::MiddleButton, Qt::MiddleButton);
  Mouse(QEvent::MouseMove, {120, 110}, Qt::NoButton, Qt::MiddleButton);
  Mouse(QEvent::MouseMove, {130, 80}, Qt::NoButton, Qt::MiddleButton);
  Mouse(QEvent::MouseButtonRelease, {130, 80}, Qt::MiddleButton, Qt::NoButton);
  EXPECT_EQ(std::tuple(window.Doc().View().CenterX, window.Doc().View().CenterY), std::tuple(-30, -20));
  EXPECT_EQ(GraphAt(130, 80), before);
  Mouse(QEvent::MouseMove, {200, 200}, Qt::NoButton, Qt::NoButton);  // released: no drag
  EXPECT_EQ(window.Doc().View().CenterX, -30);
  EXPECT_FALSE(panels[2].empty());
  QEvent leave(QEvent::Leave);
  Send(leave);
  EXPECT_TRUE(panels[2].empty());
}

// Polar shares one zoom over both axes; 3D turns a degree per pixel dragged and zooms by its own steps.
TEST(MouseNavigationKinds, PolarZoomsAboutThePointerAnd3DTurns) {
  TFuncPolarWindow polar;
  polar.NewDefaultSize();
  polar.SetView({35, 700, -350});
  QWheelEvent wheel({100.5, 400.5}, {100.5, 400.5}, {}, {0, 120}, Qt::NoButton, Qt::ShiftModifier, Qt::NoScrollPhase,
                    false);
  QApplication::sendEvent(polar.ScreenImage(), &wheel);
  EXPECT_EQ(polar.Doc().View().Zoom, 40);
  EXPECT_NEAR(double((polar.Doc().View().CenterX - 150) / 40), double((700 - 150) / 35.0L), 1e-12);
  EXPECT_NEAR(double((polar.Doc().View().CenterY - 150) / 40), double((-350 - 150) / 35.0L), 1e-12);

  TFunc3DWindow solid;
  solid.NewDefaultSize();
  TView3D turned;
  turned.RotateY = 359;
  solid.SetView(turned);
  for (const auto& [type, at, held] : {std::tuple{QEvent::MouseButtonPress, QPointF(100, 100), Qt::MiddleButton},
                                       {QEvent::MouseMove, {102, 130}, Qt::MiddleButton},
                                       {QEvent::MouseButtonRelease, {102, 130}, Qt::NoButton}}) {
    QMouseEvent event(type, at, at, Qt::MiddleButton, held, Qt::NoModifier);
    QApplication::sendEvent(solid.ScreenImage(), &event);
  }
  EXPECT_EQ(std::tuple(solid.Doc().View().RotateX, solid.Doc().View().RotateY), std::tuple(30, 1));
  QApplication::sendEvent(solid.ScreenImage(), &wheel);
  EXPECT_EQ(solid.Doc().View().Zoom, 25);
}

// At a device pixel ratio of 2 each bitmap pixel is a 2 x 2 block of screen pixels.
TEST_F(MouseNavigation, DoubleDensityScreensShowAndHitWholePixels) {
  Mouse(QEvent::MouseMove, {10.5, 20.5}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(std::tuple(window.MousePosition().x, window.MousePosition().y), std::tuple(10, 20));
  auto box = std::make_unique<TDrawInclosedShape>(window.LabelOwner(), ltRectangle);
  box->P1 = {3, 4};
  box->P2 = {7, 9};
  window.LabelEditor().AddLabel(std::move(box));
  QImage screen(40, 40, QImage::Format_RGB32);
  screen.setDevicePixelRatio(2);
  window.ScreenImage()->render(&screen);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(screen.pixel(x, y) & 0xFFFFFF, window.ScreenPicture().Image().pixel(x / 2, y / 2) & 0xFFFFFF) << x << y;
}

}  // namespace
}  // namespace plotix
