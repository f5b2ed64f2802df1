// The main window with graph windows: enabled commands, the merged window menus, the tool
// bar, the window limit and the window menu, opening and saving through the file dialogs,
// the recent files and the close questions.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QSizeGrip>
#include <QStatusBar>
#include <QTest>
#include <algorithm>
#include <filesystem>

#include "../cartesian/functions.h"
#include "../files/file_fixtures.h"
#include "../told.h"
#include "app/main_window.h"
#include "app/parameter_panel.h"
#include "cartesian/cartesian_window.h"
#include "cartesian/points_window.h"
#include "labels/text_editor.h"
#include "platform/common_dialogs.h"

namespace plotix {
namespace {

using testbytes::TScratchDir;

class MainWindow : public ::testing::Test {
 protected:
  MainWindow() { form.show(); }
  ~MainWindow() override { Settle(); }

  // Lets closed windows go.
  static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  QStringList MenuTitles() const {
    QStringList titles;
    for (QAction* a : form.menuBar()->actions()) titles << a->text();
    return titles;
  }
  // The item of a menu of the menu bar.
  QAction* MenuItem(const QString& menu, const QString& item) const {
    for (QAction* m : form.menuBar()->actions())
      for (QAction* a : m->menu() && m->text() == menu ? m->menu()->actions() : QList<QAction*>{})
        if (a->text() == item) return a;
    return nullptr;
  }
  // A new 2D graph saved as `name` in the scratch folder, through the save dialog.
  TFuncGraphWindow* SavedGraph(const std::string& name) {
    TFuncGraphWindow* w = form.NewGraphClick(k2DCartesianCode);
    dialogs->QueueFileName(dir.Path(name));
    EXPECT_TRUE(form.SaveFile1Click());
    return w;
  }
  void CloseActive() {
    form.CloseFile1Click();
    Settle();
  }
  int Windows() const { return int(form.findChild<QMdiArea*>()->subWindowList().size()); }
  QString RecentNames() const {
    QStringList list;
    for (const QString& f : form.RecentFiles()) list << QFileInfo(f).fileName();
    return list.join(" ");
  }

