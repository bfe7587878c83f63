// Whether a text holds a unit of a set, looked for a block at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "io/blocks.hpp"
#include "io/narrow_text.hpp"
#include "io/wide_text.hpp"

namespace io {

// A set is a class with `template <class Unit> static constexpr bool in_block(Unit)`, written with
// comparisons only, so that the compiler applies it to a whole block at once. A narrow byte stands
// for the unit of its value.
struct line_breaks {
  template <class Unit>
  static constexpr bool in_block(Unit unit) noexcept {
    return unit == Unit{'\n'};
  }
};

namespace blocks {

// True when the block holds a unit of the set.
template <class Set, class Unit>
struct scan_block {
  static constexpr bool long_texts_inline = false;
  const unsigned char* bytes;

  template <std::size_t Size>
  [[gnu::always_inline]] bool operator()(std::size_t low, std::size_t high,
                                         block_bytes<Size>) const noexcept {
    constexpr std::size_t count = Size / sizeof(Unit);
    Unit block[count];
    load(block, bytes, low, high);
    Unit marks[count];
    for (std::size_t i = 0; i < count; ++i)
      marks[i] = Set::in_block(block[i]) ? static_cast<Unit>(~Unit{}) : Unit{};
    // Any mark set: the block's bytes as a few words, or-ed together.
    using Word = std::conditional_t<Size >= 8, std::uint64_t,
                                    std::conditional_t<Size == 4, std::uint32_t, std::uint16_t>>;
    Word words[Size / sizeof(Word)];
    std::memcpy(words, marks, Size);
    Word any = 0;
    for (Word word : words) any |= word;
    return any != 0;
  }
};

}  // namespace blocks

// Whether n units of type Unit (a byte, or a little-endian UTF-16 unit at any alignment) at
// `units` hold a unit of the set.
template <class Set, class Unit>
[[gnu::always_inline]] inline bool holds(const void* units, std::size_t n) noexcept {
  static_assert(sizeof(Unit) == 1 || sizeof(Unit) == 2);
  return in_blocks<sizeof(Unit)>(
      sizeof(Unit) * n, blocks::scan_block<Set, Unit>{static_cast<const unsigned char*>(units)});
}

template <class Set>
[[gnu::always_inline]] inline bool holds(std::string_view text) noexcept {
  return holds<Set, unsigned char>(text.data(), text.size());
}
template <class Set>
[[gnu::always_inline]] inline bool holds(std::u16string_view text) noexcept {
  return holds<Set, char16_t>(text.data(), text.size());
}
template <class Set>
[[gnu::always_inline]] inline bool holds(NarrowText text) noexcept {
  return holds<Set>(text.text);
}
template <class Set>
[[gnu::always_inline]] inline bool holds(WideText text) noexcept {
  return holds<Set, char16_t>(text.bytes, text.units);
}

}  // namespace io
