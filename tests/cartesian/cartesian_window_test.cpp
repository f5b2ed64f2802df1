// The 2D graph window: zoom, scroll and page rules, the function limit, the colour of new
// functions, the close question, the caption, the region selection and the mouse.
#include "cartesian/cartesian_window.h"
#include "cartesian/derived_function.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QUndoStack>
#include <array>
#include <functional>

#include "../compiled.h"
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
  if (addMode) gOffered.push_back(func.Style.Color);
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
    window.SetModified(false);
    command();
    return window.IsModified();
  }
  const TView2D& View() const { return window.Doc().View(); }

  TScopedScriptedMessages messages;
  TScopedDialogService dialogs;
  TFunc2DWindow window;
};

// Each row: a view command, the view before and after it ({ZoomX, ZoomY, CenterX, CenterY});
// the window redraws exactly when the view changes.
TEST_F(Window2D, ViewCommandsZoomScrollAndPageWithinTheLimits) {
  using W = TFunc2DWindow;
  const struct {
    std::function<void(W&)> command;
    TView2D before, after;
  } rows[] = {
      {[](W& w) { w.ZoomIn(); }, {35, 35, 0, 0}, {40, 40, 0, 0}},
      {[](W& w) { w.ZoomIn(); }, {35, 15, 0, 0}, {37, 17, 0, 0}},        // both keep their difference
      {[](W& w) { w.ZoomIn(); }, {10000, 35, 0, 0}, {10000, 40, 0, 0}},  // one axis at the top
      {[](W& w) { w.ZoomOut(); }, {37, 17, 0, 0}, {35, 15, 0, 0}},
      {[](W& w) { w.ZoomAxis(TAxis::X, true); }, {35, 35, 0, 0}, {40, 35, 0, 0}},
      {[](W& w) { w.ZoomAxis(TAxis::Y, false); }, {35, 35, 0, 0}, {35, 30, 0, 0}},
      {[](W& w) { w.SetXZoomEqualToY(); }, {40, 30, 0, 0}, {30, 30, 0, 0}},
      {[](W& w) { w.Page(TDirection::Up); }, {35, 35, 0, 0}, {35, 35, 0, 250}},
      {[](W& w) { w.Page(TDirection::Up); }, {35, 35, 0, 99900}, {35, 35, 0, 100000}},
      {[](W& w) { w.Page(TDirection::Left); }, {35, 35, -100000, 0}, {35, 35, -100000, 0}},
      {[](W& w) { w.Page(TDirection::Right); }, {35, 35, 5, 0}, {35, 35, 255, 0}},
      {[](W& w) { w.Scroll(TDirection::Up); }, {35, 35, 0, 0}, {35, 35, 0, 10}},
      {[](W& w) { w.CenterFunctionView(); }, {35, 35, 30, -40}, {35, 35, 0, 0}},
  };
  for (const auto& r : rows) {
    window.SetView(r.before);
    const auto fields = [](const TView2D& v) { return std::tuple(v.ZoomX, v.ZoomY, v.CenterX, v.CenterY); };
    EXPECT_EQ(Redraws([&] { r.command(window); }), fields(r.before) != fields(r.after));
    EXPECT_EQ(fields(View()), fields(r.after)) << &r - rows;
  }
}

