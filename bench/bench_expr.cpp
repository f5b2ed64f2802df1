// Speed of TMathFunction::Evaluate over a redraw's sweep of x, against the same
// formula written by hand in long double with the engine's own routines and checks
// (the floor an interpreter can approach) and, when it is built in, muparser in
// double. After the runs a table gives the median time per evaluation and the
// engine's overhead per postfix record.

#include <benchmark/benchmark.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "expr/math_function.h"
#include "expr/power.h"

#ifdef PLOTIX_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

using plotix::Extended;

constexpr Extended kPi = 3.14159265358979323846264338327950288L;  // the engine's PI, to the bit
constexpr int kColumns = 500;

// One x per pixel column of a 500-pixel-wide 2D graph at zoom 35 centred on 0; the
// poles x = 0, -1, -2, -3 fall on columns, as they do in a real redraw.
const std::vector<Extended>& Sweep() {
  static const std::vector<Extended> xs = [] {
    std::vector<Extended> v;
    for (int col = 0; col < kColumns; ++col) v.push_back(static_cast<Extended>(col - 250) / 35);
    return v;
  }();
  return xs;
}

// ---- the floor ------------------------------------------------------------------
// Every formula by hand, with the engine's power rule, its division and domain
// checks, its sine through the trigonometry fix-up, and a finite result; each
// returns false where the engine reports an error.

[[gnu::always_inline]] inline bool Finish(Extended v, Extended& r) {
  r = v;
  return fabsl(v) <= LDBL_MAX;
}

[[gnu::always_inline]] inline bool Pow(Extended a, Extended b, Extended& r) {
  if (a == 0) {
    r = 0;
    return b > 0;
  }
  if (b == 0) {
    r = 1;
    return true;
  }
  if (a > 0) {
    r = truncl(b) == b ? powl(a, b) : plotix::PowerOfPositive(a, b);
    return true;
  }
  if (truncl(b) != b) return false;
  if (b == 1) {
    r = a;
    return true;
  }
  if (b == -1) {
    r = 1 / a;
    return true;
  }
  const Extended m = powl(-a, b);
  r = truncl(b / 2) == b / 2 ? m : -m;
  return true;
}

[[gnu::always_inline]] inline bool Div(Extended a, Extended b, Extended& r) {
  if (b == 0) return false;
  r = a / b;
  return true;
}

[[gnu::always_inline]] inline bool FloorCubic(Extended x, Extended& r) {
  Extended p;
  if (!Pow(x, 3, p)) return false;
  return Finish(p - 2 * x, r);
}

[[gnu::always_inline]] inline bool FloorCircle(Extended x, Extended& r) {
  Extended p;
  if (!Pow(x, 2, p)) return false;
  const Extended a = 1 - p;
  if (a < 0) return false;
  return Finish(sqrtl(a), r);
}

[[gnu::always_inline]] inline bool FloorDampedSine(Extended x, Extended& r) {
  const Extended s = plotix::FixedSin(x);
  Extended p;
  if (!Pow(x, 2, p)) return false;
  return Finish(s * expl(-p / 10), r);
}

[[gnu::always_inline]] inline bool FloorSineQuotient(Extended x, Extended& r) {
  Extended p, q, t;
  if (!Pow(x, 2, p) || !Div(2 * kPi, x, q) || !Div(p, plotix::FixedSin(q), t)) return false;
  return Finish(t - x / 2, r);
}

[[gnu::always_inline]] inline bool FloorFractions(Extended x, Extended& r) {
  Extended a, b, c;
  if (!Div(1, x + 1, a) || !Div(2, x + 2, b) || !Div(3, x + 3, c)) return false;
  return Finish(a + b + c, r);
}

[[gnu::always_inline]] inline bool FloorSum20(Extended x, Extended& r) {
  return Finish(x + 2 * x + 3 * x + 4 * x + 5 * x + 6 * x + 7 * x + 8 * x + 9 * x + 10 * x + 11 * x + 12 * x + 13 * x +
                    14 * x + 15 * x + 16 * x + 17 * x + 18 * x + 19 * x + 20 * x,
                r);
}

// Powers with an exponent that is no integer, which the library computes the slow way;
// 1.37 has no shortcut at all.
[[gnu::always_inline]] inline bool FloorPower(Extended x, Extended& r) {
  Extended p;
  if (!Pow(fabsl(x), 1.5L, p)) return false;
  return Finish(p, r);
}

