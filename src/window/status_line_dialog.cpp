#include "window/status_line_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/dialog_controls.h"
#include "window/graph_kinds.h"
#include "window/program_settings.h"

namespace plotix {

TStatusLineDlg::TStatusLineDlg(TProgramSettings& settings, QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("Status Line Settings"), "main_window.md#the-status-line"),
      settings_(settings) {
  auto* layout = new QVBoxLayout(this);
  for (const TGraphKindEntry& kind : GraphKinds()) {
    if (kind.statusModes.empty()) continue;
    // A kind's choices side by side under its title, or each alone under its own.
    QBoxLayout* row = layout;
    if (!kind.statusTitle.empty()) {
      auto* box = new QGroupBox(QString::fromStdString(kind.statusTitle));
      row = new QHBoxLayout(box);
      layout->addWidget(box);
    }
    for (const TStatusModeChoice& choice : kind.statusModes) {
      auto* group = new QGroupBox(QString::fromStdString(choice.title));
      auto* buttons = new QButtonGroup(this);
      auto* column = new QVBoxLayout(group);
      for (std::size_t i = 0; i < choice.names.size(); ++i) {
        auto* button = new QRadioButton(QString::fromStdString(choice.names[i]));
        buttons->addButton(button, int(i));
        column->addWidget(button);
      }
      column->addStretch();
      if (QAbstractButton* current = buttons->button(settings.StatusMode(choice.key, choice.defaultMode)))
        current->setChecked(true);
      row->addWidget(group);
      Groups.emplace_back(&choice, buttons);
    }
  }
  layout->addWidget(Buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TStatusLineDlg::accept() {
  for (const auto& [choice, buttons] : Groups)
    if (buttons->checkedId() >= 0) settings_.statusModes[choice->key] = buttons->checkedId();
  QDialog::accept();
}

}  // namespace plotix
