#include "app/recent_files.h"

#include <QFileInfo>

namespace plotix {

void TRecentFiles::Add(const QString& fileName) {
  if (names_.contains(fileName)) return;
  names_.prepend(fileName);
  while (names_.size() > kMaxRecentFiles) names_.removeLast();
}

// The File menu's own items take the digits 2 and 3 ("New &2D Cartesian", "New
// &3D Cartesian"): those entries show their number without an access key.
QString TRecentFiles::MenuText(int index) const {
  const int number = index + 1;
  const QString name = QFileInfo(names_[index]).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"));
  return QStringLiteral("%1%2 %3").arg(number == 2 || number == 3 ? "" : "&").arg(number).arg(name);
}

}  // namespace plotix
