#include "com/module.hpp"

#include <atomic>

namespace com::module {
namespace {
std::atomic<std::int32_t> locks{0};
}  // namespace

std::int32_t lock() noexcept { return locks.fetch_add(1) + 1; }
std::int32_t unlock() noexcept { return locks.fetch_sub(1) - 1; }
std::int32_t lock_count() noexcept { return locks.load(); }

}  // namespace com::module
