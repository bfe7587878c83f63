// Measures every catalogue row's entries on the host's sample payloads. Besides Google Benchmark's
// flags: --results=FILE writes the Markdown results table of the run to FILE.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>

#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "output_check.hpp"
#include "render_benchmarks.hpp"
#include "results_collector.hpp"
#include "results_table.hpp"
#include "sample_events.hpp"

namespace {

// Removes --results=FILE from the arguments and gives FILE.
std::optional<std::string> take_results_path(int& argc, char** argv) {
  constexpr std::string_view flag = "--results=";
  std::optional<std::string> path;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]).starts_with(flag))
      path = std::string(argv[i] + flag.size());
    else
      argv[kept++] = argv[i];
  }
  argc = kept;
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  LIBXML_TEST_VERSION
  benchmark::Initialize(&argc, argv);
  const std::optional<std::string> results_path = take_results_path(argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;

  const std::vector<bench::SampleEvent> samples = bench::sample_events();
  if (!bench::conventional_outputs_match(samples, std::cerr)) return 1;
  bench::register_benchmarks(samples);

  bench::ResultsCollector results;
  benchmark::RunSpecifiedBenchmarks(&results);
  benchmark::Shutdown();
  xmlCleanupParser();

  if (results_path) {
    std::ofstream table(*results_path);
    bench::write_results_table(table, samples, results);
    if (!table) {
      std::cerr << "cannot write " << *results_path << '\n';
      return 1;
    }
  }
  for (const auto& [name, message] : results.failures())
    std::cerr << name << ": " << message << '\n';
  return results.failures().empty() ? 0 : 1;
}
