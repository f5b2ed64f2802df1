#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QResizeEvent>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUndoGroup>
#include <QUndoStack>
#include <algorithm>

#include "app/help_window.h"
#include "app/label_tool_bar.h"
#include "app/parameter_panel.h"
#include "app/picture_output.h"
#include "app/print_scale_dialog.h"
#include "app/settings_store.h"
#include "cartesian/cartesian_document.h"
#include "cartesian/points_window.h"
#include "expr/calculator_dialog.h"
#include "expr/trig_fixup_dialog.h"
#include "files/graph_file.h"
#include "platform/common_dialogs.h"
#include "platform/font_description.h"
#include "platform/message_box.h"
#include "window/graph_kinds.h"
#include "window/graph_window.h"
#include "window/status_line.h"
#include "window/status_line_dialog.h"
#include "window/zoom_hot_key_dialog.h"

namespace plotix {

namespace {

constexpr const char* kOpenTitle = "Open A Plotix File";
constexpr const char* kOpenFilter = "Plotix File(*.pxg)|*.pxg";

// The group of view commands a button belongs to (0: shown for every kind).
unsigned ButtonCommandGroup(TGraphButton b) {
  if (b >= TGraphButton::ZoomXIn && b <= TGraphButton::ZoomYOut) return vcAxisZoom;
  if (b >= TGraphButton::ScrollUp && b <= TGraphButton::PageRight) return vcScroll;
  if (b >= TGraphButton::RotateXMinus) return vcRotate;
  return 0;
}

}  // namespace

// ---- construction ------------------------------------------------------------

TMainForm::TMainForm(std::unique_ptr<QSettings> store, QWidget* parent)
    : QMainWindow(parent), MdiArea(new QMdiArea), history_(new QUndoGroup(this)), store_(std::move(store)) {
  setWindowTitle(QStringLiteral("Plotix"));
  setCentralWidget(MdiArea);
  MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  resize(1000, 760);
  BuildStatusBar();
  BuildMenus();
  BuildToolBar();
  connect(MdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::SubWindowActivated);
  UpdateWindowCommands();
  ShowKindButtons(nullptr);
  if (store_) LoadSettings(*store_, *this);
}

void TMainForm::SetRecentFiles(const QStringList& names) {
  recentFiles_.SetNames(names);
  RebuildRecentMenu();
}

void TMainForm::StoreSettings() const {
  if (store_) SaveSettings(*store_, *this);
}

// The graph windows go first, while the menus and panels they use still exist.
TMainForm::~TMainForm() {
  MdiArea->disconnect(this);
  // Windows closed but not yet deleted too: every one goes before the status line.
  qDeleteAll(MdiArea->findChildren<QMdiSubWindow*>());
}

void TMainForm::BuildMenus() {
  auto add = [this](QMenu* menu, const char* caption, auto slot, const QKeySequence& key = {}) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };

  QMenu* file = fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
  for (const TGraphKindEntry& kind : GraphKinds())
    NewActions << add(file, kind.newCommand.c_str(), [this, code = kind.fileCode] { NewGraphClick(code); });
  file->addSeparator();
  add(file, "&Open File...", [this] { OpenFile1Click(); });
  SaveAction = add(
      file, "&Save File", [this] { SaveFile1Click(); }, QKeySequence(Qt::CTRL | Qt::Key_S));
  SaveAsAction = add(file, "Save File &As...", [this] { SaveFileAs1Click(); });
  CloseAction = add(file, "&Close File", [this] { CloseFile1Click(); });
  file->addSeparator();
  SaveBitmapAction = add(file, "Save As &Bitmap File...",
                         [this] { OnActive([this](TFuncGraphWindow* w) { SaveBitmapFile(this, *w); }); });
  PrintScaleAction = add(file, "Print Sca&le...", [this] {
    const TPrintScaleAnswer answer = TPrintScaleDlg::Edit(this, settings_.printScale);
    if (answer != TPrintScaleAnswer::Cancel) StoreSettings();
    if (answer == TPrintScaleAnswer::Print)
      OnActive([this](TFuncGraphWindow* w) { PrintGraph(this, *w, settings_.printScale); });
  });
  PrintAction = add(file, "P&rint...",
                    [this] { OnActive([this](TFuncGraphWindow* w) { PrintGraph(this, *w, settings_.printScale); }); });
  file->addSeparator();
  add(file, "E&xit", [this] { close(); });
  RecentSeparator = file->addSeparator();
  for (int i = 0; i < kMaxRecentFiles; ++i) RecentActions[i] = add(file, "", [this, i] { OpenRecentFile(i); });
  RebuildRecentMenu();

