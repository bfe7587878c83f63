// The module object: the library's one lock count, which decides whether it may be unloaded.
#pragma once

#include <cstdint>

namespace com::module {

// Atomic; each returns the new count.
std::int32_t lock() noexcept;
std::int32_t unlock() noexcept;
std::int32_t lock_count() noexcept;

}  // namespace com::module
