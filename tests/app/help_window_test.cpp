// The manual inside the program: it names every built-in function, every numbered error
// and every menu command; the help window's pages, links to sections, index and search;
// F1 opens the page of what has the focus.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTreeWidget>

#include "../modal.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "expr/calculator_dialog.h"
#include "expr/math_codes.h"
#include "expr/symbol_table.h"
#include "platform/message_box.h"
#include "window/graph_kinds.h"
#include "window/graph_window.h"

namespace plotix {
namespace {

// Every page's text, lower case.
QString WholeManual() {
  QString text;
  for (const QString& page : QDir(QStringLiteral(":/manual")).entryList({QStringLiteral("*.md")})) {
    QTextDocument document;
    QFile file(":/manual/" + page);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    document.setMarkdown(QString::fromUtf8(file.readAll()));
    text += document.toPlainText().toLower() + '\n';
  }
  return text;
}

QStringList MenuCommands(const QList<QAction*>& actions) {
  QStringList commands;
  for (QAction* a : actions) {
    if (a->menu())
      commands << MenuCommands(a->menu()->actions());
    else if (!a->isSeparator() && a->isVisible())
      commands << a->text().section('\t', 0, 0).remove('&').remove(QStringLiteral("..."));
  }
  return commands;
}

TEST(Manual, NamesEveryFunctionErrorAndMenuCommand) {
  TScopedScriptedMessages messages;
  const QString manual = WholeManual();
  for (const std::string& name : BuiltInNames())
    EXPECT_TRUE(manual.contains(QString::fromStdString(name).toLower())) << name;
  for (int code = meEmpty; code <= meCircularReference; ++code)
    EXPECT_TRUE(manual.contains(QString::fromStdString(MathErrorText(code, 0)).toLower())) << code;
  TMainForm form;
  QStringList commands = MenuCommands(form.menuBar()->actions());
  for (const TGraphKindEntry& kind : GraphKinds()) {
    form.NewGraphClick(kind.fileCode);
    for (QMenu* menu : form.ActiveGraphWindow()->MenuBarMenus()) commands << MenuCommands(menu->actions());
  }
  for (const QString& command : commands) {
    if (command.startsWith(QLatin1String("Undo")) || command.startsWith(QLatin1String("Redo"))) continue;
    EXPECT_TRUE(manual.contains(command.toLower())) << command.toStdString();
  }
}

// Links between the pages, each dialog's Help page and each graph kind's page lead to a
// page and section that exist.
TEST(Manual, EveryLinkAndHelpPageLeadsToASection) {
  QStringList targets, links;
  for (const QString& page : QDir(QStringLiteral(":/manual")).entryList({QStringLiteral("*.md")})) {
    QFile file(":/manual/" + page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    targets << page;
    for (const QString& line : text.split('\n'))
      if (line.startsWith(QLatin1String("## ")) || line.startsWith(QLatin1String("### ")))
        targets << page + '#' + HeadingAnchor(line);
    for (auto it = QRegularExpression(QStringLiteral("\\]\\(([a-z0-9_]+\\.md(#[a-z0-9_-]+)?)\\)")).globalMatch(text);
         it.hasNext();)
      links << it.next().captured(1);
  }
  for (QDirIterator it(PLOTIX_SOURCE "/src", {QStringLiteral("*.cpp")}, QDir::Files, QDirIterator::Subdirectories);
       it.hasNext();) {
    QFile file(it.next());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString code = QString::fromUtf8(file.readAll());
    for (auto m = QRegularExpression(QStringLiteral("\"([a-z0-9_]+\\.md(#[a-z0-9_-]+)?)\"")).globalMatch(code);
         m.hasNext();)
      links << m.next().captured(1);
  }
  for (const TGraphKindEntry& kind : GraphKinds()) links << QString::fromStdString(kind.helpPage);
  EXPECT_GT(links.size(), 100);
  for (const QString& link : links) EXPECT_TRUE(targets.contains(link)) << link.toStdString();
}

TEST(HelpWindow, PagesSectionsIndexAndSearch) {
  THelpWindow help;
  help.resize(900, 600);
  help.show();
  help.ShowPage(QStringLiteral("polar.md#change-polar-view"));
  QTest::qWait(50);
  EXPECT_EQ(help.Browser->source().fileName(), "polar.md");
  // The section's heading at the top, not the page's.
  EXPECT_EQ(help.Browser->cursorForPosition(QPoint(10, 10)).block().text(), "Change Polar View");
  // The answer to "what does ARCSECH accept" is found by searching for it.
  EXPECT_EQ(help.Search(QStringLiteral("ARCSECH")).value(0), "expressions.md");
  EXPECT_TRUE(help.Search(QStringLiteral("zzzz nothing")).isEmpty());
  EXPECT_EQ(help.Search(QStringLiteral("antiderivative")), QStringList{"analysis.md"});  // an index term
  // The index lists the manual's own terms too, and names the page of a word listed more
  // than once, so no two entries look alike; an entry opens its section, on the page shown as
  // on another.
  help.Tabs->setCurrentIndex(1);
  const auto entries = [&](const char* filter) {
    help.IndexFilter->setText(filter);
    QStringList listed;
    for (int i = 0; i < help.Index->count(); ++i) listed << help.Index->item(i)->text();
    return listed;
  };
  EXPECT_EQ(entries("slider"), QStringList{"slider"});
  EXPECT_TRUE(entries("parameters")
                  .join(", ")
                  .contains("Parameters — errors.md, Parameters — expressions.md, Parameters — parameters.md"));
  EXPECT_EQ(entries("").removeDuplicates(), 0);
  const struct {
    const char *entry, *heading;
  } opens[] = {{"axis properties", "Axis Properties"}, {"slider", "A parameter's row"}};
  for (const auto& [entry, heading] : opens) {
    help.IndexFilter->setText(entry);
    const QPoint first = help.Index->visualItemRect(help.Index->item(0)).center();
    QTest::mouseClick(help.Index->viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(help.Browser->cursorForPosition(QPoint(10, 10)).block().text().toStdString(), heading);
  }
  EXPECT_TRUE(entries("background").contains("Drawing in the background"));
  help.Tabs->setCurrentIndex(2);  // the Search tab is ready for typing
  EXPECT_EQ(help.focusWidget(), help.SearchText);
  EXPECT_GE(help.Contents->topLevelItemCount(), 13);
}

// F1 in a dialog opens the dialog's page, in a graph window the kind's page; the help
// window opened from a modal dialog takes input while the dialog is still open.
TEST(HelpWindow, F1OpensThePageOfWhatHasTheFocus) {
  TScopedScriptedMessages messages;
  TMainForm form;
  form.show();
  form.NewGraphClick(2);  // polar
  QTest::keyClick(form.ActiveGraphWindow(), Qt::Key_F1);
  ASSERT_TRUE(form.HelpWindow());
  EXPECT_EQ(form.HelpWindow()->Browser->source().fileName(), "polar.md");
  bool usable = false;
  OnNextModal([&](QWidget* modal) {
    QTest::keyClick(modal, Qt::Key_F1);
    EXPECT_EQ(form.HelpWindow()->Browser->source().fragment(), "function-calculator");
    usable = form.HelpWindow()->parentWidget() == modal && form.HelpWindow()->isVisible();
    static_cast<QDialog*>(modal)->reject();
  });
  TCaculatorDlg::Execute(&form, {});
  EXPECT_TRUE(usable);
  EXPECT_EQ(form.HelpWindow()->parentWidget(), &form);  // back with the main window
}

}  // namespace
}  // namespace plotix
