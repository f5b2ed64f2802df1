// The main window's help: the manual's window, F1 and the About box.

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

#include "app/help_window.h"
#include "app/main_window.h"
#include "platform/help_service.h"
#include "window/graph_kinds.h"
#include "window/graph_window.h"

namespace plotix {

THelpWindow* TMainForm::HelpWindow() const { return helpWindow_; }

void TMainForm::ShowHelpContents() { ShowHelp({}); }

void TMainForm::ShowHelp(const QString& page) {
  if (!helpWindow_) helpWindow_ = new THelpWindow(this);
  // A modal dialog blocks every window but its own: while one is open the help window
  // belongs to it, and comes back here when it closes.
  QWidget* modal = QApplication::activeModalWidget();
  QWidget* owner = modal && modal != helpWindow_ ? modal : this;
  if (helpWindow_->parentWidget() != owner) {
    helpWindow_->setParent(owner, Qt::Window);
    if (auto* dialog = qobject_cast<QDialog*>(owner))
      connect(dialog, &QDialog::finished, this, [this] {
        if (!helpWindow_ || helpWindow_->parentWidget() == this) return;
        const bool shown = helpWindow_->isVisible();
        helpWindow_->setParent(this, Qt::Window);
        helpWindow_->setVisible(shown);
      });
  }
  helpWindow_->ShowPage(page);
  helpWindow_->show();
  helpWindow_->raise();
  helpWindow_->activateWindow();
}

// F1 opens the page of what has the focus: a dialog's own page, the active graph kind's,
// or the contents.
void TMainForm::ShowContextHelp() {
  if (QWidget* modal = QApplication::activeModalWidget())
    return ShowHelp(modal->property(kHelpPageProperty).toString());
  const TFuncGraphWindow* window = ActiveGraphWindow();
  const TGraphKindEntry* kind = window ? FindGraphKind(window->GraphKind()) : nullptr;
  ShowHelp(kind ? QString::fromStdString(kind->helpPage) : QString());
}

void TMainForm::ShowAbout() {
  QMessageBox::about(this, QStringLiteral("About Plotix"),
                     QStringLiteral("<h3>Plotix %1</h3><p>A function grapher: 2D Cartesian, polar and 3D "
                                    "graphs of functions typed as text, evaluated in 80-bit precision and "
                                    "saved in Plotix files.</p>")
                         .arg(QStringLiteral(PLOTIX_VERSION)));
}

}  // namespace plotix
