#pragma once
// TAddRotateDlg: creates or modifies one 2D function turned into 3D (definition, x
// bounds, axis or line of rotation, circles and lines with their detail, colour, values
// beyond ±700).

#include <array>

#include "graph3d/function.h"
#include "platform/dialog_controls.h"

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace plotix {

class TPlotStyleRow;
class TEditMathConst;

class TAddRotateDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  // Loads the controls from the function; OK writes them back, Cancel leaves it alone.
  TAddRotateDlg(TFuncRotateObj& func, bool addMode, QWidget* parent = nullptr);

  void accept() override;

  QLineEdit* EUserFuncStr;
  TEditMathConst* ELoBound;
  TEditMathConst* EHiBound;
  QButtonGroup* EAxis;  // ids: the rotation axis codes
  QGroupBox* LineGroup;
  std::array<TEditMathConst*, 4> EPoints;  // point 1 X, point 1 Y, point 2 X, point 2 Y
  QSpinBox* ECircles;
  QSpinBox* ECircleDetail;  // limited by the lines
  QSpinBox* ELines;
  QSpinBox* ELineDetail;  // limited by the circles
  TPlotStyleRow* Style;
  QRadioButton* ERoundDown;
  QRadioButton* EDontDraw;

 private:
  bool Validate();

  TFuncRotateObj& func_;
  TMathRotateFunc scratch_;
};

}  // namespace plotix
