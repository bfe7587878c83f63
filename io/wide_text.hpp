// UTF-16 text that stays where the payload holds it: counted, little-endian and unaligned.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "io/copy_units.hpp"

namespace io {

static_assert(std::endian::native == std::endian::little,
              "payload text is little-endian and copied as it is");

struct WideText {
  const std::uint8_t* bytes = nullptr;  // 2 * units bytes, little-endian code units
  std::size_t units = 0;

  // UTF-16 the library holds natively, such as a text copied to task memory: the same bytes.
  static WideText of(std::u16string_view text) noexcept {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
  }

  bool empty() const noexcept { return units == 0; }
  std::size_t size() const noexcept { return units; }
  WideText substr(std::size_t from, std::size_t n) const noexcept { return {bytes + 2 * from, n}; }
  char16_t operator[](std::size_t i) const noexcept {
    char16_t unit;
    std::memcpy(&unit, bytes + 2 * i, sizeof unit);
    return unit;
  }
  // Copies the units to `destination`, which has room for size() units.
  void copy_to(char16_t* destination) const noexcept { copy_units(destination, bytes, units); }
};

}  // namespace io
