#include "platform/picture_file.h"

#include <QList>
#include <QSaveFile>
#include <QString>

namespace plotix {

namespace {
// Qt's PNG quality 80 is zlib's fastest level: graphs are mostly runs of one colour, which
// that level packs nearly as small in half the time of the default.
constexpr int kPngQuality = 80;

// Graphs hold few colours, mostly in runs: a palette PNG of them is exact, smaller and
// about twice as fast to write as a true-colour one. Built in one pass, each pixel's index
// taken from the run it continues or found among the few colours seen, where Qt's own
// conversion would search the table for the nearest colour of every pixel. Null with
// more than 256 colours.
QImage PaletteImage(const QImage& image) {
  QImage indexed(image.size(), QImage::Format_Indexed8);
  if (indexed.isNull()) return {};
  QList<QRgb> table;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    uchar* out = indexed.scanLine(y);
    QRgb last = 0;
    int index = -1;
    for (int x = 0; x < image.width(); ++x) {
      if (index < 0 || row[x] != last) {
        last = row[x];
        index = int(table.indexOf(last));
        if (index < 0) {
          if (table.size() == 256) return {};
          index = int(table.size());
          table << last;
        }
      }
      out[x] = uchar(index);
    }
  }
  indexed.setColorTable(table);
  return indexed;
}

}  // namespace

bool WritePngFile(const QImage& image, const std::string& path) {
  const QImage palette = image.format() == QImage::Format_RGB32 ? PaletteImage(image) : QImage();
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly) || !(palette.isNull() ? image : palette).save(&file, "PNG", kPngQuality)) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace plotix
