#include "expr/integral.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include "expr/extrapolation.h"

namespace plotix {

namespace {

// The 21-point Kronrod rule on [-1, 1] and the 10-point Gauss rule inside it: the nodes from
// 1 down to 0 (the Gauss ones at the odd places) and their weights, worked out at 60 digits
// by tests/data/kronrod.py.
constexpr Extended kNodes[11] = {9.95657163025808080735527280689002848e-1L,
                                 9.73906528517171720077964012084452053e-1L,
                                 9.30157491355708226001207180059508346e-1L,
                                 8.65063366688984510732096688423493049e-1L,
                                 7.80817726586416897063717578345042377e-1L,
                                 6.79409568299024406234327365114873576e-1L,
                                 5.62757134668604683339000099272694141e-1L,
                                 4.33395394129247190799265943165784162e-1L,
                                 2.94392862701460198131126603103865566e-1L,
                                 1.48874338981631210884826001129719985e-1L,
                                 0.0L};
constexpr Extended kKronrod[11] = {1.16946388673718742780643960621920484e-2L, 3.25581623079647274788189724593897606e-2L,
                                   5.47558965743519960313813002445801764e-2L, 7.50396748109199527670431409161900094e-2L,
                                   9.31254545836976055350654650833663444e-2L, 1.0938715880229764189921059032580496e-1L,
                                   1.2349197626206585107795810983107416e-1L,  1.34709217311473325928054001771706833e-1L,
                                   1.42775938577060080797094273138717061e-1L, 1.47739104901338491374841515972068046e-1L,
                                   1.49445554002916905664936468389821204e-1L};
constexpr Extended kGauss[5] = {6.66713443086881375935688098933317929e-2L, 1.49451349150580593145776339657697332e-1L,
                                2.19086362515982043995534934228163192e-1L, 2.69266719309996355091226921569469353e-1L,
                                2.95524224714752870173892994651338329e-1L};

constexpr Extended kEps = LDBL_EPSILON;
constexpr Extended kHuge = LDBL_MAX;
constexpr std::size_t kMaxPieces = 500;

// A subinterval with the rule's results on it.
struct TPiece {
  Extended a, b;
  Extended area, error;
  Extended absArea;  // of |f|
  Extended spread;   // of |f - mean|
};

// Where the integrand has no value: the search stops there.
struct TNoValue {
  Extended x;
  int code;
};

TPiece Rule(const TIntegrand& f, Extended a, Extended b, int& evaluations) {
  const auto at = [&](Extended x) {
    Extended y = 0;
    int code = 0;
    ++evaluations;
    if (!f(x, y, code) || !std::isfinite(y)) throw TNoValue{x, code};
    return y;
  };
  const Extended center = a + (b - a) / 2, half = (b - a) / 2;
  // The nodes from a to b, with their weights and what rounding moved them by: x + moved is
  // the node. Near an end away from 0 that is a large part of the node's distance from the
  // end, where f may be steep; there f is read at the node by interpolating to the next float.
  Extended x[21], moved[21], y[21];
  const auto weight = [](int i) { return kKronrod[std::min(i, 20 - i)]; };
  for (int k = 0; k < 21; ++k) {
    const int i = (k + 10) % 21, j = std::min(i, 20 - i);
    const Extended dx = j == 10 ? 0 : i < 10 ? -half * kNodes[j] : half * kNodes[j];
    x[i] = center + dx;
    const Extended back = x[i] - center;
    moved[i] = (center - (x[i] - back)) + (dx - back);
    // On a piece a few floats wide a node may round onto an end, where f need have no value.
    if (j != 10 && (x[i] == a || x[i] == b)) {
      const Extended in = nextafterl(x[i], center);
      moved[i] += x[i] - in;
      x[i] = in;
    }
    y[i] = at(x[i]);
  }
  Extended scale = 0;  // the rule's sum of |f|, which rounds by kEps of it
  for (int i = 0; i < 21; ++i) scale += weight(i) * fabsl(y[i]);
  for (int i = 0; i < 21; ++i) {
    if (moved[i] == 0) continue;
    // What the move costs, by the slope to the neighbours, against the rounding of the sum.
    Extended slope = 0;
    if (i > 0) slope = fabsl((y[i] - y[i - 1]) / (x[i] - x[i - 1]));
    if (i < 20) slope = std::max(slope, fabsl((y[i + 1] - y[i]) / (x[i + 1] - x[i])));
    if (weight(i) * slope * fabsl(moved[i]) <= kEps * scale) continue;
    const Extended next = nextafterl(x[i], moved[i] > 0 ? kHuge : -kHuge);
    if (next == a || next == b) continue;
    y[i] += (at(next) - y[i]) * (moved[i] / (next - x[i]));
  }
  // y[j] and y[20 - j] are the pair of nodes at kNodes[j] from the centre, y[10] the centre.
  Extended kronrod = y[10] * kKronrod[10], gauss = 0, absolute = fabsl(kronrod);
  for (int j = 0; j < 10; ++j) {
    kronrod += kKronrod[j] * (y[j] + y[20 - j]);
    absolute += kKronrod[j] * (fabsl(y[j]) + fabsl(y[20 - j]));
    if (j % 2) gauss += kGauss[j / 2] * (y[j] + y[20 - j]);
  }
  const Extended mean = kronrod / 2;
  Extended spread = 0;
  for (int i = 0; i < 21; ++i) spread += weight(i) * fabsl(y[i] - mean);
  TPiece p{a, b, kronrod * half, fabsl((kronrod - gauss) * half), absolute * fabsl(half), spread * fabsl(half)};
  // The difference of the two rules overstates the error of the better one; scaled as the
  // rules' known convergence has it, and never below what rounding leaves of the sum.
  if (p.spread != 0 && p.error != 0) p.error = p.spread * std::min(Extended(1), powl(200 * p.error / p.spread, 1.5L));
  if (p.absArea > LDBL_MIN / (50 * kEps)) p.error = std::max(50 * kEps * p.absArea, p.error);
  return p;
}

}  // namespace

TIntegral Integrate(const TIntegrand& f, Extended a, Extended b, Extended relative, Extended absolute) {
  TIntegral out;
  if (a == b) return out;
  Extended absSum = 0;  // the integral of |f| as the pieces have it
  // What is asked, but no less than what rounding leaves of an integral near 0.
  const auto tolerance = [&](Extended value) {
    return std::max({absolute, relative * fabsl(value), 100 * kEps * absSum});
  };
  try {
    std::vector<TPiece> pieces{Rule(f, a, b, out.evaluations)};
    const TPiece& whole = pieces[0];
    Extended sum = whole.area, errors = whole.error;
    absSum = whole.absArea;
    const Extended absArea = whole.absArea;
    // The integrand keeps one sign (or nearly): then a sum far below the integral of |f| is
    // no sign of divergence.
    const bool oneSign = fabsl(whole.area) >= (1 - 50 * kEps) * whole.absArea;
    out.value = sum;
    out.error = errors;
    if (errors <= tolerance(sum) || errors == 0) return out;

    TExtrapolation extrapolation;
    Extended limit = 0, limitError = kHuge, correction = 0;
    Extended dummy = 0, dummyError = 0;
    extrapolation.Add(sum, dummy, dummyError);
    Extended small = fabsl(b - a) * 0.375L;  // pieces at most this wide are near a singularity
    bool largeFirst = false;                 // bisect the wide pieces before extrapolating
    bool roundoffNearLimit = false, stalled = false;
    int stalls = 0;                // extrapolations in a row that brought nothing better
    std::vector<Extended> recent;  // the last estimates of the limit
    int roundoff1 = 0, roundoff2 = 0, roundoff3 = 0;
    const auto width = [](const TPiece& p) { return fabsl(p.b - p.a); };
    while (pieces.size() < kMaxPieces) {
      // The piece with the largest error, among the wide ones while they come first.
      std::size_t worst = pieces.size();
      for (std::size_t i = 0; i < pieces.size(); ++i)
        if ((!largeFirst || width(pieces[i]) > small) &&
            (worst == pieces.size() || pieces[i].error > pieces[worst].error))
          worst = i;
      if (worst == pieces.size()) {
        largeFirst = false;
        continue;
      }
      const TPiece old = pieces[worst];
      const Extended middle = old.a + (old.b - old.a) / 2;
      const TPiece left = Rule(f, old.a, middle, out.evaluations), right = Rule(f, middle, old.b, out.evaluations);
      const Extended area12 = left.area + right.area, error12 = left.error + right.error;
      sum += area12 - old.area;
      errors += error12 - old.error;
      absSum += left.absArea + right.absArea - old.absArea;
      // Rounding shows as bisections that no longer lower the error.
      if (left.absArea != left.error && right.absArea != right.error) {
        if (fabsl(old.area - area12) <= 1e-5L * fabsl(area12) && error12 >= 0.99L * old.error)
          ++(extrapolation.Terms() > 1 ? roundoff2 : roundoff1);
        if (pieces.size() > 10 && error12 > old.error) ++roundoff3;
      }
      pieces[worst] = left;
      pieces.push_back(right);
      if (errors <= tolerance(sum)) {
        limitError = kHuge;
        break;
      }
      if (roundoff1 + roundoff2 >= 10 || roundoff3 >= 20) break;
      if (roundoff2 >= 5) roundoffNearLimit = true;
      // Pieces that can not be halved any more: the integrand is not integrable there.
      if (std::max(fabsl(old.a), fabsl(old.b)) <= (1 + 100 * kEps) * (fabsl(middle) + 1000 * LDBL_MIN)) break;
      Extended largeErrors = 0;
      bool widestIsLarge = false;
      std::size_t next = 0;
      for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (width(pieces[i]) > small) largeErrors += pieces[i].error;
        if (pieces[i].error > pieces[next].error) next = i;
      }
      widestIsLarge = width(pieces[next]) > small;
      if (!largeFirst && widestIsLarge) continue;  // no singularity to close in on yet
      if (!roundoffNearLimit && largeErrors > tolerance(limitError < kHuge ? limit : sum)) {
        largeFirst = std::any_of(pieces.begin(), pieces.end(), [&](const TPiece& p) { return width(p) > small; });
        if (largeFirst) continue;
      }
      // Every wide piece is good enough: the error sits near the singularity. Extrapolate.
      Extended estimate = 0, estimateError = kHuge;
      extrapolation.Add(sum, estimate, estimateError);
      recent.push_back(estimate);
      if (recent.size() > 6) recent.erase(recent.begin());
      // Estimates no better for a while, far below the pieces' errors: the table is down to
      // what rounding leaves of the sums.
      if (++stalls > 5 && limitError < 1e-3L * errors) stalled = true;
      if (estimateError < limitError) {
        stalls = 0;
        limit = estimate;
        limitError = estimateError;
        correction = largeErrors;
        if (limitError <= tolerance(limit)) break;
      }
      if (stalled) break;
      largeFirst = false;
      small /= 2;
    }
    // The sum of the pieces or the extrapolated limit, whichever is the better estimate.
    Extended pieceSum = 0;
    for (const TPiece& p : pieces) pieceSum += p.area;
    bool useLimit = limitError < kHuge;
    // Stalled, the best estimate is as good as its scatter: a diverging sum takes them far
    // apart, rounding keeps them close.
    if (useLimit && stalled)
      for (const Extended e : recent) limitError = std::max(limitError, fabsl(e - limit));
    if (useLimit && roundoffNearLimit) limitError += correction;
    if (useLimit && limit != 0 && pieceSum != 0 && limitError / fabsl(limit) > errors / fabsl(pieceSum))
      useLimit = false;
    if (useLimit && (limit == 0 || pieceSum == 0) && limitError > errors) useLimit = false;
    out.value = useLimit ? limit : pieceSum;
    out.error = useLimit ? limitError : errors;
    // A limit far from the sum of the pieces, or pieces whose errors exceed their sum: the
    // integral grows without bound.
    if (useLimit && !(oneSign && std::max(fabsl(limit), fabsl(pieceSum)) <= absArea * 0.01L)) {
      const Extended ratio = limit / pieceSum;
      if (ratio < 0.01L || ratio > 100 || errors > fabsl(pieceSum)) out.status = TIntegral::Divergent;
    }
    if (out.status == TIntegral::Converged && out.error > tolerance(out.value)) out.status = TIntegral::Inaccurate;
    // Far from the accuracy asked: the integral grows without bound, or converges too slowly
    // to be told from one that does.
    if (out.status == TIntegral::Inaccurate && out.error > 1e-6L * std::max(fabsl(out.value), absSum))
      out.status = TIntegral::Divergent;
  } catch (const TNoValue& at) {
    out.status = TIntegral::Undefined;
    out.where = at.x;
    out.errorCode = at.code;
  }
  return out;
}

}  // namespace plotix
