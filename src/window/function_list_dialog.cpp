#include "window/function_list_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace plotix {

namespace {
QToolButton* ArrowButton(Qt::ArrowType arrow, const char* hint) {
  auto* button = new QToolButton;
  button->setArrowType(arrow);
  button->setToolTip(QString::fromLatin1(hint));
  button->setAccessibleName(button->toolTip());
  button->setAutoRepeat(true);
  return button;
}
}  // namespace

TFuncListDlg::TFuncListDlg(std::vector<TBaseFuncObj*> functions, QWidget* parent)
    : QDialog(parent),
      FListBox(new QListWidget),
      SpinButton1(new QWidget),
      UpButton(ArrowButton(Qt::UpArrow, "Move Up")),
      DownButton(ArrowButton(Qt::DownArrow, "Move Down")),
      ModifyButton(new QPushButton(QStringLiteral("&Modify"))),
      DeleteButton(new QPushButton(QStringLiteral("Delete"))),
      Buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical)),
      order_(std::move(functions)) {
  setWindowTitle(QStringLiteral("Edit Function List"));

  FListBox->setMinimumSize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 48, fontMetrics().height() * 14);
  FListBox->installEventFilter(this);

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
  connect(UpButton, &QToolButton::clicked, this, &TFuncListDlg::MoveUp);
  connect(DownButton, &QToolButton::clicked, this, &TFuncListDlg::MoveDown);
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  for (const TBaseFuncObj* func : order_) FListBox->addItem(QString::fromStdString(func->GetDescription()));
  if (FListBox->count() > 0) FListBox->setCurrentRow(0);
  FListBox->setFocus();
}

TBaseFuncObj* TFuncListDlg::Selected() const {
  const int row = FListBox->currentRow();
  return row >= 0 && row < int(order_.size()) ? order_[std::size_t(row)] : nullptr;
}

void TFuncListDlg::ModifyClick() {
  TBaseFuncObj* func = Selected();
  if (!func || !func->ModifyDialog()) return;
  modified_ = true;
  FListBox->currentItem()->setText(QString::fromStdString(func->GetDescription()));
}

void TFuncListDlg::DeleteClick() {
  const int row = FListBox->currentRow();
  if (!Selected()) return;
  order_.erase(order_.begin() + row);
  delete FListBox->takeItem(row);
  deleted_ = true;
  if (FListBox->count() > 0) FListBox->setCurrentRow(std::min(row, FListBox->count() - 1));
}

void TFuncListDlg::Move(int step) {
  const int row = FListBox->currentRow();
  const int to = row + step;
  if (!Selected() || to < 0 || to >= FListBox->count()) return;
  std::swap(order_[std::size_t(row)], order_[std::size_t(to)]);
  FListBox->insertItem(to, FListBox->takeItem(row));
  FListBox->setCurrentRow(to);
  moved_ = true;
}

bool TFuncListDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FListBox && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    DeleteClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace plotix
