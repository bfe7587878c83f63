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

// Calls visit(CodePoint) for each code point of text, pairing surrogates where they pair.
template <class Visit>
void for_each_code_point(std::u16string_view text, Visit&& visit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t unit = text[i];
    bool high = unit >= 0xD800 && unit <= 0xDBFF;
    bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      char32_t next = text[++i];
      visit(CodePoint{0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00), false});
    } else {
      visit(CodePoint{unit, high || low});
    }
  }
}

// Appends the UTF-8 form of a scalar value.
void append_utf8(std::string& out, char32_t value);

// UTF-8 for a terminal or a file: unpaired surrogates become U+FFFD, everything else is kept.
std::string to_display_utf8(std::u16string_view text);

}  // namespace host
