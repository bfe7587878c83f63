// UTF-16 to UTF-8: the one encoder of the runtime stand-in, the host and the tests. Surrogates pair
// where they pair; an unpaired one is reported, since the plug-in copies such units from payloads
// and each output decides how to show them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

struct CodePoint {
  char32_t value;
  bool unpaired_surrogate;  // value is a lone surrogate unit, not a scalar value
};

// The code point that starts at text[at], pairing surrogates where they pair; at moves past it.
inline CodePoint next_code_point(std::u16string_view text, std::size_t& at) noexcept {
  char32_t unit = text[at++];
  bool high = unit >= 0xD800 && unit <= 0xDBFF;
  bool low = unit >= 0xDC00 && unit <= 0xDFFF;
  if (high && at < text.size() && text[at] >= 0xDC00 && text[at] <= 0xDFFF) {
    char32_t next = text[at++];
    return {0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00), false};
  }
  return {unit, high || low};
}

// Writes the UTF-8 form of a scalar value, at most four bytes, and returns its end.
inline char* write_utf8(char* out, char32_t value) noexcept {
  auto byte = [&out](char32_t bits) {
    *out++ = static_cast<char>(static_cast<unsigned char>(bits));
  };
  if (value < 0x80) {
    byte(value);
  } else if (value < 0x800) {
    byte(0xC0 | value >> 6);
    byte(0x80 | (value & 0x3F));
  } else if (value < 0x10000) {
    byte(0xE0 | value >> 12);
    byte(0x80 | (value >> 6 & 0x3F));
    byte(0x80 | (value & 0x3F));
  } else {
    byte(0xF0 | value >> 18);
    byte(0x80 | (value >> 12 & 0x3F));
    byte(0x80 | (value >> 6 & 0x3F));
    byte(0x80 | (value & 0x3F));
  }
  return out;
}

// The UTF-8 of a text, with U+FFFD for each unpaired surrogate.
inline std::string to_utf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    CodePoint point = next_code_point(text, at);
    char bytes[4];
    out.append(bytes, write_utf8(bytes, point.unpaired_surrogate ? U'\uFFFD' : point.value));
  }
  return out;
}

}  // namespace platform
