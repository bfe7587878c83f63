// Satellite switch events: a remote moved from one satellite to another.
#pragma once

#include <cstdint>

#include "io/byte_cursor.hpp"
#include "io/text_output.hpp"
#include "io/xml_output.hpp"

namespace ui::event {

// Payload: a signed status; a negative one is the error code, followed by its description;
// otherwise the old and new satellites follow, each as its name and its moniker's display form.
// Both renderers read the whole payload before they write.
void render_satellite_switch_xml(xml_output& out, ByteCursor& cursor);
std::uint32_t render_satellite_switch_text(text_output& out, ByteCursor& cursor);

}  // namespace ui::event
