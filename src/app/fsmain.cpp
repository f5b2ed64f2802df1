#include "app/fsmain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QResizeEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/picture.h"
#include "app/prntscal.h"
#include "expr/calculat.h"
#include "expr/trigdlg.h"
#include "files/filesave.h"
#include "graph/g2dwin.h"
#include "graph/statdlg.h"
#include "graph/statusln.h"
#include "graph/zoom2ddlg.h"
#include "platform/commondlg.h"
#include "platform/fontdesc.h"
#include "platform/msgbox.h"

namespace plotix {

namespace {

constexpr const char* kOpenTitle = "Open A Plotix File";
constexpr const char* kOpenFilter = "Plotix File(*.pxg)|*.pxg";
constexpr const char* kSaveTitle = "Save File As";
constexpr const char* kSaveFilter = "Plotix File (*.pxg)|*.pxg";
constexpr const char* kGraphExt = "pxg";

constexpr int kIconSize = 24;

struct TButtonInfo {
  TGraphButton id;
  const char* hint;
};

constexpr TButtonInfo kButtons[kGraphButtonCount] = {
    {TGraphButton::New2D, "New 2D Cartesian Graph"},
    {TGraphButton::NewPolar, "New Polar Graph"},
    {TGraphButton::New3D, "New 3D Cartesian Graph"},
    {TGraphButton::Open, "Open File"},
    {TGraphButton::Save, "Save File"},
    {TGraphButton::CenterFunction, "Center Function View"},
    {TGraphButton::CenterBitmap, "Center Bitmap In Window"},
    {TGraphButton::ZoomIn, "Zoom In"},
    {TGraphButton::ZoomOut, "Zoom Out"},
    {TGraphButton::ZoomXIn, "Zoom X Axis In"},
    {TGraphButton::ZoomXOut, "Zoom X Axis Out"},
    {TGraphButton::ZoomYIn, "Zoom Y Axis In"},
    {TGraphButton::ZoomYOut, "Zoom Y Axis Out"},
    {TGraphButton::ScrollUp, "Scroll Up"},
    {TGraphButton::ScrollDown, "Scroll Down"},
    {TGraphButton::ScrollLeft, "Scroll Left"},
    {TGraphButton::ScrollRight, "Scroll Right"},
    {TGraphButton::PageUp, "Page Up"},
    {TGraphButton::PageDown, "Page Down"},
    {TGraphButton::PageLeft, "Page Left"},
    {TGraphButton::PageRight, "Page Right"},
    {TGraphButton::RotateXMinus, "Rotate - to X Axis"},
    {TGraphButton::RotateXPlus, "Rotate + to X Axis"},
    {TGraphButton::RotateYMinus, "Rotate - to Y Axis"},
    {TGraphButton::RotateYPlus, "Rotate + to Y Axis"},
    {TGraphButton::RotateZPlus, "Rotate + to Z Axis"},
    {TGraphButton::RotateZMinus, "Rotate - to Z Axis"},
};

// ---- tool bar icons ----------------------------------------------------------

const QColor kInk(30, 30, 30);
const QColor kArrowBlue(20, 90, 200);

// A filled arrow head pointing in direction (dx, dy) with its tip at (x, y).
void ArrowHead(QPainter& p, QPointF tip, int dx, int dy, qreal size) {
  const QPointF back(tip.x() - dx * size, tip.y() - dy * size);
  const QPointF side(-dy * size * 0.8, dx * size * 0.8);
  p.drawPolygon(QPolygonF{tip, back + side, back - side});
}

// A solid arrow across the icon; page arrows carry a bar at the tip.
void DirectionArrow(QPainter& p, int dx, int dy, bool page) {
  const QPointF c(12, 12);
  const QPointF tip = c + QPointF(dx * 9, dy * 9);
  const QPointF tail = c - QPointF(dx * 8, dy * 8);
  p.setPen(QPen(kArrowBlue, 3, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(tail, c + QPointF(dx * 2, dy * 2));
  p.setPen(Qt::NoPen);
  p.setBrush(kArrowBlue);
  if (page) {
    ArrowHead(p, tip - QPointF(dx * 5, dy * 5), dx, dy, 5);
    ArrowHead(p, tip, dx, dy, 5);
    p.setPen(QPen(kInk, 2));
    const QPointF bar = tip + QPointF(dx, dy);
    p.drawLine(bar + QPointF(-dy * 7, dx * 7), bar - QPointF(-dy * 7, dx * 7));
  } else {
    ArrowHead(p, tip, dx, dy, 7);
  }
}

void Magnifier(QPainter& p, const QString& sign) {
  p.setPen(QPen(kInk, 2));
  p.setBrush(QColor(225, 240, 255));
  p.drawEllipse(QPointF(10, 10), 7, 7);
  p.setPen(QPen(QColor(120, 70, 20), 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(15.5, 15.5), QPointF(21, 21));
  p.setPen(QPen(kInk, 2));
  p.drawLine(QPointF(6, 10), QPointF(14, 10));
  if (sign == "+") p.drawLine(QPointF(10, 6), QPointF(10, 14));
}

// An axis letter with a double arrow along its axis and a + or - sign.
void AxisZoom(QPainter& p, bool xAxis, bool in) {
  p.setPen(QPen(kArrowBlue, 2));
  p.setBrush(kArrowBlue);
  if (xAxis) {
    p.drawLine(QPointF(4, 19), QPointF(20, 19));
    ArrowHead(p, QPointF(1, 19), -1, 0, 4);
    ArrowHead(p, QPointF(23, 19), 1, 0, 4);
  } else {
    p.drawLine(QPointF(19, 4), QPointF(19, 20));
    ArrowHead(p, QPointF(19, 1), 0, -1, 4);
    ArrowHead(p, QPointF(19, 23), 0, 1, 4);
  }
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(13);
  p.setFont(font);
  p.setPen(kInk);
  p.drawText(QRectF(0, 0, 15, 15), Qt::AlignCenter, xAxis ? "X" : "Y");
  p.setPen(QPen(in ? QColor(0, 140, 0) : QColor(200, 0, 0), 2));
  const QPointF s = xAxis ? QPointF(18, 7) : QPointF(8, 19);
  p.drawLine(s - QPointF(3.5, 0), s + QPointF(3.5, 0));
  if (in) p.drawLine(s - QPointF(0, 3.5), s + QPointF(0, 3.5));
}

// A sheet of paper with a folded corner, the new-graph mark.
void Page(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF{{3.5, 1.5}, {15.5, 1.5}, {20.5, 6.5}, {20.5, 22.5}, {3.5, 22.5}});
  p.drawPolyline(QPolygonF{{15.5, 1.5}, {15.5, 6.5}, {20.5, 6.5}});
}

void NewGraph(QPainter& p, TGraphButton kind) {
  Page(p);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(120, 120, 120), 1));
  if (kind == TGraphButton::New2D) {
    p.drawLine(QPointF(5, 15.5), QPointF(19, 15.5));
    p.drawLine(QPointF(11.5, 8), QPointF(11.5, 21));
    p.setPen(QPen(QColor(220, 0, 0), 1.5));
    QPainterPath curve(QPointF(5, 20));
    curve.cubicTo(QPointF(9, 6), QPointF(13, 24), QPointF(19, 9));
    p.drawPath(curve);
  } else if (kind == TGraphButton::NewPolar) {
    p.drawLine(QPointF(5, 15.5), QPointF(19, 15.5));
    p.drawLine(QPointF(11.5, 9), QPointF(11.5, 22));
    p.setPen(QPen(QColor(220, 0, 0), 1.5));
    p.drawEllipse(QPointF(11.5, 15.5), 5, 5);
  } else {
    p.drawLine(QPointF(11.5, 15.5), QPointF(11.5, 8));
    p.drawLine(QPointF(11.5, 15.5), QPointF(19, 19));
    p.drawLine(QPointF(11.5, 15.5), QPointF(4.5, 20));
    p.setPen(QPen(QColor(220, 0, 0), 1.5));
    p.drawLine(QPointF(6, 12), QPointF(17, 12));
  }
}

void OpenFolder(QPainter& p) {
  p.setPen(QPen(QColor(120, 80, 0), 1));
  p.setBrush(QColor(240, 200, 80));
  p.drawPolygon(QPolygonF{{2, 6}, {8, 6}, {10, 8}, {19, 8}, {19, 20}, {2, 20}});
  p.setBrush(QColor(255, 225, 120));
  p.drawPolygon(QPolygonF{{5, 11}, {23, 11}, {19, 20}, {2, 20}});
}

void SaveDisk(QPainter& p) {
  p.setPen(QPen(QColor(10, 30, 90), 1));
  p.setBrush(QColor(40, 80, 170));
  p.drawRect(QRectF(2.5, 2.5, 19, 19));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(6.5, 2.5, 11, 8));
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(6.5, 14.5, 11, 7));
  p.setBrush(QColor(40, 80, 170));
  p.drawRect(QRectF(13.5, 3.5, 2, 5));
}

