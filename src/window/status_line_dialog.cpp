#include "window/status_line_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "window/status_line.h"

namespace plotix {

namespace {
const QStringList kViewModes = {"Graph Cartesian", "Graph Polar (Degrees)", "Graph Polar (Radians)",
                                "Pixels From Center"};
const QStringList kMouseModes = kViewModes + QStringList{"Bitmap Pixels"};
const QStringList kMouse3DModes = {"Graph Cartesian", "Pixels From Center", "Bitmap Pixels", "Don't Show"};

// A titled group of radio buttons whose ids are their positions, the current one checked.
QGroupBox* RadioGroup(const QString& title, const QStringList& names, int current, QButtonGroup* buttons) {
  auto* group = new QGroupBox(title);
  auto* layout = new QVBoxLayout(group);
  for (int i = 0; i < names.size(); ++i) {
    auto* button = new QRadioButton(names[i]);
    buttons->addButton(button, i);
    layout->addWidget(button);
  }
  layout->addStretch();
  if (QAbstractButton* button = buttons->button(current)) button->setChecked(true);
  return group;
}

// A graph kind's pair of groups side by side under the kind's title.
QGroupBox* KindGroup(const QString& title, std::initializer_list<QGroupBox*> groups) {
  auto* kind = new QGroupBox(title);
  auto* layout = new QHBoxLayout(kind);
  for (QGroupBox* group : groups) layout->addWidget(group);
  return kind;
}

void StoreChecked(const QButtonGroup* buttons, int& mode) {
  if (buttons->checkedId() >= 0) mode = buttons->checkedId();
}
}  // namespace

TStatusLineDlg::TStatusLineDlg(QWidget* parent)
    : QDialog(parent),
      View2DGroup(new QButtonGroup(this)),
      Mouse2DGroup(new QButtonGroup(this)),
      ViewPolarGroup(new QButtonGroup(this)),
      MousePolarGroup(new QButtonGroup(this)),
      Mouse3DGroup(new QButtonGroup(this)),
      Buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
  setWindowTitle(QStringLiteral("Status Line Settings"));
  const TStatusModes& modes = StatusModes();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      KindGroup(QStringLiteral("2D Cartesian Settings"),
                {RadioGroup(QStringLiteral("View Center"), kViewModes, modes.view2D, View2DGroup),
                 RadioGroup(QStringLiteral("Mouse Position"), kMouseModes, modes.mouse2D, Mouse2DGroup)}));
  layout->addWidget(
      KindGroup(QStringLiteral("Polar Settings"),
                {RadioGroup(QStringLiteral("View Center"), kViewModes, modes.viewPolar, ViewPolarGroup),
                 RadioGroup(QStringLiteral("Mouse Position"), kMouseModes, modes.mousePolar, MousePolarGroup)}));
  layout->addWidget(
      RadioGroup(QStringLiteral("3D Mouse Position Settings"), kMouse3DModes, modes.mouse3D, Mouse3DGroup));
  layout->addWidget(Buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(Buttons, &QDialogButtonBox::accepted, this, &TStatusLineDlg::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool TStatusLineDlg::Edit(QWidget* parent) {
  TStatusLineDlg dialog(parent);
  return dialog.exec() == QDialog::Accepted;
}

void TStatusLineDlg::accept() {
  TStatusModes& modes = StatusModes();
  StoreChecked(View2DGroup, modes.view2D);
  StoreChecked(Mouse2DGroup, modes.mouse2D);
  StoreChecked(ViewPolarGroup, modes.viewPolar);
  StoreChecked(MousePolarGroup, modes.mousePolar);
  StoreChecked(Mouse3DGroup, modes.mouse3D);
  QDialog::accept();
}

}  // namespace plotix
