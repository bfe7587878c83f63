// Narrow text to UTF-16 through the system's ANSI code page, one unit per byte.
#pragma once

#include <cstddef>

#include "io/blocks.hpp"

namespace io {

#ifdef _WIN32
void widen_ansi(const char* source, std::size_t n, char16_t* destination) noexcept;
#else
namespace blocks {

struct widen_block {
  static constexpr bool long_texts_inline = false;
  const char* source;
  char16_t* destination;

  template <std::size_t Size>
  [[gnu::always_inline]] bool operator()(std::size_t low, std::size_t high,
                                         block_bytes<Size>) const noexcept {
    unsigned char bytes[Size];
    load(bytes, source, low, high);
    char16_t units[Size];
    for (std::size_t i = 0; i < Size; ++i) units[i] = bytes[i];
    store(destination, sizeof(char16_t) * low, sizeof(char16_t) * high, units);
    return false;
  }
};

}  // namespace blocks

// The runtime stand-in's ANSI code page is Latin-1, so widening is plain zero extension: inline,
// because every narrow write of every renderer goes through it, and a literal's length is then
// known where it is widened.
[[gnu::always_inline]] inline void widen_ansi(const char* source, std::size_t n,
                                              char16_t* destination) noexcept {
  in_blocks<1>(n, blocks::widen_block{source, destination});
}
#endif

}  // namespace io