void House(QPainter& p) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(QColor(200, 60, 40));
  p.drawPolygon(QPolygonF{{2, 12}, {12, 3}, {22, 12}});
  p.setBrush(QColor(250, 235, 200));
  p.drawRect(QRectF(5, 12, 14, 10));
  p.setBrush(QColor(120, 80, 40));
  p.drawRect(QRectF(10, 15, 4, 7));
}

// A frame with a mark in its centre and arrows pointing in from the sides.
void CentreMark(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1.5, 1.5, 21, 21));
  p.setPen(QPen(QColor(220, 0, 0), 2));
  p.drawEllipse(QPointF(12, 12), 3.5, 3.5);
  p.setPen(Qt::NoPen);
  p.setBrush(kArrowBlue);
  ArrowHead(p, QPointF(7, 12), 1, 0, 4);
  ArrowHead(p, QPointF(17, 12), -1, 0, 4);
  ArrowHead(p, QPointF(12, 7), 0, 1, 4);
  ArrowHead(p, QPointF(12, 17), 0, -1, 4);
}

// A curved arrow around an axis letter, turning one way or the other.
void Rotate(QPainter& p, const QString& axis, bool plus) {
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(11);
  p.setFont(font);
  p.setPen(kInk);
  p.drawText(QRectF(6, 6, 12, 12), Qt::AlignCenter, axis);
  p.setPen(QPen(kArrowBlue, 2));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(2, 2, 20, 20), 30 * 16, 300 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(kArrowBlue);
  if (plus) ArrowHead(p, QPointF(21, 8), 0, 1, 5);
  else ArrowHead(p, QPointF(21, 16), 0, -1, 5);
  p.setPen(QPen(plus ? QColor(0, 140, 0) : QColor(200, 0, 0), 2));
  p.drawLine(QPointF(17, 12), QPointF(23, 12));
  if (plus) p.drawLine(QPointF(20, 9), QPointF(20, 15));
}

