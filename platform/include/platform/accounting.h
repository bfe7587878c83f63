// Live-object accounting and fault injection of the runtime stand-in, for tests: every object
// the runtime hands out is counted until it is released, so a leak on any path is visible.
#pragma once

#include <cstdint>

#include "platform/com.h"

struct VedRuntimeCounts {
  std::int64_t task_allocations;
  std::int64_t bstrs;
  std::int64_t error_infos;
  std::int64_t bind_contexts;
  std::int64_t monikers;
};

VED_RUNTIME_API VedRuntimeCounts VedRuntimeLiveCounts();

// The next `after` task allocations succeed, every one after them fails, until reset with -1.
VED_RUNTIME_API void VedRuntimeFailTaskAllocAfter(std::int64_t after);
