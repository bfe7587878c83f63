// UTF-16 text that stays where the payload holds it: counted, little-endian and unaligned.
#pragma once

#include <cstddef>
#include <cstdint>
#include <bit>
#include <cstring>

namespace io {

struct WideText {
  const std::uint8_t* bytes = nullptr;  // 2 * units bytes, little-endian code units
  std::size_t units = 0;

  bool empty() const noexcept { return units == 0; }
  char16_t operator[](std::size_t i) const noexcept {
    return static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  // Copies the units to `destination`, which has room for `units` units.
  void copy_to(char16_t* destination) const noexcept {
    static_assert(std::endian::native == std::endian::little);
    if (units != 0) std::memcpy(destination, bytes, 2 * units);
  }
};

}  // namespace io
