#pragma once
// For the benchmarks that end with a summary of ratios against baselines of the same run:
// each benchmark runs in interleaved repetitions (unless the command line sets its own),
// and the median CPU time of each is kept under its name and arguments ("BM_Redraw/500/10").
// CPU time, because the machine is shared: the wall clock also counts other programs.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace plotix {

class TMedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      const std::string name = r.run_name.function_name + (r.run_name.args.empty() ? "" : "/" + r.run_name.args);
      const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
      // A benchmark that runs once keeps its only time.
      if (median || (r.run_type == Run::RT_Iteration && !medians_.count(name))) {
        medians_[name] = r.GetAdjustedCPUTime();
        for (const auto& [counter, value] : r.counters) counters_[name + "#" + counter] = value;
      }
    }
  }

  // The median in the benchmark's time unit; 0 when it did not run.
  double Median(const std::string& name) const { return Find(medians_, name); }
  double Counter(const std::string& name, const std::string& counter) const {
    return Find(counters_, name + "#" + counter);
  }

 private:
  static double Find(const std::map<std::string, double>& values, const std::string& key) {
    const auto it = values.find(key);
    return it == values.end() ? 0 : it->second;
  }

  std::map<std::string, double> medians_, counters_;
};

// Runs every registered benchmark `repetitions` times, interleaved, through the reporter.
inline void RunWithMedians(int argc, char** argv, int repetitions, TMedianReporter& reporter) {
  std::vector<char*> args(argv, argv + argc);
  std::string reps = "--benchmark_repetitions=" + std::to_string(repetitions),
              aggregates = "--benchmark_report_aggregates_only=true",
              interleave = "--benchmark_enable_random_interleaving=true";
  bool userReps = false;
  for (int i = 1; i < argc; ++i) userReps |= std::string(argv[i]).rfind("--benchmark_repetitions", 0) == 0;
  if (!userReps) args.insert(args.end(), {reps.data(), aggregates.data(), interleave.data()});
  int n = static_cast<int>(args.size());
  benchmark::Initialize(&n, args.data());
  benchmark::RunSpecifiedBenchmarks(&reporter);
}

}  // namespace plotix
