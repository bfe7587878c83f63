// Space segment exclusion events: a frequency band of the satellite space segment that is kept
// out of use was created, deleted or moved.
#pragma once

#include <cstdint>

#include "io/byte_cursor.hpp"
#include "io/text_output.hpp"
#include "io/xml_output.hpp"

namespace ui::event {

// Payloads are 64-bit frequencies in hertz, each band as its base then its top: one band for
// created and deleted, the old and the new band for changed. Each frequency is read just before
// it is written.
void render_exclusion_xml(xml_output& out, ByteCursor& cursor);
void render_exclusion_change_xml(xml_output& out, ByteCursor& cursor);

std::uint32_t render_exclusion_created_text(text_output& out, ByteCursor& cursor);
std::uint32_t render_exclusion_deleted_text(text_output& out, ByteCursor& cursor);
std::uint32_t render_exclusion_changed_text(text_output& out, ByteCursor& cursor);

}  // namespace ui::event
