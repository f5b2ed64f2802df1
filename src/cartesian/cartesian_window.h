#pragma once
// TFunc2DWindow: the 2D Cartesian graph window. It shows a TGraph2DDoc and fills the
// "F&unction" and "&View" menus: functions, zoom, scroll, page and centre.

#include "cartesian/cartesian_document.h"
#include "window/graph_window.h"

namespace plotix {

class TFunc2DWindow : public TFuncGraphWindow {
  Q_OBJECT

 public:
  explicit TFunc2DWindow(QWidget* parent = nullptr);
  ~TFunc2DWindow() override;

  std::string GetGraphTypeName() const override { return "2D Cartesian"; }
  bool EditGraphSettings() override;
  void UpdateViewStatus() override;
  void ZoomIn() override;
  void ZoomOut() override;
  void CenterFunctionView() override;

  unsigned ViewCommands() const override { return vcAxisZoom | vcScroll; }
  void ZoomAxis(TAxis axis, bool in) override;
  void MoveView(Extended dx, Extended dy) override;
  void WheelZoom(TPoint at, bool in, TZoomAxes axes) override;

  // The function dialog on a new function; true when one was added (the window redrew).
  bool AddFunction();
  void ChangeView();
  void SetXZoomEqualToY();
  void SetYZoomEqualToX();

  TGraph2DDoc& Doc;

 private:
  // One zoom step of both axes, or of one, without redrawing; true when a zoom changed.
  bool StepZooms(bool in);
  bool StepZoom(TAxis axis, bool in);
};

// Makes 2D Cartesian graphs known to the program: their document, window and dialogs.
void RegisterCartesianGraphs();

}  // namespace plotix
