#include "app/tool_bar_icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace plotix {

namespace {

constexpr const char* kHints[kGraphButtonCount] = {
    "Open File",
    "Save File",
    "Center Function View",
    "Center Bitmap In Window",
    "Zoom In",
    "Zoom Out",
    "Zoom X Axis In",
    "Zoom X Axis Out",
    "Zoom Y Axis In",
    "Zoom Y Axis Out",
    "Scroll Up",
    "Scroll Down",
    "Scroll Left",
    "Scroll Right",
    "Page Up",
    "Page Down",
    "Page Left",
    "Page Right",
    "Rotate - to X Axis",
    "Rotate + to X Axis",
    "Rotate - to Y Axis",
    "Rotate + to Y Axis",
    "Rotate + to Z Axis",
    "Rotate - to Z Axis",
};

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

// A curved arrow turning back to the left (undo) or on to the right (redo).
void TurnBack(QPainter& p, bool redo) {
  if (redo) p.setTransform(QTransform(-1, 0, 0, 1, 24, 0));
  p.setPen(QPen(kArrowBlue, 2.5, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath path(QPointF(19, 19));
  path.cubicTo(QPointF(21, 9), QPointF(12, 5), QPointF(7, 9));
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  p.setBrush(kArrowBlue);
  p.drawPolygon(QPolygonF{{2, 11}, {9, 4}, {10, 13}});
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
  if (plus)
    ArrowHead(p, QPointF(21, 8), 0, 1, 5);
  else
    ArrowHead(p, QPointF(21, 16), 0, -1, 5);
  p.setPen(QPen(plus ? QColor(0, 140, 0) : QColor(200, 0, 0), 2));
  p.drawLine(QPointF(17, 12), QPointF(23, 12));
  if (plus) p.drawLine(QPointF(20, 9), QPointF(20, 15));
}

}  // namespace

const char* ButtonHint(TGraphButton button) { return kHints[int(button)]; }

QIcon HistoryIcon(bool redo) {
  QPixmap pixmap(kToolBarIconSize, kToolBarIconSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  TurnBack(p, redo);
  return QIcon(pixmap);
}

QIcon ButtonIcon(TGraphButton id) {
  QPixmap pixmap(kToolBarIconSize, kToolBarIconSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  using B = TGraphButton;
  switch (id) {
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

}  // namespace plotix
