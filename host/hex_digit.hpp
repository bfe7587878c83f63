// The value of a hexadecimal digit, either letter case, by table: decoding payloads and GUIDs
// takes one load per character.
#pragma once

#include <array>
#include <cstdint>

namespace host {

inline constexpr std::array<std::int8_t, 256> hex_digit_values = [] {
  std::array<std::int8_t, 256> values{};
  values.fill(-1);
  for (int i = 0; i < 10; ++i) values[static_cast<std::size_t>('0' + i)] = static_cast<std::int8_t>(i);
  for (int i = 0; i < 6; ++i) {
    values[static_cast<std::size_t>('a' + i)] = static_cast<std::int8_t>(10 + i);
    values[static_cast<std::size_t>('A' + i)] = static_cast<std::int8_t>(10 + i);
  }
  return values;
}();

// 0 to 15, or -1 for a character that is not a hexadecimal digit.
constexpr int hex_digit_value(char c) noexcept { return hex_digit_values[static_cast<unsigned char>(c)]; }

}  // namespace host
