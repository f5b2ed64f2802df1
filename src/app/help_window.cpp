#include "app/help_window.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

namespace plotix {

namespace {

constexpr int kPageRole = Qt::UserRole;

QString ReadPage(const QString& page) {
  QFile file(QStringLiteral(":/manual/") + page);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A heading's words without the markdown around them.
QString HeadingText(QString line) {
  line.remove(QRegularExpression(QStringLiteral("^#+\\s*")));
  line.remove(QLatin1Char('*'));
  line.remove(QLatin1Char('`'));
  return line.trimmed();
}

// Where a link to the section leads.
QString SectionTarget(const THelpSection& s) {
  return s.anchor.isEmpty() ? s.page : s.page + QLatin1Char('#') + s.anchor;
}

}  // namespace

QString HeadingAnchor(const QString& heading) {
  QString anchor;
  for (const QChar c : HeadingText(heading).toLower()) {
    if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_'))
      anchor += c;
    else if (c == QLatin1Char(' '))
      anchor += QLatin1Char('-');
  }
  return anchor;
}

THelpPictures::THelpPictures(QTextObjectInterface* plain, QObject* parent) : QObject(parent), plain_(plain) {}

QSizeF THelpPictures::intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) {
  return plain_->intrinsicSize(document, position, format);
}

void THelpPictures::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                               const QTextFormat& format) {
  painter->save();
  painter->setRenderHint(QPainter::SmoothPixmapTransform);
  plain_->drawObject(painter, rect, document, position, format);
  painter->restore();
}

THelpBrowser::THelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  QAbstractTextDocumentLayout* layout = document()->documentLayout();
  layout->registerHandler(QTextFormat::ImageObject,
                          new THelpPictures(layout->handlerForObject(QTextFormat::ImageObject), layout));
}

// Headings become anchors named as links name them, so a link to a section lands there.
// QTextBrowser takes any change of its document for an edit and loads the page anew, without
// them, on the next link into it: so they go in unseen by it.
void THelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
  const bool samePage =
      !document()->isEmpty() && name.adjusted(QUrl::RemoveFragment) == source().adjusted(QUrl::RemoveFragment);
  QTextBrowser::doSetSource(name, type);
  if (!samePage) {
    const QSignalBlocker unseen(document());
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
      if (block.blockFormat().headingLevel() == 0) continue;
      QTextCursor heading(block);
      heading.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
      QTextCharFormat format;
      format.setAnchor(true);
      format.setAnchorNames({HeadingAnchor(block.text())});
      heading.mergeCharFormat(format);
    }
  }
  if (name.hasFragment()) scrollToAnchor(name.fragment());
}

THelpWindow::THelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      Browser(new THelpBrowser),
      Tabs(new QTabWidget),
      Contents(new QTreeWidget),
      IndexFilter(new QLineEdit),
      Index(new QListWidget),
      SearchText(new QLineEdit),
      Results(new QListWidget) {
  setWindowTitle(QStringLiteral("Plotix Help"));
  Contents->setHeaderHidden(true);
  IndexFilter->setPlaceholderText(QStringLiteral("Look for a subject"));
  SearchText->setPlaceholderText(QStringLiteral("Words to find"));
  LoadPages();
  FillIndex({});

  auto* indexPage = new QWidget;
  auto* indexLayout = new QVBoxLayout(indexPage);
  indexLayout->addWidget(IndexFilter);
  indexLayout->addWidget(Index);
  auto* searchPage = new QWidget;
  auto* searchLayout = new QVBoxLayout(searchPage);
  searchLayout->addWidget(SearchText);
  searchLayout->addWidget(Results);
  Tabs->addTab(Contents, QStringLiteral("&Contents"));
  Tabs->addTab(indexPage, QStringLiteral("&Index"));
  Tabs->addTab(searchPage, QStringLiteral("&Search"));

  auto* tools = new QToolBar;
  QAction* back = tools->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"), Browser,
                                   &QTextBrowser::backward);
  QAction* forward = tools->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("Forward"),
                                      Browser, &QTextBrowser::forward);
  tools->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("Contents"), this,
                   [this] { ShowPage({}); });
  back->setShortcut(QKeySequence::Back);
  forward->setShortcut(QKeySequence::Forward);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(Browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(Browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

  auto* splitter = new QSplitter;
  splitter->addWidget(Tabs);
  splitter->addWidget(Browser);
  splitter->setStretchFactor(1, 3);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tools);
  layout->addWidget(splitter);
  resize(960, 700);

  const auto open = [this](const QString& target) { ShowPage(target); };
  connect(Contents, &QTreeWidget::itemActivated, this,
          [open](QTreeWidgetItem* item) { open(item->data(0, kPageRole).toString()); });
  connect(Contents, &QTreeWidget::itemClicked, this,
          [open](QTreeWidgetItem* item) { open(item->data(0, kPageRole).toString()); });
  connect(Index, &QListWidget::itemActivated, this,
          [open](QListWidgetItem* item) { open(item->data(kPageRole).toString()); });
  connect(Index, &QListWidget::itemClicked, this,
          [open](QListWidgetItem* item) { open(item->data(kPageRole).toString()); });
  // A tab chosen by its key is ready for typing.
  connect(Tabs, &QTabWidget::currentChanged, this, [this](int tab) {
    if (tab == 1) IndexFilter->setFocus();
    if (tab == 2) SearchText->setFocus();
  });
  connect(IndexFilter, &QLineEdit::textChanged, this, &THelpWindow::FillIndex);
  connect(SearchText, &QLineEdit::returnPressed, this, &THelpWindow::ShowResults);
  const auto openResult = [this](QListWidgetItem* item) {
    ShowPage(item->data(kPageRole).toString());
    // The words as typed where they stand together, else the first of them.
    const QString text = SearchText->text().simplified();
    if (!Browser->find(text)) Browser->find(text.section(QLatin1Char(' '), 0, 0));
  };
  connect(Results, &QListWidget::itemActivated, this, openResult);
  connect(Results, &QListWidget::itemClicked, this, openResult);
  ShowPage({});
}

