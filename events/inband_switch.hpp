// In-band switch events: a site moved between its home carrier and a switched carrier from the
// dynamic pool, or its switched carrier changed. Two payload layouts stay readable.
#pragma once

#include <cstdint>

#include "io/byte_cursor.hpp"
#include "io/text_output.hpp"
#include "io/xml_output.hpp"

namespace ui::event {

// Current layout: kind, flags, then the error and the carriers that the flags announce.
void render_inband_switch_xml(xml_output& out, ByteCursor& cursor);
std::uint32_t render_inband_switch_text(text_output& out, ByteCursor& cursor);

// Older layout: kind, a signed result (negative is the error code), the error description on
// failure, then the new carrier and its power.
void render_inband_switch_v0_xml(xml_output& out, ByteCursor& cursor);
std::uint32_t render_inband_switch_v0_text(text_output& out, ByteCursor& cursor);

}  // namespace ui::event
