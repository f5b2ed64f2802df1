// Evaluation: every function's values and domain rules, the power rule, run-time
// floating-point conditions, and the trigonometry fix-up.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "expr/calculation.h"
#include "expr/math_function.h"

namespace plotix {
namespace {

constexpr Extended kPi = 3.14159265358979323846264338327950288L;
constexpr int kFail = -1;  // marks an expected value that is an error code

struct TEvalCase {
  std::string text;
  Extended x;
  Extended expected;  // the value, or the error code when errorCode != 0
  int errorCode = meNone;
};

class MathEvaluate : public ::testing::Test {
 protected:
  void TearDown() override { SetTrigFixup(2, true); }

  static TMathFunction Make(const std::string& text) {
    TMathFunction f;
    f.SetVariableCount(1);
    f.SetVariableName(0, "X");
    f.SetExpression(text);
    EXPECT_TRUE(f.Compile()) << text << ": " << f.GetErrorText();
    return f;
  }

  // Evaluates the case at its x: an error code with a zero result, or the value within
  // one part in 10^17.
  static void Check(const TEvalCase& c) {
    TMathFunction f = Make(c.text);
    f.Value(0) = c.x;
    const bool ok = f.Evaluate();
    if (c.errorCode != meNone) {
      EXPECT_EQ(std::tuple(ok, f.ErrorCode(), f.ErrorPosition(), f.Result()), std::tuple(false, c.errorCode, 0, 0))
          << c.text << " at " << static_cast<double>(c.x);
      return;
    }
    ASSERT_TRUE(ok) << c.text << " at " << static_cast<double>(c.x) << ": " << f.GetErrorText();
    const Extended tolerance = c.expected == 0 ? 1e-18L : fabsl(c.expected) * 1e-17L;
    EXPECT_LE(fabsl(f.Result() - c.expected), tolerance)
        << c.text << " at " << static_cast<double>(c.x) << " gave " << static_cast<double>(f.Result());
  }
};

TEST_F(MathEvaluate, FunctionsAndTheirDomains) {
  const Extended e = expl(1.0L);
  // clang-format off
  const TEvalCase cases[] = {
      {"degtorad(x)", 180, kPi}, {"arcsinh(x)", -2, logl(-2 + sqrtl(5))}, {"arccosh(x)", 0.5L, kFail, meDomain},
      {"arctanh(x)", 0.5L, logl(3) / 2}, {"arctanh(x)", 1, kFail, meDomain}, {"arccsch(x)", 0, kFail, meDomain},
      {"arccoth(x)", 1, kFail, meDomain}, {"arcsin(x)", 1.0000001L, kFail, meDomain},
      {"arccos(x)", -2, kFail, meDomain},
      {"arccsc(x)", 2, kPi / 6}, {"arcsec(x)", 0, kFail, meDomain}, {"arcsech(x)", 0, kFail, meDomain},
      {"arccot(x)", -1, 3 * kPi / 4}, {"sinh(x)", 1, (e - 1 / e) / 2}, {"csch(x)", 0, kFail, meDomain},
      {"coth(x)", 0, kFail, meDomain}, {"sin(x)", 1, sinl(1)}, {"tan(x)", kPi / 4, 1}, {"csc(x)", 0, kFail, meDomain},
      {"cot(x)", kPi / 4, 1}, {"cot(x)", kPi, kFail, meDomain}, {"grint(x)", -2.5L, -3}, {"grint(x)", 2.5L, 2},
      {"sqrt(x)", 9, 3}, {"sqrt(x)", -4, kFail, meDomain}, {"round(x)", 2.5L, 3}, {"round(x)", -2.5L, -3},
      {"ln(x)", e, 1}, {"ln(x)", 0, kFail, meDomain}, {"log(x)", 0, kFail, meDomain},
      {"fact(x)", 20, 2432902008176640000.0L}, {"fact(x)", 21, kFail, meFactorialTooBig},
      {"fact(x)", 2.5L, kFail, meDomain},
  };
  // clang-format on
  for (const auto& c : cases) Check(c);
}

TEST_F(MathEvaluate, PowerRule) {
  // clang-format off
  const TEvalCase cases[] = {
      {"x^0", 0, kFail, meBadExponential}, {"x^(-2)", 0, kFail, meDivByZero}, {"(x+1)^x", -1, kFail, meDivByZero},
      {"x^(1/3)", -8, kFail, meBadExponential}, {"x^3", -2, -8}, {"x^2", -2, 4}, {"x^(-1)", -2, -0.5L},
      {"x^1", -2, -2}, {"x^0", 5, 1}, {"x^0.5", 16, 4}, {"x^1.37", 0, 0}, {"2^x", -1, 0.5L},
      {"x^x", 0, kFail, meBadExponential}, {"(-x)^x", 2, 4}, {"(-x)^x", 3, -27},
  };
  // clang-format on
  for (const auto& c : cases) Check(c);
}

TEST_F(MathEvaluate, RunTimeConditionsBecomeErrorsWithoutPosition) {
  // clang-format off
  const TEvalCase cases[] = {
      {"1/x", 0, kFail, meDivByZero}, {"exp(x)", 20000, kFail, meOverflow},
      {"1/exp(x)", 20000, kFail, meOverflow},  // the overflow stops the run
      {"x^x", 3000, kFail, meOverflow}, {"sinh(x)", 12000, kFail, meOverflow}, {"tanh(x)", 12000, 1},
      {"csch(x)", 1e-4940L, kFail, meOverflow},  // 1e4940 is beyond the range
      {"exp(x)", -20000, 0},                     // underflow is silent
      {"x+1", 1e4900L, 1e4900L + 1}, {"x^1.5", 1e3300L, kFail, meOverflow}, {"x^1.5", 1e-3300L, 0},
      // The first condition of the run is reported, also where a later step would
      // hide the overflow: a division, a power or a function of it, or a later failure.
      {"1/(x*x)", 1e3000L, kFail, meOverflow}, {"(x*x)^0", 1e3000L, kFail, meOverflow},
      {"arctan(exp(x))", 20000, kFail, meOverflow}, {"exp(x)-exp(x)", 20000, kFail, meOverflow},
      {"exp(x)+sqrt(-x)", 20000, kFail, meOverflow}, {"exp(x)+1/(x-20000)", 20000, kFail, meOverflow},
  };
  // clang-format on
  for (const auto& c : cases) Check(c);

  // A failure leaves the function ready for the next point.
  TMathFunction f = Make("1/x");
  f.Value(0) = 0;
  EXPECT_FALSE(f.Evaluate());
  EXPECT_EQ(f.GetErrorText(), "Division by Zero");
  f.Value(0) = 4;
  ASSERT_TRUE(f.Evaluate());
  EXPECT_EQ(f.Result(), 0.25L);
}

// What the calculator shows in its exponent form, 18 digits.
std::string Calc(const std::string& text) { return Calculate(text, "0", "0", true).text; }

// Where textbook formulas cancel, overflow early or reduce inexactly: the 18 digits
// agree with 40-digit reference values.
TEST_F(MathEvaluate, CalculatorDigitsMatchReferenceValues) {
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"arcsinh(-10000000000)", "-2.37189981105004021E+1"}, {"arcsinh(-1000000000)", "-2.14164130175063565E+1"},
      {"arccsch(-0.0000000001)", "-2.37189981105004021E+1"}, {"arcsinh(10^3000)", "6.90844842616269700E+3"},
      {"arccosh(10^3000)", "6.90844842616269700E+3"}, {"arccosh(1.0000000001)", "1.41421356260243751E-5"},
      {"arcsech(0.9999999999)", "1.41421356228982484E-5"}, {"arctanh(0.0000000001)", "1.00000000000000000E-10"},
      {"arccoth(-10000000000)", "-1.00000000000000000E-10"}, {"tanh(12000)", "1.00000000000000000E+0"},
      {"coth(-12000)", "-1.00000000000000000E+0"}, {"sinh(0.00000000000000000001)", "1.00000000000000000E-20"},
      {"sinh(0.0000000001)", "1.00000000000000000E-10"}, {"tanh(0.0000000001)", "1.00000000000000000E-10"},
      {"csch(0.00000000000000000001)", "1.00000000000000000E+20"}, {"sinh(-11357)", "-9.58078246712971283E+4931"},
      {"cosh(11357)", "9.58078246712971283E+4931"}, {"sin(10000000)", "4.20547793190782491E-1"},
      {"sin(1000000*pi)", "8.97311491667623364E-14"},  // beyond the fix-up
      {"sin(1000000000000000000)", "-9.92969320740405076E-1"}, {"sin(4611686018427387904)", "-7.02922443619208876E-1"},
      {"10^-30", "1.00000000000000000E-30"}, {"(-10)^-29", "-1.00000000000000000E-29"},
      {"sin(10^18)", "-9.92969320740405076E-1"},
  };
  // clang-format on
  for (const auto& [text, shown] : cases) EXPECT_EQ(Calc(text), shown);
}

