#pragma once
// TMainForm: the main window of Plotix. It holds the graph windows as MDI children,
// routes the menu and tool bar commands to the active one, limits how many are open,
// keeps the recently closed graph files and the status bar.

#include <QMainWindow>
#include <QPointer>
#include <QSettings>
#include <QStringList>
#include <array>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/recent_files.h"
#include "app/recovery_store.h"
#include "app/tool_bar_icons.h"
#include "platform/limits.h"
#include "window/program_settings.h"

class QAction;
class QActionGroup;
class QDialog;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QTimer;
class QToolBar;
class QToolButton;
class QUndoGroup;

namespace plotix {

class TFuncGraphWindow;
class THelpWindow;
class TParameterPanel;
class TLabelToolBar;
class TStatusLine;

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // With a store, the settings it holds are taken at once and kept there as they change.
  explicit TMainForm(std::unique_ptr<QSettings> store = nullptr, QWidget* parent = nullptr);
  ~TMainForm() override;

  // ---- commands ----
  // A new window of the kind with a 500 x 500 bitmap; null at the window limit.
  TFuncGraphWindow* NewGraphClick(std::int32_t kind);
  void OpenFile1Click();
  bool SaveFile1Click();
  bool SaveFileAs1Click();
  void CloseFile1Click();
  // Opens a graph file into a new window; false (and no window) after a failure.
  bool OpenGraphFile(const std::string& fileName);
  // Opens entry index (0-based) of the recent-file list; it leaves the list on success.
  void OpenRecentFile(int index);
  void ShowHelpContents();
  // The manual at a page ("polar.md#change-polar-view"; the contents when empty).
  void ShowHelp(const QString& page);
  void ShowContextHelp();
  void ShowAbout();

  TFuncGraphWindow* ActiveGraphWindow() const;
  int GraphWindowCount() const { return windowCount_; }
  const QStringList& RecentFiles() const { return recentFiles_.Names(); }
  TStatusLine& Status() { return *status_; }
  TProgramSettings& Settings() { return settings_; }
  const TProgramSettings& Settings() const { return settings_; }
  void SetRecentFiles(const QStringList& names);
  // Writes the settings to the store, if there is one.
  void StoreSettings() const;

  // ---- recovery after a crash ----
  // From now on every modified graph is written to the store each interval.
  void StartRecovery(std::unique_ptr<TRecoveryStore> store, std::chrono::milliseconds interval);
  TRecoveryStore* Recovery() const { return recovery_.get(); }
  // Writes each modified graph now, and removes the files of those no longer modified.
  void WriteRecovery();
  // "Recover Unsaved Graphs", when graphs were left over from a crash.
  void OfferRecovery();
  // Opens the graphs marked true, newest first while the window limit allows, each
  // modified under its old file name or caption, and deletes those marked false; the
  // rest wait for the next start.
  void RecoverGraphs(const std::vector<TLeftOverGraph>& graphs, const std::vector<bool>& open);

