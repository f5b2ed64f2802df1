// The 3D window's commands and meshes, the function dialogs' limits and messages, and
// the hot key settings reached from the main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <functional>

#include "../modal.h"
#include "app/main_window.h"
#include "expr/math_const_edit.h"
#include "graph3d/function_dialog.h"
#include "graph3d/graph3d_window.h"
#include "graph3d/rotate_dialog.h"
#include "graph3d/settings_dialog.h"
#include "graph3d/view_dialog.h"
#include "platform/dialog_service.h"
#include "platform/message_box.h"
#include "window/status_line.h"

namespace plotix {
namespace {

bool ScriptedSurface(TFunc3DObj& f, bool) {
  f.Func.SetExpression("x*y");
  return f.Func.Compile();
}

class Window3D : public ::testing::Test {
 protected:
  void SetUp() override {
    dialogs->Register<TFunc3DObj>(&ScriptedSurface);
    program.statusModes["3D/Mouse"] = 0;
    window.SetProgramSettings(&program);
    window.SetStatusLine(&status);
    window.NewDefaultSize();
  }
  bool Redraws(const std::function<void()>& command) {
    window.SetModified(false);
    command();
    return window.IsModified();
  }

  TScopedScriptedMessages messages;
  TScopedDialogService dialogs;
  std::string mouse;
  TProgramSettings program;
  TStatusLine status{[this](int panel, const std::string& text) {
    if (panel == 2) mouse = text;
  }};
  TFunc3DWindow window;
};

TEST_F(Window3D, NewFunctionsAddTheirMeshes) {
  EXPECT_EQ(window.windowTitle(), "3D Cartesian");
  QStringList items;
  for (QAction* a : window.FunctionMenu()->actions()) items << a->text();
  EXPECT_TRUE(items.contains("&Edit Function List...")) << items.join("|").toStdString();
  ASSERT_TRUE(window.AddSurface());
  EXPECT_EQ(window.Doc().Lines().LineCount(), 183);
  ASSERT_TRUE(window.AddSurface());
  EXPECT_EQ(window.Doc().Lines().LineCount(), 363);
  EXPECT_EQ(window.Doc().Functions()[1]->Style.Color, 0x0000FFu);  // red: the first took blue
  window.SetFunctions(CloneFunctions(window.Doc().Functions()));   // the meshes built anew
  EXPECT_EQ(window.Doc().Lines().LineCount(), 363);
}

TEST_F(Window3D, ViewCommandsRedrawWhenTheViewChanges) {
  const TView3D& v = window.Doc().View();
  EXPECT_FALSE(Redraws([&] { window.CenterFunctionView(); }));
  TView3D start;
  start.RotateX = 357;
  window.SetView(start);
  EXPECT_TRUE(Redraws([&] { window.Rotate(TAxis::X, true); }));
  EXPECT_EQ(v.RotateX, 0);
  EXPECT_TRUE(Redraws([&] { window.Rotate(TAxis::Z, false); }));
  EXPECT_TRUE(Redraws([&] { window.CenterFunctionView(); }));
  EXPECT_EQ(v.RotateZ, 0);
  start = v;
  start.Zoom = 1;
  window.SetView(start);
  EXPECT_FALSE(Redraws([&] { window.ZoomOut(); }));
  EXPECT_TRUE(Redraws([&] { window.ZoomIn(); }));
  EXPECT_EQ(v.Zoom, 3);
  // The mouse panel counts graph units from the bitmap's centre pixel, y up.
  window.Activated();
  window.MouseMove(Qt::NoButton, Qt::NoModifier, 255, 243);
  EXPECT_EQ(mouse, "Mouse X:2 Y:2");
}

// A detail beyond what the wire lines allow is lowered as the dialog opens.
TEST(Dialogs3D, DetailFollowsTheWireLines) {
  TFunc3DObj surface;
  surface.Func.SetExpression("x");
  surface.Vars[1].Lines = 6;
  surface.Vars[0].Detail = 5000;
  TAdd3DFuncDlg surfaceDialog(surface, false);
  surfaceDialog.accept();
  EXPECT_EQ(surface.Vars[0].Detail, 18);

  TFuncRotateObj rotated;
  rotated.Func.SetExpression("x");
  rotated.Lines = 51;
  rotated.Circles = 10;
  rotated.CircleDetail = rotated.LineDetail = 5000;
  TAddRotateDlg rotateDialog(rotated, false);
  EXPECT_TRUE(rotateDialog.ECircleDetail->isReadOnly());
  EXPECT_EQ(rotateDialog.ELineDetail->value(), 10);
  rotateDialog.accept();
  EXPECT_EQ(rotated.CircleDetail, 0);
  EXPECT_EQ(rotated.LineDetail, 10);
}

TEST(Dialogs3D, OrientationAndBoundsSpeakTheVariablesLetters) {
  TScopedScriptedMessages messages;
  TFunc3DObj f;
  TAdd3DFuncDlg dialog(f, true);
  const struct {
    const char* typed;
    TOrientation want;
  } cases[] = {{"y", orY}, {"Q=", orY}, {"x=f", orX}};
  for (const auto& c : cases) {
    dialog.EOrientation->setEditText(QString::fromLatin1(c.typed));
    dialog.OrientationExit();
    EXPECT_EQ(dialog.Orientation(), c.want) << c.typed;
  }
  dialog.EUserFuncStr->setText("y+z");
  const struct {
    std::size_t var;
    const char* lo;
    const char* message;
  } rows[] = {{1, "3", "Z Lower Bound Must be <= Z Upper Bound"},
              {0, "2", "Y Lower Bound Must be <= Y Upper Bound"},
              {1, "701", "Error: Z Lower Bound must be >= -700 and <= 700"},
              {1, "1", nullptr}};
  for (const auto& row : rows) {
    messages->shown.clear();
    dialog.Vars[row.var].ELoBound->setText(row.lo);
    dialog.accept();
    EXPECT_EQ(messages->shown.empty() ? "" : messages->shown[0].text, row.message ? row.message : "") << row.lo;
    if (row.message) dialog.Vars[row.var].ELoBound->setText("0");
  }
  EXPECT_EQ(f.GetDescription(), "X=f(y,z)=y+z");
  EXPECT_EQ(f.Vars[1].Lo, 1);
  for (QWidget* field :
       std::initializer_list<QWidget*>{dialog.Vars[0].ELines, dialog.Vars[1].ELines, dialog.ERoundDown})
    EXPECT_TRUE(field->isVisibleTo(&dialog));
}

// The settings and view dialogs show what they are given, and OK stores what is shown.
TEST(Dialogs3D, OkStoresWhatTheDialogShows) {
  TSettings3DObj settings;
  TSettings3DDlg dlg(settings);
  EXPECT_TRUE(dlg.Buttons->isVisibleTo(&dlg));
  for (auto& c : dlg.Axes) {
    EXPECT_TRUE(c.FontButton->isVisibleTo(&dlg));
    c.ShowPlusSign->setChecked(false);
  }
  dlg.accept();
  for (const TAxis3DSettings& a : settings.Axes)
    EXPECT_TRUE(!a.ShowPlusSign && a.ShowMinusSign && a.ShowAxisLine && a.LabelPlusEnd && a.LabelMinusEnd);
  TView3D view{10, 20, 30, 40};
  TChange3DViewDlg viewDialog(view);
  viewDialog.EAngles[0]->setText("-5");
  viewDialog.accept();
  EXPECT_EQ(view, (TView3D{-5, 20, 30, 40}));
}

TEST(MainForm3D, HotKeySettingsOpenFromTheToolsMenu) {
  TMainForm form;
  QAction* item = nullptr;
  for (QAction* menu : form.menuBar()->actions())
    if (menu->text() == "&Tools")
      for (QAction* a : menu->menu()->actions())
        if (a->menu() && a->text() == "&Advanced Global Settings")
          for (QAction* setting : a->menu()->actions())
            if (setting->text() == "3D Zoom Hot Key Settings...") item = setting;
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(item->isEnabled());
  QString opened;
  OnNextModal([&opened](QWidget* modal) {
    opened = modal->windowTitle();
    modal->close();
  });
  item->trigger();
  EXPECT_EQ(opened, "Global 3D Cartesian: Hot Key Settings");
}

}  // namespace
}  // namespace plotix
