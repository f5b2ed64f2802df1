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

void TFuncPolarWindow::CenterFunctionView() {
  if (Doc.View.CenterX == 0 && Doc.View.CenterY == 0) return;
  Doc.View.CenterX = Doc.View.CenterY = 0;
  RenderGraph();
}

void TFuncPolarWindow::MoveView(int dx, int dy) {
  TPolarView& v = Doc.View;
  const Extended x = ClampCenter(v.CenterX + dx), y = ClampCenter(v.CenterY + dy);
  if (x == v.CenterX && y == v.CenterY) return;
  v.CenterX = x;
  v.CenterY = y;
  RenderGraph();
}

void TFuncPolarWindow::Scroll(TDirection direction) {
  const int step = Zoom2DSettings().scrollAmount;
  const TOffset d = DirectionOffset(direction, step, step);
  MoveView(d.dx, d.dy);
}

void TFuncPolarWindow::Page(TDirection direction) {
  const TOffset d = DirectionOffset(direction, BitmapWidth() / 2, BitmapHeight() / 2);
  MoveView(d.dx, d.dy);
}

void RegisterPolarGraphs() {
  RegisterGraphKind(gkPolar, {[] { return std::make_unique<TGraphPolarDoc>(); }, [] { return new TFuncPolarWindow; }});
  RegisterPolarDialogs(Dialogs());
}

}  // namespace plotix
