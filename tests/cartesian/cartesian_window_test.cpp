// The 2D graph window: zoom, scroll and page rules, the function limit, the colour of
// new functions, the close question, the caption, the region selection and the mouse.
#include "cartesian/cartesian_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <array>
#include <functional>
#include <map>

#include "../files/file_fixtures.h"
#include "platform/dialog_service.h"
#include "platform/message_box.h"
#include "window/status_line.h"
#include "window/zoom_steps.h"

namespace plotix {
namespace {

// Stands in for the function dialog: takes the offered colour and a fixed definition.
std::vector<TColor> gOffered;
bool ScriptedFuncDialog(TFunc2DObj& func, bool addMode) {
  if (addMode) gOffered.push_back(func.Color);
  func.Func.SetExpression("x");
  return func.Func.Compile();
}

class Window2D : public ::testing::Test {
 protected:
  void SetUp() override {
    dialogs->Register<TFunc2DObj>(&ScriptedFuncDialog);
    gOffered.clear();
    window.NewDefaultSize();
  }

  // Runs a command and tells whether it redrew (a redraw marks the graph modified).
  bool Redraws(const std::function<void()>& command) {
    window.Modified = false;
    command();
    return window.Modified;
  }

  TScopedScriptedMessages messages;
  TScopedDialogService dialogs;
  TFunc2DWindow window;
};

TEST_F(Window2D, NewWindowIs500By500WithTheOriginInTheMiddle) {
  EXPECT_EQ(window.BitmapWidth(), 500);
  EXPECT_EQ(window.BitmapHeight(), 500);
  EXPECT_EQ(window.ScreenBitmap.Width(), 500);
  EXPECT_FALSE(window.Modified);
  EXPECT_EQ(window.windowTitle(), "2D Cartesian");
  // The axes cross at (250, 250); elsewhere the background shows.
  EXPECT_EQ(window.ScreenBitmap.Canvas().Pixel(250, 100), 0x000000u);
  EXPECT_EQ(window.ScreenBitmap.Canvas().Pixel(100, 250), 0x000000u);
  EXPECT_EQ(window.ScreenBitmap.Canvas().Pixel(100, 100), 0xFFFFFFu);
}

TEST_F(Window2D, ZoomBothAxesKeepsTheirDifference) {
  const struct {
    Extended x, y;
    bool in;
    Extended wantX, wantY;
    bool redraw;
  } cases[] = {
      {35, 35, true, 40, 40, true},
      {35, 15, true, 37, 17, true},
      {15, 35, true, 17, 37, true},
      {40, 40, false, 35, 35, true},
      {37, 17, false, 35, 15, true},
      {10000, 10000, true, 10000, 10000, false},
      {0.0001L, 0.0001L, false, 0.0001L, 0.0001L, false},
      {10000, 35, true, 10000, 40, true},  // one axis at the top: no equal step
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << double(c.x) << "/" << double(c.y) << (c.in ? " in" : " out"));
    window.Doc.View.zoomX = c.x;
    window.Doc.View.zoomY = c.y;
    EXPECT_EQ(Redraws([&] { c.in ? window.ZoomIn() : window.ZoomOut(); }), c.redraw);
    EXPECT_EQ(window.Doc.View.zoomX, c.wantX);
    EXPECT_EQ(window.Doc.View.zoomY, c.wantY);
  }
}

TEST_F(Window2D, AxisZoomAndEqualZoomCommands) {
  window.ZoomAxis(TAxis::X, true);
  EXPECT_EQ(window.Doc.View.zoomX, 40);
  EXPECT_EQ(window.Doc.View.zoomY, 35);
  window.ZoomAxis(TAxis::Y, false);
  EXPECT_EQ(window.Doc.View.zoomY, 30);
  EXPECT_TRUE(Redraws([&] { window.SetXZoomEqualToY(); }));
  EXPECT_EQ(window.Doc.View.zoomX, 30);
  EXPECT_FALSE(Redraws([&] { window.SetYZoomEqualToX(); }));
}

TEST_F(Window2D, ScrollAndPageClampTheCentreAndRedrawOnlyOnChange) {
  Zoom2DSettings().scrollAmount = 10;
  const struct {
    const char* name;
    std::function<void(TFunc2DWindow&)> command;
    Extended startX, startY, wantX, wantY;
  } cases[] = {
      {"page up", [](TFunc2DWindow& w) { w.Page(TDirection::Up); }, 0, 0, 0, 250},
      {"page up near the limit", [](TFunc2DWindow& w) { w.Page(TDirection::Up); }, 0, 99900, 0, 100000},
      {"page up at the limit", [](TFunc2DWindow& w) { w.Page(TDirection::Up); }, 0, 100000, 0, 100000},
      {"page down", [](TFunc2DWindow& w) { w.Page(TDirection::Down); }, 0, 0, 0, -250},
      {"page left at the limit", [](TFunc2DWindow& w) { w.Page(TDirection::Left); }, -100000, 0, -100000, 0},
      {"page right", [](TFunc2DWindow& w) { w.Page(TDirection::Right); }, 5, 0, 255, 0},
      {"scroll up", [](TFunc2DWindow& w) { w.Scroll(TDirection::Up); }, 0, 0, 0, 10},
      {"scroll down", [](TFunc2DWindow& w) { w.Scroll(TDirection::Down); }, 0, -99995, 0, -100000},
      {"scroll left", [](TFunc2DWindow& w) { w.Scroll(TDirection::Left); }, 0, 0, -10, 0},
      {"scroll right", [](TFunc2DWindow& w) { w.Scroll(TDirection::Right); }, 100000, 0, 100000, 0},
      {"centre", [](TFunc2DWindow& w) { w.CenterFunctionView(); }, 30, -40, 0, 0},
      {"centre at the origin", [](TFunc2DWindow& w) { w.CenterFunctionView(); }, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    window.Doc.View.centerX = c.startX;
    window.Doc.View.centerY = c.startY;
    const bool moves = c.startX != c.wantX || c.startY != c.wantY;
    EXPECT_EQ(Redraws([&] { c.command(window); }), moves);
    EXPECT_EQ(window.Doc.View.centerX, c.wantX);
    EXPECT_EQ(window.Doc.View.centerY, c.wantY);
  }
}

TEST_F(Window2D, TheTwoHundredFiftyThirdFunctionIsRefused) {
  for (int i = 0; i < kMaxFunctions - 1; ++i) window.Doc.Functions.push_back(std::make_unique<TFunc2DObj>());
  EXPECT_TRUE(window.AddFunction());
  EXPECT_EQ(window.Doc.Functions.size(), 252u);
  EXPECT_TRUE(messages->shown.empty());
  gOffered.clear();
  EXPECT_FALSE(window.AddFunction());
  EXPECT_EQ(window.Doc.Functions.size(), 252u);
  EXPECT_TRUE(gOffered.empty());  // no dialog
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].text, "This Window Can Not Accept More Than 252 Functions");
  EXPECT_EQ(messages->shown[0].kind, TMsgKind::Error);
  EXPECT_EQ(messages->shown[0].buttons, TMsgButtons::OK);
}

