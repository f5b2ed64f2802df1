#include "expr/trig_fixup_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>
#include <iterator>

#include "expr/math_function.h"
#include "platform/dialog_controls.h"

namespace plotix {

namespace {
const char* const kRangeNames[] = {
    "No Fixup",
    "Sin(1,000 * Pi) and Cos(1,001 * Pi / 2)",
    "Sin(10,000 * Pi) and Cos(10,001 * Pi / 2)",
    "Sin(100,000 * Pi) and Cos(100,001 * Pi / 2)",
    "Sin(1,000,000 * Pi) and Cos(1,000,001 * Pi / 2)",
    "Sin(10,000,000 * Pi) and Cos(10,000,001 * Pi / 2)",
};
constexpr int kRangeWhenNoneChecked = 2;
}  // namespace

TTrigFixupSetDlg::TTrigFixupSetDlg(QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("Trigonometry Functions Rounding Error Fix Up"),
                   "calculator.md#trigonometry-fix-up"),
      RangeGroup(new QButtonGroup(this)),
      CBExact(new QCheckBox(QStringLiteral("Exact Values"))) {
  auto* range = new QGroupBox(QStringLiteral("Fix Up Values Range"));
  auto* rangeLayout = new QVBoxLayout(range);
  for (int i = 0; i < int(std::size(kRangeNames)); ++i) {
    auto* button = new QRadioButton(QString::fromLatin1(kRangeNames[i]));
    RangeGroup->addButton(button, i);
    rangeLayout->addWidget(button);
  }

  LayOut({range, CBExact});

  int current;
  bool exact;
  GetTrigFixup(current, exact);
  // The arrow keys move through the ranges from the start.
  if (QAbstractButton* button = RangeGroup->button(current)) {
    button->setChecked(true);
    button->setFocus();
  }
  CBExact->setChecked(exact);
}

void TTrigFixupSetDlg::accept() {
  const int checked = RangeGroup->checkedId();
  SetTrigFixup(checked < 0 ? kRangeWhenNoneChecked : checked, CBExact->isChecked());
  QDialog::accept();
}

}  // namespace plotix
