#include "graph/g2dwin.h"

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <cmath>

#include "graph/chview2d.h"
#include "graph/flistdlg.h"
#include "graph/set2ddlg.h"
#include "graph/statusln.h"
#include "graph/zoom2d.h"
#include "platform/msgbox.h"

namespace plotix {

TFunc2DWindow::TFunc2DWindow(QWidget* parent)
    : TFuncGraphWindow(parent),
      FunctionMenu(new QMenu(QStringLiteral("F&unction"), this)),
      ViewMenu(new QMenu(QStringLiteral("&View"), this)) {
  setWindowTitle(QString::fromStdString(GetGraphTypeName()));
  GraphBitmap.Canvas().Brush().color = Doc.Settings.BackColor;
  Doc.LabelOwner.SetTarget(&ScreenBitmap);

  AddCommand(FunctionMenu, "&New 2D Function...", [this] { AddFunction(); });
  AddCommand(FunctionMenu, "&Edit Function List...", [this] { EditFunctionList(); });

  QMenu* v = ViewMenu;
  AddCommand(v, "Change Vie&w...", [this] { ChangeView(); });
  v->addSeparator();
  AddCommand(v, "Zoom &In", [this] { ZoomIn(); }, Qt::Key_F3);
  AddCommand(v, "Zoom &Out", [this] { ZoomOut(); }, Qt::Key_F4);
  AddCommand(v, "Zoo&m X Axis In", [this] { ZoomAxis(true, true); }, Qt::Key_F9);
  AddCommand(v, "Zoom X &Axis Out", [this] { ZoomAxis(true, false); }, Qt::Key_F10);
  AddCommand(v, "Zoom Y Axis I&n", [this] { ZoomAxis(false, true); }, Qt::Key_F11);
  AddCommand(v, "Zoom Y Axis Ou&t", [this] { ZoomAxis(false, false); }, Qt::Key_F12);
  v->addSeparator();
  AddCommand(v, "Scroll View &Up", [this] { ScrollUp(); }, Qt::Key_F5);
  AddCommand(v, "Scroll View &Down", [this] { ScrollDown(); }, Qt::Key_F6);
  AddCommand(v, "Scroll View &Left", [this] { ScrollLeft(); }, Qt::Key_F7);
  AddCommand(v, "Scroll View &Right", [this] { ScrollRight(); }, Qt::Key_F8);
  v->addSeparator();
  AddCommand(v, "Page View U&p", [this] { PageUp(); }, Qt::SHIFT | Qt::Key_F5);
  AddCommand(v, "Page Vi&ew Down", [this] { PageDown(); }, Qt::SHIFT | Qt::Key_F6);
  AddCommand(v, "Page View Le&ft", [this] { PageLeft(); }, Qt::SHIFT | Qt::Key_F7);
  AddCommand(v, "Page View Ri&ght", [this] { PageRight(); }, Qt::SHIFT | Qt::Key_F8);
  v->addSeparator();
  AddCommand(v, "Set &X Zoom Equal To Y", [this] { SetXZoomEqualToY(); });
  AddCommand(v, "Set &Y Zoom Equal To X", [this] { SetYZoomEqualToX(); });
  v->addSeparator();
  AddCommand(v, "&Center Function View", [this] { CenterFunctionView(); }, Qt::SHIFT | Qt::Key_F2);
}

TFunc2DWindow::~TFunc2DWindow() = default;

QAction* TFunc2DWindow::AddCommand(QMenu* menu, const char* caption, std::function<void()> command,
                                   const QKeySequence& shortcut) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setShortcut(shortcut);
  connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
    LeaveMode();
    command();
  });
  return action;
}

// The document keeps the size so its labels know the bitmap they lie on.
bool TFunc2DWindow::AllocateExtra(int width, int height) {
  Doc.BitmapWidth = width;
  Doc.BitmapHeight = height;
  return true;
}

bool TFunc2DWindow::SaveGraph(const std::string& fileName) { return Doc.SaveGraph(fileName); }

bool TFunc2DWindow::LoadGraph(TReadGraphFile& reader) {
  if (!Doc.LoadGraph(reader)) return false;
  GraphBitmap.Canvas().Brush().color = Doc.Settings.BackColor;
  return SetBitmapSize(Doc.BitmapWidth, Doc.BitmapHeight);
}

bool TFunc2DWindow::IsColorUsed(TColor color) const {
  if (TFuncGraphWindow::IsColorUsed(color)) return true;
  return std::any_of(Doc.Functions.begin(), Doc.Functions.end(),
                     [color](const auto& f) { return f->Color == color; });
}

void TFunc2DWindow::RenderGraph() {
  Modified = true;
  TBusyCursor busy;
  BackgroundColor = Doc.Settings.BackColor;
  Doc.Render(GraphBitmap);
  RedrawLabels();
  UpdateViewStatus();
  emit Rendered();
}