TEST_F(Window2D, NewFunctionsTakeTheFirstFreeColourUpTo252) {
  for (int i = 0; i < 17; ++i) ASSERT_TRUE(window.AddFunction());
  // White is the background, so the first 14 take the other colours in table order; then
  // every colour is in use and the count picks the entry.
  EXPECT_EQ(gOffered, std::vector<TColor>({0xFF0000, 0x0000FF, 0x008000, 0x000080, 0x800000, 0x008080, 0x800080,
                                           0x808000, 0x808080, 0xC0C0C0, 0x00FF00, 0xFF00FF, 0xFFFF00, 0x000000,
                                           0xFFFFFF, 0xFF0000, 0x0000FF}));
  TFuncList<TBaseFunc2DObj> last = CloneFunctions(window.Doc().Functions());
  last.erase(last.begin(), last.begin() + 16);
  window.SetFunctions(std::move(last));
  TSetting2DObj settings = window.Doc().Settings();
  settings.BackColor = 0xFF0000;
  window.SetSettings(settings);
  EXPECT_EQ(window.ChooseNewFunctionColor(1), 0x008000u);  // blue is used, red is the background

  while (window.Doc().Functions().size() < 251u) window.AppendFunction(std::make_unique<TFunc2DObj>());
  EXPECT_TRUE(window.AddFunction());
  gOffered.clear();
  EXPECT_FALSE(window.AddFunction());
  EXPECT_EQ(window.Doc().Functions().size(), 252u);
  EXPECT_TRUE(gOffered.empty());  // no dialog
  EXPECT_EQ(Told(messages), "E|OK|This Window Can Not Accept More Than 252 Functions\n");
}

TEST_F(Window2D, TheCloseQuestionAndTheCaptionFollowTheFile) {
  window.ZoomIn();  // never saved: closes without a question
  EXPECT_TRUE(window.CanClose());
  testbytes::TScratchDir dir;
  const std::string path = dir.Path("a.pxg");
  ASSERT_TRUE(window.SaveAs(path));
  EXPECT_FALSE(window.IsModified());
  EXPECT_EQ(window.windowTitle(), "2D Cartesian - [a.pxg]");
  EXPECT_TRUE(window.CanClose());  // saved and unchanged
  EXPECT_EQ(Told(messages), "");
  for (const TMsgAnswer answer : {TMsgAnswer::Cancel, TMsgAnswer::No, TMsgAnswer::Yes}) {
    window.ZoomIn();
    const Extended zoom = View().ZoomX;
    messages->shown.clear();
    messages->QueueAnswer(answer);
    EXPECT_EQ(window.CanClose(), answer != TMsgAnswer::Cancel);
    EXPECT_EQ(Told(messages), "C|YNC|Save Changes To Graph a.pxg?\n");
    EXPECT_EQ(window.IsModified(), answer != TMsgAnswer::Yes);
    TGraph2DDoc reread;
    ASSERT_TRUE(OpenGraph(path, reread));
    EXPECT_EQ(reread.View().ZoomX == zoom, answer == TMsgAnswer::Yes);
  }
}

TEST_F(Window2D, ShiftDragSelectsARegionDrawnByNotXor) {
  const QImage before = window.ScreenPicture().Image();
  window.MouseDown(Qt::LeftButton, Qt::ShiftModifier, 50, 40);
  EXPECT_EQ(window.LabelEditor().Mode(), lmRegionDrag);
  window.MouseMove(Qt::LeftButton, Qt::ShiftModifier, 10, 600);
  window.MouseUp(Qt::LeftButton, Qt::ShiftModifier, 10, 600);
  EXPECT_EQ(window.LabelEditor().Mode(), lmRegionShown);
  EXPECT_EQ(window.Region(), (TRect{10, 40, 50, 499}));  // normalised and clamped
  EXPECT_EQ(window.GraphPicture().Image(), before);      // only the screen copy shows it
  int black = 0;                                         // a dotted edge: on white every other pixel turns black
  for (int x = 10; x <= 50; ++x) black += window.ScreenPicture().Canvas().Pixel(x, 40) == 0x000000u;
  EXPECT_EQ(black, 21);
  window.RenderGraph();  // a redraw keeps the region; leaving the mode removes it exactly
  EXPECT_NE(window.ScreenPicture().Image(), before);
  window.LeaveMode();
  EXPECT_EQ(window.LabelEditor().Mode(), lmIdle);
  EXPECT_EQ(window.ScreenPicture().Image(), before);
  window.MouseDown(Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, 20, 20);  // Shift alone, no other key
  EXPECT_EQ(window.LabelEditor().Mode(), lmIdle);
}

