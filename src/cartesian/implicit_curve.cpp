#include "cartesian/implicit_curve.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

namespace plotix {

namespace {

constexpr int kCell = kImplicitCell;  // 1-pixel cells on a side of a block
constexpr int kSide = kCell + 1;      // lattice points on a side of a block
constexpr int kBlockEdges = 2 * kCell * kSide;
constexpr int kMargin = 1;  // pixels the lattice reaches beyond the bitmap
// A cell whose corner nearest zero is within this many times the steepest step between
// neighbouring lattice points may hide a loop or a bend of the curve between its corners.
constexpr Extended kMayHide = 1;
// A lattice point where |F| is this near zero against its rise to the neighbours touches zero.
constexpr Extended kTouch = 0.5L;
constexpr Extended kRootTolerance = 1.0L / 1024;  // pixels
constexpr Extended kPoleWidth = 1.0L / 16;        // pixels: a bracket this narrow shows a pole
// Where |F| at the narrowed bracket's ends is not below this share of |F| at the edge's
// ends, F did not come down towards the sign change: a pole or a jump, not a zero.
constexpr Extended kShrunk = 0.25L;
constexpr int kUnknown = -2, kNone = -1;

struct TValue {
  Extended f = 0;
  bool defined = false;
};

// The curve lies between a negative and a non-negative value.
bool Changes(const TValue& a, const TValue& b) { return a.defined && b.defined && (a.f < 0) != (b.f < 0); }

// Whether |F| at the lattice point p is least among its four neighbours and near zero for
// how much they rise around it: F comes down to zero here, with or without a sign change.
bool Touches(const TValue* p) {
  if (!p->defined) return false;
  const TValue* around[4] = {p - 1, p + 1, p - kSide, p + kSide};
  const Extended least = fabsl(p->f);
  Extended most = least;
  for (const TValue* q : around) {
    if (!q->defined || fabsl(q->f) < least) return false;
    most = std::max(most, fabsl(q->f));
  }
  return least <= kTouch * (most - least);
}

// A point of the curve on a lattice edge; its links are the crossings it is joined to.
struct TCrossing {
  TCurvePoint p;
  int link[2] = {kNone, kNone};
};

// A block of 1-pixel cells: its lattice values and the crossing found on each edge.
struct TBlock {
  TValue v[kSide * kSide];
  int edge[kBlockEdges];
};

// Edge numbers in a block: the edge from (u, v) along x, and from (u, v) along y.
constexpr int EdgeX(int u, int v) { return v * kCell + u; }
constexpr int EdgeY(int u, int v) { return kCell * kSide + u * kCell + v; }

class TImplicitTracer {
 public:
  TImplicitTracer(const TImplicitEvaluator& evaluate, const TMapping2D& map)
      : evaluate_(evaluate),
        map_(map),
        blocksX_((map.width - 1 + 2 * kMargin + kCell - 1) / kCell),
        blocksY_((map.height - 1 + 2 * kMargin + kCell - 1) / kCell),
        slot_(blocksX_ * blocksY_, kNone) {}

  TImplicitCurve Run();

 private:
  // The lattice point (i, j) of 1-pixel steps lies at bitmap (i - kMargin, j - kMargin).
  TImplicitSample At(Extended i, Extended j) const {
    TImplicitSample s;
    s.x = (i - kMargin - map_.halfW + map_.centerX) / map_.zoomX;
    s.y = (map_.centerY + map_.halfH - (j - kMargin)) / map_.zoomY;
    return s;
  }
  TValue Evaluate(Extended i, Extended j);
  void EvaluateCoarse();
  const TValue& Coarse(int i, int j) const { return coarse_[j * (blocksX_ + 1) + i]; }
  bool MayHoldCurve(int bx, int by) const;
  void Enqueue(int bx, int by);
  void Refine(int bx, int by);
  TBlock* Neighbour(int bx, int by) {
    return bx < 0 || by < 0 || bx >= blocksX_ || by >= blocksY_ || slot_[by * blocksX_ + bx] < 0
               ? nullptr
               : &blocks_[slot_[by * blocksX_ + bx]];
  }
  int Crossing(int bx, int by, int u, int v, bool alongY);
  int Locate(Extended i, Extended j, bool alongY, Extended fa, Extended fb);
  void March(int bx, int by, int u, int v);
  void Join(int a, int b);
  TCurvePath Chains();

