#include "app/label_tool_bar.h"

#include <QActionGroup>
#include <QComboBox>
#include <QFontComboBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScrollBar>
#include <QToolButton>
#include <functional>

#include "app/tool_bar_icons.h"
#include "labels/drawing_labels.h"
#include "labels/font_controls.h"
#include "platform/common_dialogs.h"
#include "platform/limits.h"

namespace plotix {

namespace {

const QColor kInk(30, 30, 30);
const QColor kPaper(255, 255, 255);

QIcon Icon(const std::function<void(QPainter&)>& draw) {
  QPixmap pixmap(kToolBarIconSize, kToolBarIconSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(kInk, 2));
  draw(painter);
  return QIcon(pixmap);
}

QIcon ToolIcon(int tool) {
  return Icon([tool](QPainter& p) {
    switch (tool) {
      case 0:  // an arrow pointer
        p.setBrush(kPaper);
        p.setPen(QPen(kInk, 1.5));
        p.drawPolygon(QPolygonF{{6, 3}, {6, 19}, {10, 15}, {13, 21}, {16, 20}, {13, 14}, {18, 14}});
        break;
      case ltLine: p.drawLine(QPointF(4, 19), QPointF(20, 5)); break;
      case ltRectangle: p.drawRect(QRectF(4, 6, 16, 12)); break;
      case ltEllipse: p.drawEllipse(QRectF(3, 6, 18, 12)); break;
      case ltRoundRect: p.drawRoundedRect(QRectF(4, 6, 16, 12), 5, 5); break;
      case ltFreeHand: {
        QPainterPath path(QPointF(3, 16));
        path.cubicTo(QPointF(7, 2), QPointF(11, 24), QPointF(15, 10));
        path.cubicTo(QPointF(17, 4), QPointF(20, 12), QPointF(21, 8));
        p.drawPath(path);
        break;
      }
      case ltFloodFill:  // a tipped bucket pouring
        p.setBrush(QColor(60, 110, 220));
        p.drawPolygon(QPolygonF{{5, 10}, {12, 4}, {19, 11}, {12, 18}});
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(17, 15, 4, 6));
        break;
      case ltText: {
        QFont font = p.font();
        font.setPixelSize(18);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(0, 0, kToolBarIconSize, kToolBarIconSize), Qt::AlignCenter, QStringLiteral("A"));
        break;
      }
    }
  });
}

QIcon PenStyleIcon(int style) {
  return Icon([style](QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    if (style == psClear) {
      p.setPen(QPen(QColor(170, 170, 170), 1, Qt::DotLine));
      p.drawRect(3, 8, 17, 8);
      return;
    }
    const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
    p.setPen(QPen(kInk, 2, styles[style], Qt::FlatCap));
    p.drawLine(2, 12, 22, 12);
  });
}

QIcon BrushStyleIcon(int style) {
  return Icon([style](QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,
                                     Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    p.setPen(QPen(kInk, 1));
    p.setBrush(QBrush(kInk, styles[style]));
    p.drawRect(3, 3, 17, 17);
  });
}

// A pencil for the pen colour, a brush for the brush colour.
QIcon ColorButtonIcon(bool brush) {
  return Icon([brush](QPainter& p) {
    p.translate(12, 12);
    p.rotate(45);
    p.setBrush(QColor(230, 180, 60));
    if (brush) {
      p.drawRect(QRectF(-2, -11, 4, 11));
      p.setBrush(QColor(60, 110, 220));
      p.drawRoundedRect(QRectF(-4, 0, 8, 10), 3, 3);
    } else {
      p.drawRect(QRectF(-3, -11, 6, 15));
      p.setBrush(kInk);
      p.drawPolygon(QPolygonF{{-3, 4}, {3, 4}, {0, 10}});
    }
  });
}

struct TButton {
  int code;
  const char* hint;
};

// Checkable buttons, one of them down, each carrying its code.
QActionGroup* AddGroup(QToolBar* bar, std::initializer_list<TButton> buttons, int current,
                       const std::function<QIcon(int)>& icon) {
  auto* group = new QActionGroup(bar);
  for (const TButton& b : buttons) {
    QAction* action = bar->addAction(icon(b.code), QString::fromLatin1(b.hint));
    action->setCheckable(true);
    action->setChecked(b.code == current);
    action->setData(b.code);
    group->addAction(action);
  }
  return group;
}

QAction* ByCode(const QActionGroup* group, int code) {
  for (QAction* action : group->actions())
    if (action->data().toInt() == code) return action;
  return nullptr;
}

}  // namespace

