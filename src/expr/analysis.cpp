#include "expr/analysis.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "expr/function_library.h"

namespace plotix {

namespace {

constexpr int kSamples = 1000;  // intervals the range is cut into before closing in
// What is left of a sign change's values once closed in on: a continuous crossing keeps
// less than this part of its samples' size, a jump or pole more.
constexpr Extended kShrink = 0x1p-32L;
constexpr Extended kUnit = 0x1p-63L;  // a unit in the last place, relative
constexpr Extended kHuge = LDBL_MAX;

// A sampled quantity: its value at x, or false where it is undefined.
using TQuantity = std::function<bool(Extended x, Extended& value)>;

int SignOf(Extended v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

// Closes in on a change of sign between lo (value vlo) and hi (a value of the other sign)
// until they are neighbouring numbers, or a point where the quantity is 0 or undefined is
// met: then lo and hi are that point and `undefined` tells which. Steps of false position
// whose retained end's value is halved each time it stays (the Illinois rule) close in
// within a few steps on a smooth crossing; a step that gains less than half falls back on
// halving, so a jump or pole is closed in on as fast as by bisection.
// jumps: a change above this size is given up once the ends are within 2^-50 of each other,
// relatively: a crossing without a jump would have left far less by then.
void CloseIn(Extended& lo, Extended& hi, Extended vlo, Extended vhi, const TQuantity& at, bool& undefined,
             Extended jumps = kHuge) {
  undefined = false;
  int kept = 0;  // which end stayed last: -1 lo, +1 hi
  bool halve = false;
  for (int step = 0; step < 20000; ++step) {
    Extended x = lo + (hi - lo) / 2;
    if (!(x > lo && x < hi)) return;
    if (lo < 0 && hi > 0) {
      x = 0;  // a crossing at 0 exactly is common, and steps towards it would never end
    } else if (!halve && vlo != vhi) {
      const Extended t = lo - vlo * (hi - lo) / (vhi - vlo);
      if (t > lo && t < hi) x = t;
    }
    const Extended width = hi - lo;
    Extended v = 0;
    const bool defined = at(x, v);
    if (!defined || v == 0) {
      undefined = !defined;
      lo = hi = x;
      return;
    }
    if (SignOf(v) == SignOf(vlo)) {
      lo = x, vlo = v;
      if (kept == 1) vhi /= 2;
      kept = 1;
    } else {
      hi = x, vhi = v;
      if (kept == -1) vlo /= 2;
      kept = -1;
    }
    halve = !halve && hi - lo > width / 2;
    if (std::min(fabsl(vlo), fabsl(vhi)) > jumps && hi - lo <= 0x1p-50L * std::max(fabsl(lo), fabsl(hi))) return;
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
  error_ = evaluator_.Evaluate(program_, values_.data(), y);
  return error_ == meNone;
}

bool TFunctionOfX::Slopes(Extended x, TJet& jet) {
  values_[std::size_t(slot_)] = x;
  error_ = EvaluateJet(program_, values_.data(), slot_, jet);
  return error_ == meNone;
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

TFunctionOfX TFunctionOfX::Minus(const TFunctionOfX& g) const {
  return TFunctionOfX(Difference(program_.Program(), g.program_.Program()), values_, slot_);
}

TFunctionOfX FunctionOfFirstVariable(const TMathFunction& f) {
  return FunctionOfFirstVariable(f, f.Prepared()->Program());
}

TFunctionOfX FunctionOfFirstVariable(const TMathFunction& f, TMathProgram program) {
  TMathFunction copy = f;  // Value() is the evaluation state, which a const function keeps
  std::vector<Extended> values;
  for (int i = 0; i < copy.VariableCount(); ++i) values.push_back(copy.Value(i));
  return TFunctionOfX(std::move(program), std::move(values), 0);
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

// Where f' changes sign: each point closed in on, the smaller |f'| of its ends taken, or the
// point where f' is 0 or undefined, where f' came near 0 (a smooth extremum) or stayed large
// but bounded with f continuous (a kink). Poles and jumps are left out.
struct TTurn {
  Extended x;
  bool falling;  // f' went from + to -: a maximum
};
// nearZero: only the turns that may touch 0, where the samples' parabola comes near it.
std::vector<TTurn> Turns(TFunctionOfX& f, const TSamples& values, bool nearZero = false) {
  // Slopes only where the samples show a turn: at a sampled peak or valley and its two
  // neighbours, and at the two ends, whose turns no peak of the samples shows.
  const int n = int(values.x.size());
  std::vector<int> signs(std::size_t(n), 2);  // 2: not worked out yet, 3: no slope there
  std::vector<Extended> slopes(std::size_t(n), 0);
  const auto slopeSign = [&](int i) {
    int& s = signs[std::size_t(i)];
    if (s == 2) {
      TJet jet;
      s = f.Slopes(values.x[std::size_t(i)], jet) ? SignOf(jet.d1) : 3;
      slopes[std::size_t(i)] = jet.d1;
    }
    return s;
  };
  const auto changes = [&](int i, int j) {
    const int si = slopeSign(i), sj = slopeSign(j);
    return si != 3 && sj != 3 && si * sj < 0;
  };
  std::vector<std::pair<int, int>> brackets;
  const auto ok = [&](int i) { return bool(values.ok[std::size_t(i)]); };
  for (int i = 1; i + 1 < n; ++i) {
    if (!ok(i - 1) || !ok(i) || !ok(i + 1)) continue;
    const Extended before = values.v[std::size_t(i - 1)], v = values.v[std::size_t(i)],
                   after = values.v[std::size_t(i + 1)];
    if (!((v > before && v >= after) || (v < before && v <= after))) continue;
    if (nearZero) {
      const Extended slope = (after - before) / 2, bend = (after - 2 * v + before) / 2;
      if (SignOf(before) * SignOf(v) <= 0 || SignOf(v) * SignOf(after) <= 0 || fabsl(v) > fabsl(before) ||
          fabsl(v) > fabsl(after) || bend == 0 ||
          fabsl(v - slope * slope / (4 * bend)) > 0.25L * std::max(fabsl(before), fabsl(after)))
        continue;
    }
    if (changes(i - 1, i + 1))
      brackets.emplace_back(i - 1, i + 1);
    else if (changes(i - 1, i))
      brackets.emplace_back(i - 1, i);
    else if (changes(i, i + 1))
      brackets.emplace_back(i, i + 1);
  }
  for (const int i : {0, n - 2})
    if (!nearZero && i >= 0 && ok(i) && ok(i + 1) && changes(i, i + 1)) brackets.emplace_back(i, i + 1);
  std::sort(brackets.begin(), brackets.end());
  brackets.erase(std::unique(brackets.begin(), brackets.end()), brackets.end());

  std::vector<TTurn> turns;
  const TQuantity slope = [&f](Extended x, Extended& v) {
    TJet jet;
    if (!f.Slopes(x, jet)) return false;
    v = jet.d1;
    return true;
  };
  for (const auto& [i, j] : brackets) {
    Extended lo = values.x[std::size_t(i)], hi = values.x[std::size_t(j)];
    const int s = slopeSign(i);
    bool undefined = false;
    CloseIn(lo, hi, slopes[std::size_t(i)], slopes[std::size_t(j)], slope, undefined);
    const Extended sampled = std::max(fabsl(slopes[std::size_t(i)]), fabsl(slopes[std::size_t(j)]));
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
  const TQuantity zeroSide = [&f](Extended x, Extended& side) {
    Extended y = 0;
    side = f.Value(x, y) && y == 0 ? -1 : 1;
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
      CloseIn(lo, z.x, 1, -1, zeroSide, undefined);
    }
    if (k > i && k < kSamples) {
      Extended hi = s.x[std::size_t(k + 1)];
      CloseIn(z.to, hi, -1, 1, zeroSide, undefined);
    }
    zeros.push_back(z);
    i = k + 1;
  }
  // Changes of sign that are continuous.
  const TQuantity value = [&f](Extended x, Extended& y) { return f.Value(x, y); };
  for (const auto& [i, j] : SignChanges(s)) {
    if (j != i + 1) continue;  // across a sample at 0, which is a zero already
    Extended lo = s.x[std::size_t(i)], hi = s.x[std::size_t(j)];
    bool undefined = false;
    const Extended sampled = std::max(fabsl(s.v[std::size_t(i)]), fabsl(s.v[std::size_t(j)]));
    CloseIn(lo, hi, s.v[std::size_t(i)], s.v[std::size_t(j)], value, undefined, kShrink * sampled);
    if (undefined) continue;
    if (lo == hi) {
      zeros.push_back({lo, lo});
      continue;
    }
    Extended yl = 0, yh = 0;
    if (!f.Value(lo, yl) || !f.Value(hi, yh)) continue;
    const Extended left = std::min(fabsl(yl), fabsl(yh));
    if (left > kShrink * sampled) continue;
    const Extended x = fabsl(yh) < fabsl(yl) ? hi : lo;
    zeros.push_back({x, x});
  }
  // Where f touches 0: a turn of f at which f is 0 within the rounding of its terms.
  for (const TTurn& t : Turns(f, s, true)) {
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
  for (const TTurn& t : Turns(f, SampleValues(f, a, b))) {
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

TIntegral IntegrateFunction(TFunctionOfX& f, Extended a, Extended b) {
  return Integrate(
      [&f](Extended x, Extended& y, int& error) {
        if (f.Value(x, y)) return true;
        error = f.ErrorCode();
        return false;
      },
      a, b);
}

TFunctionPoints FindPoints(TFunctionOfX& f, Extended a, Extended b, bool zeros, bool extrema,
                           const std::vector<TNamedFunction>& others) {
  TFunctionPoints out;
  if (zeros) {
    const TPoints<TZero> found = FindZeros(f, a, b);
    for (const TZero& z : found.points)
      out.rows.push_back({z.to == z.x ? TFunctionPoint::Zero : TFunctionPoint::ZeroInterval, z.x, 0, z.to, {}});
    out.more |= found.more;
  }
  if (extrema) {
    const TPoints<TExtremum> found = FindExtrema(f, a, b);
    for (const TExtremum& e : found.points)
      out.rows.push_back({e.maximum ? TFunctionPoint::Maximum : TFunctionPoint::Minimum, e.x, e.y, e.x, {}});
    out.more |= found.more;
  }
  for (const TNamedFunction& g : others) {
    TFunctionOfX difference = f.Minus(g.f);
    const TPoints<TZero> meets = FindZeros(difference, a, b);
    out.more |= meets.more;
    for (const TZero& z : meets.points) {
      Extended y = 0;
      if (f.Value(z.x, y)) out.rows.push_back({TFunctionPoint::Intersection, z.x, y, z.to, g.name});
    }
  }
  std::stable_sort(out.rows.begin(), out.rows.end(),
                   [](const TFunctionPoint& p, const TFunctionPoint& q) { return p.x < q.x; });
  return out;
}

}  // namespace plotix
