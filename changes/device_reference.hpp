// A device as payloads refer to it: its moniker, stored as the display name, and its name.
#pragma once

#include "io/byte_cursor.hpp"
#include "io/com_services.hpp"
#include "io/wide_text.hpp"

namespace data {

struct DeviceReference {
  com::ComPtr<IMoniker> moniker;  // null when the payload names no device
  io::WideText name;              // a view into the payload
};

inline DeviceReference read_device_reference(ByteCursor& in) {
  DeviceReference device;
  device.moniker = in.read_moniker();
  device.name = in.read_wstring();
  return device;
}

}  // namespace data
