#include "window/zoom_hot_key_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

#include "expr/math_const_edit.h"
#include "expr/number_format.h"
#include "platform/dialog_controls.h"

namespace plotix {

TZoom2DHotKeyDlg::TZoom2DHotKeyDlg(TZoom2DSettings& settings, QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("Global 2D Cartesian and Polar: Zoom Hot Key Settings"),
                   "cartesian.md#zoom-steps"),
      EScrollAmt(new QSpinBox),
      settings_(settings) {
  auto* increments = new QGroupBox(QStringLiteral("Zoom Increments"));
  auto* form = new QFormLayout(increments);
  for (int row = 0; row < kZoomRows; ++row) {
    auto* edit = new TEditMathConst;
    edit->setObjectName(QStringLiteral("Edit%1").arg(row + 1));
    TMathConstCheck& check = edit->Check();
    check.emCtrlErrorName = kZoomRangeNames[row];
    check.emBoundsCheck = CheckLoBound | LoBoundCanEqual | CheckHiBound | HiBoundCanEqual;
    check.emLoBoundStr = "0.00001";
    check.emLoBoundVal = 0.00001L;
    check.emHiBoundStr = "10,000";
    check.emHiBoundVal = 10000;
    edit->setText(QString::fromStdString(ShortFixed6(settings.increments[std::size_t(row)])));
    form->addRow(QString::fromLatin1(kZoomRangeNames[row]), edit);
    Edits[std::size_t(row)] = edit;
  }

  EScrollAmt->setRange(kMinScrollAmount, kMaxScrollAmount);
  EScrollAmt->setValue(settings.scrollAmount);
  auto* scroll = new QGroupBox(QStringLiteral("Scroll Amount"));
  auto* scrollLayout = new QHBoxLayout(scroll);
  scrollLayout->addWidget(EScrollAmt);
  scrollLayout->addWidget(new QLabel(QStringLiteral("Pixels")));
  scrollLayout->addStretch();

  LayOut({increments, scroll});
}

void TZoom2DHotKeyDlg::accept() {
  for (TEditMathConst* edit : Edits)
    if (!edit->ValidateOrComplain()) return;
  for (std::size_t row = 0; row < Edits.size(); ++row) settings_.increments[row] = Edits[row]->Value();
  settings_.scrollAmount = EScrollAmt->value();
  QDialog::accept();
}

}  // namespace plotix
