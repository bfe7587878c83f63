#include "events/device_allocatable.hpp"

#include <string_view>

#include "io/com_services.hpp"
#include "io/formatting.hpp"
#include "io/wide_text.hpp"
#include "plugin/eventui.h"

namespace ui::event {
namespace {

// Members are read in payload order by the constructor, so a failed read releases the monikers
// already parsed.
struct DeviceAllocatableRecord {
  explicit DeviceAllocatableRecord(ByteCursor& cursor)
      : device_moniker(cursor.read_moniker()),
        device_name(cursor.read_wstring()),
        group_moniker(cursor.read_moniker()),
        group_name(cursor.read_wstring()),
        was_allocatable(cursor.read_u8()),
        is_allocatable(cursor.read_u8()) {}

  com::ComPtr<IMoniker> device_moniker;
  io::WideText device_name;
  com::ComPtr<IMoniker> group_moniker;
  io::WideText group_name;
  std::uint8_t was_allocatable;  // nonzero is true
  std::uint8_t is_allocatable;
};

// A device or group: its moniker as an attribute and, when it has one, its name inside.
void write_member_xml(xml_output& out, std::string_view element, IMoniker* moniker,
                      io::WideText name) {
  out.start_element(element);
  out.attribute("moniker", moniker);
  if (!name.empty()) {
    out.line_break();
    out.text_element_line("name", name);
  }
  out.end_element_line();
}

void write_flag_xml(xml_output& out, std::string_view element, std::uint8_t flag) {
  out.text_element_line(element, io::bool_text(flag));
}

}  // namespace

void render_device_allocatable_xml(xml_output& out, ByteCursor& cursor) {
  const DeviceAllocatableRecord record(cursor);
  write_member_xml(out, "device", record.device_moniker.get(), record.device_name);
  write_member_xml(out, "group", record.group_moniker.get(), record.group_name);
  out.start_element_line("changed", "field", "allocatable");
  write_flag_xml(out, "old-value", record.was_allocatable);
  write_flag_xml(out, "new-value", record.is_allocatable);
  out.end_element_line();
}

std::uint32_t render_device_allocatable_text(text_output& out, ByteCursor& cursor) {
  const DeviceAllocatableRecord record(cursor);
  out.put_text("Device was made ");
  out.put_text(record.is_allocatable != 0 ? "allocatable." : "unallocatable.");
  return colour::changed;
}

}  // namespace ui::event
