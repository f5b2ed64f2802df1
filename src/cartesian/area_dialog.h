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
  QComboBox* EBetween;  // the x axis, or another function
  TEditMathConst* EFrom;
  TEditMathConst* ETo;
  QLabel* Result;
  QPushButton* BCalculate;

 private:
  TFunc2DWindow& graph_;
  std::vector<int> functions_;  // the graph's list indexes of the choices
};

}  // namespace plotix
