// Indented text and XML over the bounded writer. Indentation is written lazily, when the first
// character of a line arrives; empty elements close as "/>". Text from payloads (NarrowText,
// WideText, moniker display names) is escaped as character data or as an attribute value
// (io/xml_escaping.hpp); the library's own text (names, constants, formatted values) holds
// nothing to escape and is written as it is.
//
// Every operation is a list of pieces (io/text_pieces.hpp) in the order the layout prescribes.
// What fits goes in one write; otherwise the pieces are written one at a time, so that a piece
// that does not fit raises io::overflow with nothing of it written, exactly where writing the
// pieces one by one would stop.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/copy_units.hpp"
#include "io/narrow_text.hpp"
#include "io/number_text.hpp"
#include "io/text_output.hpp"
#include "io/text_pieces.hpp"
#include "io/wide_text.hpp"
#include "io/xml_escaping.hpp"
#include "platform/com.h"

namespace io::text {

enum class indent_directive { indent, outdent };

namespace indented {

class output_stream : public io::text::output_stream {
 public:
  using io::text::output_stream::output_stream;

  void indent() noexcept { ++indent_level_; }
  // Refuses to go below level 0 (io::xml::misuse).
  void outdent();
  void apply(indent_directive d) { d == indent_directive::indent ? indent() : outdent(); }
  std::uint32_t indent_level() const noexcept { return indent_level_; }

 protected:
  // outdent() for a caller that has checked the level is above 0.
  void unindent() noexcept { --indent_level_; }
  bool at_line_start() const noexcept { return at_line_start_; }

  // The pieces as consecutive writes leave them; true when they went in one write.
  template <class... Pieces>
  [[gnu::always_inline]] bool write(const Pieces&... pieces) {
    if (write_at_once(pieces...)) return true;
    write_piecewise(pieces...);
    return false;
  }
  // The pieces in one write when they all fit, hold no line break before their end and nothing to
  // escape; otherwise false, with nothing written.
  template <class... Pieces>
  bool write_at_once(const Pieces&... pieces);
  // A payload text on its own, a line at a time, each line counted at its escaped length, so that
  // a line that does not fit fails where its unescaped write would.
  void write_escaped(NarrowText text, io::xml::escaping mode);
  void write_escaped(WideText text, io::xml::escaping mode);

 private:
  // The only reason for this path is to fail at the exact piece an overflow requires: each piece
  // is its own write, its lines too, each line after indentation that is a write of its own.
  template <class... Pieces>
  [[gnu::noinline]] void write_piecewise(const Pieces&... pieces) {
    (write_alone(pieces), ...);
  }
  template <class Piece>
  [[gnu::always_inline]] void write_alone(const Piece& piece) {
    if (!write_at_once(piece)) write_piece(piece);
  }
  // Payload text goes straight to its own writes, which copy it at once when it holds nothing to
  // escape: looking at it once more first would only cost.
  template <class Text, io::xml::escaping Mode>
  [[gnu::always_inline]] void write_alone(const pieces::escaped<Text, Mode>& text) {
    write_piece(text);
  }
  void write_piece(std::string_view text);
  void write_piece(std::u16string_view text);
  void write_piece(pieces::tag_name name) { write_piece(name.text); }
  void write_piece(pieces::newline) { write_piece(std::u16string_view(u"\n", 1)); }
  template <std::size_t N>
  void write_piece(const pieces::markup<N>& markup) {
    write_piece(markup.view());
  }
  void write_piece(const NumberText& number);
  template <class Text, io::xml::escaping Mode>
  void write_piece(const pieces::escaped<Text, Mode>& text) {
    write_escaped(text.text, Mode);
  }
  template <class Text>
  void write_escaped_lines(Text text, io::xml::escaping mode);
  void start_line();

  bool at_line_start_ = true;
  std::uint32_t indent_level_ = 0;
};

// The row indentation is copied from: levels up to its length, which no renderer exceeds, go in
// the same write as the pieces.
inline constexpr std::array<char16_t, 256> blank_row = [] {
  std::array<char16_t, 256> row{};
  row.fill(u' ');
  return row;
}();

// Inline, so that the pieces of each call are known where it is made.
template <class... Pieces>
[[gnu::always_inline]] inline bool output_stream::write_at_once(const Pieces&... parts) {
  using namespace pieces;
  const std::size_t length = (piece_size(parts) + ...);
  if (length == 0) return true;  // empty writes write nothing, not even indentation
  const std::size_t indentation = at_line_start_ ? indent_level_ : 0;
  if (indentation > blank_row.size() || indentation + length >= room()) return false;
  std::size_t index = 0;
  if ((needs_piecewise(parts, ++index == sizeof...(Pieces)) || ...)) return false;
  char16_t* out = position();
  copy_units(out, blank_row.data(), indentation);
  out += indentation;
  (put_piece(parts, out), ...);
  commit(indentation + length);
  bool ends = false;
  ((ends = ends_line(parts)), ...);
  at_line_start_ = ends;
  return true;
}

}  // namespace indented
}  // namespace io::text

