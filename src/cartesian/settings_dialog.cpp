#include "cartesian/settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "expr/math_const_edit.h"
#include "expr/number_format.h"
#include "platform/common_dialogs.h"
#include "platform/dialog_controls.h"

namespace plotix {

namespace {
const char* const kTickTypeNames[] = {"None", "Tick Marks", "Grid Marks", "Grid Lines"};

void SetLimitField(TEditMathConst* field, const QString& name) {
  field->Check().SetBoundField(name.toStdString());
  field->setToolTip(QStringLiteral("Leave empty for no limit"));
}

QWidget* Row(std::initializer_list<QWidget*> widgets) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QWidget* widget : widgets) layout->addWidget(widget);
  layout->addStretch();
  return row;
}
}  // namespace

TSettings2DDlg::TSettings2DDlg(TSetting2DObj& settings, QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("2D Cartesian Graph Settings"), "cartesian.md#the-graph-settings-dialog"),
      BackColorSample(new TColorSampleButton),
      settings_(settings) {
  auto* axes = new QHBoxLayout;
  axes->addWidget(BuildAxis(X, QStringLiteral("X")));
  axes->addWidget(BuildAxis(Y, QStringLiteral("Y")));

  BackColorSample->setObjectName(QStringLiteral("BackColorSample"));
  auto* background = new QHBoxLayout;
  auto* backLabel = new QLabel(QStringLiteral("Background Color"));
  backLabel->setBuddy(BackColorSample);
  background->addWidget(backLabel);
  background->addWidget(BackColorSample);
  background->addStretch();
  background->addWidget(Buttons);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(axes);
  layout->addLayout(background);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  loading_ = true;
  Load(X, settings.X, settings.XLabelFont);
  Load(Y, settings.Y, settings.YLabelFont);
  BackColorSample->SetColor(settings.BackColor);
  loading_ = false;
}

