#include "graph3d/render.h"

#include <QColor>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>

#include "platform/drawing_job.h"
#include "platform/painter_twin.h"

namespace plotix {

namespace {

using Int64 = std::int64_t;

// The pixel value of a colour in a bitmap of that depth: blue, green and red in their
// own places at every depth.
std::uint32_t PixelOf(TColor color, int depth) {
  const TColor c = SnapColor(color, depth);
  return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

// Cuts the segment to 0..maxX, 0..maxY; false when nothing of it is inside.
bool Clip(Int64& x1, Int64& y1, Int64& x2, Int64& y2, Int64 maxX, Int64 maxY) {
  const auto code = [&](Int64 x, Int64 y) { return (x < 0 ? 1 : x > maxX ? 2 : 0) | (y < 0 ? 4 : y > maxY ? 8 : 0); };
  int c1 = code(x1, y1), c2 = code(x2, y2);
  while (c1 | c2) {
    if (c1 & c2) return false;
    const int c = c1 ? c1 : c2;
    Int64 x, y;
    if (c & 8) {
      y = maxY;
      x = x1 + (x2 - x1) * (maxY - y1) / (y2 - y1);
    } else if (c & 4) {
      y = 0;
      x = x1 + (x2 - x1) * -y1 / (y2 - y1);
    } else if (c & 2) {
      x = maxX;
      y = y1 + (y2 - y1) * (maxX - x1) / (x2 - x1);
    } else {
      x = 0;
      y = y1 + (y2 - y1) * -x1 / (x2 - x1);
    }
    if (c == c1) {
      x1 = x, y1 = y, c1 = code(x, y);
    } else {
      x2 = x, y2 = y, c2 = code(x, y);
    }
  }
  return true;
}

}  // namespace

T3DRenderer::T3DRenderer() : scratch_(32, 32) {}

bool T3DRenderer::Allocate(int width, int height) {
  try {
    cells_.resize(std::size_t(width) * std::size_t(height));
  } catch (const std::bad_alloc&) {
    return false;
  }
  width_ = width;
  height_ = height;
  return true;
}

Int64 T3DRenderer::DepthAt(const TEdge& e, Int64 x, Int64 y) {
  const Int64 extent = e.alongX ? Int64(e.x2) - e.x1 : Int64(e.y2) - e.y1;
  if (extent == 0) return e.maxDepth;
  return e.d1 + (Int64(e.d2) - e.d1) * (e.alongX ? x - e.x1 : y - e.y1) / extent;
}

// Equal depths go to the higher colour index, so an axis wins over a function; within
// one function the edge drawn first keeps the pixel. With a painter twin (kTwin) every
// decision is also told to it; without, the loop stays as lean as it was.
template <bool kTwin>
inline void T3DRenderer::Plot(int index, const TEdge& e, std::uint32_t rgb, int x, int y) {
  std::uint16_t& cell = cells_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
  bool wins = true;
  if (cell != kEmpty) {
    const TEdge& f = edges_[cell];
    if (f.minDepth > e.maxDepth) {
      wins = false;
    } else if (f.maxDepth >= e.minDepth) {
      const Int64 df = DepthAt(f, x, y), de = DepthAt(e, x, y);
      wins = !(df > de || (df == de && f.colorIndex >= e.colorIndex));
    }
  }
  if constexpr (kTwin) TwinRun(wins, x, y);
  if (!wins) return;
  cell = std::uint16_t(index);
  rows_[std::size_t(y)][x] = rgb;
}

// The painter twin gets each run of pixels the edge won as one line.
void T3DRenderer::TwinRun(bool wins, int x, int y) {
  if (wins) {
    if (!inRun_) runStart_ = {x, y};
    runEnd_ = {x, y};
    inRun_ = true;
  } else {
    EndTwinRun();
  }
}

// Runs that go on where the last one stopped (the next edge of a mesh line) join it into
// one polyline, which keeps vector files small.
void T3DRenderer::EndTwinRun() {
  if (!inRun_) return;
  inRun_ = false;
  // A run goes on from the last one's end when it starts beside it (the shared end pixel
  // belongs to the edge drawn first); edges are walked downwards, so from either of its ends.
  const auto touches = [this](TPoint p) {
    return !twinLine_.empty() && std::abs(twinLine_.back().x - p.x) <= 1 && std::abs(twinLine_.back().y - p.y) <= 1;
  };
  const bool reversed = !touches(runStart_) && touches(runEnd_);
  if (!reversed && !touches(runStart_)) {
    FlushTwinLine();
    twinLine_.push_back(runStart_);
  }
  twinLine_.push_back(reversed ? runStart_ : runEnd_);
}

void T3DRenderer::FlushTwinLine() {
  if (twinLine_.size() == 1) twinLine_.push_back(twinLine_.front());
  if (!twinLine_.empty())
    twin_->Lines(twinLine_.data(), int(twinLine_.size()), TPen{twinColor_, 1, psSolid, TPenMode::Copy});
  twinLine_.clear();
}

template <bool kTwin>
void T3DRenderer::DrawEdge(int index, std::uint32_t rgb) {
  const TEdge& e = edges_[std::size_t(index)];
  Int64 x1 = e.x1, y1 = e.y1, x2 = e.x2, y2 = e.y2;
  if (!Clip(x1, y1, x2, y2, width_ - 1, height_ - 1)) return;
  if (y1 > y2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const Int64 dx = std::abs(x2 - x1), dy = y2 - y1, sx = x2 < x1 ? -1 : 1;
  int x = int(x1), y = int(y1);
  if (dx >= dy) {
    Int64 err = dx / 2;
    for (Int64 n = 0; n <= dx; ++n, x += int(sx)) {
      Plot<kTwin>(index, e, rgb, x, y);
      err -= dy;
      if (err < 0) {
        ++y;
        err += dx;
      }
    }
    visited_ += dx + 1;
  } else {
    Int64 err = dy / 2;
    for (Int64 n = 0; n <= dy; ++n, ++y) {
      Plot<kTwin>(index, e, rgb, x, y);
      err -= dx;
      if (err < 0) {
        x += int(sx);
        err += dy;
      }
    }
    visited_ += dy + 1;
  }
  if constexpr (kTwin) EndTwinRun();
}

void T3DRenderer::Draw(TBitmap& bitmap, TLineObj& store, const TSettings3DObj& settings, const TView3D& view) {
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush() = {settings.BackColor, bsSolid};
  canvas.FillRect({0, 0, bitmap.Width(), bitmap.Height()});
  for (int axis = 0; axis < 3; ++axis)
    store.SetPaletteColor(kAxisColorIndex + axis, settings.Axes[std::size_t(axis)].LineColor);
  visited_ = 0;
  store.Project(RotationOf(view), view.Zoom, bitmap.Width() / 2, bitmap.Height() / 2);
  if (store.LineCount() <= kAxisLineCount) return;
  if ((bitmap.Width() != width_ || bitmap.Height() != height_) && !Allocate(bitmap.Width(), bitmap.Height()))
    throw std::bad_alloc();
  std::fill(cells_.begin(), cells_.end(), kEmpty);
  rows_.resize(std::size_t(height_));
  for (int y = 0; y < height_; ++y) rows_[std::size_t(y)] = bitmap.Canvas().ScanLine(y);

  twin_ = bitmap.Twin();
  edges_.resize(std::size_t(store.LineCount()));
  const int depth = bitmap.Depth();
  int colorIndex = -1;
  std::uint32_t rgb = 0;
  for (int i = 0; i < store.LineCount(); ++i) {
    if (i % 4096 == 0) DrawingStep(i, store.LineCount());
    if (i < kAxisLineCount && !settings.Axes[std::size_t(i)].ShowAxisLine) continue;
    const TLineRec& line = store.Line(i);
    const TLinePoint& a = store.Point(line.PointA);
    const TLinePoint& b = store.Point(line.PointB);
    TEdge& e = edges_[std::size_t(i)];
    e = {a.ScreenX,
         a.ScreenY,
         b.ScreenX,
         b.ScreenY,
         a.Depth,
         b.Depth,
         std::min(a.Depth, b.Depth),
         std::max(a.Depth, b.Depth),
         line.ColorIndex,
         std::abs(Int64(b.ScreenX) - a.ScreenX) >= std::abs(Int64(b.ScreenY) - a.ScreenY)};
    if (line.ColorIndex != colorIndex) {
      colorIndex = line.ColorIndex;
      rgb = PixelOf(store.Palette[line.ColorIndex], depth);
      if (twin_) FlushTwinLine();
      twinColor_ = store.Palette[line.ColorIndex];
    }
    if (twin_)
      DrawEdge<true>(i, rgb);
    else
      DrawEdge<false>(i, rgb);
  }
  if (twin_) FlushTwinLine();
  DrawAxisLabels(bitmap, store, settings);
  twin_ = nullptr;
}

// Each shown axis labels its ends beside them, away from the other end. The farthest
// label is drawn first, so nearer ones lie on top.
void T3DRenderer::DrawAxisLabels(TBitmap& bitmap, const TLineObj& store, const TSettings3DObj& settings) {
  struct TLabel {
    int axis;
    const TLinePoint* end;
    const TLinePoint* other;
    std::string text;
  };
  std::vector<TLabel> labels;
  static const char kLetters[] = "XYZ";
  const TFixed TPoint3D::*const coordinates[] = {&TPoint3D::X, &TPoint3D::Y, &TPoint3D::Z};
  for (int axis = 0; axis < 3; ++axis) {
    const TAxis3DSettings& a = settings.Axes[std::size_t(axis)];
    if (!a.ShowAxisLine || (store.Min().*coordinates[axis] == 0 && store.Max().*coordinates[axis] == 0)) continue;
    const TLinePoint& negative = store.Point(2 * axis);
    const TLinePoint& positive = store.Point(2 * axis + 1);
    const auto inside = [&](const TLinePoint& p) {
      return p.ScreenX >= 0 && p.ScreenX < width_ && p.ScreenY >= 0 && p.ScreenY < height_;
    };
    const std::string letter(1, kLetters[axis]);
    if (a.LabelPlusEnd && inside(positive))
      labels.push_back({axis, &positive, &negative, (a.ShowPlusSign ? "+" : "") + letter});
    if (a.LabelMinusEnd && inside(negative))
      labels.push_back({axis, &negative, &positive, (a.ShowMinusSign ? "-" : "") + letter});
  }
  std::stable_sort(labels.begin(), labels.end(),
                   [](const TLabel& l, const TLabel& r) { return l.end->Depth < r.end->Depth; });

  TCanvas& text = scratch_.Canvas();
  for (const TLabel& label : labels) {
    const TFontDesc& font = settings.Axes[std::size_t(label.axis)].LabelFont;
    text.Font() = font;
    text.Font().color = 0;
    const int w = text.TextWidth(label.text), h = text.TextHeight(label.text);
    if (w > scratch_.Width() || h > scratch_.Height())
      scratch_.SetSize(std::max(w, scratch_.Width()), std::max(h, scratch_.Height()));
    text.Brush() = {0xFFFFFF, bsSolid};
    text.FillRect({0, 0, w, h});
    text.TextOut(0, 0, label.text);

    const int ax = label.end->ScreenX, ay = label.end->ScreenY;
    const int left = label.other->ScreenX < ax ? ax : ax - w;
    const int top = label.other->ScreenY >= ay ? ay - h : ay;
    if (twin_) twin_->Text(left, top, label.text, font);
    const Int64 d = label.end->Depth;
    const std::uint32_t rgb = PixelOf(font.color, bitmap.Depth());
    for (int sy = 0; sy < std::min(h, scratch_.Height()); ++sy) {
      const int y = top + sy;
      if (y < 0 || y >= height_) continue;
      const std::uint32_t* source = text.ScanLine(sy);
      for (int sx = 0; sx < std::min(w, scratch_.Width()); ++sx) {
        const int x = left + sx;
        if (x < 0 || x >= width_ || (source[sx] & 0xFFFFFF) == 0xFFFFFF) continue;
        const std::uint16_t cell = cells_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
        if (cell != kEmpty) {
          const TEdge& f = edges_[cell];
          if (f.minDepth > d) continue;
          if (f.maxDepth >= d && DepthAt(f, x, y) > d) continue;
        }
        rows_[std::size_t(y)][x] = rgb;
      }
    }
  }
}

}  // namespace plotix
