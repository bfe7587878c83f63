// Copying UTF-16 units, inline: the texts are short, and a call would cost more than the copy.
#pragma once

#include <cstddef>

#include "io/blocks.hpp"

namespace io {

namespace blocks {

struct copy_block {
  static constexpr bool long_texts_inline = true;  // a move per block: less than a call
  unsigned char* to;
  const unsigned char* from;

  template <std::size_t Size>
  [[gnu::always_inline]] bool operator()(std::size_t low, std::size_t high,
                                         block_bytes<Size>) const noexcept {
    unsigned char block[Size];
    load(block, from, low, high);
    store(to, low, high, block);
    return false;
  }
};

}  // namespace blocks

// Copies n UTF-16 units from `units`, which need not be aligned, to `out`.
[[gnu::always_inline]] inline void copy_units(char16_t* out, const void* units, std::size_t n) noexcept {
  in_blocks<sizeof(char16_t)>(sizeof(char16_t) * n,
                              blocks::copy_block{reinterpret_cast<unsigned char*>(out),
                                                 static_cast<const unsigned char*>(units)});
}

}  // namespace io
