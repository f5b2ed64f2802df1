#include "polar/function_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <limits>

#include "expr/math_const_edit.h"
#include "platform/common_dialogs.h"
#include "platform/dialog_controls.h"
#include "platform/limits.h"
#include "platform/message_box.h"

namespace plotix {

namespace {
void SetThetaBoundField(TEditMathConst* field, const char* name) {
  TMathConstCheck& check = field->Check();
  check.emCtrlErrorName = name;
  check.emBoundsCheck = CheckLoBound | LoBoundCanEqual | CheckHiBound | HiBoundCanEqual;
  check.emLoBoundStr = kMinThetaBoundText;
  check.emLoBoundVal = -kMaxThetaBound;
  check.emHiBoundStr = kMaxThetaBoundText;
  check.emHiBoundVal = kMaxThetaBound;
}
}  // namespace

TAddPolarFuncDlg::TAddPolarFuncDlg(TFuncPolarObj& func, bool addMode, QWidget* parent)
    : TOkCancelDlg(parent, addMode ? QStringLiteral("Add Polar Function") : QStringLiteral("Modify Polar Function"),
                   "polar.md#add-polar-function-and-modify-polar-function"),
      EName(NewNameField(func)),
      EUserFuncStr(new QLineEdit),
      ELoBoundStr(new TEditMathConst),
      EHiBoundStr(new TEditMathConst),
      ESamples(new QSpinBox),
      Style(new TPlotStyleRow(true)),
      func_(func) {
  SetThetaBoundField(ELoBoundStr, "Lower Bound");
  SetThetaBoundField(EHiBoundStr, "Upper Bound");
  EUserFuncStr->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 50);
  // Any count can be typed; OK names the allowed range, and a count read from a file
  // stays as it is while the field is left alone.
  ESamples->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  ESamples->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));

  auto* definition = new QGroupBox(QStringLiteral("Function Definition"));
  auto* definitionLayout = new QGridLayout(definition);
  // R=f(Theta)= with the name f in its own field.
  auto* rLabel = new QLabel(QStringLiteral("(Theta)="));
  rLabel->setBuddy(EUserFuncStr);
  auto* nameRow = new QHBoxLayout;
  nameRow->setSpacing(2);
  nameRow->addWidget(new QLabel(QStringLiteral("R=")));
  nameRow->addWidget(EName);
  nameRow->addWidget(rLabel);
  definitionLayout->addLayout(nameRow, 0, 0);
  definitionLayout->addWidget(EUserFuncStr, 0, 1, 1, 3);
  definitionLayout->addWidget(
      new QLabel(QStringLiteral("The Word 'Theta' or an 'X' Can be Used as The Variable Here.")), 1, 1, 1, 3);
  definitionLayout->addWidget(new QLabel(QStringLiteral("Lower Bound (Radians)")), 2, 1);
  definitionLayout->addWidget(new QLabel(QStringLiteral("Upper Bound")), 2, 3);
  definitionLayout->addWidget(ELoBoundStr, 3, 1);
  definitionLayout->addWidget(new QLabel(QStringLiteral("<= Theta <=")), 3, 2);
  definitionLayout->addWidget(EHiBoundStr, 3, 3);

  auto* properties = new QGroupBox(QStringLiteral("Properties"));
  auto* propertiesLayout = new QGridLayout(properties);
  auto* samplesLabel = new QLabel(QStringLiteral("Samples"));
  samplesLabel->setBuddy(ESamples);
  propertiesLayout->addWidget(samplesLabel, 0, 0);
  propertiesLayout->addWidget(ESamples, 0, 1);
  propertiesLayout->addWidget(Style, 1, 0, 1, 3);
  propertiesLayout->setColumnStretch(1, 1);

  LayOut({definition, properties});

  scratch_ = func.Func;
  EUserFuncStr->setText(QString::fromStdString(func.Func.Expression()));
  ELoBoundStr->setText(QString::fromStdString(func.LoBoundText));
  EHiBoundStr->setText(QString::fromStdString(func.HiBoundText));
  ESamples->setValue(func.Samples);
  Style->SetStyle(func.Style);

  FocusField(EUserFuncStr);
}

bool TAddPolarFuncDlg::Validate() {
  if (!ELoBoundStr->ValidateOrComplain() || !EHiBoundStr->ValidateOrComplain()) return false;
  if (!BoundsInOrder(ELoBoundStr, EHiBoundStr)) return false;
  const int samples = ESamples->value();
  if (samples != func_.Samples && (samples < kMinPolarSamples || samples > kMaxPolarSamples)) {
    ShowMessage(TMsgKind::Error, "Error: Samples must be >= 10 and <= 100,000", TMsgButtons::OK);
    ESamples->setFocus();
    ESamples->selectAll();
    return false;
  }
  return CheckFunctionName(EName, &func_) &&
         CompileDefinition(scratch_, EUserFuncStr, "Function Definition", &func_, EName->text().toStdString());
}

void TAddPolarFuncDlg::accept() {
  if (!Validate()) return;
  func_.Func = scratch_;
  func_.Name = EName->text().toStdString();
  func_.LoBoundText = ELoBoundStr->text().toStdString();
  func_.LoBound = ELoBoundStr->Value();
  func_.HiBoundText = EHiBoundStr->text().toStdString();
  func_.HiBound = EHiBoundStr->Value();
  func_.Samples = ESamples->value();
  func_.Style = Style->Style();
  QDialog::accept();
}

}  // namespace plotix