  // What the tests and the help reach by role; the other parts are found by their object
  // names.
  QAction* GraphButton(TGraphButton button) const { return graphButtons_[int(button)]; }
  const QLabel* StatusPanel(int panel) const { return statusPanels_[std::size_t(panel)]; }
  const QList<QAction*>& NewActions() const { return newActions_; }  // by graph kind, as registered
  const QList<QAction*>& NewButtons() const { return newButtons_; }
  const std::array<QAction*, kMaxRecentFiles>& RecentActions() const { return recentActions_; }
  THelpWindow* HelpWindow() const;  // null until first asked for
  // 0 off, 1..7 the label kinds, kRegionTool (8) region selection.
  int LabelToolMode() const { return labelToolMode_; }
  void SetLabelToolMode(int tool) { labelToolMode_ = tool; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The settings store keeps the state of the form's parts.
  friend void LoadSettings(QSettings& store, TMainForm& form);
  friend void SaveSettings(QSettings& store, const TMainForm& form);

  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  // Counts a new window in, shows it in the MDI area and activates it.
  void AddGraphWindow(TFuncGraphWindow* window);
  bool CheckWindowLimit();
  // A window of the file's kind with the file read into it, not yet added; null after
  // a failure.
  TFuncGraphWindow* ReadGraphWindow(const std::string& fileName);
  void RemoveRecovery(const TFuncGraphWindow* window);
  // The size a window needs for its whole bitmap, within the MDI area.
  QSize FittingSize(const QMdiSubWindow* sub) const;
  // Where a window of the size goes after `last` (null: the first): one title bar down
  // and right of it.
  QPoint CascadePosition(const QMdiSubWindow* last, const QSize& size) const;
  // Every window that is not minimised at its fitting size, one title bar apart.
  void CascadeWindows();
  // The window's caption on its sub-window, marked while the graph has unsaved changes.
  void ShowCaption(TFuncGraphWindow* window);
  // The Window menu's list of the open graph windows, the active one checked.
  void RebuildWindowList();
  void WindowClosing(TFuncGraphWindow* window);
  void SubWindowActivated(QMdiSubWindow* subWindow);
  // Every read-out of every window shows `digits` significant digits from now on.
  void SetDigitsShown(int digits);
  // Enables the window-dependent commands when a window is open.
  void UpdateWindowCommands();
  // Shows the tool bar buttons of the window's view commands (none without a window).
  void ShowKindButtons(const TFuncGraphWindow* window);
  // Shows the active window's own menus between the main window's.
  void MergeWindowMenus(TFuncGraphWindow* window);
  void RebuildRecentMenu();
  // The progress of the window's drawing, when it is the active one (null: none).
  void ShowDrawingProgress(TFuncGraphWindow* window);
  // The note of the window's last drawing, when it is the active one (null: none).
  void ShowDrawingNote(TFuncGraphWindow* window);
  void LayoutStatusPanels();
  void SetFlatToolBars(bool flat);
  void StatusLineSettings();
  // Runs the command on the active graph window, if any.
  template <class F>
  void OnActive(F command);

  QMdiArea* MdiArea;
  QToolBar* GraphToolBar;
  std::array<QAction*, kGraphButtonCount> graphButtons_{};
  std::array<QLabel*, 3> statusPanels_{};
  QProgressBar* DrawingBar;  // beside them, with its Cancel button, while the active window draws
  QToolButton* CancelDrawingButton;
  QLabel* DrawingNote;          // what the active window's last drawing could not draw, when anything
  TParameterPanel* Parameters;  // in the "Parameters" dock, following the active window
  // Menu items the tests and the window-dependent rules reach by role.
  QList<QAction*> newActions_;  // by graph kind, as the kinds registered
  QList<QAction*> newButtons_;
  QAction* UndoAction;  // "&Undo" and "&Redo" + what they take back or make again
  QAction* RedoAction;
  QAction* SaveAction;
  QAction* SaveAsAction;
  QAction* CloseAction;
  QAction* GraphSettingsAction;
  QAction* CenterBitmapAction;
  QAction* RefreshAction;
  QAction* SmoothDrawingAction;
  QAction* ParametersAction;  // shows and hides the "Parameters" dock
  QAction* FunctionsAction;   // shows and hides the "Functions" dock
  QAction* SaveBitmapAction;
  QAction* PrintScaleAction;
  QAction* PrintAction;
  QAction* BitmapAttribAction;
  QAction* SelectRegionAction;  // checked: label tool mode kRegionTool
  QAction* RegionDialogAction;
  QAction* CopyBitmapAction;
  QAction* FlatToolBarsAction;
  TLabelToolBar* LabelToolBar;
  QAction* ResizeLabelsAction;  // checked: a plain drag resizes labels too
  std::array<QAction*, kMaxRecentFiles> recentActions_{};
  QAction* RecentSeparator;
  QPointer<THelpWindow> helpWindow_;  // made when first asked for
  int labelToolMode_ = 0;

  TProgramSettings settings_;
  QUndoGroup* history_;  // the active window's history
  std::unique_ptr<QSettings> store_;
  std::unique_ptr<TStatusLine> status_;
  int windowCount_ = 0;
  TRecentFiles recentFiles_;
  QMenu* fileMenu_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QList<QAction*> windowList_;          // the Window menu's entries of the open windows
  QAction* toolsMenuAction_ = nullptr;  // window menus are inserted before it
  QList<QPointer<QAction>> mergedMenus_;
  QList<QAction*> windowCommands_;  // disabled while no graph window is open

  QPointer<QMdiSubWindow> lastPlaced_;  // the newest graph window, while it is open

  std::unique_ptr<TRecoveryStore> recovery_;
  QTimer* recoveryTimer_ = nullptr;
  std::map<const TFuncGraphWindow*, int> recoverySlots_;  // windows with recovery files
  int lastRecoverySlot_ = 0;
};

}  // namespace plotix
