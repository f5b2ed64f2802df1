// The 3D settings and function records of graph files, written in the current format
// and read in either. A record holding what no dialog could have made (a count, detail,
// bound or code out of range) is refused as a damaged file.
#include <cmath>

#include "files/graph_file.h"
#include "graph3d/function.h"
#include "graph3d/settings.h"

namespace plotix {

namespace {

constexpr int kFormat1TextField = 50;

// A wire line count and the detail it limits.
void CheckWires(std::int32_t lines, std::int32_t limitedDetail) {
  Require(lines >= 0 && lines <= kMaxWireLines);
  Require(limitedDetail >= 0 && limitedDetail <= MaxDetailForLines(lines));
}

}  // namespace

// ---- settings ----------------------------------------------------------------

void TSettings3DObj::SaveToFile(TWriteGraphFile& w) const {
  w.WriteColor(BackColor);
  for (const TAxis3DSettings& a : Axes) {
    w.WriteBool(a.ShowAxisLine);
    w.WriteColor(a.LineColor);
    w.WriteBool(a.LabelPlusEnd);
    w.WriteBool(a.LabelMinusEnd);
    w.WriteBool(a.ShowPlusSign);
    w.WriteBool(a.ShowMinusSign);
  }
  for (const TAxis3DSettings& a : Axes) w.WriteFont2(a.LabelFont);
}

void TSettings3DObj::LoadFromFile(TReadGraphFile& r) {
  TSettings3DObj s;
  if (r.FormatVersion() == 1) {
    // One colour, one pair of sign flags and one font for all three axes.
    s.BackColor = r.ReadColor();
    for (TAxis3DSettings& a : s.Axes) a.ShowAxisLine = r.ReadBool();
    const TColor color = r.ReadColor();
    for (TAxis3DSettings& a : s.Axes) {
      a.LineColor = color;
      a.LabelPlusEnd = r.ReadBool();
      a.LabelMinusEnd = r.ReadBool();
    }
    const bool plus = r.ReadBool(), minus = r.ReadBool();
    const TFontDesc font = r.ReadFont1();
    for (TAxis3DSettings& a : s.Axes) {
      a.ShowPlusSign = plus;
      a.ShowMinusSign = minus;
      a.LabelFont = font;
    }
  } else {
    s.BackColor = r.ReadColor();
    for (TAxis3DSettings& a : s.Axes) {
      a.ShowAxisLine = r.ReadBool();
      a.LineColor = r.ReadColor();
      a.LabelPlusEnd = r.ReadBool();
      a.LabelMinusEnd = r.ReadBool();
      a.ShowPlusSign = r.ReadBool();
      a.ShowMinusSign = r.ReadBool();
    }
    for (TAxis3DSettings& a : s.Axes) a.LabelFont = r.ReadFont2();
  }
  *this = std::move(s);
}

// ---- the surface expression --------------------------------------------------

void TMath3DFunc::WriteToFile(TWriteGraphFile& w) const {
  w.WriteInt32(orientation_);
  TMathGraphFunc::WriteToFile(w);
}

// Format 1 keeps the orientation in the function record, read before this.
void TMath3DFunc::ReadFromFile(TReadGraphFile& r) {
  if (r.FormatVersion() != 1) {
    const std::int32_t orientation = r.ReadInt32();
    Require(orientation >= orX && orientation <= orZ);
    SetOrientation(TOrientation(orientation));
  }
  TMathGraphFunc::ReadFromFile(r);
}

// ---- surfaces ----------------------------------------------------------------

void TFunc3DObj::SaveToFile(TWriteGraphFile& w) const {
  w.WriteInt32(ftSurface);
  w.WriteColor(Style.Color);
  for (const TSurfaceVariable& v : Vars) {
    w.WriteExtended(v.Lo);
    w.WriteExtended(v.Hi);
    w.WriteInt32(v.Lines);
    w.WriteInt32(v.Detail);
  }
  w.WriteBool(RoundDown);
  for (const TSurfaceVariable& v : Vars) {
    w.WriteLongString(v.LoText);
    w.WriteLongString(v.HiText);
  }
  Func.WriteToFile(w);
}

void TFunc3DObj::LoadFromFile(TReadGraphFile& r) {
  if (r.FormatVersion() == 1) {
    const int orientation = r.ReadByte() - 1;  // 2 X=f(y,z), 3 Y=f(x,z), 4 Z=f(x,y)
    Require(orientation >= orX && orientation <= orZ);
    Func.SetOrientation(TOrientation(orientation));
    r.Skip(4);
    Style.Color = r.ReadColor();
    for (TSurfaceVariable& v : Vars) {
      v.LoText = r.ReadShortString(kFormat1TextField);
      v.HiText = r.ReadShortString(kFormat1TextField);
      v.Lo = r.ReadExtended();
      v.Hi = r.ReadExtended();
      v.Lines = r.ReadInt16();
      v.Detail = r.ReadInt16();
    }
    RoundDown = r.ReadBool();
  } else {
    Style.Color = r.ReadColor();
    for (TSurfaceVariable& v : Vars) {
      v.Lo = r.ReadExtended();
      v.Hi = r.ReadExtended();
      v.Lines = r.ReadInt32();
      v.Detail = r.ReadInt32();
    }
    RoundDown = r.ReadBool();
    for (TSurfaceVariable& v : Vars) {
      v.LoText = r.ReadLongString(kMaxExpressionLength);
      v.HiText = r.ReadLongString(kMaxExpressionLength);
    }
  }
  for (const TSurfaceVariable& v : Vars) Require(InBounds(v.Lo, kMax3DValue) && InBounds(v.Hi, kMax3DValue));
  // The lines of one variable limit the detail of the other.
  CheckWires(Vars[0].Lines, Vars[1].Detail);
  CheckWires(Vars[1].Lines, Vars[0].Detail);
  Func.ReadFromFile(r);
}

// ---- rotated functions -------------------------------------------------------

void TFuncRotateObj::SaveToFile(TWriteGraphFile& w) const {
  w.WriteInt32(ftRotate);
  w.WriteExtended(Lo);
  w.WriteExtended(Hi);
  w.WriteByte(Axis);
  for (const Extended v : Points) w.WriteExtended(v);
  w.WriteInt32(Circles);
  w.WriteInt32(CircleDetail);
  w.WriteInt32(Lines);
  w.WriteInt32(LineDetail);
  w.WriteColor(Style.Color);
  w.WriteBool(RoundDown);
  w.WriteLongString(LoText);
  w.WriteLongString(HiText);
  for (const std::string& text : PointTexts) w.WriteLongString(text);
  Func.WriteToFile(w);
}

void TFuncRotateObj::LoadFromFile(TReadGraphFile& r) {
  if (r.FormatVersion() == 1) {
    r.Skip(4);
    LoText = r.ReadShortString(kFormat1TextField);
    HiText = r.ReadShortString(kFormat1TextField);
    Lo = r.ReadExtended();
    Hi = r.ReadExtended();
    Axis = std::uint8_t(r.ReadByte() - 1);  // 1 X axis, 2 Y axis, 3 specified line
    for (std::string& text : PointTexts) text = r.ReadShortString(kFormat1TextField);
    for (Extended& v : Points) v = r.ReadExtended();
    Circles = r.ReadInt16();
    CircleDetail = r.ReadInt16();
    Lines = r.ReadInt16();
    LineDetail = r.ReadInt16();
  } else {
    Lo = r.ReadExtended();
    Hi = r.ReadExtended();
    Axis = r.ReadByte();
    for (Extended& v : Points) v = r.ReadExtended();
    Circles = r.ReadInt32();
    CircleDetail = r.ReadInt32();
    Lines = r.ReadInt32();
    LineDetail = r.ReadInt32();
  }
  Style.Color = r.ReadColor();
  RoundDown = r.ReadBool();
  if (r.FormatVersion() != 1) {
    LoText = r.ReadLongString(kMaxExpressionLength);
    HiText = r.ReadLongString(kMaxExpressionLength);
    for (std::string& text : PointTexts) text = r.ReadLongString(kMaxExpressionLength);
  }
  Require(Axis <= raLine);
  Require(InBounds(Lo, kMax3DValue) && InBounds(Hi, kMax3DValue));
  for (const Extended v : Points) Require(InBounds(v, kMax3DValue));
  CheckWires(Circles, LineDetail);
  CheckWires(Lines, CircleDetail);
  Func.ReadFromFile(r);
}

}  // namespace plotix
