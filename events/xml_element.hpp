// Writing one element with its content, the building block of every event document.
#pragma once

#include <string_view>

#include "io/formatting.hpp"
#include "io/xml_output.hpp"

namespace ui::event {

namespace element_content {

// What the element holds, as text the sink can write in one piece.
template <class Text>
const Text& as_text(const Text& text) {
  return text;
}
inline io::FormattedText as_text(const io::NumberText& number) { return {number.view()}; }

// Whether the content can go with its tags in one write: a number too large to be held must
// fail where writing it on its own would.
template <class Text>
bool fits_one_write(const Text&) {
  return true;
}
inline bool fits_one_write(const io::NumberText& number) { return !number.is_too_large(); }

// The content written on its own, when the element does not go in one piece: a number then
// fails character by character, like every number.
template <class Text>
void put(xml_output& out, const Text& text) {
  out.put_text(text);
}
inline void put(xml_output& out, const io::NumberText& number) { io::put_number(out, number); }

template <class Text>
void write_piecewise(xml_output& out, std::string_view name, const Text& text) {
  out.start_element(name);
  put(out, text);
  out.end_element();
}

}  // namespace element_content

// <name>text</name>, in one write when it fits. `name` must outlive the sink: the sink keeps a
// view of it.
template <class Text>
void write_text_element(xml_output& out, std::string_view name, const Text& text) {
  using namespace element_content;
  if (!fits_one_write(text) || !out.text_element_at_once(name, as_text(text)))
    write_piecewise(out, name, text);
}

// <name>text</name> and a line break.
template <class Text>
void write_text_line(xml_output& out, std::string_view name, const Text& text) {
  using namespace element_content;
  if (fits_one_write(text) &&
      out.text_element_at_once(name, as_text(text), io::xml::output::newline{}))
    return;
  write_piecewise(out, name, text);
  out.line_break();
}

// The open element's text and its end tag, and with end_with_text_line a line break.
template <class Text>
void end_with_text(xml_output& out, const Text& text) {
  using namespace element_content;
  if (fits_one_write(text) && out.text_and_end_at_once(as_text(text))) return;
  put(out, text);
  out.end_element();
}
template <class Text>
void end_with_text_line(xml_output& out, const Text& text) {
  using namespace element_content;
  if (fits_one_write(text) && out.text_and_end_at_once(as_text(text), io::xml::output::newline{}))
    return;
  put(out, text);
  out.end_element_line();
}

}  // namespace ui::event
