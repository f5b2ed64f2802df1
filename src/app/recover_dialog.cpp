#include "app/recover_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/dialog_controls.h"

namespace plotix {

namespace {
constexpr int kDiscarded = 2;  // the dialog's result after "&Discard"
}

TRecoverDlg::TRecoverDlg(const std::vector<TLeftOverGraph>& graphs, QWidget* parent)
    : QDialog(parent),
      List(new QListWidget),
      RecoverButton(new QPushButton(QStringLiteral("&Recover"))),
      DiscardButton(new QPushButton(QStringLiteral("&Discard"))) {
  setWindowTitle(QStringLiteral("Recover Unsaved Graphs"));
  for (const TLeftOverGraph& graph : graphs) {
    const QString time = QLocale().toString(graph.time.toLocalTime(), QLocale::ShortFormat);
    auto* item = new QListWidgetItem(QStringLiteral("%1    %2").arg(graph.caption, time), List);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
  }
  auto* buttons = new QDialogButtonBox;
  buttons->addButton(RecoverButton, QDialogButtonBox::AcceptRole);
  buttons->addButton(DiscardButton, QDialogButtonBox::DestructiveRole);
  RecoverButton->setDefault(true);
  AddHelpButton(this, buttons, "nothing_lost.md#recovery-of-unsaved-graphs");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(QStringLiteral("Plotix ended before these graphs were saved. Checked graphs open "
                                "again; the others are deleted.")));
  layout->addWidget(List);
  layout->addWidget(buttons);
  connect(RecoverButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(DiscardButton, &QPushButton::clicked, this, [this] { done(kDiscarded); });
}

TRecoverAnswer TRecoverDlg::Ask(QWidget* parent, const std::vector<TLeftOverGraph>& graphs, std::vector<bool>& open) {
  TRecoverDlg dialog(graphs, parent);
  const int result = dialog.exec();
  if (result == kDiscarded) return TRecoverAnswer::Discard;
  if (result != QDialog::Accepted) return TRecoverAnswer::Later;
  open.clear();
  for (int i = 0; i < dialog.List->count(); ++i) open.push_back(dialog.List->item(i)->checkState() == Qt::Checked);
  return TRecoverAnswer::Recover;
}

}  // namespace plotix
