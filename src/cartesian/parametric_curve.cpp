#include "cartesian/parametric_curve.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>
#include <vector>

namespace plotix {

namespace {

constexpr int kSplitBatch = 64;        // intervals split per evaluation batch
constexpr Extended kMaxGap = 1;        // pixels between neighbouring points of a piece
constexpr Extended kNoShrink = 0.75L;  // a half that keeps this much of its interval's gap
constexpr int kJumpSplits = 3;         // splits in a row that leave the gap this wide: a jump
constexpr int kMaxDepth = 40;          // halvings of a base step, so a step never reaches zero
constexpr Extended kUnknown = std::numeric_limits<Extended>::infinity();
// Where a piece ends between t steps, its end lies at most this many times its last step
// further on: so it does where the curve ends like a square root, sqrt(t) at t = 0.
constexpr Extended kEndReach = 2.5L;

struct TNode {
  Extended t = 0;
  TCurvePoint p;
  bool defined = false;
  bool jumpAfter = false;  // the line to the next node crosses a jump
  int next = -1;
};

// The interval between two neighbouring nodes that needs a node between them. Where both
// ends are defined, `size` is their distance in pixels; where one is, the distance the
// curve may still run on towards the undefined end (its true end lies in between).
struct TInterval {
  Extended size = 0;
  int left = 0, right = 0;
  int depth = 0;
  int streak = 0;  // splits in a row that hardly shrank the gap
  // The widest first; of equal ones the earliest made, so the order never depends on the heap.
  bool operator<(const TInterval& o) const { return size < o.size || (size == o.size && left > o.left); }
};

// Squares cannot overflow for any point near enough to matter; hypotl costs several times more.
Extended Distance(TCurvePoint a, TCurvePoint b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y));
}

class TParametricTracer {
 public:
  TParametricTracer(const TParametricEvaluator& evaluate, const TMapping2D& map)
      : evaluate_(evaluate),
        map_(map),
        // Gaps are closed a pixel beyond the bitmap too, so no clipped end is left short.
        near_{-kMaxGap, -kMaxGap, map.width - 1 + kMaxGap, map.height - 1 + kMaxGap} {}

  TCurvePath Run(Extended from, Extended to);

 private:
  void Evaluate(std::size_t first);
  void Offer(int left, int right, int depth, int streak, Extended runOn);
  bool Visible(TCurvePoint a, TCurvePoint b) const {
    return near_.Holds(a) || near_.Holds(b) || ClipToRect(a, b, near_);
  }
  Extended Gap(int a, int b) const { return Distance(nodes_[a].p, nodes_[b].p); }
  void Split(const TInterval& v, int mid);

  const TParametricEvaluator& evaluate_;
  const TMapping2D& map_;
  const TCurveRect near_;
  std::vector<TNode> nodes_;
  std::vector<TParametricSample> batch_;
  std::priority_queue<TInterval> queue_;
};

// Evaluates the nodes from `first` on, whose t are set.
void TParametricTracer::Evaluate(std::size_t first) {
  batch_.resize(nodes_.size() - first);
  for (std::size_t i = 0; i < batch_.size(); ++i) {
    batch_[i] = TParametricSample();
    batch_[i].t = nodes_[first + i].t;
  }
  evaluate_(batch_);
  for (std::size_t i = 0; i < batch_.size(); ++i) {
    const TParametricSample& s = batch_[i];
    TNode& n = nodes_[first + i];
    n.defined = s.xDefined && s.yDefined;
    if (n.defined) n.p = BitmapPoint(map_, s.x, s.y);
  }
}

// Queues the interval if a node between its ends would show: a gap wider than a pixel that
// can be seen, or an end of a piece from which the curve may run on into view.
void TParametricTracer::Offer(int left, int right, int depth, int streak, Extended runOn) {
  const TNode &a = nodes_[left], &b = nodes_[right];
  if (depth >= kMaxDepth || (!a.defined && !b.defined)) return;
  if (a.defined && b.defined) {
    const Extended gap = Gap(left, right);
    if (gap > kMaxGap && Visible(a.p, b.p)) queue_.push({gap, left, right, depth, streak});
    return;
  }
  const TCurvePoint p = a.defined ? a.p : b.p;
  if (runOn > kMaxGap && p.x >= near_.left - runOn && p.x <= near_.right + runOn && p.y >= near_.top - runOn &&
      p.y <= near_.bottom + runOn)
    queue_.push({runOn, left, right, depth, 0});
}

