#include "graph3d/hot_key_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QSpinBox>

#include "expr/math_const_edit.h"
#include "expr/number_format.h"
#include "platform/dialog_controls.h"

namespace plotix {

TZoom3DHotKeyDlg::TZoom3DHotKeyDlg(TZoom3DSettings& settings, QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("Global 3D Cartesian: Hot Key Settings"), "graph3d.md#zoom-steps"),
      ERotateAmount(new TEditMathConst),
      settings_(settings) {
  TMathConstCheck& check = ERotateAmount->Check();
  check.emCtrlErrorName = "Rotation Amount";
  check.emBoundsCheck = CheckLoBound | CheckHiBound | HiBoundCanEqual;
  check.emLoBoundStr = "0";
  check.emHiBoundStr = "360";
  check.emHiBoundVal = kMaxRotationAmount;
  ERotateAmount->setText(QString::fromStdString(ShortFixed(settings.rotationAmount)));
  auto* rotation = new QFormLayout;
  rotation->addRow(QStringLiteral("Rotation Amount (Positive Degrees)"), ERotateAmount);

  auto* ranges = new QGroupBox(QStringLiteral("Zoom Increment Ranges"));
  auto* form = new QFormLayout(ranges);
  for (int i = 0; i < kZoom3DRanges; ++i) {
    auto* spin = new QSpinBox;
    spin->setObjectName(QStringLiteral("EIncrement%1").arg(i + 1));
    spin->setRange(kMinZoom3DIncrement, kMaxZoom3DIncrement);
    spin->setValue(settings.increments[std::size_t(i)]);
    form->addRow(QString::fromLatin1(kZoom3DRangeNames[i]), spin);
    EIncrements[std::size_t(i)] = spin;
  }

  LayOut({rotation, ranges});
}

void TZoom3DHotKeyDlg::accept() {
  if (!ERotateAmount->ValidateOrComplain()) return;
  settings_.rotationAmount = ERotateAmount->Value();
  for (std::size_t i = 0; i < EIncrements.size(); ++i) settings_.increments[i] = EIncrements[i]->value();
  QDialog::accept();
}

}  // namespace plotix
