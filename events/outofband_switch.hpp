// Out-of-band switch events: a site's carrier changed through the out-of-band channel.
#pragma once

#include <cstdint>

#include "io/byte_cursor.hpp"
#include "io/text_output.hpp"
#include "io/xml_output.hpp"

namespace ui::event {

// Payload: flags, a 32-bit result, then the carriers that the flags announce.
void render_outofband_switch_xml(xml_output& out, ByteCursor& cursor);
// Shows the result only; the carriers are not read.
std::uint32_t render_outofband_switch_text(text_output& out, ByteCursor& cursor);

}  // namespace ui::event
