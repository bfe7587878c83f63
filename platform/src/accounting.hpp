// Live-object counters shared by the runtime stand-in's objects.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/com.h"

namespace platform {

struct LiveCounters {
  std::atomic<std::int64_t> task_allocations{0};
  std::atomic<std::int64_t> bstrs{0};
  std::atomic<std::int64_t> error_infos{0};
  std::atomic<std::int64_t> bind_contexts{0};
  std::atomic<std::int64_t> monikers{0};
};

LiveCounters& live() noexcept;

// Counts one live object of a kind for as long as it exists.
template <std::atomic<std::int64_t> LiveCounters::*Counter>
struct Counted {
  Counted() noexcept { ++(live().*Counter); }
  Counted(const Counted&) = delete;
  Counted& operator=(const Counted&) = delete;
  ~Counted() { --(live().*Counter); }
};

// A COM object's reference count, thread-safe as the runtime's own objects are.
class RefCount {
 public:
  ULONG add() noexcept { return ++count_; }
  ULONG release() noexcept { return --count_; }

 private:
  std::atomic<ULONG> count_{1};
};

}  // namespace platform
