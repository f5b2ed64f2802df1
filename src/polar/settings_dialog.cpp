#include "polar/settings_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "expr/math_const_edit.h"
#include "expr/number_format.h"
#include "platform/common_dialogs.h"
#include "platform/dialog_controls.h"
#include "platform/message_box.h"
#include "polar/axis_list_dialog.h"

namespace plotix {

namespace {
constexpr int kMaxDecimalPlaces = 8;
const char* const kTickSizeCaptions[] = {"Dash Length", "Circle Width", "No Tick Marks"};

void NameStyleButtons(QButtonGroup* group, char prefix) {
  const char* const names[] = {"SolidPen", "DashPen", "DotPen", "DashDotPen", "DashDotDotPen"};
  for (int style = 0; style < 5; ++style)
    group->button(style)->setObjectName(QString(QLatin1Char(prefix)) + QLatin1String(names[style]));
}
}  // namespace

TSettingsPolarDlg::TSettingsPolarDlg(TSettingPolarObj& settings, QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("Polar Graph Settings"), "polar.md#the-graph-settings-dialog"),
      EAxisList(new QPlainTextEdit),
      Button1(new QPushButton(QStringLiteral("Standard Axis Lists"))),
      AxisColorButton(new QPushButton(QStringLiteral("Axis Color"))),
      EAxisColorSample(new TColorSampleButton),
      ETickMarkIncrements(new TEditMathConst),
      TickMarkColorButton(new QPushButton(QStringLiteral("Color"))),
      ETickMarkColorSample(new TColorSampleButton),
      EDashes(new QRadioButton(QStringLiteral("Dashes"))),
      ECircles(new QRadioButton(QStringLiteral("Circles"))),
      ENoTicks(new QRadioButton(QStringLiteral("None"))),
      TickMarkType(new QButtonGroup(this)),
      SizeTypeLabel(new QLabel),
      ELabelTickMarks(new QCheckBox(QStringLiteral("Show Labels"))),
      ETMLabelFormat(new QComboBox),
      EShowTMLabelComa(new QCheckBox(QStringLiteral(","))),
      EShowTMLabelPlus(new QCheckBox(QStringLiteral("+"))),
      ELabelDecimalPlaces(new QSpinBox),
      TextFieldTMLabelDP(new QLabel),
      LabelFontButton(new QPushButton(QStringLiteral("Font"))),
      LabelFontText(new QLabel),
      BackColorButton(new QPushButton(QStringLiteral("Color"))),
      EBackColorSample(new TColorSampleButton),
      ERestrict(new QCheckBox(QStringLiteral("Restrict Radius"))),
      ERestrictAmt(new TEditMathConst),
      settings_(settings),
      axisCount_(settings.AxisCount),
      axisAngles_(settings.AxisAngles),
      dashLength_(settings.DashLength),
      circleWidth_(settings.CircleWidth),
      shownType_(-1),
      font_(settings.LabelFont) {
  // ---- axis properties
  EAxisList->setLineWrapMode(QPlainTextEdit::NoWrap);
  EAxisList->setTabChangesFocus(true);
  EAxisList->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 14);
  EAxisList->installEventFilter(this);
  auto* listLabel = new QLabel(QStringLiteral("Axis List (Degrees)"));
  listLabel->setBuddy(EAxisList);
  auto* widthRow = new QHBoxLayout;
  EAxisWidth = SizeScrollBar(EAxisWidthLabel, widthRow);
  auto* axisStyleRow = new QHBoxLayout;
  AxisLineStyle = PenStyleButtons(this, axisStyleRow);
  NameStyleButtons(AxisLineStyle, 'A');

  auto* axis = new QGroupBox(QStringLiteral("Axis Properties"));
  auto* axisLayout = new QVBoxLayout(axis);
  axisLayout->addWidget(listLabel);
  axisLayout->addWidget(EAxisList, 1);
  axisLayout->addWidget(Button1);
  axisLayout->addLayout(ColorRow(EAxisColorSample, AxisColorButton));
  axisLayout->addWidget(new QLabel(QStringLiteral("Axis Width")));
  axisLayout->addLayout(widthRow);
  axisLayout->addWidget(new QLabel(QStringLiteral("Axis Line Style")));
  axisLayout->addLayout(axisStyleRow);

  // ---- tick mark properties
  ETickMarkIncrements->Check().SetIncrementField("Tick Mark Increments");
  TickMarkType->addButton(EDashes, ptDashes);
  TickMarkType->addButton(ECircles, ptCircles);
  TickMarkType->addButton(ENoTicks, ptNoTicks);
  auto* sizeRow = new QHBoxLayout;
  ETickMarkSize = SizeScrollBar(ETMSizeLabel, sizeRow);
  auto* circleStyleRow = new QHBoxLayout;
  CircleStyle = PenStyleButtons(this, circleStyleRow);
  NameStyleButtons(CircleStyle, 'C');

