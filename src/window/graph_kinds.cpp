#include "window/graph_kinds.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "files/graph_file.h"
#include "platform/message_box.h"
#include "window/graph_document.h"

namespace plotix {

namespace {

std::vector<TGraphKindEntry>& Kinds() {
  static std::vector<TGraphKindEntry> kinds;
  return kinds;
}

constexpr int kIconSize = 24;

}  // namespace

void RegisterGraphKind(TGraphKindEntry entry) {
  UnregisterGraphKind(entry.fileCode);
  Kinds().push_back(std::move(entry));
}

void UnregisterGraphKind(std::int32_t fileCode) {
  std::erase_if(Kinds(), [fileCode](const TGraphKindEntry& k) { return k.fileCode == fileCode; });
}

const std::vector<TGraphKindEntry>& GraphKinds() { return Kinds(); }

const TGraphKindEntry* FindGraphKind(std::int32_t fileCode) {
  const auto found = std::find_if(Kinds().begin(), Kinds().end(),
                                  [fileCode](const TGraphKindEntry& k) { return k.fileCode == fileCode; });
  return found == Kinds().end() ? nullptr : &*found;
}

QIcon GraphKindIcon(const TGraphKindEntry& kind) {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // A sheet of paper with a folded corner, the new-graph mark.
  p.setPen(QPen(QColor(30, 30, 30), 1));
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF{{3.5, 1.5}, {15.5, 1.5}, {20.5, 6.5}, {20.5, 22.5}, {3.5, 22.5}});
  p.drawPolyline(QPolygonF{{15.5, 1.5}, {15.5, 6.5}, {20.5, 6.5}});
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(120, 120, 120), 1));
  if (kind.drawIcon) kind.drawIcon(p);
  return QIcon(pixmap);
}

std::unique_ptr<TGraphDoc> NewGraphDocument(std::int32_t fileCode) {
  const TGraphKindEntry* entry = FindGraphKind(fileCode);
  return entry ? entry->newDocument() : nullptr;
}

TFuncGraphWindow* NewGraphWindow(std::int32_t fileCode) {
  const TGraphKindEntry* entry = FindGraphKind(fileCode);
  return entry ? entry->newWindow() : nullptr;
}

bool CheckGraphKind(TReadGraphFile& reader) {
  if (FindGraphKind(reader.GraphKind())) return true;
  ShowMessage(TMsgKind::Error, "Error Loading File", TMsgButtons::OK);
  reader.Close();
  return false;
}

std::unique_ptr<TGraphDoc> OpenGraphDocument(const std::string& fileName) {
  TReadGraphFile reader;
  if (!reader.Open(fileName) || !CheckGraphKind(reader)) return nullptr;
  std::unique_ptr<TGraphDoc> doc = NewGraphDocument(reader.GraphKind());
  if (!doc->LoadGraph(reader)) return nullptr;
  return doc;
}

}  // namespace plotix
