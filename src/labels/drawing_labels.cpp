#include "labels/drawing_labels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "labels/tool_attributes.h"
#include "platform/dialog_service.h"
#include "platform/geometry.h"

namespace plotix {

namespace {

using Int64 = std::int64_t;

constexpr int kNotNear = 10000;     // a free-hand stroke's distance from far points
constexpr int kMarkerReach = 10;    // markers show this far off the bitmap
constexpr int kMarkerSpacing = 8;   // markers closer than this in x and y are left out
constexpr int kHandleDistance = 5;  // a corner handle is chosen this near
constexpr int kSelectDistance = 6;  // labels and edges are hit below this

int Saturate(Int64 v) {
  return int(std::clamp<Int64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int Abs(Int64 v) { return Saturate(v < 0 ? -v : v); }

// Euclidean distance rounded half to even.
int RoundedDistance(Int64 dx, Int64 dy) {
  const long double x = dx, y = dy;
  return Saturate(std::llrint(std::sqrt(x * x + y * y)));
}

int DistanceTo(TPoint p, int x, int y) { return RoundedDistance(Int64(x) - p.x, Int64(y) - p.y); }

TPoint Shifted(TPoint p, int dx, int dy) { return {p.x + dx, p.y + dy}; }

struct TBox {
  int left, top, right, bottom;
  bool HoldsX(int x) const { return left <= x && x <= right; }
  bool HoldsY(int y) const { return top <= y && y <= bottom; }
};

TBox Sorted(TPoint a, TPoint b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

bool Near(TPoint a, TPoint b) {
  return std::abs(Int64(a.x) - b.x) <= kMarkerSpacing && std::abs(Int64(a.y) - b.y) <= kMarkerSpacing;
}

// Distance to the nearest edge whose range holds the point, else to the nearest corner.
int BoxDistance(const TBox& box, int x, int y) {
  const bool inX = box.HoldsX(x), inY = box.HoldsY(y);
  if (!inX && !inY) {
    return std::min({DistanceTo({box.left, box.top}, x, y), DistanceTo({box.right, box.top}, x, y),
                     DistanceTo({box.left, box.bottom}, x, y), DistanceTo({box.right, box.bottom}, x, y)});
  }
  int best = std::numeric_limits<int>::max();
  if (inX) best = std::min({best, Abs(Int64(y) - box.top), Abs(Int64(y) - box.bottom)});
  if (inY) best = std::min({best, Abs(Int64(x) - box.left), Abs(Int64(x) - box.right)});
  return best;
}

// Distance from (x, y) to the segment a-b measured along the axis that the slope favours.
// A point beyond a level segment's ends or outside a sloped one's box counts as `beyond`,
// or, when that is negative, as its distance to the nearer end.
int LineDistance(TPoint a, TPoint b, int x, int y, int beyond) {
  auto outside = [&] { return beyond >= 0 ? beyond : std::min(DistanceTo(a, x, y), DistanceTo(b, x, y)); };
  const TBox box = Sorted(a, b);
  if (a.y == b.y) return box.HoldsX(x) ? Abs(Int64(y) - a.y) : outside();
  if (a.x == b.x) return box.HoldsY(y) ? Abs(Int64(x) - a.x) : outside();
  if (!box.HoldsX(x) || !box.HoldsY(y)) return outside();
  const long double slope = (static_cast<long double>(b.y) - a.y) / (static_cast<long double>(b.x) - a.x);
  const Int64 offset = std::fabs(slope) > 1 ? std::llabs(x - (b.x + std::llrint((Int64(y) - b.y) / slope)))
                                            : std::llabs(y - (b.y + std::llrint(slope * (Int64(x) - b.x))));
  // A thin line one pixel short of selection distance still counts.
  return offset == kSelectDistance ? kSelectDistance - 1 : Saturate(offset);
}

void Widen(TRect& r, int dx, int dy) {
  r.left = std::min(r.left, dx);
  r.top = std::min(r.top, dy);
  r.right = std::max(r.right, dx);
  r.bottom = std::max(r.bottom, dy);
}

}  // namespace

// ---- TDrawBaseClass ------------------------------------------------------------

Qt::CursorShape TDrawBaseClass::GetCursor() const { return Qt::DragMoveCursor; }

bool TDrawBaseClass::OnBitmap(TPoint p) const {
  return p.x >= 0 && p.y >= 0 && p.x < owner_->BitmapWidth() && p.y < owner_->BitmapHeight();
}

bool TDrawBaseClass::NearBitmap(TPoint p) const {
  return p.x >= -kMarkerReach && p.y >= -kMarkerReach && p.x < owner_->BitmapWidth() + kMarkerReach &&
         p.y < owner_->BitmapHeight() + kMarkerReach;
}

void TDrawBaseClass::DrawMarkerSquare(TPoint p) const {
  if (!NearBitmap(p)) return;
  TCanvas& canvas = Canvas();
  canvas.Pen() = {0x000000, 5, psSolid, TPenMode::NotXor};
  canvas.Brush().style = bsClear;
  canvas.Rectangle(p.x - 3, p.y - 3, p.x + 3, p.y + 3);
}

void TDrawBaseClass::DrawMarkerLines(const std::array<TPoint, 4>& ends) const {
  TCanvas& canvas = Canvas();
  canvas.Pen() = {0x000000, 2, psSolid, TPenMode::NotXor};
  canvas.MoveTo(ends[0].x, ends[0].y);
  canvas.LineTo(ends[1].x, ends[1].y);
  canvas.MoveTo(ends[2].x, ends[2].y);
  canvas.LineTo(ends[3].x, ends[3].y);
}

// ---- TDrawFloodFill ------------------------------------------------------------

bool TDrawFloodFill::EditDialog() { return Dialogs().Run(*this); }

void TDrawFloodFill::Draw() {
  MarkerShown = false;
  if (!OnBitmap(Seed)) return;
  TCanvas& canvas = Canvas();
  canvas.Pen() = {FillColor, 1, psSolid, TPenMode::Copy};
  canvas.Brush() = {FillColor, BrushStyle == bsClear ? bsSolid : BrushStyle};
  canvas.FloodFill(Seed.x, Seed.y);
}

void TDrawFloodFill::MouseAction(int x, int y, int phase) {
  const int dx = x - DownPoint.x, dy = y - DownPoint.y;
  switch (phase) {
    case mpCreatePress:
      Seed = {x, y};
      Draw();
      break;
    case mpPressMove:
    case mpPressResize:
      DownPoint = {x, y};
      if (!MarkerShown) ToggleMarker();
      break;
    case mpMoveFirst:
    case mpResizeFirst:
      if (MarkerShown) ToggleMarker();
      MoveOrigin = Shifted(Seed, dx, dy);
      DrawCross(MoveOrigin);
      break;
    case mpMoveDrag:
    case mpResizeDrag:
      DrawCross(MoveOrigin);
      MoveOrigin = Shifted(Seed, dx, dy);
      DrawCross(MoveOrigin);
      break;
    case mpMoveRelease:
    case mpResizeRelease:
      MoveOrigin = Shifted(Seed, dx, dy);
      if (OnBitmap(MoveOrigin)) Seed = MoveOrigin;
      break;
  }
}

int TDrawFloodFill::Distance(int x, int y) const { return DistanceTo(Seed, x, y); }

std::string TDrawFloodFill::GetDescription() const {
  return "Flood Fill: Location(" + std::to_string(Seed.x) + ", " + std::to_string(Seed.y) + ")";
}

void TDrawFloodFill::SetAttributes(const TToolBarAttribClass& attributes) {
  FillColor = attributes.BrushColor;
  BrushStyle = attributes.BrushStyle == bsClear ? bsSolid : attributes.BrushStyle;
}

void TDrawFloodFill::ToggleMarker() {
  MarkerShown = !MarkerShown;
  DrawCross(Seed);
}

bool TDrawFloodFill::IsOnBitmap() const { return OnBitmap(Seed); }

void TDrawFloodFill::ToggleLocationMarker() const {
  if (MarkerShown || !NearBitmap(Seed)) return;
  const int x = Seed.x, y = Seed.y;
  DrawMarkerLines({{{x - 5, y - 5}, {x + 6, y + 6}, {x + 5, y - 5}, {x - 6, y + 6}}});
}

void TDrawFloodFill::DrawCross(TPoint p) const {
  if (!NearBitmap(p)) return;
  DrawMarkerLines({{{p.x - 6, p.y}, {p.x + 7, p.y}, {p.x, p.y - 6}, {p.x, p.y + 7}}});
}

// ---- TDrawLabel ----------------------------------------------------------------

void TDrawLabel::Draw() {
  MarkerShown = false;
  DrawShape(P1, P2, dmNormal);
}

void TDrawLabel::MouseAction(int x, int y, int phase) {
  switch (phase) {
    case mpCreatePress:
      P1 = P2 = {x, y};
      DrawShape(P1, P2, dmRubberBand);
      break;
    case mpCreateDrag:
      DrawShape(P1, P2, dmRubberBand);
      P2 = {x, y};
      DrawShape(P1, P2, dmRubberBand);
      break;
    case mpCreateRelease: P2 = {x, y}; break;
    case mpPressMove:
    case mpPressResize:
      DownPoint = {x, y};
      ShowMarkers();
      break;
    case mpMoveFirst:
    case mpResizeFirst:
      HideMarkers();
      DrawShape(P1, P2, dmErase);
      TrackPoints(x - DownPoint.x, y - DownPoint.y);
      DrawShape(MoveOrigin, MoveEnd, dmRubberBand);
      break;
    case mpMoveDrag:
    case mpResizeDrag:
      DrawShape(MoveOrigin, MoveEnd, dmRubberBand);
      TrackPoints(x - DownPoint.x, y - DownPoint.y);
      DrawShape(MoveOrigin, MoveEnd, dmRubberBand);
      break;
    case mpMoveRelease:
    case mpResizeRelease:
      TrackPoints(x - DownPoint.x, y - DownPoint.y);
      // A label dragged wholly off the bitmap could never be selected again.
      if (TouchesBitmap(MoveOrigin, MoveEnd)) {
        P1 = MoveOrigin;
        P2 = MoveEnd;
      }
      break;
  }
}

void TDrawLabel::TrackPoints(int dx, int dy) {
  MoveOrigin = Shifted(P1, dx, dy);
  MoveEnd = Shifted(P2, dx, dy);
}

int TDrawLabel::Distance(int x, int y) const { return BoxDistance(Sorted(P1, P2), x, y); }

void TDrawLabel::ShowMarkers() {
  if (!MarkerShown) ToggleMarker();
}

void TDrawLabel::HideMarkers() {
  if (MarkerShown) ToggleMarker();
}

void TDrawLabel::ToggleMarker() {
  MarkerShown = !MarkerShown;
  const TBox box = Sorted(P1, P2);
  const bool wide = Int64(box.right) - box.left > kMarkerSpacing;
  const bool tall = Int64(box.bottom) - box.top > kMarkerSpacing;
  DrawMarkerSquare({box.left, box.top});
  if (wide) DrawMarkerSquare({box.right, box.top});
  if (tall) DrawMarkerSquare({box.left, box.bottom});
  if (wide && tall) DrawMarkerSquare({box.right, box.bottom});
}

bool TDrawLabel::IsOnBitmap() const { return TouchesBitmap(P1, P2); }

bool TDrawLabel::TouchesBitmap(TPoint a, TPoint b) const {
  const TBox box = Sorted(a, b);
  const int width = Owner().BitmapWidth(), height = Owner().BitmapHeight();
  const bool sideInX = (box.left >= 0 && box.left < width) || (box.right >= 0 && box.right < width);
  const bool sideInY = (box.top >= 0 && box.top < height) || (box.bottom >= 0 && box.bottom < height);
  if (sideInX && sideInY) return true;  // a corner is on the bitmap
  const bool crossesDown = box.top < 0 && box.bottom >= height;
  const bool crossesAcross = box.left < 0 && box.right >= width;
  return (crossesDown && sideInX) || (crossesAcross && sideInY);
}

// ---- TDrawShape ----------------------------------------------------------------

void TDrawShape::SetPenStyle(int style) { PenStyle = style; }

void TDrawShape::SetBrushStyle(int style) { BrushStyle = style; }

Qt::CursorShape TDrawShape::GetCursor() const {
  switch (Handle) {
    case 1:
    case 2: return Qt::SizeAllCursor;
    case 3:
    case 6: return Qt::SizeFDiagCursor;
    case 4:
    case 5: return Qt::SizeBDiagCursor;
    case 7:
    case 8: return Qt::SizeVerCursor;
    case 9:
    case 10: return Qt::SizeHorCursor;
    default: return TDrawLabel::GetCursor();
  }
}

void TDrawShape::SetAttributes(const TToolBarAttribClass& attributes) {
  SetPenStyle(attributes.PenStyle);
  PenColor = attributes.PenColor;
  PenWidth = attributes.PenWidth;
  BrushColor = attributes.BrushColor;
  SetBrushStyle(attributes.BrushStyle);
}

void TDrawShape::PrepareCanvas(int mode, int penStyle, int brushStyle) const {
  TCanvas& canvas = Canvas();
  const TColor background = Owner().BackgroundColor();
  canvas.Pen() = {mode == dmErase ? background : PenColor, PenWidth, penStyle,
                  mode == dmRubberBand ? TPenMode::NotXor : TPenMode::Copy};
  canvas.Brush() = {mode == dmErase ? background : BrushColor, brushStyle};
}

void TDrawShape::PrepareLineCanvas(int mode) const {
  PrepareCanvas(mode, PenStyle == psClear ? psSolid : PenStyle, BrushStyle <= bsClear ? BrushStyle : bsClear);
}

// ---- TDrawInclosedShape --------------------------------------------------------

bool TDrawInclosedShape::EditDialog() { return Dialogs().Run(*this); }

void TDrawInclosedShape::MouseAction(int x, int y, int phase) {
  if (phase == mpPressResize) {
    const TBox box = Sorted(P1, P2);
    P1 = {box.left, box.top};
    P2 = {box.right, box.bottom};
    MoveOrigin = P1;
    MoveEnd = P2;
    DownPoint = {x, y};
    ShowMarkers();
    Handle = FindHandle(x, y);
    return;
  }
  if (phase < mpResizeFirst) Handle = 0;
  TDrawShape::MouseAction(x, y, phase);
}

// Corners first (top-left, bottom-right, top-right, bottom-left), then the edges whose
// range holds the point (bottom, right, top, left); 0 when none is near.
int TDrawInclosedShape::FindHandle(int x, int y) const {
  const TBox box = Sorted(P1, P2);
  const std::array<std::pair<int, int>, 4> corners = {{
      {3, DistanceTo({box.left, box.top}, x, y)},
      {6, DistanceTo({box.right, box.bottom}, x, y)},
      {4, DistanceTo({box.right, box.top}, x, y)},
      {5, DistanceTo({box.left, box.bottom}, x, y)},
  }};
  const auto corner = std::min_element(corners.begin(), corners.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
  if (corner->second <= kHandleDistance) return corner->first;
  constexpr int kFar = std::numeric_limits<int>::max();
  const bool inX = box.HoldsX(x), inY = box.HoldsY(y);
  const std::array<std::pair<int, int>, 4> edges = {{
      {8, inX ? Abs(Int64(y) - box.bottom) : kFar},
      {10, inY ? Abs(Int64(x) - box.right) : kFar},
      {7, inX ? Abs(Int64(y) - box.top) : kFar},
      {9, inY ? Abs(Int64(x) - box.left) : kFar},
  }};
  const auto edge =
      std::min_element(edges.begin(), edges.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
  return edge->second < kSelectDistance ? edge->first : 0;
}

void TDrawInclosedShape::TrackPoints(int dx, int dy) {
  if (Handle == 0) {
    TDrawShape::TrackPoints(dx, dy);
    return;
  }
  MoveOrigin = P1;
  MoveEnd = P2;
  // Each handle names the coordinates it drags.
  const bool x1 = Handle == 3 || Handle == 5 || Handle == 9;
  const bool y1 = Handle == 3 || Handle == 4 || Handle == 7;
  const bool x2 = Handle == 4 || Handle == 6 || Handle == 10;
  const bool y2 = Handle == 5 || Handle == 6 || Handle == 8;
  if (x1) MoveOrigin.x += dx;
  if (y1) MoveOrigin.y += dy;
  if (x2) MoveEnd.x += dx;
  if (y2) MoveEnd.y += dy;
}

void TDrawInclosedShape::DrawShape(TPoint first, TPoint second, int mode) {
  // An outline and a fill both clear would leave the shape invisible.
  const int penStyle = PenStyle == psClear && BrushStyle == bsClear ? psSolid : PenStyle;
  PrepareCanvas(mode, penStyle, BrushStyle);
  const TBox box = Sorted(first, second);
  TCanvas& canvas = Canvas();
  switch (Kind) {
    case ltRectangle: canvas.Rectangle(box.left, box.top, box.right, box.bottom); break;
    case ltEllipse: canvas.Ellipse(box.left, box.top, box.right, box.bottom); break;
    case ltRoundRect:
      canvas.RoundRect(box.left, box.top, box.right, box.bottom, int((Int64(box.right) - box.left) / 2),
                       int((Int64(box.bottom) - box.top) / 2));
      break;
  }
}

std::string TDrawInclosedShape::GetDescription() const {
  const char* name = Kind == ltEllipse ? "Ellipse" : Kind == ltRoundRect ? "Round Rectangle" : "Rectangle";
  return std::string(name) + ": Top Left(" + std::to_string(P1.x) + ", " + std::to_string(P1.y) + ") Bottom Right(" +
         std::to_string(P2.x) + ", " + std::to_string(P2.y) + ")";
}

// ---- TDrawFreeHand -------------------------------------------------------------

bool TDrawFreeHand::EditDialog() { return Dialogs().Run(*this); }

void TDrawFreeHand::SetPenStyle(int style) { TDrawShape::SetPenStyle(style == psClear ? psSolid : style); }

void TDrawFreeHand::SetBrushStyle(int style) { TDrawShape::SetBrushStyle(style > bsClear ? bsClear : style); }

void TDrawFreeHand::MouseAction(int x, int y, int phase) {
  TCanvas& canvas = Canvas();
  switch (phase) {
    case mpCreatePress:
      blocks_.assign(1, TFreeHandBlock{});
      extentPoints_ = -1;
      Bounds = {};
      PointCount = 1;
      LastBlockUsed = 1;
      P1 = P2 = {x, y};
      PrepareLineCanvas(dmNormal);
      canvas.MoveTo(x, y);
      break;
    case mpCreateDrag:
    case mpCreateRelease: {
      // The stroke shows as it is drawn, continuing the pen's dash pattern.
      const TPoint from = P2;
      if (!AddPoint(x, y)) break;
      PrepareLineCanvas(dmNormal);
      if (!(canvas.PenPos() == from)) canvas.MoveTo(from.x, from.y);
      canvas.LineTo(x, y);
      break;
    }
    default: TDrawShape::MouseAction(x, y, phase);
  }
}

bool TDrawFreeHand::AddPoint(int x, int y) {
  if (PointCount < 1 || PointCount >= kMaxFreeHandPoints || TPoint{x, y} == P2) return false;
  const Int64 dx = Int64(x) - P1.x, dy = Int64(y) - P1.y;
  constexpr Int64 kLo = std::numeric_limits<std::int16_t>::min(), kHi = std::numeric_limits<std::int16_t>::max();
  if (dx < kLo || dx > kHi || dy < kLo || dy > kHi) return false;  // offsets are 16-bit
  if (LastBlockUsed == kFreeHandBlockSize) {
    blocks_.emplace_back();
    LastBlockUsed = 0;
  }
  TFreeHandBlock& block = blocks_.back();
  block.Points[LastBlockUsed++] = {std::int16_t(dx), std::int16_t(dy)};
  Widen(block.Bounds, int(dx), int(dy));
  Widen(Bounds, int(dx), int(dy));
  P2 = {x, y};
  ++PointCount;
  return true;
}

int TDrawFreeHand::Distance(int x, int y) const {
  constexpr int kGrow = 5;
  auto nearBounds = [&](const TRect& r) {
    return Int64(x) >= Int64(P1.x) + r.left - kGrow && Int64(x) <= Int64(P1.x) + r.right + kGrow &&
           Int64(y) >= Int64(P1.y) + r.top - kGrow && Int64(y) <= Int64(P1.y) + r.bottom + kGrow;
  };
  if (!nearBounds(Bounds)) return kNotNear;
  int best = std::min({kNotNear, DistanceTo(P1, x, y), DistanceTo(P2, x, y)});
  auto pointAt = [&](int i) {
    const TFreeHandOffset o = Offset(i);
    return TPoint{P1.x + o.dx, P1.y + o.dy};
  };
  const std::vector<TRect>& extents = Extents();
  for (int b = 0; b < BlockCount() && best > 0; ++b) {
    if (!nearBounds(extents[b])) continue;
    const int used = b + 1 < BlockCount() ? kFreeHandBlockSize : LastBlockUsed;
    for (int j = 0; j < used && best > 0; ++j) {
      const int i = b * kFreeHandBlockSize + j;
      const TPoint p = pointAt(i);
      // A point whose rounded distance is at least the best so far needs no square root.
      const Int64 dx = Int64(x) - p.x, dy = Int64(y) - p.y;
      if (dx * dx + dy * dy <= Int64(best) * best - best) best = RoundedDistance(dx, dy);
      if (i == 0) continue;
      // Steps to a neighbouring pixel are covered by the points themselves.
      const TPoint q = pointAt(i - 1);
      if (std::abs(p.x - q.x) > 1 || std::abs(p.y - q.y) > 1) best = std::min(best, LineDistance(q, p, x, y, kNotNear));
    }
  }
  return best;
}

// The stored block bounds hold the first point of the stroke too, so near a long stroke
// they would send a click through almost every block.
const std::vector<TRect>& TDrawFreeHand::Extents() const {
  if (extentPoints_ == PointCount && extents_.size() == blocks_.size()) return extents_;
  extents_.assign(blocks_.size(), TRect{});
  for (int i = 0; i < PointCount; ++i) {
    const TFreeHandOffset o = Offset(i);
    TRect& extent = extents_[std::size_t(i / kFreeHandBlockSize)];
    if (i % kFreeHandBlockSize == 0) {
      extent = {o.dx, o.dy, o.dx, o.dy};
      if (i > 0) Widen(extent, Offset(i - 1).dx, Offset(i - 1).dy);  // the segment into the block
    } else {
      Widen(extent, o.dx, o.dy);
    }
  }
  extentPoints_ = PointCount;
  return extents_;
}

void TDrawFreeHand::DrawShape(TPoint first, TPoint second, int mode) {
  if (PointCount < 1) return;
  PrepareLineCanvas(mode);
  TCanvas& canvas = Canvas();
  if (PointCount == 1) {
    canvas.MoveTo(first.x, first.y);
    canvas.LineTo(second.x, second.y);
    return;
  }
  // Runs of up to 128 points, each starting where the previous one ended.
  std::array<TPoint, 128> run;
  std::size_t n = 0;
  for (int i = 0; i < PointCount; ++i) {
    const TFreeHandOffset o = Offset(i);
    run[n++] = {first.x + o.dx, first.y + o.dy};
    if (n == run.size()) {
      canvas.Polyline(run.data(), int(n));
      run[0] = run[n - 1];
      n = 1;
    }
  }
  if (n > 1) canvas.Polyline(run.data(), int(n));
}

std::string TDrawFreeHand::GetDescription() const {
  return "Free Hand: Origin Point(" + std::to_string(P1.x) + ", " + std::to_string(P1.y) + ")";
}

void TDrawFreeHand::ToggleMarker() {
  MarkerShown = !MarkerShown;
  DrawMarkerSquare(P1);
  if (!Near(P1, P2)) DrawMarkerSquare(P2);
  if (PointCount < 8) return;
  // Up to 25 more squares spread along a long stroke, none crowding another.
  const int count = std::clamp(PointCount / kFreeHandBlockSize, 1, 25);
  const int step = PointCount / (count + 1);
  std::vector<TPoint> taken = {P1, P2};
  for (int k = 1; k <= count; ++k) {
    const TFreeHandOffset o = Offset(k * step);
    const TPoint p = {P1.x + o.dx, P1.y + o.dy};
    if (std::any_of(taken.begin(), taken.end(), [&](TPoint t) { return Near(t, p); })) continue;
    taken.push_back(p);
    DrawMarkerSquare(p);
  }
}

bool TDrawFreeHand::TouchesBitmap(TPoint a, TPoint b) const {
  if (OnBitmap(a) || OnBitmap(b)) return true;
  for (int i = 0; i < PointCount; ++i) {
    const TFreeHandOffset o = Offset(i);
    if (OnBitmap({a.x + o.dx, a.y + o.dy})) return true;
  }
  return false;
}

// ---- TDrawLine -----------------------------------------------------------------

bool TDrawLine::EditDialog() { return Dialogs().Run(*this); }

void TDrawLine::SetPenStyle(int style) { TDrawShape::SetPenStyle(style == psClear ? psSolid : style); }

void TDrawLine::SetBrushStyle(int style) { TDrawShape::SetBrushStyle(style > bsClear ? bsClear : style); }

void TDrawLine::MouseAction(int x, int y, int phase) {
  if (phase == mpPressResize) {
    MoveOrigin = P1;
    MoveEnd = P2;
    DownPoint = {x, y};
    ShowMarkers();
    // The nearer end within reach; on a tie the end point.
    const int d1 = DistanceTo(P1, x, y), d2 = DistanceTo(P2, x, y);
    Handle = d2 < kSelectDistance && d2 <= d1 ? 2 : d1 < kSelectDistance ? 1 : 0;
    return;
  }
  if (phase < mpResizeFirst) Handle = 0;
  TDrawShape::MouseAction(x, y, phase);
}

void TDrawLine::TrackPoints(int dx, int dy) {
  TDrawShape::TrackPoints(dx, dy);
  if (Handle == 1) MoveEnd = P2;
  if (Handle == 2) MoveOrigin = P1;
}

int TDrawLine::Distance(int x, int y) const { return LineDistance(P1, P2, x, y, -1); }

void TDrawLine::DrawShape(TPoint first, TPoint second, int mode) {
  PrepareLineCanvas(mode);
  TCanvas& canvas = Canvas();
  canvas.MoveTo(first.x, first.y);
  canvas.LineTo(second.x, second.y);
}

std::string TDrawLine::GetDescription() const {
  return "Line: Origin Point(" + std::to_string(P1.x) + ", " + std::to_string(P1.y) + ") End Point(" +
         std::to_string(P2.x) + ", " + std::to_string(P2.y) + ")";
}

void TDrawLine::ToggleMarker() {
  MarkerShown = !MarkerShown;
  const Int64 dx = std::abs(Int64(P2.x) - P1.x), dy = std::abs(Int64(P2.y) - P1.y);
  DrawMarkerSquare(P1);
  if (dx > kMarkerSpacing || dy > kMarkerSpacing) DrawMarkerSquare(P2);
  if (dx / 2 > 12 || dy / 2 > 12) DrawMarkerSquare({int((Int64(P1.x) + P2.x) / 2), int((Int64(P1.y) + P2.y) / 2)});
}

bool TDrawLine::TouchesBitmap(TPoint a, TPoint b) const {
  // A rounded coordinate far off the bitmap stays far off without overflowing an int.
  const auto round = [](long double v) { return int(std::rintl(std::clamp(v, -0x1p30L, 0x1p30L))); };
  return ClipSegment(a, b, 0, Owner().BitmapWidth() - 1, 0, Owner().BitmapHeight() - 1, round);
}

// ---- TDrawText -----------------------------------------------------------------

bool TDrawText::EditDialog() { return Dialogs().Run(*this); }

void TDrawText::MouseAction(int x, int y, int phase) {
  // Text is created by SetText, not by dragging.
  if (phase > mpCreateRelease) TDrawLabel::MouseAction(x, y, phase);
}

int TDrawText::Distance(int x, int y) const {
  const TBox box = Sorted(P1, P2);
  return box.HoldsX(x) && box.HoldsY(y) ? 0 : TDrawLabel::Distance(x, y);
}

void TDrawText::DrawShape(TPoint first, TPoint second, int mode) {
  TCanvas& canvas = Canvas();
  if (mode == dmNormal) {
    canvas.Font() = Font;
    canvas.TextOut(first.x, first.y, Text);
  } else if (mode == dmRubberBand) {
    canvas.Pen() = {0x000000, 1, psDot, TPenMode::NotXor};
    canvas.Brush().style = bsClear;
    canvas.Rectangle(first.x, first.y, second.x, second.y);
  }
}

std::string TDrawText::GetDescription() const {
  return "Text: Origin Point(" + std::to_string(P1.x) + ", " + std::to_string(P1.y) + ") \"" + Text + "\"";
}

void TDrawText::SetAttributes(const TToolBarAttribClass& attributes) { SetText(P1, Text, attributes.Font); }

void TDrawText::SetText(TPoint point, const std::string& text, const TFontDesc& font) {
  P1 = point;
  Text = text;
  Font = font;
  if (text.empty()) {
    P2 = P1;
    return;
  }
  TCanvas& canvas = Canvas();
  canvas.Font() = font;
  P2 = {P1.x + canvas.TextWidth(text), P1.y + canvas.TextHeight(text)};
}

bool TDrawText::FitOnBitmap() {
  const int width = Owner().BitmapWidth(), height = Owner().BitmapHeight();
  int dx = 0, dy = 0;
  if (P1.x > width - 1)
    dx = width - 1 - P1.x;
  else if (P2.x < 0)
    dx = -P2.x;
  if (P1.y > height - 1)
    dy = height - 1 - P1.y;
  else if (P2.y < 0)
    dy = -P2.y;
  P1 = Shifted(P1, dx, dy);
  P2 = Shifted(P2, dx, dy);
  return dx != 0 || dy != 0;
}

}  // namespace plotix
