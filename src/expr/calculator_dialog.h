#pragma once
// The function calculator: evaluates Y=f(x,z) at one point so a definition can be
// checked before it is graphed.

#include <QDialog>

#include <memory>

#include "expr/graph_scope.h"

class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace plotix {

class TCaculatorDlg : public QDialog {
  Q_OBJECT

 public:
  // names: the active graph's parameters, which the function may read like constants, and
  // functions, which it may call.
  explicit TCaculatorDlg(QWidget* parent = nullptr, std::unique_ptr<TGraphScope> names = nullptr);

  // Shows a fresh calculator modally.
  static void Execute(QWidget* parent, std::unique_ptr<TGraphScope> names);

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

  std::unique_ptr<TGraphScope> names_;
};

}  // namespace plotix
