// Parametric and implicit curves against a dense tracing of the true curve made here:
// every drawn pixel lies within one of it, and every pixel of it within one of the drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>

#include "cartesian/implicit_curve.h"
#include "cartesian/parametric_curve.h"

namespace plotix {
namespace {

using TPoints = std::vector<TCurvePoint>;
using TGraphCurve = std::function<std::pair<Extended, Extended>(Extended t)>;  // graph units, NaN undefined
using TPiece = std::tuple<TGraphCurve, Extended, Extended>;                    // the curve over [t0, t1]
constexpr Extended kPi = 3.14159265358979323846264338327950288L;

Extended Distance(TCurvePoint a, TCurvePoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The curve's points over [t0, t1] in bitmap pixels, a quarter pixel apart.
void Trace(const TGraphCurve& c, const TMapping2D& m, Extended t0, Extended t1, TPoints& out, int depth = 0) {
  const auto [x0, y0] = c(t0);
  const auto [x1, y1] = c(t1);
  if (depth < 40 && (depth < 6 || Distance(BitmapPoint(m, x0, y0), BitmapPoint(m, x1, y1)) > 0.25L)) {
    Trace(c, m, t0, (t0 + t1) / 2, out, depth + 1);
    Trace(c, m, (t0 + t1) / 2, t1, out, depth + 1);
  } else {
    out.push_back(BitmapPoint(m, x0, y0));
  }
}

// The farthest the pixel of any point of `from` a pixel or more inside the bitmap lies from
// the nearest point of `to`, in pixels along x or y; 9 where none is within 2 pixels.
Extended Farthest(const TPoints& from, const TPoints& to, const TMapping2D& m) {
  const auto cell = [&](Extended x, Extended y) {
    return x >= 0 && y >= 0 && x < m.width && y < m.height ? int(y) * m.width + int(x) : -1;
  };
  std::vector<int> first(m.width * m.height + 2);  // `to` by cell: cell c holds [first[c], first[c + 1])
  for (const TCurvePoint& p : to) ++first[cell(p.x, p.y) + 2];
  for (std::size_t c = 1; c < first.size(); ++c) first[c] += first[c - 1];
  std::vector<TCurvePoint> sorted(to.size());
  for (const TCurvePoint& p : to) sorted[first[cell(p.x, p.y) + 1]++] = p;
  Extended worst = 0;
  for (const TCurvePoint& p : from) {
    const int px = RoundToPixel(p.x), py = RoundToPixel(p.y);
    if (px < 1 || py < 1 || px > m.width - 2 || py > m.height - 2) continue;
    Extended best = 9;
    for (int y = std::max(py - 2, 0); y <= std::min(py + 2, m.height - 1); ++y)  // columns px - 2 to px + 2
      for (int k = first[cell(std::max(px - 2, 0), y)]; k < first[cell(std::min(px + 2, m.width - 1), y) + 1]; ++k)
        best = std::min(best, fmaxl(fabsl(px - sorted[k].x), fabsl(py - sorted[k].y)));
    worst = std::max(worst, best);
  }
  return worst;
}

// No stray lines and no gaps: the drawn polylines, with points between their points a
// quarter pixel apart, against the true curve; and no corners: their points at most `gap` apart.
void ExpectTraces(const TCurvePath& path, const std::vector<TPiece>& pieces, const TMapping2D& m, Extended gap) {
  TPoints truth, drawn;
  for (const auto& [c, t0, t1] : pieces) Trace(c, m, t0, t1, truth);
  for (const TCurvePolyline& line : path)
    for (std::size_t i = 0; i < line.size(); ++i) {
      const TCurvePoint a = line[i], b = line[std::min(i + 1, line.size() - 1)];
      EXPECT_LE(Distance(a, b), gap);
      for (int k = 0, steps = std::max(1, int(std::ceil(4 * Distance(a, b)))); k < steps; ++k)
        drawn.push_back({a.x + (b.x - a.x) * k / steps, a.y + (b.y - a.y) * k / steps});
    }
  EXPECT_LE(Farthest(drawn, truth, m), 1);
  EXPECT_LE(Farthest(truth, drawn, m), 1);
}

TMapping2D Mapping(int size, Extended zoom = 35, Extended centerX = 0.37L, Extended centerY = 0.21L) {
  return TMapping2D({zoom, zoom, centerX, centerY}, size, size);
}
const TMapping2D kOnLattice = Mapping(500, 35, 0, 0);  // the origin on a lattice point of the tracer

TGraphCurve Circle(Extended r) {
  return [r](Extended t) { return std::pair{r * cosl(t), r * sinl(t)}; };
}
TGraphCurve Graph(std::function<Extended(Extended)> y) {
  return [y](Extended t) { return std::pair{t, y(t)}; };
}
const TGraphCurve kDiagonal = Graph([](Extended x) { return x; }), kAntidiagonal = Graph([](Extended x) { return -x; });

struct TImplicitCase {
  const char* equation;
  std::function<Extended(Extended x, Extended y)> f;  // undefined where not finite
  std::vector<TPiece> truth;
  TImplicitStatus status = icDrawn;
  std::size_t pieces = 0, evaluations = 0;  // polylines, and evaluations at most, where known
  TMapping2D map = Mapping(500);
};

TEST(ImplicitCurve, DrawsWhereFChangesSign) {
  const TGraphCurve bernoulli = [](Extended t) {
    const Extended d = 1 + sinl(t) * sinl(t);
    return std::pair{2 * sqrtl(2) * cosl(t) / d, 2 * sqrtl(2) * cosl(t) * sinl(t) / d};
  };
  const TGraphCurve quartic = [](Extended t) {  // r^2 from a r^4 - b r^2 - 1 = 0
    const Extended a = powl(cosl(t), 4) + powl(sinl(t), 4), b = 2 * sinl(2 * t);
    const Extended r = sqrtl((b + sqrtl(b * b + 4 * a)) / (2 * a));
    return std::pair{r * cosl(t), r * sinl(t)};
  };
  const TGraphCurve folium = [](Extended t) { return std::pair{3 * t / (1 + t * t * t), 3 * t * t / (1 + t * t * t)}; };
  const auto cubic = [](Extended sign) { return Graph([sign](Extended x) { return sign * sqrtl(x * x * x - x); }); };
  const auto hyperbola = [](Extended c) { return Graph([c](Extended x) { return c / x; }); };
  std::vector<TPiece> sinXY, tanX;  // xy = pi/6 or 5pi/6 plus whole turns; y = tan x
  for (int k = -4; k <= 4; ++k)
    for (const Extended c : {kPi / 6 + 2 * kPi * k, 5 * kPi / 6 + 2 * kPi * k})
      for (const Extended side : {-1, 1}) sinXY.push_back({hyperbola(c), side * fabsl(c) / 4.5L, side * 4.5L});
  for (int k = -2; k <= 2; ++k) tanX.push_back({Graph(tanl), k * kPi - 1.44L, k * kPi + 1.44L});
  // A ring 2.5 pixels wide between the cells' corners: found where it covers one, followed from there.
  const Extended ringWidth = 1.5L / 35, ringEdge = ringWidth * sqrtl(logl(2));
  // clang-format off
  const TImplicitCase cases[] = {
      {"x^2+y^2=4", [](Extended x, Extended y) { return x * x + y * y - 4; }, {{Circle(2), 0, 2 * kPi}}, icDrawn, 1},
      {"x^2+y^2=0.01", [](Extended x, Extended y) { return x * x + y * y - 0.01L; }, {{Circle(0.1L), 0, 2 * kPi}}, icDrawn, 1},
      {"ring", [&](Extended x, Extended y) { return 1 - 2 * expl(-powl((hypotl(x, y) - 3.3L) / ringWidth, 2)); },
       {{Circle(3.3L - ringEdge), 0, 2 * kPi}, {Circle(3.3L + ringEdge), 0, 2 * kPi}}, icDrawn, 2},
      {"(x^2+y^2)^2=8(x^2-y^2)", [](Extended x, Extended y) { return (x * x + y * y) * (x * x + y * y) - 8 * (x * x - y * y); },
       {{bernoulli, 0, 2 * kPi}}, icDrawn, 1, 35500, Mapping(500, 60)},
      {"x^4+y^4=4xy+1", [](Extended x, Extended y) { return x * x * x * x + y * y * y * y - 4 * x * y - 1; },
       {{quartic, 0, 2 * kPi}}, icDrawn, 1, 26400, Mapping(500, 60)},
      {"x^3+y^3=3xy", [](Extended x, Extended y) { return x * x * x + y * y * y - 3 * x * y; },
       {{folium, -0.87L, 1e4}, {folium, -1e4, -1.13L}}, icDrawn, 1},
      {"x^2=y^2", [](Extended x, Extended y) { return x * x - y * y; }, {{kDiagonal, -8, 8}, {kAntidiagonal, -8, 8}}, icDrawn, 2},
      {"x^2=y^2 on the lattice", [](Extended x, Extended y) { return x * x - y * y; },
       {{kDiagonal, -8, 8}, {kAntidiagonal, -8, 8}}, icDrawn, 2, 0, kOnLattice},
      {"y^2=x^3-x", [](Extended x, Extended y) { return y * y - x * x * x + x; },
       {{cubic(1), -1, 0}, {cubic(-1), -1, 0}, {cubic(1), 1, 4}, {cubic(-1), 1, 4}}, icDrawn, 2},
      {"sin(xy)=0.5", [](Extended x, Extended y) { return sinl(x * y) - 0.5L; }, sinXY, icDrawn, 0, 0, Mapping(300)},
      {"tan(x)=y", [](Extended x, Extended y) { return tanl(x) - y; }, tanX, icDrawn, 5, 126000},
      {"sqrt(x)=sqrt(y)", [](Extended x, Extended y) { return sqrtl(x) - sqrtl(y); }, {{kDiagonal, 0, 8}}, icDrawn, 1},
      {"1/(x-y)=0", [](Extended x, Extended y) { return 1 / (x - y); }, {}, icNothingInView, 0, 44500},
      {"1/(x-y)=0 on the lattice", [](Extended x, Extended y) { return 1 / (x - y); }, {}, icNothingInView, 0, 0, kOnLattice},
      {"x^2+y^2=-0.001", [](Extended x, Extended y) { return x * x + y * y + 0.001L; }, {}, icNothingInView},
      {"sqrt(-1-x^2)=y", [](Extended x, Extended y) { return sqrtl(-1 - x * x) - y; }, {}, icNothingInView},
      {"(x-y)^2=0", [](Extended x, Extended y) { return (x - y) * (x - y); }, {}, icNotDrawable, 0, 0, kOnLattice},
      {"x^2+y^2=0", [](Extended x, Extended y) { return x * x + y * y; }, {}, icNotDrawable},
  };
  // clang-format on
  for (const TImplicitCase& c : cases) {
    SCOPED_TRACE(c.equation);
    std::size_t evaluations = 0;
    const TImplicitCurve curve = TraceImplicitCurve(
        [&](std::span<TImplicitSample> batch) {
          for (TImplicitSample& s : batch) s.defined = std::isfinite(s.f = c.f(s.x, s.y));
          evaluations += batch.size();
        },
        c.map);
    EXPECT_EQ(curve.Status, c.status);
    EXPECT_EQ(curve.Path.empty(), c.status != icDrawn);
    EXPECT_EQ(curve.Path.size(), c.pieces ? c.pieces : curve.Path.size());
    EXPECT_LE(evaluations, c.evaluations ? c.evaluations : evaluations);
    ExpectTraces(curve.Path, c.truth, c.map, sqrtl(2));
    // Crossings on the curve to a hundredth of a pixel, for pictures drawn at a larger scale.
    const TMapping2D& m = c.map;
    const auto f = [&](TCurvePoint p, Extended dx, Extended dy) {
      return c.f((p.x + dx - m.halfW + m.centerX) / m.zoomX, (m.centerY + m.halfH - p.y - dy) / m.zoomY);
    };
    Extended worst = 0;  // not raised where F is undefined beside the crossing
    for (const TCurvePolyline& line : curve.Path)
      for (const TCurvePoint p : line)
        if (p.x > 0 && p.y > 0 && p.x < m.width - 1 && p.y < m.height - 1)
          worst = std::max(worst, fabsl(f(p, 0, 0)) /
                                      (fabsl(f(p, 0.5L, 0) - f(p, -0.5L, 0)) + fabsl(f(p, 0, 0.5L) - f(p, 0, -0.5L))));
    EXPECT_LE(worst, 0.01L);
  }
}

// Where the curve passes between the corners of a cell twice, its branches stay apart as
// they are: each branch of xy = e keeps to its quadrants, whatever the cell.
TEST(ImplicitCurve, KeepsCloseBranchesApart) {
  for (const Extended e : {1e-6L, -1e-6L})
    for (const TMapping2D& map : {Mapping(500), Mapping(500, 35, 0.7L, 0.21L), Mapping(500, 35, 0.21L, 0.7L)}) {
      const TImplicitCurve curve = TraceImplicitCurve(
          [&](std::span<TImplicitSample> batch) {
            for (TImplicitSample& s : batch) s.f = s.x * s.y - e, s.defined = true;
          },
          map);
      const TCurvePoint o = BitmapPoint(map, 0, 0);
      ASSERT_EQ(curve.Path.size(), 2u);
      for (const TCurvePolyline& line : curve.Path)
        EXPECT_GT((line.front().x + line.back().x - 2 * o.x) * (2 * o.y - line.front().y - line.back().y) * e, 0);
    }
}

struct TParametricCase {
  const char* curve;
  TGraphCurve xy;
  Extended from, to;
  std::vector<TPiece> truth;
  std::size_t pieces, evaluations;  // evaluations at most
  Extended gap = 1;                 // the most between neighbouring points
  TMapping2D map = Mapping(500);
};

TEST(ParametricCurve, JoinsPointsAPixelApartAndBreaksWhereUndefinedAndAtJumps) {
  const TGraphCurve lissajous = [](Extended t) { return std::pair{6 * sinl(3 * t), 6 * sinl(4 * t)}; };
  const TGraphCurve tangent = [](Extended t) { return std::pair{tanl(t), t}; };
  const auto root = Graph(sqrtl), hole = Graph([](Extended t) { return sqrtl(t * t - 1); }),
             dot = Graph([](Extended t) { return sqrtl(-t * t); });
  // 41 branches 10 pixels apart, 20000 pixels of curve in view: more than 16000 points can close.
  const TGraphCurve comb = [](Extended t) { return std::pair{t / 6.4L - 9.8L, tanl(t)}; };
  std::vector<TPiece> teeth;
  for (int k = 0; k <= 40; ++k)
    teeth.push_back({comb, fmaxl(0, (k - 0.5L) * kPi + 0.08L), fminl(40 * kPi, (k + 0.5L) * kPi - 0.08L)});
  // clang-format off
  const TParametricCase cases[] = {
      {"2cos t, 2sin t", Circle(2), 0, 2 * kPi, {{Circle(2), 0, 2 * kPi}}, 1, kParametricBaseSamples + 1},
      {"6sin 3t, 6sin 4t", lissajous, 0, 2 * kPi, {{lissajous, 0, 2 * kPi}}, 1, 6500},
      {"3cos t, 3sin t seen closely", Circle(3), -kPi, kPi, {{Circle(3), -0.2L, 0.2L}}, 1, 1850, 1, Mapping(500, 1000, 3000)},
      {"tan t, t", tangent, 0, 2 * kPi, {{tangent, 0, kPi / 2 - 0.1L}, {tangent, kPi / 2 + 0.1L, 3 * kPi / 2 - 0.1L},
       {tangent, 3 * kPi / 2 + 0.1L, 2 * kPi}}, 3, 1900},
      {"t/6.4-9.8, tan t", comb, 0, 40 * kPi, teeth, 41, kParametricMaxSamples, 2, Mapping(500, 20)},
      {"t, sqrt t", root, -2, 2, {{root, 0, 2}}, 1, 1020},
      {"t, sqrt(t^2-1)", hole, -3, 3, {{hole, -3, -1}, {hole, 1, 3}}, 2, 1030},
      {"t, sqrt(-t^2)", dot, -1, 1, {{dot, 0, 0}}, 1, 1090},
  };
  // clang-format on
  for (const TParametricCase& c : cases) {
    SCOPED_TRACE(c.curve);
    std::size_t evaluations = 0;
    const TCurvePath path = TraceParametricCurve(
        [&](std::span<TParametricSample> batch) {
          for (TParametricSample& s : batch) {
            std::tie(s.x, s.y) = c.xy(s.t);
            s.xDefined = !std::isnan(s.x), s.yDefined = !std::isnan(s.y);
          }
          evaluations += batch.size();
        },
        c.from, c.to, c.map);
    EXPECT_EQ(path.size(), c.pieces);
    EXPECT_LE(evaluations, c.evaluations);
    ExpectTraces(path, c.truth, c.map, c.gap);
  }
}

}  // namespace
}  // namespace plotix