QIcon ButtonIcon(TGraphButton id) {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  using B = TGraphButton;
  switch (id) {
    case B::New2D: case B::NewPolar: case B::New3D: NewGraph(p, id); break;
    case B::Open: OpenFolder(p); break;
    case B::Save: SaveDisk(p); break;
    case B::CenterFunction: House(p); break;
    case B::CenterBitmap: CentreMark(p); break;
    case B::ZoomIn: Magnifier(p, "+"); break;
    case B::ZoomOut: Magnifier(p, "-"); break;
    case B::ZoomXIn: AxisZoom(p, true, true); break;
    case B::ZoomXOut: AxisZoom(p, true, false); break;
    case B::ZoomYIn: AxisZoom(p, false, true); break;
    case B::ZoomYOut: AxisZoom(p, false, false); break;
    case B::ScrollUp: DirectionArrow(p, 0, -1, false); break;
    case B::ScrollDown: DirectionArrow(p, 0, 1, false); break;
    case B::ScrollLeft: DirectionArrow(p, -1, 0, false); break;
    case B::ScrollRight: DirectionArrow(p, 1, 0, false); break;
    case B::PageUp: DirectionArrow(p, 0, -1, true); break;
    case B::PageDown: DirectionArrow(p, 0, 1, true); break;
    case B::PageLeft: DirectionArrow(p, -1, 0, true); break;
    case B::PageRight: DirectionArrow(p, 1, 0, true); break;
    case B::RotateXMinus: Rotate(p, "X", false); break;
    case B::RotateXPlus: Rotate(p, "X", true); break;
    case B::RotateYMinus: Rotate(p, "Y", false); break;
    case B::RotateYPlus: Rotate(p, "Y", true); break;
    case B::RotateZPlus: Rotate(p, "Z", true); break;
    case B::RotateZMinus: Rotate(p, "Z", false); break;
  }
  return QIcon(pixmap);
}

bool IsAxisZoom(TGraphButton b) { return b >= TGraphButton::ZoomXIn && b <= TGraphButton::ZoomYOut; }
bool IsScrollOrPage(TGraphButton b) { return b >= TGraphButton::ScrollUp && b <= TGraphButton::PageRight; }
bool IsRotate(TGraphButton b) { return b >= TGraphButton::RotateXMinus; }

constexpr const char* kHelpHtml = R"(
<h2>Plotix</h2>
<p>Plotix draws graphs of mathematical functions. Each graph lives in its own window:
choose <b>File &gt; New 2D Cartesian</b>, then <b>Function &gt; New 2D Function...</b> and type a
definition such as <i>x^3-2x</i> or <i>sqrt(1-x^2)</i>. Zoom, scroll and page the view with the
keys below or the tool bar, change axes, grids and colours with <b>Graph &gt; Graph Settings...</b>,
and save the graph in a Plotix file (<i>.pxg</i>) to open it again later. Hold Shift and drag
with the left mouse button to select a region of the bitmap.</p>

