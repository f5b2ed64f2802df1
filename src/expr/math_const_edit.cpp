#include "expr/math_const_edit.h"

#include "expr/function_object.h"
#include "platform/dialog_controls.h"
#include "platform/message_box.h"

namespace plotix {

TEditMathConst::TEditMathConst(QWidget* parent) : QLineEdit(parent) {}

bool TEditMathConst::Validate() { return check_.Validate(text().toStdString()); }

bool TEditMathConst::ValidateOrComplain() {
  if (Validate()) return true;
  ShowMessage(TMsgKind::Error, ErrorText(), TMsgButtons::OK);
  setFocus(Qt::OtherFocusReason);
  selectAll();
  return false;
}

bool BoundsInOrder(TEditMathConst* lo, const TEditMathConst* hi) {
  if (lo->IsEmpty() || hi->IsEmpty() || !(hi->Value() < lo->Value())) return true;
  ShowMessage(TMsgKind::Error, "Lower Bound must be <= Upper Bound");
  FocusField(lo);
  return false;
}

QLineEdit* NewNameField(const TBaseFuncObj& func) {
  auto* field = new QLineEdit(QString::fromStdString(func.Name));
  field->setMaxLength(kMaxParameterName);
  field->setFixedWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 7);
  field->setToolTip(QStringLiteral("The name other definitions call the function by"));
  return field;
}

bool CheckFunctionName(QLineEdit* field, const TBaseFuncObj* edited) {
  const std::string error = HostFunctionNameError(field->text().toStdString(), edited);
  if (error.empty()) return true;
  ShowMessage(TMsgKind::Error, error, TMsgButtons::OK);
  FocusField(field);
  return false;
}

bool CompileDefinition(TMathGraphFunc& func, QLineEdit* definition, const std::string& name, const TBaseFuncObj* edited,
                       const std::string& callName) {
  func.SetExpression(definition->text().toStdString());
  for (;;) {
    const std::unique_ptr<TGraphScope> scope = HostScope(edited);
    if (!callName.empty()) scope->AddCallable(callName, func);
    if (func.UseNames(*scope) || !OfferParameter(func.Expression(), func.ErrorCode(), func.ErrorPosition())) break;
  }
  if (func.State() == 2) return true;
  ShowFieldError(name, func.GetErrorText());
  FocusField(definition);
  return false;
}

}  // namespace plotix
