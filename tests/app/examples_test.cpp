// The example graphs pin the whole picture: a change of one pixel anywhere in the
// drawing of functions, axes, tick labels or drawing labels changes a hash here.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>

#include "platform/bmp_file.h"
#include "platform/canvas.h"
#include "window/graph_document.h"
#include "window/graph_kinds.h"

namespace plotix {
namespace {

QString ExamplePath(const char* name) { return QStringLiteral(PLOTIX_EXAMPLES "/") + name; }

// Each example: the SHA-256 of its picture as a 32-bit bitmap file; and saved again, the
// same bytes (format 2 for graphs without curves, format 3 for the one with them).
TEST(Examples, RenderToThePinnedPicturesAndSaveAsTheyWere) {
  const struct {
    const char* file;
    const char* sha256;
  } rows[] = {
      {"bounded.pxg", "c5f454ac3163b8d673456092401fb438a128cfd4f5c7a21445b8e32874139313"},
      {"curves.pxg", "2c6e8c9d8992a9bc98f804fdc91b4c17d2931479be1429ef806135e5f89c4303"},
      {"labels.pxg", "eccaeec498f8a7e1c95de4842a58c350b0d6ff06d077612d40ace734f0f3ab99"},
      {"polar.pxg", "7cffdb58ba8c1d2a696be851e4b8920ab0c85e486b17c9c20cab5bbe837f59fe"},
      {"polynomials.pxg", "da094761caba3b34234a3de013423c3d6026adbb80358206d7c85a574af0ac9b"},
      {"solid_of_revolution.pxg", "2599a8987bbd84ceed62185e96a6bd848b800988cda1db778a56caea57433717"},
      {"surface.pxg", "319923b00f48c8877d0bf369bf5fb881cad0772e9db58f268ec74bcb136a68d0"},
      {"trigonometry.pxg", "083df5c30ca49a27f903156067484176b42b6a11e1bdd20092df964a811c8131"},
  };
  for (const auto& row : rows) {
    const std::unique_ptr<TGraphDoc> doc = OpenGraphDocument(ExamplePath(row.file).toStdString());
    ASSERT_TRUE(doc) << row.file;
    TBitmap bitmap(doc->BitmapWidth(), doc->BitmapHeight());
    doc->RenderWithLabels(bitmap);
    const QByteArray hash = QCryptographicHash::hash(EncodeBmp(bitmap.Image(), 32), QCryptographicHash::Sha256);
    EXPECT_EQ(hash.toHex().toStdString(), row.sha256) << row.file;
    QFile file(ExamplePath(row.file));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(doc->GraphBytes(), std::vector<std::uint8_t>(bytes.begin(), bytes.end())) << row.file;
  }
}

}  // namespace
}  // namespace plotix
