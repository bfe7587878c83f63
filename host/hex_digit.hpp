// Hexadecimal digits, either letter case, as values: by table for one, sixteen at a time for a
// run of them, as payloads and GUIDs are decoded for every line of a batch.
#pragma once

#include <array>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The eight bytes that sixteen digits at text spell, the first digit the high half of the first
// byte; false, leaving bytes as they may be, when one of them is not a digit.
inline bool decode_hex_block(const char* text, std::uint8_t* bytes) noexcept {
#if defined(__SSE2__)
  const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
  // Setting bit 5 turns capitals into small letters and keeps digits as they are; signed
  // comparisons leave out the bytes above 0x7F.
  const __m128i small = _mm_or_si128(chars, _mm_set1_epi8(0x20));
  const __m128i digit = _mm_and_si128(_mm_cmpgt_epi8(chars, _mm_set1_epi8('0' - 1)), _mm_cmplt_epi8(chars, _mm_set1_epi8('9' + 1)));
  const __m128i letter = _mm_and_si128(_mm_cmpgt_epi8(small, _mm_set1_epi8('a' - 1)), _mm_cmplt_epi8(small, _mm_set1_epi8('f' + 1)));
  if (_mm_movemask_epi8(_mm_or_si128(digit, letter)) != 0xFFFF) return false;
  const __m128i values = _mm_or_si128(_mm_and_si128(digit, _mm_sub_epi8(chars, _mm_set1_epi8('0'))),
                                      _mm_and_si128(letter, _mm_sub_epi8(small, _mm_set1_epi8('a' - 10))));
  // Each 16-bit lane holds a byte's high digit in its low half and its low digit in its high half.
  const __m128i pairs = _mm_or_si128(_mm_slli_epi16(_mm_and_si128(values, _mm_set1_epi16(0x00FF)), 4), _mm_srli_epi16(values, 8));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(bytes), _mm_packus_epi16(pairs, pairs));
  return true;
#else
  for (int i = 0; i < 8; ++i) {
    const int high = hex_digit_value(text[2 * i]);
    const int low = hex_digit_value(text[2 * i + 1]);
    if ((high | low) < 0) return false;
    bytes[i] = static_cast<std::uint8_t>(high << 4 | low);
  }
  return true;
#endif
}

}  // namespace host
