#include "graph3d/graph3d_window.h"

#include <QMenu>
#include <QPainter>

#include "graph3d/function_dialog.h"
#include "graph3d/hot_key_dialog.h"
#include "graph3d/rotate_dialog.h"
#include "graph3d/settings_dialog.h"
#include "graph3d/view_dialog.h"
#include "platform/dialog_service.h"
#include "window/graph_kinds.h"
#include "window/status_line.h"

namespace plotix {

TFunc3DWindow::TFunc3DWindow(QWidget* parent)
    : TFuncGraphWindow(std::make_unique<TGraph3DDoc>(), parent), Doc(static_cast<TGraph3DDoc&>(Document())) {
  setWindowTitle(QString::fromStdString(GetGraphTypeName()));

  AddCommand(FunctionMenu, "New &2D Rotation (X,Y)...", [this] { AddRotated(); });
  AddCommand(FunctionMenu, "New &3D Function (X,Y,Z)...", [this] { AddSurface(); });
  AddCommand(FunctionMenu, "&Edit Function List...", [this] { EditFunctionList(Doc.Functions); });

  QMenu* v = ViewMenu;
  AddCommand(v, "C&hange View...", [this] { ChangeView(); });
  AddZoomCommands();
  v->addSeparator();
  AddCommand(
      v, "Rotate - to X Axis (Up)", [this] { Rotate(TAxis::X, false); }, Qt::Key_F5);
  AddCommand(
      v, "Rotate + to &X Axis (Down)", [this] { Rotate(TAxis::X, true); }, Qt::Key_F6);
  AddCommand(
      v, "Rotate - to Y Axis (Left)", [this] { Rotate(TAxis::Y, false); }, Qt::Key_F7);
  AddCommand(
      v, "Rotate + to &Y Axis (Right)", [this] { Rotate(TAxis::Y, true); }, Qt::Key_F8);
  AddCommand(
      v, "Rotate + to &Z Axis (Spin Left)", [this] { Rotate(TAxis::Z, true); }, Qt::Key_F9);
  AddCommand(
      v, "Rotate - to Z Axis (Spin Right)", [this] { Rotate(TAxis::Z, false); }, Qt::Key_F10);
  AddCenterCommand("&Rotate All Axis to Zero");
}

TFunc3DWindow::~TFunc3DWindow() = default;

bool TFunc3DWindow::AllocateExtra(int width, int height) { return Doc.Renderer.Allocate(width, height); }

bool TFunc3DWindow::EditGraphSettings() {
  LeaveMode();
  if (!TSettings3DDlg::Edit(this, Doc.Settings)) return false;
  RenderGraph();
  return true;
}

namespace {
const TStatusModeChoice kMouseMode{"3D/Mouse",
                                   "3D Mouse Position Settings",
                                   {"Graph Cartesian", "Pixels From Center", "Bitmap Pixels", "Don't Show"},
                                   3};
}  // namespace

void TFunc3DWindow::UpdateViewStatus() {
  TStatusLine* status = StatusLine();
  if (!status) return;
  const TView3D& v = Doc.View;
  status->SetPanel(0, "Zoom: " + std::to_string(v.zoom));
  status->SetPanel(1, "Rotate X:" + StatusS15(v.rotateX) + " Y:" + StatusS15(v.rotateY) + " Z:" + StatusS15(v.rotateZ));
  const int mode = Settings().StatusMode(kMouseMode.key, kMouseMode.defaultMode);
  if (!MouseOnBitmap(MouseX, MouseY, BitmapWidth(), BitmapHeight()) || mode == 3) {
    status->SetPanel(2, "");
    return;
  }
  const int mx = MouseX - (BitmapWidth() / 2 - 1), my = (BitmapHeight() / 2 - 1) - MouseY;
  switch (mode) {
    case 0:
      status->SetPanel(2, "Mouse X:" + StatusS15(static_cast<Extended>(mx) / v.zoom) +
                              " Y:" + StatusS15(static_cast<Extended>(my) / v.zoom));
      break;
    case 1: status->SetPanel(2, "Mouse(Pix) X:" + std::to_string(mx) + " Y:" + std::to_string(my)); break;
    case 2: status->SetPanel(2, "Mouse W:" + std::to_string(MouseX) + " H:" + std::to_string(MouseY)); break;
    default: status->SetPanel(2, ""); break;
  }
}

void TFunc3DWindow::FunctionsChanged(bool appended) {
  if (appended)
    Doc.AppendMesh();
  else
    Doc.RebuildMeshes();
}

bool TFunc3DWindow::AddSurface() { return AddFunction(Doc.Functions, std::make_unique<TFunc3DObj>()); }

bool TFunc3DWindow::AddRotated() { return AddFunction(Doc.Functions, std::make_unique<TFuncRotateObj>()); }

void TFunc3DWindow::ChangeView() {
  if (TChange3DViewDlg::Edit(this, Doc.View)) RenderGraph();
}

void TFunc3DWindow::ZoomIn() {
  if (Zoom3DStepIn(Doc.View.zoom, Settings().zoom3D)) RenderGraph();
}

void TFunc3DWindow::ZoomOut() {
  if (Zoom3DStepOut(Doc.View.zoom, Settings().zoom3D)) RenderGraph();
}

void TFunc3DWindow::Rotate(TAxis axis, bool plus) {
  Extended& angle = Doc.View.Angle(int(axis));
  angle = RotateAngle(angle, plus, Settings().zoom3D.rotationAmount);
  RenderGraph();
}

void TFunc3DWindow::DragView(int dx, int dy) {
  TView3D& v = Doc.View;
  const Extended x = ReduceAngle(v.rotateX + dy), y = ReduceAngle(v.rotateY + dx);
  if (x == v.rotateX && y == v.rotateY) return;
  v.rotateX = x;
  v.rotateY = y;
  RenderGraph();
}

void TFunc3DWindow::CenterFunctionView() {
  TView3D& v = Doc.View;
  if (v.rotateX == 0 && v.rotateY == 0 && v.rotateZ == 0) return;
  v.rotateX = v.rotateY = v.rotateZ = 0;
  RenderGraph();
}

void RegisterGraph3DGraphs() {
  TGraphKindEntry kind;
  kind.fileCode = k3DCartesianCode;
  kind.name = "3D Cartesian";
  kind.newCommand = "New &3D Cartesian";
  kind.newHint = "New 3D Cartesian Graph";
  kind.drawIcon = [](QPainter& p) {  // three axes and a line across them
    p.drawLine(QPointF(11.5, 15.5), QPointF(11.5, 8));
    p.drawLine(QPointF(11.5, 15.5), QPointF(19, 19));
    p.drawLine(QPointF(11.5, 15.5), QPointF(4.5, 20));
    p.setPen(QPen(QColor(220, 0, 0), 1.5));
    p.drawLine(QPointF(6, 12), QPointF(17, 12));
  };
  kind.helpPage = "graph3d.md";
  kind.statusModes = {kMouseMode};
  kind.newDocument = [] { return std::make_unique<TGraph3DDoc>(); };
  kind.newWindow = [] { return new TFunc3DWindow; };
  kind.globalSettingsCommand = "3D Zoom Hot Key Settings...";
  kind.globalSettings = [](QWidget* parent, TProgramSettings& settings) {
    TZoom3DHotKeyDlg::Edit(parent, settings.zoom3D);
  };
  RegisterGraphKind(std::move(kind));
  RegisterFunc3DDialog(Dialogs());
  RegisterRotateDialog(Dialogs());
}

}  // namespace plotix
