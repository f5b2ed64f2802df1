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

bool TFunctionOfX::Derivative(Extended x, int order, TDerivative& d) {
  values_[std::size_t(slot_)] = x;
  error_ = EvaluateDerivative(program_, values_.data(), slot_, order, d);
  return error_ == meNone;
}

Extended TFunctionOfX::Rounding(Extended x) {
  values_[std::size_t(slot_)] = x;
  Extended y = 0, bound = 0;
  return EvaluateRounding(program_, values_.data(), y, bound) == meNone ? bound : kHuge;
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

// Whether f comes to its value y at `end` from `start` continuously: over steps each 2^16
// times shorter its changes shrink (or stay within `rounding`, where that is below the first
// change: near a pole rounding is all there is), as they do towards a kink or a cusp, rather
// than grow as towards a pole or a jump. last: its change over the last step.
bool Approaches(TFunctionOfX& f, Extended start, Extended end, Extended y, Extended rounding, Extended& last) {
  Extended before = 0, change = kHuge, first = kHuge, distance = end - start;
  if (!f.Value(start, before)) return false;
  for (;;) {
    distance /= 65536;
    const Extended x = end - distance;
    const bool there = x == end || distance == 0;
    Extended v = y;
    if (!there && !f.Value(x, v)) return false;
    const Extended next = fabsl(v - before);
    if (first == kHuge) first = next;
    if (next > std::max(change, std::min(rounding, first))) return false;
    if (there) {
      last = next;
      return true;
    }
    change = next, before = v;
  }
}

// Whether f is continuous across [lo, hi] (a point, or neighbouring numbers) seen from the
// samples `from` below and `to` above: it comes continuously to lo and to hi and moves
// across no more than over the last steps there, or than its rounding.
bool Continuous(TFunctionOfX& f, Extended from, Extended lo, Extended hi, Extended to) {
  Extended ylo = 0, yhi = 0, lastLo = 0, lastHi = 0;
  if (!f.Value(lo, ylo) || !f.Value(hi, yhi)) return false;
  const Extended rounding = 16 * std::max(f.Rounding(lo), f.Rounding(hi));
  return Approaches(f, from, lo, ylo, rounding, lastLo) && Approaches(f, to, hi, yhi, rounding, lastHi) &&
         fabsl(yhi - ylo) <= 2 * std::max(lastLo, lastHi) + rounding;
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
    const bool ends = lo != hi && f.Slopes(lo, jl) && f.Slopes(hi, jh);
    const Extended x = ends && fabsl(jh.d1) < fabsl(jl.d1) ? hi : lo;
    // f' came near 0, or is 0 at the point: a smooth extremum.
    const bool smooth = ends ? std::min(fabsl(jl.d1), fabsl(jh.d1)) <= kShrink * sampled : lo == hi && !undefined;
    // Elsewhere f' stays large or has no value: a kink or a cusp where f is continuous, or
    // a pole or jump where it is not.
    if (!smooth && !Continuous(f, values.x[std::size_t(i)], lo, hi, values.x[std::size_t(j)])) continue;
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
  // A change of sign between lo and hi that is continuous: what is left of |f| once closed
  // in on shrinks as a crossing's does, or lies within f's rounding of 0 (a crossing far
  // below the samples' size, a staircase of rounding: the zero is where the computed sign
  // changes), not as across a pole or a jump.
  const TQuantity value = [&f](Extended x, Extended& y) { return f.Value(x, y); };
  const auto crossing = [&](Extended lo, Extended hi, Extended vlo, Extended vhi) {
    bool undefined = false;
    const Extended sampled = std::max(fabsl(vlo), fabsl(vhi));
    CloseIn(lo, hi, vlo, vhi, value, undefined, kShrink * sampled);
    if (undefined) return;
    // The ends closed in on are points where f has values.
    Extended yl = 0, yh = 0;
    f.Value(lo, yl);
    f.Value(hi, yh);
    if (std::min(fabsl(yl), fabsl(yh)) > kShrink * sampled) {
      if (std::max(fabsl(yl), fabsl(yh)) > 16 * std::max(f.Rounding(lo), f.Rounding(hi))) return;
      CloseIn(lo, hi, yl, yh, value, undefined);
      if (undefined) return;
      f.Value(lo, yl);
      f.Value(hi, yh);
    }
    const Extended x = fabsl(yh) < fabsl(yl) ? hi : lo;
    zeros.push_back({x, x});
  };
  for (std::size_t i = 0; i < kSamples; ++i)
    if (s.ok[i] && s.ok[i + 1] && SignOf(s.v[i]) * SignOf(s.v[i + 1]) < 0)
      crossing(s.x[i], s.x[i + 1], s.v[i], s.v[i + 1]);
  // A turn of f near 0 between samples of one sign: f touches 0 there when it is 0 within
  // its rounding (a double root between two numbers leaves no more); it crosses 0 twice when
  // it passes to the other sign (two roots closer than the samples).
  for (const TTurn& t : Turns(f, s, true)) {
    Extended y = 0;
    const bool known = std::any_of(zeros.begin(), zeros.end(), [&](const TZero& z) {
      return t.x >= z.x - Ulps(z.x, 16) && t.x <= z.to + Ulps(z.to, 16);
    });
    if (known || !f.Value(t.x, y)) continue;
    if (fabsl(y) <= 16 * f.Rounding(t.x)) {
      zeros.push_back({t.x, t.x});
      continue;
    }
    const std::size_t j = std::size_t(std::upper_bound(s.x.begin(), s.x.end(), t.x) - s.x.begin());
    if (j == 0 || j >= s.x.size() || !s.ok[j - 1] || !s.ok[j]) continue;
    if (SignOf(y) * SignOf(s.v[j - 1]) < 0 && SignOf(y) * SignOf(s.v[j]) < 0) {
      crossing(s.x[j - 1], t.x, s.v[j - 1], y);
      crossing(t.x, s.x[j], y, s.v[j]);
    }
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
