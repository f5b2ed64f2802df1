#include "graph3d/line_store.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>

namespace plotix {

namespace {
constexpr std::size_t kBlock = 1024;

std::size_t Hash(const TPoint3D& p) {
  const std::uint64_t h = std::uint64_t(std::uint32_t(p.X)) * 0x9E3779B97F4A7C15ull ^
                          std::uint64_t(std::uint32_t(p.Y)) * 0xC2B2AE3D27D4EB4Full ^
                          std::uint64_t(std::uint32_t(p.Z)) * 0x165667B19E3779F9ull;
  return std::size_t(h ^ (h >> 29));
}
}  // namespace

TFixed ToFixed(Extended value) {
  // Saturates rather than wrapping; callers keep scene values far inside the range.
  constexpr TFixed kMax = std::numeric_limits<TFixed>::max(), kMin = std::numeric_limits<TFixed>::min();
  const Extended scaled = value * (1 << kFixedShift);
  if (!(scaled < kMax)) return kMax;
  if (!(scaled > kMin)) return kMin;
  // Rounding to nearest needs no switch of the x87 control word, which costs more than
  // the rest of a sample; where it rounded away from zero, step back.
  long long fixed = llrintl(scaled);
  if (scaled >= 0 ? Extended(fixed) > scaled : Extended(fixed) < scaled) fixed += scaled >= 0 ? -1 : 1;
  return TFixed(fixed);
}

TLineObj::TLineObj() {
  points_.reserve(kBlock);
  lines_.reserve(kBlock);
  Clear();
}

void TLineObj::Clear() {
  // The room stays for the meshes about to be built again.
  points_.assign(kAxisPointCount, TLinePoint{});
  lines_.assign(kAxisLineCount, TLineRec{});
  searchStart_ = kAxisPointCount + 1;
  min_ = max_ = TPoint3D{};
  index_.assign(std::max(index_.size(), kBlock), kNoSlot);
  indexed_ = 0;
  Palette.fill(0);
  ResetAxes();
  Changed = true;
}

void TLineObj::ResetAxes() {
  const TPoint3D ends[kAxisPointCount] = {{min_.X, 0, 0}, {max_.X, 0, 0}, {0, min_.Y, 0},
                                          {0, max_.Y, 0}, {0, 0, min_.Z}, {0, 0, max_.Z}};
  for (int i = 0; i < kAxisPointCount; ++i) points_[std::size_t(i)].P = ends[i];
  for (int i = 0; i < kAxisLineCount; ++i)
    lines_[std::size_t(i)] = {2 * i, 2 * i + 1, std::uint8_t(kAxisColorIndex + i)};
}

void TLineObj::MarkFunctionStart() {
  searchStart_ = PointCount() + 1;
  std::fill(index_.begin(), index_.end(), kNoSlot);
  indexed_ = 0;
}

void TLineObj::TakeIntoBox(const TPoint3D& p) {
  TFixed TPoint3D::*const axes[] = {&TPoint3D::X, &TPoint3D::Y, &TPoint3D::Z};
  for (const auto axis : axes) {
    if (p.*axis < min_.*axis)
      min_.*axis = p.*axis;
    else if (p.*axis > max_.*axis)
      max_.*axis = p.*axis;
  }
}

std::int32_t& TLineObj::IndexPlace(const TPoint3D& p) {
  const std::size_t mask = index_.size() - 1;
  for (std::size_t i = Hash(p) & mask;; i = (i + 1) & mask) {
    std::int32_t& place = index_[i];
    if (place == kNoSlot || points_[std::size_t(place)].P == p) return place;
  }
}

std::int32_t TLineObj::AddPoint(const TPoint3D& p) {
  const auto index = std::int32_t(points_.size());
  points_.push_back({p});
  if (2 * (indexed_ + 1) > index_.size()) {
    std::vector<std::int32_t> old(2 * index_.size(), kNoSlot);
    old.swap(index_);
    for (const std::int32_t i : old)
      if (i != kNoSlot) IndexPlace(points_[std::size_t(i)].P) = i;
  }
  std::int32_t& place = IndexPlace(p);
  indexed_ += place == kNoSlot;
  place = index;
  return index;
}

// The index holds the newest of the points from SearchStart on for every position,
// which is what a newest-first search of those points finds.
std::int32_t TLineObj::FindOrAddPoint(const TPoint3D& p) {
  const std::int32_t found = IndexPlace(p);
  return found != kNoSlot ? found : AddPoint(p);
}

TAddLineResult TLineObj::AddLine(const TPoint3D& p, std::int32_t& slotP, const TPoint3D& q, std::int32_t& slotQ,
                                 std::uint8_t colorIndex) {
  Changed = true;
  if (PointCount() >= kMaxStoreCount || LineCount() >= kMaxStoreCount) return alFull;
  try {
    if (slotP == kNoSlot) {
      TakeIntoBox(p);
      slotP = AddPoint(p);
    }
    std::int32_t to = slotP;
    if (q != p) {
      if (slotQ == kNoSlot) {
        TakeIntoBox(q);
        slotQ = FindOrAddPoint(q);
      }
      to = slotQ;
    }
    lines_.push_back({slotP, to, colorIndex});
  } catch (const std::bad_alloc&) {
    return alOutOfMemory;
  }
  return alAdded;
}

void TLineObj::SetPaletteColor(int index, TColor color) {
  Changed = true;
  if (index >= 0 && index < int(Palette.size())) Palette[std::size_t(index)] = color;
}

void TLineObj::Project(const TRotation& r, int scale, int originX, int originY) {
  if (Changed) ResetAxes();
  Changed = false;
  if (PointCount() <= kAxisPointCount || LineCount() <= kAxisLineCount) return;
  for (TLinePoint& point : points_) {
    const std::int64_t x = point.P.X, y = point.P.Y, z = point.P.Z;
    const std::int64_t t1 = FixedMul(y, r.c1) - FixedMul(z, r.s1);
    const std::int64_t t2 = FixedMul(y, r.s1) + FixedMul(z, r.c1);
    const std::int64_t t3 = FixedMul(x, r.c2) + FixedMul(t2, r.s2);
    point.Depth = TFixed(FixedMul(t2, r.c2) - FixedMul(x, r.s2));
    point.ScreenX = std::int32_t(FixedMul(FixedMul(t3, r.c3) - FixedMul(t1, r.s3), scale) + originX);
    point.ScreenY = std::int32_t(originY - FixedMul(FixedMul(t1, r.c3) + FixedMul(r.s3, t3), scale));
  }
}

int MaxDetailForLines(int n) {
  if (n <= 0) return 100;
  if (n == 1) return 98;
  int d = std::abs((100 - n) / (n - 1));
  while (d > 0 && n + (n - 1) * d > 100) --d;
  return d;
}

}  // namespace plotix