  // The active graph window's history; each command says what it takes back or makes again.
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  UndoAction = add(
      edit, "&Undo", [this] { OnActive([](TFuncGraphWindow* w) { w->Undo(); }); }, QKeySequence(Qt::CTRL | Qt::Key_Z));
  RedoAction = add(edit, "&Redo", [this] { OnActive([](TFuncGraphWindow* w) { w->Redo(); }); });
  RedoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  UndoAction->setIcon(HistoryIcon(false));
  RedoAction->setIcon(HistoryIcon(true));
  const auto follow = [](QAction* action, const char* caption) {
    return [action, caption](const QString& what) {
      action->setText(QString::fromLatin1(caption) + (what.isEmpty() ? QString() : QLatin1Char(' ') + what));
    };
  };
  connect(history_, &QUndoGroup::undoTextChanged, this, follow(UndoAction, "&Undo"));
  connect(history_, &QUndoGroup::redoTextChanged, this, follow(RedoAction, "&Redo"));
  connect(history_, &QUndoGroup::canUndoChanged, UndoAction, &QAction::setEnabled);
  connect(history_, &QUndoGroup::canRedoChanged, RedoAction, &QAction::setEnabled);
  UndoAction->setEnabled(false);
  RedoAction->setEnabled(false);

  QMenu* graph = menuBar()->addMenu(QStringLiteral("&Graph"));
  GraphSettingsAction =
      add(graph, "Graph &Settings...", [this] { OnActive([](TFuncGraphWindow* w) { w->EditGraphSettings(); }); });
  BitmapAttribAction = add(graph, "&Bitmap Size/Colors...",
                           [this] { OnActive([](TFuncGraphWindow* w) { w->ChangeBitmapAttributes(); }); });
  SelectRegionAction = add(graph, "Select Bitmap &Region", [this](bool on) {
    LabelToolMode = on ? kRegionTool : 0;
    LabelToolBar->ShowToolsOff();
  });
  SelectRegionAction->setCheckable(true);
  RegionDialogAction = add(graph, "Bitmap Region &Dialog...",
                           [this] { OnActive([this](TFuncGraphWindow* w) { EditRegionByCoordinates(this, *w); }); });
  CopyBitmapAction = add(graph, "&Copy Bitmap to Clipboard",
                         [this] { OnActive([this](TFuncGraphWindow* w) { CopyBitmapToClipboard(this, *w); }); });

  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
  toolsMenuAction_ = tools->menuAction();
  QAction* showGraphBar = add(tools, "Show/Hide &Graph Tool Bar", [this] {
    GraphToolBar->setVisible(!GraphToolBar->isVisible());
    if (GraphToolBar->isVisible()) {
      UpdateWindowCommands();
      ShowKindButtons(ActiveGraphWindow());
    }
  });
  showGraphBar->setObjectName(QStringLiteral("ShowGraphToolBar"));
  add(tools, "Show/Hide &Label Tool Bar", [this] { LabelToolBar->setVisible(!LabelToolBar->isVisible()); });
  ResizeLabelsAction = tools->addAction(QStringLiteral("&Resize Labels Mode"));
  ResizeLabelsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  ResizeLabelsAction->setCheckable(true);
  connect(ResizeLabelsAction, &QAction::triggered, this, &TMainForm::StoreSettings);
  add(tools, "Label Tool Bar Text &Font...", [this] { LabelToolBar->PickTextFont(); });
  tools->addSeparator();
  // The function may read the active graph's parameters and call its functions.
  add(tools, "Function &Calculator...", [this] {
    const TFuncGraphWindow* active = ActiveGraphWindow();
    TCaculatorDlg::Execute(this, active ? active->GraphScope() : nullptr);
  });
  QMenu* advanced = tools->addMenu(QStringLiteral("&Advanced Global Settings"));
  // Each of these settings is stored as soon as it changed.
  const auto setting = [this, &add](QMenu* menu, const char* caption, std::function<void()> command) {
    return add(menu, caption, [this, command] {
      command();
      StoreSettings();
    });
  };
  FlatToolBarsAction = setting(advanced, "Flat Tool Bars &Effect", [] {});
  FlatToolBarsAction->setCheckable(true);
  FlatToolBarsAction->setChecked(true);
  connect(FlatToolBarsAction, &QAction::toggled, this, &TMainForm::SetFlatToolBars);
  // New settings objects copy the default font, so later graphs take the new one.
  setting(advanced, "&Default Font Settings...", [this] { PickFont(this, DefaultFont()); });
  add(advanced, "&Status Line Settings...", [this] { StatusLineSettings(); });
  setting(advanced, "2D And Polar Zoom Hot Key Settings...",
          [this] { RunModal<TZoom2DHotKeyDlg>(this, settings_.zoom2D); });
  for (const TGraphKindEntry& kind : GraphKinds())
    if (kind.globalSettings)
      setting(advanced, kind.globalSettingsCommand.c_str(),
              [this, edit = kind.globalSettings] { edit(this, settings_); });
  // Graphs are not redrawn here: the setting applies to every later evaluation.
  setting(advanced, "Trigonometry Functions Fix Up...", [this] { RunModal<TTrigFixupSetDlg>(this); });