TLabelToolBar::TLabelToolBar(QWidget* parent) : QToolBar(QStringLiteral("Label Shape"), parent) {
  setObjectName(QStringLiteral("LabelToolBar"));
  setIconSize(QSize(kToolBarIconSize, kToolBarIconSize));

  Tools = AddGroup(this,
                   {{0, "Label Tools Off"},
                    {ltLine, "Draw Line"},
                    {ltRectangle, "Draw Rectangle"},
                    {ltEllipse, "Draw Ellipse"},
                    {ltRoundRect, "Draw Round Rectangle"},
                    {ltFreeHand, "Draw Free Hand"},
                    {ltFloodFill, "Flood Fill"},
                    {ltText, "Text Label"}},
                   0, ToolIcon);
  connect(Tools, &QActionGroup::triggered, this, [this](QAction* a) { emit ToolChosen(a->data().toInt()); });
  addSeparator();

  QAction* changePen = addAction(ColorButtonIcon(false), QStringLiteral("Change Pen Color"));
  PenColor = new TColorSampleButton;
  PenColor->setToolTip(QStringLiteral("Pen Color Sample"));
  PenColor->SetColor(Attributes.PenColor);
  addWidget(PenColor);
  connect(changePen, &QAction::triggered, PenColor, &TColorSampleButton::Pick);
  connect(PenColor, &TColorSampleButton::ColorChanged, this, [this](TColor c) { Attributes.PenColor = c; });
  PenStyles = AddGroup(this,
                       {{psClear, "Clear Line Pen"},
                        {psSolid, "Solid Line Pen"},
                        {psDash, "Dash Line Pen"},
                        {psDot, "Dot Line Pen"},
                        {psDashDot, "Dash Dot Line Pen"},
                        {psDashDotDot, "Dash Dot Dot Line Pen"}},
                       Attributes.PenStyle, PenStyleIcon);
  connect(PenStyles, &QActionGroup::triggered, this, [this](QAction* a) { Attributes.PenStyle = a->data().toInt(); });
  PenWidth = new QScrollBar(Qt::Horizontal);
  PenWidth->setToolTip(QStringLiteral("Pen Width"));
  PenWidth->setRange(kMinPenWidth, kMaxPenWidth);
  PenWidth->setPageStep(1);
  PenWidth->setValue(Attributes.PenWidth);
  PenWidth->setFixedWidth(80);
  PenWidthNumber = new QLabel;
  PenWidthNumber->setNum(PenWidth->value());
  PenWidthNumber->setMinimumWidth(PenWidthNumber->fontMetrics().horizontalAdvance(QStringLiteral(" 00")));
  PenWidthNumber->setAlignment(Qt::AlignCenter);
  addWidget(PenWidth);
  addWidget(PenWidthNumber);
  connect(PenWidth, &QScrollBar::valueChanged, this, [this](int width) {
    Attributes.PenWidth = width;
    PenWidthNumber->setNum(width);
  });
  addSeparator();

  QAction* changeBrush = addAction(ColorButtonIcon(true), QStringLiteral("Change Brush Color"));
  BrushColor = new TColorSampleButton;
  BrushColor->setToolTip(QStringLiteral("Brush Color Sample"));
  BrushColor->SetColor(Attributes.BrushColor);
  addWidget(BrushColor);
  connect(changeBrush, &QAction::triggered, BrushColor, &TColorSampleButton::Pick);
  connect(BrushColor, &TColorSampleButton::ColorChanged, this, [this](TColor c) { Attributes.BrushColor = c; });
  BrushStyles = AddGroup(this,
                         {{bsClear, "Clear Brush"},
                          {bsSolid, "Solid Brush"},
                          {bsHorizontal, "Horizontal Brush"},
                          {bsVertical, "Vertical Brush"},
                          {bsFDiagonal, "Forward Diagonal Brush"},
                          {bsBDiagonal, "Backward Diagonal Brush"},
                          {bsCross, "Cross Brush"},
                          {bsDiagCross, "Diagonal Cross Brush"}},
                         Attributes.BrushStyle, BrushStyleIcon);
  connect(BrushStyles, &QActionGroup::triggered, this,
          [this](QAction* a) { Attributes.BrushStyle = a->data().toInt(); });
  addSeparator();

  FontFields = new TFontControls(this);
  FontFields->SetFont(Attributes.Font);
  FontFields->Name->setMaximumWidth(130);
  addWidget(FontFields->Name);
  addWidget(FontFields->Size);
  // Their initials keep the bar short; the hints name them.
  FontFields->Bold->setText(QStringLiteral("B"));
  FontFields->Italic->setText(QStringLiteral("I"));
  FontFields->Underline->setText(QStringLiteral("U"));
  for (QToolButton* button : {FontFields->Bold, FontFields->Italic, FontFields->Underline}) addWidget(button);
  connect(FontFields, &TFontControls::FontChanged, this, [this](const TFontDesc& font) { Attributes.Font = font; });
}

QAction* TLabelToolBar::ToolButton(int tool) const { return ByCode(Tools, tool); }
QAction* TLabelToolBar::PenStyleButton(int style) const { return ByCode(PenStyles, style); }
QAction* TLabelToolBar::BrushStyleButton(int style) const { return ByCode(BrushStyles, style); }

void TLabelToolBar::ShowToolsOff() { ToolButton(0)->setChecked(true); }

void TLabelToolBar::PickTextFont() {
  if (!PickFont(this, Attributes.Font)) return;
  FontFields->SetFont(Attributes.Font);
}

void TLabelToolBar::SetAttributes(const TToolBarAttribClass& attributes) {
  Attributes = attributes;
  const QSignalBlocker blockWidth(PenWidth), blockFont(FontFields);
  PenColor->SetColor(attributes.PenColor);
  BrushColor->SetColor(attributes.BrushColor);
  PenStyleButton(attributes.PenStyle)->setChecked(true);
  BrushStyleButton(attributes.BrushStyle)->setChecked(true);
  PenWidth->setValue(attributes.PenWidth);
  PenWidthNumber->setNum(attributes.PenWidth);
  FontFields->SetFont(attributes.Font);
}

void TLabelToolBar::SetFlat(bool flat) {
  for (QAction* action : actions())
    if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action))) button->setAutoRaise(flat);
  for (QToolButton* button : {FontFields->Bold, FontFields->Italic, FontFields->Underline}) button->setAutoRaise(flat);
}

}  // namespace plotix
