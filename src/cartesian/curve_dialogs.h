#pragma once
// The dialogs of the 2D graph's curves: TAddParametricDlg (x(t), y(t), the t range,
// colour and width), TAddImplicitDlg (the equation, colour and width) and TDerivedCurveDlg
// (a derivative's colour and width, an integral curve's x0 and F(x0) too).

#include "cartesian/curve_functions.h"
#include "cartesian/derived_function.h"
#include "platform/dialog_controls.h"

class QLineEdit;

namespace plotix {

class TEditMathConst;
class TPlotStyleRow;

class TAddParametricDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  // Loads the controls from the curve; OK writes them back, Cancel leaves it alone.
  TAddParametricDlg(TParametricFuncObj& func, bool addMode, QWidget* parent = nullptr);

  // Validates and stores; a failure shows its message, focuses the offending field and
  // keeps the dialog open.
  void accept() override;

  QLineEdit* EName;
  QLineEdit* EXStr;
  QLineEdit* EYStr;
  TEditMathConst* EFromStr;
  TEditMathConst* EToStr;
  TPlotStyleRow* Style;

 private:
  TParametricFuncObj& func_;
  TMathParametricFunc x_, y_;
};

class TAddImplicitDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  TAddImplicitDlg(TImplicitFuncObj& func, bool addMode, QWidget* parent = nullptr);

  void accept() override;

  QLineEdit* EName;
  QLineEdit* EEquationStr;
  TPlotStyleRow* Style;

 private:
  TImplicitFuncObj& func_;
  TImplicitEquation equation_;
};

class TDerivedCurveDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  TDerivedCurveDlg(TDerivedFuncObj& func, bool addMode, QWidget* parent = nullptr);

  void accept() override;

  TEditMathConst* EX0Str;  // null for a derivative
  TEditMathConst* EY0Str;
  TPlotStyleRow* Style;

 private:
  TDerivedFuncObj& func_;
};

}  // namespace plotix
