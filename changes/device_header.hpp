// The device a per-device list belongs to, at the head of its change payload.
#pragma once

#include "io/byte_cursor.hpp"
#include "io/xml_output.hpp"

namespace ui::event {

// A "device" element with the device's moniker and, when it has one, its name.
void write_device_header(ByteCursor& in, xml_output& out);

}  // namespace ui::event
