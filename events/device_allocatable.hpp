// Device allocatable flag events: whether the switching service may hand a device out.
#pragma once

#include <cstdint>

#include "io/byte_cursor.hpp"
#include "io/text_output.hpp"
#include "io/xml_output.hpp"

namespace ui::event {

// Payload: device moniker and name, group moniker and name, old and new flag. Both renderers
// read (and so parse the monikers of) the whole payload before they write.
void render_device_allocatable_xml(xml_output& out, ByteCursor& cursor);
std::uint32_t render_device_allocatable_text(text_output& out, ByteCursor& cursor);

}  // namespace ui::event
