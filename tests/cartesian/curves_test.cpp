// Parametric and implicit curves against a dense tracing of the true curve made here:
// every drawn point lies near it, and every visible point of it near the drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>

#include "cartesian/implicit_curve.h"
#include "cartesian/parametric_curve.h"

namespace plotix {
namespace {

using TPoints = std::vector<TCurvePoint>;
using TGraphCurve = std::function<std::pair<Extended, Extended>(Extended t)>;  // graph units
using TPiece = std::tuple<TGraphCurve, Extended, Extended>;
constexpr Extended kPi = 3.14159265358979323846264338327950288L;

Extended Distance(TCurvePoint a, TCurvePoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The curve's points over [t0, t1] in bitmap pixels, a quarter pixel apart.
void Trace(const TGraphCurve& c, const TMapping2D& m, Extended t0, Extended t1, TPoints& out, int depth = 0) {
  const auto [x0, y0] = c(t0);
  const auto [x1, y1] = c(t1);
  if (depth < 40 && Distance(BitmapPoint(m, x0, y0), BitmapPoint(m, x1, y1)) > 0.25L) {
    Trace(c, m, t0, (t0 + t1) / 2, out, depth + 1);
    Trace(c, m, (t0 + t1) / 2, t1, out, depth + 1);
  } else {
    out.push_back(BitmapPoint(m, x0, y0));
  }
}

TPoints Truth(const std::vector<TPiece>& pieces, const TMapping2D& m) {
  TPoints out;
  for (const auto& [c, t0, t1] : pieces)
    for (int k = 0; k < 64; ++k) Trace(c, m, t0 + (t1 - t0) * k / 64, t0 + (t1 - t0) * (k + 1) / 64, out);
  return out;
}

// The polylines' points, with points between them a quarter pixel apart.
TPoints Drawn(const TCurvePath& path) {
  TPoints out;
  for (const TCurvePolyline& line : path)
    for (std::size_t i = 0; i < line.size(); ++i) {
      const int steps = i + 1 < line.size() ? static_cast<int>(std::ceil(4 * Distance(line[i], line[i + 1]))) : 1;
      for (int k = 0; k < steps; ++k)
        out.push_back({line[i].x + (line[(i + 1) % line.size()].x - line[i].x) * k / steps,
                       line[i].y + (line[(i + 1) % line.size()].y - line[i].y) * k / steps});
    }
  return out;
}

// The farthest the pixel of any point of `from` a pixel or more inside the bitmap lies from
// the nearest point of `to`, in pixels along x or y; 9 where none is within 2 pixels.
Extended Farthest(const TPoints& from, const TPoints& to, const TMapping2D& m) {
  const auto cell = [&](Extended x, Extended y) {
    return x >= 0 && y >= 0 && x < m.width && y < m.height ? int(y) * m.width + int(x) : -1;
  };
  std::vector<int> first(m.width * m.height + 1);  // `to` sorted by cell: cell c holds [first[c], first[c + 1])
  for (const TCurvePoint& p : to)
    if (cell(p.x, p.y) >= 0) ++first[cell(p.x, p.y) + 1];
  for (std::size_t c = 1; c < first.size(); ++c) first[c] += first[c - 1];
  std::vector<TCurvePoint> sorted(first.back());
  std::vector<int> fill(first.begin(), first.end() - 1);
  for (const TCurvePoint& p : to)
    if (cell(p.x, p.y) >= 0) sorted[fill[cell(p.x, p.y)]++] = p;
  Extended worst = 0;
  for (const TCurvePoint& p : from) {
    const int px = RoundToPixel(p.x), py = RoundToPixel(p.y);
    if (px < 1 || py < 1 || px > m.width - 2 || py > m.height - 2) continue;
    Extended best = 9;
    for (int y = py - 2; y <= py + 2; ++y)
      for (int x = px - 2; x <= px + 2; ++x)
        for (int k = cell(x, y) < 0 ? 0 : first[cell(x, y)]; cell(x, y) >= 0 && k < first[cell(x, y) + 1]; ++k)
          best = std::min(best, fmaxl(fabsl(px - sorted[k].x), fabsl(py - sorted[k].y)));
    worst = std::max(worst, best);
  }
  return worst;
}

// Every pixel drawn within one of the curve, and every pixel of the curve within one of the
// drawing: no stray lines and no gaps.
void ExpectTraces(const TCurvePath& path, const std::vector<TPiece>& pieces, const TMapping2D& m) {
  const TPoints truth = Truth(pieces, m), drawn = Drawn(path);
  EXPECT_LE(Farthest(drawn, truth, m), 1);
  EXPECT_LE(Farthest(truth, drawn, m), 1);
}

TMapping2D Mapping(int size, Extended zoom = 35, Extended centerX = 0, Extended centerY = 0) {
  return TMapping2D({zoom, zoom, centerX, centerY}, size, size);
}

TGraphCurve Circle(Extended r) {
  return [r](Extended t) { return std::pair{r * cosl(t), r * sinl(t)}; };
}

TGraphCurve Graph(std::function<Extended(Extended)> y, bool swap = false) {
  return [y, swap](Extended t) { return swap ? std::pair{y(t), t} : std::pair{t, y(t)}; };
}

struct TImplicitCase {
  const char* equation;
  std::function<bool(Extended x, Extended y, Extended& f)> f;
  std::vector<TPiece> truth;
  TImplicitStatus status = icDrawn;
  std::size_t pieces = 0;  // polylines, where the count is known
  TMapping2D map = Mapping(500);
};

TEST(ImplicitCurve, DrawsTheZerosOfF) {
  const auto bernoulli = [](Extended t) {  // (x^2+y^2)^2 = 8(x^2-y^2)
    return std::pair{2 * sqrtl(2) * cosl(t) / (1 + sinl(t) * sinl(t)),
                     2 * sqrtl(2) * cosl(t) * sinl(t) / (1 + sinl(t) * sinl(t))};
  };
  const auto folium = [](Extended t) { return std::pair{3 * t / (1 + t * t * t), 3 * t * t / (1 + t * t * t)}; };
  const auto cubic = [](Extended x) { return sqrtl(fmaxl(0, x * x * x - x)); };
  std::vector<TPiece> sinXY;  // x y = pi/6 or 5pi/6 plus whole turns, as y(x) in the view
  for (int k = -4; k <= 4; ++k)
    for (const Extended c : {kPi / 6 + 2 * kPi * k, 5 * kPi / 6 + 2 * kPi * k})
      for (const Extended side : {-1, 1})
        sinXY.push_back({Graph([c](Extended x) { return c / x; }), side * fabsl(c) / 4.5L, side * 4.5L});
  const TImplicitCase cases[] = {
      {"x^2+y^2=4",
       [](Extended x, Extended y, Extended& f) { return f = x * x + y * y - 4, true; },
       {{Circle(2), 0, 2 * kPi}},
       icDrawn,
       1},
      {"(x^2+y^2)^2=8(x^2-y^2)",
       [](Extended x, Extended y, Extended& f) {
         return f = (x * x + y * y) * (x * x + y * y) - 8 * (x * x - y * y), true;
       },
       {{bernoulli, 0, 2 * kPi}},
       icDrawn,
       0,
       Mapping(500, 60, 0.3L, -0.2L)},
      {"x^3+y^3=3xy",
       [](Extended x, Extended y, Extended& f) { return f = x * x * x + y * y * y - 3 * x * y, true; },
       {{folium, -0.87L, 1e4}, {folium, -1e4, -1.13L}}},
      {"x^2=y^2",
       [](Extended x, Extended y, Extended& f) { return f = x * x - y * y, true; },
       {{Graph([](Extended x) { return x; }), -8, 8}, {Graph([](Extended x) { return -x; }), -8, 8}}},
      {"x^2=y^2 off the lattice",
       [](Extended x, Extended y, Extended& f) { return f = x * x - y * y, true; },
       {{Graph([](Extended x) { return x; }), -8, 8}, {Graph([](Extended x) { return -x; }), -8, 8}},
       icDrawn,
       0,
       Mapping(500, 35, 0.37L, 0.21L)},
      {"y^2=x^3-x",
       [](Extended x, Extended y, Extended& f) { return f = y * y - x * x * x + x, true; },
       {{Graph(cubic), -1, 0},
        {Graph([&](Extended x) { return -cubic(x); }), -1, 0},
        {Graph(cubic), 1, 4},
        {Graph([&](Extended x) { return -cubic(x); }), 1, 4}},
       icDrawn,
       2},
      {"sin(xy)=0.5", [](Extended x, Extended y, Extended& f) { return f = sinl(x * y) - 0.5L, true; }, sinXY, icDrawn,
       0, Mapping(300)},
      {"tan(x)=y",
       [](Extended x, Extended y, Extended& f) { return f = tanl(x) - y, true; },
       {{Graph(tanl), -2 * kPi - 1.44L, -2 * kPi + 1.44L},
        {Graph(tanl), -kPi - 1.44L, -kPi + 1.44L},
        {Graph(tanl), -1.44L, 1.44L},
        {Graph(tanl), kPi - 1.44L, kPi + 1.44L},
        {Graph(tanl), 2 * kPi - 1.44L, 2 * kPi + 1.44L}}},
      {"sqrt(x)=sqrt(y)",
       [](Extended x, Extended y, Extended& f) { return x >= 0 && y >= 0 && (f = sqrtl(x) - sqrtl(y), true); },
       {{Graph([](Extended x) { return x; }), 0, 8}},
       icDrawn,
       1,
       Mapping(500, 35, 0.37L, 0.21L)},
      {"1/(x-y)=0",
       [](Extended x, Extended y, Extended& f) { return x != y && (f = 1 / (x - y), true); },
       {},
       icNothingInView},
      {"1/(x-y)=0 off the lattice",
       [](Extended x, Extended y, Extended& f) { return x != y && (f = 1 / (x - y), true); },
       {},
       icNothingInView,
       0,
       Mapping(500, 35, 0.37L, 0.21L)},
      {"x^2+y^2=-1",
       [](Extended x, Extended y, Extended& f) { return f = x * x + y * y + 1, true; },
       {},
       icNothingInView},
      {"sqrt(-1-x^2)=y", [](Extended, Extended, Extended&) { return false; }, {}, icNothingInView},
      {"(x-y)^2=0", [](Extended x, Extended y, Extended& f) { return f = (x - y) * (x - y), true; }, {}, icNotDrawable},
      {"x^2+y^2=0",
       [](Extended x, Extended y, Extended& f) { return f = x * x + y * y, true; },
       {},
       icNotDrawable,
       0,
       Mapping(500, 35, 0.37L, 0.21L)},
  };
  for (const TImplicitCase& c : cases) {
    SCOPED_TRACE(c.equation);
    const TImplicitCurve curve = TraceImplicitCurve(
        [&](std::span<TImplicitSample> batch) {
          for (TImplicitSample& s : batch) s.defined = c.f(s.x, s.y, s.f);
        },
        c.map);
    EXPECT_EQ(curve.Status, c.status);
    if (c.pieces) {
      EXPECT_EQ(curve.Path.size(), c.pieces);
    }
    EXPECT_EQ(curve.Path.empty(), c.truth.empty());
    ExpectTraces(curve.Path, c.truth, c.map);
  }
}

struct TParametricCase {
  const char* curve;
  TGraphCurve xy;  // NaN where undefined
  Extended from, to;
  std::vector<TPiece> truth;
  std::size_t pieces;
  int evaluations;   // at most
  Extended gap = 1;  // the most between neighbouring points
  TMapping2D map = Mapping(500);
};

TEST(ParametricCurve, JoinsPointsAPixelApartAndBreaksAtGapsAndJumps) {
  const TGraphCurve lissajous = [](Extended t) { return std::pair{6 * sinl(3 * t), 6 * sinl(4 * t)}; };
  const TGraphCurve tangent = [](Extended t) { return std::pair{tanl(t), t}; };
  const auto root = [](Extended t) { return sqrtl(t); };
  const auto hole = [](Extended t) { return sqrtl(t * t - 1); };
  // 41 branches 10 pixels apart, 20000 pixels of curve in view: more than 16000 points can close.
  const TGraphCurve comb = [](Extended t) { return std::pair{t / 6.4L - 9.8L, tanl(t)}; };
  std::vector<TPiece> teeth;
  for (int k = 0; k <= 40; ++k)
    teeth.push_back({comb, fmaxl(0, (k - 0.5L) * kPi + 0.08L), fminl(40 * kPi, (k + 0.5L) * kPi - 0.08L)});
  const TParametricCase cases[] = {
      {"2cos t, 2sin t", Circle(2), 0, 2 * kPi, {{Circle(2), 0, 2 * kPi}}, 1, kParametricBaseSamples + 1},
      {"6sin 3t, 6sin 4t", lissajous, 0, 2 * kPi, {{lissajous, 0, 2 * kPi}}, 1, 7000},
      {"3cos t, 3sin t seen closely",
       Circle(3),
       -kPi,
       kPi,
       {{Circle(3), -0.2L, 0.2L}},
       1,
       2000,
       1,
       Mapping(500, 1000, 3000)},
      {"tan t, t",
       tangent,
       0,
       2 * kPi,
       {{tangent, 0, kPi / 2 - 0.1L},
        {tangent, kPi / 2 + 0.1L, 3 * kPi / 2 - 0.1L},
        {tangent, 3 * kPi / 2 + 0.1L, 2 * kPi}},
       3,
       2000},
      {"t/6.4-9.8, tan t", comb, 0, 40 * kPi, teeth, 41, kParametricMaxSamples, 2, Mapping(500, 20)},
      {"t, sqrt t", Graph(root), -2, 2, {{Graph(root), 0, 2}}, 1, 1200},
      {"t, sqrt(t^2-1)", Graph(hole), -3, 3, {{Graph(hole), -3, -1}, {Graph(hole), 1, 3}}, 2, 1200},
  };
  for (const TParametricCase& c : cases) {
    SCOPED_TRACE(c.curve);
    int evaluations = 0;
    const TCurvePath path = TraceParametricCurve(
        [&](std::span<TParametricSample> batch) {
          for (TParametricSample& s : batch) {
            std::tie(s.x, s.y) = c.xy(s.t);
            s.xDefined = !std::isnan(s.x);
            s.yDefined = !std::isnan(s.y);
            ++evaluations;
          }
        },
        c.from, c.to, c.map);
    EXPECT_EQ(path.size(), c.pieces);
    EXPECT_LE(evaluations, c.evaluations);
    Extended gap = 0;
    for (const TCurvePolyline& line : path)
      for (std::size_t i = 1; i < line.size(); ++i) gap = std::max(gap, Distance(line[i - 1], line[i]));
    EXPECT_LE(gap, c.gap);
    ExpectTraces(path, c.truth, c.map);
  }
}

}  // namespace
}  // namespace plotix
