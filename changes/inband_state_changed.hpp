// "InBand State Changed": the payload is the state record's change set.
#pragma once

#include "io/byte_cursor.hpp"
#include "io/xml_output.hpp"

namespace ui::event {

void render_inband_state_changed_xml(xml_output& out, ByteCursor& in);

}  // namespace ui::event
