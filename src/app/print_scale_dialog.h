#pragma once
// TPrintScaleDlg: how much a print stretches or shrinks the picture.

#include "platform/dialog_controls.h"

class QPushButton;
class QSpinBox;

namespace plotix {

constexpr int kMinPrintScale = 25;
constexpr int kMaxPrintScale = 500;

enum class TPrintScaleAnswer { Cancel, Ok, Print };

class TPrintScaleDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  explicit TPrintScaleDlg(int percent, QWidget* parent = nullptr);

  // Shows the dialog on the print scale in percent (25..500); OK and "&Print" store the
  // new percentage.
  static TPrintScaleAnswer Edit(QWidget* parent, int& percent);

  QSpinBox* EScale;
  QPushButton* PrintButton;
  bool PrintChosen = false;
};

}  // namespace plotix