QGroupBox* TSettings2DDlg::BuildAxis(TAxisControls& c, const QString& axis) {
  auto name = [&axis](const char* pattern) { return QString::fromLatin1(pattern).arg(axis); };

  c.ShowAxisLines = new QCheckBox(QStringLiteral("Show Axis Line"));
  c.ShowAxisLines->setObjectName(name("E%1ShowAxisLines"));
  c.AxisColorSample = new TColorSampleButton;
  c.AxisColorSample->setObjectName(name("%1AxisColorSample"));
  c.LimitLoAxis = new TEditMathConst;
  c.LimitLoAxis->setObjectName(name("E%1LimitLoAxis"));
  SetLimitField(c.LimitLoAxis, name("Limit Lo %1 Axis End"));
  c.LimitHiAxis = new TEditMathConst;
  c.LimitHiAxis->setObjectName(name("E%1LimitHiAxis"));
  SetLimitField(c.LimitHiAxis, name("Limit Hi %1 Axis End"));

  auto* widthRow = new QHBoxLayout;
  c.AxisWidth = SizeScrollBar(c.AxisWidthLabel, widthRow);
  c.AxisWidth->setObjectName(name("E%1AxisWidth"));
  auto* axisStyleRow = new QHBoxLayout;
  c.AxisStyle = PenStyleButtons(this, axisStyleRow);

  auto* line = new QGroupBox(QStringLiteral("Axis Line"));
  auto* lineForm = new QFormLayout(line);
  lineForm->addRow(Row({c.ShowAxisLines}));
  lineForm->addRow(QStringLiteral("Color"), Row({c.AxisColorSample}));
  lineForm->addRow(QStringLiteral("Width"), widthRow);
  lineForm->addRow(QStringLiteral("Style"), axisStyleRow);
  lineForm->addRow(QStringLiteral("Lower Limit"), c.LimitLoAxis);
  lineForm->addRow(QStringLiteral("Upper Limit"), c.LimitHiAxis);

  c.TickMarkType = new QComboBox;
  c.TickMarkType->setObjectName(name("E%1TickMarkType"));
  for (const char* type : kTickTypeNames) c.TickMarkType->addItem(QString::fromLatin1(type));
  c.TMColorSample = new TColorSampleButton;
  c.TMColorSample->setObjectName(name("%1TMColorSample"));
  c.TickMarkInc = new TEditMathConst;
  c.TickMarkInc->setObjectName(name("E%1TickMarkInc"));
  c.TickMarkInc->Check().SetIncrementField(name("%1 Tick Mark Increments").toStdString());
  auto* lengthRow = new QHBoxLayout;
  c.TickMarkLength = SizeScrollBar(c.TickMarkLengthLabel, lengthRow);
  c.TickMarkLength->setObjectName(name("E%1TickMarkLength"));
  auto* gridStyleRow = new QHBoxLayout;
  c.GridStyle = PenStyleButtons(this, gridStyleRow);

  auto* ticks = new QGroupBox(QStringLiteral("Tick Marks"));
  auto* tickForm = new QFormLayout(ticks);
  tickForm->addRow(QStringLiteral("Type"), Row({c.TickMarkType}));
  tickForm->addRow(QStringLiteral("Color"), Row({c.TMColorSample}));
  tickForm->addRow(QStringLiteral("Increment"), c.TickMarkInc);
  tickForm->addRow(QStringLiteral("Length"), lengthRow);
  tickForm->addRow(QStringLiteral("Grid Style"), gridStyleRow);

  c.ShowTMLabels = new QCheckBox(QStringLiteral("Show Labels"));
  c.ShowTMLabels->setObjectName(name("E%1ShowTMLabels"));
  c.TMLabelFormat = new QComboBox;
  c.TMLabelFormat->setObjectName(name("E%1TMLabelFormat"));
  for (const char* format : kNumberFormatNames) c.TMLabelFormat->addItem(QString::fromLatin1(format));
  c.ShowTMLabelComa = new QCheckBox(QStringLiteral(","));
  c.ShowTMLabelComa->setObjectName(name("E%1ShowTMLabelComa"));
  c.ShowTMLabelComa->setToolTip(QStringLiteral("Thousands Separators"));
  c.ShowTMLabelPlus = new QCheckBox(QStringLiteral("+"));
  c.ShowTMLabelPlus->setObjectName(name("E%1ShowTMLabelPlus"));
  c.ShowTMLabelPlus->setToolTip(QStringLiteral("Plus Sign On Positive Numbers"));
  c.TMLabelDecPlaces = new QSpinBox;
  c.TMLabelDecPlaces->setObjectName(name("E%1TMLabelDecPlaces"));
  c.TMLabelDecPlaces->setRange(0, 18);
  c.DecPlacesCaption = new QLabel;
  c.DecPlacesCaption->setBuddy(c.TMLabelDecPlaces);
  // Wide enough for either caption, so the row does not jump when it changes.
  c.DecPlacesCaption->setMinimumWidth(
      c.DecPlacesCaption->fontMetrics().horizontalAdvance(QStringLiteral("Decimal Places")));
  c.FontButton = new QPushButton(QStringLiteral("Font..."));
  c.FontButton->setObjectName(name("%1FontButton"));
  c.FontText = new QLabel;

  auto* labels = new QGroupBox(QStringLiteral("Tick Mark Labels"));
  auto* labelForm = new QFormLayout(labels);
  labelForm->addRow(Row({c.ShowTMLabels}));
  labelForm->addRow(QStringLiteral("Format"), Row({c.TMLabelFormat, c.ShowTMLabelComa, c.ShowTMLabelPlus}));
  labelForm->addRow(c.DecPlacesCaption, Row({c.TMLabelDecPlaces}));
  labelForm->addRow(Row({c.FontButton, c.FontText}));

  auto* group = new QGroupBox(name("%1 Axis"));
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(line);
  layout->addWidget(ticks);
  layout->addWidget(labels);
  layout->addStretch();

  connect(c.TMLabelFormat, &QComboBox::currentIndexChanged, this, [this, &c] { FormatChanged(c); });
  connect(c.FontButton, &QPushButton::clicked, this, [this, &c] { FontClick(c); });
  return group;
}