<h3>Writing functions</h3>
<p>Upper and lower case are the same and spaces are ignored. The variable of a 2D graph is
<b>X</b>.</p>
<table border="1" cellpadding="3" cellspacing="0">
<tr><th>Operator</th><th>Meaning</th><th>Binds</th></tr>
<tr><td><tt>+ -</tt></td><td>add, subtract; also signs</td><td>weakest</td></tr>
<tr><td><tt>* /</tt></td><td>multiply, divide</td><td>stronger</td></tr>
<tr><td><tt>^</tt></td><td>power, left to right: <tt>2^3^2</tt> is 64</td><td>stronger still</td></tr>
<tr><td><tt>( )</tt></td><td>grouping; a function's argument is always in parentheses</td><td></td></tr>
</table>
<p><b>Implicit multiplication</b>: a number, variable or closing parenthesis followed by a
number, variable, function or opening parenthesis multiplies: <tt>2x</tt>, <tt>2(x+1)</tt>,
<tt>x sin(x)</tt>, <tt>(x+1)(x-1)</tt>. A leading minus applies to the whole power:
<tt>-x^2</tt> is &minus;(x&sup2;).</p>
<p><b>Numbers</b> are written with a decimal point, such as <tt>0.25</tt>; there is no exponent
notation (write <tt>2.5*10^6</tt> rather than 2.5E6).</p>
<p><b>Constants</b>: <tt>PI</tt> (3.14159...) and <tt>E</tt> (2.71828...).</p>
<p><b>The 42 functions</b> (angles in radians):</p>
<table border="1" cellpadding="3" cellspacing="0">
<tr><td>Trigonometric</td><td><tt>SIN COS TAN CSC SEC COT</tt></td></tr>
<tr><td>Inverse trigonometric</td><td><tt>ARCSIN ARCCOS ARCTAN ARCCSC ARCSEC ARCCOT</tt></td></tr>
<tr><td>Hyperbolic</td><td><tt>SINH COSH TANH CSCH SECH COTH</tt></td></tr>
<tr><td>Inverse hyperbolic</td><td><tt>ARCSINH ARCCOSH ARCTANH ARCCSCH ARCSECH ARCCOTH</tt></td></tr>
<tr><td>Angle conversions</td><td><tt>DEGTORAD RADTODEG GRADTORAD RADTOGRAD CYCLETORAD RADTOCYCLE</tt></td></tr>
<tr><td>Powers and logarithms</td><td><tt>EXP SQRT SQUARE LN LOG</tt> (LOG is base 10)</td></tr>
<tr><td>Rounding and parts</td><td><tt>INT GRINT TRUNC ROUND FRAC ABS</tt></td></tr>
<tr><td>Factorial</td><td><tt>FACT</tt></td></tr>
</table>
<p>Where a function is undefined (such as <tt>sqrt(x)</tt> for x &lt; 0) the graph simply
leaves a gap.</p>

<h3>Keys of a 2D graph window</h3>
<table border="1" cellpadding="3" cellspacing="0">
<tr><td>F1</td><td>this help</td></tr>
<tr><td>F2 / Ctrl+F2</td><td>centre the bitmap in the window / redraw the graph</td></tr>
<tr><td>F3 / F4</td><td>zoom in / out on both axes</td></tr>
<tr><td>F5 / F6 / F7 / F8</td><td>scroll the view up / down / left / right</td></tr>
<tr><td>F9 / F10</td><td>zoom the X axis in / out</td></tr>
<tr><td>F11 / F12</td><td>zoom the Y axis in / out</td></tr>
<tr><td>Shift+F2</td><td>centre the view on the origin</td></tr>
<tr><td>Shift+F5 / F6 / F7 / F8</td><td>page the view up / down / left / right by half the bitmap</td></tr>
<tr><td>Ctrl+S</td><td>save the graph</td></tr>
</table>
<p>The zoom steps and the scroll amount are set in <b>Tools &gt; Advanced Global Settings &gt;
2D And Polar Zoom Hot Key Settings...</b>; what the status bar shows in
<b>Status Line Settings...</b> (or double click the status bar).</p>
)";

}  // namespace

// ---- construction ------------------------------------------------------------

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent), MdiArea(new QMdiArea) {
  setWindowTitle(QStringLiteral("Plotix"));
  setCentralWidget(MdiArea);
  MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  resize(1000, 760);
  BuildStatusBar();
  BuildMenus();
  BuildToolBar();
  connect(MdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::SubWindowActivated);
  UpdateWindowCommands();
  ShowKindButtons(0);
}

// The graph windows go first, while the menus and panels they use still exist.
TMainForm::~TMainForm() {
  MdiArea->disconnect(this);
  qDeleteAll(MdiArea->subWindowList());
}

