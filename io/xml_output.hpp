// Indented text and XML over the bounded writer. Indentation is written lazily, when the first
// character of a line arrives; empty elements close as "/>"; nothing is escaped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/com_services.hpp"
#include "io/text_output.hpp"
#include "io/wide_text.hpp"

namespace io::text {

enum class indent_directive { indent, outdent };

namespace indented {

class output_stream : public io::text::output_stream {
 public:
  using io::text::output_stream::output_stream;

  void write_chars(const char* text, std::size_t n);
  void write_wchars(const char16_t* text, std::size_t n);
  void write_wchars(WideText text);

  void indent() noexcept { ++indent_level_; }
  // Refuses to go below level 0 (io::xml::misuse).
  void outdent();
  void apply(indent_directive d) { d == indent_directive::indent ? indent() : outdent(); }
  std::uint32_t indent_level() const noexcept { return indent_level_; }

 protected:
  // Pieces (narrow or UTF-16 text) as consecutive writes would leave them, written in one go when
  // they all fit and hold no line break before their end. Otherwise false, with nothing written:
  // the caller then writes them one by one, so that a write that does not fit fails exactly where
  // it would.
  template <class... Pieces>
  bool write_at_once(const Pieces&... pieces);

 private:
  void write_lines(const char* text, std::size_t n);
  void write_indentation();

  bool at_line_start_ = true;
  std::uint32_t indent_level_ = 0;
};

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

class stream : public io::text::indented::output_stream {
 public:
  // Deep enough for every renderer's nesting; the stack never touches the heap.
  static constexpr std::size_t max_depth = 32;

  using io::text::indented::output_stream::output_stream;

  void start_element(std::string_view name);
  void attribute(std::string_view name, std::string_view value);
  void attribute(std::string_view name, std::u16string_view value);
  void attribute(std::string_view name, WideText value);
  // The moniker's display name, or "(none)" for a null moniker.
  void attribute(std::string_view name, IMoniker* moniker);
  void put_text(std::string_view text);
  void put_text(std::u16string_view text);
  void put_text(WideText text);
  void line_break() { put_text(std::string_view("\n")); }
  void end_element();
  void start_text();
  void apply(xml_directive d);
  using io::text::indented::output_stream::apply;

  std::size_t depth() const noexcept { return depth_; }

 private:
  void close_start_tag();
  // The opening of an attribute, ` name="`, up to its value.
  void start_attribute(std::string_view name);
  // The moniker's display name, or "(none)" for a null moniker.
  void write_display_name(IMoniker* moniker);

  std::string_view stack_[max_depth];
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
