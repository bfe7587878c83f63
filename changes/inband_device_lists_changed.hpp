// Changes of the lists kept per in-band device: modulation-and-coding entries and reservations.
// Each payload names the device, then carries one element list change.
#pragma once

#include <cstdint>

#include "io/byte_cursor.hpp"
#include "io/text_output.hpp"
#include "io/xml_output.hpp"

namespace ui::event {

void render_inband_modcods_changed_xml(xml_output& out, ByteCursor& cursor);
void render_inband_reservations_changed_xml(xml_output& out, ByteCursor& cursor);
void render_inband_reservations_changed_v0_xml(xml_output& out, ByteCursor& cursor);
// A 32-bit count of devices, each with its own reservation list change.
void render_inband_reservations_changed_multi_xml(xml_output& out, ByteCursor& cursor);

// Reads the device, which the sentence does not show, and says that properties were modified.
std::uint32_t render_inband_device_change_text(text_output& out, ByteCursor& cursor);

}  // namespace ui::event
