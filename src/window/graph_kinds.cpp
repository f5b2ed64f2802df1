#include "window/graph_kinds.h"

#include <map>

#include "platform/message_box.h"
#include "window/graph_document.h"

namespace plotix {

namespace {
std::map<TGraphKind, TGraphKindEntry>& Kinds() {
  static std::map<TGraphKind, TGraphKindEntry> kinds;
  return kinds;
}

const TGraphKindEntry* Find(TGraphKind kind) {
  const auto found = Kinds().find(kind);
  return found == Kinds().end() ? nullptr : &found->second;
}
}  // namespace

void RegisterGraphKind(TGraphKind kind, TGraphKindEntry entry) { Kinds()[kind] = std::move(entry); }

bool IsGraphKindRegistered(TGraphKind kind) { return Find(kind) != nullptr; }

std::unique_ptr<TGraphDoc> NewGraphDocument(TGraphKind kind) {
  const TGraphKindEntry* entry = Find(kind);
  return entry ? entry->newDocument() : nullptr;
}

TFuncGraphWindow* NewGraphWindow(TGraphKind kind) {
  const TGraphKindEntry* entry = Find(kind);
  return entry ? entry->newWindow() : nullptr;
}

bool HasGlobalSettings(TGraphKind kind) {
  const TGraphKindEntry* entry = Find(kind);
  return entry && entry->globalSettings;
}

void EditGlobalSettings(TGraphKind kind, QWidget* parent) {
  if (HasGlobalSettings(kind)) Find(kind)->globalSettings(parent);
}

bool CheckGraphKind(TReadGraphFile& reader) {
  if (IsGraphKindRegistered(TGraphKind(reader.GraphKind()))) return true;
  ShowMessage(TMsgKind::Error, "Error Loading File", TMsgButtons::OK);
  reader.Close();
  return false;
}

std::unique_ptr<TGraphDoc> OpenGraphDocument(const std::string& fileName) {
  TReadGraphFile reader;
  if (!reader.Open(fileName) || !CheckGraphKind(reader)) return nullptr;
  std::unique_ptr<TGraphDoc> doc = NewGraphDocument(TGraphKind(reader.GraphKind()));
  if (!doc->LoadGraph(reader)) return nullptr;
  return doc;
}

}  // namespace plotix
