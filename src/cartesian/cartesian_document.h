#pragma once
// A 2D Cartesian graph without any window: view, settings and functions over the
// document base's bitmap size and labels.

#include <string>
#include <vector>

#include "cartesian/function.h"
#include "cartesian/settings.h"
#include "window/kind_document.h"
#include "window/view_mapping.h"

namespace plotix {

// The kind's number in graph files.
constexpr std::int32_t k2DCartesianCode = 1;

class TGraph2DDoc : public TKindDoc<TView2D, TSetting2DObj, TBaseFunc2DObj> {
 public:
  TGraph2DDoc();

  TColor BackColor() const override { return settings_.BackColor; }
  // The background, the axes, then every function in list order; the drawing note tells of
  // the functions that drew nothing.
  void Render(TBitmap& bitmap) override;
  bool UsesParameters() const override { return true; }

 protected:
  std::unique_ptr<TKindDoc> NewEmpty() const override { return std::make_unique<TGraph2DDoc>(); }
  std::unique_ptr<TBaseFunc2DObj> NewFunction(TReadGraphFile& reader) const override;
  std::unique_ptr<TBaseFunc2DObj> NewTaggedFunction(std::int32_t tag) const override;
  void WriteView(TWriteGraphFile& writer) const override;
  void ReadView(TReadGraphFile& reader, TView2D& view, bool& centerChanged) const override;
};

}  // namespace plotix
