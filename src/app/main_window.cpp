#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QResizeEvent>
#include <QSettings>
#include <QSizeGrip>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUndoGroup>
#include <algorithm>

#include "app/function_panel.h"
#include "app/help_window.h"
#include "app/label_tool_bar.h"
#include "app/parameter_panel.h"
#include "app/picture_output.h"
#include "app/print_scale_dialog.h"
#include "app/settings_store.h"
#include "expr/calculator_dialog.h"
#include "expr/trig_fixup_dialog.h"
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
constexpr int kDrawingBarWidth = 160;
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
  // The parts the tests and the help find by name.
  const std::pair<QObject*, const char*> named[] = {{SaveAction, "SaveAction"},
                                                    {CloseAction, "CloseAction"},
                                                    {RefreshAction, "RefreshAction"},
                                                    {PrintAction, "PrintAction"},
                                                    {CopyBitmapAction, "CopyBitmapAction"},
                                                    {SmoothDrawingAction, "SmoothDrawingAction"},
                                                    {ParametersAction, "ParametersAction"},
                                                    {FunctionsAction, "FunctionsAction"},
                                                    {SelectRegionAction, "SelectRegionAction"},
                                                    {FlatToolBarsAction, "FlatToolBarsAction"},
                                                    {ResizeLabelsAction, "ResizeLabelsAction"},
                                                    {RecentSeparator, "RecentSeparator"},
                                                    {DrawingBar, "DrawingBar"},
                                                    {CancelDrawingButton, "CancelDrawingButton"},
                                                    {DrawingNote, "DrawingNote"}};
  for (const auto& [object, name] : named) object->setObjectName(QString::fromLatin1(name));
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
    newActions_ << add(file, kind.newCommand.c_str(), [this, code = kind.fileCode] { NewGraphClick(code); });
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
  for (int i = 0; i < kMaxRecentFiles; ++i) recentActions_[i] = add(file, "", [this, i] { OpenRecentFile(i); });
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
    labelToolMode_ = on ? kRegionTool : 0;
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
  // The active graph's functions as typed lines, on the left. The menu item shows and hides
  // the dock; Ctrl+K shows it and puts the focus in its empty last row.
  auto* functions = new QDockWidget(QStringLiteral("Functions"), this);
  functions->setObjectName(QStringLiteral("FunctionsDock"));
  auto* panel = new TFunctionPanel;
  functions->setWidget(panel);
  connect(panel, &TFunctionPanel::SliderAdded, dock, &QWidget::show);
  addDockWidget(Qt::LeftDockWidgetArea, functions);
  functions->hide();
  FunctionsAction = functions->toggleViewAction();
  FunctionsAction->setText(QStringLiteral("&Functions\tCtrl+K"));
  window->addAction(FunctionsAction);
  auto* typeFunction = new QAction(this);
  typeFunction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
  typeFunction->setShortcutContext(Qt::ApplicationShortcut);
  connect(typeFunction, &QAction::triggered, this, [functions, panel] {
    functions->show();
    functions->raise();
    panel->FocusNewRow();
  });
  addAction(typeFunction);
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
    connect(button, &QAction::triggered, newActions_[newButtons_.size()], &QAction::trigger);
    newButtons_ << button;
  }
  for (int i = 0; i < kGraphButtonCount; ++i) {
    const auto b = B(i);
    const QString hint = QString::fromLatin1(ButtonHint(b));
    QAction* action = GraphToolBar->addAction(ButtonIcon(b), hint);
    action->setToolTip(hint);
    graphButtons_[i] = action;
    if (b == B::Open || b == B::CenterBitmap || b == B::ZoomXIn || b == B::RotateXMinus)
      GraphToolBar->insertSeparator(action);
  }
  connect(GraphButton(B::Open), &QAction::triggered, this, [this] { OpenFile1Click(); });
  connect(GraphButton(B::Save), &QAction::triggered, this, [this] { SaveFile1Click(); });
  GraphToolBar->insertActions(GraphButton(B::CenterFunction), {UndoAction, RedoAction});
  connect(GraphButton(B::CenterBitmap), &QAction::triggered, CenterBitmapAction, &QAction::trigger);

  // The view commands go to the active window's operation of the same name.
  const auto route = [this](B b, auto command) {
    connect(GraphButton(b), &QAction::triggered, this, [this, command] {
      OnActive([command](TFuncGraphWindow* w) {
        w->LeaveMode();
        command(w);
      });
    });
  };
  route(B::CenterFunction, [](TFuncGraphWindow* w) { w->CenterFunctionView(); });
  route(B::ZoomIn, [](TFuncGraphWindow* w) { w->ZoomIn(); });
  route(B::ZoomOut, [](TFuncGraphWindow* w) { w->ZoomOut(); });
  // The kinds' own commands are those the active window offers under the buttons' hints.
  for (int i = kFirstOfferedButton; i < kGraphButtonCount; ++i)
    connect(graphButtons_[i], &QAction::triggered, this, [this, name = std::string(ButtonHint(B(i)))] {
      OnActive([&name](TFuncGraphWindow* w) {
        if (QAction* command = w->OfferedCommand(name)) command->trigger();
      });
    });
  windowCommands_ += {GraphButton(B::Save), GraphButton(B::CenterFunction), GraphButton(B::CenterBitmap),
                      GraphButton(B::ZoomIn), GraphButton(B::ZoomOut)};

  addToolBarBreak();
  LabelToolBar = new TLabelToolBar(this);
  addToolBar(LabelToolBar);
  LabelToolBar->hide();
  connect(LabelToolBar, &TLabelToolBar::ToolChosen, this, [this](int tool) {
    SelectRegionAction->setChecked(false);
    labelToolMode_ = tool;
  });
  SetFlatToolBars(FlatToolBarsAction->isChecked());
}

