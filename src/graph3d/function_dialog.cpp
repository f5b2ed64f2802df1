#include "graph3d/function_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "expr/math_const_edit.h"
#include "platform/common_dialogs.h"
#include "platform/dialog_controls.h"
#include "platform/message_box.h"

namespace plotix {

namespace {
const char* const kOrientationItems[3] = {"X=f(y,z)=", "Y=f(x,z)=", "Z=f(x,y)="};
}  // namespace

void Set3DValueField(TEditMathConst* field, const std::string& name) {
  TMathConstCheck& check = field->Check();
  check.emCtrlErrorName = name;
  check.emBoundsCheck = CheckLoBound | LoBoundCanEqual | CheckHiBound | HiBoundCanEqual;
  check.emLoBoundStr = "-700";
  check.emLoBoundVal = -kMax3DValue;
  check.emHiBoundStr = "700";
  check.emHiBoundVal = kMax3DValue;
}

void LimitDetail(const QSpinBox* lines, QSpinBox* detail) {
  const int most = MaxDetailForLines(lines->value());
  detail->setMaximum(most);  // lowers a larger value
  detail->setReadOnly(most == 0);
}

QSpinBox* WireLinesField(QSpinBox* detail) {
  auto* lines = new QSpinBox;
  lines->setRange(0, kMaxWireLines);
  detail->setRange(0, MaxDetailForLines(0));
  QObject::connect(lines, &QSpinBox::valueChanged, detail, [lines, detail] { LimitDetail(lines, detail); });
  return lines;
}

TAdd3DFuncDlg::TAdd3DFuncDlg(TFunc3DObj& func, bool addMode, QWidget* parent)
    : TOkCancelDlg(parent, addMode ? QStringLiteral("Add 3D Function") : QStringLiteral("Modify 3D Function"),
                   "graph3d.md#add-3d-function-and-modify-3d-function"),
      EOrientation(new QComboBox),
      EUserFuncStr(new QLineEdit),
      Style(new TPlotStyleRow(false)),
      ERoundDown(new QRadioButton(QStringLiteral("Round Down"))),
      EDontDraw(new QRadioButton(QStringLiteral("Don't Draw"))),
      func_(func),
      scratch_(func.Func),
      orientation_(func.Func.Orientation()) {
  EOrientation->setEditable(true);
  EOrientation->setInsertPolicy(QComboBox::NoInsert);
  for (const char* item : kOrientationItems) EOrientation->addItem(QString::fromLatin1(item));
  EUserFuncStr->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 50);

  auto* definition = new QHBoxLayout;
  definition->addWidget(EOrientation);
  definition->addWidget(EUserFuncStr, 1);

  auto* variables = new QHBoxLayout;
  for (std::size_t v = 0; v < Vars.size(); ++v) {
    TVariableControls& c = Vars[v];
    c.EDetail = new QSpinBox;
    c.ELines = WireLinesField(c.EDetail);
    c.ELoBound = new TEditMathConst;
    c.EHiBound = new TEditMathConst;
    c.LinesCaption = new QLabel;
    c.Group = new QGroupBox;
    auto* form = new QFormLayout(c.Group);
    form->addRow(c.LinesCaption, c.ELines);
    form->addRow(QStringLiteral("Wire Detail"), c.EDetail);
    form->addRow(QStringLiteral("Lower Bound"), c.ELoBound);
    form->addRow(QStringLiteral("Upper Bound"), c.EHiBound);
    variables->addWidget(c.Group);
    // The lines at constant values of this variable are the other variable's lines.
    c.ELines->setValue(func.Vars[1 - v].Lines);
    c.EDetail->setValue(func.Vars[v].Detail);
    LimitDetail(c.ELines, c.EDetail);
    c.ELoBound->setText(QString::fromStdString(func.Vars[v].LoText));
    c.EHiBound->setText(QString::fromStdString(func.Vars[v].HiText));
  }

  auto* appearance = new QHBoxLayout;
  appearance->addWidget(Style);
  auto* beyond = new QGroupBox(QStringLiteral("Values > 700"));
  auto* beyondLayout = new QHBoxLayout(beyond);
  beyondLayout->addWidget(ERoundDown);
  beyondLayout->addWidget(EDontDraw);
  appearance->addWidget(beyond);

  LayOut({definition, variables, appearance});

  connect(EOrientation, &QComboBox::activated, this, [this](int index) { SetOrientation(TOrientation(index + 1)); });
  connect(EOrientation->lineEdit(), &QLineEdit::editingFinished, this, &TAdd3DFuncDlg::OrientationExit);

  EUserFuncStr->setText(QString::fromStdString(func.Func.Expression()));
  Style->SetStyle(func.Style);
  (func.RoundDown ? ERoundDown : EDontDraw)->setChecked(true);
  SetOrientation(orientation_);

  FocusField(EUserFuncStr);
}

void TAdd3DFuncDlg::SetOrientation(TOrientation orientation) {
  orientation_ = orientation;
  scratch_.SetOrientation(orientation);
  EOrientation->setCurrentIndex(orientation - 1);
  EOrientation->setEditText(QString::fromLatin1(kOrientationItems[orientation - 1]));
  for (std::size_t v = 0; v < Vars.size(); ++v) {
    TVariableControls& c = Vars[v];
    const std::string letter = scratch_.VariableName(int(v)), other = scratch_.VariableName(int(1 - v));
    c.Group->setTitle(QString::fromStdString(letter + " Variable"));
    c.LinesCaption->setText(QString::fromStdString("Wire Lines Parallel to " + other + " Axis"));
    Set3DValueField(c.ELoBound, letter + " Lower Bound");
    Set3DValueField(c.EHiBound, letter + " Upper Bound");
  }
}

void TAdd3DFuncDlg::OrientationExit() {
  const QString text = EOrientation->currentText().trimmed().toUpper();
  const int letter = text.isEmpty() ? -1 : QStringLiteral("XYZ").indexOf(text[0]);
  SetOrientation(letter >= 0 ? TOrientation(letter + 1) : orientation_);
}

bool TAdd3DFuncDlg::Validate() {
  for (const TVariableControls& c : Vars)
    if (!c.ELoBound->ValidateOrComplain() || !c.EHiBound->ValidateOrComplain()) return false;
  for (std::size_t v = 0; v < Vars.size(); ++v) {
    const TVariableControls& c = Vars[v];
    if (c.EHiBound->Value() < c.ELoBound->Value()) {
      const std::string letter = scratch_.VariableName(int(v));
      ShowMessage(TMsgKind::Error, letter + " Lower Bound Must be <= " + letter + " Upper Bound", TMsgButtons::OK);
      FocusField(c.ELoBound);
      return false;
    }
  }
  return CompileDefinition(scratch_, EUserFuncStr);
}

void TAdd3DFuncDlg::accept() {
  OrientationExit();
  if (!Validate()) return;
  func_.Func = scratch_;
  for (std::size_t v = 0; v < Vars.size(); ++v) {
    TVariableControls& c = Vars[v];
    LimitDetail(c.ELines, c.EDetail);
    TSurfaceVariable& var = func_.Vars[v];
    func_.Vars[1 - v].Lines = c.ELines->value();
    var.Detail = c.EDetail->value();
    var.LoText = c.ELoBound->text().toStdString();
    var.Lo = c.ELoBound->Value();
    var.HiText = c.EHiBound->text().toStdString();
    var.Hi = c.EHiBound->Value();
  }
  func_.Style = Style->Style();
  func_.RoundDown = ERoundDown->isChecked();
  QDialog::accept();
}

}  // namespace plotix
