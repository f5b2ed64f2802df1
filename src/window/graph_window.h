#pragma once
// TFuncGraphWindow: the base of every graph window, an MDI child of the main window.
// It owns the graph's document, the graph bitmap and the on-screen copy inside a scroll
// box, the file name, the modified flag, the mouse position and the region selection, and
// defines the operations through which the main window and the menus drive any kind of
// graph.

#include <QElapsedTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "expr/graph_scope.h"
#include "labels/label_list.h"
#include "platform/canvas.h"
#include "platform/colour.h"
#include "platform/drawing_job.h"
#include "window/graph_document.h"
#include "window/graph_picture.h"
#include "window/label_editor.h"
#include "window/program_settings.h"

class QKeySequence;
class QMenu;
class QScrollArea;
class QPainter;
class QTimer;
class QUndoStack;

namespace plotix {

class TCustomTextEdit;
class TGraphStep;
class TReadGraphFile;
class TStatusLine;
class TFuncGraphWindow;
class TToolBarAttribClass;
class TTypedFunctions;

// The bitmap pixel a position on the screen copy lies in. Above a device pixel ratio of 1
// a platform may pass positions between whole pixels; each belongs to the pixel holding it.
TPoint BitmapPixel(const QPointF& position);

// The visible copy of the graph: paints the screen bitmap at its own size and hands
// mouse events in bitmap pixels to its window.
class TScreenImage : public QWidget {
  Q_OBJECT

 public:
  TScreenImage(TFuncGraphWindow& window, TBitmap& bitmap);
  // Takes the bitmap's size after it changed.
  void SyncSize();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  TFuncGraphWindow& window_;
  TBitmap& bitmap_;
};

// The number of colours a new function may get, in the order they are offered.
constexpr int kNewFuncColorCount = 15;
extern const std::array<TColor, kNewFuncColorCount> kNewFuncColors;
// The first new-function colour for which `used` is false, else the one at index, cycling.
TColor NewFunctionColor(const std::function<bool(TColor)>& used, int index);

enum class TDirection { Up, Down, Left, Right };
enum class TAxis { X, Y, Z };
// The axes a wheel notch zooms: both, or one of a 2D graph's (Ctrl: x, Shift: y).
enum class TZoomAxes { Both, X, Y };

// How far a move in a direction shifts the view centre (x right, y up).
struct TOffset {
  int dx = 0, dy = 0;
};
constexpr TOffset DirectionOffset(TDirection direction, int horizontal, int vertical) {
  switch (direction) {
    case TDirection::Up: return {0, vertical};
    case TDirection::Down: return {0, -vertical};
    case TDirection::Left: return {-horizontal, 0};
    case TDirection::Right: return {horizontal, 0};
  }
  return {};
}

class TFuncGraphWindow : public QWidget {
  Q_OBJECT

 public:
  explicit TFuncGraphWindow(std::unique_ptr<TGraphDoc> document, QWidget* parent = nullptr);
  ~TFuncGraphWindow() override;

  // ---- the virtual operations, in slot order ----
  // Per-size buffers; false when they can not be had.
  virtual bool AllocateExtra(int width, int height);
  virtual bool SaveGraph(const std::string& fileName);
  virtual std::string GetGraphTypeName() const = 0;
  // Reads the body of an opened file and closes the reader; sizes the bitmaps on success.
  virtual bool LoadGraph(TReadGraphFile& reader);
  virtual bool IsColorUsed(TColor color) const;
  // Draws the document on the graph bitmap and the labels over its screen copy; with
  // drawInBackground the drawing runs on a worker thread from a copy of the document and
  // the window shows the last finished picture until it is done.
  virtual void RenderGraph();
  virtual bool EditGraphSettings() = 0;
  virtual void UpdateViewStatus() = 0;
  virtual void ZoomIn() = 0;
  virtual void ZoomOut() = 0;
  virtual void CenterFunctionView() = 0;

  // ---- the commands of a kind's own beyond zoom and centre ----
  // The tool bar's button of a name ("Zoom X Axis In", its hint) triggers the action the
  // active window offers under that name, and shows only while the window offers one.
  QAction* OfferedCommand(const std::string& name) const;
  // The view moved by the scroll amount, or by half the bitmap, through MoveView.
  void Scroll(TDirection direction);
  void Page(TDirection direction);
  // Kinds with a flat view (2D, polar) move its centre by (dx, dy) pixels (x right, y up)
  // within ±100000 and redraw when it moved.
  virtual void MoveView(Extended /*dx*/, Extended /*dy*/) {}

