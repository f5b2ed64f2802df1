#include "app/area_choice_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/dialog_controls.h"

namespace plotix {

TSelectedAreaDlg::TSelectedAreaDlg(const char* caption, QWidget* parent)
    : QDialog(parent),
      RBSelected(new QRadioButton(QStringLiteral("Selected Rectangle"))),
      RBAll(new QRadioButton(QStringLiteral("All Bitmap Area"))),
      Buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
  setWindowTitle(QString::fromLatin1(caption));
  AddHelpButton(this, Buttons, "pictures.md#selecting-a-region");
  RBSelected->setObjectName(QStringLiteral("RBSelected"));
  RBAll->setObjectName(QStringLiteral("RBAll"));
  RBSelected->setChecked(true);
  auto* group = new QGroupBox(QStringLiteral("Area to Use"));
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(RBSelected);
  groupLayout->addWidget(RBAll);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(Buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TAreaChoice TSelectedAreaDlg::Choose(QWidget* parent, const char* caption) {
  TSelectedAreaDlg dialog(caption, parent);
  if (dialog.exec() != QDialog::Accepted) return TAreaChoice::Cancel;
  return dialog.RBSelected->isChecked() ? TAreaChoice::SelectedRect : TAreaChoice::AllBitmap;
}

}  // namespace plotix
