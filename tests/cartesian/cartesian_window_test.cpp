// The 2D graph window: zoom, scroll and page rules, the function limit, the colour of new
// functions, the close question, the caption, the region selection, the mouse and the keys.
#include "cartesian/cartesian_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <array>
#include <functional>
#include <map>

#include "../files/file_fixtures.h"
#include "../told.h"
#include "platform/dialog_service.h"
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
  TView2D& View() { return window.Doc.View; }

  TScopedScriptedMessages messages;
  TScopedDialogService dialogs;
  TFunc2DWindow window;
};

TEST_F(Window2D, ANewWindowIs500By500WithTheOriginInTheMiddle) {
  EXPECT_EQ(std::tuple(window.BitmapWidth(), window.BitmapHeight(), window.ScreenBitmap.Width()),
            std::tuple(500, 500, 500));
  EXPECT_FALSE(window.Modified);
  EXPECT_EQ(window.windowTitle(), "2D Cartesian");
  const TCanvas& screen = window.ScreenBitmap.Canvas();
  EXPECT_EQ(std::tuple(screen.Pixel(250, 100), screen.Pixel(100, 250), screen.Pixel(100, 100)),
            std::tuple(0x000000u, 0x000000u, 0xFFFFFFu));
}

TEST_F(Window2D, ZoomingRedrawsOnlyWhenTheZoomChanges) {
  const struct {
    Extended x, y;
    std::function<void(TFunc2DWindow&)> command;
    Extended wantX, wantY;
  } rows[] = {
      {35, 35, [](TFunc2DWindow& w) { w.ZoomIn(); }, 40, 40},
      {35, 15, [](TFunc2DWindow& w) { w.ZoomIn(); }, 37, 17},  // both keep their difference
      {37, 17, [](TFunc2DWindow& w) { w.ZoomOut(); }, 35, 15},
      {10000, 10000, [](TFunc2DWindow& w) { w.ZoomIn(); }, 10000, 10000},
      {0.0001L, 0.0001L, [](TFunc2DWindow& w) { w.ZoomOut(); }, 0.0001L, 0.0001L},
      {10000, 35, [](TFunc2DWindow& w) { w.ZoomIn(); }, 10000, 40},  // one axis at the top
      {35, 35, [](TFunc2DWindow& w) { w.ZoomAxis(TAxis::X, true); }, 40, 35},
      {35, 35, [](TFunc2DWindow& w) { w.ZoomAxis(TAxis::Y, false); }, 35, 30},
      {40, 30, [](TFunc2DWindow& w) { w.SetXZoomEqualToY(); }, 30, 30},
      {30, 30, [](TFunc2DWindow& w) { w.SetYZoomEqualToX(); }, 30, 30},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << double(r.x) << "/" << double(r.y) << " to " << double(r.wantX));
    View().zoomX = r.x;
    View().zoomY = r.y;
    EXPECT_EQ(Redraws([&] { r.command(window); }), r.x != r.wantX || r.y != r.wantY);
    EXPECT_EQ(std::tuple(View().zoomX, View().zoomY), std::tuple(r.wantX, r.wantY));
  }
}

