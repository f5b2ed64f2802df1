#pragma once
// TZoom2DHotKeyDlg: edits the zoom steps and the scroll amount shared by every 2D
// Cartesian and polar window.

#include <QDialog>
#include <array>

#include "window/zoom_steps.h"

class QDialogButtonBox;
class QSpinBox;

namespace plotix {

class TEditMathConst;

class TZoom2DHotKeyDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TZoom2DHotKeyDlg(TZoom2DSettings& settings, QWidget* parent = nullptr);

  // Shows the dialog modally on the settings; true when OK stored them.
  static bool Edit(QWidget* parent, TZoom2DSettings& settings);

  // Validates the increments in order and stores them; a failure keeps the dialog open.
  void accept() override;

  std::array<TEditMathConst*, kZoomRows> Edits;  // Edit1 .. Edit6
  QSpinBox* EScrollAmt;
  QDialogButtonBox* Buttons;

 private:
  TZoom2DSettings& settings_;
};

}  // namespace plotix
