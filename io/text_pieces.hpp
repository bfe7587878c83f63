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

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Whether text holds a line break. The scans look at 16 bytes at once where there are 16, and at
// two overlapping blocks (8 or 4 bytes) for shorter texts, which are most of them.
#if defined(__SSE2__)
namespace scanning {

// The bytes at p, 4, 8 or 16 of them, compared with the pattern; a mask bit per equal byte.
inline int equal_bytes8(const void* p, __m128i pattern) noexcept {
  return _mm_movemask_epi8(
             _mm_cmpeq_epi8(_mm_loadl_epi64(static_cast<const __m128i*>(p)), pattern)) &
         0xFF;
}
inline int equal_bytes4(const void* p, __m128i pattern) noexcept {
  std::int32_t block;
  std::memcpy(&block, p, sizeof block);
  return _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_cvtsi32_si128(block), pattern)) & 0xF;
}
inline int equal_bytes16(const void* p, __m128i pattern) noexcept {
  return _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(static_cast<const __m128i*>(p)), pattern));
}
inline int equal_units4(const void* p, __m128i pattern) noexcept {
  return _mm_movemask_epi8(
             _mm_cmpeq_epi16(_mm_loadl_epi64(static_cast<const __m128i*>(p)), pattern)) &
         0xFF;
}
inline int equal_units8(const void* p, __m128i pattern) noexcept {
  return _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_loadu_si128(static_cast<const __m128i*>(p)), pattern));
}

}  // namespace scanning

// Texts of 16 bytes or more, out of line: rarer, and long enough to pay for the call.
[[gnu::noinline]] inline bool long_text_holds_break(const char* p, std::size_t n) noexcept {
  using namespace scanning;
  const __m128i breaks = _mm_set1_epi8('\n');
  for (std::size_t i = 0; i + 16 < n; i += 16)
    if (equal_bytes16(p + i, breaks) != 0) return true;
  return equal_bytes16(p + n - 16, breaks) != 0;
}

[[gnu::always_inline]] inline bool holds_break(std::string_view text) noexcept {
  using namespace scanning;
  const char* p = text.data();
  const std::size_t n = text.size();
  const __m128i breaks = _mm_set1_epi8('\n');
  if (n >= 16) return long_text_holds_break(p, n);
  if (n >= 8) return (equal_bytes8(p, breaks) | equal_bytes8(p + n - 8, breaks)) != 0;
  if (n >= 4) return (equal_bytes4(p, breaks) | equal_bytes4(p + n - 4, breaks)) != 0;
  for (std::size_t i = 0; i < n; ++i)
    if (p[i] == '\n') return true;
  return false;
}

// Whether n little-endian UTF-16 units hold a line break.
[[gnu::always_inline]] inline bool holds_break(const std::uint8_t* bytes, std::size_t n) noexcept {
  using namespace scanning;
  const __m128i breaks = _mm_set1_epi16(u'\n');
  if (n >= 8) {
    for (std::size_t i = 0; i + 8 < n; i += 8)
      if (equal_units8(bytes + 2 * i, breaks) != 0) return true;
    return equal_units8(bytes + 2 * (n - 8), breaks) != 0;
  }
  if (n >= 4) return (equal_units4(bytes, breaks) | equal_units4(bytes + 2 * (n - 4), breaks)) != 0;
  for (std::size_t i = 0; i < n; ++i)
    if (bytes[2 * i] == '\n' && bytes[2 * i + 1] == 0) return true;
  return false;
}
#else
[[gnu::always_inline]] inline bool holds_break(std::string_view text) noexcept {
  return text.find('\n') != std::string_view::npos;
}
[[gnu::always_inline]] inline bool holds_break(const std::uint8_t* bytes, std::size_t n) noexcept {
  for (std::size_t i = 0; i < n; ++i)
    if (bytes[2 * i] == '\n' && bytes[2 * i + 1] == 0) return true;
  return false;
}
#endif
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
