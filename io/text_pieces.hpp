// Pieces of text that the indented writer writes in one go: markup checked when compiled, and
// narrow or UTF-16 text scanned for line breaks. Forced inline, so that pieces the compiler can
// see where they are written, such as element names and line breaks, cost next to nothing.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "io/com_services.hpp"
#include "io/wide_text.hpp"

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

// Whether four little-endian UTF-16 units hold a line break: the 16-bit form of the test above.
inline bool breaks_in_units(const std::uint8_t* bytes) noexcept {
  constexpr std::uint64_t ones = 0x0001000100010001u;
  std::uint64_t units;
  std::memcpy(&units, bytes, sizeof units);
  units ^= ones * u'\n';
  return ((units - ones) & ~units & ones * 0x8000) != 0;
}

// Whether n little-endian UTF-16 units hold a line break, four units at a time.
[[gnu::always_inline]] inline bool holds_break(const std::uint8_t* bytes, std::size_t n) noexcept {
  if (n >= 4) {
    for (std::size_t i = 0; i + 4 < n; i += 4)
      if (breaks_in_units(bytes + 2 * i)) return true;
    return breaks_in_units(bytes + 2 * (n - 4));
  }
  for (std::size_t i = 0; i < n; ++i)
    if (bytes[2 * i] == '\n' && bytes[2 * i + 1] == 0) return true;
  return false;
}
[[gnu::always_inline]] inline bool holds_break(WideText text) noexcept {
  return holds_break(text.bytes, text.units);
}
[[gnu::always_inline]] inline bool holds_break(std::u16string_view text) noexcept {
  static_assert(std::endian::native == std::endian::little);
  return holds_break(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
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

inline std::size_t piece_size(std::string_view piece) noexcept { return piece.size(); }
inline std::size_t piece_size(std::u16string_view piece) noexcept { return piece.size(); }
inline std::size_t piece_size(WideText piece) noexcept { return piece.units; }
inline std::size_t piece_size(plain_text piece) noexcept { return piece.text.size(); }
constexpr std::size_t piece_size(newline) noexcept { return 1; }
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
  return holds_break(piece);
}
[[gnu::always_inline]] inline bool breaks_inside(WideText piece, bool last_piece) noexcept {
  if (last_piece && !piece.empty()) --piece.units;
  return holds_break(piece);
}
constexpr bool breaks_inside(plain_text, bool) noexcept { return false; }
constexpr bool breaks_inside(newline, bool last_piece) noexcept { return !last_piece; }
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
[[gnu::always_inline]] inline void put_piece(WideText piece, char16_t*& out,
                                             char16_t& last) noexcept {
  piece.copy_to(out);
  out += piece.units;
  if (!piece.empty()) last = out[-1];
}
[[gnu::always_inline]] inline void put_piece(plain_text piece, char16_t*& out,
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
