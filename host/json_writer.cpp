#include "json_writer.hpp"

#include <bit>
#include <charconv>
#include <cstring>

#include "utf16_text.hpp"

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

// A character below 0x80 that must be escaped: the short escape where JSON has one.
char* write_ascii_escape(char* out, char32_t value) noexcept {
  char letter = 0;
  switch (value) {
    case U'"': letter = '"'; break;
    case U'\\': letter = '\\'; break;
    case U'\n': letter = 'n'; break;
    case U'\r': letter = 'r'; break;
    case U'\t': letter = 't'; break;
    case U'\b': letter = 'b'; break;
    case U'\f': letter = 'f'; break;
    default: return write_unit_escape(out, value);
  }
  out[0] = '\\';
  out[1] = letter;
  return out + 2;
}

// Characters copied as they are: everything but control characters, quotes and backslashes.
// Bytes above 0x7F are UTF-8 already.
bool is_plain_byte(unsigned char byte) noexcept { return byte >= 0x20 && byte != '"' && byte != '\\'; }
bool is_plain_unit(char16_t unit) noexcept { return unit < 0x80 && is_plain_byte(static_cast<unsigned char>(unit)); }

// Copies the plain ASCII units at the start of [at, end) to out as bytes; both move past them.
// Most of a rendering is such a run, so it goes eight units at a time. There is room for six bytes
// per unit at out, so a block of eight bytes may be stored whole before knowing how much of it
// counts.
void copy_plain_run(char*& out, const char16_t*& at, const char16_t* end) noexcept {
#if defined(__SSE2__)
  // Adding 0x7FE0 maps 0x20..0x7F to the lowest signed values, below 0x8060, and nothing else.
  const __m128i offset = _mm_set1_epi16(0x7FE0);
  const __m128i above_plain = _mm_set1_epi16(static_cast<short>(0x8060));
  const __m128i quote = _mm_set1_epi16('"');
  const __m128i backslash = _mm_set1_epi16('\\');
  while (end - at >= 8) {
    __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    __m128i ascii = _mm_cmplt_epi16(_mm_add_epi16(units, offset), above_plain);
    __m128i special = _mm_or_si128(_mm_cmpeq_epi16(units, quote), _mm_cmpeq_epi16(units, backslash));
    auto plain = static_cast<unsigned>(_mm_movemask_epi8(_mm_andnot_si128(special, ascii)));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(units, units));
    if (plain != 0xFFFF) {
      auto count = static_cast<std::size_t>(std::countr_zero(~plain)) / 2;
      out += count;
      at += count;
      return;
    }
    out += 8;
    at += 8;
  }
#endif
  while (at != end && is_plain_unit(*at)) *out++ = static_cast<char>(*at++);
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
    copy_plain_run(out, at, end);
    if (at == end) break;
    auto index = static_cast<std::size_t>(at - value.data());
    CodePoint point = next_code_point(value, index);
    at = value.data() + index;
    if (point.unpaired_surrogate) {
      out = write_unit_escape(out, point.value);
    } else if (point.value < 0x80) {
      out = write_ascii_escape(out, point.value);
    } else {
      out = write_utf8(out, point.value);
    }
  }
  *out++ = '"';
  return out;
}

char* JsonObjectWriter::key(std::string_view name, std::size_t value_bound) {
  char* at = out_.reserve(name.size() + 4 + value_bound);
  if (!first_) *at++ = ',';
  first_ = false;
  *at++ = '"';
  std::memcpy(at, name.data(), name.size());
  at += name.size();
  *at++ = '"';
  *at++ = ':';
  return at;
}

JsonObjectWriter& JsonObjectWriter::number(std::string_view name, std::int64_t value) {
  constexpr std::size_t digits = 20;  // and the sign
  char* at = key(name, digits);
  out_.commit(std::to_chars(at, at + digits, value).ptr);
  return *this;
}

JsonObjectWriter& JsonObjectWriter::text(std::string_view name, std::string_view value) {
  char* at = key(name, json_string_bound(value.size()));
  out_.commit(write_json_string(at, value));
  return *this;
}

JsonObjectWriter& JsonObjectWriter::text(std::string_view name, std::u16string_view value) {
  char* at = key(name, json_string_bound(value.size()));
  out_.commit(write_json_string(at, value));
  return *this;
}

JsonObjectWriter& JsonObjectWriter::null(std::string_view name) {
  char* at = key(name, 4);
  std::memcpy(at, "null", 4);
  out_.commit(at + 4);
  return *this;
}

}  // namespace host
