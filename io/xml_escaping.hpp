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
  // One unit, as the escaping walks a text: most units are letters, settled by two comparisons.
  static constexpr bool matches(char16_t unit) noexcept {
    if (unit >= 0xD800) return unit < 0xE000 || unit >= 0xFFFE;
    return unit < 0x40 && (below_40 >> unit & 1) != 0;
  }
  // The same set with comparisons only, which the compiler applies to a whole block at once
  // (io/scanning.hpp); '<' and '>' differ in one bit, as do '"' and '&'.
  template <class Unit>
  static constexpr bool in_block(Unit unit) noexcept {
    bool in_set = (unit < 0x20) | ((unit | 2) == '>') |
                  (Mode == escaping::attribute ? (unit | 4) == '&' : unit == '&');
    if constexpr (sizeof(Unit) == 2) {
      // Surrogates, D800 to DFFF, and the noncharacters FFFE and FFFF.
      in_set = in_set | (static_cast<char16_t>(unit - 0xD800) < 0x800) | (unit >= 0xFFFE);
    }
    return in_set;
  }
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
