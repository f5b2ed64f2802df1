#include "app/headless_files.h"

#include <QString>

#include <iostream>

#include "platform/canvas.h"
#include "platform/picture_file.h"
#include "window/graph_document.h"
#include "window/graph_kinds.h"

namespace plotix {

namespace {

bool HasExtension(const std::string& fileName, const char* extension) {
  return QString::fromStdString(fileName).endsWith(QLatin1String(extension), Qt::CaseInsensitive);
}

}  // namespace

bool IsPictureFileName(const std::string& fileName) {
  return HasExtension(fileName, ".bmp") || HasExtension(fileName, ".png");
}

int RenderGraphFile(const std::string& graphFile, const std::string& pictureFile, int depth) {
  const std::unique_ptr<TGraphDoc> doc = OpenGraphDocument(graphFile);
  if (!doc) return 1;
  TBitmap bitmap(doc->BitmapWidth(), doc->BitmapHeight());
  if (depth == 0) depth = bitmap.Depth();
  bitmap.SetDepth(depth);
  if (bitmap.Width() != doc->BitmapWidth() || bitmap.Height() != doc->BitmapHeight()) {
    std::cerr << "plotix: no memory for a " << doc->BitmapWidth() << " x " << doc->BitmapHeight() << " bitmap\n";
    return 1;
  }
  doc->RenderWithLabels(bitmap);
  if (!WritePictureFile(bitmap.Image(), depth, pictureFile)) {
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
