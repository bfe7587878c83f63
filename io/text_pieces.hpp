// Pieces of text that the indented writer writes in one go: markup checked when compiled, the
// library's own text scanned for line breaks, and payload text scanned for line breaks and for
// units XML needs escaped in the same pass.
// Forced inline, so that pieces the compiler can see where they are written, such as element
// names and line breaks, cost next to nothing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "io/copy_units.hpp"
#include "io/formatted_text.hpp"
#include "io/narrow_text.hpp"
#include "io/scanning.hpp"
#include "io/wide_text.hpp"
#include "io/widening.hpp"
#include "io/xml_escaping.hpp"

namespace io::text::pieces {

// Text the XML stream writes itself, such as "</" or "=\"": ASCII without line breaks, checked
// when compiled, and held as UTF-16 so that writing it is a plain copy.
template <std::size_t N>
struct markup {
  consteval markup(const char (&text)[N]) {
    for (std::size_t i = 0; i + 1 < N; ++i) {
      if (text[i] == '\n' || static_cast<unsigned char>(text[i]) > 0x7F) throw "plain markup only";
      units[i] = static_cast<char16_t>(text[i]);
    }
  }
  std::array<char16_t, N - 1> units{};
};

// Narrow text already known to hold no line break, such as an element name that was checked
// when its start tag was written.
struct plain_text {
  std::string_view text;
};

// A line break, allowed only as the last piece of a write.
struct newline {};

using io::holds;
using io::line_breaks;

[[gnu::always_inline]] inline bool holds_break(std::string_view text) noexcept {
  return holds<line_breaks>(text);
}

// Writes `count` blanks at `out`: up to 16 in two overlapping stores, deeper levels in blocks.
[[gnu::always_inline]] inline char16_t* put_blanks(char16_t* out, std::size_t count) noexcept {
  constexpr std::uint64_t four_blanks = 0x0020002000200020u;
  if (count >= 4) {
    std::size_t done = 0;
    for (; count - done > 8; done += 8) {
      std::memcpy(out + done, &four_blanks, sizeof four_blanks);
      std::memcpy(out + done + 4, &four_blanks, sizeof four_blanks);
    }
    std::memcpy(out + done, &four_blanks, sizeof four_blanks);
    std::memcpy(out + count - 4, &four_blanks, sizeof four_blanks);
    return out + count;
  }
  for (; count != 0; --count) *out++ = u' ';
  return out;
}

// Payload text as character data. It goes in one write with the other pieces only when it
// holds nothing to escape and no line break; otherwise the whole write is left to the escaping
// writes one by one.
template <class Text>
struct escaped {
  Text text;
};

// What a text is as element content: payload text is escaped; the library's own text (names,
// constants and formatted values) holds nothing to escape and goes as it is.
inline std::string_view content_piece(std::string_view text) noexcept { return text; }
inline std::u16string_view content_piece(std::u16string_view text) noexcept { return text; }
inline FormattedText content_piece(FormattedText text) noexcept { return text; }
inline escaped<NarrowText> content_piece(NarrowText text) noexcept { return {text}; }
inline escaped<WideText> content_piece(WideText text) noexcept { return {text}; }

inline std::size_t piece_size(std::string_view piece) noexcept { return piece.size(); }
inline std::size_t piece_size(std::u16string_view piece) noexcept { return piece.size(); }
inline std::size_t piece_size(NarrowText piece) noexcept { return piece.size(); }
inline std::size_t piece_size(WideText piece) noexcept { return piece.units; }
inline std::size_t piece_size(plain_text piece) noexcept { return piece.text.size(); }
inline std::size_t piece_size(FormattedText piece) noexcept { return piece.text.size(); }
template <class Text>
std::size_t piece_size(const escaped<Text>& piece) noexcept {
  return piece_size(piece.text);
}
constexpr std::size_t piece_size(newline) noexcept { return 1; }
template <std::size_t N>
constexpr std::size_t piece_size(const markup<N>&) noexcept {
  return N - 1;
}

// Whether the piece must be left to the writes one by one: it holds a line break that is not the
// last character of all the pieces, or a unit to escape.
[[gnu::always_inline]] inline bool needs_piecewise(std::string_view piece, bool last_piece) noexcept {
  return holds_break(last_piece && !piece.empty() ? piece.substr(0, piece.size() - 1) : piece);
}
[[gnu::always_inline]] inline bool needs_piecewise(std::u16string_view piece,
                                                   bool last_piece) noexcept {
  if (last_piece && !piece.empty()) piece.remove_suffix(1);
  return holds<line_breaks>(piece);
}
template <class Text>
[[gnu::always_inline]] inline bool needs_piecewise(const escaped<Text>& piece, bool) noexcept {
  return holds<io::xml::escapable<io::xml::escaping::content>>(piece.text);
}
constexpr bool needs_piecewise(plain_text, bool) noexcept { return false; }
constexpr bool needs_piecewise(FormattedText, bool) noexcept { return false; }
constexpr bool needs_piecewise(newline, bool last_piece) noexcept { return !last_piece; }
template <std::size_t N>
constexpr bool needs_piecewise(const markup<N>&, bool) noexcept {
  return false;
}

// Writes the piece at `out` and moves past it; `last` becomes its last character.
[[gnu::always_inline]] inline void put_piece(std::string_view piece, char16_t*& out,
                                             char16_t& last) noexcept {
  widen_ansi(piece.data(), piece.size(), out);
  out += piece.size();
  if (!piece.empty()) last = out[-1];
}
[[gnu::always_inline]] inline void put_piece(std::u16string_view piece, char16_t*& out,
                                             char16_t& last) noexcept {
  io::copy_units(out, piece.data(), piece.size());
  out += piece.size();
  if (!piece.empty()) last = piece.back();
}
[[gnu::always_inline]] inline void put_piece(WideText piece, char16_t*& out,
                                             char16_t& last) noexcept {
  piece.copy_to(out);
  out += piece.units;
  if (!piece.empty()) last = out[-1];
}
[[gnu::always_inline]] inline void put_piece(NarrowText piece, char16_t*& out,
                                             char16_t& last) noexcept {
  put_piece(piece.text, out, last);
}
[[gnu::always_inline]] inline void put_piece(plain_text piece, char16_t*& out,
                                             char16_t& last) noexcept {
  put_piece(piece.text, out, last);
}
[[gnu::always_inline]] inline void put_piece(FormattedText piece, char16_t*& out,
                                             char16_t& last) noexcept {
  put_piece(piece.text, out, last);
}
template <class Text>
[[gnu::always_inline]] inline void put_piece(const escaped<Text>& piece, char16_t*& out,
                                             char16_t& last) noexcept {
  put_piece(piece.text, out, last);
}
inline void put_piece(newline, char16_t*& out, char16_t& last) noexcept {
  *out++ = u'\n';
  last = u'\n';
}
template <std::size_t N>
void put_piece(const markup<N>& piece, char16_t*& out, char16_t& last) noexcept {
  for (char16_t unit : piece.units) *out++ = unit;
  if (N > 1) last = out[-1];
}

}  // namespace io::text::pieces
