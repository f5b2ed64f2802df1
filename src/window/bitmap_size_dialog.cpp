#include "window/bitmap_size_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QVBoxLayout>
#include <array>

#include "platform/dialog_controls.h"

namespace plotix {

namespace {

struct TDepthItem {
  int depth;
  const char* text;
};

constexpr std::array<TDepthItem, 6> kDepthItems = {{
    {4, "16 Colors (4 Bit)"},
    {8, "256 Colors (8 Bit)"},
    {15, "32,768 Colors (15 Bit)"},
    {16, "65,536 Colors (16 Bit)"},
    {24, "True Color (24 Bit)"},
    {32, "True Color (32 Bit)"},
}};

QSpinBox* SizeBox(int value) {
  auto* box = new QSpinBox;
  box->setRange(kMinBitmapSize, kMaxBitmapSize);
  box->setValue(value);
  return box;
}

}  // namespace

TBitmapAttribDlg::TBitmapAttribDlg(int width, int height, int depth, QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("Current Window Bitmap Attributes"),
                   "pictures.md#bitmap-size-and-colour-depth"),
      EBitmapWidth(SizeBox(width)),
      EBitmapHeight(SizeBox(height)),
      CBColorDepth(new QComboBox),
      depth_(depth) {
  EBitmapWidth->setObjectName(QStringLiteral("EBitmapWidth"));
  EBitmapHeight->setObjectName(QStringLiteral("EBitmapHeight"));
  CBColorDepth->setObjectName(QStringLiteral("CBColorDepth"));
  for (const TDepthItem& item : kDepthItems) {
    CBColorDepth->addItem(QString::fromLatin1(item.text), item.depth);
    if (item.depth == depth) CBColorDepth->setCurrentIndex(CBColorDepth->count() - 1);
  }
  if (CBColorDepth->findData(depth) < 0) CBColorDepth->setCurrentIndex(-1);

  auto* sizes = new QGroupBox(QStringLiteral("Values Must be in (16 <= Size <= 2000)"));
  auto* form = new QFormLayout(sizes);
  form->addRow(QStringLiteral("Bitmap Width"), EBitmapWidth);
  form->addRow(QStringLiteral("Bitmap Height"), EBitmapHeight);

  auto* colors = new QGroupBox(QStringLiteral("Colors"));
  auto* colorLayout = new QVBoxLayout(colors);
  colorLayout->addWidget(CBColorDepth);

  LayOut({sizes, colors});
}

int TBitmapAttribDlg::Depth() const {
  return CBColorDepth->currentIndex() < 0 ? depth_ : CBColorDepth->currentData().toInt();
}

bool TBitmapAttribDlg::Edit(QWidget* parent, int& width, int& height, int& depth) {
  TBitmapAttribDlg dialog(width, height, depth, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  const int newWidth = dialog.EBitmapWidth->value(), newHeight = dialog.EBitmapHeight->value();
  const int newDepth = dialog.Depth();
  if (newWidth == width && newHeight == height && newDepth == depth) return false;
  width = newWidth;
  height = newHeight;
  depth = newDepth;
  return true;
}

}  // namespace plotix
