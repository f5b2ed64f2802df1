#include "app/cmdfile.h"

#include <QImage>
#include <QSaveFile>
#include <QString>

#include <iostream>

#include "files/filesave.h"
#include "graph/doc2d.h"
#include "platform/bmpfile.h"
#include "platform/canvas.h"

namespace plotix {

namespace {

bool HasExtension(const std::string& fileName, const char* extension) {
  return QString::fromStdString(fileName).endsWith(QLatin1String(extension), Qt::CaseInsensitive);
}

// Opens the graph into doc; the reader's and the records' messages go to the handler.
bool Open2D(const std::string& fileName, TGraph2DDoc& doc) {
  TReadGraphFile reader;
  if (!reader.Open(fileName)) return false;
  if (reader.GraphKind() != gk2DCartesian) {
    std::cerr << "plotix: " << fileName << ": graph kind " << reader.GraphKind()
              << " can not be opened here; only 2D Cartesian graphs (kind 1) can\n";
    return false;
  }
  return doc.LoadGraph(reader);
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
  TGraph2DDoc doc;
  if (!Open2D(graphFile, doc)) return 1;
  TBitmap bitmap(doc.BitmapWidth, doc.BitmapHeight);
  if (depth == 0) depth = bitmap.Depth();
  bitmap.SetDepth(depth);
  if (bitmap.Width() != doc.BitmapWidth || bitmap.Height() != doc.BitmapHeight) {
    std::cerr << "plotix: no memory for a " << doc.BitmapWidth << " x " << doc.BitmapHeight << " bitmap\n";
    return 1;
  }
  doc.RenderWithLabels(bitmap);
  if (!(HasExtension(pictureFile, ".png") ? WritePng(bitmap.Image(), pictureFile)
                                          : WriteBmpFile(bitmap.Image(), depth, pictureFile))) {
    std::cerr << "plotix: can not write " << pictureFile << '\n';
    return 1;
  }
  return 0;
}

int ResaveGraphFile(const std::string& from, const std::string& to) {
  TGraph2DDoc doc;
  if (!Open2D(from, doc)) return 1;
  return doc.SaveGraph(to) ? 0 : 1;
}

}  // namespace plotix
