// A device as payloads refer to it: its moniker, stored as the display name, and its name.
#pragma once

#include <string_view>

#include "com/com_ptr.hpp"
#include "io/byte_cursor.hpp"
#include "io/wide_text.hpp"
#include "io/xml_output.hpp"

namespace data {

struct DeviceReference {
  com::ComPtr<IMoniker> moniker;  // null when the payload names no device
  io::WideText name;              // a view into the payload
};

inline DeviceReference read_device_reference(ByteCursor& cursor) {
  DeviceReference device;
  device.moniker = cursor.read_moniker();
  device.name = cursor.read_wstring();
  return device;
}

}  // namespace data

namespace ui::event {

// The device as an element of its own: the moniker as an attribute and, when the device has a
// name, a "name" element on a line inside; a line break follows.
void write_device_xml(xml_output& out, std::string_view element, const data::DeviceReference& device);

}  // namespace ui::event