namespace io::xml {

// Raised for misuse of the XML state. Deliberately outside the std::exception family: no correct
// renderer triggers it, and the entries report it as E_UNEXPECTED.
struct misuse {
  const char* message;
};

enum class xml_directive : std::uint32_t { start_text = 0, end_element = 1 };

namespace output {

using io::text::pieces::content_piece;
using io::text::pieces::escaped;
using io::text::pieces::markup;
using io::text::pieces::newline;
using io::text::pieces::tag_name;

// Element names must outlive the stream: it keeps a view of each open element's name.
//
// Operations made of several steps (an element with its text, a start tag with its attribute)
// go in one write when they can, and otherwise as their steps, each an operation of its own;
// the steps are the definition of what they write.
class stream : public io::text::indented::output_stream {
 public:
  // Deep enough for every renderer's nesting; the stack never touches the heap.
  static constexpr std::size_t max_depth = 32;

  using io::text::indented::output_stream::output_stream;

  [[gnu::always_inline]] void start_element(std::string_view name) {
    if (depth_ == max_depth) refuse("unexpected nesting");
    // Written in one piece, the name was checked for line breaks but for a last character.
    const bool at_once = write_in_content(markup("<"), name);
    opened(name, at_once && (name.empty() || name.back() != '\n'));
  }
  // A start tag with one attribute, left open for more.
  [[gnu::always_inline]] void start_element(std::string_view name, std::string_view attribute_name,
                                            std::string_view value) {
    if (!start_with_attribute_at_once(name, attribute_name, value))
      start_with_attribute_in_steps<false>(name, attribute_name, value);
  }
  // The same start tag closed, with a line break after it.
  [[gnu::always_inline]] void start_element_line(std::string_view name,
                                                 std::string_view attribute_name,
                                                 std::string_view value) {
    if (start_with_attribute_at_once(name, attribute_name, value, markup(">"), newline{}))
      tag_closed_ = true;
    else
      start_with_attribute_in_steps<true>(name, attribute_name, value);
  }
  [[gnu::always_inline]] void attribute(std::string_view name, std::string_view value) {
    if (tag_closed_) refuse("unexpected attribute");
    write(markup(" "), name, markup("="), markup("\""), value, markup("\""));
  }
  void attribute(std::string_view name, WideText value);
  // The moniker's display name, or "(none)" for a null moniker.
  void attribute(std::string_view name, IMoniker* moniker);

  // Character data: the library's own text (std::string_view, std::u16string_view, NumberText)
  // as it is, payload text (NarrowText, WideText) escaped.
  template <class Text>
  [[gnu::always_inline]] void put_text(const Text& text) {
    check(text);
    write_in_content(content_piece(text));
    tag_closed_ = true;
  }
  [[gnu::always_inline]] void line_break() { put_text(newline{}); }

  // <name>texts</name>, and with text_element_line a line break: the one way to write an element
  // that holds text.
  template <class... Texts>
  [[gnu::always_inline]] void text_element(std::string_view name, const Texts&... texts) {
    write_text_element<false>(name, texts...);
  }
  template <class... Texts>
  [[gnu::always_inline]] void text_element_line(std::string_view name, const Texts&... texts) {
    write_text_element<true>(name, texts...);
  }

  [[gnu::always_inline]] void end_element() { end_element_with(); }
  [[gnu::always_inline]] void end_element_line() { end_element_with(newline{}); }
  // The open element's last text and its end tag, and with end_with_text_line a line break.
  template <class Text>
  [[gnu::always_inline]] void end_with_text(const Text& text) {
    if (!text_and_end_at_once(text)) end_with_text_in_steps<false>(text);
  }
  template <class Text>
  [[gnu::always_inline]] void end_with_text_line(const Text& text) {
    if (!text_and_end_at_once(text, newline{})) end_with_text_in_steps<true>(text);
  }

  void start_text();
  void apply(xml_directive d);
  using io::text::indented::output_stream::apply;

  std::size_t depth() const noexcept { return depth_; }

 private:
  // An element whose end tag is still to come. Left uninitialized until pushed, so that a sink
  // costs nothing to build.
  struct open_element {
    const char* data;
    std::size_t size;
    bool plain;  // holds no line break: its end tag needs no second look
    tag_name name() const noexcept { return {{data, size}, plain}; }
  };

