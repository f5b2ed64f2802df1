#pragma once
// TZoom3DHotKeyDlg: edits the rotation amount and the zoom increments that every 3D
// window's hot keys and tool bar buttons use.

#include <QDialog>
#include <array>

#include "graph3d/view.h"

class QDialogButtonBox;
class QSpinBox;

namespace plotix {

class TEditMathConst;

class TZoom3DHotKeyDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TZoom3DHotKeyDlg(TZoom3DSettings& settings, QWidget* parent = nullptr);

  // Shows the dialog modally on the settings; true when OK stored them.
  static bool Edit(QWidget* parent, TZoom3DSettings& settings);

  // Stores all five values when the rotation amount is valid; else keeps the dialog open.
  void accept() override;

  TEditMathConst* ERotateAmount;
  std::array<QSpinBox*, kZoom3DRanges> EIncrements;  // highest range first
  QDialogButtonBox* Buttons;

 private:
  TZoom3DSettings& settings_;
};

}  // namespace plotix
