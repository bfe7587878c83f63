// "InBand Policy Changed" in the current layout and the v0, v1 and v2 layouts: the payload is the
// policy record's change set.
#pragma once

#include "io/byte_cursor.hpp"
#include "io/xml_output.hpp"

namespace ui::event {

void render_inband_policy_changed_xml(xml_output& out, ByteCursor& in);
void render_inband_policy_changed_v0_xml(xml_output& out, ByteCursor& in);
void render_inband_policy_changed_v1_xml(xml_output& out, ByteCursor& in);
void render_inband_policy_changed_v2_xml(xml_output& out, ByteCursor& in);

}  // namespace ui::event
