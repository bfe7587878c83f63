// Counts heap allocations: the program replaces operator new in all its forms and interposes the C
// allocator, so allocations made by libstdc++, libxml2 and the runtime stand-in are all seen.
#pragma once

#include <cstdint>
#include <utility>

namespace bench {

// Allocations on any thread since the program started.
std::uint64_t allocation_count() noexcept;

template <class Call>
std::uint64_t allocations_during(Call&& call) {
  const std::uint64_t before = allocation_count();
  std::forward<Call>(call)();
  return allocation_count() - before;
}

}  // namespace bench
