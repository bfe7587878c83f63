// UTF-16 text that stays where the payload holds it: counted, little-endian and unaligned.
#pragma once

#include <cstddef>
#include <cstdint>
#include <bit>
#include <cstring>
#include <string_view>

namespace io {

// Copies n UTF-16 units inline, in fixed-size blocks that overlap at the end: the texts are short,
// and a call would cost more than the copy.
[[gnu::always_inline]] inline void copy_units(char16_t* out, const void* units, std::size_t n) noexcept {
  auto* to = reinterpret_cast<unsigned char*>(out);
  const auto* from = static_cast<const unsigned char*>(units);
  const std::size_t size = 2 * n;
  if (size >= 16) {
    for (std::size_t at = 0; at + 16 < size; at += 16) std::memcpy(to + at, from + at, 16);
    std::memcpy(to + size - 16, from + size - 16, 16);
  } else if (size >= 8) {
    std::memcpy(to, from, 8);
    std::memcpy(to + size - 8, from + size - 8, 8);
  } else if (size >= 4) {
    std::memcpy(to, from, 4);
    std::memcpy(to + size - 4, from + size - 4, 4);
  } else if (size == 2) {
    std::memcpy(to, from, 2);
  }
}

struct WideText {
  const std::uint8_t* bytes = nullptr;  // 2 * units bytes, little-endian code units
  std::size_t units = 0;

  // UTF-16 the library holds natively, such as a text copied to task memory: the same bytes.
  static WideText of(std::u16string_view text) noexcept {
    static_assert(std::endian::native == std::endian::little);
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
  }

  bool empty() const noexcept { return units == 0; }
  std::size_t size() const noexcept { return units; }
  WideText substr(std::size_t from, std::size_t n) const noexcept { return {bytes + 2 * from, n}; }
  char16_t operator[](std::size_t i) const noexcept {
    static_assert(std::endian::native == std::endian::little);
    char16_t unit;
    std::memcpy(&unit, bytes + 2 * i, sizeof unit);
    return unit;
  }
  // Copies the units to `destination`, which has room for `units` units.
  void copy_to(char16_t* destination) const noexcept {
    static_assert(std::endian::native == std::endian::little);
    copy_units(destination, bytes, units);
  }
};

}  // namespace io