  // ---- mouse navigation: the wheel and the middle button over the bitmap ----
  // Each call is one step of the view change the keys make, with their step rules and
  // clamps (ZoomIn / ZoomOut / ZoomAxis, the ±100000 centre), ending in RenderGraph (modified
  // flag, status line, redraw) only when the view changed. A kind without a view to move
  // ignores them; both do nothing by default.
  //
  // One wheel notch over bitmap pixel `at`: one zoom step in or out. Flat kinds (2D, polar)
  // zoom about that point, which keeps its pixel unless the centre clamp stops it; axes
  // other than Both zoom that axis only where a kind has one zoom per axis (2D), else they
  // count as Both. 3D takes one ZoomIn / ZoomOut step.
  virtual void WheelZoom(TPoint /*at*/, bool /*in*/, TZoomAxes) {}
  // The middle button dragged (dx, dy) bitmap pixels (x right, y down) since the last call.
  // Flat kinds move the view with the pointer: the graph point under it stays under it.
  // 3D turns the view about its Y axis by dx and about its X axis by dy.
  virtual void DragView(int dx, int dy) { MoveView(-dx, dy); }

  // The kind's own menus: "F&unction" and "&View", which the kind fills.
  virtual QList<QMenu*> WindowMenus() const { return {functionMenu_, viewMenu_}; }
  // The menus the main window shows while this window is active: the kind's, then "&Label".
  QList<QMenu*> MenuBarMenus() const;

  const TGraphDoc& Document() const { return *document_; }
  std::int32_t GraphKind() const { return document_->Kind(); }
  int BitmapWidth() const { return document_->BitmapWidth(); }
  int BitmapHeight() const { return document_->BitmapHeight(); }

  // ---- operations used by the main window ----
  // Sizes both bitmaps, centres the scroll box and redraws; false (after a message,
  // with the window closed) when the bitmaps can not be had.
  bool SetBitmapSize(int width, int height);
  bool NewDefaultSize() { return SetBitmapSize(kDefaultBitmapSize, kDefaultBitmapSize); }
  // The size and colour depth dialog; true when the bitmap changed.
  bool ChangeBitmapAttributes();
  // New size and depth for both bitmaps: labels left off a smaller bitmap are deleted,
  // the scroll box centred and the graph redrawn. False (after a message, with the
  // window closed) when the bitmaps can not be had.
  bool SetBitmapAttributes(int width, int height, int depth);
  bool Save();
  bool SaveAs(const std::string& fileName);
  // "Save File As": SaveAs to a name asked for in the save dialog; false when the dialog
  // was cancelled or the save failed.
  bool AskSaveAs();
  void SetFileName(const std::string& fileName);
  const std::string& FileName() const { return fileName_; }
  // The close question; true when the window may close. A modified graph asks whether to
  // save it when it has a file, and also when it never had one but holds the user's work.
  bool CanClose();
  // The close question would be asked.
  bool HasWorkToSave() const;
  // The close question was answered already (the main window asks every window before
  // it closes any): the next close asks nothing.
  void CloseAnswered() { closeAnswered_ = true; }
  // The first table colour no function (nor the background) uses; entry index mod 15
  // when all are taken. index: the number of functions already in the window.
  TColor ChooseNewFunctionColor(int index) const;
  // Centres the scroll box on the bitmap.
  void CenterBitmap();
  // The window became the active one: the status line describes it, with no mouse position.
  void Activated();
  // The screen copy from the graph bitmap and the labels over it, with the markers of the
  // label operation in progress.
  void RedrawLabels();
  // Ends the label operation in progress (TLabelEditor::LeaveMode) and the edit of a typed
  // function, before any other change.
  void LeaveMode();
  bool RegionShown() const;
  // The selected region, corners normalised.
  TRect Region() const;
  // Ends the label operation in progress and shows the region with corners normalised.
  void ShowRegion(const TRect& rect);

