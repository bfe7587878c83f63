// The sentence of every event that reports a change of stored properties.
#pragma once

#include <cstdint>

#include "io/byte_cursor.hpp"
#include "io/text_output.hpp"

namespace ui::event {

// "Properties were modified." whatever the payload holds.
std::uint32_t render_modification_text(text_output& out, ByteCursor& cursor);

}  // namespace ui::event