void TMainForm::BuildStatusBar() {
  status_ = std::make_unique<TStatusLine>(
      [this](int panel, const std::string& text) { statusPanels_[panel]->setText(QString::fromStdString(text)); });
  for (QLabel*& panel : statusPanels_) {
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

// ---- main window events ------------------------------------------------------

// Every modified window is asked about before any closes: a Cancel, or a save that
// fails, keeps every window open (those saved meanwhile stay saved).
void TMainForm::closeEvent(QCloseEvent* event) {
  const QList<QMdiSubWindow*> subs = MdiArea->subWindowList();
  for (QMdiSubWindow* sub : subs) {
    auto* window = qobject_cast<TFuncGraphWindow*>(sub->widget());
    if (!window) continue;
    // The graph asked about is the one in front, whole.
    if (window->HasWorkToSave()) {
      if (sub->isMinimized()) sub->showNormal();
      MdiArea->setActiveSubWindow(sub);
    }
    if (!window->CanClose()) {
      event->ignore();
      return;
    }
  }
  for (QMdiSubWindow* sub : subs) {
    if (auto* window = qobject_cast<TFuncGraphWindow*>(sub->widget())) window->CloseAnswered();
    sub->close();
  }
  if (helpWindow_) helpWindow_->close();
  StoreSettings();
  event->accept();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayoutStatusPanels();
}

void TMainForm::LayoutStatusPanels() {
  int client = width();
  // What shows right of the panels takes its room from them: each widget and the size grip
  // after the last, with the status bar's spacing between all of them and the panels.
  const int spacing = statusBar()->style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing);
  const auto take = [&](QWidget* widget, int room) {
    widget->setFixedWidth(std::min(widget->sizeHint().width(), room));
    client -= widget->width() + spacing;
  };
  const bool drawing = DrawingBar->isVisibleTo(this), noted = DrawingNote->isVisibleTo(this);
  if (drawing || noted) {
    client -= int(statusPanels_.size()) * spacing;
    if (const QSizeGrip* grip = statusBar()->findChild<QSizeGrip*>(); grip && statusBar()->isSizeGripEnabled())
      client -= grip->sizeHint().width();
  }
  if (drawing) {
    take(DrawingBar, kDrawingBarWidth);
    take(CancelDrawingButton, client);
  }
  if (noted) take(DrawingNote, client / 3);
  const int panelWidth = client > 450 ? client / 3 : 150;
  for (QLabel* panel : statusPanels_) panel->setFixedWidth(panelWidth);
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
  // Every event of the program passes here (F1): a graph window's caption and modified mark.
  if (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::ModifiedChange)
    if (auto* window = qobject_cast<TFuncGraphWindow*>(watched); window && window->parentWidget()) ShowCaption(window);
  if (event->type() == QEvent::MouseButtonDblClick &&
      (watched == statusBar() ||
       std::find(statusPanels_.begin(), statusPanels_.end(), watched) != statusPanels_.end())) {
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
