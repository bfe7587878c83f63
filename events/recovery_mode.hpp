// Recovery mode events of managed and allocatable devices. Both kinds of device share one
// document per direction; only the sentence names the kind.
#pragma once

#include <cstdint>

#include "io/byte_cursor.hpp"
#include "io/text_output.hpp"
#include "io/xml_output.hpp"

namespace ui::event {

// Entered: the device name. Exited: how recovery ended (one byte), then the device name.
void render_recovery_entered_xml(xml_output& out, ByteCursor& cursor);
void render_recovery_exited_xml(xml_output& out, ByteCursor& cursor);

std::uint32_t render_managed_recovery_entered_text(text_output& out, ByteCursor& cursor);
std::uint32_t render_allocatable_recovery_entered_text(text_output& out, ByteCursor& cursor);
std::uint32_t render_managed_recovery_exited_text(text_output& out, ByteCursor& cursor);
std::uint32_t render_allocatable_recovery_exited_text(text_output& out, ByteCursor& cursor);

}  // namespace ui::event
