#include "events/space_exclusion.hpp"

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "io/formatting.hpp"
#include "veduvedader/eventui.h"

namespace ui::event {
namespace {

std::int64_t read_frequency(ByteCursor& cursor) {
  return static_cast<std::int64_t>(cursor.read_u64());
}

// One element per frequency, named in payload order, each on its own line.
void write_frequencies_xml(xml_output& out, ByteCursor& cursor,
                           std::initializer_list<std::string_view> elements) {
  for (std::string_view element : elements) {
    const std::int64_t hertz = read_frequency(cursor);
    out.text_element_line(element, io::frequency_text(hertz));
  }
}

// Each frequency in payload order, preceded by the text that leads up to it. The lead is only
// written once its frequency has been read, so a short payload leaves whole fields behind.
std::uint32_t write_frequencies_text(text_output& out, ByteCursor& cursor,
                                     std::initializer_list<std::string_view> leads) {
  for (std::string_view lead : leads) {
    const std::int64_t hertz = read_frequency(cursor);
    out.put_text(lead);
    io::format_frequency(out, hertz);
  }
  return EVENTUI_COLOUR_WHITE;
}

}  // namespace

void render_exclusion_xml(xml_output& out, ByteCursor& cursor) {
  write_frequencies_xml(out, cursor, {"base", "top"});
}

void render_exclusion_change_xml(xml_output& out, ByteCursor& cursor) {
  write_frequencies_xml(out, cursor, {"old-base", "old-top", "new-base", "new-top"});
}

std::uint32_t render_exclusion_created_text(text_output& out, ByteCursor& cursor) {
  return write_frequencies_text(out, cursor, {"Space segment exclusion created: ", "-"});
}

std::uint32_t render_exclusion_deleted_text(text_output& out, ByteCursor& cursor) {
  return write_frequencies_text(out, cursor, {"Space segment exclusion destroyed: ", "-"});
}

std::uint32_t render_exclusion_changed_text(text_output& out, ByteCursor& cursor) {
  return write_frequencies_text(out, cursor,
                                {"Space segment exclusion modified from: ", "-", " to: ", "-"});
}

}  // namespace ui::event