  QMenu* window = windowMenu_ = menuBar()->addMenu(QStringLiteral("&Window"));
  add(window, "&Tile", [this] { MdiArea->tileSubWindows(); });
  add(window, "Casca&de", [this] { CascadeWindows(); });
  // The MDI area lines its minimised windows up along the bottom whenever its viewport
  // is resized; a resize to the same size asks for just that.
  add(window, "&Arrange Icons", [this] {
    QResizeEvent resize(MdiArea->viewport()->size(), MdiArea->viewport()->size());
    QCoreApplication::sendEvent(MdiArea->viewport(), &resize);
  });
  window->addSeparator();
  CenterBitmapAction = add(
      window, "&Center Bitmap In Window", [this] { OnActive([](TFuncGraphWindow* w) { w->CenterBitmap(); }); },
      QKeySequence(Qt::Key_F2));
  RefreshAction = add(
      window, "&Refresh Graph Window",
      [this] {
        OnActive([](TFuncGraphWindow* w) {
          w->LeaveMode();
          w->RenderGraph();
        });
      },
      QKeySequence(Qt::CTRL | Qt::Key_F2));
  // Every window shows its graph anti-aliased at the screen's pixel ratio, or the exact bitmap.
  SmoothDrawingAction = setting(window, "S&mooth Drawing", [this] {
    settings_.smoothDrawing = SmoothDrawingAction->isChecked();
    for (QMdiSubWindow* sub : MdiArea->subWindowList())
      if (auto* w = qobject_cast<TFuncGraphWindow*>(sub->widget())) {
        w->LeaveMode();
        w->RenderGraph();
      }
  });
  SmoothDrawingAction->setCheckable(true);
  // The active graph's parameters beside the windows, shown while wanted.
  auto* dock = new QDockWidget(QStringLiteral("Parameters"), this);
  dock->setObjectName(QStringLiteral("ParametersDock"));
  dock->setWidget(Parameters = new TParameterPanel);
  addDockWidget(Qt::RightDockWidgetArea, dock);
  dock->hide();
  ParametersAction = dock->toggleViewAction();
  ParametersAction->setText(QStringLiteral("&Parameters"));
  window->addAction(ParametersAction);
  connect(window, &QMenu::aboutToShow, this, &TMainForm::RebuildWindowList);

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  add(
      help, "Help &Contents...", [this] { ShowHelpContents(); }, QKeySequence(Qt::Key_F1));
  add(help, "&About...", [this] { ShowAbout(); });

