#pragma once
// The function calculator: evaluates Y=f(x,z) at one point so a definition can be
// checked before it is graphed.

#include <QDialog>

#include "expr/parameters.h"

class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace plotix {

class TCaculatorDlg : public QDialog {
  Q_OBJECT

 public:
  // parameters: the active graph's, which the function may read like constants.
  explicit TCaculatorDlg(QWidget* parent = nullptr, TParameterList parameters = {});

  // Shows a fresh calculator modally.
  static void Execute(QWidget* parent, const TParameterList& parameters);

  QLineEdit* EFunctionStr;
  QLineEdit* EXValue;
  QLineEdit* EZValue;
  QLineEdit* EResult;
  QRadioButton* RDecimal;
  QRadioButton* RScientific;
  QPushButton* BCalculate;
  QPushButton* BClose;

 private:
  void CalculateClick();

  TParameterList parameters_;
};

}  // namespace plotix
