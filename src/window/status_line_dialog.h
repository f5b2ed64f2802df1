#pragma once
// The "Status Line Settings" dialog: which texts the status line shows for the view
// centre and the mouse position of each graph kind.

#include <QDialog>

class QButtonGroup;
class QDialogButtonBox;

namespace plotix {

class TStatusLineDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TStatusLineDlg(QWidget* parent = nullptr);

  // Shows the dialog modally on StatusModes(); true when OK stored them.
  static bool Edit(QWidget* parent);

  void accept() override;

  // Button ids are the mode values.
  QButtonGroup* View2DGroup;
  QButtonGroup* Mouse2DGroup;
  QButtonGroup* ViewPolarGroup;
  QButtonGroup* MousePolarGroup;
  QButtonGroup* Mouse3DGroup;
  QDialogButtonBox* Buttons;
};

}  // namespace plotix
