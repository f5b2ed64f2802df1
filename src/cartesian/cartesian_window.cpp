#include "cartesian/cartesian_window.h"

#include <QMenu>
#include <QPainter>
#include <QPainterPath>
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

namespace {
const TStatusModeChoice kViewMode{"2D/View", "View Center", kFlatViewModes, 0};
const TStatusModeChoice kMouseMode{"2D/Mouse", "Mouse Position", kFlatMouseModes, 0};

int Mode(const TProgramSettings& settings, const TStatusModeChoice& choice) {
  return settings.StatusMode(choice.key, choice.defaultMode);
}
}  // namespace

void TFunc2DWindow::UpdateViewStatus() {
  TStatusLine* status = StatusLine();
  if (!status) return;
  const TView2D& v = Doc.View;
  status->SetPanel(0, "Zoom X:" + StatusS8(v.zoomX) + " Y:" + StatusS8(v.zoomY));
  status->ShowFlatView(v.zoomX, v.zoomY, v.centerX, v.centerY, Mode(Settings(), kViewMode),
                       Mode(Settings(), kMouseMode), BitmapHeight(), BitmapWidth(), MouseY, MouseX);
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
  const bool changedX = step(x, Settings().zoom2D);
  const bool changedY = step(y, Settings().zoom2D);
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
  return in ? ZoomStepIn(zoom, Settings().zoom2D) : ZoomStepOut(zoom, Settings().zoom2D);
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
  TGraphKindEntry kind;
  kind.fileCode = k2DCartesianCode;
  kind.name = "2D Cartesian";
  kind.newCommand = "New &2D Cartesian";
  kind.newHint = "New 2D Cartesian Graph";
  kind.drawIcon = [](QPainter& p) {  // axes and a curve
    p.drawLine(QPointF(5, 15.5), QPointF(19, 15.5));
    p.drawLine(QPointF(11.5, 8), QPointF(11.5, 21));
    p.setPen(QPen(QColor(220, 0, 0), 1.5));
    QPainterPath curve(QPointF(5, 20));
    curve.cubicTo(QPointF(9, 6), QPointF(13, 24), QPointF(19, 9));
    p.drawPath(curve);
  };
  kind.helpPage = "cartesian.md";
  kind.statusTitle = "2D Cartesian Settings";
  kind.statusModes = {kViewMode, kMouseMode};
  kind.newDocument = [] { return std::make_unique<TGraph2DDoc>(); };
  kind.newWindow = [] { return new TFunc2DWindow; };
  RegisterGraphKind(std::move(kind));
  RegisterFunc2DDialog(Dialogs());
}

}  // namespace plotix
