#include "cartesian/curve_dialogs.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "expr/math_const_edit.h"
#include "platform/limits.h"

namespace plotix {

namespace {

QLineEdit* DefinitionField(QWidget* dialog) {
  auto* field = new QLineEdit;
  field->setMinimumWidth(dialog->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 50);
  return field;
}

}  // namespace

TAddParametricDlg::TAddParametricDlg(TParametricFuncObj& func, bool addMode, QWidget* parent)
    : TOkCancelDlg(parent, addMode ? QStringLiteral("Add Parametric Curve") : QStringLiteral("Modify Parametric Curve"),
                   "curves.md#parametric-curves"),
      EName(NewNameField(func)),
      EXStr(DefinitionField(this)),
      EYStr(DefinitionField(this)),
      EFromStr(new TEditMathConst),
      EToStr(new TEditMathConst),
      Style(new TPlotStyleRow(true)),
      func_(func),
      x_(func.X),
      y_(func.Y) {
  EFromStr->Check().SetBoundField("t From", false);
  EToStr->Check().SetBoundField("t To", false);

  auto* definition = new QFormLayout;
  definition->addRow(QStringLiteral("&Name"), EName);
  definition->addRow(QStringLiteral("&x(t)="), EXStr);
  definition->addRow(QStringLiteral("&y(t)="), EYStr);

  auto* range = new QGroupBox(QStringLiteral("Parameter"));
  auto* rangeLayout = new QHBoxLayout(range);
  auto* fromLabel = new QLabel(QStringLiteral("t &From"));
  fromLabel->setBuddy(EFromStr);
  auto* toLabel = new QLabel(QStringLiteral("t &To"));
  toLabel->setBuddy(EToStr);
  rangeLayout->addWidget(fromLabel);
  rangeLayout->addWidget(EFromStr, 1);
  rangeLayout->addWidget(toLabel);
  rangeLayout->addWidget(EToStr, 1);

  LayOut({definition, range, Style});
  setTabOrder(EName, EXStr);
  setTabOrder(EXStr, EYStr);
  setTabOrder(EYStr, EFromStr);
  setTabOrder(EFromStr, EToStr);
  setTabOrder(EToStr, Style);

  EXStr->setText(QString::fromStdString(func.X.Expression()));
  EYStr->setText(QString::fromStdString(func.Y.Expression()));
  EFromStr->setText(QString::fromStdString(func.FromText));
  EToStr->setText(QString::fromStdString(func.ToText));
  Style->SetStyle(func.Style);
  FocusField(EXStr);
}

void TAddParametricDlg::accept() {
  if (!CheckFunctionName(EName, &func_) || !CompileDefinition(x_, EXStr, "x(t)", &func_) ||
      !CompileDefinition(y_, EYStr, "y(t)", &func_))
    return;
  if (!EFromStr->ValidateOrComplain() || !EToStr->ValidateOrComplain()) return;
  if (!CompareFields(EFromStr->Check(), 3, EToStr->Check())) {
    FocusField(EToStr);
    return;
  }
  func_.Name = EName->text().toStdString();
  func_.X = x_;
  func_.Y = y_;
  func_.FromText = EFromStr->text().toStdString();
  func_.From = EFromStr->Value();
  func_.ToText = EToStr->text().toStdString();
  func_.To = EToStr->Value();
  func_.Style = Style->Style();
  QDialog::accept();
}

TAddImplicitDlg::TAddImplicitDlg(TImplicitFuncObj& func, bool addMode, QWidget* parent)
    : TOkCancelDlg(parent, addMode ? QStringLiteral("Add Implicit Curve") : QStringLiteral("Modify Implicit Curve"),
                   "curves.md#implicit-curves"),
      EName(NewNameField(func)),
      EEquationStr(DefinitionField(this)),
      Style(new TPlotStyleRow(true)),
      func_(func),
      equation_(func.Equation) {
  EEquationStr->setPlaceholderText(QStringLiteral("x^2+y^2=4"));
  EEquationStr->setToolTip(QStringLiteral("LEFT = RIGHT in x and y, or an expression meaning = 0"));
  auto* definition = new QFormLayout;
  definition->addRow(QStringLiteral("&Name"), EName);
  definition->addRow(QStringLiteral("&Equation"), EEquationStr);
  LayOut({definition, Style});
  setTabOrder(EName, EEquationStr);
  EEquationStr->setText(QString::fromStdString(func.Equation.Text()));
  Style->SetStyle(func.Style);
  FocusField(EEquationStr);
}

void TAddImplicitDlg::accept() {
  if (!CheckFunctionName(EName, &func_)) return;
  const std::string text = EEquationStr->text().toStdString();
  while (!equation_.SetText(text, HostScope(&func_).get()) &&
         OfferParameter(text, equation_.ErrorCode(), equation_.ErrorPosition())) {
  }
  if (equation_.ErrorCode() != meNone) {
    ShowFieldError(equation_.ErrorField(), equation_.ErrorText());
    FocusField(EEquationStr);
    return;
  }
  func_.Name = EName->text().toStdString();
  func_.Equation = equation_;
  func_.Style = Style->Style();
  QDialog::accept();
}

TDerivedCurveDlg::TDerivedCurveDlg(TDerivedFuncObj& func, bool addMode, QWidget* parent)
    : TOkCancelDlg(parent,
                   QString::fromLatin1(addMode ? "Add " : "Modify ") + (func.Kind() == TDerivedKind::Integral
                                                                            ? QStringLiteral("Integral Curve")
                                                                            : QStringLiteral("Derivative Curve")),
                   "analysis.md#derivative-and-integral-curves"),
      EX0Str(func.Kind() == TDerivedKind::Integral ? new TEditMathConst : nullptr),
      EY0Str(EX0Str ? new TEditMathConst : nullptr),
      Style(new TPlotStyleRow(true)),
      func_(func) {
  auto* form = new QFormLayout;
  const std::string& of = func.Of();
  const char* what = func.Kind() == TDerivedKind::FirstDerivative    ? "'(x), the slope of "
                     : func.Kind() == TDerivedKind::SecondDerivative ? "''(x), the second derivative of "
                                                                     : "(x) = F(x0) + the integral of ";
  const std::string text =
      func.Kind() == TDerivedKind::Integral ? "F" + std::string(what) + of + " from x0 to x" : of + what + of;
  form->addRow(QStringLiteral("Curve"), new QLabel(QString::fromStdString(text)));
  if (EX0Str) {
    EX0Str->Check().SetBoundField("x0", false);
    EY0Str->Check().SetBoundField("F(x0)", false);
    EX0Str->setText(QString::fromStdString(func.Request().X0Text));
    EY0Str->setText(QString::fromStdString(func.Request().Y0Text));
    form->addRow(QStringLiteral("x&0="), EX0Str);
    form->addRow(QStringLiteral("&F(x0)="), EY0Str);
  }
  LayOut({form, Style});
  Style->SetStyle(func.Style);
  if (EX0Str) FocusField(EX0Str);
}

void TDerivedCurveDlg::accept() {
  TDerivedRequest request = func_.Request();
  if (EX0Str) {
    if (!EX0Str->ValidateOrComplain() || !EY0Str->ValidateOrComplain()) return;
    request.X0Text = EX0Str->text().toStdString();
    request.X0 = EX0Str->Value();
    request.Y0Text = EY0Str->text().toStdString();
    request.Y0 = EY0Str->Value();
  }
  func_.SetRequest(request);
  func_.Style = Style->Style();
  QDialog::accept();
}

}  // namespace plotix
