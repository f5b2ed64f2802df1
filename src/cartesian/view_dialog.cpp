#include "cartesian/view_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "expr/math_const_edit.h"
#include "expr/number_format.h"
#include "platform/message_box.h"

namespace plotix {

namespace {
void NameField(TEditMathConst* field, const char* name) { field->Check().emCtrlErrorName = name; }

QSpinBox* PixelField() {
  auto* field = new QSpinBox;
  field->setRange(-int(kCenterLimit), int(kCenterLimit));
  return field;
}

QString Text(Extended value) { return QString::fromStdString(ShortFixed(value)); }
}  // namespace

TChange2DViewDlg::TChange2DViewDlg(TView2D& view, QWidget* parent)
    : QDialog(parent),
      ECartesianX(new TEditMathConst),
      ECartesianY(new TEditMathConst),
      EPixelsX(PixelField()),
      EPixelsY(PixelField()),
      EXViewZoom(new TEditMathConst),
      EYViewZoom(new TEditMathConst),
      Buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)),
      view_(view),
      zoomX_(view.zoomX),
      zoomY_(view.zoomY) {
  setWindowTitle(QStringLiteral("Change 2D Cartesian View"));
  NameField(ECartesianX, "Cartesian X Center");
  NameField(ECartesianY, "Cartesian Y Center");
  NameField(EXViewZoom, "X Axis Zoom");
  NameField(EYViewZoom, "Y Axis Zoom");

  auto* cartesian = new QGroupBox(QStringLiteral("View Center (Graph Units From Center)"));
  auto* cartesianForm = new QFormLayout(cartesian);
  cartesianForm->addRow(QStringLiteral("X"), ECartesianX);
  cartesianForm->addRow(QStringLiteral("Y"), ECartesianY);

  auto* pixels = new QGroupBox(QStringLiteral("View Center (Pixels From Center)"));
  auto* pixelsForm = new QFormLayout(pixels);
  pixelsForm->addRow(QStringLiteral("X"), EPixelsX);
  pixelsForm->addRow(QStringLiteral("Y"), EPixelsY);

  auto* zoom = new QGroupBox(QStringLiteral("View Zoom"));
  auto* zoomForm = new QFormLayout(zoom);
  zoomForm->addRow(QStringLiteral("X Axis"), EXViewZoom);
  zoomForm->addRow(QStringLiteral("Y Axis"), EYViewZoom);
  zoomForm->addRow(new QLabel(QStringLiteral("Values given in Pixels Per Graph Unit.")));
  auto* note = new QLabel(QStringLiteral("Values where (1 > Zoom > 0) Give\nMultiple Graph Units Per Pixel."));
  zoomForm->addRow(note);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(cartesian);
  layout->addWidget(pixels);
  layout->addWidget(zoom);
  layout->addWidget(Buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  for (TEditMathConst* field : {ECartesianX, ECartesianY, EXViewZoom, EYViewZoom}) {
    field->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 24);
    field->installEventFilter(this);
    connect(field, &QLineEdit::editingFinished, this, [this, field] {
      // Moving to Cancel is no reason to complain about a text about to be dropped.
      if (field->isModified() && QApplication::focusWidget() != Buttons->button(QDialogButtonBox::Cancel)) Leave(field);
    });
  }
  connect(EPixelsX, &QSpinBox::valueChanged, this, &TChange2DViewDlg::RefreshCartesian);
  connect(EPixelsY, &QSpinBox::valueChanged, this, &TChange2DViewDlg::RefreshCartesian);
  connect(Buttons, &QDialogButtonBox::accepted, this, &TChange2DViewDlg::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  EXViewZoom->setText(Text(zoomX_));
  EYViewZoom->setText(Text(zoomY_));
  EPixelsX->setValue(RoundToPixel(view.centerX));
  EPixelsY->setValue(RoundToPixel(view.centerY));
  RefreshCartesian();
}

bool TChange2DViewDlg::Edit(QWidget* parent, TView2D& view) {
  TChange2DViewDlg dialog(view, parent);
  return dialog.exec() == QDialog::Accepted;
}

void TChange2DViewDlg::RefreshCartesian() {
  ECartesianX->setText(Text(EPixelsX->value() / zoomX_));
  ECartesianY->setText(Text(EPixelsY->value() / zoomY_));
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
  if (!field->ValidateOrComplain()) return false;
  const bool isX = field == EXViewZoom;
  Extended& zoom = isX ? zoomX_ : zoomY_;
  const Extended value = field->Value();
  if (value >= kMinZoom && value <= kMaxZoom) {
    zoom = value;
    field->setModified(false);
    RefreshCartesian();
    return true;
  }
  const TMsgAnswer answer = ShowMessage(
      TMsgKind::Error, std::string("Error: ") + (isX ? "X" : "Y") + " Axis View Zoom Must Be <= 10,000 and >= 0.0001",
      TMsgButtons::OKCancelIgnore);
  if (answer == TMsgAnswer::Cancel) {
    field->setText(Text(zoom));
  } else if (answer == TMsgAnswer::Ignore) {
    zoom = value >= 1 ? kMaxZoom : kMinZoom;
    field->setText(Text(zoom));
    RefreshCartesian();
  }
  field->setFocus(Qt::OtherFocusReason);
  field->selectAll();
  return false;
}

bool TChange2DViewDlg::Leave(TEditMathConst* field) {
  if (leaving_) return false;
  leaving_ = true;
  const bool left = field == EXViewZoom || field == EYViewZoom ? ZoomExit(field) : CartesianExit(field);
  leaving_ = false;
  return left;
}

bool TChange2DViewDlg::eventFilter(QObject* watched, QEvent* event) {
  // Enter in an edited field applies it first; a refused value keeps the dialog open.
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    auto* field = static_cast<TEditMathConst*>(watched);
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && field->isModified() && !Leave(field)) return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TChange2DViewDlg::accept() {
  for (TEditMathConst* field : {ECartesianX, ECartesianY, EXViewZoom, EYViewZoom})
    if (field->isModified() && !Leave(field)) return;
  view_.zoomX = zoomX_;
  view_.zoomY = zoomY_;
  view_.centerX = EPixelsX->value();
  view_.centerY = EPixelsY->value();
  QDialog::accept();
}

}  // namespace plotix
