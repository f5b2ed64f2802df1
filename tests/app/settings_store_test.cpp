// The settings kept between runs: what one run leaves, the next finds; what a damaged file
// holds out of range is read as the default; the headless modes never read the file.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QTableWidget>

#include "../cartesian/functions.h"
#include "../files/file_fixtures.h"
#include "../told.h"
#include "app/label_tool_bar.h"
#include "app/main_window.h"
#include "cartesian/points_window.h"
#include "expr/math_function.h"
#include "platform/font_description.h"
#include "platform/message_box.h"
#include "run_plotix.h"

namespace plotix {
namespace {

class SettingsStore : public ::testing::Test {
 protected:
  ~SettingsStore() override {
    SetTrigFixup(2, true);
    DefaultFont() = TFontDesc{};
  }
  std::unique_ptr<QSettings> Store() const {
    return std::make_unique<QSettings>(QString::fromStdString(path), QSettings::IniFormat);
  }

  TScopedScriptedMessages messages;
  testbytes::TScratchDir dir;
  const std::string path = dir.Path("Plotix.conf");
};

// Digits Shown, chosen in a read-out's menu, rounds the read-outs of every window and is kept.
TEST_F(SettingsStore, DigitsShownReachEveryReadoutAndAreKept) {
  {
    TMainForm form(Store());
    auto* window = static_cast<TFunc2DWindow*>(form.NewGraphClick(k2DCartesianCode));
    window->SetFunctions(List(Function("x^2-2")));
    TPointsWindow* points = TPointsWindow::Open(window);
    EXPECT_EQ(points->Rows->item(0, 1)->text(), "-1.4142135623731");
    QMenu menu;
    window->AddDigitsShownMenu(&menu);
    menu.actions()[0]->menu()->actions()[8 - kMinDigitsShown]->trigger();
    EXPECT_EQ(points->Rows->item(0, 1)->text(), "-1.4142136");
    points->CopyRows();  // what is copied keeps every digit
    EXPECT_EQ(QApplication::clipboard()->text().section('\t', 1, 1), "-1.4142135623730950488");
    points->close();
  }
  EXPECT_EQ(TMainForm(Store()).Settings().digitsShown, 8);
}

TEST_F(SettingsStore, WhatOneRunLeavesTheNextFinds) {
  TToolBarAttribClass attributes;
  attributes.PenColor = 0x00FF00;
  attributes.PenStyle = psDot;
  attributes.PenWidth = 7;
  attributes.BrushColor = 0x123456;
  attributes.BrushStyle = bsCross;
  attributes.Font = {"DejaVu Serif", 0x0000FF, fsBold, 14};
  {
    TMainForm first(Store());
    TProgramSettings& s = first.Settings();
    s.zoom2D.increments[4] = 0.0375L;
    s.zoom2D.scrollAmount = 33;
    s.zoom3D.rotationAmount = 7.5L;
    s.zoom3D.increments[0] = 42;
    s.statusModes["2D/Mouse"] = 4;
    s.printScale = 250;
    s.recoverySeconds = 17;
    SetTrigFixup(4, false);
    DefaultFont() = {"DejaVu Sans Mono", 0, fsItalic, 11};
    first.findChild<TLabelToolBar*>()->SetAttributes(attributes);
    first.findChild<QAction*>("ResizeLabelsAction")->setChecked(true);
    first.findChild<QAction*>("FlatToolBarsAction")->setChecked(false);
    first.findChild<QAction*>("SmoothDrawingAction")
        ->trigger();  // the menu command checks itself and sets the program's setting
    first.SetRecentFiles({"/a/one.pxg", "/b/two.pxg"});
    first.StoreSettings();
  }
  SetTrigFixup(2, true);
  DefaultFont() = TFontDesc{};
  TMainForm next(Store());
  const TProgramSettings& s = next.Settings();
  EXPECT_EQ(std::tuple(s.zoom2D.increments[4], s.zoom2D.scrollAmount, s.zoom3D.rotationAmount, s.zoom3D.increments[0],
                       s.StatusMode("2D/Mouse", 0), s.printScale, s.recoverySeconds),
            std::tuple(0.0375L, 33, 7.5L, 42, 4, 250, 17));
  int range = 0;
  bool exact = true;
  GetTrigFixup(range, exact);
  EXPECT_EQ(std::tuple(range, exact), std::tuple(4, false));
  EXPECT_EQ(DefaultFont(), (TFontDesc{"DejaVu Sans Mono", 0, fsItalic, 11}));
  const TToolBarAttribClass& a = next.findChild<TLabelToolBar*>()->Attributes;
  EXPECT_EQ(std::tuple(a.PenColor, a.PenStyle, a.PenWidth, a.BrushColor, a.BrushStyle, a.Font),
            std::tuple(attributes.PenColor, attributes.PenStyle, attributes.PenWidth, attributes.BrushColor,
                       attributes.BrushStyle, attributes.Font));
  EXPECT_TRUE(next.findChild<TLabelToolBar*>()->PenStyleButton(psDot)->isChecked());
  EXPECT_TRUE(next.findChild<QAction*>("ResizeLabelsAction")->isChecked());
  EXPECT_FALSE(next.findChild<QAction*>("FlatToolBarsAction")->isChecked());
  EXPECT_TRUE(next.findChild<QAction*>("SmoothDrawingAction")->isChecked() && s.smoothDrawing);
  EXPECT_EQ(next.RecentFiles(), (QStringList{"/a/one.pxg", "/b/two.pxg"}));
}

TEST_F(SettingsStore, ValuesOutOfRangeAreReadAsTheirDefaults) {
  // clang-format off
  const std::pair<const char*, const char*> stored[] = {
      {"hotKeys/zoom1", "-5"}, {"hotKeys/zoom2", "nan"}, {"hotKeys/scrollAmount", "abc"},
      {"hotKeys/rotationAmount", "0"}, {"hotKeys/zoom3D1", "101"}, {"statusLine/2D/View", "4"}, {"print/scale", "24"},
      {"recovery/intervalSeconds", "4"}, {"trigonometry/range", "6"}, {"trigonometry/exact", "maybe"},
      {"fonts/default/size", "513"}, {"labelToolBar/penStyle", "6"}, {"labelToolBar/brushColor", "16777216"}};
  // clang-format on
  for (const auto& [key, value] : stored) Store()->setValue(key, value);
  TMainForm form(Store());
  const TProgramSettings& s = form.Settings();
  const TProgramSettings defaults;
  EXPECT_EQ(s.zoom2D.increments, defaults.zoom2D.increments);
  EXPECT_EQ(std::tuple(s.zoom2D.scrollAmount, s.zoom3D.rotationAmount, s.zoom3D.increments[0], s.printScale,
                       s.recoverySeconds),
            std::tuple(defaults.zoom2D.scrollAmount, defaults.zoom3D.rotationAmount, defaults.zoom3D.increments[0],
                       defaults.printScale, defaults.recoverySeconds));
  EXPECT_EQ(s.StatusMode("2D/View", -1), 0);
  int range = 0;
  bool exact = false;
  GetTrigFixup(range, exact);
  EXPECT_EQ(std::tuple(range, exact), std::tuple(2, true));
  EXPECT_EQ(DefaultFont().size, TFontDesc{}.size);
  const TToolBarAttribClass a = form.findChild<TLabelToolBar*>()->Attributes, fresh;
  EXPECT_EQ(std::tuple(a.PenStyle, a.BrushColor), std::tuple(fresh.PenStyle, fresh.BrushColor));
  EXPECT_EQ(Told(messages), "");
}

// A settings file that turns the trigonometry fix-up off changes nothing --calc prints,
// and the headless run writes no settings file.
TEST_F(SettingsStore, TheHeadlessModesNeitherReadNorWriteIt) {
  const std::string config = dir.Path("config");
  std::filesystem::create_directories(config + "/Plotix");
  {
    QSettings store(QString::fromStdString(config + "/Plotix/Plotix.conf"), QSettings::IniFormat);
    store.setValue("trigonometry/range", 0);
  }
  const TRun run = RunPlotix({"--calc", "cos(x)", "--x", "pi/2"}, {{"XDG_CONFIG_HOME", config}});
  EXPECT_EQ(run.out, "0.000000000000000000\n");
  const TRun render = RunPlotix({"--render", PLOTIX_EXAMPLES "/polar.pxg", QString::fromStdString(dir.Path("p.png"))},
                                {{"XDG_CONFIG_HOME", dir.Path("fresh")}});
  EXPECT_EQ(render.status, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.Path("fresh")));
}

}  // namespace
}  // namespace plotix