TEST_F(MathEvaluate, EvaluatorAgreesWithCompileTimeEvaluation) {
  const char* const bodies[] = {"X^3-2*X", "sqrt(1-X^2)", "(X^2/sin(2*pi/X))-X/2", "fact(abs(X))", "X*-X",
                                // second-register steps: push, push, operator, operator
                                "X+2*X-X/4", "X+2/X", "X-X^X", "X*3.3-pi*X", "X/(X*0)", "X-(-8)^X",
                                // a constant or variable before such a pair
                                "1-X^2", "2/(X+1)", "pi*X^2+1", "X^(X+1)", "X-(X/(X-1))", "4-X*X-X",
                                // such a pair, then a function; four operands in a row
                                "2+sin(3*X)", "X*2*2+(3-(4-(5-X)))"};
  const char* const points[] = {"-2.5", "-1", "-0.5", "0", "1", "3.75"};
  for (const char* body : bodies) {
    TMathFunction f = Make(body);
    for (const char* p : points) {
      std::string literal = body;
      for (std::size_t at; (at = literal.find('X')) != std::string::npos;)
        literal.replace(at, 1, std::string("(") + p + ")");
      TMathFunction constant;
      constant.SetExpression(literal);
      const bool constOk = constant.Compile();
      f.Value(0) = std::strtold(p, nullptr);
      const bool ok = f.Evaluate();
      ASSERT_EQ(ok, constOk) << body << " at " << p;
      if (ok)
        EXPECT_EQ(f.Result(), constant.Result()) << body << " at " << p;
      else
        EXPECT_EQ(f.ErrorCode(), constant.ErrorCode()) << body << " at " << p;
    }
  }
}

