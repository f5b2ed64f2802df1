#pragma once
// A polar graph without any window: view, settings and functions over the document
// base's bitmap size and labels.

#include "polar/function.h"
#include "polar/settings.h"
#include "window/graph_document.h"

namespace plotix {

// The kind's number in graph files.
constexpr std::int32_t kPolarCode = 2;

class TGraphPolarDoc : public TGraphDoc {
 public:
  TGraphPolarDoc() : TGraphDoc(kPolarCode) {}

  TPolarView View;
  TSettingPolarObj Settings;
  TFuncList<TFuncPolarObj> Functions;

  TColor BackColor() const override { return Settings.BackgroundColor; }
  bool IsColorUsed(TColor color) const override { return UsesColor(Functions, color); }
  int FunctionCount() const override { return int(Functions.size()); }
  // The background, the rays and ticks, then every function in list order.
  void Render(TBitmap& bitmap) override;

 protected:
  void WriteBody(TWriteGraphFile& writer) const override;
  std::unique_ptr<TBody> ReadBody(TReadGraphFile& reader) const override;
  void TakeBody(TBody& body) override;
};

}  // namespace plotix
