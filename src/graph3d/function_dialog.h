#pragma once
// TAdd3DFuncDlg: creates or modifies one 3D surface (orientation, definition, colour,
// the bounds, wire lines and detail of both variables, values beyond ±700). Also the
// field rules it shares with the rotated function's dialog.

#include <array>

#include "graph3d/function.h"
#include "platform/dialog_controls.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace plotix {

class TPlotStyleRow;
class TEditMathConst;

// A bound or point field of a 3D function: a constant within ±700, named for messages.
void Set3DValueField(TEditMathConst* field, const std::string& name);
// The detail a wire line count allows (lowering a larger one); read-only when none.
void LimitDetail(const QSpinBox* lines, QSpinBox* detail);
// A spin box for a wire line count whose detail field follows it.
QSpinBox* WireLinesField(QSpinBox* detail);

class TAdd3DFuncDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  // Loads the controls from the function; OK writes them back, Cancel leaves it alone.
  TAdd3DFuncDlg(TFunc3DObj& func, bool addMode, QWidget* parent = nullptr);

  // Validates and stores; a failure shows its message, focuses the offending control and
  // keeps the dialog open.
  void accept() override;

  // Leaving the orientation list: its first letter X, Y or Z selects the orientation,
  // anything else shows the current one again.
  void OrientationExit();
  TOrientation Orientation() const { return orientation_; }

  // The controls of one variable: its bounds, its detail, and the count of wire lines
  // at its constant values (parallel to the other variable's axis), which limits it.
  struct TVariableControls {
    QGroupBox* Group;
    QLabel* LinesCaption;
    QSpinBox* ELines;
    QSpinBox* EDetail;
    TEditMathConst* ELoBound;
    TEditMathConst* EHiBound;
  };
  QComboBox* EOrientation;  // also the caption of the definition
  QLineEdit* EUserFuncStr;
  TPlotStyleRow* Style;
  std::array<TVariableControls, 2> Vars{};
  QRadioButton* ERoundDown;
  QRadioButton* EDontDraw;

 private:
  void SetOrientation(TOrientation orientation);
  bool Validate();

  TFunc3DObj& func_;
  TMath3DFunc scratch_;
  TOrientation orientation_;
};

}  // namespace plotix
