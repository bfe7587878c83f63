// Indented text and XML over the bounded writer. Indentation is written lazily, when the first
// character of a line arrives; empty elements close as "/>". Text from payloads (NarrowText,
// WideText, moniker display names) is escaped as character data or as an attribute value
// (io/xml_escaping.hpp); the library's own text (names, constants, formatted values) holds
// nothing to escape and is written as it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/com_services.hpp"
#include "io/formatted_text.hpp"
#include "io/narrow_text.hpp"
#include "io/text_output.hpp"
#include "io/text_pieces.hpp"
#include "io/wide_text.hpp"
#include "io/xml_escaping.hpp"

namespace io::text {

enum class indent_directive { indent, outdent };

namespace indented {

class output_stream : public io::text::output_stream {
 public:
  using io::text::output_stream::output_stream;

  void write_chars(const char* text, std::size_t n);
  void write_wchars(const char16_t* text, std::size_t n);
  // Payload text escaped for where it goes. Split into lines as the writes above split text
  // (character data; an attribute value has no line break left), each line one write counted
  // at its escaped length, so that a line that does not fit fails where its unescaped write
  // would.
  void write_escaped(NarrowText text, io::xml::escaping mode);
  void write_escaped(WideText text, io::xml::escaping mode);

  void indent() noexcept { ++indent_level_; }
  // Refuses to go below level 0 (io::xml::misuse).
  void outdent();
  void apply(indent_directive d) { d == indent_directive::indent ? indent() : outdent(); }
  std::uint32_t indent_level() const noexcept { return indent_level_; }

 protected:
  // outdent() for a caller that has checked the level is above 0.
  void unindent() noexcept { --indent_level_; }
  bool at_line_start() const noexcept { return at_line_start_; }
  // Pieces (narrow or UTF-16 text) as consecutive writes would leave them, written in one go when
  // they all fit, hold no line break before their end and nothing to escape. Otherwise false,
  // with nothing written: the caller then writes them one by one, so that a write that does not
  // fit fails exactly where it would.
  template <class... Pieces>
  bool write_at_once(const Pieces&... parts);

 private:
  void write_lines(const char* text, std::size_t n);
  void write_indentation();
  template <class Text>
  void write_escaped_lines(Text text, io::xml::escaping mode);

