#include "cartesian/cartesian_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QShortcut>
#include <QThreadPool>
#include <QToolTip>
#include <QUndoStack>
#include <cmath>

#include "cartesian/area_dialog.h"
#include "cartesian/function_kinds.h"
#include "cartesian/points_window.h"
#include "cartesian/value_table_dialog.h"
#include "platform/dialog_service.h"
#include "window/graph_kinds.h"
#include "window/status_line.h"
#include "window/zoom_steps.h"

namespace plotix {

TFunc2DWindow::TFunc2DWindow(QWidget* parent) : TKindWindow(parent) {
  setWindowTitle(QString::fromStdString(GetGraphTypeName()));

  for (const TFunctionKind& kind : FunctionKinds())
    if (!kind.menuCaption.empty())
      AddCommand(FunctionMenu(), kind.menuCaption.c_str(),
                 [this, make = kind.make] { TKindWindow::AddFunction(make()); });
  AddCommand(FunctionMenu(), "&Edit Function List...", [this] { EditFunctionList(); });
  FunctionMenu()->addSeparator();
  AddCommand(
      FunctionMenu(), "&Trace", [this] { Tracing() ? StopTrace() : StartTrace(); }, QKeySequence(Qt::CTRL | Qt::Key_T));
  AddCommand(FunctionMenu(), "&Zeros, Extrema, Intersections...", [this] { TPointsWindow::Open(this); });
  AddCommand(FunctionMenu(), "&Area...", [this] { RunModal<TAreaDlg>(this, *this); });
  AddCommand(FunctionMenu(), "Table of &Values...", [this] { RunModal<TValueTableDlg>(this, std::as_const(*this)); });
  connect(History(), &QUndoStack::indexChanged, this, [this] {
    SetMarks({});
    RepaintMarks();  // the traced function may have changed
  });
  connect(this, &TFuncGraphWindow::ParametersChanged, this, [this] { SetMarks({}); });
  connect(this, &TFuncGraphWindow::Rendered, this, [this] { RefreshSelection(); });
  auto* copy = new QShortcut(QKeySequence::Copy, this, [this] {
    if (pinned_ < 0) return;
    const TFunctionPoint& p = selectedPoints_.rows[std::size_t(pinned_)];
    QGuiApplication::clipboard()->setText(
        QString::fromStdString("(" + PointXText(p, kMaxDigitsShown) + ", " + ReadoutText(p.y) + ")"));
  });
  copy->setContext(Qt::WidgetWithChildrenShortcut);
  connect(this, &TFuncGraphWindow::ProgramSettingsChanged, this, [this] {
    if (!Tracing()) return;
    RepaintMarks();
    UpdateViewStatus();
  });

  QMenu* v = ViewMenu();
  AddCommand(v, "Change Vie&w...", [this] { ChangeView(); });
  AddZoomCommands();
  const struct {
    const char *caption, *name;
    TAxis axis;
    bool in;
    Qt::Key key;
  } axisZooms[] = {{"Zoo&m X Axis In", "Zoom X Axis In", TAxis::X, true, Qt::Key_F9},
                   {"Zoom X &Axis Out", "Zoom X Axis Out", TAxis::X, false, Qt::Key_F10},
                   {"Zoom Y Axis I&n", "Zoom Y Axis In", TAxis::Y, true, Qt::Key_F11},
                   {"Zoom Y Axis Ou&t", "Zoom Y Axis Out", TAxis::Y, false, Qt::Key_F12}};
  for (const auto& z : axisZooms)
    OfferCommand(z.name, AddCommand(
                             v, z.caption, [this, axis = z.axis, in = z.in] { ZoomAxis(axis, in); }, z.key));
  AddScrollCommands();
  v->addSeparator();
  AddCommand(v, "Set &X Zoom Equal To Y", [this] { SetXZoomEqualToY(); });
  AddCommand(v, "Set &Y Zoom Equal To X", [this] { SetYZoomEqualToX(); });
  AddCenterCommand("&Center Function View");
}

// The history is cleared as the window base goes: its steps no longer reach the marks.
TFunc2DWindow::~TFunc2DWindow() { disconnect(History(), nullptr, this, nullptr); }

namespace {
constexpr double kPickReach = 4;           // pixels from a drawn function that select it
constexpr std::size_t kShownPoints = 200;  // the most dots, the nearest the click
constexpr double kDotRadius = 3.5;

const TStatusModeChoice kViewMode{"2D/View", "View Center", kFlatViewModes, 0};
const TStatusModeChoice kMouseMode{"2D/Mouse", "Mouse Position", kFlatMouseModes, 0};

int Mode(const TProgramSettings& settings, const TStatusModeChoice& choice) {
  return settings.StatusMode(choice.key, choice.defaultMode);
}
}  // namespace

void TFunc2DWindow::UpdateViewStatus() {
  TStatusLine* status = StatusLine();
  if (!status) return;
  const TView2D& v = Doc().View();
  status->SetPanel(0, "Zoom X:" + StatusS8(v.ZoomX) + " Y:" + StatusS8(v.ZoomY));
  status->ShowFlatView(v.ZoomX, v.ZoomY, v.CenterX, v.CenterY, Mode(Settings(), kViewMode),
                       Mode(Settings(), kMouseMode), BitmapHeight(), BitmapWidth(), MousePosition().y,
                       MousePosition().x);
  if (Tracing()) {
    const TTracePoint p = Traced();
    const int digits = Settings().digitsShown;
    status->SetPanel(2, std::isnan(p.col) ? std::string("undefined")
                                          : "X:" + ReadoutText(p.x, digits) +
                                                " Y:" + (p.defined ? ReadoutText(p.y, digits) : "undefined"));
  }
}

bool TFunc2DWindow::AddFunction() { return TKindWindow::AddFunction(std::make_unique<TFunc2DObj>()); }

// Unequal zooms keep their difference: both move by the smaller of the two steps.
std::unique_ptr<TBaseFunc2DObj> TFunc2DWindow::ReadTyped(const std::string& text, const std::string& name,
                                                         TGraphScope& scope) const {
  return FunctionFromText(text, name, scope);
}

TView2D TFunc2DWindow::StepZooms(bool in) const {
  TView2D v = Doc().View();
  Extended x = v.ZoomX, y = v.ZoomY;
  const auto step = in ? ZoomStepIn : ZoomStepOut;
  const bool changedX = step(x, Settings().zoom2D);
  const bool changedY = step(y, Settings().zoom2D);
  if (!changedX && !changedY) return v;
  const bool inside = in ? x < kMaxZoom && y < kMaxZoom : x > kMinZoom && y > kMinZoom;
  if (x != y && inside) {
    const Extended dX = std::fabs(x - v.ZoomX), dY = std::fabs(y - v.ZoomY);
    if (dX > dY)
      x = ClampZoom(in ? v.ZoomX + dY : v.ZoomX - dY);
    else
      y = ClampZoom(in ? v.ZoomY + dX : v.ZoomY - dX);
  }
  v.ZoomX = x;
  v.ZoomY = y;
  return v;
}

TView2D TFunc2DWindow::StepZoom(TAxis axis, bool in) const {
  TView2D v = Doc().View();
  Extended& zoom = axis == TAxis::X ? v.ZoomX : v.ZoomY;
  in ? ZoomStepIn(zoom, Settings().zoom2D) : ZoomStepOut(zoom, Settings().zoom2D);
  return v;
}

void TFunc2DWindow::ZoomIn() { SetView(StepZooms(true)); }

void TFunc2DWindow::ZoomOut() { SetView(StepZooms(false)); }

void TFunc2DWindow::ZoomAxis(TAxis axis, bool in) { SetView(StepZoom(axis, in)); }

// The point under the pointer keeps its pixel.
void TFunc2DWindow::WheelZoom(TPoint at, bool in, TZoomAxes axes) {
  const TView2D& before = Doc().View();
  TView2D v = axes == TZoomAxes::Both ? StepZooms(in) : StepZoom(axes == TZoomAxes::X ? TAxis::X : TAxis::Y, in);
  if (v.ZoomX == before.ZoomX && v.ZoomY == before.ZoomY) return;
  v.CenterX = CenterAfterZoom(before.CenterX, at.x - BitmapWidth() / 2, v.ZoomX / before.ZoomX);
  v.CenterY = CenterAfterZoom(before.CenterY, BitmapHeight() / 2 - at.y, v.ZoomY / before.ZoomY);
  SetView(v);
}

void TFunc2DWindow::SetMarks(std::vector<std::pair<Extended, Extended>> marks) {
  if (marks.empty() && marks_.empty()) return;
  marks_ = std::move(marks);
  RepaintMarks();
}

void TFunc2DWindow::SetShade(std::vector<std::vector<TShadeColumn>> pieces) {
  if (pieces.empty() && shade_.empty()) return;
  shade_ = std::move(pieces);
  RepaintMarks();
}

void TFunc2DWindow::PaintMarks(QPainter& painter) const {
  if (marks_.empty() && shade_.empty() && !Tracing() && selected_ < 0) return;
  const TMapping2D map(Doc().View(), BitmapWidth(), BitmapHeight());
  painter.setRenderHint(QPainter::Antialiasing);
  if (selected_ >= 0) {
    const TPlotStyle& style = Doc().Functions()[std::size_t(selected_)]->Style;
    painter.setPen(QPen(ToQColor(style.Color), style.Width + 2, Qt::SolidLine, Qt::RoundCap));
    for (std::size_t i = 0; i + 1 < selectedPath_.size(); ++i)
      if (selectedPath_[i] && selectedPath_[i + 1]) painter.drawLine(*selectedPath_[i], *selectedPath_[i + 1]);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(128, 128, 128));
    for (const TFunctionPoint& p : selectedPoints_.rows)
      painter.drawEllipse(QPointF(map.ColF(p.x * map.zoomX), map.RowF(p.y * map.zoomY)), kDotRadius, kDotRadius);
    if (pinned_ >= 0) {
      const TFunctionPoint& p = selectedPoints_.rows[std::size_t(pinned_)];
      DrawReadout(painter, PointTip(pinned_), QPointF(map.ColF(p.x * map.zoomX), map.RowF(p.y * map.zoomY)));
    }
  }
  // Rows far outside the picture are clamped, so a pole's column stays a drawable polygon.
  const auto rowOf = [&map](Extended y) { return std::clamp(map.RowF(y * map.zoomY), -1e5, 1e5); };
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(70, 130, 180, 96));
  for (const auto& piece : shade_) {
    QPolygonF polygon;
    for (const TShadeColumn& c : piece) polygon << QPointF(map.ColF(c.x * map.zoomX), rowOf(c.top));
    for (auto c = piece.rbegin(); c != piece.rend(); ++c)
      polygon << QPointF(map.ColF(c->x * map.zoomX), rowOf(c->bottom));
    painter.drawPolygon(polygon);
  }
  painter.setPen(QPen(Qt::black, 1.5));
  painter.setBrush(QColor(255, 215, 0));
  for (const auto& [x, y] : marks_) {
    const double col = map.ColF(x * map.zoomX), row = map.RowF(y * map.zoomY);
    if (col > -10 && col < map.width + 10 && row > -10 && row < map.height + 10)
      painter.drawEllipse(QPointF(col, row), 4.5, 4.5);
  }
  if (!Tracing()) return;
  // The cross-hair at the traced point, or a vertical line alone where there is none, and
  // the read-out beside it.
  const TTracePoint p = Traced();
  const bool placed = !std::isnan(p.col);
  const double col = placed ? std::clamp(p.col, -1e5, 1e5) : map.width / 2.0;
  const double row = p.defined ? rowOf(p.y) : map.height / 2.0;
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
  if (placed) painter.drawLine(QPointF(col, 0), QPointF(col, map.height));
  if (p.defined) painter.drawLine(QPointF(0, row), QPointF(map.width, row));
  DrawReadout(painter, p.text, QPointF(col, row));
}

