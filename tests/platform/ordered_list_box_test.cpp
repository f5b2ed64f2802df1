// Deleting and moving rows of an ordered list box, and the owner's list put in its order.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>

#include "platform/ordered_list_box.h"

namespace plotix {
namespace {

TEST(OrderedListBox, RowsDeletedAndMovedKeepTheirItems) {
  const struct {
    const char* keys;  // u/d: move up/down, x: Delete button, k: Delete key
    int start;
    std::vector<int> order;
    int row;
    bool deleted, moved;
  } cases[] = {
      {"", 2, {0, 1, 2, 3}, 2, false, false},  {"", 9, {0, 1, 2, 3}, 0, false, false},
      {"u", 0, {0, 1, 2, 3}, 0, false, false}, {"d", 3, {0, 1, 2, 3}, 3, false, false},
      {"du", 1, {0, 1, 2, 3}, 1, false, true}, {"dd", 1, {0, 2, 3, 1}, 3, false, true},
      {"x", 3, {0, 1, 2}, 2, true, false},     {"k", 1, {0, 2, 3}, 1, true, false},
      {"ux", 2, {0, 1, 3}, 1, true, true},     {"xxxxx", 0, {}, -1, true, false},
  };
  for (const auto& c : cases) {
    QListWidget box;
    TOrderedListBox rows(&box, {"a", "b", "c", "d"}, c.start);
    for (const char* key = c.keys; *key; ++key) {
      if (*key == 'k') QTest::keyClick(&box, Qt::Key_Delete);
      if (*key == 'x') rows.DeleteCurrent();
      if (*key == 'u' || *key == 'd') rows.MoveCurrent(*key == 'u' ? -1 : +1);
    }
    SCOPED_TRACE(c.keys);
    EXPECT_EQ(rows.Order(), c.order);
    EXPECT_EQ(box.currentRow(), c.row);
    EXPECT_EQ(rows.CurrentItem(), c.row < 0 ? -1 : c.order[std::size_t(c.row)]);
    EXPECT_EQ(rows.Deleted(), c.deleted);
    EXPECT_EQ(rows.Moved(), c.moved);
    for (int row = 0; row < box.count(); ++row)
      EXPECT_EQ(box.item(row)->text(), QChar('a' + c.order[std::size_t(row)]));
  }
  std::vector<std::unique_ptr<int>> items;
  for (int i = 0; i < 4; ++i) items.push_back(std::make_unique<int>(i));
  Reorder(items, {2, 0});
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(*items[0] * 10 + *items[1], 20);
}

}  // namespace
}  // namespace plotix
