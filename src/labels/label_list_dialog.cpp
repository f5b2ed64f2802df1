#include "labels/label_list_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/dialog_controls.h"

namespace plotix {

TLabelListDlg::TLabelListDlg(std::vector<TDrawBaseClass*> labels, int current, QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("Edit Label List"), "labels.md#the-label-list", Qt::Vertical),
      LabelListBox(new QListWidget),
      ModifyButton(new QPushButton(QStringLiteral("&Modify"))),
      DeleteButton(new QPushButton(QStringLiteral("Delete"))),
      SelectButton(new QPushButton(QStringLiteral("OK/Select"))),
      labels_(std::move(labels)) {
  LabelListBox->setMinimumSize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 64, fontMetrics().height() * 16);
  QStringList texts;
  for (const TDrawBaseClass* label : labels_) texts << QString::fromStdString(label->GetDescription());
  rows_ = new TOrderedListBox(LabelListBox, texts, current);
  UpButton = rows_->MoveButton(-1);
  DownButton = rows_->MoveButton(+1);

  auto* spin = new QVBoxLayout;
  spin->setSpacing(0);
  spin->addWidget(UpButton);
  spin->addWidget(DownButton);
  auto* side = new QVBoxLayout;
  side->addWidget(Buttons);
  side->addWidget(SelectButton);
  side->addSpacing(12);
  side->addWidget(ModifyButton);
  side->addWidget(DeleteButton);
  side->addSpacing(12);
  side->addLayout(spin);
  side->setAlignment(spin, Qt::AlignHCenter);
  side->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(LabelListBox, 1);
  layout->addLayout(side);

  connect(ModifyButton, &QPushButton::clicked, this, &TLabelListDlg::ModifyClick);
  connect(LabelListBox, &QListWidget::itemDoubleClicked, this, &TLabelListDlg::ModifyClick);
  connect(DeleteButton, &QPushButton::clicked, this, &TLabelListDlg::DeleteClick);
  connect(SelectButton, &QPushButton::clicked, this, [this] {
    select_ = true;
    accept();
  });

  LabelListBox->setFocus();
}

TLabelListDlg::TOutcome TLabelListDlg::Edit(QWidget* parent, const TLabelList& labels, int current) {
  TLabelList copies;
  copies.reserve(labels.size());
  std::vector<TDrawBaseClass*> items;
  for (const auto& label : labels) {
    copies.push_back(label->Clone());
    items.push_back(copies.back().get());
  }
  TLabelListDlg dialog(std::move(items), current, parent);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  const bool rearranged = accepted && (dialog.rows_->Deleted() || dialog.rows_->Moved());
  TOutcome outcome;
  if (accepted && dialog.select_ && dialog.rows_->CurrentItem() >= 0)
    outcome.select = dialog.LabelListBox->currentRow();
  if (!rearranged && !dialog.modified_) return outcome;
  if (rearranged) Reorder(copies, dialog.rows_->Order());
  outcome.labels = std::move(copies);
  return outcome;
}

void TLabelListDlg::ModifyClick() {
  const int item = rows_->CurrentItem();
  if (item < 0 || !labels_[std::size_t(item)]->EditDialog()) return;
  modified_ = true;
  LabelListBox->currentItem()->setText(QString::fromStdString(labels_[std::size_t(item)]->GetDescription()));
}

}  // namespace plotix
