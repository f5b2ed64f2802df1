#include "graph/doc2d.h"

#include "graph/axes2d.h"
#include "platform/canvas.h"

namespace plotix {

void TGraph2DDoc::Render(TBitmap& bitmap) {
  TCanvas& canvas = bitmap.Canvas();
  const TMapping2D map(View, bitmap.Width(), bitmap.Height());
  ClearBackground2D(Settings, canvas, map);
  DrawAxes2D(Settings, canvas, map);
  canvas.Pen().style = psSolid;
  for (auto& f : Functions) Plot2DFunction(*f, canvas, map);
}

void TGraph2DDoc::RenderWithLabels(TBitmap& bitmap) {
  Render(bitmap);
  LabelOwner.SetTarget(&bitmap);
  DrawLabels(Labels);
  LabelOwner.SetTarget(nullptr);
}

TDocLabelOwner::TDocLabelOwner(const TGraph2DDoc& doc) : doc_(doc) {}
TDocLabelOwner::~TDocLabelOwner() = default;

TCanvas& TDocLabelOwner::Canvas() {
  if (target_) return target_->Canvas();
  if (!scratch_) scratch_ = std::make_unique<TBitmap>(1, 1);
  return scratch_->Canvas();
}

int TDocLabelOwner::BitmapWidth() const { return loadingWidth_ ? loadingWidth_ : doc_.BitmapWidth; }
int TDocLabelOwner::BitmapHeight() const { return loadingHeight_ ? loadingHeight_ : doc_.BitmapHeight; }
TColor TDocLabelOwner::BackgroundColor() const { return doc_.Settings.BackColor; }

}  // namespace plotix
