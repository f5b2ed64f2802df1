// Zeros, extrema and exact derivatives against values worked out with mpmath at 50 digits
// (tests/data/analysis_reference.py prints the rows), and what is no zero or extremum.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "expr/analysis.h"
#include "expr/function_object.h"
#include "expr/integral.h"
#include "expr/trig_fixup.h"

namespace plotix {
namespace {

Extended Ref(const char* text) { return std::strtold(text, nullptr); }

// Within n units in the last place of the reference, or 1e-18 near 0.
::testing::AssertionResult Near(Extended got, const char* ref, int n) {
  const Extended want = Ref(ref);
  const Extended unit = want == 0 ? 0 : std::ldexp(Extended(1), std::ilogb(want) - 63);
  const Extended tolerance = std::max(n * unit, Extended(1e-18L));
  if (fabsl(got - want) <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << double(got) << " is " << double((got - want) / tolerance * n)
                                       << " units from " << ref;
}

// The text compiled in x.
TMathGraphFunc Compiled(const char* text) {
  TMathGraphFunc f;
  f.SetVariableCount(1);
  f.SetVariableName(0, "X");
  f.SetExpression(text);
  EXPECT_TRUE(f.Compile()) << text;
  return f;
}

TFunctionOfX Function(const char* text) { return TFunctionOfX(Compiled(text).Prepared()->Program(), {0}, 0); }

TEST(Analysis, ZerosToTheLastDigits) {
  const struct {
    const char *text, *a, *b;
    std::vector<const char*> zeros;
  } rows[] = {
      // clang-format off
      {"x^3-2x", "-3", "3", {"-1.414213562373095048801689", "0.0", "1.414213562373095048801689"}},
      {"cos(x)-x", "0", "1", {"7.390851332151606416553121e-1"}},
      {"exp(x)-3", "0", "2", {"1.098612288668109691395245"}},
      {"x^5-x-1", "1", "2", {"1.167303978261418684256046"}},
      {"sin(x)", "3", "4", {"3.141592653589793238462643"}},
      {"x^2-2x+1", "-3", "3", {"1.0"}},
      {"exp(-x)-x^2", "0", "1", {"7.034674224983916520498186e-1"}},
      {"x^3-2x-tan(x)", "-1", "1.3", {"0.0"}},  // at 0 between two samples: found exactly
      // Poles and jumps where the sign changes are no zeros.
      {"tan(x)", "1", "2", {}}, {"1/x", "-1", "1", {}}, {"int(x)+0.5", "-1", "1", {}}, {"x^2+1", "-2", "2", {}},
      // Tiny but positive is not 0; touching 0 between two numbers is.
      {"x^2+10^-300", "-1", "1", {}}, {"(x-1)^2+10^-300", "0", "2", {}}, {"(x-0.1)^2+10^-30", "0", "1", {}},
      {"(x-1/3)^2+10^-4000", "0", "1", {}}, {"abs(x-1/3)+10^-6", "0", "1", {}}, {"sin(x)^2", "3", "4", {"3.141592653589793238462643"}},
      {"(exp(x)-2)^2", "0", "1", {"6.931471805599453094172321e-1"}},
      // Two roots closer than the samples, at any scale, and a crossing below the samples' size.
      {"(x-1)*(x-1.000001)", "0", "3", {"1.0", "1.000001"}},
      {"10^-300*(x-1)*(x-1.000001)", "0.9998", "1.0003", {"1.0", "1.000001"}},
      // A staircase of rounding: where the computed sign changes.
      {"x+10^10-10^10-pi/3", "0", "2", {"1.047197551000863313674926758"}},
      {"(x+10^10-10^10)^0.5-sqrt(pi/3)", "1.047", "1.048", {"1.047197551000863313674926758"}},
      // clang-format on
  };
  for (const auto& r : rows) {
    TFunctionOfX f = Function(r.text);
    const TPoints<TZero> found = FindZeros(f, Ref(r.a), Ref(r.b));
    ASSERT_EQ(found.points.size(), r.zeros.size()) << r.text;
    for (std::size_t i = 0; i < r.zeros.size(); ++i) {
      EXPECT_TRUE(Near(found.points[i].x, r.zeros[i], 4)) << r.text;
      EXPECT_EQ(found.points[i].to, found.points[i].x);
    }
  }
  // A double zero where the rounding of the terms leaves no 0: to 1e-15.
  TFunctionOfX touch = Function("(x-0.1)^2");
  const TPoints<TZero> found = FindZeros(touch, -1, 1);
  ASSERT_EQ(found.points.size(), 1u);
  EXPECT_LT(fabsl(found.points[0].x / 0.1L - 1), 1e-15L);
  // Where f is 0 throughout: the interval once, its ends the last points where it is (1 is
  // no sample).
  TFunctionOfX flat = Function("int(x)");
  const TPoints<TZero> interval = FindZeros(flat, 0.5L, 2.7L);
  ASSERT_EQ(interval.points.size(), 1u);
  EXPECT_EQ(interval.points[0], (TZero{0.5L, nextafterl(1, 0)}));
}

TEST(Analysis, ExtremaToTheLastDigits) {
  const struct {
    const char *text, *a, *b;
    std::vector<std::tuple<bool, const char*, const char*>> points;  // maximum, x, y
  } rows[] = {
      // clang-format off
      {"x^3-2x", "0", "2", {{false, "8.16496580927726032732428e-1", "-1.088662107903634710309904"}}},
      {"x*exp(-x)", "0", "3", {{true, "1.0", "3.678794411714423215955238e-1"}}},
      {"x^4-3x^2+x", "-3", "3", {{false, "-1.300839565941577126232185", "-3.513905038934789021409468"}, {true, "1.69938443311591276166105e-1", "8.413522071094307450679238e-2"}, {false, "1.13090112262998585006608", "-1.070230181776154053097325"}}},
      {"abs(x-1/3)", "-1", "1", {{false, "3.333333333333333333333333e-1", "0.0"}}},
      {"abs(x)", "-1", "1", {{false, "0", "0"}}}, {"(x-0.001)^2", "0", "1", {{false, "0.001", "0"}}},
      // A pole where f' changes sign, and ends of the range, are no extrema.
      {"1/x^2", "-1", "1", {}}, {"x^2", "0", "1", {}}, {"ln(abs(x))", "-1", "1.3", {}},
      {"abs(x)+0.01*grint(x)", "-1", "1.3", {}},  // no slope at 0, and a jump: no kink
      // Cusps, at a number and between two; a pole and a jump between two are none.
      {"sqrt(abs(x))", "-1", "1", {{false, "0", "0"}}}, {"-sqrt(abs(x-0.3))", "-1", "1", {{true, "0.3", "0"}}},
      {"1/abs(x^2-2)", "1", "2", {}}, {"abs(x^2-2)+0.01*grint(x^2-2)", "1", "2", {}},
      // clang-format on
  };
  for (const auto& r : rows) {
    TFunctionOfX f = Function(r.text);
    const TPoints<TExtremum> found = FindExtrema(f, Ref(r.a), Ref(r.b));
    ASSERT_EQ(found.points.size(), r.points.size()) << r.text;
    for (std::size_t i = 0; i < r.points.size(); ++i) {
      const auto& [maximum, x, y] = r.points[i];
      EXPECT_EQ(found.points[i].maximum, maximum) << r.text;
      EXPECT_TRUE(Near(found.points[i].x, x, 4)) << r.text;
      EXPECT_TRUE(Near(found.points[i].y, y, 2)) << r.text;
    }
  }
}

TEST(Analysis, DerivativesAreExact) {
  const struct {
    const char *text, *x, *d1, *d2;
  } rows[] = {
      // clang-format off
      {"sin(x)*exp(x)", "1", "3.75604922709472754834714", "2.937387879831770314277935"},
      {"x^x", "2", "6.772588722239781237668928", "1.346698950015236817400627e+1"},
      {"(x-3)^3", "1", "1.2e+1", "-1.2e+1"},
      {"tan(x)", "1", "3.425518820814759760941679", "1.066985894497531748258035e+1"},
      {"log(x)", "2", "2.171472409516259138255645e-1", "-1.085736204758129569127822e-1"},
      {"arccosh(x)", "2", "5.773502691896257645091488e-1", "-3.849001794597505096727659e-1"},
      {"arcsec(x)", "2", "2.886751345948128822545744e-1", "-3.367876570272816959636701e-1"},
      {"arccot(x)", "0.5", "-8.0e-1", "6.4e-1"},
      {"csch(x)+sech(x)", "1", "-1.610839875013847246752681", "2.186874454637528912747146"},
      {"sec(x)+csc(x)", "1", "2.119414973396350770404391", "1.299749756397371653653273e+1"},
      {"arcsin(x)+arctanh(x)", "0.5", "2.488033871712584862351631", "2.547578136697278797123309"},
      {"sqrt(x)/x^2", "2", "-2.651650429449553216503166e-1", "3.314563036811941520628958e-1"},
      {"2^x", "3", "5.545177444479562475337857", "3.84362411134561139733682"},
      {"arcsinh(x)", "0.5", "8.944271909999158785636695e-1", "-3.577708763999663514254678e-1"},
      {"arccsch(x)", "2", "-2.236067977499789696409174e-1", "2.012461179749810726768256e-1"},
      {"arccsch(x)", "-2", "-2.236067977499789696409174e-1", "-2.012461179749810726768256e-1"},
      // clang-format on
  };
  for (const auto& r : rows) {
    const TMathGraphFunc f = Compiled(r.text);
    Extended x = Ref(r.x);
    TJet jet;
    ASSERT_EQ(EvaluateJet(*f.Prepared(), &x, 0, jet), meNone) << r.text;
    EXPECT_TRUE(Near(jet.d1, r.d1, 8)) << r.text;
    EXPECT_TRUE(Near(jet.d2, r.d2, 8)) << r.text;
  }
}

// Where a part has no slope the derivative is the limit beside the point, from each side
// that has values; none where the sides differ or have no limit. At extreme scales the
// products on the way stay finite where the derivative is.
TEST(Analysis, DerivativesAsLimitsAndAtExtremeScales) {
  const struct {
    const char *text, *x;
    int order;
    const char* d;  // nullptr: Invalid Function Domain
  } rows[] = {
      // clang-format off
      {"x*abs(x)", "0", 1, "0"}, {"x*abs(x)", "0", 2, nullptr}, {"x*abs(x)+sin(x)", "0", 1, "1.0"},
      {"x^1.5", "0", 1, "0"}, {"x^1.5", "0", 2, nullptr}, {"x*sqrt(x)+x", "0", 1, "1.0"},
      {"sqrt(x^2)-abs(x)+x", "0", 1, "1.0"}, {"x^2.5", "0", 2, "0"}, {"sqrt(x^4)+2x", "0", 1, "2.0"},
      {"sqrt(x)", "0", 1, nullptr}, {"abs(x-1)", "1", 1, nullptr}, {"round(x)", "0.5", 1, nullptr},
      {"frac(x)", "2", 1, nullptr}, {"x^x", "-1", 1, nullptr}, {"arcsin(x)", "1", 1, nullptr},
      {"arcsech(x)", "1", 1, nullptr}, {"arccosh(x)", "1", 1, nullptr},
      {"1/x", "1e-1700", 1, "-1e3400"}, {"x^-1", "1e-1700", 1, "-1e3400"}, {"1/x", "1e-1000", 2, "2e3000"},
      {"ln(x)", "1e-4000", 1, "1e4000"}, {"sqrt(x)", "1e-4000", 1, "5e1999"},
      // clang-format on
  };
  for (const auto& r : rows) {
    const TMathGraphFunc f = Compiled(r.text);
    Extended x = Ref(r.x);
    TDerivative d;
    const int error = EvaluateDerivative(*f.Prepared(), &x, 0, r.order, d);
    if (!r.d) {
      EXPECT_EQ(error, meDomain) << r.text;
      continue;
    }
    ASSERT_EQ(error, meNone) << r.text;
    EXPECT_TRUE(Near(d.value, r.d, 8)) << r.text << " at " << r.x;
    EXPECT_LE(d.error, 1e-18L * std::max(Extended(1), fabsl(d.value))) << r.text;
  }
  // Where the derivative itself leaves the range, that is the answer, not a limit.
  const TMathGraphFunc inverse = Compiled("1/x");
  Extended tiny = Ref("1e-3000");
  TDerivative beyond;
  EXPECT_EQ(EvaluateDerivative(*inverse.Prepared(), &tiny, 0, 1, beyond), meOverflow);
  // The jets' own answer where only the second derivative fails.
  const TMathGraphFunc f = Compiled("x^-1");
  Extended x = Ref("1e-1700");
  TJet jet;
  EXPECT_EQ(std::tuple(EvaluateJet(*f.Prepared(), &x, 0, jet), jet.error2), std::tuple(meNone, meOverflow));
}

// The integrand of a text in x.
TIntegrand Integrand(const char* text) {
  auto f = std::make_shared<TFunctionOfX>(Function(text));
  return [f](Extended x, Extended& y, int& error) {
    error = meNone;
    return f->Value(x, y) || ((error = meDomain), false);
  };
}

// Smooth integrals to 2e-18, integrable singularities at an end, each within its estimate;
// a divergent or undefined integral says so.
TEST(Analysis, IntegralsWithHonestEstimates) {
  const struct {
    const char *text, *a, *b, *value;
  } rows[] = {
      // clang-format off
      {"exp(x)", "0", "1", "1.718281828459045235360287"},
      {"sin(x)", "0", "3.141592653589793238462643", "2.0"},
      {"1/(1+x^2)", "0", "1", "7.853981633974483096156608e-1"},
      {"sqrt(1-x^2)", "-1", "1", "1.570796326794896619231322"},
      {"exp(-x^2)", "0", "2", "8.82081390762421679967481e-1"},
      {"abs(x)", "-2", "2", "4.0"},
      {"sin(x)^2", "0", "10", "4.771763687318093086405975"},
      {"x", "1", "0", "-5.0e-1"},
      {"1/sqrt(x)", "0", "1", "2.0"},
      {"ln(x)", "0", "1", "-1.0"},
      {"x^(-0.9)", "0", "1", "1.0e+1"},
      {"ln(x)/sqrt(x)", "0", "1", "-4.0"},
      {"1/sqrt(1-x)", "0", "1", "2.0"},
      {"1/sqrt(x-1)", "1", "2", "2.0"},
      // clang-format on
  };
  for (const auto& r : rows) {
    const TIntegral i = Integrate(Integrand(r.text), Ref(r.a), Ref(r.b));
    const Extended want = Ref(r.value);
    EXPECT_EQ(i.status, TIntegral::Converged) << r.text;
    EXPECT_LE(fabsl(i.value - want), 2e-18L * fabsl(want)) << r.text << ": " << double(i.value - want);
    EXPECT_LE(fabsl(i.value - want), i.error) << r.text << ": the estimate " << double(i.error);
  }
  // The extrapolation takes a singularity at an end in a few hundred evaluations; halving
  // alone would take thousands for 1/sqrt(x) and never reach x^(-0.9).
  for (const char* singular : {"1/sqrt(x)", "x^(-0.9)"})
    EXPECT_LT(Integrate(Integrand(singular), 0, 1).evaluations, 1000) << singular;
  // Away from 0 the nodes round to where f is steep, yet the end is as exact as one at 0,
  // whatever the integrand's size.
  for (const auto& [text, a, b, scale] :
       {std::tuple("1/sqrt(x)", 0, 1, 1.0L), std::tuple("1/sqrt(1-x)", 0, 1, 1.0L),
        std::tuple("1/sqrt(x-1)", 1, 2, 1.0L), std::tuple("10^-10/sqrt(1-x)", 0, 1, 1e10L)})
    EXPECT_TRUE(Near(Integrate(Integrand(text), a, b).value * scale, "2.0", 4)) << text;
  // 1-x^2 rounds near the ends as the nodes do, which leaves the extrapolation stalled a little
  // short of the accuracy asked: a value within its estimate, not a divergent integral.
  const TIntegral arcsin = Integrate(Integrand("1/sqrt(1-x^2)"), -1, 1);
  EXPECT_NE(arcsin.status, TIntegral::Divergent);
  EXPECT_LE(fabsl(arcsin.value - 3.141592653589793238462643L), arcsin.error);
  // Near 0: to 1e-18 of the integral of |f|.
  const TIntegral zero = Integrate(Integrand("sin(x)"), 0, 2 * 3.141592653589793238462643L);
  EXPECT_EQ(zero.status, TIntegral::Converged);
  EXPECT_LE(fabsl(zero.value), 4e-18L);
  for (const auto& [text, a, b] :
       {std::tuple("1/x", 0, 1), std::tuple("1/(x-0.3)^2", 0, 1), std::tuple("x^(-1.1)", 0, 1)})
    EXPECT_EQ(Integrate(Integrand(text), a, b).status, TIntegral::Divergent) << text;
  const TIntegral undefined = Integrate(Integrand("1/x"), -1, 1);
  EXPECT_EQ(std::tuple(undefined.status, undefined.where), std::tuple(TIntegral::Undefined, Extended(0)));
}

}  // namespace
}  // namespace plotix
