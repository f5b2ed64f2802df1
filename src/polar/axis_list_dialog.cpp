#include "polar/axis_list_dialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "expr/math_const_edit.h"
#include "platform/dialog_controls.h"

namespace plotix {

TStdAxisListDlg::TStdAxisListDlg(QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("Standard Axis Lists"), "polar.md#axis-properties"),
      ERadioNone(new QRadioButton(QStringLiteral("None"))),
      ERadio90(new QRadioButton(QStringLiteral("0, 90, 180, 270"))),
      ERadio45(new QRadioButton(QStringLiteral("0, 45, 90, 135, 180, 225, 270, 315"))),
      ERadio30(new QRadioButton(QStringLiteral("0,30,60,90,120,150,180,210,240,270,300,330"))),
      ERadioIntervals(new QRadioButton(QStringLiteral("Specified Intervals"))),
      Lists(new QButtonGroup(this)),
      EIntervalAmt(new TEditMathConst) {
  auto* quick = new QGroupBox(QStringLiteral("Quick Lists (Degrees)"));
  auto* quickLayout = new QVBoxLayout(quick);
  const std::pair<QRadioButton*, TStdAxisList> radios[] = {
      {ERadioNone, alNone}, {ERadio90, al90}, {ERadio45, al45}, {ERadio30, al30}, {ERadioIntervals, alIntervals}};
  for (const auto& [radio, list] : radios) {
    Lists->addButton(radio, list);
    quickLayout->addWidget(radio);
  }
  ERadio45->setChecked(true);

  TMathConstCheck& check = EIntervalAmt->Check();
  check.emCtrlErrorName = "Interval Amount";
  check.emBoundsCheck = CheckLoBound | LoBoundCanEqual | CheckHiBound | HiBoundCanEqual;
  check.emLoBoundVal = 1;
  check.emHiBoundVal = 359;
  EIntervalAmt->setText(QStringLiteral("15"));
  auto* interval = new QGroupBox(QStringLiteral("Interval  Amount (Degrees)"));
  auto* intervalLayout = new QVBoxLayout(interval);
  intervalLayout->addWidget(EIntervalAmt);

  LayOut({quick, interval});
}

bool TStdAxisListDlg::Edit(QWidget* parent, std::int32_t& count, TAxisAngles& angles) {
  TStdAxisListDlg dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.TakeList(count, angles);
  return true;
}

void TStdAxisListDlg::accept() {
  if (Lists->checkedId() == alIntervals) {
    if (!EIntervalAmt->ValidateOrComplain()) return;
    interval_ = EIntervalAmt->Value();
  }
  QDialog::accept();
}

void TStdAxisListDlg::TakeList(std::int32_t& count, TAxisAngles& angles) const {
  StandardAxisList(TStdAxisList(Lists->checkedId()), interval_, count, angles);
}

}  // namespace plotix