// The panels describe the active window alone: the mouse over another window, or that
// window redrawing, changes nothing there.
TEST_F(Window2D, TheStatusLineDescribesTheActiveWindowOnly) {
  std::array<std::string, 3> panels;
  TStatusLine status([&panels](int panel, const std::string& text) { panels[panel] = text; });
  auto& other = *new TFunc2DWindow;  // deleted once closed
  other.NewDefaultSize();
  window.SetStatusLine(&status);
  other.SetStatusLine(&status);
  window.MouseMove(Qt::NoButton, Qt::NoModifier, 284, 214);  // not active yet
  EXPECT_EQ(panels, (std::array<std::string, 3>{}));
  window.Activated();
  window.MouseMove(Qt::NoButton, Qt::NoModifier, 284, 214);
  EXPECT_EQ(std::tuple(window.MousePosition().x, window.MousePosition().y), std::tuple(284, 214));
  const std::array<std::string, 3> described = {"Zoom X:35 Y:35", "Center X:0 Y:0", "Mouse X:1 Y:1"};
  EXPECT_EQ(panels, described);
  other.MouseMove(Qt::NoButton, Qt::NoModifier, 10, 10);
  other.ZoomIn();
  EXPECT_EQ(panels, described);
  other.Activated();
  EXPECT_EQ(panels, (std::array<std::string, 3>{"Zoom X:40 Y:40", "Center X:0 Y:0", ""}));
  EXPECT_TRUE(other.close());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(panels, (std::array<std::string, 3>{}));
  window.MouseMove(Qt::NoButton, Qt::NoModifier, 284, 214);  // nothing is active now
  EXPECT_EQ(panels, (std::array<std::string, 3>{}));
  window.SetStatusLine(nullptr);
}

// Settings and function changes are steps: undone, the file and the picture are as before,
// redone, as after. A view change is no step but marks the graph modified; a save marks
// the place in the history where the graph is unmodified.
TEST_F(Window2D, SettingsAndFunctionChangesUndoAndRedo) {
  testbytes::TScratchDir dir;
  const std::string path = dir.Path("a.pxg");
  const auto state = [&] {
    EXPECT_TRUE(window.Doc().SaveGraph(path));
    return std::pair(testbytes::ReadBytes(path), window.GraphPicture().Image());
  };
  constexpr auto function = &Compiled<TFunc2DObj>;
  std::unique_ptr<TFunc2DObj> first = function("x");
  first->Name = "f";
  window.AppendFunction(std::move(first));
  TSetting2DObj settings = window.Doc().Settings();
  settings.BackColor = 0x00FFFF;
  TFuncList<TBaseFunc2DObj> list;
  list.push_back(function("-x"));
  // clang-format off
  const struct {
    const char* what;
    std::function<void()> change;
  } cases[] = {{"Change Graph Settings", [&] { window.SetSettings(settings); }},
               {"Add Function", [&] { window.AppendFunction(function("x^2")); }},
               {"Add Derivative Curve", [&] { window.AppendFunction(std::make_unique<TDerivedFuncObj>("f", TDerivedRequest{})); }},
               {"Edit Function List", [&] { window.SetFunctions(std::move(list)); }}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(window.SaveAs(path));
    const int steps = window.History()->count();
    const auto before = state();
    c.change();
    EXPECT_EQ(window.History()->count(), steps + 1);
    EXPECT_EQ(window.History()->undoText(), c.what);
    const auto after = state();
    EXPECT_NE(after.first, before.first);
    EXPECT_NE(after.second, before.second);
    EXPECT_TRUE(window.IsModified());
    window.Undo();
    EXPECT_EQ(state(), before);
    EXPECT_FALSE(window.IsModified());
    window.Redo();
    EXPECT_EQ(state(), after);
    EXPECT_TRUE(window.IsModified());
  }
  const int steps = window.History()->count();
  window.ZoomIn();
  EXPECT_EQ(window.History()->count(), steps);
  EXPECT_TRUE(window.IsModified());
  // A change after an undo drops what could have been redone.
  window.Undo();
  window.AppendFunction(function("1"));
  EXPECT_FALSE(window.History()->canRedo());
  EXPECT_EQ(window.Doc().Functions().size(), 4u);  // x, x^2, f'(x) and 1
}

}  // namespace
}  // namespace plotix
