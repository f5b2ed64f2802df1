#include "cartesian/function.h"

#include <algorithm>
#include <cmath>

#include "cartesian/derived_function.h"
#include "cartesian/function_kinds.h"
#include "platform/canvas.h"
#include "platform/dialog_service.h"

namespace plotix {

namespace {

constexpr int kRunLength = 128;
constexpr int kRefineRounds = 1500;

enum TTrend { tdFalling = 0, tdRising = 1, tdLevel = 2, tdUnknown = 3 };

struct TSample {
  bool column = false;
  bool defined = false;
  TPoint p;
  TPointF exact;  // p unrounded, kept for the bitmap's painter twin
  Extended x = 0, y = 0;
};

// One function's redraw: the point source, the run buffer and the trend state.
class TPlotter {
 public:
  TPlotter(const TColumnPlot& plot, TCanvas& canvas, const TMapping2D& map)
      : f_(plot), c_(canvas), m_(map), widthIsOne_(plot.Style.Width == 1), twin_(canvas.Bitmap().Twin()) {}

  void Run();

 private:
  Extended Scaled(Extended y) const;  // clamped to the band beyond the bitmap
  bool Sample(Extended x, Extended& y) { return f_.Sample(x, y); }
  bool Next();
  void StepTrend(bool defined, Extended y);
  bool TrendsShowJump() const {
    return (t_[0] == tdFalling && t_[1] == tdRising && t_[2] == tdFalling) ||
           (t_[0] == tdRising && t_[1] == tdFalling && t_[2] == tdRising);
  }
  void AddToRun(const TSample& s);
  void DrawPoints(int count);  // buffer[0..count) as a dot or a polyline
  void EndRun();
  void Flush();
  void Line(TPoint from, TPoint to);
  void Dot(TPoint p);
  void DrawSpecial();
  void Refine();

  const TColumnPlot& f_;
  TCanvas& c_;
  const TMapping2D& m_;
  const bool widthIsOne_;
  const bool twin_;

  int col_ = 0, endCol_ = 0;
  Extended endX_ = 0;
  std::size_t special_ = 0;
  // The last three points, newest at head_; shifting moves the head, not the samples.
  TSample ring_[3];
  int head_ = 0;
  TSample& Cur() { return ring_[head_]; }
  TSample& Prev1() { return ring_[(head_ + 2) % 3]; }
  TSample& Prev2() { return ring_[(head_ + 1) % 3]; }
  // The oldest point drops out and a fresh one (not defined, not a column) becomes current.
  TSample& Shift() {
    head_ = (head_ + 1) % 3;
    return ring_[head_] = TSample{};
  }

  TPoint run_[kRunLength];
  TPointF runExact_[kRunLength];
  int count_ = 0;

