#include "io/xml_output.hpp"

#include <algorithm>
#include <cstring>

#include "com/com_ptr.hpp"
#include "com/error.hpp"
#include "com/ole_text.hpp"
#include "com/task_string.hpp"

namespace io::text::indented {
namespace {

// The length of the next line: up to and including the next line break, or the rest.
std::size_t line_length(std::string_view text) {
  const void* nl = std::memchr(text.data(), '\n', text.size());
  return nl != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nl) - text.data()) + 1
                       : text.size();
}
std::size_t line_length(std::u16string_view text) {
  const std::size_t nl = text.find(u'\n');
  return nl != std::u16string_view::npos ? nl + 1 : text.size();
}
std::size_t line_length(WideText text) {
  for (std::size_t i = 0; i < text.units; ++i)
    if (text[i] == u'\n') return i + 1;
  return text.units;
}
std::size_t line_length(NarrowText text) { return line_length(text.text); }

}  // namespace

void output_stream::outdent() {
  if (indent_level_ == 0) throw io::xml::misuse{"unexpected outdent"};
  --indent_level_;
}

// Indentation is a write of its own, in copies of the blank row for levels deeper than it.
void output_stream::start_line() {
  reserve(indent_level_);
  for (std::size_t left = indent_level_; left != 0;) {
    const std::size_t n = std::min(left, blank_row.size());
    io::text::output_stream::put_text(std::u16string_view(blank_row.data(), n));
    left -= n;
  }
  at_line_start_ = false;
}

void output_stream::write_piece(std::string_view text) {
  while (!text.empty()) {
    if (at_line_start_) start_line();
    const std::string_view line = text.substr(0, line_length(text));
    io::text::output_stream::put_text(line);
    at_line_start_ = line.back() == '\n';
    text.remove_prefix(line.size());
  }
}

void output_stream::write_piece(std::u16string_view text) {
  while (!text.empty()) {
    if (at_line_start_) start_line();
    const std::u16string_view line = text.substr(0, line_length(text));
    io::text::output_stream::put_text(line);
    at_line_start_ = line.back() == u'\n';
    text.remove_prefix(line.size());
  }
}

void output_stream::write_piece(const NumberText& number) {
  if (at_line_start_) start_line();
  write_number(number);
}

template <class Text>
void output_stream::write_escaped_lines(Text text, io::xml::escaping mode) {
  using io::xml::escaping;
  // Most texts hold nothing to escape, and then no line break either: one copy.
  const bool as_is = mode == escaping::content
                         ? !holds<io::xml::escapable<escaping::content>>(text)
                         : !holds<io::xml::escapable<escaping::attribute>>(text);
  const std::size_t n = text.size();
  for (std::size_t from = 0; from < n;) {
    if (at_line_start_) start_line();
    const Text part = as_is || mode == escaping::attribute
                          ? text.substr(from, n - from)
                          : text.substr(from, line_length(text.substr(from, n - from)));
    std::size_t length = part.size();
    if (as_is) {
      reserve(length);
      part.copy_to(position());
    } else if (io::xml::max_growth * part.size() < room()) {
      // Room for the longest escaped form: written at once, its length known after.
      length = static_cast<std::size_t>(io::xml::put_escaped(part, mode, position()) - position());
    } else {
      length = io::xml::escaped_length(part, mode);
      reserve(length);
      io::xml::put_escaped(part, mode, position());
    }
    commit(length);
    from += part.size();
    at_line_start_ = mode == escaping::content && io::xml::unit_at(text, from - 1) == u'\n';
  }
}

void output_stream::write_escaped(NarrowText text, io::xml::escaping mode) {
  write_escaped_lines(text, mode);
}

void output_stream::write_escaped(WideText text, io::xml::escaping mode) {
  write_escaped_lines(text, mode);
}

}  // namespace io::text::indented

namespace io::xml::output {

void stream::refuse(const char* message) { throw misuse{message}; }

void stream::refuse_end() const {
  if (depth_ == 0) refuse("unexpected end of element");
  refuse("unexpected outdent");
}

void stream::attribute(std::string_view name, WideText value) {
  if (tag_closed_) refuse("unexpected attribute");
  // Three writes, as the pieces go one by one: the value is its own, so that a value that holds
  // something to escape is looked at once, not once more for a write it cannot join.
  write(markup(" "), name, markup("="), markup("\""));
  write_escaped(value, escaping::attribute);
  write(markup("\""));
}

void stream::attribute(std::string_view name, IMoniker* moniker) {
  if (tag_closed_) refuse("unexpected attribute");
  // The opening goes first: a display name that cannot be had fails after it, as the value would.
  write(markup(" "), name, markup("="), markup("\""));
  if (moniker == nullptr) {
    write(markup("(none)"), markup("\""));
    return;
  }
  com::ComPtr<IBindCtx> bind_context;
  if (HRESULT hr = CreateBindCtx(0, bind_context.put()); FAILED(hr))
    com::error::raise_with_thread_info(hr);
  LPOLESTR raw_name = nullptr;
  if (HRESULT hr = moniker->GetDisplayName(bind_context.get(), nullptr, &raw_name); FAILED(hr))
    com::error::raise_with_thread_info(hr);
  const com::TaskString display_name(com::utf16(raw_name));
  write(escaped<WideText, escaping::attribute>{WideText::of(display_name.view())}, markup("\""));
}

void stream::start_text() {
  if (tag_closed_) refuse("unexpected startText");
  write(markup(">"));
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
  refuse("unexpected directive");
}

}  // namespace io::xml::output
