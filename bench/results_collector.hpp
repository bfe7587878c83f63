// Keeps every benchmark's measurement of the run while the console shows them as usual.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace bench {

struct Measurement {
  double nanoseconds;  // CPU time per call; the fastest repetition's when repeated
  double allocations;  // per call
  double units;        // output units (UTF-16) per call
};

class ResultsCollector : public benchmark::ConsoleReporter {
 public:
  // Colours only for a terminal.
  ResultsCollector();

  void ReportRuns(const std::vector<Run>& runs) override;

  // nullopt for a benchmark that did not run or failed.
  std::optional<Measurement> find(const std::string& name) const;
  // Names and messages of the benchmarks that failed.
  const std::map<std::string, std::string>& failures() const noexcept { return failures_; }

 private:
  struct Repetitions {
    std::vector<double> nanoseconds;
    double allocations = 0;
    double units = 0;
  };

  std::map<std::string, Repetitions> measured_;
  std::map<std::string, std::string> failures_;
};

}  // namespace bench
