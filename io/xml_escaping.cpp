#include "io/xml_escaping.hpp"

#include "io/text_pieces.hpp"

namespace io::xml {
namespace {

constexpr bool is_high_surrogate(char16_t unit) noexcept { return unit >= 0xD800 && unit < 0xDC00; }
constexpr bool is_low_surrogate(char16_t unit) noexcept { return unit >= 0xDC00 && unit < 0xE000; }

// What a unit becomes: nothing when it stays as it is (`width` becomes 2 for a surrogate pair,
// which stays whole), else its replacement.
std::u16string_view replacement(char16_t unit, char16_t next, bool has_next, escaping mode,
                                std::size_t& width) noexcept {
  const bool in_attribute = mode == escaping::attribute;
  switch (unit) {
    case u'&': return u"&amp;";
    case u'<': return u"&lt;";
    case u'>': return u"&gt;";
    case u'"': return in_attribute ? u"&quot;" : u"";
    case u'\t': return in_attribute ? u"&#9;" : u"";
    case u'\n': return in_attribute ? u"&#10;" : u"";
    case u'\r': return in_attribute ? u"&#13;" : u"";
    default: break;
  }
  if (unit >= 0x20 && (unit < 0xD800 || unit >= 0xE000) && unit < 0xFFFE) return u"";
  if (is_high_surrogate(unit) && has_next && is_low_surrogate(next)) {
    width = 2;
    return u"";
  }
  return u"\uFFFD";
}

// Hands runs that stay as they are to keep(from, count) and replacements to replace(text), in
// order.
template <class Text, class Keep, class Replace>
void walk(Text text, escaping mode, Keep&& keep, Replace&& replace) noexcept {
  const std::size_t n = text.size();
  std::size_t run = 0;
  for (std::size_t i = 0; i < n;) {
    std::size_t width = 1;
    const bool has_next = i + 1 < n;
    const std::u16string_view with =
        replacement(unit_at(text, i), has_next ? unit_at(text, i + 1) : u'\0', has_next, mode, width);
    i += width;
    if (with.empty()) continue;
    keep(run, i - width - run);
    replace(with);
    run = i;
  }
  keep(run, n - run);
}

template <class Text>
std::size_t length_of(Text text, escaping mode) noexcept {
  std::size_t length = 0;
  walk(
      text, mode, [&](std::size_t, std::size_t n) { length += n; },
      [&](std::u16string_view with) { length += with.size(); });
  return length;
}

template <class Text>
void put(Text text, escaping mode, char16_t* out) noexcept {
  walk(
      text, mode,
      [&](std::size_t from, std::size_t n) {
        char16_t last;
        if (n != 0) text::pieces::put_piece(text.substr(from, n), out, last);
      },
      [&](std::u16string_view with) {
        for (char16_t unit : with) *out++ = unit;
      });
}

}  // namespace

std::size_t escaped_length(std::string_view text, escaping mode) noexcept {
  return length_of(text, mode);
}
std::size_t escaped_length(WideText text, escaping mode) noexcept { return length_of(text, mode); }
void put_escaped(std::string_view text, escaping mode, char16_t* out) noexcept {
  put(text, mode, out);
}
void put_escaped(WideText text, escaping mode, char16_t* out) noexcept { put(text, mode, out); }

}  // namespace io::xml
