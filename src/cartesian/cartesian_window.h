#pragma once
// TFunc2DWindow: the 2D Cartesian graph window. It shows a TGraph2DDoc and fills the
// "F&unction" and "&View" menus: functions, zoom, scroll, page and centre.

#include "cartesian/cartesian_document.h"
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

 private:
  // The view one zoom step in or out, of both axes or of one; the same view when no
  // zoom could change.
  TView2D StepZooms(bool in) const;
  TView2D StepZoom(TAxis axis, bool in) const;

  std::vector<std::pair<Extended, Extended>> marks_;
  std::vector<std::vector<TShadeColumn>> shade_;
  TTracePoint Traced() const;

  int tracePosition_ = -1;         // a column or a step of t (see TracePoint); -1: no trace
  std::size_t traceFunction_ = 0;  // into TraceFunctions
};

// Makes 2D Cartesian graphs known to the program: their document, window and dialogs.
void RegisterCartesianGraphs();

}  // namespace plotix
