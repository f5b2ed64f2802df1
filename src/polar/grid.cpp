#include "polar/grid.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

#include "expr/number_format.h"
#include "platform/canvas.h"
#include "platform/geometry.h"
#include "polar/settings.h"
#include "window/view_mapping.h"

namespace plotix {

namespace {

constexpr Extended kMinTickStep = 5;     // pixels; closer ticks are not drawn
constexpr Extended kLargeCircle = 4000;  // pixels of radius beyond which only the visible arc is drawn
constexpr int kMaxArcPoints = 500;       // between the arc's ends
constexpr int kArcPixelLimit = 30000;    // arc points are held within ± this many pixels
constexpr Extended kDashReachSlack = 1e-10;

// A point in pixels from the pole, y up.
struct TPolarPoint {
  Extended x = 0, y = 0;
};

Extended Distance(const TPolarPoint& p) { return hypotl(p.x, p.y); }

// Whether angle a lies between two corner angles; a span from the first to the fourth
// quadrant wraps through 0.
bool Between(Extended a, Extended c1, Extended c2) {
  const Extended lo = std::min(c1, c2), hi = std::max(c1, c2);
  if (lo <= 90 && hi >= 270) return a <= lo || a >= hi;
  return lo <= a && a <= hi;
}

// The visible part of one ray.
struct TAxisSegment {
  bool visible = false;
  TPolarPoint p1, p2;
  Extended sin = 0, cos = 0;
};

// The values of one redraw: the visible rectangle in pixels from the pole, its corner
// angles and the visible part of every ray.
class TPolarGrid {
 public:
  TPolarGrid(const TSettingPolarObj& settings, TCanvas& canvas, const TMapping2D& map);
  void Draw();

 private:
  TAxisSegment Segment(Extended angle) const;
  bool InView(const TPolarPoint& p) const { return p.x >= L_ && p.x <= R_ && p.y >= B_ && p.y <= T_; }
  TPoint Pixel(const TPolarPoint& p) const { return {m_.Col(p.x), m_.Row(p.y)}; }
  void SetPen(TColor color, int width, int style);
  void DrawAxes();
  void DrawCircles();
  void DrawArc(Extended r);
  void DrawDashes();
  void DashLabel(const std::string& text, const TPolarPoint& e1, const TPolarPoint& e2);
  const std::string& LabelText(long long k);

