#include "platform/dialog_controls.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "platform/common_dialogs.h"
#include "platform/help_service.h"
#include "platform/limits.h"

namespace plotix {

namespace {
const char* const kPenStyleHints[] = {"Solid Line", "Dash Line", "Dot Line", "Dash Dot Line", "Dash Dot Dot Line"};
constexpr Qt::PenStyle kQtPenStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
constexpr int kPenStyles = int(std::size(kPenStyleHints));
constexpr QSize kPenIconSize(30, 10);

// Black on the button's face, or the selection colours when pressed: a pressed flat
// button alone differs from the others by little more than a shade of grey.
QIcon PenStyleIcon(int style, const QPalette& palette) {
  QIcon icon;
  for (const QIcon::State state : {QIcon::Off, QIcon::On}) {
    const bool on = state == QIcon::On;
    QPixmap pixmap(kPenIconSize);
    pixmap.fill(on ? palette.color(QPalette::Highlight) : QColor(Qt::transparent));
    QPainter painter(&pixmap);
    painter.setPen(
        QPen(on ? palette.color(QPalette::HighlightedText) : QColor(Qt::black), 1, kQtPenStyles[style], Qt::FlatCap));
    painter.drawLine(1, kPenIconSize.height() / 2, kPenIconSize.width() - 1, kPenIconSize.height() / 2);
    icon.addPixmap(pixmap, QIcon::Normal, state);
  }
  return icon;
}
}  // namespace

QButtonGroup* PenStyleButtons(QWidget* owner, QHBoxLayout* layout) {
  auto* group = new QButtonGroup(owner);
  for (int style = 0; style < kPenStyles; ++style) {
    auto* button = new QToolButton;
    button->setCheckable(true);
    button->setIcon(PenStyleIcon(style, owner->palette()));
    button->setIconSize(kPenIconSize);
    button->setToolTip(QString::fromLatin1(kPenStyleHints[style]));
    button->setAccessibleName(button->toolTip());
    group->addButton(button, style);
    layout->addWidget(button);
  }
  layout->addStretch();
  return group;
}

void CheckPenStyle(QButtonGroup* group, int style) {
  group->button(style >= 0 && style < kPenStyles ? style : 0)->setChecked(true);
}

std::uint8_t CheckedPenStyle(const QButtonGroup* group) { return std::uint8_t(std::max(group->checkedId(), 0)); }

QScrollBar* SizeScrollBar(QLabel*& label, QHBoxLayout* layout) {
  auto* bar = new QScrollBar(Qt::Horizontal);
  bar->setRange(kMinPenWidth, kMaxPenWidth);
  bar->setPageStep(1);
  bar->setMinimumWidth(120);
  label = new QLabel;
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("00")));
  QObject::connect(bar, &QScrollBar::valueChanged, label, qOverload<int>(&QLabel::setNum));
  if (layout) {
    layout->addWidget(bar, 1);
    layout->addWidget(label);
  }
  return bar;
}

TPlotStyleRow::TPlotStyleRow(bool withWidth, QWidget* parent)
    : QWidget(parent), ColorSample(new TColorSampleButton), ColorButton(new QPushButton(QStringLiteral("&Color..."))) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(new QLabel(QStringLiteral("Color")));
  row->addLayout(ColorRow(ColorSample, ColorButton));
  if (!withWidth) return;
  WidthBar = SizeScrollBar(WidthLabel);
  auto* widthLabel = new QLabel(QStringLiteral("Line Width"));
  widthLabel->setBuddy(WidthBar);
  row->addSpacing(12);
  row->addWidget(widthLabel);
  row->addWidget(WidthBar, 1);
  row->addWidget(WidthLabel);
}

void TPlotStyleRow::SetStyle(const TPlotStyle& style) {
  style_ = style;
  ColorSample->SetColor(style.Color);
  if (!WidthBar) return;
  WidthBar->setValue(style.Width);
  WidthLabel->setNum(WidthBar->value());
}

TPlotStyle TPlotStyleRow::Style() const { return {ColorSample->Color(), WidthBar ? WidthBar->value() : style_.Width}; }

QString FontText(const TFontDesc& font) {
  QString text = QStringLiteral("%1, %2 pt").arg(QString::fromStdString(font.name)).arg(font.size);
  if (font.style & fsBold) text += QStringLiteral(", Bold");
  if (font.style & fsItalic) text += QStringLiteral(", Italic");
  return text;
}

void FocusField(QWidget* field) {
  field->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

void AddHelpButton(QDialog* dialog, QDialogButtonBox* buttons, const char* page) {
  dialog->setProperty(kHelpPageProperty, QString::fromLatin1(page));
  buttons->addButton(QDialogButtonBox::Help);
  QObject::connect(buttons, &QDialogButtonBox::helpRequested, dialog, [page] { ShowHelp(page); });
}

TOkCancelDlg::TOkCancelDlg(QWidget* parent, const QString& caption, const char* helpPage, Qt::Orientation buttons)
    : QDialog(parent), Buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, buttons)) {
  setWindowTitle(caption);
  AddHelpButton(this, Buttons, helpPage);
  // accept() is virtual: OK reaches the dialog's own.
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TOkCancelDlg::LayOut(std::initializer_list<std::variant<QWidget*, QLayout*>> parts) {
  auto* layout = new QVBoxLayout(this);
  for (const auto& part : parts) {
    if (QWidget* const* widget = std::get_if<QWidget*>(&part))
      layout->addWidget(*widget);
    else
      layout->addLayout(std::get<QLayout*>(part));
  }
  layout->addWidget(Buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

// Qt sizes a box for the longest value of its range: a box ranging to a hundred times the
// widest value leaves two digits of room.
void FitNumberBox(QSpinBox* box, int widest) {
  QSpinBox probe;
  probe.setFont(box->font());
  probe.setRange(0, widest * 100);
  box->setMinimumWidth(probe.sizeHint().width());
}

bool TDialogTitleFit::eventFilter(QObject* watched, QEvent* event) {
  // Every event of the program passes here: the event type is the cheap test.
  auto* dialog = event->type() == QEvent::Show ? qobject_cast<QDialog*>(watched) : nullptr;
  if (!dialog || !dialog->isWindow()) return false;
  // Title bars draw their caption in a bold face, beside an icon and three buttons.
  constexpr int kTitleBarExtras = 120;
  QFont bold = QApplication::font();
  bold.setBold(true);
  const int wanted = QFontMetrics(bold).horizontalAdvance(dialog->windowTitle()) + kTitleBarExtras;
  if (dialog->width() >= wanted) return false;
  auto* box = qobject_cast<QBoxLayout*>(dialog->layout());
  if (box && (box->direction() == QBoxLayout::TopToBottom || box->direction() == QBoxLayout::BottomToTop)) {
    // A strut holds even where the layout fixes the dialog's size.
    const QMargins margins = box->contentsMargins();
    box->addStrut(wanted - margins.left() - margins.right());
    box->activate();
  } else {
    dialog->resize(wanted, dialog->height());
  }
  return false;
}

}  // namespace plotix
