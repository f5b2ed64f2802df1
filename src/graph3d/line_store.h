#pragma once
// TLineObj: the wire-frame store of a 3D graph. Every mesh adds its lines between 3D
// points held in 16.16 fixed point; equal points are shared within one function's mesh;
// the store keeps the bounding box of all points, three axis lines spanning it, and
// projects every point onto the screen before each redraw.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/colour.h"
#include "platform/extended.h"

namespace plotix {

// 16.16 fixed point: a scene value v is held as v * 65536 truncated toward zero.
using TFixed = std::int32_t;
constexpr int kFixedShift = 16;

TFixed ToFixed(Extended value);
// A fixed-point product: the 64-bit product shifted right by 16, which floors.
constexpr std::int64_t FixedMul(std::int64_t a, std::int64_t b) { return (a * b) >> kFixedShift; }

struct TPoint3D {
  TFixed X = 0, Y = 0, Z = 0;
  bool operator==(const TPoint3D&) const = default;
};

struct TLinePoint {
  TPoint3D P;
  std::int32_t ScreenX = 0, ScreenY = 0;
  TFixed Depth = 0;  // greater is nearer the viewer
};

struct TLineRec {
  std::int32_t PointA = 0, PointB = 0;
  std::uint8_t ColorIndex = 0;
};

// The caller's reference to a stored point; kNoSlot while the point is not stored.
constexpr std::int32_t kNoSlot = -1;

// The cosines and sines of the view angles about X, Y and Z, in 16.16.
struct TRotation {
  TFixed c1 = 1 << kFixedShift, c2 = 1 << kFixedShift, c3 = 1 << kFixedShift;
  TFixed s1 = 0, s2 = 0, s3 = 0;
};

enum TAddLineResult : int { alAdded = 0, alFull = 1, alOutOfMemory = 2 };

constexpr int kAxisLineCount = 3;      // lines 0, 1, 2: the X, Y and Z axes
constexpr int kAxisPointCount = 6;     // their end points, negative end first
constexpr int kAxisColorIndex = 253;   // X; Y and Z follow
constexpr int kMaxStoreCount = 65535;  // points and lines; 65535 also marks "no line" in pixel buffers

class TLineObj {
 public:
  TLineObj();

  // Back to the state after creation: the axes alone, palette black.
  void Clear();
  // Points of the function about to add its mesh are shared only among themselves.
  void MarkFunctionStart();
  // Adds the line P-Q. Each slot refers to where its point is stored and is filled in
  // when the point gets stored here. Nothing is added when the store is full.
  TAddLineResult AddLine(const TPoint3D& p, std::int32_t& slotP, const TPoint3D& q, std::int32_t& slotQ,
                         std::uint8_t colorIndex);
  void SetPaletteColor(int index, TColor color);
  // Rebuilds the axes from the bounding box and, when functions added lines, gives every
  // point its screen position (scale: pixels per graph unit) and depth.
  void Project(const TRotation& rotation, int scale, int originX, int originY);

  int PointCount() const { return int(points_.size()); }
  int LineCount() const { return int(lines_.size()); }
  // 1-based number of the first point searched for an equal one.
  int SearchStart() const { return searchStart_; }
  const TLinePoint& Point(int index) const { return points_[std::size_t(index)]; }
  const TLineRec& Line(int index) const { return lines_[std::size_t(index)]; }
  // The bounding box of every point added, each side including 0.
  const TPoint3D& Min() const { return min_; }
  const TPoint3D& Max() const { return max_; }

  std::array<TColor, 256> Palette{};
  // Set by every change; the next projection rebuilds the axes and clears it.
  bool Changed = true;

 private:
  void ResetAxes();
  void TakeIntoBox(const TPoint3D& p);
  std::int32_t AddPoint(const TPoint3D& p);
  // The newest point of the current function equal to p, or p added.
  std::int32_t FindOrAddPoint(const TPoint3D& p);
  // The index's place for p: the one holding an equal point, or a free one.
  std::int32_t& IndexPlace(const TPoint3D& p);

  std::vector<TLinePoint> points_;
  std::vector<TLineRec> lines_;
  std::int32_t searchStart_ = kAxisPointCount + 1;
  TPoint3D min_, max_;
  // The newest point for each position among the points searched for duplicates, by
  // open addressing (kNoSlot: free); at most half full.
  std::vector<std::int32_t> index_;
  std::size_t indexed_ = 0;
};

// The most wire detail that keeps n wire lines and their detail within 100 samples.
int MaxDetailForLines(int n);

}  // namespace plotix
