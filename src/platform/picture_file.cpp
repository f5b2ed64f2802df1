#include "platform/picture_file.h"

#include <QList>
#include <QSaveFile>
#include <QString>

#include "platform/bmp_file.h"

namespace plotix {

namespace {
// Qt's PNG quality 80 is zlib's fastest level: graphs are mostly runs of one colour, which
// that level packs nearly as small in half the time of the default.
constexpr int kPngQuality = 80;

// Graphs hold few colours, mostly in runs: a palette PNG of them is exact, smaller and
// about twice as fast to write as a true-colour one. Null with more than 256 colours.
QImage PaletteImage(const QImage& image) {
  QList<QRgb> table;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((x > 0 && row[x] == row[x - 1]) || table.contains(row[x])) continue;
      if (table.size() == 256) return {};
      table << row[x];
    }
  }
  return image.convertToFormat(QImage::Format_Indexed8, table);
}

bool WritePngFile(const QImage& image, const std::string& path) {
  const QImage palette = image.format() == QImage::Format_RGB32 ? PaletteImage(image) : QImage();
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly) || !(palette.isNull() ? image : palette).save(&file, "PNG", kPngQuality)) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}
}  // namespace

bool IsPngFileName(const std::string& path) {
  return QString::fromStdString(path).endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
}

bool WritePictureFile(const QImage& image, int depth, const std::string& path) {
  return IsPngFileName(path) ? WritePngFile(image, path) : WriteBmpFile(image, depth, path);
}

}  // namespace plotix
