// Pieces of text that the indented writer writes in one go: markup checked when compiled, and
// narrow or UTF-16 text scanned for line breaks. Forced inline, so that pieces the compiler can
// see where they are written, such as element names and line breaks, cost next to nothing.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "io/com_services.hpp"

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

// Whether a block of bytes holds a line break: a zero byte in it xor line breaks.
template <class Block>
bool breaks_in_block(const char* text) noexcept {
  constexpr Block ones = ~Block{0} / 0xFF;
  Block bytes;
  std::memcpy(&bytes, text, sizeof bytes);
  bytes ^= ones * '\n';
  return ((bytes - ones) & ~bytes & ones * 0x80) != 0;
}

// Whether the text holds a line break, in blocks of eight or four bytes; the last block overlaps
// the one before when the length is not a multiple of the block size.
[[gnu::always_inline]] inline bool holds_break(std::string_view text) noexcept {
  const char* p = text.data();
  const std::size_t n = text.size();
  if (n >= 8) {
    for (std::size_t i = 0; i + 8 < n; i += 8)
      if (breaks_in_block<std::uint64_t>(p + i)) return true;
    return breaks_in_block<std::uint64_t>(p + n - 8);
  }
  if (n >= 4) return breaks_in_block<std::uint32_t>(p) || breaks_in_block<std::uint32_t>(p + n - 4);
  for (std::size_t i = 0; i < n; ++i)
    if (p[i] == '\n') return true;
  return false;
}

// Writes `count` blanks at `out`, four at a time while there are four.
[[gnu::always_inline]] inline char16_t* put_blanks(char16_t* out, std::size_t count) noexcept {
  constexpr std::uint64_t four_blanks = 0x0020002000200020u;
  for (; count >= 4; count -= 4, out += 4) std::memcpy(out, &four_blanks, sizeof four_blanks);
  for (; count != 0; --count) *out++ = u' ';
  return out;
}

inline std::size_t piece_size(std::string_view piece) noexcept { return piece.size(); }
inline std::size_t piece_size(std::u16string_view piece) noexcept { return piece.size(); }
template <std::size_t N>
constexpr std::size_t piece_size(const markup<N>&) noexcept {
  return N - 1;
}

// Whether the piece holds a line break that is not the last character of all the pieces.
[[gnu::always_inline]] inline bool breaks_inside(std::string_view piece, bool last_piece) noexcept {
  return holds_break(last_piece && !piece.empty() ? piece.substr(0, piece.size() - 1) : piece);
}
[[gnu::always_inline]] inline bool breaks_inside(std::u16string_view piece,
                                                 bool last_piece) noexcept {
  if (last_piece && !piece.empty()) piece.remove_suffix(1);
  return piece.find(u'\n') != std::u16string_view::npos;
}
template <std::size_t N>
constexpr bool breaks_inside(const markup<N>&, bool) noexcept {
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
  out = std::copy(piece.begin(), piece.end(), out);
  if (!piece.empty()) last = piece.back();
}
template <std::size_t N>
void put_piece(const markup<N>& piece, char16_t*& out, char16_t& last) noexcept {
  for (char16_t unit : piece.units) *out++ = unit;
  if (N > 1) last = out[-1];
}

}  // namespace io::text::pieces
