// The main window's graph windows: new and opened ones, their places in the MDI area, the
// Window menu's list, activation, closing, and the recently closed files.

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUndoGroup>
#include <algorithm>
#include <map>

#include "app/label_tool_bar.h"
#include "app/main_window.h"
#include "app/parameter_panel.h"
#include "files/graph_file.h"
#include "platform/common_dialogs.h"
#include "platform/message_box.h"
#include "window/graph_follower.h"
#include "window/graph_kinds.h"
#include "window/graph_window.h"

namespace plotix {

namespace {
constexpr const char* kOpenTitle = "Open A Plotix File";
constexpr const char* kOpenFilter = "Plotix File(*.pxg)|*.pxg";

}  // namespace

TFuncGraphWindow* TMainForm::ActiveGraphWindow() const {
  QMdiSubWindow* sub = MdiArea->activeSubWindow();
  if (!sub) {
    // Without the focus (another application, an offscreen test) the MDI area has no
    // active child; commands then go to the topmost one.
    const QList<QMdiSubWindow*> subs = MdiArea->subWindowList(QMdiArea::StackingOrder);
    if (subs.isEmpty()) return nullptr;
    sub = subs.last();
  }
  return qobject_cast<TFuncGraphWindow*>(sub->widget());
}

bool TMainForm::CheckWindowLimit() {
  if (windowCount_ < kMaxGraphWindows) return true;
  ShowMessage(TMsgKind::Error,
              "A Maximum of " + std::to_string(kMaxGraphWindows) + " Graph Windows May be Open At Once.",
              TMsgButtons::OK);
  return false;
}

void TMainForm::AddGraphWindow(TFuncGraphWindow* window) {
  window->SetStatusLine(status_.get());
  window->SetProgramSettings(&settings_);
  history_->addStack(window->History());
  window->CurrentLabelTool = [this] { return labelToolMode_; };
  window->LabelToolAttributes = [this]() -> const TToolBarAttribClass& { return LabelToolBar->Attributes; };
  window->ResizeLabelsMode = [this] { return ResizeLabelsAction->isChecked(); };
  window->ChangeDigitsShown = [this](int digits) { SetDigitsShown(digits); };
  connect(window, &TFuncGraphWindow::Closing, this, &TMainForm::WindowClosing);
  connect(window, &TFuncGraphWindow::Saved, this, &TMainForm::RemoveRecovery);
  connect(window, &TFuncGraphWindow::DrawingProgress, this, &TMainForm::ShowDrawingProgress);
  connect(window, &TFuncGraphWindow::Rendered, this, [this, window] {
    ShowDrawingNote(window);
    statusBar()->repaint();
  });
  QMdiSubWindow* sub = MdiArea->addSubWindow(window);
  ShowCaption(window);
  if (const TGraphKindEntry* kind = FindGraphKind(window->GraphKind())) sub->setWindowIcon(GraphKindIcon(*kind));
  ++windowCount_;
  UpdateWindowCommands();
  sub->show();
  sub->resize(FittingSize(sub));
  sub->move(CascadePosition(lastPlaced_, sub->size()));
  lastPlaced_ = sub;
  MdiArea->setActiveSubWindow(sub);
  SubWindowActivated(sub);
  // The scroll bars take their ranges once the layout has run.
  QTimer::singleShot(0, window, &TFuncGraphWindow::CenterBitmap);
}

// Large enough for the whole bitmap where the MDI area allows it.
QSize TMainForm::FittingSize(const QMdiSubWindow* sub) const {
  const auto* window = qobject_cast<const TFuncGraphWindow*>(sub->widget());
  if (!window) return sub->size();
  // What the frame, the title and the scroll box's border take, without scroll bars.
  const QSize around = sub->size() - window->ScrollBox()->maximumViewportSize();
  const QSize wanted = QSize(window->BitmapWidth(), window->BitmapHeight()) + around;
  return wanted.boundedTo(MdiArea->viewport()->size().expandedTo(QSize(200, 150)));
}

// At the bottom of the area the cascade starts again at the top, one step right of the
// column before; at the right edge it starts again at the top left corner.
QPoint TMainForm::CascadePosition(const QMdiSubWindow* last, const QSize& size) const {
  if (!last) return {0, 0};
  const int step = last->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, last);
  const QSize area = MdiArea->viewport()->size();
  QPoint p = last->pos() + QPoint(step, step);
  if (p.y() + size.height() > area.height()) p = {p.x() - p.y() + step, 0};
  if (p.x() + size.width() > area.width()) p = {0, 0};
  return p;
}

