// What the evaluator promises: non-integer powers within an ulp of reference values,
// batches and threads that give every point its single-point result to the bit, and one
// fix-up setting per batch while the user changes it.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "expr/math_function.h"
#include "expr/power.h"

namespace plotix {
namespace {

// The reference table comes from scripts/power_reference.py (mpmath at 300 bits).
TEST(MathPower, NonIntegerPowersLieWithinAnUlpOfTheExactValue) {
  std::ifstream in(PLOTIX_EXPR_DATA "/power_reference.txt");
  ASSERT_TRUE(in);
  int rows = 0, notNearest = 0;
  for (std::string line; std::getline(in, line);) {
    if (line[0] == '#') continue;
    std::istringstream fields(line);
    std::string a, b, nearest;
    int ulp = 0;
    double above = 0;  // the exact value's distance above `nearest`, in ulps
    fields >> a >> b >> nearest >> ulp >> above;
    const Extended got = PowerOfPositive(std::strtold(a.c_str(), nullptr), std::strtold(b.c_str(), nullptr));
    const Extended want = std::strtold(nearest.c_str(), nullptr);
    ++rows;
    notNearest += got != want;
    if (above == 0 || std::isinf(want)) {
      EXPECT_EQ(got, want) << line;  // representable: exact; or beyond the range
      continue;
    }
    EXPECT_LT(std::fabs(static_cast<double>((got - want) / ldexpl(1, ulp)) - above), 1.0) << line;
  }
  EXPECT_GT(rows, 400);
  EXPECT_LE(notNearest, rows / 100);
}

// Functions as a redraw meets them: poles, domain edges, overflow, the fix-up, powers.
const char* const kBodies[] = {"x^3-2x",           "1/x",    "sqrt(1-x^2)",   "tan(x)",      "exp(x^2)*0+1",
                               "abs(x)^1.37-x",    "x^x",    "x+2x+3x-4x/5x", "sin(x*pi)+1", "ln(x)+1/(x-2)",
                               "fact(x)-(-x)^0.5", "2^(x^3)"};

struct TOutcome {
  Extended value;
  int error;
  bool operator==(const TOutcome& o) const { return error == o.error && std::memcmp(&value, &o.value, 10) == 0; }
};

TMathFunction OfX(const char* body) {
  TMathFunction f;
  f.SetVariableCount(1);
  f.SetVariableName(0, "X");
  f.SetExpression(body);
  EXPECT_TRUE(f.Compile()) << body;
  return f;
}

TEST(MathEvaluator, BatchesAndThreadsGiveEveryPointItsSinglePointResult) {
  std::vector<Extended> xs = {0, 2, -1, 1, 110, 1e3000L, -1e3000L, 4000};
  for (int i = -300; i <= 300; ++i) xs.push_back(i / 7.0L);
  std::vector<TMathFunction> functions;
  std::vector<std::vector<TOutcome>> expected;  // point by point: what every other way must give
  for (const char* body : kBodies) {
    TMathFunction& f = functions.emplace_back(OfX(body));
    std::vector<TOutcome>& outcomes = expected.emplace_back();
    for (const Extended x : xs) {
      f.Value(0) = x;
      f.Evaluate();
      outcomes.push_back({f.Result(), f.ErrorCode()});
    }
  }
  const int slot = 0;
  for (const int threads : {1, 2, 8}) {
    // Every function split into `threads` ranges, each range on its own thread.
    std::vector<std::vector<Extended>> values(functions.size(), std::vector<Extended>(xs.size()));
    std::vector<std::vector<std::uint8_t>> errors(functions.size(), std::vector<std::uint8_t>(xs.size()));
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
      workers.emplace_back([&, t] {
        TMathEvaluator evaluator;
        const Extended unused = 0;
        const std::size_t from = xs.size() * t / threads, to = xs.size() * (t + 1) / threads;
        for (std::size_t i = 0; i < functions.size(); ++i)
          evaluator.EvaluateBatch(*functions[i].Prepared(), &unused, {&slot, 1}, xs.data() + from, to - from,
                                  values[i].data() + from, errors[i].data() + from);
      });
    }
    for (std::thread& w : workers) w.join();
    for (std::size_t i = 0; i < functions.size(); ++i)
      for (std::size_t k = 0; k < xs.size(); ++k)
        EXPECT_EQ((TOutcome{values[i][k], errors[i][k]}), expected[i][k])
            << kBodies[i] << " at " << static_cast<double>(xs[k]) << " on " << threads << " threads";
  }
}

TEST(MathEvaluator, ABatchKeepsOneFixupSettingWhileTheUserChangesIt) {
  TMathFunction f = OfX("sin(x)");
  std::vector<Extended> multiples;  // of pi: 0 under the fix-up, small residues without it
  for (int k = 1; k <= 2000; ++k) multiples.push_back(k * 3.14159265358979323846264338327950288L);
  std::atomic<bool> done = false;
  std::thread user([&] {
    for (int i = 0; !done; ++i) SetTrigFixup(i % 2 ? 0 : 2, true);
  });
  int mixed = 0;
  std::vector<Extended> results(multiples.size());
  std::vector<std::uint8_t> errors(multiples.size());
  const int slot = 0;
  for (int batch = 0; batch < 300; ++batch) {
    f.EvaluateBatch({&slot, 1}, multiples.data(), multiples.size(), results.data(), errors.data());
    const auto zeros = std::count(results.begin(), results.end(), 0);
    mixed += zeros != 0 && zeros != static_cast<long>(results.size());
  }
  done = true;
  user.join();
  SetTrigFixup(2, true);
  EXPECT_EQ(mixed, 0);
}

}  // namespace
}  // namespace plotix
