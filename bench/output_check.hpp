// A comparison is only fair on equal output: every conventional renderer must produce exactly
// what the entry beside it produces, colour included, on every sample of its row.
#pragma once

#include <ostream>
#include <vector>

#include "sample_events.hpp"

namespace bench {

// Writes each difference to `errors`; true when there is none.
bool conventional_outputs_match(const std::vector<SampleEvent>& samples, std::ostream& errors);

}  // namespace bench