// The active window ends on top, as after Qt's own cascade.
void TMainForm::CascadeWindows() {
  QMdiSubWindow* active = MdiArea->activeSubWindow();
  const QMdiSubWindow* last = nullptr;
  for (QMdiSubWindow* sub : MdiArea->subWindowList()) {
    if (sub->isMinimized()) continue;
    if (sub->isMaximized()) sub->showNormal();
    sub->resize(FittingSize(sub));
    sub->move(CascadePosition(last, sub->size()));
    sub->raise();
    last = sub;
  }
  if (active) active->raise();
}

// Qt's sub-window copies its widget's caption only while the two are the same: with the
// mark of unsaved changes ("[*]") added they differ, and the main window copies both.
void TMainForm::ShowCaption(TFuncGraphWindow* window) {
  QWidget* sub = window->parentWidget();
  sub->setWindowTitle(window->windowTitle() + QStringLiteral("[*]"));
  sub->setWindowModified(window->isWindowModified());
}

void TMainForm::RebuildWindowList() {
  qDeleteAll(windowList_);
  windowList_.clear();
  const QList<QMdiSubWindow*> subs = MdiArea->subWindowList();
  if (subs.isEmpty()) return;
  windowList_.append(windowMenu_->addSeparator());
  const TFuncGraphWindow* active = ActiveGraphWindow();
  std::map<QString, int> seen;  // the same caption again (untitled windows) gets a number
  for (int i = 0; i < subs.size(); ++i) {
    QMdiSubWindow* sub = subs[i];
    QString caption = sub->widget()->windowTitle();
    if (const int same = ++seen[caption]; same > 1) caption += QStringLiteral(" %1").arg(same);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    if (sub->widget()->isWindowModified()) caption += QLatin1Char('*');
    // Digits clash with nothing else in this menu.
    QAction* item = windowMenu_->addAction(QStringLiteral("%1%2 %3").arg(i < 9 ? "&" : "").arg(i + 1).arg(caption));
    item->setCheckable(true);
    item->setChecked(sub->widget() == active);
    connect(item, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
      if (!sub) return;
      if (sub->isMinimized()) sub->showNormal();
      MdiArea->setActiveSubWindow(sub);
    });
    windowList_.append(item);
  }
}

TFuncGraphWindow* TMainForm::NewGraphClick(std::int32_t kind) {
  if (!CheckWindowLimit()) return nullptr;
  TFuncGraphWindow* window = NewGraphWindow(kind);
  if (!window) return nullptr;
  window->SetStatusLine(status_.get());
  window->SetProgramSettings(&settings_);
  if (!window->NewDefaultSize()) return nullptr;
  AddGraphWindow(window);
  return window;
}

TFuncGraphWindow* TMainForm::ReadGraphWindow(const std::string& fileName) {
  TReadGraphFile reader;
  if (!reader.Open(fileName)) return nullptr;
  if (!CheckGraphKind(reader)) return nullptr;
  TFuncGraphWindow* window = NewGraphWindow(reader.GraphKind());
  window->SetStatusLine(status_.get());
  window->SetProgramSettings(&settings_);
  if (!window->LoadGraph(reader)) {
    window->deleteLater();  // a failed sizing has already closed it
    windowCount_ = int(MdiArea->subWindowList().size());
    UpdateWindowCommands();
    return nullptr;
  }
  return window;
}

bool TMainForm::OpenGraphFile(const std::string& fileName) {
  TFuncGraphWindow* window = ReadGraphWindow(fileName);
  if (!window) return false;
  window->SetFileName(fileName);
  AddGraphWindow(window);
  return true;
}