void TFunc2DWindow::DrawReadout(QPainter& painter, const std::string& readout, QPointF at) const {
  const QString text = QString::fromStdString(readout);
  const QRectF box = painter.fontMetrics().boundingRect(QRect(0, 0, 400, 100), 0, text).adjusted(-4, -3, 4, 3);
  const QRectF frame = box.translated(ReadoutPlace(at, box.size(), VisiblePart()) - box.topLeft());
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(QColor(255, 255, 225));
  painter.drawRect(frame);
  painter.drawText(frame.adjusted(4, 3, -4, -3), 0, text);
}

void TFunc2DWindow::ModeClick(int x, int y) {
  if (Tracing()) return;
  if (const int point = PointAt(x, y); point >= 0) {
    pinned_ = point;
    RepaintMarks();
    return;
  }
  clicked_ = QPoint(x, y);
  Select(FunctionNear(Doc(), TMapping2D(Doc().View(), BitmapWidth(), BitmapHeight()), x + 0.5, y + 0.5, kPickReach));
}

void TFunc2DWindow::Select(int function) {
  if (function < 0 && selected_ < 0) return;
  selected_ = function;
  pinned_ = -1;
  selectedPoints_ = {};  // the last function's, until the worker brings these
  RefreshSelection();
}

void TFunc2DWindow::RefreshSelection() {
  if (selected_ < 0 && selectedPath_.empty()) return;  // no selection to end or follow: nothing to repaint
  const std::vector<int> shown = TraceFunctions(Doc());
  if (selected_ >= 0 && std::find(shown.begin(), shown.end(), selected_) == shown.end()) selected_ = -1;
  pinned_ = -1;
  ++pointsRun_;
  if (selected_ < 0) {
    selectedPoints_ = {};
    selectedPath_.clear();
    RepaintMarks();
    return;
  }
  const TMapping2D map(Doc().View(), BitmapWidth(), BitmapHeight());
  selectedPath_ = DrawnPath(*Doc().Functions()[std::size_t(selected_)], map, 0, map.width - 1);
  RepaintMarks();
  const std::vector<int> analysed = PointFunctions(Doc());
  if (std::find(analysed.begin(), analysed.end(), selected_) == analysed.end()) {
    selectedPoints_ = {};
    return;
  }
  std::shared_ptr<TGraphDoc> copy = Doc().CloneForDrawing();
  QThreadPool::globalInstance()->start([copy, map, function = selected_, at = clicked_, run = pointsRun_,
                                        window = QPointer(this)] {
    const TFunctionPoints points =
        PointsInView(static_cast<const TGraph2DDoc&>(*copy), function, map, at.x() + 0.5, at.y() + 0.5, kShownPoints);
    QMetaObject::invokeMethod(
        qApp,
        [points, run, window] {
          if (!window || window->pointsRun_ != run) return;
          window->selectedPoints_ = points;
          window->RepaintMarks();
        },
        Qt::QueuedConnection);
  });
}

