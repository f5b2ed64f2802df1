#pragma once
// The checking behind every constant-expression field of the dialogs: the text is a
// constant expression, its value is checked against optional bounds, and failures are
// reported in fixed words. TEditMathConst (the widget) holds one of these.

#include <string>

#include "platform/extended.h"

namespace plotix {

enum TEditMathBound : unsigned {
  AllowEmpty = 1u << 0,
  CheckLoBound = 1u << 1,
  LoBoundCanEqual = 1u << 2,
  CheckHiBound = 1u << 3,
  HiBoundCanEqual = 1u << 4,
};
using TEditMathBounds = unsigned;  // a set of TEditMathBound

class TMathConstCheck {
 public:
  // Properties, set by the dialog that owns the field.
  TEditMathBounds emBoundsCheck = 0;
  std::string emCtrlErrorName;
  std::string emLoBoundStr;
  Extended emLoBoundVal = 0;
  std::string emHiBoundStr;
  Extended emHiBoundVal = 0;

  // Names the field and bounds it by ±1,000,000,000,000 (bounds and axis limits: empty
  // text allowed unless said otherwise) or by (0, 1,000,000,000,000] (increments).
  void SetBoundField(const std::string& name, bool allowEmpty = true);
  void SetIncrementField(const std::string& name);

  // Compiles the text and checks the bounds; sets value, error, empty and valid.
  bool Validate(const std::string& text);
  std::string ErrorText() const;

  int ErrorCode() const { return error_; }
  int ErrorPosition() const { return errorPos_; }
  Extended Value() const { return value_; }
  bool IsEmpty() const { return empty_; }
  bool IsValid() const { return valid_; }

 private:
  int error_ = 1;
  int errorPos_ = 0;
  Extended value_ = 0;
  bool empty_ = false;
  bool valid_ = false;
};

// "Error in: " + name + ": " + message, in an error box with an OK button.
void ShowFieldError(const std::string& name, const std::string& message);

// Compares two validated fields by relation 0..5 (=, <>, >, <, >=, <=); passes when
// either is invalid or empty; a failing relation shows its message and returns false.
bool CompareFields(const TMathConstCheck& a, int relation, const TMathConstCheck& b);

}  // namespace plotix
