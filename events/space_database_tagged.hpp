// "Allocation Space Database Event v0" in its tagged encoding: a list of changes, each opened by
// a tag byte, ended by tag 0.
#pragma once

#include <cstdint>

#include "io/byte_cursor.hpp"
#include "io/text_output.hpp"
#include "io/xml_output.hpp"

namespace ui::event {

void render_space_database_tagged_xml(xml_output& out, ByteCursor& cursor);
// "Changed " and the changes joined by " and, ".
std::uint32_t render_space_database_tagged_text(text_output& out, ByteCursor& cursor);

}  // namespace ui::event
