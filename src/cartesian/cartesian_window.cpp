#include "cartesian/cartesian_window.h"

#include <QMenu>
#include <cmath>

#include "cartesian/function_dialog.h"
#include "cartesian/settings_dialog.h"
#include "cartesian/view_dialog.h"
#include "platform/dialog_service.h"
#include "window/graph_kinds.h"
#include "window/status_line.h"
#include "window/zoom_steps.h"

namespace plotix {

TFunc2DWindow::TFunc2DWindow(QWidget* parent)
    : TFuncGraphWindow(std::make_unique<TGraph2DDoc>(), parent), Doc(static_cast<TGraph2DDoc&>(Document())) {
  setWindowTitle(QString::fromStdString(GetGraphTypeName()));

  AddCommand(FunctionMenu, "&New 2D Function...", [this] { AddFunction(); });
  AddCommand(FunctionMenu, "&Edit Function List...", [this] { EditFunctionList(Doc.Functions); });

  QMenu* v = ViewMenu;
  AddCommand(v, "Change Vie&w...", [this] { ChangeView(); });
  AddZoomCommands();
  AddCommand(
      v, "Zoo&m X Axis In", [this] { ZoomAxis(TAxis::X, true); }, Qt::Key_F9);
  AddCommand(
      v, "Zoom X &Axis Out", [this] { ZoomAxis(TAxis::X, false); }, Qt::Key_F10);
  AddCommand(
      v, "Zoom Y Axis I&n", [this] { ZoomAxis(TAxis::Y, true); }, Qt::Key_F11);
  AddCommand(
      v, "Zoom Y Axis Ou&t", [this] { ZoomAxis(TAxis::Y, false); }, Qt::Key_F12);
  AddScrollCommands();
  v->addSeparator();
  AddCommand(v, "Set &X Zoom Equal To Y", [this] { SetXZoomEqualToY(); });
  AddCommand(v, "Set &Y Zoom Equal To X", [this] { SetYZoomEqualToX(); });
  AddCenterCommand("&Center Function View");
}

TFunc2DWindow::~TFunc2DWindow() = default;

bool TFunc2DWindow::EditGraphSettings() {
  LeaveMode();
  if (!TSettings2DDlg::Edit(this, Doc.Settings)) return false;
  RenderGraph();
  return true;
}

void TFunc2DWindow::UpdateViewStatus() {
  if (TStatusLine* status = StatusLine()) status->Update2D(Doc.View, BitmapHeight(), BitmapWidth(), MouseY, MouseX);
}

bool TFunc2DWindow::AddFunction() {
  return TFuncGraphWindow::AddFunction(Doc.Functions, std::make_unique<TFunc2DObj>());
}

void TFunc2DWindow::ChangeView() {
  if (TChange2DViewDlg::Edit(this, Doc.View)) RenderGraph();
}

// Unequal zooms keep their difference: both move by the smaller of the two steps.
bool TFunc2DWindow::StepZooms(bool in) {
  TView2D& v = Doc.View;
  Extended x = v.zoomX, y = v.zoomY;
  const auto step = in ? ZoomStepIn : ZoomStepOut;
  const bool changedX = step(x);
  const bool changedY = step(y);
  if (!changedX && !changedY) return false;
  const bool inside = in ? x < kMaxZoom && y < kMaxZoom : x > kMinZoom && y > kMinZoom;
  if (x != y && inside) {
    const Extended dX = std::fabs(x - v.zoomX), dY = std::fabs(y - v.zoomY);
    if (dX > dY)
      x = ClampZoom(in ? v.zoomX + dY : v.zoomX - dY);
    else
      y = ClampZoom(in ? v.zoomY + dX : v.zoomY - dX);
  }
  v.zoomX = x;
  v.zoomY = y;
  return true;
}

bool TFunc2DWindow::StepZoom(TAxis axis, bool in) {
  Extended& zoom = axis == TAxis::X ? Doc.View.zoomX : Doc.View.zoomY;
  return in ? ZoomStepIn(zoom) : ZoomStepOut(zoom);
}

void TFunc2DWindow::ZoomIn() {
  if (StepZooms(true)) RenderGraph();
}

void TFunc2DWindow::ZoomOut() {
  if (StepZooms(false)) RenderGraph();
}

void TFunc2DWindow::ZoomAxis(TAxis axis, bool in) {
  if (StepZoom(axis, in)) RenderGraph();
}

// The point under the pointer keeps its pixel.
void TFunc2DWindow::WheelZoom(TPoint at, bool in, TZoomAxes axes) {
  const TView2D before = Doc.View;
  if (!(axes == TZoomAxes::Both ? StepZooms(in) : StepZoom(axes == TZoomAxes::X ? TAxis::X : TAxis::Y, in))) return;
  TView2D& v = Doc.View;
  v.centerX = CenterAfterZoom(before.centerX, at.x - BitmapWidth() / 2, v.zoomX / before.zoomX);
  v.centerY = CenterAfterZoom(before.centerY, BitmapHeight() / 2 - at.y, v.zoomY / before.zoomY);
  RenderGraph();
}

void TFunc2DWindow::CenterFunctionView() { MoveView(-Doc.View.centerX, -Doc.View.centerY); }

void TFunc2DWindow::MoveView(Extended dx, Extended dy) {
  if (MoveCenter(Doc.View.centerX, Doc.View.centerY, dx, dy)) RenderGraph();
}

void TFunc2DWindow::SetXZoomEqualToY() {
  if (Doc.View.zoomX == Doc.View.zoomY) return;
  Doc.View.zoomX = Doc.View.zoomY;
  RenderGraph();
}

void TFunc2DWindow::SetYZoomEqualToX() {
  if (Doc.View.zoomX == Doc.View.zoomY) return;
  Doc.View.zoomY = Doc.View.zoomX;
  RenderGraph();
}

void RegisterCartesianGraphs() {
  RegisterGraphKind(gk2DCartesian, {[] { return std::make_unique<TGraph2DDoc>(); }, [] { return new TFunc2DWindow; }});
  RegisterFunc2DDialog(Dialogs());
}

}  // namespace plotix