  bool at_line_start_ = true;
  std::uint32_t indent_level_ = 0;
};

// Inline, so that the pieces of each call are known where it is made.
template <class... Pieces>
[[gnu::always_inline]] inline bool output_stream::write_at_once(const Pieces&... parts) {
  using namespace pieces;
  const std::size_t length = (piece_size(parts) + ...);
  if (length == 0) return true;  // empty writes write nothing, not even indentation
  const std::size_t indentation = at_line_start_ ? indent_level_ : 0;
  if (indentation + length >= room()) return false;
  // A line break needs indentation behind it unless it ends the last piece, and a text that holds
  // a unit to escape is written at its escaped length: such pieces are left to the writes one by
  // one.
  std::size_t index = 0;
  if ((needs_piecewise(parts, ++index == sizeof...(Pieces)) || ...)) return false;
  char16_t* out = put_blanks(position(), indentation);
  char16_t last = u'\0';
  (put_piece(parts, out, last), ...);
  commit(indentation + length);
  at_line_start_ = last == u'\n';
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
using io::text::pieces::markup;
using io::text::pieces::newline;
using io::text::pieces::plain_text;

class stream : public io::text::indented::output_stream {
 public:
  // Deep enough for every renderer's nesting; the stack never touches the heap.
  static constexpr std::size_t max_depth = 32;

  using io::text::indented::output_stream::output_stream;

  // The common operations are inline, so that literal names and texts are known where they are
  // written; what does not fit in one piece goes the long way, out of line.
  [[gnu::always_inline]] void start_element(std::string_view name) {
    if (depth_ != max_depth && write_in_content(markup("<"), name))
      opened(name);
    else
      start_element_piecewise(name);
  }
  // A start tag with one attribute, left open for more, as one write when it fits.
  [[gnu::always_inline]] void start_element(std::string_view name, std::string_view attribute_name,
                                            std::string_view value) {
    if (!start_with_attribute_at_once(name, attribute_name, value)) {
      start_element(name);
      attribute(attribute_name, value);
    }
  }
  // The same start tag closed, with a line break after it.
  [[gnu::always_inline]] void start_element_line(std::string_view name,
                                                 std::string_view attribute_name,
                                                 std::string_view value) {
    if (start_with_attribute_at_once(name, attribute_name, value, markup(">"), newline{})) {
      tag_closed_ = true;
      return;
    }
    start_element(name);
    attribute(attribute_name, value);
    line_break();
  }
  [[gnu::always_inline]] void attribute(std::string_view name, std::string_view value) {
    if (tag_closed_ || !write_at_once(markup(" "), name, markup("=\""), value, markup("\"")))
      attribute_piecewise(name, value);
  }
  void attribute(std::string_view name, WideText value);
  // The moniker's display name, or "(none)" for a null moniker.
  void attribute(std::string_view name, IMoniker* moniker);
  // Character data: the library's own text (std::string_view, std::u16string_view,
  // FormattedText) as it is, payload text (NarrowText, WideText) escaped.
  template <class Text>
  [[gnu::always_inline]] void put_text(const Text& text) {
    if (write_in_content(content_piece(text)))
      tag_closed_ = true;
    else
      put_text_piecewise(text);
  }
  // <name>text</name>, and any pieces after it, as one write; false with nothing written when
  // they do not fit or need the piecewise writes (a line break in the text, a full element
  // stack).
  template <class Text, class... After>
  [[gnu::always_inline]] bool text_element_at_once(std::string_view name, const Text& text,
                                                   const After&... after) {
    if (depth_ == max_depth) return false;
    if (!write_in_content(markup("<"), name, markup(">"), content_piece(text), markup("</"),
                          plain_text{name}, markup(">"), after...))
      return false;
    tag_closed_ = true;
    return true;
  }
  [[gnu::always_inline]] void line_break() {
    if (write_in_content(newline{}))
      tag_closed_ = true;
    else
      put_text_piecewise(std::string_view("\n"));
  }
  [[gnu::always_inline]] void end_element() {
    if (!end_element_at_once()) end_element_piecewise();
  }
  // end_element() and line_break(), as one write when both fit.
  [[gnu::always_inline]] void end_element_line() {
    if (!end_element_at_once(newline{})) {
      end_element_piecewise();
      line_break();
    }
  }
  void start_text();
  void apply(xml_directive d);
  using io::text::indented::output_stream::apply;

  std::size_t depth() const noexcept { return depth_; }

  // The element's last text, its end tag and any pieces after them in one write; false with
  // nothing changed when that cannot be. The text goes on the element's own level, which only
  // matters when it starts a line; an empty text that would leave the end tag starting a line
  // is left to the separate writes.
  template <class Text, class... After>
  [[gnu::always_inline]] bool text_and_end_at_once(const Text& text, const After&... after) {
    if (depth_ == 0 || indent_level() == 0) return false;
    const open_element& top = stack_[depth_ - 1];
    if (!top.plain || (tag_closed_ && at_line_start())) return false;
    if (!write_in_content(content_piece(text), markup("</"), plain_text{top.name()}, markup(">"),
                          after...))
      return false;
    unindent();
    --depth_;
    tag_closed_ = true;
    return true;
  }

 private:
  // An element whose end tag is still to come. Left uninitialized until pushed, so that a sink
  // costs nothing to build. `plain`: the name holds no line break, so its end tag can be
  // written in one piece without looking.
  struct open_element {
    const char* data;
    std::size_t size;
    bool plain;
    std::string_view name() const noexcept { return {data, size}; }
  };

  // Pieces of element content as one write: while a start tag is still open, its ">" goes first.
  template <class... Pieces>
  [[gnu::always_inline]] bool write_in_content(const Pieces&... pieces) {
    return tag_closed_ ? write_at_once(pieces...) : write_at_once(markup(">"), pieces...);
  }
  // After a start tag written in one piece, which checked every character of the name but a
  // last one.
  void opened(std::string_view name) noexcept {
    stack_[depth_++] = {name.data(), name.size(), name.empty() || name.back() != '\n'};
    indent();
    tag_closed_ = false;
  }
  // The end tag, and any pieces after it, in one write; false with nothing changed when they
  // do not fit or the name needs the piecewise writes. The end tag goes on the enclosing
  // element's level.
  template <class... After>
  [[gnu::always_inline]] bool end_element_at_once(const After&... after) {
    if (depth_ == 0 || indent_level() == 0) return false;  // left to the checks of the piecewise end
    const open_element& top = stack_[depth_ - 1];
    unindent();
    if (tag_closed_ ? top.plain && write_at_once(markup("</"), plain_text{top.name()}, markup(">"), after...)
                    : write_at_once(markup("/>"), after...)) {
      --depth_;
      tag_closed_ = true;
      return true;
    }
    indent();
    return false;
  }
  template <class... After>
  [[gnu::always_inline]] bool start_with_attribute_at_once(std::string_view name,
                                                           std::string_view attribute_name,
                                                           std::string_view value,
                                                           const After&... after) {
    if (depth_ == max_depth) return false;
    if (!write_in_content(markup("<"), name, markup(" "), attribute_name, markup("=\""), value,
                          markup("\""), after...))
      return false;
    opened(name);
    return true;
  }
  void start_element_piecewise(std::string_view name);
  void attribute_piecewise(std::string_view name, std::string_view value);
  void put_text_piecewise(std::string_view text);
  void put_text_piecewise(std::u16string_view text);
  void put_text_piecewise(NarrowText text);
  void put_text_piecewise(WideText text);
  void put_text_piecewise(FormattedText text);
  void end_element_piecewise();
  void close_start_tag();
  // The opening of an attribute, ` name="`, up to its value.
  void start_attribute(std::string_view name);
  // The moniker's display name, or "(none)" for a null moniker.
  void write_display_name(IMoniker* moniker);

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
