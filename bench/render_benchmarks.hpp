// The benchmarks of one run: for every sample and output kind the row's entry, the memcpy floor of
// its finished output, and the conventional renderers that stand beside that row.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "conventional_renderers.hpp"
#include "sample_events.hpp"

namespace bench {

// The entries' own measurement and the floor, beside the conventional methods' names.
inline constexpr std::string_view ours = "ours";
inline constexpr std::string_view memcpy_floor = "memcpy";

// "<row>/<xml|text>/<sample number>/<method>"; rows in two digits so that names sort by row.
std::string benchmark_name(const SampleEvent& sample, Output output, std::string_view method);

// Counters every benchmark reports besides its time.
inline constexpr const char* allocations_counter = "allocs";
inline constexpr const char* units_counter = "units";

void register_benchmarks(const std::vector<SampleEvent>& samples);

}  // namespace bench
