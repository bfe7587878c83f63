// UTF-16 as the plug-in writes it: well-formed text, but also NUL units and unpaired surrogates
// copied from payloads. Both survive decoding so that each output can decide how to show them.
#pragma once

#include <string>
#include <string_view>

namespace host {

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

// Calls visit(CodePoint) for each code point of text.
template <class Visit>
void for_each_code_point(std::u16string_view text, Visit&& visit) {
  for (std::size_t at = 0; at < text.size();) visit(next_code_point(text, at));
}

// Writes the UTF-8 form of a scalar value, at most four bytes, and returns its end.
char* write_utf8(char* out, char32_t value) noexcept;

// UTF-8 for a terminal or a file: unpaired surrogates become U+FFFD, everything else is kept.
std::string to_display_utf8(std::u16string_view text);

}  // namespace host
