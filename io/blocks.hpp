// Short texts a fixed-size block at a time: the one walk behind copying, widening and scanning.
// Most texts the sinks write are a few to a few dozen units. A block whose size is known when
// compiled lets the compiler work on it with its widest registers (or as plain integers where a
// target has none), and taking the first and the last half of a short text as the two halves of
// one block covers every length without a loop over the last few units.
#pragma once

#include <cstddef>
#include <cstring>
#include <type_traits>

namespace io {

template <std::size_t Bytes>
using block_bytes = std::integral_constant<std::size_t, Bytes>;

namespace blocks {

template <class Block>
[[gnu::always_inline]] inline bool whole_blocks(std::size_t size, Block block) {
  std::size_t at = 0;
  for (; at + 16 < size; at += 16)
    if (block(at, at + 8, block_bytes<16>{})) return true;
  return block(size - 16, size - 8, block_bytes<16>{});
}

// The same out of line, for blocks whose work is larger than a call: texts of 16 bytes or more
// are rarer, and long enough to pay for it.
template <class Block>
[[gnu::noinline]] bool whole_blocks_out_of_line(std::size_t size, Block block) {
  return whole_blocks(size, block);
}

// Fills `block` with the halves that start at byte `low` and at byte `high`, and puts a block's
// halves back there.
template <class Unit, std::size_t N>
[[gnu::always_inline]] inline void load(Unit (&block)[N], const void* bytes, std::size_t low,
                                        std::size_t high) noexcept {
  constexpr std::size_t half = sizeof block / 2;
  std::memcpy(block, static_cast<const unsigned char*>(bytes) + low, half);
  std::memcpy(reinterpret_cast<unsigned char*>(block) + half,
              static_cast<const unsigned char*>(bytes) + high, half);
}
template <class Unit, std::size_t N>
[[gnu::always_inline]] inline void store(void* bytes, std::size_t low, std::size_t high,
                                         const Unit (&block)[N]) noexcept {
  constexpr std::size_t half = sizeof block / 2;
  std::memcpy(static_cast<unsigned char*>(bytes) + low, block, half);
  std::memcpy(static_cast<unsigned char*>(bytes) + high,
              reinterpret_cast<const unsigned char*>(block) + half, half);
}

}  // namespace blocks

// Covers `size` bytes, units of `UnitBytes` each, with blocks: calls block(low, high,
// block_bytes<B>{}) for a block of B bytes whose first half starts at byte `low` and whose second
// half starts at byte `high`. From 16 bytes on these are consecutive blocks of 16, the last one
// ending at `size` and overlapping the one before it; below 16 bytes, one block of the first and
// the last B/2 bytes, B the smallest of 16, 8, 4 and 2 that holds them all (the halves overlap
// unless `size` is B). Stops at the first block for which `block` returns true, and returns
// whether one did. `block` is a small function object whose call operator is forced inline; its
// `long_texts_inline` says whether texts of 16 bytes or more are walked inline too.
template <std::size_t UnitBytes, class Block>
[[gnu::always_inline]] inline bool in_blocks(std::size_t size, Block block) {
  static_assert(UnitBytes == 1 || UnitBytes == 2);
  if (size >= 16) {
    if constexpr (Block::long_texts_inline)
      return blocks::whole_blocks(size, block);
    else
      return blocks::whole_blocks_out_of_line(size, block);
  }
  if (size >= 8) return block(0, size - 8, block_bytes<16>{});
  if (size >= 4) return block(0, size - 4, block_bytes<8>{});
  if (size >= 2) return block(0, size - 2, block_bytes<4>{});
  if constexpr (UnitBytes == 1) {
    if (size == 1) return block(0, 0, block_bytes<2>{});
  }
  return false;
}

}  // namespace io