  TScopedScriptedMessages messages;
  TScopedScriptedCommonDlgs dialogs;
  TScratchDir dir;
  TMainForm form;
};

TEST_F(MainWindow, CommandsMenusAndButtonsFollowTheOpenWindows) {
  const QList<QAction*> commands = {
      form.findChild<QAction*>("SaveAction"),       form.findChild<QAction*>("CloseAction"),
      form.findChild<QAction*>("RefreshAction"),    form.findChild<QAction*>("PrintAction"),
      form.findChild<QAction*>("CopyBitmapAction"), form.GraphButton(TGraphButton::ZoomIn)};
  const auto check = [&](int windows) {
    SCOPED_TRACE(windows);
    for (QAction* a : commands) EXPECT_EQ(a->isEnabled(), windows > 0) << a->text().toStdString();
    EXPECT_TRUE(form.NewActions()[0]->isEnabled());
    EXPECT_EQ(MenuTitles(), (windows ? QStringList{"&File", "&Edit", "&Graph", "F&unction", "&View", "&Label", "&Tools",
                                                   "&Window", "&Help"}
                                     : QStringList{"&File", "&Edit", "&Graph", "&Tools", "&Window", "&Help"}));
    for (const TGraphButton b : {TGraphButton::ZoomXIn, TGraphButton::ScrollUp, TGraphButton::PageRight})
      EXPECT_EQ(form.GraphButton(b)->isVisible(), windows > 0) << int(b);
    EXPECT_FALSE(form.GraphButton(TGraphButton::RotateXMinus)->isVisible());  // no 3D window
    EXPECT_EQ(form.GraphWindowCount(), windows);
  };
  check(0);
  ASSERT_NE(form.NewGraphClick(k2DCartesianCode), nullptr);
  ASSERT_NE(form.NewGraphClick(k2DCartesianCode), nullptr);
  check(2);
  CloseActive();
  check(1);
  CloseActive();
  check(0);
  EXPECT_EQ(Told(messages), "");
}

// The buttons of a kind's own commands show for the windows that offer them, and each runs
// the active window's command of its name: a view change, which marks the graph modified.
TEST_F(MainWindow, AKindsOwnButtonsShowAndRunForItsWindowsOnly) {
  using B = TGraphButton;
  const struct {
    int kind;  // into the New actions: 2D, polar, 3D
    B button;
    bool offered;
  } rows[] = {{0, B::ZoomXIn, true},      {0, B::ZoomYOut, true},     {0, B::PageLeft, true},
              {0, B::RotateZPlus, false}, {1, B::ScrollDown, true},   {1, B::ZoomYIn, false},
              {2, B::RotateXMinus, true}, {2, B::RotateZMinus, true}, {2, B::ScrollUp, false}};
  for (const auto& r : rows) {
    SCOPED_TRACE(int(r.button));
    form.NewActions()[r.kind]->trigger();
    TFuncGraphWindow* w = form.ActiveGraphWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(form.GraphButton(r.button)->isVisible(), r.offered);
    w->SetModified(false);
    form.GraphButton(r.button)->trigger();
    EXPECT_EQ(w->IsModified(), r.offered);
    CloseActive();
  }
}

TEST_F(MainWindow, AtMostSixteenGraphWindows) {
  for (int i = 0; i < kMaxGraphWindows; ++i) ASSERT_NE(form.NewGraphClick(k2DCartesianCode), nullptr);
  EXPECT_EQ(form.NewGraphClick(k2DCartesianCode), nullptr);
  form.OpenFile1Click();  // refused before the open dialog
  EXPECT_TRUE(dialogs->asked.empty());
  EXPECT_EQ(Windows(), kMaxGraphWindows);
  const std::string refused = "E|OK|A Maximum of 16 Graph Windows May be Open At Once.\n";
  EXPECT_EQ(Told(messages), refused + refused);
}

// The points window and the parameters dock follow the active graph window; the points
// window shows none for a graph of another kind and goes when the main window goes.
TEST_F(MainWindow, ToolWindowsFollowTheActiveGraphWindow) {
  auto* first = static_cast<TFunc2DWindow*>(form.NewGraphClick(k2DCartesianCode));
  auto* second = static_cast<TFunc2DWindow*>(form.NewGraphClick(k2DCartesianCode));
  form.NewActions()[1]->trigger();  // polar
  TFuncGraphWindow* polar = form.ActiveGraphWindow();
  TPointsWindow* points = TPointsWindow::Open(first);
  EXPECT_EQ(form.findChildren<TPointsWindow*>().size(), 1);
  const QList<QMdiSubWindow*> subs = form.findChild<QMdiArea*>()->subWindowList();
  const std::pair<TFuncGraphWindow*, TFunc2DWindow*> rows[] = {{second, second}, {polar, nullptr}, {first, first}};
  for (const auto& [active, followed] : rows) {
    for (QMdiSubWindow* sub : subs)
      if (sub->widget() == active) form.findChild<QMdiArea*>()->setActiveSubWindow(sub);
    EXPECT_EQ(points->Graph(), followed);
    EXPECT_EQ(form.findChild<TParameterPanel*>()->Window(), active);
  }
  EXPECT_EQ(TPointsWindow::Open(second), points);
}

// Tile, Cascade and Arrange Icons bring every window, minimised or not, back into view.
TEST_F(MainWindow, TheWindowMenuLeavesEveryWindowReachable) {
  form.resize(900, 700);
  for (int i = 0; i < 4; ++i) form.NewGraphClick(k2DCartesianCode);
  const QList<QMdiSubWindow*> subs = form.findChild<QMdiArea*>()->subWindowList();
  subs[0]->showMinimized();
  subs[1]->showMinimized();
  QCoreApplication::processEvents();
  const QRect area = form.findChild<QMdiArea*>()->viewport()->rect();
  const struct {
    const char* item;
    bool minimised;  // which windows it arranges
  } rows[] = {{"&Tile", false}, {"Casca&de", false}, {"&Arrange Icons", true}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.item);
    for (QMdiSubWindow* sub : subs) sub->move(area.width() + 500, area.height() + 500);
    QAction* item = MenuItem("&Window", r.item);
    ASSERT_NE(item, nullptr);
    item->trigger();
    QCoreApplication::processEvents();
    for (QMdiSubWindow* sub : subs)
      if (sub->isMinimized() == r.minimised) {
        EXPECT_TRUE(area.contains(sub->geometry())) << sub->geometry().x() << "," << sub->geometry().y();
      }
  }
}

TEST_F(MainWindow, SaveAsksForANameOnceAndOpenShowsTheFileInTheCaption) {
  SavedGraph("a.pxg");
  ASSERT_EQ(dialogs->asked.size(), 1u);
  const auto& save = dialogs->asked[0];
  EXPECT_EQ(std::tuple(save.kind, save.title, save.filter, save.defaultExt),
            std::tuple(TCommonDlgKind::SaveFile, std::string("Save File As"), std::string("Plotix File (*.pxg)|*.pxg"),
                       std::string("pxg")));
  EXPECT_EQ(form.ActiveGraphWindow()->windowTitle(), "2D Cartesian - [a.pxg]");
  EXPECT_TRUE(form.SaveFile1Click());  // the name is known now
  EXPECT_EQ(dialogs->asked.size(), 1u);
  CloseActive();
  dialogs->asked.clear();
  dialogs->QueueFileName(dir.Path("a.pxg"));
  form.OpenFile1Click();
  const auto& open = dialogs->asked.at(0);
  EXPECT_EQ(
      std::tuple(open.kind, open.title, open.filter),
      std::tuple(TCommonDlgKind::OpenFile, std::string("Open A Plotix File"), std::string("Plotix File(*.pxg)|*.pxg")));
  ASSERT_EQ(Windows(), 1);
  EXPECT_EQ(form.ActiveGraphWindow()->windowTitle(), "2D Cartesian - [a.pxg]");
  EXPECT_FALSE(form.ActiveGraphWindow()->IsModified());
  EXPECT_EQ(Told(messages), "");
}

TEST_F(MainWindow, RecentFilesHoldTheFiveNewestClosedFilesThatAreNotOpen) {
  form.NewGraphClick(k2DCartesianCode);
  CloseActive();  // no file name: not listed
  EXPECT_TRUE(form.RecentFiles().isEmpty());
  EXPECT_FALSE(form.findChild<QAction*>("RecentSeparator")->isVisible());
  for (int i = 1; i <= 6; ++i) {
    SavedGraph(std::to_string(i) + ".pxg");
    CloseActive();
  }
  EXPECT_EQ(RecentNames(), "6.pxg 5.pxg 4.pxg 3.pxg 2.pxg");
  // 2 and 3 are the access keys of "New &2D Cartesian" and "New &3D Cartesian".
  QStringList items;
  for (QAction* a : form.RecentActions()) items << a->text();
  EXPECT_EQ(items, QStringList({"&1 6.pxg", "2 5.pxg", "3 4.pxg", "&4 3.pxg", "&5 2.pxg"}));
  form.OpenRecentFile(2);  // reopening removes the entry; closing it puts it first, once
  EXPECT_EQ(Windows(), 1);
  EXPECT_EQ(RecentNames(), "6.pxg 5.pxg 3.pxg 2.pxg");
  EXPECT_FALSE(form.RecentActions()[4]->isVisible());
  CloseActive();
  EXPECT_EQ(RecentNames(), "4.pxg 6.pxg 5.pxg 3.pxg 2.pxg");
  testbytes::WriteBytes(dir.Path("5.pxg"), testbytes::TBytes(10, 0));
  form.OpenRecentFile(2);  // a file that became invalid stays in the list
  Settle();
  EXPECT_EQ(Windows(), 0);
  EXPECT_EQ(RecentNames(), "4.pxg 6.pxg 5.pxg 3.pxg 2.pxg");
}

// Exit asks about every modified graph before it closes any: a Cancel or a failed save
// keeps every window open, and what was saved on the way stays saved.
TEST_F(MainWindow, ExitAsksEveryModifiedGraphBeforeClosingAny) {
  using A = TMsgAnswer;
  const std::string askA = "C|YNC|Save Changes To Graph a.pxg?\n", askC = "C|YNC|Save Changes To Graph c.pxg?\n";
  const struct {
    const char* what;
    std::vector<TMsgAnswer> answers;
    bool saveFails;
    bool exits;
    std::string told;
    bool firstModified;  // afterwards, when the program runs on
  } rows[] = {
      {"cancel the second", {A::No, A::Cancel}, false, false, askA + askC, true},
      {"save the first, cancel the second", {A::Yes, A::Cancel}, false, false, askA + askC, false},
      {"a save fails", {A::Yes}, true, false, askA + "E|AR|Error Creating File\n", true},
      {"no to both", {A::No, A::No}, false, true, askA + askC, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    form.show();  // again after the last row's exit
    TFuncGraphWindow* first = SavedGraph("a.pxg");
    SavedGraph("b.pxg");  // unmodified: no question, and it waits for the others
    TFuncGraphWindow* third = SavedGraph("c.pxg");
    first->ZoomIn();
    third->ZoomIn();
    if (row.saveFails) std::filesystem::remove_all(dir.Path(""));
    messages->shown.clear();
    for (const TMsgAnswer a : row.answers) messages->QueueAnswer(a);
    EXPECT_EQ(form.close(), row.exits);
    Settle();
    EXPECT_EQ(Told(messages), row.told);
    EXPECT_EQ(Windows(), row.exits ? 0 : 3);
    if (row.exits) continue;
    EXPECT_EQ(first->IsModified(), row.firstModified);
    for (QMdiSubWindow* sub : form.findChild<QMdiArea*>()->subWindowList())
      qobject_cast<TFuncGraphWindow*>(sub->widget())->SetModified(false);
    std::filesystem::create_directories(dir.Path(""));
    ASSERT_TRUE(form.close());
    Settle();
  }
}

// The Window menu lists the open graphs by caption, the active one checked; the first
// nine take digit keys, which clash with nothing in that menu.
TEST_F(MainWindow, TheWindowMenuListsTheOpenGraphs) {
  for (int i = 0; i < 10; ++i) SavedGraph(std::to_string(i) + ".pxg");
  QMenu* menu = nullptr;
  for (QAction* a : form.menuBar()->actions())
    if (a->text() == "&Window") menu = a->menu();
  ASSERT_NE(menu, nullptr);
  emit menu->aboutToShow();
  QStringList listed, checked;
  for (QAction* a : menu->actions()) {
    if (!a->isCheckable() || a == form.findChild<QAction*>("SmoothDrawingAction") ||
        a == form.findChild<QAction*>("ParametersAction") || a == form.findChild<QAction*>("FunctionsAction"))
      continue;
    listed << a->text();
    if (a->isChecked()) checked << a->text();
  }
  ASSERT_EQ(listed.size(), 10);
  EXPECT_EQ(listed[0], "&1 2D Cartesian - [0.pxg]");
  EXPECT_EQ(listed[8], "&9 2D Cartesian - [8.pxg]");
  EXPECT_EQ(listed[9], "10 2D Cartesian - [9.pxg]");
  EXPECT_EQ(checked, QStringList{"10 2D Cartesian - [9.pxg]"});
  for (QAction* a : menu->actions())
    if (a->text() == "&3 2D Cartesian - [2.pxg]") a->trigger();
  EXPECT_EQ(form.ActiveGraphWindow()->windowTitle(), "2D Cartesian - [2.pxg]");
  emit menu->aboutToShow();  // built anew: one entry each
  const QList<QAction*> items = menu->actions();
  EXPECT_EQ(std::count_if(items.begin(), items.end(), [](QAction* a) { return a->isCheckable(); }),
            13);  // and Smooth Drawing, Parameters, Functions
}

// Unsaved changes show as an asterisk after the caption, in the title and in the Window menu;
// untitled windows are numbered there.
TEST_F(MainWindow, CaptionsMarkUnsavedChanges) {
  TFuncGraphWindow* saved = SavedGraph("a.pxg");
  for (int i = 0; i < 3; ++i) form.NewGraphClick(k2DCartesianCode);
  const QList<QMdiSubWindow*> subs = form.findChild<QMdiArea*>()->subWindowList();
  EXPECT_EQ(std::tuple(subs[0]->windowTitle(), subs[0]->isWindowModified()),
            std::tuple(QString("2D Cartesian - [a.pxg][*]"), false));
  saved->ZoomIn();  // the view is in the file too
  qobject_cast<TFunc2DWindow*>(subs[2]->widget())->AppendFunction(std::make_unique<TFunc2DObj>());
  auto* menu = qobject_cast<QMenu*>(MenuItem("&Window", "&Tile")->parent());
  for (int shown = 0; shown < 3; ++shown) emit menu->aboutToShow();  // each time anew
  QStringList listed;
  for (QAction* a : menu->actions()) listed << a->text();
  EXPECT_TRUE(subs[0]->isWindowModified());
  EXPECT_EQ(listed.mid(listed.size() - 4),
            QStringList({"&1 2D Cartesian - [a.pxg]*", "&2 2D Cartesian", "&3 2D Cartesian 2*", "&4 2D Cartesian 3"}));
  EXPECT_TRUE(saved->Save());
  EXPECT_FALSE(saved->isWindowModified());
  EXPECT_FALSE(subs[0]->isWindowModified());
}

// What a drawing could not draw is told beside the status panels, between them and the size
// grip.
TEST_F(MainWindow, TheDrawingNoteFitsBesideThePanels) {
  form.resize(900, 700);
  auto* window = static_cast<TFunc2DWindow*>(form.NewGraphClick(k2DCartesianCode));
  auto curve = Curve("t+100", "sqrt(-t)");
  curve->To = 1;
  window->AppendFunction(std::move(curve));
  QCoreApplication::processEvents();
  ASSERT_TRUE(form.findChild<QLabel*>("DrawingNote")->isVisible());
  const QRect note = form.findChild<QLabel*>("DrawingNote")->geometry();
  EXPECT_LT(form.StatusPanel(2)->geometry().right(), note.left());
  EXPECT_LT(note.right(), form.statusBar()->findChild<QSizeGrip*>()->geometry().left());
  form.NewGraphClick(k2DCartesianCode);  // the note is the active window's
  EXPECT_FALSE(form.findChild<QLabel*>("DrawingNote")->isVisible());
}

// Cascade keeps each window at the size its bitmap needs while the area has room.
TEST_F(MainWindow, CascadedWindowsKeepTheirBitmapsSize) {
  form.resize(1200, 900);
  QCoreApplication::processEvents();
  for (int i = 0; i < 3; ++i) form.NewGraphClick(k2DCartesianCode);
  const QList<QMdiSubWindow*> subs = form.findChild<QMdiArea*>()->subWindowList();
  for (QMdiSubWindow* sub : subs) sub->resize(200, 150);
  MenuItem("&Window", "Casca&de")->trigger();
  QCoreApplication::processEvents();
  for (QMdiSubWindow* sub : subs) {
    const QSize shown = qobject_cast<TFuncGraphWindow*>(sub->widget())->ScrollBox()->viewport()->size();
    EXPECT_GE(shown.width(), 500);
    EXPECT_GE(shown.height(), 500);
  }
  EXPECT_LT(subs[0]->pos().x(), subs[1]->pos().x());
}

// Delete, like Ctrl+Del, deletes the selected label; in the in-place editor it deletes a
// character.
TEST_F(MainWindow, DeleteRemovesTheSelectedLabelAndEditsTextInTheEditor) {
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  TFuncGraphWindow* w = form.NewGraphClick(k2DCartesianCode);
  form.SetLabelToolMode(ltText);
  w->MouseDown(Qt::LeftButton, Qt::NoModifier, 20, 20);
  w->MouseUp(Qt::LeftButton, Qt::NoModifier, 20, 20);
  form.SetLabelToolMode(0);
  QTest::keyClicks(w->LabelEditor().TextEditor(), "abc");
  QTest::keyClick(w->LabelEditor().TextEditor(), Qt::Key_Home);
  QTest::keyClick(w->LabelEditor().TextEditor(), Qt::Key_Delete);
  EXPECT_EQ(w->LabelEditor().TextEditor()->Text(), "bc");
  QTest::keyClick(w->LabelEditor().TextEditor(), Qt::Key_Return);
  ASSERT_EQ(w->Labels().size(), 1u);
  w->LabelEditor().SelectTop();
  QTest::keyClick(w->ScreenImage(), Qt::Key_Delete);
  EXPECT_TRUE(w->Labels().empty());
}

}  // namespace
}  // namespace plotix
