#include "expr/math_const_edit.h"

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

}  // namespace plotix