[[gnu::always_inline]] inline bool FloorPower137(Extended x, Extended& r) {
  Extended p;
  if (!Pow(fabsl(x), 1.37L, p)) return false;
  return Finish(p, r);
}

// What a power costs when it is written as a product with a square root.
[[gnu::always_inline]] inline bool FloorSqrtProduct(Extended x, Extended& r) {
  const Extended a = fabsl(x);
  return Finish(a * sqrtl(a), r);
}

using TFloorFunc = bool (*)(Extended, Extended&);

template <TFloorFunc Floor>
void BM_Floor(benchmark::State& state) {
  const std::vector<Extended>& xs = Sweep();
  for (auto _ : state) {
    for (const Extended x : xs) {
      Extended r = 0;
      bool ok = Floor(x, r);
      benchmark::DoNotOptimize(ok);
      benchmark::DoNotOptimize(r);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(xs.size()));
}

// ---- the cases ------------------------------------------------------------------

struct TCase {
  const char* label;    // benchmark name suffix
  const char* text;     // as a user types it
  const char* muText;   // the same in muparser's syntax
  bool transcendental;  // dominated by exp, log and sine: held to 1.3 times the floor
  TFloorFunc floor;     // for the agreement check
  void (*floorBench)(benchmark::State&);
};

const TCase kCases[] = {
    {"cubic", "x^3-2x", "x^3-2*x", true, FloorCubic, BM_Floor<FloorCubic>},
    {"circle", "sqrt(1-x^2)", "sqrt(1-x^2)", true, FloorCircle, BM_Floor<FloorCircle>},
    {"damped_sine", "sin(x)*exp(-x^2/10)", "sin(x)*exp(-x^2/10)", true, FloorDampedSine, BM_Floor<FloorDampedSine>},
    {"sine_quotient", "(x^2/sin(2*pi/x))-x/2", "(x^2/sin(2*_pi/x))-x/2", true, FloorSineQuotient,
     BM_Floor<FloorSineQuotient>},
    {"power", "abs(x)^1.5", "abs(x)^1.5", true, FloorPower, BM_Floor<FloorPower>},
    {"power137", "abs(x)^1.37", "abs(x)^1.37", true, FloorPower137, BM_Floor<FloorPower137>},
    {"sqrt_product", "abs(x)*sqrt(abs(x))", "abs(x)*sqrt(abs(x))", true, FloorSqrtProduct, BM_Floor<FloorSqrtProduct>},
    {"fractions", "1/(x+1)+2/(x+2)+3/(x+3)", "1/(x+1)+2/(x+2)+3/(x+3)", false, FloorFractions,
     BM_Floor<FloorFractions>},
    {"sum20", "x+2x+3x+4x+5x+6x+7x+8x+9x+10x+11x+12x+13x+14x+15x+16x+17x+18x+19x+20x",
     "x+2*x+3*x+4*x+5*x+6*x+7*x+8*x+9*x+10*x+11*x+12*x+13*x+14*x+15*x+16*x+17*x+18*x+19*x+20*x", false, FloorSum20,
     BM_Floor<FloorSum20>},
};

bool CompileCase(const TCase& c, plotix::TMathFunction& f) {
  f.SetVariableCount(1);
  f.SetVariableName(0, "X");
  f.SetExpression(c.text);
  return f.Compile();
}

void BM_Plotix(benchmark::State& state, const TCase& c) {
  plotix::TMathFunction f;
  if (!CompileCase(c, f)) {
    state.SkipWithError(f.GetErrorText().c_str());
    return;
  }
  const std::vector<Extended>& xs = Sweep();
  for (auto _ : state) {
    for (const Extended x : xs) {
      f.Value(0) = x;
      bool ok = f.Evaluate();
      Extended r = f.Result();
      benchmark::DoNotOptimize(ok);
      benchmark::DoNotOptimize(r);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(xs.size()));
}

// The same sweep in one batch, as a redraw evaluates a function over its columns.
void BM_PlotixBatch(benchmark::State& state, const TCase& c) {
  plotix::TMathFunction f;
  if (!CompileCase(c, f)) {
    state.SkipWithError(f.GetErrorText().c_str());
    return;
  }
  const std::vector<Extended>& xs = Sweep();
  std::vector<Extended> results(xs.size());
  std::vector<std::uint8_t> errors(xs.size());
  const int slot = 0;
  for (auto _ : state) {
    f.EvaluateBatch({&slot, 1}, xs.data(), xs.size(), results.data(), errors.data());
    benchmark::DoNotOptimize(results.data());
    benchmark::DoNotOptimize(errors.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(xs.size()));
}

#ifdef PLOTIX_HAVE_MUPARSER
bool PrepareMuParser(const TCase& c, mu::Parser& p, double& x, std::string& error) {
  try {
    p.DefineVar("x", &x);
    p.SetExpr(c.muText);
    p.Eval();  // the first run parses; later ones run the byte code
    return true;
  } catch (const mu::Parser::exception_type& e) {
    error = e.GetMsg();
    return false;
  }
}

void BM_MuParser(benchmark::State& state, const TCase& c) {
  double x = 0;
  mu::Parser p;
  std::string error;
  if (!PrepareMuParser(c, p, x, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  std::vector<double> xs;
  for (const Extended v : Sweep()) xs.push_back(static_cast<double>(v));
  for (auto _ : state) {
    for (const double v : xs) {
      x = v;
      double r = p.Eval();
      benchmark::DoNotOptimize(r);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(xs.size()));
}
#endif

void RegisterAll() {
  for (const TCase& c : kCases) {
    benchmark::RegisterBenchmark(("Plotix/" + std::string(c.label)).c_str(), BM_Plotix, c)
        ->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark(("Batch/" + std::string(c.label)).c_str(), BM_PlotixBatch, c)
        ->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark(("Floor/" + std::string(c.label)).c_str(), c.floorBench)->Unit(benchmark::kNanosecond);
#ifdef PLOTIX_HAVE_MUPARSER
    benchmark::RegisterBenchmark(("muparser/" + std::string(c.label)).c_str(), BM_MuParser, c)
        ->Unit(benchmark::kNanosecond);
#endif
  }
}

// ---- agreement ------------------------------------------------------------------

struct TAgreement {
  int records = 0;
  int defined = 0;          // points the engine evaluates without error
  int floorMismatches = 0;  // points where the floor differs in success or in any bit
  int batchMismatches = 0;  // points where the batch differs from Evaluate in its error or any bit
  // Points the engine defines where muparser's finite value differs by more than 1e-9
  // relative; expected only next to poles, where both results are rounding noise.
  int muMismatches = -1;
};

TAgreement CheckAgreement(const TCase& c) {
  TAgreement a;
  plotix::TMathFunction f;
  if (!CompileCase(c, f)) return a;
  a.records = static_cast<int>(f.Program().size());
#ifdef PLOTIX_HAVE_MUPARSER
  double mx = 0;
  mu::Parser p;
  std::string error;
  const bool haveMu = PrepareMuParser(c, p, mx, error);
  if (haveMu) a.muMismatches = 0;
#endif
  const std::vector<Extended>& xs = Sweep();
  std::vector<Extended> batch(xs.size());
  std::vector<std::uint8_t> batchErrors(xs.size());
  const int slot = 0;
  f.EvaluateBatch({&slot, 1}, xs.data(), xs.size(), batch.data(), batchErrors.data());
  for (std::size_t i = 0; i < xs.size(); ++i) {
    const Extended x = xs[i];
    f.Value(0) = x;
    const bool ok = f.Evaluate();
    const Extended single = f.Result();
    if (batchErrors[i] != f.ErrorCode() || std::memcmp(&batch[i], &single, 10) != 0) ++a.batchMismatches;
    Extended r = 0;
    const bool floorOk = c.floor(x, r);
    if (ok) ++a.defined;
    if (ok != floorOk || (ok && r != f.Result())) ++a.floorMismatches;
#ifdef PLOTIX_HAVE_MUPARSER
    if (haveMu && ok) {
      mx = static_cast<double>(x);
      const double m = p.Eval();
      const double want = static_cast<double>(f.Result());
      if (std::isfinite(m) && std::fabs(m - want) > 1e-9 * std::fmax(1.0, std::fabs(want))) ++a.muMismatches;
    }
#endif
  }
  return a;
}

// ---- the table ------------------------------------------------------------------

// Keeps the median of every benchmark (or its only run when there are no repetitions)
// in nanoseconds of CPU time per evaluation, and shows everything on the console.
class TMedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      TTime& slot = times_[run.run_name.function_name];
      if (slot.median && !median) continue;
      slot.median = median;
      slot.ns = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9 / kColumns;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // ns per evaluation, or a negative value when the benchmark did not run.
  double NsPerEval(const std::string& name) const {
    const auto it = times_.find(name);
    return it == times_.end() ? -1 : it->second.ns;
  }

 private:
  struct TTime {
    double ns = -1;
    bool median = false;
  };
  std::map<std::string, TTime> times_;
};

std::string Ns(double ns) {
  if (ns < 0) return "n/a";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", ns);
  return buf;
}

void PrintTable(const TMedianReporter& reporter) {
  std::printf(
      "\nMedian CPU time per evaluation over a %d-column sweep x = (col-250)/35 (ns).\n"
      "Target: Plotix <= floor + 2 ns per record, and <= 1.3 x floor where exp, log and sine "
      "dominate (*).\n\n",
      kColumns);
  std::printf("%-26s %4s %8s %8s %8s %8s %8s %9s %6s %6s %-7s %s\n", "expression", "rec", "defined", "Plotix", "batch",
              "floor", "muparser", "ovh/rec", "ratio", "batch", "target", "agreement");
  for (const TCase& c : kCases) {
    const TAgreement a = CheckAgreement(c);
    const double plotix = reporter.NsPerEval("Plotix/" + std::string(c.label));
    const double floorNs = reporter.NsPerEval("Floor/" + std::string(c.label));
    const double mu = reporter.NsPerEval("muparser/" + std::string(c.label));
    const double batch = reporter.NsPerEval("Batch/" + std::string(c.label));
    std::string overhead = "n/a", ratio = "n/a", batchRatio = "n/a", target = "n/a";
    if (plotix >= 0 && floorNs > 0 && a.records > 0) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%.2f", (plotix - floorNs) / a.records);
      overhead = buf;
      std::snprintf(buf, sizeof buf, "%.2f", plotix / floorNs);
      ratio = buf;
      std::snprintf(buf, sizeof buf, "%.2f", batch / floorNs);
      batchRatio = buf;
      const bool met = plotix <= floorNs + 2.0 * a.records && (!c.transcendental || plotix <= 1.3 * floorNs);
      target = met ? "met" : "MISSED";
    }
    std::string agreement =
        a.floorMismatches == 0 ? "floor exact" : "floor differs at " + std::to_string(a.floorMismatches);
    if (a.batchMismatches > 0) agreement += ", batch differs at " + std::to_string(a.batchMismatches);
    if (a.muMismatches > 0) agreement += ", muparser off at " + std::to_string(a.muMismatches);
    std::string name = c.text;
    if (name.size() > 24) name = name.substr(0, 21) + "...";
    if (c.transcendental) name += " *";
    char defined[16];
    std::snprintf(defined, sizeof defined, "%d/%d", a.defined, kColumns);
    std::printf("%-26s %4d %8s %8s %8s %8s %8s %9s %6s %6s %-7s %s\n", name.c_str(), a.records, defined,
                Ns(plotix).c_str(), Ns(batch).c_str(), Ns(floorNs).c_str(), Ns(mu).c_str(), overhead.c_str(),
                ratio.c_str(), batchRatio.c_str(), target.c_str(), agreement.c_str());
  }
}

bool HasFlag(int argc, char** argv, const char* prefix) {
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], prefix, std::strlen(prefix)) == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // Medians of five repetitions unless the caller asks otherwise.
  static char repetitions[] = "--benchmark_repetitions=5";
  static char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
  std::vector<char*> args(argv, argv + argc);
  if (!HasFlag(argc, argv, "--benchmark_repetitions")) {
    args.push_back(repetitions);
    if (!HasFlag(argc, argv, "--benchmark_report_aggregates_only") &&
        !HasFlag(argc, argv, "--benchmark_display_aggregates_only"))
      args.push_back(aggregatesOnly);
  }
  int count = static_cast<int>(args.size());
  args.push_back(nullptr);
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;

  RegisterAll();
  TMedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintTable(reporter);
  benchmark::Shutdown();
  return 0;
}
