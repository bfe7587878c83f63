// The registry form of an identifier, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case, in
// either character type and without allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/com.h"

namespace com {

template <class Char>
struct GuidText {
  Char text[39];  // braced, NUL-terminated

  constexpr std::basic_string_view<Char> braced() const noexcept { return {text, 38}; }
  constexpr std::basic_string_view<Char> bare() const noexcept { return {text + 1, 36}; }
  constexpr const Char* c_str() const noexcept { return text; }
};

template <class Char>
constexpr GuidText<Char> guid_text(const GUID& guid) noexcept {
  GuidText<Char> result{};
  std::size_t at = 0;
  auto put = [&](char c) { result.text[at++] = static_cast<Char>(c); };
  auto hex = [&](std::uint32_t value, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
      put("0123456789ABCDEF"[(value >> shift) & 0xF]);
  };
  put('{');
  hex(guid.Data1, 8);
  put('-');
  hex(guid.Data2, 4);
  put('-');
  hex(guid.Data3, 4);
  put('-');
  for (std::size_t i = 0; i < 8; ++i) {
    if (i == 2) put('-');
    hex(guid.Data4[i], 2);
  }
  put('}');
  return result;
}

}  // namespace com
