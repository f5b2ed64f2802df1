#include "app/area_choice_dialog.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/dialog_controls.h"

namespace plotix {

TSelectedAreaDlg::TSelectedAreaDlg(const char* caption, QWidget* parent)
    : TOkCancelDlg(parent, QString::fromLatin1(caption), "pictures.md#selecting-a-region"),
      RBSelected(new QRadioButton(QStringLiteral("Selected Rectangle"))),
      RBAll(new QRadioButton(QStringLiteral("All Bitmap Area"))) {
  RBSelected->setObjectName(QStringLiteral("RBSelected"));
  RBAll->setObjectName(QStringLiteral("RBAll"));
  RBSelected->setChecked(true);
  auto* group = new QGroupBox(QStringLiteral("Area to Use"));
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(RBSelected);
  groupLayout->addWidget(RBAll);
  LayOut({group});
}

TAreaChoice TSelectedAreaDlg::Choose(QWidget* parent, const char* caption) {
  TSelectedAreaDlg dialog(caption, parent);
  if (dialog.exec() != QDialog::Accepted) return TAreaChoice::Cancel;
  return dialog.RBSelected->isChecked() ? TAreaChoice::SelectedRect : TAreaChoice::AllBitmap;
}

}  // namespace plotix