  int t_[3] = {tdUnknown, tdUnknown, tdUnknown};
  bool lastDefined_ = false;
  Extended lastValue_ = 0;
};

Extended TPlotter::Scaled(Extended y) const {
  Extended scaled = y * m_.zoomY;
  if (std::isinf(scaled)) scaled = y >= 0 ? m_.topLimit : m_.bottomLimit;
  if (scaled > m_.topLimit) scaled = m_.topLimit;
  if (scaled < m_.bottomLimit) scaled = m_.bottomLimit;
  return scaled;
}

void TPlotter::StepTrend(bool defined, Extended y) {
  t_[0] = t_[1];
  t_[1] = t_[2];
  if (!lastDefined_ || !defined)
    t_[2] = tdUnknown;
  else
    t_[2] = y > lastValue_ ? tdRising : y < lastValue_ ? tdFalling : tdLevel;
  lastDefined_ = defined;
  lastValue_ = y;
}

// Produces the next point, columns and special values merged in x order; a special
// value equal to a column's x comes before that column.
bool TPlotter::Next() {
  const std::span<const Extended> specials = f_.SpecialX;
  const bool takeColumn = special_ >= specials.size() || specials[special_] > endX_ ||
                          (specials[special_] > m_.XOfCol(col_) && col_ <= endCol_);
  if (takeColumn && col_ > endCol_) return false;
  TSample& s = Shift();
  if (takeColumn) {
    s.column = true;
    s.x = m_.XOfCol(col_);
    s.defined = Sample(s.x, s.y);
    if (s.defined) {
      const Extended scaled = Scaled(s.y);
      s.p = {col_, m_.Row(scaled)};
      if (twin_) s.exact = {col_ + 0.5, m_.RowF(scaled)};
    }
    if (f_.AsymptoteFixUp) StepTrend(s.defined, s.y);
    ++col_;
  } else {
    s.x = specials[special_++];
    s.defined = Sample(s.x, s.y);
    if (s.defined) {
      const Extended scaled = Scaled(s.y);
      s.p = {RoundToPixel(s.x * m_.zoomX - m_.centerX) + m_.halfW, m_.Row(scaled)};
      if (twin_) s.exact = {m_.ColF(s.x * m_.zoomX), m_.RowF(scaled)};
    }
  }
  return true;
}

void TPlotter::Line(TPoint from, TPoint to) {
  c_.MoveTo(from.x, from.y);
  c_.LineTo(to.x, to.y);
  if (widthIsOne_) c_.SetPixel(to.x, to.y, f_.Style.Color);
}

void TPlotter::Dot(TPoint p) { Line(p, p); }

void TPlotter::DrawPoints(int count) {
  if (count == 1) {
    Dot(run_[0]);
  } else if (count >= 2) {
    c_.Polyline(run_, count, twin_ ? runExact_ : nullptr);
    if (widthIsOne_) c_.SetPixel(run_[count - 1].x, run_[count - 1].y, f_.Style.Color);
  }
}

void TPlotter::AddToRun(const TSample& s) {
  const auto keep = [this](int to, int from) {
    run_[to] = run_[from];
    runExact_[to] = runExact_[from];
  };
  if (f_.AsymptoteFixUp && count_ > 1 && TrendsShowJump()) {
    // The step between the last two points is the jump across an asymptote.
    DrawPoints(count_ - 1);
    keep(0, count_ - 1);
    count_ = 1;
  }
  runExact_[count_] = s.exact;
  run_[count_++] = s.p;
  if (count_ == kRunLength) {
    DrawPoints(kRunLength);
    keep(0, kRunLength - 2);
    keep(1, kRunLength - 1);
    count_ = 2;
  }
}

void TPlotter::EndRun() {
  DrawPoints(count_);
  count_ = 0;
}

void TPlotter::Flush() {
  if (!f_.AsymptoteFixUp || count_ < 2) {
    EndRun();
    return;
  }
  Extended y = 0;
  const bool defined = Sample(m_.XOfCol(endCol_ + 1), y);
  StepTrend(defined, y);
  if (TrendsShowJump()) {
    DrawPoints(count_ - 1);
    Dot(run_[count_ - 1]);
    count_ = 0;
  } else {
    EndRun();
  }
}

// A defined special point (prev1) is joined to its defined neighbours, the nearer
// in x, or both when equally near; alone it is a dot.
void TPlotter::DrawSpecial() {
  const TSample& a = Prev2();
  const TSample& p = Prev1();
  const TSample& b = Cur();
  if (!a.defined && !b.defined) {
    Dot(p.p);
  } else if (!b.defined) {
    Line(a.p, p.p);
  } else if (!a.defined) {
    Line(b.p, p.p);
  } else {
    const Extended da = fabsl(p.x - a.x), db = fabsl(b.x - p.x);
    if (da <= db) Line(a.p, p.p);
    if (db <= da) Line(b.p, p.p);
  }
}

// Searches the gap between a defined and an undefined sample for the values the
// function takes as it approaches the undefined side, and draws how far they reach.
void TPlotter::Refine() {
  const bool curDefined = Cur().defined;
  const TSample& def = curDefined ? Cur() : Prev1();
  Extended defX = def.x;
  Extended undefX = curDefined ? Prev1().x : Cur().x;

  int recorded = 0, equalRun = 0;
  Extended lowest = 0, highest = 0, last = 0;
  bool stop = false;
  auto record = [&](Extended v) {
    if (recorded == 0) {
      lowest = highest = v;
      equalRun = 1;
    } else {
      lowest = v < lowest ? v : lowest;
      highest = v > highest ? v : highest;
      equalRun = v == last ? equalRun + 1 : 1;
    }
    last = v;
    ++recorded;
    if (equalRun > 19) stop = true;
  };
  auto strictlyInside = [&](Extended v) { return defX < undefX ? (v > defX && v < undefX) : (v > undefX && v < defX); };

  Extended divisor = 2;
  for (int round = 0; round < kRefineRounds && !stop; ++round) {
    for (int k = 0; k < 3 && !stop; ++k) {
      const Extended m = defX + (undefX - defX) / 2;
      if (!strictlyInside(m)) {
        stop = true;
        break;
      }
      Extended y = 0;
      if (Sample(m, y)) {
        record(y);
        defX = m;
      } else {
        undefX = m;
      }
    }
    if (stop || recorded < 18) continue;
    const Extended p = undefX + (defX - undefX) / divisor;
    bool halve = true;
    if (strictlyInside(p)) {
      Extended y = 0;
      if (!Sample(p, y)) {
        undefX = p;
      } else if (y != last) {
        record(y);
        defX = p;
        divisor *= 2;
        halve = false;
      }
    }
    if (halve && divisor >= 30) divisor /= 2;
  }

  if (recorded == 0) return;
  for (const Extended v : {lowest, highest}) {
    const int row = m_.Row(Scaled(v));
    if (row != def.p.y) Line(def.p, {def.p.x, row});
  }
}

void TPlotter::Run() {
  c_.Pen().color = f_.Style.Color;
  c_.Pen().width = f_.Style.Width;

  const bool hasLo = !f_.LoBoundEmpty, hasHi = !f_.HiBoundEmpty;
  const Extended loS = f_.LoBound * m_.zoomX, hiS = f_.HiBound * m_.zoomX;

  // Columns from the first at or right of the lower bound (one beyond the left edge
  // when unbounded) to the last at or left of the upper bound.
  int startCol;
  Extended startX;
  if (hasLo && m_.right < loS) return;
  if (hasLo && m_.left < loS) {
    startCol = static_cast<int>(ceill(loS - m_.centerX)) + m_.halfW;
    startX = f_.LoBound;
  } else {
    startCol = hasLo && m_.ScaledXOfCol(-1) < loS ? 0 : -1;
    startX = m_.XOfCol(startCol);
  }
  if (hasHi && hiS < m_.left) return;
  if (hasHi && hiS < m_.right) {
    endCol_ = static_cast<int>(floorl(hiS - m_.centerX)) + m_.halfW;
    endX_ = f_.HiBound;
  } else {
    endCol_ = hasHi && m_.ScaledXOfCol(m_.width) > hiS ? m_.width - 1 : m_.width;
    endX_ = m_.XOfCol(endCol_);
  }
  if (endCol_ - startCol < 2) return;

  col_ = startCol;
  while (special_ < f_.SpecialX.size() && f_.SpecialX[special_] < startX) ++special_;
  if (f_.AsymptoteFixUp) lastDefined_ = Sample(m_.XOfCol(startCol - 1), lastValue_);

  if (!Next()) return;
  if (Cur().column && Cur().defined) AddToRun(Cur());
  while (Next()) {
    const TSample& cur = Cur();
    const TSample& prev1 = Prev1();
    if (!cur.defined)
      EndRun();
    else if (cur.column)
      AddToRun(cur);
    if (prev1.defined && !prev1.column) DrawSpecial();
    if (f_.ExtraAccuracy && prev1.defined != cur.defined && prev1.x < cur.x) Refine();
  }
  Flush();
  if (Cur().defined && !Cur().column) {
    Shift();
    DrawSpecial();
  }
}

}  // namespace

TMath2DFunc::TMath2DFunc() {
  SetVariableCount(1);
  SetVariableName(0, "X");
}

bool TBaseFunc2DObj::NewDialog(TColor color) {
  Style.Color = color;
  return Dialogs().RunForItsClass(*this, true);
}

bool TBaseFunc2DObj::ModifyDialog() { return Dialogs().RunForItsClass(*this, false); }

std::vector<std::unique_ptr<TBaseFuncObj>> TFunc2DObj::TakeCompanions() {
  std::vector<std::unique_ptr<TBaseFuncObj>> curves;
  for (const TDerivedRequest& request : requests_.curves) {
    curves.push_back(std::make_unique<TDerivedFuncObj>(Name, request));
    curves.back()->Style.Width = Style.Width;
  }
  requests_.curves.clear();
  return curves;
}

void TFunc2DObj::SetSpecialX(std::vector<Extended> xs) {
  std::sort(xs.begin(), xs.end());
  xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
  specialX_ = std::move(xs);
}

std::unique_ptr<TFunc2DObj> TFunc2DObj::FromTyped(const std::string& text, const std::string& name,
                                                  TGraphScope& scope) {
  if (TopLevelParts(text, ',').size() > 1) return nullptr;
  const std::vector<std::string> sides = TopLevelParts(text, '=');
  if (sides.size() > 2 || sides.back().empty()) return nullptr;
  auto f = std::make_unique<TFunc2DObj>();
  f->Name = name;
  if (sides.size() == 2) {
    const std::string left = Squeezed(sides[0]);
    const std::string typed = Trimmed(sides[0].substr(0, sides[0].find('(')));
    if (left.size() > 3 && left.ends_with("(x)") && NameError(typed, "Function", {}, {}).empty())
      f->Name = typed;
    else if (left != "y")
      return nullptr;
  }
  f->Func.SetExpression(sides.back());
  f->UseNames(scope);
  return f;
}

void TFunc2DObj::KeepUntyped(const TBaseFuncObj& replaced) {
  const auto* f = dynamic_cast<const TFunc2DObj*>(&replaced);
  if (!f) return TBaseFunc2DObj::KeepUntyped(replaced);
  // All of the replaced function but what the line says: its definition and name.
  TFunc2DObj kept(*f);
  kept.Func = Func;
  kept.Name = Name;
  *this = kept;
}

void PlotColumns(const TColumnPlot& plot, TCanvas& canvas, const TMapping2D& map) { TPlotter(plot, canvas, map).Run(); }

std::int32_t TBaseFunc2DObj::FileTag() const {
  const TFunctionKind* kind = FunctionKindOf(*this);
  return kind ? kind->fileTag : 0;
}

std::vector<std::optional<Extended>> TBaseFunc2DObj::TableValues(const std::vector<Extended>& xs) const {
  std::vector<std::optional<Extended>> values;
  std::optional<TFunctionOfX> f = FunctionOfX();
  for (const Extended x : xs) {
    Extended y = 0;
    values.push_back(f && f->Value(x, y) ? std::optional(y) : std::nullopt);
  }
  return values;
}

std::string TFunc2DObj::Plot(TCanvas& canvas, const TMapping2D& map) {
  TColumnPlot plot;
  plot.Sample = [this](Extended x, Extended& y) { return Func.ValueAt(x, y); };
  plot.Style = Style;
  plot.LoBoundEmpty = LoBoundEmpty;
  plot.HiBoundEmpty = HiBoundEmpty;
  plot.LoBound = LoBound;
  plot.HiBound = HiBound;
  plot.AsymptoteFixUp = AsymptoteFixUp;
  plot.ExtraAccuracy = ExtraAccuracy;
  plot.SpecialX = specialX_;
  PlotColumns(plot, canvas, map);
  return {};
}

}  // namespace plotix
