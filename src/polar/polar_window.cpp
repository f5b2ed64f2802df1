#include "polar/polar_window.h"

#include <QMenu>

#include "platform/dialog_service.h"
#include "polar/function_dialog.h"
#include "polar/settings_dialog.h"
#include "polar/view_dialog.h"
#include "window/graph_kinds.h"
#include "window/status_line.h"
#include "window/zoom_steps.h"

namespace plotix {

TFuncPolarWindow::TFuncPolarWindow(QWidget* parent)
    : TFuncGraphWindow(std::make_unique<TGraphPolarDoc>(), parent),
      Doc(static_cast<TGraphPolarDoc&>(Document())),
      FunctionMenu(new QMenu(QStringLiteral("F&unction"), this)),
      ViewMenu(new QMenu(QStringLiteral("&View"), this)) {
  setWindowTitle(QStringLiteral("Polar Graph Window"));

  AddCommand(FunctionMenu, "&New Polar Function...", [this] { AddPolarFunction(); });
  AddCommand(FunctionMenu, "&Edit Function List...", [this] { EditFunctionList(Doc.Functions); });

  QMenu* v = ViewMenu;
  AddCommand(v, "Change Vie&w...", [this] { ChangeView(); });
  v->addSeparator();
  AddCommand(
      v, "Zoom &In", [this] { ZoomIn(); }, Qt::Key_F3);
  AddCommand(
      v, "Zoom &Out", [this] { ZoomOut(); }, Qt::Key_F4);
  v->addSeparator();
  AddCommand(
      v, "Scroll View &Up", [this] { Scroll(TDirection::Up); }, Qt::Key_F5);
  AddCommand(
      v, "Scroll View &Down", [this] { Scroll(TDirection::Down); }, Qt::Key_F6);
  AddCommand(
      v, "Scroll View &Left", [this] { Scroll(TDirection::Left); }, Qt::Key_F7);
  AddCommand(
      v, "Scroll View &Right", [this] { Scroll(TDirection::Right); }, Qt::Key_F8);
  v->addSeparator();
  AddCommand(
      v, "Page View U&p", [this] { Page(TDirection::Up); }, Qt::SHIFT | Qt::Key_F5);
  AddCommand(
      v, "Page Vi&ew Down", [this] { Page(TDirection::Down); }, Qt::SHIFT | Qt::Key_F6);
  AddCommand(
      v, "Page View Le&ft", [this] { Page(TDirection::Left); }, Qt::SHIFT | Qt::Key_F7);
  AddCommand(
      v, "Page View Ri&ght", [this] { Page(TDirection::Right); }, Qt::SHIFT | Qt::Key_F8);
  v->addSeparator();
  AddCommand(
      v, "&Center Function View", [this] { CenterFunctionView(); }, Qt::SHIFT | Qt::Key_F2);
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
