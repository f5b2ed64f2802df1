// The 2D graph in graph files: the settings and function records and the whole
// document, written in the current format and read in either.
#include <cmath>
#include <memory>
#include <new>

#include "cartesian/cartesian_document.h"
#include "cartesian/curve_functions.h"
#include "cartesian/derived_function.h"
#include "cartesian/function_kinds.h"
#include "files/graph_file.h"
#include "platform/limits.h"
#include "platform/message_box.h"

namespace plotix {

namespace {

// The program's own limits on what a file may hold.
constexpr int kMaxTickLength = 10;
constexpr int kMaxDecimals = 18;
constexpr std::uint8_t kMaxLabelFormat = 4;

// Format 1 records.
constexpr int kFormat1TextField = 50;
constexpr std::size_t kFormat1FunctionBytes = 135 + 257;  // the record and its expression
// Format 2: the fixed block, two texts, two counts and the expression text.
constexpr std::size_t kFormat2FunctionBytes = 32 + 4 + 4 + 4 + 4 + 4;

void CheckAxis(const TAxisSettings& a) {
  Require(a.AxisWidth >= kMinPenWidth && a.AxisWidth <= kMaxPenWidth);
  Require(a.TickLength >= 1 && a.TickLength <= kMaxTickLength);
  Require(a.TickType <= ttGridLines);
  Require(a.LabelFormat <= kMaxLabelFormat);
  Require(a.LabelDecimals >= 0 && a.LabelDecimals <= kMaxDecimals);
  Require(a.Inc > 0 && a.Inc <= kMaxBound);
  Require((a.LimitLoEmpty || InBounds(a.LimitLo, kMaxBound)) && (a.LimitHiEmpty || InBounds(a.LimitHi, kMaxBound)));
}

void WriteAxisBlock(TWriteGraphFile& w, const TAxisSettings& a) {
  w.WriteBool(a.ShowAxisLines);
  w.WriteBool(a.LimitLoEmpty);
  w.WriteExtended(a.LimitLo);
  w.WriteBool(a.LimitHiEmpty);
  w.WriteExtended(a.LimitHi);
  w.WriteColor(a.AxisColor);
  w.WriteInt32(a.AxisWidth);
  w.WriteByte(a.AxisStyle);
  w.WriteByte(a.TickType);
  w.WriteColor(a.TickColor);
  w.WriteExtended(a.Inc);
  w.WriteInt32(a.TickLength);
  w.WriteByte(a.GridStyle);
  w.WriteBool(a.ShowLabels);
  w.WriteByte(a.LabelFormat);
  w.WriteBool(a.LabelComma);
  w.WriteBool(a.LabelPlus);
  w.WriteInt32(a.LabelDecimals);
}

void ReadAxisBlock(TReadGraphFile& r, TAxisSettings& a) {
  a.ShowAxisLines = r.ReadBool();
  a.LimitLoEmpty = r.ReadBool();
  a.LimitLo = r.ReadExtended();
  a.LimitHiEmpty = r.ReadBool();
  a.LimitHi = r.ReadExtended();
  a.AxisColor = r.ReadColor();
  a.AxisWidth = r.ReadInt32();
  a.AxisStyle = KnownPenStyle(r.ReadByte());
  a.TickType = r.ReadByte();
  a.TickColor = r.ReadColor();
  a.Inc = r.ReadExtended();
  a.TickLength = r.ReadInt32();
  a.GridStyle = KnownPenStyle(r.ReadByte());
  a.ShowLabels = r.ReadBool();
  a.LabelFormat = r.ReadByte();
  a.LabelComma = r.ReadBool();
  a.LabelPlus = r.ReadBool();
  a.LabelDecimals = r.ReadInt32();
}

// Format 1 holds one axis description for both axes and one font for both labels.
void ReadSettings1(TReadGraphFile& r, TSetting2DObj& s) {
  TAxisSettings& a = s.X;
  a.ShowAxisLines = r.ReadBool();
  a.AxisColor = r.ReadColor();
  a.AxisWidth = r.ReadInt16();
  a.AxisStyle = KnownPenStyle(r.ReadByte());
  s.BackColor = r.ReadColor();
  a.TickType = r.ReadByte() != 0 ? ttTickMarks : ttNone;
  a.IncText = r.ReadShortString(kFormat1TextField);
  a.Inc = r.ReadExtended();
  a.TickColor = r.ReadColor();
  a.TickLength = r.ReadInt16();
  a.ShowLabels = r.ReadBool();
  a.LabelDecimals = r.ReadInt16();
  s.XLabelFont = r.ReadFont1();
  s.Y = s.X;
  s.YLabelFont = s.XLabelFont;
}

void ReadSettings2(TReadGraphFile& r, TSetting2DObj& s) {
  ReadAxisBlock(r, s.X);
  ReadAxisBlock(r, s.Y);
  s.BackColor = r.ReadColor();
  for (TAxisSettings* a : {&s.X, &s.Y}) {
    a->LimitLoText = r.ReadLongString(kMaxExpressionLength);
    a->LimitHiText = r.ReadLongString(kMaxExpressionLength);
    a->IncText = r.ReadLongString(kMaxExpressionLength);
  }
  s.XLabelFont = r.ReadFont2();
  s.YLabelFont = r.ReadFont2();
}

void ReadFunction1(TReadGraphFile& r, TFunc2DObj& f) {
  r.Skip(4);
  f.LoBoundText = r.ReadShortString(kFormat1TextField);
  f.HiBoundText = r.ReadShortString(kFormat1TextField);
  f.LoBoundEmpty = r.ReadBool();
  f.HiBoundEmpty = r.ReadBool();
  f.LoBound = r.ReadExtended();
  f.HiBound = r.ReadExtended();
  f.AsymptoteFixUp = r.ReadBool();
  f.Style.Color = r.ReadColor();
  f.Style.Width = r.ReadInt16();
}

void ReadFunction2(TReadGraphFile& r, TFunc2DObj& f) {
  f.LoBoundEmpty = r.ReadBool();
  f.HiBoundEmpty = r.ReadBool();
  f.LoBound = r.ReadExtended();
  f.HiBound = r.ReadExtended();
  f.AsymptoteFixUp = r.ReadBool();
  f.ExtraAccuracy = r.ReadBool();
  f.Style.Color = r.ReadColor();
  f.Style.Width = r.ReadInt32();
  f.LoBoundText = r.ReadLongString(kMaxExpressionLength);
  f.HiBoundText = r.ReadLongString(kMaxExpressionLength);
  const int lines = r.CheckCount(r.ReadInt32(), kMaxSpecialValues, 4);
  f.SpecialXLines.reserve(lines);
  for (int i = 0; i < lines; ++i) f.SpecialXLines.push_back(r.ReadLongString(kMaxExpressionLength));
  const int values = r.CheckCount(r.ReadInt32(), kMaxSpecialValues, 10);
  std::vector<Extended> xs;
  xs.reserve(values);
  for (int i = 0; i < values; ++i) {
    const Extended x = r.ReadExtended();
    Require(std::isfinite(x) && (xs.empty() || xs.back() < x));
    xs.push_back(x);
  }
  f.SetSpecialX(std::move(xs));
}

}  // namespace

// ---- settings ----------------------------------------------------------------

void TSetting2DObj::SaveToFile(TWriteGraphFile& w) const {
  WriteAxisBlock(w, X);
  WriteAxisBlock(w, Y);
  w.WriteColor(BackColor);
  for (const TAxisSettings* a : {&X, &Y}) {
    w.WriteLongString(a->LimitLoText);
    w.WriteLongString(a->LimitHiText);
    w.WriteLongString(a->IncText);
  }
  w.WriteFont2(XLabelFont);
  w.WriteFont2(YLabelFont);
}

void TSetting2DObj::LoadFromFile(TReadGraphFile& r) {
  TSetting2DObj s;
  if (r.FormatVersion() == 1)
    ReadSettings1(r, s);
  else
    ReadSettings2(r, s);
  CheckAxis(s.X);
  CheckAxis(s.Y);
  *this = std::move(s);
}

// ---- functions ---------------------------------------------------------------

void TFunc2DObj::SaveToFile(TWriteGraphFile& w) const {
  w.WriteBool(LoBoundEmpty);
  w.WriteBool(HiBoundEmpty);
  w.WriteExtended(LoBound);
  w.WriteExtended(HiBound);
  w.WriteBool(AsymptoteFixUp);
  w.WriteBool(ExtraAccuracy);
  w.WriteColor(Style.Color);
  w.WriteInt32(Style.Width);
  w.WriteLongString(LoBoundText);
  w.WriteLongString(HiBoundText);
  w.WriteInt32(static_cast<std::int32_t>(SpecialXLines.size()));
  for (const std::string& line : SpecialXLines) w.WriteLongString(line);
  w.WriteInt32(static_cast<std::int32_t>(SpecialX().size()));
  for (const Extended x : SpecialX()) w.WriteExtended(x);
  Func.WriteToFile(w);
}

void TFunc2DObj::LoadFromFile(TReadGraphFile& r) {
  if (r.FormatVersion() == 1)
    ReadFunction1(r, *this);
  else
    ReadFunction2(r, *this);
  Require(Style.Width >= kMinPenWidth && Style.Width <= kMaxPenWidth);
  Require((LoBoundEmpty || InBounds(LoBound, kMaxBound)) && (HiBoundEmpty || InBounds(HiBound, kMaxBound)));
  Func.ReadFromFile(r);
}

// ---- curves: the bodies of their extension records, after the list position ---------

void TParametricFuncObj::SaveToFile(TWriteGraphFile& w) const {
  w.WriteColor(Style.Color);
  w.WriteInt32(Style.Width);
  w.WriteExtended(From);
  w.WriteExtended(To);
  w.WriteLongString(FromText);
  w.WriteLongString(ToText);
  X.WriteToFile(w);
  Y.WriteToFile(w);
}

void TParametricFuncObj::LoadFromFile(TReadGraphFile& r) {
  Style.Color = r.ReadColor();
  Style.Width = r.ReadInt32();
  Require(Style.Width >= kMinPenWidth && Style.Width <= kMaxPenWidth);
  From = r.ReadExtended();
  To = r.ReadExtended();
  Require(InBounds(From, kMaxBound) && InBounds(To, kMaxBound) && From < To);
  FromText = r.ReadLongString(kMaxExpressionLength);
  ToText = r.ReadLongString(kMaxExpressionLength);
  X.ReadFromFile(r);
  Y.ReadFromFile(r);
}

void TImplicitFuncObj::SaveToFile(TWriteGraphFile& w) const {
  w.WriteColor(Style.Color);
  w.WriteInt32(Style.Width);
  w.WriteLongString(Equation.Text());
}

void TImplicitFuncObj::LoadFromFile(TReadGraphFile& r) {
  Style.Color = r.ReadColor();
  Style.Width = r.ReadInt32();
  Require(Style.Width >= kMinPenWidth && Style.Width <= kMaxPenWidth);
  // Implicit curves come in files that may hold names: the equation compiles with them once
  // the whole file is read.
  Equation.SetText(r.ReadLongString(kMaxExpressionLength));
}

void TDerivedFuncObj::SaveToFile(TWriteGraphFile& w) const {
  w.WriteColor(Style.Color);
  w.WriteInt32(Style.Width);
  w.WriteInt32(static_cast<std::int32_t>(request_.Kind));
  w.WriteLongString(of_);
  w.WriteExtended(request_.X0);
  w.WriteExtended(request_.Y0);
  w.WriteLongString(request_.X0Text);
  w.WriteLongString(request_.Y0Text);
}

void TDerivedFuncObj::LoadFromFile(TReadGraphFile& r) {
  Style.Color = r.ReadColor();
  Style.Width = r.ReadInt32();
  Require(Style.Width >= kMinPenWidth && Style.Width <= kMaxPenWidth);
  const std::int32_t kind = r.ReadInt32();
  Require(kind >= std::int32_t(TDerivedKind::FirstDerivative) && kind <= std::int32_t(TDerivedKind::Integral));
  request_.Kind = TDerivedKind(kind);
  const std::string of = r.ReadLongString(kMaxParameterName);
  // The name is called as written: anything but a name would compile as something else.
  Require(NameError(of, "Function", {}, {}).empty());
  SetOf(of);
  request_.X0 = r.ReadExtended();
  request_.Y0 = r.ReadExtended();
  Require(InBounds(request_.X0, kMaxBound) && std::isfinite(request_.Y0));
  request_.X0Text = r.ReadLongString(kMaxExpressionLength);
  request_.Y0Text = r.ReadLongString(kMaxExpressionLength);
}

// ---- the document ------------------------------------------------------------

TGraph2DDoc::TGraph2DDoc() : TKindDoc(k2DCartesianCode, kFormat1FunctionBytes, kFormat2FunctionBytes) {}

std::unique_ptr<TBaseFunc2DObj> TGraph2DDoc::NewFunction(TReadGraphFile&) const {
  return std::make_unique<TFunc2DObj>();
}

std::unique_ptr<TBaseFunc2DObj> TGraph2DDoc::NewTaggedFunction(std::int32_t tag) const {
  const TFunctionKind* kind = tag != 0 ? TaggedFunctionKind(tag) : nullptr;
  return kind ? kind->make() : nullptr;
}

void TGraph2DDoc::WriteView(TWriteGraphFile& w) const {
  w.WriteExtended(view_.ZoomX);
  w.WriteExtended(view_.ZoomY);
  w.WriteExtended(view_.CenterX);
  w.WriteExtended(view_.CenterY);
}

// Format 1 centres beyond ±100000 are moved to the limit (and the user told so later).
void TGraph2DDoc::ReadView(TReadGraphFile& r, TView2D& view, bool& centerChanged) const {
  if (r.FormatVersion() == 1) {
    view.ZoomX = view.ZoomY = r.ReadExtended();
    const Extended cx = r.ReadExtended();
    const Extended cy = r.ReadExtended();
    Require(!std::isnan(cx) && !std::isnan(cy));
    view.CenterX = ClampCenter(cx);
    view.CenterY = ClampCenter(cy);
    centerChanged = view.CenterX != cx || view.CenterY != cy;
  } else {
    view.ZoomX = r.ReadExtended();
    view.ZoomY = r.ReadExtended();
    view.CenterX = r.ReadExtended();
    view.CenterY = r.ReadExtended();
    Require(std::isfinite(view.CenterX) && ClampCenter(view.CenterX) == view.CenterX);
    Require(std::isfinite(view.CenterY) && ClampCenter(view.CenterY) == view.CenterY);
  }
  for (const Extended zoom : {view.ZoomX, view.ZoomY}) Require(std::isfinite(zoom) && ClampZoom(zoom) == zoom);
}

}  // namespace plotix
