#include "cartesian/function_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "expr/math_const_edit.h"
#include "platform/common_dialogs.h"
#include "platform/dialog_controls.h"
#include "platform/limits.h"
#include "platform/message_box.h"

namespace plotix {

namespace {
void SetBoundField(TEditMathConst* field, const char* name) {
  field->Check().SetBoundField(name);
  field->setToolTip(QStringLiteral("Leave empty for no bound"));
}

// The memo's lines as a list of strings: a final line break does not start another line.
std::vector<std::string> MemoLines(const QPlainTextEdit* memo) {
  QStringList parts = memo->toPlainText().split(QLatin1Char('\n'));
  if (parts.back().isEmpty()) parts.removeLast();
  std::vector<std::string> lines;
  lines.reserve(std::size_t(parts.size()));
  for (const QString& part : parts) lines.push_back(part.toStdString());
  return lines;
}

}  // namespace

TAdd2DFuncDlg::TAdd2DFuncDlg(TFunc2DObj& func, bool addMode, QWidget* parent)
    : TOkCancelDlg(parent, addMode ? QStringLiteral("Add 2D Function") : QStringLiteral("Modify 2D Function"),
                   "cartesian.md#add-2d-function-and-modify-2d-function"),
      EName(NewNameField(func)),
      EUserFuncStr(new QLineEdit),
      ELoBoundStr(new TEditMathConst),
      EHiBoundStr(new TEditMathConst),
      EAsymFixUp(new QCheckBox(QStringLiteral("Vertical Asymptote Fix Up."))),
      EExtraUndefAccuracy(new QCheckBox(QStringLiteral("Near Undefined Points."))),
      Style(new TPlotStyleRow(true)),
      EForcePointsMemo(new QPlainTextEdit),
      EFirstDerivative(new QCheckBox(QStringLiteral("&First Derivative"))),
      ESecondDerivative(new QCheckBox(QStringLiteral("&Second Derivative"))),
      EIntegral(new QCheckBox(QStringLiteral("&Integral Curve"))),
      EX0Str(new TEditMathConst),
      EY0Str(new TEditMathConst),
      func_(func) {
  SetBoundField(ELoBoundStr, "Lower Bound");
  SetBoundField(EHiBoundStr, "Upper Bound");
  EUserFuncStr->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 50);
  EForcePointsMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  EForcePointsMemo->setTabChangesFocus(true);
  EForcePointsMemo->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 18);

  // Y=f(x)= with the name f in its own field.
  auto* definition = new QHBoxLayout;
  definition->setSpacing(2);
  definition->addWidget(new QLabel(QStringLiteral("Y=")));
  definition->addWidget(EName);
  auto* definitionLabel = new QLabel(QStringLiteral("(x)="));
  definitionLabel->setBuddy(EUserFuncStr);
  definition->addWidget(definitionLabel);
  definition->addWidget(EUserFuncStr, 1);

  auto* bounds = new QGroupBox(QStringLiteral("Bounds"));
  auto* boundsLayout = new QHBoxLayout(bounds);
  boundsLayout->addWidget(ELoBoundStr, 1);
  boundsLayout->addWidget(new QLabel(QStringLiteral("<= X <=")));
  boundsLayout->addWidget(EHiBoundStr, 1);

  auto* drawing = new QGroupBox(QStringLiteral("Drawing"));
  auto* drawingLayout = new QGridLayout(drawing);
  drawingLayout->addWidget(new QLabel(QStringLiteral("Attempt Positive to Negative")), 0, 0);
  drawingLayout->addWidget(EAsymFixUp, 0, 1, 1, 2);
  drawingLayout->addWidget(new QLabel(QStringLiteral("Attempt Extra Drawing Accuracy")), 1, 0);
  drawingLayout->addWidget(EExtraUndefAccuracy, 1, 1, 1, 2);
  drawingLayout->addWidget(Style, 2, 0, 1, 3);
  drawingLayout->setColumnStretch(1, 1);

  // Curves that follow the function: F(x0) = y0 picks the integral curve.
  auto* curves = new QGroupBox(QStringLiteral("Add Curves"));
  auto* curvesLayout = new QGridLayout(curves);
  curvesLayout->addWidget(EFirstDerivative, 0, 0, 1, 2);
  curvesLayout->addWidget(ESecondDerivative, 0, 2, 1, 2);
  curvesLayout->addWidget(EIntegral, 1, 0);
  auto* x0Label = new QLabel(QStringLiteral("x&0="));
  x0Label->setBuddy(EX0Str);
  auto* y0Label = new QLabel(QStringLiteral("F(x0)="));
  y0Label->setBuddy(EY0Str);
  curvesLayout->addWidget(x0Label, 1, 1, Qt::AlignRight);
  curvesLayout->addWidget(EX0Str, 1, 2);
  curvesLayout->addWidget(y0Label, 1, 3, Qt::AlignRight);
  curvesLayout->addWidget(EY0Str, 1, 4);
  EX0Str->Check().SetBoundField("x0", false);
  EY0Str->Check().SetBoundField("F(x0)", false);
  EX0Str->setText(QStringLiteral("0"));
  EY0Str->setText(QStringLiteral("0"));
  for (TEditMathConst* field : {EX0Str, EY0Str}) {
    field->setEnabled(false);
    connect(EIntegral, &QCheckBox::toggled, field, &QWidget::setEnabled);
  }

  auto* left = new QVBoxLayout;
  left->addWidget(bounds);
  left->addWidget(drawing);
  left->addWidget(curves);
  left->addStretch();

  auto* special = new QGroupBox(QStringLiteral("Special X Values to Plot"));
  auto* specialLayout = new QVBoxLayout(special);
  specialLayout->addWidget(EForcePointsMemo);

  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addWidget(special);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(definition);
  layout->addLayout(columns, 1);
  layout->addWidget(Buttons);

  scratch_ = func.Func;
  EUserFuncStr->setText(QString::fromStdString(func.Func.Expression()));
  ELoBoundStr->setText(QString::fromStdString(func.LoBoundText));
  EHiBoundStr->setText(QString::fromStdString(func.HiBoundText));
  EAsymFixUp->setChecked(func.AsymptoteFixUp);
  EExtraUndefAccuracy->setChecked(func.ExtraAccuracy);
  Style->SetStyle(func.Style);
  QStringList lines;
  for (const std::string& line : func.SpecialXLines) lines << QString::fromStdString(line);
  EForcePointsMemo->setPlainText(lines.join(QLatin1Char('\n')));

  FocusField(EUserFuncStr);
}

