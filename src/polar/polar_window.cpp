#include "polar/polar_window.h"

#include "platform/dialog_service.h"
#include "polar/function_dialog.h"
#include "polar/settings_dialog.h"
#include "polar/view_dialog.h"
#include "window/graph_kinds.h"
#include "window/status_line.h"
#include "window/zoom_steps.h"

namespace plotix {

TFuncPolarWindow::TFuncPolarWindow(QWidget* parent)
    : TFuncGraphWindow(std::make_unique<TGraphPolarDoc>(), parent), Doc(static_cast<TGraphPolarDoc&>(Document())) {
  setWindowTitle(QStringLiteral("Polar Graph Window"));

  AddCommand(FunctionMenu, "&New Polar Function...", [this] { AddPolarFunction(); });
  AddCommand(FunctionMenu, "&Edit Function List...", [this] { EditFunctionList(Doc.Functions); });

  AddCommand(ViewMenu, "Change Vie&w...", [this] { ChangeView(); });
  AddZoomCommands();
  AddScrollCommands();
  AddCenterCommand("&Center Function View");
}

TFuncPolarWindow::~TFuncPolarWindow() = default;

bool TFuncPolarWindow::EditGraphSettings() {
  LeaveMode();
  if (!TSettingsPolarDlg::Edit(this, Doc.Settings)) return false;
  RenderGraph();
  return true;
}

void TFuncPolarWindow::UpdateViewStatus() {
  if (TStatusLine* status = StatusLine())
    status->UpdatePolar(Doc.View.Zoom, Doc.View.CenterX, Doc.View.CenterY, BitmapHeight(), BitmapWidth(), MouseY,
                        MouseX);
}

bool TFuncPolarWindow::AddPolarFunction() {
  return TFuncGraphWindow::AddFunction(Doc.Functions, std::make_unique<TFuncPolarObj>());
}

void TFuncPolarWindow::ChangeView() {
  if (TChangePolarViewDlg::Edit(this, Doc.View)) RenderGraph();
}

void TFuncPolarWindow::ZoomIn() {
  if (ZoomStepIn(Doc.View.Zoom)) RenderGraph();
}

void TFuncPolarWindow::ZoomOut() {
  if (ZoomStepOut(Doc.View.Zoom)) RenderGraph();
}

void TFuncPolarWindow::CenterFunctionView() { MoveView(-Doc.View.CenterX, -Doc.View.CenterY); }

void TFuncPolarWindow::MoveView(Extended dx, Extended dy) {
  if (MoveCenter(Doc.View.CenterX, Doc.View.CenterY, dx, dy)) RenderGraph();
}

// The point under the pointer keeps its pixel; both axes share the one zoom.
void TFuncPolarWindow::WheelZoom(TPoint at, bool in, TZoomAxes) {
  TPolarView& v = Doc.View;
  const Extended before = v.Zoom;
  if (!(in ? ZoomStepIn(v.Zoom) : ZoomStepOut(v.Zoom))) return;
  v.CenterX = CenterAfterZoom(v.CenterX, at.x - BitmapWidth() / 2, v.Zoom / before);
  v.CenterY = CenterAfterZoom(v.CenterY, BitmapHeight() / 2 - at.y, v.Zoom / before);
  RenderGraph();
}

void RegisterPolarGraphs() {
  RegisterGraphKind(gkPolar, {[] { return std::make_unique<TGraphPolarDoc>(); }, [] { return new TFuncPolarWindow; }});
  RegisterPolarDialogs(Dialogs());
}

}  // namespace plotix
