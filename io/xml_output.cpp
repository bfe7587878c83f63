#include "io/xml_output.hpp"

#include <algorithm>
#include <array>
#include <cstring>

#include "plugin/errors.hpp"

namespace io {
namespace {

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

}  // namespace
}  // namespace io

namespace io::text::indented {
namespace {

// The row indentation is copied from; deeper levels take several copies of it.
constexpr std::size_t blank_row_length = 256;
const std::array<char16_t, blank_row_length> blank_row = [] {
  std::array<char16_t, blank_row_length> row{};
  row.fill(u' ');
  return row;
}();

// The length of the next piece: up to and including the next line break, or the rest.
std::size_t piece_length(const char* text, std::size_t n) {
  const void* nl = std::memchr(text, '\n', n);
  return nl != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nl) - text) + 1 : n;
}
std::size_t piece_length(const char16_t* text, std::size_t n) {
  const char16_t* nl = std::find(text, text + n, u'\n');
  return nl != text + n ? static_cast<std::size_t>(nl - text) + 1 : n;
}
std::size_t piece_length(WideText text, std::size_t from) {
  for (std::size_t i = from; i < text.units; ++i)
    if (text[i] == u'\n') return i - from + 1;
  return text.units - from;
}

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
inline bool holds_break(std::string_view text) noexcept {
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
inline char16_t* put_blanks(char16_t* out, std::size_t count) noexcept {
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
inline bool breaks_inside(std::string_view piece, bool last_piece) noexcept {
  return holds_break(last_piece && !piece.empty() ? piece.substr(0, piece.size() - 1) : piece);
}
inline bool breaks_inside(std::u16string_view piece, bool last_piece) noexcept {
  if (last_piece && !piece.empty()) piece.remove_suffix(1);
  return piece.find(u'\n') != std::u16string_view::npos;
}
template <std::size_t N>
constexpr bool breaks_inside(const markup<N>&, bool) noexcept {
  return false;
}

// Writes the piece at `out` and moves past it; `last` becomes its last character.
inline void put_piece(std::string_view piece, char16_t*& out, char16_t& last) noexcept {
  widen_ansi(piece.data(), piece.size(), out);
  out += piece.size();
  if (!piece.empty()) last = out[-1];
}
inline void put_piece(std::u16string_view piece, char16_t*& out, char16_t& last) noexcept {
  out = std::copy(piece.begin(), piece.end(), out);
  if (!piece.empty()) last = piece.back();
}
template <std::size_t N>
void put_piece(const markup<N>& piece, char16_t*& out, char16_t& last) noexcept {
  for (char16_t unit : piece.units) *out++ = unit;
  if (N > 1) last = out[-1];
}

}  // namespace

void output_stream::outdent() {
  if (indent_level_ == 0) throw io::xml::misuse{"unexpected outdent"};
  --indent_level_;
}

void output_stream::write_indentation() {
  reserve(indent_level_);
  for (std::size_t left = indent_level_; left != 0;) {
    std::size_t n = std::min(left, blank_row_length);
    io::text::output_stream::write_wchars(blank_row.data(), n);
    left -= n;
  }
  at_line_start_ = false;
}

template <class... Pieces>
bool output_stream::write_at_once(const Pieces&... pieces) {
  const std::size_t length = (piece_size(pieces) + ...);
  if (length == 0) return true;  // empty writes write nothing, not even indentation
  const std::size_t indentation = at_line_start_ ? indent_level_ : 0;
  if (indentation + length >= room()) return false;
  // A line break needs indentation behind it unless it ends the last piece: such pieces are left
  // to the writes one by one.
  std::size_t index = 0;
  if ((breaks_inside(pieces, ++index == sizeof...(Pieces)) || ...)) return false;
  char16_t* out = put_blanks(position(), indentation);
  char16_t last = u'\0';
  (put_piece(pieces, out, last), ...);
  commit(indentation + length);
  at_line_start_ = last == u'\n';
  return true;
}

void output_stream::write_chars(const char* text, std::size_t n) {
  if (!write_at_once(std::string_view(text, n))) write_lines(text, n);
}

void output_stream::write_lines(const char* text, std::size_t n) {
  while (n != 0) {
    if (at_line_start_) write_indentation();
    std::size_t piece = piece_length(text, n);
    io::text::output_stream::write_chars(text, piece);
    at_line_start_ = text[piece - 1] == '\n';
    text += piece;
    n -= piece;
  }
}

void output_stream::write_wchars(const char16_t* text, std::size_t n) {
  while (n != 0) {
    if (at_line_start_) write_indentation();
    std::size_t piece = piece_length(text, n);
    io::text::output_stream::write_wchars(text, piece);
    at_line_start_ = text[piece - 1] == u'\n';
    text += piece;
    n -= piece;
  }
}

void output_stream::write_wchars(WideText text) {
  for (std::size_t from = 0; from < text.units;) {
    if (at_line_start_) write_indentation();
    std::size_t piece = piece_length(text, from);
    io::text::output_stream::write_wchars(WideText{text.bytes + 2 * from, piece});
    from += piece;
    at_line_start_ = text[from - 1] == u'\n';
  }
}

}  // namespace io::text::indented

