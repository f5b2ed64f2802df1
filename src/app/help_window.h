#pragma once
// THelpWindow: "Plotix Help", the manual (docs/manual, built into the program) with its
// contents, an index of every section and of the terms the pages name for them
// ("<!-- index: slider, play -->" under a heading), a full-text search, links between pages
// and back and forward.

#include <QStringList>
#include <QTextBrowser>
#include <QTextObjectInterface>
#include <QWidget>
#include <vector>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTreeWidget;

namespace plotix {

// The manual's pages inside the program.
constexpr char kManualRoot[] = "qrc:/manual/";

// A section of a manual page: its title and the anchor a link names it by ("3-add-a-function").
struct THelpSection {
  QString page;  // "polar.md"
  QString title;
  QString anchor;     // empty for the page itself
  int level = 1;      // 1 the page's title, 2 and 3 its sections
  QStringList terms;  // the words the index lists it by besides its title
};

// The anchor a heading gets, as links in the pages write it: lower case, spaces as
// hyphens, punctuation left out.
QString HeadingAnchor(const QString& heading);

// Draws the pages' pictures as Qt lays them out, smoothly where a page shows one smaller
// than it is: scaled pixel for pixel, a graph's thin lines and text fall apart.
class THelpPictures : public QObject, public QTextObjectInterface {
  Q_OBJECT
  Q_INTERFACES(QTextObjectInterface)

 public:
  THelpPictures(QTextObjectInterface* plain, QObject* parent);
  QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
  void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                  const QTextFormat& format) override;

 private:
  QTextObjectInterface* plain_;  // Qt's own, which the layout keeps
};

// Shows markdown pages and finds a link's section by its anchor.
class THelpBrowser : public QTextBrowser {
  Q_OBJECT

 public:
  explicit THelpBrowser(QWidget* parent = nullptr);

 protected:
  void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;
};

class THelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit THelpWindow(QWidget* parent = nullptr);

  // Shows a page ("polar.md", "polar.md#axis-properties"; the contents when empty).
  void ShowPage(const QString& page);
  // The pages where every word of the text occurs, the most hits first.
  QStringList Search(const QString& text) const;

  THelpBrowser* Browser;
  QTabWidget* Tabs;
  QTreeWidget* Contents;
  QLineEdit* IndexFilter;
  QListWidget* Index;
  QLineEdit* SearchText;
  QListWidget* Results;

 private:
  void LoadPages();
  void FillIndex(const QString& filter);
  void ShowResults();

  QStringList pages_;                // in the order the contents page lists them
  std::vector<QString> plainTexts_;  // of each page, for the search
  std::vector<THelpSection> sections_;
  struct TIndexEntry {
    QString word, shown, target;  // the title or term, as listed, where it leads
  };
  std::vector<TIndexEntry> index_;  // in alphabetical order
};

}  // namespace plotix