void TMainForm::BuildMenus() {
  auto add = [this](QMenu* menu, const char* caption, auto slot, const QKeySequence& key = {}) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  auto disabled = [](QMenu* menu, const char* caption, const QKeySequence& key = {}) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setShortcut(key);
    action->setEnabled(false);
    return action;
  };

  QMenu* file = fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
  New2DAction = add(file, "New &2D Cartesian", [this] { New2DCartisian1Click(); });
  disabled(file, "New &Polar");
  disabled(file, "New &3D Cartesian");
  file->addSeparator();
  add(file, "&Open File...", [this] { OpenFile1Click(); });
  SaveAction = add(file, "&Save File", [this] { SaveFile1Click(); }, QKeySequence(Qt::CTRL | Qt::Key_S));
  SaveAsAction = add(file, "Save File &As...", [this] { SaveFileAs1Click(); });
  CloseAction = add(file, "&Close File", [this] { CloseFile1Click(); });
  file->addSeparator();
  SaveBitmapAction = add(file, "Save As &Bitmap File...", [this] {
    OnActive([this](TFuncGraphWindow* w) { SaveBitmapFile(this, *w); });
  });
  PrintScaleAction = add(file, "Print Sca&le...", [this] {
    if (TPrintScaleDlg::Edit(this) == TPrintScaleAnswer::Print)
      OnActive([this](TFuncGraphWindow* w) { PrintGraph(this, *w); });
  });
  PrintAction = add(file, "P&rint...", [this] { OnActive([this](TFuncGraphWindow* w) { PrintGraph(this, *w); }); });
  file->addSeparator();
  add(file, "E&xit", [this] { close(); });
  RecentSeparator = file->addSeparator();
  for (int i = 0; i < kMaxRecentFiles; ++i)
    RecentActions[i] = add(file, "", [this, i] { OpenRecentFile(i); });
  RebuildRecentMenu();

  QMenu* graph = menuBar()->addMenu(QStringLiteral("&Graph"));
  GraphSettingsAction = add(graph, "Graph &Settings...", [this] {
    OnActive([](TFuncGraphWindow* w) { w->EditGraphSettings(); });
  });
  BitmapAttribAction = add(graph, "&Bitmap Size/Colors...", [this] {
    OnActive([](TFuncGraphWindow* w) { w->ChangeBitmapAttributes(); });
  });
  SelectRegionAction = add(graph, "Select Bitmap &Region", [this](bool on) { LabelToolMode = on ? kRegionTool : 0; });
  SelectRegionAction->setCheckable(true);
  RegionDialogAction = add(graph, "Bitmap Region &Dialog...", [this] {
    OnActive([this](TFuncGraphWindow* w) { EditRegionByCoordinates(this, *w); });
  });
  CopyBitmapAction = add(graph, "&Copy Bitmap to Clipboard", [this] {
    OnActive([this](TFuncGraphWindow* w) { CopyBitmapToClipboard(this, *w); });
  });

  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
  toolsMenuAction_ = tools->menuAction();
  QAction* showGraphBar = add(tools, "Show/Hide &Graph Tool Bar", [this] {
    GraphToolBar->setVisible(!GraphToolBar->isVisible());
    if (GraphToolBar->isVisible()) {
      UpdateWindowCommands();
      TFuncGraphWindow* w = ActiveGraphWindow();
      ShowKindButtons(w ? w->GraphKind() : 0);
    }
  });
  showGraphBar->setObjectName(QStringLiteral("ShowGraphToolBar"));
  disabled(tools, "Show/Hide &Label Tool Bar");
  disabled(tools, "&Resize Labels Mode", QKeySequence(Qt::CTRL | Qt::Key_R))->setCheckable(true);
  disabled(tools, "Label Tool Bar Text &Font...");
  tools->addSeparator();
  add(tools, "Function &Calculator...", [this] { TCaculatorDlg::Execute(this); });
  QMenu* advanced = tools->addMenu(QStringLiteral("&Advanced Global Settings"));
  FlatToolBarsAction = add(advanced, "Flat Tool Bars &Effect", [this](bool on) { SetFlatToolBars(on); });
  FlatToolBarsAction->setCheckable(true);
  FlatToolBarsAction->setChecked(true);
  // New settings objects copy the default font, so later graphs take the new one.
  add(advanced, "&Default Font Settings...", [this] { PickFont(this, DefaultFont()); });
  add(advanced, "&Status Line Settings...", [this] { StatusLineSettings(); });
  add(advanced, "2D And Polar Zoom Hot Key Settings...", [this] { TZoom2DHotKeyDlg::Edit(this); });
  disabled(advanced, "3D Zoom Hot Key Settings...");
  // Graphs are not redrawn here: the setting applies to every later evaluation.
  add(advanced, "Trigonometry Functions Fix Up...", [this] { TTrigFixupSetDlg::Edit(this); });

  QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
  add(window, "&Tile", [this] { MdiArea->tileSubWindows(); });
  add(window, "Casca&de", [this] { MdiArea->cascadeSubWindows(); });
  // The MDI area lines its minimised windows up along the bottom whenever its viewport
  // is resized; a resize to the same size asks for just that.
  add(window, "&Arrange Icons", [this] {
    QResizeEvent resize(MdiArea->viewport()->size(), MdiArea->viewport()->size());
    QCoreApplication::sendEvent(MdiArea->viewport(), &resize);
  });
  window->addSeparator();
  CenterBitmapAction = add(window, "&Center Bitmap In Window",
                           [this] { OnActive([](TFuncGraphWindow* w) { w->CenterBitmap(); }); },
                           QKeySequence(Qt::Key_F2));
  RefreshAction = add(window, "&Refresh Graph Window", [this] {
    OnActive([](TFuncGraphWindow* w) {
      w->LeaveMode();
      // A refresh shows the same graph again: it does not count as a change.
      const bool modified = w->Modified;
      w->RenderGraph();
      w->Modified = modified;
    });
  }, QKeySequence(Qt::CTRL | Qt::Key_F2));

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  add(help, "Help &Contents...", [this] { ShowHelpContents(); }, QKeySequence(Qt::Key_F1));
  add(help, "&About...", [this] { ShowAbout(); });

  windowCommands_ = {SaveAction, SaveAsAction, CloseAction, GraphSettingsAction, CenterBitmapAction,
                     RefreshAction, SaveBitmapAction, PrintScaleAction, PrintAction, BitmapAttribAction,
                     SelectRegionAction, RegionDialogAction, CopyBitmapAction};
}

