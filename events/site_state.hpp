// A site's carrier state around a switch, as the in-band and out-of-band switch documents show it.
#pragma once

#include <string_view>

#include "io/byte_cursor.hpp"
#include "io/xml_output.hpp"

namespace ui::event {

// Element `name` with status "switched" or "home"; a switched site's carrier is read from the
// cursor and listed inside. `name` must outlive the sink.
void write_site_state_xml(xml_output& out, ByteCursor& cursor, std::string_view name,
                          bool switched);

// The line a switch writes when it found nothing to do.
void write_no_switch_required_xml(xml_output& out);

}  // namespace ui::event
