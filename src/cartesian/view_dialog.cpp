#include "cartesian/view_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

#include "expr/math_const_edit.h"
#include "platform/dialog_controls.h"
#include "window/view_fields.h"

namespace plotix {

TChange2DViewDlg::TChange2DViewDlg(TView2D& view, QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("Change 2D Cartesian View"), "cartesian.md#change-2d-cartesian-view"),
      ECartesianX(ViewField("Cartesian X Center")),
      ECartesianY(ViewField("Cartesian Y Center")),
      EPixelsX(PixelField()),
      EPixelsY(PixelField()),
      EXViewZoom(ViewField("X Axis Zoom")),
      EYViewZoom(ViewField("Y Axis Zoom")),
      view_(view),
      zoomX_(view.ZoomX),
      zoomY_(view.ZoomY) {
  auto* cartesian = new QGroupBox(QStringLiteral("View Center (Graph Units From Center)"));
  auto* cartesianForm = new QFormLayout(cartesian);
  cartesianForm->addRow(QStringLiteral("X"), ECartesianX);
  cartesianForm->addRow(QStringLiteral("Y"), ECartesianY);

  auto* zoom = new QGroupBox(QStringLiteral("View Zoom"));
  auto* zoomForm = new QFormLayout(zoom);
  zoomForm->addRow(QStringLiteral("X Axis"), EXViewZoom);
  zoomForm->addRow(QStringLiteral("Y Axis"), EYViewZoom);
  zoomForm->addRow(new QLabel(QStringLiteral("Values given in Pixels Per Graph Unit.")));
  auto* note = new QLabel(QStringLiteral("Values where (1 > Zoom > 0) Give\nMultiple Graph Units Per Pixel."));
  zoomForm->addRow(note);

  LayOut({cartesian, PixelCenterGroup(EPixelsX, EPixelsY), zoom});

  exits_ = new TFieldExits(this, Buttons, {ECartesianX, ECartesianY, EXViewZoom, EYViewZoom}, [this](auto* field) {
    return field == EXViewZoom || field == EYViewZoom ? ZoomExit(field) : CartesianExit(field);
  });
  connect(EPixelsX, &QSpinBox::valueChanged, this, &TChange2DViewDlg::RefreshCartesian);
  connect(EPixelsY, &QSpinBox::valueChanged, this, &TChange2DViewDlg::RefreshCartesian);

  EXViewZoom->setText(ViewText(zoomX_));
  EYViewZoom->setText(ViewText(zoomY_));
  EPixelsX->setValue(RoundToPixel(view.CenterX));
  EPixelsY->setValue(RoundToPixel(view.CenterY));
  RefreshCartesian();
}

void TChange2DViewDlg::RefreshCartesian() {
  ECartesianX->setText(ViewText(EPixelsX->value() / zoomX_));
  ECartesianY->setText(ViewText(EPixelsY->value() / zoomY_));
}

bool TChange2DViewDlg::CartesianExit(TEditMathConst* field) {
  if (!field->ValidateOrComplain()) return false;
  // Both pixel fields follow the graph-unit fields, then those snap to whole pixels.
  const int x = ECartesianX->Validate() ? RoundToPixel(ClampCenter(ECartesianX->Value() * zoomX_)) : EPixelsX->value();
  const int y = ECartesianY->Validate() ? RoundToPixel(ClampCenter(ECartesianY->Value() * zoomY_)) : EPixelsY->value();
  EPixelsX->setValue(x);
  EPixelsY->setValue(y);
  RefreshCartesian();
  return true;
}

bool TChange2DViewDlg::ZoomExit(TEditMathConst* field) {
  const bool isX = field == EXViewZoom;
  return ZoomFieldExit(field, isX ? zoomX_ : zoomY_,
                       std::string("Error: ") + (isX ? "X" : "Y") + " Axis View Zoom Must Be <= 10,000 and >= 0.0001",
                       [this] { RefreshCartesian(); });
}

void TChange2DViewDlg::accept() {
  if (!exits_->LeaveEdited()) return;
  view_.ZoomX = zoomX_;
  view_.ZoomY = zoomY_;
  view_.CenterX = EPixelsX->value();
  view_.CenterY = EPixelsY->value();
  QDialog::accept();
}

}  // namespace plotix