void TParametricTracer::Split(const TInterval& v, int mid) {
  TNode &a = nodes_[v.left], &m = nodes_[mid], &b = nodes_[v.right];
  m.next = v.right;
  a.next = mid;
  const int depth = v.depth + 1;
  int streakA = 0, streakB = 0;
  // An end beyond the last defined point: as far on as the gap it interrupts, or, where the
  // middle fell short of the end again, as far as a square root's run over half the width.
  Extended runOn = a.defined && b.defined ? v.size : v.size / std::sqrt(2.0L);
  if (a.defined && b.defined && m.defined) {
    // A gap that keeps its width however finely it is split is a jump, not a steep piece.
    const Extended gapA = Gap(v.left, mid), gapB = Gap(mid, v.right);
    const int streak = std::max(gapA, gapB) > kNoShrink * v.size ? v.streak + 1 : 0;
    int& wide = gapA >= gapB ? streakA : streakB;
    wide = streak;
    if (streak >= kJumpSplits) (gapA >= gapB ? a : m).jumpAfter = true;
  } else if (m.defined) {
    runOn = kEndReach * Gap(a.defined ? v.left : v.right, mid);
  }
  if (streakA < kJumpSplits) Offer(v.left, mid, depth, streakA, runOn);
  if (streakB < kJumpSplits) Offer(mid, v.right, depth, streakB, runOn);
}

TCurvePath TParametricTracer::Run(Extended from, Extended to) {
  TClippedPath path(map_.width, map_.height);
  if (!(from < to)) return path.Take();
  const int n = kParametricBaseSamples;
  for (int i = 0; i <= n; ++i) {
    // Each t from the bounds, so no rounding piles up along the way.
    TNode& node = nodes_.emplace_back();
    node.t = i == n ? to : from + (to - from) * i / n;
    node.next = i < n ? i + 1 : -1;
  }
  Evaluate(0);
  for (int i = 0; i < n; ++i) {
    Extended runOn = kUnknown;
    const int end = nodes_[i].defined ? i : i + 1, inner = nodes_[i].defined ? i - 1 : i + 2;
    if (inner >= 0 && inner <= n && nodes_[inner].defined) runOn = kEndReach * Gap(inner, end);
    Offer(i, i + 1, 0, 0, runOn);
  }
  std::vector<TInterval> round;
  while (!queue_.empty() && static_cast<int>(nodes_.size()) < kParametricMaxSamples) {
    round.clear();
    const std::size_t first = nodes_.size();
    while (!queue_.empty() && static_cast<int>(round.size()) < kSplitBatch &&
           static_cast<int>(nodes_.size()) < kParametricMaxSamples) {
      const TInterval v = queue_.top();
      queue_.pop();
      const Extended mid = (nodes_[v.left].t + nodes_[v.right].t) / 2;
      if (!(mid > nodes_[v.left].t && mid < nodes_[v.right].t)) continue;  // no t left between them
      round.push_back(v);
      nodes_.emplace_back().t = mid;
    }
    Evaluate(first);
    for (std::size_t i = 0; i < round.size(); ++i) Split(round[i], static_cast<int>(first + i));
  }
  for (int i = 0; i >= 0; i = nodes_[i].next) {
    if (!nodes_[i].defined) {
      path.Break();
      continue;
    }
    path.Add(nodes_[i].p);
    if (nodes_[i].jumpAfter) path.Break();
  }
  return path.Take();
}

}  // namespace

TCurvePath TraceParametricCurve(const TParametricEvaluator& evaluate, Extended from, Extended to,
                                const TMapping2D& map) {
  return TParametricTracer(evaluate, map).Run(from, to);
}

}  // namespace plotix