TEST_F(Window2D, NewFunctionColoursSkipUsedOnesAndTheBackground) {
  for (int i = 0; i < 17; ++i) ASSERT_TRUE(window.AddFunction());
  // White is the background, so the first 14 take the other colours in table order; then
  // every colour is in use and the count picks the entry.
  const std::vector<TColor> want = {0xFF0000, 0x0000FF, 0x008000, 0x000080, 0x800000, 0x008080,
                                    0x800080, 0x808000, 0x808080, 0xC0C0C0, 0x00FF00, 0xFF00FF,
                                    0xFFFF00, 0x000000, 0xFFFFFF, 0xFF0000, 0x0000FF};
  EXPECT_EQ(gOffered, want);

  // A freed colour is offered again; a background colour is not.
  window.Doc.Functions.erase(window.Doc.Functions.begin(), window.Doc.Functions.begin() + 16);
  window.Doc.Settings.BackColor = 0xFF0000;
  window.RenderGraph();
  EXPECT_EQ(window.ChooseNewFunctionColor(1), 0x008000u);  // blue is used, red is the background
}

TEST_F(Window2D, CloseQuestionAndCaption) {
  // Never saved: closes without a question, modified or not.
  window.ZoomIn();
  EXPECT_TRUE(window.Modified);
  EXPECT_TRUE(window.CanClose());
  EXPECT_TRUE(messages->shown.empty());

  testbytes::TScratchDir dir;
  const std::string path = dir.Path("a.pxg");
  ASSERT_TRUE(window.SaveAs(path));
  EXPECT_FALSE(window.Modified);
  EXPECT_EQ(window.windowTitle(), "2D Cartesian - [a.pxg]");
  EXPECT_TRUE(window.CanClose());  // saved and unchanged
  EXPECT_TRUE(messages->shown.empty());

  const struct {
    TMsgAnswer answer;
    bool closes;
    bool savedAfter;
  } cases[] = {
      {TMsgAnswer::Cancel, false, false},
      {TMsgAnswer::No, true, false},
      {TMsgAnswer::Yes, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.answer));
    window.ZoomIn();
    const Extended zoom = window.Doc.View.zoomX;
    messages->shown.clear();
    messages->QueueAnswer(c.answer);
    EXPECT_EQ(window.CanClose(), c.closes);
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, "Save Changes To Graph a.pxg?");
    EXPECT_EQ(messages->shown[0].kind, TMsgKind::Confirmation);
    EXPECT_EQ(messages->shown[0].buttons, TMsgButtons::YesNoCancel);
    EXPECT_EQ(window.Modified, !c.savedAfter);
    TGraph2DDoc reread;
    ASSERT_TRUE(OpenGraph(path, reread));
    EXPECT_EQ(reread.View.zoomX == zoom, c.savedAfter);
  }
}

