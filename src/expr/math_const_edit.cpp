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

bool CompileDefinition(TMathGraphFunc& func, QLineEdit* definition, const std::string& name) {
  func.SetExpression(definition->text().toStdString());
  while (!func.Compile()) {
    if (!OfferParameter(func.Expression(), func.ErrorCode(), func.ErrorPosition())) break;
    func.UseParameters(ParameterHost()->Parameters());
  }
  if (func.State() == 2) return true;
  ShowFieldError(name, func.GetErrorText());
  FocusField(definition);
  return false;
}

}  // namespace plotix