  const TSettingPolarObj& s_;
  TCanvas& c_;
  const TMapping2D& m_;
  Extended L_, R_, T_, B_;
  bool poleInside_;
  Extended angleLT_, angleRT_, angleLB_, angleRB_;
  Extended restrictPixels_;
  Extended step_;  // pixels between ticks
  std::vector<TAxisSegment> segments_;
  std::unordered_map<long long, std::string> labels_;
};

TPolarGrid::TPolarGrid(const TSettingPolarObj& settings, TCanvas& canvas, const TMapping2D& map)
    : s_(settings),
      c_(canvas),
      m_(map),
      L_(map.left),
      R_(map.right),
      T_(map.top),
      B_(map.bottom),
      poleInside_(L_ <= 0 && 0 <= R_ && B_ <= 0 && 0 <= T_),
      angleLT_(PointAngle(L_, T_, TAngleUnit::Degrees)),
      angleRT_(PointAngle(R_, T_, TAngleUnit::Degrees)),
      angleLB_(PointAngle(L_, B_, TAngleUnit::Degrees)),
      angleRB_(PointAngle(R_, B_, TAngleUnit::Degrees)),
      restrictPixels_(settings.RestrictRadius ? map.zoomX * fabsl(settings.RestrictRadiusAmount) : 0),
      step_(map.zoomX * settings.TickIncrement) {
  const int count = std::clamp(settings.AxisCount, 0, kMaxAxisAngles);
  segments_.reserve(std::size_t(count));
  for (int i = 0; i < count; ++i) segments_.push_back(Segment(settings.AxisAngles[std::size_t(i)]));
}

TAxisSegment TPolarGrid::Segment(Extended a) const {
  TAxisSegment seg;
  ToCartesian(DegToRad(a), 1, seg.cos, seg.sin);
  int found = 0;
  auto add = [&](Extended x, Extended y) { (found++ == 0 ? seg.p1 : seg.p2) = {x, y}; };
  if (poleInside_) add(0, 0);

  // A horizontal edge through the pole's row lies on the ray: the ray covers all of it.
  auto horizontal = [&](Extended y) {
    if (y == 0) {
      seg.p1 = {L_, 0};
      seg.p2 = {R_, 0};
      found = 2;
    } else if (a == 0 || a == 180) {
      add(a < 90 || a > 270 ? R_ : L_, y);
    } else {
      add(std::clamp(y * seg.cos / seg.sin, L_, R_), y);
    }
  };
  auto vertical = [&](Extended x) {
    if (x == 0 || a == 90 || a == 270)
      add(x, a < 180 ? T_ : B_);
    else
      add(x, std::clamp(x * seg.sin / seg.cos, B_, T_));
  };
  // An edge the pole lies on is no crossing when the pole is an end already.
  if (found < 2 && !(poleInside_ && T_ == 0) && Between(a, angleLT_, angleRT_)) horizontal(T_);
  if (found < 2 && !(poleInside_ && B_ == 0) && Between(a, angleLB_, angleRB_)) horizontal(B_);
  if (found < 2 && !(poleInside_ && L_ == 0) && Between(a, angleLT_, angleLB_)) vertical(L_);
  if (found < 2 && !(poleInside_ && R_ == 0) && Between(a, angleRT_, angleRB_)) vertical(R_);
  seg.visible = found == 2;

  if (seg.visible && s_.RestrictRadius) {
    const Extended d1 = Distance(seg.p1), d2 = Distance(seg.p2), rr = restrictPixels_;
    const TPolarPoint end{rr * seg.cos, rr * seg.sin};
    if (d1 < d2) {
      seg.visible = d1 <= rr;
      if (rr < d2) seg.p2 = end;
    } else {
      seg.visible = d2 <= rr;
      if (rr < d1) seg.p1 = end;
    }
  }
  return seg;
}

void TPolarGrid::SetPen(TColor color, int width, int style) { c_.Pen() = TPen{color, width, style, TPenMode::Copy}; }

void TPolarGrid::Draw() {
  if (s_.ShowLabels) c_.Font() = s_.LabelFont;
  DrawAxes();
  if (!(s_.TickIncrement > 0) || !(step_ >= kMinTickStep)) return;
  if (s_.TickMarkType == ptCircles)
    DrawCircles();
  else if (s_.TickMarkType == ptDashes)
    DrawDashes();
}

void TPolarGrid::DrawAxes() {
  SetPen(s_.AxisColor, s_.AxisWidth, s_.AxisPenStyle);
  for (const TAxisSegment& seg : segments_) {
    if (!seg.visible) continue;
    const TPoint a = Pixel(seg.p1), b = Pixel(seg.p2);
    c_.MoveTo(a.x, a.y);
    c_.LineTo(b.x, b.y);
    if (s_.AxisPenStyle == psSolid) c_.SetPixel(b.x, b.y, s_.AxisColor);
  }
}

const std::string& TPolarGrid::LabelText(long long k) {
  auto found = labels_.find(k);
  if (found == labels_.end())
    found = labels_
                .emplace(k, FormatNumber(s_.LabelFormat, s_.LabelComma, s_.LabelPlus, s_.LabelDecimalPlaces,
                                         k * s_.TickIncrement))
                .first;
  return found->second;
}

void TPolarGrid::DrawCircles() {
  SetPen(s_.TickMarkColor, s_.CircleWidth, s_.CirclePenStyle);
  const TPolarPoint corners[] = {{L_, T_}, {R_, T_}, {L_, B_}, {R_, B_}};
  Extended dMax = 0, nearestCorner = Distance(corners[0]);
  for (const TPolarPoint& p : corners) {
    dMax = std::max(dMax, Distance(p));
    nearestCorner = std::min(nearestCorner, Distance(p));
  }
  if (s_.RestrictRadius && restrictPixels_ < dMax) dMax = restrictPixels_;

  long long k = 1;
  if (!poleInside_) {
    const Extended dMin = L_ <= 0 && 0 <= R_   ? std::min(fabsl(B_), fabsl(T_))
                          : B_ <= 0 && 0 <= T_ ? std::min(fabsl(L_), fabsl(R_))
                                               : nearestCorner;
    if (dMin > step_) k = static_cast<long long>(ceill(dMin / step_));
  }
  for (; k * step_ <= dMax; ++k) {
    const Extended r = k * step_;
    if (r > kLargeCircle) {
      DrawArc(r);
    } else {
      // The ellipse's right and bottom edges are exclusive: the circle spans col(-r)..col(r).
      c_.Ellipse(m_.Col(-r), m_.Row(r), m_.Col(r) + 1, m_.Row(-r) + 1);
    }
    if (!s_.ShowLabels) continue;
    const std::string& text = LabelText(k);
    for (const TAxisSegment& seg : segments_) {
      const TPolarPoint p{r * seg.cos, r * seg.sin};
      if (!seg.visible || !InView(p)) continue;
      const TPoint px = Pixel(p);
      c_.TextOut(px.x, px.y, text);
    }
  }
}

// The part of a large circle the view shows, as a polyline whose points stray at most
// half a pixel from the arc.
void TPolarGrid::DrawArc(Extended r) {
  const Extended fullTurn = DegToRad(360);
  // A view straddling the positive x axis runs from the top-left corner down through 0.
  const bool straddles = B_ < 0 && 0 <= T_ && L_ > 0;
  Extended start, end, span;
  if (straddles) {
    start = DegToRad(angleLT_);
    end = DegToRad(angleLB_);
    span = start + fullTurn - end;
  } else {
    start = DegToRad(std::min({angleLT_, angleRT_, angleLB_, angleRB_}));
    end = DegToRad(std::max({angleLT_, angleRT_, angleLB_, angleRB_}));
    span = end - start;
  }
  const Extended phi = acosl((r - 0.5L) / r);
  const int n = phi > 0 ? static_cast<int>(std::clamp<Extended>(truncl(span / (2 * phi)), 0, kMaxArcPoints)) : 0;
  auto pixel = [&](Extended t) {
    TPolarPoint point;
    ToCartesian(t, r, point.x, point.y);
    const TPoint p = Pixel(point);
    return TPoint{std::clamp(p.x, -kArcPixelLimit, kArcPixelLimit), std::clamp(p.y, -kArcPixelLimit, kArcPixelLimit)};
  };
  TPoint p = pixel(start);
  c_.MoveTo(p.x, p.y);
  for (int j = 1; j <= n; ++j) {
    Extended t = straddles ? start - span * j / (n + 1) : start + span * j / (n + 1);
    if (t < 0) t += fullTurn;
    p = pixel(t);
    c_.LineTo(p.x, p.y);
  }
  p = pixel(end);
  c_.LineTo(p.x, p.y);
  if (s_.CirclePenStyle == psSolid) c_.SetPixel(p.x, p.y, s_.TickMarkColor);
}

void TPolarGrid::DrawDashes() {
  SetPen(s_.TickMarkColor, s_.AxisWidth, psSolid);
  const Extended h = s_.DashLength;
  for (const TAxisSegment& seg : segments_) {
    if (!seg.visible) continue;
    const Extended d1 = Distance(seg.p1), d2 = Distance(seg.p2);
    const Extended dNear = std::min(d1, d2), dFar = std::max(d1, d2);
    long long k = dNear <= step_ ? 1 : static_cast<long long>(ceill(dNear / step_));
    for (; k * step_ <= dFar + kDashReachSlack; ++k) {
      const Extended r = k * step_;
      const TPolarPoint centre{r * seg.cos, r * seg.sin};
      const TPolarPoint e1{centre.x + h * seg.sin, centre.y - h * seg.cos};
      const TPolarPoint e2{centre.x - h * seg.sin, centre.y + h * seg.cos};
      const TPoint a = Pixel(e1), b = Pixel(e2);
      c_.MoveTo(a.x, a.y);
      c_.LineTo(b.x, b.y);
      c_.SetPixel(b.x, b.y, s_.TickMarkColor);
      if (s_.ShowLabels) DashLabel(LabelText(k), e1, e2);
    }
  }
}

// Below a vertical dash, right of a horizontal one, else beside the end away from the ray.
void TPolarGrid::DashLabel(const std::string& text, const TPolarPoint& e1, const TPolarPoint& e2) {
  const TPoint p1 = Pixel(e1), p2 = Pixel(e2);
  const TPoint& lower = p1.y >= p2.y ? p1 : p2;
  if (e1.x == e2.x || p1.x == p2.x) {
    c_.TextOut(lower.x, lower.y + 1, text);
  } else if (e1.y == e2.y || p1.y == p2.y) {
    const TPoint& right = p1.x >= p2.x ? p1 : p2;
    c_.TextOut(right.x + 1, right.y - c_.TextHeight(text) / 2, text);
  } else if ((e2.y - e1.y) / (e2.x - e1.x) <= 0) {
    c_.TextOut(lower.x + 1, lower.y + 1, text);
  } else {
    const TPoint& upper = p1.y <= p2.y ? p1 : p2;
    c_.TextOut(upper.x + 1, upper.y - c_.TextHeight(text) - 1, text);
  }
}

}  // namespace

void ClearBackgroundPolar(const TSettingPolarObj& settings, TCanvas& canvas, const TMapping2D& map) {
  canvas.Pen() = TPen{};
  canvas.Brush() = TBrush{settings.BackgroundColor, bsSolid};
  canvas.FillRect({0, 0, map.width, map.height});
  canvas.Brush().style = bsClear;
}

void DrawPolarGrid(const TSettingPolarObj& settings, TCanvas& canvas, const TMapping2D& map) {
  TPolarGrid(settings, canvas, map).Draw();
}

}  // namespace plotix
