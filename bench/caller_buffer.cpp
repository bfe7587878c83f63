#include "caller_buffer.hpp"

namespace bench {
namespace {

// The code point starting at text[i], advancing i; malformed bytes pass as they are.
char32_t next_code_point(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
  const unsigned char lead = byte(i++);
  std::size_t trail = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  if (i + trail > text.size()) return lead;
  char32_t c = trail == 0 ? lead : lead & (0x3Fu >> trail);
  for (; trail != 0; --trail) c = c << 6 | (byte(i++) & 0x3Fu);
  return c;
}

}  // namespace

bool copy_to_caller_buffer(std::string_view utf8, char16_t* buffer, std::uint32_t size) {
  std::size_t written = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = next_code_point(utf8, i);
    const std::size_t units = c >= 0x10000 ? 2 : 1;
    if (written + units >= size) {
      buffer[0] = u'\0';
      return false;
    }
    if (units == 2) {
      buffer[written++] = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      buffer[written++] = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      buffer[written++] = static_cast<char16_t>(c);
    }
  }
  buffer[written] = u'\0';
  return true;
}

}  // namespace bench