int TFunc2DWindow::PointAt(int x, int y) const {
  const TMapping2D map(Doc().View(), BitmapWidth(), BitmapHeight());
  for (std::size_t i = 0; i < selectedPoints_.rows.size(); ++i) {
    const TFunctionPoint& p = selectedPoints_.rows[i];
    if (std::hypot(map.ColF(p.x * map.zoomX) - (x + 0.5), map.RowF(p.y * map.zoomY) - (y + 0.5)) <= kPickReach)
      return int(i);
  }
  return -1;
}

std::string TFunc2DWindow::PointTip(int point) const {
  const TFunctionPoint& p = selectedPoints_.rows[std::size_t(point)];
  const int digits = Settings().digitsShown;
  return PointKindText(p) + " (" + PointXText(p, digits) + ", " + ReadoutText(p.y, digits) + ")";
}

int TFunc2DWindow::TracedFunction() const {
  const std::vector<int> functions = TraceFunctions(Doc());
  return !Tracing() || functions.empty() ? -1 : functions[traceFunction_ % functions.size()];
}

TTracePoint TFunc2DWindow::Traced() const {
  const int traced = TracedFunction();
  if (traced < 0) return {};
  return TracePoint(Doc(), traced, tracePosition_, TMapping2D(Doc().View(), BitmapWidth(), BitmapHeight()),
                    Settings().digitsShown);
}