void TMainForm::OpenFile1Click() {
  if (!CheckWindowLimit()) return;
  std::string name;
  if (!PickOpenFile(this, kOpenTitle, kOpenFilter, kGraphFileExt, name) || name.empty()) return;
  OpenGraphFile(name);
}

bool TMainForm::SaveFile1Click() {
  TFuncGraphWindow* w = ActiveGraphWindow();
  if (!w) return false;
  if (w->FileName().empty()) return SaveFileAs1Click();
  return w->Save();
}

bool TMainForm::SaveFileAs1Click() {
  TFuncGraphWindow* w = ActiveGraphWindow();
  return w && w->AskSaveAs();
}

void TMainForm::CloseFile1Click() {
  if (TFuncGraphWindow* w = ActiveGraphWindow()) w->parentWidget()->close();
}

void TMainForm::WindowClosing(TFuncGraphWindow* window) {
  RemoveRecovery(window);
  if (!window->FileName().empty()) {
    recentFiles_.Add(QString::fromStdString(window->FileName()));
    RebuildRecentMenu();
    StoreSettings();
  }
  windowCount_ = std::max(0, windowCount_ - 1);
  UpdateWindowCommands();
  // The window activated next brings its own menus and buttons.
  if (ActiveGraphWindow() == window) {
    ShowDrawingProgress(nullptr);
    ShowDrawingNote(nullptr);
    FollowActiveGraph(*this, nullptr);
    if (GraphToolBar->isVisible()) ShowKindButtons(nullptr);
    MergeWindowMenus(nullptr);
  }
}

void TMainForm::SubWindowActivated(QMdiSubWindow* subWindow) {
  auto* window = subWindow ? qobject_cast<TFuncGraphWindow*>(subWindow->widget()) : nullptr;
  if (!window) return;  // deactivation: the menus stay until a window closes or another comes
  MergeWindowMenus(window);
  if (GraphToolBar->isVisible()) ShowKindButtons(window);
  history_->setActiveStack(window->History());
  ShowDrawingProgress(window);
  ShowDrawingNote(window);
  FollowActiveGraph(*this, window);
  window->Activated();
}

void TMainForm::MergeWindowMenus(TFuncGraphWindow* window) {
  for (QAction* action : mergedMenus_)
    if (action) menuBar()->removeAction(action);
  mergedMenus_.clear();
  if (!window) return;
  for (QMenu* menu : window->MenuBarMenus()) {
    menuBar()->insertAction(toolsMenuAction_, menu->menuAction());
    mergedMenus_.append(menu->menuAction());
  }
}

void TMainForm::SetDigitsShown(int digits) {
  settings_.digitsShown = digits;
  StoreSettings();
  for (QMdiSubWindow* sub : MdiArea->subWindowList())
    if (auto* window = qobject_cast<TFuncGraphWindow*>(sub->widget())) emit window->ProgramSettingsChanged();
}

void TMainForm::UpdateWindowCommands() {
  const bool any = windowCount_ > 0;
  for (QAction* action : windowCommands_) action->setEnabled(any);
}

void TMainForm::ShowKindButtons(const TFuncGraphWindow* window) {
  for (int i = kFirstOfferedButton; i < kGraphButtonCount; ++i)
    graphButtons_[i]->setVisible(window && window->OfferedCommand(ButtonHint(TGraphButton(i))));
}

// ---- recent files ------------------------------------------------------------

void TMainForm::OpenRecentFile(int index) {
  if (index < 0 || index >= recentFiles_.Names().size() || !CheckWindowLimit()) return;
  const QString name = recentFiles_.Names()[index];
  if (!OpenGraphFile(name.toStdString())) return;
  recentFiles_.Remove(name);
  RebuildRecentMenu();
  StoreSettings();
}

void TMainForm::RebuildRecentMenu() {
  const int count = int(recentFiles_.Names().size());
  RecentSeparator->setVisible(count > 0);
  for (int i = 0; i < kMaxRecentFiles; ++i) {
    QAction* action = recentActions_[i];
    action->setVisible(i < count);
    if (i < count) action->setText(recentFiles_.MenuText(i));
  }
}

}  // namespace plotix
