#pragma once
// TChange3DViewDlg: sets a 3D view exactly, by its three rotation angles and its zoom.

#include <array>

#include "graph3d/view.h"
#include "platform/dialog_controls.h"

class QSpinBox;

namespace plotix {

class TEditMathConst;

class TChange3DViewDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  // Loads the dialog from the view; OK writes it back, Cancel leaves it alone.
  explicit TChange3DViewDlg(TView3D& view, QWidget* parent = nullptr);

  // Each angle is brought within one turn keeping its sign (725 becomes 5).
  void accept() override;

  std::array<TEditMathConst*, 3> EAngles;  // X, Y, Z
  QSpinBox* EZoom;

 private:
  TView3D& view_;
};

}  // namespace plotix