namespace io::xml::output {


void stream::close_start_tag() {
  if (!tag_closed_) {
    write_chars(">", 1);
    tag_closed_ = true;
  }
}

// Each operation below writes its pieces at once when they fit, and otherwise one by one in the
// order the layout prescribes, so that an overflow leaves the same text either way.

void stream::start_element(std::string_view name) {
  if (depth_ == max_depth) throw misuse{"unexpected nesting"};
  if (tag_closed_ ? write_at_once(markup("<"), name) : write_at_once(markup("><"), name)) {
    stack_[depth_++] = name;
  } else {
    if (!tag_closed_) write_chars(">", 1);
    stack_[depth_++] = name;
    write_chars("<", 1);
    write_chars(name.data(), name.size());
  }
  indent();
  tag_closed_ = false;
}

void stream::start_attribute(std::string_view name) {
  if (tag_closed_) throw misuse{"unexpected attribute"};
  if (write_at_once(markup(" "), name, markup("=\""))) return;
  write_chars(" ", 1);
  write_chars(name.data(), name.size());
  write_chars("=", 1);
  write_chars("\"", 1);
}

void stream::attribute(std::string_view name, std::string_view value) {
  if (!tag_closed_ && write_at_once(markup(" "), name, markup("=\""), value, markup("\""))) return;
  start_attribute(name);
  write_chars(value.data(), value.size());
  write_chars("\"", 1);
}

void stream::attribute(std::string_view name, std::u16string_view value) {
  start_attribute(name);
  write_wchars(value.data(), value.size());
  write_chars("\"", 1);
}

void stream::attribute(std::string_view name, WideText value) {
  start_attribute(name);
  write_wchars(value);
  write_chars("\"", 1);
}

void stream::attribute(std::string_view name, IMoniker* moniker) {
  start_attribute(name);
  write_display_name(moniker);
  write_chars("\"", 1);
}

void stream::write_display_name(IMoniker* moniker) {
  if (moniker == nullptr) {
    write_chars("(none)", 6);
    return;
  }
  com::ComPtr<IBindCtx> bind_context;
  if (HRESULT hr = CreateBindCtx(0, bind_context.put()); FAILED(hr))
    com::error::raise_with_thread_info(hr);
  LPOLESTR raw_name = nullptr;
  if (HRESULT hr = moniker->GetDisplayName(bind_context.get(), nullptr, &raw_name); FAILED(hr))
    com::error::raise_with_thread_info(hr);
  com::TaskString display_name(com::utf16(raw_name));
  std::u16string_view text = display_name.view();
  write_wchars(text.data(), text.size());
}

void stream::put_text(std::string_view text) {
  if (tag_closed_ ? write_at_once(text) : write_at_once(markup(">"), text)) {
    tag_closed_ = true;
    return;
  }
  close_start_tag();
  write_chars(text.data(), text.size());
}

void stream::put_text(std::u16string_view text) {
  if (tag_closed_ ? write_at_once(text) : write_at_once(markup(">"), text)) {
    tag_closed_ = true;
    return;
  }
  close_start_tag();
  write_wchars(text.data(), text.size());
}

void stream::put_text(WideText text) {
  close_start_tag();
  write_wchars(text);
}

void stream::end_element() {
  if (depth_ == 0) throw misuse{"unexpected end of element"};
  outdent();
  if (tag_closed_) {
    const std::string_view name = stack_[depth_ - 1];
    if (!write_at_once(markup("</"), name, markup(">"))) {
      write_chars("</", 2);
      write_chars(name.data(), name.size());
      write_chars(">", 1);
    }
  } else {
    write_chars("/>", 2);
  }
  --depth_;
  tag_closed_ = true;
}

void stream::start_text() {
  if (tag_closed_) throw misuse{"unexpected startText"};
  write_chars(">", 1);
  tag_closed_ = true;
}

void stream::apply(xml_directive d) {
  switch (d) {
    case xml_directive::start_text:
      start_text();
      return;
    case xml_directive::end_element:
      end_element();
      return;
  }
  throw misuse{"unexpected directive"};
}

}  // namespace io::xml::output