void TMainForm::BuildToolBar() {
  GraphToolBar = addToolBar(QStringLiteral("Graph"));
  GraphToolBar->setObjectName(QStringLiteral("GraphToolBar"));
  GraphToolBar->setIconSize(QSize(kIconSize, kIconSize));
  using B = TGraphButton;
  for (const TButtonInfo& info : kButtons) {
    QAction* action = GraphToolBar->addAction(ButtonIcon(info.id), QString::fromLatin1(info.hint));
    action->setToolTip(QString::fromLatin1(info.hint));
    GraphButtons[int(info.id)] = action;
    if (info.id == B::Open || info.id == B::CenterBitmap || info.id == B::ZoomXIn ||
        info.id == B::RotateXMinus)
      GraphToolBar->insertSeparator(action);
  }
  for (B b : {B::NewPolar, B::New3D}) Button(b)->setEnabled(false);
  connect(Button(B::New2D), &QAction::triggered, this, [this] { New2DCartisian1Click(); });
  connect(Button(B::Open), &QAction::triggered, this, [this] { OpenFile1Click(); });
  connect(Button(B::Save), &QAction::triggered, this, [this] { SaveFile1Click(); });
  connect(Button(B::CenterBitmap), &QAction::triggered, CenterBitmapAction, &QAction::trigger);

  // The view commands go to the active window's operation of the same name.
  const auto route = [this](B b, auto command) {
    connect(Button(b), &QAction::triggered, this, [this, command] {
      OnActive([command](TFuncGraphWindow* w) {
        w->LeaveMode();
        command(w);
      });
    });
  };
  route(B::CenterFunction, [](TFuncGraphWindow* w) { w->CenterFunctionView(); });
  route(B::ZoomIn, [](TFuncGraphWindow* w) { w->ZoomIn(); });
  route(B::ZoomOut, [](TFuncGraphWindow* w) { w->ZoomOut(); });
  const auto route2D = [&route](B b, void (*command)(TFunc2DWindow*)) {
    route(b, [command](TFuncGraphWindow* w) {
      if (auto* w2 = qobject_cast<TFunc2DWindow*>(w)) command(w2);
    });
  };
  route2D(B::ZoomXIn, [](TFunc2DWindow* w) { w->ZoomAxis(true, true); });
  route2D(B::ZoomXOut, [](TFunc2DWindow* w) { w->ZoomAxis(true, false); });
  route2D(B::ZoomYIn, [](TFunc2DWindow* w) { w->ZoomAxis(false, true); });
  route2D(B::ZoomYOut, [](TFunc2DWindow* w) { w->ZoomAxis(false, false); });
  route2D(B::ScrollUp, [](TFunc2DWindow* w) { w->ScrollUp(); });
  route2D(B::ScrollDown, [](TFunc2DWindow* w) { w->ScrollDown(); });
  route2D(B::ScrollLeft, [](TFunc2DWindow* w) { w->ScrollLeft(); });
  route2D(B::ScrollRight, [](TFunc2DWindow* w) { w->ScrollRight(); });
  route2D(B::PageUp, [](TFunc2DWindow* w) { w->PageUp(); });
  route2D(B::PageDown, [](TFunc2DWindow* w) { w->PageDown(); });
  route2D(B::PageLeft, [](TFunc2DWindow* w) { w->PageLeft(); });
  route2D(B::PageRight, [](TFunc2DWindow* w) { w->PageRight(); });
  windowCommands_ += {Button(B::Save), Button(B::CenterFunction), Button(B::CenterBitmap),
                      Button(B::ZoomIn), Button(B::ZoomOut)};
  SetFlatToolBars(FlatToolBarsAction->isChecked());
}

void TMainForm::BuildStatusBar() {
  status_ = std::make_unique<TStatusLine>([this](int panel, const std::string& text) {
    StatusPanels[panel]->setText(QString::fromStdString(text));
  });
  for (QLabel*& panel : StatusPanels) {
    panel = new QLabel;
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->installEventFilter(this);
    statusBar()->addWidget(panel);
  }
  statusBar()->installEventFilter(this);
  LayoutStatusPanels();
}

// ---- windows -----------------------------------------------------------------

template <class F>
void TMainForm::OnActive(F command) {
  if (TFuncGraphWindow* w = ActiveGraphWindow()) command(w);
}

