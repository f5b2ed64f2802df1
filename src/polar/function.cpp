#include "polar/function.h"

#include <algorithm>

#include "expr/typed_text.h"
#include "platform/canvas.h"
#include "platform/dialog_service.h"
#include "platform/geometry.h"
#include "platform/painter_twin.h"

namespace plotix {

namespace {

constexpr int kBatchSize = 128;

// One function's drawing from its samples: the visible rectangle and the batch of points
// not yet drawn. kTwin: the bitmap has a painter twin, which gets the points unrounded.
template <bool kTwin>
class TPolarPlotter {
 public:
  TPolarPlotter(const TFuncPolarObj& func, TCanvas& canvas, const TMapping2D& map)
      : f_(func), c_(canvas), m_(map), widthIsOne_(func.Style.Width == 1) {}

  void Run(const TPolarSamples& samples);

 private:
  bool Inside(const TPolarPoint& p) const {
    return p.x >= m_.left && p.x <= m_.right && p.y >= m_.bottom && p.y <= m_.top;
  }
  void Append(const TPolarPoint& p);
  void Flush();

  const TFuncPolarObj& f_;
  TCanvas& c_;
  const TMapping2D& m_;
  const bool widthIsOne_;
  TPoint batch_[kBatchSize];
  TPointF exact_[kBatchSize];
  int count_ = 0;
};

// The line primitive leaves the last pixel unpainted; a width-1 line paints it itself.
template <bool kTwin>
void TPolarPlotter<kTwin>::Flush() {
  if (count_ >= 2) c_.Polyline(batch_, count_, kTwin ? exact_ : nullptr);
  if (count_ >= 1 && widthIsOne_) c_.SetPixel(batch_[count_ - 1].x, batch_[count_ - 1].y, f_.Style.Color);
  count_ = 0;
}

// A full batch is drawn and its last point starts the next one.
template <bool kTwin>
void TPolarPlotter<kTwin>::Append(const TPolarPoint& p) {
  if constexpr (kTwin) exact_[count_] = {m_.ColF(p.x), m_.RowF(p.y)};
  batch_[count_++] = {m_.Col(p.x), m_.Row(p.y)};
  if (count_ < kBatchSize) return;
  c_.Polyline(batch_, kBatchSize, kTwin ? exact_ : nullptr);
  batch_[0] = batch_[kBatchSize - 1];
  if constexpr (kTwin) exact_[0] = exact_[kBatchSize - 1];
  count_ = 1;
}

template <bool kTwin>
void TPolarPlotter<kTwin>::Run(const TPolarSamples& samples) {
  c_.Pen().color = f_.Style.Color;
  c_.Pen().width = f_.Style.Width;
  bool prevDefined = false, prevInside = false;
  TPolarPoint prev;
  for (const TPolarSample& sample : samples) {
    if (!sample.defined) {
      Flush();
      prevDefined = false;
      continue;
    }
    const TPolarPoint cur = sample.point;
    const bool curInside = Inside(cur);
    if (!prevDefined) {
      if (curInside) Append(cur);
    } else if (curInside && prevInside) {
      Append(cur);
    } else {
      TPolarPoint a = prev, b = cur;
      if (!ClipSegment(a, b, m_.left, m_.right, m_.bottom, m_.top, [](Extended v) { return v; })) {
        Flush();
      } else {
        if (!prevInside) {
          Flush();
          Append(a);
        }
        Append(b);
        if (!curInside) Flush();
      }
    }
    prev = cur;
    prevDefined = true;
    prevInside = curInside;
  }
  Flush();
}

}  // namespace

TMathPolarFunc::TMathPolarFunc() {
  SetVariableCount(2);
  SetVariableName(0, "THETA");
  SetVariableName(1, "X");
}

bool TFuncPolarObj::NewDialog(TColor color) {
  Style.Color = color;
  return Dialogs().Run(*this, true);
}

bool TFuncPolarObj::ModifyDialog() { return Dialogs().Run(*this, false); }

void TFuncPolarObj::KeepUntyped(const TBaseFuncObj& replaced) {
  const auto* f = dynamic_cast<const TFuncPolarObj*>(&replaced);
  if (!f) return TBaseFuncObj::KeepUntyped(replaced);
  // All of the replaced function but what the line says: its definition and name.
  TFuncPolarObj kept(*f);
  kept.Func = Func;
  kept.Name = Name;
  *this = kept;
}

std::unique_ptr<TFuncPolarObj> TFuncPolarObj::FromTyped(const std::string& text, const std::string& name,
                                                        TGraphScope& scope) {
  const std::vector<std::string> sides = TopLevelParts(text, '=');
  if (sides.size() > 2 || sides.back().empty() || TopLevelParts(text, ',').size() > 1) return nullptr;
  auto f = std::make_unique<TFuncPolarObj>();
  f->Name = name;
  if (sides.size() == 2) {
    const std::string left = Squeezed(sides[0]);
    const std::string typed = Trimmed(sides[0].substr(0, sides[0].find('(')));
    if (left != "r" && left != "r(theta)") {
      if (!left.ends_with("(theta)") || !NameError(typed, "Function", {}, {}).empty()) return nullptr;
      f->Name = typed;
    }
  }
  f->Func.SetExpression(sides.back());
  f->UseNames(scope);
  return f;
}

int PolarSampleCount(const TFuncPolarObj& f) {
  if (!(f.LoBound < f.HiBound) || f.Samples <= 0) return 0;
  // A file may hold more samples than the dialog offers; they would only hold the redraw
  // up, so the drawing stops at the most the dialog gives while the file keeps its count.
  return std::min(f.Samples, kMaxPolarSamples) + 1;
}

void SamplePolarFunction(TFuncPolarObj& f, const TMapping2D& map, TPolarSamples& samples, int from, int to) {
  const Extended lo = f.LoBound, range = f.HiBound - f.LoBound;
  const int steps = PolarSampleCount(f) - 1;
  for (int i = from; i < to; ++i) {
    // Each step from the bounds, so no rounding piles up along the way, and any range of
    // steps comes out the same wherever it is computed.
    const Extended theta = lo + range * i / steps;
    TPolarSample& sample = samples[std::size_t(i)];
    Extended r;
    sample.defined = f.Func.ValueAt(theta, r);
    if (sample.defined) ToCartesian(theta, map.zoomX * r, sample.point.x, sample.point.y);
  }
}

void DrawPolarSamples(const TFuncPolarObj& func, const TPolarSamples& samples, TCanvas& canvas, const TMapping2D& map) {
  if (canvas.Bitmap().Twin())
    TPolarPlotter<true>(func, canvas, map).Run(samples);
  else
    TPolarPlotter<false>(func, canvas, map).Run(samples);
}

void PlotPolarFunction(TFuncPolarObj& func, TCanvas& canvas, const TMapping2D& map) {
  TPolarSamples samples(std::size_t(PolarSampleCount(func)));
  SamplePolarFunction(func, map, samples, 0, int(samples.size()));
  DrawPolarSamples(func, samples, canvas, map);
}

}  // namespace plotix
