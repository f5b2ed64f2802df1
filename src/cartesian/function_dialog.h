#pragma once
// TAdd2DFuncDlg: creates or modifies one 2D function (definition, x bounds, drawing
// refinements, colour, line width and the special x values to plot).

#include <string>
#include <vector>

#include "cartesian/function.h"
#include "platform/dialog_controls.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace plotix {

class TPlotStyleRow;
class TEditMathConst;

class TAdd2DFuncDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  // Loads the controls from the function; OK writes them back, Cancel leaves it alone.
  TAdd2DFuncDlg(TFunc2DObj& func, bool addMode, QWidget* parent = nullptr);

  // Validates and stores; a failure shows its message, focuses the offending control and
  // keeps the dialog open.
  void accept() override;

  QLineEdit* EName;
  QLineEdit* EUserFuncStr;
  TEditMathConst* ELoBoundStr;
  TEditMathConst* EHiBoundStr;
  QCheckBox* EAsymFixUp;
  QCheckBox* EExtraUndefAccuracy;
  TPlotStyleRow* Style;
  QPlainTextEdit* EForcePointsMemo;
  // The curves to add beside the function.
  QCheckBox* EFirstDerivative;
  QCheckBox* ESecondDerivative;
  QCheckBox* EIntegral;
  TEditMathConst* EX0Str;
  TEditMathConst* EY0Str;

 private:
  bool Validate();
  // Parses the memo's lines unless they are the function's own; false after a complaint.
  bool ParseSpecialValues(const std::vector<std::string>& lines);
  // The curves the boxes ask for; false after a complaint about x0 or F(x0).
  bool NewCurves();

  TFunc2DObj& func_;
  TMath2DFunc scratch_;
  std::vector<Extended> special_;
  bool specialChanged_ = false;
  std::vector<TDerivedRequest> curves_;
};

}  // namespace plotix