  auto* types = new QGroupBox(QStringLiteral("Tick Mark Type"));
  auto* typesLayout = new QHBoxLayout(types);
  for (QRadioButton* radio : {EDashes, ECircles, ENoTicks}) typesLayout->addWidget(radio);
  auto* ticks = new QGroupBox(QStringLiteral("Tick Mark Properties"));
  auto* ticksForm = new QFormLayout(ticks);
  ticksForm->addRow(QStringLiteral("Increments"), ETickMarkIncrements);
  ticksForm->addRow(ColorRow(ETickMarkColorSample, TickMarkColorButton));
  ticksForm->addRow(types);
  ticksForm->addRow(SizeTypeLabel, sizeRow);
  ticksForm->addRow(QStringLiteral("Circle Style"), circleStyleRow);

  // ---- label properties
  for (const char* format : kNumberFormatNames) ETMLabelFormat->addItem(QString::fromLatin1(format));
  EShowTMLabelComa->setToolTip(QStringLiteral("Thousands Separators"));
  EShowTMLabelPlus->setToolTip(QStringLiteral("Plus Sign On Positive Numbers"));
  ELabelDecimalPlaces->setRange(0, kMaxDecimalPlaces);
  TextFieldTMLabelDP->setBuddy(ELabelDecimalPlaces);
  TextFieldTMLabelDP->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Decimal Places")));
  auto* formatRow = new QHBoxLayout;
  formatRow->addWidget(ETMLabelFormat);
  formatRow->addWidget(EShowTMLabelComa);
  formatRow->addWidget(EShowTMLabelPlus);
  formatRow->addStretch();
  auto* fontRow = new QHBoxLayout;
  fontRow->addWidget(LabelFontButton);
  fontRow->addWidget(LabelFontText, 1);
  auto* labels = new QGroupBox(QStringLiteral("Label Properties"));
  auto* labelsForm = new QFormLayout(labels);
  labelsForm->addRow(ELabelTickMarks);
  labelsForm->addRow(formatRow);
  labelsForm->addRow(TextFieldTMLabelDP, ELabelDecimalPlaces);
  labelsForm->addRow(fontRow);

  // ---- background and radius
  auto* background = new QGroupBox(QStringLiteral("Background Color"));
  auto* backgroundLayout = new QVBoxLayout(background);
  backgroundLayout->addLayout(ColorRow(EBackColorSample, BackColorButton));
  ERestrictAmt->Check().SetIncrementField("Restrict Graph Radius Amount");
  auto* radius = new QGroupBox(QStringLiteral("Graph Radius"));
  auto* radiusLayout = new QVBoxLayout(radius);
  radiusLayout->addWidget(ERestrict);
  radiusLayout->addWidget(ERestrictAmt);

  auto* middle = new QVBoxLayout;
  middle->addWidget(ticks);
  middle->addWidget(labels);
  middle->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(background);
  right->addWidget(radius);
  right->addStretch();
  auto* columns = new QHBoxLayout;
  columns->addWidget(axis);
  columns->addLayout(middle);
  columns->addLayout(right);
  LayOut({columns});

  connect(Button1, &QPushButton::clicked, this, &TSettingsPolarDlg::StandardListClick);
  connect(TickMarkType, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) TickTypeChanged();
  });
  connect(ETMLabelFormat, &QComboBox::currentIndexChanged, this, &TSettingsPolarDlg::FormatChanged);
  connect(LabelFontButton, &QPushButton::clicked, this, &TSettingsPolarDlg::FontClick);

  loading_ = true;
  ShowAxisList();
  EAxisColorSample->SetColor(settings.AxisColor);
  EAxisWidth->setValue(settings.AxisWidth);
  EAxisWidthLabel->setNum(EAxisWidth->value());
  CheckPenStyle(AxisLineStyle, settings.AxisPenStyle);
  ETickMarkIncrements->setText(QString::fromStdString(settings.TickIncrementText));
  ETickMarkColorSample->SetColor(settings.TickMarkColor);
  TickMarkType->button(std::min<int>(settings.TickMarkType, ptNoTicks))->setChecked(true);
  CheckPenStyle(CircleStyle, settings.CirclePenStyle);
  ELabelTickMarks->setChecked(settings.ShowLabels);
  ETMLabelFormat->setCurrentIndex(settings.LabelFormat < ETMLabelFormat->count() ? settings.LabelFormat : 0);
  EShowTMLabelComa->setChecked(settings.LabelComma);
  EShowTMLabelPlus->setChecked(settings.LabelPlus);
  ELabelDecimalPlaces->setValue(settings.LabelDecimalPlaces);
  FormatChanged();
  LabelFontText->setText(FontText(font_));
  EBackColorSample->SetColor(settings.BackgroundColor);
  ERestrict->setChecked(settings.RestrictRadius);
  ERestrictAmt->setText(QString::fromStdString(settings.RestrictRadiusText));
  loading_ = false;
}

