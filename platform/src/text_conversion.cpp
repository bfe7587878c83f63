// Code-page conversions: the ANSI code page is Latin-1 (one unit per byte, same value) and
// UTF-8 is converted exactly; invalid UTF-8 and unpaired surrogates become U+FFFD.
#include <cstdint>

#include "platform/com.h"
#include "platform/utf8.hpp"

namespace {

std::size_t length_of(const char* s) {
  std::size_t n = 0;
  while (s[n] != '\0') ++n;
  return n;
}
std::size_t length_of(const OLECHAR* s) {
  std::size_t n = 0;
  while (s[n] != u'\0') ++n;
  return n;
}

// Decodes one code point from UTF-8; advances i.
std::uint32_t decode_utf8(const unsigned char* s, std::size_t n, std::size_t& i) {
  unsigned char lead = s[i++];
  if (lead < 0x80) return lead;
  int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : -1;
  if (extra < 0) return 0xFFFD;
  std::uint32_t cp = lead & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= n || (s[i] & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (s[i++] & 0x3F);
  }
  constexpr std::uint32_t minimum[] = {0, 0x80, 0x800, 0x10000};
  if (cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) return 0xFFFD;
  return cp;
}

}  // namespace

int MultiByteToWideChar(UINT code_page, DWORD, const char* source, int source_length,
                        OLECHAR* destination, int destination_length) {
  if (source == nullptr || (code_page != CP_ACP && code_page != CP_UTF8)) return 0;
  std::size_t n = source_length < 0 ? length_of(source) + 1 : static_cast<std::size_t>(source_length);
  const auto* bytes = reinterpret_cast<const unsigned char*>(source);
  std::size_t written = 0;
  auto put = [&](std::uint32_t unit) {
    if (destination_length > 0 && destination != nullptr) {
      if (written >= static_cast<std::size_t>(destination_length)) return false;
      destination[written] = static_cast<OLECHAR>(unit);
    }
    ++written;
    return true;
  };
  for (std::size_t i = 0; i < n;) {
    std::uint32_t cp = code_page == CP_ACP ? bytes[i++] : decode_utf8(bytes, n, i);
    if (cp >= 0x10000) {
      if (!put(0xD800 + ((cp - 0x10000) >> 10)) || !put(0xDC00 + ((cp - 0x10000) & 0x3FF))) return 0;
    } else if (!put(cp)) {
      return 0;
    }
  }
  return static_cast<int>(written);
}

int WideCharToMultiByte(UINT code_page, DWORD, const OLECHAR* source, int source_length,
                        char* destination, int destination_length, const char*, BOOL* used_default) {
  if (used_default != nullptr) *used_default = 0;
  if (source == nullptr || (code_page != CP_ACP && code_page != CP_UTF8)) return 0;
  std::size_t n = source_length < 0 ? length_of(source) + 1 : static_cast<std::size_t>(source_length);
  std::size_t written = 0;
  auto put = [&](std::uint32_t byte) {
    if (destination_length > 0 && destination != nullptr) {
      if (written >= static_cast<std::size_t>(destination_length)) return false;
      destination[written] = static_cast<char>(byte);
    }
    ++written;
    return true;
  };
  if (code_page == CP_ACP) {
    for (std::size_t i = 0; i < n; ++i) {
      std::uint32_t cp = source[i];
      if (!put(cp < 0x100 ? cp : '?')) return 0;
      if (cp >= 0x100 && used_default != nullptr) *used_default = 1;
    }
    return static_cast<int>(written);
  }
  const std::u16string_view text(source, n);
  for (std::size_t at = 0; at < n;) {
    platform::CodePoint point = platform::next_code_point(text, at);
    char bytes[4];
    const char* end =
        platform::write_utf8(bytes, point.unpaired_surrogate ? U'\uFFFD' : point.value);
    for (const char* b = bytes; b != end; ++b)
      if (!put(static_cast<unsigned char>(*b))) return 0;
  }
  return static_cast<int>(written);
}
