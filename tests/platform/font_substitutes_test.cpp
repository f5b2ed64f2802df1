// Graph files name classic faces; where those are not installed, the same stand-in draws
// them on every machine, whatever else fontconfig would prefer.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFontDatabase>
#include <QFontInfo>

#include "platform/bmp_file.h"
#include "platform/canvas.h"

namespace plotix {
namespace {

const struct {
  const char* classic;
  const char* drawnIn;
} kFaces[] = {
    {"Arial", "Liberation Sans"},     {"Helvetica", "Liberation Sans"},   {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},    {"Courier New", "Liberation Mono"}, {"Courier", "Liberation Mono"},
    {"MS Sans Serif", "DejaVu Sans"}, {"MS Shell Dlg", "DejaVu Sans"},    {"Tahoma", "DejaVu Sans"},
    {"Verdana", "DejaVu Sans"},       {"System", "DejaVu Sans"},          {"MS Serif", "DejaVu Serif"},
};

TEST(FontSubstitutes, ClassicFacesDrawInTheirStandIns) {
  for (const auto& face : kFaces) {
    if (QFontDatabase::hasFamily(QString::fromLatin1(face.classic))) continue;  // the face itself draws
    EXPECT_EQ(QFontInfo(MakeQFont({face.classic, 0, 0, 10})).family().toStdString(), face.drawnIn) << face.classic;
  }
}

// One line of text in each classic face: the picture a graph file with these fonts gives.
TEST(FontSubstitutes, TheirPictureIsPinned) {
  TBitmap bitmap(260, 14 * int(std::size(kFaces)));
  TCanvas& canvas = bitmap.Canvas();
  int y = 0;
  for (const auto& face : kFaces) {
    canvas.Font() = {face.classic, 0, 0, 9};
    canvas.TextOut(2, y, std::string(face.classic) + " 0123456789 xyz");
    y += 14;
  }
  const QByteArray hash = QCryptographicHash::hash(EncodeBmp(bitmap.Image(), 32), QCryptographicHash::Sha256);
  EXPECT_EQ(hash.toHex().toStdString(), "27d2a97c7148875d184a19cda4c129978a48352cad88929ddbcc022a4e5afe46");
}

}  // namespace
}  // namespace plotix
