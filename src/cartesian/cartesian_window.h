#pragma once
// TFunc2DWindow: the 2D Cartesian graph window. It shows a TGraph2DDoc and fills the
// "F&unction" and "&View" menus: functions, zoom, scroll, page and centre.

#include "cartesian/cartesian_document.h"
#include "cartesian/function_points.h"
#include "cartesian/settings_dialog.h"
#include "cartesian/trace.h"
#include "cartesian/view_dialog.h"
#include "window/kind_window.h"

namespace plotix {

struct TShadeColumn {
  Extended x, top, bottom;
};

class TFunc2DWindow : public TKindWindow<TGraph2DDoc, TSettings2DDlg, TChange2DViewDlg> {
  Q_OBJECT

 public:
  explicit TFunc2DWindow(QWidget* parent = nullptr);
  ~TFunc2DWindow() override;

  std::string GetGraphTypeName() const override { return "2D Cartesian"; }
  void UpdateViewStatus() override;
  void ZoomIn() override;
  void ZoomOut() override;
  void CenterFunctionView() override;

  // One axis' zoom one step in or out.
  void ZoomAxis(TAxis axis, bool in);
  void MoveView(Extended dx, Extended dy) override;
  void WheelZoom(TPoint at, bool in, TZoomAxes axes) override;

  // The function dialog on a new y = f(x) function; true when one was added (the window
  // redrew). The menu offers each class of the table of function kinds the same way.
  bool AddFunction();
  void SetXZoomEqualToY();
  void SetYZoomEqualToX();

  // Points (x, y) marked over the picture until what it draws changes (a step of the
  // history, a parameter's value); a new view keeps them.
  void SetMarks(std::vector<std::pair<Extended, Extended>> marks);
  const std::vector<std::pair<Extended, Extended>>& Marks() const { return marks_; }
  // The area between two curves, shaded over the picture: pieces of columns (x, top,
  // bottom) in graph units.
  void SetShade(std::vector<std::vector<TShadeColumn>> pieces);
  const std::vector<std::vector<TShadeColumn>>& Shade() const { return shade_; }
  void PaintMarks(QPainter& painter) const override;

  // The trace: a cross-hair on one y = f(x) function at a column of the picture, with x, f(x)
  // and f'(x) beside it, or on a parametric curve at a step of t with t, x, y and dy/dx. The
  // mouse moves it (to its column, or to the curve's nearest point), Left and Right a column
  // or a step, Up and Down go to the previous or next function, Esc leaves.
  void StartTrace();
  void StopTrace();
  bool Tracing() const { return tracePosition_ >= 0; }
  // What the read-out says: where, the point and its slope, or the error where there is none.
  std::string TraceText() const { return Traced().text; }
  // The traced function's index in the graph's list; -1 when none is traced.
  int TracedFunction() const;
  bool ModeMouseMove(int x, int y) override;
  bool ModeKey(int key) override;

  // The selection: a click within 4 pixels of a function or curve selects it, drawn heavier
  // with its zeros, extrema and intersections in view as dots. Hovering a dot shows its tip,
  // a click on it keeps the tip shown, Ctrl+C copies the kept one's point in full; Esc or a
  // click elsewhere ends it. The points are found on a worker after each drawing.
  void ModeClick(int x, int y) override;
  int SelectedFunction() const { return selected_; }
  const TFunctionPoints& SelectedPoints() const { return selectedPoints_; }
  int PinnedPoint() const { return pinned_; }
  // "Minimum (0.816496580927726, -1.08866210790363)", at the digits shown.
  std::string PointTip(int point) const;

 protected:
  bool TypesFunctions() const override { return true; }
  std::unique_ptr<TBaseFunc2DObj> ReadTyped(const std::string& text, const std::string& name,
                                            TGraphScope& scope) const override;

 private:
  // The view one zoom step in or out, of both axes or of one; the same view when no
  // zoom could change.
  TView2D StepZooms(bool in) const;
  TView2D StepZoom(TAxis axis, bool in) const;

  std::vector<std::pair<Extended, Extended>> marks_;
  std::vector<std::vector<TShadeColumn>> shade_;
  TTracePoint Traced() const;
  // A read-out box beside the point, inside the part of the picture shown.
  void DrawReadout(QPainter& painter, const std::string& text, QPointF at) const;

  int tracePosition_ = -1;         // a column or a step of t (see TracePoint); -1: no trace
  std::size_t traceFunction_ = 0;  // into TraceFunctions

  void Select(int function);
  // The selected function's path and points anew, for the view and functions drawn now.
  void RefreshSelection();
  int PointAt(int x, int y) const;  // the dot there; -1 for none
  int selected_ = -1;
  QPoint clicked_;
  std::vector<std::optional<QPointF>> selectedPath_;
  TFunctionPoints selectedPoints_;
  int pinned_ = -1;
  std::uint64_t pointsRun_ = 0;  // the newest search; older results are dropped
};

// Makes 2D Cartesian graphs known to the program: their document, window and dialogs.
void RegisterCartesianGraphs();

}  // namespace plotix
