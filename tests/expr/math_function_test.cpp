// The compiler: error codes, texts and positions, the rewriting passes, postfix
// order and constant folding.
#include "expr/math_function.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace plotix {
namespace {

constexpr Extended kPi = 3.14159265358979323846264338327950288L;

TMathFunction MakeX(const std::string& text) {
  TMathFunction f;
  f.SetVariableCount(1);
  f.SetVariableName(0, "x");
  f.SetExpression(text);
  f.Compile();
  return f;
}

Extended ValueAt(TMathFunction& f, Extended x) {
  f.Value(0) = x;
  EXPECT_TRUE(f.Evaluate()) << f.Expression() << ": " << f.GetErrorText();
  return f.Result();
}

// Powers go through exp and ln, so they may miss an integer by an ulp or two.
void ExpectClose(Extended actual, Extended expected, const std::string& what) {
  const Extended tolerance = expected == 0 ? 1e-18L : fabsl(expected) * 1e-17L;
  EXPECT_LE(fabsl(actual - expected), tolerance) << what << " gave " << static_cast<double>(actual);
}

// Postfix text of a compiled program: numbers, V0.., and symbols.
std::string Postfix(const TMathFunction& f) {
  static const char* const kOps[] = {"", "(", ")", "+", "-", "*", "/", "^"};
  std::string out;
  for (const TPostFixRec& r : f.Program()) {
    if (!out.empty()) out += ' ';
    if (r.code == mcNumber) {
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.6Lg", r.value);
      out += buf;
    } else if (r.code == mcVariable) {
      out += "V" + std::to_string(r.varIndex);
    } else if (r.code <= mcPow) {
      out += kOps[r.code];
    } else {
      out += "F" + std::to_string(r.code);
    }
  }
  return out;
}

struct TErrorCase {
  std::string text;
  int code;
  int position;
};

TEST(MathCompile, ErrorsCarryTheirCodeAndPositionInTheTypedText) {
  const TErrorCase cases[] = {
      {"", meEmpty, 0},
      {"   ", meEmpty, 0},
      {"x+1,5", meIllegalChar, 4},
      {"x + 1 ,5", meIllegalChar, 7},
      {"x_1", meIllegalChar, 2},
      {"x\t1", meIllegalChar, 2},
      {"2*\xC3\xA9", meIllegalChar, 3},  // a two-byte character counts once
      {"1.2.3", meBadNumber, 1},
      {".", meBadNumber, 1},
      {"x+ ..", meBadNumber, 4},
      {"sin x", meNoOpenParen, 1},
      {"x+sin", meNoOpenParen, 3},
      {"2*-sin x", meNoOpenParen, 4},
      {"(x", meParentheses, 0},
      {"x)", meParentheses, 2},
      {"(x))+(1", meParentheses, 4},
      {"x*", meSyntax, 2},
      {"*x", meSyntax, 1},
      {"()", meSyntax, 2},
      {"x*/2", meSyntax, 3},
      {"(*x)", meSyntax, 2},
      {"y", meUnknownSymbol, 1},
      {"x + q", meUnknownSymbol, 5},
      {"sinus(x)", meUnknownSymbol, 4},  // SIN, then U is nothing
      {"1/0", meDivByZero, 0},
      {"x+1/0", meDivByZero, 4},
      {"x+sqrt(-1)", meDomain, 3},
      {"x+0^0", meBadExponential, 4},
      {"x*fact(21)", meFactorialTooBig, 3},
      {"x+exp(20000)", meOverflow, 3},
      {"x+10^5000", meOverflow, 5},
      {"sqrt(-4)", meDomain, 0},
  };
  for (const auto& c : cases) {
    TMathFunction f = MakeX(c.text);
    EXPECT_EQ(f.State(), 1) << c.text;
    EXPECT_EQ(f.ErrorCode(), c.code) << c.text;
    EXPECT_EQ(f.ErrorPosition(), c.position) << c.text;
    EXPECT_TRUE(f.Program().empty());
    EXPECT_EQ(f.Result(), 0);
  }
}

TEST(MathCompile, LengthLimitCountsCharactersIncludingSpaces) {
  EXPECT_EQ(MakeX(std::string(1001, ' ')).ErrorCode(), meTooLong);
  EXPECT_EQ(MakeX(std::string(1001, ' ')).GetErrorText(),
            "Expressions May Not Be Longer Than 1000 Characters");
  std::string ok = "x" + std::string(999, ' ');
  EXPECT_EQ(MakeX(ok).ErrorCode(), meNone);
  std::string sum = "1";
  while (sum.size() < 999) sum += "+1";
  EXPECT_EQ(sum.size(), 999u);
  EXPECT_TRUE(MakeX(sum + "x").State() == 2);
}

TEST(MathCompile, ErrorTextsAreTheFixedWords) {
  EXPECT_EQ(MathErrorText(0, 0), "No Error");
  EXPECT_EQ(MathErrorText(3, 5), "Illegal Char at Character 5");
  EXPECT_EQ(MathErrorText(7, 0), "Function Not Followed by Open Parentheses Character");
  EXPECT_EQ(MathErrorText(10, 0), "Unknown Exception");
  EXPECT_EQ(MathErrorText(14, 0), "Factorial to Big");
  EXPECT_EQ(MathErrorText(16, 0), "Floating Point Under Flow");
  EXPECT_EQ(MathErrorText(17, 2), "Invalid Floating Point Operation at Character 2");
  EXPECT_EQ(MathErrorText(18, 0), "Undetermined Error");
  EXPECT_EQ(MathErrorText(200, 0), "Undetermined Error");
  EXPECT_EQ(MakeX("x+1/0").GetErrorText(), "Division by Zero at Character 4");
}

struct TValueCase {
  std::string text;
  Extended x;
  Extended expected;
};

TEST(MathCompile, RewritingPassesGiveTheLanguagesMeaning) {
  const Extended e = expl(1.0L);
  const TValueCase cases[] = {
      {"--x", 3, 3},
      {"x--y", 3, 3},  // y is unknown: checked below; here only the sign merge matters
      {"-x^2", 3, -9},
      {"2*-x^2", 3, -18},  // a sign after an operator binds like a leading one
      {"x/-2^2", 3, -0.75L},
      {"2^-x^2", 3, 1.0L / 512},
      {"2*-x^-(1+1)^2", 2, -0.125L},
      {"2^-1", 0, 0.5L},
      {"2^-x", 2, 0.25L},
      {"2*-sin(x)", kPi / 2, -2},
      {"2x", 4, 8},
      {"2(x+1)", 4, 10},
      {"(x+1)(x-1)", 4, 15},
      {"[x+1]{x-1}", 4, 15},
      {"xsin(x)", kPi / 2, kPi / 2},
      {"2pi", 0, 2 * kPi},
      {"pix", 2, kPi * 2},
      {"xx", 5, 25},
      {"2E3", 0, 2 * e * 3},
      {"EXP(1)", 0, e},
      {"2^3^2", 0, 64},
      {"sin(x)^2", kPi / 2, 1},
      {"-(x)", 2, -2},
      {"+x", 2, 2},
      {"(-x)", 2, -2},
      {"x/-2", 4, -2},
      {"x-+-2", 1, 3},
      {"1-x*2", 3, -5},
      {"8/2/2", 0, 2},
      {"x - 2 - 3", 10, 5},
      {"SQRT(SQUARE(x))", -3, 3},
      {"Sin(Cos(x))", 0, sinl(1)},
      {"2^-(x+1)", 1, 0.25L},
      {".5x", 4, 2},
      {"5.", 0, 5},
  };
  for (const auto& c : cases) {
    if (c.text == "x--y") continue;
    TMathFunction f = MakeX(c.text);
    ASSERT_EQ(f.State(), 2) << c.text << ": " << f.GetErrorText();
    ExpectClose(ValueAt(f, c.x), c.expected, c.text);
  }
  TMathFunction xy;
  xy.SetVariableCount(2);
  xy.SetVariableName(0, "X");
  xy.SetVariableName(1, "y");
  xy.SetExpression("x--y");
  ASSERT_TRUE(xy.Compile());
  xy.Value(0) = 3;
  xy.Value(1) = 4;
  ASSERT_TRUE(xy.Evaluate());
  EXPECT_EQ(xy.Result(), 7);
}

TEST(MathCompile, PostfixOrderAndFolding) {
  const struct {
    std::string text;
    std::string postfix;
  } cases[] = {
      {"x*2^10", "V0 1024 *"},
      {"x^3-2x", "V0 3 ^ 2 V0 * -"},
      {"sin(x)^2", "V0 F32 2 ^"},
      {"2*sin(x)", "2 V0 F32 *"},
      {"sin(cos(x))", "V0 F33 F32"},
      {"-x^2", "-1 V0 2 ^ *"},
      {"x+sqrt(4)*3", "V0 6 +"},
      {"x+1+2", "V0 1 + 2 +"},  // left-associative: nothing to fold
      {"2^-x", "2 -1 V0 * ^"},
  };
  for (const auto& c : cases) {
    TMathFunction f = MakeX(c.text);
    ASSERT_EQ(f.State(), 2) << c.text;
    EXPECT_EQ(Postfix(f), c.postfix) << c.text;
  }
  // Folded records lose their positions.
  TMathFunction f = MakeX("x*2^10");
  EXPECT_EQ(f.Program()[1].position, 0);
  EXPECT_EQ(f.Program()[0].position, 1);
}

TEST(MathCompile, ConstantExpressionsAreEvaluatedOnce) {
  TMathFunction f;
  f.SetExpression("2pi");
  ASSERT_TRUE(f.Compile());
  EXPECT_FALSE(f.HasVariables());
  EXPECT_TRUE(f.Program().empty());
  EXPECT_EQ(f.Result(), 2 * kPi);
  EXPECT_TRUE(f.Evaluate());
  EXPECT_EQ(f.Result(), 2 * kPi);
}

TEST(MathCompile, SymbolsAreMatchedLongestFirstAndVariablesBeforeSymbols) {
  TMathFunction f;
  f.SetVariableCount(2);
  f.SetVariableName(0, "theta");
  f.SetVariableName(1, "x");
  f.SetExpression("THETA*ARCSINH(x)+exp(x)+e");
  ASSERT_TRUE(f.Compile());
  f.Value(0) = 2;
  f.Value(1) = 1;
  ASSERT_TRUE(f.Evaluate());
  EXPECT_EQ(f.Result(), 2 * logl(1 + sqrtl(2)) + expl(1) + expl(1));

  // A variable named like a function's start shadows it.
  TMathFunction e;
  e.SetVariableCount(1);
  e.SetVariableName(0, "E");
  e.SetExpression("exp(1)");
  e.Compile();
  EXPECT_EQ(e.ErrorCode(), meUnknownSymbol);
}

TEST(MathCompile, StateFollowsChanges) {
  TMathFunction f = MakeX("x+1");
  EXPECT_EQ(f.State(), 2);
  f.SetExpression("x+2");
  EXPECT_EQ(f.State(), 0);
  EXPECT_FALSE(f.Evaluate());
  EXPECT_EQ(f.ErrorCode(), meUnknown);
  EXPECT_EQ(f.GetErrorText(), "Unknown Exception");
  ASSERT_TRUE(f.Compile());
  f.SetVariableName(0, "x");
  EXPECT_EQ(f.State(), 0);
  ASSERT_TRUE(f.Compile());
  f.SetVariableCount(1);  // unchanged count keeps the program
  EXPECT_EQ(f.State(), 2);
  f.SetVariableCount(0);
  EXPECT_EQ(f.State(), 0);
  EXPECT_FALSE(f.Compile());
  EXPECT_EQ(f.ErrorCode(), meUnknownSymbol);
  // A failed compile keeps text and variables.
  EXPECT_EQ(f.Expression(), "x+2");
}

TEST(MathCompile, CopiesEvaluateOnTheirOwnVariables) {
  TMathFunction a = MakeX("x*x+1");
  TMathFunction b;
  b.Assign(a);
  a.Value(0) = 2;
  b.Value(0) = 3;
  ASSERT_TRUE(a.Evaluate());
  ASSERT_TRUE(b.Evaluate());
  EXPECT_EQ(a.Result(), 5);
  EXPECT_EQ(b.Result(), 10);
  TMathFunction c(b);
  EXPECT_EQ(c.State(), 2);
  EXPECT_EQ(c.Expression(), "x*x+1");
  EXPECT_EQ(ValueAt(c, 0), 1);
}

// The compile tables hold 2016 records: no 1000-character text may write past them,
// whatever the unary signs and implicit products expand it to.
TEST(MathCompile, WorstCaseExpansionsStayWithinTheTables) {
  auto repeat = [](const std::string& head, const std::string& unit, const std::string& tail) {
    std::string s = head;
    while (s.size() + unit.size() + tail.size() <= kMaxExpressionLength) s += unit;
    return s + tail;
  };
  const std::string texts[] = {
      repeat("x", "^-x", ""),
      repeat("", "x", ""),
      repeat("", "(-", "x") ,
      repeat("2", "*-(2", "") ,
      repeat("x", "^-2x", ""),
      repeat("", "-x", ""),
      repeat("", "2^-", "x"),
      repeat("", "(x)", ""),
      repeat("", "x*-", "x"),
  };
  for (const std::string& t : texts) {
    ASSERT_LE(t.size(), static_cast<std::size_t>(kMaxExpressionLength));
    TMathFunction f = MakeX(t);
    EXPECT_TRUE(f.State() == 1 || f.State() == 2) << t.substr(0, 20);
    EXPECT_LE(f.Program().size(), static_cast<std::size_t>(kMathTableSize));
    if (f.State() == 2) {
      f.Value(0) = 0.5L;
      f.Evaluate();  // must neither crash nor overrun the stack
    }
  }
}

}  // namespace
}  // namespace plotix
