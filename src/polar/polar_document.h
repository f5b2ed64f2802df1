#pragma once
// A polar graph without any window: view, settings and functions over the document
// base's bitmap size and labels.

#include "polar/function.h"
#include "polar/settings.h"
#include "window/kind_document.h"

namespace plotix {

// The kind's number in graph files.
constexpr std::int32_t kPolarCode = 2;

class TGraphPolarDoc : public TKindDoc<TPolarView, TSettingPolarObj, TFuncPolarObj> {
 public:
  TGraphPolarDoc();

  TColor BackColor() const override { return settings_.BackgroundColor; }
  // The background, the rays and ticks, then every function in list order.
  void Render(TBitmap& bitmap) override;
  bool UsesParameters() const override { return true; }

 protected:
  std::unique_ptr<TKindDoc> NewEmpty() const override { return std::make_unique<TGraphPolarDoc>(); }
  void WriteView(TWriteGraphFile& writer) const override;
  void ReadView(TReadGraphFile& reader, TPolarView& view, bool& centerChanged) const override;
};

}  // namespace plotix
