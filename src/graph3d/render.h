#pragma once
// The 3D graph's hidden-line drawing: every edge of the line store is drawn as a
// one-pixel line straight into the bitmap, and an edge-index buffer (the store index of
// the edge that painted each pixel) lets a pixel change hands only to an edge in front
// of the one there. The axis end labels follow, hidden where edges lie in front.

#include <cstdint>
#include <vector>

#include "graph3d/line_store.h"
#include "graph3d/settings.h"
#include "graph3d/view.h"
#include "platform/canvas.h"

namespace plotix {

class T3DRenderer {
 public:
  T3DRenderer();

  // The edge-index buffer for a bitmap of that size; false when it can not be had.
  bool Allocate(int width, int height);
  // The whole picture: the bitmap cleared with the background colour, the axes given
  // their colours, the store projected for the view, its edges and the axis labels
  // drawn. Nothing but the background while the store holds only the axes.
  void Draw(TBitmap& bitmap, TLineObj& store, const TSettings3DObj& settings, const TView3D& view);
  // Pixels the edges of the last drawing passed through, painted or not.
  std::int64_t PixelsVisited() const { return visited_; }

 private:
  // An edge as projected, with what the per-pixel rule asks of it.
  struct TEdge {
    std::int32_t x1, y1, x2, y2;
    TFixed d1, d2, minDepth, maxDepth;
    std::uint8_t colorIndex;
    bool alongX;  // interpolates along x, its longer screen extent
  };
  // The depth of the edge at a pixel, interpolated along its longer extent; an edge
  // that projects to one pixel has the depth of its nearer end.
  static std::int64_t DepthAt(const TEdge& e, std::int64_t x, std::int64_t y);

  template <bool kTwin>
  void DrawEdge(int index, std::uint32_t rgb);
  template <bool kTwin>
  void Plot(int index, const TEdge& e, std::uint32_t rgb, int x, int y);
  void TwinRun(bool wins, int x, int y);
  void EndTwinRun();
  void FlushTwinLine();
  void DrawAxisLabels(TBitmap& bitmap, const TLineObj& store, const TSettings3DObj& settings);

  static constexpr std::uint16_t kEmpty = 0xFFFF;
  std::vector<std::uint16_t> cells_;  // height rows of width cells
  int width_ = 0, height_ = 0;
  std::vector<TEdge> edges_;          // by store index, for the edges drawn
  std::vector<std::uint32_t*> rows_;  // the bitmap's scan lines during a drawing
  TBitmap scratch_;                   // axis label text, black on white
  std::int64_t visited_ = 0;
  // The bitmap's painter twin during a drawing, and the run of pixels an edge is winning.
  TPainterTwin* twin_ = nullptr;
  TColor twinColor_ = 0;
  TPoint runStart_, runEnd_;
  bool inRun_ = false;
  std::vector<TPoint> twinLine_;  // joined runs not yet drawn
};

}  // namespace plotix