  // The status line the window writes its panels to (the main window's), while it
  // describes this window; null otherwise.
  void SetStatusLine(TStatusLine* status) { statusLine_ = status; }
  TStatusLine* StatusLine() const;
  // The program's settings (the main window's); the defaults until it hands them over.
  void SetProgramSettings(const TProgramSettings* settings) { settings_ = settings; }
  const TProgramSettings& Settings() const { return *settings_; }
  // The main window's current label tool (0 off, 1..7 the label kinds, kRegionTool), the
  // attributes new labels take, and its "Resize Labels Mode" check mark.
  std::function<int()> CurrentLabelTool = [] { return 0; };
  std::function<const TToolBarAttribClass&()> LabelToolAttributes;
  std::function<bool()> ResizeLabelsMode = [] { return false; };
  // A new Digits Shown for every read-out of the program, chosen in one of them: the main
  // window keeps it in its settings and tells every window (ProgramSettingsChanged).
  std::function<void(int)> ChangeDigitsShown = [](int) {};
  // The "Digits Shown" choice of a read-out's context menu, added to the menu.
  void AddDigitsShownMenu(QMenu* menu) const;

  // ---- labels ----
  const TLabelList& Labels() const { return document_->Labels(); }
  // What labels of this window draw on.
  TLabelOwner& LabelOwner() { return document_->LabelOwner(); }
  // The label gestures and the commands of the "&Label" menu and the label pop-up menu.
  TLabelEditor& LabelEditor() const { return *labelEditor_; }

  // Mouse events over the screen copy, in bitmap pixels.
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
  void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
  void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
  void MouseDoubleClick();
  // Where the mouse is on the bitmap ((-1, -1): off it); the status line follows.
  TPoint MousePosition() const { return {mouseX_, mouseY_}; }
  void TrackMouse(int x, int y);

  // ---- drawing in the background ----
  bool IsDrawing() const { return bool(drawing_); }
  // The drawing in progress finished now, so that the picture shows the document as it is.
  void FinishDrawing();
  // The drawing in progress given up; the last finished picture stays.
  void CancelDrawing();
  // How far the drawing in progress is, once it has taken long enough to show; -1 else.
  int DrawingPercent() const { return drawingPercent_; }
  // What the last finished drawing could not draw, for the status line; empty when all was drawn.
  const std::string& DrawingNote() const { return drawingNote_; }

  // ---- parameters, for kinds whose definitions read them ----
  virtual bool UsesParameters() const { return false; }
  virtual const TParameterList& Parameters() const;
  // A new list of parameters, one step of the history named `what`; the graph redraws.
  virtual void SetParameters(const TParameterList& /*parameters*/, const QString& /*what*/) {}
  // A value shown while a slider moves or plays: the graph redraws, the history keeps no step
  // until SetParameters ends the gesture.
  virtual void PreviewParameter(int /*index*/, Extended /*value*/) {}
  // Whether a definition that compiles would not without the parameter at the index.
  virtual bool ParameterInUse(int /*index*/) const { return false; }
  // Marks a kind paints over the picture on the screen (not into the bitmap, nor as labels);
  // RepaintMarks shows them anew.
  virtual void PaintMarks(QPainter& /*painter*/) const {}
  void RepaintMarks();
  // A mode of the kind that takes the mouse's moves and some keys before the labels do
  // (the 2D trace); true when it took them.
  virtual bool ModeMouseMove(int /*x*/, int /*y*/) { return false; }
  virtual bool ModeKey(int /*key*/) { return false; }
  // A plain left click that took no label while no label tool is chosen (2D: a function
  // selected).
  virtual void ModeClick(int /*x*/, int /*y*/) {}

  // The functions as the "Functions" dock types them; null for a kind whose functions are
  // not typed. An edit in progress there ends with LeaveMode.
  virtual TTypedFunctions* TypedFunctions() { return nullptr; }

  // The names of the graph's functions, in list order.
  virtual std::vector<std::string> FunctionNames() const { return {}; }
  // The parameters and copies of the functions that may be called, for the Function
  // Calculator.
  virtual std::unique_ptr<TGraphScope> GraphScope() const;

  // ---- the history ("&Undo", "&Redo") and the modified mark ----
  QUndoStack* History() const { return history_; }
  // The last step taken back or made again; the label operation in progress ends first.
  void Undo();
  void Redo();
  // A step of the history; one made already (a gesture, a dialog) is marked done.
  void Record(TGraphStep* step);
  // The graph differs from the file: its history is away from where it was saved, or the
  // view changed since (view changes are no steps, but the file holds the view).
  bool IsModified() const;
  // False: the graph is as saved; true: something outside the history changed.
  void SetModified(bool modified);
  // What the window shows (the graph with the labels over it), and the graph alone.
  const TBitmap& ScreenPicture() const { return screenBitmap_; }
  const TBitmap& GraphPicture() const { return graphBitmap_; }
  // The picture drawn again through a painter twin into a file (graph_picture.h).
  bool WriteTwinPicture(const std::string& fileName, TTwinFormat format, int scale, const TRect* region);
  QWidget* ScreenImage() const;
  // The part of the bitmap the window shows, in bitmap pixels.
  QRect VisiblePart() const;
  QScrollArea* ScrollBox() const { return scrollBox_; }
  QMenu* FunctionMenu() const { return functionMenu_; }
  QMenu* ViewMenu() const { return viewMenu_; }

