#include "graph3d/graph3d_window.h"

#include <QMenu>
#include <QPainter>

#include "graph3d/function_dialog.h"
#include "graph3d/hot_key_dialog.h"
#include "graph3d/rotate_dialog.h"
#include "platform/dialog_service.h"
#include "window/graph_kinds.h"
#include "window/status_line.h"

namespace plotix {

TFunc3DWindow::TFunc3DWindow(QWidget* parent) : TKindWindow(parent) {
  setWindowTitle(QString::fromStdString(GetGraphTypeName()));

  AddCommand(FunctionMenu(), "New &2D Rotation (X,Y)...", [this] { AddRotated(); });
  AddCommand(FunctionMenu(), "New &3D Function (X,Y,Z)...", [this] { AddSurface(); });
  AddCommand(FunctionMenu(), "&Edit Function List...", [this] { EditFunctionList(); });

  QMenu* v = ViewMenu();
  AddCommand(v, "C&hange View...", [this] { ChangeView(); });
  AddZoomCommands();
  v->addSeparator();
  const struct {
    const char *caption, *name;
    TAxis axis;
    bool plus;
  } rotations[] = {{"Rotate - to X Axis (Up)", "Rotate - to X Axis", TAxis::X, false},
                   {"Rotate + to &X Axis (Down)", "Rotate + to X Axis", TAxis::X, true},
                   {"Rotate - to Y Axis (Left)", "Rotate - to Y Axis", TAxis::Y, false},
                   {"Rotate + to &Y Axis (Right)", "Rotate + to Y Axis", TAxis::Y, true},
                   {"Rotate + to &Z Axis (Spin Left)", "Rotate + to Z Axis", TAxis::Z, true},
                   {"Rotate - to Z Axis (Spin Right)", "Rotate - to Z Axis", TAxis::Z, false}};
  for (int i = 0; i < 6; ++i)
    OfferCommand(rotations[i].name, AddCommand(
                                        v, rotations[i].caption, [this, r = rotations[i]] { Rotate(r.axis, r.plus); },
                                        Qt::Key(Qt::Key_F5 + i)));
  AddCenterCommand("&Rotate All Axis to Zero");
}

TFunc3DWindow::~TFunc3DWindow() = default;

bool TFunc3DWindow::AllocateExtra(int width, int height) { return MutableDoc().AllocateRenderer(width, height); }

namespace {
const TStatusModeChoice kMouseMode{"3D/Mouse",
                                   "3D Mouse Position Settings",
                                   {"Graph Cartesian", "Pixels From Center", "Bitmap Pixels", "Don't Show"},
                                   3};
}  // namespace

void TFunc3DWindow::UpdateViewStatus() {
  TStatusLine* status = StatusLine();
  if (!status) return;
  const TView3D& v = Doc().View();
  status->SetPanel(0, "Zoom: " + std::to_string(v.Zoom));
  status->SetPanel(1, "Rotate X:" + StatusS15(v.RotateX) + " Y:" + StatusS15(v.RotateY) + " Z:" + StatusS15(v.RotateZ));
  const int mode = Settings().StatusMode(kMouseMode.key, kMouseMode.defaultMode);
  const TPoint mouse = MousePosition();
  if (!MouseOnBitmap(mouse.x, mouse.y, BitmapWidth(), BitmapHeight()) || mode == 3) {
    status->SetPanel(2, "");
    return;
  }
  const int mx = mouse.x - (BitmapWidth() / 2 - 1), my = (BitmapHeight() / 2 - 1) - mouse.y;
  switch (mode) {
    case 0:
      status->SetPanel(2, "Mouse X:" + StatusS15(static_cast<Extended>(mx) / v.Zoom) +
                              " Y:" + StatusS15(static_cast<Extended>(my) / v.Zoom));
      break;
    case 1: status->SetPanel(2, "Mouse(Pix) X:" + std::to_string(mx) + " Y:" + std::to_string(my)); break;
    case 2: status->SetPanel(2, "Mouse W:" + std::to_string(mouse.x) + " H:" + std::to_string(mouse.y)); break;
    default: status->SetPanel(2, ""); break;
  }
}

bool TFunc3DWindow::AddSurface() { return AddFunction(std::make_unique<TFunc3DObj>()); }

bool TFunc3DWindow::AddRotated() { return AddFunction(std::make_unique<TFuncRotateObj>()); }

void TFunc3DWindow::ZoomIn() {
  TView3D v = Doc().View();
  Zoom3DStepIn(v.Zoom, Settings().zoom3D);
  SetView(v);
}

void TFunc3DWindow::ZoomOut() {
  TView3D v = Doc().View();
  Zoom3DStepOut(v.Zoom, Settings().zoom3D);
  SetView(v);
}

// A turn always redraws, also one that comes back to the same angle.
void TFunc3DWindow::Rotate(TAxis axis, bool plus) {
  TView3D v = Doc().View();
  Extended& angle = v.Angle(int(axis));
  angle = RotateAngle(angle, plus, Settings().zoom3D.rotationAmount);
  ShowView(v);
}

void TFunc3DWindow::DragView(int dx, int dy) {
  TView3D v = Doc().View();
  v.RotateX = ReduceAngle(v.RotateX + dy);
  v.RotateY = ReduceAngle(v.RotateY + dx);
  SetView(v);
}

void TFunc3DWindow::CenterFunctionView() {
  TView3D v = Doc().View();
  v.RotateX = v.RotateY = v.RotateZ = 0;
  SetView(v);
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
    RunModal<TZoom3DHotKeyDlg>(parent, settings.zoom3D);
  };
  RegisterGraphKind(std::move(kind));
  RegisterModal<TAdd3DFuncDlg, TFunc3DObj>(Dialogs());
  RegisterModal<TAddRotateDlg, TFuncRotateObj>(Dialogs());
}

}  // namespace plotix
