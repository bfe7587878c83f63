#include "changes/value_kind.hpp"

#include <charconv>
#include <string_view>

#include "changes/device_reference.hpp"
#include "io/formatting.hpp"

namespace ui::event {
namespace {

// Dotted decimal, most significant byte first.
void write_ipv4_address(xml_output& out, std::uint32_t address) {
  char text[sizeof "255.255.255.255" - 1];
  char* end = text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (shift != 24) *end++ = '.';
    end = std::to_chars(end, text + sizeof text, (address >> shift) & 0xFFu).ptr;
  }
  out.put_text(std::string_view(text, static_cast<std::size_t>(end - text)));
}

void write_label(ByteCursor& in, xml_output& out) {
  // The text ends at its first NUL even though the payload holds all of its units.
  if (const com::TaskString label = in.read_task_wstring()) out.put_text(label.view());
}

void write_device_reference(ByteCursor& in, xml_output& out) {
  const data::DeviceReference device = data::read_device_reference(in);
  out.attribute("moniker", device.moniker.get());
  if (!device.name.empty()) out.put_text(device.name);
}

}  // namespace

void write_value(ByteCursor& in, xml_output& out, data::ValueKind kind) {
  using data::ValueKind;
  switch (kind) {
    case ValueKind::signed_integer:
      return io::format_integer(out, in.read_i32());
    case ValueKind::unsigned_integer:
      return io::format_integer(out, in.read_u32());
    case ValueKind::boolean:
      return io::format_bool(out, in.read_u32());
    case ValueKind::data_rate:
      return io::format_bit_rate(out, in.read_i32());
    case ValueKind::bandwidth:
      return io::format_frequency(out, std::int64_t{in.read_i32()});
    case ValueKind::frequency:
      return io::format_frequency(out, in.read_i64());
    case ValueKind::power:
      return io::format_power(out, in.read_i16());
    case ValueKind::ipv4_address:
      return write_ipv4_address(out, in.read_u32());
    case ValueKind::label:
      return write_label(in, out);
    case ValueKind::device_reference:
      return write_device_reference(in, out);
    case ValueKind::inband_enable:
      return io::enum_name<data::INBAND_IENABLE>(out, in.read_u32());
    case ValueKind::entry_rate_option:
      return io::enum_name<data::ENTRY_RATE_OPTIONS>(out, in.read_u32());
  }
}

}  // namespace ui::event
