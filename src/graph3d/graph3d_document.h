#pragma once
// A 3D Cartesian graph without any window: view, settings, functions and the line store
// that holds their meshes, over the document base's bitmap size and labels.

#include "graph3d/function.h"
#include "graph3d/line_store.h"
#include "graph3d/render.h"
#include "graph3d/settings.h"
#include "graph3d/view.h"
#include "window/kind_document.h"

namespace plotix {

// The kind's number in graph files.
constexpr std::int32_t k3DCartesianCode = 3;

class TGraph3DDoc : public TKindDoc<TView3D, TSettings3DObj, TBaseFunc3DObj> {
 public:
  TGraph3DDoc();

  TColor BackColor() const override { return settings_.BackColor; }
  // The background, then the edges and axis labels with hidden parts left out.
  void Render(TBitmap& bitmap) override;

  // The meshes of the functions, in list order.
  const TLineObj& Lines() const { return lines_; }
  // Per-size buffers of the hidden-line decision; false when they can not be had.
  bool AllocateRenderer(int width, int height) { return renderer_.Allocate(width, height); }

 protected:
  void WriteView(TWriteGraphFile& writer) const override;
  void ReadView(TReadGraphFile& reader, TView3D& view, bool& centerChanged) const override;
  // Surfaces and rotated functions: a type code before each record.
  std::unique_ptr<TBaseFunc3DObj> NewFunction(TReadGraphFile& reader) const override;
  // A function appended adds its mesh to the store; a new list rebuilds them all. A full
  // store is reported once: building stops at the first function that did not fit.
  void FunctionsChanged(bool appended) override;

 private:
  TLineObj lines_;
  T3DRenderer renderer_;
};

}  // namespace plotix
