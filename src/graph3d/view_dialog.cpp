#include "graph3d/view_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "expr/math_const_edit.h"
#include "expr/number_format.h"
#include "platform/dialog_controls.h"

namespace plotix {

TChange3DViewDlg::TChange3DViewDlg(TView3D& view, QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("Change 3D Cartesian View"), "graph3d.md#change-3d-cartesian-view"),
      EZoom(new QSpinBox),
      view_(view) {
  auto* angles = new QGroupBox(QStringLiteral("Current Rotation Angles (in Degrees)"));
  auto* angleForm = new QFormLayout(angles);
  static const char* const kNames[3] = {"Rotate Parallel to X Axis", "Rotate Parallel to Y Axis",
                                        "Rotate Parallel to Z Axis"};
  for (int axis = 0; axis < 3; ++axis) {
    auto* field = new TEditMathConst;
    field->setObjectName(QStringLiteral("EAngle%1").arg(QChar("XYZ"[axis])));
    field->Check().emCtrlErrorName = kNames[axis];
    field->setText(QString::fromStdString(ShortFixed(view.Angle(axis))));
    field->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 20);
    angleForm->addRow(QString::fromLatin1(kNames[axis]), field);
    EAngles[std::size_t(axis)] = field;
  }

  EZoom->setRange(kMin3DZoom, kMax3DZoom);
  EZoom->setValue(view.Zoom);
  auto* zoom = new QGroupBox(QStringLiteral("Current Zoom"));
  auto* zoomForm = new QFormLayout(zoom);
  zoomForm->addRow(QStringLiteral("(Pixels Per Graph Unit)"), EZoom);

  LayOut({angles, zoom});
}

void TChange3DViewDlg::accept() {
  for (TEditMathConst* field : EAngles)
    if (!field->ValidateOrComplain()) return;
  for (int axis = 0; axis < 3; ++axis) view_.Angle(axis) = ReduceAngle(EAngles[std::size_t(axis)]->Value());
  view_.Zoom = EZoom->value();
  QDialog::accept();
}

}  // namespace plotix