  [[noreturn, gnu::cold]] static void refuse(const char* message);
  // The refusal of an end tag with no element open or at level 0.
  [[noreturn, gnu::cold]] void refuse_end() const;

  // A number too large to be held raises before anything of its write, the ">" included.
  template <class Text>
  static void check(const Text&) noexcept {}
  static void check(const NumberText& number) { number.check(); }

  // Element content: while a start tag is still open, its ">" goes first.
  template <class... Pieces>
  [[gnu::always_inline]] bool write_in_content(const Pieces&... pieces) {
    return tag_closed_ ? write(pieces...) : write(markup(">"), pieces...);
  }
  template <class... Pieces>
  [[gnu::always_inline]] bool write_in_content_at_once(const Pieces&... pieces) {
    return tag_closed_ ? write_at_once(pieces...) : write_at_once(markup(">"), pieces...);
  }
  void opened(std::string_view name, bool plain) noexcept {
    stack_[depth_++] = {name.data(), name.size(), plain};
    indent();
    tag_closed_ = false;
  }

  template <class... After>
  [[gnu::always_inline]] bool start_with_attribute_at_once(std::string_view name,
                                                           std::string_view attribute_name,
                                                           std::string_view value,
                                                           const After&... after) {
    if (depth_ == max_depth ||
        !write_in_content_at_once(markup("<"), name, markup(" "), attribute_name, markup("="),
                                  markup("\""), value, markup("\""), after...))
      return false;
    opened(name, true);
    return true;
  }

  template <bool Line, class... Texts>
  [[gnu::always_inline]] void write_text_element(std::string_view name, const Texts&... texts) {
    if (depth_ != max_depth && text_element_at_once<Line>(name, texts...))
      tag_closed_ = true;
    else
      text_element_in_steps<Line>(name, texts...);
  }
  template <bool Line, class... Texts>
  [[gnu::always_inline]] bool text_element_at_once(std::string_view name, const Texts&... texts) {
    // The name is checked in the start tag, so the end tag need not look at it again.
    if constexpr (Line)
      return write_in_content_at_once(markup("<"), name, markup(">"), content_piece(texts)...,
                                      markup("</"), tag_name{name, true}, markup(">"), newline{});
    else
      return write_in_content_at_once(markup("<"), name, markup(">"), content_piece(texts)...,
                                      markup("</"), tag_name{name, true}, markup(">"));
  }

  // The steps of the operations above, when they do not go in one write: out of line, as the
  // writes one by one are.
  template <bool Line>
  [[gnu::noinline]] void start_with_attribute_in_steps(std::string_view name,
                                                                  std::string_view attribute_name,
                                                                  std::string_view value) {
    start_element(name);
    attribute(attribute_name, value);
    if constexpr (Line) line_break();
  }
  template <bool Line, class... Texts>
  [[gnu::noinline]] void text_element_in_steps(std::string_view name,
                                                          const Texts&... texts) {
    start_element(name);
    (put_text(texts), ...);
    if constexpr (Line)
      end_element_line();
    else
      end_element();
  }
  template <bool Line, class Text>
  [[gnu::noinline]] void end_with_text_in_steps(const Text& text) {
    put_text(text);
    if constexpr (Line)
      end_element_line();
    else
      end_element();
  }

  // The end tag, on the enclosing element's level, and any pieces after it.
  template <class... After>
  [[gnu::always_inline]] void end_element_with(const After&... after) {
    if (depth_ == 0 || indent_level() == 0) refuse_end();
    unindent();
    const open_element& top = stack_[--depth_];
    if (tag_closed_)
      write(markup("</"), top.name(), markup(">"), after...);
    else
      write(markup("/>"), after...);
    tag_closed_ = true;
  }
  // The text goes on the element's own level and the end tag on the enclosing one, which only
  // differ when a line starts between them: a text at a line start, or one that holds a line
  // break, is left to the steps.
  template <class Text, class... After>
  [[gnu::always_inline]] bool text_and_end_at_once(const Text& text, const After&... after) {
    if (depth_ == 0 || indent_level() == 0) return false;
    const open_element& top = stack_[depth_ - 1];
    if (!top.plain || (tag_closed_ && at_line_start())) return false;
    if (!write_in_content_at_once(content_piece(text), markup("</"), top.name(), markup(">"),
                                  after...))
      return false;
    unindent();
    --depth_;
    tag_closed_ = true;
    return true;
  }

  open_element stack_[max_depth];
  std::size_t depth_ = 0;
  bool tag_closed_ = true;
};

}  // namespace output
}  // namespace io::xml

namespace ui::event {

class xml_output : public io::xml::output::stream {
 public:
  using stream::stream;
};

}  // namespace ui::event
