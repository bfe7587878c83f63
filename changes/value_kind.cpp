#include "changes/value_kind.hpp"

#include <charconv>
#include <string_view>

#include "changes/device_reference.hpp"
#include "io/formatting.hpp"

namespace ui::event {
namespace {

// Dotted decimal, most significant byte first.
struct AddressText {
  char text[sizeof "255.255.255.255" - 1];
  std::size_t size = 0;

  explicit AddressText(std::uint32_t address) noexcept {
    char* end = text;
    for (int shift = 24; shift >= 0; shift -= 8) {
      if (shift != 24) *end++ = '.';
      end = std::to_chars(end, text + sizeof text, (address >> shift) & 0xFFu).ptr;
    }
    size = static_cast<std::size_t>(end - text);
  }
  std::string_view view() const noexcept { return {text, size}; }
};

void write_label(xml_output& out, ByteCursor& cursor) {
  // The text ends at its first NUL even though the payload holds all of its units. It is payload
  // text, to be escaped, although it now lies in task memory.
  if (const com::TaskString label = cursor.read_task_wstring())
    out.put_text(io::WideText::of(label.view()));
}

void write_device_reference(xml_output& out, ByteCursor& cursor) {
  const data::DeviceReference device = data::read_device_reference(cursor);
  out.attribute("moniker", device.moniker.get());
  if (!device.name.empty()) out.put_text(device.name);
}

// Reads one value of the kind. A value that is plain text (a number, a name, an address) goes
// to `plain` as that text, to be written with the element's end tag; labels and device
// references go to `written` as a writer, because they reach the sink through the runtime and
// may leave the element empty or give it an attribute.
template <class Plain, class Written>
void read_value(ByteCursor& cursor, data::ValueKind kind, Plain&& plain, Written&& written) {
  using data::ValueKind;
  switch (kind) {
    case ValueKind::signed_integer:
      return plain(io::integer_text(cursor.read_i32()));
    case ValueKind::unsigned_integer:
      return plain(io::integer_text(cursor.read_u32()));
    case ValueKind::boolean:
      return plain(io::bool_text(cursor.read_u32()));
    case ValueKind::data_rate:
      return plain(io::bit_rate_text(cursor.read_i32()));
    case ValueKind::bandwidth:
      return plain(io::frequency_text(std::int64_t{cursor.read_i32()}));
    case ValueKind::frequency:
      return plain(io::frequency_text(cursor.read_i64()));
    case ValueKind::power:
      return plain(io::power_text(cursor.read_i16()));
    case ValueKind::ipv4_address:
      return plain(AddressText(cursor.read_u32()).view());
    case ValueKind::label:
      return written([&](xml_output& out) { write_label(out, cursor); });
    case ValueKind::device_reference:
      return written([&](xml_output& out) { write_device_reference(out, cursor); });
    case ValueKind::inband_enable:
      return plain(io::enum_text(data::inband_enable_names, cursor.read_u32()));
    case ValueKind::entry_rate_option:
      return plain(io::enum_text(data::entry_rate_option_names, cursor.read_u32()));
  }
}

// The value, then the element's end tag, with a line break after it when asked.
template <bool LineBreak>
void write_value_and_close(xml_output& out, ByteCursor& cursor, data::ValueKind kind) {
  read_value(
      cursor, kind,
      [&](const auto& text) { LineBreak ? out.end_with_text_line(text) : out.end_with_text(text); },
      [&](const auto& write) {
        write(out);
        LineBreak ? out.end_element_line() : out.end_element();
      });
}

}  // namespace

void write_value_and_end(xml_output& out, ByteCursor& cursor, data::ValueKind kind) {
  write_value_and_close<false>(out, cursor, kind);
}

void write_value_and_end_line(xml_output& out, ByteCursor& cursor, data::ValueKind kind) {
  write_value_and_close<true>(out, cursor, kind);
}

}  // namespace ui::event
