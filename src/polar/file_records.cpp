// The polar graph in graph files: the settings and function records and the whole
// document, written in the current format and read in either.
#include <algorithm>
#include <cmath>
#include <memory>

#include "expr/number_format.h"
#include "files/graph_file.h"
#include "platform/limits.h"
#include "platform/message_box.h"
#include "polar/polar_document.h"

namespace plotix {

namespace {

// The program's own limits on what a file may hold, as the settings dialog offers them.
constexpr int kMaxDashLength = 10;
constexpr int kMaxDecimalPlaces = 8;
constexpr std::uint8_t kMaxLabelFormat = 4;

// Format 1 records.
constexpr int kFormat1TextField = 50;
constexpr std::size_t kFormat1FunctionBytes = 134 + 257;  // the record and its expression
// Format 2: the fixed block, two texts and the expression text.
constexpr std::size_t kFormat2FunctionBytes = 32 + 4 + 4 + 4;

bool PenWidth(std::int32_t w) { return w >= kMinPenWidth && w <= kMaxPenWidth; }

void ReadAngles(TReadGraphFile& r, TAxisAngles& angles) {
  for (Extended& a : angles) a = r.ReadExtended();
}

void ReadSettings1(TReadGraphFile& r, TSettingPolarObj& s) {
  s.BackgroundColor = r.ReadColor();
  s.AxisCount = r.ReadInt16();
  ReadAngles(r, s.AxisAngles);
  s.AxisColor = r.ReadColor();
  s.AxisWidth = r.ReadInt16();
  s.AxisPenStyle = KnownPenStyle(r.ReadByte());
  s.TickIncrementText = r.ReadShortString(kFormat1TextField);
  s.TickIncrement = r.ReadExtended();
  s.TickMarkType = r.ReadByte();
  s.TickMarkColor = r.ReadColor();
  s.DashLength = r.ReadInt16();
  s.CircleWidth = r.ReadInt16();
  s.CirclePenStyle = KnownPenStyle(r.ReadByte());
  s.ShowLabels = r.ReadBool();
  s.LabelDecimalPlaces = r.ReadInt16();
  s.RestrictRadius = r.ReadBool();
  s.RestrictRadiusText = r.ReadShortString(kFormat1TextField);
  s.RestrictRadiusAmount = r.ReadExtended();
  s.LabelFont = r.ReadFont1();
}

void ReadSettings2(TReadGraphFile& r, TSettingPolarObj& s) {
  s.BackgroundColor = r.ReadColor();
  s.AxisCount = r.ReadInt32();
  ReadAngles(r, s.AxisAngles);
  s.AxisColor = r.ReadColor();
  s.AxisWidth = r.ReadInt32();
  s.AxisPenStyle = KnownPenStyle(r.ReadByte());
  s.TickIncrement = r.ReadExtended();
  s.TickMarkType = r.ReadByte();
  s.TickMarkColor = r.ReadColor();
  s.DashLength = r.ReadInt32();
  s.CircleWidth = r.ReadInt32();
  s.CirclePenStyle = KnownPenStyle(r.ReadByte());
  s.ShowLabels = r.ReadBool();
  s.LabelFormat = r.ReadByte();
  s.LabelComma = r.ReadBool();
  s.LabelPlus = r.ReadBool();
  s.LabelDecimalPlaces = r.ReadInt32();
  s.RestrictRadius = r.ReadBool();
  s.RestrictRadiusAmount = r.ReadExtended();
  s.TickIncrementText = r.ReadLongString(kMaxExpressionLength);
  s.RestrictRadiusText = r.ReadLongString(kMaxExpressionLength);
  s.LabelFont = r.ReadFont2();
}

// The angles in use are held as editing leaves them: each in [0, 360), ascending, no
// repeats.
void CheckSettings(TSettingPolarObj& s) {
  Require(s.AxisCount >= 0 && s.AxisCount <= kMaxAxisAngles);
  for (int i = 0; i < s.AxisCount; ++i) {
    Extended& a = s.AxisAngles[std::size_t(i)];
    Require(std::isfinite(a));
    a = AngleInTurn(a);
  }
  SortAxisAngles(s.AxisCount, s.AxisAngles);
  Require(PenWidth(s.AxisWidth) && PenWidth(s.CircleWidth));
  Require(s.DashLength >= 1 && s.DashLength <= kMaxDashLength);
  Require(s.TickMarkType <= ptNoTicks);
  Require(s.LabelFormat <= kMaxLabelFormat);
  Require(s.LabelDecimalPlaces >= 0 && s.LabelDecimalPlaces <= kMaxDecimalPlaces);
  Require(InBounds(s.TickIncrement, kMaxBound) && InBounds(s.RestrictRadiusAmount, kMaxBound));
}

void ReadFunction1(TReadGraphFile& r, TFuncPolarObj& f) {
  r.Skip(4);
  f.LoBoundText = r.ReadShortString(kFormat1TextField);
  f.HiBoundText = r.ReadShortString(kFormat1TextField);
  f.LoBound = r.ReadExtended();
  f.HiBound = r.ReadExtended();
  f.Samples = r.ReadInt16();
  f.Style.Color = r.ReadColor();
  f.Style.Width = r.ReadInt16();
}

void ReadFunction2(TReadGraphFile& r, TFuncPolarObj& f) {
  f.LoBound = r.ReadExtended();
  f.HiBound = r.ReadExtended();
  f.Samples = r.ReadInt32();
  f.Style.Color = r.ReadColor();
  f.Style.Width = r.ReadInt32();
  f.LoBoundText = r.ReadLongString(kMaxExpressionLength);
  f.HiBoundText = r.ReadLongString(kMaxExpressionLength);
}

}  // namespace

// ---- settings ----------------------------------------------------------------

void TSettingPolarObj::SaveToFile(TWriteGraphFile& w) const {
  w.WriteColor(BackgroundColor);
  w.WriteInt32(AxisCount);
  for (const Extended a : AxisAngles) w.WriteExtended(a);
  w.WriteColor(AxisColor);
  w.WriteInt32(AxisWidth);
  w.WriteByte(AxisPenStyle);
  w.WriteExtended(TickIncrement);
  w.WriteByte(TickMarkType);
  w.WriteColor(TickMarkColor);
  w.WriteInt32(DashLength);
  w.WriteInt32(CircleWidth);
  w.WriteByte(CirclePenStyle);
  w.WriteBool(ShowLabels);
  w.WriteByte(LabelFormat);
  w.WriteBool(LabelComma);
  w.WriteBool(LabelPlus);
  w.WriteInt32(LabelDecimalPlaces);
  w.WriteBool(RestrictRadius);
  w.WriteExtended(RestrictRadiusAmount);
  w.WriteLongString(TickIncrementText);
  w.WriteLongString(RestrictRadiusText);
  w.WriteFont2(LabelFont);
}

void TSettingPolarObj::LoadFromFile(TReadGraphFile& r) {
  TSettingPolarObj s;
  if (r.FormatVersion() == 1)
    ReadSettings1(r, s);
  else
    ReadSettings2(r, s);
  CheckSettings(s);
  *this = std::move(s);
}

// ---- functions ---------------------------------------------------------------

void TFuncPolarObj::SaveToFile(TWriteGraphFile& w) const {
  w.WriteExtended(LoBound);
  w.WriteExtended(HiBound);
  w.WriteInt32(Samples);
  w.WriteColor(Style.Color);
  w.WriteInt32(Style.Width);
  w.WriteLongString(LoBoundText);
  w.WriteLongString(HiBoundText);
  Func.WriteToFile(w);
}

void TFuncPolarObj::LoadFromFile(TReadGraphFile& r) {
  if (r.FormatVersion() == 1)
    ReadFunction1(r, *this);
  else
    ReadFunction2(r, *this);
  Require(PenWidth(Style.Width));
  Require(std::isfinite(LoBound) && std::isfinite(HiBound));
  Func.ReadFromFile(r);
}

// ---- the document ------------------------------------------------------------

TGraphPolarDoc::TGraphPolarDoc() : TKindDoc(kPolarCode, kFormat1FunctionBytes, kFormat2FunctionBytes) {}

void TGraphPolarDoc::WriteView(TWriteGraphFile& w) const {
  w.WriteExtended(view_.Zoom);
  w.WriteExtended(view_.CenterX);
  w.WriteExtended(view_.CenterY);
}

// Format 1 centres beyond ±100000 are moved to the limit (and the user told so later).
void TGraphPolarDoc::ReadView(TReadGraphFile& r, TPolarView& view, bool& centerChanged) const {
  view.Zoom = r.ReadExtended();
  const Extended cx = r.ReadExtended();
  const Extended cy = r.ReadExtended();
  Require(std::isfinite(view.Zoom) && ClampZoom(view.Zoom) == view.Zoom);
  Require(!std::isnan(cx) && !std::isnan(cy));
  view.CenterX = ClampCenter(cx);
  view.CenterY = ClampCenter(cy);
  centerChanged = view.CenterX != cx || view.CenterY != cy;
  Require(!centerChanged || r.FormatVersion() == 1);
}

}  // namespace plotix