  const TImplicitEvaluator& evaluate_;
  const TMapping2D& map_;
  const int blocksX_, blocksY_;
  std::vector<TValue> coarse_;
  std::vector<Extended> spread_;  // the steepest step from each coarse point to a neighbour
  std::vector<int> slot_;         // each block's index in blocks_, or kNone
  std::deque<TBlock> blocks_;     // refined blocks stay where they are while more are added
  std::vector<int> queue_;        // blocks to refine, in the order they were found
  std::vector<TCrossing> crossings_;
  std::vector<TImplicitSample> batch_;
  std::vector<int> pending_;  // the lattice points of a block in batch_
  bool touches_ = false;
};

TValue TImplicitTracer::Evaluate(Extended i, Extended j) {
  batch_.assign(1, At(i, j));
  evaluate_(batch_);
  return {batch_[0].f, batch_[0].defined};
}

void TImplicitTracer::EvaluateCoarse() {
  const int columns = blocksX_ + 1;
  coarse_.resize(columns * (blocksY_ + 1));
  for (int j = 0; j <= blocksY_; ++j) {
    batch_.clear();
    for (int i = 0; i < columns; ++i) batch_.push_back(At(i * kCell, j * kCell));
    evaluate_(batch_);
    for (int i = 0; i < columns; ++i) coarse_[j * columns + i] = {batch_[i].f, batch_[i].defined};
  }
  spread_.assign(coarse_.size(), 0);
  for (int j = 0; j <= blocksY_; ++j)
    for (int i = 0; i < columns; ++i) {
      const TValue& a = Coarse(i, j);
      for (const auto& [ni, nj] : {std::pair{i + 1, j}, {i, j + 1}}) {
        if (ni >= columns || nj > blocksY_ || !a.defined || !Coarse(ni, nj).defined) continue;
        const Extended step = fabsl(a.f - Coarse(ni, nj).f);
        spread_[j * columns + i] = std::max(spread_[j * columns + i], step);
        spread_[nj * columns + ni] = std::max(spread_[nj * columns + ni], step);
      }
    }
}

// A sign change, a border of an undefined region, or corners near zero for how fast F
// changes around them.
bool TImplicitTracer::MayHoldCurve(int bx, int by) const {
  const int corners[4][2] = {{bx, by}, {bx + 1, by}, {bx + 1, by + 1}, {bx, by + 1}};
  int defined = 0, negative = 0;
  Extended nearest = HUGE_VALL, steepest = 0;
  for (const auto& [i, j] : corners) {
    const TValue& c = Coarse(i, j);
    if (!c.defined) continue;
    ++defined;
    negative += c.f < 0;
    nearest = std::min(nearest, fabsl(c.f));
    steepest = std::max(steepest, spread_[j * (blocksX_ + 1) + i]);
  }
  if (defined == 0) return false;
  return defined < 4 || (negative > 0 && negative < 4) || nearest <= kMayHide * steepest;
}

void TImplicitTracer::Enqueue(int bx, int by) {
  if (bx < 0 || by < 0 || bx >= blocksX_ || by >= blocksY_ || slot_[by * blocksX_ + bx] != kNone) return;
  slot_[by * blocksX_ + bx] = kUnknown;
  queue_.push_back(by * blocksX_ + bx);
}

// The block's lattice values, shared with the coarse lattice and refined neighbours; then
// its cells; and its neighbours wherever the curve leaves it.
void TImplicitTracer::Refine(int bx, int by) {
  // Blocks are refined mostly in rows from the first, so the values a block shares with
  // others are taken from those to its left and below; on its other sides F is evaluated
  // again, to the same values.
  const TBlock *left = Neighbour(bx - 1, by), *below = Neighbour(bx, by - 1);
  slot_[by * blocksX_ + bx] = static_cast<int>(blocks_.size());
  TBlock& block = blocks_.emplace_back();
  std::fill(std::begin(block.edge), std::end(block.edge), kUnknown);
  pending_.clear();
  batch_.clear();
  for (int v = 0; v <= kCell; ++v)
    for (int u = 0; u <= kCell; ++u) {
      TValue& value = block.v[v * kSide + u];
      if (u % kCell == 0 && v % kCell == 0)
        value = Coarse(bx + u / kCell, by + v / kCell);
      else if (u == 0 && left)
        value = left->v[v * kSide + kCell];
      else if (v == 0 && below)
        value = below->v[kCell * kSide + u];
      else {
        pending_.push_back(v * kSide + u);
        batch_.push_back(At(bx * kCell + u, by * kCell + v));
      }
    }
  evaluate_(batch_);
  for (std::size_t k = 0; k < pending_.size(); ++k) block.v[pending_[k]] = {batch_[k].f, batch_[k].defined};

  for (int v = 0; v < kCell; ++v)
    for (int u = 0; u < kCell; ++u) March(bx, by, u, v);

  const TValue* w = block.v;
  for (int v = 1; v < kCell && !touches_; ++v)
    for (int u = 1; u < kCell; ++u) touches_ |= Touches(w + v * kSide + u);
  bool toLeft = false, toRight = false, toBelow = false, toAbove = false;
  for (int k = 0; k < kCell; ++k) {
    toLeft |= Changes(w[k * kSide], w[(k + 1) * kSide]);
    toRight |= Changes(w[k * kSide + kCell], w[(k + 1) * kSide + kCell]);
    toBelow |= Changes(w[k], w[k + 1]);
    toAbove |= Changes(w[kCell * kSide + k], w[kCell * kSide + k + 1]);
  }
  if (toLeft) Enqueue(bx - 1, by);
  if (toRight) Enqueue(bx + 1, by);
  if (toBelow) Enqueue(bx, by - 1);
  if (toAbove) Enqueue(bx, by + 1);
}

// The crossing on an edge of a block, found once and shared with the block beside the edge.
int TImplicitTracer::Crossing(int bx, int by, int u, int v, bool alongY) {
  TBlock& block = blocks_[slot_[by * blocksX_ + bx]];
  const int e = alongY ? EdgeY(u, v) : EdgeX(u, v);
  if (block.edge[e] != kUnknown) return block.edge[e];
  const TBlock* other = nullptr;
  int shared = 0;
  if (!alongY && (v == 0 || v == kCell)) {
    other = Neighbour(bx, v == 0 ? by - 1 : by + 1);
    shared = EdgeX(u, kCell - v);
  } else if (alongY && (u == 0 || u == kCell)) {
    other = Neighbour(u == 0 ? bx - 1 : bx + 1, by);
    shared = EdgeY(kCell - u, v);
  }
  if (other && other->edge[shared] != kUnknown) return block.edge[e] = other->edge[shared];
  const TValue &a = block.v[v * kSide + u], &b = block.v[(v + alongY) * kSide + u + !alongY];
  const int found = Changes(a, b) ? Locate(bx * kCell + u, by * kCell + v, alongY, a.f, b.f) : kNone;
  return blocks_[slot_[by * blocksX_ + bx]].edge[e] = found;
}

// The zero of F on the edge from lattice point (i, j) whose ends have the values fa and fb
// of opposite signs: false position until the bracket is within the tolerance, and the
// crossing in its middle. A step that would move the end that moved last by less than half
// the tolerance moves it by that half instead, past the zero if it is that near, which closes
// the bracket; where two steps did not halve the bracket, the next halves it.
int TImplicitTracer::Locate(Extended i, Extended j, bool alongY, Extended fa, Extended fb) {
  Extended lo = 0, hi = 1, flo = fa, fhi = fb;
  Extended widths[2] = {2, 2};  // the bracket two steps and one step ago
  int lastMoved = 0;            // -1 the low end, 1 the high end
  for (int step = 0; hi - lo > kRootTolerance && flo != 0 && fhi != 0; ++step) {
    Extended s = lo + (hi - lo) * flo / (flo - fhi);
    if (lastMoved == -1 && s - lo < kRootTolerance / 2) s = lo + kRootTolerance / 2;
    if (lastMoved == 1 && hi - s < kRootTolerance / 2) s = hi - kRootTolerance / 2;
    if (hi - lo > widths[step % 2] / 2) s = (lo + hi) / 2;
    widths[step % 2] = hi - lo;
    const TValue f = Evaluate(alongY ? i : i + s, alongY ? j + s : j);
    if (!f.defined) return kNone;
    if ((f.f < 0) == (fa < 0)) {
      lo = s;
      flo = f.f;
      lastMoved = -1;
    } else {
      hi = s;
      fhi = f.f;
      lastMoved = 1;
    }
    // Near enough, F has come down towards a zero; towards a pole it has only grown.
    if (hi - lo < kPoleWidth && fabsl(flo) + fabsl(fhi) > fabsl(fa) + fabsl(fb)) return kNone;
  }
  if (flo != 0 && fhi != 0 && fabsl(flo) + fabsl(fhi) > kShrunk * (fabsl(fa) + fabsl(fb))) return kNone;
  const Extended s = flo == 0 ? lo : fhi == 0 ? hi : (lo + hi) / 2;
  crossings_.emplace_back().p = {i - kMargin + (alongY ? 0 : s), j - kMargin + (alongY ? s : 0)};
  return static_cast<int>(crossings_.size()) - 1;
}

// Marching squares on the 1-pixel cell at (u, v) of the block: its sign changes joined in
// pairs around it.
void TImplicitTracer::March(int bx, int by, int u, int v) {
  const TValue* w = blocks_[slot_[by * blocksX_ + bx]].v;
  const TValue* c[4] = {&w[v * kSide + u], &w[v * kSide + u + 1], &w[(v + 1) * kSide + u + 1], &w[(v + 1) * kSide + u]};
  bool change[4];
  int changes = 0;
  for (int k = 0; k < 4; ++k) changes += change[k] = Changes(*c[k], *c[(k + 1) % 4]);
  if (changes == 0) return;
  if (changes != 2 && changes != 4) return;  // the curve runs into an undefined region
  int x[4];
  const int edges[4][3] = {{u, v, 0}, {u + 1, v, 1}, {u, v + 1, 0}, {u, v, 1}};
  for (int k = 0; k < 4; ++k) x[k] = change[k] ? Crossing(bx, by, edges[k][0], edges[k][1], edges[k][2]) : kNone;
  if (changes == 2) {
    int ends[2], n = 0;
    for (int k = 0; k < 4; ++k)
      if (change[k]) ends[n++] = x[k];
    Join(ends[0], ends[1]);
    return;
  }
  // The bilinear surface through the corners joins the opposite corners whose values have
  // the larger product; the curve keeps the other two apart.
  if (c[0]->f * c[2]->f > c[1]->f * c[3]->f) {
    Join(x[0], x[1]);
    Join(x[2], x[3]);
  } else {
    Join(x[3], x[0]);
    Join(x[1], x[2]);
  }
}

void TImplicitTracer::Join(int a, int b) {
  if (a < 0 || b < 0) return;  // an end lost to a pole
  crossings_[a].link[crossings_[a].link[0] != kNone] = b;
  crossings_[b].link[crossings_[b].link[0] != kNone] = a;
}

// The joined crossings as polylines: open chains from their ends, then closed loops.
TCurvePath TImplicitTracer::Chains() {
  TClippedPath path(map_.width, map_.height);
  std::vector<bool> done(crossings_.size());
  const auto walk = [&](int start) {
    int prev = kNone, cur = start;
    while (cur != kNone && !done[cur]) {
      done[cur] = true;
      path.Add(crossings_[cur].p);
      const int* link = crossings_[cur].link;
      const int next = link[0] == prev ? link[1] : link[0];
      prev = cur;
      cur = next;
    }
    if (cur == start) path.Add(crossings_[start].p);
    path.Break();
  };
  for (std::size_t k = 0; k < crossings_.size(); ++k)
    if (!done[k] && crossings_[k].link[0] != kNone && crossings_[k].link[1] == kNone) walk(static_cast<int>(k));
  for (std::size_t k = 0; k < crossings_.size(); ++k)
    if (!done[k] && crossings_[k].link[0] != kNone) walk(static_cast<int>(k));
  return path.Take();
}

TImplicitCurve TImplicitTracer::Run() {
  EvaluateCoarse();
  for (int by = 0; by < blocksY_; ++by)
    for (int bx = 0; bx < blocksX_; ++bx)
      if (MayHoldCurve(bx, by)) Enqueue(bx, by);
  for (std::size_t k = 0; k < queue_.size(); ++k) Refine(queue_[k] % blocksX_, queue_[k] / blocksX_);
  TImplicitCurve curve;
  curve.Path = Chains();
  curve.Status = !curve.Path.empty() ? icDrawn : touches_ ? icNotDrawable : icNothingInView;
  return curve;
}

}  // namespace

TImplicitCurve TraceImplicitCurve(const TImplicitEvaluator& evaluate, const TMapping2D& map) {
  return TImplicitTracer(evaluate, map).Run();
}

}  // namespace plotix
