#pragma once
// TZoom3DHotKeyDlg: edits the rotation amount and the zoom increments that every 3D
// window's hot keys and tool bar buttons use.

#include <array>

#include "graph3d/view.h"
#include "platform/dialog_controls.h"

class QSpinBox;

namespace plotix {

class TEditMathConst;

class TZoom3DHotKeyDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  explicit TZoom3DHotKeyDlg(TZoom3DSettings& settings, QWidget* parent = nullptr);

  // Stores all five values when the rotation amount is valid; else keeps the dialog open.
  void accept() override;

  TEditMathConst* ERotateAmount;
  std::array<QSpinBox*, kZoom3DRanges> EIncrements;  // highest range first

 private:
  TZoom3DSettings& settings_;
};

}  // namespace plotix