void TFunc2DWindow::StartTrace() {
  LeaveMode();
  const std::vector<int> functions = TraceFunctions(Doc());
  if (functions.empty()) return;
  traceFunction_ = 0;
  const TPoint mouse = MousePosition();
  tracePosition_ = NearestTracePosition(Doc(), functions[0], mouse.x + 0.5, mouse.y + 0.5,
                                        TMapping2D(Doc().View(), BitmapWidth(), BitmapHeight()));
  setFocus();
  RepaintMarks();
  UpdateViewStatus();
}

void TFunc2DWindow::StopTrace() {
  if (!Tracing()) return;
  tracePosition_ = -1;
  RepaintMarks();
  UpdateViewStatus();
}

bool TFunc2DWindow::ModeMouseMove(int x, int y) {
  if (!Tracing()) {
    if (const int point = PointAt(x, y); point >= 0)
      QToolTip::showText(ScreenImage()->mapToGlobal(QPoint(x, y)), QString::fromStdString(PointTip(point)),
                         ScreenImage());
    return false;
  }
  if (const int traced = TracedFunction(); traced >= 0)
    tracePosition_ =
        NearestTracePosition(Doc(), traced, x + 0.5, y + 0.5, TMapping2D(Doc().View(), BitmapWidth(), BitmapHeight()));
  RepaintMarks();
  UpdateViewStatus();
  return true;
}