TFuncGraphWindow* TMainForm::ActiveGraphWindow() const {
  QMdiSubWindow* sub = MdiArea->activeSubWindow();
  if (!sub) {
    // Without the focus (another application, an offscreen test) the MDI area has no
    // active child; commands then go to the topmost one.
    const QList<QMdiSubWindow*> subs = MdiArea->subWindowList(QMdiArea::StackingOrder);
    if (subs.isEmpty()) return nullptr;
    sub = subs.last();
  }
  return qobject_cast<TFuncGraphWindow*>(sub->widget());
}

bool TMainForm::CheckWindowLimit() {
  if (windowCount_ < kMaxGraphWindows) return true;
  ShowMessage(TMsgKind::Error,
              "A Maximum of " + std::to_string(kMaxGraphWindows) + " Graph Windows May be Open At Once.",
              TMsgButtons::OK);
  return false;
}

void TMainForm::AddGraphWindow(TFuncGraphWindow* window) {
  window->SetStatusLine(status_.get());
  window->CurrentLabelTool = [this] { return LabelToolMode; };
  connect(window, &TFuncGraphWindow::Closing, this, &TMainForm::WindowClosing);
  connect(window, &TFuncGraphWindow::Rendered, statusBar(), qOverload<>(&QWidget::repaint));
  QMdiSubWindow* sub = MdiArea->addSubWindow(window);
  sub->setWindowIcon(ButtonIcon(TGraphButton(int(TGraphButton::New2D) + window->GraphKind() - 1)));
  ++windowCount_;
  UpdateWindowCommands();
  sub->show();
  // Large enough for the whole bitmap where the MDI area allows it.
  const QMargins m = sub->contentsMargins();
  const int frame = 2 * window->ScrollBox1->frameWidth() + 2;
  const QSize wanted(window->BitmapWidth + frame + m.left() + m.right(),
                     window->BitmapHeight + frame + m.top() + m.bottom());
  sub->resize(wanted.boundedTo(MdiArea->viewport()->size().expandedTo(QSize(200, 150))));
  MdiArea->setActiveSubWindow(sub);
  SubWindowActivated(sub);
  // The scroll bars take their ranges once the layout has run.
  QTimer::singleShot(0, window, &TFuncGraphWindow::CenterBitmap);
}

TFuncGraphWindow* TMainForm::New2DCartisian1Click() {
  if (!CheckWindowLimit()) return nullptr;
  auto* window = new TFunc2DWindow;
  window->SetStatusLine(status_.get());
  if (!window->NewDefaultSize()) return nullptr;
  AddGraphWindow(window);
  return window;
}

bool TMainForm::OpenGraphFile(const std::string& fileName) {
  TReadGraphFile reader;
  if (!reader.Open(fileName)) return false;
  TFuncGraphWindow* window = nullptr;
  switch (reader.GraphKind()) {
    case gk2DCartesian: window = new TFunc2DWindow; break;
    default: return false;  // polar and 3D windows are not part of this program yet
  }
  window->SetStatusLine(status_.get());
  if (!window->LoadGraph(reader)) {
    window->deleteLater();  // a failed sizing has already closed it
    windowCount_ = int(MdiArea->subWindowList().size());
    UpdateWindowCommands();
    return false;
  }
  window->SetFileName(fileName);
  AddGraphWindow(window);
  return true;
}

void TMainForm::OpenFile1Click() {
  if (!CheckWindowLimit()) return;
  std::string name;
  if (!PickOpenFile(this, kOpenTitle, kOpenFilter, kGraphExt, name) || name.empty()) return;
  OpenGraphFile(name);
}

bool TMainForm::SaveFile1Click() {
  TFuncGraphWindow* w = ActiveGraphWindow();
  if (!w) return false;
  if (w->FileName().empty()) return SaveFileAs1Click();
  return w->Save();
}

bool TMainForm::SaveFileAs1Click() {
  TFuncGraphWindow* w = ActiveGraphWindow();
  if (!w) return false;
  std::string name = w->FileName();
  if (!PickSaveFile(this, kSaveTitle, kSaveFilter, kGraphExt, name) || name.empty()) return false;
  return w->SaveAs(name);
}

void TMainForm::CloseFile1Click() {
  if (TFuncGraphWindow* w = ActiveGraphWindow()) w->parentWidget()->close();
}

void TMainForm::WindowClosing(TFuncGraphWindow* window) {
  if (!window->FileName().empty()) AddRecentFile(QString::fromStdString(window->FileName()));
  windowCount_ = std::max(0, windowCount_ - 1);
  UpdateWindowCommands();
  // The window activated next brings its own menus and buttons.
  if (ActiveGraphWindow() == window) {
    if (GraphToolBar->isVisible()) ShowKindButtons(0);
    MergeWindowMenus(nullptr);
  }
}

