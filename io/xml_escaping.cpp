#include "io/xml_escaping.hpp"

namespace io::xml {
namespace {

constexpr bool is_high_surrogate(char16_t unit) noexcept { return unit >= 0xD800 && unit < 0xDC00; }
constexpr bool is_low_surrogate(char16_t unit) noexcept { return unit >= 0xDC00 && unit < 0xE000; }

// What a unit of the escapable set becomes: nothing when it stays as it is (`width` becomes 2
// for a surrogate pair, which stays whole), else its replacement.
template <escaping Mode>
std::u16string_view replacement(char16_t unit, char16_t next, bool has_next,
                                std::size_t& width) noexcept {
  constexpr bool in_attribute = Mode == escaping::attribute;
  switch (unit) {
    case u'&': return u"&amp;";
    case u'<': return u"&lt;";
    case u'>': return u"&gt;";
    case u'"': return u"&quot;";  // only attribute values have it in their set
    case u'\t': return in_attribute ? u"&#9;" : u"";
    case u'\n': return in_attribute ? u"&#10;" : u"";
    case u'\r': return in_attribute ? u"&#13;" : u"";
    default: break;
  }
  if (is_high_surrogate(unit) && has_next && is_low_surrogate(next)) {
    width = 2;
    return u"";
  }
  return u"\uFFFD";
}

// The position of the first unit of the set at or after `from`, or the text's size.
template <escaping Mode, class Text>
std::size_t next_escapable(Text text, std::size_t from) noexcept {
  for (; from < text.size(); ++from)
    if (escapable<Mode>::matches(unit_at(text, from))) return from;
  return text.size();
}

// Hands runs that stay as they are to keep(from, count) and replacements to replace(text), in
// order.
template <escaping Mode, class Text, class Keep, class Replace>
void walk(Text text, Keep&& keep, Replace&& replace) noexcept {
  const std::size_t n = text.size();
  std::size_t run = 0;
  for (std::size_t i = next_escapable<Mode>(text, 0); i < n; i = next_escapable<Mode>(text, i)) {
    std::size_t width = 1;
    const bool has_next = i + 1 < n;
    const std::u16string_view with =
        replacement<Mode>(unit_at(text, i), has_next ? unit_at(text, i + 1) : u'\0', has_next, width);
    if (!with.empty()) {
      keep(run, i - run);
      replace(with);
      run = i + width;
    }
    i += width;
  }
  keep(run, n - run);
}

template <escaping Mode, class Text>
std::size_t length_of(Text text) noexcept {
  std::size_t length = 0;
  walk<Mode>(
      text, [&](std::size_t, std::size_t n) { length += n; },
      [&](std::u16string_view with) { length += with.size(); });
  return length;
}

template <escaping Mode, class Text>
char16_t* put(Text text, char16_t* out) noexcept {
  walk<Mode>(
      text,
      [&](std::size_t from, std::size_t n) {
        text.substr(from, n).copy_to(out);
        out += n;
      },
      [&](std::u16string_view with) {
        for (char16_t unit : with) *out++ = unit;
      });
  return out;
}

template <class Text>
std::size_t length_in(Text text, escaping mode) noexcept {
  return mode == escaping::content ? length_of<escaping::content>(text)
                                   : length_of<escaping::attribute>(text);
}

template <class Text>
char16_t* put_in(Text text, escaping mode, char16_t* out) noexcept {
  return mode == escaping::content ? put<escaping::content>(text, out)
                                   : put<escaping::attribute>(text, out);
}

}  // namespace

std::size_t escaped_length(NarrowText text, escaping mode) noexcept { return length_in(text, mode); }
std::size_t escaped_length(WideText text, escaping mode) noexcept { return length_in(text, mode); }
char16_t* put_escaped(NarrowText text, escaping mode, char16_t* out) noexcept {
  return put_in(text, mode, out);
}
char16_t* put_escaped(WideText text, escaping mode, char16_t* out) noexcept {
  return put_in(text, mode, out);
}

}  // namespace io::xml
