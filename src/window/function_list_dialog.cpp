#include "window/function_list_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

#include "platform/dialog_controls.h"

namespace plotix {

TFuncListDlg::TFuncListDlg(std::vector<TBaseFuncObj*> functions, QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("Edit Function List"), "cartesian.md#edit-function-list", Qt::Vertical),
      FListBox(new QListWidget),
      SpinButton1(new QWidget),
      ModifyButton(new QPushButton(QStringLiteral("&Modify"))),
      DeleteButton(new QPushButton(QStringLiteral("Delete"))),
      functions_(std::move(functions)) {
  FListBox->setMinimumSize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 48, fontMetrics().height() * 14);
  QStringList texts;
  for (const TBaseFuncObj* func : functions_) texts << QString::fromStdString(func->GetDescription());
  rows_ = new TOrderedListBox(FListBox, texts);
  UpButton = rows_->MoveButton(-1);
  DownButton = rows_->MoveButton(+1);

  auto* spin = new QVBoxLayout(SpinButton1);
  spin->setContentsMargins(0, 0, 0, 0);
  spin->setSpacing(0);
  spin->addWidget(UpButton);
  spin->addWidget(DownButton);

  auto* side = new QVBoxLayout;
  side->addWidget(Buttons);
  side->addSpacing(12);
  side->addWidget(ModifyButton);
  side->addWidget(DeleteButton);
  side->addSpacing(12);
  side->addWidget(SpinButton1, 0, Qt::AlignHCenter);
  side->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(FListBox, 1);
  layout->addLayout(side);

  connect(ModifyButton, &QPushButton::clicked, this, &TFuncListDlg::ModifyClick);
  connect(FListBox, &QListWidget::itemDoubleClicked, this, &TFuncListDlg::ModifyClick);
  connect(DeleteButton, &QPushButton::clicked, this, &TFuncListDlg::DeleteClick);
  FListBox->setFocus();
}

QString TFuncListDlg::What(bool deleted, bool moved, bool modified) {
  if (deleted + moved + modified > 1) return QStringLiteral("Edit Function List");
  return deleted ? QStringLiteral("Delete Function")
         : moved ? QStringLiteral("Move Function")
                 : QStringLiteral("Modify Function");
}

void TFuncListDlg::ModifyClick() {
  const int item = rows_->CurrentItem();
  if (item < 0 || !functions_[std::size_t(item)]->ModifyDialog()) return;
  modified_ = true;
  FListBox->currentItem()->setText(QString::fromStdString(functions_[std::size_t(item)]->GetDescription()));
}

}  // namespace plotix
