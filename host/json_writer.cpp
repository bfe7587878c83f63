#include "json_writer.hpp"

#include <array>
#include <bit>
#include <cstring>

#include "platform/utf8.hpp"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace host {

namespace {

// \uXXXX, in lower case.
char* write_unit_escape(char* out, char32_t unit) noexcept {
  constexpr char digits[] = "0123456789abcdef";
  out[0] = '\\';
  out[1] = 'u';
  for (int i = 0; i < 4; ++i) out[2 + i] = digits[unit >> (12 - 4 * i) & 0xF];
  return out + 6;
}

// For each character below 0x80 that must be escaped, the letter of its short escape where JSON
// has one; 0 for the others.
constexpr std::array<char, 0x80> short_escapes = [] {
  std::array<char, 0x80> letters{};
  letters['"'] = '"';
  letters['\\'] = '\\';
  letters['\n'] = 'n';
  letters['\r'] = 'r';
  letters['\t'] = 't';
  letters['\b'] = 'b';
  letters['\f'] = 'f';
  return letters;
}();

// A character below 0x80 that must be escaped: the short escape where JSON has one.
char* write_ascii_escape(char* out, char32_t value) noexcept {
  const char letter = short_escapes[value];
  if (letter == 0) return write_unit_escape(out, value);
  out[0] = '\\';
  out[1] = letter;
  return out + 2;
}

// Characters copied as they are: everything but control characters, quotes and backslashes.
// Bytes above 0x7F are UTF-8 already.
bool is_plain_byte(unsigned char byte) noexcept { return byte >= 0x20 && byte != '"' && byte != '\\'; }
bool is_plain_unit(char16_t unit) noexcept { return unit < 0x80 && is_plain_byte(static_cast<unsigned char>(unit)); }

#if defined(__SSE2__)
// A bit for each byte of a block that is copied as it is: ASCII from the space on, but quotes and
// backslashes. Packing saturated units above 0xFF to 0xFF, which is not such a byte.
unsigned plain_bytes(__m128i bytes) noexcept {
  __m128i printable = _mm_cmpgt_epi8(bytes, _mm_set1_epi8(0x1F));
  __m128i special = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('"')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\\')));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_andnot_si128(special, printable)));
}
#endif

// Copies the ASCII units at the start of [at, end) to out, escaped as need be; both move past
// them. Renderings are mostly runs of plain ASCII between line breaks and quotes, so the runs go
// sixteen or eight units at a time and the escapes between them are written in passing. There is
// room for six bytes per unit at out, so a block of sixteen bytes may be stored whole before
// knowing how much of it counts.
void copy_ascii(char*& out, const char16_t*& at, const char16_t* end) noexcept {
#if defined(__SSE2__)
  for (std::ptrdiff_t left; (left = end - at) >= 8;) {
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const bool wide = left >= 16;
    const __m128i bytes = _mm_packus_epi16(first, wide ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 8)) : first);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
    const unsigned block = wide ? 0xFFFF : 0xFF;
    const unsigned plain = plain_bytes(bytes) & block;
    if (plain == block) {
      const std::size_t count = wide ? 16 : 8;
      out += count;
      at += count;
      continue;
    }
    const auto count = static_cast<std::size_t>(std::countr_zero(~plain));
    out += count;
    at += count;
    if (*at >= 0x80) return;
    out = write_ascii_escape(out, *at++);
  }
#endif
  for (; at != end && *at < 0x80; ++at) {
    if (is_plain_unit(*at)) {
      *out++ = static_cast<char>(*at);
    } else {
      out = write_ascii_escape(out, *at);
    }
  }
}

}  // namespace

char* write_json_string(char* out, std::string_view value) noexcept {
  *out++ = '"';
  for (char c : value) {
    auto byte = static_cast<unsigned char>(c);
    if (is_plain_byte(byte)) {
      *out++ = c;
    } else {
      out = write_ascii_escape(out, byte);
    }
  }
  *out++ = '"';
  return out;
}

char* write_json_string(char* out, std::u16string_view value) noexcept {
  *out++ = '"';
  const char16_t* at = value.data();
  const char16_t* end = at + value.size();
  for (;;) {
    copy_ascii(out, at, end);
    if (at == end) break;
    auto index = static_cast<std::size_t>(at - value.data());
    platform::CodePoint point = platform::next_code_point(value, index);
    at = value.data() + index;
    out = point.unpaired_surrogate ? write_unit_escape(out, point.value)
                                   : platform::write_utf8(out, point.value);
  }
  *out++ = '"';
  return out;
}

}  // namespace host
