#pragma once
// The dialog that sets the trigonometry fix-up (range and exact values).

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QDialogButtonBox;

namespace plotix {

class TTrigFixupSetDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TTrigFixupSetDlg(QWidget* parent = nullptr);

  // Shows the dialog modally; true when OK stored the setting.
  static bool Edit(QWidget* parent);

  void accept() override;

  QButtonGroup* RangeGroup;  // button ids are the ranges 0..5
  QCheckBox* CBExact;
  QDialogButtonBox* Buttons;

 private:
};

}  // namespace plotix
