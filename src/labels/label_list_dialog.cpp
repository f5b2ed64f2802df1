#include "labels/label_list_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace plotix {

namespace {
QToolButton* ArrowButton(Qt::ArrowType arrow, const char* hint) {
  auto* button = new QToolButton;
  button->setArrowType(arrow);
  button->setToolTip(QString::fromLatin1(hint));
  button->setAutoRepeat(true);
  return button;
}
}  // namespace

TLabelListDlg::TLabelListDlg(std::vector<TDrawBaseClass*> labels, int current, QWidget* parent)
    : QDialog(parent),
      LabelListBox(new QListWidget),
      UpButton(ArrowButton(Qt::UpArrow, "Move Up")),
      DownButton(ArrowButton(Qt::DownArrow, "Move Down")),
      ModifyButton(new QPushButton(QStringLiteral("&Modify"))),
      DeleteButton(new QPushButton(QStringLiteral("Delete"))),
      SelectButton(new QPushButton(QStringLiteral("OK/Select"))),
      Buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical)),
      order_(std::move(labels)) {
  setWindowTitle(QStringLiteral("Edit Label List"));
  LabelListBox->setMinimumSize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 64, fontMetrics().height() * 16);
  LabelListBox->installEventFilter(this);

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
  connect(UpButton, &QToolButton::clicked, this, [this] { Move(-1); });
  connect(DownButton, &QToolButton::clicked, this, [this] { Move(+1); });
  connect(SelectButton, &QPushButton::clicked, this, [this] {
    select_ = true;
    accept();
  });
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  for (const TDrawBaseClass* label : order_) LabelListBox->addItem(QString::fromStdString(label->GetDescription()));
  if (!order_.empty()) LabelListBox->setCurrentRow(current >= 0 && current < int(order_.size()) ? current : 0);
  LabelListBox->setFocus();
}

TLabelListDlg::TOutcome TLabelListDlg::Edit(QWidget* parent, TLabelList& labels, int current) {
  std::vector<TDrawBaseClass*> items;
  for (const auto& label : labels) items.push_back(label.get());
  TLabelListDlg dialog(std::move(items), current, parent);
  TOutcome outcome;
  outcome.accepted = dialog.exec() == QDialog::Accepted;
  outcome.modified = dialog.modified_;
  if (!outcome.accepted) return outcome;
  if (dialog.rearranged_) {
    TLabelList kept;
    kept.reserve(dialog.order_.size());
    for (TDrawBaseClass* label : dialog.order_)
      kept.push_back(
          std::move(*std::find_if(labels.begin(), labels.end(), [label](const auto& l) { return l.get() == label; })));
    labels = std::move(kept);  // the deleted labels go with the old list
    outcome.rearranged = true;
  }
  if (dialog.select_ && dialog.Current()) outcome.select = dialog.LabelListBox->currentRow();
  return outcome;
}

TDrawBaseClass* TLabelListDlg::Current() const {
  const int row = LabelListBox->currentRow();
  return row >= 0 && row < int(order_.size()) ? order_[std::size_t(row)] : nullptr;
}

void TLabelListDlg::ModifyClick() {
  TDrawBaseClass* label = Current();
  if (!label || !label->EditDialog()) return;
  modified_ = true;
  LabelListBox->currentItem()->setText(QString::fromStdString(label->GetDescription()));
}

void TLabelListDlg::DeleteClick() {
  const int row = LabelListBox->currentRow();
  if (!Current()) return;
  order_.erase(order_.begin() + row);
  delete LabelListBox->takeItem(row);
  rearranged_ = true;
  if (LabelListBox->count() > 0) LabelListBox->setCurrentRow(std::min(row, LabelListBox->count() - 1));
}

void TLabelListDlg::Move(int step) {
  const int row = LabelListBox->currentRow();
  const int to = row + step;
  if (!Current() || to < 0 || to >= LabelListBox->count()) return;
  std::swap(order_[std::size_t(row)], order_[std::size_t(to)]);
  LabelListBox->insertItem(to, LabelListBox->takeItem(row));
  LabelListBox->setCurrentRow(to);
  rearranged_ = true;
}

bool TLabelListDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == LabelListBox && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    DeleteClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace plotix