bool TFunc2DWindow::ModeKey(int key) {
  if (!Tracing()) {
    if (key != Qt::Key_Escape || selected_ < 0) return false;
    Select(-1);
    return true;
  }
  const TMapping2D map(Doc().View(), BitmapWidth(), BitmapHeight());
  const std::size_t count = std::max<std::size_t>(TraceFunctions(Doc()).size(), 1);
  const int traced = TracedFunction();
  switch (key) {
    case Qt::Key_Escape: StopTrace(); return true;
    case Qt::Key_Left: tracePosition_ = std::max(0, tracePosition_ - 1); break;
    case Qt::Key_Right:
      if (traced >= 0) tracePosition_ = std::min(LastTracePosition(Doc(), traced, map), tracePosition_ + 1);
      break;
    case Qt::Key_Up:
    case Qt::Key_Down: {
      // The other function's point nearest the cross-hair.
      const TTracePoint p = Traced();
      traceFunction_ = (traceFunction_ + (key == Qt::Key_Up ? count - 1 : 1)) % count;
      if (const int next = TracedFunction(); next >= 0)
        tracePosition_ = NearestTracePosition(Doc(), next, std::isnan(p.col) ? map.width / 2.0 : p.col,
                                              p.defined ? map.RowF(p.y * map.zoomY) : map.height / 2.0, map);
      break;
    }
    default: return false;
  }
  RepaintMarks();
  UpdateViewStatus();
  return true;
}

void TFunc2DWindow::CenterFunctionView() { MoveView(-Doc().View().CenterX, -Doc().View().CenterY); }

void TFunc2DWindow::MoveView(Extended dx, Extended dy) {
  TView2D v = Doc().View();
  if (MoveCenter(v.CenterX, v.CenterY, dx, dy)) SetView(v);
}

void TFunc2DWindow::SetXZoomEqualToY() {
  TView2D v = Doc().View();
  v.ZoomX = v.ZoomY;
  SetView(v);
}

void TFunc2DWindow::SetYZoomEqualToX() {
  TView2D v = Doc().View();
  v.ZoomY = v.ZoomX;
  SetView(v);
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
  RegisterFunctionKindDialogs();
}

}  // namespace plotix
