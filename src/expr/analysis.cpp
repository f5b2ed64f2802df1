#include "expr/analysis.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "expr/function_library.h"

namespace plotix {

namespace {

constexpr int kSamples = 2000;  // intervals the range is cut into before closing in
// What is left of a sign change's values once closed in on: a continuous crossing keeps
// less than this part of its samples' size, a jump or pole more.
constexpr Extended kShrink = 0x1p-32L;
constexpr Extended kUnit = 0x1p-63L;  // a unit in the last place, relative

// A sampled quantity: its sign at x (-1, 0, +1), or false where it is undefined.
using TSign = std::function<bool(Extended x, int& sign)>;

int SignOf(Extended v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

// Closes in on a change of sign between lo (sign s) and hi (the other sign) until they are
// neighbouring numbers, or a point where the quantity is 0 or undefined is met: then lo and
// hi are that point and `undefined` tells which.
void CloseIn(Extended& lo, Extended& hi, int s, const TSign& sign, bool& undefined) {
  undefined = false;
  for (int step = 0; step < 20000; ++step) {
    const Extended mid = lo + (hi - lo) / 2;
    if (!(mid > lo && mid < hi)) return;
    int m = 0;
    const bool defined = sign(mid, m);
    if (!defined || m == 0) {
      undefined = !defined;
      lo = hi = mid;
      return;
    }
    (m == s ? lo : hi) = mid;
  }
}

struct TSamples {
  std::vector<Extended> x, v;
  std::vector<bool> ok;
};

// The sign changes of the samples (across one sample at 0 or undefined, too), each as the
// two samples around it.
std::vector<std::pair<int, int>> SignChanges(const TSamples& s) {
  std::vector<std::pair<int, int>> changes;
  for (int i = 0; i + 1 < int(s.x.size()); ++i) {
    if (!s.ok[i] || s.v[i] == 0) continue;
    int j = i + 1;
    if ((!s.ok[j] || s.v[j] == 0) && j + 1 < int(s.x.size())) ++j;
    if (s.ok[j] && SignOf(s.v[i]) * SignOf(s.v[j]) < 0) changes.emplace_back(i, j);
  }
  return changes;
}

Extended Ulps(Extended x, int n) { return n * kUnit * fabsl(x); }

}  // namespace

TFunctionOfX::TFunctionOfX(TMathProgram program, std::vector<Extended> values, int slot)
    : program_(std::move(program)), values_(std::move(values)), slot_(slot) {
  values_.resize(std::max<std::size_t>(values_.size(), std::size_t(program_.Program().VariableSlots())));
}

bool TFunctionOfX::Value(Extended x, Extended& y) {
  values_[std::size_t(slot_)] = x;
  return evaluator_.Evaluate(program_, values_.data(), y) == meNone;
}

bool TFunctionOfX::Slopes(Extended x, TJet& jet) {
  values_[std::size_t(slot_)] = x;
  return EvaluateJet(program_.Program(), values_.data(), slot_, jet, CurrentTrigFixup()) == meNone;
}

Extended TFunctionOfX::TermSize(Extended x) {
  values_[std::size_t(slot_)] = x;
  const TTrigFixup& trig = CurrentTrigFixup();
  std::vector<Extended> stack(std::size_t(program_.Program().StackDepth()) + 1);
  int depth = 0;
  Extended size = 0;
  for (const TPostFixRec& r : program_.Program()) {
    if (IsOperand(r.code))
      stack[std::size_t(depth++)] = r.code == mcNumber ? r.value : values_[std::size_t(r.varIndex)];
    else if (CheckedStep(r.code, stack.data(), depth, trig))
      break;
    size = std::max(size, fabsl(stack[std::size_t(depth - 1)]));
  }
  return size;
}

TMathProgram Difference(const TMathProgram& f, const TMathProgram& g) {
  TMathPostFixArray records = f.Records();
  records.insert(records.end(), g.begin(), g.end());
  records.push_back({mcSub, 0, 0, 0});
  return TMathProgram(std::move(records));
}

namespace {

TSamples SampleValues(TFunctionOfX& f, Extended a, Extended b) {
  TSamples s;
  for (int i = 0; i <= kSamples; ++i) {
    const Extended x = i == kSamples ? b : a + (b - a) * i / kSamples;
    Extended y = 0;
    s.x.push_back(x);
    s.ok.push_back(f.Value(x, y));
    s.v.push_back(y);
  }
  return s;
}

TSamples SampleSlopes(TFunctionOfX& f, const TSamples& values) {
  TSamples s{values.x, {}, {}};
  for (const Extended x : values.x) {
    TJet jet;
    s.ok.push_back(f.Slopes(x, jet));
    s.v.push_back(jet.d1);
  }
  return s;
}

// Where f' changes sign: each point closed in on, the smaller |f'| of its ends taken, or the
// point where f' is 0 or undefined; with whether f' came near 0 there (a smooth extremum)
// or stayed large but bounded with f continuous (a kink). Poles and jumps are left out.
struct TTurn {
  Extended x;
  bool falling;  // f' went from + to -: a maximum
};
std::vector<TTurn> Turns(TFunctionOfX& f, const TSamples& slopes) {
  std::vector<TTurn> turns;
  const TSign sign = [&f](Extended x, int& s) {
    TJet jet;
    if (!f.Slopes(x, jet)) return false;
    s = SignOf(jet.d1);
    return true;
  };
  for (const auto& [i, j] : SignChanges(slopes)) {
    Extended lo = slopes.x[std::size_t(i)], hi = slopes.x[std::size_t(j)];
    const int s = SignOf(slopes.v[std::size_t(i)]);
    bool undefined = false;
    CloseIn(lo, hi, s, sign, undefined);
    const Extended sampled = std::max(fabsl(slopes.v[std::size_t(i)]), fabsl(slopes.v[std::size_t(j)]));
    TJet jl, jh;
    Extended x = lo;
    if (lo != hi && f.Slopes(lo, jl) && f.Slopes(hi, jh)) {
      x = fabsl(jh.d1) < fabsl(jl.d1) ? hi : lo;
      const Extended left = std::min(fabsl(jl.d1), fabsl(jh.d1));
      if (left > kShrink * sampled) {
        // A kink: f' bounded and f continuous across it.
        Extended yl = 0, yh = 0;
        if (std::max(fabsl(jl.d1), fabsl(jh.d1)) > 1024 * sampled || !f.Value(lo, yl) || !f.Value(hi, yh) ||
            fabsl(yh - yl) > 16 * kUnit * std::max(f.TermSize(lo), f.TermSize(hi)))
          continue;
      }
    } else if (undefined) {
      // f' has no value at the point itself: a kink when f has one and is continuous there.
      Extended y = 0, yl = 0, yh = 0;
      const Extended step = std::max(Ulps(x, 4), Extended(LDBL_TRUE_MIN));
      if (!f.Value(x, y) || !f.Value(x - step, yl) || !f.Value(x + step, yh) ||
          std::max(fabsl(y - yl), fabsl(y - yh)) > 16 * kUnit * f.TermSize(x) + 4 * sampled * step)
        continue;
    }
    turns.push_back({x, s > 0});
  }
  return turns;
}

}  // namespace

TPoints<TZero> FindZeros(TFunctionOfX& f, Extended a, Extended b) {
  TPoints<TZero> out;
  const TSamples s = SampleValues(f, a, b);
  std::vector<TZero> zeros;
  // -1 where f is 0, +1 elsewhere: what closes in on an interval's ends.
  const TSign zeroSide = [&f](Extended x, int& sign) {
    Extended y = 0;
    sign = f.Value(x, y) && y == 0 ? -1 : 1;
    return true;
  };
  // Samples at exactly 0: alone a point, in a run an interval whose ends are closed in on.
  for (int i = 0; i <= kSamples;) {
    if (!s.ok[std::size_t(i)] || s.v[std::size_t(i)] != 0) {
      ++i;
      continue;
    }
    int k = i;
    while (k < kSamples && s.ok[std::size_t(k + 1)] && s.v[std::size_t(k + 1)] == 0) ++k;
    TZero z{s.x[std::size_t(i)], s.x[std::size_t(k)]};
    bool undefined = false;
    if (k > i && i > 0) {
      Extended lo = s.x[std::size_t(i - 1)];
      CloseIn(lo, z.x, 1, zeroSide, undefined);
    }
    if (k > i && k < kSamples) {
      Extended hi = s.x[std::size_t(k + 1)];
      CloseIn(z.to, hi, -1, zeroSide, undefined);
    }
    zeros.push_back(z);
    i = k + 1;
  }
  // Changes of sign that are continuous.
  const TSign sign = [&f](Extended x, int& result) {
    Extended y = 0;
    if (!f.Value(x, y)) return false;
    result = SignOf(y);
    return true;
  };
  for (const auto& [i, j] : SignChanges(s)) {
    if (j != i + 1) continue;  // across a sample at 0, which is a zero already
    Extended lo = s.x[std::size_t(i)], hi = s.x[std::size_t(j)];
    bool undefined = false;
    CloseIn(lo, hi, SignOf(s.v[std::size_t(i)]), sign, undefined);
    if (undefined) continue;
    if (lo == hi) {
      zeros.push_back({lo, lo});
      continue;
    }
    Extended yl = 0, yh = 0;
    if (!f.Value(lo, yl) || !f.Value(hi, yh)) continue;
    const Extended left = std::min(fabsl(yl), fabsl(yh));
    if (left > kShrink * std::max(fabsl(s.v[std::size_t(i)]), fabsl(s.v[std::size_t(j)]))) continue;
    const Extended x = fabsl(yh) < fabsl(yl) ? hi : lo;
    zeros.push_back({x, x});
  }
  // Where f touches 0: a turn of f at which f is 0 within the rounding of its terms.
  for (const TTurn& t : Turns(f, SampleSlopes(f, s))) {
    Extended y = 0;
    if (!f.Value(t.x, y) || fabsl(y) > 16 * kUnit * f.TermSize(t.x)) continue;
    const bool known = std::any_of(zeros.begin(), zeros.end(), [&](const TZero& z) {
      return t.x >= z.x - Ulps(z.x, 16) && t.x <= z.to + Ulps(z.to, 16);
    });
    if (!known) zeros.push_back({t.x, t.x});
  }
  std::sort(zeros.begin(), zeros.end(), [](const TZero& p, const TZero& q) { return p.x < q.x; });
  out.more = zeros.size() > kMaxAnalysisPoints;
  if (out.more) zeros.resize(kMaxAnalysisPoints);
  out.points = std::move(zeros);
  return out;
}

TPoints<TExtremum> FindExtrema(TFunctionOfX& f, Extended a, Extended b) {
  TPoints<TExtremum> out;
  for (const TTurn& t : Turns(f, SampleSlopes(f, SampleValues(f, a, b)))) {
    Extended y = 0;
    if (!(t.x > a && t.x < b) || !f.Value(t.x, y)) continue;
    if (out.points.size() == kMaxAnalysisPoints) {
      out.more = true;
      break;
    }
    out.points.push_back({t.x, y, t.falling});
  }
  return out;
}

}  // namespace plotix
