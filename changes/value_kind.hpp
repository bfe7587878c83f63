// The value kinds of configuration records: how one value is laid out in a change payload and
// how it is written as the text of the element that is open at that moment.
#pragma once

#include <cstdint>

#include "io/byte_cursor.hpp"
#include "io/xml_output.hpp"

namespace data {

enum class ValueKind : std::uint8_t {
  signed_integer,     // 4 bytes, decimal with a sign
  unsigned_integer,   // 4 bytes, decimal digits
  boolean,            // 4 bytes, zero is false
  data_rate,          // 4 bytes signed, bits per second
  bandwidth,          // 4 bytes signed, hertz
  frequency,          // 8 bytes signed, hertz
  power,              // 2 bytes signed, hundredths of a dBm
  ipv4_address,       // 4 bytes, the address as a number
  label,              // signed 16-bit count, then that many UTF-16 units when above zero
  device_reference,   // a moniker display name, then a name
  inband_enable,      // 4 bytes, INBAND_IENABLE
  entry_rate_option,  // 4 bytes, ENTRY_RATE_OPTIONS
};

}  // namespace data

namespace ui::event {

// Reads one value of the kind, writes it into the open element and ends the element: the value as
// its text, and for a device reference also as its "moniker" attribute. A value without text
// leaves the element empty. The _line form puts a line break after the end tag.
void write_value_and_end(xml_output& out, ByteCursor& cursor, data::ValueKind kind);
void write_value_and_end_line(xml_output& out, ByteCursor& cursor, data::ValueKind kind);

}  // namespace ui::event
