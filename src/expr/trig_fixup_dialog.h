#pragma once
// The dialog that sets the trigonometry fix-up (range and exact values).

#include "platform/dialog_controls.h"

class QButtonGroup;
class QCheckBox;

namespace plotix {

class TTrigFixupSetDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  explicit TTrigFixupSetDlg(QWidget* parent = nullptr);

  void accept() override;

  QButtonGroup* RangeGroup;  // button ids are the ranges 0..5
  QCheckBox* CBExact;
};

}  // namespace plotix
