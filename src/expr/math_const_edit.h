#pragma once
// TEditMathConst: the numeric entry field of every dialog. Its text is a constant
// expression ("2pi", "sqrt(2)/2"); the checking itself lives in TMathConstCheck. Also the
// checks the function dialogs make on their fields.

#include <QLineEdit>
#include <string>

#include "expr/math_const_check.h"

namespace plotix {

class TBaseFuncObj;
class TMathGraphFunc;

class TEditMathConst : public QLineEdit {
  Q_OBJECT

 public:
  explicit TEditMathConst(QWidget* parent = nullptr);

  // The field's name and bounds (set by the owning dialog) and its last validation.
  TMathConstCheck& Check() { return check_; }
  const TMathConstCheck& Check() const { return check_; }

  bool Validate();
  // Validate; on failure shows ErrorText in an error box and puts the focus back here.
  bool ValidateOrComplain();
  std::string ErrorText() const { return check_.ErrorText(); }

  Extended Value() const { return check_.Value(); }
  bool IsEmpty() const { return check_.IsEmpty(); }
  bool IsValid() const { return check_.IsValid(); }

 private:
  TMathConstCheck check_;
};

// False after complaining that a validated lower bound lies above the upper one; an empty
// bound is open.
bool BoundsInOrder(TEditMathConst* lo, const TEditMathConst* hi);
// Compiles the definition field's text into func, a definition of the function `edited` (null
// for a new one), with the names of the graph the dialog was opened from; callName: the name
// func is called by, for the definition others call, so that a call back into it is found.
// Offers to make each unknown name a parameter of the graph; false after complaining about
// the field of that name, with the focus on it.
// A narrow field for a function's name, holding the function's name.
QLineEdit* NewNameField(const TBaseFuncObj& func);
// False after complaining that the field's text can not name the edited function (null for a
// new one) in the graph the dialog was opened from, with the focus on the field.
bool CheckFunctionName(QLineEdit* field, const TBaseFuncObj* edited);

bool CompileDefinition(TMathGraphFunc& func, QLineEdit* definition, const std::string& name = "Function Definition",
                       const TBaseFuncObj* edited = nullptr, const std::string& callName = {});

}  // namespace plotix
