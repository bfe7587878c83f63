#include "sample_rendering.hpp"

#include "platform/accounting.h"

namespace test {

bool runtime_is_idle() {
  VedRuntimeCounts live = VedRuntimeLiveCounts();
  return live.monikers == 0 && live.bind_contexts == 0 && live.task_allocations == 0 &&
         live.bstrs == 0 && live.error_infos == 0;
}

const std::vector<host::Sample>& samples() {
  static const std::vector<host::Sample> all = host::make_samples();
  return all;
}

}  // namespace test
