#include "app/headless_files.h"

#include <QImage>
#include <QSaveFile>
#include <QString>

#include <iostream>

#include "platform/bmp_file.h"
#include "platform/canvas.h"
#include "window/graph_document.h"
#include "window/graph_kinds.h"

namespace plotix {

namespace {

bool HasExtension(const std::string& fileName, const char* extension) {
  return QString::fromStdString(fileName).endsWith(QLatin1String(extension), Qt::CaseInsensitive);
}

// Like the bitmap files: a failed write leaves an existing picture as it was.
bool WritePng(const QImage& image, const std::string& fileName) {
  QSaveFile file(QString::fromStdString(fileName));
  return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

}  // namespace

bool IsPictureFileName(const std::string& fileName) {
  return HasExtension(fileName, ".bmp") || HasExtension(fileName, ".png");
}

int RenderGraphFile(const std::string& graphFile, const std::string& pictureFile, int depth) {
  const std::unique_ptr<TGraphDoc> doc = OpenGraphDocument(graphFile);
  if (!doc) return 1;
  TBitmap bitmap(doc->BitmapWidth, doc->BitmapHeight);
  if (depth == 0) depth = bitmap.Depth();
  bitmap.SetDepth(depth);
  if (bitmap.Width() != doc->BitmapWidth || bitmap.Height() != doc->BitmapHeight) {
    std::cerr << "plotix: no memory for a " << doc->BitmapWidth << " x " << doc->BitmapHeight << " bitmap\n";
    return 1;
  }
  doc->RenderWithLabels(bitmap);
  if (!(HasExtension(pictureFile, ".png") ? WritePng(bitmap.Image(), pictureFile)
                                          : WriteBmpFile(bitmap.Image(), depth, pictureFile))) {
    std::cerr << "plotix: can not write " << pictureFile << '\n';
    return 1;
  }
  return 0;
}

int ResaveGraphFile(const std::string& from, const std::string& to) {
  const std::unique_ptr<TGraphDoc> doc = OpenGraphDocument(from);
  return doc && doc->SaveGraph(to) ? 0 : 1;
}

}  // namespace plotix
