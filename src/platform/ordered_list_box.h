#pragma once
// TOrderedListBox: a list box whose rows the user deletes (button or Delete key) and moves
// one place up or down. Each row stands for an item of the list the box was filled from,
// known by its index there, so the owner can put its own list in the box's order on OK.

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QListWidget;
class QToolButton;

namespace plotix {

class TOrderedListBox : public QObject {
 public:
  // Fills the box, one row per text, and makes row `current` current (else the first).
  TOrderedListBox(QListWidget* box, const QStringList& texts, int current = 0);

  // The index of the current row's item, or -1.
  int CurrentItem() const;
  void DeleteCurrent();
  void MoveCurrent(int step);
  // An autorepeating arrow button ("Move Up" for step -1, "Move Down" for +1) that moves
  // the current row.
  QToolButton* MoveButton(int step);

  bool Deleted() const { return deleted_; }
  bool Moved() const { return moved_; }
  // The items' indices, row by row.
  const std::vector<int>& Order() const { return order_; }

  // Asked before the item is deleted: false keeps it. Unset, every delete goes ahead.
  std::function<bool(int item)> ConfirmDelete;
  // Told after a row was deleted.
  std::function<void()> Changed;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QListWidget* box_;
  std::vector<int> order_;
  bool deleted_ = false;
  bool moved_ = false;
};

// Puts the items in the order; those the order leaves out are freed.
template <class T>
void Reorder(std::vector<std::unique_ptr<T>>& items, const std::vector<int>& order) {
  std::vector<std::unique_ptr<T>> kept;
  kept.reserve(order.size());
  for (int index : order) kept.push_back(std::move(items[std::size_t(index)]));
  items = std::move(kept);
}

}  // namespace plotix
