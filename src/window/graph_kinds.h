#pragma once
// The graph kinds the program knows. Each kind registers everything the rest of the
// program needs of it (its number in graph files, its names, its icon, what its status
// line offers, its manual page, how to make its document and window), so the main window
// and the headless modes open, list and create any kind without naming one.

#include <QIcon>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPainter;
class QWidget;

namespace plotix {

class TFuncGraphWindow;
class TGraphDoc;
class TReadGraphFile;
struct TProgramSettings;

// A status line panel whose text the user chooses in "Status Line Settings".
struct TStatusModeChoice {
  std::string key;                 // where TProgramSettings keeps the mode
  std::string title;               // its group in the dialog: "View Center"
  std::vector<std::string> names;  // the modes, by number
  int defaultMode = 0;
};

struct TGraphKindEntry {
  std::int32_t fileCode = 0;  // the kind's number in graph files
  std::string name;           // "2D Cartesian": captions and messages
  std::string newCommand;     // the File menu's item: "New &2D Cartesian"
  std::string newHint;        // the tool bar button's hint: "New 2D Cartesian Graph"
  // Draws the kind's mark on the new-graph page of the tool bar and window icon.
  std::function<void(QPainter&)> drawIcon;
  std::string helpPage;  // the manual page of the kind
  // "Status Line Settings": the kind's choices, grouped under the title (none: each
  // choice stands alone under its own title).
  std::string statusTitle;
  std::vector<TStatusModeChoice> statusModes;
  std::function<std::unique_ptr<TGraphDoc>()> newDocument;
  // A window over a new document, not yet sized.
  std::function<TFuncGraphWindow*()> newWindow;
  // The kind's program-wide settings dialog, if it has one (the main window's Tools menu).
  std::string globalSettingsCommand = {};
  std::function<void(QWidget* parent, TProgramSettings& settings)> globalSettings = {};
};

// Registers every kind the program is built with, in the order of its build list.
void RegisterGraphKinds();
// Kinds are offered in the order they registered.
void RegisterGraphKind(TGraphKindEntry entry);
void UnregisterGraphKind(std::int32_t fileCode);
const std::vector<TGraphKindEntry>& GraphKinds();
// Null for a kind nobody registered.
const TGraphKindEntry* FindGraphKind(std::int32_t fileCode);
// The kind's icon: its mark on a sheet of paper.
QIcon GraphKindIcon(const TGraphKindEntry& kind);

// Null for a kind nobody registered.
std::unique_ptr<TGraphDoc> NewGraphDocument(std::int32_t fileCode);
TFuncGraphWindow* NewGraphWindow(std::int32_t fileCode);

// True when the opened file's kind is registered; otherwise shows "Error Loading File",
// closes the reader and returns false.
bool CheckGraphKind(TReadGraphFile& reader);

// Opens a graph file into a new document of its kind; null when the file can not be
// opened or read (the user has been told why).
std::unique_ptr<TGraphDoc> OpenGraphDocument(const std::string& fileName);

}  // namespace plotix