void TFunc2DWindow::DrawLabelsOnScreen() { DrawLabels(Doc.Labels); }

void TFunc2DWindow::DeleteLabelsOffBitmap() {
  std::erase_if(Doc.Labels, [](const auto& label) { return !label->IsOnBitmap(); });
}

bool TFunc2DWindow::EditGraphSettings() {
  LeaveMode();
  if (!TSettings2DDlg::Edit(this, Doc.Settings)) return false;
  RenderGraph();
  return true;
}

void TFunc2DWindow::UpdateViewStatus() {
  if (TStatusLine* status = StatusLine())
    status->Update2D(Doc.View, BitmapHeight, BitmapWidth, MouseY, MouseX);
}

bool TFunc2DWindow::AddFunction() {
  if (Doc.Functions.size() >= kMaxFunctions) {
    ShowMessage(TMsgKind::Error,
                "This Window Can Not Accept More Than " + std::to_string(kMaxFunctions) + " Functions",
                TMsgButtons::OK);
    return false;
  }
  auto func = std::make_unique<TFunc2DObj>();
  if (!func->NewDialog(ChooseNewFunctionColor(int(Doc.Functions.size())))) return false;
  Doc.Functions.push_back(std::move(func));
  RenderGraph();
  return true;
}

void TFunc2DWindow::EditFunctionList() {
  const TFuncListChanges changes = TFuncListDlg::Edit(this, Doc.Functions);
  if (changes.modified || changes.deleted || changes.moved) RenderGraph();
}

void TFunc2DWindow::ChangeView() {
  if (TChange2DViewDlg::Edit(this, Doc.View)) RenderGraph();
}

// Unequal zooms keep their difference: both move by the smaller of the two steps.
void TFunc2DWindow::ZoomIn() {
  TView2D& v = Doc.View;
  Extended x = v.zoomX, y = v.zoomY;
  const bool changedX = ZoomStepIn(x);
  const bool changedY = ZoomStepIn(y);
  if (!changedX && !changedY) return;
  if (x != y && x < kMaxZoom && y < kMaxZoom) {
    const Extended dX = std::fabs(x - v.zoomX), dY = std::fabs(y - v.zoomY);
    if (dX > dY) x = ClampZoom(v.zoomX + dY);
    else y = ClampZoom(v.zoomY + dX);
  }
  v.zoomX = x;
  v.zoomY = y;
  RenderGraph();
}

void TFunc2DWindow::ZoomOut() {
  TView2D& v = Doc.View;
  Extended x = v.zoomX, y = v.zoomY;
  const bool changedX = ZoomStepOut(x);
  const bool changedY = ZoomStepOut(y);
  if (!changedX && !changedY) return;
  if (x != y && x > kMinZoom && y > kMinZoom) {
    const Extended dX = std::fabs(x - v.zoomX), dY = std::fabs(y - v.zoomY);
    if (dX > dY) x = ClampZoom(v.zoomX - dY);
    else y = ClampZoom(v.zoomY - dX);
  }
  v.zoomX = x;
  v.zoomY = y;
  RenderGraph();
}

void TFunc2DWindow::ZoomAxis(bool xAxis, bool in) {
  Extended& zoom = xAxis ? Doc.View.zoomX : Doc.View.zoomY;
  if (in ? ZoomStepIn(zoom) : ZoomStepOut(zoom)) RenderGraph();
}

void TFunc2DWindow::CenterFunctionView() {
  if (Doc.View.centerX == 0 && Doc.View.centerY == 0) return;
  Doc.View.centerX = Doc.View.centerY = 0;
  RenderGraph();
}

void TFunc2DWindow::MoveView(Extended dx, Extended dy) {
  TView2D& v = Doc.View;
  const Extended x = ClampCenter(v.centerX + dx), y = ClampCenter(v.centerY + dy);
  if (x == v.centerX && y == v.centerY) return;
  v.centerX = x;
  v.centerY = y;
  RenderGraph();
}

void TFunc2DWindow::ScrollUp() { MoveView(0, Zoom2DSettings().scrollAmount); }
void TFunc2DWindow::ScrollDown() { MoveView(0, -Zoom2DSettings().scrollAmount); }
void TFunc2DWindow::ScrollLeft() { MoveView(-Zoom2DSettings().scrollAmount, 0); }
void TFunc2DWindow::ScrollRight() { MoveView(Zoom2DSettings().scrollAmount, 0); }
void TFunc2DWindow::PageUp() { MoveView(0, BitmapHeight / 2); }
void TFunc2DWindow::PageDown() { MoveView(0, -(BitmapHeight / 2)); }
void TFunc2DWindow::PageLeft() { MoveView(-(BitmapWidth / 2), 0); }
void TFunc2DWindow::PageRight() { MoveView(BitmapWidth / 2, 0); }

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

}  // namespace plotix