void TMainForm::SubWindowActivated(QMdiSubWindow* subWindow) {
  auto* window = subWindow ? qobject_cast<TFuncGraphWindow*>(subWindow->widget()) : nullptr;
  if (!window) return;  // deactivation: the menus stay until a window closes or another comes
  MergeWindowMenus(window);
  if (GraphToolBar->isVisible()) ShowKindButtons(window->GraphKind());
  window->Activated();
}

void TMainForm::MergeWindowMenus(TFuncGraphWindow* window) {
  for (QAction* action : mergedMenus_)
    if (action) menuBar()->removeAction(action);
  mergedMenus_.clear();
  if (!window) return;
  for (QMenu* menu : window->WindowMenus()) {
    menuBar()->insertAction(toolsMenuAction_, menu->menuAction());
    mergedMenus_.append(menu->menuAction());
  }
}

void TMainForm::UpdateWindowCommands() {
  const bool any = windowCount_ > 0;
  for (QAction* action : windowCommands_) action->setEnabled(any);
}

void TMainForm::ShowKindButtons(int kind) {
  for (int i = 0; i < kGraphButtonCount; ++i) {
    const auto b = TGraphButton(i);
    if (IsAxisZoom(b)) GraphButtons[i]->setVisible(kind == 1);
    else if (IsScrollOrPage(b)) GraphButtons[i]->setVisible(kind == 1 || kind == 2);
    else if (IsRotate(b)) GraphButtons[i]->setVisible(kind == 3);
  }
}

// ---- recent files ------------------------------------------------------------

void TMainForm::AddRecentFile(const QString& fileName) {
  if (recentFiles_.contains(fileName)) return;
  recentFiles_.prepend(fileName);
  while (recentFiles_.size() > kMaxRecentFiles) recentFiles_.removeLast();
  RebuildRecentMenu();
}

void TMainForm::OpenRecentFile(int index) {
  if (index < 0 || index >= recentFiles_.size() || !CheckWindowLimit()) return;
  const QString name = recentFiles_[index];
  if (!OpenGraphFile(name.toStdString())) return;
  recentFiles_.removeOne(name);
  RebuildRecentMenu();
}

void TMainForm::RebuildRecentMenu() {
  RecentSeparator->setVisible(!recentFiles_.isEmpty());
  for (int i = 0; i < kMaxRecentFiles; ++i) {
    QAction* action = RecentActions[i];
    action->setVisible(i < recentFiles_.size());
    if (i < recentFiles_.size())
      action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(recentFiles_[i]).fileName()));
  }
}

// ---- main window events ------------------------------------------------------

// Every window gets its close question; a Cancel keeps the program running.
void TMainForm::closeEvent(QCloseEvent* event) {
  for (QMdiSubWindow* sub : MdiArea->subWindowList()) {
    if (!sub->close()) {
      event->ignore();
      return;
    }
  }
  if (HelpDialog) HelpDialog->close();
  event->accept();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayoutStatusPanels();
}

void TMainForm::LayoutStatusPanels() {
  const int client = width();
  const int panelWidth = client > 450 ? client / 3 : 150;
  for (QLabel* panel : StatusPanels) panel->setFixedWidth(panelWidth);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick &&
      (watched == statusBar() || std::find(StatusPanels.begin(), StatusPanels.end(), watched) != StatusPanels.end())) {
    StatusLineSettings();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::StatusLineSettings() {
  if (!TStatusLineDlg::Edit(this)) return;
  OnActive([](TFuncGraphWindow* w) { w->UpdateViewStatus(); });
}

void TMainForm::SetFlatToolBars(bool flat) {
  for (QAction* action : GraphToolBar->actions())
    if (auto* button = qobject_cast<QToolButton*>(GraphToolBar->widgetForAction(action)))
      button->setAutoRaise(flat);
}

// ---- help --------------------------------------------------------------------

void TMainForm::ShowHelpContents() {
  if (!HelpDialog) {
    HelpDialog = new QDialog(this);
    HelpDialog->setObjectName(QStringLiteral("HelpDialog"));
    HelpDialog->setWindowTitle(QStringLiteral("Plotix Help"));
    auto* layout = new QVBoxLayout(HelpDialog);
    auto* browser = new QTextBrowser;
    browser->setObjectName(QStringLiteral("HelpText"));
    browser->setHtml(QString::fromLatin1(kHelpHtml));
    layout->addWidget(browser);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, HelpDialog, &QDialog::close);
    layout->addWidget(buttons);
    HelpDialog->resize(640, 600);
  }
  HelpDialog->show();
  HelpDialog->raise();
  HelpDialog->activateWindow();
}

void TMainForm::ShowAbout() {
  QMessageBox::about(this, QStringLiteral("About Plotix"),
                     QStringLiteral("<h3>Plotix %1</h3><p>A function grapher: 2D Cartesian graphs "
                                    "of y = f(x), saved in Plotix files.</p>")
                         .arg(QStringLiteral(PLOTIX_VERSION)));
}

}  // namespace plotix