 signals:
  // The close question allowed closing; FileName() still tells the file.
  void Closing(TFuncGraphWindow* window);
  // A region selection started with the mouse.
  void RegionStarted(TFuncGraphWindow* window);
  // A redraw finished: the main window repaints its status bar.
  void Rendered();
  // The graph was written to its file.
  void Saved(const TFuncGraphWindow* window);
  // DrawingPercent changed.
  void DrawingProgress(TFuncGraphWindow* window);
  // The parameters' names, ranges or values changed (by a step, its undoing or a preview).
  void ParametersChanged(TFuncGraphWindow* window);
  // The main window changed the program's settings: the window's read-outs show them anew.
  void ProgramSettingsChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Esc that nothing inside took cancels the drawing in progress.
  void keyPressEvent(QKeyEvent* event) override;

  // A menu command of the window: the label operation in progress ends before it runs.
  QAction* AddCommand(QMenu* menu, const char* caption, std::function<void()> command, const QKeySequence& shortcut);
  QAction* AddCommand(QMenu* menu, const char* caption, std::function<void()> command);
  // Offers the action under a tool bar button's name (see OfferedCommand).
  void OfferCommand(const char* name, QAction* action);
  // View menu commands, each group after a separator: those every kind offers, those of
  // the kinds that scroll, and the one that centres the view under the kind's caption.
  void AddZoomCommands();
  void AddScrollCommands();
  void AddCenterCommand(const char* caption);

  TGraphDoc& MutableDocument() { return *document_; }
  // False, after the message, when the window holds the most functions it may.
  bool CheckFunctionLimit(std::size_t count) const;

 private:
  friend class TLabelEditor;
  friend class TGraphStep;
  friend class TBitmapStep;
  // New size and depth for both bitmaps and the document; false (after a message, with
  // the window closed) when the bitmaps can not be had.
  bool ResizeBitmaps(int width, int height, int depth);
  // The bitmap shown anew after its size changed: centred and redrawn.
  void Redisplay();
  void DrawNow();
  void StartDrawing();
  void DrawingDone(const std::shared_ptr<TDrawingJob>& job, const QImage& picture, const QImage& smooth,
                   const std::string& note, bool outOfMemory);
  void EndDrawing();
  // Smooth drawing on: both bitmaps get painter twins at the screen's pixel ratio (none when
  // their pixels can not be had); off: none.
  void SyncTwins();
  // The graph alone on the screen bitmap (and its twin), for the labels to be drawn over.
  void ShowGraphOnScreen();
  void ShowDrawingProgress();

  std::unique_ptr<TGraphDoc> document_;
  std::string fileName_;
  TStatusLine* statusLine_ = nullptr;
  const TProgramSettings* settings_ = &DefaultProgramSettings();
  bool closeAnswered_ = false;
  QUndoStack* history_;
  bool viewChanged_ = false;
  int mouseX_ = -1, mouseY_ = -1;
  TColor backgroundColor_ = 0xFFFFFF;
  TBitmap graphBitmap_;
  TBitmap screenBitmap_;  // what the screen image shows: the graph with the labels over it
  std::unique_ptr<TPainterTwin> graphTwin_, screenTwin_;  // smooth drawing
  QScrollArea* scrollBox_;
  TScreenImage* screenImage_;
  std::vector<std::pair<std::string, QAction*>> offered_;  // by name, in the order offered
  QMenu* functionMenu_;
  QMenu* viewMenu_;
  TLabelEditor* labelEditor_;
  std::shared_ptr<TDrawingJob> drawing_;  // the drawing in progress
  QElapsedTimer drawingClock_;
  QTimer* drawingTimer_;
  int drawingPercent_ = -1;
  std::string drawingNote_;
};

// Shows the busy cursor for the life of the scope, also when a redraw fails.
class TBusyCursor {
 public:
  TBusyCursor();
  ~TBusyCursor();
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

}  // namespace plotix