  windowCommands_ = {SaveAction,         SaveAsAction,       CloseAction,      GraphSettingsAction, CenterBitmapAction,
                     RefreshAction,      SaveBitmapAction,   PrintScaleAction, PrintAction,         BitmapAttribAction,
                     SelectRegionAction, RegionDialogAction, CopyBitmapAction};
}

void TMainForm::BuildToolBar() {
  GraphToolBar = addToolBar(QStringLiteral("Graph"));
  GraphToolBar->setObjectName(QStringLiteral("GraphToolBar"));
  GraphToolBar->setIconSize(QSize(kToolBarIconSize, kToolBarIconSize));
  using B = TGraphButton;
  for (const TGraphKindEntry& kind : GraphKinds()) {
    const QString hint = QString::fromStdString(kind.newHint);
    QAction* button = GraphToolBar->addAction(GraphKindIcon(kind), hint);
    button->setToolTip(hint);
    connect(button, &QAction::triggered, NewActions[NewButtons.size()], &QAction::trigger);
    NewButtons << button;
  }
  for (int i = 0; i < kGraphButtonCount; ++i) {
    const auto b = B(i);
    const QString hint = QString::fromLatin1(ButtonHint(b));
    QAction* action = GraphToolBar->addAction(ButtonIcon(b), hint);
    action->setToolTip(hint);
    GraphButtons[i] = action;
    if (b == B::Open || b == B::CenterBitmap || b == B::ZoomXIn || b == B::RotateXMinus)
      GraphToolBar->insertSeparator(action);
  }
  connect(Button(B::Open), &QAction::triggered, this, [this] { OpenFile1Click(); });
  connect(Button(B::Save), &QAction::triggered, this, [this] { SaveFile1Click(); });
  GraphToolBar->insertActions(Button(B::CenterFunction), {UndoAction, RedoAction});
  connect(Button(B::CenterBitmap), &QAction::triggered, CenterBitmapAction, &QAction::trigger);

  // The view commands go to the active window's operation of the same name.
  const auto route = [this](B b, auto command) {
    connect(Button(b), &QAction::triggered, this, [this, command] {
      OnActive([command](TFuncGraphWindow* w) {
        w->LeaveMode();
        command(w);
      });
    });
  };
  route(B::CenterFunction, [](TFuncGraphWindow* w) { w->CenterFunctionView(); });
  route(B::ZoomIn, [](TFuncGraphWindow* w) { w->ZoomIn(); });
  route(B::ZoomOut, [](TFuncGraphWindow* w) { w->ZoomOut(); });
  route(B::ZoomXIn, [](TFuncGraphWindow* w) { w->ZoomAxis(TAxis::X, true); });
  route(B::ZoomXOut, [](TFuncGraphWindow* w) { w->ZoomAxis(TAxis::X, false); });
  route(B::ZoomYIn, [](TFuncGraphWindow* w) { w->ZoomAxis(TAxis::Y, true); });
  route(B::ZoomYOut, [](TFuncGraphWindow* w) { w->ZoomAxis(TAxis::Y, false); });
  const TDirection directions[] = {TDirection::Up, TDirection::Down, TDirection::Left, TDirection::Right};
  for (int i = 0; i < 4; ++i) {
    const TDirection d = directions[i];
    route(B(int(B::ScrollUp) + i), [d](TFuncGraphWindow* w) { w->Scroll(d); });
    route(B(int(B::PageUp) + i), [d](TFuncGraphWindow* w) { w->Page(d); });
  }
  route(B::RotateXMinus, [](TFuncGraphWindow* w) { w->Rotate(TAxis::X, false); });
  route(B::RotateXPlus, [](TFuncGraphWindow* w) { w->Rotate(TAxis::X, true); });
  route(B::RotateYMinus, [](TFuncGraphWindow* w) { w->Rotate(TAxis::Y, false); });
  route(B::RotateYPlus, [](TFuncGraphWindow* w) { w->Rotate(TAxis::Y, true); });
  route(B::RotateZPlus, [](TFuncGraphWindow* w) { w->Rotate(TAxis::Z, true); });
  route(B::RotateZMinus, [](TFuncGraphWindow* w) { w->Rotate(TAxis::Z, false); });
  windowCommands_ +=
      {Button(B::Save), Button(B::CenterFunction), Button(B::CenterBitmap), Button(B::ZoomIn), Button(B::ZoomOut)};

  addToolBarBreak();
  LabelToolBar = new TLabelToolBar(this);
  addToolBar(LabelToolBar);
  LabelToolBar->hide();
  connect(LabelToolBar, &TLabelToolBar::ToolChosen, this, [this](int tool) {
    SelectRegionAction->setChecked(false);
    LabelToolMode = tool;
  });
  SetFlatToolBars(FlatToolBarsAction->isChecked());
}

