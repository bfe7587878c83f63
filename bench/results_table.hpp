// The run's results as Markdown tables: one line per sample and output kind, with the ratios to
// the memcpy floor and to the conventional renderers, and the targets they miss marked.
#pragma once

#include <ostream>
#include <vector>

#include "results_collector.hpp"
#include "sample_events.hpp"

namespace bench {

// The targets: XML entries within this many times the memcpy floor, the conventional renderers
// at least this many times slower than the entries.
inline constexpr double floor_ratio_limit = 10.0;
inline constexpr double conventional_ratio_minimum = 5.0;

void write_results_table(std::ostream& out, const std::vector<SampleEvent>& samples,
                         const ResultsCollector& results);

}  // namespace bench
