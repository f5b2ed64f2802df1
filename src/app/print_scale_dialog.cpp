#include "app/print_scale_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "platform/dialog_controls.h"

namespace plotix {

TPrintScaleDlg::TPrintScaleDlg(int percent, QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("Print Scale"), "pictures.md#printing"),
      EScale(new QSpinBox),
      PrintButton(new QPushButton(QStringLiteral("&Print"))) {
  EScale->setObjectName(QStringLiteral("EScale"));
  EScale->setRange(kMinPrintScale, kMaxPrintScale);
  EScale->setValue(percent);
  FitNumberBox(EScale, kMaxPrintScale);
  PrintButton->setObjectName(QStringLiteral("PrintButton"));
  Buttons->addButton(PrintButton, QDialogButtonBox::AcceptRole);

  auto* group = new QGroupBox(QStringLiteral("Stretch or Shrink Before Printing (Percentage)"));
  auto* row = new QHBoxLayout(group);
  row->addWidget(EScale);
  row->addWidget(new QLabel(QStringLiteral("%")));
  row->addStretch();
  LayOut({group});
  connect(PrintButton, &QPushButton::clicked, this, [this] { PrintChosen = true; });
}

TPrintScaleAnswer TPrintScaleDlg::Edit(QWidget* parent, int& percent) {
  TPrintScaleDlg dialog(percent, parent);
  if (dialog.exec() != QDialog::Accepted) return TPrintScaleAnswer::Cancel;
  percent = dialog.EScale->value();
  return dialog.PrintChosen ? TPrintScaleAnswer::Print : TPrintScaleAnswer::Ok;
}

}  // namespace plotix
