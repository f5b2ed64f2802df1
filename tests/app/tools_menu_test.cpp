#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "../modal.h"
#include "expr/calculator_dialog.h"
#include "expr/trig_fixup_dialog.h"

namespace plotix {
namespace {

// The action reached from the menu bar through the captions in `path`.
QAction* MenuAction(const QMainWindow& window, const QStringList& path) {
  QList<QAction*> actions = window.menuBar()->actions();
  QAction* found = nullptr;
  for (const QString& caption : path) {
    found = nullptr;
    for (QAction* action : actions)
      if (action->text() == caption) found = action;
    if (!found) return nullptr;
    if (found->menu()) actions = found->menu()->actions();
  }
  return found;
}

TEST(MainForm, ToolsMenuOpensTheCalculatorAndTheFixupDialog) {
  TMainForm form;
  EXPECT_EQ(form.windowTitle(), "Plotix");
  const struct {
    QStringList path;
    const char* dialogClass;
  } cases[] = {
      {{"&Tools", "Function &Calculator..."}, "plotix::TCaculatorDlg"},
      {{"&Tools", "&Advanced Global Settings", "Trigonometry Functions Fix Up..."}, "plotix::TTrigFixupSetDlg"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.join(" > ").toStdString());
    QAction* action = MenuAction(form, c.path);
    ASSERT_NE(action, nullptr);
    QString opened;
    OnNextModal([&opened](QWidget* modal) {
      opened = modal->metaObject()->className();
      modal->close();
    });
    action->trigger();
    EXPECT_EQ(opened, c.dialogClass);
  }
}

}  // namespace
}  // namespace plotix
