#include "results_collector.hpp"

#include <unistd.h>

#include <algorithm>

#include "render_benchmarks.hpp"

namespace bench {
namespace {

double counter(const benchmark::BenchmarkReporter::Run& run, const char* name) {
  const auto found = run.counters.find(name);
  return found != run.counters.end() ? found->second.value : 0.0;
}

}  // namespace

ResultsCollector::ResultsCollector()
    : ConsoleReporter(isatty(STDOUT_FILENO) == 1 ? OO_ColorTabular : OO_Tabular) {}

void ResultsCollector::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration) continue;
    const std::string name = run.benchmark_name();
    if (run.error_occurred) {
      failures_[name] = run.error_message;
      continue;
    }
    Repetitions& repetitions = measured_[name];
    repetitions.nanoseconds.push_back(run.GetAdjustedCPUTime() * 1e9 /
                                      benchmark::GetTimeUnitMultiplier(run.time_unit));
    repetitions.allocations = counter(run, allocations_counter);
    repetitions.units = counter(run, units_counter);
  }
  ConsoleReporter::ReportRuns(runs);
}

std::optional<Measurement> ResultsCollector::find(const std::string& name) const {
  const auto found = measured_.find(name);
  if (found == measured_.end() || failures_.contains(name)) return std::nullopt;
  // Other processes on the machine only ever add time, so the fastest repetition is the one
  // closest to the cost of the call itself.
  const std::vector<double>& times = found->second.nanoseconds;
  return Measurement{*std::min_element(times.begin(), times.end()), found->second.allocations,
                     found->second.units};
}

}  // namespace bench
