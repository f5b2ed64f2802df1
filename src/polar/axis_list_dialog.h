#pragma once
// TStdAxisListDlg: offers the ready-made axis lists of a polar graph (none, every 90, 45
// or 30 degrees, or every given interval).

#include "platform/dialog_controls.h"
#include "polar/settings.h"

class QButtonGroup;
class QRadioButton;

namespace plotix {

class TEditMathConst;

class TStdAxisListDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  explicit TStdAxisListDlg(QWidget* parent = nullptr);

  // Shows the dialog modally; on OK the chosen list replaces count and angles.
  static bool Edit(QWidget* parent, std::int32_t& count, TAxisAngles& angles);

  // Refused while "Specified Intervals" is chosen with an invalid interval.
  void accept() override;
  // The chosen list; valid after OK.
  void TakeList(std::int32_t& count, TAxisAngles& angles) const;

  QRadioButton* ERadioNone;
  QRadioButton* ERadio90;
  QRadioButton* ERadio45;
  QRadioButton* ERadio30;
  QRadioButton* ERadioIntervals;
  QButtonGroup* Lists;  // button ids are the TStdAxisList values
  TEditMathConst* EIntervalAmt;

 private:
  Extended interval_ = kDefaultAxisInterval;
};

}  // namespace plotix
