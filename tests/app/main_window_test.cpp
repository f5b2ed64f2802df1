// The main window with graph windows: enabled commands, the merged window menus, the tool
// bar, the window limit and the window menu, opening and saving through the file dialogs,
// the recent files and the close questions.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include "../files/file_fixtures.h"
#include "../told.h"
#include "app/main_window.h"
#include "cartesian/cartesian_window.h"
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
    TFuncGraphWindow* w = form.New2DCartisian1Click();
    dialogs->QueueFileName(dir.Path(name));
    EXPECT_TRUE(form.SaveFile1Click());
    return w;
  }
  void CloseActive() {
    form.CloseFile1Click();
    Settle();
  }
  int Windows() const { return int(form.MdiArea->subWindowList().size()); }
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
  const QList<QAction*> commands = {form.SaveAction,       form.CloseAction,
                                    form.RefreshAction,    form.PrintAction,
                                    form.CopyBitmapAction, form.GraphButtons[int(TGraphButton::ZoomIn)]};
  const auto check = [&](int windows) {
    SCOPED_TRACE(windows);
    for (QAction* a : commands) EXPECT_EQ(a->isEnabled(), windows > 0) << a->text().toStdString();
    EXPECT_TRUE(form.NewActions[0]->isEnabled());
    EXPECT_EQ(MenuTitles(),
              (windows ? QStringList{"&File", "&Graph", "F&unction", "&View", "&Label", "&Tools", "&Window", "&Help"}
                       : QStringList{"&File", "&Graph", "&Tools", "&Window", "&Help"}));
    for (const TGraphButton b : {TGraphButton::ZoomXIn, TGraphButton::ScrollUp, TGraphButton::PageRight})
      EXPECT_EQ(form.GraphButtons[int(b)]->isVisible(), windows > 0) << int(b);
    EXPECT_FALSE(form.GraphButtons[int(TGraphButton::RotateXMinus)]->isVisible());  // no 3D window
    EXPECT_EQ(form.GraphWindowCount(), windows);
  };
  check(0);
  ASSERT_NE(form.New2DCartisian1Click(), nullptr);
  ASSERT_NE(form.New2DCartisian1Click(), nullptr);
  check(2);
  CloseActive();
  check(1);
  CloseActive();
  check(0);
  EXPECT_EQ(Told(messages), "");
}

TEST_F(MainWindow, AtMostSixteenGraphWindows) {
  for (int i = 0; i < kMaxGraphWindows; ++i) ASSERT_NE(form.New2DCartisian1Click(), nullptr);
  EXPECT_EQ(form.New2DCartisian1Click(), nullptr);
  form.OpenFile1Click();  // refused before the open dialog
  EXPECT_TRUE(dialogs->asked.empty());
  EXPECT_EQ(Windows(), kMaxGraphWindows);
  const std::string refused = "E|OK|A Maximum of 16 Graph Windows May be Open At Once.\n";
  EXPECT_EQ(Told(messages), refused + refused);
}

// Tile, Cascade and Arrange Icons bring every window, minimised or not, back into view.
TEST_F(MainWindow, TheWindowMenuLeavesEveryWindowReachable) {
  form.resize(900, 700);
  for (int i = 0; i < 4; ++i) form.New2DCartisian1Click();
  const QList<QMdiSubWindow*> subs = form.MdiArea->subWindowList();
  subs[0]->showMinimized();
  subs[1]->showMinimized();
  QCoreApplication::processEvents();
  const QRect area = form.MdiArea->viewport()->rect();
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
  EXPECT_FALSE(form.ActiveGraphWindow()->Modified);
  EXPECT_EQ(Told(messages), "");
}

TEST_F(MainWindow, RecentFilesHoldTheFiveNewestClosedFilesThatAreNotOpen) {
  form.New2DCartisian1Click();
  CloseActive();  // no file name: not listed
  EXPECT_TRUE(form.RecentFiles().isEmpty());
  EXPECT_FALSE(form.RecentSeparator->isVisible());
  for (int i = 1; i <= 6; ++i) {
    SavedGraph(std::to_string(i) + ".pxg");
    CloseActive();
  }
  EXPECT_EQ(RecentNames(), "6.pxg 5.pxg 4.pxg 3.pxg 2.pxg");
  EXPECT_EQ(form.RecentActions[0]->text(), "&1 6.pxg");
  form.OpenRecentFile(2);  // reopening removes the entry; closing it puts it first, once
  EXPECT_EQ(Windows(), 1);
  EXPECT_EQ(RecentNames(), "6.pxg 5.pxg 3.pxg 2.pxg");
  EXPECT_FALSE(form.RecentActions[4]->isVisible());
  CloseActive();
  EXPECT_EQ(RecentNames(), "4.pxg 6.pxg 5.pxg 3.pxg 2.pxg");
  testbytes::WriteBytes(dir.Path("5.pxg"), testbytes::TBytes(10, 0));
  form.OpenRecentFile(2);  // a file that became invalid stays in the list
  Settle();
  EXPECT_EQ(Windows(), 0);
  EXPECT_EQ(RecentNames(), "4.pxg 6.pxg 5.pxg 3.pxg 2.pxg");
}

TEST_F(MainWindow, ClosingTheMainWindowAsksEveryModifiedGraph) {
  qobject_cast<TFunc2DWindow*>(SavedGraph("a.pxg"))->ZoomIn();
  form.New2DCartisian1Click()->ZoomIn();  // never saved: no question
  messages->QueueAnswer(TMsgAnswer::Cancel);
  EXPECT_FALSE(form.close());
  Settle();
  EXPECT_EQ(Windows(), 2);
  messages->QueueAnswer(TMsgAnswer::No);
  EXPECT_TRUE(form.close());
  Settle();
  EXPECT_EQ(Told(messages), "C|YNC|Save Changes To Graph a.pxg?\nC|YNC|Save Changes To Graph a.pxg?\n");
  EXPECT_EQ(Windows(), 0);
  EXPECT_EQ(form.RecentFiles().size(), 1);
}

}  // namespace
}  // namespace plotix
