// Writing one element with its content, the building block of every event document.
#pragma once

#include <string_view>

#include "io/xml_output.hpp"

namespace ui::event {

// <name>text</name>. `name` must outlive the sink: the sink keeps a view of it.
template <class Text>
void write_text_element(xml_output& out, std::string_view name, Text text) {
  if (out.text_element_at_once(name, text)) return;
  out.start_element(name);
  out.put_text(text);
  out.end_element();
}

// <name>…</name>, the content written by `format(out)`, typically one of the io formatters.
template <class Format>
void write_formatted_element(xml_output& out, std::string_view name, Format&& format) {
  out.start_element(name);
  format(out);
  out.end_element();
}

}  // namespace ui::event