TEST_F(Window2D, ScrollAndPageClampTheCentreAndRedrawOnlyOnChange) {
  using D = TDirection;
  const struct {
    const char* name;
    std::function<void(TFunc2DWindow&)> command;
    Extended startX, startY, wantX, wantY;
  } rows[] = {
      {"page up", [](TFunc2DWindow& w) { w.Page(D::Up); }, 0, 0, 0, 250},
      {"page up near the limit", [](TFunc2DWindow& w) { w.Page(D::Up); }, 0, 99900, 0, 100000},
      {"page up at the limit", [](TFunc2DWindow& w) { w.Page(D::Up); }, 0, 100000, 0, 100000},
      {"page down", [](TFunc2DWindow& w) { w.Page(D::Down); }, 0, 0, 0, -250},
      {"page left at the limit", [](TFunc2DWindow& w) { w.Page(D::Left); }, -100000, 0, -100000, 0},
      {"page right", [](TFunc2DWindow& w) { w.Page(D::Right); }, 5, 0, 255, 0},
      {"scroll up", [](TFunc2DWindow& w) { w.Scroll(D::Up); }, 0, 0, 0, 10},
      {"scroll down", [](TFunc2DWindow& w) { w.Scroll(D::Down); }, 0, -99995, 0, -100000},
      {"scroll left", [](TFunc2DWindow& w) { w.Scroll(D::Left); }, 0, 0, -10, 0},
      {"scroll right at the limit", [](TFunc2DWindow& w) { w.Scroll(D::Right); }, 100000, 0, 100000, 0},
      {"centre", [](TFunc2DWindow& w) { w.CenterFunctionView(); }, 30, -40, 0, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    View().centerX = r.startX;
    View().centerY = r.startY;
    EXPECT_EQ(Redraws([&] { r.command(window); }), r.startX != r.wantX || r.startY != r.wantY);
    EXPECT_EQ(std::tuple(View().centerX, View().centerY), std::tuple(r.wantX, r.wantY));
  }
}

TEST_F(Window2D, NewFunctionsTakeTheFirstFreeColourUpTo252) {
  for (int i = 0; i < 17; ++i) ASSERT_TRUE(window.AddFunction());
  // White is the background, so the first 14 take the other colours in table order; then
  // every colour is in use and the count picks the entry.
  EXPECT_EQ(gOffered, std::vector<TColor>({0xFF0000, 0x0000FF, 0x008000, 0x000080, 0x800000, 0x008080, 0x800080,
                                           0x808000, 0x808080, 0xC0C0C0, 0x00FF00, 0xFF00FF, 0xFFFF00, 0x000000,
                                           0xFFFFFF, 0xFF0000, 0x0000FF}));
  window.Doc.Functions.erase(window.Doc.Functions.begin(), window.Doc.Functions.begin() + 16);
  window.Doc.Settings.BackColor = 0xFF0000;
  window.RenderGraph();
  EXPECT_EQ(window.ChooseNewFunctionColor(1), 0x008000u);  // blue is used, red is the background

  while (window.Doc.Functions.size() < 251u) window.Doc.Functions.push_back(std::make_unique<TFunc2DObj>());
  EXPECT_TRUE(window.AddFunction());
  gOffered.clear();
  EXPECT_FALSE(window.AddFunction());
  EXPECT_EQ(window.Doc.Functions.size(), 252u);
  EXPECT_TRUE(gOffered.empty());  // no dialog
  EXPECT_EQ(Told(messages), "E|OK|This Window Can Not Accept More Than 252 Functions\n");
}

TEST_F(Window2D, TheCloseQuestionAndTheCaptionFollowTheFile) {
  window.ZoomIn();  // never saved: closes without a question
  EXPECT_TRUE(window.CanClose());
  testbytes::TScratchDir dir;
  const std::string path = dir.Path("a.pxg");
  ASSERT_TRUE(window.SaveAs(path));
  EXPECT_FALSE(window.Modified);
  EXPECT_EQ(window.windowTitle(), "2D Cartesian - [a.pxg]");
  EXPECT_TRUE(window.CanClose());  // saved and unchanged
  EXPECT_EQ(Told(messages), "");
  for (const TMsgAnswer answer : {TMsgAnswer::Cancel, TMsgAnswer::No, TMsgAnswer::Yes}) {
    window.ZoomIn();
    const Extended zoom = View().zoomX;
    messages->shown.clear();
    messages->QueueAnswer(answer);
    EXPECT_EQ(window.CanClose(), answer != TMsgAnswer::Cancel);
    EXPECT_EQ(Told(messages), "C|YNC|Save Changes To Graph a.pxg?\n");
    EXPECT_EQ(window.Modified, answer != TMsgAnswer::Yes);
    TGraph2DDoc reread;
    ASSERT_TRUE(OpenGraph(path, reread));
    EXPECT_EQ(reread.View.zoomX == zoom, answer == TMsgAnswer::Yes);
  }
}

TEST_F(Window2D, ShiftDragSelectsARegionDrawnByNotXor) {
  const QImage before = window.ScreenBitmap.Image();
  window.MouseDown(Qt::LeftButton, Qt::ShiftModifier, 50, 40);
  EXPECT_EQ(window.LabelMode, lmRegionDrag);
  window.MouseMove(Qt::LeftButton, Qt::ShiftModifier, 10, 600);
  window.MouseUp(Qt::LeftButton, Qt::ShiftModifier, 10, 600);
  EXPECT_EQ(window.LabelMode, lmRegionShown);
  EXPECT_EQ(window.SelectionRect, (TRect{10, 40, 50, 499}));  // normalised and clamped
  EXPECT_EQ(window.GraphBitmap.Image(), before);                // only the screen copy shows it
  int black = 0;  // a dotted edge: on white every other pixel turns black
  for (int x = 10; x <= 50; ++x) black += window.ScreenBitmap.Canvas().Pixel(x, 40) == 0x000000u;
  EXPECT_EQ(black, 21);
  window.RenderGraph();  // a redraw keeps the region; leaving the mode removes it exactly
  EXPECT_NE(window.ScreenBitmap.Image(), before);
  window.LeaveMode();
  EXPECT_EQ(window.LabelMode, lmIdle);
  EXPECT_EQ(window.ScreenBitmap.Image(), before);
  for (const auto keys : {Qt::KeyboardModifiers(Qt::NoModifier), Qt::ShiftModifier | Qt::ControlModifier,
                          Qt::ShiftModifier | Qt::AltModifier}) {
    window.MouseDown(Qt::LeftButton, keys, 20, 20);  // no region without Shift alone
    EXPECT_EQ(window.LabelMode, lmIdle);
    window.MouseUp(Qt::LeftButton, keys, 20, 20);
  }
}

TEST_F(Window2D, TheMouseAndActivationFillTheStatusLineAndClosingClearsIt) {
  std::array<std::string, 3> panels;
  TStatusLine status([&panels](int panel, const std::string& text) { panels[panel] = text; });
  window.SetStatusLine(&status);
  window.MouseMove(Qt::NoButton, Qt::NoModifier, 284, 214);
  EXPECT_EQ(std::tuple(window.MouseX, window.MouseY), std::tuple(284, 214));
  EXPECT_EQ(panels, (std::array<std::string, 3>{"Zoom X:35 Y:35", "Center X:0 Y:0", "Mouse X:1 Y:1"}));
  window.Activated();
  EXPECT_EQ(std::tuple(window.MouseX, window.MouseY, panels[2]), std::tuple(-1, -1, std::string()));
  EXPECT_TRUE(window.CanClose());
  EXPECT_EQ(panels, (std::array<std::string, 3>{}));
  window.SetStatusLine(nullptr);
}

TEST_F(Window2D, TheViewMenuCarriesItsKeys) {
  EXPECT_EQ(window.WindowMenus(), (QList<QMenu*>{window.FunctionMenu, window.ViewMenu}));
  std::map<QString, QString> keys;
  for (QAction* a : window.ViewMenu->actions())
    if (!a->isSeparator()) keys[a->text()] = a->shortcut().toString();
  EXPECT_EQ(keys, (std::map<QString, QString>{
                      {"Change Vie&w...", ""},         {"Zoom &In", "F3"},
                      {"Zoom &Out", "F4"},             {"Zoo&m X Axis In", "F9"},
                      {"Zoom X &Axis Out", "F10"},     {"Zoom Y Axis I&n", "F11"},
                      {"Zoom Y Axis Ou&t", "F12"},     {"Scroll View &Up", "F5"},
                      {"Scroll View &Down", "F6"},     {"Scroll View &Left", "F7"},
                      {"Scroll View &Right", "F8"},    {"Page View U&p", "Shift+F5"},
                      {"Page Vi&ew Down", "Shift+F6"}, {"Page View Le&ft", "Shift+F7"},
                      {"Page View Ri&ght", "Shift+F8"}, {"Set &X Zoom Equal To Y", ""},
                      {"Set &Y Zoom Equal To X", ""},  {"&Center Function View", "Shift+F2"},
                  }));
  for (QAction* a : window.ViewMenu->actions())
    if (a->text() == "Zoom &In") a->trigger();
  EXPECT_EQ(View().zoomX, 40);
}

}  // namespace
}  // namespace plotix
