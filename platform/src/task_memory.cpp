// Task memory is the ordinary heap; failures can be injected to exercise out-of-memory paths.
#include <atomic>
#include <cstdlib>

#include "accounting.hpp"
#include "platform/accounting.h"

namespace {
std::atomic<std::int64_t> allocations_before_failure{-1};

bool injected_failure() noexcept {
  std::int64_t left = allocations_before_failure.load();
  while (left >= 0) {
    if (left == 0) return true;
    if (allocations_before_failure.compare_exchange_weak(left, left - 1)) return false;
  }
  return false;
}
}  // namespace

void* CoTaskMemAlloc(std::size_t bytes) {
  if (injected_failure()) return nullptr;
  void* block = std::malloc(bytes == 0 ? 1 : bytes);
  if (block != nullptr) ++platform::live().task_allocations;
  return block;
}

void CoTaskMemFree(void* block) {
  if (block == nullptr) return;
  --platform::live().task_allocations;
  std::free(block);
}

void VedRuntimeFailTaskAllocAfter(std::int64_t after) { allocations_before_failure.store(after); }
