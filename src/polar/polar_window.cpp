#include "polar/polar_window.h"

#include <QPainter>

#include "platform/dialog_service.h"
#include "polar/function_dialog.h"
#include "window/graph_kinds.h"
#include "window/status_line.h"
#include "window/zoom_steps.h"

namespace plotix {

TFuncPolarWindow::TFuncPolarWindow(QWidget* parent) : TKindWindow(parent) {
  setWindowTitle(QStringLiteral("Polar Graph Window"));

  AddCommand(FunctionMenu(), "&New Polar Function...", [this] { AddPolarFunction(); });
  AddCommand(FunctionMenu(), "&Edit Function List...", [this] { EditFunctionList(); });

  AddCommand(ViewMenu(), "Change Vie&w...", [this] { ChangeView(); });
  AddZoomCommands();
  AddScrollCommands();
  AddCenterCommand("&Center Function View");
}

TFuncPolarWindow::~TFuncPolarWindow() = default;

namespace {
const TStatusModeChoice kViewMode{"Polar/View", "View Center", kFlatViewModes, 1};
const TStatusModeChoice kMouseMode{"Polar/Mouse", "Mouse Position", kFlatMouseModes, 1};

int Mode(const TProgramSettings& settings, const TStatusModeChoice& choice) {
  return settings.StatusMode(choice.key, choice.defaultMode);
}
}  // namespace

void TFuncPolarWindow::UpdateViewStatus() {
  TStatusLine* status = StatusLine();
  if (!status) return;
  const TPolarView& v = Doc().View();
  status->SetPanel(0, "Zoom: " + StatusS8(v.Zoom));
  status->ShowFlatView(v.Zoom, v.Zoom, v.CenterX, v.CenterY, Mode(Settings(), kViewMode), Mode(Settings(), kMouseMode),
                       BitmapHeight(), BitmapWidth(), MousePosition().y, MousePosition().x);
}

bool TFuncPolarWindow::AddPolarFunction() { return AddFunction(std::make_unique<TFuncPolarObj>()); }

void TFuncPolarWindow::ZoomIn() {
  TPolarView v = Doc().View();
  ZoomStepIn(v.Zoom, Settings().zoom2D);
  SetView(v);
}

void TFuncPolarWindow::ZoomOut() {
  TPolarView v = Doc().View();
  ZoomStepOut(v.Zoom, Settings().zoom2D);
  SetView(v);
}

void TFuncPolarWindow::CenterFunctionView() { MoveView(-Doc().View().CenterX, -Doc().View().CenterY); }

void TFuncPolarWindow::MoveView(Extended dx, Extended dy) {
  TPolarView v = Doc().View();
  if (MoveCenter(v.CenterX, v.CenterY, dx, dy)) SetView(v);
}

// The point under the pointer keeps its pixel; both axes share the one zoom.
void TFuncPolarWindow::WheelZoom(TPoint at, bool in, TZoomAxes) {
  TPolarView v = Doc().View();
  const Extended before = v.Zoom;
  if (!(in ? ZoomStepIn(v.Zoom, Settings().zoom2D) : ZoomStepOut(v.Zoom, Settings().zoom2D))) return;
  v.CenterX = CenterAfterZoom(v.CenterX, at.x - BitmapWidth() / 2, v.Zoom / before);
  v.CenterY = CenterAfterZoom(v.CenterY, BitmapHeight() / 2 - at.y, v.Zoom / before);
  SetView(v);
}

void RegisterPolarGraphs() {
  TGraphKindEntry kind;
  kind.fileCode = kPolarCode;
  kind.name = "Polar";
  kind.newCommand = "New &Polar";
  kind.newHint = "New Polar Graph";
  kind.drawIcon = [](QPainter& p) {  // axes and a circle about the pole
    p.drawLine(QPointF(5, 15.5), QPointF(19, 15.5));
    p.drawLine(QPointF(11.5, 9), QPointF(11.5, 22));
    p.setPen(QPen(QColor(220, 0, 0), 1.5));
    p.drawEllipse(QPointF(11.5, 15.5), 5, 5);
  };
  kind.helpPage = "polar.md";
  kind.statusTitle = "Polar Settings";
  kind.statusModes = {kViewMode, kMouseMode};
  kind.newDocument = [] { return std::make_unique<TGraphPolarDoc>(); };
  kind.newWindow = [] { return new TFuncPolarWindow; };
  RegisterGraphKind(std::move(kind));
  RegisterModal<TAddPolarFuncDlg, TFuncPolarObj>(Dialogs());
}

}  // namespace plotix
