#include "expr/calculator_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "expr/calculation.h"
#include "expr/math_codes.h"
#include "platform/dialog_controls.h"

namespace plotix {

TCaculatorDlg::TCaculatorDlg(QWidget* parent, std::unique_ptr<TGraphScope> names)
    : QDialog(parent),
      EFunctionStr(new QLineEdit),
      EXValue(new QLineEdit(QStringLiteral("0"))),
      EZValue(new QLineEdit(QStringLiteral("0"))),
      EResult(new QLineEdit),
      RDecimal(new QRadioButton(QStringLiteral("Decimal"))),
      RScientific(new QRadioButton(QStringLiteral("Scientific"))),
      BCalculate(new QPushButton(QStringLiteral("C&alculate"))),
      BClose(new QPushButton(QStringLiteral("&Close"))),
      names_(std::move(names)) {
  setWindowTitle(QStringLiteral("Function Calculator"));

  // Room for a typical definition, and for the longest message in the result field.
  EFunctionStr->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 56);
  int longest = 0;
  for (int code = meEmpty; code <= meCircularReference; ++code)
    longest = std::max(longest, EResult->fontMetrics().horizontalAdvance(QString::fromStdString(
                                    "Function Definition: " + MathErrorText(code, kMaxExpressionLength))));
  EResult->setMinimumWidth(longest + EResult->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 2);
  EResult->setReadOnly(true);

  auto* definition = new QGroupBox(QStringLiteral("Function Definition"));
  auto* definitionLayout = new QFormLayout(definition);
  definitionLayout->addRow(QStringLiteral("Y=f(x,z)="), EFunctionStr);
  definitionLayout->addRow(QStringLiteral("X="), EXValue);
  definitionLayout->addRow(QStringLiteral("Z="), EZValue);

  auto* result = new QGroupBox(QStringLiteral("Function Result"));
  auto* resultLayout = new QFormLayout(result);
  resultLayout->addRow(QStringLiteral("Y=f(x,z)="), EResult);

  auto* format = new QGroupBox(QStringLiteral("Result Format"));
  auto* formatLayout = new QHBoxLayout(format);
  formatLayout->addWidget(RDecimal);
  formatLayout->addWidget(RScientific);
  formatLayout->addStretch();
  RDecimal->setChecked(true);

  auto* buttons = new QDialogButtonBox;
  buttons->addButton(BCalculate, QDialogButtonBox::ActionRole);
  buttons->addButton(BClose, QDialogButtonBox::RejectRole);
  BCalculate->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(definition);
  layout->addWidget(result);
  layout->addWidget(format);
  layout->addStretch();
  layout->addWidget(buttons);

  connect(BCalculate, &QPushButton::clicked, this, &TCaculatorDlg::CalculateClick);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  AddHelpButton(this, buttons, "calculator.md#function-calculator");

  EFunctionStr->setFocus();
}

void TCaculatorDlg::Execute(QWidget* parent, std::unique_ptr<TGraphScope> names) {
  TCaculatorDlg dialog(parent, std::move(names));
  dialog.exec();
}

void TCaculatorDlg::CalculateClick() {
  const TCalcOutcome outcome = Calculate(EFunctionStr->text().toStdString(), EXValue->text().toStdString(),
                                         EZValue->text().toStdString(), RScientific->isChecked(), names_.get());
  EResult->setText(QString::fromStdString(outcome.text));
  EResult->setCursorPosition(0);  // a long error text shows its beginning
  QLineEdit* focus = outcome.focus == TCalcOutcome::Function    ? EFunctionStr
                     : outcome.focus == TCalcOutcome::VariableX ? EXValue
                     : outcome.focus == TCalcOutcome::VariableZ ? EZValue
                                                                : nullptr;
  if (focus) {
    focus->setFocus();
    focus->selectAll();
  }
}

}  // namespace plotix