void TMainForm::BuildStatusBar() {
  status_ = std::make_unique<TStatusLine>(
      [this](int panel, const std::string& text) { StatusPanels[panel]->setText(QString::fromStdString(text)); });
  for (QLabel*& panel : StatusPanels) {
    panel = new QLabel;
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->installEventFilter(this);
    statusBar()->addWidget(panel);
  }
  statusBar()->installEventFilter(this);
  qApp->installEventFilter(this);  // F1
  // The active window's drawing, while it takes long enough to show.
  DrawingBar = new QProgressBar;
  DrawingBar->setRange(0, 100);
  DrawingBar->setMaximumWidth(160);
  CancelDrawingButton = new QToolButton;
  CancelDrawingButton->setText(QStringLiteral("Cancel"));
  CancelDrawingButton->setToolTip(QStringLiteral("Stop drawing and keep the last picture (Esc)"));
  connect(CancelDrawingButton, &QToolButton::clicked, this,
          [this] { OnActive([](TFuncGraphWindow* w) { w->CancelDrawing(); }); });
  DrawingNote = new QLabel;
  DrawingNote->setFrameShape(QFrame::Panel);
  DrawingNote->setFrameShadow(QFrame::Sunken);
  for (QWidget* widget : {static_cast<QWidget*>(DrawingNote), static_cast<QWidget*>(DrawingBar),
                          static_cast<QWidget*>(CancelDrawingButton)}) {
    statusBar()->addPermanentWidget(widget);
    widget->hide();
  }
  LayoutStatusPanels();
}

void TMainForm::ShowDrawingNote(TFuncGraphWindow* window) {
  if (window && window != ActiveGraphWindow()) return;
  const QString note = window ? QString::fromStdString(window->DrawingNote()) : QString();
  if (note == DrawingNote->text()) return;
  DrawingNote->setText(note);
  DrawingNote->setToolTip(note);
  DrawingNote->setVisible(!note.isEmpty());
  LayoutStatusPanels();
}

void TMainForm::ShowDrawingProgress(TFuncGraphWindow* window) {
  if (window && window != ActiveGraphWindow()) return;
  const int percent = window ? window->DrawingPercent() : -1;
  const bool shown = percent >= 0;
  if (shown) DrawingBar->setValue(percent);
  if (shown == DrawingBar->isVisibleTo(this)) return;
  DrawingBar->setVisible(shown);
  CancelDrawingButton->setVisible(shown);
  LayoutStatusPanels();
}

// ---- windows -----------------------------------------------------------------

template <class F>
void TMainForm::OnActive(F command) {
  if (TFuncGraphWindow* w = ActiveGraphWindow()) command(w);
}

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
  window->CurrentLabelTool = [this] { return LabelToolMode; };
  window->LabelToolAttributes = [this]() -> const TToolBarAttribClass& { return LabelToolBar->Attributes; };
  window->ResizeLabelsMode = [this] { return ResizeLabelsAction->isChecked(); };
  connect(window, &TFuncGraphWindow::Closing, this, &TMainForm::WindowClosing);
  connect(window, &TFuncGraphWindow::Saved, this, &TMainForm::RemoveRecovery);
  connect(window, &TFuncGraphWindow::DrawingProgress, this, &TMainForm::ShowDrawingProgress);
  connect(window, &TFuncGraphWindow::Rendered, this, [this, window] {
    ShowDrawingNote(window);
    statusBar()->repaint();
  });
  QMdiSubWindow* sub = MdiArea->addSubWindow(window);
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

