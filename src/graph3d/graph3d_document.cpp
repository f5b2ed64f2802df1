#include "graph3d/graph3d_document.h"

#include <algorithm>
#include <cmath>

#include "files/graph_file.h"
#include "platform/canvas.h"

namespace plotix {

namespace {

// The shortest function records with their type codes: a format 1 surface (262 bytes
// and a 257-byte expression) and a format 2 surface (61 bytes, four texts, the
// orientation and the expression).
constexpr std::size_t kFormat1FunctionBytes = 1 + 262 + 257;
constexpr std::size_t kFormat2FunctionBytes = 4 + 61 + 4 * 4 + 4 + 4;

}  // namespace

TGraph3DDoc::TGraph3DDoc() : TKindDoc(k3DCartesianCode, kFormat1FunctionBytes, kFormat2FunctionBytes) {}

void TGraph3DDoc::Render(TBitmap& bitmap) { renderer_.Draw(bitmap, lines_, settings_, view_); }

void TGraph3DDoc::FunctionsChanged(bool appended) {
  if (appended) {
    if (!functions_.back()->Hidden) functions_.back()->BuildMesh(int(functions_.size()) - 1, lines_);
    return;
  }
  lines_.Clear();
  for (std::size_t i = 0; i < functions_.size(); ++i)
    if (!functions_[i]->Hidden && !functions_[i]->BuildMesh(int(i), lines_)) break;
}

// ---- graph files -------------------------------------------------------------

void TGraph3DDoc::WriteView(TWriteGraphFile& w) const {
  w.WriteExtended(view_.RotateX);
  w.WriteExtended(view_.RotateY);
  w.WriteExtended(view_.RotateZ);
  w.WriteInt32(view_.Zoom);
}

void TGraph3DDoc::ReadView(TReadGraphFile& r, TView3D& view, bool&) const {
  for (int axis = 0; axis < 3; ++axis) {
    view.Angle(axis) = r.ReadExtended();
    if (!std::isfinite(view.Angle(axis))) GraphLoadError();
  }
  // A zoom out of range is brought into it, as the view dialog would.
  view.Zoom = std::clamp<std::int32_t>(r.FormatVersion() == 1 ? r.ReadInt16() : r.ReadInt32(), kMin3DZoom, kMax3DZoom);
}

std::unique_ptr<TBaseFunc3DObj> TGraph3DDoc::NewFunction(TReadGraphFile& r) const {
  const bool format1 = r.FormatVersion() == 1;
  // Format 1 codes: 0 rotated, 1 surface.
  const std::int32_t type = format1 ? r.ReadByte() + 1 : r.ReadInt32();
  if (type == ftRotate) return std::make_unique<TFuncRotateObj>();
  if (type == ftSurface) return std::make_unique<TFunc3DObj>();
  GraphLoadError();
}

}  // namespace plotix
