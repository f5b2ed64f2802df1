#pragma once
// TAddPolarFuncDlg: creates or modifies one polar function (definition, theta bounds,
// samples, colour and line width).

#include "platform/dialog_controls.h"
#include "polar/function.h"

class QLineEdit;
class QSpinBox;

namespace plotix {

class TPlotStyleRow;
class TEditMathConst;

class TAddPolarFuncDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  // Loads the controls from the function; OK writes them back, Cancel leaves it alone.
  TAddPolarFuncDlg(TFuncPolarObj& func, bool addMode, QWidget* parent = nullptr);

  // Validates and stores; a failure shows its message, focuses the offending control and
  // keeps the dialog open.
  void accept() override;

  QLineEdit* EName;
  QLineEdit* EUserFuncStr;
  TEditMathConst* ELoBoundStr;
  TEditMathConst* EHiBoundStr;
  QSpinBox* ESamples;
  TPlotStyleRow* Style;

 private:
  bool Validate();

  TFuncPolarObj& func_;
  TMathPolarFunc scratch_;
};

}  // namespace plotix