void TSettings2DDlg::Load(TAxisControls& c, const TAxisSettings& axis, const TFontDesc& font) {
  c.ShowAxisLines->setChecked(axis.ShowAxisLines);
  c.LimitLoAxis->setText(QString::fromStdString(axis.LimitLoText));
  c.LimitHiAxis->setText(QString::fromStdString(axis.LimitHiText));
  c.AxisColorSample->SetColor(axis.AxisColor);
  c.AxisWidth->setValue(axis.AxisWidth);
  c.AxisWidthLabel->setNum(c.AxisWidth->value());
  CheckPenStyle(c.AxisStyle, axis.AxisStyle);
  c.TickMarkType->setCurrentIndex(axis.TickType < c.TickMarkType->count() ? int(axis.TickType) : int(ttNone));
  c.TMColorSample->SetColor(axis.TickColor);
  c.TickMarkInc->setText(QString::fromStdString(axis.IncText));
  c.TickMarkLength->setValue(axis.TickLength);
  c.TickMarkLengthLabel->setNum(c.TickMarkLength->value());
  CheckPenStyle(c.GridStyle, axis.GridStyle);
  c.ShowTMLabels->setChecked(axis.ShowLabels);
  c.TMLabelFormat->setCurrentIndex(axis.LabelFormat < c.TMLabelFormat->count() ? axis.LabelFormat : 0);
  c.ShowTMLabelComa->setChecked(axis.LabelComma);
  c.ShowTMLabelPlus->setChecked(axis.LabelPlus);
  c.TMLabelDecPlaces->setValue(axis.LabelDecimals);
  c.Font = font;
  c.FontText->setText(FontText(font));
  FormatChanged(c);
}

void TSettings2DDlg::FormatChanged(TAxisControls& c) {
  const int format = c.TMLabelFormat->currentIndex();
  const TFormatControls controls = FormatControls(format);
  c.ShowTMLabelComa->setEnabled(controls.commasAllowed);
  c.ShowTMLabelPlus->setEnabled(controls.plusAllowed);
  c.DecPlacesCaption->setText(QString::fromStdString(controls.caption));
  if (!loading_) c.TMLabelDecPlaces->setValue(DefaultPlaces(format));
}

void TSettings2DDlg::FontClick(TAxisControls& c) {
  if (PickFont(this, c.Font)) c.FontText->setText(FontText(c.Font));
}

bool TSettings2DDlg::ValidateFields() {
  for (TEditMathConst* field :
       {X.LimitLoAxis, X.LimitHiAxis, X.TickMarkInc, Y.LimitLoAxis, Y.LimitHiAxis, Y.TickMarkInc})
    if (!field->ValidateOrComplain()) return false;
  for (const TAxisControls* c : {&X, &Y}) {
    if (!CompareFields(c->LimitLoAxis->Check(), 5, c->LimitHiAxis->Check())) {
      c->LimitLoAxis->setFocus(Qt::OtherFocusReason);
      c->LimitLoAxis->selectAll();
      return false;
    }
  }
  return true;
}

void TSettings2DDlg::accept() {
  if (!ValidateFields()) return;
  Store(X, settings_.X, settings_.XLabelFont);
  Store(Y, settings_.Y, settings_.YLabelFont);
  settings_.BackColor = BackColorSample->Color();
  QDialog::accept();
}

void TSettings2DDlg::Store(const TAxisControls& c, TAxisSettings& axis, TFontDesc& font) const {
  axis.ShowAxisLines = c.ShowAxisLines->isChecked();
  axis.LimitLoText = c.LimitLoAxis->text().toStdString();
  axis.LimitLoEmpty = c.LimitLoAxis->IsEmpty();
  axis.LimitLo = c.LimitLoAxis->Value();
  axis.LimitHiText = c.LimitHiAxis->text().toStdString();
  axis.LimitHiEmpty = c.LimitHiAxis->IsEmpty();
  axis.LimitHi = c.LimitHiAxis->Value();
  axis.AxisColor = c.AxisColorSample->Color();
  axis.AxisWidth = c.AxisWidth->value();
  axis.AxisStyle = CheckedPenStyle(c.AxisStyle);
  axis.TickType = std::uint8_t(std::max(c.TickMarkType->currentIndex(), 0));
  axis.TickColor = c.TMColorSample->Color();
  axis.IncText = c.TickMarkInc->text().toStdString();
  axis.Inc = c.TickMarkInc->Value();
  axis.TickLength = c.TickMarkLength->value();
  axis.GridStyle = CheckedPenStyle(c.GridStyle);
  axis.ShowLabels = c.ShowTMLabels->isChecked();
  axis.LabelFormat = std::uint8_t(std::max(c.TMLabelFormat->currentIndex(), 0));
  axis.LabelComma = c.ShowTMLabelComa->isChecked();
  axis.LabelPlus = c.ShowTMLabelPlus->isChecked();
  axis.LabelDecimals = c.TMLabelDecPlaces->value();
  font = c.Font;
}

}  // namespace plotix
