// Bitmap files at every depth: header fields, palettes, row order and padding, and what
// an independent reader (Qt's) makes of them.
#include "platform/bmp_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "platform/canvas.h"

namespace plotix {
namespace {

std::uint32_t U32(const QByteArray& b, int at) { return qFromLittleEndian<std::uint32_t>(b.constData() + at); }
std::uint16_t U16(const QByteArray& b, int at) { return qFromLittleEndian<std::uint16_t>(b.constData() + at); }

TColor ColorAt(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return RGBColor(qRed(p), qGreen(p), qBlue(p));
}

struct TDepthCase {
  int depth, bits, compression, paletteSize;
};
constexpr TDepthCase kDepths[] = {{4, 4, 0, 16},  {8, 8, 0, 256}, {15, 16, 0, 0},
                                  {16, 16, 3, 0}, {24, 24, 0, 0}, {32, 32, 0, 0}};

TEST(BmpFile, EveryDepthHasItsHeaderAndReadsBackWithTheSamePixels) {
  for (const TDepthCase& c : kDepths)
    for (int width : {1, 5, 13}) {
      const int height = 7;
      TBitmap bitmap(width, height, c.depth);
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap.Canvas().SetPixel(x, y, RGBColor(x * 19, y * 37, (x + y) * 13));
      const QByteArray bytes = EncodeBmp(bitmap.Image(), c.depth);
      const std::string what = std::to_string(c.depth) + " bits, width " + std::to_string(width);

      const int stride = (width * c.bits + 31) / 32 * 4;
      const int offset = 14 + 40 + c.paletteSize * 4 + (c.depth == 16 ? 12 : 0);
      ASSERT_EQ(bytes.size(), offset + stride * height) << what;
      EXPECT_EQ(bytes.left(2), QByteArray("BM")) << what;
      EXPECT_EQ(U32(bytes, 2), std::uint32_t(bytes.size())) << what;
      EXPECT_EQ(U32(bytes, 10), std::uint32_t(offset)) << what;
      EXPECT_EQ(U32(bytes, 14), 40u) << what;
      EXPECT_EQ(U32(bytes, 18), std::uint32_t(width)) << what;
      EXPECT_EQ(U32(bytes, 22), std::uint32_t(height)) << what;  // positive: bottom-up
      EXPECT_EQ(U16(bytes, 26), 1u) << what;
      EXPECT_EQ(U16(bytes, 28), c.bits) << what;
      EXPECT_EQ(U32(bytes, 30), std::uint32_t(c.compression)) << what;
      EXPECT_EQ(U32(bytes, 34), std::uint32_t(stride * height)) << what;
      EXPECT_EQ(U32(bytes, 46), std::uint32_t(c.paletteSize)) << what;

      const QImage back = QImage::fromData(bytes, "BMP");
      ASSERT_FALSE(back.isNull()) << what;
      ASSERT_EQ(back.size(), bitmap.Image().size()) << what;
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
          const TColor expected = bitmap.Canvas().Pixel(x, y), actual = ColorAt(back, x, y);
          if (c.depth == 15 || c.depth == 16) {
            // Readers differ in how they widen 5 and 6-bit channels; the stored bits must agree.
            const int greenShift = c.depth == 16 ? 2 : 3;
            EXPECT_EQ(RedOf(actual) >> 3, RedOf(expected) >> 3) << what << " at " << x << "," << y;
            EXPECT_EQ(GreenOf(actual) >> greenShift, GreenOf(expected) >> greenShift) << what;
            EXPECT_EQ(BlueOf(actual) >> 3, BlueOf(expected) >> 3) << what;
          } else {
            EXPECT_EQ(actual, expected) << what << " at " << x << "," << y;
          }
        }
    }
}

TEST(BmpFile, PalettesMasksAndRowOrder) {
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(Qt::white);
  image.setPixel(0, 0, qRgb(0x7F, 0x7F, 0x7F));  // not a palette colour: the nearest (grey)
  image.setPixel(2, 1, qRgb(255, 0, 0));
  const QByteArray four = EncodeBmp(image, 4);
  for (int i = 0; i < 16; ++i) {
    const TColor c = Palette4()[i];
    EXPECT_EQ(U32(four, 54 + 4 * i), std::uint32_t(BlueOf(c) | GreenOf(c) << 8 | RedOf(c) << 16)) << i;
  }
  // Bottom row first, high nibble first: red is index 9, white 15, grey 8.
  EXPECT_EQ(U32(four, 118), 0x000090FFu);
  EXPECT_EQ(U32(four, 122), 0x0000F08Fu);
  const QByteArray eight = EncodeBmp(image, 8);
  for (int i = 0; i < 256; ++i) {
    const TColor c = Palette8()[i];
    ASSERT_EQ(U32(eight, 54 + 4 * i), std::uint32_t(BlueOf(c) | GreenOf(c) << 8 | RedOf(c) << 16)) << i;
  }
  EXPECT_EQ(std::uint8_t(eight[1078]), PaletteIndex(0xFFFFFF, 8));
  EXPECT_EQ(std::uint8_t(eight[1080]), PaletteIndex(0x0000FF, 8));
  const QByteArray sixteen = EncodeBmp(image, 16);
  EXPECT_EQ(U32(sixteen, 54), 0xF800u);
  EXPECT_EQ(U32(sixteen, 58), 0x07E0u);
  EXPECT_EQ(U32(sixteen, 62), 0x001Fu);
  EXPECT_EQ(U16(sixteen, 66), 0xFFFFu);
  EXPECT_EQ(U16(sixteen, 70), 0xF800u);
  EXPECT_EQ(U16(EncodeBmp(image, 15), 58), 0x7C00u);  // 5-5-5, bottom row's red pixel
  EXPECT_TRUE(EncodeBmp(image, 7).isEmpty());
  EXPECT_TRUE(EncodeBmp(QImage(), 24).isEmpty());
}

TEST(BmpFile, WritesFilesAtomically) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(qRgb(0, 128, 0));
  const std::string path = dir.filePath("graph.bmp").toStdString();
  ASSERT_TRUE(WriteBmpFile(image, 24, path));
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray written = file.readAll();
  file.close();
  EXPECT_EQ(written, EncodeBmp(image, 24));
  // A failure leaves the old file as it was.
  EXPECT_FALSE(WriteBmpFile(image, 7, path));
  EXPECT_FALSE(WriteBmpFile(QImage(), 24, path));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), written);
  EXPECT_FALSE(WriteBmpFile(image, 24, dir.filePath("missing/graph.bmp").toStdString()));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"graph.bmp"});
}

}  // namespace
}  // namespace plotix
