// The host's samples and the runtime's live objects, for property checks over every sample.
#pragma once

#include <vector>

#include "samples.hpp"
#include "support/render_harness.hpp"

namespace test {

// True when no runtime object (moniker, bind context, task memory, BSTR, error information) lives.
bool runtime_is_idle();

const std::vector<host::Sample>& samples();

}  // namespace test
