#pragma once
// The graph kinds the program knows. Each kind registers how to make its document and its
// window, so the main window and the headless modes open any kind without naming one.

#include <functional>
#include <memory>
#include <string>

#include "files/graph_file.h"

class QWidget;

namespace plotix {

class TFuncGraphWindow;
class TGraphDoc;

struct TGraphKindEntry {
  std::function<std::unique_ptr<TGraphDoc>()> newDocument;
  // A window over a new document, not yet sized.
  std::function<TFuncGraphWindow*()> newWindow;
  // The kind's program-wide settings dialog, if it has one (the main window's Tools menu).
  std::function<void(QWidget* parent)> globalSettings = {};
};

void RegisterGraphKind(TGraphKind kind, TGraphKindEntry entry);
bool IsGraphKindRegistered(TGraphKind kind);
// Null for a kind nobody registered.
std::unique_ptr<TGraphDoc> NewGraphDocument(TGraphKind kind);
TFuncGraphWindow* NewGraphWindow(TGraphKind kind);
bool HasGlobalSettings(TGraphKind kind);
// Runs the kind's program-wide settings dialog; nothing for a kind without one.
void EditGlobalSettings(TGraphKind kind, QWidget* parent);

// True when the opened file's kind is registered; otherwise shows "Error Loading File",
// closes the reader and returns false.
bool CheckGraphKind(TReadGraphFile& reader);

// Opens a graph file into a new document of its kind; null when the file can not be
// opened or read (the user has been told why).
std::unique_ptr<TGraphDoc> OpenGraphDocument(const std::string& fileName);

}  // namespace plotix
