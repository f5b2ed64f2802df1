#pragma once
// The function calculator: evaluates Y=f(x,z) at one point so a definition can be
// checked before it is graphed.

#include <QDialog>

class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace plotix {

class TCaculatorDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TCaculatorDlg(QWidget* parent = nullptr);

  // Shows a fresh calculator modally.
  static void Execute(QWidget* parent);

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
};

}  // namespace plotix
