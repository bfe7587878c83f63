// "Allocation Space Database Event" in the change-set encoding: the current layout and the v0,
// v1 and v2 layouts of the allocation space record.
#pragma once

#include "io/byte_cursor.hpp"
#include "io/xml_output.hpp"

namespace ui::event {

void render_space_database_xml(xml_output& out, ByteCursor& in);
void render_space_database_v0_xml(xml_output& out, ByteCursor& in);
void render_space_database_v1_xml(xml_output& out, ByteCursor& in);
void render_space_database_v2_xml(xml_output& out, ByteCursor& in);

}  // namespace ui::event
