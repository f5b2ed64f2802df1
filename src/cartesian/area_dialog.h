#pragma once
// TAreaDlg: "Area", the definite integral of a y = f(x) function between two bounds, or of
// its difference from another function, with an error estimate; the area is shaded on the
// graph while the dialog is open.

#include <QDialog>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace plotix {

class TEditMathConst;
class TFunc2DWindow;

class TAreaDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TAreaDlg(TFunc2DWindow& graph, QWidget* parent = nullptr);
  ~TAreaDlg() override;

  // The integral for the fields, shown with its estimate and shaded, or what is wrong.
  void Calculate();

  QComboBox* EFunction;
  QComboBox* EBetween;  // the x axis, or another function (its item data: its list index; -1 the axis)
  TEditMathConst* EFrom;
  TEditMathConst* ETo;
  QLabel* Result;
  QPushButton* BCalculate;

 private:
  QString Description(int function) const;
  // The x axis and the functions other than the chosen one, the choice kept where it stays.
  void FillBetween();

  TFunc2DWindow& graph_;
  std::vector<int> functions_;  // the graph's list indexes of the choices
  QString exact_;               // the result with every digit, for Copy
};

}  // namespace plotix
