// The main window with graph windows: enabled commands, the merged window menus, the
// tool bar per window kind, the window limit, opening and saving through the file
// dialogs, the recent files, the close questions, the status bar and the help page.
#include <gtest/gtest.h>

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTextBrowser>

#include "../files/file_fixtures.h"
#include "app/main_window.h"
#include "cartesian/cartesian_window.h"
#include "platform/common_dialogs.h"
#include "platform/message_box.h"

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

  TScopedScriptedMessages messages;
  TScopedScriptedCommonDlgs dialogs;
  TScratchDir dir;
  TMainForm form;
};

TEST_F(MainWindow, WindowDependentCommandsFollowTheOpenWindows) {
  const auto check = [this](bool enabled) {
    for (QAction* a : {form.SaveAction, form.SaveAsAction, form.CloseAction, form.GraphSettingsAction,
                       form.CenterBitmapAction, form.RefreshAction})
      EXPECT_EQ(a->isEnabled(), enabled) << a->text().toStdString();
    for (TGraphButton b : {TGraphButton::Save, TGraphButton::CenterFunction, TGraphButton::CenterBitmap,
                           TGraphButton::ZoomIn, TGraphButton::ZoomOut})
      EXPECT_EQ(form.GraphButtons[int(b)]->isEnabled(), enabled) << int(b);
    EXPECT_TRUE(form.NewActions[0]->isEnabled());
  };
  const auto visible = [this](TGraphButton b) { return form.GraphButtons[int(b)]->isVisible(); };

  check(false);
  EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&Graph", "&Tools", "&Window", "&Help"}));
  EXPECT_FALSE(visible(TGraphButton::ZoomXIn));

  ASSERT_NE(form.New2DCartisian1Click(), nullptr);
  ASSERT_NE(form.New2DCartisian1Click(), nullptr);
  EXPECT_EQ(form.GraphWindowCount(), 2);
  check(true);
  EXPECT_EQ(MenuTitles(),
            (QStringList{"&File", "&Graph", "F&unction", "&View", "&Label", "&Tools", "&Window", "&Help"}));
  for (TGraphButton b :
       {TGraphButton::ZoomXIn, TGraphButton::ZoomYOut, TGraphButton::ScrollUp, TGraphButton::PageRight})
    EXPECT_TRUE(visible(b)) << int(b);
  for (TGraphButton b : {TGraphButton::RotateXMinus, TGraphButton::RotateZMinus}) EXPECT_FALSE(visible(b)) << int(b);

  CloseActive();
  EXPECT_EQ(form.GraphWindowCount(), 1);
  check(true);
  EXPECT_EQ(MenuTitles().count("&View"), 1);
  CloseActive();
  EXPECT_EQ(form.GraphWindowCount(), 0);
  check(false);
  EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&Graph", "&Tools", "&Window", "&Help"}));
  EXPECT_FALSE(visible(TGraphButton::ZoomXIn));
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(MainWindow, ToolBarButtonsRouteToTheActiveWindow) {
  auto* w = qobject_cast<TFunc2DWindow*>(form.New2DCartisian1Click());
  ASSERT_NE(w, nullptr);
  form.GraphButtons[int(TGraphButton::ZoomIn)]->trigger();
  form.GraphButtons[int(TGraphButton::ZoomYIn)]->trigger();
  form.GraphButtons[int(TGraphButton::PageUp)]->trigger();
  EXPECT_EQ(w->Doc.View.zoomX, 40);
  EXPECT_EQ(w->Doc.View.zoomY, 45);
  EXPECT_EQ(w->Doc.View.centerY, 250);
  form.GraphButtons[int(TGraphButton::CenterFunction)]->trigger();
  EXPECT_EQ(w->Doc.View.centerY, 0);
  for (int i = 0; i < kGraphButtonCount; ++i) EXPECT_FALSE(form.GraphButtons[i]->toolTip().isEmpty());
}

TEST_F(MainWindow, AtMostSixteenGraphWindows) {
  for (int i = 0; i < kMaxGraphWindows; ++i) ASSERT_NE(form.New2DCartisian1Click(), nullptr);
  EXPECT_TRUE(messages->shown.empty());
  EXPECT_EQ(form.New2DCartisian1Click(), nullptr);
  form.OpenFile1Click();  // refused before the open dialog
  EXPECT_TRUE(dialogs->asked.empty());
  EXPECT_EQ(Windows(), kMaxGraphWindows);
  ASSERT_EQ(messages->shown.size(), 2u);
  for (const auto& m : messages->shown) {
    EXPECT_EQ(m.text, "A Maximum of 16 Graph Windows May be Open At Once.");
    EXPECT_EQ(m.kind, TMsgKind::Error);
  }
}

TEST_F(MainWindow, SaveAsksForANameThenOpenShowsTheFileInTheCaption) {
  SavedGraph("a.pxg");
  ASSERT_EQ(dialogs->asked.size(), 1u);
  EXPECT_EQ(dialogs->asked[0].kind, TCommonDlgKind::SaveFile);
  EXPECT_EQ(dialogs->asked[0].title, "Save File As");
  EXPECT_EQ(dialogs->asked[0].filter, "Plotix File (*.pxg)|*.pxg");
  EXPECT_EQ(dialogs->asked[0].defaultExt, "pxg");
  EXPECT_EQ(form.ActiveGraphWindow()->windowTitle(), "2D Cartesian - [a.pxg]");
  // Saving again uses the name without a dialog; a cancelled Save As changes nothing.
  EXPECT_TRUE(form.SaveFile1Click());
  EXPECT_EQ(dialogs->asked.size(), 1u);
  dialogs->QueueCancel();
  EXPECT_FALSE(form.SaveFileAs1Click());
  CloseActive();

  dialogs->asked.clear();
  dialogs->QueueFileName(dir.Path("a.pxg"));
  form.OpenFile1Click();
  ASSERT_EQ(dialogs->asked.size(), 1u);
  EXPECT_EQ(dialogs->asked[0].kind, TCommonDlgKind::OpenFile);
  EXPECT_EQ(dialogs->asked[0].title, "Open A Plotix File");
  EXPECT_EQ(dialogs->asked[0].filter, "Plotix File(*.pxg)|*.pxg");
  ASSERT_EQ(Windows(), 1);
  TFuncGraphWindow* w = form.ActiveGraphWindow();
  EXPECT_EQ(w->windowTitle(), "2D Cartesian - [a.pxg]");
  EXPECT_FALSE(w->Modified);
  EXPECT_EQ(form.GraphWindowCount(), 1);
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(MainWindow, DamagedFilesOpenNoWindow) {
  using namespace testbytes;
  const struct {
    const char* name;
    TBytes bytes;
    const char* message;
  } cases[] = {
      {"text.pxg", TBytes(100, 'x'), "File is not a Plotix data file, and can not be opened."},
      {"size.pxg", GraphFile(TBuilder().I32(5).I32(5).bytes), "Error Loading File"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    messages->shown.clear();
    WriteBytes(dir.Path(c.name), c.bytes);
    dialogs->QueueFileName(dir.Path(c.name));
    form.OpenFile1Click();
    Settle();
    EXPECT_EQ(Windows(), 0);
    EXPECT_EQ(form.GraphWindowCount(), 0);
    EXPECT_FALSE(form.SaveAction->isEnabled());
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, c.message);
  }
}

TEST_F(MainWindow, RecentFilesHoldClosedFilesThatAreNotOpen) {
  const auto names = [this] {
    QStringList list;
    for (const QString& f : form.RecentFiles()) list << QFileInfo(f).fileName();
    return list;
  };
  form.New2DCartisian1Click();
  CloseActive();  // no file name: not listed
  EXPECT_TRUE(form.RecentFiles().isEmpty());
  EXPECT_FALSE(form.RecentSeparator->isVisible());

  for (int i = 1; i <= 6; ++i) {
    SavedGraph(std::to_string(i) + ".pxg");
    CloseActive();
  }
  EXPECT_EQ(names(), (QStringList{"6.pxg", "5.pxg", "4.pxg", "3.pxg", "2.pxg"}));
  EXPECT_EQ(form.RecentActions[0]->text(), "&1 6.pxg");
  EXPECT_TRUE(form.RecentActions[4]->isVisible());

  // Reopening removes the entry; closing it again puts it first, once.
  form.OpenRecentFile(2);
  EXPECT_EQ(Windows(), 1);
  EXPECT_EQ(names(), (QStringList{"6.pxg", "5.pxg", "3.pxg", "2.pxg"}));
  EXPECT_FALSE(form.RecentActions[4]->isVisible());
  CloseActive();
  EXPECT_EQ(names(), (QStringList{"4.pxg", "6.pxg", "5.pxg", "3.pxg", "2.pxg"}));

  // A file that became invalid stays in the list.
  testbytes::WriteBytes(dir.Path("5.pxg"), testbytes::TBytes(10, 0));
  form.OpenRecentFile(2);
  Settle();
  EXPECT_EQ(Windows(), 0);
  EXPECT_EQ(names(), (QStringList{"4.pxg", "6.pxg", "5.pxg", "3.pxg", "2.pxg"}));
}

TEST_F(MainWindow, ClosingTheMainWindowAsksEveryModifiedGraph) {
  auto* saved = qobject_cast<TFunc2DWindow*>(SavedGraph("a.pxg"));
  saved->ZoomIn();
  form.New2DCartisian1Click()->ZoomIn();  // never saved: no question

  messages->QueueAnswer(TMsgAnswer::Cancel);
  EXPECT_FALSE(form.close());
  Settle();
  EXPECT_EQ(messages->shown.size(), 1u);
  EXPECT_GE(Windows(), 1);

  messages->shown.clear();
  messages->QueueAnswer(TMsgAnswer::No);
  EXPECT_TRUE(form.close());
  Settle();
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].text, "Save Changes To Graph a.pxg?");
  EXPECT_EQ(Windows(), 0);
  EXPECT_EQ(form.RecentFiles().size(), 1);
}

TEST_F(MainWindow, StatusBarPanelsAndHelp) {
  form.resize(900, 600);
  QCoreApplication::processEvents();
  for (QLabel* panel : form.StatusPanels) EXPECT_EQ(panel->width(), 300);
  form.resize(420, 600);
  QCoreApplication::processEvents();
  for (QLabel* panel : form.StatusPanels) EXPECT_EQ(panel->width(), 150);

  form.New2DCartisian1Click();
  EXPECT_FALSE(form.StatusPanels[0]->text().isEmpty());  // zoom shown on activation

  form.ShowHelpContents();
  ASSERT_NE(form.HelpDialog, nullptr);
  EXPECT_TRUE(form.HelpDialog->isVisible());
  const QString help = form.HelpDialog->findChild<QTextBrowser*>()->toPlainText();
  for (const char* word : {"ARCCOTH", "RADTOCYCLE", "FACT", "PI", "F12", "Shift+F5", "exponent"})
    EXPECT_TRUE(help.contains(word)) << word;
}

}  // namespace
}  // namespace plotix
