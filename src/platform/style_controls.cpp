#include "platform/style_controls.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>
#include <iterator>

#include "platform/limits.h"

namespace plotix {

namespace {
const char* const kPenStyleHints[] = {"Solid Line", "Dash Line", "Dot Line", "Dash Dot Line", "Dash Dot Dot Line"};
constexpr Qt::PenStyle kQtPenStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
constexpr int kPenStyles = int(std::size(kPenStyleHints));

QIcon PenStyleIcon(int style) {
  QPixmap pixmap(30, 10);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(QPen(Qt::black, 1, kQtPenStyles[style], Qt::FlatCap));
  painter.drawLine(1, 5, 29, 5);
  return QIcon(pixmap);
}
}  // namespace

QButtonGroup* PenStyleButtons(QWidget* owner, QHBoxLayout* layout) {
  auto* group = new QButtonGroup(owner);
  for (int style = 0; style < kPenStyles; ++style) {
    auto* button = new QToolButton;
    button->setCheckable(true);
    button->setIcon(PenStyleIcon(style));
    button->setIconSize(QSize(30, 10));
    button->setToolTip(QString::fromLatin1(kPenStyleHints[style]));
    button->setAccessibleName(button->toolTip());
    group->addButton(button, style);
    layout->addWidget(button);
  }
  layout->addStretch();
  return group;
}

void CheckStyle(QButtonGroup* group, int style) {
  group->button(style >= 0 && style < kPenStyles ? style : 0)->setChecked(true);
}

std::uint8_t CheckedStyle(const QButtonGroup* group) { return std::uint8_t(std::max(group->checkedId(), 0)); }

QScrollBar* SizeScrollBar(QLabel*& label, QHBoxLayout* layout) {
  auto* bar = new QScrollBar(Qt::Horizontal);
  bar->setRange(kMinPenWidth, kMaxPenWidth);
  bar->setPageStep(1);
  bar->setMinimumWidth(120);
  label = new QLabel;
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("00")));
  QObject::connect(bar, &QScrollBar::valueChanged, label, qOverload<int>(&QLabel::setNum));
  layout->addWidget(bar, 1);
  layout->addWidget(label);
  return bar;
}

QString FontText(const TFontDesc& font) {
  QString text = QStringLiteral("%1, %2 pt").arg(QString::fromStdString(font.name)).arg(font.size);
  if (font.style & fsBold) text += QStringLiteral(", Bold");
  if (font.style & fsItalic) text += QStringLiteral(", Italic");
  return text;
}

}  // namespace plotix
