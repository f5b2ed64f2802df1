#pragma once
// TZoom2DHotKeyDlg: edits the zoom steps and the scroll amount shared by every 2D
// Cartesian and polar window.

#include <array>

#include "platform/dialog_controls.h"
#include "window/zoom_steps.h"

class QSpinBox;

namespace plotix {

class TEditMathConst;

class TZoom2DHotKeyDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  explicit TZoom2DHotKeyDlg(TZoom2DSettings& settings, QWidget* parent = nullptr);

  // Validates the increments in order and stores them; a failure keeps the dialog open.
  void accept() override;

  std::array<TEditMathConst*, kZoomRows> Edits;  // Edit1 .. Edit6
  QSpinBox* EScrollAmt;

 private:
  TZoom2DSettings& settings_;
};

}  // namespace plotix