TEST_F(Window2D, ShiftDragSelectsARegionDrawnByNotXor) {
  const QImage before = window.ScreenBitmap.Image();
  window.MouseDown(Qt::LeftButton, Qt::ShiftModifier, 50, 40);
  EXPECT_EQ(window.LabelMode, lmRegionDrag);
  window.MouseMove(Qt::LeftButton, Qt::ShiftModifier, 10, 600);
  window.MouseUp(Qt::LeftButton, Qt::ShiftModifier, 10, 600);
  EXPECT_EQ(window.LabelMode, lmRegionShown);
  // Normalised and clamped into the bitmap.
  EXPECT_EQ(window.SelectionRect, (TRect{10, 40, 50, 499}));
  EXPECT_NE(window.ScreenBitmap.Image(), before);
  EXPECT_EQ(window.GraphBitmap.Image(), before);  // only the screen copy shows it
  // A dotted black edge: on white every other pixel or so turns black.
  int black = 0;
  for (int x = 10; x <= 50; ++x) black += window.ScreenBitmap.Canvas().Pixel(x, 40) == 0x000000u;
  EXPECT_GT(black, 10);
  EXPECT_LT(black, 35);

  // A redraw keeps the region; leaving the mode removes it exactly.
  window.RenderGraph();
  EXPECT_NE(window.ScreenBitmap.Image(), before);
  window.LeaveMode();
  EXPECT_EQ(window.LabelMode, lmIdle);
  EXPECT_EQ(window.ScreenBitmap.Image(), before);

  // Ctrl or Alt with Shift, or no Shift, starts no region.
  for (const auto keys : {Qt::KeyboardModifiers(Qt::NoModifier), Qt::ShiftModifier | Qt::ControlModifier,
                          Qt::ShiftModifier | Qt::AltModifier}) {
    window.MouseDown(Qt::LeftButton, keys, 20, 20);
    EXPECT_EQ(window.LabelMode, lmIdle);
    window.MouseUp(Qt::LeftButton, keys, 20, 20);
  }
}

TEST_F(Window2D, MouseMovesAndActivationUpdateTheStatusLine) {
  std::array<std::string, 3> panels;
  TStatusLine status([&panels](int panel, const std::string& text) { panels[panel] = text; });
  window.SetStatusLine(&status);
  window.MouseMove(Qt::NoButton, Qt::NoModifier, 300, 200);
  EXPECT_EQ(window.MouseX, 300);
  EXPECT_EQ(window.MouseY, 200);
  EXPECT_FALSE(panels[0].empty());
  EXPECT_FALSE(panels[2].empty());
  window.Activated();
  EXPECT_EQ(window.MouseX, -1);
  EXPECT_EQ(window.MouseY, -1);
  EXPECT_FALSE(panels[0].empty());
  EXPECT_TRUE(panels[2].empty());
  // Closing clears every panel.
  EXPECT_TRUE(window.CanClose());
  EXPECT_EQ(panels, (std::array<std::string, 3>{}));
  window.SetStatusLine(nullptr);
}

TEST_F(Window2D, MenusCarryTheViewCommandsAndTheirKeys) {
  ASSERT_EQ(window.WindowMenus().size(), 2);
  EXPECT_EQ(window.FunctionMenu->title(), "F&unction");
  EXPECT_EQ(window.ViewMenu->title(), "&View");
  std::map<QString, QString> keys;
  for (QAction* a : window.ViewMenu->actions())
    if (!a->isSeparator()) keys[a->text()] = a->shortcut().toString();
  const std::map<QString, QString> want = {
      {"Change Vie&w...", ""},
      {"Zoom &In", "F3"},
      {"Zoom &Out", "F4"},
      {"Zoo&m X Axis In", "F9"},
      {"Zoom X &Axis Out", "F10"},
      {"Zoom Y Axis I&n", "F11"},
      {"Zoom Y Axis Ou&t", "F12"},
      {"Scroll View &Up", "F5"},
      {"Scroll View &Down", "F6"},
      {"Scroll View &Left", "F7"},
      {"Scroll View &Right", "F8"},
      {"Page View U&p", "Shift+F5"},
      {"Page Vi&ew Down", "Shift+F6"},
      {"Page View Le&ft", "Shift+F7"},
      {"Page View Ri&ght", "Shift+F8"},
      {"Set &X Zoom Equal To Y", ""},
      {"Set &Y Zoom Equal To X", ""},
      {"&Center Function View", "Shift+F2"},
  };
  EXPECT_EQ(keys, want);
  // The menu item runs the command.
  for (QAction* a : window.ViewMenu->actions())
    if (a->text() == "Zoom &In") a->trigger();
  EXPECT_EQ(window.Doc.View.zoomX, 40);
}

}  // namespace
}  // namespace plotix
