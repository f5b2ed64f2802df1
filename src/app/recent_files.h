#pragma once
// The recently closed graph files: up to five full names, newest first.

#include <QString>
#include <QStringList>

namespace plotix {

constexpr int kMaxRecentFiles = 5;

class TRecentFiles {
 public:
  // A closed file goes first, unless the list already holds it; the sixth falls off.
  void Add(const QString& fileName);
  // The file was opened again.
  void Remove(const QString& fileName) { names_.removeOne(fileName); }
  const QStringList& Names() const { return names_; }
  // The list as it was kept from an earlier run, newest first.
  void SetNames(const QStringList& names) { names_ = names.mid(0, kMaxRecentFiles); }
  // The menu item of entry index (0-based): its number, an access key where that clashes
  // with nothing in the File menu, and the name without folders.
  QString MenuText(int index) const;

 private:
  QStringList names_;
};

}  // namespace plotix
