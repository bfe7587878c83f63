// What text becomes inside XML. Character data: "&", "<" and ">" as entities. Attribute values:
// the same, and the double quote, TAB, LF and CR as references, so that a parser gives them
// back. In both, units XML does not allow (controls other than TAB, LF and CR, U+FFFE, U+FFFF,
// surrogates without their other half) become U+FFFD one for one; a surrogate pair stays.
//
// Texts are scanned first, a block at a time (`escapable`), and only a text that holds such a
// unit is walked a unit at a time: most hold none and are copied as they are.
#pragma once

#include <cstddef>
#include <string_view>

#include "io/wide_text.hpp"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace io::xml {

enum class escaping { content, attribute };

// The units a text written in `Mode` cannot be copied with: those escaped or replaced, plus, in
// character data, every control (TAB, LF and CR stay there, but a line break needs the next
// line's indentation and the scan is cheaper without the exceptions). A narrow byte stands for
// the unit of its value: bytes above 0x7F never widen to a unit of the set.
template <escaping Mode>
struct escapable {
  static constexpr bool matches(char16_t unit) noexcept {
    return unit < 0x20 || unit == u'&' || unit == u'<' || unit == u'>' ||
           (Mode == escaping::attribute && unit == u'"') || (unit >= 0xD800 && unit < 0xE000) ||
           unit >= 0xFFFE;
  }
#if defined(__SSE2__)
  // 0xFF in each byte or unit lane of the set. '<' and '>' differ in one bit, as do '"' and '&'.
  static __m128i match_bytes(__m128i block) noexcept {
    const __m128i controls =
        _mm_cmpeq_epi8(_mm_subs_epu8(block, _mm_set1_epi8(0x1F)), _mm_setzero_si128());
    const __m128i angles = _mm_cmpeq_epi8(_mm_or_si128(block, _mm_set1_epi8(2)), _mm_set1_epi8('>'));
    const __m128i ampersands =
        Mode == escaping::attribute
            ? _mm_cmpeq_epi8(_mm_or_si128(block, _mm_set1_epi8(4)), _mm_set1_epi8('&'))
            : _mm_cmpeq_epi8(block, _mm_set1_epi8('&'));
    return _mm_or_si128(_mm_or_si128(controls, angles), ampersands);
  }
  static __m128i match_units(__m128i block) noexcept {
    const __m128i zero = _mm_setzero_si128();
    const __m128i controls = _mm_cmpeq_epi16(_mm_subs_epu16(block, _mm_set1_epi16(0x1F)), zero);
    const __m128i angles =
        _mm_cmpeq_epi16(_mm_or_si128(block, _mm_set1_epi16(2)), _mm_set1_epi16(u'>'));
    const __m128i ampersands =
        Mode == escaping::attribute
            ? _mm_cmpeq_epi16(_mm_or_si128(block, _mm_set1_epi16(4)), _mm_set1_epi16(u'&'))
            : _mm_cmpeq_epi16(block, _mm_set1_epi16(u'&'));
    // Surrogates are D800 to DFFF: moved to 0 to 7FF. U+FFFE and U+FFFF are FFFF with bit 0 set.
    const __m128i surrogates = _mm_cmpeq_epi16(
        _mm_subs_epu16(_mm_add_epi16(block, _mm_set1_epi16(0x2800)), _mm_set1_epi16(0x7FF)), zero);
    const __m128i noncharacters =
        _mm_cmpeq_epi16(_mm_or_si128(block, _mm_set1_epi16(1)), _mm_set1_epi16(-1));
    return _mm_or_si128(_mm_or_si128(_mm_or_si128(controls, angles), ampersands),
                        _mm_or_si128(surrogates, noncharacters));
  }
#endif
};

// The unit that decides how the character at i is written: a narrow byte's value (whatever the
// code page widens a byte above 0x7F to, it needs no escaping), or the UTF-16 unit.
inline char16_t unit_at(std::string_view text, std::size_t i) noexcept {
  return static_cast<unsigned char>(text[i]);
}
inline char16_t unit_at(WideText text, std::size_t i) noexcept { return text[i]; }

// The walk a unit at a time, for texts that hold an escapable unit: the length of the escaped
// text, and the escaped text written at `out`, which has room for that length.
std::size_t escaped_length(std::string_view text, escaping mode) noexcept;
std::size_t escaped_length(WideText text, escaping mode) noexcept;
void put_escaped(std::string_view text, escaping mode, char16_t* out) noexcept;
void put_escaped(WideText text, escaping mode, char16_t* out) noexcept;

}  // namespace io::xml