// The pages in the order the contents page links them, then any others.
void THelpWindow::LoadPages() {
  pages_ << QStringLiteral("index.md");
  const QRegularExpression link(QStringLiteral("\\]\\(([a-z0-9_]+\\.md)"));
  for (auto it = link.globalMatch(ReadPage(pages_.first())); it.hasNext();) {
    const QString page = it.next().captured(1);
    if (!pages_.contains(page)) pages_ << page;
  }
  for (const QString& page : QDir(QStringLiteral(":/manual")).entryList({QStringLiteral("*.md")}, QDir::Files))
    if (!pages_.contains(page)) pages_ << page;

  // A page names the index terms of a section in a comment under its heading.
  const QRegularExpression indexTerms(QStringLiteral("^<!-- index: (.*) -->$"));
  for (const QString& page : pages_) {
    const QString text = ReadPage(page);
    QTextDocument document;
    document.setMarkdown(text);
    QString plainText = document.toPlainText();
    QTreeWidgetItem* pageItem = nullptr;
    bool code = false;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
      if (line.startsWith(QLatin1String("```"))) code = !code;
      if (const auto terms = indexTerms.match(line);
          !code && terms.hasMatch() && !sections_.empty() && sections_.back().page == page) {
        for (const QString& term : terms.captured(1).split(QLatin1Char(','), Qt::SkipEmptyParts))
          sections_.back().terms << term.trimmed();
        plainText += QLatin1Char('\n') + terms.captured(1);
        continue;
      }
      const int level = int(line.indexOf(QLatin1Char(' ')));
      if (code || level < 1 || level > 3 || line.left(level) != QString(level, QLatin1Char('#'))) continue;
      const THelpSection section{page, HeadingText(line), level == 1 ? QString() : HeadingAnchor(line), level, {}};
      sections_.push_back(section);
      const QString target = SectionTarget(section);
      if (level == 1 && !pageItem) {
        pageItem = new QTreeWidgetItem(Contents, {section.title});
        pageItem->setData(0, kPageRole, target);
      } else if (level == 2 && pageItem) {
        (new QTreeWidgetItem(pageItem, {section.title}))->setData(0, kPageRole, target);
      }
    }
    plainTexts_.push_back(plainText.toLower());
  }

  // Each section under its title and each of its terms; a word listed more than once names
  // the page of each.
  std::map<QString, int> uses;
  for (const THelpSection& s : sections_)
    for (const QString& word : QStringList(s.title) + s.terms) ++uses[word.toLower()];
  for (const THelpSection& s : sections_)
    for (const QString& word : QStringList(s.title) + s.terms)
      index_.push_back(
          {word, uses[word.toLower()] > 1 ? word + QStringLiteral(" — ") + s.page : word, SectionTarget(s)});
  std::stable_sort(index_.begin(), index_.end(), [](const TIndexEntry& a, const TIndexEntry& b) {
    return a.shown.compare(b.shown, Qt::CaseInsensitive) < 0;
  });
}

void THelpWindow::FillIndex(const QString& filter) {
  Index->clear();
  for (const TIndexEntry& entry : index_)
    if (entry.word.contains(filter, Qt::CaseInsensitive))
      (new QListWidgetItem(entry.shown, Index))->setData(kPageRole, entry.target);
}

QStringList THelpWindow::Search(const QString& text) const {
  const QStringList words = text.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
  std::vector<std::pair<int, QString>> found;
  for (std::size_t i = 0; i < std::size_t(pages_.size()) && !words.isEmpty(); ++i) {
    int hits = 0;
    bool all = true;
    for (const QString& word : words) {
      const int count = int(plainTexts_[i].count(word));
      all = all && count > 0;
      hits += count;
    }
    if (all) found.emplace_back(-hits, pages_[int(i)]);
  }
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  QStringList result;
  for (const auto& [hits, page] : found) result << page;
  return result;
}

void THelpWindow::ShowResults() {
  Results->clear();
  for (const QString& page : Search(SearchText->text())) {
    const auto title = std::find_if(sections_.begin(), sections_.end(),
                                    [&](const THelpSection& s) { return s.page == page && s.level == 1; });
    auto* item = new QListWidgetItem(title == sections_.end() ? page : title->title, Results);
    item->setData(kPageRole, page);
  }
  if (Results->count() == 0) (new QListWidgetItem(QStringLiteral("Nothing found"), Results))->setFlags(Qt::NoItemFlags);
}

void THelpWindow::ShowPage(const QString& page) {
  Browser->setSource(QUrl(QString::fromLatin1(kManualRoot) + (page.isEmpty() ? QStringLiteral("index.md") : page)));
}

}  // namespace plotix
