#pragma once
// A 2D Cartesian graph without any window: view, settings and functions over the
// document base's bitmap size and labels.

#include <string>

#include "cartesian/function.h"
#include "cartesian/settings.h"
#include "window/graph_document.h"
#include "window/view_mapping.h"

namespace plotix {

// The kind's number in graph files.
constexpr std::int32_t k2DCartesianCode = 1;

class TGraph2DDoc : public TGraphDoc {
 public:
  TGraph2DDoc() : TGraphDoc(k2DCartesianCode) {}

  TView2D View;
  TSetting2DObj Settings;
  TFuncList<TFunc2DObj> Functions;

  TColor BackColor() const override { return Settings.BackColor; }
  bool IsColorUsed(TColor color) const override { return UsesColor(Functions, color); }
  int FunctionCount() const override { return int(Functions.size()); }
  // The background, the axes, then every function in list order.
  void Render(TBitmap& bitmap) override;

 protected:
  void WriteBody(TWriteGraphFile& writer) const override;
  std::unique_ptr<TBody> ReadBody(TReadGraphFile& reader) const override;
  void TakeBody(TBody& body) override;
};

}  // namespace plotix
