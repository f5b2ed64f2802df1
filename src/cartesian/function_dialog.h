#pragma once
// TAdd2DFuncDlg: creates or modifies one 2D function (definition, x bounds, drawing
// refinements, colour, line width and the special x values to plot).

#include <QDialog>
#include <string>
#include <vector>

#include "cartesian/function.h"

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;

namespace plotix {

class TColorSampleButton;
class TPlotStyleRow;
class TDialogService;
class TEditMathConst;

class TAdd2DFuncDlg : public QDialog {
  Q_OBJECT

 public:
  // Loads the controls from the function; OK writes them back, Cancel leaves it alone.
  TAdd2DFuncDlg(TFunc2DObj& func, bool addMode, QWidget* parent = nullptr);

  // Shows the dialog modally; true when OK stored the function.
  static bool Edit(QWidget* parent, TFunc2DObj& func, bool addMode);

  // Validates and stores; a failure shows its message, focuses the offending control and
  // keeps the dialog open.
  void accept() override;

  QLineEdit* EUserFuncStr;
  TEditMathConst* ELoBoundStr;
  TEditMathConst* EHiBoundStr;
  QCheckBox* EAsymFixUp;
  QCheckBox* EExtraUndefAccuracy;
  TPlotStyleRow* Style;
  QPlainTextEdit* EForcePointsMemo;
  QDialogButtonBox* Buttons;

 private:
  bool Validate();
  // Parses the memo's lines unless they are the function's own; false after a complaint.
  bool ParseSpecialValues(const std::vector<std::string>& lines);

  TFunc2DObj& func_;
  TMath2DFunc scratch_;
  std::vector<Extended> special_;
  bool specialChanged_ = false;
};

// Makes TFunc2DObj's NewDialog and ModifyDialog run TAdd2DFuncDlg.
void RegisterFunc2DDialog(TDialogService& service);

}  // namespace plotix
