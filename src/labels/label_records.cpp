// The label records of graph files: format 2 written, formats 1 and 2 read. A coordinate
// no bitmap comes near or an inconsistent free-hand stroke is refused before anything is
// allocated for it; styles unknown to this version draw as the plainest known ones.
#include <algorithm>
#include <cstdlib>
#include <initializer_list>

#include "files/graph_file.h"
#include "labels/drawing_labels.h"

namespace plotix {

namespace {

// Far beyond any bitmap (at most 32767 pixels) and any mouse position; anything larger
// is no label of ours and would overflow the arithmetic of moves.
constexpr std::int32_t kMaxCoordinate = 1000000;
// A text label holds one line that a user typed: the label dialog's 32767 characters in
// UTF-8, at most three bytes each (a character beyond them counts twice and takes four).
constexpr int kMaxTextLength = 3 * 32767;

constexpr long long kFreeHandBlockBytes = 16 + 4 * kFreeHandBlockSize;
constexpr long long kShapeDataBytes = 30;

bool IsFormat1(const TReadGraphFile& reader) { return reader.FormatVersion() == 1; }

std::int32_t Coordinate(std::int32_t v) {
  if (std::abs(static_cast<long long>(v)) > kMaxCoordinate) GraphLoadError();
  return v;
}

bool IsKnownBrushStyle(int style) { return style <= bsDiagCross; }

void WriteBounds(TWriteGraphFile& writer, const TRect& r) { writer.WriteRect({r.left, r.top, r.right, r.bottom}); }

}  // namespace

// ---- flood fill ------------------------------------------------------------------

void TDrawFloodFill::SaveToFile(TWriteGraphFile& writer) const {
  writer.WriteInt32(ltFloodFill);
  writer.WriteByte(std::uint8_t(BrushStyle));
  writer.WritePoint({Seed.x, Seed.y});
  writer.WriteColor(FillColor);
}

void TDrawFloodFill::LoadFromFile(TReadGraphFile& reader) {
  int style;
  if (IsFormat1(reader)) {
    Seed.x = reader.ReadInt16();
    Seed.y = reader.ReadInt16();
    FillColor = reader.ReadColor();
    style = reader.ReadByte();
  } else {
    style = reader.ReadByte();
    const TFilePoint seed = reader.ReadPoint();
    Seed = {Coordinate(seed.x), Coordinate(seed.y)};
    FillColor = reader.ReadColor();
  }
  BrushStyle = style == bsClear || !IsKnownBrushStyle(style) ? bsSolid : style;
}

// ---- P1 and P2 of every other label ----------------------------------------------

void TDrawLabel::SaveToFile(TWriteGraphFile& writer) const { writer.WriteRect({P1.x, P1.y, P2.x, P2.y}); }

void TDrawLabel::LoadFromFile(TReadGraphFile& reader) {
  if (IsFormat1(reader)) {
    P1.x = reader.ReadInt16();
    P1.y = reader.ReadInt16();
    P2.x = reader.ReadInt16();
    P2.y = reader.ReadInt16();
    return;
  }
  const TFileRect r = reader.ReadRect();
  P1 = {Coordinate(r.left), Coordinate(r.top)};
  P2 = {Coordinate(r.right), Coordinate(r.bottom)};
}

// ---- shape data --------------------------------------------------------------------

void TDrawShape::SaveToFile(TWriteGraphFile& writer) const {
  writer.WriteByte(std::uint8_t(PenStyle));
  writer.WriteColor(PenColor);
  writer.WriteInt32(PenWidth);
  writer.WriteColor(BrushColor);
  writer.WriteByte(std::uint8_t(BrushStyle));
  TDrawLabel::SaveToFile(writer);
}

void TDrawShape::LoadFromFile(TReadGraphFile& reader) {
  const int penStyle = KnownPenStyle(reader.ReadByte());
  if (IsFormat1(reader)) {
    reader.Skip(2);
    PenColor = reader.ReadColor();
    PenWidth = reader.ReadInt16();
  } else {
    PenColor = reader.ReadColor();
    PenWidth = reader.ReadInt32();
    BrushColor = reader.ReadColor();
    const int brushStyle = reader.ReadByte();
    SetBrushStyle(IsKnownBrushStyle(brushStyle) ? brushStyle : bsClear);
  }
  PenWidth = std::max(PenWidth, 1);  // a pen is at least one pixel wide
  SetPenStyle(penStyle);
  TDrawLabel::LoadFromFile(reader);
}

void TDrawInclosedShape::SaveToFile(TWriteGraphFile& writer) const {
  writer.WriteInt32(Kind);
  TDrawShape::SaveToFile(writer);
}

void TDrawLine::SaveToFile(TWriteGraphFile& writer) const {
  writer.WriteInt32(ltLine);
  TDrawShape::SaveToFile(writer);
}

// ---- free hand -------------------------------------------------------------------

void TDrawFreeHand::SaveToFile(TWriteGraphFile& writer) const {
  writer.WriteInt32(ltFreeHand);
  WriteBounds(writer, Bounds);
  writer.WriteInt32(PointCount);
  writer.WriteInt32(BlockCount());
  writer.WriteInt32(LastBlockUsed);
  for (const TFreeHandBlock& block : blocks_) {
    WriteBounds(writer, block.Bounds);
    for (const TFreeHandOffset& p : block.Points) {
      writer.WriteInt16(p.dx);
      writer.WriteInt16(p.dy);
    }
  }
  TDrawShape::SaveToFile(writer);
}

void TDrawFreeHand::LoadFromFile(TReadGraphFile& reader) {
  reader.Skip(16);  // the stroke's bounds, recomputed from its points below
  const std::int32_t count = reader.ReadInt32();
  const std::int32_t blocks = reader.ReadInt32();
  const std::int32_t used = reader.ReadInt32();
  if (count < 0 || count > kMaxFreeHandPoints) GraphLoadError();
  const std::int32_t needed = count == 0 ? 1 : (count + kFreeHandBlockSize - 1) / kFreeHandBlockSize;
  if (blocks != needed || used != count - kFreeHandBlockSize * (blocks - 1)) GraphLoadError();
  reader.RequireContent(blocks * kFreeHandBlockBytes + kShapeDataBytes);
  blocks_.assign(blocks, TFreeHandBlock{});
  Bounds = {};
  for (std::int32_t b = 0; b < blocks; ++b) {
    TFreeHandBlock& block = blocks_[b];
    reader.Skip(16);  // the block's bounds, likewise
    for (TFreeHandOffset& p : block.Points) {
      p.dx = reader.ReadInt16();
      p.dy = reader.ReadInt16();
    }
    // Slots beyond the points in use are kept as they were stored but bound nothing.
    const int inUse = b + 1 < blocks ? kFreeHandBlockSize : used;
    for (int i = 0; i < inUse; ++i) {
      const TFreeHandOffset p = block.Points[i];
      for (TRect* r : {&block.Bounds, &Bounds}) {
        r->left = std::min<std::int32_t>(r->left, p.dx);
        r->top = std::min<std::int32_t>(r->top, p.dy);
        r->right = std::max<std::int32_t>(r->right, p.dx);
        r->bottom = std::max<std::int32_t>(r->bottom, p.dy);
      }
    }
  }
  PointCount = count;
  LastBlockUsed = used;
  TDrawShape::LoadFromFile(reader);
}

// ---- text --------------------------------------------------------------------------

void TDrawText::SaveToFile(TWriteGraphFile& writer) const {
  writer.WriteInt32(ltText);
  writer.WriteLongString(Text);
  writer.WriteFont2(Font);
  TDrawLabel::SaveToFile(writer);
}

void TDrawText::LoadFromFile(TReadGraphFile& reader) {
  if (IsFormat1(reader)) {
    TDrawLabel::LoadFromFile(reader);
    Text = reader.ReadShortString(255);
    Font = reader.ReadFont1();
  } else {
    Text = reader.ReadLongString(kMaxTextLength);
    Font = reader.ReadFont2();
    const TFileRect r = reader.ReadRect();
    P1 = {Coordinate(r.left), Coordinate(r.top)};
  }
  // The stored extent was measured with another screen's fonts, and a long text in a large
  // font reaches far beyond any other label's coordinates.
  SetText(P1, Text, Font);
  FitOnBitmap();
}

}  // namespace plotix
