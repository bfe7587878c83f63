#include "platform/accounting.h"

#include "accounting.hpp"

namespace platform {

LiveCounters& live() noexcept {
  static LiveCounters counters;
  return counters;
}

}  // namespace platform

VedRuntimeCounts VedRuntimeLiveCounts() {
  platform::LiveCounters& c = platform::live();
  return {c.task_allocations.load(), c.bstrs.load(), c.error_infos.load(), c.bind_contexts.load(),
          c.monikers.load()};
}
