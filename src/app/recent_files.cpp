#include "app/recent_files.h"

#include <QFileInfo>

namespace plotix {

void TRecentFiles::Add(const QString& fileName) {
  if (names_.contains(fileName)) return;
  names_.prepend(fileName);
  while (names_.size() > kMaxRecentFiles) names_.removeLast();
}

QString TRecentFiles::MenuText(int index) const {
  return QStringLiteral("&%1 %2").arg(index + 1).arg(QFileInfo(names_[index]).fileName());
}

}  // namespace plotix
