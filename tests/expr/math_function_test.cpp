// The compiler: error codes, texts and positions, the rewriting passes, symbols, state,
// and the limits of its tables.
#include "expr/math_function.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace plotix {
namespace {

constexpr Extended kPi = 3.14159265358979323846264338327950288L;

// A function of x and y, as typed; y is 0 unless a test sets it.
TMathFunction MakeX(const std::string& text) {
  TMathFunction f;
  f.SetVariableCount(2);
  f.SetVariableName(0, "x");
  f.SetVariableName(1, "y");
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

struct TErrorCase {
  std::string text;
  int code;
  int position;
};

TEST(MathCompile, ErrorsCarryTheirCodeAndPositionInTheTypedText) {
  // SINUS is SIN, then U is nothing; a byte that is no UTF-8 is one character.
  // clang-format off
  const TErrorCase cases[] = {
      {"", meEmpty, 0},          {"x+1,5", meIllegalChar, 4},
      {"1.2.3", meBadNumber, 1}, {"sin x", meNoOpenParen, 1},
      {"(x", meParentheses, 0},  {"x*", meSyntax, 2},
      {"z", meUnknownSymbol, 1}, {"sinus(x)", meUnknownSymbol, 4},
      {"x+1/0", meDivByZero, 4}, {"()", meSyntax, 2},
      {"x\xe9+1", meIllegalChar, 2}, {"x+\xc3", meIllegalChar, 3},
  };
  // clang-format on

  for (const auto& c : cases) {
    TMathFunction f = MakeX(c.text);
    EXPECT_EQ(std::tuple(f.State(), f.ErrorCode(), f.ErrorPosition(), f.Program().size()),
              std::tuple(1, c.code, c.position, std::size_t(0)))
        << c.text;
  }
}

TEST(MathCompile, LengthLimitCountsCharactersIncludingSpaces) {
  EXPECT_EQ(MakeX(std::string(1001, ' ')).GetErrorText(), "Expressions May Not Be Longer Than 1000 Characters");
  EXPECT_EQ(MakeX("x" + std::string(999, ' ')).ErrorCode(), meNone);
  std::string accents;  // 600 characters in 1200 bytes
  for (int i = 0; i < 600; ++i) accents += "\xc3\xa9";
  EXPECT_EQ(MakeX(accents).ErrorCode(), meIllegalChar);
  std::string sum = "1";
  while (sum.size() < 999) sum += "+1";
  EXPECT_EQ(MakeX(sum + "x").State(), 2);
}

TEST(MathCompile, ErrorTextsAreTheFixedWords) {
  const std::tuple<int, int, const char*> rows[] = {{0, 0, "No Error"},
                                                    {3, 5, "Illegal Char at Character 5"},
                                                    {18, 0, "Circular Reference"},
                                                    {19, 0, "Undetermined Error"},
                                                    {7, 0, "Function Not Followed by Open Parentheses Character"},
                                                    {17, 2, "Invalid Floating Point Operation at Character 2"}};
  for (const auto& [code, position, text] : rows) EXPECT_EQ(MathErrorText(code, position), text) << code;
  EXPECT_EQ(MakeX("x+1/0").GetErrorText(), "Division by Zero at Character 4");
}

struct TValueCase {
  std::string text;
  Extended x;
  Extended expected;
};

TEST(MathCompile, RewritingPassesGiveTheLanguagesMeaning) {
  const Extended e = expl(1.0L);
  // A sign after an operator binds like a leading one; x+sqrt(4) is folded to x 2 +.
  // clang-format off
  const TValueCase cases[] = {
      {"--x", 3, 3}, {"x--y", 3, 3}, {"-x^2", 3, -9}, {"2*-x^2", 3, -18}, {"x/-2^2", 3, -0.75L},
      {"2^-x^2", 3, 1.0L / 512}, {"2*-x^-(1+1)^2", 2, -0.125L}, {"2^-1", 0, 0.5L}, {"2*-sin(x)", kPi / 2, -2},
      {"2x", 4, 8}, {"(x+1)(x-1)", 4, 15}, {"xsin(x)", kPi / 2, kPi / 2}, {"2pi", 0, 2 * kPi}, {"2E3", 0, 2 * e * 3},
      {"2^3^2", 0, 64}, {"sin(x)^2", kPi / 2, 1}, {"x/-2", 4, -2}, {".5x", 4, 2},
      {"2*-x^sin(x)", 2, -2 * powl(2, sinl(2))}, {"x+sqrt(4)", 3, 5}, {"x*2^10", 3, 3072},
  };
  // clang-format on
  for (const auto& c : cases) {
    TMathFunction f = MakeX(c.text);
    ASSERT_EQ(f.State(), 2) << c.text << ": " << f.GetErrorText();
    ExpectClose(ValueAt(f, c.x), c.expected, c.text);
  }
  TMathFunction xy = MakeX("x--y");  // a sign merged into the second variable
  xy.Value(1) = 4;
  EXPECT_EQ(ValueAt(xy, 3), 7);
}

TEST(MathCompile, SymbolsAreMatchedLongestFirstAndVariablesBeforeSymbols) {
  TMathFunction f = MakeX("Y*ARCSINH(x)+exp(x)+e");
  f.Value(1) = 2;
  EXPECT_EQ(ValueAt(f, 1), 2 * logl(1 + sqrtl(2)) + expl(1) + expl(1));
  TMathFunction e;  // a variable named like a function's start shadows it
  e.SetVariableCount(1);
  e.SetVariableName(0, "E");
  e.SetExpression("exp(1)");
  EXPECT_FALSE(e.Compile());
  EXPECT_EQ(e.ErrorCode(), meUnknownSymbol);
  e.SetLongestNameMatching(true);  // unless the longer name wins
  e.SetExpression("exp(e)+e");
  ASSERT_TRUE(e.Compile());
  EXPECT_EQ(ValueAt(e, 2), expl(2) + 2);
}

TEST(MathCompile, StateFollowsChanges) {
  TMathFunction f = MakeX("x+1");
  EXPECT_EQ(f.State(), 2);
  f.SetExpression("x+2");
  EXPECT_EQ(f.State(), 0);
  EXPECT_FALSE(f.Evaluate());
  EXPECT_EQ(f.GetErrorText(), "Unknown Exception");
  ASSERT_TRUE(f.Compile());
  f.SetVariableName(0, "x");
  EXPECT_EQ(f.State(), 0);
  ASSERT_TRUE(f.Compile());
  f.SetVariableCount(2);  // an unchanged count keeps the program
  EXPECT_EQ(f.State(), 2);
  f.SetVariableCount(0);
  EXPECT_EQ(f.State(), 0);
  EXPECT_FALSE(f.Compile());
  EXPECT_EQ(f.ErrorCode(), meUnknownSymbol);
  // A failed compile keeps text and variables.
  EXPECT_EQ(f.Expression(), "x+2");
}

// The compile tables hold 2016 records: no 1000-character text may write past them,
// whatever the unary signs and implicit products expand it to.
TEST(MathCompile, WorstCaseExpansionsStayWithinTheTables) {
  auto repeat = [](const std::string& head, const std::string& unit, const std::string& tail) {
    std::string s = head;
    while (s.size() + unit.size() + tail.size() <= kMaxExpressionLength) s += unit;
    return s + tail;
  };
  const std::pair<std::string, int> rows[] = {
      {repeat("x", "^-x", ""), meNone},       {repeat("", "x", ""), meNone},
      {repeat("", "(-", "x"), meParentheses}, {repeat("2", "*-(2", ""), meParentheses},
      {repeat("x", "^-2x", ""), meNone},      {repeat("", "-x", ""), meNone},
      {repeat("", "2^-", "x"), meNone},       {repeat("", "(x)", ""), meNone},
      {repeat("", "x*-", "x"), meNone},
  };
  for (const auto& [text, code] : rows) {
    ASSERT_LE(text.size(), static_cast<std::size_t>(kMaxExpressionLength));
    TMathFunction f = MakeX(text);
    EXPECT_EQ(f.ErrorCode(), code) << text.substr(0, 20);
    EXPECT_LE(f.Program().size(), static_cast<std::size_t>(kMathTableSize));
    f.Value(0) = 0.5L;
    f.Evaluate();  // must neither crash nor overrun the stack
  }
}

}  // namespace
}  // namespace plotix