void TSettingsPolarDlg::ShowAxisList() {
  EAxisList->setPlainText(QString::fromStdString(AxisListText(axisCount_, axisAngles_)));
  EAxisList->document()->setModified(false);
}

bool TSettingsPolarDlg::AxisListExit() {
  const int bad = ReadAxisList(EAxisList->toPlainText().toStdString(), axisCount_, axisAngles_);
  if (bad < 0) {
    ShowAxisList();
    return true;
  }
  readingList_ = true;
  if (ShowMessage(TMsgKind::Error, "Invalid Numeric Format in Axis Angle #" + std::to_string(bad),
                  TMsgButtons::OKAbort) == TMsgAnswer::Abort &&
      ShowMessage(TMsgKind::Confirmation, "This Will Reset the Axis List to Original Values", TMsgButtons::OKCancel) ==
          TMsgAnswer::OK) {
    axisCount_ = settings_.AxisCount;
    axisAngles_ = settings_.AxisAngles;
    ShowAxisList();
  }
  readingList_ = false;
  EAxisList->setFocus(Qt::OtherFocusReason);
  return false;
}

bool TSettingsPolarDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EAxisList && event->type() == QEvent::FocusOut && !readingList_ &&
      EAxisList->document()->isModified()) {
    // Losing the focus to another window, or to Cancel, is no leaving of the memo.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    const bool toCancel = QApplication::focusWidget() == Buttons->button(QDialogButtonBox::Cancel);
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !toCancel) AxisListExit();
  }
  return QDialog::eventFilter(watched, event);
}

void TSettingsPolarDlg::StandardListClick() {
  if (TStdAxisListDlg::Edit(this, axisCount_, axisAngles_)) ShowAxisList();
}

void TSettingsPolarDlg::TickTypeChanged() {
  if (shownType_ == ptDashes) dashLength_ = ETickMarkSize->value();
  if (shownType_ == ptCircles) circleWidth_ = ETickMarkSize->value();
  shownType_ = TickMarkType->checkedId();
  SizeTypeLabel->setText(QString::fromLatin1(kTickSizeCaptions[shownType_]));
  ETickMarkSize->setValue(shownType_ == ptDashes ? dashLength_ : shownType_ == ptCircles ? circleWidth_ : 1);
  ETMSizeLabel->setNum(ETickMarkSize->value());
  ETickMarkSize->setEnabled(shownType_ != ptNoTicks);
}

void TSettingsPolarDlg::FormatChanged() {
  const int format = ETMLabelFormat->currentIndex();
  const TFormatControls controls = FormatControls(format);
  EShowTMLabelComa->setEnabled(controls.commasAllowed);
  EShowTMLabelPlus->setEnabled(controls.plusAllowed);
  TextFieldTMLabelDP->setText(QString::fromStdString(controls.caption));
  if (!loading_) ELabelDecimalPlaces->setValue(DefaultPlaces(format));
}

void TSettingsPolarDlg::FontClick() {
  if (PickFont(this, font_)) LabelFontText->setText(FontText(font_));
}

void TSettingsPolarDlg::accept() {
  // The memo is read again: its text may have changed since it was last left.
  if (!AxisListExit()) return;
  if (!ETickMarkIncrements->ValidateOrComplain() || !ERestrictAmt->ValidateOrComplain()) return;
  TSettingPolarObj& s = settings_;
  s.AxisCount = axisCount_;
  s.AxisAngles = axisAngles_;
  s.AxisColor = EAxisColorSample->Color();
  s.AxisWidth = EAxisWidth->value();
  s.AxisPenStyle = CheckedPenStyle(AxisLineStyle);
  s.TickIncrementText = ETickMarkIncrements->text().toStdString();
  s.TickIncrement = ETickMarkIncrements->Value();
  s.TickMarkType = std::uint8_t(shownType_);
  s.TickMarkColor = ETickMarkColorSample->Color();
  s.DashLength = shownType_ == ptDashes ? ETickMarkSize->value() : dashLength_;
  s.CircleWidth = shownType_ == ptCircles ? ETickMarkSize->value() : circleWidth_;
  s.CirclePenStyle = CheckedPenStyle(CircleStyle);
  s.ShowLabels = ELabelTickMarks->isChecked();
  s.LabelFormat = std::uint8_t(std::max(ETMLabelFormat->currentIndex(), 0));
  s.LabelComma = EShowTMLabelComa->isChecked();
  s.LabelPlus = EShowTMLabelPlus->isChecked();
  s.LabelDecimalPlaces = ELabelDecimalPlaces->value();
  s.LabelFont = font_;
  s.BackgroundColor = EBackColorSample->Color();
  s.RestrictRadius = ERestrict->isChecked();
  s.RestrictRadiusText = ERestrictAmt->text().toStdString();
  s.RestrictRadiusAmount = ERestrictAmt->Value();
  QDialog::accept();
}

}  // namespace plotix
