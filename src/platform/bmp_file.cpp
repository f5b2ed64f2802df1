#include "platform/bmp_file.h"

#include <QSaveFile>
#include <QtEndian>

#include "platform/canvas.h"

namespace plotix {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0, kBiBitfields = 3;
constexpr std::int32_t kPixelsPerMetre = 3780;  // 96 dots per inch

void Put16(QByteArray& out, int at, std::uint16_t v) { qToLittleEndian(v, out.data() + at); }
void Put32(QByteArray& out, int at, std::uint32_t v) { qToLittleEndian(v, out.data() + at); }

TColor ColorOf(QRgb p) { return RGBColor(qRed(p), qGreen(p), qBlue(p)); }

}  // namespace

QByteArray EncodeBmp(const QImage& image, int depth) {
  if (image.isNull() || !IsValidDepth(depth)) return {};
  const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
  const int width = pixels.width(), height = pixels.height();
  const int bits = depth == 15 ? 16 : depth;
  const qsizetype stride = (qsizetype(width) * bits + 31) / 32 * 4;
  const int paletteSize = depth == 4 ? 16 : depth == 8 ? 256 : 0;
  const int extraSize = paletteSize * 4 + (depth == 16 ? 12 : 0);
  const qsizetype pixelOffset = kFileHeaderSize + kInfoHeaderSize + extraSize;
  const qsizetype fileSize = pixelOffset + stride * height;
  if (fileSize > 0xFFFFFFFFu) return {};

  QByteArray out(fileSize, '\0');
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, std::uint32_t(fileSize));
  Put32(out, 10, std::uint32_t(pixelOffset));
  Put32(out, 14, kInfoHeaderSize);
  Put32(out, 18, std::uint32_t(width));
  Put32(out, 22, std::uint32_t(height));  // positive: rows bottom-up
  Put16(out, 26, 1);
  Put16(out, 28, std::uint16_t(bits));
  Put32(out, 30, depth == 16 ? kBiBitfields : kBiRgb);
  Put32(out, 34, std::uint32_t(stride * height));
  Put32(out, 38, kPixelsPerMetre);
  Put32(out, 42, kPixelsPerMetre);
  Put32(out, 46, std::uint32_t(paletteSize));
  int at = kFileHeaderSize + kInfoHeaderSize;
  for (int i = 0; i < paletteSize; ++i, at += 4) {
    const TColor c = depth == 4 ? Palette4()[i] : Palette8()[i];
    out[at] = char(BlueOf(c));
    out[at + 1] = char(GreenOf(c));
    out[at + 2] = char(RedOf(c));
  }
  if (depth == 16) {
    Put32(out, at, 0xF800);
    Put32(out, at + 4, 0x07E0);
    Put32(out, at + 8, 0x001F);
  }

  for (int y = 0; y < height; ++y) {
    const QRgb* src = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    uchar* row = reinterpret_cast<uchar*>(out.data()) + pixelOffset + stride * (height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const TColor c = ColorOf(src[x]);
      switch (depth) {
        case 4: row[x / 2] |= uchar(PaletteIndex(c, 4) << (x % 2 ? 0 : 4)); break;
        case 8: row[x] = uchar(PaletteIndex(c, 8)); break;
        case 15:
        case 16: {
          const TColor s = SnapColor(c, depth);
          const std::uint16_t v = depth == 15
                                      ? std::uint16_t((RedOf(s) >> 3) << 10 | (GreenOf(s) >> 3) << 5 | BlueOf(s) >> 3)
                                      : std::uint16_t((RedOf(s) >> 3) << 11 | (GreenOf(s) >> 2) << 5 | BlueOf(s) >> 3);
          qToLittleEndian(v, row + 2 * x);
          break;
        }
        default: {
          uchar* p = row + x * (depth / 8);
          p[0] = uchar(BlueOf(c));
          p[1] = uchar(GreenOf(c));
          p[2] = uchar(RedOf(c));
        }
      }
    }
  }
  return out;
}

bool WriteBmpFile(const QImage& image, int depth, const std::string& path) {
  const QByteArray bytes = EncodeBmp(image, depth);
  if (bytes.isEmpty()) return false;
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace plotix
