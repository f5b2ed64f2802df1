#pragma once
// The "Status Line Settings" dialog: which text each graph kind's status line panels show
// (the view centre, the mouse position), as each kind offers.

#include <vector>

#include "platform/dialog_controls.h"

class QButtonGroup;

namespace plotix {

struct TProgramSettings;
struct TStatusModeChoice;

class TStatusLineDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  TStatusLineDlg(TProgramSettings& settings, QWidget* parent = nullptr);

  void accept() override;

  // One group per choice, the kinds in their order; button ids are the mode values.
  std::vector<std::pair<const TStatusModeChoice*, QButtonGroup*>> Groups;

 private:
  TProgramSettings& settings_;
};

}  // namespace plotix
