// The pieces the indented writer puts together into one write: for each kind, its length, whether
// it can go in one write with the others, and its units. Forced inline, so that pieces the
// compiler can see where they are written, such as element names and markup, cost next to nothing.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "io/copy_units.hpp"
#include "io/narrow_text.hpp"
#include "io/number_text.hpp"
#include "io/scanning.hpp"
#include "io/wide_text.hpp"
#include "io/widening.hpp"
#include "io/xml_escaping.hpp"

namespace io::text::pieces {

// Text the XML stream writes itself, such as "</" or "=": ASCII without line breaks, checked
// when compiled, and held as UTF-16 so that writing it is a plain copy.
template <std::size_t N>
struct markup {
  consteval markup(const char (&text)[N]) {
    for (std::size_t i = 0; i + 1 < N; ++i) {
      if (text[i] == '\n' || static_cast<unsigned char>(text[i]) > 0x7F) throw "plain markup only";
      units[i] = static_cast<char16_t>(text[i]);
    }
  }
  std::u16string_view view() const noexcept { return {units.data(), units.size()}; }
  std::array<char16_t, N - 1> units{};
};

// A line break, allowed only as the last piece of a write.
struct newline {};

// The name in an end tag. `plain`: known to hold no line break, because its start tag went in one
// write; otherwise it is looked at again.
struct tag_name {
  std::string_view text;
  bool plain;
};

// Payload text, escaped as character data or as an attribute value. It goes in one write with
// the other pieces only when it holds nothing to escape.
template <class Text, io::xml::escaping Mode>
struct escaped {
  Text text;
};

// What a text is as element content: payload text is escaped; the library's own text (names,
// constants and formatted values) holds nothing to escape and goes as it is.
inline std::string_view content_piece(std::string_view text) noexcept { return text; }
inline std::u16string_view content_piece(std::u16string_view text) noexcept { return text; }
inline const NumberText& content_piece(const NumberText& number) noexcept { return number; }
constexpr newline content_piece(newline) noexcept { return {}; }
inline escaped<NarrowText, io::xml::escaping::content> content_piece(NarrowText text) noexcept {
  return {text};
}
inline escaped<WideText, io::xml::escaping::content> content_piece(WideText text) noexcept {
  return {text};
}

[[gnu::always_inline]] inline bool holds_break(std::string_view text) noexcept {
  return holds<line_breaks>(text);
}

inline std::size_t piece_size(std::string_view piece) noexcept { return piece.size(); }
inline std::size_t piece_size(std::u16string_view piece) noexcept { return piece.size(); }
inline std::size_t piece_size(tag_name piece) noexcept { return piece.text.size(); }
inline std::size_t piece_size(const NumberText& piece) noexcept { return piece.view().size(); }
template <class Text, io::xml::escaping Mode>
std::size_t piece_size(const escaped<Text, Mode>& piece) noexcept {
  return piece.text.size();
}
constexpr std::size_t piece_size(newline) noexcept { return 1; }
template <std::size_t N>
constexpr std::size_t piece_size(const markup<N>&) noexcept {
  return N - 1;
}

// Whether the piece must be left to the writes one by one: it holds a line break that is not the
// last character of all the pieces (the next line needs its indentation), a unit to escape, or a
// number too large to be held (which raises where its own write would).
[[gnu::always_inline]] inline bool needs_piecewise(std::string_view piece, bool last_piece) noexcept {
  return holds_break(last_piece && !piece.empty() ? piece.substr(0, piece.size() - 1) : piece);
}
[[gnu::always_inline]] inline bool needs_piecewise(std::u16string_view piece,
                                                   bool last_piece) noexcept {
  if (last_piece && !piece.empty()) piece.remove_suffix(1);
  return holds<line_breaks>(piece);
}
constexpr bool needs_piecewise(tag_name piece, bool) noexcept { return !piece.plain; }
inline bool needs_piecewise(const NumberText& piece, bool) noexcept { return piece.is_too_large(); }
template <class Text, io::xml::escaping Mode>
[[gnu::always_inline]] inline bool needs_piecewise(const escaped<Text, Mode>& piece, bool) noexcept {
  return holds<io::xml::escapable<Mode>>(piece.text);
}
constexpr bool needs_piecewise(newline, bool last_piece) noexcept { return !last_piece; }
template <std::size_t N>
constexpr bool needs_piecewise(const markup<N>&, bool) noexcept {
  return false;
}

// Writes the piece at `out` and moves past it.
[[gnu::always_inline]] inline void put_piece(std::string_view piece, char16_t*& out) noexcept {
  widen_ansi(piece.data(), piece.size(), out);
  out += piece.size();
}
[[gnu::always_inline]] inline void put_piece(std::u16string_view piece, char16_t*& out) noexcept {
  copy_units(out, piece.data(), piece.size());
  out += piece.size();
}
[[gnu::always_inline]] inline void put_piece(tag_name piece, char16_t*& out) noexcept {
  put_piece(piece.text, out);
}
[[gnu::always_inline]] inline void put_piece(const NumberText& piece, char16_t*& out) noexcept {
  put_piece(piece.view(), out);
}
template <class Text, io::xml::escaping Mode>
[[gnu::always_inline]] inline void put_piece(const escaped<Text, Mode>& piece,
                                             char16_t*& out) noexcept {
  piece.text.copy_to(out);
  out += piece.text.size();
}
inline void put_piece(newline, char16_t*& out) noexcept { *out++ = u'\n'; }
template <std::size_t N>
[[gnu::always_inline]] inline void put_piece(const markup<N>& piece, char16_t*& out) noexcept {
  for (char16_t unit : piece.units) *out++ = unit;
}

// Whether the piece, written last, leaves the writer at the start of a line. Only a last piece
// can end with a line break: in any other a break leaves the write to the pieces one by one.
inline bool ends_line(std::string_view piece) noexcept {
  return !piece.empty() && piece.back() == '\n';
}
inline bool ends_line(std::u16string_view piece) noexcept {
  return !piece.empty() && piece.back() == u'\n';
}
constexpr bool ends_line(newline) noexcept { return true; }
template <class Piece>
constexpr bool ends_line(const Piece&) noexcept {
  return false;  // markup, names, numbers and escaped text never end with a line break
}

}  // namespace io::text::pieces