TEST_F(MathEvaluate, TrigFixupMakesMultiplesOfPiExact) {
  struct TFixCase {
    int range;
    bool exact;
    std::string text;
    bool zero;  // the result is exactly 0, else it is the plain value
  };
  // clang-format off
  const TFixCase cases[] = {
      {2, true, "sin(1000*pi)", true}, {2, true, "sin(pi)", true},
      {2, true, "sin(20000*pi)", false},  // beyond the bound
      {2, true, "cos(pi/2)", true}, {2, true, "cos(10001*pi/2)", true},
      {2, true, "cos(pi/2+0.00000000000000001)", false},
      {1, true, "sin(2000*pi)", false}, {1, true, "sin(pi+0.000000000000000001)", false}, {0, true, "sin(pi)", false},
      {0, false, "cos(pi/2)", false}, {5, false, "sin(10000000*pi)", true}, {3, false, "sin(pi)", true},
      {2, false, "sin(pi+0.000000000000000001)", true},  // the rough variant zeroes any small residue
      {2, true, "sin(pi+0.000000000000000001)", false},  // the exact one only true multiples
      {2, false, "sin(1/10^16)", false},                 // near 0, sin x is x
  };
  // clang-format on
  for (const auto& c : cases) {
    SetTrigFixup(c.range, c.exact);
    TMathFunction f;
    f.SetExpression(c.text);
    ASSERT_TRUE(f.Compile()) << c.text;
    const Extended fixed = f.Result();
    SetTrigFixup(0, true);
    ASSERT_TRUE(f.Compile());  // the plain value, without any fix-up
    EXPECT_NE(f.Result(), 0) << c.text;
    EXPECT_EQ(fixed, c.zero ? 0 : f.Result()) << c.text << " range " << c.range;
  }
}

// Every multiple of pi, and odd multiple of pi/2, within a range leaves a residue
// at or below that range's threshold, so the fix-up makes each one 0.
TEST_F(MathEvaluate, TrigFixupCatchesEveryMultipleInItsRange) {
  long top = 1000;
  for (int range = 1; range <= 5; ++range, top *= 10) {
    SetTrigFixup(range, true);
    long missed = 0;
    for (long k = 1; k <= top + 1; ++k) {
      const Extended x = static_cast<Extended>(k) * kPi;
      if ((k <= top && FixedSin(x) != 0) || (k % 2 == 1 && FixedCos(x / 2) != 0)) ++missed;
    }
    EXPECT_EQ(missed, 0) << "range " << range;
  }
}

TEST_F(MathEvaluate, TrigFixupAppliesToTheDerivedFunctions) {
  SetTrigFixup(2, true);
  const TEvalCase cases[] = {{"tan(x)", kPi / 2, kFail, meDomain},
                             {"sec(x)", kPi / 2, kFail, meDomain},
                             {"cot(x)", kPi, kFail, meDomain},
                             {"csc(x)", kPi, kFail, meDomain},
                             {"tan(x)", kPi, 0}};
  for (const auto& c : cases) Check(c);
}

}  // namespace
}  // namespace plotix
