#pragma once
// A 3D Cartesian graph without any window: view, settings, functions and the line store
// that holds their meshes, over the document base's bitmap size and labels.

#include "graph3d/function.h"
#include "graph3d/line_store.h"
#include "graph3d/render.h"
#include "graph3d/settings.h"
#include "graph3d/view.h"
#include "window/graph_document.h"

namespace plotix {

// The kind's number in graph files.
constexpr std::int32_t k3DCartesianCode = 3;

class TGraph3DDoc : public TGraphDoc {
 public:
  TGraph3DDoc() : TGraphDoc(k3DCartesianCode) {}

  TView3D View;
  TSettings3DObj Settings;
  TFuncList<TBaseFunc3DObj> Functions;
  TLineObj Lines;  // the meshes of Functions, in list order
  T3DRenderer Renderer;

  TColor BackColor() const override { return Settings.BackColor; }
  bool IsColorUsed(TColor color) const override { return UsesColor(Functions, color); }
  int FunctionCount() const override { return int(Functions.size()); }
  // The background, then the edges and axis labels with hidden parts left out.
  void Render(TBitmap& bitmap) override;

  // Adds the mesh of the last function to the store.
  void AppendMesh();
  // Clears the store and builds every function's mesh in list order. A full store is
  // reported once: building stops at the first function that did not fit.
  void RebuildMeshes();

 protected:
  void WriteBody(TWriteGraphFile& writer) const override;
  std::unique_ptr<TBody> ReadBody(TReadGraphFile& reader) const override;
  void TakeBody(TBody& body) override;
};

}  // namespace plotix