bool TAdd2DFuncDlg::ParseSpecialValues(const std::vector<std::string>& lines) {
  specialChanged_ = lines != func_.SpecialXLines;
  if (!specialChanged_) return true;
  special_.clear();
  TMathConstCheck value;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!value.Validate(lines[i])) {
      ShowFieldError("Special X Values to Plot, Line Number " + std::to_string(i + 1),
                     MathErrorText(value.ErrorCode(), value.ErrorPosition()));
      special_.clear();
      return false;
    }
    special_.push_back(value.Value());
  }
  return true;
}

bool TAdd2DFuncDlg::Validate() {
  if (!ELoBoundStr->ValidateOrComplain() || !EHiBoundStr->ValidateOrComplain()) return false;
  if (!BoundsInOrder(ELoBoundStr, EHiBoundStr)) return false;
  const std::vector<std::string> lines = MemoLines(EForcePointsMemo);
  if (lines.size() > std::size_t(kMaxSpecialValues)) {
    ShowMessage(TMsgKind::Error,
                "Special X Values to Plot, Can Not Contain More Than " + std::to_string(kMaxSpecialValues) + " Values");
    FocusField(EForcePointsMemo);
    return false;
  }
  if (!ParseSpecialValues(lines)) {
    FocusField(EForcePointsMemo);
    return false;
  }
  return CheckFunctionName(EName, &func_) &&
         CompileDefinition(scratch_, EUserFuncStr, "Function Definition", &func_, EName->text().toStdString()) &&
         NewCurves();
}

bool TAdd2DFuncDlg::NewCurves() {
  curves_.clear();
  if (EFirstDerivative->isChecked()) curves_.push_back({TDerivedKind::FirstDerivative});
  if (ESecondDerivative->isChecked()) curves_.push_back({TDerivedKind::SecondDerivative});
  if (!EIntegral->isChecked()) return true;
  if (!EX0Str->ValidateOrComplain() || !EY0Str->ValidateOrComplain()) return false;
  curves_.push_back({TDerivedKind::Integral, EX0Str->text().toStdString(), EY0Str->text().toStdString(),
                     EX0Str->Value(), EY0Str->Value()});
  return true;
}

void TAdd2DFuncDlg::accept() {
  if (!Validate()) return;
  func_.RequestCurves(curves_);
  func_.Func = scratch_;
  func_.Name = EName->text().toStdString();
  func_.LoBoundText = ELoBoundStr->text().toStdString();
  func_.LoBoundEmpty = ELoBoundStr->IsEmpty();
  func_.LoBound = ELoBoundStr->Value();
  func_.HiBoundText = EHiBoundStr->text().toStdString();
  func_.HiBoundEmpty = EHiBoundStr->IsEmpty();
  func_.HiBound = EHiBoundStr->Value();
  func_.AsymptoteFixUp = EAsymFixUp->isChecked();
  func_.ExtraAccuracy = EExtraUndefAccuracy->isChecked();
  func_.Style = Style->Style();
  if (specialChanged_) {
    func_.SpecialXLines = MemoLines(EForcePointsMemo);
    func_.SetSpecialX(special_);
  }
  QDialog::accept();
}

}  // namespace plotix
