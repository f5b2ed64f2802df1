#pragma once
// The "Status Line Settings" dialog: which text each graph kind's status line panels show
// (the view centre, the mouse position), as each kind offers.

#include <QDialog>
#include <vector>

class QButtonGroup;
class QDialogButtonBox;

namespace plotix {

struct TProgramSettings;
struct TStatusModeChoice;

class TStatusLineDlg : public QDialog {
  Q_OBJECT

 public:
  TStatusLineDlg(TProgramSettings& settings, QWidget* parent = nullptr);

  // Shows the dialog modally on the settings; true when OK stored them.
  static bool Edit(QWidget* parent, TProgramSettings& settings);

  void accept() override;

  // One group per choice, the kinds in their order; button ids are the mode values.
  std::vector<std::pair<const TStatusModeChoice*, QButtonGroup*>> Groups;
  QDialogButtonBox* Buttons;

 private:
  TProgramSettings& settings_;
};

}  // namespace plotix
