#include "io/xml_output.hpp"

#include <algorithm>
#include <array>
#include <cstring>

#include "plugin/errors.hpp"

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
std::size_t piece_length(NarrowText text, std::size_t from) {
  return piece_length(text.text.data() + from, text.size() - from);
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

template <class Text>
void output_stream::write_escaped_lines(Text text, io::xml::escaping mode) {
  using io::xml::escaping;
  // Most texts hold nothing to escape, and then no line break either: one copy.
  const bool as_is = mode == escaping::content
                         ? !pieces::holds<io::xml::escapable<escaping::content>>(text)
                         : !pieces::holds<io::xml::escapable<escaping::attribute>>(text);
  const std::size_t n = text.size();
  for (std::size_t from = 0; from < n;) {
    if (at_line_start_) write_indentation();
    const std::size_t piece =
        as_is || mode == escaping::attribute ? n - from : piece_length(text, from);
    const Text part = text.substr(from, piece);
    std::size_t length = piece;
    if (as_is) {
      reserve(length);
      char16_t* out = position();
      char16_t last;
      pieces::put_piece(part, out, last);
    } else if (io::xml::max_growth * piece < room()) {
      // Room for the longest escaped form: written at once, its length known after.
      length = static_cast<std::size_t>(io::xml::put_escaped(part, mode, position()) - position());
    } else {
      length = io::xml::escaped_length(part, mode);
      reserve(length);
      io::xml::put_escaped(part, mode, position());
    }
    commit(length);
    from += piece;
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

void stream::close_start_tag() {
  if (!tag_closed_) {
    write_chars(">", 1);
    tag_closed_ = true;
  }
}

// Each operation below writes its pieces at once when they fit, and otherwise one by one in the
// order the layout prescribes, so that an overflow leaves the same text either way.

void stream::start_element_piecewise(std::string_view name) {
  if (depth_ == max_depth) throw misuse{"unexpected nesting"};
  if (!tag_closed_) write_chars(">", 1);
  stack_[depth_++] = {name.data(), name.size(), !io::text::pieces::holds_break(name)};
  write_chars("<", 1);
  write_chars(name.data(), name.size());
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

void stream::attribute_piecewise(std::string_view name, std::string_view value) {
  start_attribute(name);
  write_chars(value.data(), value.size());
  write_chars("\"", 1);
}

void stream::attribute(std::string_view name, WideText value) {
  start_attribute(name);
  write_escaped(value, escaping::attribute);
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
  write_escaped(WideText::of(display_name.view()), escaping::attribute);
}

void stream::put_text_piecewise(std::string_view text) {
  close_start_tag();
  write_chars(text.data(), text.size());
}

void stream::put_text_piecewise(std::u16string_view text) {
  close_start_tag();
  write_wchars(text.data(), text.size());
}

void stream::put_text_piecewise(NarrowText text) {
  close_start_tag();
  write_escaped(text, escaping::content);
}

void stream::put_text_piecewise(WideText text) {
  close_start_tag();
  write_escaped(text, escaping::content);
}

void stream::put_text_piecewise(FormattedText text) {
  close_start_tag();
  write_wchars(text.text.data(), text.text.size());
}

void stream::end_element_piecewise() {
  if (depth_ == 0) throw misuse{"unexpected end of element"};
  outdent();
  if (tag_closed_) {
    const std::string_view name = stack_[depth_ - 1].name();
    write_chars("</", 2);
    write_chars(name.data(), name.size());
    write_chars(">", 1);
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
