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

struct T3DBody : TGraphDoc::TBody {
  TView3D view;
  TSettings3DObj settings;
  TFuncList<TBaseFunc3DObj> functions;
};

std::unique_ptr<TBaseFunc3DObj> NewFunction(TReadGraphFile& r) {
  const bool format1 = r.FormatVersion() == 1;
  // Format 1 codes: 0 rotated, 1 surface.
  const std::int32_t type = format1 ? r.ReadByte() + 1 : r.ReadInt32();
  if (type == ftRotate) return std::make_unique<TFuncRotateObj>();
  if (type == ftSurface) return std::make_unique<TFunc3DObj>();
  GraphLoadError();
}

}  // namespace

void TGraph3DDoc::Render(TBitmap& bitmap) {
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush() = {Settings.BackColor, bsSolid};
  canvas.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
  for (int axis = 0; axis < 3; ++axis)
    Lines.SetPaletteColor(kAxisColorIndex + axis, Settings.Axes[std::size_t(axis)].LineColor);
  Renderer.Draw(bitmap, Lines, Settings, View);
}

void TGraph3DDoc::AppendMesh() {
  if (!Functions.empty()) Functions.back()->BuildMesh(int(Functions.size()) - 1, Lines);
}

void TGraph3DDoc::RebuildMeshes() {
  Lines.Clear();
  for (std::size_t i = 0; i < Functions.size(); ++i)
    if (!Functions[i]->BuildMesh(int(i), Lines)) break;
}

// ---- graph files -------------------------------------------------------------

void TGraph3DDoc::WriteBody(TWriteGraphFile& w) const {
  w.WriteExtended(View.rotateX);
  w.WriteExtended(View.rotateY);
  w.WriteExtended(View.rotateZ);
  w.WriteInt32(View.zoom);
  Settings.SaveToFile(w);
  w.WriteInt32(std::int32_t(Functions.size()));
  for (const auto& f : Functions) f->SaveToFile(w);
}

std::unique_ptr<TGraphDoc::TBody> TGraph3DDoc::ReadBody(TReadGraphFile& r) const {
  auto body = std::make_unique<T3DBody>();
  TView3D& view = body->view;
  for (int axis = 0; axis < 3; ++axis) {
    view.Angle(axis) = r.ReadExtended();
    if (!std::isfinite(view.Angle(axis))) GraphLoadError();
  }
  // A zoom out of range is brought into it, as the view dialog would.
  view.zoom = std::clamp<std::int32_t>(r.FormatVersion() == 1 ? r.ReadInt16() : r.ReadInt32(), kMin3DZoom, kMax3DZoom);
  body->settings.LoadFromFile(r);
  const int count = ReadFunctionCount(r, kFormat1FunctionBytes, kFormat2FunctionBytes);
  body->functions.reserve(std::size_t(count));
  for (int i = 0; i < count; ++i) {
    std::unique_ptr<TBaseFunc3DObj> f = NewFunction(r);
    f->LoadFromFile(r);
    body->functions.push_back(std::move(f));
  }
  return body;
}

void TGraph3DDoc::TakeBody(TBody& read) {
  auto& body = static_cast<T3DBody&>(read);
  View = body.view;
  Settings = std::move(body.settings);
  Functions = std::move(body.functions);
  RebuildMeshes();
}

}  // namespace plotix
