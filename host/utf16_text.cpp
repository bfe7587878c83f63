#include "utf16_text.hpp"

namespace host {

char* write_utf8(char* out, char32_t value) noexcept {
  auto byte = [&out](char32_t bits) { *out++ = static_cast<char>(static_cast<unsigned char>(bits)); };
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

std::string to_display_utf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for_each_code_point(text, [&out](CodePoint point) {
    char bytes[4];
    out.append(bytes, write_utf8(bytes, point.unpaired_surrogate ? U'\uFFFD' : point.value));
  });
  return out;
}

}  // namespace host
