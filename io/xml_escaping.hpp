// What text becomes inside XML. Character data: "&", "<" and ">" as entities. Attribute values:
// the same, and the double quote, TAB, LF and CR as references, so that a parser gives them
// back. In both, units XML does not allow (controls other than TAB, LF and CR, U+FFFE, U+FFFF,
// surrogates without their other half) become U+FFFD one for one; a surrogate pair stays.
//
// Texts are scanned first, a block at a time (`escapable`), and only a text that holds such a
// unit is walked a unit at a time: most hold none and are copied as they are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/narrow_text.hpp"
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
  // Below 0x40 a bit per unit: the controls, "&", "<", ">" and, in attribute values, '"'.
  static constexpr std::uint64_t below_40 =
      0xFFFFFFFFu | std::uint64_t{1} << '&' | std::uint64_t{1} << '<' | std::uint64_t{1} << '>' |
      (Mode == escaping::attribute ? std::uint64_t{1} << '"' : 0);
  static constexpr bool matches(char16_t unit) noexcept {
    if (unit >= 0xD800) return unit < 0xE000 || unit >= 0xFFFE;
    return unit < 0x40 && (below_40 >> unit & 1) != 0;
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
    // Two more makes U+FFFE, U+FFFF and the controls one range, 0 to 21; 2800 more makes the
    // surrogates D800 to DFFF the range 0 to 7FF.
    const __m128i controls = _mm_cmpeq_epi16(
        _mm_subs_epu16(_mm_add_epi16(block, _mm_set1_epi16(2)), _mm_set1_epi16(0x21)), zero);
    const __m128i surrogates = _mm_cmpeq_epi16(
        _mm_subs_epu16(_mm_add_epi16(block, _mm_set1_epi16(0x2800)), _mm_set1_epi16(0x7FF)), zero);
    const __m128i angles =
        _mm_cmpeq_epi16(_mm_or_si128(block, _mm_set1_epi16(2)), _mm_set1_epi16(u'>'));
    const __m128i ampersands =
        Mode == escaping::attribute
            ? _mm_cmpeq_epi16(_mm_or_si128(block, _mm_set1_epi16(4)), _mm_set1_epi16(u'&'))
            : _mm_cmpeq_epi16(block, _mm_set1_epi16(u'&'));
    return _mm_or_si128(_mm_or_si128(controls, surrogates), _mm_or_si128(angles, ampersands));
  }
#endif
};

// The unit that decides how the character at i is written: a narrow byte's value (whatever the
// code page widens a byte above 0x7F to, it needs no escaping), or the UTF-16 unit.
inline char16_t unit_at(NarrowText text, std::size_t i) noexcept {
  return static_cast<unsigned char>(text.text[i]);
}
inline char16_t unit_at(WideText text, std::size_t i) noexcept { return text[i]; }

// For texts that hold an escapable unit: the length of the escaped text, and the escaped text
// written at `out`, which has room for it, returning its end. No unit becomes more than
// `max_growth` units.
inline constexpr std::size_t max_growth = 6;  // &quot;
std::size_t escaped_length(NarrowText text, escaping mode) noexcept;
std::size_t escaped_length(WideText text, escaping mode) noexcept;
char16_t* put_escaped(NarrowText text, escaping mode, char16_t* out) noexcept;
char16_t* put_escaped(WideText text, escaping mode, char16_t* out) noexcept;

}  // namespace io::xml
