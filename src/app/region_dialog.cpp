#include "app/region_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSpinBox>

#include "platform/dialog_controls.h"
#include "platform/limits.h"
#include "platform/message_box.h"

namespace plotix {

namespace {

QSpinBox* PixelBox(const char* name, int last, int value) {
  auto* box = new QSpinBox;
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(0, last);
  box->setValue(value);
  FitNumberBox(box, kMaxBitmapSize - 1);
  return box;
}

QGroupBox* CornerGroup(const char* caption, QSpinBox* x, QSpinBox* y) {
  auto* group = new QGroupBox(QString::fromLatin1(caption));
  auto* form = new QFormLayout(group);
  form->addRow(QStringLiteral("X Pixel"), x);
  form->addRow(QStringLiteral("Y Pixel"), y);
  return group;
}

}  // namespace

bool IsRegionLargeEnough(const TRect& r) {
  return r.right - r.left >= kMinRegionExtent && r.bottom - r.top >= kMinRegionExtent;
}

TSelectedRegionDlg::TSelectedRegionDlg(const TRect& rect, bool shown, int bitmapWidth, int bitmapHeight,
                                       QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("Selected Bitmap Region"), "pictures.md#selecting-a-region"),
      EX1(PixelBox("EX1", bitmapWidth - 1, shown ? rect.left : 0)),
      EY1(PixelBox("EY1", bitmapHeight - 1, shown ? rect.top : 0)),
      EX2(PixelBox("EX2", bitmapWidth - 1, shown ? rect.right : 0)),
      EY2(PixelBox("EY2", bitmapHeight - 1, shown ? rect.bottom : 0)) {
  auto* corners = new QHBoxLayout;
  corners->addWidget(CornerGroup("Top Left Corner", EX1, EY1));
  corners->addWidget(CornerGroup("Bottom Right Corner", EX2, EY2));
  LayOut({corners});
}

TRect TSelectedRegionDlg::Region() const { return {EX1->value(), EY1->value(), EX2->value(), EY2->value()}; }

void TSelectedRegionDlg::accept() {
  if (!IsRegionLargeEnough(Region())) {
    ShowMessage(TMsgKind::Error, "The Bottom Right (X,Y) Must be At Least 5 Greater Than the Top Left (X,Y)",
                TMsgButtons::OK);
    EX2->setFocus();
    return;
  }
  QDialog::accept();
}

bool TSelectedRegionDlg::Edit(QWidget* parent, TRect& rect, bool shown, int bitmapWidth, int bitmapHeight) {
  TSelectedRegionDlg dialog(rect, shown, bitmapWidth, bitmapHeight, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  rect = dialog.Region();
  return true;
}

}  // namespace plotix