void TMainForm::RebuildWindowList() {
  qDeleteAll(windowList_);
  windowList_.clear();
  const QList<QMdiSubWindow*> subs = MdiArea->subWindowList();
  if (subs.isEmpty()) return;
  windowList_.append(windowMenu_->addSeparator());
  const TFuncGraphWindow* active = ActiveGraphWindow();
  for (int i = 0; i < subs.size(); ++i) {
    QMdiSubWindow* sub = subs[i];
    const QString caption = sub->widget()->windowTitle().replace(QLatin1Char('&'), QStringLiteral("&&"));
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

TFuncGraphWindow* TMainForm::New2DCartisian1Click() { return NewGraphClick(k2DCartesianCode); }

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
    Parameters->SetWindow(nullptr);
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
  Parameters->SetWindow(window);
  TPointsWindow::Follow(window);
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

void TMainForm::UpdateWindowCommands() {
  const bool any = windowCount_ > 0;
  for (QAction* action : windowCommands_) action->setEnabled(any);
}

void TMainForm::ShowKindButtons(const TFuncGraphWindow* window) {
  const unsigned commands = window ? window->ViewCommands() : 0;
  for (int i = 0; i < kGraphButtonCount; ++i)
    if (const unsigned group = ButtonCommandGroup(TGraphButton(i))) GraphButtons[i]->setVisible(commands & group);
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
    QAction* action = RecentActions[i];
    action->setVisible(i < count);
    if (i < count) action->setText(recentFiles_.MenuText(i));
  }
}

// ---- main window events ------------------------------------------------------

// Every modified window is asked about before any closes: a Cancel, or a save that
// fails, keeps every window open (those saved meanwhile stay saved).
void TMainForm::closeEvent(QCloseEvent* event) {
  const QList<QMdiSubWindow*> subs = MdiArea->subWindowList();
  for (QMdiSubWindow* sub : subs) {
    if (auto* window = qobject_cast<TFuncGraphWindow*>(sub->widget()); window && !window->CanClose()) {
      event->ignore();
      return;
    }
  }
  for (QMdiSubWindow* sub : subs) {
    if (auto* window = qobject_cast<TFuncGraphWindow*>(sub->widget())) window->CloseAnswered();
    sub->close();
  }
  if (HelpWindow) HelpWindow->close();
  StoreSettings();
  event->accept();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayoutStatusPanels();
}

void TMainForm::LayoutStatusPanels() {
  int client = width();
  if (DrawingBar->isVisibleTo(this)) client -= DrawingBar->sizeHint().width() + CancelDrawingButton->sizeHint().width();
  if (DrawingNote->isVisibleTo(this)) {
    DrawingNote->setFixedWidth(std::min(DrawingNote->sizeHint().width(), client / 3));
    client -= DrawingNote->width();
  }
  const int panelWidth = client > 450 ? client / 3 : 150;
  for (QLabel* panel : StatusPanels) panel->setFixedWidth(panelWidth);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  // F1 anywhere in the program: the page of what has the focus. Taken before the shortcut
  // of "Help &Contents...", which shows F1 but always opens the contents.
  if ((event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 && static_cast<QKeyEvent*>(event)->modifiers() == 0) {
    event->accept();
    if (event->type() == QEvent::KeyPress) ShowContextHelp();
    return true;
  }
  if (event->type() == QEvent::MouseButtonDblClick &&
      (watched == statusBar() || std::find(StatusPanels.begin(), StatusPanels.end(), watched) != StatusPanels.end())) {
    StatusLineSettings();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::StatusLineSettings() {
  if (!RunModal<TStatusLineDlg>(this, settings_)) return;
  StoreSettings();
  OnActive([](TFuncGraphWindow* w) { w->UpdateViewStatus(); });
}

void TMainForm::SetFlatToolBars(bool flat) {
  for (QAction* action : GraphToolBar->actions())
    if (auto* button = qobject_cast<QToolButton*>(GraphToolBar->widgetForAction(action))) button->setAutoRaise(flat);
  LabelToolBar->SetFlat(flat);
}

}  // namespace plotix
