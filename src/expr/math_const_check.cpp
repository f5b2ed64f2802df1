#include "expr/math_const_check.h"

#include "expr/math_function.h"
#include "expr/number_format.h"
#include "platform/limits.h"
#include "platform/message_box.h"

namespace plotix {

void TMathConstCheck::SetBoundField(const std::string& name, bool allowEmpty) {
  emCtrlErrorName = name;
  emBoundsCheck = (allowEmpty ? AllowEmpty : 0u) | CheckLoBound | LoBoundCanEqual | CheckHiBound | HiBoundCanEqual;
  emLoBoundStr = kMinBoundText;
  emLoBoundVal = -kMaxBound;
  emHiBoundStr = kMaxBoundText;
  emHiBoundVal = kMaxBound;
}

void TMathConstCheck::SetIncrementField(const std::string& name) {
  emCtrlErrorName = name;
  emBoundsCheck = CheckLoBound | CheckHiBound | HiBoundCanEqual;
  emLoBoundStr = "0";
  emLoBoundVal = 0;
  emHiBoundStr = kMaxBoundText;
  emHiBoundVal = kMaxBound;
}

bool TMathConstCheck::Validate(const std::string& text) {
  valid_ = false;
  if ((emBoundsCheck & AllowEmpty) && text.empty()) {
    error_ = meNone;
    errorPos_ = 0;
    value_ = 0;
    empty_ = true;
    valid_ = true;
    return true;
  }
  empty_ = false;
  TMathFunction f;
  f.SetExpression(text);
  valid_ = f.Compile();
  error_ = f.ErrorCode();
  errorPos_ = f.ErrorPosition();
  value_ = f.Result();
  if (valid_) {
    if (emBoundsCheck & CheckLoBound)
      valid_ = (emBoundsCheck & LoBoundCanEqual) ? value_ >= emLoBoundVal : value_ > emLoBoundVal;
    if (valid_ && (emBoundsCheck & CheckHiBound))
      valid_ = (emBoundsCheck & HiBoundCanEqual) ? value_ <= emHiBoundVal : value_ < emHiBoundVal;
  }
  return valid_;
}

std::string TMathConstCheck::ErrorText() const {
  if (error_ != meNone) return "Error in: " + emCtrlErrorName + ": " + MathErrorText(error_, errorPos_);
  if (valid_) return "";
  std::string bounds;
  if (emBoundsCheck & CheckLoBound) {
    bounds += (emBoundsCheck & LoBoundCanEqual) ? ">= " : "> ";
    bounds += emLoBoundStr.empty() ? GeneralText(emLoBoundVal) : emLoBoundStr;
  }
  if (emBoundsCheck & CheckHiBound) {
    if (!bounds.empty()) bounds += " and ";
    bounds += (emBoundsCheck & HiBoundCanEqual) ? "<= " : "< ";
    bounds += emHiBoundStr.empty() ? GeneralText(emHiBoundVal) : emHiBoundStr;
  }
  return "Error: " + emCtrlErrorName + " must be " + bounds;
}

void ShowFieldError(const std::string& name, const std::string& message) {
  ShowMessage(TMsgKind::Error, "Error in: " + name + ": " + message, TMsgButtons::OK);
}

bool CompareFields(const TMathConstCheck& a, int relation, const TMathConstCheck& b) {
  if (!a.IsValid() || !b.IsValid() || a.IsEmpty() || b.IsEmpty()) return true;
  const Extended x = a.Value(), y = b.Value();
  bool holds;
  const char* words;
  switch (relation) {
    case 0:
      holds = x == y;
      words = " must equal ";
      break;
    case 1:
      holds = x != y;
      words = " can not equal ";
      break;
    case 2:
      holds = x > y;
      words = " must be > ";
      break;
    case 3:
      holds = x < y;
      words = " must be < ";
      break;
    case 4:
      holds = x >= y;
      words = " must be >= ";
      break;
    case 5:
      holds = x <= y;
      words = " must be <= ";
      break;
    default: return false;
  }
  if (!holds) ShowMessage(TMsgKind::Error, "Error: " + a.emCtrlErrorName + words + b.emCtrlErrorName, TMsgButtons::OK);
  return holds;
}

}  // namespace plotix
