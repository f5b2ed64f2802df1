#include "app/recent_files.h"

#include <gtest/gtest.h>

namespace plotix {
namespace {

// Each row: the files closed in order, then the list newest first.
TEST(RecentFiles, HoldTheFiveNewestClosedFilesOnce) {
  struct TRow {
    QStringList closed;
    QStringList expected;
  } rows[] = {
      {{"/a/one.pxg"}, {"/a/one.pxg"}},
      {{"/a/one.pxg", "/b/two.pxg"}, {"/b/two.pxg", "/a/one.pxg"}},
      {{"/a/one.pxg", "/b/two.pxg", "/a/one.pxg"}, {"/b/two.pxg", "/a/one.pxg"}},
      {{"1", "2", "3", "4", "5", "6"}, {"6", "5", "4", "3", "2"}},
  };
  for (const TRow& row : rows) {
    TRecentFiles recent;
    for (const QString& name : row.closed) recent.Add(name);
    EXPECT_EQ(recent.Names(), row.expected) << row.closed.join(", ").toStdString();
  }
}

TEST(RecentFiles, MenuItemsNumberTheNamesWithoutFolders) {
  TRecentFiles recent;
  recent.Add("/home/user/graphs/sine.pxg");
  recent.Add("/tmp/cubic.pxg");
  EXPECT_EQ(recent.MenuText(0), "&1 cubic.pxg");
  EXPECT_EQ(recent.MenuText(1), "&2 sine.pxg");
  recent.Remove("/tmp/cubic.pxg");
  EXPECT_EQ(recent.MenuText(0), "&1 sine.pxg");
}

}  // namespace
}  // namespace plotix
