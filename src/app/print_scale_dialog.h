#pragma once
// TPrintScaleDlg: how much a print stretches or shrinks the picture.

#include <QDialog>

class QDialogButtonBox;
class QPushButton;
class QSpinBox;

namespace plotix {

constexpr int kMinPrintScale = 25;
constexpr int kMaxPrintScale = 500;

// The print scale in percent for the whole program run (25..500, at first 100).
int& PrintScale();

enum class TPrintScaleAnswer { Cancel, Ok, Print };

class TPrintScaleDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TPrintScaleDlg(int percent, QWidget* parent = nullptr);

  // Shows the dialog on PrintScale(); OK and "&Print" store the new percentage.
  static TPrintScaleAnswer Edit(QWidget* parent);

  QSpinBox* EScale;
  QPushButton* PrintButton;
  QDialogButtonBox* Buttons;
  bool PrintChosen = false;
};

}  // namespace plotix
