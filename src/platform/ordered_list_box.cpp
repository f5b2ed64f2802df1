#include "platform/ordered_list_box.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QToolButton>
#include <algorithm>
#include <numeric>
#include <utility>

namespace plotix {

TOrderedListBox::TOrderedListBox(QListWidget* box, const QStringList& texts, int current)
    : QObject(box), box_(box), order_(std::size_t(texts.size())) {
  std::iota(order_.begin(), order_.end(), 0);
  box_->addItems(texts);
  if (box_->count() > 0) box_->setCurrentRow(current >= 0 && current < box_->count() ? current : 0);
  box_->installEventFilter(this);
}

int TOrderedListBox::CurrentItem() const {
  const int row = box_->currentRow();
  return row >= 0 && row < int(order_.size()) ? order_[std::size_t(row)] : -1;
}

void TOrderedListBox::DeleteCurrent() {
  const int row = box_->currentRow();
  if (CurrentItem() < 0 || (ConfirmDelete && !ConfirmDelete(CurrentItem()))) return;
  order_.erase(order_.begin() + row);
  delete box_->takeItem(row);
  deleted_ = true;
  if (box_->count() > 0) box_->setCurrentRow(std::min(row, box_->count() - 1));
  if (Changed) Changed();
}

void TOrderedListBox::MoveCurrent(int step) {
  const int row = box_->currentRow();
  const int to = row + step;
  if (CurrentItem() < 0 || to < 0 || to >= box_->count()) return;
  std::swap(order_[std::size_t(row)], order_[std::size_t(to)]);
  box_->insertItem(to, box_->takeItem(row));
  box_->setCurrentRow(to);
  moved_ = true;
}

QToolButton* TOrderedListBox::MoveButton(int step) {
  auto* button = new QToolButton;
  button->setArrowType(step < 0 ? Qt::UpArrow : Qt::DownArrow);
  button->setToolTip(step < 0 ? QStringLiteral("Move Up") : QStringLiteral("Move Down"));
  button->setAccessibleName(button->toolTip());
  button->setAutoRepeat(true);
  connect(button, &QToolButton::clicked, this, [this, step] { MoveCurrent(step); });
  return button;
}

bool TOrderedListBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == box_ && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    DeleteCurrent();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace plotix
