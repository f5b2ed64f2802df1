#include "polar/view_dialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "expr/math_const_edit.h"
#include "platform/dialog_controls.h"
#include "platform/geometry.h"
#include "window/view_fields.h"

namespace plotix {

namespace {
// A centre limited to ±100000 pixels, then truncated to whole pixels.
int TruncatedPixels(Extended center) { return static_cast<int>(truncl(ClampCenter(center))); }
}  // namespace

bool& ThetaInRadians() {
  static bool radians = false;
  return radians;
}

TChangePolarViewDlg::TChangePolarViewDlg(TPolarView& view, QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("Change Polar View"), "polar.md#change-polar-view"),
      EPolarR(ViewField("R Center Value")),
      EPolarTheta(ViewField("Theta Center Value")),
      EDegrees(new QRadioButton(QStringLiteral("Degrees"))),
      ERadians(new QRadioButton(QStringLiteral("Radians"))),
      ECartesianX(ViewField("Cartesian X Center Value")),
      ECartesianY(ViewField("Cartesian Y Center Value")),
      EPixelsX(PixelField()),
      EPixelsY(PixelField()),
      EViewZoom(ViewField("Zoom Value")),
      view_(view),
      zoom_(view.Zoom) {
  auto* thetaType = new QGroupBox(QStringLiteral("Theta Type"));
  auto* thetaTypeLayout = new QHBoxLayout(thetaType);
  thetaTypeLayout->addWidget(EDegrees);
  thetaTypeLayout->addWidget(ERadians);
  auto* polar = new QGroupBox(QStringLiteral("View Center (Polar Coordinates)"));
  auto* polarForm = new QFormLayout(polar);
  polarForm->addRow(QStringLiteral("R="), EPolarR);
  polarForm->addRow(QStringLiteral("Theta ="), EPolarTheta);
  polarForm->addRow(thetaType);

  auto* cartesian = new QGroupBox(QStringLiteral("View Center (Cartesian Coordinates)"));
  auto* cartesianForm = new QFormLayout(cartesian);
  cartesianForm->addRow(QStringLiteral("X="), ECartesianX);
  cartesianForm->addRow(QStringLiteral("Y="), ECartesianY);

  auto* zoom = new QGroupBox(QStringLiteral("View Zoom"));
  auto* zoomLayout = new QVBoxLayout(zoom);
  zoomLayout->addWidget(EViewZoom);
  zoomLayout->addWidget(new QLabel(QStringLiteral("Values given in Pixels Per Graph Unit.")));
  zoomLayout->addWidget(
      new QLabel(QStringLiteral("Values where (1 > Zoom > 0) Give\nMultiple Graph Units Per Pixel.")));

  auto* left = new QVBoxLayout;
  left->addWidget(polar);
  left->addWidget(cartesian);
  auto* right = new QVBoxLayout;
  right->addWidget(PixelCenterGroup(EPixelsX, EPixelsY));
  right->addWidget(zoom);
  right->addStretch();
  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addLayout(right);
  LayOut({columns});

  exits_ = new TFieldExits(this, Buttons, {EPolarR, EPolarTheta, ECartesianX, ECartesianY, EViewZoom},
                           [this](TEditMathConst* field) {
                             return field == EViewZoom                         ? ZoomExit()
                                    : field == EPolarR || field == EPolarTheta ? PolarExit(field)
                                                                               : CartesianExit(field);
                           });
  connect(EPixelsX, &QSpinBox::valueChanged, this, &TChangePolarViewDlg::Recompute);
  connect(EPixelsY, &QSpinBox::valueChanged, this, &TChangePolarViewDlg::Recompute);
  connect(EDegrees, &QRadioButton::clicked, this, [this] {
    ThetaInRadians() = false;
    ShowTheta();
  });
  connect(ERadians, &QRadioButton::clicked, this, [this] {
    ThetaInRadians() = true;
    ShowTheta();
  });

  (ThetaInRadians() ? ERadians : EDegrees)->setChecked(true);
  EViewZoom->setText(ViewText(zoom_));
  EPixelsX->setValue(TruncatedPixels(view.CenterX));
  EPixelsY->setValue(TruncatedPixels(view.CenterY));
  Recompute();
}

void TChangePolarViewDlg::Recompute() {
  const Extended x = EPixelsX->value() / zoom_, y = EPixelsY->value() / zoom_;
  ToPolar(x, y, r_, theta_);
  ECartesianX->setText(ViewText(x));
  ECartesianY->setText(ViewText(y));
  EPolarR->setText(ViewText(r_));
  ShowTheta();
}

void TChangePolarViewDlg::ShowTheta() { EPolarTheta->setText(ViewText(ThetaInRadians() ? theta_ : RadToDeg(theta_))); }

void TChangePolarViewDlg::SetPixels(Extended x, Extended y) {
  EPixelsX->setValue(RoundToPixel(ClampCenter(x * zoom_)));
  EPixelsY->setValue(RoundToPixel(ClampCenter(y * zoom_)));
  Recompute();
}

bool TChangePolarViewDlg::PolarExit(TEditMathConst* field) {
  if (!field->ValidateOrComplain()) return false;
  const Extended r = EPolarR->Validate() ? EPolarR->Value() : r_;
  Extended theta = theta_;
  if (EPolarTheta->Validate()) theta = ThetaInRadians() ? EPolarTheta->Value() : DegToRad(EPolarTheta->Value());
  // Any turn gives the same point; theta is shown back from the pixels in [0, 2 pi).
  Extended x, y;
  ToCartesian(theta, r, x, y);
  SetPixels(x, y);
  return true;
}

bool TChangePolarViewDlg::CartesianExit(TEditMathConst* field) {
  if (!field->ValidateOrComplain()) return false;
  // The other coordinate keeps its pixel.
  const Extended value = field->Value();
  if (field == ECartesianX)
    SetPixels(value, EPixelsY->value() / zoom_);
  else
    SetPixels(EPixelsX->value() / zoom_, value);
  return true;
}

bool TChangePolarViewDlg::ZoomExit() {
  return ZoomFieldExit(EViewZoom, zoom_, "Error View Zoom Must Be <= 10,000 and >= 0.0001", [this] { Recompute(); });
}

void TChangePolarViewDlg::accept() {
  if (!exits_->LeaveEdited()) return;
  view_.Zoom = zoom_;
  view_.CenterX = EPixelsX->value();
  view_.CenterY = EPixelsY->value();
  QDialog::accept();
}

}  // namespace plotix
